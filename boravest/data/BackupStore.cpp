#include "boravest/data/BackupStore.h"

#include "boravest/data/TableSchemas.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <vector>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace bv::data::backup {

namespace {

const char kStageFolder[] = "~brvrestore.new";
const char kPreviousFolder[] = "~brvrestore.old";
const char kSwapMarker[] = "~swapping"; // in the previous-data folder
// Beside the destination: the backup being made, and an earlier one while
// it is set aside.
const char kFreshFolder[] = "~BackubData.new";
const char kEarlierFolder[] = "~BackubData.old";
const char *const kCompanions[] = {"-journal", "-wal", "-shm"};

const QString kNoBackupPath = QStringLiteral(".مسير جديد براي پشتيبان مشخص نشده است دوباره سعي كنيد");
const QString kBackupDone = QStringLiteral(".ايجاد پشتيبان غير فشرده با موفقيت انجام شد");
const QString kBackupFailed = QStringLiteral("تهيه پشتيبان موفقيت آميز نبود - مسير را بررسي كنيد");
const QString kNoRestorePath = QStringLiteral(".مسير جديد براي بازيابي داده ها مشخص نشده است دوباره سعي كنيد");
const QString kRestoreDone = QStringLiteral("بازيابي داده ها با موفقيت انجام شد");
const QString kRestoreFailed = QStringLiteral("بازيابي انجام نشد -مسير داده ها را تصحيح كنيد");

// Why a backup was not made or a restore was refused: the second line of
// the message.
const QString kNotWhole = QStringLiteral("اين پوشه پشتيبان كامل اين برنامه نيست: فهرست پشتيبان در آن پيدا نشد");
const QString kOtherFormat =
    QStringLiteral("فهرست پشتيبان اين پوشه خوانده نمي شود؛ پشتيبان با نسخه ديگري از برنامه تهيه شده است");
const QString kNotListed = QStringLiteral("جدول %1 در فهرست پشتيبان نيست");
const QString kNotInBackup = QStringLiteral("جدول %1 در پوشه پشتيبان نيست");
const QString kChanged =
    QStringLiteral("جدول %1 با فهرست پشتيبان نمي خواند: ناقص است يا پس از تهيه پشتيبان تغيير كرده است");
const QString kNotInData = QStringLiteral("جدول %1 در پوشه داده ها نيست");
const QString kNotWritten = QStringLiteral("رونوشت جدول %1 در پوشه پشتيبان نوشته نشد");
const QString kNotPlaced = QStringLiteral("پوشه پشتيبان تازه در جاي پوشه %1 گذاشته نشد");
const QString kNotStaged = QStringLiteral("جدول %1 در پوشه داده ها نوشته نشد");

struct Conn {
    sqlite3 *db = nullptr;
    ~Conn() { sqlite3_close_v2(db); }
};

void step(const Tick &tick)
{
    if (tick)
        tick();
}

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

// Makes what was written to the file, or the entries of the folder, last
// through a power cut.
bool syncPath(const QString &path)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
#else
    Q_UNUSED(path);
    return true;
#endif
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

// What is wrong with a table file, for the user.
QString problemText(const QString &file, const pf::db::TableCheck &c)
{
    using P = pf::db::TableCheck::Problem;
    switch (c.problem) {
    case P::None:
        break;
    case P::Unreadable:
        return QStringLiteral("جدول %1 باز نمي شود").arg(file);
    case P::Damaged:
        return pf::db::DbError(pf::db::DbFault::Damaged, {file}, QString()).message();
    case P::Foreign:
        return QStringLiteral("پرونده %1 جدول اين برنامه نيست").arg(file);
    case P::NoTable:
        return QStringLiteral("در %1 جدول %2 نيست").arg(file, c.name);
    case P::MissingField:
        return QStringLiteral("جدول %1 فيلد %2 را ندارد").arg(file, c.name);
    case P::WrongType:
        return QStringLiteral("فيلد %2 در جدول %1 از نوع ديگري است").arg(file, c.name);
    case P::Index:
        return QStringLiteral("شاخص %2 جدول %1 ساخته نمي شود").arg(file, c.name);
    }
    return QString();
}

struct Listed {
    qint64 size = -1;
    QByteArray sum; // SHA-256, hex
};

QByteArray sumOf(const QByteArray &bytes) { return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex(); }

// The list of a backup folder by table file name in lower case; false when
// it is not there or not in our format.
bool readManifest(const QString &folder, QHash<QString, Listed> *out, bool *present)
{
    QFile f(QDir(folder).filePath(QLatin1String(kManifestName)));
    *present = f.exists();
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (lines.isEmpty() || lines.first() != QLatin1String(kManifestHeader))
        return false;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList parts = lines[i].split(QLatin1Char('\t'));
        bool ok = false;
        const qint64 size = parts.value(1).toLongLong(&ok);
        if (parts.size() != 3 || !ok)
            return false;
        out->insert(parts[0].toLower(), {size, parts[2].toLatin1()});
    }
    return true;
}

