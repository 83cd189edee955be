// Collectors and risers: per-unit flows and pipes, connection branches and
// the collector's diameter and length.
#include "boravest/equipment/Collectors.h"

#include <gtest/gtest.h>

using namespace bv::equipment;

namespace {

// A unit with one space behind one external south wall of U 0.5 with 100 F
// across it: 50 Btu/h per sq.ft of wall, no air change, no factors.
CollectorUnit unitWithLoad(qint64 no, double floor, double load, int risers)
{
    building::SurfaceRow wall;
    wall.Jedare = QString::fromUtf8("ديوار");
    wall.Id_jedar = building::KindWall;
    wall.Id_njedar = 1;
    wall.Id_gjedar = 1;
    wall.Masa1 = load / 50;
    wall.Z_1 = 0.5;
    wall.To_ = -30;
    building::SpaceRow space;
    space.Ti_ = 70;
    space.surfaces = {wall};
    CollectorUnit u;
    u.No = no;
    u.Shproje = 1;
    u.Shsk = 1;
    u.T_Rz = risers;
    u.unit.Tabage = floor;
    u.unit.Shvahed = 1;
    u.unit.spaces = {space};
    return u;
}

// 20 F difference at 1 ft per 100 ft, a double-wall tank for an apartment
// building of 452 gph (203848 Btu/h through the exchanger: 20.39 gpm).
CollectorsInputs project()
{
    CollectorsInputs in;
    in.EkhtDama = 20;
    in.OfteFeshar = 1;
    in.Typ_MAM = 0;
    in.Randeman = 80;
    in.DamAbBeh = 140;
    in.DamAbSh = 50;
    in.Z_Et = 10;
    in.NSakh = 0;
    in.fixtures.WCKh = 4;
    in.fixtures.Van = 2;
    in.fixtures.Dosh = 4;
    in.units = {unitWithLoad(1, 0, 100000, 2), unitWithLoad(2, 1, 30000, 1), unitWithLoad(3, 1, 50000, 0),
                unitWithLoad(4, 2, 30e6, 1)};
    return in;
}

// Only risers of one pipe size, no connection branch.
CollectorsInputs risersOnly(double flowPerRiser, int risers)
{
    CollectorsInputs in;
    in.EkhtDama = 20;
    in.OfteFeshar = 1;
    in.Typ_MAM = 0;
    in.Randeman = 0;
    in.units = {unitWithLoad(1, 0, flowPerRiser * 20 * 499.8 * risers, risers)};
    return in;
}

} // namespace

TEST(CollectorsTest, ProjectWorkedByHand)
{
    const CollectorsResults r = sizeCollectors(project());
    ASSERT_EQ(r.units.size(), 4u);
    struct Expected {
        bool sized;
        double Q_Vahed;
        double GP;
        int Col;
    };
    // 5.002 gpm per riser: 1 1/4 in; 3.001 gpm: 1 in; no risers; 3001 gpm: no pipe.
    const Expected expected[] = {{true, 100000, 10.0, 4}, {true, 30000, 3.0, 3}, {false, 0, 0, 0}, {false, 0, 0, 0}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(r.units[i].sized, expected[i].sized) << i;
        EXPECT_DOUBLE_EQ(r.units[i].Q_Vahed, expected[i].Q_Vahed) << i;
        EXPECT_DOUBLE_EQ(r.units[i].GP, expected[i].GP) << i;
        EXPECT_EQ(r.units[i].Col, expected[i].Col) << i;
        EXPECT_EQ(r.units[i].Row, expected[i].sized ? 2 : 0) << i;
    }
    EXPECT_NEAR(r.units[0].flowPerRiser, 5.002, 5e-4);
    EXPECT_EQ(r.tankConnection, QStringLiteral("2"));
    // Squares 2 x 1.25^2 + 1 + 2^2 = 8.125; diameters 2 x 1.25 + 1 + 2 = 5.5.
    EXPECT_NEAR(r.equivalentDiameterIn, std::sqrt(8.125), 1e-12);
    EXPECT_NEAR(r.collectorLengthIn, 19.8, 1e-12);
    EXPECT_DOUBLE_EQ(r.inletDiameterIn, 3);
    EXPECT_DOUBLE_EQ(r.firstLargerDiameterIn, 3);
    EXPECT_DOUBLE_EQ(r.collectorDiameterIn, 4);
    EXPECT_EQ(r.unsizedBranches, 1);
    EXPECT_EQ(r.messages, QStringList{QString::fromUtf8(kMsgNoPipeFits)});

    CollectorsInputs report = project();
    report.reportMode = true;
    EXPECT_TRUE(sizeCollectors(report).messages.isEmpty());

    const auto rows = collectorStoreRows(r);
    EXPECT_EQ(rows[1].No, 2);
    EXPECT_TRUE(rows[1].sized);
    EXPECT_EQ(rows[1].Col, 3);
    EXPECT_FALSE(rows[2].sized);
}

