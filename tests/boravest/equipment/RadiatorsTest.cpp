#include "boravest/equipment/Radiators.h"
#include "SpaceSizingSupport.h"

#include <gtest/gtest.h>

using namespace bv::equipment;
using spacetest::space;
using spacetest::unit;

namespace {

SizingSpace marked(SizingSpace s)
{
    s.E_Rad = 1;
    return s;
}

RadiatorInputs inputs(std::vector<SizingUnit> units, int size = 0, double water = 176)
{
    RadiatorInputs in;
    in.S_R_PG_R = size;
    in.DAbgarm = water;
    in.units = std::move(units);
    return in;
}

} // namespace

// Room 68 F, a 100 sq.ft internal wall of U 0.4 against 0 F, appliance gain
// 165.5, water 176 F, size 600*150: 2554.5 Btu/h at factor 1.00 needs 6.5
// sections, which rounds half to even to 6.
TEST(Radiators, WorkedCaseRoundsHalfToEven)
{
    const auto r = sizeRadiators(inputs({unit(0, 1, {marked(space("a", 68, 100, 0.4, 0, 165.5))})}));
    ASSERT_FALSE(r.stopped);
    ASSERT_EQ(r.spaces.size(), 1u);
    const auto &s = r.spaces[0];
    EXPECT_DOUBLE_EQ(s.load, 2554.5);
    EXPECT_DOUBLE_EQ(s.factor, 1.0);
    EXPECT_EQ(s.sections, 6);
    EXPECT_DOUBLE_EQ(s.length, 270);
    EXPECT_DOUBLE_EQ(s.weight, 13.2);
    EXPECT_EQ(r.sizeNumber, 1);
    EXPECT_EQ(r.sizeName, QStringLiteral("600*150"));
    const auto stored = radiatorStoreRows(r);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].Modelradiat, QStringLiteral("6"));
    EXPECT_DOUBLE_EQ(stored[0].Q_room, 2554); // display rounding, half to even
}

TEST(Radiators, SectionsRoundToEvenCount)
{
    const struct {
        double need;
        int sections;
    } cases[] = {{6.6, 8}, {7.4, 8}, {5.4, 6}, {6.5, 6}, {7.5, 8}, {0.4, 0}, {-3, -2}};
    for (const auto &c : cases)
        EXPECT_EQ(radiatorSections(c.need * 393, 1.0, 393), c.sections) << c.need;
}

TEST(Radiators, FactorLimitsAndScaling)
{
    const struct {
        double room, water, factor;
    } cases[] = {
        {68, 176, 1.00},
        {80, 230, radiatorFactor(76, 211)}, // hotter water and warmer rooms are capped
        {20.5, 158, 0.5 * 1.11},            // below the first room temperature: in proportion
        {68, 79, 0.5 * 0.78},               // below the first water temperature likewise
    };
    for (const auto &c : cases)
        EXPECT_NEAR(radiatorFactor(c.room, c.water), c.factor, 1e-12) << c.room << " " << c.water;
}

// Several spaces on two floors: only marked spaces with sections give rows,
// in walking order; the water total adds unrounded contents, the surface
// total display-rounded surfaces.
TEST(Radiators, ProjectOfSeveralSpaces)
{
    auto in = inputs({unit(0, 1, {marked(space("a", 68, 100)), space("b", 68, 300), marked(space("c", 68, 10, 0.4, 0, 5000))}),
                      unit(1, 1, {marked(space("d", 68, 250))})},
                     2, 176); // 300*150: 238 Btu/h per section
    const auto r = sizeRadiators(in);
    ASSERT_EQ(r.spaces.size(), 2u);
    EXPECT_EQ(r.spaces[0].place.Faza, QStringLiteral("a"));
    EXPECT_EQ(r.spaces[0].sections, 12); // 2720 / 238 = 11.4 -> 11 -> 12
    EXPECT_EQ(r.spaces[1].place.NameT, QStringLiteral("اول"));
    EXPECT_EQ(r.spaces[1].sections, 30); // 6800 / 238 = 28.6 -> 29 -> 30
    EXPECT_DOUBLE_EQ(r.waterTotal, 12 * 0.156 + 30 * 0.156);
    EXPECT_DOUBLE_EQ(r.surfaceTotal, 1.56 + 3.9);

    const auto rows = radiatorWorkRows(r);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].No, 2);
    EXPECT_EQ(rows[1].Barh, QStringLiteral("6800"));
    EXPECT_EQ(rows[1].T_Pare, QStringLiteral("30"));
    EXPECT_EQ(rows[1].Tol_Pare, QStringLiteral("1350"));
    EXPECT_EQ(rows[1].hjm_Ab, QStringLiteral("4.68"));
    EXPECT_EQ(rows[1].Z_ts, QStringLiteral("1"));
    EXPECT_TRUE(rows[1].size_Rad.isEmpty());
}

TEST(Radiators, InputProblemsStopWithAMessage)
{
    const auto room = [](double ti, bool mark) {
        auto s = space("hall", ti, 100);
        s.E_Rad = mark ? 1 : 0;
        return std::vector<SizingUnit>{unit(0, 1, {s})};
    };
    const struct {
        RadiatorInputs in;
        QString message;
    } cases[] = {
        {inputs(room(68, true), -1), QString::fromUtf8(kRadiatorSizeMessage)},
        {inputs(room(68, true), 6), QString::fromUtf8(kRadiatorSizeMessage)},
        {inputs(room(68, true), 0, 0), QString::fromUtf8(kHotWaterTempMessage)},
        {inputs(room(0, true)), QStringLiteral("دماي داخل فضاي hall را اصلاح كنيد")},
        {inputs(room(-5, true)), QStringLiteral("دماي داخل فضاي hall را اصلاح كنيد")},
    };
    for (const auto &c : cases) {
        const auto r = sizeRadiators(c.in);
        EXPECT_TRUE(r.stopped);
        EXPECT_EQ(r.messages, QStringList{c.message});
        EXPECT_TRUE(r.spaces.empty());
        EXPECT_TRUE(radiatorStoreRows(r).empty());
    }
    // An unmarked space at 0 F is not sized and troubles nobody.
    EXPECT_FALSE(sizeRadiators(inputs(room(0, false))).stopped);
}
