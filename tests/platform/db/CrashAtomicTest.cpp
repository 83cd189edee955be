// A write over several table files, killed at every step of its commit,
// leaves every file before the write or every file after it.
#include "platform/db/Db.h"
#include "support/CrashShim.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <sys/wait.h>
#include <unistd.h>

using namespace pf::db;

namespace {

using namespace testsupport::crash;

// The project-number change over the tables that carry a project.
const QStringList kFiles = {QStringLiteral("Bank1.DB"), QStringLiteral("bankvh.DB"), QStringLiteral("bankfz.DB"),
                            QStringLiteral("bankjd.DB"), QStringLiteral("Tajhizat.DB")};

void makeProject(const QString &dir)
{
    Database db;
    db.setDirectory(dir);
    for (const QString &f : kFiles) {
        db.createTable({f, {{"Shproje", FieldType::Float}}, {}, true});
        db.exec(QStringLiteral("insert into %1 values (12), (12), (12)").arg(tableNameOf(f)));
    }
}

// Runs the change in a child process that dies after its n-th step.
int runChild(const QString &dir, int limit)
{
    const pid_t pid = fork();
    if (pid == 0) {
        try {
            install(limit);
            Database db;
            db.setDirectory(dir);
            db.transaction(kFiles, [&] {
                for (const QString &f : kFiles)
                    db.exec(QStringLiteral("update %1 set Shproje = 15 where Shproje = 12").arg(tableNameOf(f)));
            });
        } catch (...) {
            _exit(kFailed);
        }
        _exit(kDone);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// "before", "after", or what each file holds when they differ.
QString stateOf(const QString &dir)
{
    Database db;
    db.setDirectory(dir);
    QStringList each;
    for (const QString &f : kFiles) {
        const auto r = db.select(QStringLiteral("select min(Shproje), max(Shproje), count(*) from %1").arg(tableNameOf(f)));
        const int lo = r.rows[0][0].toInt(), hi = r.rows[0][1].toInt(), n = r.rows[0][2].toInt();
        each << (n != 3 || lo != hi ? QStringLiteral("torn") : lo == 12 ? QStringLiteral("before") : QStringLiteral("after"));
    }
    each.removeDuplicates();
    return each.join(QLatin1Char('+'));
}

} // namespace

TEST(CrashAtomicTest, AMultiFileWriteIsWholeAfterAKillAtAnyStep)
{
    Session::addPassword(QStringLiteral("38617"));
    QStringList seen;
    int limit = 1;
    for (;; ++limit) {
        ASSERT_LT(limit, 200) << "the write never finished";
        QTemporaryDir tmp;
        makeProject(tmp.path());
        const int code = runChild(tmp.path(), limit);
        ASSERT_TRUE(code == kKilled || code == kDone) << "child ended with " << code << " at step " << limit;
        const QString state = stateOf(tmp.path());
        EXPECT_TRUE(state == QLatin1String("before") || state == QLatin1String("after"))
            << "killed after step " << limit << ": " << state.toStdString();
        seen << state;
        if (code == kDone) {
            EXPECT_EQ(state, QStringLiteral("after"));
            break;
        }
    }
    // The kills fell both before and after the commit point.
    EXPECT_TRUE(seen.contains(QStringLiteral("before")) && seen.contains(QStringLiteral("after")));
}
