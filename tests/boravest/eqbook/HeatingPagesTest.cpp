// The booklet pages of the pool, the jacuzzi, the boilers and the warm-air
// furnaces: their values against the plain sizings for worked projects,
// every branch after every other leaving nothing behind, catalogue rows
// outside the catalogues printed blank, and the pages built through the
// booklet form equal to the sizing operations of the stored record.
#include "EqBookletFixture.h"

#include "boravest/eqbook/HeatingPages.h"
#include "boravest/eqbook/PageLayout.h"
#include "boravest/eqbook/RepUnit04.h"
#include "boravest/eqbook/RepUnit4.h"
#include "boravest/eqbook/RepUnit5.h"
#include "boravest/eqbook/RepUnitEst.h"
#include "boravest/eqbook/U23.h"
#include "platform/report/ReportTestUtil.h"
#include "boravest/sizing/Catalogues.h"
#include "boravest/sizing/Collectors.h"
#include "boravest/equipment/U_15.h"
#include "boravest/equipment/U_15Booklet.h"
#include "platform/common/Numbers.h"

namespace eq = bv::sizing;
using bv::eqbook::roundedText;
using pf::report::Element;
using pf::report::Label;

namespace {

constexpr int kUnknownType = 7;

bool allEnabled(std::initializer_list<Element *> l, bool on)
{
    return std::all_of(l.begin(), l.end(), [on](Element *e) { return e->enabled == on; });
}
bool allEmpty(std::initializer_list<Label *> l)
{
    return std::all_of(l.begin(), l.end(), [](Label *e) { return e->text.isEmpty(); });
}

// The worked pool (800 sq.ft, 5 ft) and jacuzzi (40 sq.ft, 3 ft, 4 jets) of
// one exchanger each, with their pumps; the jacuzzi's friction loss of 4 ft
// per 100 ft takes the last capacity row.
struct Worked {
    eq::ExchangerResults m;
    eq::PumpsResults s;
};
Worked pool(int type)
{
    eq::ExchangerInputs e{80, 1, 80, 50, 800, 5, 48, 75, type, 180, 15, 0, 2.5, 0};
    Worked w;
    w.m = eq::sizePoolExchanger(e);
    w.s = eq::sizePoolPumps({true, w.m.waterVolume, w.m.totalEnergy, 5, 10, 8, 60, 3, 4, 1, 65, 1, 2, 6, type, 20, 2.5, 0});
    return w;
}
Worked jacuzzi(int type)
{
    eq::ExchangerInputs e{80, 1, 100, 50, 40, 3, 2, 75, type, 180, 15, 4, 4, 0};
    Worked w;
    w.m = eq::sizeJacuzziExchanger(e);
    w.s = eq::sizeJacuzziPumps(
        {true, w.m.waterVolume, w.m.totalEnergy, 5, 10, 8, 60, 3, 4, 2, 65, 1, 1, 0.5, type, 20, 4, 0});
    return w;
}

} // namespace

class HeatingPagesTest : public EqBookletFixture {
protected:
    void update(double p, const QString &set)
    {
        db()->exec(QStringLiteral("UPDATE Tajhizat SET %1 WHERE Shproje = ?").arg(set), {p});
    }
};

