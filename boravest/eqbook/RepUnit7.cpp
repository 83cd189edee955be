#include "boravest/eqbook/Drawings.h"
#include "boravest/eqbook/RepUnit7.h"

#include "boravest/data/UnitDm.h"
#include "boravest/eqbook/PageLayout.h"
#include "boravest/sizing/Catalogues.h"
#include "boravest/sizing/Collectors.h"
#include "platform/common/Numbers.h"


using namespace pf::report;
using namespace bv::eqbook;
namespace eq = bv::sizing;

TReport7 *Report7 = nullptr;

const char *const TReport7::kMsgUnrealData = "داده ها غير واقعي است در صورتيكه قابل اصلاح نيست داده ها را حذف كرده و "
                                             "مجدد با دقت داده ها را وارد كنيد";
const char *const TReport7::kTextNoModel = "--";

namespace {

// Vertical rules of the table, right to left; the columns lie between
// neighbours.
constexpr double kRules[] = {716, 666, 631, 541, 506, 441, 403, 361, 306, 256, 214, 172, 127, 82, 12};
constexpr int kColumns = 14;
double centreOf(int col) { return (kRules[col] + kRules[col + 1]) / 2; }


Label *cell(Band *b, const char *name, int col, double top, const QString &t = QString())
{
    return addCentred(b, QString::fromLatin1(name), centreOf(col), top, t, 13, kReportFamily);
}

void rules(Band *b, const char *prefix, double height) { tableRules(b, kRules, prefix, height); }

} // namespace

TReport7::TReport7(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("Report7"));
    QuickRep1.font = ReportFont::fromPixels(kReportFamily, 13, true);
    QuickRep1.printIfEmpty = true;

    TitleBand1 = QuickRep1.addBand(BandType::Title, QStringLiteral("TitleBand1"), 240);
    TitleBand1->color = Qt::white;
    Band *t = TitleBand1;
    addCentred(t, QStringLiteral("QRLabel6"), 470, 10, QStringLiteral("يونيت هيتر "), 13, kTitleFamily, true);
    QRImage4 = addPicture(t, QStringLiteral("QRImage4"), {0, 8}, Picture::UnitHeater);
    auto text = [t](const char *name, const char *s) {
        return addText(t, QString::fromLatin1(name), 712, 0, QString::fromUtf8(s));
    };
    Label *lines[][3] = {
        {text("QRLabel5", "معمولا شرايط تست تبادل حرارتي سطح يونيت ها و تعيين ظرفيت آنها در كارخانه ")},
        {text("QRLabel7", "در دماي هواي ورودي"), text("QRLabel16", "60"),
         text("QRLabel8", "درجه فارنهايت و دماي متوسط آبگرم گردشي ")},
        {text("QRLabel17", "180"), text("QRLabel12", "درجه فارنهايت انجام ميگيرد")},
        {text("QRLabel14", "بنابراين در تعيين ظرفيت حرارتي يونيت در شرايطي غير از شرايط مذكور استفاده ")},
        {text("QRLabel15", "از ضريب تصحيح ضروري ميباشد")},
    };
    // Each line's parts one after another, placed as the page prints (the
    // widths measured in the fonts it prints in, not those of start-up).
    std::vector<std::vector<TextElement *>> flow;
    for (const auto &line : lines)
        flow.push_back({line[0], line[1], line[2]});
    auto place = [flow] {
        double top = 60;
        for (const auto &line : flow) {
            double x = 712;
            for (TextElement *e : line)
                if (e) {
                    e->geometry = QRectF(x, top, 0, 0);
                    const double w = printedWidth(e);
                    x -= (w > 0 ? w + 5 : 0);
                }
            top += 30;
        }
    };
    place();
    TitleBand1->beforePrint = [place](Band &, bool &) { place(); };

    // Column headings, one word a line.
    DetailBand1 = QuickRep1.addBand(BandType::Detail, QStringLiteral("DetailBand1"), 66);
    DetailBand1->color = Qt::white;
    Band *d = DetailBand1;
    const char *const headings[kColumns][6] = {
        {"QRLabel39", "طبقه"},
        {"QRLabel40", "واحد"},
        {"QRLabel9", "فضا"},
        {"QRLabel10", "دما", "QRLabel44", "(F)"},
        {"QRLabel11", "بارحرارتي", "QRLabel21", "فضا", "QRLabel45", "(Btu/h)"},
        {"QRLabel37", "تعداد", "QRLabel19", "يونيت"},
        {"QRLabel18", "ضريب", "QRLabel36", "تصحيح"},
        {"QRLabel38", "مدل"},
        {"QRLabel41", "جريان هوا", "QRLabel46", "(CFM)"},
        {"QRLabel42", "قدرت", "QRLabel13", "موتور", "QRLabel47", "(hp)"},
        {"QRLabel43", "دبي", "QRLabel20", "آبگرم", "QRLabel48", "(gpm)"},
        {"QRLabel49", "دماي", "QRLabel53", "هواي", "QRLabel54", "خروجي"},
        {"QRLabel51", "دورفن", "QRLabel3", "(rpm)"},
        {"QRLabel52", "ظرفيت", "QRLabel2", "حرارتي", "QRLabel4", "(Btu/h)"},
    };
    for (int c = 0; c < kColumns; ++c) {
        int lines = 0;
        while (lines < 3 && headings[c][2 * lines])
            ++lines;
        double y = 33 - lines * 10;
        for (int i = 0; i < lines; ++i, y += 20)
            cell(d, headings[c][2 * i], c, y, QString::fromUtf8(headings[c][2 * i + 1]));
    }
    rules(d, "DetailRule", 66);
    d->addShape(QStringLiteral("DetailRuleTop"), ShapeKind::HorizontalLine,
                QRectF(kRules[kColumns], 0, kRules[0] - kRules[kColumns], 2));

    // One row per space.
    pf::db::Dataset *q = DM1 ? DM1->Query4 : nullptr;
    QRSubDetail1 = QuickRep1.addSubDetail(QStringLiteral("QRSubDetail1"), 36, nullptr, q);
    QRSubDetail1->color = Qt::white;
    Band *r = QRSubDetail1;
    auto field = [&](const char *name, int col, const char *f) {
        DBText *x = addField(r, QString::fromLatin1(name), centreOf(col), 10, q, QString::fromLatin1(f));
        x->alignment = Qt::AlignHCenter;
        return x;
    };
    QRLabel1 = cell(r, "QRLabel1", 0, 10);
    QRDBText2 = field("QRDBText2", 1, "Shvahed");
    QRDBText3 = field("QRDBText3", 2, "Faza");
    QRDBText4 = field("QRDBText4", 3, "Ti_");
    QRDBText5 = field("QRDBText5", 4, "Q_room");
    QRLabel26 = cell(r, "QRLabel26", 5, 10);
    QRLabel25 = cell(r, "QRLabel25", 6, 10);
    QRLabel27 = cell(r, "QRLabel27", 7, 10);
    QRLabel28 = cell(r, "QRLabel28", 8, 10);
    QRLabel29 = cell(r, "QRLabel29", 9, 10);
    QRLabel30 = cell(r, "QRLabel30", 10, 10);
    QRLabel33 = cell(r, "QRLabel33", 11, 10);
    QRLabel34 = cell(r, "QRLabel34", 12, 10);
    QRLabel35 = cell(r, "QRLabel35", 13, 10);
    rules(r, "RowRule", 36);
    QRSubDetail1->beforePrint = [this](Band &b, bool &print) { QRSubDetail1BeforePrint(b, print); };

    // Without a unit-heater space only the title prints.
    d->beforePrint = [this](Band &, bool &print) {
        pf::db::Dataset *rows = QRSubDetail1->dataset;
        print = rows && rows->active() && !rows->isEmpty();
    };
    build({});
}

