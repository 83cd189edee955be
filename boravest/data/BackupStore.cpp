#include "boravest/data/BackupStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <vector>

namespace bv::data::backup {

namespace {

const char kStageFolder[] = "~brvrestore.new";
const char kPreviousFolder[] = "~brvrestore.old";
const char kSwapMarker[] = "~swapping"; // in the previous-data folder
const char kPartSuffix[] = ".part";
const char *const kCompanions[] = {"-journal", "-wal", "-shm"};

const QString kNoBackupPath = QStringLiteral(".مسير جديد براي پشتيبان مشخص نشده است دوباره سعي كنيد");
const QString kBackupDone = QStringLiteral(".ايجاد پشتيبان غير فشرده با موفقيت انجام شد");
const QString kBackupFailed = QStringLiteral("تهيه پشتيبان موفقيت آميز نبود - مسير را بررسي كنيد");
const QString kNoRestorePath = QStringLiteral(".مسير جديد براي بازيابي داده ها مشخص نشده است دوباره سعي كنيد");
const QString kRestoreDone = QStringLiteral("بازيابي داده ها با موفقيت انجام شد");
const QString kRestoreFailed = QStringLiteral("بازيابي انجام نشد -مسير داده ها را تصحيح كنيد");

struct Conn {
    sqlite3 *db = nullptr;
    ~Conn() { sqlite3_close_v2(db); }
};

std::filesystem::path fsPath(const QString &p) { return std::filesystem::path(p.toStdU16String()); }

// Renames over an existing target in one step.
bool replaceFile(const QString &from, const QString &to)
{
    std::error_code ec;
    std::filesystem::rename(fsPath(from), fsPath(to), ec);
    return !ec;
}

void removeWithCompanions(const QString &path)
{
    QFile::remove(path);
    for (const char *c : kCompanions)
        QFile::remove(path + QLatin1String(c));
}

bool sameFolder(const QString &a, const QString &b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    const QString cb = QFileInfo(b).canonicalFilePath();
    if (ca.isEmpty() || cb.isEmpty())
        return false;
#ifdef Q_OS_WIN
    return ca.compare(cb, Qt::CaseInsensitive) == 0;
#else
    return ca == cb;
#endif
}

bool openFile(Conn &c, const QString &path, int flags)
{
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &c.db, flags, nullptr) != SQLITE_OK)
        return false;
    sqlite3_busy_timeout(c.db, 2000);
    return true;
}

// Copies the open source into `dst` (a new file) through the online backup.
bool backupInto(sqlite3 *src, const QString &dst)
{
    removeWithCompanions(dst);
    Conn out;
    if (!openFile(out, dst, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE))
        return false;
    sqlite3_backup *b = sqlite3_backup_init(out.db, "main", src, "main");
    if (!b)
        return false;
    int rc;
    int waits = 0;
    while ((rc = sqlite3_backup_step(b, -1)) == SQLITE_BUSY || rc == SQLITE_LOCKED) {
        if (++waits > 40)
            break;
        sqlite3_sleep(50);
    }
    const int finish = sqlite3_backup_finish(b);
    return rc == SQLITE_DONE && finish == SQLITE_OK;
}

// Copies one table file to `dst`: written under a temporary name, renamed
// into place when whole.
bool copyTableFile(sqlite3 *src, const QString &dst)
{
    const QString part = dst + QLatin1String(kPartSuffix);
    bool ok = backupInto(src, part);
    ok = ok && replaceFile(part, dst);
    if (!ok)
        removeWithCompanions(part);
    return ok;
}

// Case-insensitive match of a file name among `names`.
QString findName(const QStringList &names, const QString &name)
{
    for (const QString &n : names)
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return n;
    return QString();
}

// Rolls back a journal left by a stopped write, so that the file can be moved
// without it. Fails when another program holds the file.
bool settleTableFile(const QString &path)
{
    Conn c;
    if (!openFile(c, path, SQLITE_OPEN_READWRITE))
        return false;
    return sqlite3_exec(c.db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) == SQLITE_OK;
}

} // namespace

QString backupTarget(const QString &chosenFolder)
{
    QString p = chosenFolder;
    while (p.size() > 1 && (p.endsWith(QLatin1Char('/')) || p.endsWith(QLatin1Char('\\'))))
        p.chop(1);
    if (p.endsWith(QLatin1Char('/')) || p.endsWith(QLatin1Char('\\')) || p.endsWith(QLatin1Char(':')))
        return p + QLatin1String(kBackupFolderName);
    return p + QLatin1Char('/') + QLatin1String(kBackupFolderName);
}