TEST(CollectorsTest, RiserFlowOfTwoRisers)
{
    const CollectorsResults r = sizeCollectors(risersOnly(100000 / (20 * 499.8 * 2), 2));
    EXPECT_NEAR(r.units[0].flowPerRiser, 5.0, 1e-2);
    EXPECT_DOUBLE_EQ(r.units[0].GP, 10.0);
}

TEST(CollectorsTest, CollectorDiameterFromTheList)
{
    struct Case {
        double flow; // per riser, gpm, at 1 ft per 100 ft
        int risers;
        double inlet;
        double collector;
        bool beyond;
    };
    const Case cases[] = {
        {100, 1, 6, 8, false},   // 4 in risers: De exactly 4
        {1000, 4, 22, 0, true},  // 10 in risers: De 20, no size above 22
        {1000, 5, 0, 0, true},   // De 22.4: beyond the list
    };
    for (const Case &c : cases) {
        const CollectorsResults r = sizeCollectors(risersOnly(c.flow, c.risers));
        EXPECT_DOUBLE_EQ(r.inletDiameterIn, c.inlet) << c.risers;
        EXPECT_DOUBLE_EQ(r.collectorDiameterIn, c.collector) << c.risers;
        EXPECT_EQ(r.beyondDiameterList, c.beyond) << c.risers;
        EXPECT_EQ(r.messages, c.beyond ? QStringList{QString::fromUtf8(kMsgCollectorBeyondList)} : QStringList{});
    }
}

TEST(CollectorsTest, SteamTankAndExchangerBranches)
{
    CollectorsInputs in = risersOnly(100, 1);
    in.Typ_MAM = 2;
    in.Randeman = 80;
    CollectorsResults r = sizeCollectors(in);
    EXPECT_TRUE(r.tankConnection.isEmpty());
    EXPECT_DOUBLE_EQ(r.inletDiameterIn, 0);
    EXPECT_DOUBLE_EQ(r.firstLargerDiameterIn, 6);

    // Jacuzzi and pool through hot-water exchangers: 3 in each (50 gpm).
    in.Mass_Jak = 50;
    in.G_Ab_Jak = 4;
    in.jacuzziHeatBtuh = 50 * 20 * 499.8;
    in.jacuzziExchangerPipe = 2;
    in.Mass_Est = 400;
    in.poolHeatBtuh = 50 * 20 * 499.8;
    in.poolExchangerPipe = 7;
    r = sizeCollectors(in);
    EXPECT_EQ(r.jacuzziConnection, QStringLiteral("3/4"));
    EXPECT_EQ(r.poolConnection, QStringLiteral("1/2 2"));
    EXPECT_NEAR(r.collectorLengthIn, 3.6 * (4 + 3 + 3), 1e-12);

    // Without turnover time, or with steam, a branch takes no part.
    in.G_Ab_Jak = 0;
    in.Typ_M_Est = 1;
    r = sizeCollectors(in);
    EXPECT_TRUE(r.jacuzziConnection.isEmpty());
    EXPECT_TRUE(r.poolConnection.isEmpty());
    EXPECT_NEAR(r.collectorLengthIn, 3.6 * 4, 1e-12);
}

TEST(CollectorsTest, FrictionLossWithoutARowSizesNothing)
{
    CollectorsInputs in = project();
    in.OfteFeshar = 1.2;
    const CollectorsResults r = sizeCollectors(in);
    for (const CollectorUnitResult &u : r.units)
        EXPECT_FALSE(u.sized);
    EXPECT_DOUBLE_EQ(r.collectorLengthIn, 0);
    EXPECT_DOUBLE_EQ(r.collectorDiameterIn + r.inletDiameterIn, 0);
    EXPECT_TRUE(r.tankConnection.isEmpty());
    EXPECT_EQ(r.messages, QStringList{QString::fromUtf8(kMsgSetPressureDrop)});
}

TEST(CollectorsTest, ZeroTemperatureDifferenceStops)
{
    for (bool report : {false, true}) {
        CollectorsInputs in = project();
        in.EkhtDama = 0;
        in.reportMode = report;
        const CollectorsResults r = sizeCollectors(in);
        EXPECT_TRUE(r.stopped);
        EXPECT_TRUE(r.units.empty());
        EXPECT_EQ(r.messages, QStringList{QString::fromUtf8(kMsgCorrectTemperatureDifference)});
    }
}

TEST(CollectorsTest, FloorNames)
{
    EXPECT_EQ(convertSk(0), QString::fromUtf8("همكف"));
    EXPECT_EQ(convertSk(-6), QStringLiteral("-6"));
    EXPECT_EQ(convertSk(51), QStringLiteral("51"));
}
