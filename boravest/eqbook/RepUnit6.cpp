#include "boravest/eqbook/Drawings.h"
#include "boravest/eqbook/RepUnit6.h"

#include "boravest/data/UnitDm.h"
#include "boravest/eqbook/PageLayout.h"
#include "boravest/sizing/Catalogues.h"
#include "boravest/sizing/Collectors.h"
#include "platform/common/Numbers.h"


using namespace pf::report;
using namespace bv::eqbook;
namespace eq = bv::sizing;

TReport6 *Report6 = nullptr;

namespace {

// Vertical rules of the space table, right to left; the columns lie between
// neighbours. The space column holds a name of three words and its unit.
constexpr double kRules[] = {716, 661, 621, 501, 463, 388, 340, 263, 220, 141, 88, 1};
constexpr int kColumns = 11;
double centreOf(int col) { return (kRules[col] + kRules[col + 1]) / 2; }


Label *cell(Band *b, const char *name, int col, double top, const QString &t = QString())
{
    return addCentred(b, QString::fromLatin1(name), centreOf(col), top, t, 13, kReportFamily);
}

void rules(Band *b, const char *prefix, double height) { tableRules(b, kRules, prefix, height); }

QString twoDecimals(double v) { return pf::floatToStr(pf::roundHalfEven(v, 2)); }

} // namespace

TReport6::TReport6(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("Report6"));
    QuickRep1.font = ReportFont::fromPixels(kReportFamily, 13, true);
    QuickRep1.printIfEmpty = true;
    // One pass: the headings print once, the rows band walks the query.

    TitleBand1 = QuickRep1.addBand(BandType::Title, QStringLiteral("TitleBand1"), 231);
    TitleBand1->color = Qt::white;
    Band *t = TitleBand1;
    addCentred(t, QStringLiteral("QRLabel9"), 470, 19, QStringLiteral("رادياتور"), 13, kTitleFamily, true);
    QRImage3 = addPicture(t, QStringLiteral("QRImage3"), {0, 7}, Picture::Radiator);
    QRLabel24 = addText(t, QStringLiteral("QRLabel24"), 0, 57);
    QRLabel10 = addText(t, QStringLiteral("QRLabel10"), 712, 57, QStringLiteral("مدل رادياتور:"));
    const char *const notes[][2] = {
        {"QRLabel4", " معمولا شرايط تست  تبادل حرارتي سطح رادياتورها و تعيين ظرفيت آنها در كارخانه"},
        {"QRLabel7", "در دماي اتاق 68 درجه فارنهايت و دماي متوسط آبگرم گردشي 176 درجه فارنهايت"},
        {"QRLabel13", "انجام ميگيرد بنابراين در تعيين تعداد پره ها در شرايطي غير از شرايط مذكور"},
        {"QRLabel14", "استفاده از ضريب تصحيح ضروري ميباشد"},
    };
    double y = 97;
    for (const auto &n : notes) {
        addText(t, QString::fromLatin1(n[0]), 712, y, QString::fromUtf8(n[1]));
        y += 29;
    }

    // Column headings, a word or two over the unit.
    DetailBand1 = QuickRep1.addBand(BandType::Detail, QStringLiteral("DetailBand1"), 57);
    DetailBand1->color = Qt::white;
    Band *d = DetailBand1;
    const char *const headings[kColumns][4] = {
        {"QRLabel33", "طبقه", nullptr, nullptr},         {"QRLabel34", "واحد", nullptr, nullptr},
        {"QRLabel1", "فضا", nullptr, nullptr},           {"QRLabel2", "دما", "QRLabel38", "(F)"},
        {"QRLabel6", "بارحرارتي", "QRLabel39", "(Btu/h)"}, {"QRLabel11", "ضريب", "QRLabel17", "تصحيح"},
        {"QRLabel31", "سطح حرارتي", "QRLabel40", "(sq.m)"}, {"QRLabel18", "تعداد", "QRLabel32", "پره ها"},
        {"QRLabel35", "طول رادياتور", "QRLabel41", "(mm)"}, {"QRLabel36", "حجم آب", "QRLabel42", "(gal)"},
        {"QRLabel37", "وزن رادياتور", "QRLabel43", "(Kg)"},
    };
    for (int c = 0; c < kColumns; ++c) {
        const bool two = headings[c][2] != nullptr;
        cell(d, headings[c][0], c, two ? 8 : 19, QString::fromUtf8(headings[c][1]));
        if (two)
            cell(d, headings[c][2], c, 30, QString::fromUtf8(headings[c][3]));
    }
    rules(d, "DetailRule", 57);
    // No radiator space: no headings either.
    d->beforePrint = [this](Band &, bool &print) {
        pf::db::Dataset *rows = QRSubDetail1->dataset;
        print = rows && rows->active() && !rows->isEmpty();
    };
    d->addShape(QStringLiteral("DetailRuleTop"), ShapeKind::HorizontalLine,
                QRectF(kRules[kColumns], 0, kRules[0] - kRules[kColumns], 2));

    // One row per space.
    pf::db::Dataset *q = DM1 ? DM1->Query3 : nullptr;
    QRSubDetail1 = QuickRep1.addSubDetail(QStringLiteral("QRSubDetail1"), 43, nullptr, q);
    QRSubDetail1->color = Qt::white;
    Band *r = QRSubDetail1;
    auto field = [&](const char *name, int col, const char *f) {
        DBText *x = addField(r, QString::fromLatin1(name), centreOf(col), 12, q, QString::fromLatin1(f));
        x->alignment = Qt::AlignHCenter;
        return x;
    };
    QRLabel3 = cell(r, "QRLabel3", 0, 12);
    QRDBText2 = field("QRDBText2", 1, "Shvahed");
    QRDBText3 = field("QRDBText3", 2, "Faza");
    QRDBText4 = field("QRDBText4", 3, "Ti_");
    QRDBText5 = field("QRDBText5", 4, "Q_room");
    QRLabel25 = cell(r, "QRLabel25", 5, 12);
    QRLabel26 = cell(r, "QRLabel26", 6, 12);
    QRLabel27 = cell(r, "QRLabel27", 7, 12);
    QRLabel28 = cell(r, "QRLabel28", 8, 12);
    QRLabel29 = cell(r, "QRLabel29", 9, 12);
    QRLabel30 = cell(r, "QRLabel30", 10, 12);
    rules(r, "RowRule", 43);
    QRSubDetail1->beforePrint = [this](Band &b, bool &print) { QRSubDetail1BeforePrint(b, print); };

    QRBand1 = QuickRep1.addBand(BandType::Summary, QStringLiteral("QRBand1"), 128);
    QRBand1->color = Qt::white;
    Band *s = QRBand1;
    QRLabel16 = addText(s, QStringLiteral("QRLabel16"), 0, 7);
    QRLabel23 = addText(s, QStringLiteral("QRLabel23"), 0, 7);
    QRLabel15 = addText(s, QStringLiteral("QRLabel15"), 712, 7, QStringLiteral(":(gal)كل حجم آب رادياتورها"));
    QRLabel22 = addText(s, QStringLiteral("QRLabel22"), 340, 7, QStringLiteral(":(Sq.m)كل سطح حرارتي رادياتورها"));
    Label *heading = addText(s, QStringLiteral("QRLabel19"), 712, 33, QStringLiteral("شرايط نصب"));
    heading->font.underline = true;
    addText(s, QStringLiteral("QRLabel20"), 712, 64,
            QStringLiteral("محل نصب رادياتور جايي است كه اختلاف دماي آن با هواي مجاور بيشتر است (معمولا زير پنجره ها)"));
    addText(s, QStringLiteral("QRLabel21"), 712, 92,
            QStringLiteral("پره هاي رادياتور به فاصله 4 سانتيمتر از ديوار و 45 ميليمتر بالاتر از كف تمام شده نصب مي شوند"));
    build({}, {});
}

