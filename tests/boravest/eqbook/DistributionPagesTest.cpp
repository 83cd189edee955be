// The booklet's heating pages: steel radiators and unit heaters over many
// spaces and pages against the per-space sizings, rows whose stored data
// cannot be read, blank rows after a sizing that stops, and the expansion
// tank, burner and chimney page against the plain sizings, build after
// build.
#include "EqBookletFixture.h"
#include "boravest/sizing/UnitHeaterCases.h"

#include "boravest/eqbook/PageLayout.h"
#include "boravest/eqbook/RepUnit6.h"
#include "boravest/eqbook/RepUnit7.h"
#include "boravest/eqbook/RepUnit8.h"
#include "boravest/eqbook/U23.h"
#include "boravest/sizing/Catalogues.h"
#include "boravest/sizing/ExtractFans.h"
#include "boravest/sizing/Furnaces.h"
#include "boravest/sizing/UnitHeaters.h"
#include "boravest/equipment/U_15.h"
#include "boravest/equipment/U_15Booklet.h"
#include "platform/common/Numbers.h"

namespace eq = bv::sizing;
using bv::eqbook::roundedText;

namespace {

QString twoDecimals(double v) { return pf::floatToStr(pf::roundHalfEven(v, 2)); }

class DistributionPagesTest : public EqBookletFixture {
protected:
    // Floors 0..floors-1 of two units, each with `perUnit` spaces named
    // "F<floor>U<unit>S<k>": odd k with radiators, even k with two unit
    // heaters.
    void heatingProject(double p, int floors, int perUnit, const QString &extra = QString())
    {
        project(p, QStringLiteral("tabriz"));
        double code = 0;
        for (int f = 0; f < floors; ++f)
            for (int u = 1; u <= 2; ++u) {
                unit(p, f, u);
                for (int k = 1; k <= perUnit; ++k) {
                    building::SpaceRow s;
                    s.Ti_ = 68;
                    s.To_ = -4;
                    s.A_ = 200;
                    s.V_ = 1500 + 150 * k + 40 * f;
                    s.Air_ = 1;
                    space(p, f, u, ++code, QStringLiteral("F%1U%2S%3").arg(f).arg(u).arg(k), s);
                }
            }
        db()->exec(QStringLiteral("UPDATE bankfz SET E_Rad = 1, T_UH = 0 WHERE Shproje = ? AND Codefaza % 2 = 1"), {p});
        db()->exec(QStringLiteral("UPDATE bankfz SET E_Rad = 0, T_UH = 2 WHERE Shproje = ? AND Codefaza % 2 = 0"), {p});
        equipmentRecord(p, extra);
    }
    void equipmentRecord(double p, const QString &extra = QString())
    {
        db()->exec(QStringLiteral("INSERT INTO Tajhizat (Shproje, DAbgarm, S_R_PG_R, D_F_PG_UH, TySo, HU, Rand_Mash, "
                                  "Te_Dig, Rand_Dig, K_A_Dig, V_B_M_E, T_L_Baz, W_L_Baz, Typ_ME, ErtefaS, TeDo, TAmD, "
                                  "TOfD, Randeman) VALUES (?, 180, 0, 0, 0, 1000, 80, 1, 80, 10, 0, 0, '100,,50,', 0, "
                                  "40, 1, 30, 10, 70)"),
                   {p});
        if (!extra.isEmpty())
            db()->exec(QStringLiteral("UPDATE Tajhizat SET %1 WHERE Shproje = ?").arg(extra), {p});
    }
    static QStringList column(pf::db::Query *q, const char *field)
    {
        QStringList out;
        for (q->first(); !q->eof(); q->next())
            out << q->fieldByName(QString::fromLatin1(field)).asString();
        return out;
    }
};

} // namespace

