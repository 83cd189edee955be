// Collectors and risers: per-unit flows and pipes, connection branches and
// the collector's diameter and length.
#include "SizingTestUtil.h"
#include "boravest/sizing/Collectors.h"

#include <gtest/gtest.h>

using namespace bv::sizing;
using sizingtest::said;

namespace {

// A unit whose one space loses 50 Btu/h per sq.ft through an external
// south wall (U 0.5, 100 F across it); no air change, no factors.
CollectorUnit unit(qint64 no, double load, int risers)
{
    building::SurfaceRow wall;
    wall.Jedare = QString::fromUtf8("ديوار");
    wall.Id_njedar = 1, wall.Id_gjedar = 1, wall.Masa1 = load / 50, wall.Z_1 = 0.5, wall.To_ = -30;
    building::SpaceRow space;
    space.Ti_ = 70;
    space.surfaces = {wall};
    CollectorUnit u;
    u.No = no, u.T_Rz = risers;
    u.unit.spaces = {space};
    return u;
}

// 20 F at 1 ft per 100 ft; risers of `flow` gpm each, no connection branch.
CollectorsInputs risers(double flow, int count)
{
    CollectorsInputs in;
    in.EkhtDama = 20, in.OfteFeshar = 1;
    in.units = {unit(1, flow * 20 * 499.8 * count, count)};
    return in;
}

// Four units worked by hand, and a double-wall tank for the apartment
// building (203848 Btu/h through the exchanger: 20.39 gpm, a 2 in pipe).
CollectorsInputs project()
{
    CollectorsInputs in = risers(0, 0);
    in.Randeman = 80, in.DamAbBeh = 140, in.DamAbSh = 50, in.Z_Et = 10;
    in.fixtures = sizingtest::apartmentFixtures();
    in.units = {unit(1, 100000, 2), unit(2, 30000, 1), unit(3, 50000, 0), unit(4, 30e6, 1)};
    return in;
}

} // namespace

TEST(CollectorsTest, ProjectWorkedByHand)
{
    const CollectorsResults r = sizeCollectors(project());
    // 5.002 gpm per riser: 1 1/4 in; 3.001 gpm: 1 in; no risers; 3001 gpm: no pipe carries it.
    const std::tuple<bool, double, double, int, int> expected[] = {
        {true, 100000, 10.0, 4, 2}, {true, 30000, 3.0, 3, 2}, {false, 0, 0, 0, 0}, {false, 0, 0, 0, 0}};
    ASSERT_EQ(r.units.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        const CollectorUnitResult &u = r.units[i];
        EXPECT_EQ(std::tuple(u.sized, u.Q_Vahed, u.GP, u.Col, u.Row), expected[i]) << i;
    }
    EXPECT_EQ(r.tankConnection, QStringLiteral("2"));
    // Squares 2 x 1.25^2 + 1 + 2^2 = 8.125 (De 2.85); diameters 2 x 1.25 + 1 + 2 = 5.5.
    EXPECT_NEAR(r.equivalentDiameterIn, std::sqrt(8.125), 1e-12);
    EXPECT_NEAR(r.collectorLengthIn, 19.8, 1e-12);
    EXPECT_EQ(std::pair(r.inletDiameterIn, r.collectorDiameterIn), std::pair(3.0, 4.0));
    EXPECT_EQ(r.messages, said(kMsgNoPipeFits));
    CollectorsInputs report = project();
    report.reportMode = true;
    EXPECT_TRUE(sizeCollectors(report).messages.isEmpty());
}

TEST(CollectorsTest, CollectorDiameterFromTheList)
{
    // flow per riser (gpm), risers, inlet, collector: 4 in risers give De
    // exactly 4; 10 in risers give De 20 (no size above 22) and 22.4.
    for (const auto &[flow, count, inlet, collector] :
         {std::tuple{100.0, 1, 6.0, 8.0}, {1000.0, 4, 22.0, 0.0}, {1000.0, 5, 0.0, 0.0}}) {
        const CollectorsResults r = sizeCollectors(risers(flow, count));
        EXPECT_EQ(std::pair(r.inletDiameterIn, r.collectorDiameterIn), std::pair(inlet, collector)) << count;
        EXPECT_EQ(r.messages, collector > 0 ? QStringList{} : said(kMsgCollectorBeyondList)) << count;
    }
}