TEST_F(HeatingPagesTest, PoolPageForEachExchangerAfterTheOther)
{
    TReportEst *r = ReportEst;
    for (int type : {0, 1, 0, kUnknownType, 1, 0}) {
        SCOPED_TRACE(type);
        const bool hot = type == 0, steam = type == 1;
        const Worked w = pool(steam ? 1 : 0);
        r->build({type}, w.m, w.s);
        EXPECT_TRUE(allEnabled({r->QRLabel98, r->QRDBText8, r->QRLabel61, r->QRLabel75, r->QRLabel55, r->QRLabel78,
                                r->QRLabel58, r->QRLabel79, r->QRLabel82, r->QRLabel87, r->QRLabel64, r->QRLabel77},
                               steam));
        EXPECT_TRUE(allEnabled({r->QRLabel29, r->QRLabel86, r->QRDBText12, r->QRDBText23, r->QRLabel126,
                                r->QRLabel127, r->QRLabel118, r->QRLabel92, r->QRLabel121, r->QRLabel4, r->QRLabel6,
                                r->QRLabel123, r->QRLabel124, r->QRLabel125},
                               hot));
        EXPECT_EQ(r->ImgMbAb->enabled, hot);
        EXPECT_EQ(r->ImgMbB->enabled, steam);
        EXPECT_EQ(r->QRLabel60->text, QStringLiteral("(Sq.ft)سطح حرارتي"));
        if (!hot && !steam) {
            // Nothing sized is printed, nothing of the build before.
            EXPECT_TRUE(allEmpty({r->QRLabel14, r->QRLabel65, r->QRLabel69, r->QRLabel72, r->QRLabel9, r->QRLabel107,
                                  r->QRLabel108, r->QRLabel109, r->QRLabel111, r->QRLabel78, r->QRLabel118}));
            continue;
        }
        EXPECT_EQ(r->QRLabel14->text, hot ? QStringLiteral("آب گرم") : QStringLiteral("بخار"));
        EXPECT_EQ(r->QRLabel65->text, roundedText(w.m.waterVolume));
        EXPECT_EQ(r->QRLabel69->text, roundedText(w.m.totalEnergy));
        EXPECT_EQ(r->QRLabel70->text, roundedText(w.m.startUpEnergy));
        EXPECT_EQ(r->QRLabel71->text, roundedText(w.m.surfaceLoss));
        EXPECT_EQ(r->QRLabel72->text, roundedText(w.m.coilSurface));
        EXPECT_EQ(r->QRLabel9->text, roundedText(w.s.chlorine));
        EXPECT_EQ(r->QRLabel3->text, roundedText(w.s.circulation));
        EXPECT_EQ(r->QRLabel107->text, roundedText(w.s.flowPerPump));
        EXPECT_EQ(r->QRLabel81->text, QStringLiteral("33"));
        EXPECT_EQ(r->QRLabel128->text, QStringLiteral("60"));
        // 3 in at 2.5 ft per 100 ft: the cells as stored, unrounded.
        EXPECT_EQ(r->QRLabel108->text, QStringLiteral("3"));
        EXPECT_EQ(r->QRLabel109->text, QStringLiteral("105"));
        EXPECT_EQ(r->QRLabel110->text, QStringLiteral("4.5"));
        EXPECT_EQ(r->QRLabel112->text, eq::catalogues().SandFilters.cell(w.s.filterRow, 2));
        EXPECT_EQ(r->QRLabel113->text, eq::catalogues().SandFilters.cell(w.s.filterRow, 3));
        if (steam) {
            EXPECT_EQ(r->QRLabel75->text, roundedText(w.m.steamUse));
            EXPECT_EQ(r->QRLabel77->text, roundedText(w.m.trapCapacity));
            EXPECT_EQ(r->QRLabel79->text, roundedText(w.m.vapourEnthalpy));
            EXPECT_EQ(r->QRLabel87->text, roundedText(w.m.latentHeat));
            EXPECT_GT(w.m.vapourEnthalpy, w.m.latentHeat);
            EXPECT_TRUE(allEmpty({r->QRLabel6, r->QRLabel118, r->QRLabel92, r->QRLabel123, r->QRLabel127}));
        } else {
            EXPECT_EQ(r->QRLabel6->text, roundedText(w.s.exchangerFlow));
            EXPECT_EQ(r->QRLabel118->text, roundedText(w.s.flowPerExchangerPump));
            EXPECT_EQ(r->QRLabel92->text, roundedText(w.s.exchangerPumpHead));
            EXPECT_EQ(r->QRLabel121->text, roundedText(w.s.exchangerPumpPower));
            EXPECT_EQ(r->QRLabel127->text, QStringLiteral("65"));
            EXPECT_EQ(r->QRLabel123->text, w.s.exchangerPipe.sizeName);
            EXPECT_EQ(r->QRLabel124->text, pf::floatToStr(w.s.exchangerPipe.capacity));
            EXPECT_TRUE(allEmpty({r->QRLabel75, r->QRLabel78, r->QRLabel79, r->QRLabel87}));
        }
    }
}

