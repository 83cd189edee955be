// The booklet pages of the collectors and risers, the circulation pump with
// the softener, and the extract fans: their values against the sizings, the
// per-unit and per-space rows over many pages, and rows and states that
// never keep what an earlier row or build printed.
#include "../building/BookletFixture.h"

#include "boravest/data/CollectorsStore.h"
#include "boravest/eqbook/PageLayout.h"
#include "boravest/eqbook/RepUnit10.h"
#include "boravest/eqbook/RepUnit11.h"
#include "boravest/eqbook/RepUnit9.h"
#include "boravest/eqbook/U23.h"
#include "boravest/sizing/Catalogues.h"
#include "boravest/sizing/SpaceSizing.h"
#include "boravest/equipment/U_15.h"
#include "boravest/equipment/U_15Booklet.h"
#include "platform/common/Numbers.h"

namespace eq = bv::sizing;
using bv::eqbook::roundedText;
using pf::report::Band;

namespace {

class PlantPagesTest : public BookletFixture {
protected:
    void SetUp() override
    {
        BookletFixture::SetUp();
        if (HasFatalFailure())
            return;
        for (int i = 0; i <= 12; ++i)
            Form23->setSectionTicked(i, false);
    }

    // A project of `floors` x `perFloor` units, each with `spaces` spaces
    // walled so that every unit has its own load, and its equipment record.
    void bigProject(double p, int floors, int perFloor, int spaces)
    {
        project(p);
        for (int f = 0; f < floors; ++f)
            for (int u = 1; u <= perFloor; ++u) {
                unit(p, f, u);
                for (int s = 1; s <= spaces; ++s) {
                    space(p, f, u, s, QStringLiteral("room%1").arg(s), room(70, 10, 120, 960 + 40 * s, 1));
                    surface(p, f, u, s, wall(0, 1, s % 8, 100 + 300 * (f * perFloor + u) + 20 * s, 0.5, 10));
                }
            }
        db()->exec(QStringLiteral("INSERT INTO Tajhizat (Shproje, EkhtDama, OfteFeshar, Typ_MAM, ErtefaS, TolRadiat, "
                                  "Te_Sir, Rand_sir, Oft_F_B_U_Sir, Oft_F_D_K_Sir, K_B_L_Sir, Te_SG, S_Sh_SG, "
                                  "RandeSkgir, SakhAb, Typ_ME, Oft_f_kan_Hav, So_Kh_H_Hav) VALUES "
                                  "(?, 20, 4, 2, 300, 150, 1, 70, 10, 12, 80, 1, 24, 50, 171, 0, 0.1, 4000)"),
                   {p});
    }

    void buildBooklet(double p, std::initializer_list<int> ticks)
    {
        DM1->Table1->close();
        DM1->Table1->open();
        ASSERT_TRUE(DM1->Table1->locate(QStringLiteral("SHPROJE"), {p}));
        Form23->Label16Click();
        for (int i : ticks)
            Form23->setSectionTicked(i, true);
        const int before = previews;
        Form23->Bt1Click();
        testsupport::takeMessages();
        ASSERT_EQ(previews, before + 1);
    }

    // The record of the project current, open, as the operations read it.
    void onRecord(double p)
    {
        DM1->Table1->locate(QStringLiteral("SHPROJE"), {p});
        DM1->Table12->open();
    }

    // Renders one page alone over the project's rows, as the booklet does.
    pf::report::Document renderAlone(double p, pf::report::Report &page)
    {
        DM1->Table1->close();
        DM1->Table1->open();
        EXPECT_TRUE(DM1->Table1->locate(QStringLiteral("SHPROJE"), {p}));
        DM1->Table3->close();
        DM1->Table3->setIndexName(QStringLiteral("IPT"));
        DM1->Table3->open();
        DM1->Table3->first();
        pf::report::Document doc = page.render();
        DM1->Table3->close();
        return doc;
    }

    struct PrintedRow {
        double floor, unit;
        QString a, b; // collectors: size, velocity; fans: floor name, air volume
        QString c, d; // fans: speed, power
        bool operator<(const PrintedRow &o) const { return std::tie(floor, unit, a, b) < std::tie(o.floor, o.unit, o.a, o.b); }
        bool operator==(const PrintedRow &o) const = default;
    };
    std::vector<PrintedRow> collectorRows, fanRows;

