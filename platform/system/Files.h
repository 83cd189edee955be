#pragma once
// File services: copying, finding and listing files of a folder, making
// folders. File names are matched case-insensitively, as the program's
// data files were named in mixed case over the years ("Bank1.DB",
// "bank1.db").
#include <QString>
#include <QStringList>

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
    bool ok() const { return fd >= 0; }
};
PlainFile openPlainFile(const QString &path);

// Removes the folder `path` of the program's own making, entry by entry:
// only the entries `own` accepts, and never through a link (a link at
// `path` itself is removed as a link; one inside it is removed, not
// followed). Whatever else it holds stays, and then so does the folder.
// `left` receives the names that stay; true when nothing is at `path`
// afterwards.
using OwnName = bool (*)(const QString &name);
bool removeOwnFolder(const QString &path, OwnName own, QStringList *left = nullptr, int *error = nullptr);

// Removes the entry itself (a file, a link, a pipe; never a folder),
// never what a link names; true when nothing is there afterwards.
bool removeEntry(const QString &path, int *error = nullptr);

} // namespace pf::sys