// Writes the file and syncs it.
bool writeSynced(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size() || !f.flush())
        return false;
#ifdef Q_OS_UNIX
    if (::fsync(f.handle()) != 0)
        return false;
#endif
    f.close();
    return f.error() == QFileDevice::NoError;
}

// Puts the fresh folder in the place of `target`: exchanged with an earlier
// backup in one step where the file system can, else the earlier one set
// aside first. `fresh` holds the earlier backup (or nothing) afterwards.
bool putInPlace(const QString &fresh, const QString &target, const QString &earlier, const Tick &tick)
{
    if (!QFileInfo::exists(target)) {
        const bool ok = replaceFile(fresh, target);
        step(tick);
        return ok;
    }
#if defined(Q_OS_LINUX) && defined(RENAME_EXCHANGE)
    if (::renameat2(AT_FDCWD, QFile::encodeName(fresh).constData(), AT_FDCWD, QFile::encodeName(target).constData(),
                    RENAME_EXCHANGE) == 0) {
        step(tick);
        return true;
    }
#endif
    if (!replaceFile(target, earlier))
        return false;
    step(tick);
    if (!replaceFile(fresh, target)) {
        replaceFile(earlier, target);
        return false;
    }
    step(tick);
    QDir(earlier).removeRecursively();
    return true;
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

BackupResult backupDataFolder(const QString &dataFolder, const QString &chosenFolder, const Tick &tick)
{
    BackupResult r;
    if (chosenFolder.trimmed().isEmpty()) {
        r.outcome = Outcome::NoPath;
        r.message = kNoBackupPath;
        return r;
    }
    r.target = backupTarget(chosenFolder.trimmed());
    r.message = kBackupFailed;
    const QString parent = QFileInfo(r.target).absolutePath();
    if (dataFolder.isEmpty() || !QFileInfo(dataFolder).isDir() || !QDir().mkpath(parent))
        return r;
    if (sameFolder(dataFolder, r.target) || sameFolder(dataFolder, parent)) {
        r.outcome = Outcome::SameFolder;
        return r;
    }
    const QString fresh = QDir(parent).filePath(QLatin1String(kFreshFolder));
    const QString earlier = QDir(parent).filePath(QLatin1String(kEarlierFolder));
    // A backup stopped while it had set an earlier one aside puts it back.
    if (!QFileInfo::exists(r.target) && QFileInfo(earlier).isDir())
        replaceFile(earlier, r.target);
    QDir(earlier).removeRecursively();
    QDir(fresh).removeRecursively();
    if (!QDir().mkpath(fresh))
        return r;

    const auto &tables = schema::dataFolderTables();
    r.tableFiles = int(tables.size());
    const QStringList live = tableFilesOf(dataFolder);
    QString why;
    auto failed = [&](const QString &file, const QString &text) {
        r.failed << file;
        if (why.isEmpty())
            why = text;
    };
    // Every source is opened and read first: while these reads hold, no
    // write commits, so the copies show the data folder as of one moment.
    std::vector<std::unique_ptr<Conn>> sources;
    for (const auto &t : tables) {
        const QString name = findName(live, t.fileName);
        auto c = std::make_unique<Conn>();
        if (name.isEmpty()) {
            failed(t.fileName, kNotInData.arg(t.fileName));
            c.reset();
        } else if (!openFile(*c, QDir(dataFolder).filePath(name), SQLITE_OPEN_READONLY) ||
                   sqlite3_exec(c->db, "BEGIN; SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) !=
                       SQLITE_OK) {
            const int rc = c->db ? sqlite3_errcode(c->db) : SQLITE_CANTOPEN;
            failed(t.fileName, pf::db::DbError(rc == SQLITE_BUSY ? pf::db::DbFault::Busy : pf::db::DbFault::Damaged,
                                               {t.fileName}, QString())
                                   .message());
            c.reset();
        }
        sources.push_back(std::move(c));
    }
    QByteArray manifest = QByteArray(kManifestHeader) + '\n';
    for (int i = 0; i < tables.size() && r.failed.isEmpty(); ++i) {
        const QString file = tables[i].fileName;
        const QString copy = QDir(fresh).filePath(file);
        if (!backupInto(sources[i]->db, copy)) {
            failed(file, kNotWritten.arg(file));
            break;
        }
        sources[i].reset();
        step(tick);
        // What a restore would refuse is no backup.
        const pf::db::TableCheck check = pf::db::checkTableFile(copy, tables[i]);
        if (!check.ok()) {
            failed(file, problemText(file, check));
            break;
        }
        QFile f(copy);
        if (!f.open(QIODevice::ReadOnly)) {
            failed(file, kNotWritten.arg(file));
            break;
        }
        const QByteArray bytes = f.readAll();
        manifest += file.toUtf8() + '\t' + QByteArray::number(bytes.size()) + '\t' + sumOf(bytes) + '\n';
        ++r.copied;
    }
    sources.clear();
    // The list last: a folder without it is no backup.
    bool ok = r.failed.isEmpty() && writeSynced(QDir(fresh).filePath(QLatin1String(kManifestName)), manifest);
    if (ok) {
        step(tick);
        ok = syncPath(fresh);
        step(tick);
    }
    if (ok) {
        ok = putInPlace(fresh, r.target, earlier, tick);
        if (!ok && why.isEmpty())
            why = kNotPlaced.arg(QLatin1String(kBackupFolderName));
        syncPath(parent);
        step(tick);
    } else if (why.isEmpty()) {
        why = kNotWritten.arg(QLatin1String(kManifestName));
    }
    QDir(fresh).removeRecursively();
    if (!ok) {
        r.message = kBackupFailed + QLatin1Char('\n') + why;
        return r;
    }
    r.outcome = Outcome::Done;
    r.message = kBackupDone;
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

RestoreResult restoreDataFolder(pf::db::Database &db, const QString &backupFolder, const Tick &tick)
{
    RestoreResult r;
    const QString source = backupFolder.trimmed();
    if (source.isEmpty()) {
        r.outcome = Outcome::NoPath;
        return r;
    }
    const QStringList files = QFileInfo(source).isDir() ? tableFilesOf(source) : QStringList();
    QHash<QString, Listed> listed;
    bool listPresent = false;
    const bool listRead = QFileInfo(source).isDir() && readManifest(source, &listed, &listPresent);
    if (files.isEmpty() && !listPresent) {
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
    const QString stage = data.filePath(QLatin1String(kStageFolder));
    auto refuse = [&](const QString &file, const QString &why) {
        QDir(stage).removeRecursively();
        r.outcome = Outcome::Refused;
        if (!file.isEmpty())
            r.damaged << file;
        r.message = kRestoreFailed + QLatin1Char('\n') + why;
        return r;
    };
    if (!listPresent)
        return refuse(QString(), kNotWhole);
    if (!listRead)
        return refuse(QString(), kOtherFormat);
    // A backup of this program holds every table the program has: one
    // without some table is cut short or foreign, and making that table up
    // empty could lose data (the surfaces of every space, say).
    const auto &tables = schema::dataFolderTables();
    for (const auto &t : tables) {
        if (!listed.contains(t.fileName.toLower()))
            return refuse(t.fileName, kNotListed.arg(t.fileName));
        if (findName(files, t.fileName).isEmpty())
            return refuse(t.fileName, kNotInBackup.arg(t.fileName));
    }
    recoverInterruptedRestore(dataFolder);

    // Stage: every table copied beside the data, as the list has it, and
    // checked, before anything of the data changes.
    QDir(stage).removeRecursively();
    if (!QDir().mkpath(stage))
        return refuse(QString(), kNotStaged.arg(tables.first().fileName));
    for (const auto &t : tables) {
        QFile in(QDir(source).filePath(findName(files, t.fileName)));
        if (!in.open(QIODevice::ReadOnly))
            return refuse(t.fileName, QStringLiteral("جدول %1 باز نمي شود").arg(t.fileName));
        const QByteArray bytes = in.readAll();
        const Listed want = listed.value(t.fileName.toLower());
        if (bytes.size() != want.size || sumOf(bytes) != want.sum)
            return refuse(t.fileName, kChanged.arg(t.fileName));
        const QString staged = QDir(stage).filePath(t.fileName);
        if (!writeSynced(staged, bytes))
            return refuse(t.fileName, kNotStaged.arg(t.fileName));
        step(tick);
        const pf::db::TableCheck check = pf::db::checkTableFile(staged, t);
        if (!check.ok())
            return refuse(t.fileName, problemText(t.fileName, check));
        step(tick);
    }

    // Swap: the live files move aside (kept to roll back to), the staged
    // ones take their names.
    db.close();
    const QStringList live = tableFilesOf(dataFolder);
    QStringList staged; // the staged files, in the order of `names`
    QStringList names;  // live names the restored files take
    QStringList plan;   // the marker's lines
    for (const auto &t : tables) {
        const QString existing = findName(live, t.fileName);
        staged << t.fileName;
        names << (existing.isEmpty() ? t.fileName : existing);
        plan << names.last() + (existing.isEmpty() ? QLatin1String("\t0") : QLatin1String("\t1"));
    }
    const QString previous = data.filePath(QLatin1String(kPreviousFolder));
    QDir(previous).removeRecursively();
    bool ok = QDir().mkpath(previous);
    QString why;
    for (const QString &n : std::as_const(names))
        if (ok && QFileInfo(data.filePath(n)).isFile() && !settleTableFile(data.filePath(n))) {
            ok = false;
            why = pf::db::DbError(pf::db::DbFault::Busy, {n}, QString()).message();
        }
    if (ok) {
        QSaveFile marker(QDir(previous).filePath(QLatin1String(kSwapMarker)));
        ok = marker.open(QIODevice::WriteOnly) && marker.write(plan.join(QLatin1Char('\n')).toUtf8()) >= 0 &&
             marker.commit();
    }
    for (int i = 0; ok && i < staged.size(); ++i) {
        const QString target = data.filePath(names[i]);
        if (QFileInfo(target).isFile())
            ok = replaceFile(target, QDir(previous).filePath(names[i]));
        for (const char *c : kCompanions)
            if (ok && QFileInfo(target + QLatin1String(c)).exists())
                ok = replaceFile(target + QLatin1String(c), QDir(previous).filePath(names[i]) + QLatin1String(c));
        ok = ok && replaceFile(QDir(stage).filePath(staged[i]), target);
        if (ok)
            ++r.restored;
        step(tick);
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
        QDir(stage).removeRecursively();
        r.restored = 0;
        r.outcome = Outcome::SwapFailed;
        if (!why.isEmpty())
            r.message += QLatin1Char('\n') + why;
    }
    try {
        db.open();
    } catch (const pf::db::DbError &) {
        // The caller opens it again and says why it cannot.
    }
    return r;
}

} // namespace bv::data::backup