TEST_F(DistributionPagesTest, RadiatorAndUnitHeaterRowsOverManySpacesEqualTheSizings)
{
    heatingProject(30, 4, 8); // 32 radiator and 32 unit-heater spaces
    build(30, {9, 10});
    ASSERT_EQ(previews, 1);
    ASSERT_GE(lastDoc.pages.size(), 4); // each table runs over more than a page

    eq::RadiatorInputs rin;
    rin.S_R_PG_R = 0;
    rin.DAbgarm = 180;
    rin.site = sites[30];
    rin.units = eq::loadSizingUnits(*db(), 30);
    const eq::RadiatorResults rad = eq::sizeRadiators(rin);
    ASSERT_EQ(rad.spaces.size(), 32u);
    EXPECT_EQ(Report6->QRLabel24->text, QStringLiteral("600*150"));
    EXPECT_EQ(Report6->QRLabel16->text, roundedText(rad.waterTotal));
    EXPECT_EQ(Report6->QRLabel23->text, roundedText(rad.surfaceTotal));
    onRecord(30);
    const eq::RadiatorResults op = FormT2->ESRad(2);
    EXPECT_EQ(Report6->QRLabel16->text, roundedText(op.waterTotal));

    // Row by row, in the query's order, the cells of that space's sizing.
    const QStringList names = column(DM1->Query3, "Faza");
    ASSERT_EQ(names.size(), 32);
    ASSERT_EQ(Report6->rows().size(), 32u);
    for (int i = 0; i < names.size(); ++i) {
        const auto s = std::find_if(rad.spaces.begin(), rad.spaces.end(),
                                    [&](const eq::RadiatorSpaceResult &x) { return x.place.Faza == names[i]; });
        ASSERT_NE(s, rad.spaces.end()) << names[i].toStdString();
        const RadiatorPageRow &row = Report6->rows()[std::size_t(i)];
        EXPECT_EQ(row.sections, QString::number(s->sections));
        EXPECT_EQ(row.surface, twoDecimals(s->surface));
        EXPECT_EQ(row.length, twoDecimals(s->length));
        EXPECT_EQ(row.water, twoDecimals(s->water));
        EXPECT_EQ(row.weight, twoDecimals(s->weight));
        EXPECT_EQ(row.factor, pf::floatToStr(eq::perspace::roundX(s->factor)));
        EXPECT_EQ(row.floor, FormT2->convert_sk(int(s->place.Tabage)));
    }

    eq::UnitHeaterInputs uin;
    uin.D_F_PG_UH = 0;
    uin.DAbgarm = 180;
    uin.site = sites[30];
    uin.units = eq::loadSizingUnits(*db(), 30);
    const eq::UnitHeaterResults uh = eq::sizeUnitHeaters(uin);
    const QStringList uhNames = column(DM1->Query4, "Faza");
    ASSERT_EQ(uhNames.size(), 32);
    ASSERT_EQ(Report7->rows().size(), 32u);
    for (int i = 0; i < uhNames.size(); ++i) {
        const auto s = std::find_if(uh.spaces.begin(), uh.spaces.end(),
                                    [&](const eq::UnitHeaterSpaceResult &x) { return x.place.Faza == uhNames[i]; });
        ASSERT_NE(s, uh.spaces.end());
        ASSERT_GT(s->row, 0);
        const UnitHeaterPageRow &row = Report7->rows()[std::size_t(i)];
        EXPECT_EQ(row.model, s->model);
        EXPECT_EQ(row.capacity, s->capacity);
        EXPECT_EQ(row.airFlow, s->airFlow);
        EXPECT_EQ(row.fanSpeed, s->fanSpeed);
        EXPECT_EQ(row.count, QStringLiteral("2"));
        EXPECT_EQ(row.factor, pf::floatToStr(pf::roundHalfEven(s->factor, 2)));
    }

    // Every space of both tables is printed, the last rows on later pages.
    const QStringList printed = reporttest::allTexts(lastDoc);
    for (const QString &n : names + uhNames)
        EXPECT_TRUE(printed.contains(n)) << n.toStdString();
    EXPECT_TRUE(reporttest::texts(lastDoc.pages[lastDoc.pages.size() - 1]).contains(uhNames.last()));
    EXPECT_FALSE(testsupport::takeMessages().contains(QString::fromUtf8(TReport7::kMsgUnrealData)));
}

