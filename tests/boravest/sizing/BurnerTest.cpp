#include "boravest/sizing/Burner.h"

#include <gtest/gtest.h>

using namespace bv::sizing;

namespace {

// 432000 Btu/h per boiler, 80 %, 3900 ft.
BurnerInputs worked(int fuel, int HU = 1055)
{
    return BurnerInputs{432000, 80, fuel, HU, 3900};
}

} // namespace

TEST(Burner, WorkedCases)
{
    BurnerResults r = sizeBurner(worked(0));
    EXPECT_NEAR(r.altitudeFactor, 1.12, 1e-12);
    EXPECT_NEAR(r.burnerPower, 604800, 1e-6);
    EXPECT_NEAR(r.fuelUse, 5, 1e-12);
    EXPECT_NEAR(r.fuelStore, 13230, 1e-6);
    EXPECT_EQ(r.row, 12); // 15000 litres
    EXPECT_TRUE(r.messages.isEmpty());

    r = sizeBurner(worked(1));
    EXPECT_NEAR(r.fuelUse, 573.27, 0.005);
    EXPECT_EQ(r.heatingValue, 1055);
    // Without a heating value 950 is used, and shown.
    r = sizeBurner(worked(1, 0));
    EXPECT_EQ(r.heatingValue, 950);
    EXPECT_NEAR(r.fuelUse, 604800.0 / 950, 1e-9);
}

TEST(Burner, EfficiencyAndAltitude)
{
    const struct { int eff; double hi; bool stops; double factor; } cases[] = {
        {29, 0, true, 0}, {98, 0, true, 0}, {30, 0, false, 1}, {97, 1300, false, 1.04}, {80, -500, false, 1}};
    for (const auto &c : cases) {
        BurnerInputs in = worked(0);
        in.Rand_Mash = c.eff;
        in.Hi = c.hi;
        const BurnerResults r = sizeBurner(in);
        EXPECT_EQ(r.stopped, c.stops) << c.eff;
        EXPECT_NEAR(r.altitudeFactor, c.factor, 1e-12) << c.eff;
        if (c.stops) { // a failure, never a store size
            EXPECT_EQ(r.messages, QStringList{QStringLiteral("راندمان مشعل را اصلاح كنيد")});
            EXPECT_TRUE(r.fuelStore == 0 && r.row == 0 && r.burnerPower == 0);
        }
    }
}

TEST(Burner, LargestStore)
{
    BurnerInputs in = worked(0);
    in.Hi = 0;
    in.capacityPerBoiler = 15.1 * 120960 * 0.8;
    BurnerResults r = sizeBurner(in);
    EXPECT_NEAR(r.fuelStore, 39954.6, 1e-6);
    EXPECT_EQ(r.row, 17);

    in.capacityPerBoiler = 15.2 * 120960 * 0.8;
    r = sizeBurner(in);
    EXPECT_NEAR(r.fuelStore, 40219.2, 1e-6);
    EXPECT_EQ(r.row, 0);
    EXPECT_EQ(r.tankDays, 35);
    EXPECT_FALSE(r.stopped);
    EXPECT_EQ(r.messages, QStringList{QStringLiteral("باتوجه به حداكثر 20 ساعت كار در شبانه روز مخزن 40000 ليتري تامين كننده"
                                                     "35 روز انرژي مورد نياز  سيستم ميباشد")});
}

TEST(Burner, StoreCaptionSaysLitres)
{
    EXPECT_EQ(burnerResultCaptions(0).value(3), QStringLiteral(":(lit)حجم سوخت منبع"));
    EXPECT_EQ(burnerResultCaptions(1).value(3), QStringLiteral(":(Btu/Cu.ft)ارزش حرارتي سوخت"));
}
