#include "platform/db/FileLock.h"

#include <QElapsedTimer>

#include <sqlite3.h>

#include <cstring>

namespace pf::db {

FileLock::~FileLock() { release(); }

void FileLock::release()
{
    if (m_file) {
        if (m_file->pMethods) {
            m_file->pMethods->xUnlock(m_file, SQLITE_LOCK_NONE);
            m_file->pMethods->xClose(m_file);
        }
        sqlite3_free(m_file);
        m_file = nullptr;
    }
    sqlite3_free_filename(m_name);
    m_name = nullptr;
}

FileLock::Result FileLock::take(const QString &path, int waitMs)
{
    release();
    m_vfs = sqlite3_vfs_find(nullptr);
    if (!m_vfs)
        return Result::NotTaken;
    m_name = sqlite3_create_filename(path.toUtf8().constData(), "", "", 0, nullptr);
    m_file = static_cast<sqlite3_file *>(sqlite3_malloc(m_vfs->szOsFile));
    if (!m_name || !m_file) {
        release();
        return Result::NotTaken;
    }
    std::memset(m_file, 0, size_t(m_vfs->szOsFile));
    // Opened as the engine opens a table file; read-only when it cannot be
    // written.
    int outFlags = 0;
    if (m_vfs->xOpen(m_vfs, m_name, m_file, SQLITE_OPEN_MAIN_DB | SQLITE_OPEN_READWRITE, &outFlags) != SQLITE_OK ||
        !m_file->pMethods) {
        release();
        return Result::NotTaken;
    }
    // A reader's lock first, then a writer's, as the engine takes them; a
    // busy answer is tried again until the wait is over.
    QElapsedTimer waited;
    waited.start();
    int level = SQLITE_LOCK_SHARED;
    for (;;) {
        const int rc = m_file->pMethods->xLock(m_file, level);
        if (rc == SQLITE_OK) {
            if (level == SQLITE_LOCK_EXCLUSIVE)
                return Result::Taken;
            level = SQLITE_LOCK_EXCLUSIVE;
            continue;
        }
        if ((rc & 0xff) != SQLITE_BUSY) {
            if (level == SQLITE_LOCK_EXCLUSIVE)
                return Result::Taken; // read-only: the reader's lock keeps writers out
            release();
            return Result::NotTaken;
        }
        if (waited.elapsed() >= waitMs) {
            release();
            return Result::Held;
        }
        m_vfs->xSleep(m_vfs, 20000);
    }
}

} // namespace pf::db