TEST_F(HeatingPagesTest, JacuzziPageForEachExchangerAfterTheOther)
{
    TReport4 *r = Report4;
    for (int type : {1, 0, kUnknownType, 0, 1}) {
        SCOPED_TRACE(type);
        const bool hot = type == 0, steam = type == 1;
        const Worked w = jacuzzi(steam ? 1 : 0);
        ASSERT_EQ(w.s.pipe.row, 7);
        r->build({type}, w.m, w.s);
        EXPECT_TRUE(allEnabled({r->QRLabel98, r->QRDBText8, r->QRLabel61, r->QRLabel75, r->QRLabel55, r->QRLabel79,
                                r->QRLabel82, r->QRLabel78, r->QRLabel58, r->QRLabel87, r->QRLabel64, r->QRLabel77},
                               steam));
        EXPECT_TRUE(allEnabled({r->QRLabel6, r->QRDBText12, r->QRLabel25, r->QRLabel42, r->QRLabel32, r->QRLabel40,
                                r->QRLabel118, r->QRLabel121, r->QRLabel4, r->QRLabel7, r->QRLabel123, r->QRLabel125},
                               hot));
        EXPECT_TRUE(r->QRDBText6->enabled);
        EXPECT_EQ(r->ImgMoAb->enabled, hot);
        EXPECT_EQ(r->ImgMoBo->enabled, steam);
        // The jets for every type; their flow row holds the jets' flow.
        EXPECT_EQ(r->QRLabel68->text, QStringLiteral("69.6"));
        EXPECT_EQ(r->QRLabel73->text, roundedText(w.m.jetPumpHead));
        EXPECT_EQ(r->QRLabel74->text, roundedText(w.m.jetPumpPower));
        EXPECT_EQ(r->QRLabel85->text, w.m.jetPipeSize);
        if (!hot && !steam) {
            EXPECT_TRUE(allEmpty({r->QRLabel14, r->QRLabel65, r->QRLabel71, r->QRLabel11, r->QRLabel108, r->QRLabel109,
                                  r->QRLabel110, r->QRLabel112, r->QRLabel41, r->QRLabel42, r->QRLabel79}));
            continue;
        }
        EXPECT_EQ(r->QRLabel65->text, roundedText(w.m.waterVolume));
        EXPECT_EQ(r->QRLabel69->text, roundedText(w.m.startUpEnergy));
        EXPECT_EQ(r->QRLabel70->text, roundedText(w.m.surfaceLoss));
        EXPECT_EQ(r->QRLabel71->text, roundedText(w.m.totalEnergy));
        EXPECT_EQ(r->QRLabel11->text, roundedText(w.s.chlorine));
        EXPECT_EQ(r->QRLabel106->text, roundedText(w.s.flowPerPump));
        EXPECT_EQ(r->QRLabel41->text, QStringLiteral("60"));
        // The pipe's capacity of the friction row the sizing used (its last
        // row), as on the pool's page; the velocity of the same row.
        EXPECT_EQ(r->QRLabel108->text, w.s.pipe.sizeName);
        EXPECT_EQ(r->QRLabel109->text, pf::floatToStr(eq::catalogues().PipeCapacity.capacity(7, w.s.pipe.size)));
        EXPECT_EQ(r->QRLabel109->text, pf::floatToStr(w.s.pipe.capacity));
        EXPECT_EQ(r->QRLabel110->text, pf::floatToStr(w.s.pipe.velocity));
        if (steam) {
            EXPECT_EQ(r->QRLabel79->text, roundedText(w.m.saturationTemperature));
            EXPECT_EQ(r->QRLabel78->text, roundedText(w.m.latentHeat));
            EXPECT_EQ(r->QRLabel87->text, roundedText(w.m.vapourEnthalpy));
            EXPECT_TRUE(allEmpty({r->QRLabel7, r->QRLabel40, r->QRLabel42, r->QRLabel118, r->QRLabel123}));
        } else {
            EXPECT_EQ(r->QRLabel7->text, roundedText(w.s.exchangerFlow));
            EXPECT_EQ(r->QRLabel40->text, roundedText(w.s.exchangerPumpHead));
            EXPECT_EQ(r->QRLabel42->text, QStringLiteral("65"));
            EXPECT_EQ(r->QRLabel124->text, pf::floatToStr(w.s.exchangerPipe.capacity));
            EXPECT_TRUE(allEmpty({r->QRLabel75, r->QRLabel76, r->QRLabel77, r->QRLabel78, r->QRLabel79}));
        }
    }
}

