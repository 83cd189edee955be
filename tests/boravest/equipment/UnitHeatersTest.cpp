#include "boravest/equipment/UnitHeaters.h"
#include "SpaceSizingSupport.h"

#include <gtest/gtest.h>

using namespace bv::equipment;
using spacetest::space;
using spacetest::unit;

namespace {

// A space whose load is exactly `load` Btu/h: a wall of U 1 against 10 F
// below the room, less an appliance gain.
SizingSpace heated(const char *name, double ti, double load, double heaters)
{
    auto s = space(name, ti, 1000, 1.0, ti - 10, 10000 - load);
    s.T_UH = heaters;
    return s;
}

UnitHeaterInputs inputs(std::vector<SizingUnit> units, int speed = 0, double water = 180, double to1 = 30)
{
    UnitHeaterInputs in;
    in.D_F_PG_UH = speed;
    in.DAbgarm = water;
    in.TO1 = to1;
    in.units = std::move(units);
    return in;
}

} // namespace

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
        // Room 70 F and outdoor 30 F give entering air 50 F; with water at
        // 180 F the factor is 1.10, so each of two heaters carries
        // 30000 x 1.10 / 2 = 16500 Btu/h: model UH-20.
        {"worked case", 70, 30, 180, 30000, 2, 0, 1.10, 16500, 1, "900"},
        {"rating point", 70, 50, 180, 30000, 2, 0, 1.00, 15000, 1, "900"},
        {"equal capacity does not fit", 70, 50, 180, 28623, 1, 0, 1.00, 28623, 2, "900"},
        {"900 falls back to 1400", 70, 50, 180, 300000, 1, 0, 1.00, 300000, 18, "1400"},
        {"1400 never takes a 900 model", 70, 50, 180, 15000, 1, 1, 1.00, 15000, 10, "1400"},
        {"negative load takes the first model", 70, 50, 180, -5000, 1, 0, 1.00, -5000, 1, "900"},
        {"water above 220 is taken as 219", 70, 50, 230, 10000, 1, 0, 1.25 + 0.9 * 0.05, 12950, 1, "900"},
    };
    for (const auto &c : cases) {
        const auto r = sizeUnitHeaters(inputs({unit(0, 1, {heated("s", c.ti, c.load, c.heaters)})}, c.speed, c.water, c.to1));
        ASSERT_EQ(r.spaces.size(), 1u) << c.what;
        const auto &s = r.spaces[0];
        EXPECT_NEAR(s.load, c.load, 1e-9) << c.what;
        EXPECT_NEAR(s.factor, c.factor, 1e-12) << c.what;
        EXPECT_DOUBLE_EQ(s.share, c.share) << c.what;
        EXPECT_EQ(s.row, c.row) << c.what;
        EXPECT_EQ(s.fanSpeed, QString::fromLatin1(c.fanSpeed)) << c.what;
        EXPECT_FALSE(r.someWithoutModel) << c.what;
    }
}

// Spaces without heaters are skipped; a space no model covers still gets a
// row, without model cells, and the panel asks for more heaters.
TEST(UnitHeaters, ProjectOfSeveralSpaces)
{
    const auto r = sizeUnitHeaters(inputs({unit(0, 1, {heated("a", 70, 30000, 2), heated("b", 70, 9000, 0)}),
                                           unit(2, 3, {heated("c", 70, 500000, 1), heated("d", 70, 9000, 0.4)})},
                                          1, 180, 50));
    ASSERT_EQ(r.spaces.size(), 2u);
    EXPECT_EQ(r.spaces[1].place.Faza, QStringLiteral("c"));
    EXPECT_EQ(r.spaces[1].row, 0);
    EXPECT_TRUE(r.someWithoutModel);
    EXPECT_EQ(r.caption, QString::fromUtf8(kMoreUnitHeatersCaption));

    const auto rows = unitHeaterWorkRows(r);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].No, 1);
    EXPECT_EQ(rows[0].size_Rad, QStringLiteral("UH-20"));
    EXPECT_EQ(rows[0].s_hararat, QStringLiteral("800"));
    EXPECT_EQ(rows[0].debi, QStringLiteral("5.8"));
    EXPECT_EQ(rows[0].Vazn_Rad, QStringLiteral("1400"));
    EXPECT_EQ(rows[1].NameT, QStringLiteral("دوم"));
    EXPECT_EQ(rows[1].Barh, QStringLiteral("500000"));
    EXPECT_EQ(rows[1].T_Pare, QStringLiteral("1"));
    EXPECT_TRUE(rows[1].size_Rad.isEmpty());
    EXPECT_TRUE(rows[1].debi.isEmpty());

    const auto stored = unitHeaterStoreRows(r);
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].Modelradiat, QStringLiteral("10"));
    EXPECT_EQ(stored[1].Modelradiat, QStringLiteral("0"));
}

// The grid shows the load as a whole number, the store display-rounds it;
// the stored factor has two decimals.
TEST(UnitHeaters, RoundingOfShownAndStoredValues)
{
    const auto r = sizeUnitHeaters(inputs({unit(0, 1, {heated("a", 70, 1234.5, 1)})}, 0, 183, 50));
    ASSERT_EQ(r.spaces.size(), 1u);
    EXPECT_EQ(unitHeaterWorkRows(r)[0].Barh, QStringLiteral("1234"));
    EXPECT_EQ(unitHeaterWorkRows(r)[0].Z_ts, QStringLiteral("1.03"));
    const auto stored = unitHeaterStoreRows(r);
    EXPECT_DOUBLE_EQ(stored[0].Q_room, 1234);
    EXPECT_DOUBLE_EQ(stored[0].Radiat, 1.03);
}

TEST(UnitHeaters, InputProblemsStopWithAMessage)
{
    const struct {
        int speed;
        double ti, to1;
        QString message;
    } cases[] = {
        {-1, 70, 30, QString::fromUtf8(kFanSpeedMessage)},
        {2, 70, 30, QString::fromUtf8(kFanSpeedMessage)},
        {0, 100, 80, QString::fromUtf8(kEnteringAirMessage).arg(QStringLiteral("s"))},
        {0, 120, 70, QString::fromUtf8(kEnteringAirMessage).arg(QStringLiteral("s"))},
    };
    for (const auto &c : cases) {
        const auto r = sizeUnitHeaters(inputs({unit(0, 1, {heated("s", c.ti, 1000, 1)})}, c.speed, 180, c.to1));
        EXPECT_TRUE(r.stopped);
        EXPECT_EQ(r.messages, QStringList{c.message});
        EXPECT_TRUE(r.spaces.empty());
        EXPECT_TRUE(unitHeaterStoreRows(r).empty());
    }
    // Entering air just below 90 F is still sized.
    EXPECT_FALSE(sizeUnitHeaters(inputs({unit(0, 1, {heated("s", 100, 1000, 1)})}, 0, 180, 79)).stopped);
}
