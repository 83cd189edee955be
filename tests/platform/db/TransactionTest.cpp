// Nested transactions and the attach limit.
#include "DbFixture.h"

#include <sqlite3.h>

namespace {

QVector<double> units(Database &db)
{
    QVector<double> out;
    for (const auto &r : db.select(QStringLiteral("select Tabage from bankvh order by Tabage")).rows)
        out << r[0].toDouble();
    return out;
}

} // namespace

TEST_F(DbTest, EachLevelOfANestedTransactionStandsOrFallsAlone)
{
    struct Case {
        const char *what;
        std::function<void(Database &)> run;
        QVector<double> stored;
    };
    auto add = [](Database &d, double t) { d.exec(QStringLiteral("insert into bankvh (Tabage) values (?)"), {t}); };
    const std::vector<Case> cases = {
        {"an inner level that fails and is caught is not committed with the outer",
         [&](Database &d) {
             d.transaction([&] {
                 add(d, 1);
                 try {
                     d.transaction([&] {
                         add(d, 2);
                         throw DbError(QStringLiteral("refused"));
                     });
                 } catch (const DbError &) {
                 }
                 add(d, 3);
             });
         },
         {1, 3}},
        {"a rollback undoes its own level and the outer goes on as one transaction",
         [&](Database &d) {
             d.startTransaction();
             add(d, 1);
             d.startTransaction();
             add(d, 2);
             d.rollback();
             EXPECT_TRUE(d.inTransaction());
             add(d, 3);
             d.rollback();
         },
         {}},
        {"inner levels commit with the outer",
         [&](Database &d) {
             d.transaction([&] {
                 d.transaction([&] { add(d, 1); });
                 d.transaction([&] { d.transaction([&] { add(d, 2); }); });
             });
         },
         {1, 2}},
    };
    for (const Case &c : cases) {
        db.exec(QStringLiteral("delete from bankvh"));
        c.run(db);
        EXPECT_FALSE(db.inTransaction()) << c.what;
        EXPECT_EQ(units(db), c.stored) << c.what;
    }
}

TEST_F(DbTest, AFailedCommitLeavesDatasetsShowingWhatIsStored)
{
    addUnit(1, 5, 1);
    Table t;
    t.setDatabase(&db);
    t.setTableName(QStringLiteral("bankvh.DB"));
    t.open();
    // Another program reads the file, so the commit cannot write it.
    sqlite3 *other = nullptr;
    ASSERT_EQ(sqlite3_open(tmp.filePath(QStringLiteral("bankvh.DB")).toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN; SELECT count(*) FROM bankvh", nullptr, nullptr, nullptr), SQLITE_OK);
    db.setBusyTimeout(50);
    EXPECT_THROW(db.transaction([&] {
        t.edit();
        t.fieldByName(QStringLiteral("Tabage")).setAsFloat(8);
        t.post();
        EXPECT_EQ(t.fieldByName(QStringLiteral("Tabage")).asFloat(), 8);
    }),
                 DbError);
    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_FALSE(db.inTransaction());
    EXPECT_EQ(t.fieldByName(QStringLiteral("Tabage")).asFloat(), 5);
    EXPECT_EQ(units(db), QVector<double>{5});
}

TEST_F(DbTest, AWriteOverNineFilesSucceedsWithEveryTableAttached)
{
    // Twelve files, names with digits and mixed case, all held by open
    // datasets.
    QStringList files;
    std::vector<std::unique_ptr<Table>> open;
    for (int i = 0; i < 12; ++i) {
        files << QStringLiteral("Tab%1Le%2.DB").arg(i).arg(i % 3 ? QLatin1Char('x') : QLatin1Char('Y'));
        db.createTable({files.last(), {{"Shproje", FieldType::Float}}, {}, true});
        db.exec(QStringLiteral("insert into %1 values (12)").arg(tableNameOf(files.last())));
        open.push_back(std::make_unique<Table>());
        open.back()->setDatabase(&db);
        open.back()->setTableName(files.last());
        open.back()->open();
    }
    auto renumber = [&](int from, int to, int first, int count) {
        for (int i = first; i < first + count; ++i)
            db.exec(QStringLiteral("update %1 set Shproje = ? where Shproje = ?").arg(tableNameOf(files[i])), {to, from});
    };
    // The files named up front, or found from the statements.
    db.transaction(files.mid(3, 9), [&] { renumber(12, 15, 3, 9); });
    db.transaction([&] { renumber(15, 16, 3, 9); });
    db.transaction([&] { db.transaction(files.mid(0, 9), [&] { renumber(12, 17, 0, 9); }); });
    // More than one transaction can hold is refused whole.
    EXPECT_THROW(db.transaction([&] { renumber(17, 1, 0, 12); }), DbError);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(db.select(QStringLiteral("select Shproje from %1").arg(tableNameOf(files[i]))).rows[0][0].toInt(),
                  i < 3 ? 17 : 16)
            << files[i].toStdString();
}

// A walk in a read scope holds its read lock from its first read to its end:
// another program cannot write the file meanwhile, and can once the scope
// ends. Writes of the walk's own database end the read first and are stored
// at once, inside a transaction or not.
TEST_F(DbTest, AWalkReadsUnderOneLockAndLetsItsOwnWritesThrough)
{
    addProject(1, QStringLiteral("a"));
    addUnit(1, 0, 1);
    sqlite3 *other = nullptr;
    ASSERT_EQ(sqlite3_open(tmp.filePath(QStringLiteral("bankvh.DB")).toUtf8().constData(), &other), SQLITE_OK);
    sqlite3_busy_timeout(other, 0);
    auto otherWrites = [&] {
        return sqlite3_exec(other, "UPDATE bankvh SET Shvahed = Shvahed", nullptr, nullptr, nullptr) == SQLITE_OK;
    };
    auto otherCount = [&] {
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(other, "SELECT count(*) FROM bankvh", -1, &st, nullptr);
        const int n = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int(st, 0) : -1;
        sqlite3_finalize(st);
        return n;
    };
    {
        const ReadScope walk(&db);
        EXPECT_FALSE(db.inReadTransaction()); // nothing read yet
        EXPECT_TRUE(otherWrites());
        db.select(QStringLiteral("SELECT * FROM bankvh"));
        EXPECT_TRUE(db.inReadTransaction());
        db.select(QStringLiteral("SELECT * FROM bankvh WHERE Tabage = 0"));
        EXPECT_FALSE(otherWrites());

        addUnit(1, 0, 2); // a write of its own: stored at once
        EXPECT_FALSE(db.inReadTransaction());
        EXPECT_EQ(otherCount(), 2);
        db.select(QStringLiteral("SELECT * FROM bankvh"));
        db.transaction([&] { addUnit(1, 0, 3); });
        EXPECT_EQ(otherCount(), 3);
        db.transaction([&] { db.select(QStringLiteral("SELECT * FROM bankvh")); });
        EXPECT_FALSE(db.inReadTransaction());
    }
    EXPECT_TRUE(otherWrites());
    {
        const ReadScope walk(&db);
        db.select(QStringLiteral("SELECT * FROM bankvh"));
        EXPECT_FALSE(otherWrites());
    }
    EXPECT_FALSE(db.inReadTransaction());
    EXPECT_TRUE(otherWrites());
    sqlite3_close(other);
}
