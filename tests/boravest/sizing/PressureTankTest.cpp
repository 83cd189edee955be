// Pressure tank: pressures, volume, installation and model.
#include "SizingTestUtil.h"
#include "boravest/sizing/PressureTank.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace bv::sizing;

namespace {

// The apartment building of the water-meter case, FPBM 10, MErAT 6, MTZA
// 0.5, TSPS 4, ErtefaS 30, TolSevic 100, OfteFeshar 2.
PressureTankInputs building(double litres = 0)
{
    PressureTankInputs in;
    in.FPBM = 10, in.MErAT = 6, in.MTZA = 0.5, in.TSPS = 4;
    in.ErtefaS = 30, in.TolSevic = 100, in.OfteFeshar = 2;
    in.DamAbSh = 50, in.DamAbMa = 110, in.DamAbBeh = 140;
    in.fixtures = sizingtest::apartmentFixtures();
    if (litres > 0) // the storage time that gives this litre volume
        in.MTZA *= litres / sizePressureTank(in).tankVolumeLitres;
    return in;
}

} // namespace

TEST(PressureTankTest, WorkedBuilding)
{
    const PressureTankResults r = sizePressureTank(building());
    const auto rounded = [](double v) { return std::round(v * 100) / 100; };
    EXPECT_EQ(std::tuple(rounded(r.minPressurePsi), rounded(r.maxPressurePsi), rounded(r.tankVolumeGal),
                         rounded(r.tankVolumeLitres)), std::tuple(24.19, 103.78, 92.61, 350.06));
    EXPECT_EQ(std::tuple(r.installation, r.installationText, r.row),
              std::tuple(TankInstallation::Vertical, QString::fromUtf8(kTextVertical), 3));
    EXPECT_TRUE(r.messages.isEmpty() && !r.stopped);
}

TEST(PressureTankTest, InstallationAndModelByLitreVolume)
{
    using I = TankInstallation;
    // litres, installation, row; row 0 below the next limit is a gap with no model.
    const std::tuple<double, I, int> cases[] = {
        {199.99, I::Vertical, 1},      {799.99, I::Vertical, 6},       {1000, I::Vertical, 0},
        {1199.99, I::Vertical, 0},     {1200.01, I::Horizontal, 2},    {2999.99, I::Horizontal, 4},
        {5000, I::Horizontal, 0},      {18899.99, I::Horizontal, 0},   {18900.01, I::OutOfRange, 0}};
    for (const auto &[litres, installation, row] : cases) {
        const PressureTankResults r = sizePressureTank(building(litres));
        EXPECT_EQ(r.installation, installation) << litres;
        EXPECT_EQ(r.row, row) << litres;
        const bool gap = row == 0 && installation != I::OutOfRange;
        EXPECT_EQ(r.messages, gap ? sizingtest::said(kMsgNoStandardPressureTank) : QStringList{}) << litres;
    }
    PressureTankInputs report = building(1000);
    report.reportMode = true;
    EXPECT_TRUE(sizePressureTank(report).messages.isEmpty());
}

TEST(PressureTankTest, InputProblemsStop)
{
    using In = PressureTankInputs &;
    // change, message, whether report mode says it too
    const std::tuple<void (*)(In), const char *, bool> cases[] = {
        {[](In in) { in.DamAbMa = in.DamAbBeh; }, kMsgCheckMixingTemperatures, true},
        {[](In in) { in.TSPS = 0; }, kMsgEnterPumpStarts, false},
        {[](In in) { in.ErtefaS = in.TolSevic = 0, in.FPBM = 9; }, kMsgMinPressureOffCurve, true},
        {[](In in) { in.ErtefaS = in.TolSevic = 0, in.FPBM = 100; }, kMsgMinPressureOffCurve, true},
        {[](In in) { in.MErAT = 38.4; }, kMsgWaterHeightRange, true},
    };
    for (const auto &[change, message, inReportMode] : cases) {
        for (bool report : {false, true}) {
            PressureTankInputs in = building();
            change(in);
            in.reportMode = report;
            const PressureTankResults r = sizePressureTank(in);
            EXPECT_TRUE(r.stopped && r.installation == TankInstallation::None && r.row == 0 && r.tankVolumeGal == 0);
            EXPECT_EQ(r.messages, report && !inReportMode ? QStringList{} : sizingtest::said(message)) << message;
        }
    }
}

TEST(PressureTankTest, SaveRefusesTooHighAndTooLargeOnly)
{
    const QString high = QString::fromUtf8(kMsgStaticPressureLimit), large = QString::fromUtf8(kMsgNoStandardPressureTank);
    // highest pressure, lowest pressure, litres, refusal
    const std::tuple<double, double, double, QString> cases[] = {
        {110, 30, 18900, {}},       {110.001, 30, 100, high}, {100, 30, 18900.01, large},
        {0, 100, 0, high},          // past the pump start curve: no ratio read
        {0, 0, 0, {}},              // a run that stopped before the pressures
    };
    for (const auto &[highest, lowest, litres, refusal] : cases) {
        PressureTankResults r;
        r.maxPressurePsi = highest, r.minPressurePsi = lowest, r.tankVolumeLitres = litres;
        EXPECT_EQ(pressureTankSaveRefusal(r), refusal) << highest << " " << lowest << " " << litres;
    }
}
