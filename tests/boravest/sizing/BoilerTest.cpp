#include "boravest/sizing/Boiler.h"

#include <gtest/gtest.h>

using namespace bv::sizing;

namespace {

// 300000 building, 60000 hot water, 2 boilers at 80 %, insulation 80 %.
BoilerInputs twoBoilers() { return BoilerInputs{false, 300000, 60000, 0, 0, 80, 80, 2, 80, false, 180, 70, 10}; }

} // namespace

TEST(Boiler, WorkedCases)
{
    const struct { bool pickUp; double p1, p2; int row; } cases[] = {
        {false, 0, 432000, 1}, {true, 140.0 / 110.0, 549818.1818, 2}};
    for (const auto &c : cases) {
        BoilerInputs in = twoBoilers();
        in.Chk_Zp = c.pickUp;
        const BoilerResults r = sizeBoilers(in);
        EXPECT_NEAR(r.pickUpFactor, c.p1, 1e-12);
        EXPECT_NEAR(r.capacityPerBoiler, c.p2, 1e-4);
        EXPECT_NEAR(r.totalLoad, c.p2, 1e-4); // 2 boilers: count factor 1.6 / 2 cancels the 0.8
        EXPECT_EQ(r.row, c.row);
        EXPECT_TRUE(r.messages.isEmpty() && !r.stopped);
    }
    EXPECT_EQ(sizeBoilers(twoBoilers()).steamRow, 2);
}

TEST(Boiler, CountFactorOnCapacityNotOnTotal)
{
    const double factors[] = {1.0, 1.6, 1.4, 1.2, 1.1, 1.0};
    BoilerInputs in = twoBoilers();
    for (in.Te_Dig = 1; in.Te_Dig <= 6; ++in.Te_Dig) {
        const BoilerResults r = sizeBoilers(in);
        EXPECT_NEAR(r.capacityPerBoiler, 540000 * factors[in.Te_Dig - 1] / in.Te_Dig, 1e-6);
        EXPECT_NEAR(r.totalLoad, 432000, 1e-6);
    }
}

TEST(Boiler, LoadsAsShownAndSelection)
{
    BoilerInputs in = twoBoilers();
    in.poolLoad = 242484.375;
    in.jacuzziLoad = 12.345;
    EXPECT_NEAR(sizeBoilers(in).totalLoad, (360000 + 242484 + 12.34) * 1.2, 1e-6);

    // Exactly 120000 kcal/h per boiler does not exceed row 1.
    in = twoBoilers();
    in.buildingLoad = 376320;
    in.hotWaterLoad = 0;
    in.Te_Dig = 1;
    in.K_A_Dig = 100;
    EXPECT_EQ(sizeBoilers(in).row, 2);

    in.buildingLoad = 1e7; // beyond every boiler: a message on the page only
    EXPECT_EQ(sizeBoilers(in).messages, QStringList{QStringLiteral("براي امكان انتخاب تعداد ديگ ها را افزايش دهيد")});
    in.reportMode = true;
    EXPECT_TRUE(sizeBoilers(in).messages.isEmpty());
    EXPECT_EQ(sizeBoilers(in).row, 0);
}

TEST(Boiler, InputChecksStopWithTheirMessage)
{
    const struct { void (*edit)(BoilerInputs &); const char *message; } cases[] = {
        {[](BoilerInputs &i) { i.Rand_Dig = 29; }, "راندمان ديگ را اصلاح كنيد"},
        {[](BoilerInputs &i) { i.Rand_Dig = 91; }, "راندمان ديگ را اصلاح كنيد"},
        {[](BoilerInputs &i) { i.Te_Dig = 0; }, "تعداد ديگ را مشخص كنيد"},
        {[](BoilerInputs &i) { i.Ti1 = 0; }, "دماي محيط تعيين نشده است"},
        {[](BoilerInputs &i) { i.reportMode = true, i.Randeman = 0; }, "راندمان مبدل  مشخص نشده"},
        // Boiler water at the inside temperature: the pick-up factor divides by zero.
        {[](BoilerInputs &i) { i.Chk_Zp = true, i.DAbgarm = 70; }, "دماي آبگرم گردشي در سيستم را تصحيح كنيد"},
        // Passing: the range ends, no exchanger efficiency on the page, no pick-up.
        {[](BoilerInputs &i) { i.Rand_Dig = 30; }, nullptr},
        {[](BoilerInputs &i) { i.Rand_Dig = 90; }, nullptr},
        {[](BoilerInputs &i) { i.Randeman = 0, i.DAbgarm = 70; }, nullptr},
    };
    for (const auto &c : cases) {
        BoilerInputs in = twoBoilers();
        c.edit(in);
        const BoilerResults r = sizeBoilers(in);
        const QStringList expected = c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList{};
        EXPECT_EQ(r.messages, expected);
        EXPECT_EQ(r.stopped, c.message != nullptr);
        EXPECT_EQ(r.capacityPerBoiler == 0, c.message != nullptr);
        // The loads are kept whatever stops the sizing.
        EXPECT_TRUE(r.buildingLoad == 300000 && r.hotWaterLoad == 60000);
    }
}

TEST(Boiler, HotWaterLoad)
{
    // Apartment: demand factor 0.35, storage factor 1.25; 10 % margin.
    EXPECT_NEAR(hotWaterToHeatForReport(100, 0, 10), 48.125, 1e-12);
    EXPECT_NEAR(boilerHotWaterLoad(48.125, 140, 50, 80), 90 * 8.33 * 48.125 / 0.8, 1e-9);
    EXPECT_EQ(boilerHotWaterLoad(48.125, 140, 50, 0), 0);
}