TEST_F(HeatingPagesTest, PipesAndFiltersOutsideTheCataloguesPrintBlank)
{
    const struct {
        int size, rowPlusOne;
        bool sized, celled;
    } pipes[] = {{1, 2, true, true},  {15, 8, true, true},  {0, 5, false, false}, {16, 5, false, false},
                 {-3, 5, false, false}, {8, 1, true, false}, {8, 9, true, false}, {8, 0, true, false}};
    for (const auto &c : pipes) {
        SCOPED_TRACE(testing::Message() << c.size << "/" << c.rowPlusOne);
        const bv::eqbook::PipeCells p = bv::eqbook::pipeCells(c.size, c.rowPlusOne);
        EXPECT_EQ(!p.size.isEmpty(), c.sized);
        EXPECT_EQ(!p.capacity.isEmpty(), c.celled);
        EXPECT_EQ(!p.velocity.isEmpty(), c.celled);
    }
    EXPECT_EQ(bv::eqbook::pipeCells(1, 2).velocity, QStringLiteral("0.92"));
    EXPECT_EQ(bv::eqbook::pipeCells(15, 8).velocity, QStringLiteral("16.4"));
    for (int row : {0, 18, -1})
        EXPECT_TRUE(bv::eqbook::sandFilterCells(row).weight.isEmpty() && bv::eqbook::sandFilterCells(row).sheet.isEmpty());
    EXPECT_EQ(bv::eqbook::sandFilterCells(17).dimensions, QStringLiteral("300*150"));

    // A pump sizing with a row past its tables prints the pipe's size only.
    Worked w = pool(0);
    w.s.pipe.row = 8;
    w.s.filterRow = 18;
    ReportEst->build({0}, w.m, w.s);
    EXPECT_EQ(ReportEst->QRLabel108->text, QStringLiteral("3"));
    EXPECT_TRUE(allEmpty({ReportEst->QRLabel109, ReportEst->QRLabel110, ReportEst->QRLabel111, ReportEst->QRLabel114}));
}

TEST_F(HeatingPagesTest, BoilerPageForOneAndSeveralBoilersOfEachType)
{
    TReport04 *p = Report04;
    const std::initializer_list<Element *> block = {p->QRLabel21, p->QRLabel29, p->QRLabel30, p->QRLabel31,
                                                    p->QRLabel36, p->QRLabel37, p->QRLabel38, p->QRLabel12,
                                                    p->QRLabel22, p->QRLabel33, p->QRLabel34, p->QRLabel35};
    const struct {
        int boilers, type;
        bool pickUp;
        double pool;
    } cases[] = {{1, 0, true, 100000}, {3, 1, false, 0}, {3, 0, false, 0}, {2, kUnknownType, true, 0},
                 {1, 1, true, 100000}, {2, 0, true, 50000}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.boilers << " boilers, type " << c.type);
        eq::BoilerInputs in{true, 600000, 80000, c.pool, 20000, 70, 80, c.boilers, 80, c.pickUp, 180, 70, 20};
        const eq::BoilerResults r = eq::sizeBoilers(in);
        ASSERT_FALSE(r.stopped);
        ASSERT_GT(r.row, 0);
        p->build({c.type}, r);
        EXPECT_EQ(p->QRLabel28->text, roundedText(r.capacityPerBoiler));
        EXPECT_EQ(p->QRLabel27->text, c.pickUp ? roundedText(r.pickUpFactor) : QStringLiteral("0"));
        EXPECT_EQ(p->QRLabel50->text, roundedText(r.buildingLoad));
        EXPECT_EQ(p->QRLabel49->text, roundedText(r.hotWaterLoad));
        EXPECT_EQ(p->QRLabel48->text, roundedText(c.pool));
        EXPECT_EQ(p->QRLabel47->text, QStringLiteral("20000"));
        // A steam boiler: the advice, never a boiler of the hot-water
        // catalogue the sizing chose from.
        EXPECT_EQ(p->QRLabel5->enabled, c.type == 1);
        EXPECT_EQ(p->QRLabel5->text.isEmpty(), c.type != 1);
        EXPECT_TRUE(allEnabled(block, c.type == 0));
        EXPECT_EQ(p->ImgdigAb->enabled, c.type == 0);
        EXPECT_EQ(p->ImgdigBo->enabled, c.type == 1);
        EXPECT_EQ(p->QRLabel3->text.isEmpty(), c.type == kUnknownType);
        if (c.type == 0) {
            EXPECT_EQ(p->QRLabel29->text, eq::catalogues().BoilerCatalogue.cell(r.row, 1));
            EXPECT_EQ(p->QRLabel38->text, eq::catalogues().BoilerCatalogue.cell(r.row, 6));
        } else {
            EXPECT_TRUE(allEmpty({p->QRLabel29, p->QRLabel30, p->QRLabel31, p->QRLabel38}));
        }
    }
    // The capacity's caption reads its words, then its unit, then one colon.
    const QString caption = QStringLiteral(":(Btu/h)قدرت حرارتي ديگ");
    const pf::report::Document page = p->QuickRep1.render();
    const auto run = reporttest::findRun(page, caption);
    ASSERT_TRUE(run);
    const reporttest::ShownPart words = reporttest::shownPart(*run, QStringLiteral("قدرت")),
                                unit = reporttest::shownPart(*run, QStringLiteral("(Btu/h)")),
                                colon = reporttest::shownPart(*run, QStringLiteral(":"));
    EXPECT_GT(words.left, unit.left);
    EXPECT_GT(unit.left, colon.left);
    EXPECT_TRUE(unit.shows(QLatin1Char('(')));

    // No boiler large enough, or a row outside the catalogue: no model.
    for (int row : {0, 13, -1}) {
        eq::BoilerResults r;
        r.row = row;
        r.capacityPerBoiler = 7e6;
        p->build({0}, r);
        EXPECT_TRUE(allEnabled(block, false)) << row;
        EXPECT_TRUE(allEmpty({p->QRLabel29, p->QRLabel30}));
        EXPECT_FALSE(p->QRLabel5->enabled);
        EXPECT_EQ(p->QRLabel28->text, QStringLiteral("7000000"));
    }
}

