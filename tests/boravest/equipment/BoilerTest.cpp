#include "boravest/equipment/Boiler.h"

#include <gtest/gtest.h>

using namespace bv::equipment;

namespace {

// 300000 building, 60000 hot water, 2 boilers at 80 %, insulation 80 %.
BoilerInputs twoBoilers()
{
    BoilerInputs in;
    in.buildingLoad = 300000;
    in.hotWaterLoad = 60000;
    in.Randeman = 80;
    in.Rand_Dig = 80;
    in.Te_Dig = 2;
    in.K_A_Dig = 80;
    in.DAbgarm = 180;
    in.Ti1 = 70;
    in.To1 = 10;
    return in;
}

} // namespace

TEST(Boiler, WorkedCases)
{
    for (bool report : {false, true}) {
        BoilerInputs in = twoBoilers();
        in.reportMode = report;
        BoilerResults r = sizeBoilers(in);
        EXPECT_FALSE(r.stopped);
        EXPECT_DOUBLE_EQ(r.insulationFactor, 1.2);
        EXPECT_DOUBLE_EQ(r.countFactor, 1.6);
        EXPECT_DOUBLE_EQ(r.pickUpFactor, 0);
        EXPECT_NEAR(r.capacityPerBoiler, 432000, 1e-6);
        EXPECT_NEAR(r.totalLoad, 432000, 1e-6);
        EXPECT_EQ(r.row, 1); // HWC-12, 120000 kcal/h above 110204.08
        EXPECT_EQ(r.steamRow, 2);
        EXPECT_TRUE(r.messages.isEmpty());

        in.Chk_Zp = true;
        r = sizeBoilers(in);
        EXPECT_NEAR(r.pickUpFactor, 140.0 / 110.0, 1e-12);
        EXPECT_NEAR(r.capacityPerBoiler, 549818.18, 0.01);
        EXPECT_NEAR(r.totalLoad, 549818.18, 0.01);
        EXPECT_EQ(r.row, 2);
    }
}

TEST(Boiler, CountFactorOnCapacityNotOnTotal)
{
    const double factors[] = {1.0, 1.6, 1.4, 1.2, 1.1, 1.0};
    for (int n = 1; n <= 6; ++n) {
        BoilerInputs in = twoBoilers();
        in.Te_Dig = n;
        const BoilerResults r = sizeBoilers(in);
        EXPECT_NEAR(r.capacityPerBoiler, 360000 / 0.8 * 1.2 * factors[n - 1] / n, 1e-6) << n;
        EXPECT_NEAR(r.totalLoad, 432000, 1e-6) << n;
    }
}

TEST(Boiler, LoadsTakenAsShown)
{
    BoilerInputs in = twoBoilers();
    in.poolLoad = 242484.375;
    in.jacuzziLoad = 12.345;
    const BoilerResults r = sizeBoilers(in);
    EXPECT_DOUBLE_EQ(r.poolLoad, 242484);
    EXPECT_DOUBLE_EQ(r.jacuzziLoad, 12.34);
    EXPECT_NEAR(r.totalLoad, (360000 + 242484 + 12.34) * 1.2, 1e-6);
}

TEST(Boiler, Selection)
{
    // 376320 Btu/h at 80 % on one boiler with insulation 100 %: exactly
    // 120000 kcal/h, which row 1 does not exceed.
    BoilerInputs in = twoBoilers();
    in.buildingLoad = 376320;
    in.hotWaterLoad = 0;
    in.Te_Dig = 1;
    in.K_A_Dig = 100;
    EXPECT_EQ(sizeBoilers(in).row, 2);

    in.buildingLoad = 1e7; // beyond every hot-water boiler
    BoilerResults page = sizeBoilers(in);
    EXPECT_EQ(page.row, 0);
    EXPECT_FALSE(page.stopped);
    EXPECT_EQ(page.messages, QStringList{QStringLiteral("براي امكان انتخاب تعداد ديگ ها را افزايش دهيد")});
    in.reportMode = true;
    EXPECT_TRUE(sizeBoilers(in).messages.isEmpty());
}

TEST(Boiler, InputChecksStopWithTheirMessage)
{
    struct Case { const char *name; void (*edit)(BoilerInputs &); const char *message; };
    const Case cases[] = {
        {"efficiency 29", [](BoilerInputs &i) { i.Rand_Dig = 29; }, "راندمان ديگ را اصلاح كنيد"},
        {"efficiency 91", [](BoilerInputs &i) { i.Rand_Dig = 91; }, "راندمان ديگ را اصلاح كنيد"},
        {"no boilers", [](BoilerInputs &i) { i.Te_Dig = 0; }, "تعداد ديگ را مشخص كنيد"},
        {"no inside temperature", [](BoilerInputs &i) { i.Ti1 = 0; }, "دماي محيط تعيين نشده است"},
        {"report without exchanger efficiency",
         [](BoilerInputs &i) { i.reportMode = true; i.Randeman = 0; }, "راندمان مبدل  مشخص نشده"},
        // The pick-up factor would divide by zero.
        {"boiler water at the inside temperature",
         [](BoilerInputs &i) { i.Chk_Zp = true; i.DAbgarm = 70; }, "دماي آبگرم گردشي در سيستم را تصحيح كنيد"},
    };
    for (const Case &c : cases) {
        BoilerInputs in = twoBoilers();
        c.edit(in);
        const BoilerResults r = sizeBoilers(in);
        EXPECT_TRUE(r.stopped) << c.name;
        EXPECT_EQ(r.messages, QStringList{QString::fromUtf8(c.message)}) << c.name;
        EXPECT_EQ(r.capacityPerBoiler, 0) << c.name;
        EXPECT_EQ(r.row, 0) << c.name;
    }
    for (int ok : {30, 90}) {
        BoilerInputs in = twoBoilers();
        in.Rand_Dig = ok;
        EXPECT_FALSE(sizeBoilers(in).stopped) << ok;
    }
    BoilerInputs page = twoBoilers();
    page.Randeman = 0; // only the report checks it
    EXPECT_FALSE(sizeBoilers(page).stopped);
    page.DAbgarm = 70; // without the pick-up factor nothing divides by it
    EXPECT_FALSE(sizeBoilers(page).stopped);
}

TEST(Boiler, HotWaterLoad)
{
    // Apartment: demand factor 0.35, storage factor 1.25; 10 % margin.
    EXPECT_NEAR(hotWaterToHeatForReport(100, 0, 10), 48.125, 1e-12);
    EXPECT_NEAR(boilerHotWaterLoad(48.125, 140, 50, 80), 90 * 8.33 * 48.125 / 0.8, 1e-9);
    EXPECT_EQ(boilerHotWaterLoad(48.125, 140, 50, 0), 0);
}