TEST(CollectorsTest, SteamTankAndExchangerBranches)
{
    CollectorsInputs in = risers(100, 1);
    in.Typ_MAM = 2, in.Randeman = 80; // steam coil: no tank branch, no inlet figure
    CollectorsResults r = sizeCollectors(in);
    EXPECT_TRUE(r.tankConnection.isEmpty() && r.inletDiameterIn == 0 && r.firstLargerDiameterIn == 6);
    // Jacuzzi and pool through hot-water exchangers, 50 gpm each: 3 in pipes.
    in.Mass_Jak = 50, in.G_Ab_Jak = 4, in.jacuzziHeatBtuh = 50 * 20 * 499.8, in.jacuzziExchangerPipe = 2;
    in.Mass_Est = 400, in.poolHeatBtuh = 50 * 20 * 499.8, in.poolExchangerPipe = 7;
    r = sizeCollectors(in);
    EXPECT_EQ(QStringList({r.jacuzziConnection, r.poolConnection}), QStringList({"3/4", "1/2 2"}));
    EXPECT_NEAR(r.collectorLengthIn, 3.6 * (4 + 3 + 3), 1e-12);
    in.G_Ab_Jak = 0, in.Typ_M_Est = 1; // no turnover time, a steam pool: neither takes part
    EXPECT_NEAR(sizeCollectors(in).collectorLengthIn, 3.6 * 4, 1e-12);
}

TEST(CollectorsTest, BadFrictionLossOrTemperatureDifference)
{
    CollectorsInputs in = project();
    in.OfteFeshar = 1.2; // no friction row: nothing is sized
    const CollectorsResults r = sizeCollectors(in);
    for (const CollectorUnitResult &u : r.units)
        EXPECT_FALSE(u.sized);
    EXPECT_TRUE(r.collectorLengthIn == 0 && r.collectorDiameterIn == 0 && r.tankConnection.isEmpty());
    EXPECT_EQ(r.messages, said(kMsgSetPressureDrop));
    in = project();
    in.EkhtDama = 0, in.reportMode = true; // a stop is said in both modes
    const CollectorsResults z = sizeCollectors(in);
    EXPECT_TRUE(z.stopped && z.units.empty());
    EXPECT_EQ(z.messages, said(kMsgCorrectTemperatureDifference));
    EXPECT_EQ(QStringList({convertSk(0), convertSk(-6), convertSk(51)}),
              QStringList({QString::fromUtf8("همكف"), "-6", "51"}));
}

TEST(CollectorsTest, TankBranchOnItsOwn)
{
    CollectorsInputs in = project();
    const TankBranch tank = hotWaterTankBranch(in);
    EXPECT_TRUE(tank.present);
    EXPECT_NEAR(tank.flowGpm, 20.39, 5e-3);
    EXPECT_EQ(tank.size, QStringLiteral("2"));
    const struct {
        void (*change)(CollectorsInputs &);
        bool present;
    } cases[] = {
        {[](CollectorsInputs &c) { c.Typ_MAM = 2; }, false},      // steam coil: no branch
        {[](CollectorsInputs &c) { c.Randeman = 0; }, false},     // no exchanger efficiency
        {[](CollectorsInputs &c) { c.OfteFeshar = 1.2; }, true},  // no friction row: no size
        {[](CollectorsInputs &c) { c.EkhtDama = 0; }, true},      // no temperature drop: no size
    };
    for (const auto &c : cases) {
        in = project();
        c.change(in);
        const TankBranch t = hotWaterTankBranch(in);
        EXPECT_EQ(t.present, c.present);
        EXPECT_TRUE(t.size.isEmpty() && t.pipeSize == 0);
    }
}
