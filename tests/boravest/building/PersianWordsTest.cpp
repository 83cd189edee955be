#include "boravest/building/PersianWords.h"

#include <gtest/gtest.h>

using namespace building;

TEST(PersianWordsTest, ConvertTabageWordsUpToFiftyDigitsBeyond)
{
    EXPECT_EQ(ConvertTabage(0), QStringLiteral("همكف"));
    EXPECT_EQ(ConvertTabage(1), QStringLiteral("يك"));
    EXPECT_EQ(ConvertTabage(6), QStringLiteral("شش"));
    EXPECT_EQ(ConvertTabage(21), QStringLiteral("بيستويك"));
    EXPECT_EQ(ConvertTabage(39), QStringLiteral("سيونه"));
    EXPECT_EQ(ConvertTabage(50), QStringLiteral("پنجاه"));
    EXPECT_EQ(ConvertTabage(51), QStringLiteral("51"));
    EXPECT_EQ(ConvertTabage(60), QStringLiteral("60"));
    EXPECT_EQ(ConvertTabage(-1), QStringLiteral("-1"));
}

TEST(PersianWordsTest, MasalehListsNonEmptyLayers)
{
    std::array<QString, kMaterialCount> t;
    EXPECT_TRUE(Masaleh(t).isEmpty());
    t[1] = QStringLiteral("4");
    t[4] = QStringLiteral("0.5");
    EXPECT_EQ(Masaleh(t), QStringLiteral("آجرنما4اينچ,اندودگچ0.5اينچ,"));
    // A thickness written 0 is listed; the joist-and-block name keeps its blank.
    std::array<QString, kMaterialCount> u;
    u[0] = QStringLiteral("0");
    u[23] = QStringLiteral("1");
    EXPECT_EQ(Masaleh(u), QStringLiteral("آجرمعمولي0اينچ,تيرچهبلوك20 1اينچ,"));
}

TEST(PersianWordsTest, SignAfterDigits)
{
    EXPECT_EQ(signAfter(-5), QStringLiteral("5-"));
    EXPECT_EQ(signAfter(-0.25), QStringLiteral("0.25-"));
    EXPECT_EQ(signAfter(12.5), QStringLiteral("12.5"));
    EXPECT_EQ(signAfter(0), QStringLiteral("0"));
    EXPECT_EQ(signAfter(-0.0), QStringLiteral("0"));
}
