#include "boravest/app/U3.h"

#include "ui_U3.h"

#include "boravest/app/U1.h"
#include "boravest/data/UnitDm.h"
#include "platform/ui/Dialogs.h"

#include <QKeyEvent>

TForm3 *Form3 = nullptr;

TForm3::TForm3(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::TForm3>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setFixedSize(192, 70);
    ui->Label2->setText(exitQuestion());
    connect(ui->Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(ui->Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
}

TForm3::~TForm3() = default;

QString TForm3::exitQuestion() { return QStringLiteral("    آيامي خواهيد خارج شويد؟   "); }

void TForm3::SetExitQuestion()
{
    Mode.clear();
    ui->Label2->setText(exitQuestion());
}

void TForm3::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    FormActivate();
}

void TForm3::FormActivate()
{
    Confirmed = false;
    if (Mode.isEmpty())
        ui->Label2->setText(exitQuestion());
    ui->Button1->setText(QStringLiteral("بلي"));
    ui->Button2->setText(QStringLiteral("خير"));
}

void TForm3::Button1Click()
{
    if (Mode == QLatin1String("Delete")) {
        Confirmed = true;
        pf::ui::endModal(this, 1);
        return;
    }
    for (pf::db::Dataset *t : {static_cast<pf::db::Dataset *>(DM1->Table1), static_cast<pf::db::Dataset *>(DM1->Table3),
                               static_cast<pf::db::Dataset *>(DM1->Table4), static_cast<pf::db::Dataset *>(DM1->Table5),
                               static_cast<pf::db::Dataset *>(DM1->Table7), static_cast<pf::db::Dataset *>(DM1->Table8)})
        t->close();
    pf::ui::endModal(this, 1);
    if (Form1)
        Form1->close();
}

void TForm3::Button2Click()
{
    Confirmed = false;
    pf::ui::endModal(this, 0);
}

void TForm3::FormKeyPress(int key)
{
    if (key == Qt::Key_Escape)
        Button2Click();
}

void TForm3::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape) {
        FormKeyPress(Qt::Key_Escape);
        return;
    }
    QDialog::keyPressEvent(e);
}
