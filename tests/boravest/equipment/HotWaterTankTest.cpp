// Hot-water tanks: volume, heating surface, catalogue row and return pump.
#include "boravest/equipment/HotWaterTank.h"

#include <gtest/gtest.h>

using namespace bv::equipment;

namespace {

// Apartment building (peak 452 gph, factors 0.35 and 1.25), 10 % margin,
// hot / city / boiler water 140 / 50 / 180 F, exchanger 80 %, one tank,
// one return pump at 50 %, pipework 80 %, 100 ft at 2 ft per 100 ft,
// altitude 1500 ft.
HotWaterTankInputs tank(int kind)
{
    HotWaterTankInputs in;
    in.Typ_MAM = kind;
    in.Randeman = 80;
    in.T_Manba = 1;
    in.T_Pomp = 1;
    in.Z_Et = 10;
    in.K_B_L_MAB = 80;
    in.Rand_E_MAB = 50;
    in.Fesh_KB = 0;
    in.DamAbBeh = 140;
    in.DamAbSh = 50;
    in.DAbgarm = 180;
    in.OfteFeshar = 2;
    in.TolSevic = 100;
    in.NSakh = 0;
    in.fixtures.WCKh = 4;
    in.fixtures.Van = 2;
    in.fixtures.Dosh = 4;
    in.Hi = 1500;
    return in;
}

} // namespace

TEST(HotWaterTankTest, DoubleWallAndCoilTanks)
{
    struct Case {
        int kind;
        double surface;
        int row;
    };
    // 822.2 litres per tank: the 1000-litre row of either catalogue.
    for (const Case &c : {Case{DoubleWallTank, 31.0973, 7}, Case{HotWaterCoilTank, 17.7309, 2}}) {
        const HotWaterTankResults r = sizeHotWaterTank(tank(c.kind));
        EXPECT_FALSE(r.stopped);
        EXPECT_DOUBLE_EQ(r.peakDemandGph, 452);
        EXPECT_DOUBLE_EQ(r.demandFactor, 0.35);
        EXPECT_DOUBLE_EQ(r.storageFactor, 1.25);
        EXPECT_NEAR(r.waterVolumeGal, 217.525, 1e-9);
        EXPECT_NEAR(r.heatLoadBtuh, 203848.1156, 1e-3);
        EXPECT_NEAR(r.meanTempDiff, 80.6791, 1e-4);
        EXPECT_NEAR(r.heatingSurfaceSqFt, c.surface, 1e-4);
        EXPECT_EQ(r.row, c.row);
        // Return pump: weights 4 x 1 + 2 x 2 + 4 x 3 = 20.
        EXPECT_DOUBLE_EQ(r.pumpFlowGpm, 1.0);
        EXPECT_DOUBLE_EQ(r.pressureDropFactor, 1.2);
        EXPECT_NEAR(r.pumpHeadFt, 3.6, 1e-12);
        EXPECT_DOUBLE_EQ(r.altitudeFactor, 1.1);
        EXPECT_NEAR(r.pumpPowerHp, 3.6 / 1980 * 1.1, 1e-12);
        EXPECT_TRUE(r.messages.isEmpty());
    }
}

TEST(HotWaterTankTest, SteamCoilAtZeroGauge)
{
    const HotWaterTankResults r = sizeHotWaterTank(tank(SteamCoilTank));
    EXPECT_FALSE(r.stopped);
    EXPECT_NEAR(r.saturationTempF, 212.01355, 1e-5);
    EXPECT_NEAR(r.latentHeat, 970.29211, 1e-5);
    EXPECT_NEAR(r.vapourEnthalpy, 1150.50526, 1e-5);
    EXPECT_NEAR(r.steamUseLbh, r.heatLoadBtuh / r.vapourEnthalpy, 1e-9);
    EXPECT_NEAR(r.trapCapacityLbh, 3 * r.heatLoadBtuh / r.latentHeat, 1e-9);
    EXPECT_EQ(r.row, 0);
}

TEST(HotWaterTankTest, ReturnPumps)
{
    HotWaterTankInputs in = tank(DoubleWallTank);
    in.T_Pomp = 2;
    in.S_masaref = 20;
    HotWaterTankResults two = sizeHotWaterTank(in);
    EXPECT_DOUBLE_EQ(two.pumpFlowGpm, (20 + 20) / 40.0 * 1.75);

    // Without a pump: no allowance, no pump rows, no efficiency message.
    in.T_Pomp = -1;
    in.Rand_E_MAB = 0;
    HotWaterTankResults none = sizeHotWaterTank(in);
    EXPECT_NEAR(none.heatingSurfaceSqFt, two.heatingSurfaceSqFt / 0.8, 1e-9);
    EXPECT_DOUBLE_EQ(none.pumpFlowGpm + none.pumpHeadFt + none.pumpPowerHp + none.pressureDropFactor, 0);
    EXPECT_TRUE(none.messages.isEmpty());

    // A pump without efficiency: the message, the run goes on.
    in.T_Pomp = 1;
    for (bool report : {false, true}) {
        in.reportMode = report;
        HotWaterTankResults r = sizeHotWaterTank(in);
        EXPECT_FALSE(r.stopped);
        EXPECT_EQ(r.row, 7);
        EXPECT_DOUBLE_EQ(r.pumpPowerHp, 0);
        EXPECT_EQ(r.messages, QStringList{QString::fromUtf8(kMsgCorrectReturnPumpEfficiency)});
    }

    in = tank(DoubleWallTank);
    in.Hi = 300;
    EXPECT_DOUBLE_EQ(sizeHotWaterTank(in).altitudeFactor, 1.0);
}