QStringList tableFilesOf(const QString &folder)
{
    QDir dir(folder);
    QStringList out;
    const QFileInfoList entries = dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo &e : entries)
        if (e.isFile() && e.suffix().compare(QLatin1String("db"), Qt::CaseInsensitive) == 0)
            out << e.fileName();
    return out;
}

bool tableFileIsSound(const QString &path, QString *why)
{
    auto fail = [&](const QString &w) {
        if (why)
            *why = w;
        return false;
    };
    Conn c;
    if (!QFileInfo(path).isFile() || !openFile(c, path, SQLITE_OPEN_READONLY))
        return fail(QStringLiteral("cannot open"));
    // Indexes over Persian text are ordered by the program's collation.
    pf::db::registerPersianCollation(c.db);
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(c.db, "PRAGMA integrity_check", -1, &st, nullptr) != SQLITE_OK)
        return fail(QString::fromUtf8(sqlite3_errmsg(c.db)));
    QString result;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW)
        result += QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0))) + QLatin1Char('\n');
    if (rc != SQLITE_DONE)
        result += QString::fromUtf8(sqlite3_errmsg(c.db));
    sqlite3_finalize(st);
    if (result.trimmed() != QLatin1String("ok"))
        return fail(result.trimmed());
    int tables = 0;
    if (sqlite3_prepare_v2(c.db, "SELECT count(*) FROM sqlite_master WHERE type='table'", -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW)
        tables = sqlite3_column_int(st, 0);
    sqlite3_finalize(st);
    if (tables == 0)
        return fail(QStringLiteral("holds no table"));
    return true;
}

