#include "boravest/eqbook/Drawings.h"
#include "boravest/eqbook/RepUnit5.h"

#include "boravest/data/UnitDm.h"
#include "boravest/eqbook/HeatingPages.h"
#include "boravest/eqbook/PageLayout.h"
#include "boravest/sizing/Catalogues.h"
#include "boravest/sizing/Collectors.h"

using namespace pf::report;
using namespace bv::eqbook;
namespace eq = bv::sizing;

TReport5 *Report5 = nullptr;

const char *const TReport5::kTextLeadIn = "ومراجعه به كاتالوگ";
const char *const TReport5::kTextCustomBuild =
    "ظرفيت دستگاه خارج از كاتالوگ بوده لذا نسبت به ساخت سفارشي آن با دفتر فني كارخانه تماس حاصل فرماييد";

namespace {

constexpr double kRight = 712;
// Right edges of the model block's columns.
constexpr double kModel[6] = {712, 600, 490, 370, 290, 210};

double columnCentre(int c) { return (TReport5::kColumnEdges[c] + TReport5::kColumnEdges[c + 1]) / 2; }

Label *cellLabel(Band *b, const char *name, int column, double top, const QString &text)
{
    return addCentred(b, QString::fromLatin1(name), columnCentre(column), top, text, 13, kReportFamily);
}

DBText *cellField(Band *b, const char *name, int column, double top, const char *field)
{
    DBText *t = b->addDBText(QString::fromLatin1(name), columnCentre(column), top, DM1 ? DM1->Query6 : nullptr,
                             QString::fromLatin1(field));
    t->alignment = Qt::AlignHCenter;
    t->direction = Qt::RightToLeft;
    t->font = ReportFont::fromPixels(kReportFamily, 13, true);
    return t;
}

// The table's vertical borders over the band's height, and horizontal
// lines at the given heights.
void tableLines(Band *b, const QString &prefix, std::initializer_list<double> across)
{
    int n = 0;
    for (double x : TReport5::kColumnEdges)
        b->addShape(QStringLiteral("%1V%2").arg(prefix).arg(++n), ShapeKind::VerticalLine,
                    QRectF(x - 1, 0, 2, b->height));
    const double left = TReport5::kColumnEdges[6];
    n = 0;
    for (double y : across)
        b->addShape(QStringLiteral("%1H%2").arg(prefix).arg(++n), ShapeKind::HorizontalLine,
                    QRectF(left, y - 1, TReport5::kColumnEdges[0] - left, 2));
}

} // namespace

