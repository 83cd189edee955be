#include "boravest/eqbook/Drawings.h"
#include "boravest/eqbook/RepUnit11.h"

#include "boravest/data/UnitDm.h"
#include "boravest/eqbook/PageLayout.h"
#include "boravest/sizing/Catalogues.h"
#include "boravest/sizing/Collectors.h"
#include "platform/common/Numbers.h"


using namespace pf::report;
using namespace bv::eqbook;
namespace eq = bv::sizing;

TReport11 *Report11 = nullptr;

const char *const TReport11::kTextNoFan = "--";

namespace {

constexpr double kRight = 712;
constexpr double kRowHeight = 24;
constexpr int kColumns = 10;
// From the right: floor, unit, space, air volume, duct length, fans, duct
// drop, diameter, speed; the power takes the rest.
constexpr double kWidths[kColumns - 1] = {80, 42, 110, 72, 64, 50, 76, 66, 70};

QRectF columnRect(double width, int column, double top, double height)
{
    return tableColumn(kWidths, width, column, top, height);
}

void makeCell(TextElement *e, double width, int column)
{
    makeTableCell(e, columnRect(width, column, 0, kRowHeight), column);
}

int whole(double v) { return int(pf::roundToInt(v)); }

} // namespace

TReport11::TReport11(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("Report11"));
    QuickRep1.font = ReportFont::fromPixels(kReportFamily, 13, true);
    QuickRep1.printIfEmpty = true;
    const double width = QuickRep1.contentWidthPx();
    pf::db::Query *spaces = DM1 ? DM1->Query5 : nullptr;

    Title = QuickRep1.addBand(BandType::Title, QStringLiteral("Title"), 276);
    Band *b = Title;
    addCentred(b, QStringLiteral("QRLabel6"), width / 2, 8, QStringLiteral("هواكش"), 13, kTitleFamily, true);
    QRImage1 = addPicture(b, QStringLiteral("QRImage1"), {10, 40}, Picture::ExtractFan);
    pf::db::Table *record = DM1 ? DM1->Table12 : nullptr;
    Label *dropCaption = addText(b, QStringLiteral("QRLabel9"), kRight, 70, QStringLiteral(":(Inw/100ft)افت فشار در كانال"));
    DBText *drop = addField(b, QStringLiteral("QRDBText18"), kRight, 70, record, QStringLiteral("Oft_f_kan_Hav"));
    Label *speedCaption = addText(b, QStringLiteral("QRLabel11"), kRight, 104, QStringLiteral(":(FPM)سرعت خروج هوا"));
    DBText *speed = addField(b, QStringLiteral("QRDBText19"), kRight, 104, record, QStringLiteral("So_Kh_H_Hav"));
    // The values stand left of their captions, whatever they hold.
    b->beforePrint = [=](Band &, bool &) {
        flowRightToLeft({dropCaption, drop}, kRight, 70);
        flowRightToLeft({speedCaption, speed}, kRight, 104);
    };
    flowRightToLeft({dropCaption, drop}, kRight, 70);
    flowRightToLeft({speedCaption, speed}, kRight, 104);

    QRSubDetail1 = QuickRep1.addSubDetail(QStringLiteral("QRSubDetail1"), kRowHeight, nullptr, spaces);
    QRSubDetail1->printIfEmpty = false;

    // Column headings, one word group per line, over the first row.
    DetailBand1 = QRSubDetail1->addHeader(QStringLiteral("DetailBand1"), 64);
    const struct {
        const char *names[3];
        const char *texts[3];
    } heads[kColumns] = {
        {{"QRLabel33"}, {"طبقه"}},
        {{"QRLabel38"}, {"واحد"}},
        {{"QRLabel39"}, {"فضا"}},
        {{"QRLabel47", "QRLabel17", "QRLabel1"}, {"حجم تهويه", "موردنياز", "(CFM)"}},
        {{"QRLabel40", "QRLabel42", "QRLabel2"}, {"طول نهايي", " كانال", "(ft)"}},
        {{"QRLabel41", "QRLabel3"}, {"تعداد", "هواكش"}},
        {{"QRLabel30", "QRLabel8", "QRLabel4"}, {"كلافتفشار", "در كانال", "(Inw)"}},
        {{"QRLabel31", "QRLabel5"}, {"قطر هواكش", "(In)"}},
        {{"QRLabel43", "QRLabel10"}, {"دور موتور", "(rpm)"}},
        {{"QRLabel46", "QRLabel12"}, {"قدرت هواكش", "(W)"}},
    };
    constexpr double headHeight = 60;
    for (int c = 0; c < kColumns; ++c) {
        const QRectF cell = columnRect(width, c, 2, headHeight);
        DetailBand1->addShape(QStringLiteral("QRShape%1").arg(c + 1), ShapeKind::Rectangle, cell);
        int lines = 0;
        while (lines < 3 && heads[c].names[lines])
            ++lines;
        for (int k = 0; k < lines; ++k)
            addCentred(DetailBand1, QString::fromLatin1(heads[c].names[k]), cell.center().x(),
                       cell.top() + (headHeight - 17 * lines) / 2 + 17 * k, QString::fromUtf8(heads[c].texts[k]), 11,
                       kReportFamily);
    }

    // One row per space with fans.
    auto label = [&](const char *name, int column, const QString &t = QString()) {
        Label *l = QRSubDetail1->addLabel(QString::fromLatin1(name), 0, 0, t);
        makeCell(l, width, column);
        return l;
    };
    auto field = [&](const char *name, int column, const char *f) {
        makeCell(QRSubDetail1->addDBText(QString::fromLatin1(name), 0, 0, spaces, QString::fromLatin1(f)), width,
                 column);
    };
    QRLabel7 = label("QRLabel7", 0);
    field("QRDBText8", 1, "Shvahed");
    field("QRDBText9", 2, "Faza");
    QRLabel13 = label("QRLabel13", 3);
    field("QRDBText1", 4, "To_Mo_Hav");
    field("QRDBText2", 5, "Te_Hav");
    field("QRDBText11", 6, "K_Oft_F_Hav");
    field("QRDBText3", 7, "Gh_Hav");
    QRLabel15 = label("QRLabel15", 8, QStringLiteral("مدل"));
    QRLabel16 = label("QRLabel16", 9, QStringLiteral("مدل"));
    QRSubDetail1->beforePrint = [this](Band &, bool &) { QRSubDetail1BeforePrint(); };

    // The rows of the project being printed.
    QuickRep1.beforePrint = [](Report &, bool &) {
        if (DM1 && DM1->Table1->active() && !DM1->Table1->isEmpty())
            openFanSpaces(DM1->Table1->fieldByName(QStringLiteral("Shproje")).asFloat());
    };
}

