#include "boravest/sizing/Furnaces.h"
#include "SpaceSizingSupport.h"

#include <gtest/gtest.h>

using namespace bv::sizing;
using spacetest::unit;

namespace {
// With Ga 1 a room at 70 F needs load / 37.905 CFM of warm air.
constexpr double kPerCfm = 0.01805 * 60 * 35;

SizingSpace room(const char *name, double load, bool marked, double ti = 70)
{
    auto s = spacetest::space(name, ti, 1, load / ti);
    s.E_Kore = marked ? 1 : 0;
    return s;
}
// 100 % return air, insulation quality 100 % (K = 1), project inside 68 F.
FurnaceInputs inputs(SizingUnits units, double efficiency = 80)
{
    return {efficiency, 100, 100, 0, 68, 30, {1, 0}, std::move(units), false};
}
} // namespace

// 2118.6 CFM in all at 20 C inside and 80 %: 1200 x 20 x 3.412 / 0.8. Thirty
// times that is beyond the catalogue: the screen shows the custom-build
// message, the booklet prints its own text.
TEST(Furnaces, CapacityOfTheWarmAir)
{
    const auto r = sizeFurnace(inputs({unit(0, {room("a", 2118.6 * kPerCfm, true)})}));
    EXPECT_NEAR(r.capacity, 102360, 1e-6);
    EXPECT_NEAR(r.secondFlow, 102360 / (1.08 * 37) * 0.3, 1e-6);
    EXPECT_EQ(r.row, 1);
    auto big = inputs({unit(0, {room("a", 30 * 2118.6 * kPerCfm, true)})});
    EXPECT_EQ(sizeFurnace(big).row, 0);
    EXPECT_EQ(sizeFurnace(big).messages, QStringList{QString::fromUtf8(kFurnaceCustomBuildMessage)});
    big.reportMode = true;
    EXPECT_TRUE(sizeFurnace(big).messages.isEmpty());
}

// Unmarked spaces have no warm air and no grid row but are stored; a marked
// space with a negative load lowers the total.
TEST(Furnaces, ProjectOfSeveralSpaces)
{
    const auto r = sizeFurnace(inputs({unit(0, {room("a", 30000, true), room("b", 20000, false, 120)}),
                                       unit(-1, {room("c", -3000, true, 68.4)})}));
    ASSERT_EQ(r.spaces.size(), 3u);
    EXPECT_NEAR(r.totalWarmAir, 30000 / kPerCfm - 3000 / (0.01805 * 60 * 37), 1e-9);
    const auto rows = furnaceWorkRows(r);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ((QStringList{rows[0].Shvahed, rows[0].hjm_Ab, rows[0].Barh}), (QStringList{"1", "791", "30000"}));
    EXPECT_EQ((QStringList{rows[1].NameT, rows[1].size_Rad}), (QStringList{"منهاي يك", "68"}));
    const auto stored = furnaceStoreRows(r); // below 1: three decimals
    EXPECT_EQ((std::vector<double>{stored[1].V_Kore, stored[1].Q_room, stored[2].V_Kore}),
              (std::vector<double>{0, 20000, -74.867}));
}

// The efficiency is checked after the spaces, which are kept.
TEST(Furnaces, EfficiencyFrom30To95)
{
    for (const auto &[efficiency, refused] : {std::pair{29, true}, {30, false}, {95, false}, {96, true}}) {
        const auto r = sizeFurnace(inputs({unit(0, {room("a", 10000, true)})}, efficiency));
        EXPECT_EQ(r.stopped, refused) << efficiency;
        EXPECT_EQ(furnaceStoreRows(r).size(), 1u);
        EXPECT_EQ(r.capacity > 0, !refused) << efficiency;
        EXPECT_EQ(r.messages.contains(QString::fromUtf8(kFurnaceEfficiencyMessage)), refused);
    }
}

// Temperatures at or above the 105 F supply air, or no air factor, leave
// nothing to divide by.
TEST(Furnaces, InputProblemsStopWithAMessage)
{
    const auto one = [](double ti, double ga = 1, double ti1 = 68) {
        auto in = inputs({unit(0, {room("hall", 1000, true, ti)})});
        in.site.Ga = ga;
        in.Ti1 = ti1;
        return in;
    };
    const QString room105 = QString::fromUtf8(kFurnaceRoomTempMessage).arg(QStringLiteral("hall"));
    const std::pair<FurnaceInputs, QString> cases[] = {
        {one(105), room105}, {one(104.6), room105}, {one(70, 0), QString::fromUtf8(kAirDensityMessage)},
        {one(70, 1, 105), QString::fromUtf8(kFurnaceDesignTempMessage)}};
    for (const auto &[in, message] : cases) {
        const auto r = sizeFurnace(in);
        EXPECT_TRUE(r.stopped && r.capacity == 0);
        EXPECT_EQ(r.messages, QStringList{message});
    }
    auto cool = one(110);
    cool.units[0].spaces[0].E_Kore = 0; // not heated by the furnace
    EXPECT_FALSE(sizeFurnace(cool).stopped);
}
