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

QStringList userMessageParagraphs()
{
    return {
        QStringLiteral("كاربر گرامي،"),
        QStringLiteral("نرم افزار بوراوست براي مهندسان تاسيسات مكانيكي ساختمان فراهم شده است. شما ساختمان را با شهر و داده هاي "
                       "اقليمي زمستاني آن، طبقه ها و واحدها، فضاها و جدارهاي هر فضا وارد مي كنيد و برنامه بار حرارتي هر فضا، "
                       "هر واحد، هر طبقه و كل ساختمان را حساب مي كند."),
        QStringLiteral("بر پايه همين بار، برنامه تجهيزات گرمايش و تاسيسات بهداشتي ساختمان را اندازه مي گذارد و از كاتالوگ ها "
                       "برمي گزيند: انشعاب آب و تانك تحت فشار، منبع آبگرم مصرفي، ديگ، مشعل و دودكش، منبع انبساط، رادياتور "
                       "فولادي و يونيت هيتر هر فضا، كوره هواي گرم، كلكتور و رايزرها، پمپ سيركولاتور، سختي گير، استخر و جكوزي "
                       "با مبدل ها، فيلترها و پمپ هايشان و هواكش هاي تهويه."),
        QStringLiteral("نتيجه ها در دو دفترچه چاپ مي شوند: دفترچه محاسبات بار حرارتي ساختمان و دفترچه تجهيزات. هر دفترچه را "
                       "پيش از چاپ مي بينيد و مي توانيد آن را در پرونده گزارش ذخيره كنيد تا بعدا با برنامه ReportPrinter "
                       "چاپ شود."),
        QStringLiteral("اين نرم افزار جاي دانش و داوري مهندس طراح را نمي گيرد. داده هايي كه وارد مي كنيد پايه همه محاسبات است؛ "
                       "آن ها را با دقت وارد كنيد و نتيجه ها را پيش از چاپ و ارائه با تجربه خود بسنجيد."),
        QStringLiteral("براي آشنايي با بخش هاي برنامه از راهنماي كاربران كمك بگيريد. در صفحه هاي ورود داده ها و انتخاب "
                       "تجهيزات، كليد F1 راهنماي همان بخش، كليد F10 فرهنگ لغات و اصطلاحات تاسيساتي و كليد F11 جدول تبديل "
                       "آحاد را باز مي كند."),
        QStringLiteral("داده هاي هر پروژه حاصل ساعت ها كار شماست. در پايان هر روز كار از داده ها نسخه پشتيبان تهيه كنيد و آن "
                       "را در جايي جدا از رايانه خود نگه داريد. اگر پرونده اي آسيب ديد، داده ها را از پشتيبان بازيابي كنيد."),
        QStringLiteral("ضريب هاي انتقال حرارت مصالح و كاتالوگ هاي تجهيزات برنامه را تا جاي ممكن درست فراهم كرده ايم؛ داده هاي "
                       "اقليمي هر شهر را شما يك بار وارد مي كنيد و برنامه آن ها را براي پروژه هاي بعدي نگه مي دارد. با اين "
                       "همه هيچ كاري بي نقص نيست. اگر در برنامه خطايي ديديد يا پيشنهادي براي بهتر شدن آن داريد، ما را آگاه "
                       "كنيد؛ نظر شما در نگارش هاي بعدي به كار خواهد آمد."),
        QStringLiteral("از اينكه بوراوست را براي كار خود برگزيده ايد سپاسگزاريم و براي شما در طراحي ساختمان هايي آسوده، كم "
                       "مصرف و ايمن آرزوي كاميابي داريم."),
        QStringLiteral("با احترام،"),
        QStringLiteral("گروه نويسندگان نرم افزار بوراوست")};
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

    QFont bodyFont(QStringLiteral("Badr"), 15);
    painter.setFont(bodyFont);
    painter.setPen(QColor(30, 30, 30));
    // Absolute: in a right-to-left paragraph a plain AlignRight means the left edge.
    QTextOption option(Qt::AlignAbsolute | Qt::AlignRight | Qt::AlignTop);
    option.setWrapMode(QTextOption::WordWrap);
    option.setTextDirection(Qt::RightToLeft);
    const int width = 600;
    int y = 180;
    for (const QString &paragraph : userMessageParagraphs()) {
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