TReport11::~TReport11() = default;

void TReport11::openFanSpaces(double project)
{
    if (!DM1)
        return;
    pf::db::Query *q = DM1->Query5;
    q->close();
    q->sql().clear();
    q->sql() << QStringLiteral("SELECT Bankfz.Shproje,Bankfz.Shsk,Bankfz.Tabage,Bankfz.Shvahed,")
             << QStringLiteral("Bankfz.Faza,Bankfz.Codefaza,Bankfz.Ertefa,Bankfz.Ti_,Bankfz.A_,")
             << QStringLiteral("Bankfz.P_,Bankfz.Air_,Bankfz.To_,Bankfz.V_,Bankfz.Radiat,")
             << QStringLiteral("Bankfz.Modelradiat,Bankfz.V_varm,Bankfz.Q_room,Bankfz.T_UH,Bankfz.E_Kore,")
             << QStringLiteral("Bankfz.E_Rad,Bankfz.E_Hav,Bankfz.Te_Hav,Bankfz.To_Mo_Hav,Bankfz.V_Kore,")
             << QStringLiteral("Bankfz.K_Oft_F_Hav,Bankfz.CFM_Hav,Bankfz.Gh_Hav,Bankfz.Coun_Hav ")
             << QStringLiteral("FROM Bankvh,Bankfz WHERE (Bankvh.Shproje=:shproje)")
             << QStringLiteral("AND (Bankfz.Shproje=:shproje) AND (Bankvh.Shproje=Bankfz.Shproje) ")
             << QStringLiteral("AND (Bankvh.Shsk = Bankfz.Shsk) AND (Bankvh.Tabage = Bankfz.Tabage) ")
             << QStringLiteral("AND (Bankvh.Shvahed = Bankfz.Shvahed) AND (Bankfz.Te_Hav>0) ")
             << QStringLiteral("order by Bankfz.Shproje, Bankfz.Shsk, Bankfz.Tabage, Bankfz.Shvahed, Bankfz.Codefaza");
    q->paramByName(QStringLiteral("shproje")).setAsFloat(project);
    q->open();
}

void TReport11::QRSubDetail1BeforePrint()
{
    pf::db::Query *q = DM1 ? DM1->Query5 : nullptr;
    const bool row = q && q->active() && !q->isEmpty();
    auto value = [&](const char *f) { return row ? q->fieldByName(QString::fromLatin1(f)).asFloat() : 0.0; };
    QRLabel7->text = eq::convertSk(whole(value("Tabage")));
    QRLabel13->text = roundedText(value("CFM_Hav"));
    const int k = whole(value("Coun_Hav"));
    const eq::FanCatalogueTable &fans = eq::catalogues().FanCatalogue;
    const bool chosen = fans.hasRow(k);
    QRLabel15->text = chosen ? fans.motorSpeed(k) : QString::fromLatin1(kTextNoFan);
    QRLabel16->text = chosen ? fans.power(k) : QString::fromLatin1(kTextNoFan);
}