TEST_F(DistributionPagesTest, UnitHeaterPagePrintsTheWorkedCases)
{
    double p = 40;
    for (const UnitHeaterCase &c : kUnitHeaterCases) {
        SCOPED_TRACE(c.what);
        project(++p, QStringLiteral("tabriz"));
        db()->exec(QStringLiteral("UPDATE Bank1 SET To1 = ? WHERE SHPROJE = ?"), {c.to1, p});
        unit(p, 0, 1, 0, 0);
        space(p, 0, 1, 1, QStringLiteral("s"), room(c.ti, c.to1, 100, 0, 0));
        surface(p, 0, 1, 1, {QStringLiteral("ديوار"), 0, 0, 0, 100, 0, 0, 0, c.load / (100 * c.ti), 0});
        db()->exec(QStringLiteral("UPDATE bankfz SET T_UH = ? WHERE Shproje = ?"), {c.heaters, p});
        equipmentRecord(p, QStringLiteral("DAbgarm = %1").arg(c.water));
        build(p, {10});
        ASSERT_EQ(Report7->rows().size(), 1u);
        EXPECT_EQ(Report7->rows()[0].factor, QString::fromLatin1(c.factor));
        EXPECT_EQ(Report7->rows()[0].model, QString::fromLatin1(c.model));
    }
}

TEST_F(DistributionPagesTest, StoredRowsThatCannotBeReadPrintBlankAndWarnOncePerBuild)
{
    // Radiator rows: sections read from the stored text with "0" in front.
    const struct {
        const char *stored;
        int model;
        int floor;
        RadiatorPageRow row;
    } radiators[] = {
        {"12", 0, 0, {"همكف", "1.1", "12", "2.76", "540", "2.95", "26.4"}},
        {"", 3, -5, {"منهاي پنج", "1.1", "0", "0", "0", "0", "0"}},
        {"ab", 0, 51, {"51", "1.1", "", "", "", "", ""}},
        {"7.5", 0, 1, {"اول", "1.1", "", "", "", "", ""}},
        {"12", -1, 1, {"اول", "1.1", "12", "", "", "", ""}},
    };
    for (const auto &c : radiators) {
        SCOPED_TRACE(c.stored);
        const RadiatorPageRow r = TReport6::rowOf({c.floor, QStringLiteral("1.1"), QString::fromUtf8(c.stored)}, c.model);
        for (auto m : {&RadiatorPageRow::floor, &RadiatorPageRow::factor, &RadiatorPageRow::sections,
                       &RadiatorPageRow::surface, &RadiatorPageRow::length, &RadiatorPageRow::water,
                       &RadiatorPageRow::weight})
            EXPECT_EQ(r.*m, c.row.*m);
    }
    // Unit-heater rows: a model outside the catalogue prints "--" in its
    // cells, never those of another row.
    const struct {
        const char *stored;
        const char *model, *speed;
        bool beyond;
    } heaters[] = {{"9", "UH-", "900", false},  {"10", "UH-", "1400", false}, {"18", "UH-", "1400", false},
                   {"0", "--", "--", false},    {"", "--", "--", false},       {"19", "--", "--", true},
                   {"x1", "--", "--", false}};
    for (const auto &c : heaters) {
        SCOPED_TRACE(c.stored);
        bool beyond = !c.beyond;
        const UnitHeaterPageRow r = TReport7::rowOf({0, QStringLiteral("2"), QStringLiteral("0.9"), QString::fromUtf8(c.stored)}, &beyond);
        EXPECT_TRUE(r.model.startsWith(QString::fromUtf8(c.model)));
        EXPECT_EQ(r.fanSpeed, QString::fromUtf8(c.speed));
        EXPECT_EQ(r.capacity == QStringLiteral("--"), QString::fromUtf8(c.model) == QStringLiteral("--"));
        EXPECT_EQ(r.count, QStringLiteral("2"));
        EXPECT_EQ(beyond, c.beyond);
    }

    // One warning for a build, however many rows are beyond the catalogue.
    EXPECT_TRUE(Report7->build({{0, QStringLiteral("2"), QString(), QStringLiteral("25")},
                                {1, QStringLiteral("2"), QString(), QStringLiteral("19")}}));
    EXPECT_FALSE(Report7->build({{0, QStringLiteral("2"), QString(), QStringLiteral("18")}}));
}

