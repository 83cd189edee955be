#include "boravest/sizing/Radiators.h"
#include "SpaceSizingSupport.h"

#include <gtest/gtest.h>

using namespace bv::sizing;
using spacetest::space;
using spacetest::unit;

namespace {
SizingSpace marked(SizingSpace s)
{
    s.E_Rad = 1;
    return s;
}
RadiatorInputs inputs(SizingUnits units, int size = 0, double water = 176)
{
    return {size, water, {}, std::move(units)};
}
} // namespace

// Room 68 F, 100 sq.ft of U 0.4 against 0 F, appliance gain 165.5, water
// 176 F, size 600*150: 2554.5 Btu/h at factor 1.00 is 6.5 sections, which
// rounds half to even to 6.
TEST(Radiators, WorkedCaseRoundsHalfToEven)
{
    const auto r = sizeRadiators(inputs({unit(0, {marked(space("a", 68, 100, 0.4, 165.5))})}));
    const auto &s = r.spaces.at(0);
    EXPECT_TRUE(s.load == 2554.5 && s.factor == 1.0 && r.sizeName == QStringLiteral("600*150"));
    EXPECT_EQ(s.sections, 6);
    const auto stored = radiatorStoreRows(r); // display rounding, half to even
    EXPECT_TRUE(stored.at(0).Modelradiat == QStringLiteral("6") && stored[0].Q_room == 2554);
}

TEST(Radiators, SectionsRoundToEvenCount)
{
    // A load too large for a whole number of machine size still counts.
    const std::pair<double, double> cases[] = {{6.6, 8}, {7.4, 8}, {5.4, 6},     {6.5, 6},
                                               {7.5, 8}, {0.4, 0}, {3e12 + 1, 3e12 + 2}};
    for (const auto &[need, sections] : cases)
        EXPECT_EQ(radiatorSections(need * 393, 1.0, 393), sections) << need;
}

// Only marked spaces with sections give rows, in walking order; the water
// total adds unrounded contents, the surface total display-rounded surfaces.
TEST(Radiators, ProjectOfSeveralSpaces)
{
    const auto r = sizeRadiators(inputs({unit(0, {marked(space("a", 68, 100)), space("b", 68, 300),
                                                  marked(space("c", 68, 10, 0.4, 5000))}),
                                         unit(1, {marked(space("d", 68, 250))})},
                                        2)); // 300*150: 238 Btu/h a section
    ASSERT_EQ(r.spaces.size(), 2u); // 2720 / 238 = 11.4 and 6800 / 238 = 28.6 sections
    EXPECT_EQ(r.spaces[0].sections, 12);
    EXPECT_DOUBLE_EQ(r.waterTotal, 42 * 0.156);
    EXPECT_DOUBLE_EQ(r.surfaceTotal, 1.56 + 3.9);
    const auto rows = radiatorWorkRows(r);
    ASSERT_EQ(rows.size(), 2u);
    const QStringList second{QString::number(rows[1].No), rows[1].NameT, rows[1].Faza, rows[1].Barh,
                             rows[1].T_Pare, rows[1].Tol_Pare, rows[1].hjm_Ab, rows[1].Z_ts};
    EXPECT_EQ(second, (QStringList{"2", "اول", "d", "6800", "30", "1350", "4.68", "1"}));
}

TEST(Radiators, InputProblemsStopWithAMessage)
{
    const auto hall = [](double ti, double mark) {
        auto s = space("hall", ti, 100);
        s.E_Rad = mark;
        return SizingUnits{unit(0, {s})};
    };
    const QString size = QString::fromUtf8(kRadiatorSizeMessage);
    const QString room = QStringLiteral("دماي داخل فضاي hall را اصلاح كنيد");
    const std::pair<RadiatorInputs, QString> cases[] = {
        {inputs(hall(68, 1), -1), size}, {inputs(hall(68, 1), 6), size},
        {inputs(hall(68, 1), 0, 0), QString::fromUtf8(kHotWaterTempMessage)},
        {inputs(hall(0, 1)), room}, {inputs(hall(-5, 1)), room},
    };
    for (const auto &[in, message] : cases) {
        const auto r = sizeRadiators(in);
        EXPECT_TRUE(r.stopped && r.spaces.empty() && radiatorStoreRows(r).empty());
        EXPECT_EQ(r.messages, QStringList{message});
    }
    EXPECT_FALSE(sizeRadiators(inputs(hall(0, 0))).stopped); // not marked, not sized
}
