#include "support/CrashShim.h"

#include <sqlite3.h>
#include <unistd.h>

namespace testsupport::crash {

namespace {

sqlite3_vfs *g_real = nullptr;
sqlite3_vfs g_shim;
int g_limit = 0;
int g_steps = 0;

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

} // namespace

void step()
{
    if (++g_steps == g_limit)
        _exit(kKilled);
}

void install(int limit)
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

} // namespace testsupport::crash
