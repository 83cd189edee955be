#include "boravest/equipment/Fittings.h"

#include <gtest/gtest.h>

using namespace bv::equipment;

namespace {

QStringList emptyLists() { return QStringList(FittingListCount, QString()); }

int listIndex(const char *field) { return int(fittingListFields().indexOf(QString::fromLatin1(field))); }

} // namespace

TEST(Fittings, ListShapes)
{
    // Boxes per list, as the record stores them: 353 in all.
    const QStringList lists = fittingListsFromGrid(FittingGrid{});
    const int items[FittingListCount] = {28, 28, 28, 28, 28, 28, 23, 23, 30, 23, 38, 30, 18};
    ASSERT_EQ(lists.size(), FittingListCount);
    int total = 0;
    for (int i = 0; i < FittingListCount; ++i) {
        EXPECT_EQ(lists[i], QString(items[i], QLatin1Char(','))) << fittingListFields()[i].toStdString();
        total += items[i];
    }
    EXPECT_EQ(total, 353);
    EXPECT_FALSE(fittingHasCell(16, 5)); // flanged gate valve starts at 2 in
    EXPECT_DOUBLE_EQ(fittingLength(16, 6), 2.6);
}

TEST(Fittings, LengthOfTheGrid)
{
    FittingGrid grid;
    EXPECT_EQ(fittingsLengthOfGrid(grid).length, 0);
    grid.at(13, 6) = QStringLiteral("3"); // three threaded globe valves of 2 in
    EXPECT_DOUBLE_EQ(fittingsLengthOfGrid(grid).length, 162);
    grid.at(16, 1) = QStringLiteral("9"); // no such box: ignored
    EXPECT_DOUBLE_EQ(fittingsLengthOfGrid(grid).length, 162);
}

TEST(Fittings, LengthOfTheStoredLists)
{
    const struct { const char *field; const char *text; double length; } cases[] = {
        {"Z_90_K_Sir", "5,", 18},                          // 5 short elbows, threaded, 1/2 in
        {"Z_90_K_Sir", "5", 0},                             // no comma: not counted
        {"Z_90_K_Sir", ",5,", 5 * 4.4},                     // empty first item
        {"Bosh_Mohre", "2,,1,,,,,,,,,,,,,,,,", 2 * 0.21 + 0.29}, // unions of 1/2 and 1 in
        {"Sh_F_T_Sir", ",,,,,3,,,,,,,,,,,,,,,,,,,,,,,,,", 162}, // leftover text ignored
    };
    for (const auto &c : cases) {
        QStringList lists = emptyLists();
        lists[listIndex(c.field)] = QString::fromLatin1(c.text);
        const FittingsLength r = fittingsLengthOfLists(lists);
        EXPECT_FALSE(r.stopped) << c.text;
        EXPECT_NEAR(r.length, c.length, 1e-9) << c.field << " " << c.text;
    }
}

TEST(Fittings, RoundTripThroughTheRecord)
{
    FittingGrid grid;
    grid.at(1, 1) = QStringLiteral("2");
    grid.at(2, 19) = QStringLiteral("0");
    grid.at(13, 6) = QStringLiteral("3");
    grid.at(16, 6) = QStringLiteral("12");
    grid.at(24, 11) = QStringLiteral("1");
    grid.at(26, 9) = QStringLiteral("7");
    const QStringList lists = fittingListsFromGrid(grid);
    EXPECT_EQ(lists[listIndex("Bosh_Mohre")], QStringLiteral(",,,,,,,,,,,,,,,,,7,"));
    EXPECT_EQ(fittingGridFromLists(lists), grid);
    EXPECT_EQ(fittingListsFromGrid(fittingGridFromLists(lists)), lists);
    EXPECT_DOUBLE_EQ(fittingsLengthOfLists(lists).length, fittingsLengthOfGrid(grid).length);
}

TEST(Fittings, LoadingStartsFromAnEmptyGrid)
{
    // Empty lists, short lists, empty items and a missing comma all leave
    // their boxes empty: nothing of an earlier project shows through.
    QStringList lists = emptyLists();
    lists[listIndex("Z_90_K_Sir")] = QStringLiteral("5,");
    lists[listIndex("Bosh_Mohre")] = QStringLiteral("2,,1");
    const FittingGrid grid = fittingGridFromLists(lists);
    FittingGrid expected;
    expected.at(1, 1) = QStringLiteral("5");
    expected.at(25, 1) = QStringLiteral("2");
    EXPECT_EQ(grid, expected);
    EXPECT_EQ(fittingGridFromLists(QStringList{}), FittingGrid{});
}

TEST(Fittings, CountThatIsNotANumber)
{
    FittingGrid grid;
    grid.at(1, 1) = QStringLiteral("1x");
    FittingsLength r = fittingsLengthOfGrid(grid);
    EXPECT_TRUE(r.stopped);
    EXPECT_EQ(r.length, 0);
    EXPECT_EQ(r.messages, QStringList{QStringLiteral("تعداد اتصالات وشيرها را تصحيح كنيد")});

    r = fittingsLengthOfLists(fittingListsFromGrid(grid));
    EXPECT_TRUE(r.stopped);
    EXPECT_EQ(r.length, 0);
}
