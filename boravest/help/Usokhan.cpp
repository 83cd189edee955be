#include "boravest/help/Usokhan.h"

#include "ui_Usokhan.h"

#include "platform/ui/Colors.h"
#include "platform/ui/Dialogs.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QTextOption>

TSokhan *Sokhan = nullptr;

int messageScrollPosition(int key, int p)
{
    constexpr int bottom = TSokhan::Bottom;
    constexpr int step = 530;
    switch (key) {
    case Qt::Key_PageUp:
        if (p <= 1)
            return -1;
        return p > step ? p - step : 1;
    case Qt::Key_PageDown:
        if (p >= bottom)
            return -1;
        return p <= bottom - step ? p + step : bottom;
    case Qt::Key_End:
        return bottom;
    case Qt::Key_Home:
        return 1;
    case Qt::Key_Up:
        return p > 10 ? p - 10 : 1;
    case Qt::Key_Down:
        return p < bottom - 10 ? p + 10 : bottom;
    default:
        return -1;
    }
}

QImage drawUserMessage()
{
    QImage image(700, 1800, QImage::Format_RGB32);
    image.fill(QColor(252, 250, 240));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setLayoutDirection(Qt::RightToLeft);
    painter.setPen(QPen(QColor(120, 90, 40), 3));
    painter.drawRect(12, 12, 676, 1776);
    painter.setPen(QPen(QColor(120, 90, 40), 1));
    painter.drawRect(20, 20, 660, 1760);

    QFont titleFont(QStringLiteral("Titr"), 26, QFont::Bold);
    painter.setFont(titleFont);
    painter.setPen(QColor(40, 40, 110));
    painter.drawText(QRect(40, 50, 620, 80), Qt::AlignCenter, QStringLiteral("سخني با كاربر"));
    painter.drawLine(180, 140, 520, 140);

    const QString paragraphs[] = {
        QStringLiteral("كاربر گرامي،"),
        QStringLiteral("نرم افزار بوراوست براي مهندسان تاسيسات مكانيكي ساختمان فراهم شده است تا محاسبه بارهاي حرارتي و برودتي ساختمان و انتخاب تجهيزات گرمايشي و موتورخانه با دقت و سرعت بيشتري انجام شود و دفترچه هاي محاسبات و تجهيزات به شكلي يكدست و خوانا تهيه شوند."),
        QStringLiteral("اين نرم افزار جاي دانش و داوري مهندس طراح را نمي گيرد. داده هايي كه وارد مي كنيد پايه همه محاسبات است؛ آن ها را با دقت وارد كنيد و نتيجه ها را پيش از چاپ و ارائه با تجربه خود بسنجيد."),
        QStringLiteral("براي آشنايي با بخش هاي برنامه از راهنماي كاربران كمك بگيريد. در صفحه هاي ورود داده ها و انتخاب تجهيزات، كليد F1 راهنماي همان بخش، كليد F10 فرهنگ لغات و اصطلاحات تاسيساتي و كليد F11 جدول تبديل آحاد را باز مي كند."),
        QStringLiteral("داده هاي هر پروژه حاصل ساعت ها كار شماست. در پايان هر روز كار از داده ها نسخه پشتيبان تهيه كنيد و آن را در جايي جدا از رايانه خود نگه داريد. اگر پرونده اي آسيب ديد، با بازيابي يا بازسازي داده ها كار را از سر بگيريد."),
        QStringLiteral("پيش از نصب و اجراي برنامه، تنظيمات منطقه اي سيستم را بر پايه راهنماي تنظيم سيستم انجام دهيد تا نوشته هاي فارسي درست نمايش داده و چاپ شوند."),
        QStringLiteral("ما كوشيده ايم داده هاي اقليمي شهرها، ضريب هاي انتقال حرارت مصالح و فهرست تجهيزات سازندگان را تا جاي ممكن كامل و درست فراهم كنيم. با اين همه هيچ كاري بي نقص نيست. اگر در برنامه خطايي ديديد يا پيشنهادي براي بهتر شدن آن داريد، ما را آگاه كنيد؛ نظر شما در نگارش هاي بعدي به كار خواهد آمد."),
        QStringLiteral("از اينكه بوراوست را براي كار خود برگزيده ايد سپاسگزاريم و براي شما در طراحي ساختمان هايي آسوده، كم مصرف و ايمن آرزوي كاميابي داريم."),
        QStringLiteral("با احترام،"),
        QStringLiteral("گروه نويسندگان نرم افزار بوراوست")};
    QFont bodyFont(QStringLiteral("Badr"), 15);
    painter.setFont(bodyFont);
    painter.setPen(QColor(30, 30, 30));
    QTextOption option(Qt::AlignRight | Qt::AlignTop);
    option.setWrapMode(QTextOption::WordWrap);
    option.setTextDirection(Qt::RightToLeft);
    const int width = 600;
    int y = 180;
    for (const QString &paragraph : paragraphs) {
        const QRectF bound = painter.boundingRect(QRectF(50, y, width, 2000), paragraph, option);
        painter.drawText(QRectF(50, y, width, bound.height()), paragraph, option);
        y += int(bound.height()) + 28;
    }
    return image;
}

TSokhan::TSokhan(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::TSokhan>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("Sokhan"));
    setWindowFlags(Qt::Tool);
    setLayoutDirection(Qt::RightToLeft);
    pf::ui::setBackColor(this, QColor(58, 110, 165));
    ui->Image5->setPixmap(QPixmap::fromImage(drawUserMessage()));
    ui->ScrollBox3->verticalScrollBar()->setRange(0, Bottom);
}

TSokhan::~TSokhan() = default;

void TSokhan::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    FormActivate();
}

void TSokhan::FormActivate() { ui->ScrollBox3->verticalScrollBar()->setValue(0); }

void TSokhan::FormKeyUp(int key)
{
    if (key == Qt::Key_Escape) {
        pf::ui::endModal(this, 0);
        return;
    }
    const int next = messageScrollPosition(key, ui->ScrollBox3->verticalScrollBar()->value());
    if (next >= 0)
        ui->ScrollBox3->verticalScrollBar()->setValue(next);
}

void TSokhan::keyPressEvent(QKeyEvent *e)
{
    // The keys act when released; Esc must not close the form on its press.
    e->accept();
}

void TSokhan::keyReleaseEvent(QKeyEvent *e)
{
    if (!e->isAutoRepeat())
        FormKeyUp(e->key());
    e->accept();
}
