#pragma once
// The engine's own lock on a table file, taken whatever the file holds (a
// damaged file, or one that is no database at all): while a writer's lock is
// held, no connection of this or another program reads or writes the file.
// A file another program holds is told apart from every other failure by
// the engine's busy answer, not guessed.
#include <QString>

struct sqlite3_file;
struct sqlite3_vfs;

namespace pf::db {

class FileLock {
public:
    enum class Result {
        Taken,    // the lock is held (a writer's, or a reader's on a file that cannot be written)
        Held,     // another connection holds the file, and kept it for the whole wait
        NotTaken, // the file cannot be opened or locked for another reason; nothing is held
    };

    FileLock() = default;
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    // Takes the lock on `path`, waiting up to `waitMs` for a holder to let go.
    Result take(const QString &path, int waitMs);
    // Lets go of the lock and of the file.
    void release();

private:
    sqlite3_vfs *m_vfs = nullptr;
    sqlite3_file *m_file = nullptr;
    const char *m_name = nullptr; // as the engine's file system takes a name
};

} // namespace pf::db
