// A write over several table files, killed at every step of its commit,
// leaves every file before the write or every file after it.
#include "platform/db/Db.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <sys/wait.h>
#include <unistd.h>

using namespace pf::db;

namespace {

// A file system that ends the process right after its n-th sync or
// delete, as a crash or a power cut at that moment would.
sqlite3_vfs *g_real = nullptr;
sqlite3_vfs g_shim;
int g_limit = 0;
int g_steps = 0;
constexpr int kKilled = 41;
constexpr int kDone = 42;
constexpr int kFailed = 43;

void step()
{
    if (++g_steps == g_limit)
        _exit(kKilled);
}

struct ShimFile {
    sqlite3_file base;
    sqlite3_file *real;
};
sqlite3_file *real(sqlite3_file *f) { return reinterpret_cast<ShimFile *>(f)->real; }

#define FILE_FWD(x) [](sqlite3_file *f, auto... a) { return real(f)->pMethods->x(real(f), a...); }
#define VFS_FWD(x) [](sqlite3_vfs *, auto... a) { return g_real->x(g_real, a...); }

// Version 1: no shared memory (never used without WAL), no mapping.
const sqlite3_io_methods kShimIo = {
    1, FILE_FWD(xClose), FILE_FWD(xRead), FILE_FWD(xWrite), FILE_FWD(xTruncate),
    [](sqlite3_file *f, int flags) {
        const int rc = real(f)->pMethods->xSync(real(f), flags);
        step();
        return rc;
    },
    FILE_FWD(xFileSize), FILE_FWD(xLock), FILE_FWD(xUnlock), FILE_FWD(xCheckReservedLock), FILE_FWD(xFileControl),
    FILE_FWD(xSectorSize), FILE_FWD(xDeviceCharacteristics), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};

void installShim(int limit)
{
    g_real = sqlite3_vfs_find(nullptr);
    g_shim = sqlite3_vfs{1, int(sizeof(ShimFile)) + g_real->szOsFile, g_real->mxPathname, nullptr, "crashshim", nullptr,
                         [](sqlite3_vfs *, sqlite3_filename name, sqlite3_file *f, int flags, int *outFlags) {
                             auto *sf = reinterpret_cast<ShimFile *>(f);
                             sf->real = reinterpret_cast<sqlite3_file *>(sf + 1);
                             const int rc = g_real->xOpen(g_real, name, sf->real, flags, outFlags);
                             sf->base.pMethods = sf->real->pMethods ? &kShimIo : nullptr;
                             return rc;
                         },
                         [](sqlite3_vfs *, const char *name, int syncDir) {
                             const int rc = g_real->xDelete(g_real, name, syncDir);
                             step();
                             return rc;
                         },
                         VFS_FWD(xAccess), VFS_FWD(xFullPathname), nullptr, nullptr, nullptr, nullptr,
                         VFS_FWD(xRandomness), VFS_FWD(xSleep), VFS_FWD(xCurrentTime), VFS_FWD(xGetLastError),
                         nullptr, nullptr, nullptr, nullptr};
    g_limit = limit;
    g_steps = 0;
    sqlite3_vfs_register(&g_shim, 1);
}

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
            installShim(limit);
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
