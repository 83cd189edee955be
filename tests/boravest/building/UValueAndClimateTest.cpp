#include "boravest/building/SiteClimate.h"
#include "boravest/building/UValue.h"

#include <gtest/gtest.h>

using namespace building;

namespace {
std::array<double, kMaterialCount> layers(std::initializer_list<std::pair<int, double>> items)
{
    std::array<double, kMaterialCount> t{};
    for (auto [material, inches] : items)
        t[material - 1] = inches;
    return t;
}
} // namespace

TEST(UValueTest, LayersPlusFilmsRoundedToThreeDecimals)
{
    // 8 in common brick + 1 in gypsum plaster, external wall:
    // S = 1.6 + 0.28, R = 2.73, U = 1.1 / 2.73 = 0.40293 -> 0.403.
    EXPECT_DOUBLE_EQ(CalcZaribHedayat(layers({{1, 8}, {5, 1}}), UKindExternalWall), 0.403);
    // 4 in heavy concrete, floor off the ground: R = 0.8 + 1.4, U = 0.5.
    EXPECT_DOUBLE_EQ(CalcZaribHedayat(layers({{8, 4}}), UKindFloorOffGround), 0.5);
    // An unknown kind has no film: 1.1 / 1.6 = 0.6875, a tie going to 0.688.
    EXPECT_DOUBLE_EQ(CalcZaribHedayat(layers({{1, 8}}), 0), 0.688);
    // The last materials of the list count too: 100 in iron + 1 in particle board, internal wall.
    EXPECT_DOUBLE_EQ(CalcZaribHedayat(layers({{27, 100}, {28, 1}}), UKindInternalWall),
                     0.47); // 1.1 / (0.3 + 0.68 + 1.36) = 0.47009
}

TEST(UValueTest, NoLayerGivesZeroWhateverTheKind)
{
    for (int kind = 0; kind <= 6; ++kind)
        EXPECT_DOUBLE_EQ(CalcZaribHedayat(std::array<double, kMaterialCount>{}, kind), 0) << kind;
    // Thicknesses of 0 or below are not layers.
    EXPECT_DOUBLE_EQ(CalcZaribHedayat(layers({{1, -3}, {2, 0}}), UKindExternalWall), 0);
}

TEST(UValueTest, FilmResistanceByKind)
{
    EXPECT_DOUBLE_EQ(filmResistance(1), 0.85);
    EXPECT_DOUBLE_EQ(filmResistance(2), 1.36);
    EXPECT_DOUBLE_EQ(filmResistance(3), 0.78);
    EXPECT_DOUBLE_EQ(filmResistance(4), 1.22);
    EXPECT_DOUBLE_EQ(filmResistance(5), 1.40);
    EXPECT_DOUBLE_EQ(filmResistance(6), 0);
    EXPECT_DOUBLE_EQ(materialResistancePerInch(17), 2.5);
    EXPECT_DOUBLE_EQ(materialResistancePerInch(26), 0.002);
    EXPECT_DOUBLE_EQ(materialResistancePerInch(0), 0);
    EXPECT_DOUBLE_EQ(materialResistancePerInch(29), 0);
}

TEST(UValueTest, InputTextsReadWithLeadingZero)
{
    std::array<QString, kMaterialCount> texts;
    texts[0] = QStringLiteral("8");
    texts[4] = QStringLiteral("1");
    double u = -1;
    ASSERT_TRUE(CalcZaribHedayat(texts, UKindExternalWall, &u));
    EXPECT_DOUBLE_EQ(u, 0.403);

    double t = -1;
    EXPECT_TRUE(thicknessFromText(QString(), &t));
    EXPECT_DOUBLE_EQ(t, 0);
    EXPECT_TRUE(thicknessFromText(QStringLiteral(".5"), &t));
    EXPECT_DOUBLE_EQ(t, 0.5);

    texts[7] = QStringLiteral("1.2.3");
    u = -1;
    EXPECT_FALSE(CalcZaribHedayat(texts, UKindExternalWall, &u));
    EXPECT_DOUBLE_EQ(u, -1);
}

TEST(SiteClimateTest, AirDensityRatioByAltitudeAndTemperature)
{
    EXPECT_DOUBLE_EQ(Chegali(0, 55), 1.01);
    EXPECT_DOUBLE_EQ(Chegali(2000, 12), 1.07);
    EXPECT_DOUBLE_EQ(Chegali(1500, 12), 1.065);
    EXPECT_DOUBLE_EQ(Chegali(10000, 12), Chegali(9000, 12));
    EXPECT_DOUBLE_EQ(Chegali(9000, 12), 0.80);
    EXPECT_DOUBLE_EQ(Chegali(9000, 60), 0.75);
    EXPECT_DOUBLE_EQ(Chegali(2000, 31), 1.02);
    EXPECT_DOUBLE_EQ(Chegali(1500, 31), 1.02);
    EXPECT_DOUBLE_EQ(Chegali(-300, -10), 1.10);
    EXPECT_DOUBLE_EQ(Chegali(3000, 50), 0.93);
    EXPECT_DOUBLE_EQ(Chegali(8500, 0), 0.825);
}

TEST(SiteClimateTest, GroundTemperatureOnOneLine)
{
    EXPECT_DOUBLE_EQ(Damaz(-40), 35);
    EXPECT_DOUBLE_EQ(Damaz(30), 70);
    EXPECT_DOUBLE_EQ(Damaz(5), 57.5);
    EXPECT_DOUBLE_EQ(Damaz(-30), 40);
    EXPECT_DOUBLE_EQ(Damaz(20), 65);
    for (double t = -60; t <= 60; t += 2.5)
        EXPECT_NEAR(Damaz(t), 55 + t / 2, 1e-12) << t;
}
