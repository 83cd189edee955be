#include "boravest/sizing/Catalogues.h"

#include <gtest/gtest.h>

using namespace bv::sizing;

namespace {

const Catalogues &cat() { return catalogues(); }

} // namespace

// ---------------------------------------------------------------------------
// Shape: rows and cells of every table.

TEST(CataloguesShape, BuiltOnceAndShared)
{
    EXPECT_EQ(&catalogues(), &catalogues());
}

TEST(CataloguesShape, TextCatalogueRowAndCellCounts)
{
    struct Expect { const TextCatalogue &table; int rows; int cells; const char *name; };
    const Expect expected[] = {
        {cat().DoubleWallTanks, 8, 12, "DoubleWallTanks"},
        {cat().CoilTanks, 10, 8, "CoilTanks"},
        {cat().PressureTanks2, 6, 8, "PressureTanks2"},
        {cat().PressureTanks1, 4, 8, "PressureTanks1"},
        {cat().UnitHeaterCatalogue, 18, 6, "UnitHeaterCatalogue"},
        {cat().SoftenerCatalogue, 17, 5, "SoftenerCatalogue"},
        {cat().SandFilters, 17, 4, "SandFilters"},
        {cat().FuelTankCatalogue, 17, 9, "FuelTankCatalogue"},
        {cat().BoilerCatalogue, 12, 6, "BoilerCatalogue"},
        {cat().BoilerCatalogue2, 16, 6, "BoilerCatalogue2"},
        {cat().FurnaceCatalogue, 4, 6, "FurnaceCatalogue"},
        {cat().OpenExpansionTanks, 18, 9, "OpenExpansionTanks"},
        {cat().DiaphragmExpansionTanks, 5, 4, "DiaphragmExpansionTanks"},
        {cat().HydropneumaticExpansionTanks, 10, 5, "HydropneumaticExpansionTanks"},
        {cat().FanCatalogue, 4, 3, "FanCatalogue"},
    };
    for (const Expect &e : expected) {
        SCOPED_TRACE(e.name);
        EXPECT_EQ(e.table.rowCount(), e.rows);
        EXPECT_EQ(e.table.cellCount(), e.cells);
        for (int r = 1; r <= e.rows; ++r) {
            EXPECT_EQ(e.table.rowCells(r).size(), e.cells) << "row " << r;
            for (int c = 1; c <= e.cells; ++c)
                EXPECT_FALSE(e.table.cell(r, c).isEmpty()) << "row " << r << " cell " << c;
        }
    }
}

TEST(CataloguesShape, NumericTableSizes)
{
    EXPECT_EQ(HotWaterDemandTable::RowCount, 10);
    EXPECT_EQ(HotWaterDemandTable::CellCount, 12);
    EXPECT_EQ(FixtureReturnWeightsTable::Count, 10);
    EXPECT_EQ(SaturatedSteamTable::SlotCount, 54);
    EXPECT_EQ(SaturatedSteamTable::FilledRowCount, 46);
    EXPECT_EQ(PumpStartCurveTable::PointCount, 10);
    EXPECT_EQ(WaterExpansionTable::PointCount, 11);
    EXPECT_EQ(RadiatorSectionsTable::RowCount, 6);
    EXPECT_EQ(RadiatorSectionsTable::CellCount, 5);
    EXPECT_EQ(RadiatorFactorsTable::Rows, 8);
    EXPECT_EQ(RadiatorFactorsTable::Cols, 9);
    EXPECT_EQ(UnitHeaterFactorsTable::Rows, 9);
    EXPECT_EQ(UnitHeaterFactorsTable::Cols, 12);
    EXPECT_EQ(PipeSizeNamesTable::Count, 15);
    EXPECT_EQ(PipeCapacityTable::RowCount, 7);
    EXPECT_EQ(PipeCapacityTable::CellCount, 16);
    EXPECT_EQ(PipeVelocityTable::RowCount, 8);
    EXPECT_EQ(PipeVelocityTable::CellCount, 15);
}

