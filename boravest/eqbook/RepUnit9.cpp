#include "boravest/eqbook/Drawings.h"
#include "boravest/eqbook/RepUnit9.h"

#include "boravest/data/UnitDm.h"
#include "boravest/eqbook/PageLayout.h"
#include "boravest/sizing/Catalogues.h"
#include "platform/common/Numbers.h"


using namespace pf::report;
using namespace bv::eqbook;
namespace eq = bv::sizing;

TReport9 *Report9 = nullptr;

const char *const TReport9::kTextNoValue = "--";

namespace {

constexpr double kRight = 712;
constexpr double kRowHeight = 24;
constexpr int kColumns = 7;
// Column widths from the right: floor, unit, load, risers, diameter, GPM; FPS takes the rest.
constexpr double kWidths[kColumns - 1] = {120, 70, 130, 100, 110, 90};

QRectF columnRect(double width, int column, double top, double height)
{
    return tableColumn(kWidths, width, column, top, height);
}

void makeCell(TextElement *e, double width, int column)
{
    makeTableCell(e, columnRect(width, column, 0, kRowHeight), column);
}

QString collectorSize(double inches)
{
    // Two and a half inches as the pipe list writes it, fraction first.
    return inches == 2.5 ? QStringLiteral("1/2 2") : roundedText(inches);
}

int whole(double v) { return int(pf::roundToInt(v)); }

} // namespace

void TReport9::reflow()
{
    for (const Line &l : m_lines)
        flowRightToLeft(l.parts, l.right, l.top);
}

TReport9::TReport9(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("Report9"));
    QuickRep1.font = ReportFont::fromPixels(kReportFamily, 13, true);
    QuickRep1.printIfEmpty = true;
    const double width = QuickRep1.contentWidthPx();
    pf::db::Table *units = DM1 ? DM1->Table3 : nullptr;

    Title = QuickRep1.addBand(BandType::Title, QStringLiteral("Title"), 450);
    Band *b = Title;
    addCentred(b, QStringLiteral("QRLabel6"), width / 2, 8, QStringLiteral("كلكتور و رايزرهاي آبگرم"), 13, kTitleFamily,
               true);
    QRImage1 = addPicture(b, QStringLiteral("QRImage1"), {10, 40}, Picture::Collectors);
    addText(b, QStringLiteral("QRLabel10"), kRight, 48, QStringLiteral("با توجه به تعداد انتخابي رايزر ها براي هر واحد"));

    const struct {
        const char *caption, *captionText, *value;
        Label **target;
    } rows[] = {
        {"QRLabel21", ":(In)قطر لوله ارتباطي مبدل آبگرم جكوزي", "QRLabel24", &QRLabel24},
        {"QRLabel25", ":(In)قطر لوله ارتباطي مبدل آبگرم استخر", "QRLabel26", &QRLabel26},
        {"QRLabel27", ":(In)قطر لوله ارتباطي منبع آبگرم مصرفي", "QRLabel28", &QRLabel28},
        {"QRLabel22", ":(In)قطر كلكتور", "QRLabel23", &QRLabel23},
        {"QRLabel30", ":(In)حد اقل طول كلكتور", "QRLabel31", &QRLabel31},
        {"QRLabel1", ":(In)قطر معادل لوله هاي ورودي ", "QRLabel2", &QRLabel2},
    };
    double y = 82;
    for (const auto &r : rows) {
        Label *caption = addText(b, QString::fromLatin1(r.caption), kRight, y, QString::fromUtf8(r.captionText));
        *r.target = addText(b, QString::fromLatin1(r.value), kRight, y);
        m_lines.push_back({{caption, *r.target}, kRight, y});
        y += 30;
    }

    const struct {
        const char *name, *text;
    } note[] = {
        {"QRLabel9", "در صورتيكه نصب كلكتورها بصورت افقي انجام گيرد ارتفاع نصب كلكتور از كف موتورخانه بايد بگونه اي باشد "
                     "كه دسترسي به  "},
        {"QRLabel33", "شيرها به آساني ميسر شده و فشارسنج ها و دما سنج ها كاملا در موضع ديد مستقيم باشد و همچنين اتصال لوله "
                      "هاي انشعاب از  "},
        {"QRLabel11", "نوع بازشونده بوده و در پايين ترين قسمت كلكتور شير تخليه در نظر گرفته شود."},
    };
    y = 290;
    for (const auto &n : note) {
        Label *l = addText(b, QString::fromLatin1(n.name), kRight, y, QString::fromUtf8(n.text), 12);
        l->geometry = QRectF(0, y, width - 4, 0);
        l->wordWrap = true;
        y += 24;
    }

    // Column headings at the foot of the band.
    const struct {
        const char *names[2];
        const char *texts[2];
    } heads[kColumns] = {
        {{"QRLabel3", nullptr}, {"طبقه", nullptr}},
        {{"QRLabel4", nullptr}, {"واحد", nullptr}},
        {{"QRLabel7", "QRLabel19"}, {"بار حرارتي واحد", "( Btu/h )"}},
        {{"QRLabel5", nullptr}, {"تعداد رايزرها", nullptr}},
        {{"QRLabel13", "QRLabel12"}, {"قطر", "(In)هر رايزر"}},
        {{"QRLabel8", nullptr}, {"(GPM)", nullptr}},
        {{"QRLabel20", nullptr}, {"(FPS)", nullptr}},
    };
    // The headings end where the band ends, so that the first row's borders
    // meet them.
    constexpr double headHeight = 60;
    const double headTop = Title->height - headHeight;
    for (int c = 0; c < kColumns; ++c) {
        const QRectF cell = columnRect(width, c, headTop, headHeight);
        b->addShape(QStringLiteral("QRShape%1").arg(c + 1), ShapeKind::Rectangle, cell);
        const int lines = heads[c].names[1] ? 2 : 1;
        for (int k = 0; k < lines; ++k)
            addCentred(b, QString::fromLatin1(heads[c].names[k]), cell.center().x(),
                       headTop + (headHeight - 18 * lines) / 2 + 18 * k, QString::fromUtf8(heads[c].texts[k]), 12,
                       kReportFamily);
    }

    // One row per unit with risers.
    QRSubDetail1 = QuickRep1.addSubDetail(QStringLiteral("QRSubDetail1"), kRowHeight, nullptr, units);
    const struct {
        const char *name, *field;
        int column;
    } fields[] = {{"QRDBText7", "NameT", 0},   {"QRDBText8", "Shvahed", 1}, {"QRDBText10", "Q_Vahed", 2},
                  {"QRDBText9", "T_Rz", 3},    {"QRDBText11", "GP", 5}};
    for (const auto &f : fields)
        makeCell(QRSubDetail1->addDBText(QString::fromLatin1(f.name), 0, 0, units, QString::fromLatin1(f.field)),
                 width, f.column);
    QRLabel29 = QRSubDetail1->addLabel(QStringLiteral("QRLabel29"), 0, 0);
    makeCell(QRLabel29, width, 4);
    QRLabel32 = QRSubDetail1->addLabel(QStringLiteral("QRLabel32"), 0, 0);
    makeCell(QRLabel32, width, 6);
    QRSubDetail1->beforePrint = [this](Band &, bool &) { QRSubDetail1BeforePrint(); };

    // Only the units with risers, while the page is laid out.
    auto unfilter = [] {
        if (DM1) {
            DM1->Table3->setFilter(QString());
            DM1->Table3->setFiltered(false);
        }
    };
    QuickRep1.beforePrint = [unfilter](Report &, bool &) {
        unfilter();
        if (DM1) {
            DM1->Table3->setFilter(QStringLiteral("T_Rz>0"));
            DM1->Table3->setFiltered(true);
        }
    };
    QuickRep1.afterPrint = [unfilter](Report &) { unfilter(); };
    QuickRep1.afterPreview = [unfilter](Report &) { unfilter(); };
    reflow();
}

