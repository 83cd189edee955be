// Hot-water tanks: volume, heating surface, catalogue row and return pump.
#include "SizingTestUtil.h"
#include "boravest/sizing/HotWaterTank.h"

#include <gtest/gtest.h>

using namespace bv::sizing;
using sizingtest::said;

namespace {

// Apartment building (452 gph, factors 0.35 and 1.25), 10 % margin, hot /
// city / boiler water 140 / 50 / 180 F, exchanger 80 %, one tank, one return
// pump at 50 %, pipework 80 %, 100 ft at 2 ft per 100 ft, altitude 1500 ft.
HotWaterTankInputs tank(int kind)
{
    HotWaterTankInputs in;
    in.Typ_MAM = kind, in.Randeman = 80, in.T_Manba = 1, in.T_Pomp = 1, in.Z_Et = 10;
    in.K_B_L_MAB = 80, in.Rand_E_MAB = 50, in.DamAbBeh = 140, in.DamAbSh = 50, in.DAbgarm = 180;
    in.OfteFeshar = 2, in.TolSevic = 100, in.Hi = 1500;
    in.fixtures = sizingtest::apartmentFixtures();
    return in;
}

} // namespace

TEST(HotWaterTankTest, DoubleWallCoilAndSteamTanks)
{
    // 217.5 gal, MTD 80.68 F; 822.2 litres per tank is the 1000-litre row of either catalogue.
    for (const auto &[kind, surface, row] : {std::tuple{DoubleWallTank, 31.0973, 7}, {HotWaterCoilTank, 17.7309, 2}}) {
        const HotWaterTankResults r = sizeHotWaterTank(tank(kind));
        EXPECT_NEAR(r.waterVolumeGal + r.meanTempDiff, 217.525 + 80.6791, 1e-4);
        EXPECT_NEAR(r.heatingSurfaceSqFt, surface, 1e-4);
        // Return pump: weights 4 x 1 + 2 x 2 + 4 x 3 = 20 -> 1 gpm, head 3.6 ft, altitude factor 1.1.
        EXPECT_EQ(std::tuple(r.row, r.pumpFlowGpm, r.messages.size(), r.stopped), std::tuple(row, 1.0, 0, false));
        EXPECT_NEAR(r.pumpPowerHp, 3.6 / 1980 * 1.1, 1e-12);
    }
    // Steam at 0 PSI gauge lies between the 14.696 and 15 psia rows.
    const HotWaterTankResults s = sizeHotWaterTank(tank(SteamCoilTank));
    EXPECT_NEAR(s.saturationTempF, 212.01355, 1e-5);
    EXPECT_NEAR(s.trapCapacityLbh, 3 * s.heatLoadBtuh / 970.29211, 1e-3);
}

TEST(HotWaterTankTest, ReturnPumpsAndCatalogue)
{
    HotWaterTankInputs in = tank(DoubleWallTank);
    in.T_Pomp = 2, in.S_masaref = 20, in.Hi = 300;
    const HotWaterTankResults two = sizeHotWaterTank(in);
    EXPECT_EQ(std::pair(two.pumpFlowGpm, two.altitudeFactor), std::pair(40 / 40.0 * 1.75, 1.0));
    in.T_Pomp = -1, in.Rand_E_MAB = 0; // no pump: no allowance, no pump values, no message
    const HotWaterTankResults none = sizeHotWaterTank(in);
    EXPECT_NEAR(none.heatingSurfaceSqFt, two.heatingSurfaceSqFt / 0.8, 1e-9);
    EXPECT_TRUE(none.pumpHeadFt == 0 && none.messages.isEmpty());
    in.T_Pomp = 1, in.reportMode = true; // a pump without efficiency: said in both modes, the run goes on
    const HotWaterTankResults r = sizeHotWaterTank(in);
    EXPECT_TRUE(!r.stopped && r.row == 7 && r.pumpPowerHp == 0);
    EXPECT_EQ(r.messages, said(kMsgCorrectReturnPumpEfficiency));
    in = tank(HotWaterCoilTank);
    in.S_masaref = 3000; // above the 8000-litre coil tank: row 0, said on screen only
    EXPECT_EQ(sizeHotWaterTank(in).messages, said(kMsgMoreCoilTanks));
    in.reportMode = true;
    EXPECT_TRUE(sizeHotWaterTank(in).messages.isEmpty() && sizeHotWaterTank(in).row == 0);
}

TEST(HotWaterTankTest, InputProblemsStop)
{
    using In = HotWaterTankInputs &;
    // kind, change, message, whether the heating surface was reached
    const std::tuple<int, void (*)(In), const char *, bool> cases[] = {
        {HotWaterCoilTank, [](In in) { in.T_Manba = 0, in.Randeman = 0; }, kMsgSetExchangerCount, false},
        {DoubleWallTank, [](In in) { in.T_Manba = 0; }, kMsgSetExchangerCount, true},
        {DoubleWallTank, [](In in) { in.T_Manba = -2; }, kMsgSetExchangerCount, true},
        {DoubleWallTank, [](In in) { in.Randeman = 0; }, kMsgCorrectExchangerEfficiency, false},
        {HotWaterCoilTank, [](In in) { in.Randeman = 20; }, kMsgCorrectExchangerEfficiency, false},
        {DoubleWallTank, [](In in) { in.DAbgarm = 140; }, kMsgCheckHotWaterTemperatures, false},
        {HotWaterCoilTank, [](In in) { in.DamAbBeh = in.DamAbSh = 60; }, kMsgCheckHotWaterTemperatures, false},
        {SteamCoilTank, [](In in) { in.DamAbBeh = 215; }, kMsgCheckSteamTemperatures, false},
        {SteamCoilTank, [](In in) { in.Fesh_KB = 1035.3; }, kMsgSteamPressureRange, false}, // 1050 psia
    };
    for (const auto &[kind, change, message, surfaceSet] : cases) {
        for (bool report : {false, true}) {
            HotWaterTankInputs in = tank(kind);
            change(in);
            in.reportMode = report;
            const HotWaterTankResults r = sizeHotWaterTank(in);
            EXPECT_TRUE(r.stopped && r.row == 0 && r.waterVolumeGal > 0) << message;
            EXPECT_EQ(r.heatingSurfaceSqFt > 0, surfaceSet) << message;
            EXPECT_EQ(r.messages, said(message));
        }
    }
    HotWaterTankInputs low = tank(DoubleWallTank); // 20 % is accepted for a double-wall tank
    low.Randeman = 20;
    EXPECT_FALSE(sizeHotWaterTank(low).stopped);
}
