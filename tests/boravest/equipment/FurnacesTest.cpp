#include "boravest/equipment/Furnaces.h"
#include "SpaceSizingSupport.h"

#include <gtest/gtest.h>

using namespace bv::equipment;
using spacetest::space;
using spacetest::unit;

namespace {

// With Ga 1 and a room at 70 F a space needs load / 37.905 CFM of warm air.
constexpr double kCfmDivisor = 0.01805 * 60 * 35;

SizingSpace room(const char *name, double load, bool marked, double ti = 70)
{
    auto s = space(name, ti, 1, load / ti, 0); // a wall losing `load`
    s.E_Kore = marked ? 1 : 0;
    return s;
}

FurnaceInputs inputs(std::vector<SizingUnit> units, double efficiency = 80)
{
    FurnaceInputs in;
    in.Rand_Kore = efficiency;
    in.K_A_Kore = 100;
    in.D_H_B_Kore = 100;
    in.D_H_T_Kore = 0;
    in.Ti1 = 68;
    in.TO1 = 30;
    in.site.Ga = 1;
    in.units = std::move(units);
    return in;
}

} // namespace

// 100 % return air, the project inside at 68 F (20 C), 2118.6 CFM in all,
// insulation quality 100 % and efficiency 80 %: 1200 x 20 x 3.412 / 0.8.
TEST(Furnaces, CapacityOfTheWarmAir)
{
    const auto r = sizeFurnace(inputs({unit(0, 1, {room("a", 2118.6 * kCfmDivisor, true)})}));
    ASSERT_FALSE(r.stopped);
    EXPECT_NEAR(r.totalWarmAir, 2118.6, 1e-9);
    EXPECT_DOUBLE_EQ(r.ductFactor, 1);
    EXPECT_NEAR(r.capacity, 102360, 1e-6);
    EXPECT_NEAR(r.secondFlow, 102360 / (1.08 * 37) * 0.3, 1e-6);
    EXPECT_EQ(r.row, 1);
    EXPECT_TRUE(r.messages.isEmpty());
}

// Unmarked spaces carry no warm air and no grid row but are stored with a
// warm air of 0; a marked space with a negative load lowers the total.
TEST(Furnaces, ProjectOfSeveralSpaces)
{
    auto in = inputs({unit(0, 1, {room("a", 30000, true), room("b", 20000, false, 120)}),
                      unit(-1, 2, {room("c", -3000, true, 68.4)})});
    const auto r = sizeFurnace(in);
    ASSERT_FALSE(r.stopped);
    ASSERT_EQ(r.spaces.size(), 3u);
    const double qa = 30000 / kCfmDivisor, qc = -3000 / (0.01805 * 60 * 37);
    EXPECT_NEAR(r.totalWarmAir, qa + qc, 1e-9);
    EXPECT_NEAR(r.spaces[2].load, -3000, 1e-9);
    EXPECT_DOUBLE_EQ(r.spaces[1].warmAir, 0);

    const auto rows = furnaceWorkRows(r);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].NameT, QStringLiteral("منهاي يك"));
    EXPECT_EQ(rows[1].Shvahed, QStringLiteral("2"));
    EXPECT_EQ(rows[1].size_Rad, QStringLiteral("68"));
    EXPECT_EQ(rows[0].hjm_Ab, QStringLiteral("791")); // 791.45
    EXPECT_EQ(rows[0].Barh, QStringLiteral("30000"));
    EXPECT_EQ(rows[0].No, 0);

    const auto stored = furnaceStoreRows(r);
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_DOUBLE_EQ(stored[1].V_Kore, 0);
    EXPECT_DOUBLE_EQ(stored[1].Q_room, 20000);
    EXPECT_DOUBLE_EQ(stored[2].V_Kore, -74.867); // below 1: three decimals
}

TEST(Furnaces, EfficiencyOutsideItsRangeStopsAfterTheSpaces)
{
    const struct {
        double efficiency;
        bool refused;
    } cases[] = {{29, true}, {30, false}, {95, false}, {96, true}, {0, true}};
    for (const auto &c : cases) {
        const auto r = sizeFurnace(inputs({unit(0, 1, {room("a", 10000, true)})}, c.efficiency));
        EXPECT_EQ(r.stopped, c.refused) << c.efficiency;
        EXPECT_EQ(r.spaces.size(), 1u) << c.efficiency;
        EXPECT_EQ(furnaceStoreRows(r).size(), 1u) << c.efficiency;
        if (c.refused) {
            EXPECT_EQ(r.messages, QStringList{QString::fromUtf8(kFurnaceEfficiencyMessage)});
            EXPECT_DOUBLE_EQ(r.capacity, 0);
            EXPECT_EQ(r.row, 0);
        } else {
            EXPECT_GT(r.capacity, 0);
        }
    }
}

TEST(Furnaces, NoFurnaceLargeEnough)
{
    auto in = inputs({unit(0, 1, {room("a", 30 * 2118.6 * kCfmDivisor, true)})});
    auto r = sizeFurnace(in);
    EXPECT_FALSE(r.stopped);
    EXPECT_EQ(r.row, 0);
    EXPECT_NEAR(r.capacity, 30 * 102360, 1e-3);
    EXPECT_EQ(r.messages, QStringList{QString::fromUtf8(kFurnaceCustomBuildMessage)});
    in.reportMode = true;
    r = sizeFurnace(in);
    EXPECT_EQ(r.row, 0);
    EXPECT_TRUE(r.messages.isEmpty());
}

// Temperatures at or above the 105 F supply air, and no air factor, leave
// nothing to divide by.
TEST(Furnaces, InputProblemsStopWithAMessage)
{
    const auto one = [](SizingSpace s) { return std::vector<SizingUnit>{unit(0, 1, {s})}; };
    FurnaceInputs hotRoom = inputs(one(room("hall", 1000, true, 105)));
    FurnaceInputs roundsUp = inputs(one(room("hall", 1000, true, 104.6)));
    FurnaceInputs noGa = inputs(one(room("hall", 1000, true)));
    noGa.site.Ga = 0;
    FurnaceInputs hotProject = inputs(one(room("hall", 1000, true)));
    hotProject.Ti1 = 105;
    const QString room105 = QString::fromUtf8(kFurnaceRoomTempMessage).arg(QStringLiteral("hall"));
    const struct {
        FurnaceInputs in;
        QString message;
        size_t spaces;
    } cases[] = {
        {hotRoom, room105, 0},
        {roundsUp, room105, 0},
        {noGa, QString::fromUtf8(kAirDensityMessage), 0},
        {hotProject, QString::fromUtf8(kFurnaceDesignTempMessage), 1},
    };
    for (const auto &c : cases) {
        const auto r = sizeFurnace(c.in);
        EXPECT_TRUE(r.stopped);
        EXPECT_EQ(r.messages, QStringList{c.message});
        EXPECT_EQ(r.spaces.size(), c.spaces);
        EXPECT_DOUBLE_EQ(r.capacity, 0);
    }
    // A space not heated by the furnace may be as warm as it likes.
    EXPECT_FALSE(sizeFurnace(inputs(one(room("hall", 1000, false, 110)))).stopped);
}
