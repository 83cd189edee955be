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

int shimClose(sqlite3_file *f) { return real(f)->pMethods->xClose(real(f)); }
int shimRead(sqlite3_file *f, void *b, int n, sqlite3_int64 o) { return real(f)->pMethods->xRead(real(f), b, n, o); }
int shimWrite(sqlite3_file *f, const void *b, int n, sqlite3_int64 o) { return real(f)->pMethods->xWrite(real(f), b, n, o); }
int shimTruncate(sqlite3_file *f, sqlite3_int64 s) { return real(f)->pMethods->xTruncate(real(f), s); }
int shimSync(sqlite3_file *f, int flags)
{
    const int rc = real(f)->pMethods->xSync(real(f), flags);
    step();
    return rc;
}
int shimFileSize(sqlite3_file *f, sqlite3_int64 *s) { return real(f)->pMethods->xFileSize(real(f), s); }
int shimLock(sqlite3_file *f, int l) { return real(f)->pMethods->xLock(real(f), l); }
int shimUnlock(sqlite3_file *f, int l) { return real(f)->pMethods->xUnlock(real(f), l); }
int shimCheck(sqlite3_file *f, int *out) { return real(f)->pMethods->xCheckReservedLock(real(f), out); }
int shimControl(sqlite3_file *f, int op, void *arg) { return real(f)->pMethods->xFileControl(real(f), op, arg); }
int shimSector(sqlite3_file *f) { return real(f)->pMethods->xSectorSize(real(f)); }
int shimCaps(sqlite3_file *f) { return real(f)->pMethods->xDeviceCharacteristics(real(f)); }

// Version 1 only: no shared memory (never needed without WAL), no mapping.
const sqlite3_io_methods kShimIo = {1,         shimClose, shimRead,    shimWrite,   shimTruncate, shimSync,
                                    shimFileSize, shimLock,  shimUnlock, shimCheck,  shimControl,  shimSector,
                                    shimCaps,  nullptr,   nullptr,     nullptr,     nullptr,      nullptr,
                                    nullptr};

int shimOpen(sqlite3_vfs *, sqlite3_filename name, sqlite3_file *f, int flags, int *outFlags)
{
    auto *sf = reinterpret_cast<ShimFile *>(f);
    sf->real = reinterpret_cast<sqlite3_file *>(sf + 1);
    sf->base.pMethods = nullptr;
    const int rc = g_real->xOpen(g_real, name, sf->real, flags, outFlags);
    if (sf->real->pMethods)
        sf->base.pMethods = &kShimIo;
    return rc;
}

int shimDelete(sqlite3_vfs *, const char *name, int syncDir)
{
    const int rc = g_real->xDelete(g_real, name, syncDir);
    step();
    return rc;
}

int shimAccess(sqlite3_vfs *, const char *n, int f, int *out) { return g_real->xAccess(g_real, n, f, out); }
int shimFullPath(sqlite3_vfs *, const char *n, int size, char *out) { return g_real->xFullPathname(g_real, n, size, out); }
int shimRandom(sqlite3_vfs *, int n, char *out) { return g_real->xRandomness(g_real, n, out); }
int shimSleep(sqlite3_vfs *, int us) { return g_real->xSleep(g_real, us); }
int shimTime(sqlite3_vfs *, double *t) { return g_real->xCurrentTime(g_real, t); }
int shimError(sqlite3_vfs *, int n, char *out) { return g_real->xGetLastError(g_real, n, out); }

void installShim(int limit)
{
    g_real = sqlite3_vfs_find(nullptr);
    g_shim = sqlite3_vfs{};
    g_shim.iVersion = 1;
    g_shim.szOsFile = int(sizeof(ShimFile)) + g_real->szOsFile;
    g_shim.mxPathname = g_real->mxPathname;
    g_shim.zName = "crashshim";
    g_shim.xOpen = shimOpen;
    g_shim.xDelete = shimDelete;
    g_shim.xAccess = shimAccess;
    g_shim.xFullPathname = shimFullPath;
    g_shim.xRandomness = shimRandom;
    g_shim.xSleep = shimSleep;
    g_shim.xCurrentTime = shimTime;
    g_shim.xGetLastError = shimError;
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
        db.createTable({f, {{"Shproje", FieldType::Float}, {"Note", FieldType::String, 40}}, {}, true});
        for (int i = 0; i < 3; ++i)
            db.exec(QStringLiteral("insert into %1 values (12, ?)").arg(tableNameOf(f)), {QString(30, QLatin1Char('x'))});
    }
}

void renumber(Database &db)
{
    db.transaction(kFiles, [&] {
        for (const QString &f : kFiles)
            db.exec(QStringLiteral("update %1 set Shproje = 15 where Shproje = 12").arg(tableNameOf(f)));
    });
}

// Runs the change in a child process that dies after its n-th step.
int runChild(const QString &dir, int limit)
{
    const pid_t pid = fork();
    if (pid == 0) {
        int code = kDone;
        try {
            installShim(limit);
            Database db;
            db.setDirectory(dir);
            renumber(db);
        } catch (...) {
            code = kFailed;
        }
        _exit(code);
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
    EXPECT_TRUE(seen.contains(QStringLiteral("before")));
    EXPECT_TRUE(seen.contains(QStringLiteral("after")));
    EXPECT_GT(limit, int(kFiles.size()));
}