// A sizing stopped by a check after the loads prints them beside its
// message, not zeros.
TEST_F(HeatingPagesTest, BoilerPageKeepsItsLoadsWhenTheSizingStops)
{
    const double p = 45;
    project(p);
    unit(p, 0, 1);
    space(p, 0, 1, 1, QStringLiteral("s"), room(70, 20, 200, 1600, 1));
    db()->exec(QStringLiteral("INSERT INTO Tajhizat (Shproje, NSakh, Dosh, WCKh, DamAbSh, DamAbBeh, DAbgarm, Randeman, "
                              "Z_Et, Te_Dig, Rand_Dig, K_A_Dig, Typ_Dig) VALUES (?, 0, 4, 2, 50, 140, 180, 80, 20, 2, "
                              "80, 80, 0)"),
               {p});
    build(p, {7});
    testsupport::takeMessages();
    onRecord(p);
    const eq::BoilerResults good = FormT2->Dig(2);
    ASSERT_TRUE(!good.stopped && good.buildingLoad > 0 && good.hotWaterLoad > 0);
    const struct {
        const char *set, *message;
        bool hotWater;
    } stops[] = {{"Rand_Dig = 0", "راندمان ديگ را اصلاح كنيد", true},
                 {"Rand_Dig = 80, Te_Dig = 0", "تعداد ديگ را مشخص كنيد", true},
                 {"Te_Dig = 2, Randeman = 0", "راندمان مبدل  مشخص نشده", false}};
    for (const auto &c : stops) {
        SCOPED_TRACE(c.set);
        update(p, QString::fromLatin1(c.set));
        build(p, {7});
        EXPECT_TRUE(testsupport::takeMessages().contains(QString::fromUtf8(c.message)));
        EXPECT_EQ(Report04->QRLabel50->text, roundedText(good.buildingLoad));
        EXPECT_EQ(Report04->QRLabel49->text, c.hotWater ? roundedText(good.hotWaterLoad) : QStringLiteral("0"));
        EXPECT_EQ(Report04->QRLabel28->text, QStringLiteral("0"));
    }
}

