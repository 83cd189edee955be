// Water softener: soft-water flow, capacity and model.
#include "boravest/equipment/Softener.h"

#include <gtest/gtest.h>

using namespace bv::equipment;

namespace {

SoftenerInputs openTankSystem()
{
    SoftenerInputs in;
    in.Typ_ME = 0;
    in.systemFlowGpm = 50;
    in.Te_SG = 1;
    in.S_Sh_SG = 24;
    in.SakhAb = 171;
    in.RandeSkgir = 50;
    return in;
}

} // namespace

TEST(SoftenerTest, WorkedOpenTankSystem)
{
    const SoftenerResults r = sizeSoftener(openTankSystem());
    EXPECT_FALSE(r.stopped);
    EXPECT_DOUBLE_EQ(r.softWaterGpm, 5);
    EXPECT_NEAR(r.capacityGrain, 144000, 1e-6);
    EXPECT_EQ(r.row, 5);
    EXPECT_TRUE(r.messages.isEmpty());
}

TEST(SoftenerTest, MakeUpShareAndCatalogue)
{
    struct Case {
        int typMe;
        double hardness;
        double flow;
        int row;
    };
    const Case cases[] = {
        {1, 171, 2.5, 4},   // diaphragm: 72 kilograin, the 90 model
        {2, 171, 3.5, 5},   // hydropneumatic: 100.8 kilograin, the 150 model
        {7, 171, 0, 1},     // no such tank: no make-up, the first row
        {0, 0, 5, 1},       // hardness 0: capacity 0, the first row
        {0, 1710, 5, 16},   // 1440 kilograin, the 1500 model
        {0, 178.125, 5, 6},  // exactly 150 kilograin takes the next model
    };
    for (const Case &c : cases) {
        SoftenerInputs in = openTankSystem();
        in.Typ_ME = c.typMe;
        in.SakhAb = c.hardness;
        const SoftenerResults r = sizeSoftener(in);
        EXPECT_DOUBLE_EQ(r.softWaterGpm, c.flow) << c.typMe;
        EXPECT_EQ(r.row, c.row) << c.typMe;
    }
    SoftenerInputs big = openTankSystem();
    big.SakhAb = 1710 * 2; // 2880 kilograin: no softener is large enough
    const SoftenerResults r = sizeSoftener(big);
    EXPECT_EQ(r.row, 0);
    EXPECT_FALSE(r.stopped);
    EXPECT_EQ(r.messages, QStringList{QString::fromUtf8(kMsgMoreSofteners)});
}

TEST(SoftenerTest, InputChecks)
{
    struct Case {
        int count;
        int efficiency;
        const char *message; // nullptr: accepted
    };
    const Case cases[] = {
        {0, 50, kMsgSetSoftenerCount}, {1, 29, kMsgCorrectSoftenerEfficiency},
        {1, 96, kMsgCorrectSoftenerEfficiency}, {1, 30, nullptr}, {1, 95, nullptr},
    };
    for (const Case &c : cases) {
        SoftenerInputs in = openTankSystem();
        in.Te_SG = c.count;
        in.RandeSkgir = c.efficiency;
        const SoftenerResults r = sizeSoftener(in);
        EXPECT_EQ(r.stopped, c.message != nullptr) << c.efficiency;
        if (c.message) {
            EXPECT_EQ(r.messages, QStringList{QString::fromUtf8(c.message)});
            EXPECT_DOUBLE_EQ(r.capacityGrain, 0);
            EXPECT_EQ(r.row, 0);
        }
    }
}