TEST(CataloguesShape, OutsideATableGivesEmptyOrZero)
{
    EXPECT_TRUE(cat().FanCatalogue.cell(0, 1).isEmpty());
    EXPECT_TRUE(cat().FanCatalogue.cell(5, 1).isEmpty());
    EXPECT_TRUE(cat().FanCatalogue.cell(1, 4).isEmpty());
    EXPECT_TRUE(cat().UnitHeaterCatalogue.model(19).isEmpty());
    EXPECT_TRUE(cat().PipeSizeNames.name(0).isEmpty());
    EXPECT_TRUE(cat().PipeSizeNames.name(16).isEmpty());
    EXPECT_EQ(cat().HotWaterDemand.cell(11, 1), 0.0);
    EXPECT_EQ(cat().PipeCapacity.cell(8, 1), 0.0);
    EXPECT_EQ(cat().PipeVelocity.velocity(8, 1), 0.0);
    EXPECT_EQ(cat().RadiatorFactors.cell(8, 0), 0.0);
    EXPECT_EQ(cat().FixtureReturnWeights.weight(11), 0);
    EXPECT_EQ(cat().SteamTable.pressure(55), 0.0);
}

TEST(CataloguesShape, BookletNamesReachTheSameTables)
{
    EXPECT_EQ(&cat().DiaphragmTanks, &cat().DiaphragmExpansionTanks);
    EXPECT_EQ(&cat().HydropneumaticTanks, &cat().HydropneumaticExpansionTanks);
    EXPECT_EQ(&cat().BurnerCatalogue, &cat().FuelTankCatalogue);
    EXPECT_EQ(&cat().RadiatorSectionData, &cat().RadiatorSections);
}

// ---------------------------------------------------------------------------
// Cells: first, last and the odd values.

TEST(CataloguesCells, HotWaterDemandAndReturnWeights)
{
    const auto &d = cat().HotWaterDemand;
    EXPECT_EQ(HotWaterDemandTable::rowOfBuildingType(0), 1);
    EXPECT_EQ(d.demandGph(1, WCKh), 3);
    EXPECT_EQ(d.demandGph(1, WCOm), 5);
    EXPECT_EQ(d.demandGph(2, WCOm), 0); // private house: no public toilets
    EXPECT_EQ(d.demandGph(1, MashRakh), 75);
    EXPECT_EQ(d.demandFactor(1), 0.35);
    EXPECT_EQ(d.storageFactor(1), 1.25);
    EXPECT_EQ(d.storageFactor(3), 0.8);
    EXPECT_EQ(d.storageFactor(8), 2);
    EXPECT_EQ(d.demandGph(10, LaganPa), 12);
    EXPECT_EQ(d.demandFactor(10), 0.4);
    EXPECT_EQ(d.storageFactor(10), 1);

    const int weights[] = {1, 3, 2, 3, 1, 3, 2, 3, 2, 1};
    for (int f = 1; f <= FixtureKindCount; ++f)
        EXPECT_EQ(cat().FixtureReturnWeights.weight(f), weights[f - 1]) << f;
}

TEST(CataloguesCells, TanksKeepSizesFractionFirst)
{
    const auto &dw = cat().DoubleWallTanks;
    EXPECT_EQ(dw.volume(1), "200");
    EXPECT_EQ(dw.d2d6(1), "1/4 1");
    EXPECT_EQ(dw.t2(1), "2.5");
    EXPECT_EQ(dw.surface(1), "0.88");
    EXPECT_EQ(dw.volume(8), "1500");
    EXPECT_EQ(dw.d2d6(8), "1/2 2");
    EXPECT_EQ(dw.d1(8), "1/4 1");
    EXPECT_EQ(dw.weight(8), "485");
    EXPECT_EQ(dw.surface(8), "5.33");

    const auto &ct = cat().CoilTanks;
    EXPECT_EQ(ct.capacity(1), "500");
    EXPECT_EQ(ct.d8(1), "3/4");
    EXPECT_EQ(ct.capacity(10), "8000");
    EXPECT_EQ(ct.d2d6(10), "3");
    EXPECT_EQ(ct.d8(10), "1/2 2");
    EXPECT_EQ(ct.sheet(10), "10");

    const auto &v = cat().PressureTanks2;
    EXPECT_EQ(v.volume(1), "200");
    EXPECT_EQ(v.H1(1), "115");
    EXPECT_EQ(v.d6(1), "3/4");
    EXPECT_EQ(v.volume(6), "800");
    EXPECT_EQ(v.d7(6), "1/2 1");
    EXPECT_EQ(v.d5(6), "1/2");
    EXPECT_EQ(v.sheet(6), "5");
    const auto &h = cat().PressureTanks1;
    EXPECT_EQ(h.volume(1), "1000");
    EXPECT_EQ(h.L1(1), "220");
    EXPECT_EQ(h.d8(1), "1/2 1");
    EXPECT_EQ(h.volume(4), "3000");
    EXPECT_EQ(h.D(4), "140");
    EXPECT_EQ(h.d2(4), "1/2");
    EXPECT_EQ(h.sheet(4), "8");

    const auto &o = cat().OpenExpansionTanks;
    EXPECT_EQ(o.capacity(1), "100");
    EXPECT_EQ(o.d4(1), "1/2 1");
    EXPECT_EQ(o.W(14), "152.5");
    EXPECT_EQ(o.capacity(18), "3000");
    EXPECT_EQ(o.L1(18), "150");
    EXPECT_EQ(o.W(18), "322");
    const auto &dp = cat().DiaphragmExpansionTanks;
    EXPECT_EQ(dp.AxB(1), "310*245");
    EXPECT_EQ(dp.capacity(5), "35");
    EXPECT_EQ(dp.W(5), "9");
    const auto &hp = cat().HydropneumaticExpansionTanks;
    EXPECT_EQ(hp.LxD(1), "50*100");
    EXPECT_EQ(hp.capacity(10), "2000");
    EXPECT_EQ(hp.D8(10), "1");
    EXPECT_EQ(hp.d6d7(10), "1/2");

    const auto &f = cat().FuelTankCatalogue;
    EXPECT_EQ(f.capacity(1), "500");
    EXPECT_EQ(f.d3(1), "1/4 1");
    EXPECT_EQ(f.capacity(17), "40000");
    EXPECT_EQ(f.d4(17), "4");
    EXPECT_EQ(f.W(17), "3810");
}

