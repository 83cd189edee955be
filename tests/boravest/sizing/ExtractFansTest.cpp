#include "boravest/sizing/ExtractFans.h"
#include "SpaceSizingSupport.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace bv::sizing;
using spacetest::unit;

namespace {
SizingSpace fanned(const char *name, double volume, double airChanges, double fans, double ductFt)
{
    SizingSpace s;
    s.Faza = QString::fromUtf8(name);
    s.row.V_ = volume;
    s.row.Air_ = airChanges;
    s.Te_Hav = fans;
    s.To_Mo_Hav = ductFt;
    return s;
}
ExtractFanInputs inputs(std::vector<SizingSpace> spaces, double fpm = 4000)
{
    return {0.1, fpm, {unit(0, std::move(spaces))}};
}
} // namespace

// Each of n fans passes 1/n of the air: its diameter is that of the per-fan
// air volume, and the n fans together have the area of one opening.
TEST(ExtractFans, EachFanTakesItsShareOfTheArea)
{
    const double one = fanDiameter(2000, 1000, 1);
    EXPECT_NEAR(one, 2 * std::sqrt(144 * 2000 / (3.14 * 1000)), 1e-12);
    for (int n : {2, 4})
        EXPECT_NEAR(n * std::pow(fanDiameter(2000, 1000, n), 2), one * one, 1e-9) << n;
    const auto r = sizeExtractFans(inputs({fanned("hall", 30000, 4, 4, 0)}, 1000));
    EXPECT_EQ(r.spaces[0].wholeDiameter, 10); // 19.15 / 2; dividing by 4 would give 4
}

TEST(ExtractFans, WholeDiameterIsEvenAndAtLeastFour)
{
    const std::pair<double, int> cases[] = {{7.4, 6}, {7.6, 8}, {2.9, 4}, {8.5, 8}, {9.5, 10}, {0, 4}};
    for (const auto &[d, whole] : cases)
        EXPECT_EQ(wholeFanDiameter(d), whole) << d;
}

// The worked case first: 4000 FPM, 0.1 in. per 100 ft over 100 ft, 3000
// cu.ft at 2 air changes, one fan: 100 CFM, 1.1 in., row 1, 4 in.
TEST(ExtractFans, SpacesOfAProject)
{
    const auto r = sizeExtractFans(inputs({fanned("wc", 3000, 2, 1, 100), fanned("a", 10800, 2, 1, 0),
                                           fanned("b", 9000, 1, 0, 50), fanned("c", 21598, 2, 2, 49.6),
                                           fanned("d", 0, 3, 2, 10), fanned("e", 43200, 1, 1, 10),
                                           fanned("f", 600, 1, 0.4, 10)}));
    const struct {
        const char *faza;
        double cfm, drop;
        int row, diameter;
    } expected[] = {{"wc", 100, 1.1, 1, 4},      {"a", 360, 0, 3, 4}, {"c", 719.9333333, 1.05, 2, 4},
                    {"d", 0, 1.01, 0, 4}, {"e", 720, 1.01, 0, 6}};
    ASSERT_EQ(r.spaces.size(), 5u);
    for (size_t i = 0; i < 5; ++i) {
        const auto &s = r.spaces[i];
        EXPECT_EQ(s.place.Faza, QString::fromUtf8(expected[i].faza));
        EXPECT_NEAR(s.airVolume, expected[i].cfm, 1e-6) << i;
        EXPECT_NEAR(s.ductDrop, expected[i].drop, 1e-12) << i;
        EXPECT_EQ(s.row, expected[i].row) << i;
        EXPECT_EQ(s.wholeDiameter, expected[i].diameter) << i;
    }
    const auto rows = extractFanWorkRows(r);
    EXPECT_EQ((QStringList{rows[2].size_Rad, rows[2].Z_ts, rows[2].s_hararat, rows[2].hjm_Ab, rows[2].Barh}),
              (QStringList{"1.05", "720", "4", "1400", "32"}));
    EXPECT_TRUE(rows[4].hjm_Ab.isEmpty() && rows[4].Barh.isEmpty());
    const auto stored = extractFanStoreRows(r);
    EXPECT_TRUE(stored.at(0).Coun_Hav == 1 && stored[0].Gh_Hav == 4 && stored[2].K_Oft_F_Hav == 1.05);
}

TEST(ExtractFans, OutletVelocityMustBeGiven)
{
    for (double fpm : {0.0, -100.0}) {
        const auto r = sizeExtractFans(inputs({fanned("a", 3000, 2, 1, 100)}, fpm));
        EXPECT_TRUE(r.stopped && r.spaces.empty());
        EXPECT_EQ(r.messages, QStringList{QString::fromUtf8(kOutletVelocityMessage)});
    }
}