TReport6::~TReport6() = default;

RadiatorPageRow TReport6::rowOf(const RadiatorSpaceRecord &rec, int S_R_PG_R)
{
    RadiatorPageRow row;
    row.floor = eq::convertSk(rec.Tabage);
    row.factor = rec.Radiat;
    int64_t n = 0;
    if (!pf::strToInt(QLatin1Char('0') + rec.Modelradiat, &n))
        return row; // not a number of sections: nothing to print for it
    row.sections = QString::number(n);
    const int size = S_R_PG_R + 1;
    if (size < 1 || size > eq::RadiatorSectionsTable::RowCount)
        return row;
    const eq::RadiatorBody body = eq::radiatorOfSections(size, double(n));
    row.surface = twoDecimals(body.surface);
    row.length = twoDecimals(body.length);
    row.water = twoDecimals(body.water);
    row.weight = twoDecimals(body.weight);
    return row;
}

void TReport6::build(const RadiatorPageInputs &in, const eq::RadiatorResults &r)
{
    QRLabel24->text = eq::catalogues().RadiatorSections.sizeName(in.S_R_PG_R + 1);
    QRLabel16->text = roundedText(r.waterTotal);
    QRLabel23->text = roundedText(r.surfaceTotal);
    // Each value just left of its caption.
    flowRightToLeft({QRLabel15, QRLabel16}, 712, 7);
    flowRightToLeft({QRLabel22, QRLabel23}, 340, 7);
    flowRightToLeft({QRLabel10, QRLabel24}, 712, 57);
    m_rows.clear();
    m_rows.reserve(in.records.size());
    for (const RadiatorSpaceRecord &rec : in.records)
        m_rows.push_back(rowOf(rec, in.S_R_PG_R));
}

void TReport6::QRSubDetail1BeforePrint(Band &, bool &)
{
    const int at = QRSubDetail1->dataset ? QRSubDetail1->dataset->recNo() - 1 : -1;
    const RadiatorPageRow row = at >= 0 && at < int(m_rows.size()) ? m_rows[std::size_t(at)] : RadiatorPageRow{};
    QRLabel3->text = row.floor;
    QRLabel25->text = row.factor;
    QRLabel27->text = row.sections;
    QRLabel26->text = row.surface;
    QRLabel28->text = row.length;
    QRLabel29->text = row.water;
    QRLabel30->text = row.weight;
}
