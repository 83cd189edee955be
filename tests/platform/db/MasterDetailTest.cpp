// What a master/detail chain reads from the table files.
#include "DbFixture.h"

namespace {

class DbChainTest : public DbTest {
protected:
    std::unique_ptr<Chain> chain;
    Table *projects = nullptr, *units = nullptr, *spaces = nullptr;

    void SetUp() override
    {
        DbTest::SetUp();
        for (double p : {1, 2, 3}) {
            addProject(p, QStringLiteral("p"));
            for (double t : {0, 1}) {
                addUnit(p, t, 1);
                for (const char *f : {"a", "b", "c"})
                    addSpace(p, t, 1, QString::fromLatin1(f), 10);
            }
        }
        chain = std::make_unique<Chain>(db);
        projects = &chain->projects, units = &chain->units, spaces = &chain->spaces;
        for (Table *t : {projects, units, spaces})
            t->open();
    }
};

} // namespace

TEST_F(DbChainTest, MovesReadOnlyTheRowsTheyShow)
{
    struct Case {
        const char *what;
        std::function<void()> move;
        quint64 rows;
    };
    const std::vector<Case> cases = {
        {"first on the first record reloads nothing", [&] { projects->first(); }, 0},
        {"the next project: its two units and the first unit's three spaces", [&] { projects->next(); }, 5},
        {"the next unit: its three spaces", [&] { units->next(); }, 3},
        {"back to the first unit: its three spaces", [&] { units->first(); }, 3},
        {"closing the master, then the details", [&] {
             projects->close();
             units->close();
             spaces->close();
         }, 0},
    };
    for (const Case &c : cases) {
        db.resetRowsRead();
        c.move();
        EXPECT_EQ(db.rowsRead(), c.rows) << c.what;
    }
}

TEST_F(DbChainTest, DetailsFollowWritesEvenWhenTheKeysStay)
{
    db.exec(QStringLiteral("update bankfz set Faza = 'z' where Shproje = 1 and Tabage = 0"));
    units->first();
    EXPECT_EQ(spaces->fieldByName(QStringLiteral("Faza")).asString(), QStringLiteral("z"));
}

TEST_F(DbChainTest, LookedUpValuesAreKeptWhileTheTableIsUnchanged)
{
    Query q;
    q.setDatabase(&db);
    q.setSql(QStringLiteral("select * from bankvh"));
    q.addLookupField(QStringLiteral("Name"), FieldType::String, 10, QStringLiteral("Shproje"), projects,
                     QStringLiteral("SHPROJE"), QStringLiteral("NAME"));
    q.open();
    db.resetRowsRead();
    q.refresh();
    EXPECT_EQ(db.rowsRead(), 6u); // its own rows only
    db.exec(QStringLiteral("update Bank1 set NAME = 'q' where SHPROJE = 1"));
    q.refresh();
    EXPECT_EQ(q.fieldByName(QStringLiteral("Name")).asString(), QStringLiteral("q"));
}

// A detail reading ahead shows what one reading its own rows shows, for
// every record of its master, and reads the rows of a floor once.
TEST_F(DbChainTest, ReadingAheadShowsTheSameRowsAndReadsEachFloorOnce)
{
    // Rows the read ahead must place right: a space entered out of order,
    // one whose unit is stored as a text, one of a unit that has no row.
    addSpace(1, 0, 1, QStringLiteral("late"), 5);
    db.exec(QStringLiteral("insert into bankfz (Shproje, Tabage, Shvahed, Faza) values (1, 'one', 1, 'text')"));
    addSpace(1, 7, 1, QStringLiteral("orphan"), 1);
    Chain plain(db);
    for (Table *t : {&plain.projects, &plain.units, &plain.spaces})
        t->open();
    spaces->setReadAhead(true);
    auto shown = [](Table &t) {
        QStringList names;
        for (t.first(); !t.eof(); t.next())
            names << t.fieldByName(QStringLiteral("Faza")).asString();
        return names;
    };
    for (projects->first(), plain.projects.first(); !projects->eof(); projects->next(), plain.projects.next())
        for (units->first(), plain.units.first(); !units->eof(); units->next(), plain.units.next())
            EXPECT_EQ(shown(*spaces), shown(plain.spaces))
                << projects->fieldByName(QStringLiteral("SHPROJE")).asFloat() << " floor "
                << units->fieldByName(QStringLiteral("Tabage")).asFloat();

    // A write is seen at once; closing lets the rows go.
    db.exec(QStringLiteral("update bankfz set Faza = 'z' where Shproje = 3 and Tabage = 1"));
    plain.units.refresh();
    units->refresh();
    EXPECT_EQ(shown(*spaces), shown(plain.spaces));
    // Two units of one floor: the second takes its rows from the first's read.
    addUnit(1, 0, 2);
    addSpace(1, 0, 2, QStringLiteral("next door"), 3);
    spaces->close();
    projects->first();
    units->refresh();
    units->first();
    db.resetRowsRead();
    spaces->open();
    EXPECT_EQ(db.rowsRead(), 5u); // every space of floor 0 of the first project
    units->next();
    EXPECT_EQ(db.rowsRead(), 5u);
    EXPECT_EQ(shown(*spaces), QStringList{QStringLiteral("next door")});
}
