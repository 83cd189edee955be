#include "boravest/help/UFHelp.h"

#include "ui_UFHelp.h"
#include "ui_UHelp.h"

#include "boravest/help/UHelp.h"
#include "platform/ui/Colors.h"
#include "platform/ui/Dialogs.h"

#include <QKeyEvent>
#include <QPalette>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

TFHelp *FHelp = nullptr;

TFHelp::TFHelp(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::TFHelp>())
{
    ui->setupUi(this);
    m_designedWidth = width();
    setObjectName(QStringLiteral("FHelp"));
    setWindowFlags(Qt::Tool);
    setLayoutDirection(Qt::RightToLeft);
    setWindowState(Qt::WindowMaximized);
    pf::ui::setBackColor(this, QColor(215, 228, 242));
    // The heading panel takes no input but reads as plain text, not greyed.
    QPalette heading = ui->Panel1->palette();
    heading.setColor(QPalette::Disabled, QPalette::WindowText, heading.color(QPalette::Active, QPalette::WindowText));
    ui->Panel1->setPalette(heading);
    ui->abcPicBtn1->setIcon(style()->standardIcon(QStyle::SP_ComputerIcon));
    ui->abcPicBtn1->setIconSize(QSize(24, 24));
    ui->abcPicBtn1->setToolTip(QStringLiteral("تنظيم سيستم"));

    const std::pair<QAbstractButton *, void (TFHelp::*)()> handlers[] = {
        {ui->abcPicBtn1, &TFHelp::abcPicBtn1Click}, {ui->Button1, &TFHelp::Button1Click},
        {ui->Button2, &TFHelp::Button2Click},       {ui->Button3, &TFHelp::Button3Click},
        {ui->Button4, &TFHelp::Button4Click},       {ui->Button5, &TFHelp::Button5Click},
        {ui->Button6, &TFHelp::Button6Click},       {ui->Button7, &TFHelp::Button7Click},
        {ui->Button8, &TFHelp::Button8Click},       {ui->Button9, &TFHelp::Button9Click},
        {ui->Button10, &TFHelp::Button10Click},     {ui->Button11, &TFHelp::Button11Click},
        {ui->Button12, &TFHelp::Button12Click},     {ui->Button13, &TFHelp::Button13Click},
        {ui->Button14, &TFHelp::Button14Click},     {ui->Button15, &TFHelp::Button15Click},
        {ui->Button16, &TFHelp::Button16Click},     {ui->Button17, &TFHelp::Button17Click}};
    for (const auto &[button, handler] : handlers)
        connect(button, &QAbstractButton::clicked, this, [this, handler = handler] { (this->*handler)(); });
}

TFHelp::~TFHelp() = default;

void TFHelp::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    FormActivate();
}

void TFHelp::changeEvent(QEvent *e)
{
    QDialog::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

// Right to left: in a window wider than its design (maximised) the content
// keeps its distance from the right-hand edge.
void TFHelp::resizeEvent(QResizeEvent *e)
{
    QDialog::resizeEvent(e);
    const int shift = std::max(0, width() - m_designedWidth) - m_shifted;
    if (shift == 0)
        return;
    for (QWidget *w : findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        if (!w->isWindow())
            w->move(w->x() + shift, w->y());
    m_shifted += shift;
}

void TFHelp::FormActivate()
{
    setWindowTitle(QStringLiteral("     راهنماي كاربران"));
    ui->Button8->setText(QStringLiteral("نصب نرم افزار"));
    ui->Label99->setText(QStringLiteral("بنام خدا"));
    if (!FormHelp)
        return;
    Ui::TFormHelp *guide = FormHelp->ui.get();
    guide->Label460->setText(QStringLiteral("تنظيم سيستم"));
    guide->Label461->setText(QStringLiteral("قبل از اجراي نرم افزار لازم است تغييراتي را در پنجره"));
    guide->Label462->setText(QStringLiteral("Control Panel اعمال كنيد تا بتوانيد از نرم افزار "));
    guide->Label463->setText(QStringLiteral("استفاده كنيد. در قسمت regional  Option   "));
    guide->Label464->setText(QStringLiteral("Farsi و چنانچه وجود نداشت Arabic را انتخاب كنيد "));
    guide->Label465->setText(QStringLiteral("اگر اين عمل انجام نشود شما به جاي كلمات  علائم"));
    guide->Label466->setText(QStringLiteral("و يا علامت سوال مشاهده خواهيد كرد."));
}

void TFHelp::openGuidePage(int page, const QString &caption)
{
    if (!FormHelp)
        return;
    FormHelp->ui->PageControl1->setCurrentIndex(page);
    FormHelp->setWindowTitle(caption);
    if (QScrollArea *box = FormHelp->pageScrollBox(page))
        box->verticalScrollBar()->setValue(0);
    pf::ui::showModal(FormHelp);
}

void TFHelp::abcPicBtn1Click() { openGuidePage(0, QStringLiteral("     راهنماي كاربران - تنظيم سيستم")); }
void TFHelp::Button8Click() { openGuidePage(16, QStringLiteral("     راهنماي كاربران - نصب نرم افزار")); }
void TFHelp::Button4Click() { openGuidePage(1, QStringLiteral("     راهنماي كاربران - ايجاد و ويرايش")); }
void TFHelp::Button5Click() { openGuidePage(2, QStringLiteral("     راهنماي كاربران - دفترچه محاسبات ")); }
void TFHelp::Button6Click() { openGuidePage(3, QStringLiteral("     راهنماي كاربران - انتخاب تجهيزات ")); }
void TFHelp::Button7Click() { openGuidePage(4, QStringLiteral("     راهنماي كاربران - چاپ دفترچه تجهيزات ")); }
void TFHelp::Button9Click() { openGuidePage(5, QStringLiteral("     راهنماي كاربران - كپي پلان")); }
void TFHelp::Button10Click() { openGuidePage(6, QStringLiteral("     راهنماي كاربران - حذف پلان")); }
void TFHelp::Button12Click() { openGuidePage(7, QStringLiteral("     راهنماي كاربران - تهيه پشتيبان")); }
void TFHelp::Button13Click() { openGuidePage(8, QStringLiteral("     راهنماي كاربران - بازيابي داده ها")); }
void TFHelp::Button14Click() { openGuidePage(9, QStringLiteral("     راهنماي كاربران - تغيير مسير پرونده هاي داده")); }
void TFHelp::Button2Click() { openGuidePage(10, QStringLiteral("     راهنماي كاربران - تغيير رنگ ")); }
void TFHelp::Button15Click() { openGuidePage(11, QStringLiteral("     راهنماي كاربران - تغيير قلم ")); }
void TFHelp::Button16Click() { openGuidePage(12, QStringLiteral("     راهنماي كاربران - فرهنگ لغات و اصطلاحات تاسيساتي")); }
void TFHelp::Button1Click() { openGuidePage(13, QStringLiteral("     راهنماي كاربران - كليدهاي ميانبر")); }
void TFHelp::Button11Click() { openGuidePage(15, QStringLiteral("     راهنماي كاربران - بازسازي داده ها")); }
void TFHelp::Button17Click() { openGuidePage(17, QStringLiteral("     راهنماي كاربران -  جدول تبديل آحاد")); }

void TFHelp::Button3Click() { pf::ui::endModal(this, 0); }

void TFHelp::FormKeyPress(int key)
{
    if (key == Qt::Key_Escape)
        Button3Click();
}

void TFHelp::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape) {
        FormKeyPress(Qt::Key_Escape);
        return;
    }
    QDialog::keyPressEvent(e);
}