TReport9::~TReport9() = default;

void TReport9::build(const eq::CollectorsResults &r)
{
    QRLabel24->text = r.jacuzziConnection;
    QRLabel26->text = r.poolConnection;
    QRLabel28->text = r.tankConnection;
    QRLabel23->text = collectorSize(r.collectorDiameterIn);
    QRLabel2->text = collectorSize(r.inletDiameterIn);
    QRLabel31->text = roundedText(r.collectorLengthIn);
    reflow();
}

QString TReport9::riserSizeText(double col)
{
    const int c = whole(col);
    if (c <= 0)
        return QString::fromLatin1(kTextNoValue);
    return eq::catalogues().PipeSizeNames.name(c); // blank beyond the list
}

QString TReport9::velocityText(double col, double row)
{
    const int c = whole(col), r = whole(row);
    if (c <= 0 || r <= 0)
        return QString::fromLatin1(kTextNoValue);
    if (c > eq::PipeVelocityTable::CellCount || r > eq::PipeVelocityTable::RowCount)
        return QString();
    return pf::floatToStr(eq::catalogues().PipeVelocity.cell(r, c));
}

void TReport9::QRSubDetail1BeforePrint()
{
    double col = 0, row = 0;
    if (DM1 && DM1->Table3->active() && !DM1->Table3->isEmpty()) {
        col = DM1->Table3->fieldByName(QStringLiteral("Col")).asFloat();
        row = DM1->Table3->fieldByName(QStringLiteral("Row")).asFloat();
    }
    QRLabel29->text = riserSizeText(col);
    QRLabel32->text = velocityText(col, row);
}