TReport5::TReport5(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("Report5"));
    QuickRep1.font = ReportFont::fromPixels(kReportFamily, 13, true);
    QuickRep1.printIfEmpty = true;
    QuickRep1.firstPageHeader = true;
    Title = QuickRep1.addBand(BandType::Title, QStringLiteral("Title"), 240);
    DetailBand1 = QuickRep1.addBand(BandType::Detail, QStringLiteral("DetailBand1"), 58);
    QRSubDetail1 = QuickRep1.addSubDetail(QStringLiteral("QRSubDetail1"), 39, nullptr, DM1 ? DM1->Query6 : nullptr);
    SummaryBand1 = QuickRep1.addBand(BandType::Summary, QStringLiteral("SummaryBand1"), 250);
    for (Band *b : {Title, DetailBand1, static_cast<Band *>(QRSubDetail1), SummaryBand1})
        b->color = Qt::white;
    Title->beforePrint = [this](Band &b, bool &print) { TitleBeforePrint(b, print); };
    QRSubDetail1->beforePrint = [this](Band &b, bool &print) { QRSubDetail1BeforePrint(b, print); };

    // Title and inputs.
    m_title = std::make_unique<LineFlow>(Title);
    LineFlow &f = *m_title;
    pf::db::Dataset *rec = DM1 ? DM1->Table12 : nullptr;
    auto t = [](LineFlow &l, const char *name, const char *text) { return l.text(name, QString::fromUtf8(text)); };
    addCentred(Title, QStringLiteral("QRLabel6"), QuickRep1.contentWidthPx() / 2, 6, QStringLiteral("كوره هواي گرم"),
               13, kTitleFamily, true);
    addPicture(Title, QStringLiteral("QRImage4"), {2, 8}, Picture::Furnace);
    const struct {
        const char *caption, *text, *field, *fieldName;
        double top;
    } inputs[] = {{"QRLabel9", ":درصد هواي برگشتي", "QRDBText18", "D_H_B_Kore", 113},
                  {"QRLabel11", ":درصد هواي تازه", "QRDBText19", "D_H_T_Kore", 136},
                  {"QRLabel1", ":(%)راندمان كوره", "QRDBText16", "Rand_Kore", 160},
                  {"QRLabel2", ":(%)كيفيت عايق كاري", "QRDBText17", "K_A_Kore", 184}};
    for (const auto &i : inputs)
        f.line(kRight, i.top, {t(f, i.caption, i.text), f.field(i.field, rec, i.fieldName)});
    f.reflow();

    // Headings of the space table.
    Band *h = DetailBand1;
    cellLabel(h, "QRLabel3", 0, 20, QStringLiteral("طبقه"));
    cellLabel(h, "QRLabel4", 1, 20, QStringLiteral("واحد"));
    cellLabel(h, "QRLabel32", 2, 20, QStringLiteral("فضا"));
    cellLabel(h, "QRLabel7", 3, 8, QStringLiteral("بار حرارتي كل فضا"));
    cellLabel(h, "QRLabel19", 3, 30, QStringLiteral("( Btu/h )"));
    cellLabel(h, "QRLabel8", 4, 8, QStringLiteral("دماي داخل"));
    cellLabel(h, "QRLabel20", 4, 30, QStringLiteral("( F )"));
    cellLabel(h, "QRLabel12", 5, 8, QStringLiteral("هواي گرم مورد نياز"));
    cellLabel(h, "QRLabel38", 5, 30, QStringLiteral("( CFM )"));
    tableLines(h, QStringLiteral("HeadLine"), {1, h->height - 1});

    // One row per space.
    Band *row = QRSubDetail1;
    QRLabel5 = cellLabel(row, "QRLabel5", 0, 12, QString());
    cellField(row, "QRDBText1", 1, 12, "Shvahed");
    cellField(row, "QRDBText9", 2, 12, "Faza");
    cellField(row, "QRDBText10", 3, 12, "Q_room");
    cellField(row, "QRDBText11", 4, 12, "Ti_");
    cellField(row, "QRDBText12", 5, 12, "V_Kore");
    tableLines(row, QStringLiteral("RowLine"), {row->height - 1});

    // Capacity, model and notes.
    m_summary = std::make_unique<LineFlow>(SummaryBand1);
    LineFlow &s = *m_summary;
    QRLabel15 = t(s, "QRLabel15", "125");
    s.line(kRight, 7, {t(s, "QRLabel16", ":(Btu/h)حداقل قدرت مورد نياز"), QRLabel15});
    QRLabel14 = t(s, "QRLabel14", kTextLeadIn);
    s.line(kRight, 38, {QRLabel14});
    QRLabel13 = t(s, "QRLabel13", "مدل ");
    QRLabel17 = t(s, "QRLabel17", "(Kcal/h)");
    QRLabel18 = t(s, "QRLabel18", "(hp)فن سانتريفيوژ");
    QRLabel21 = t(s, "QRLabel21", "(Cm)L");
    QRLabel22 = t(s, "QRLabel22", "(Cm)D");
    QRLabel23 = t(s, "QRLabel23", "(Cm)H");
    QRLabel25 = t(s, "QRLabel25", "");
    QRLabel26 = t(s, "QRLabel26", "");
    QRLabel27 = t(s, "QRLabel27", "");
    QRLabel28 = t(s, "QRLabel28", "");
    QRLabel30 = t(s, "QRLabel30", "");
    QRLabel31 = t(s, "QRLabel31", "");
    Label *const captions[] = {QRLabel13, QRLabel17, QRLabel18, QRLabel21, QRLabel22, QRLabel23};
    Label *const values[] = {QRLabel25, QRLabel26, QRLabel27, QRLabel28, QRLabel30, QRLabel31};
    for (int i = 0; i < 6; ++i) {
        s.line(kModel[i], 70, {captions[i]});
        s.line(kModel[i], 101, {values[i]});
    }
    Label *heading = t(s, "QRLabel33", "شرايط اجرايي");
    heading->font.underline = true;
    s.line(kRight, 131, {heading});
    s.line(kRight, 159,
           {t(s, "QRLabel24", ".جنس كانالها از ورق گالوانيزه به ضخامت حداقل 0.55 ميليمتر بوده و درزها با نخ نسوز "
                              "آببندي مي شود")});
    s.line(kRight, 187,
           {t(s, "QRLabel29", "عايق كاري كانالها با 2 اينچ پشم شيشه انجام شده و انشعاب اصلي كانال با برزنتي")});
    s.line(kRight, 215, {t(s, "QRLabel10", ".به طول 15 تا 20 سانتيمتر به دستگاه متصل مي شود")});
    s.reflow();
}

TReport5::~TReport5() = default;

void TReport5::build(const eq::FurnaceResults &r)
{
    Label *const captions[] = {QRLabel13, QRLabel17, QRLabel18, QRLabel21, QRLabel22, QRLabel23};
    Label *const values[] = {QRLabel25, QRLabel26, QRLabel27, QRLabel28, QRLabel30, QRLabel31};
    const eq::FurnaceCatalogueTable &cat = eq::catalogues().FurnaceCatalogue;
    const bool model = !r.stopped && cat.hasRow(r.row);
    for (int i = 0; i < 6; ++i) {
        captions[i]->enabled = model;
        values[i]->text = model ? catalogueCell(cat, r.row, i + 1) : QString();
    }
    if (r.stopped) {
        QRLabel15->text.clear();
        QRLabel14->text.clear();
    } else {
        QRLabel15->text = roundedText(r.capacity);
        QRLabel14->text = QString::fromUtf8(model ? kTextLeadIn : kTextCustomBuild);
    }
    m_summary->reflow();
}

void TReport5::TitleBeforePrint(Band &, bool &)
{
    // The inputs beside their captions, measured in the fonts they print in.
    m_title->reflow();
    pf::db::Dataset *rows = QRSubDetail1->dataset;
    const bool any = rows && rows->active() && !rows->isEmpty();
    DetailBand1->enabled = any;
    QRSubDetail1->enabled = any;
}

void TReport5::QRSubDetail1BeforePrint(Band &, bool &)
{
    pf::db::Dataset *rows = QRSubDetail1->dataset;
    QRLabel5->text = rows ? eq::convertSk(rows->fieldByName(QStringLiteral("Tabage")).asInteger()) : QString();
}
