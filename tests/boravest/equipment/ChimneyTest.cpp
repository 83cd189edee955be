// Chimney: height, cross-section, diameter and square size.
#include "boravest/equipment/Chimney.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace bv::equipment;

namespace {

ChimneyInputs oneGasOilChimney()
{
    ChimneyInputs in;
    in.TeDo = 1;
    in.TySo = 0;
    in.capacityPerBoiler = 400000;
    in.TAmD = 30;
    in.TOfD = 10;
    return in;
}

} // namespace

TEST(ChimneyTest, WorkedGasOilChimney)
{
    const ChimneyResults r = sizeChimney(oneGasOilChimney());
    EXPECT_FALSE(r.stopped);
    EXPECT_DOUBLE_EQ(r.heightFt, 35);
    EXPECT_NEAR(r.areaSqIn, 125.416, 5e-4);
    EXPECT_NEAR(r.diameterIn, 12.64, 5e-3);
    EXPECT_EQ(r.diameterShown, 13);
    EXPECT_NEAR(r.squareSideIn, 12.32, 5e-3);
    EXPECT_EQ(r.squareSize, QStringLiteral("12*12"));
    EXPECT_TRUE(r.messages.isEmpty());
}

TEST(ChimneyTest, ChimneysFuelsAndHorizontalRun)
{
    const ChimneyResults one = sizeChimney(oneGasOilChimney());
    ChimneyInputs in = oneGasOilChimney();
    in.TeDo = 2; // halved after the square root, the area stays
    ChimneyResults two = sizeChimney(in);
    EXPECT_DOUBLE_EQ(two.areaSqIn, one.areaSqIn);
    EXPECT_DOUBLE_EQ(two.diameterIn, one.diameterIn / 2);
    EXPECT_EQ(two.squareSize, QStringLiteral("6*6"));

    in = oneGasOilChimney();
    in.TySo = 1;
    EXPECT_NEAR(sizeChimney(in).areaSqIn, 0.155 * 101000 / ((2 * std::pow(100000.0, 0.25) + 25) * std::sqrt(10.5)),
                1e-9);
    in.TySo = 2; // no such fuel: no area
    EXPECT_DOUBLE_EQ(sizeChimney(in).areaSqIn, 0);
    EXPECT_EQ(sizeChimney(in).squareSize, QStringLiteral("0*0"));

    in = oneGasOilChimney();
    in.TAmD = 0;
    EXPECT_DOUBLE_EQ(sizeChimney(in).heightFt, 5);
}

TEST(ChimneyTest, InputProblemsStop)
{
    struct Case {
        const char *name;
        void (*change)(ChimneyInputs &);
        const char *message;
    };
    const Case cases[] = {
        {"no chimney", [](ChimneyInputs &in) { in.TeDo = 0; }, kMsgSetChimneyCount},
        {"zero height", [](ChimneyInputs &in) { in.TAmD = in.TOfD = 0; }, kMsgCorrectChimneyLength},
        {"negative height", [](ChimneyInputs &in) { in.TAmD = -20; }, kMsgCorrectChimneyLength},
        {"negative capacity", [](ChimneyInputs &in) { in.capacityPerBoiler = -1; }, kMsgCheckBoilerCapacity},
    };
    for (const Case &c : cases) {
        ChimneyInputs in = oneGasOilChimney();
        c.change(in);
        const ChimneyResults r = sizeChimney(in);
        EXPECT_TRUE(r.stopped) << c.name;
        EXPECT_EQ(r.messages, QStringList{QString::fromUtf8(c.message)}) << c.name;
        EXPECT_DOUBLE_EQ(r.heightFt + r.areaSqIn + r.diameterIn, 0) << c.name;
        EXPECT_TRUE(r.squareSize.isEmpty()) << c.name;
    }
}
