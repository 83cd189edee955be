#pragma once
// Backup and restore of the data folder. No widget is involved: the side-jobs
// panel takes the chosen path, calls these functions and shows `message`.
//
// Backup copies every table file (*.db, any case) of the data folder through
// SQLite's online backup, so a file that is being written is copied as of one
// commit and no journal is ever copied on its own. Each copy is written under
// a temporary name and renamed over the earlier copy only when complete.
//
// Restore stages every table file of the chosen folder beside the data, checks
// each staged copy (it opens and passes the integrity check), and only then
// closes the database, moves the live files aside, puts the staged files in
// place and reopens. Any failure on the way puts the previous files back.
// Only table files are restored: nothing else of the chosen folder is copied.
#include "platform/db/Db.h"

#include <QString>
#include <QStringList>

namespace bv::data::backup {

// The folder the copies land in, under the chosen folder.
inline constexpr char kBackupFolderName[] = "BackubData";

enum class Outcome {
    Done,        // every table file copied / restored
    NoPath,      // the chosen path is empty
    NoTables,    // restore: the chosen folder holds no table file
    SameFolder,  // source and destination are the same folder
    Failed,      // backup: a table file could not be copied
    Refused,     // restore: a table file of the backup is damaged; nothing changed
    SwapFailed,  // restore: the swap failed and the previous data was put back
};

struct BackupResult {
    Outcome outcome = Outcome::Failed;
    QString target;        // the "BackubData" folder
    int tableFiles = 0;    // table files of the data folder
    int copied = 0;        // copies completed and renamed into place
    QStringList failed;    // table files that were not copied
    QString message;       // what the panel says (empty: nothing)
    bool ok() const { return outcome == Outcome::Done; }
};

// The folder the backup of `chosenFolder` goes to.
QString backupTarget(const QString &chosenFolder);

// Copies every table file of `dataFolder` into backupTarget(chosenFolder),
// creating it when missing; earlier copies of the same names are replaced,
// other files there stay. Succeeds when every table file was copied.
BackupResult backupDataFolder(const QString &dataFolder, const QString &chosenFolder);

struct RestoreResult {
    Outcome outcome = Outcome::Refused;
    int restored = 0;      // table files put in place
    QStringList damaged;   // table files of the backup that failed the check
    QString message;       // what the panel says (empty: nothing)
    bool ok() const { return outcome == Outcome::Done; }
};

// Table files (*.db, any case) of `folder`, by name.
QStringList tableFilesOf(const QString &folder);

// Whether the table file opens and passes `pragma integrity_check`.
bool tableFileIsSound(const QString &path, QString *why = nullptr);

// Restores the table files of `backupFolder` into the data folder of `db`.
// The caller asks the user first. The database is closed for the swap and
// open again afterwards (also when the swap failed); its datasets stay
// closed, so the caller rebuilds the indexes and reloads the settings
// and the open pages afterwards. Table files of the data folder that the
// backup does not hold stay as they are.
RestoreResult restoreDataFolder(pf::db::Database &db, const QString &backupFolder);

// A restore stopped half way (the program killed during the swap) leaves its
// previous files in a side folder of the data folder: this puts them back
// and removes what the stopped restore left. Returns whether anything was
// put back. Safe to call on every start.
bool recoverInterruptedRestore(const QString &dataFolder);

} // namespace bv::data::backup
