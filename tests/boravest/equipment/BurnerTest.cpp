#include "boravest/equipment/Burner.h"

#include <gtest/gtest.h>

using namespace bv::equipment;

namespace {

BurnerInputs worked(int fuel)
{
    BurnerInputs in;
    in.capacityPerBoiler = 432000;
    in.Rand_Mash = 80;
    in.Hi = 3900;
    in.TySo = fuel;
    in.HU = 1055;
    return in;
}

// Gas oil at 80 % and sea level burning `gph`.
BurnerInputs burning(double gph)
{
    BurnerInputs in = worked(0);
    in.Hi = 0;
    in.capacityPerBoiler = gph * 120960 * 0.8;
    return in;
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
    EXPECT_EQ(r.tankDays, 0);
    EXPECT_TRUE(r.messages.isEmpty());

    r = sizeBurner(worked(1));
    EXPECT_NEAR(r.fuelUse, 573.27, 0.005);
    EXPECT_EQ(r.heatingValue, 1055);
    EXPECT_EQ(r.fuelStore, 0);
    EXPECT_EQ(r.row, 0);
}

TEST(Burner, EfficiencyRangeAndFailureGivesNoStore)
{
    for (int eff : {29, 98}) {
        BurnerInputs in = worked(0);
        in.Rand_Mash = eff;
        const BurnerResults r = sizeBurner(in);
        EXPECT_TRUE(r.stopped) << eff;
        EXPECT_EQ(r.messages, QStringList{QStringLiteral("راندمان مشعل را اصلاح كنيد")});
        EXPECT_EQ(r.fuelStore, 0);
        EXPECT_EQ(r.row, 0);
        EXPECT_EQ(r.burnerPower, 0);
    }
    for (int eff : {30, 97}) {
        BurnerInputs in = worked(0);
        in.Rand_Mash = eff;
        EXPECT_FALSE(sizeBurner(in).stopped) << eff;
    }
}

TEST(Burner, AltitudeFactor)
{
    const struct { double hi; double factor; } cases[] = {{0, 1}, {1300, 1.04}, {-500, 1}};
    for (const auto &c : cases) {
        BurnerInputs in = worked(0);
        in.Hi = c.hi;
        EXPECT_NEAR(sizeBurner(in).altitudeFactor, c.factor, 1e-12) << c.hi;
    }
}

TEST(Burner, LargestStore)
{
    BurnerResults r = sizeBurner(burning(15.1));
    EXPECT_NEAR(r.fuelStore, 39954.6, 1e-6);
    EXPECT_EQ(r.row, 17);
    EXPECT_TRUE(r.messages.isEmpty());

    r = sizeBurner(burning(15.2));
    EXPECT_NEAR(r.fuelStore, 40219.2, 1e-6);
    EXPECT_EQ(r.row, 0);
    EXPECT_EQ(r.tankDays, 35);
    EXPECT_FALSE(r.stopped);
    EXPECT_EQ(r.messages, QStringList{QStringLiteral(
                              "باتوجه به حداكثر 20 ساعت كار در شبانه روز مخزن 40000 ليتري تامين كننده"
                              "35 روز انرژي مورد نياز  سيستم ميباشد")});

}

TEST(Burner, CityGasShowsTheHeatingValueUsed)
{
    BurnerInputs in = worked(1);
    in.HU = 0;
    const BurnerResults r = sizeBurner(in);
    EXPECT_EQ(r.heatingValue, 950);
    EXPECT_NEAR(r.fuelUse, 604800.0 / 950, 1e-9);
}

TEST(Burner, StoreCaptionSaysLitres)
{
    const QStringList oil = burnerResultCaptions(0);
    ASSERT_EQ(oil.size(), 4);
    EXPECT_EQ(oil[3], QStringLiteral(":(lit)حجم سوخت منبع"));
    EXPECT_EQ(burnerResultCaptions(1)[3], QStringLiteral(":(Btu/Cu.ft)ارزش حرارتي سوخت"));
}
