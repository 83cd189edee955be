#include "boravest/sizing/UnitHeaters.h"
#include "SpaceSizingSupport.h"

#include <gtest/gtest.h>

using namespace bv::sizing;
using spacetest::space;
using spacetest::unit;

namespace {
// A space at `ti` F whose load is `load` Btu/h, with `heaters` unit heaters.
SizingSpace heated(const char *name, double load, double heaters, double ti = 70)
{
    auto s = space(name, ti, 1, load / ti);
    s.T_UH = heaters;
    return s;
}
UnitHeaterInputs inputs(SizingUnits units, int speed, double water, double to1)
{
    return {speed, water, to1, {}, std::move(units)};
}
} // namespace

// The factor corrects the heaters' rated capacity, so each heater must be
// rated G / (F x N); air below 30 F takes the 30 F row.
TEST(UnitHeaters, ModelByShareAndFanSpeed)
{
    const struct {
        const char *what;
        double ti, to1, water, load;
        int heaters, speed;
        double factor, share;
        int row;
        const char *fanSpeed;
    } cases[] = {
        // Room 70 F and outdoor 30 F: entering air 50 F, factor 1.10 at
        // 180 F water; two heaters of 30000 / 2.2 each: UH-20.
        {"worked case", 70, 30, 180, 30000, 2, 0, 1.10, 13636, 1, "900"},
        {"factor below 1 asks for more", 70, 70, 150, 60000, 1, 0, 0.68, 88235, 4, "900"},
        {"entering air 27.5 F", 60, -5, 180, 40000, 1, 0, 1.33, 30075, 2, "900"},
        {"entering air 0 F", 60, -60, 180, 40000, 1, 0, 1.33, 30075, 2, "900"},
        {"rating point", 70, 50, 180, 30000, 2, 0, 1.00, 15000, 1, "900"},
        {"equal capacity does not fit", 70, 50, 180, 28623, 1, 0, 1.00, 28623, 2, "900"},
        {"900 falls back to 1400", 70, 50, 180, 300000, 1, 0, 1.00, 300000, 18, "1400"},
        {"1400 never takes a 900 model", 70, 50, 180, 15000, 1, 1, 1.00, 15000, 10, "1400"},
        {"negative load, first model", 70, 50, 180, -5000, 1, 0, 1.00, -5000, 1, "900"},
        {"water above 220 taken as 219", 70, 50, 230, 10000, 1, 0, 1.295, 7722, 1, "900"},
    };
    for (const auto &c : cases) {
        const auto r = sizeUnitHeaters(
            inputs({unit(0, {heated("s", c.load, c.heaters, c.ti)})}, c.speed, c.water, c.to1));
        ASSERT_EQ(r.spaces.size(), 1u) << c.what;
        const auto &s = r.spaces[0];
        EXPECT_NEAR(s.factor, c.factor, 1e-12) << c.what;
        EXPECT_DOUBLE_EQ(s.share, c.share) << c.what;
        EXPECT_EQ(s.row, c.row) << c.what;
        EXPECT_EQ(s.fanSpeed, QString::fromLatin1(c.fanSpeed)) << c.what;
    }
}

// Spaces without heaters are skipped; a space that no model covers gets a
// row without model cells and the panel asks for more heaters.
TEST(UnitHeaters, ProjectOfSeveralSpaces)
{
    const auto r = sizeUnitHeaters(inputs({unit(0, {heated("a", 30000.4, 2), heated("b", 9000, 0)}),
                                           unit(2, {heated("c", 500000, 1), heated("d", 9000, 0.4)})},
                                          1, 183, 50));
    ASSERT_EQ(r.spaces.size(), 2u);
    EXPECT_EQ(r.caption, QString::fromUtf8(kMoreUnitHeatersCaption));
    const auto rows = unitHeaterWorkRows(r);
    const auto &a = rows.at(0);
    EXPECT_EQ((QStringList{a.Barh, a.Z_ts, a.T_Pare, a.size_Rad, a.s_hararat, a.Tol_Pare, a.debi, a.hjm_Ab, a.Vazn_Rad}),
              (QStringList{"30000", "1.03", "2", "UH-20", "800", "0.25", "5.8", "110", "1400"}));
    EXPECT_TRUE(rows.at(1).NameT == QStringLiteral("دوم") && rows[1].size_Rad.isEmpty() && rows[1].debi.isEmpty());
    const auto stored = unitHeaterStoreRows(r);
    EXPECT_DOUBLE_EQ(stored[0].Radiat, 1.03); // 1.027 to two decimals
    EXPECT_EQ((QStringList{stored[0].Modelradiat, stored[1].Modelradiat}), (QStringList{"10", "0"}));
}

TEST(UnitHeaters, InputProblemsStopWithAMessage)
{
    const QString speed = QString::fromUtf8(kFanSpeedMessage);
    const QString air = QString::fromUtf8(kEnteringAirMessage).arg(QStringLiteral("s"));
    const QString water = QString::fromUtf8(kHotWaterTempMessage);
    const struct {
        int speed;
        double water, to1;
        QString message;
    } cases[] = {{-1, 180, 30, speed}, {2, 180, 30, speed}, {0, 180, 110, air},
                 {0, 180, 150, air},   {0, 0, 30, water},    {0, -10, 30, water}};
    for (const auto &c : cases) {
        const auto r = sizeUnitHeaters(inputs({unit(0, {heated("s", 1000, 1)})}, c.speed, c.water, c.to1));
        EXPECT_TRUE(r.stopped && r.spaces.empty() && unitHeaterStoreRows(r).empty());
        EXPECT_EQ(r.messages, QStringList{c.message});
    }
    // Entering air just below 90 F is still sized.
    EXPECT_FALSE(sizeUnitHeaters(inputs({unit(0, {heated("s", 1000, 1)})}, 0, 180, 109)).stopped);
}