TEST(CataloguesCells, EquipmentCatalogues)
{
    const auto &s = cat().SoftenerCatalogue;
    EXPECT_EQ(s.valveSize(1), "1/2");
    EXPECT_EQ(s.dimensions(1), "15*100");
    EXPECT_EQ(s.dimensions(9), "70*100"); // shorter than its neighbours, as listed
    EXPECT_EQ(s.capacity(17), "2000");
    EXPECT_EQ(s.resin(17), "1866");

    const auto &sf = cat().SandFilters;
    EXPECT_EQ(sf.silicaWeight(1), "500");
    EXPECT_EQ(sf.capacity(1), "13");
    EXPECT_EQ(sf.dimensions(17), "300*150");
    EXPECT_EQ(sf.sheet(17), "12");

    const auto &b = cat().BoilerCatalogue;
    EXPECT_EQ(b.model(1), "HWC-12");
    EXPECT_EQ(b.capacity(1), "120000");
    EXPECT_EQ(b.model(12), "HWS-1500");
    EXPECT_EQ(b.H(12), "180");
    const auto &b2 = cat().BoilerCatalogue2;
    EXPECT_EQ(b2.model(1), "STC 60");
    EXPECT_EQ(b2.flange(1), "100");
    EXPECT_EQ(b2.capacity(7), "1250000");
    EXPECT_EQ(b2.capacity(8), "1000000"); // the STS/B series starts lower again
    EXPECT_EQ(b2.model(16), "STS/B-1500");
    EXPECT_EQ(b2.capacity(16), "6000000");

    const auto &fu = cat().FurnaceCatalogue;
    EXPECT_EQ(fu.model(1), "WAF_15");
    EXPECT_EQ(fu.model(4), "WAF_30");
    EXPECT_EQ(fu.fanPower(4), "5");
    EXPECT_EQ(fu.H(4), "140");

    const auto &u = cat().UnitHeaterCatalogue;
    EXPECT_EQ(u.leavingAirTemperature(1), "109");
    EXPECT_EQ(u.motorPower(1), "0.12");
    EXPECT_EQ(u.capacity(1), "28623");
    EXPECT_EQ(u.model(1), "UH-20");
    EXPECT_EQ(u.capacity(6), "90123"); // second 900 rpm group starts lower
    EXPECT_EQ(u.model(18), "UH-100");
    EXPECT_EQ(u.capacity(18), "389960");
    EXPECT_EQ(u.airFlow(18), "5600");
    EXPECT_EQ(UnitHeaterCatalogueTable::fanSpeedOfRow(9), "900");
    EXPECT_EQ(UnitHeaterCatalogueTable::fanSpeedOfRow(10), "1400");

    const auto &fan = cat().FanCatalogue;
    EXPECT_EQ(fan.airFlow(1), "180");
    EXPECT_EQ(fan.motorSpeed(1), "1400");
    EXPECT_EQ(fan.power(2), "32");
    EXPECT_EQ(fan.airFlow(4), "720");
    EXPECT_EQ(fan.power(4), "55");
}

