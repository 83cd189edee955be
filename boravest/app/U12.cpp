#include "boravest/app/U12.h"

#include "platform/ui/ClickLabel.h"
#include "platform/ui/Colors.h"
#include "platform/ui/Dialogs.h"

#include <QLabel>
#include <QPalette>

TForm12 *Form12 = nullptr;

TForm12::TForm12(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form12"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setLayoutDirection(Qt::RightToLeft);
    setFixedSize(173, 79);
    lbtxt = new QLabel(QStringLiteral("آيا مي خواهيد خارج شويد؟"), this);
    lbtxt->setObjectName(QStringLiteral("lbtxt"));
    lbtxt->setGeometry(8, 12, 157, 20);
    lbtxt->setAlignment(Qt::AlignCenter);
    Lb1 = new pf::ui::ClickLabel(QStringLiteral(" بلي "), this);
    Lb1->setObjectName(QStringLiteral("Lb1"));
    Lb1->setGeometry(110, 48, 40, 20);
    Lb1->setHandCursor(true);
    Lb2 = new pf::ui::ClickLabel(QStringLiteral("خير"), this);
    Lb2->setObjectName(QStringLiteral("Lb2"));
    Lb2->setGeometry(24, 48, 40, 20);
    Lb2->setHandCursor(true);
    connect(Lb1, &pf::ui::ClickLabel::clicked, this, [this] { Lb1Click(); });
    connect(Lb2, &pf::ui::ClickLabel::clicked, this, [this] { Lb2Click(); });
    connect(Lb1, &pf::ui::ClickLabel::mouseMoved, this, [this] { Lb1MouseMove(); });
    connect(Lb1, &pf::ui::ClickLabel::mouseLeft, this, [this] { Lb1MouseLeave(); });
    connect(Lb2, &pf::ui::ClickLabel::mouseMoved, this, [this] { Lb2MouseMove(); });
    connect(Lb2, &pf::ui::ClickLabel::mouseLeft, this, [this] { Lb2MouseLeave(); });
}

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
void TForm12::Lb1MouseMove() { pf::ui::setTextColor(Lb1, QColor(255, 0, 128)); }
void TForm12::Lb1MouseLeave() { pf::ui::setTextColor(Lb1, palette().color(QPalette::WindowText)); }
void TForm12::Lb2MouseMove() { pf::ui::setTextColor(Lb2, QColor(255, 0, 128)); }
void TForm12::Lb2MouseLeave() { pf::ui::setTextColor(Lb2, palette().color(QPalette::WindowText)); }
