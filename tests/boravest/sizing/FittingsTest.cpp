#include "boravest/sizing/Fittings.h"

#include <gtest/gtest.h>

using namespace bv::sizing;

namespace {

QStringList listsWith(const char *field, const char *text)
{
    QStringList lists(FittingListCount, QString());
    lists[fittingListFields().indexOf(QString::fromLatin1(field))] = QString::fromLatin1(text);
    return lists;
}

} // namespace

TEST(Fittings, ListShapes)
{
    // Boxes per list, each followed by its comma: 353 in all.
    const QStringList lists = fittingListsFromGrid(FittingGrid{});
    const int items[FittingListCount] = {28, 28, 28, 28, 28, 28, 23, 23, 30, 23, 38, 30, 18};
    ASSERT_EQ(lists.size(), FittingListCount);
    for (int i = 0; i < FittingListCount; ++i)
        EXPECT_EQ(lists[i], QString(items[i], QLatin1Char(','))) << i;
    EXPECT_FALSE(fittingHasCell(16, 5)); // the flanged gate valve starts at 2 in
    EXPECT_EQ(fittingLength(16, 5), 0);
}

TEST(Fittings, Lengths)
{
    FittingGrid grid;
    EXPECT_EQ(fittingsLengthOfGrid(grid).length, 0);
    grid.at(13, 6) = QStringLiteral("3"); // three threaded globe valves of 2 in
    grid.at(16, 1) = QStringLiteral("9"); // no such box: ignored
    EXPECT_DOUBLE_EQ(fittingsLengthOfGrid(grid).length, 162);

    const struct { const char *field, *text; double length; } cases[] = {
        {"Z_90_K_Sir", "5,", 18},      // 5 short threaded elbows of 1/2 in
        {"Z_90_K_Sir", "5", 0},        // no comma: not counted
        {"Z_90_K_Sir", ",5,", 5 * 4.4}, // an empty item counts nothing
        {"Bosh_Mohre", "2,,1,,,,,,,,,,,,,,,,", 2 * 0.21 + 0.29},
        {"Sh_F_T_Sir", ",,,,,3,,,,,,,,,,,,,,,,,,,,,,,,,", 162}, // text past the last item ignored
    };
    for (const auto &c : cases)
        EXPECT_NEAR(fittingsLengthOfLists(listsWith(c.field, c.text)).length, c.length, 1e-9) << c.text;
}

TEST(Fittings, RoundTripThroughTheRecord)
{
    FittingGrid grid;
    grid.at(1, 1) = QStringLiteral("2");
    grid.at(2, 19) = QStringLiteral("0");
    grid.at(16, 6) = QStringLiteral("12");
    grid.at(24, 11) = QStringLiteral("1");
    grid.at(26, 9) = QStringLiteral("7");
    const QStringList lists = fittingListsFromGrid(grid);
    EXPECT_EQ(lists.last(), QStringLiteral(",,,,,,,,,,,,,,,,,7,"));
    EXPECT_EQ(fittingGridFromLists(lists), grid);
    EXPECT_EQ(fittingListsFromGrid(fittingGridFromLists(lists)), lists);
    EXPECT_DOUBLE_EQ(fittingsLengthOfLists(lists).length, fittingsLengthOfGrid(grid).length);
}

TEST(Fittings, LoadingStartsFromAnEmptyGrid)
{
    // Empty and short lists, empty items and an item without its comma leave
    // their boxes empty: nothing shown before shows through.
    QStringList lists = listsWith("Z_90_K_Sir", "5,");
    lists.last() = QStringLiteral("2,,1");
    FittingGrid expected;
    expected.at(1, 1) = QStringLiteral("5");
    expected.at(25, 1) = QStringLiteral("2");
    EXPECT_EQ(fittingGridFromLists(lists), expected);
    EXPECT_EQ(fittingGridFromLists(QStringList{}), FittingGrid{});
}

TEST(Fittings, CountThatIsNotANumber)
{
    FittingGrid grid;
    grid.at(1, 1) = QStringLiteral("1x");
    for (const FittingsLength &r : {fittingsLengthOfGrid(grid), fittingsLengthOfLists(fittingListsFromGrid(grid))}) {
        EXPECT_TRUE(r.stopped);
        EXPECT_EQ(r.length, 0);
        EXPECT_EQ(r.messages, QStringList{QStringLiteral("تعداد اتصالات وشيرها را تصحيح كنيد")});
    }
}
