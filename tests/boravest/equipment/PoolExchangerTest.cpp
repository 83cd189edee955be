#include "boravest/equipment/PoolExchanger.h"

#include "platform/common/Numbers.h"

#include <gtest/gtest.h>

using namespace bv::equipment;

namespace {

// 800 sq.ft, 5 ft deep, 80 °F from 50 °F in 48 h, air 75 °F, 80 %, boiler
// water 180 °F, one exchanger.
ExchangerInputs pool()
{
    ExchangerInputs in;
    in.efficiency = 80;
    in.count = 1;
    in.waterTemperature = 80;
    in.DamAbSh = 50;
    in.area = 800;
    in.depth = 5;
    in.heatUpTime = 48;
    in.ambientTemperature = 75;
    in.DAbgarm = 180;
    in.OfteFeshar = 2.5;
    return in;
}

const QString kPoolTemperatures = QStringLiteral("دماي آب سرد ورودي وآبگرم استخر و آب گرم گردشي سيستم را كنترل نماييد");

} // namespace

TEST(PoolExchanger, WorkedHotWaterCase)
{
    const ExchangerResults r = sizePoolExchanger(pool());
    ASSERT_FALSE(r.stopped);
    EXPECT_DOUBLE_EQ(r.waterVolume, 30000);
    EXPECT_DOUBLE_EQ(r.startUpEnergy, 156187.5);
    EXPECT_DOUBLE_EQ(r.surfaceLoss, 37800);
    EXPECT_DOUBLE_EQ(r.totalEnergy, 242484.375);
    EXPECT_NEAR(r.lmtd, 114.34, 0.005);
    EXPECT_DOUBLE_EQ(r.amtd, 115);
    EXPECT_NEAR(r.mtd, 114.672, 0.0005);
    EXPECT_NEAR(r.coilSurface, 12.51, 0.005);
    // As the panel shows them.
    EXPECT_EQ(pf::roundHalfEven(r.mtd), 115);
    EXPECT_EQ(pf::roundHalfEven(r.startUpEnergy), 156188);
    EXPECT_EQ(pf::roundHalfEven(r.totalEnergy), 242484);
    EXPECT_EQ(r.steamUse, 0);
}

TEST(PoolExchanger, HeatUpTimeZero)
{
    ExchangerInputs in = pool();
    in.heatUpTime = 0;
    ExchangerResults r = sizePoolExchanger(in);
    EXPECT_FALSE(r.stopped);
    EXPECT_EQ(r.startUpEnergy, 0);
    EXPECT_DOUBLE_EQ(r.totalEnergy, 37800 / 0.8);
    EXPECT_GT(r.coilSurface, 0);

    // The jacuzzi stops with a message and no result.
    r = sizeJacuzziExchanger(in);
    EXPECT_TRUE(r.stopped);
    EXPECT_EQ(r.messages, QStringList{QStringLiteral("مدت زمان گرم شدن آب جكوزي را مشخص كنيد")});
    EXPECT_EQ(r.totalEnergy, 0);
    EXPECT_EQ(r.coilSurface, 0);
}

TEST(PoolExchanger, Steam)
{
    ExchangerInputs in = pool();
    in.type = ExchangerSteam;
    in.steamPressure = 0; // 14.7 psia, between 14.696 and 15 psia
    ExchangerResults r = sizePoolExchanger(in);
    ASSERT_FALSE(r.stopped);
    const double t = 0.004 / 0.304;
    EXPECT_NEAR(r.saturationTemperature, 212 + t * 1.03, 1e-9);
    EXPECT_NEAR(r.latentHeat, 970.3 - t * 0.6, 1e-9);
    EXPECT_NEAR(r.vapourEnthalpy, 1150.5 + t * 0.4, 1e-9);
    EXPECT_DOUBLE_EQ(r.steamUse, r.totalEnergy / r.vapourEnthalpy);
    EXPECT_DOUBLE_EQ(r.condensate, r.totalEnergy / r.latentHeat);
    EXPECT_DOUBLE_EQ(r.trapCapacity, 3 * r.condensate);
    EXPECT_NEAR(r.coilSurface, r.totalEnergy / (230 * r.mtd), 1e-9);

    in.steamPressure = 1100; // above the last row: no steam values, no message
    r = sizePoolExchanger(in);
    EXPECT_FALSE(r.stopped);
    EXPECT_TRUE(r.messages.isEmpty());
    EXPECT_EQ(r.saturationTemperature, 0);
    EXPECT_EQ(r.coilSurface, 0);
    EXPECT_GT(r.totalEnergy, 0);

    in.steamPressure = -1; // below the first row of the table
    r = sizePoolExchanger(in);
    EXPECT_TRUE(r.stopped);
    EXPECT_EQ(r.messages, QStringList{QStringLiteral("فشار ورودي بخار به مبدل را تصحيح كنيد")});
    EXPECT_EQ(r.saturationTemperature, 0);
}

