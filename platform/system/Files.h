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

} // namespace pf::sys