TEST(CataloguesCells, RadiatorData)
{
    const auto &rs = cat().RadiatorSections;
    EXPECT_EQ(rs.sizeName(1), "600*150");
    EXPECT_EQ(rs.surface(1), 0.23);
    EXPECT_EQ(rs.output(1), 393);
    EXPECT_EQ(rs.water(1), 0.246);
    EXPECT_EQ(rs.sizeName(6), "300*200");
    EXPECT_EQ(rs.weight(6), 2.3);
    EXPECT_EQ(rs.thickness(6), 45);
    EXPECT_EQ(rs.output(6), 315);

    const auto &rf = cat().RadiatorFactors;
    EXPECT_EQ(rf.cell(0, 0), 0);
    EXPECT_EQ(rf.roomTemperature(1), 41);
    EXPECT_EQ(rf.roomTemperature(3), 53.6);
    EXPECT_EQ(rf.roomTemperature(8), 77);
    EXPECT_EQ(rf.waterTemperature(1), 158);
    EXPECT_EQ(rf.waterTemperature(7), 212);
    EXPECT_EQ(rf.cell(1, 1), 1.11);
    EXPECT_EQ(rf.cell(2, 3), 1.01);
    EXPECT_EQ(rf.cell(7, 8), 1.35);
    // 1.00 wherever the water is 108 °F warmer than the room.
    EXPECT_EQ(rf.cell(1, 2), 1);
    EXPECT_EQ(rf.cell(2, 4), 1);
    EXPECT_EQ(rf.cell(3, 6), 1);
    EXPECT_EQ(rf.cell(4, 8), 1);

    const auto &uf = cat().UnitHeaterFactors;
    EXPECT_EQ(uf.cell(0, 0), 0);
    EXPECT_EQ(uf.waterTemperature(1), 150);
    EXPECT_EQ(uf.waterTemperature(11), 250);
    EXPECT_EQ(uf.airTemperature(1), 30);
    EXPECT_EQ(uf.airTemperature(8), 100);
    EXPECT_EQ(uf.cell(1, 1), 1.05);
    EXPECT_EQ(uf.cell(4, 4), 1);
    EXPECT_EQ(uf.cell(3, 7), 1.32);
    EXPECT_EQ(uf.cell(8, 11), 1.2);
}

TEST(CataloguesCells, Pipes)
{
    const auto &n = cat().PipeSizeNames;
    EXPECT_EQ(n.name(1), "1/2");
    EXPECT_EQ(n.name(4), "1/4 1");
    EXPECT_EQ(n.name(7), "1/2 2");
    EXPECT_EQ(n.name(9), "1/2 3");
    EXPECT_EQ(n.name(15), "12");

    const auto &pc = cat().PipeCapacity;
    EXPECT_EQ(pc.friction(1), 1);
    EXPECT_EQ(pc.friction(7), 4);
    EXPECT_EQ(pc.capacity(1, 1), 0.8);
    EXPECT_EQ(pc.capacity(1, 15), 2600);
    EXPECT_EQ(pc.capacity(7, 1), 1.8);
    EXPECT_EQ(pc.capacity(7, 15), 5800);

    const auto &pv = cat().PipeVelocity;
    EXPECT_EQ(pv.diameterInches(1), 0.5);
    EXPECT_EQ(pv.diameterInches(4), 1.25);
    EXPECT_EQ(pv.diameterInches(15), 12);
    EXPECT_EQ(pv.velocity(1, 1), 0.92);
    EXPECT_EQ(pv.velocity(7, 15), 16.4);
    // The catalogue's own odd values are kept as they stand.
    EXPECT_EQ(pv.cell(2, 14), 0.3);
    EXPECT_EQ(pv.velocity(1, 14), 0.3);
    EXPECT_EQ(pv.cell(7, 10), 8.7);
    EXPECT_EQ(pv.velocity(6, 10), 8.7);
}

