// Expansion tank: system water, expansion and the tank of each kind.
#include "SizingTestUtil.h"
#include "boravest/sizing/ExpansionTank.h"

#include <gtest/gtest.h>

using namespace bv::sizing;
using sizingtest::said;

namespace {

// Steel, 100 ft of 1 in pipe (37.4 lb of water) and the boiler water that
// makes 100 gal in the system; 180 F, 100 ft high, pump head 40 ft.
ExpansionTankInputs system(int kind)
{
    ExpansionTankInputs in;
    in.Typ_ME = kind;
    in.lengths[2] = QStringLiteral("100");
    in.V_B_M_E = 100 - 37.4 / 8.33;
    in.DAbgarm = 180, in.ErtefaS = 100, in.hed_pmpsir = 40;
    return in;
}

} // namespace

TEST(ExpansionTankTest, PipeWaterAndStoredLengths)
{
    ExpansionTankInputs in = system(OpenExpansionTank);
    EXPECT_NEAR(sizeExpansionTank(in).pipeWaterGal, 4.49, 0.005);
    in.lengths[15] = in.lengths[18] = QStringLiteral("500"); // columns 16..19: steel only
    in.T_L_Baz = 1;                                          // copper: column 3 is 1/2 in
    EXPECT_DOUBLE_EQ(sizeExpansionTank(in).pipeWaterLb, 11.0);

    const PipeLengthTexts t = pipeLengthTextsFromList(QStringLiteral("10,,25,7")); // "7" has no comma
    EXPECT_EQ(QStringList({t[0], t[1], t[2], t[3]}), QStringList({"10", "", "25", ""}));
    in = system(OpenExpansionTank);
    in.lengths[4] = QStringLiteral("1..2");
    EXPECT_EQ(sizeExpansionTank(in).messages, said(kMsgCorrectPipeLengths));
    EXPECT_TRUE(sizeExpansionTank(in).stopped);
    in.lengths[4] = QStringLiteral(".5"), in.boilerTotalLoad = 4000.0 * 400; // 15 + 1.5 x 20
    EXPECT_DOUBLE_EQ(sizeExpansionTank(in).connectionPipeMm, 45);
}

TEST(ExpansionTankTest, OpenTank)
{
    ExpansionTankInputs open = system(OpenExpansionTank);
    open.DAbgarm = 160; // 1.8 + 0.4 x (2.8 - 1.8) % of 100 gal
    EXPECT_NEAR(sizeExpansionTank(open).tankWaterGal, 2.2, 1e-9);
    EXPECT_EQ(sizeExpansionTank(open).row, 1);
    // Outside the expansion table (350 and above, below 100): no tank, stop.
    for (int t : {350, 99}) {
        for (bool report : {false, true}) {
            ExpansionTankInputs in = system(OpenExpansionTank);
            in.DAbgarm = t, in.reportMode = report;
            const ExpansionTankResults r = sizeExpansionTank(in);
            EXPECT_TRUE(r.stopped && r.row == 0 && r.tankWaterGal == 0) << t;
            EXPECT_EQ(r.messages, report ? QStringList{} : said(kMsgCorrectCirculatingTemperature));
        }
    }
    open.V_B_M_E = 1e6; // no open tank is large enough: row 0, said on screen only
    EXPECT_EQ(sizeExpansionTank(open).messages, said(kMsgNoOpenTank));
    open.reportMode = true;
    EXPECT_TRUE(sizeExpansionTank(open).messages.isEmpty() && sizeExpansionTank(open).row == 0);
}

TEST(ExpansionTankTest, ClosedTanks)
{
    // kind, on the pump discharge, acceptance factor, row; 180 F expands by 2.72 %.
    const std::tuple<int, bool, double, int> cases[] = {
        {DiaphragmExpansionTank, false, 1 - 138.0 / 263, 4},
        {DiaphragmExpansionTank, true, 1 - 178.0 / 263, 5},
        {HydropneumaticExpansionTank, false, 34 / 138.0 - 34 / 263.0, 1},
        {HydropneumaticExpansionTank, true, 34 / 178.0 - 34 / 263.0, 1},
    };
    for (const auto &[kind, discharge, factor, row] : cases) {
        ExpansionTankInputs in = system(kind);
        in.Chk_nsbM = discharge;
        const ExpansionTankResults r = sizeExpansionTank(in);
        EXPECT_NEAR(r.acceptanceFactor, factor, 1e-12);
        EXPECT_NEAR(r.tankWaterGal, 2.72 / factor, 1e-9);
        EXPECT_EQ(r.row, row);
    }
    // Water below about 113.7 F: no expansion, said, the smallest tank.
    ExpansionTankInputs cool = system(HydropneumaticExpansionTank);
    cool.DAbgarm = 100;
    const ExpansionTankResults r = sizeExpansionTank(cool);
    EXPECT_TRUE(!r.stopped && r.expansionTakenAsZero && r.tankWaterGal == 0 && r.row == 1);
    EXPECT_EQ(r.messages, said(kMsgExpansionNegligible));
}

TEST(ExpansionTankTest, ClosedTankWithoutAcceptanceStops)
{
    // kind, on the pump discharge, height, pump head
    const std::tuple<int, bool, int, double> cases[] = {{DiaphragmExpansionTank, false, 3, 0}, // 1 - 41 / 40.87
        {DiaphragmExpansionTank, true, 100, 100}, {HydropneumaticExpansionTank, true, 100, 150}};
    for (const auto &[kind, discharge, height, head] : cases) {
        for (bool report : {false, true}) {
            ExpansionTankInputs in = system(kind);
            in.Chk_nsbM = discharge, in.ErtefaS = height, in.hed_pmpsir = head, in.reportMode = report;
            const ExpansionTankResults r = sizeExpansionTank(in);
            EXPECT_TRUE(r.stopped && r.row == 0 && r.tankWaterGal == 0 && r.expansionPercent == 0);
            EXPECT_EQ(r.messages, report ? QStringList{} : QStringList{pumpDischargeMessage()});
        }
    }
}
