#include "boravest/sizing/PoolExchanger.h"

#include "platform/common/Numbers.h"

#include <gtest/gtest.h>

using namespace bv::sizing;

namespace {

// 800 sq.ft, 5 ft deep, 80 °F from 50 °F in 48 h, air 75 °F, 80 %, boiler
// water 180 °F, one exchanger; friction 2.5 for the jets.
ExchangerInputs pool() { return ExchangerInputs{80, 1, 80, 50, 800, 5, 48, 75, ExchangerHotWater, 180, 0, 0, 2.5, 0}; }

} // namespace

TEST(PoolExchanger, WorkedHotWaterCase)
{
    const ExchangerResults r = sizePoolExchanger(pool());
    EXPECT_DOUBLE_EQ(r.waterVolume, 30000);
    EXPECT_DOUBLE_EQ(r.startUpEnergy, 156187.5);
    EXPECT_DOUBLE_EQ(r.surfaceLoss, 37800);
    EXPECT_DOUBLE_EQ(r.totalEnergy, 242484.375);
    EXPECT_NEAR(r.lmtd, 114.34, 0.005);
    EXPECT_DOUBLE_EQ(r.amtd, 115);
    EXPECT_NEAR(r.mtd, 114.672, 0.0005);
    EXPECT_NEAR(r.coilSurface, 12.51, 0.005);
    EXPECT_EQ(pf::roundHalfEven(r.startUpEnergy), 156188); // as shown
    EXPECT_EQ(r.trapCapacity, 0); // every output starts cleared

    ExchangerInputs in = pool();
    in.heatUpTime = 0; // no start-up energy, the coil still sized
    EXPECT_NEAR(sizePoolExchanger(in).coilSurface, 37800 / 0.8 / (169 * r.mtd), 1e-9);
}

TEST(PoolExchanger, Steam)
{
    ExchangerInputs in = pool();
    in.type = ExchangerSteam; // 0 PSI: 14.7 psia, between 14.696 and 15 psia
    ExchangerResults r = sizePoolExchanger(in);
    const double t = 0.004 / 0.304;
    EXPECT_NEAR(r.saturationTemperature, 212 + t * 1.03, 1e-9);
    EXPECT_NEAR(r.latentHeat, 970.3 - t * 0.6, 1e-9);
    EXPECT_NEAR(r.vapourEnthalpy, 1150.5 + t * 0.4, 1e-9);
    EXPECT_TRUE(r.steamUse == r.totalEnergy / r.vapourEnthalpy && r.trapCapacity == 3 * r.totalEnergy / r.latentHeat);
    EXPECT_NEAR(r.coilSurface, r.totalEnergy / (230 * r.mtd), 1e-9);

    in.steamPressure = 1100; // above the table: no steam values, no message
    r = sizePoolExchanger(in);
    EXPECT_TRUE(!r.stopped && r.messages.isEmpty() && r.saturationTemperature == 0 && r.coilSurface == 0);
}

TEST(PoolExchanger, ChecksStopWithTheirMessage)
{
    const QString poolTemperatures = QStringLiteral("دماي آب سرد ورودي وآبگرم استخر و آب گرم گردشي سيستم را كنترل نماييد");
    const QString efficiency = QStringLiteral("راندمان مبدل را تصحيح كنيد");
    const struct { bool jacuzzi; void (*edit)(ExchangerInputs &); QString message; } cases[] = {
        {false, [](ExchangerInputs &i) { i.efficiency = 0; }, efficiency},
        {true, [](ExchangerInputs &i) { i.efficiency = 98; }, efficiency},
        {true, [](ExchangerInputs &i) { i.efficiency = 98, i.type = ExchangerSteam; }, efficiency},
        {false, [](ExchangerInputs &i) { i.DAbgarm = 80; }, poolTemperatures},
        {true, [](ExchangerInputs &i) { i.DAbgarm = 40; },
         QStringLiteral("دماي آب سرد ورودي وآبگرم جكوزي و آب گرم گردشي سيستم را كنترل نماييد")},
        {false, [](ExchangerInputs &i) { i.count = 0; }, QStringLiteral("تعداد مبدل را مشخص كنيد")},
        {true, [](ExchangerInputs &i) { i.count = 0; }, QStringLiteral("تعداد مبدل را تعيين كنيد")},
        // Cold water at the desired temperature: both ends of the log mean equal.
        {false, [](ExchangerInputs &i) { i.DamAbSh = 80; }, poolTemperatures},
        {false, [](ExchangerInputs &i) { i.DamAbSh = 80, i.type = ExchangerSteam; }, poolTemperatures},
        // A steam pressure below the table's first row.
        {false, [](ExchangerInputs &i) { i.steamPressure = -1, i.type = ExchangerSteam; },
         QStringLiteral("فشار ورودي بخار به مبدل را تصحيح كنيد")},
        // A jacuzzi heat-up time of 0.
        {true, [](ExchangerInputs &i) { i.heatUpTime = 0; }, QStringLiteral("مدت زمان گرم شدن آب جكوزي را مشخص كنيد")},
    };
    for (const auto &c : cases) {
        ExchangerInputs in = pool();
        c.edit(in);
        const ExchangerResults r = c.jacuzzi ? sizeJacuzziExchanger(in) : sizePoolExchanger(in);
        EXPECT_TRUE(r.stopped) << c.message.toStdString();
        EXPECT_EQ(r.messages, QStringList{c.message});
        EXPECT_EQ(r.coilSurface, 0);
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
    ExchangerResults r = sizeJacuzziExchanger(in);
    EXPECT_DOUBLE_EQ(r.startUpEnergy, 8.33 * 900 * 30 / 48 * 0.55);
    EXPECT_DOUBLE_EQ(r.surfaceLoss, 105 * 40 * 5 * 0.1);
    EXPECT_NEAR(r.coilSurface, r.totalEnergy / (170 * r.mtd), 1e-9);

    const struct { int jets; double hi, friction, flow; const char *size; double capacity, velocity, factor; } cases[] = {
        {1, 0, 2.5, 17.4, "1 1/2", 18, 2.8, 1},
        {2, 2500, 2.5, 34.8, "2 ", 36, 3.4, 1.2},
        {121, 0, 2.5, 2105.4, "", 0, 0, 1},  // no jet pipe
        {1, 0, 1.75, 17.4, "1 1/2", 0, 0, 1}, // no friction row
    };
    for (const auto &c : cases) {
        in.Te_Naz = c.jets;
        in.Hi = c.hi;
        in.OfteFeshar = c.friction;
        r = sizeJacuzziExchanger(in);
        EXPECT_NEAR(r.jetFlow, c.flow, 1e-9);
        EXPECT_EQ(r.jetPipeSize, QString::fromUtf8(c.size));
        EXPECT_DOUBLE_EQ(r.jetPipeCapacity, c.capacity);
        EXPECT_DOUBLE_EQ(r.jetPipeVelocity, c.velocity);
        EXPECT_NEAR(r.jetPumpPower, c.jets * 18.48 * c.capacity / 2970 * c.factor, 1e-9) << c.jets;
    }
}