TEST(CataloguesCells, CurvesAndSteamRows)
{
    const auto &pc = cat().PumpStartCurve;
    EXPECT_EQ(pc.minPressure(1), 10);
    EXPECT_EQ(pc.pressureRatio(1), 6);
    EXPECT_EQ(pc.minPressure(10), 100);
    EXPECT_EQ(pc.pressureRatio(10), 3.3);

    const auto &we = cat().WaterExpansion;
    EXPECT_EQ(we.temperature(1), 100);
    EXPECT_EQ(we.increasePercent(1), 0.6);
    EXPECT_EQ(we.temperature(11), 350);
    EXPECT_EQ(we.increasePercent(11), 11.5);

    const auto &st = cat().SteamTable;
    EXPECT_EQ(st.pressure(1), 14.696);
    EXPECT_EQ(st.saturationTemperature(1), 212);
    EXPECT_EQ(st.latentHeat(1), 970.3);
    EXPECT_EQ(st.vapourEnthalpy(1), 1150.5);
    EXPECT_EQ(st.pressure(2), 15);
    EXPECT_EQ(st.saturationTemperature(2), 213.03);
    EXPECT_EQ(st.pressure(3), 20);
    EXPECT_EQ(st.pressure(11), 100);
    EXPECT_EQ(st.saturationTemperature(11), 327.82);
    EXPECT_EQ(st.latentHeat(11), 888.6);
    EXPECT_EQ(st.vapourEnthalpy(11), 1187.2);
    EXPECT_EQ(st.pressure(31), 300);
    EXPECT_EQ(st.vapourEnthalpy(31), 1202.9);
    EXPECT_EQ(st.pressure(32), 350);
    EXPECT_EQ(st.pressure(45), 1000);
    EXPECT_EQ(st.latentHeat(45), 650.4);
    EXPECT_EQ(st.pressure(46), 1050);
    EXPECT_EQ(st.saturationTemperature(46), 550.53);
    EXPECT_EQ(st.vapourEnthalpy(46), 1191);
    // Rising pressure over the filled rows; the slots after them hold 0.
    for (int r = 2; r <= SaturatedSteamTable::FilledRowCount; ++r)
        EXPECT_GT(st.pressure(r), st.pressure(r - 1)) << r;
    for (int r = SaturatedSteamTable::FilledRowCount + 1; r <= SaturatedSteamTable::SlotCount; ++r)
        for (int c = 1; c <= 4; ++c)
            EXPECT_EQ(st.cell(r, c), 0) << r;
}

// ---------------------------------------------------------------------------
// Selection: first row that fits, at its boundaries.

TEST(CataloguesSelection, TanksTakeAnEqualCapacity)
{
    EXPECT_EQ(cat().DoubleWallTanks.select(0), 1);
    EXPECT_EQ(cat().DoubleWallTanks.select(200), 1);
    EXPECT_EQ(cat().DoubleWallTanks.select(200.01), 2);
    EXPECT_EQ(cat().DoubleWallTanks.select(1500), 8);
    EXPECT_EQ(cat().DoubleWallTanks.select(1500.01), 0);

    EXPECT_EQ(cat().CoilTanks.select(1000), 2);
    EXPECT_EQ(cat().CoilTanks.select(1000.5), 3);
    EXPECT_EQ(cat().CoilTanks.select(8000), 10);
    EXPECT_EQ(cat().CoilTanks.select(8001), 0);

    EXPECT_EQ(cat().PressureTanks2.select(400), 3);
    EXPECT_EQ(cat().PressureTanks2.select(400.1), 4);
    EXPECT_EQ(cat().PressureTanks2.select(800), 6);
    EXPECT_EQ(cat().PressureTanks2.select(800.1), 0);
    EXPECT_EQ(cat().PressureTanks1.select(1500), 2);
    EXPECT_EQ(cat().PressureTanks1.select(1500.1), 3);
    EXPECT_EQ(cat().PressureTanks1.select(3000), 4);
    EXPECT_EQ(cat().PressureTanks1.select(3000.1), 0);
}

