// Peak hot-water demand and the main branch at the water meter.
#include "boravest/equipment/WaterMeter.h"

#include <gtest/gtest.h>

using namespace bv::equipment;

namespace {

// An apartment building with 4 private toilets, 2 bathtubs (20 gph each)
// and 4 showers; city, mixed and hot water 50 / 110 / 140 F.
WaterMeterInputs apartment()
{
    WaterMeterInputs in;
    in.TeaSak = 10;
    in.Masa_z = 5000;
    in.Masa_Ar = 1000;
    in.Masa_Aa = 8000;
    in.NSakh = 0;
    in.fixtures.WCKh = 4;
    in.fixtures.Van = 2;
    in.fixtures.Dosh = 4;
    in.DamAbSh = 50;
    in.DamAbMa = 110;
    in.DamAbBeh = 140;
    return in;
}

} // namespace

TEST(WaterMeterTest, WorkedApartmentBuilding)
{
    const WaterMeterResults r = sizeWaterMeterBranch(apartment());
    EXPECT_FALSE(r.stopped);
    EXPECT_EQ(r.governing, 1);
    EXPECT_DOUBLE_EQ(r.useFactor, 0.71);
    EXPECT_EQ(r.branchSize, QStringLiteral("3/4"));
    EXPECT_EQ(r.kinds, 3);
    EXPECT_EQ(r.fixtureTotal, 10);
    EXPECT_DOUBLE_EQ(r.peakHotWaterGph, 452);
    EXPECT_NEAR(r.occupantFlow, 33.998, 1e-3);
    EXPECT_TRUE(r.messages.isEmpty());
}

TEST(WaterMeterTest, DemandCountsOnlyPositiveFixtures)
{
    FixtureCounts f;
    f.Van = 2;
    f.LaganPa = 1;
    f.SinkAb = -3;
    const HotWaterDemand hotel = maxHotWaterDemand(2, f);
    EXPECT_EQ(hotel.kinds, 2);
    EXPECT_DOUBLE_EQ(hotel.peakGph, 2 * 20 + 3);
    EXPECT_EQ(f.total(), 0); // the negative count still enters the total
    // No row for a type outside the list: nothing is read.
    EXPECT_DOUBLE_EQ(maxHotWaterDemand(10, f).peakGph, 0);
}

TEST(WaterMeterTest, UseFactorAndGoverningEstimate)
{
    struct Case {
        const char *name;
        int kinds;
        double factor;
        int governing;
    };
    const Case cases[] = {
        {"no fixtures: both estimates 0, the fixture one governs", 0, 0, 2},
        {"one kind: no fixture estimate", 1, 0, 1},
        {"two kinds", 2, 1.0, 2},
        {"five kinds", 5, 0.5, 2},
    };
    for (const Case &c : cases) {
        WaterMeterInputs in = apartment();
        in.fixtures = {};
        in.TeaSak = c.kinds == 1 ? 10 : 0;
        in.Masa_Ar = in.Masa_Aa = 0;
        int *counts[] = {&in.fixtures.Dosh, &in.fixtures.WCKh, &in.fixtures.Van, &in.fixtures.SinkAb,
                         &in.fixtures.SinkZar};
        for (int k = 0; k < c.kinds; ++k)
            *counts[k] = 1;
        const WaterMeterResults r = sizeWaterMeterBranch(in);
        EXPECT_EQ(r.kinds, c.kinds) << c.name;
        EXPECT_DOUBLE_EQ(r.useFactor, c.factor) << c.name;
        EXPECT_EQ(r.governing, c.governing) << c.name;
        if (c.kinds == 0) {
            EXPECT_EQ(r.branchSize, QStringLiteral("1/2 "));
        }
    }
}

TEST(WaterMeterTest, YardOfATenthTakesTheLargerFactor)
{
    WaterMeterInputs in = apartment();
    in.Masa_Ar = 500; // exactly 10 % of the land
    in.Masa_Aa = 0;
    in.TeaSak = 0;
    EXPECT_NEAR(sizeWaterMeterBranch(in).occupantFlow, 0.0015 * 500 / 10.76 * 15, 1e-12);
    in.Masa_Ar = 501;
    EXPECT_NEAR(sizeWaterMeterBranch(in).occupantFlow, 0.0015 * 501 / 10.76 * 7, 1e-12);
}

TEST(WaterMeterTest, TemperaturesOutOfOrderStopWithTwoKindsOnly)
{
    const int orders[][3] = {{50, 110, 110}, {50, 50, 140}, {60, 50, 140}};
    for (const auto &t : orders) {
        WaterMeterInputs in = apartment();
        in.DamAbSh = t[0];
        in.DamAbMa = t[1];
        in.DamAbBeh = t[2];
        for (bool report : {false, true}) {
            in.reportMode = report;
            const WaterMeterResults r = sizeWaterMeterBranch(in);
            EXPECT_TRUE(r.stopped);
            EXPECT_EQ(r.governing, 0);
            EXPECT_DOUBLE_EQ(r.useFactor, 0.71);
            EXPECT_TRUE(r.branchSize.isEmpty());
            EXPECT_EQ(r.messages, QStringList{QString::fromUtf8(kMsgCheckMixingTemperatures)});
        }
    }
    WaterMeterInputs one = apartment();
    one.fixtures = {};
    one.fixtures.Dosh = 3;
    one.DamAbBeh = one.DamAbMa;
    EXPECT_FALSE(sizeWaterMeterBranch(one).stopped);
}

TEST(WaterMeterTest, BranchSizeBoundsAndStorageAdvice)
{
    const std::pair<double, const char *> bounds[] = {
        {20, "1/2 "}, {20.01, "3/4"}, {50, "3/4"}, {90, "1 "}, {320, "1/2 1"}, {720, "2 "}, {720.01, ""}};
    for (const auto &[q, size] : bounds)
        EXPECT_EQ(branchSizeForFlow(q), QString::fromLatin1(size)) << q;

    WaterMeterInputs in = apartment();
    in.TeaSak = 10000;
    WaterMeterResults screen = sizeWaterMeterBranch(in);
    EXPECT_TRUE(screen.branchSize.isEmpty());
    EXPECT_TRUE(screen.storageTankNeeded);
    EXPECT_FALSE(screen.stopped);
    EXPECT_EQ(screen.messages, QStringList{QString::fromUtf8(kMsgStorageTankNeeded)});
    in.reportMode = true;
    EXPECT_TRUE(sizeWaterMeterBranch(in).messages.isEmpty());
}