TReport7::~TReport7() = default;

UnitHeaterPageRow TReport7::rowOf(const UnitHeaterSpaceRecord &rec, bool *beyond)
{
    const eq::UnitHeaterCatalogueTable &cat = eq::catalogues().UnitHeaterCatalogue;
    UnitHeaterPageRow row;
    row.floor = eq::convertSk(rec.Tabage);
    row.count = rec.T_UH;
    row.factor = rec.Radiat;
    int64_t m = 0;
    const bool read = pf::strToInt(QLatin1Char('0') + rec.Modelradiat, &m);
    if (beyond)
        *beyond = read && m > cat.rowCount();
    if (!read || !cat.hasRow(int(m))) {
        const QString none = QString::fromUtf8(kTextNoModel);
        for (QString *s : {&row.model, &row.airFlow, &row.motorPower, &row.waterFlow, &row.leavingAir, &row.fanSpeed,
                           &row.capacity})
            *s = none;
        return row;
    }
    const int r = int(m);
    row.model = cat.model(r);
    row.airFlow = cat.airFlow(r);
    row.motorPower = cat.motorPower(r);
    row.waterFlow = cat.waterFlow(r);
    row.leavingAir = cat.leavingAirTemperature(r);
    row.fanSpeed = eq::UnitHeaterCatalogueTable::fanSpeedOfRow(r);
    row.capacity = cat.capacity(r);
    return row;
}

bool TReport7::build(const std::vector<UnitHeaterSpaceRecord> &records)
{
    bool unreal = false;
    m_rows.clear();
    m_rows.reserve(records.size());
    for (const UnitHeaterSpaceRecord &rec : records) {
        bool beyond = false;
        m_rows.push_back(rowOf(rec, &beyond));
        unreal = unreal || beyond;
    }
    return unreal;
}

void TReport7::QRSubDetail1BeforePrint(Band &, bool &)
{
    const int at = QRSubDetail1->dataset ? QRSubDetail1->dataset->recNo() - 1 : -1;
    const UnitHeaterPageRow row = at >= 0 && at < int(m_rows.size()) ? m_rows[std::size_t(at)] : UnitHeaterPageRow{};
    QRLabel1->text = row.floor;
    QRLabel26->text = row.count;
    QRLabel25->text = row.factor;
    QRLabel27->text = row.model;
    QRLabel28->text = row.airFlow;
    QRLabel29->text = row.motorPower;
    QRLabel30->text = row.waterFlow;
    QRLabel33->text = row.leavingAir;
    QRLabel34->text = row.fanSpeed;
    QRLabel35->text = row.capacity;
}
