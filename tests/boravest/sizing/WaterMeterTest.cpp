// Peak hot-water demand and the main branch at the water meter.
#include "SizingTestUtil.h"

#include <gtest/gtest.h>

using namespace bv::sizing;
using sizingtest::said;

namespace {

// City, mixed and hot water 50 / 110 / 140 F, 10 occupants, land 5000,
// yard 1000, built 8000 sq.ft.
WaterMeterInputs apartment()
{
    WaterMeterInputs in;
    in.TeaSak = 10, in.Masa_z = 5000, in.Masa_Ar = 1000, in.Masa_Aa = 8000;
    in.fixtures = sizingtest::apartmentFixtures();
    in.DamAbSh = 50, in.DamAbMa = 110, in.DamAbBeh = 140;
    return in;
}

} // namespace

TEST(WaterMeterTest, WorkedApartmentBuilding)
{
    const WaterMeterResults r = sizeWaterMeterBranch(apartment());
    EXPECT_EQ(std::tuple(r.governing, r.useFactor, r.branchSize), std::tuple(1, 0.71, QStringLiteral("3/4")));
    EXPECT_EQ(std::pair(r.kinds, r.fixtureTotal), std::pair(3, 10));
    EXPECT_TRUE(r.messages.isEmpty() && !r.stopped);
}

TEST(WaterMeterTest, DemandFactorAndGoverningEstimate)
{
    FixtureCounts f;
    f.Van = 2, f.LaganPa = 1, f.SinkAb = -3; // a negative count is absent but enters the total
    EXPECT_EQ(std::tuple(maxHotWaterDemand(2, f).peakGph, maxHotWaterDemand(2, f).kinds, f.total()),
              std::tuple(43.0, 2, 0));
    WaterMeterInputs none = apartment(); // nothing at all: a tie at 0, the fixture estimate governs
    none.TeaSak = none.Masa_Ar = none.Masa_Aa = 0, none.fixtures = {};
    const WaterMeterResults r = sizeWaterMeterBranch(none);
    EXPECT_EQ(std::tuple(r.useFactor, r.governing, r.branchSize), std::tuple(0.0, 2, QStringLiteral("1/2 ")));
    WaterMeterInputs in = apartment(); // a yard of exactly a tenth of the land: factor 15
    in.TeaSak = in.Masa_Aa = 0, in.Masa_Ar = 500;
    EXPECT_NEAR(sizeWaterMeterBranch(in).occupantFlow, 0.0015 * 500 / 10.76 * 15, 1e-12);
}

TEST(WaterMeterTest, TemperaturesOutOfOrderStopInBothModes)
{
    for (const auto &[sh, ma, beh] : {std::tuple{50, 110, 110}, {50, 50, 140}, {60, 50, 140}}) {
        for (bool report : {false, true}) {
            WaterMeterInputs in = apartment();
            std::tie(in.DamAbSh, in.DamAbMa, in.DamAbBeh, in.reportMode) = std::tuple(sh, ma, beh, report);
            const WaterMeterResults r = sizeWaterMeterBranch(in);
            EXPECT_TRUE(r.stopped && r.governing == 0 && r.branchSize.isEmpty() && r.useFactor == 0.71);
            EXPECT_EQ(r.messages, said(kMsgCheckMixingTemperatures));
        }
    }
    WaterMeterInputs one = apartment(); // one kind: the temperatures are not compared
    one.fixtures = {};
    one.fixtures.Dosh = 3, one.DamAbBeh = one.DamAbMa;
    EXPECT_FALSE(sizeWaterMeterBranch(one).stopped);
}

TEST(WaterMeterTest, BranchSizeBoundsAndStorageAdvice)
{
    for (const auto &[q, size] : {std::pair{20.0, "1/2 "}, {20.01, "3/4"}, {90.0, "1 "}, {320.0, "1/2 1"},
                                  {720.0, "2 "}, {720.01, ""}})
        EXPECT_EQ(branchSizeForFlow(q), QString::fromLatin1(size)) << q;
    WaterMeterInputs in = apartment();
    in.TeaSak = 10000;
    const WaterMeterResults r = sizeWaterMeterBranch(in);
    EXPECT_TRUE(r.branchSize.isEmpty() && r.storageTankNeeded && !r.stopped);
    EXPECT_EQ(r.messages, said(kMsgStorageTankNeeded));
    in.reportMode = true;
    EXPECT_TRUE(sizeWaterMeterBranch(in).messages.isEmpty());
}