// A per-space sizing that stops while the booklet is built leaves its spaces
// blank: nothing of the good build before it is printed.
TEST_F(DistributionPagesTest, AStoppedSpaceSizingPrintsBlanksNotTheLastRunsValues)
{
    const double p = 31;
    heatingProject(p, 1, 6,
                   QStringLiteral("Rand_Kore = 80, K_A_Kore = 50, D_H_B_Kore = 100, D_H_T_Kore = 0, "
                                  "So_Kh_H_Hav = 1000, Oft_f_kan_Hav = 0.1"));
    db()->exec(QStringLiteral("UPDATE bankfz SET E_Kore = 1, Te_Hav = 1, To_Mo_Hav = 20 WHERE Shproje = ?"), {p});
    const auto stored = [&] {
        return db()->select(QStringLiteral("SELECT Q_room, Radiat, Modelradiat, V_Kore, CFM_Hav, Coun_Hav FROM bankfz "
                                           "WHERE Shproje = ?"),
                            {p}).rows;
    };
    build(p, {5, 8, 9, 10});
    testsupport::takeMessages();
    QStringList earlier; // loads and air volumes the good build printed
    for (const QVariantList &r : stored()) {
        ASSERT_FALSE(r.value(0).isNull() || r.value(2).isNull() || r.value(3).isNull() || r.value(4).isNull());
        earlier << roundedText(r.value(0).toDouble()) << roundedText(r.value(4).toDouble());
    }
    for (const QString &t : earlier)
        ASSERT_TRUE(reporttest::allTexts(lastDoc).contains(t)) << t.toStdString();

    // No hot-water temperature, fan speed, air density or outlet velocity.
    db()->exec(QStringLiteral("UPDATE Tajhizat SET DAbgarm = 0, D_F_PG_UH = -1, So_Kh_H_Hav = 0 WHERE Shproje = ?"),
               {p});
    db()->exec(QStringLiteral("UPDATE Bank1 SET Ga = 0 WHERE SHPROJE = ?"), {p});
    build(p, {5, 8, 9, 10});
    ASSERT_EQ(previews, 2);
    const QStringList messages = testsupport::takeMessages();
    for (const char *m : {eq::kHotWaterTempMessage, eq::kFanSpeedMessage, eq::kAirDensityMessage,
                          eq::kOutletVelocityMessage})
        EXPECT_EQ(messages.count(QString::fromUtf8(m)), 1) << m;
    for (const QVariantList &r : stored())
        for (const QVariant &v : r)
            EXPECT_TRUE(v.isNull());
    ASSERT_EQ(Report6->rows().size(), 6u);
    for (const RadiatorPageRow &r : Report6->rows())
        EXPECT_TRUE(r.factor.isEmpty() && r.sections == QStringLiteral("0"));
    ASSERT_EQ(Report7->rows().size(), 6u);
    for (const UnitHeaterPageRow &r : Report7->rows())
        EXPECT_TRUE(r.factor.isEmpty() && r.model == QStringLiteral("--"));
    const QStringList printed = reporttest::allTexts(lastDoc);
    for (const QString &t : earlier)
        EXPECT_FALSE(printed.contains(t)) << t.toStdString();
}

TEST_F(DistributionPagesTest, UnitHeaterSpacesAreSizedWheneverTheirPageIsTicked)
{
    // No expansion tank: section 11 is dropped, yet the unit-heater page
    // prints what the sizing stores in this build.
    heatingProject(32, 1, 4);
    build(32, {10});
    ASSERT_EQ(previews, 1);
    EXPECT_EQ(ReportSections[11], false);
    EXPECT_EQ(db()->select(QStringLiteral("SELECT COUNT(*) FROM bankfz WHERE Shproje = 32 AND T_UH > 0 AND "
                                          "Modelradiat <> ''")).rows.value(0).value(0).toInt(),
              4);
    for (const UnitHeaterPageRow &r : Report7->rows())
        EXPECT_TRUE(r.model.startsWith(QStringLiteral("UH-")));

    // A project without such spaces prints no row and nothing of the last.
    // Nor does the radiator page, which keeps its title and zero totals.
    heatingProject(33, 1, 1);
    db()->exec(QStringLiteral("UPDATE bankfz SET T_UH = 0, E_Rad = 0 WHERE Shproje = 33"));
    build(33, {9, 10});
    EXPECT_TRUE(Report7->rows().empty() && Report6->rows().empty());
    const QStringList printed = reporttest::allTexts(lastDoc);
    EXPECT_FALSE(printed.contains(QStringLiteral("F0U1S2")));
    EXPECT_FALSE(printed.contains(QStringLiteral("طبقه"))); // no headings
    EXPECT_TRUE(printed.contains(QStringLiteral(":(gal)كل حجم آب رادياتورها")));
    EXPECT_EQ(Report6->QRLabel16->text, QStringLiteral("0"));
}