TEST(CataloguesSelection, OtherCataloguesNeedMoreThanTheNeed)
{
    EXPECT_EQ(cat().OpenExpansionTanks.select(99.9), 1);
    EXPECT_EQ(cat().OpenExpansionTanks.select(100), 2);
    EXPECT_EQ(cat().OpenExpansionTanks.select(2999), 18);
    EXPECT_EQ(cat().OpenExpansionTanks.select(3000), 0);

    EXPECT_EQ(cat().DiaphragmExpansionTanks.select(8), 2);
    EXPECT_EQ(cat().DiaphragmExpansionTanks.select(34.9), 5);
    EXPECT_EQ(cat().DiaphragmExpansionTanks.select(35), 0);

    EXPECT_EQ(cat().HydropneumaticExpansionTanks.select(200), 2);
    EXPECT_EQ(cat().HydropneumaticExpansionTanks.select(2000), 0);

    EXPECT_EQ(cat().SoftenerCatalogue.select(14.99), 1);
    EXPECT_EQ(cat().SoftenerCatalogue.select(15), 2);
    EXPECT_EQ(cat().SoftenerCatalogue.select(2000), 0);

    EXPECT_EQ(cat().SandFilters.select(13), 2);
    EXPECT_EQ(cat().SandFilters.select(311.9), 17);
    EXPECT_EQ(cat().SandFilters.select(312), 0);

    EXPECT_EQ(cat().FuelTankCatalogue.select(500), 2);
    EXPECT_EQ(cat().FuelTankCatalogue.select(39999), 17);

    EXPECT_EQ(cat().BoilerCatalogue.select(120000), 2);
    EXPECT_EQ(cat().BoilerCatalogue.select(119999.9), 1);
    EXPECT_EQ(cat().BoilerCatalogue.select(1500000), 0);

    EXPECT_EQ(cat().FurnaceCatalogue.select(150000), 2);
    EXPECT_EQ(cat().FurnaceCatalogue.select(299999), 4);
    EXPECT_EQ(cat().FurnaceCatalogue.select(300000), 0);

    EXPECT_EQ(cat().FanCatalogue.select(359.9), 2);
    EXPECT_EQ(cat().FanCatalogue.select(360), 3);
    EXPECT_EQ(cat().FanCatalogue.select(720), 0);
}

TEST(CataloguesSelection, UnitHeatersByFanSpeed)
{
    const auto &u = cat().UnitHeaterCatalogue;
    // 900 rpm: rows 1..9, the capacity strictly above the share.
    auto c = u.select(28622, 1);
    EXPECT_EQ(c.row, 1);
    EXPECT_EQ(c.fanSpeed, "900");
    EXPECT_EQ(u.select(28623, 1).row, 2);
    // Rows are walked in order, not by size: 90000 is first covered by row
    // 4 (131000), not by the closer row 6 (90123) further down.
    EXPECT_EQ(u.select(90000, 1).row, 4);
    // 249869 is first covered by row 9.
    EXPECT_EQ(u.select(249869, 1).row, 9);
    // No 900 rpm unit covers it: the 1400 rpm block is searched.
    c = u.select(249870, 1);
    EXPECT_EQ(c.row, 14);
    EXPECT_EQ(c.fanSpeed, "1400");
    // 1400 rpm never considers the 900 rpm units.
    c = u.select(1000, 2);
    EXPECT_EQ(c.row, 10);
    EXPECT_EQ(c.fanSpeed, "1400");
    EXPECT_EQ(u.select(389959, 2).row, 18);
    c = u.select(389960, 1);
    EXPECT_EQ(c.row, 0);
    EXPECT_EQ(c.fanSpeed, "1400");
    // A negative share takes the first unit of the block.
    EXPECT_EQ(u.select(-500, 1).row, 1);
    // No fan speed chosen: nothing is searched.
    c = u.select(1000, 0);
    EXPECT_EQ(c.row, 0);
    EXPECT_TRUE(c.fanSpeed.isEmpty());
}

TEST(CataloguesSelection, PipeSizes)
{
    const auto &pc = cat().PipeCapacity;
    EXPECT_EQ(pc.rowOfFriction(1.5), 2);
    EXPECT_EQ(pc.rowOfFriction(4), 7);
    EXPECT_EQ(pc.rowOfFriction(1.2), 0);

    // Exactly 21 gpm at friction 1 is not carried by 2 in (21) but by 2 1/2.
    PipeChoice p = pc.choose(1, 21);
    EXPECT_TRUE(p.found());
    EXPECT_EQ(p.size, 7);
    EXPECT_EQ(p.row, 1);
    EXPECT_EQ(p.velocityRow(), 2);
    EXPECT_EQ(cat().PipeSizeNames.name(p.size), "1/2 2");
    EXPECT_EQ(pc.choose(1, 20.9).size, 6);

    p = pc.choose(1.5, 0);
    EXPECT_EQ(p.size, 1);
    EXPECT_EQ(p.row, 2);
    EXPECT_EQ(pc.choose(4, 5799).size, 15);
    EXPECT_FALSE(pc.choose(4, 5800).found());
    EXPECT_FALSE(pc.choose(1, 2600).found());
    EXPECT_FALSE(pc.choose(1.2, 1).found());
    EXPECT_EQ(pc.choose(1.2, 1).row, 0);
}