    void recordRows()
    {
        Report9->QRSubDetail1->afterPrint = [this](Band &, bool printed) {
            if (printed)
                collectorRows.push_back({DM1->Table3->fieldByName(QStringLiteral("Tabage")).asFloat(),
                                         DM1->Table3->fieldByName(QStringLiteral("Shvahed")).asFloat(),
                                         Report9->QRLabel29->text, Report9->QRLabel32->text, {}, {}});
        };
        Report11->QRSubDetail1->afterPrint = [this](Band &, bool printed) {
            if (printed)
                fanRows.push_back({DM1->Query5->fieldByName(QStringLiteral("Tabage")).asFloat(),
                                   DM1->Query5->fieldByName(QStringLiteral("Shvahed")).asFloat(),
                                   Report11->QRLabel7->text, Report11->QRLabel13->text, Report11->QRLabel15->text,
                                   Report11->QRLabel16->text});
        };
    }
};

} // namespace

TEST_F(PlantPagesTest, CollectorSizesFromTheSizingAndNothingOfAnEarlierBuild)
{
    Report9->build({.collectorDiameterIn = 2.5, .collectorLengthIn = 37.83, .inletDiameterIn = 2.4,
                    .jacuzziConnection = QStringLiteral("1/4 1"), .poolConnection = QStringLiteral("2"),
                    .tankConnection = QStringLiteral("3/4"), .units = {}, .messages = {}});
    EXPECT_EQ(Report9->QRLabel23->text, QStringLiteral("1/2 2")); // two and a half, fraction first
    EXPECT_EQ(Report9->QRLabel2->text, QStringLiteral("2.4"));
    EXPECT_EQ(Report9->QRLabel31->text, QStringLiteral("37.83"));
    EXPECT_EQ(Report9->QRLabel24->text, QStringLiteral("1/4 1"));
    EXPECT_EQ(Report9->QRLabel26->text, QStringLiteral("2"));
    EXPECT_EQ(Report9->QRLabel28->text, QStringLiteral("3/4"));

    // A build without the connections or a collector size leaves none of them.
    Report9->build(eq::CollectorsResults{});
    for (pf::report::Label *l : {Report9->QRLabel24, Report9->QRLabel26, Report9->QRLabel28})
        EXPECT_TRUE(l->text.isEmpty()) << l->name().toStdString();
    EXPECT_EQ(Report9->QRLabel23->text, QStringLiteral("0"));
    EXPECT_EQ(Report9->QRLabel2->text, QStringLiteral("0"));
}