TEST_F(HeatingPagesTest, FurnacePageModelOrCustomBuildAfterEachOther)
{
    TReport5 *p = Report5;
    eq::FurnaceResults fits;
    fits.capacity = 700000.4;
    fits.row = 2;
    eq::FurnaceResults none = fits;
    none.row = 0;
    eq::FurnaceResults outside = fits;
    outside.row = 5;
    eq::FurnaceResults stopped;
    stopped.stopped = true;
    stopped.row = 3; // not set by a stopped run
    const struct {
        const eq::FurnaceResults *r;
        const char *leadIn;
        const char *model;
    } cases[] = {{&none, TReport5::kTextCustomBuild, ""}, {&fits, TReport5::kTextLeadIn, "WAF_20"},
                 {&stopped, "", ""},                       {&fits, TReport5::kTextLeadIn, "WAF_20"},
                 {&outside, TReport5::kTextCustomBuild, ""}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.model);
        p->build(*c.r);
        const bool model = *c.model != 0;
        EXPECT_EQ(p->QRLabel14->text, QString::fromUtf8(c.leadIn));
        EXPECT_EQ(p->QRLabel15->text, c.r->stopped ? QString() : QStringLiteral("700000"));
        EXPECT_EQ(p->QRLabel25->text, QString::fromLatin1(c.model));
        EXPECT_EQ(p->QRLabel31->text, model ? QStringLiteral("125") : QString());
        EXPECT_TRUE(allEnabled({p->QRLabel13, p->QRLabel17, p->QRLabel18, p->QRLabel21, p->QRLabel22, p->QRLabel23},
                               model));
    }
}

