// A failure of the tables is told to the user in Persian, naming the table
// file and the cause: held by another program (found even when the write
// spans several files), damaged, missing. The engine's English stays in the
// detail.
#include "DbFixture.h"

#include <QFile>
#include <QRegularExpression>
#include <sqlite3.h>

#include <functional>

namespace {

// Another program's connection to one table file, holding it as `how`
// begins.
struct OtherProgram {
    sqlite3 *db = nullptr;
    OtherProgram(const QString &path, const char *how)
    {
        sqlite3_open(path.toUtf8().constData(), &db);
        sqlite3_exec(db, how, nullptr, nullptr, nullptr);
        // A reader holds its lock while it reads.
        sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    }
    ~OtherProgram()
    {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
};

// Whether the user's text holds Latin words besides the table files' names.
bool latinBesides(QString text, const QStringList &names)
{
    for (const QString &n : names)
        text.remove(n);
    return text.contains(QRegularExpression(QStringLiteral("[A-Za-z]")));
}

} // namespace

TEST_F(DbTest, AFailureNamesTheTableAndItsCauseInPersian)
{
    db.setBusyTimeout(50);
    addProject(1, QStringLiteral("a"));
    addUnit(1, 2, 3);
    addSpace(1, 2, 3, QStringLiteral("x"), 10);
    const QString dir = tmp.path() + QLatin1Char('/');
    auto writeAll = [&] {
        db.transaction({QStringLiteral("Bank1.DB"), QStringLiteral("bankvh.DB"), QStringLiteral("bankfz.DB")}, [&] {
            db.exec(QStringLiteral("update Bank1 set NAME = 'b'"));
            db.exec(QStringLiteral("update bankvh set Tabage = 4"));
            db.exec(QStringLiteral("update bankfz set A_ = 11"));
        });
    };
    struct Case {
        const char *what;
        std::function<void()> run; // holds what it needs while the operation runs
        DbFault fault;
        QStringList tables;
        const char *cause;
    };
    const Case cases[] = {
        {"a write to a file another program writes",
         [&] {
             OtherProgram other(dir + QStringLiteral("bankvh.DB"), "BEGIN EXCLUSIVE");
             db.exec(QStringLiteral("update bankvh set Tabage = 4"));
         },
         DbFault::Busy, {QStringLiteral("bankvh.DB")}, "در اختيار برنامه ديگري است"},
        {"a write over three files, one held for writing",
         [&] {
             OtherProgram other(dir + QStringLiteral("bankfz.DB"), "BEGIN IMMEDIATE");
             writeAll();
         },
         DbFault::Busy, {QStringLiteral("bankfz.DB")}, "در اختيار برنامه ديگري است"},
        {"a write over three files, one being read: the commit waits in vain",
         [&] {
             OtherProgram other(dir + QStringLiteral("Bank1.DB"), "BEGIN");
             writeAll();
         },
         DbFault::Busy, {QStringLiteral("Bank1.DB")}, "در اختيار برنامه ديگري است"},
        {"a read of a file another program is writing",
         [&] {
             db.close();
             OtherProgram other(dir + QStringLiteral("bankfz.DB"), "BEGIN EXCLUSIVE");
             db.select(QStringLiteral("select * from bankfz"));
         },
         DbFault::Busy, {QStringLiteral("bankfz.DB")}, "در اختيار برنامه ديگري است"},
        {"a file that is gone",
         [&] {
             db.close();
             QFile::remove(dir + QStringLiteral("bankfz.DB"));
             db.select(QStringLiteral("select * from bankfz"));
         },
         DbFault::Missing, {QStringLiteral("bankfz.DB")}, "پيدا نشد"},
        {"a file that is not a table",
         [&] {
             db.close();
             QFile f(dir + QStringLiteral("bankvh.DB"));
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
             f.write(QByteArray(4096, 'x'));
             f.close();
             Table t;
             t.setDatabase(&db);
             t.setTableName(QStringLiteral("bankvh.DB"));
             t.open();
         },
         DbFault::Damaged, {QStringLiteral("bankvh.DB")}, "آسيب ديده است"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        try {
            c.run();
            ADD_FAILURE() << "no failure";
        } catch (const DbError &e) {
            EXPECT_EQ(e.fault(), c.fault) << e.detail().toStdString();
            EXPECT_EQ(e.tables().join(u',').toStdString(), c.tables.join(u',').toStdString());
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.cause))) << e.message().toStdString();
            for (const QString &t : c.tables)
                EXPECT_TRUE(e.message().contains(t));
            EXPECT_FALSE(latinBesides(e.message(), c.tables)) << e.message().toStdString();
        }
        // Nothing of a refused write was kept, and the database works on.
        EXPECT_FALSE(db.inTransaction());
    }
    db.open();
    EXPECT_EQ(db.select(QStringLiteral("select NAME from Bank1")).rows[0][0].toString(), QStringLiteral("a"));
}