BackupResult backupDataFolder(const QString &dataFolder, const QString &chosenFolder)
{
    BackupResult r;
    if (chosenFolder.trimmed().isEmpty()) {
        r.outcome = Outcome::NoPath;
        r.message = kNoBackupPath;
        return r;
    }
    r.target = backupTarget(chosenFolder.trimmed());
    r.message = kBackupFailed;
    if (dataFolder.isEmpty() || !QFileInfo(dataFolder).isDir())
        return r;
    if (!QDir().mkpath(r.target))
        return r;
    if (sameFolder(dataFolder, r.target)) {
        r.outcome = Outcome::SameFolder;
        return r;
    }
    const QStringList files = tableFilesOf(dataFolder);
    r.tableFiles = int(files.size());

    // Every source is opened and read first: while these reads hold, no
    // write commits, so the copies show the data folder as of one moment.
    std::vector<std::unique_ptr<Conn>> sources;
    for (const QString &f : files) {
        auto c = std::make_unique<Conn>();
        const bool ok = openFile(*c, QDir(dataFolder).filePath(f), SQLITE_OPEN_READONLY) &&
                        sqlite3_exec(c->db, "BEGIN; SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) ==
                            SQLITE_OK;
        if (!ok)
            c.reset();
        sources.push_back(std::move(c));
    }
    for (int i = 0; i < files.size(); ++i) {
        const bool ok = sources[i] && copyTableFile(sources[i]->db, QDir(r.target).filePath(files[i]));
        if (ok)
            ++r.copied;
        else
            r.failed << files[i];
    }
    if (!files.isEmpty() && r.copied == files.size()) {
        r.outcome = Outcome::Done;
        r.message = kBackupDone;
    }
    return r;
}

bool recoverInterruptedRestore(const QString &dataFolder)
{
    const QDir data(dataFolder);
    const QString previous = data.filePath(QLatin1String(kPreviousFolder));
    const QString marker = QDir(previous).filePath(QLatin1String(kSwapMarker));
    bool putBack = false;
    QFile m(marker);
    if (m.open(QIODevice::ReadOnly)) {
        // The marker names every file the restore was putting in place, each
        // with "1" when a live file of that name was being replaced.
        const QStringList lines = QString::fromUtf8(m.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        m.close();
        for (const QString &line : lines) {
            const QString name = line.section(QLatin1Char('\t'), 0, 0);
            const bool replaced = line.section(QLatin1Char('\t'), 1, 1) == QLatin1String("1");
            const QString live = data.filePath(name);
            const QString old = QDir(previous).filePath(name);
            if (!replaced) {
                removeWithCompanions(live);
                if (QFileInfo(live).exists())
                    return false; // try again on the next start
                continue;
            }
            if (!QFileInfo(old).isFile())
                continue; // not moved yet: the live file is the previous one
            for (const char *c : kCompanions)
                QFile::remove(live + QLatin1String(c));
            if (!replaceFile(old, live))
                return false;
            for (const char *c : kCompanions)
                if (QFileInfo(old + QLatin1String(c)).isFile())
                    replaceFile(old + QLatin1String(c), live + QLatin1String(c));
        }
        QFile::remove(marker);
        putBack = true;
    }
    QDir(previous).removeRecursively();
    QDir(data.filePath(QLatin1String(kStageFolder))).removeRecursively();
    return putBack;
}

RestoreResult restoreDataFolder(pf::db::Database &db, const QString &backupFolder)
{
    RestoreResult r;
    const QString source = backupFolder.trimmed();
    if (source.isEmpty()) {
        r.outcome = Outcome::NoPath;
        return r;
    }
    const QStringList files = QFileInfo(source).isDir() ? tableFilesOf(source) : QStringList();
    if (files.isEmpty()) {
        r.outcome = Outcome::NoTables;
        r.message = kNoRestorePath;
        return r;
    }
    r.message = kRestoreFailed;
    QString dataFolder = db.directory();
    while (dataFolder.size() > 1 && dataFolder.endsWith(QLatin1Char('/')))
        dataFolder.chop(1);
    if (dataFolder.isEmpty() || !QFileInfo(dataFolder).isDir())
        return r;
    if (sameFolder(dataFolder, source)) {
        r.outcome = Outcome::SameFolder;
        return r;
    }
    const QDir data(dataFolder);
    recoverInterruptedRestore(dataFolder);

    // Stage: every table file of the backup copied beside the data and
    // checked, before anything of the data changes.
    const QString stage = data.filePath(QLatin1String(kStageFolder));
    QDir(stage).removeRecursively();
    if (!QDir().mkpath(stage))
        return r;
    for (const QString &f : files) {
        Conn src;
        const QString staged = QDir(stage).filePath(f);
        const bool ok = openFile(src, QDir(source).filePath(f), SQLITE_OPEN_READONLY) && copyTableFile(src.db, staged) &&
                        tableFileIsSound(staged);
        if (!ok)
            r.damaged << f;
    }
    if (!r.damaged.isEmpty()) {
        QDir(stage).removeRecursively();
        r.outcome = Outcome::Refused;
        return r;
    }

    // Swap: the live files move aside (kept to roll back to), the staged
    // ones take their names.
    db.close();
    const QStringList live = tableFilesOf(dataFolder);
    QStringList names; // live names the restored files take
    QStringList plan;  // the marker's lines
    for (const QString &f : files) {
        const QString existing = findName(live, f);
        names << (existing.isEmpty() ? f : existing);
        plan << names.last() + (existing.isEmpty() ? QLatin1String("\t0") : QLatin1String("\t1"));
    }
    const QString previous = data.filePath(QLatin1String(kPreviousFolder));
    QDir(previous).removeRecursively();
    bool ok = QDir().mkpath(previous);
    for (const QString &n : std::as_const(names))
        if (ok && QFileInfo(data.filePath(n)).isFile())
            ok = settleTableFile(data.filePath(n));
    if (ok) {
        QSaveFile marker(QDir(previous).filePath(QLatin1String(kSwapMarker)));
        ok = marker.open(QIODevice::WriteOnly) && marker.write(plan.join(QLatin1Char('\n')).toUtf8()) >= 0 &&
             marker.commit();
    }
    for (int i = 0; ok && i < files.size(); ++i) {
        const QString target = data.filePath(names[i]);
        if (QFileInfo(target).isFile())
            ok = replaceFile(target, QDir(previous).filePath(names[i]));
        for (const char *c : kCompanions)
            if (ok && QFileInfo(target + QLatin1String(c)).exists())
                ok = replaceFile(target + QLatin1String(c), QDir(previous).filePath(names[i]) + QLatin1String(c));
        ok = ok && replaceFile(QDir(stage).filePath(files[i]), target);
        if (ok)
            ++r.restored;
    }
    if (ok) {
        // The restore is whole once the marker is gone.
        QFile::remove(QDir(previous).filePath(QLatin1String(kSwapMarker)));
        QDir(previous).removeRecursively();
        QDir(stage).removeRecursively();
        r.outcome = Outcome::Done;
        r.message = kRestoreDone;
    } else {
        recoverInterruptedRestore(dataFolder);
        r.restored = 0;
        r.outcome = Outcome::SwapFailed;
    }
    db.open();
    return r;
}

} // namespace bv::data::backup