TEST(DistributionPagesPlain, ExpansionTankBlockForEveryKindAfterAnyOther)
{
    TReport8 page;
    TReport8 *p = &page;
    const eq::Catalogues &cat = eq::catalogues();
    auto size = [](int kind, int material, const QString &list, int height, bool discharge) {
        eq::ExpansionTankInputs in;
        in.Typ_ME = kind;
        in.T_L_Baz = material;
        in.lengths = eq::pipeLengthTextsFromList(list);
        in.V_B_M_E = 60;
        in.Chk_nsbM = discharge;
        in.DAbgarm = 180;
        in.ErtefaS = height;
        in.hed_pmpsir = 20;
        in.boilerTotalLoad = 600000;
        in.reportMode = true;
        return eq::sizeExpansionTank(in);
    };
    const QString tooLow = QStringLiteral("با توجه به نصب منبع در مسير رانش پمپ");
    const struct {
        const char *what;
        int kind, material;
        const char *list;
        int height;
        bool discharge;
        const char *message; // first message line, "" none
        bool table;
    } cases[] = {
        {"open, steel", 0, 0, "100,,50,", 40, false, "", true},
        {"diaphragm too low for a closed tank", 1, 0, "100,", 3, false, "با توجه به نصب", false},
        {"diaphragm", 1, 1, "100,200,", 60, false, "", true},
        {"hydropneumatic on the discharge, pump head above the height", 2, 0, "", 10, true, "با توجه به نصب", false},
        {"hydropneumatic", 2, 0, "30,", 60, false, "", true},
        {"open, unreadable lengths", 0, 0, "1x,", 40, false, "طول لوله", false},
        {"open, steel again", 0, 0, "100,,50,", 40, false, "", true},
        {"no such kind", 7, 2, "5,", 40, false, "", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const eq::ExpansionTankResults r = size(c.kind, c.material, QString::fromLatin1(c.list), c.height, c.discharge);
        p->buildExpansionTank({c.material, QString::fromLatin1(c.list), c.kind, c.height}, r);
        const QString message = QString::fromUtf8(c.message);
        EXPECT_EQ(p->QRLabel32->enabled, !message.isEmpty());
        if (!message.isEmpty()) {
            EXPECT_TRUE(p->QRLabel32->text.startsWith(message)) << p->QRLabel32->text.toStdString();
        }
        if (message == QStringLiteral("با توجه به نصب")) {
            EXPECT_EQ(p->QRLabel32->text, tooLow);
        }
        EXPECT_EQ(p->QRLabel86->enabled, c.table);
        EXPECT_EQ(p->tankValues[0]->enabled, c.table);
        EXPECT_EQ(p->QRLabel25->enabled, c.table && c.kind != 0);
        EXPECT_EQ(p->ImgMEn1->enabled, c.kind == 0);
        EXPECT_EQ(p->ImgMen2->enabled, c.kind == 1);
        EXPECT_EQ(p->ImgMen3->enabled, c.kind == 2);
        EXPECT_EQ(p->QRLabel14->text.isEmpty(), c.kind > 2);
        EXPECT_EQ(p->QRLabel70->text, roundedText(r.tankWaterGal));
        EXPECT_EQ(p->QRLabel65->text, roundedText(r.pipeWaterGal));
        // Lengths as stored; an empty or missing entry is no pipe.
        const eq::PipeLengthTexts lengths = eq::pipeLengthTextsFromList(QString::fromLatin1(c.list));
        for (int i = 0; i < 19; ++i)
            EXPECT_EQ(p->lengthCells[std::size_t(i)]->text,
                      lengths[std::size_t(i)].isEmpty() ? QStringLiteral("0") : lengths[std::size_t(i)]);
        EXPECT_EQ(p->lengthCells[15]->enabled, c.material != 1);
        EXPECT_EQ(p->pipeFrames[37]->enabled, c.material != 1);
        EXPECT_EQ(p->sizeHeadings[0]->text,
                  c.material == 0 ? QStringLiteral("1/2") : c.material == 1 ? QStringLiteral("1/4") : QString());
        if (c.table) {
            ASSERT_GT(r.row, 0);
            const eq::TextCatalogue &t = c.kind == 0 ? static_cast<const eq::TextCatalogue &>(cat.OpenExpansionTanks)
                                         : c.kind == 1 ? static_cast<const eq::TextCatalogue &>(cat.DiaphragmTanks)
                                                       : static_cast<const eq::TextCatalogue &>(cat.HydropneumaticTanks);
            EXPECT_EQ(p->tankValues[0]->text, t.cell(r.row, 1));
            EXPECT_EQ(p->tankValues[1]->text, t.cell(r.row, c.kind == 0 ? 4 : 2));
            EXPECT_EQ(p->tankValues[5]->enabled, c.kind == 0);
            EXPECT_EQ(p->QRLabel6->text, TReport8::connectionPipeSize(r.connectionPipeMm));
            if (c.kind == 1) {
                EXPECT_EQ(p->QRLabel25->text, QStringLiteral("26")); // 60 / 2.31
            }
        }
    }
    // A row beyond the catalogue prints blank cells.
    eq::ExpansionTankResults beyond = size(1, 0, QStringLiteral("100,"), 60, false);
    beyond.row = 9;
    p->buildExpansionTank({0, QStringLiteral("100,"), 1, 60}, beyond);
    EXPECT_TRUE(p->tankValues[0]->enabled && p->tankValues[0]->text.isEmpty());

    const struct {
        double mm;
        const char *size;
    } pipes[] = {{26, "3/4"}, {26.5, "1"}, {33, "1"}, {42.1, "1/2 1"}, {165, "6"}, {165.5, ""}, {0, ""}};
    for (const auto &c : pipes)
        EXPECT_EQ(TReport8::connectionPipeSize(c.mm), QString::fromLatin1(c.size)) << c.mm;
}

TEST(DistributionPagesPlain, BurnerBlockForEachFuelAndFailureLeavesNothingOfTheLast)
{
    TReport8 page;
    TReport8 *p = &page;
    const eq::FuelTankCatalogueTable &tanks = eq::catalogues().BurnerCatalogue;
    auto size = [](double q, int r, int fuel, int hu) {
        eq::BurnerInputs in;
        in.capacityPerBoiler = q;
        in.Rand_Mash = r;
        in.TySo = fuel;
        in.HU = hu;
        in.Hi = 3900;
        return eq::sizeBurner(in);
    };
    const QString litres = QStringLiteral(":(lit)حجم سوخت منبع");
    const struct {
        const char *what;
        double q;
        int efficiency, fuel, hu;
        int row; // fuel-tank row printed, 0 no table
        bool daysNote;
    } cases[] = {
        {"gas oil, worked example", 432000, 80, 0, 0, 12, false},
        {"gas oil beyond the largest tank", 1400000, 80, 0, 0, 17, true},
        {"efficiency out of range", 432000, 20, 0, 0, 0, false},
        {"city gas without a heating value", 432000, 80, 1, 0, 0, false},
        {"gas oil again", 432000, 80, 0, 0, 12, false},
        {"city gas", 432000, 80, 1, 1055, 0, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const eq::BurnerResults r = size(c.q, c.efficiency, c.fuel, c.hu);
        p->buildBurner(c.fuel, r);
        EXPECT_EQ(p->QRLabel101->text, litres);
        EXPECT_EQ(p->fuelValues[0]->enabled, c.row > 0);
        EXPECT_EQ(p->fuelValues[0]->text, c.row > 0 ? tanks.cell(c.row, 1) : QString());
        if (c.row > 0) {
            EXPECT_EQ(p->fuelValues[8]->text, tanks.cell(c.row, 9));
        }
        EXPECT_EQ(p->QRLabel4->enabled, c.daysNote);
        EXPECT_EQ(p->QRLabel7->text, c.daysNote ? QString::number(r.tankDays) + QString::fromUtf8(TReport8::kTextDaysSuffix)
                                                : QString::fromUtf8(TReport8::kTextStandardCapacity));
        if (r.stopped) {
            for (pf::report::Label *l : {p->QRLabel75, p->QRLabel16, p->QRLabel106, p->QRLabel107, p->QRLabel108})
                EXPECT_TRUE(l->text.isEmpty());
            EXPECT_FALSE(p->ImgMashal1->enabled || p->ImgMashal2->enabled || p->ImgMnbsok->enabled ||
                         p->QRLabel7->enabled || p->QRLabel33->enabled);
            continue;
        }
        EXPECT_EQ(p->QRLabel106->text, roundedText(r.burnerPower));
        EXPECT_EQ(p->QRLabel107->text, roundedText(r.fuelUse));
        EXPECT_EQ(p->QRLabel16->text, roundedText(r.altitudeFactor));
        EXPECT_EQ(p->ImgMashal1->enabled, c.fuel == 0);
        EXPECT_EQ(p->ImgMnbsok->enabled, c.fuel == 0);
        EXPECT_EQ(p->QRLabel108->enabled, c.fuel == 0);
        EXPECT_EQ(p->QRLabel33->enabled, c.fuel == 1);
        if (c.fuel == 1) {
            EXPECT_EQ(p->QRLabel33->text, QStringLiteral("ارزش حرارتي سوخت گازي معادل %1  (Btu/Cu.ft) در نظر گرفته شده است.")
                                              .arg(c.hu > 0 ? c.hu : 950));
        } else {
            EXPECT_EQ(p->QRLabel108->text, roundedText(r.fuelStore));
        }
    }

    eq::ChimneyInputs ch;
    ch.TAmD = 30;
    ch.TOfD = 10;
    ch.TeDo = 1;
    ch.capacityPerBoiler = 400000;
    const eq::ChimneyResults c = eq::sizeChimney(ch);
    p->buildChimney(c);
    EXPECT_EQ(p->QRLabel148->text, QStringLiteral("35"));
    EXPECT_EQ(p->QRLabel149->text, roundedText(c.areaSqIn));
    EXPECT_EQ(p->QRLabel150->text, QStringLiteral("13"));
    EXPECT_EQ(p->QRLabel151->text, QStringLiteral("12*12"));
    p->buildChimney({});
    EXPECT_EQ(p->QRLabel148->text, QStringLiteral("0"));
    EXPECT_TRUE(p->QRLabel151->text.isEmpty());
}

TEST_F(DistributionPagesTest, ExpansionTankPageThroughTheBookletEqualsTheOperations)
{
    heatingProject(34, 1, 2, QStringLiteral("V_B_M_E = 60, Typ_ME = 0, DAbgarm = 180"));
    build(34, {11});
    ASSERT_EQ(previews, 1);
    EXPECT_TRUE(reporttest::allTexts(lastDoc).contains(QStringLiteral("منبع انبساط")));
    EXPECT_EQ(Report8->lengthCells[0]->text, QStringLiteral("100"));
    EXPECT_EQ(Report8->lengthCells[1]->text, QStringLiteral("0"));
    EXPECT_EQ(Report8->lengthCells[2]->text, QStringLiteral("50"));
    EXPECT_EQ(Report8->QRLabel40->text, QStringLiteral("فولادي"));
    EXPECT_EQ(Report8->QRLabel14->text, QStringLiteral("باز"));
    testsupport::takeMessages();
    onRecord(34);
    const eq::BurnerResults burner = FormT2->EntMashal(2);
    const eq::ExpansionTankResults tank = FormT2->MEnBaz(2);
    const eq::ChimneyResults chimney = FormT2->PrDodkesh(2);
    testsupport::takeMessages();
    ASSERT_FALSE(burner.stopped);
    EXPECT_EQ(Report8->QRLabel106->text, roundedText(burner.burnerPower));
    EXPECT_EQ(Report8->QRLabel108->text, roundedText(burner.fuelStore));
    EXPECT_EQ(Report8->QRLabel69->text, roundedText(tank.boilerWaterGal));
    EXPECT_EQ(Report8->QRLabel148->text, roundedText(chimney.heightFt));
    EXPECT_EQ(Report8->QRLabel151->text, chimney.squareSize);
}
