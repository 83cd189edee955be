#include "boravest/equipment/ExtractFans.h"
#include "SpaceSizingSupport.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace bv::equipment;
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

ExtractFanInputs inputs(std::vector<SizingUnit> units, double fpm = 4000, double per100 = 0.1)
{
    ExtractFanInputs in;
    in.So_Kh_H_Hav = fpm;
    in.Oft_f_kan_Hav = per100;
    in.units = std::move(units);
    return in;
}

} // namespace

// 4000 FPM, 0.1 in. per 100 ft over 100 ft, 3000 cu.ft at 2 air changes and
// one fan: 100 CFM, a drop of 1.1 in., fan row 1, 4 in.
TEST(ExtractFans, WorkedCase)
{
    const auto r = sizeExtractFans(inputs({unit(0, 1, {fanned("wc", 3000, 2, 1, 100)})}));
    ASSERT_EQ(r.spaces.size(), 1u);
    const auto &s = r.spaces[0];
    EXPECT_DOUBLE_EQ(s.airVolume, 100);
    EXPECT_DOUBLE_EQ(s.ductDrop, 1.1);
    EXPECT_EQ(s.row, 1);
    EXPECT_EQ(s.wholeDiameter, 4);
    EXPECT_EQ(s.motorSpeed, QStringLiteral("1400"));
    EXPECT_EQ(s.power, QStringLiteral("32"));
}

// Each of n fans passes 1/n of the air, so its diameter is that of the
// per-fan air volume and the fans together have the area of one opening.
TEST(ExtractFans, EachFanTakesItsShareOfTheArea)
{
    const double one = fanDiameter(2000, 1000, 1);
    EXPECT_NEAR(one, 2 * std::sqrt(144 * 2000 / (3.14 * 1000)), 1e-12);
    for (int n : {2, 3, 4}) {
        EXPECT_NEAR(fanDiameter(2000, 1000, n), fanDiameter(2000.0 / n, 1000, 1), 1e-12) << n;
        EXPECT_NEAR(n * std::pow(fanDiameter(2000, 1000, n), 2), one * one, 1e-9) << n;
    }
    const auto r = sizeExtractFans(inputs({unit(0, 1, {fanned("hall", 30000, 4, 4, 0)})}, 1000));
    ASSERT_EQ(r.spaces.size(), 1u);
    EXPECT_EQ(r.spaces[0].wholeDiameter, 10); // 19.15 / 2 = 9.58; one divided by 4 would give 4
    EXPECT_EQ(r.spaces[0].row, 3);            // 500 CFM per fan
}

TEST(ExtractFans, WholeDiameterIsEvenAndAtLeastFour)
{
    const struct {
        double d;
        int whole;
    } cases[] = {{7.4, 6}, {7.6, 8}, {2.9, 4}, {8.5, 8}, {9.5, 10}, {0, 4}, {12, 12}};
    for (const auto &c : cases)
        EXPECT_EQ(wholeFanDiameter(c.d), c.whole) << c.d;
}

// Duct drops, the catalogue's strict fit, and the spaces that take part.
TEST(ExtractFans, ProjectOfSeveralSpaces)
{
    const auto r = sizeExtractFans(inputs({unit(0, 1, {fanned("a", 10800, 2, 1, 0), fanned("b", 9000, 1, 0, 50)}),
                                           unit(1, 2, {fanned("c", 21598, 2, 2, 49.6), fanned("d", 0, 3, 2, 10),
                                                       fanned("e", 43200, 1, 1, 10), fanned("f", 600, 1, 0.4, 10)})}));
    ASSERT_EQ(r.spaces.size(), 4u);
    const struct {
        const char *faza;
        double drop, perFan;
        int row;
    } expected[] = {{"a", 0, 360, 3}, {"c", 1.05, 21598 / 60.0, 2}, {"d", 1.01, 0, 0}, {"e", 1.01, 720, 0}};
    for (size_t i = 0; i < 4; ++i) {
        const auto &s = r.spaces[i];
        EXPECT_EQ(s.place.Faza, QString::fromUtf8(expected[i].faza));
        EXPECT_NEAR(s.ductDrop, expected[i].drop, 1e-12) << i;
        EXPECT_NEAR(s.airPerFan, expected[i].perFan, 1e-9) << i;
        EXPECT_EQ(s.row, expected[i].row) << i;
    }

    const auto rows = extractFanWorkRows(r);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1].NameT, QStringLiteral("اول"));
    EXPECT_EQ(rows[1].size_Rad, QStringLiteral("1.05"));
    EXPECT_EQ(rows[1].Z_ts, QStringLiteral("720")); // 719.87
    EXPECT_EQ(rows[1].hjm_Ab, QStringLiteral("1400"));
    EXPECT_EQ(rows[1].Barh, QStringLiteral("32"));
    EXPECT_TRUE(rows[3].hjm_Ab.isEmpty());
    EXPECT_TRUE(rows[3].Barh.isEmpty());

    const auto stored = extractFanStoreRows(r);
    ASSERT_EQ(stored.size(), 4u);
    EXPECT_EQ(stored[0].Coun_Hav, 3);
    EXPECT_NEAR(stored[1].CFM_Hav, 43196 / 60.0, 1e-9);
    EXPECT_DOUBLE_EQ(stored[1].K_Oft_F_Hav, 1.05);
    EXPECT_EQ(stored[3].Coun_Hav, 0);
}

TEST(ExtractFans, OutletVelocityMustBeGiven)
{
    for (double fpm : {0.0, -100.0}) {
        const auto r = sizeExtractFans(inputs({unit(0, 1, {fanned("a", 3000, 2, 1, 100)})}, fpm));
        EXPECT_TRUE(r.stopped);
        EXPECT_EQ(r.messages, QStringList{QString::fromUtf8(kOutletVelocityMessage)});
        EXPECT_TRUE(r.spaces.empty());
    }
}