TEST_F(PlantPagesTest, UnitRowsWithRisersOverSeveralPagesEqualTheSizing)
{
    const double p = 30;
    bigProject(p, 6, 10, 1);
    // Every unit but each floor's first has risers, one to three of them.
    db()->exec(QStringLiteral("UPDATE bankvh SET T_Rz = (Shvahed % 3) + 1 WHERE Shproje = ? AND Shvahed > 1"), {p});
    const bv::data::CollectorProject proj = bv::data::readCollectorUnits(*db(), p);
    const eq::CollectorsResults sized = eq::sizeCollectors(
        {.units = proj.units, .site = proj.site, .EkhtDama = 20, .OfteFeshar = 4, .Typ_MAM = 2, .fixtures = {},
         .reportMode = true});
    bv::data::storeCollectorResults(*db(), p, eq::collectorStoreRows(sized));

    std::vector<PrintedRow> expected;
    for (const eq::CollectorUnitResult &u : sized.units)
        if (u.T_Rz > 0) {
            ASSERT_TRUE(u.sized);
            expected.push_back({u.Tabage, u.Shvahed, eq::catalogues().PipeSizeNames.name(u.Col),
                                pf::floatToStr(eq::catalogues().PipeVelocity.cell(u.Row, u.Col)), {}, {}});
        }
    ASSERT_EQ(expected.size(), 54u);

    recordRows();
    buildBooklet(p, {12});
    std::sort(collectorRows.begin(), collectorRows.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(collectorRows, expected);
    EXPECT_GE(lastDoc.pages.size(), 2);
    // The stored loads and flows print as the unit rows hold them.
    const QStringList printed = reporttest::allTexts(lastDoc);
    for (const eq::CollectorUnitResult &u : sized.units)
        EXPECT_TRUE(u.T_Rz <= 0 || printed.contains(pf::floatToStr(u.Q_Vahed))) << u.Q_Vahed;
    // The units' filter is gone once the page is laid out.
    EXPECT_FALSE(DM1->Table3->filtered());

    // The title band is what the operation gives for the same record.
    onRecord(p);
    const eq::CollectorsResults op = FormT2->GhKlvRz(2);
    testsupport::takeMessages();
    EXPECT_EQ(Report9->QRLabel31->text, roundedText(op.collectorLengthIn));
    EXPECT_EQ(Report9->QRLabel28->text, op.tankConnection);
}

TEST_F(PlantPagesTest, RowWithoutSizeOrRowPrintsDashesNotThePreviousRow)
{
    const double p = 31;
    bigProject(p, 1, 6, 1);
    const eq::Catalogues &cat = eq::catalogues();
    // Stored size and row of each unit, and the cells they print.
    const struct {
        int col, row;
        QString size, velocity;
    } cases[] = {
        {7, 1, QStringLiteral("1/2 2"), QStringLiteral("2.5")}, // row 1: the nominal size itself
        {0, 4, QStringLiteral("--"), QStringLiteral("--")},
        {3, 8, cat.PipeSizeNames.name(3), pf::floatToStr(cat.PipeVelocity.cell(8, 3))},
        {5, 0, cat.PipeSizeNames.name(5), QStringLiteral("--")},
        {16, 3, QString(), QString()}, // beyond the pipe tables: blank
        {-2, -1, QStringLiteral("--"), QStringLiteral("--")},
    };
    for (int u = 1; u <= 6; ++u)
        db()->exec(QStringLiteral("UPDATE bankvh SET T_Rz = 1, Col = ?, Row = ? WHERE Shproje = ? AND Shvahed = ?"),
                   {cases[u - 1].col, cases[u - 1].row, p, u});
    recordRows();
    renderAlone(p, Report9->QuickRep1);
    std::sort(collectorRows.begin(), collectorRows.end(), [](auto &a, auto &b) { return a.unit < b.unit; });
    ASSERT_EQ(collectorRows.size(), 6u);
    for (int u = 0; u < 6; ++u) {
        EXPECT_EQ(collectorRows[u].a, cases[u].size) << u;
        EXPECT_EQ(collectorRows[u].b, cases[u].velocity) << u;
    }
    EXPECT_FALSE(DM1->Table3->filtered());
}

TEST_F(PlantPagesTest, PumpAndSoftenerFromTheSizingsInEveryBranch)
{
    const eq::CirculationPumpInputs pin{
        .reportMode = true, .totalLoad = 600000,
        .fittings = eq::fittingsLengthOfLists({QStringLiteral("2,,1,,,,,,,,,,,,,,,,,,,,,,,,,,")}),
        .Oft_F_B_U_Sir = 10, .Oft_F_D_K_Sir = 12, .K_B_L_Sir = 80, .Te_Sir = 1, .Rand_sir = 70, .OfteFeshar = 4,
        .EkhtDama = 20, .TolRadiat = 150, .ErtefaS = 300, .Hi = 5500};
    const eq::CirculationPumpResults pump = eq::sizeCirculationPump(pin);
    ASSERT_FALSE(pump.stopped);
    ASSERT_GT(pin.fittings.length, 0);
    // Open expansion tank, 50 gpm: 5 gpm of soft water, 144000 grain.
    const eq::SoftenerResults soft = eq::sizeSoftener(
        {.Te_SG = 1, .S_Sh_SG = 24, .RandeSkgir = 50, .systemFlowGpm = 50, .SakhAb = 171});
    ASSERT_DOUBLE_EQ(soft.capacityGrain, 144000);
    ASSERT_GT(soft.row, 0);

    TReport10 *r = Report10;
    r->build(pump, pin.fittings, soft);
    EXPECT_EQ(r->QRLabel65->text, roundedText(pump.head));
    EXPECT_EQ(r->QRLabel69->text, roundedText(pump.flowPerPump));
    EXPECT_EQ(r->QRLabel70->text, roundedText(pump.power));
    EXPECT_EQ(r->QRLabel83->text, QStringLiteral("1.5"));
    EXPECT_EQ(r->QRLabel118->text, roundedText(pin.fittings.length));
    EXPECT_EQ(r->QRLabel10->text, QStringLiteral("70"));
    EXPECT_EQ(r->QRLabel106->text, QStringLiteral("144000"));
    const eq::SoftenerCatalogueTable &cat = eq::catalogues().SoftenerCatalogue;
    EXPECT_EQ(r->QRLabel110->text, cat.cell(soft.row, 2));
    EXPECT_EQ(r->QRLabel124->text, cat.cell(soft.row, 5));

    // The installation follows the flow in every branch, whatever came before.
    const struct {
        double flow;
        const char *text;
        bool floor, inLine;
    } flows[] = {{90.5, "زميني", true, false}, {0, "--", false, false},     {90, "خطي", false, true},
                 {-3, "--", false, false},      {120, "زميني", true, false}, {0.2, "خطي", false, true}};
    for (const auto &f : flows) {
        SCOPED_TRACE(f.flow);
        eq::CirculationPumpResults p = pump;
        p.flowPerPump = f.flow;
        r->build(p, pin.fittings, soft);
        EXPECT_EQ(r->QRLabel12->text, QString::fromUtf8(f.text));
        EXPECT_EQ(r->ImgPmpzmini->enabled, f.floor);
        EXPECT_EQ(r->ImgPmpKhati->enabled, f.inLine);
    }

    // No model (none large enough, none needed, or a row outside the
    // catalogue) prints the five cells blank; the capacity still prints.
    const struct {
        double capacity;
        int row;
    } none[] = {{5e7, 0}, {0, 1}, {144000, 18}, {144000, -1}};
    for (const auto &n : none) {
        eq::SoftenerResults s = soft;
        s.capacityGrain = n.capacity;
        s.row = n.row;
        r->build(pump, pin.fittings, s);
        EXPECT_EQ(r->QRLabel106->text, roundedText(n.capacity));
        for (pf::report::Label *l : {r->QRLabel109, r->QRLabel110, r->QRLabel111, r->QRLabel113, r->QRLabel124})
            EXPECT_TRUE(l->text.isEmpty()) << n.row << " " << l->name().toStdString();
    }
}

TEST_F(PlantPagesTest, PumpPageEqualsTheOperationsOfTheRecord)
{
    const double p = 32;
    bigProject(p, 1, 2, 1);
    buildBooklet(p, {2});
    ASSERT_EQ(lastDoc.pages.size(), 1);
    onRecord(p);
    FormT2->MEnBaz(2);
    const eq::CirculationPumpResults pump = FormT2->PmpSir(2);
    const eq::FittingsLength fittings = FormT2->MoTMEtvSh(3);
    const eq::SoftenerResults soft = FormT2->SakhGir(2);
    testsupport::takeMessages();
    EXPECT_EQ(Report10->QRLabel65->text, roundedText(pump.head));
    EXPECT_EQ(Report10->QRLabel69->text, roundedText(pump.flowPerPump));
    EXPECT_EQ(Report10->QRLabel118->text, roundedText(fittings.length));
    EXPECT_EQ(Report10->QRLabel10->text, QString::number(pump.efficiency));
    EXPECT_EQ(Report10->QRLabel106->text, roundedText(soft.capacityGrain));
    // The stored inputs print from the record.
    const QStringList printed = reporttest::texts(lastDoc.pages[0]);
    for (const char *v : {"12", "80", "24", "50"})
        EXPECT_TRUE(printed.contains(QString::fromLatin1(v))) << v;
}

TEST_F(PlantPagesTest, FanRowsOfManySpacesEqualTheSizing)
{
    const double p = 33;
    bigProject(p, 5, 3, 5);
    // Fans in four spaces of five, one to three each; ducts of 0 to 120 ft.
    db()->exec(QStringLiteral("UPDATE bankfz SET Te_Hav = Codefaza % 4, To_Mo_Hav = 30 * (Codefaza - 1), "
                              "V_ = V_ * (1 + 10 * Tabage) WHERE Shproje = ?"),
               {p});
    const eq::ExtractFanResults sized =
        eq::sizeExtractFans({.Oft_f_kan_Hav = 0.1, .So_Kh_H_Hav = 4000, .units = eq::loadSizingUnits(*db(), p)});
    ASSERT_EQ(sized.spaces.size(), 60u);
    std::vector<PrintedRow> expected;
    bool someNone = false, someModel = false;
    for (const eq::ExtractFanSpaceResult &s : sized.spaces) {
        const bool model = s.row > 0;
        (model ? someModel : someNone) = true;
        expected.push_back({s.place.Tabage, s.place.Shvahed, eq::convertSk(int(s.place.Tabage)),
                            roundedText(s.airVolume), model ? s.motorSpeed : QStringLiteral("--"),
                            model ? s.power : QStringLiteral("--")});
    }
    ASSERT_TRUE(someNone && someModel);

    recordRows();
    buildBooklet(p, {5});
    EXPECT_GE(lastDoc.pages.size(), 2);
    // In the order of floors and units, each space as sized.
    ASSERT_EQ(fanRows.size(), expected.size());
    EXPECT_TRUE(std::is_sorted(fanRows.begin(), fanRows.end(),
                               [](auto &a, auto &b) { return std::tie(a.floor, a.unit) < std::tie(b.floor, b.unit); }));
    EXPECT_EQ(fanRows, expected);
    // Floor names and the record's duct data print.
    const QStringList printed = reporttest::allTexts(lastDoc);
    EXPECT_TRUE(printed.contains(QStringLiteral("4000")));
    EXPECT_TRUE(printed.contains(QStringLiteral("همكف")));

    // A second build of a project without fans prints the title alone.
    fanRows.clear();
    const double q = 34;
    bigProject(q, 1, 1, 2);
    buildBooklet(q, {5});
    EXPECT_TRUE(fanRows.empty());
    ASSERT_EQ(lastDoc.pages.size(), 1);
    EXPECT_FALSE(reporttest::texts(lastDoc.pages[0]).contains(QStringLiteral("طبقه")));
}

TEST_F(PlantPagesTest, FanCatalogueRowsOutsideTheCataloguePrintDashes)
{
    const double p = 35;
    bigProject(p, 1, 1, 4);
    const int chosen[] = {4, 0, 5, -1};
    for (int s = 1; s <= 4; ++s)
        db()->exec(QStringLiteral("UPDATE bankfz SET Te_Hav = 1, Coun_Hav = ?, CFM_Hav = 99.567 WHERE Shproje = ? "
                                  "AND Codefaza = ?"),
                   {chosen[s - 1], p, s});
    recordRows();
    renderAlone(p, Report11->QuickRep1);
    ASSERT_EQ(fanRows.size(), 4u);
    const eq::FanCatalogueTable &fans = eq::catalogues().FanCatalogue;
    EXPECT_EQ(fanRows[0].c, fans.motorSpeed(4));
    EXPECT_EQ(fanRows[0].d, fans.power(4));
    EXPECT_EQ(fanRows[0].b, QStringLiteral("99.57"));
    for (int i = 1; i < 4; ++i) {
        EXPECT_EQ(fanRows[i].c, QStringLiteral("--")) << i;
        EXPECT_EQ(fanRows[i].d, QStringLiteral("--")) << i;
    }
}

// A number too large to be written without an exponent prints blank, as a
// value outside its table does; a small one prints in plain digits.
TEST_F(PlantPagesTest, NumbersThatCannotBeWrittenPlainPrintBlank)
{
    const double p = 35;
    bigProject(p, 1, 1, 2);
    db()->exec(QStringLiteral("UPDATE bankfz SET Te_Hav = 1, To_Mo_Hav = 30, "
                              "V_ = CASE Codefaza WHEN 1 THEN 1e18 ELSE V_ END WHERE Shproje = ?"),
               {p});
    db()->exec(QStringLiteral("UPDATE Tajhizat SET Oft_f_kan_Hav = 0.00001 WHERE Shproje = ?"), {p});
    recordRows();
    buildBooklet(p, {5});
    ASSERT_EQ(fanRows.size(), 2u);
    EXPECT_TRUE(fanRows[0].b.isEmpty());
    EXPECT_FALSE(fanRows[1].b.isEmpty());
    const QStringList printed = reporttest::allTexts(lastDoc);
    EXPECT_TRUE(printed.contains(QStringLiteral("0.00001")));
    for (const QString &t : printed)
        EXPECT_FALSE(QRegularExpression(QStringLiteral("\\dE-?\\d")).match(t).hasMatch()) << t.toStdString();
}