TEST_F(DbTest, ALongStatementCallsTheProgressHandlerWhichCannotUseTheDatabase)
{
    int calls = 0;
    bool refused = false;
    db.setProgressHandler([&] {
        ++calls;
        try {
            db.select(QStringLiteral("select count(*) from Bank1"));
        } catch (const DbError &) {
            refused = true;
        }
    });
    db.exec(QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < 20000) "
                           "insert into bankvh (Shproje, Tabage, Shvahed) select 1, i, 1 from n"));
    EXPECT_GT(calls, 0);
    EXPECT_TRUE(refused);
    db.setProgressHandler({});
    calls = 0;
    db.exec(QStringLiteral("delete from bankvh"));
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(db.select(QStringLiteral("select count(*) from bankvh")).rows[0][0].toInt(), 0);
}

TEST_F(DbTest, TheEnginesLockOnAFileIsTakenWhateverItHoldsAndOnlyAHolderRefusesIt)
{
    addProject(1, QStringLiteral("a"));
    const QString sound = tmp.filePath(QStringLiteral("Bank1.DB"));
    const QString zeros = tmp.filePath(QStringLiteral("zeros.DB"));
    const QString text = tmp.filePath(QStringLiteral("text.DB"));
    for (const auto &[path, bytes] : {std::pair{zeros, QByteArray(8192, '\0')}, std::pair{text, QByteArray("no table")}}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }
    using R = pf::db::FileLock::Result;
    const struct {
        QString path;
        const char *how; // another program's hold while the lock is taken, if any
        R result;
    } cases[] = {
        {sound, nullptr, R::Taken},
        {zeros, nullptr, R::Taken},
        {text, nullptr, R::Taken},
        {tmp.filePath(QStringLiteral("none.DB")), nullptr, R::NotTaken},
        {sound, "BEGIN EXCLUSIVE", R::Held},
        {sound, "BEGIN", R::Held}, // a reader in the middle of its read
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path.toStdString() + " " + (c.how ? c.how : ""));
        std::unique_ptr<OtherProgram> other;
        if (c.how)
            other = std::make_unique<OtherProgram>(c.path, c.how);
        pf::db::FileLock lock;
        EXPECT_EQ(lock.take(c.path, 50), c.result);
        if (c.result != R::Taken)
            continue;
        // While it is held, no other connection reads the file; once it is
        // let go, one does.
        sqlite3 *reader = nullptr;
        sqlite3_open(c.path.toUtf8().constData(), &reader);
        EXPECT_EQ(sqlite3_exec(reader, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr), SQLITE_BUSY);
        lock.release();
        EXPECT_NE(sqlite3_exec(reader, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr), SQLITE_BUSY);
        sqlite3_close(reader);
    }
    EXPECT_FALSE(QFile::exists(tmp.filePath(QStringLiteral("none.DB"))));
}
