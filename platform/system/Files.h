#pragma once
// File services: copying, finding and listing files of a folder, making
// folders, and folders held open for the changes made in them. File names are matched case-insensitively, as the program's
// data files were named in mixed case over the years ("Bank1.DB",
// "bank1.db").
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace pf::sys {

// Copies `from` to `to`. With failIfExists an existing target is left alone
// and the copy fails; otherwise it is replaced. The target is written under
// a temporary name and put in place only when complete, so a failed copy
// never leaves a damaged target behind. On failure returns false and, when
// asked, sets *errorCode to the system's error number.
bool copyFile(const QString &from, const QString &to, bool failIfExists, int *errorCode = nullptr);

// Full path of the file `name` in `folder`, matched case-insensitively (an
// exact match wins); empty when there is none.
QString findFile(const QString &folder, const QString &name);

// Names (not paths) of the plain files of `folder` whose names match the
// wildcard pattern ("*.db", "*.*", "Bank?.db"), case-insensitively, hidden
// files included, in name order. Folders are not listed.
QStringList listFiles(const QString &folder, const QString &pattern = QStringLiteral("*"));

// Makes the folder and any missing parents; true when it exists afterwards.
bool makeFolder(const QString &path);

// What stands at a path. entryKind looks at the entry itself (a link is a
// link); targetKind at what a link names, as a read through it would see.
enum class EntryKind {
    None,   // nothing of that name
    File,   // a plain file
    Folder, // a folder
    Link,   // a symbolic link (entryKind only)
    Other,  // a pipe, a device or a socket
    Unknown // the system does not say (no right to look)
};
EntryKind entryKind(const QString &path, int *error = nullptr);
EntryKind targetKind(const QString &path, int *error = nullptr);

// A plain file opened for reading. A pipe, device, socket or folder is
// refused before it is opened (notPlain), and the open itself never waits,
// so nothing handed in from outside can hold the caller.
struct PlainFile {
    int fd = -1;           // to be closed by the caller (QFile::open(fd, ..., AutoCloseHandle))
    int error = 0;         // the system's error when it could not be opened
    bool notPlain = false; // not a plain file: nothing was opened
    bool link = false;     // a symbolic link where a link is not followed: nothing was opened
    bool ok() const { return fd >= 0; }
};
PlainFile openPlainFile(const QString &path);

// The changes the file layer makes, as a fault hook is told of them.
enum class Change { MakeFolder, Remove, Rename, Write, Sync };
// For tests: the hook is asked before each change the file layer makes; an
// error number it answers fails that change as the system would (nothing
// is changed), 0 lets it be made. The hook may also end the process there,
// as a crash at that moment would. An empty hook takes it away.
using FaultHook = std::function<int(Change change, const QString &path)>;
void setFaultHook(FaultHook hook);

// Names of an entry of a folder of the program's own.
using OwnName = bool (*)(const QString &name);

// A folder held open. Every look-up, removal, rename and read in it acts on
// the folder that was opened, by the entry's name, and never follows a link
// in that name: a name checked and then swapped for a link, or the folder
// itself swapped for one after it was opened, leads nowhere else.
class Folder {
public:
    Folder() = default;
    // Opens the folder at `path`. With `follow` a link there is followed to
    // the folder it names (a folder the user chose); without, a link is not
    // a folder (error ELOOP).
    static Folder open(const QString &path, bool follow, int *error = nullptr);

    bool isOpen() const { return m_fd != nullptr; }
    // The path it was opened by, for messages and for what takes a path.
    const QString &path() const { return m_path; }
    QString filePath(const QString &name) const;

    // A folder in this one, opened; a link is not followed.
    Folder folder(const QString &name, int *error = nullptr) const;
    // What the entry is, itself (a link is a link).
    EntryKind kind(const QString &name, int *error = nullptr) const;
    // The entry's size in bytes, -1 when it cannot be looked at.
    qint64 size(const QString &name) const;
    // Names of every entry but "." and "..", in name order; empty with
    // *error set when the folder cannot be listed.
    QStringList entries(int *error = nullptr) const;
    // The plain file `name`, opened for reading: a link, pipe, device,
    // socket or folder is refused unopened.
    PlainFile openPlain(const QString &name) const;

    bool makeFolder(const QString &name, int *error = nullptr) const;
    // Removes the entry itself (a file, a link, a pipe; never a folder);
    // true when nothing is there afterwards.
    bool remove(const QString &name, int *error = nullptr) const;
    // Removes the folder `name` of the program's own making, entry by entry:
    // only the entries `own` accepts, never a folder in it, never through a
    // link (a link or file in the folder's place goes as the entry it is).
    // Whatever else it holds stays, and then so does the folder; `left`
    // receives those names. True when nothing is there afterwards.
    bool removeOwnFolder(const QString &name, OwnName own, QStringList *left = nullptr, int *error = nullptr) const;
    // Renames the entry `name` to `toName` in `to` (this folder or another
    // on the same disk), replacing what is there unless it is a folder.
    bool rename(const QString &name, const Folder &to, const QString &toName, int *error = nullptr) const;
    // Exchanges two entries of this folder in one step; false (ENOSYS,
    // EINVAL) where the system cannot.
    bool exchange(const QString &a, const QString &b, int *error = nullptr) const;
    // Makes the entries of the folder last through a power cut.
    bool sync(int *error = nullptr) const;

private:
    friend class NewFile;
    std::shared_ptr<const int> m_fd;
    QString m_path;
};

// A file written anew in a folder held open, piece by piece, synced when
// finished. What stands at its name is replaced (a link as the entry it is,
// never what it names); the first failure keeps the system's error.
class NewFile {
public:
    NewFile(const Folder &in, const QString &name);
    ~NewFile();
    NewFile(const NewFile &) = delete;
    NewFile &operator=(const NewFile &) = delete;
    bool write(const char *data, qint64 size);
    // Syncs and closes it; true when every write and the sync succeeded.
    bool finish();
    int error() const { return m_error; }

private:
    int m_fd = -1;
    int m_error = 0;
    QString m_path;
};

// The places a folder tree starts from: the file system's root, the home
// folder and every mounted volume, each once.
QStringList folderRoots();

} // namespace pf::sys