// ---------------------------------------------------------------------------
// Interpolation.

TEST(CataloguesInterpolation, SteamTable)
{
    const auto &st = cat().SteamTable;
    // At a table point: exactly the row.
    SteamProperties s = st.atAbsolutePressure(14.696);
    ASSERT_TRUE(s.inRange);
    EXPECT_DOUBLE_EQ(s.saturationTemperature, 212);
    EXPECT_DOUBLE_EQ(s.latentHeat, 970.3);
    EXPECT_DOUBLE_EQ(s.vapourEnthalpy, 1150.5);
    s = st.atAbsolutePressure(100);
    ASSERT_TRUE(s.inRange);
    EXPECT_DOUBLE_EQ(s.saturationTemperature, 327.82);
    EXPECT_DOUBLE_EQ(s.latentHeat, 888.6);
    EXPECT_DOUBLE_EQ(s.vapourEnthalpy, 1187.2);

    // 0 PSI gauge = 14.7 psia lies between the first two rows.
    s = st.atGaugePressure(0);
    ASSERT_TRUE(s.inRange);
    const double k = (14.7 - 14.696) / (15 - 14.696);
    EXPECT_NEAR(s.saturationTemperature, 212 + k * (213.03 - 212), 1e-9);
    EXPECT_NEAR(s.latentHeat, 970.3 + k * (969.7 - 970.3), 1e-9);
    EXPECT_NEAR(s.vapourEnthalpy, 1150.5 + k * (1150.9 - 1150.5), 1e-9);
    EXPECT_GT(s.saturationTemperature, 212);
    EXPECT_LT(s.saturationTemperature, 213.03);

    // Halfway between 100 and 110 psia.
    s = st.atAbsolutePressure(105);
    ASSERT_TRUE(s.inRange);
    EXPECT_NEAR(s.saturationTemperature, (327.82 + 334.79) / 2, 1e-9);
    EXPECT_NEAR(s.latentHeat, (888.6 + 883) / 2, 1e-9);
    EXPECT_NEAR(s.vapourEnthalpy, (1187.2 + 1188.9) / 2, 1e-9);

    // The last pair of rows.
    s = st.atAbsolutePressure(1049.99);
    ASSERT_TRUE(s.inRange);
    EXPECT_NEAR(s.saturationTemperature, 550.53, 0.01);

    // Outside: below the first row, and at or above the last one.
    EXPECT_FALSE(st.atAbsolutePressure(14.69).inRange);
    EXPECT_FALSE(st.atGaugePressure(-1).inRange);
    s = st.atAbsolutePressure(1050);
    EXPECT_FALSE(s.inRange);
    EXPECT_EQ(s.saturationTemperature, 0);
    EXPECT_EQ(s.latentHeat, 0);
    EXPECT_EQ(s.vapourEnthalpy, 0);
    EXPECT_FALSE(st.atAbsolutePressure(5000).inRange);
}

TEST(CataloguesInterpolation, WaterExpansion)
{
    const auto &we = cat().WaterExpansion;
    Interpolated v = we.percentAt(150);
    ASSERT_TRUE(v.inRange);
    EXPECT_DOUBLE_EQ(v.value, 1.8);
    v = we.percentAt(160);
    ASSERT_TRUE(v.inRange);
    EXPECT_NEAR(v.value, 2.2, 1e-12);
    v = we.percentAt(100);
    ASSERT_TRUE(v.inRange);
    EXPECT_DOUBLE_EQ(v.value, 0.6);
    v = we.percentAt(349);
    ASSERT_TRUE(v.inRange);
    EXPECT_NEAR(v.value, 9.4 + 24.0 / 25.0 * (11.5 - 9.4), 1e-12);

    EXPECT_FALSE(we.percentAt(99.9).inRange);
    EXPECT_FALSE(we.percentAt(350).inRange);
    EXPECT_EQ(we.percentAt(350).value, 0);
    EXPECT_FALSE(we.percentAt(400).inRange);
}