TEST_F(HeatingPagesTest, BookletPagesEqualTheOperationsAndNothingOfTheOtherBranchStays)
{
    const double p = 40;
    project(p);
    db()->exec(QStringLiteral("UPDATE Bank1 SET To1 = 20 WHERE SHPROJE = ?"), {p});
    // Furnace spaces over three floors and two units, more than a page holds.
    int code = 0;
    QStringList marked;
    for (double floor : {0.0, 1.0, 2.0})
        for (double unitNo : {1.0, 2.0}) {
            unit(p, floor, unitNo);
            for (int i = 0; i < 6; ++i) {
                const QString name = QStringLiteral("room%1").arg(++code);
                space(p, floor, unitNo, code, name, room(70, 20, 200 + code, 1600, 1));
                if (code % 5 != 0)
                    marked << name;
            }
        }
    db()->exec(QStringLiteral("UPDATE bankfz SET E_Kore = 1 WHERE Shproje = ? AND Codefaza % 5 <> 0"), {p});
    db()->exec(
        QStringLiteral(
            "INSERT INTO Tajhizat (Shproje, NSakh, TySo, Van, Dosh, WCKh, DamAbSh, DamAbMa, DamAbBeh, DAbgarm, "
            "EkhtDama, OfteFeshar, Typ_MAM, Randeman, T_Manba, Z_Et, Te_Dig, Rand_Dig, K_A_Dig, Typ_Dig, Chk_Zp, "
            "Mass_Est, Rand_Est, Te_Est, D_Ma_Est, Omgh_M_Est, Mz_G_Ab_Est, D_Mo_Est, Typ_M_Est, Fesh_M_Est, "
            "Oft_Fesh_K_Est, Oft_Fesh_F_Est, Oft_Fesh_Sh_Est, Rand_m1E, Oft_Fesh_P_M_Est, Oft_Fesh_D_Est, "
            "Te_Pmp_D_Est, Rand_m2E, T_filter_es, Te_Pmp_Est, G_Ab_Est, "
            "Mass_Jak, Rand_Jak, Te_Jak, D_Ma_Jak, Omgh_M_Jak, Mz_G_Ab_Jak, D_Mo_Jak, Typ_M_Jak, Fesh_M_Jak, Te_Naz, "
            "Oft_fesh_K_Jak, Oft_Fesh_F_Jak, Oft_Fesh_Sh_Jak, Rand_m1J, Oft_Fesh_P_M_Jak, Oft_Fesh_D_Jak, "
            "Te_Pmp_D_Jak, Rand_m2J, T_filter_jk, Te_Pmp_Jak, G_Ab_Jak, Rand_Kore, K_A_Kore, D_H_B_Kore, D_H_T_Kore) "
            "VALUES (?, 0, 1, 2, 3, 4, 50, 110, 140, 180, 20, 4, 0, 70, 1, 20, 2, 80, 80, 0, 1, "
            "800, 80, 1, 80, 5, 48, 75, 0, 15, 5, 10, 8, 60, 3, 4, 1, 65, 1, 2, 6, "
            "40, 80, 1, 100, 3, 2, 75, 1, 15, 4, 5, 10, 8, 60, 3, 4, 1, 65, 1, 1, 0.5, 80, 90, 70, 30)"),
        {p});

    build(p, {8, 7, 6, 4});
    ASSERT_EQ(previews, 1);
    testsupport::takeMessages();
    onRecord(p);
    {
        SCOPED_TRACE("first build");
        const eq::ExchangerResults pm = FormT2->EstakhMobadel(2);
        const eq::PumpsResults ps = FormT2->EstakhPmpSir(2);
        EXPECT_EQ(ReportEst->QRLabel14->text, QStringLiteral("آب گرم"));
        EXPECT_EQ(ReportEst->QRLabel69->text, roundedText(pm.totalEnergy));
        EXPECT_EQ(ReportEst->QRLabel72->text, roundedText(pm.coilSurface));
        EXPECT_EQ(ReportEst->QRLabel107->text, roundedText(ps.flowPerPump));
        EXPECT_EQ(ReportEst->QRLabel118->text, roundedText(ps.flowPerExchangerPump));
        EXPECT_TRUE(ReportEst->QRLabel29->enabled && !ReportEst->QRLabel61->enabled);

        const eq::ExchangerResults jm = FormT2->JakoziMobadel(2);
        const eq::PumpsResults js = FormT2->JakoziPmpSir(2);
        EXPECT_EQ(Report4->QRLabel14->text, QStringLiteral("بخار"));
        EXPECT_EQ(Report4->QRLabel71->text, roundedText(jm.totalEnergy));
        EXPECT_EQ(Report4->QRLabel87->text, roundedText(jm.vapourEnthalpy));
        EXPECT_EQ(Report4->QRLabel68->text, roundedText(jm.jetFlow));
        EXPECT_EQ(Report4->QRLabel106->text, roundedText(js.flowPerPump));
        EXPECT_TRUE(Report4->QRLabel61->enabled && !Report4->QRLabel6->enabled);

        const eq::BoilerResults b = FormT2->Dig(2);
        EXPECT_EQ(Report04->QRLabel28->text, roundedText(b.capacityPerBoiler));
        EXPECT_EQ(Report04->QRLabel48->text, roundedText(b.poolLoad));
        EXPECT_EQ(Report04->QRLabel47->text, roundedText(b.jacuzziLoad));
        EXPECT_GT(b.poolLoad, 0);
        EXPECT_EQ(Report04->QRLabel29->text, eq::catalogues().BoilerCatalogue.cell(b.row, 1));

        const eq::FurnaceResults k = FormT2->Kore(2);
        ASSERT_FALSE(k.stopped);
        EXPECT_EQ(Report5->QRLabel15->text, roundedText(k.capacity));
        testsupport::takeMessages();
    }
    // Pages in the booklet's order; the furnace rows run onto a second page,
    // every marked space once, in floor and unit order, under its floor name.
    QStringList titles;
    for (const pf::report::Page &pg : lastDoc.pages)
        for (const char *t : {"استخر خانگي", "جكوزي", "ديگ", "كوره هواي گرم"})
            if (reporttest::texts(pg).contains(QString::fromUtf8(t)))
                titles << QString::fromUtf8(t);
    EXPECT_EQ(titles, QStringList({QStringLiteral("استخر خانگي"), QStringLiteral("جكوزي"), QStringLiteral("ديگ"),
                                   QStringLiteral("كوره هواي گرم")}));
    ASSERT_EQ(lastDoc.pages.size(), 5);
    QStringList rows;
    for (const QString &t : reporttest::allTexts(lastDoc))
        if (t.startsWith(QLatin1String("room")))
            rows << t;
    EXPECT_EQ(rows, marked);
    const QStringList last = reporttest::texts(lastDoc.pages[4]);
    EXPECT_TRUE(last.contains(QStringLiteral("room29")) && last.contains(eq::convertSk(2)));
    EXPECT_TRUE(reporttest::texts(lastDoc.pages[3]).contains(eq::convertSk(0)));
    EXPECT_EQ(db()->select(QStringLiteral("SELECT COUNT(*) FROM bankfz WHERE Shproje = 40 AND V_Kore > 0"))
                  .rows.value(0)
                  .value(0)
                  .toInt(),
              marked.size());

    // Every branch turned round, no furnace space left: nothing of the first
    // build is printed.
    update(p, QStringLiteral("Typ_M_Est = 1, Typ_M_Jak = 0, Typ_Dig = 1"));
    db()->exec(QStringLiteral("UPDATE bankfz SET E_Kore = 0 WHERE Shproje = ?"), {p});
    build(p, {4, 6, 7, 8});
    ASSERT_EQ(previews, 2);
    testsupport::takeMessages();
    EXPECT_EQ(ReportEst->QRLabel14->text, QStringLiteral("بخار"));
    EXPECT_TRUE(ReportEst->QRLabel61->enabled && ReportEst->QRDBText8->enabled);
    EXPECT_FALSE(ReportEst->QRLabel29->enabled || ReportEst->QRLabel118->enabled || ReportEst->ImgMbAb->enabled);
    EXPECT_TRUE(ReportEst->QRLabel118->text.isEmpty());
    EXPECT_EQ(Report4->QRLabel14->text, QStringLiteral("آب گرم"));
    EXPECT_FALSE(Report4->QRLabel61->enabled || Report4->QRDBText8->enabled || Report4->ImgMoBo->enabled);
    EXPECT_TRUE(Report4->QRLabel6->enabled && Report4->QRLabel42->enabled);
    EXPECT_TRUE(Report4->QRLabel87->text.isEmpty());
    EXPECT_TRUE(Report04->QRLabel5->enabled && !Report04->QRLabel29->enabled && !Report04->ImgdigAb->enabled);
    ASSERT_EQ(lastDoc.pages.size(), 4);
    const QStringList furnace = reporttest::texts(lastDoc.pages[3]);
    EXPECT_TRUE(furnace.contains(QStringLiteral("كوره هواي گرم")));
    EXPECT_FALSE(furnace.contains(QStringLiteral("طبقه")) || furnace.contains(QStringLiteral("room1")));
    EXPECT_EQ(db()->select(QStringLiteral("SELECT COUNT(*) FROM bankfz WHERE Shproje = 40 AND V_Kore <> 0"))
                  .rows.value(0)
                  .value(0)
                  .toInt(),
              0);
}

