// Pressure tank: pressures, volume, installation and model.
#include "boravest/equipment/PressureTank.h"

#include <gtest/gtest.h>

using namespace bv::equipment;

namespace {

// The apartment building of the water-meter case with the page inputs of
// the worked pressure tank.
PressureTankInputs building()
{
    PressureTankInputs in;
    in.FPBM = 10;
    in.MErAT = 6;
    in.MTZA = 0.5;
    in.TSPS = 4;
    in.ErtefaS = 30;
    in.TolSevic = 100;
    in.OfteFeshar = 2;
    in.DamAbSh = 50;
    in.DamAbMa = 110;
    in.DamAbBeh = 140;
    in.NSakh = 0;
    in.fixtures.WCKh = 4;
    in.fixtures.Van = 2;
    in.fixtures.Dosh = 4;
    return in;
}

// Storage time that gives the wanted litre volume with the worked building.
PressureTankInputs withLitres(double litres)
{
    PressureTankInputs in = building();
    const PressureTankResults base = sizePressureTank(in);
    in.MTZA *= litres / base.tankVolumeLitres;
    return in;
}

} // namespace

TEST(PressureTankTest, WorkedBuilding)
{
    const PressureTankResults r = sizePressureTank(building());
    EXPECT_FALSE(r.stopped);
    EXPECT_NEAR(r.minPressurePsi, 24.19, 0.005);
    EXPECT_NEAR(r.maxPressurePsi, 103.78, 0.005);
    EXPECT_NEAR(r.tankVolumeGal, 92.61, 0.005);
    EXPECT_NEAR(r.tankVolumeLitres, 350.06, 0.005);
    EXPECT_EQ(r.installation, TankInstallation::Vertical);
    EXPECT_EQ(r.installationText, QString::fromUtf8(kTextVertical));
    EXPECT_EQ(r.row, 3);
    EXPECT_DOUBLE_EQ(r.peakHotWaterGph, 452);
    EXPECT_DOUBLE_EQ(r.coldWaterGph, 226);
    EXPECT_TRUE(r.messages.isEmpty());
}

TEST(PressureTankTest, InstallationByLitreVolume)
{
    struct Case {
        double litres;
        TankInstallation installation;
        int row;
        bool noModelMessage;
    };
    const Case cases[] = {
        {199.99, TankInstallation::Vertical, 1, false},
        {799.99, TankInstallation::Vertical, 6, false},
        {1000, TankInstallation::Vertical, 0, true}, // gap above the largest vertical tank
        {1199.99, TankInstallation::Vertical, 0, true},
        {1200.01, TankInstallation::Horizontal, 2, false},
        {2999.99, TankInstallation::Horizontal, 4, false},
        {5000, TankInstallation::Horizontal, 0, true}, // gap above the largest horizontal tank
        {18899.99, TankInstallation::Horizontal, 0, true},
        {18900.01, TankInstallation::OutOfRange, 0, false},
    };
    for (const Case &c : cases) {
        const PressureTankResults r = sizePressureTank(withLitres(c.litres));
        EXPECT_NEAR(r.tankVolumeLitres, c.litres, 1e-6);
        EXPECT_EQ(r.installation, c.installation) << c.litres;
        EXPECT_EQ(r.row, c.row) << c.litres;
        EXPECT_FALSE(r.stopped);
        EXPECT_EQ(r.messages.contains(QString::fromUtf8(kMsgNoStandardPressureTank)), c.noModelMessage)
            << c.litres;
    }
    PressureTankInputs report = withLitres(1000);
    report.reportMode = true;
    const PressureTankResults r = sizePressureTank(report);
    EXPECT_EQ(r.installation, TankInstallation::Vertical);
    EXPECT_EQ(r.row, 0);
    EXPECT_TRUE(r.messages.isEmpty());
}

TEST(PressureTankTest, FewerThanTwoKindsChooseTheFirstVerticalTank)
{
    PressureTankInputs in = building();
    in.fixtures = {};
    in.fixtures.Dosh = 4;
    const PressureTankResults r = sizePressureTank(in);
    EXPECT_DOUBLE_EQ(r.peakUseGph, 0);
    EXPECT_DOUBLE_EQ(r.tankVolumeGal, 0);
    EXPECT_EQ(r.row, 1);
}

TEST(PressureTankTest, CurveSegmentStartsAtItsOwnPoint)
{
    PressureTankInputs in = building();
    in.ErtefaS = 0;
    in.TolSevic = 0;
    in.FPBM = 20;
    EXPECT_DOUBLE_EQ(sizePressureTank(in).pressureRatio, 4.5);
}

TEST(PressureTankTest, InputProblemsStop)
{
    struct Case {
        const char *name;
        void (*change)(PressureTankInputs &);
        const char *message;
        bool inReportMode;
    };
    const Case cases[] = {
        {"temperatures out of order", [](PressureTankInputs &in) { in.DamAbMa = in.DamAbBeh; },
         kMsgCheckMixingTemperatures, true},
        {"no pump starts", [](PressureTankInputs &in) { in.TSPS = 0; }, kMsgEnterPumpStarts, false},
        {"lowest pressure below the curve", [](PressureTankInputs &in) { in.ErtefaS = 0, in.TolSevic = 0, in.FPBM = 9; },
         kMsgMinPressureOffCurve, true},
        {"lowest pressure of 100 PSI", [](PressureTankInputs &in) { in.ErtefaS = 0, in.TolSevic = 0, in.FPBM = 100; },
         kMsgMinPressureOffCurve, true},
        {"water column of 38.4 in", [](PressureTankInputs &in) { in.MErAT = 38.4; }, kMsgWaterHeightRange, true},
        {"water column above 38.4 in", [](PressureTankInputs &in) { in.MErAT = 50; }, kMsgWaterHeightRange, true},
    };
    for (const Case &c : cases) {
        for (bool report : {false, true}) {
            PressureTankInputs in = building();
            c.change(in);
            in.reportMode = report;
            const PressureTankResults r = sizePressureTank(in);
            EXPECT_TRUE(r.stopped) << c.name;
            EXPECT_EQ(r.installation, TankInstallation::None) << c.name;
            EXPECT_EQ(r.row, 0) << c.name;
            EXPECT_DOUBLE_EQ(r.tankVolumeGal, 0) << c.name;
            const QStringList expected =
                (report && !c.inReportMode) ? QStringList{} : QStringList{QString::fromUtf8(c.message)};
            EXPECT_EQ(r.messages, expected) << c.name << " report " << report;
        }
    }
}