TEST(HotWaterTankTest, CatalogueRow)
{
    HotWaterTankInputs in = tank(DoubleWallTank);
    in.T_Manba = 1;
    in.S_masaref = 1000 / 3.78 / 1.1 - 452 * 0.35 * 1.25; // exactly 1000 litres
    EXPECT_EQ(sizeHotWaterTank(in).row, 7);

    in = tank(HotWaterCoilTank);
    in.S_masaref = 3000; // above the 8000-litre coil tank
    HotWaterTankResults screen = sizeHotWaterTank(in);
    EXPECT_EQ(screen.row, 0);
    EXPECT_FALSE(screen.stopped);
    EXPECT_EQ(screen.messages, QStringList{QString::fromUtf8(kMsgMoreCoilTanks)});
    in.reportMode = true;
    EXPECT_TRUE(sizeHotWaterTank(in).messages.isEmpty());
}

TEST(HotWaterTankTest, InputProblemsStop)
{
    struct Case {
        const char *name;
        int kind;
        void (*change)(HotWaterTankInputs &);
        const char *message;
        bool surfaceSet;
    };
    const Case cases[] = {
        {"coil without tanks", HotWaterCoilTank, [](HotWaterTankInputs &in) { in.T_Manba = 0, in.Randeman = 0; },
         kMsgSetExchangerCount, false},
        {"double-wall without tanks", DoubleWallTank, [](HotWaterTankInputs &in) { in.T_Manba = 0; },
         kMsgSetExchangerCount, true},
        {"double-wall with a negative tank count", DoubleWallTank, [](HotWaterTankInputs &in) { in.T_Manba = -2; },
         kMsgSetExchangerCount, true},
        {"double-wall efficiency 0", DoubleWallTank, [](HotWaterTankInputs &in) { in.Randeman = 0; },
         kMsgCorrectExchangerEfficiency, false},
        {"double-wall efficiency 98", DoubleWallTank, [](HotWaterTankInputs &in) { in.Randeman = 98; },
         kMsgCorrectExchangerEfficiency, false},
        {"coil efficiency 20", HotWaterCoilTank, [](HotWaterTankInputs &in) { in.Randeman = 20; },
         kMsgCorrectExchangerEfficiency, false},
        {"steam efficiency 29", SteamCoilTank, [](HotWaterTankInputs &in) { in.Randeman = 29; },
         kMsgCorrectExchangerEfficiency, false},
        {"boiler water not above the hot water", DoubleWallTank, [](HotWaterTankInputs &in) { in.DAbgarm = 140; },
         kMsgCheckHotWaterTemperatures, false},
        {"hot water equal to city water", HotWaterCoilTank,
         [](HotWaterTankInputs &in) { in.DamAbBeh = in.DamAbSh = 60; }, kMsgCheckHotWaterTemperatures, false},
        {"steam not above the hot water", SteamCoilTank, [](HotWaterTankInputs &in) { in.DamAbBeh = 215; },
         kMsgCheckSteamTemperatures, false},
        {"steam at the last row of the table", SteamCoilTank, [](HotWaterTankInputs &in) { in.Fesh_KB = 1035.3; },
         kMsgSteamPressureRange, false},
        {"steam above the table", SteamCoilTank, [](HotWaterTankInputs &in) { in.Fesh_KB = 2000; },
         kMsgSteamPressureRange, false},
    };
    for (const Case &c : cases) {
        for (bool report : {false, true}) {
            HotWaterTankInputs in = tank(c.kind);
            c.change(in);
            in.reportMode = report;
            const HotWaterTankResults r = sizeHotWaterTank(in);
            EXPECT_TRUE(r.stopped) << c.name;
            EXPECT_EQ(r.messages, QStringList{QString::fromUtf8(c.message)}) << c.name;
            EXPECT_GT(r.waterVolumeGal, 0) << c.name;
            EXPECT_EQ(r.heatingSurfaceSqFt > 0, c.surfaceSet) << c.name;
            EXPECT_EQ(r.row, 0) << c.name;
        }
    }
    // Efficiency 20 is accepted for a double-wall tank.
    HotWaterTankInputs low = tank(DoubleWallTank);
    low.Randeman = 20;
    EXPECT_FALSE(sizeHotWaterTank(low).stopped);
}
