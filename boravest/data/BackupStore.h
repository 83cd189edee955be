#pragma once
// Backup and restore of the data folder. No widget is involved: the side-jobs
// panel takes the chosen path, calls these functions and shows `message`.
//
// A backup is whole or it is not there. Every table of the program is copied
// out of the data folder through SQLite's online backup (all as of one
// moment), each copy is checked as a restore will check it (the table on its
// own, then the joins between the tables), and a list of the copies is
// written last, into a fresh folder beside the destination; only then does
// that folder take the place of "BackubData" (exchanged with an earlier
// backup in one rename, which is removed afterwards), and the folders are
// synced before the backup is said made. A backup that fails or is stopped
// leaves an earlier one as it was, and nothing of its own beside it.
// A "BackubData" that is a link, or that holds other files, keeps them: the
// fresh folder is made inside it, then each table takes its place there
// (its earlier copy set aside in a folder of the program's own) and the new
// list comes last, over the earlier one; a backup stopped on that way is
// finished by the next backup or restore, so the folder holds one backup
// whole at every moment. Every removal and rename acts through an open
// handle of the folder it is in, never through a link.
//
// The list identifies its backup as a whole: its second line is the
// backup's identity, each file's line its size and the SHA-256 of the
// identity followed by its bytes, and its last line the sum of every line
// above. A restore trusts no line before that sum is checked. Lists written
// before the list had an identity and a sum of its own are still read, each
// file checked by its plain SHA-256.
//
// A restore takes only such a backup: the list must be there and whole, it
// must name every table of the program, every file it names must be there,
// and each must have its size (checked before a byte of it is read) and its
// sum (so a folder cut short, mixed from two backups or changed by hand is
// refused). Each file is streamed beside the data and checked against the
// program's own definition of its table (our table file, sound, every field
// with a usable type, every index buildable), and then the staged tables
// together for the joins the program walks: a row of a unit, space,
// surface, material layer or equipment record that belongs to nothing
// refuses the backup. Only then are the live files moved aside and the
// staged ones put in place, whatever the live files hold (damaged, cut
// short, missing, not a database at all): the only live state that stops a
// restore is a table file another program holds, as the engine's lock
// reports it. Any failure on the way puts the previous files back. A
// refused or failed restore leaves the data folder byte for byte as it was
// and no folder of its own in it, and the message names the file and what
// is wrong, each cause told apart by what the engine or the system
// reported.
#include "platform/db/Db.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace bv::data::backup {

// The folder the copies land in, under the chosen folder.
inline constexpr char kBackupFolderName[] = "BackubData";
// The list of a whole backup, in its folder.
inline constexpr char kManifestName[] = "~brvbackup.lst";
// The list's first line: the format it is written in.
inline constexpr char kManifestHeader[] = "Boravest backup 2";

// Called after each step of a job (a table copied, a file synced or
// renamed), so that a busy sign can move while the job holds the event loop.
using Tick = std::function<void()>;

enum class Outcome {
    Done,        // every table file copied / restored
    NoPath,      // the chosen path is empty
    NoTables,    // restore: the chosen folder holds no table file
    SameFolder,  // source and destination are the same folder, or one holds the other
    Failed,      // backup: no whole backup was made; an earlier one stays
    Refused,     // restore: not a whole, sound backup of the program, or a live table
                 // file another program holds; nothing changed
    SwapFailed,  // restore: the swap failed and the previous data was put back
};

struct BackupResult {
    Outcome outcome = Outcome::Failed;
    QString target;        // the "BackubData" folder
    int tableFiles = 0;    // table files of the program
    int copied = 0;        // copies made and checked
    QStringList failed;    // table files that were not copied
    QString message;       // what the panel says (empty: nothing)
    bool ok() const { return outcome == Outcome::Done; }
};

// The folder the backup of `chosenFolder` goes to.
QString backupTarget(const QString &chosenFolder);

// Backs up every table of the program in `dataFolder` into
// backupTarget(chosenFolder), replacing a backup there only once the new one
// is whole.
BackupResult backupDataFolder(const QString &dataFolder, const QString &chosenFolder, const Tick &tick = {});

struct RestoreResult {
    Outcome outcome = Outcome::Refused;
    int restored = 0;      // table files put in place
    QStringList damaged;   // the file the backup was refused for
    QString message;       // what the panel says (empty: nothing)
    bool ok() const { return outcome == Outcome::Done; }
};

// Table files (*.db, any case) of `folder`, by name.
QStringList tableFilesOf(const QString &folder);

// Whether the table file opens and passes `pragma integrity_check`.
bool tableFileIsSound(const QString &path, QString *why = nullptr);

// Restores the program's tables from the backup in `backupFolder` into the
// data folder of `db`. The caller asks the user first. The database is
// closed for the swap and open again afterwards (also when the swap failed);
// its datasets stay closed: after a restore that is done the caller rebuilds
// the indexes and reloads the settings and the open pages, after one that
// is not it only opens the pages again. Files of the data folder that
// are not tables of the program stay as they are.
RestoreResult restoreDataFolder(pf::db::Database &db, const QString &backupFolder, const Tick &tick = {});

struct Recovery {
    bool putBack = false; // the previous files of a stopped restore were put back
    QStringList removed;  // what stood in the place of the restore's folders (a link, a file), removed as that entry
    QStringList ignored;  // what was found in the restore's folders that is none of the program's
    QString message;      // what the start says about those, once (empty: nothing)
};

// A restore stopped half way (the program killed during the swap) leaves its
// previous files in a side folder of the data folder: this puts them back
// and removes what the stopped restore left. It touches only the program's
// own names in its own folders of the data folder, never through a link,
// and trusts a marker only when every line names a table of the program;
// a link or file in the place of one of those folders goes as the entry it
// is, anything else it finds in them stays, and `message` names both. Safe
// to call on every start.
Recovery recoverInterruptedRestore(const QString &dataFolder);

} // namespace bv::data::backup
