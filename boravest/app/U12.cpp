#include "boravest/app/U12.h"

#include "ui_U12.h"

#include "platform/ui/ClickLabel.h"
#include "platform/ui/Colors.h"
#include "platform/ui/Dialogs.h"

#include <QPalette>

TForm12 *Form12 = nullptr;

TForm12::TForm12(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::TForm12>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setFixedSize(173, 79);
    connect(ui->Lb1, &pf::ui::ClickLabel::clicked, this, [this] { Lb1Click(); });
    connect(ui->Lb2, &pf::ui::ClickLabel::clicked, this, [this] { Lb2Click(); });
    connect(ui->Lb1, &pf::ui::ClickLabel::mouseMoved, this, [this] { Lb1MouseMove(); });
    connect(ui->Lb1, &pf::ui::ClickLabel::mouseLeft, this, [this] { Lb1MouseLeave(); });
    connect(ui->Lb2, &pf::ui::ClickLabel::mouseMoved, this, [this] { Lb2MouseMove(); });
    connect(ui->Lb2, &pf::ui::ClickLabel::mouseLeft, this, [this] { Lb2MouseLeave(); });
}

TForm12::~TForm12() = default;

void TForm12::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    FormActivate();
}

void TForm12::FormActivate() { Lb1ShowHint = false; }

void TForm12::Lb1Click()
{
    Lb1ShowHint = true;
    pf::ui::endModal(this, 1);
}

void TForm12::Lb2Click()
{
    Lb1ShowHint = false;
    pf::ui::endModal(this, 0);
}

// Hovered answers turn RGB(255, 0, 128); leaving restores the window text.
void TForm12::Lb1MouseMove() { pf::ui::setTextColor(ui->Lb1, QColor(255, 0, 128)); }
void TForm12::Lb1MouseLeave() { pf::ui::setTextColor(ui->Lb1, palette().color(QPalette::WindowText)); }
void TForm12::Lb2MouseMove() { pf::ui::setTextColor(ui->Lb2, QColor(255, 0, 128)); }
void TForm12::Lb2MouseLeave() { pf::ui::setTextColor(ui->Lb2, palette().color(QPalette::WindowText)); }