TEST(CataloguesInterpolation, PumpStartCurve)
{
    const auto &pc = cat().PumpStartCurve;
    Interpolated v = pc.ratioAt(10);
    ASSERT_TRUE(v.inRange);
    EXPECT_DOUBLE_EQ(v.value, 6);
    v = pc.ratioAt(15);
    ASSERT_TRUE(v.inRange);
    EXPECT_DOUBLE_EQ(v.value, 5.25);
    v = pc.ratioAt(45);
    EXPECT_NEAR(v.value, 3.675, 1e-12);
    v = pc.ratioAt(95);
    ASSERT_TRUE(v.inRange);
    EXPECT_DOUBLE_EQ(v.value, 3.3);

    EXPECT_FALSE(pc.ratioAt(9.99).inRange);
    EXPECT_FALSE(pc.ratioAt(100).inRange);
    EXPECT_FALSE(pc.ratioAt(150).inRange);
}

TEST(CataloguesInterpolation, RadiatorFactors)
{
    const auto &rf = cat().RadiatorFactors;
    // Table points.
    EXPECT_DOUBLE_EQ(rf.factor(68, 176), 1.0);
    EXPECT_DOUBLE_EQ(rf.factor(50, 158), 1.0);
    EXPECT_DOUBLE_EQ(rf.factor(59, 194), 1.34);
    // Between points: room first, then water.
    const double at167 = 1.01 + (56 - 53.6) / (59 - 53.6) * (1 - 1.01);
    const double at176 = 1.18 + (56 - 53.6) / (59 - 53.6) * (1.11 - 1.18);
    EXPECT_NEAR(rf.factor(56, 170), at167 + (170.0 - 167) / (176 - 167) * (at176 - at167), 1e-12);
    // Room at or above 77 °F is read as 76 °F; water above 211 °F as 211 °F.
    EXPECT_DOUBLE_EQ(rf.factor(80, 180), rf.factor(76, 180));
    EXPECT_DOUBLE_EQ(rf.factor(77, 180), rf.factor(76, 180));
    EXPECT_DOUBLE_EQ(rf.factor(68, 230), rf.factor(68, 211));
    EXPECT_LT(rf.factor(68, 211), 1.47);
    // Below the first header the first column or row is scaled in proportion.
    EXPECT_DOUBLE_EQ(rf.factor(20.5, 158), 1.11 / 2);
    EXPECT_DOUBLE_EQ(rf.factor(50, 79), 0.5);
    EXPECT_DOUBLE_EQ(rf.factor(0, 176), 0.0);
}

TEST(CataloguesInterpolation, UnitHeaterFactors)
{
    const auto &uf = cat().UnitHeaterFactors;
    Interpolated f = uf.factor(60, 180);
    ASSERT_TRUE(f.inRange);
    EXPECT_DOUBLE_EQ(f.value, 1.0);
    f = uf.factor(40, 200);
    ASSERT_TRUE(f.inRange);
    EXPECT_DOUBLE_EQ(f.value, 1.38);
    // Between points: water first, then air.
    f = uf.factor(65, 185);
    ASSERT_TRUE(f.inRange);
    const double at60 = 1 + 0.5 * (1.09 - 1);
    const double at70 = 0.92 + 0.5 * (1 - 0.92);
    EXPECT_NEAR(f.value, at60 + 0.5 * (at70 - at60), 1e-12);
    // Water at or above 220 °F is read as 219 °F.
    EXPECT_DOUBLE_EQ(uf.factor(60, 230).value, uf.factor(60, 219).value);
    EXPECT_DOUBLE_EQ(uf.factor(60, 220).value, uf.factor(60, 219).value);
    EXPECT_LT(uf.factor(60, 230).value, 1.3);
    // Water below the first header is scaled in proportion; air below it
    // takes the first row.
    EXPECT_DOUBLE_EQ(uf.factor(15, 150).value, 1.05);
    EXPECT_DOUBLE_EQ(uf.factor(-20, 150).value, 1.05);
    EXPECT_DOUBLE_EQ(uf.factor(60, 75).value, 0.75 / 2);
    // The last air row taking part is 90 °F: from there on, out of range.
    f = uf.factor(89.9, 180);
    EXPECT_TRUE(f.inRange);
    f = uf.factor(90, 180);
    EXPECT_FALSE(f.inRange);
    EXPECT_EQ(f.value, 0);
    EXPECT_FALSE(uf.factor(100, 180).inRange);
}
