// Water softener: soft-water flow, capacity and model.
#include "SizingTestUtil.h"
#include "boravest/sizing/Softener.h"

#include <gtest/gtest.h>

using namespace bv::sizing;

namespace {

SoftenerInputs openTank()
{
    SoftenerInputs in;
    in.Typ_ME = 0, in.systemFlowGpm = 50, in.Te_SG = 1, in.S_Sh_SG = 24, in.SakhAb = 171, in.RandeSkgir = 50;
    return in;
}

} // namespace

TEST(SoftenerTest, CapacityAndModel)
{
    // tank kind, hardness, soft-water flow, row; the worked case first (144000 grain).
    const std::tuple<int, double, double, int> cases[] = {
        {0, 171, 5, 5},       {1, 171, 2.5, 4}, {2, 171, 3.5, 5}, {7, 171, 0, 1},
        {0, 0, 5, 1},         // hardness 0: the first model
        {0, 178.125, 5, 6},   // exactly 150 kilograin takes the next model
        {0, 3420, 5, 0},      // 2880 kilograin: none is large enough
    };
    for (const auto &[kind, hardness, flow, row] : cases) {
        SoftenerInputs in = openTank();
        in.Typ_ME = kind, in.SakhAb = hardness;
        const SoftenerResults r = sizeSoftener(in);
        EXPECT_DOUBLE_EQ(r.softWaterGpm, flow) << hardness;
        EXPECT_EQ(r.row, row) << hardness;
        EXPECT_EQ(r.messages, row ? QStringList{} : sizingtest::said(kMsgMoreSofteners));
        EXPECT_FALSE(r.stopped);
    }
    EXPECT_NEAR(sizeSoftener(openTank()).capacityGrain, 144000, 1e-6);
}

TEST(SoftenerTest, InputChecks)
{
    // count, efficiency, message (nullptr: accepted)
    const std::tuple<int, int, const char *> cases[] = {{0, 50, kMsgSetSoftenerCount},
        {1, 29, kMsgCorrectSoftenerEfficiency}, {1, 96, kMsgCorrectSoftenerEfficiency}, {1, 30, nullptr}, {1, 95, nullptr}};
    for (const auto &[count, efficiency, message] : cases) {
        SoftenerInputs in = openTank();
        in.Te_SG = count, in.RandeSkgir = efficiency;
        const SoftenerResults r = sizeSoftener(in);
        EXPECT_EQ(r.stopped, message != nullptr) << efficiency;
        if (message) {
            EXPECT_EQ(r.messages, sizingtest::said(message));
            EXPECT_TRUE(r.capacityGrain == 0 && r.row == 0);
        }
    }
}
