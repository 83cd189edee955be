// Chimney: height, cross-section, diameter and square size.
#include "SizingTestUtil.h"
#include "boravest/sizing/Chimney.h"
#include "platform/common/Numbers.h"

#include <gtest/gtest.h>

using namespace bv::sizing;

namespace {

ChimneyInputs gasOil(int chimneys = 1)
{
    ChimneyInputs in;
    in.TeDo = chimneys, in.TySo = 0, in.capacityPerBoiler = 400000, in.TAmD = 30, in.TOfD = 10;
    return in;
}

} // namespace

TEST(ChimneyTest, WorkedGasOilChimney)
{
    const ChimneyResults r = sizeChimney(gasOil());
    EXPECT_DOUBLE_EQ(r.heightFt, 35);
    EXPECT_NEAR(r.areaSqIn, 125.416, 5e-4);
    EXPECT_NEAR(r.diameterIn, 12.64, 5e-3);
    EXPECT_EQ(r.diameterShown, 13);
    EXPECT_EQ(r.squareSize, QStringLiteral("12*12"));
    // Two chimneys halve the diameter and side after the root, not the area.
    const ChimneyResults two = sizeChimney(gasOil(2));
    EXPECT_DOUBLE_EQ(two.areaSqIn, r.areaSqIn);
    EXPECT_DOUBLE_EQ(two.diameterIn, r.diameterIn / 2);
    EXPECT_EQ(two.squareSize, QStringLiteral("6*6"));
}

TEST(ChimneyTest, InputProblemsStop)
{
    const std::pair<void (*)(ChimneyInputs &), const char *> cases[] = {
        {[](ChimneyInputs &in) { in.TeDo = 0; }, kMsgSetChimneyCount},
        {[](ChimneyInputs &in) { in.TAmD = in.TOfD = 0; }, kMsgCorrectChimneyLength},
        {[](ChimneyInputs &in) { in.TAmD = -20; }, kMsgCorrectChimneyLength},
        {[](ChimneyInputs &in) { in.capacityPerBoiler = -1; }, kMsgCheckBoilerCapacity},
    };
    for (const auto &[change, message] : cases) {
        ChimneyInputs in = gasOil();
        change(in);
        const ChimneyResults r = sizeChimney(in);
        EXPECT_TRUE(r.stopped && r.squareSize.isEmpty() && r.heightFt == 0 && r.areaSqIn == 0) << message;
        EXPECT_EQ(r.messages, sizingtest::said(message));
    }
}

// Every vertical length of tenths whose third is a length of tenths: that
// third is refused and a tenth less accepted, as the typed texts compare.
TEST(ChimneyTest, HorizontalRunAtExactlyAThirdIsRefused)
{
    int binaryWouldAccept = 0;
    for (int tenths = 102; tenths <= 3000; tenths += 3) {
        // As the boxes hold them: "12.9", "4.3".
        const auto typed = [](int n) {
            double v = 0;
            pf::strToFloat(QStringLiteral("%1.%2").arg(n / 10).arg(n % 10), &v);
            return v;
        };
        const double vertical = typed(tenths), third = typed(tenths / 3), below = typed(tenths / 3 - 1);
        EXPECT_TRUE(horizontalRunTooLong(vertical, third)) << tenths;
        EXPECT_FALSE(horizontalRunTooLong(vertical, below)) << tenths;
        binaryWouldAccept += 3 * third < vertical;
    }
    EXPECT_GT(binaryWouldAccept, 0); // 12.9 and 4.3 among them
    // Beyond exact billionths the lengths compare as they are.
    EXPECT_TRUE(horizontalRunTooLong(3e9, 1e9));
    EXPECT_FALSE(horizontalRunTooLong(30, 9.9999999999));
}