TEST(PoolExchanger, ChecksStopWithTheirMessage)
{
    struct Case { const char *name; bool jacuzzi; void (*edit)(ExchangerInputs &); QString message; };
    const QString efficiency = QStringLiteral("راندمان مبدل را تصحيح كنيد");
    const Case cases[] = {
        {"no efficiency", false, [](ExchangerInputs &i) { i.efficiency = 0; }, efficiency},
        {"jacuzzi efficiency 98", true, [](ExchangerInputs &i) { i.efficiency = 98; }, efficiency},
        {"jacuzzi steam efficiency 98", true,
         [](ExchangerInputs &i) { i.efficiency = 98; i.type = ExchangerSteam; }, efficiency},
        {"boiler water at the pool temperature", false, [](ExchangerInputs &i) { i.DAbgarm = 80; },
         kPoolTemperatures},
        {"jacuzzi boiler water below the cold water", true, [](ExchangerInputs &i) { i.DAbgarm = 40; },
         QStringLiteral("دماي آب سرد ورودي وآبگرم جكوزي و آب گرم گردشي سيستم را كنترل نماييد")},
        // Both ends of the logarithmic mean equal.
        {"cold water at the pool temperature", false, [](ExchangerInputs &i) { i.DamAbSh = 80; },
         kPoolTemperatures},
        {"steam, cold water at the pool temperature", false,
         [](ExchangerInputs &i) { i.DamAbSh = 80; i.type = ExchangerSteam; }, kPoolTemperatures},
        {"no exchanger", false, [](ExchangerInputs &i) { i.count = 0; }, QStringLiteral("تعداد مبدل را مشخص كنيد")},
        {"no jacuzzi exchanger", true, [](ExchangerInputs &i) { i.count = 0; },
         QStringLiteral("تعداد مبدل را تعيين كنيد")},
    };
    for (const Case &c : cases) {
        ExchangerInputs in = pool();
        c.edit(in);
        const ExchangerResults r = c.jacuzzi ? sizeJacuzziExchanger(in) : sizePoolExchanger(in);
        EXPECT_TRUE(r.stopped) << c.name;
        EXPECT_EQ(r.messages, QStringList{c.message}) << c.name;
        EXPECT_EQ(r.coilSurface, 0) << c.name;
    }
    ExchangerInputs in = pool();
    in.efficiency = 97;
    EXPECT_FALSE(sizeJacuzziExchanger(in).stopped);
}

TEST(PoolExchanger, JacuzziLoadsAndJets)
{
    ExchangerInputs in = pool();
    in.area = 40;
    in.depth = 3;
    in.ambientTemperature = 74.6; // taken as 75
    in.Te_Naz = 1;
    ExchangerResults r = sizeJacuzziExchanger(in);
    ASSERT_FALSE(r.stopped);
    EXPECT_DOUBLE_EQ(r.startUpEnergy, 8.33 * 900 * 30 / 48 * 0.55);
    EXPECT_DOUBLE_EQ(r.surfaceLoss, 105 * 40 * 5 * 0.1);
    EXPECT_NEAR(r.coilSurface, r.totalEnergy / (170 * r.mtd), 1e-9);

    const struct { int jets; double flow; const char *size; double capacity; double velocity; } cases[] = {
        {1, 17.4, "1 1/2", 18, 2.8}, // friction 2.5: size 5
        {2, 34.8, "2 ", 36, 3.4},
        {121, 2105.4, "", 0, 0},
    };
    for (const auto &c : cases) {
        in.Te_Naz = c.jets;
        r = sizeJacuzziExchanger(in);
        EXPECT_NEAR(r.jetFlow, c.flow, 1e-9) << c.jets;
        EXPECT_EQ(r.jetPipeSize, QString::fromUtf8(c.size)) << c.jets;
        EXPECT_DOUBLE_EQ(r.jetPipeCapacity, c.capacity) << c.jets;
        EXPECT_DOUBLE_EQ(r.jetPipeVelocity, c.velocity) << c.jets;
        EXPECT_NEAR(r.jetPumpPower, c.jets * 18.48 * c.capacity / 2970, 1e-9) << c.jets;
    }

    in.Te_Naz = 1;
    in.Hi = 2500; // factor 1.2
    EXPECT_NEAR(sizeJacuzziExchanger(in).jetPumpPower, 18.48 * 18 / 2970 * 1.2, 1e-9);
    in.OfteFeshar = 1.75; // no friction row: no capacity, velocity or power
    r = sizeJacuzziExchanger(in);
    EXPECT_EQ(r.jetPipeSize, QStringLiteral("1 1/2"));
    EXPECT_EQ(r.jetPipeCapacity, 0);
    EXPECT_EQ(r.jetPumpPower, 0);
}