// The build reads the project once for all its sizings and keeps nothing
// after it: a space changed between two builds is sized anew by the second.
TEST_F(HeatingPagesTest, ASpaceChangedBetweenBuildsIsSizedAnew)
{
    const double p = 41;
    project(p);
    unit(p, 0, 1);
    space(p, 0, 1, 1, QStringLiteral("room1"), room(70, 20, 200, 1600, 1));
    db()->exec(QStringLiteral("UPDATE bankfz SET E_Kore = 1 WHERE Shproje = ?"), {p});
    db()->exec(QStringLiteral("INSERT INTO Tajhizat (Shproje, Typ_MAM, Rand_Kore, K_A_Kore, D_H_B_Kore, D_H_T_Kore) "
                              "VALUES (?, 0, 80, 90, 70, 30)"),
               {p});
    const auto stored = [&] {
        return db()->select(QStringLiteral("SELECT Q_room, V_Kore FROM bankfz WHERE Shproje = ?"), {p}).rows.value(0);
    };
    QVector<QVector<QVariant>> seen;
    for (double volume : {1600.0, 3200.0}) {
        db()->exec(QStringLiteral("UPDATE bankfz SET V_ = ? WHERE Shproje = ?"), {volume, p});
        build(p, {8});
        ASSERT_EQ(previews, int(seen.size()) + 1);
        testsupport::takeMessages();
        seen << stored();
        // What the furnace sizing stores outside a build.
        db()->exec(QStringLiteral("UPDATE bankfz SET Q_room = NULL, V_Kore = NULL WHERE Shproje = ?"), {p});
        onRecord(p);
        FormT2->Kore(2);
        testsupport::takeMessages();
        EXPECT_EQ(stored(), seen.back()) << volume;
    }
    EXPECT_GT(seen[1][0].toDouble(), seen[0][0].toDouble());
}
