#include "boravest/data/BackupStore.h"

#include "boravest/data/TableSchemas.h"
#include "platform/system/Files.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QUuid>

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <limits>
#include <memory>
#include <new>
#include <vector>

#include <unistd.h>

namespace bv::data::backup {

namespace {

using pf::db::DbError;
using pf::db::DbFault;
using pf::sys::EntryKind;
using pf::sys::Folder;
using pf::sys::NewFile;
using pf::sys::PlainFile;
using pf::sys::entryKind;
using pf::sys::targetKind;

const char kStageFolder[] = "~brvrestore.new";
const char kPreviousFolder[] = "~brvrestore.old";
const char kSwapMarker[] = "~swapping"; // in the previous-data folder
// The backup being made, beside the destination or inside it; an earlier
// backup, or the earlier copies of its tables, while they are set aside.
const char kFreshFolder[] = "~BackubData.new";
const char kEarlierFolder[] = "~BackubData.old";
// How many folders of backups being made may stand in one place: one that
// cannot be removed is passed over for the next.
constexpr int kFreshFolders = 9;
const char *const kCompanions[] = {"-journal", "-wal", "-shm"};
// The list as the program wrote it before the list had an identity and a
// sum of its own: its lines are still read, each file checked by its sum.
const char kEarlierHeader[] = "Boravest backup 1";
const char kIdentityKey[] = "backup";
const char kSumKey[] = "sum";
// A longer list is none of ours: it is not read at all.
constexpr qint64 kMaxListBytes = 1 << 20;
// Files are copied and summed in pieces of this size.
constexpr qint64 kPiece = 1 << 20;

const QString kNoBackupPath = QStringLiteral(".مسير جديد براي پشتيبان مشخص نشده است دوباره سعي كنيد");
const QString kBackupDone = QStringLiteral(".ايجاد پشتيبان غير فشرده با موفقيت انجام شد");
const QString kBackupFailed = QStringLiteral("تهيه پشتيبان موفقيت آميز نبود - مسير را بررسي كنيد");
// A backup stopped by what the data folder holds, not by the chosen path.
const QString kBackupDataFailed = QStringLiteral("تهيه پشتيبان موفقيت آميز نبود - داده ها را بررسي كنيد");
const QString kNoRestorePath = QStringLiteral(".مسير جديد براي بازيابي داده ها مشخص نشده است دوباره سعي كنيد");
const QString kRestoreDone = QStringLiteral("بازيابي داده ها با موفقيت انجام شد");
const QString kRestoreFailed = QStringLiteral("بازيابي انجام نشد -مسير داده ها را تصحيح كنيد");

// Why a backup was not made or a restore was refused: the second line of
// the message.
const QString kNotWhole = QStringLiteral("اين پوشه پشتيبان كامل اين برنامه نيست: فهرست پشتيبان در آن پيدا نشد");
const QString kOtherFormat =
    QStringLiteral("فهرست پشتيبان اين پوشه خوانده نمي شود؛ پشتيبان با نسخه ديگري از برنامه تهيه شده است");
const QString kListAltered =
    QStringLiteral("فهرست پشتيبان اين پوشه ناقص است يا پس از تهيه پشتيبان تغيير كرده است");
const QString kNotListed = QStringLiteral("جدول %1 در فهرست پشتيبان نيست");
const QString kNotInBackup = QStringLiteral("جدول %1 در پوشه پشتيبان نيست");
const QString kChanged =
    QStringLiteral("جدول %1 با فهرست پشتيبان نمي خواند: ناقص است يا پس از تهيه پشتيبان تغيير كرده است");
const QString kNotRead = QStringLiteral("جدول %1 در پوشه پشتيبان خوانده نمي شود");
const QString kNotInData = QStringLiteral("جدول %1 در پوشه داده ها نيست");
const QString kNotWritten = QStringLiteral("رونوشت جدول %1 در پوشه پشتيبان نوشته نشد");
const QString kListNotWritten = QStringLiteral("فهرست پشتيبان نوشته نشد");
const QString kNotPlaced = QStringLiteral("پوشه پشتيبان تازه در جاي پوشه %1 گذاشته نشد");
const QString kNotStaged = QStringLiteral("جدول %1 در پوشه داده ها نوشته نشد");
const QString kBackupFolderFull = QStringLiteral("در پوشه پشتيبان نمي توان نوشت: جاي خالي ديسك تمام شده است");
const QString kBackupFolderReadOnly = QStringLiteral("در پوشه پشتيبان نمي توان نوشت");
const QString kSameAsData = QStringLiteral("پوشه انتخاب شده همان پوشه داده ها است");
const QString kIntoData = QStringLiteral("پوشه پشتيبان نمي تواند درون پوشه داده ها باشد");
const QString kHoldsData = QStringLiteral("پوشه داده ها درون پوشه پشتيبان است");
const QString kNotAFolder = QStringLiteral("مسير انتخاب شده پوشه نيست؛ يك پرونده است");
const QString kTargetIsFile = QStringLiteral("در مسير انتخاب شده پرونده اي به نام %1 هست؛ پوشه پشتيبان ساخته نمي شود");
const QString kOrphans = QStringLiteral("%1 رديف جدول %2 به هيچ %3 تعلق ندارد");
const QString kNoMemory = QStringLiteral("حافظه براي اين كار كافي نيست");
const QString kLinkNotFolder =
    QStringLiteral("در مسير انتخاب شده %1 پيوندي است كه به پوشه اي نمي رسد؛ پشتيبان در آن تهيه نمي شود");
const QString kPlacedNotSynced =
    QStringLiteral("پشتيبان تازه در جاي پوشه %1 گذاشته شد اما ماندن آن بر ديسك تاييد نشد");
const QString kEarlierKept = QStringLiteral("پوشه پشتيبان پيشين (%1) نگه داشته شد");
const QString kPreviousWaits =
    QStringLiteral("پوشه %1 از بازيابي ناتمام پيشين مانده است و پرونده هاي آن هنوز برگردانده نشده است؛ بازيابي تازه انجام نمي شود");
const QString kEarlierNotRemoved = QStringLiteral("پوشه پشتيبان پيشين (%1) پاك نشد؛ مي توانيد آن را خودتان پاك كنيد");
const QString kMadeNotRemoved = QStringLiteral("پوشه %1 كه اين پشتيبان ساخته بود پاك نشد؛ مي توانيد آن را خودتان پاك كنيد");
const QString kLeftoverBlocks = QStringLiteral("پوشه %1 از پشتيبان ناتمام پيشين مانده است و پاك نمي شود");
const QString kLeftoversBlock =
    QStringLiteral("پوشه هاي %1 از پشتيبان هاي ناتمام پيشين مانده اند و پاك نمي شوند");
const QString kLiveNotRead = QStringLiteral("جدول %1 در پوشه داده ها خوانده نمي شود");
const QString kNotPlainInData = QStringLiteral("پرونده %1 در پوشه داده ها يك پرونده معمولي نيست و خوانده نمي شود");
const QString kNotPlainInBackup = QStringLiteral("پرونده %1 در پوشه پشتيبان يك پرونده معمولي نيست و خوانده نمي شود");
const QString kLinkInBackup =
    QStringLiteral("پرونده %1 در پوشه پشتيبان پيوندي به پرونده ديگري است و خوانده نمي شود");
const QString kTwoCases = QStringLiteral(
    "پرونده هاي %1 و %2 در پوشه پشتيبان نام يك جدول را دارند (تنها در كوچكي و بزرگي حروف فرق دارند)");
const QString kListedTwice = QStringLiteral(
    "فهرست پشتيبان از %1 و %2 نام مي برد كه نام يك جدول است (تنها در كوچكي و بزرگي حروف فرق دارند)");
const QString kFolderForTable =
    QStringLiteral("پوشه اي به نام %1 در پوشه داده ها هست؛ جدول در جاي آن گذاشته نمي شود");
const QString kFolderInBackup =
    QStringLiteral("پوشه اي به نام %1 در پوشه پشتيبان هست؛ جدول در جاي آن گذاشته نمي شود");
const QString kFolderNotRead = QStringLiteral("پوشه %1 خوانده نمي شود: اجازه باز كردن آن نيست");
const QString kFolderNotListed = QStringLiteral("پرونده هاي پوشه %1 فهرست نمي شوند: اجازه ديدن فهرست آن نيست");
const QString kListNotRead = QStringLiteral("فهرست پشتيبان %1 در اين پوشه خوانده نمي شود");
const QString kListEmpty = QStringLiteral("فهرست پشتيبان %1 در اين پوشه خالي است");
const QString kListBadName = QStringLiteral("فهرست پشتيبان از %1 نام مي برد كه نام جدولي از اين برنامه نيست");
const QString kNotOurs = QStringLiteral("اين موارد در پوشه داده ها ساخته اين برنامه نيست و به كار نرفت: %1");
const QString kPlantedRemoved =
    QStringLiteral("اين موارد به جاي پوشه هاي اين برنامه در پوشه داده ها بود و برداشته شد: %1");

// The names the program's own folders hold: its table files (with the
// engine's companions of a table file), the list in a backup and the marker
// of a restore's swap. Nothing else in them is the program's.
bool isTableName(const QString &name) { return schema::tableDef(name) != nullptr; }
bool isTableOrCompanion(const QString &name)
{
    if (isTableName(name))
        return true;
    for (const char *c : kCompanions)
        if (name.endsWith(QLatin1String(c), Qt::CaseInsensitive) && isTableName(name.chopped(int(qstrlen(c)))))
            return true;
    return false;
}
bool ownInBackup(const QString &name) { return isTableOrCompanion(name) || name == QLatin1String(kManifestName); }
bool ownInStage(const QString &name) { return isTableOrCompanion(name); }
bool ownInPrevious(const QString &name) { return isTableOrCompanion(name) || name == QLatin1String(kSwapMarker); }
// Whether `name` is the table file `file` or one of its companions, in any case.
bool isCopyOf(const QString &name, const QString &file)
{
    if (name.compare(file, Qt::CaseInsensitive) == 0)
        return true;
    for (const char *c : kCompanions)
        if (name.compare(file + QLatin1String(c), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// A name as a message shows it: no control character breaks the line.
QString shown(QString name)
{
    for (QChar &ch : name)
        if (ch.category() == QChar::Other_Control)
            ch = QLatin1Char('?');
    return name;
}

QString joined(const QStringList &names) { return names.join(QStringLiteral("، ")); }

// A file, a link, a pipe: an entry renamed or removed as the entry itself.
bool isEntry(EntryKind k) { return k != EntryKind::None && k != EntryKind::Folder; }

std::error_code systemError(int error) { return {error ? error : EIO, std::system_category()}; }

struct Conn {
    sqlite3 *db = nullptr;
    ~Conn() { sqlite3_close_v2(db); }
};

void step(const Tick &tick)
{
    if (tick)
        tick();
}

// Creates the folder and those above it; the system's error, if any.
std::error_code makeFolders(const QString &path)
{
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path.toStdU16String()), ec);
    return ec;
}

void removeWithCompanions(const Folder &folder, const QString &name)
{
    for (const QString &n : {name, name + QLatin1String("-journal"), name + QLatin1String("-wal"),
                             name + QLatin1String("-shm")})
        if (isEntry(folder.kind(n)))
            folder.remove(n);
}

// Makes `name` in `parent` a folder of the program's own and opens it:
// what an earlier run left there of its own goes first (a link or file in
// its place goes as the entry it is); a folder that keeps entries of
// someone else's is used as it is, those entries left.
Folder ownFolder(const Folder &parent, const QString &name, pf::sys::OwnName own, int *error)
{
    parent.removeOwnFolder(name, own);
    const EntryKind kind = parent.kind(name);
    if (kind != EntryKind::Folder && kind != EntryKind::None) {
        *error = EEXIST;
        return Folder();
    }
    if (kind == EntryKind::None && !parent.makeFolder(name, error))
        return Folder();
    return parent.folder(name, error);
}

// Whether the folder can be entered (its files reached by name).
bool canEnter(const QString &folder) { return ::access(QFile::encodeName(folder).constData(), X_OK) == 0; }

QString canonical(const QString &path) { return QFileInfo(path).canonicalFilePath(); }

bool samePath(const QString &a, const QString &b) { return !a.isEmpty() && !b.isEmpty() && a == b; }

// Whether canonical path `inner` lies in canonical folder `outer`, at any depth.
bool liesIn(const QString &inner, const QString &outer)
{
    if (inner.isEmpty() || outer.isEmpty())
        return false;
    const QString prefix = outer.endsWith(QLatin1Char('/')) ? outer : outer + QLatin1Char('/');
    return inner.startsWith(prefix);
}

bool openFile(Conn &c, const QString &path, int flags)
{
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &c.db, flags, nullptr) != SQLITE_OK)
        return false;
    sqlite3_busy_timeout(c.db, 2000);
    return true;
}

// Puts a table file in the program's journal mode: a copy left in
// write-ahead-log mode gets its rollback journal back (and no -wal or -shm
// file stays beside it). The engine's result code.
int toRollbackJournal(sqlite3 *db)
{
    sqlite3_stmt *st = nullptr;
    int rc = sqlite3_prepare_v2(db, "PRAGMA journal_mode", -1, &st, nullptr);
    QByteArray mode;
    if (rc == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
        mode = QByteArray(reinterpret_cast<const char *>(sqlite3_column_text(st, 0))).toLower();
    sqlite3_finalize(st);
    if (rc != SQLITE_OK)
        return rc;
    return mode == "wal" ? sqlite3_exec(db, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr) : SQLITE_OK;
}

int toRollbackJournal(const QString &path)
{
    Conn c;
    if (!openFile(c, path, SQLITE_OPEN_READWRITE))
        return c.db ? sqlite3_extended_errcode(c.db) : SQLITE_CANTOPEN;
    return toRollbackJournal(c.db);
}

DbFault faultOf(int error) { return pf::db::faultOfSystemError(error); }

// What stopped a read or a copy of one file.
enum class Copy { Done, NotRead, NotPlain, Link, TooLong, NotWritten };

// Reads the opened file in pieces, at most `limit` bytes (a longer file
// stops the read), into the sum (after `salt`) and, unless `to` is null,
// into `to`.
Copy copySummed(const PlainFile &opened, qint64 limit, const QByteArray &salt, NewFile *to, QByteArray *sum,
                qint64 *size)
{
    if (opened.link)
        return Copy::Link;
    if (opened.notPlain)
        return Copy::NotPlain;
    QFile in;
    if (!opened.ok() || !in.open(opened.fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return Copy::NotRead;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(salt);
    std::vector<char> piece(static_cast<size_t>(kPiece));
    qint64 total = 0;
    for (;;) {
        const qint64 n = in.read(piece.data(), kPiece);
        if (n < 0)
            return Copy::NotRead;
        if (n == 0)
            break;
        total += n;
        if (total > limit)
            return Copy::TooLong;
        hash.addData(QByteArrayView(piece.data(), n));
        if (to && !to->write(piece.data(), n))
            return Copy::NotWritten;
    }
    *sum = hash.result().toHex();
    *size = total;
    return Copy::Done;
}

// Why a write into the backup folder failed, for the user.
QString backupWriteWhy(DbFault fault, const QString &notWritten)
{
    switch (fault) {
    case DbFault::DiskFull:
        return kBackupFolderFull;
    case DbFault::ReadOnly:
    case DbFault::Missing:
        return kBackupFolderReadOnly;
    default:
        return notWritten;
    }
}

// Why a write into the data folder failed, for the user.
QString dataWriteWhy(DbFault fault, const QString &notWritten)
{
    return fault == DbFault::Other ? notWritten : DbError(fault, {}, QString()).message();
}

// Copies the open source into `name` (made anew) in `folder` through the
// online backup, in the program's journal mode; the engine's result code.
int backupInto(sqlite3 *src, const Folder &folder, const QString &name)
{
    removeWithCompanions(folder, name);
    Conn out;
    if (!openFile(out, folder.filePath(name), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE))
        return out.db ? sqlite3_extended_errcode(out.db) : SQLITE_CANTOPEN;
    sqlite3_backup *b = sqlite3_backup_init(out.db, "main", src, "main");
    if (!b)
        return sqlite3_extended_errcode(out.db);
    int rc;
    int waits = 0;
    while ((rc = sqlite3_backup_step(b, -1)) == SQLITE_BUSY || rc == SQLITE_LOCKED) {
        if (++waits > 40)
            break;
        sqlite3_sleep(50);
    }
    const int finish = sqlite3_backup_finish(b);
    if (rc != SQLITE_DONE)
        return rc;
    return finish != SQLITE_OK ? finish : toRollbackJournal(out.db);
}

// The entry among `names` that is `name` (an exact match wins), or one
// that differs from it only in letter case; empty when there is none.
QString findName(const QStringList &names, const QString &name)
{
    if (names.contains(name))
        return name;
    for (const QString &n : names)
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return n;
    return QString();
}

// A second entry among `names` that differs from `name` only in letter case.
QString otherCase(const QStringList &names, const QString &name)
{
    for (const QString &n : names)
        if (n != name && n.compare(name, Qt::CaseInsensitive) == 0)
            return n;
    return QString();
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
        return DbError(DbFault::Damaged, {file}, QString()).message();
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
    case P::Trigger:
        return QStringLiteral("جدول %1 تريگر %2 دارد كه اين برنامه نمي سازد").arg(file, shown(c.name));
    case P::View:
        return QStringLiteral("پرونده %1 نماي %2 را دارد كه اين برنامه نمي سازد").arg(file, shown(c.name));
    case P::ExtraTable:
        return QStringLiteral("پرونده %1 جدول ديگري به نام %2 دارد كه اين برنامه نمي سازد").arg(file, shown(c.name));
    case P::ExtraField:
        return QStringLiteral("جدول %1 فيلد %2 را دارد كه اين برنامه نمي سازد").arg(file, shown(c.name));
    case P::ExtraIndex:
        return QStringLiteral("جدول %1 شاخص %2 را دارد كه اين برنامه نمي سازد").arg(file, shown(c.name));
    }
    return QString();
}

// The joins the program walks: every row of a table belongs to a row of
// its owner with the same key.
struct Join {
    const char *file;
    const char *owner;
    QString ownerKind; // what the owner's rows are, for the message
    QStringList keys;  // the same names in both tables
};

const std::vector<Join> &joins()
{
    static const QStringList unit = {QStringLiteral("Shproje"), QStringLiteral("Shsk"), QStringLiteral("Tabage"),
                                     QStringLiteral("Shvahed")};
    static const std::vector<Join> all = {
        {"bankvh.DB", "Bank1.DB", QStringLiteral("پروژه اي"), {QStringLiteral("Shproje")}},
        {"bankfz.DB", "bankvh.DB", QStringLiteral("واحدي"), unit},
        {"bankjd.DB", "bankfz.DB", QStringLiteral("فضايي"), unit + QStringList{QStringLiteral("Codefaza")}},
        {"TypMas.DB", "Bank1.DB", QStringLiteral("پروژه اي"), {QStringLiteral("Shproje")}},
        {"Tajhizat.DB", "Bank1.DB", QStringLiteral("پروژه اي"), {QStringLiteral("Shproje")}},
    };
    return all;
}

QString quoted(const QString &id) { return QLatin1Char('"') + QString(id).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"'); }

// The rows of the tables in `folder` (each checked on its own already) that
// belong to nothing: the first table with any, as the message's second line
// (`file` names it); empty when every row has its owner.
QString rowsWithoutOwner(const QString &folder, QString *file)
{
    Conn c;
    if (sqlite3_open_v2(":memory:", &c.db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
        return kNoMemory;
    pf::db::registerPersianCollation(c.db);
    QHash<QString, QString> schemaOf; // file name -> schema name
    auto attach = [&](const char *name) -> int {
        const QString fileName = QLatin1String(name);
        if (schemaOf.contains(fileName))
            return SQLITE_OK;
        const QString schemaName = QStringLiteral("s%1").arg(schemaOf.size());
        sqlite3_stmt *st = nullptr;
        const QByteArray sql = QStringLiteral("ATTACH ? AS %1").arg(schemaName).toUtf8();
        int rc = sqlite3_prepare_v2(c.db, sql.constData(), -1, &st, nullptr);
        const QByteArray path = QDir(folder).filePath(fileName).toUtf8();
        if (rc == SQLITE_OK) {
            sqlite3_bind_text(st, 1, path.constData(), int(path.size()), SQLITE_TRANSIENT);
            rc = sqlite3_step(st) == SQLITE_DONE ? SQLITE_OK : sqlite3_extended_errcode(c.db);
        }
        sqlite3_finalize(st);
        if (rc == SQLITE_OK)
            schemaOf.insert(fileName, schemaName);
        return rc;
    };
    for (const Join &j : joins()) {
        int rc = attach(j.file);
        const char *failed = j.file;
        if (rc == SQLITE_OK) {
            rc = attach(j.owner);
            failed = j.owner;
        }
        if (rc == SQLITE_OK) {
            // Each row of the table against every row of its owner: a row no
            // owner row matches is counted (a key left empty matches an empty
            // key, as the program's links take it).
            QStringList on;
            QStringList ownerKeys;
            for (int i = 0; i < j.keys.size(); ++i) {
                ownerKeys << QStringLiteral("%1 AS k%2").arg(quoted(j.keys[i])).arg(i);
                on << QStringLiteral("o.k%1 IS t.%2").arg(i).arg(quoted(j.keys[i]));
            }
            const QString sql =
                QStringLiteral("SELECT count(*) FROM %1.%2 AS t LEFT JOIN (SELECT %3, 1 AS found FROM %4.%5) AS o "
                               "ON %6 WHERE o.found IS NULL")
                    .arg(schemaOf.value(QLatin1String(j.file)), quoted(pf::db::tableNameOf(QLatin1String(j.file))),
                         ownerKeys.join(QStringLiteral(", ")), schemaOf.value(QLatin1String(j.owner)),
                         quoted(pf::db::tableNameOf(QLatin1String(j.owner))), on.join(QStringLiteral(" AND ")));
            sqlite3_stmt *st = nullptr;
            rc = sqlite3_prepare_v2(c.db, sql.toUtf8().constData(), -1, &st, nullptr);
            qint64 count = 0;
            if (rc == SQLITE_OK) {
                if (sqlite3_step(st) == SQLITE_ROW)
                    count = sqlite3_column_int64(st, 0);
                else
                    rc = sqlite3_extended_errcode(c.db);
            }
            sqlite3_finalize(st);
            failed = j.file;
            if (rc == SQLITE_OK && count > 0) {
                *file = QLatin1String(j.file);
                return kOrphans.arg(count).arg(QLatin1String(j.file), j.ownerKind);
            }
        }
        if (rc != SQLITE_OK) {
            *file = QLatin1String(failed);
            const DbFault f = pf::db::faultOfEngineCode(rc);
            return DbError(f == DbFault::Other ? DbFault::Damaged : f, {*file}, QString()).message();
        }
    }
    return QString();
}

struct Listed {
    qint64 size = -1;
    QByteArray sum; // SHA-256, hex
};

struct Manifest {
    QByteArray salt;              // read into each file's sum before its bytes: the backup's identity
    QHash<QString, Listed> files; // by file name in lower case
    QStringList names;            // as listed
    QString badName;              // a name that is no table of the program
    QString twice;                // a name listed before in another letter case
};

enum class ListState { Read, Missing, NotRead, NotPlain, Empty, BadName, Twice, OtherFormat, Altered };

QByteArray sumOf(const QByteArray &bytes) { return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex(); }

// The list of a backup folder. Its lines end with a line feed, a carriage
// return before it being no part of the line. A list of the present format
// names its backup's identity first and ends with the sum of every line
// above: no line is taken before that sum is checked.
ListState readManifest(const Folder &folder, Manifest *out)
{
    const PlainFile opened = folder.openPlain(QLatin1String(kManifestName));
    if (opened.notPlain)
        return ListState::NotPlain;
    if (!opened.ok())
        return opened.error == ENOENT || opened.error == ENOTDIR ? ListState::Missing : ListState::NotRead;
    QFile f;
    if (!f.open(opened.fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return ListState::NotRead;
    if (f.size() > kMaxListBytes)
        return ListState::OtherFormat;
    QList<QByteArray> lines;
    for (QByteArray line : f.read(kMaxListBytes).split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.isEmpty())
            lines << line;
    }
    if (lines.isEmpty())
        return ListState::Empty;
    qsizetype first = 1;
    qsizetype end = lines.size();
    if (lines.first() == kManifestHeader) {
        const QList<QByteArray> identity = lines.value(1).split('\t');
        const QList<QByteArray> sum = lines.last().split('\t');
        if (lines.size() < 3 || sum.size() != 2 || sum[0] != kSumKey)
            return ListState::Altered;
        QByteArray body;
        for (qsizetype i = 0; i + 1 < lines.size(); ++i)
            body += lines[i] + '\n';
        if (sumOf(body) != sum[1])
            return ListState::Altered;
        if (identity.size() != 2 || identity[0] != kIdentityKey || identity[1].isEmpty())
            return ListState::OtherFormat;
        out->salt = identity[1];
        first = 2;
        end = lines.size() - 1;
    } else if (lines.first() != kEarlierHeader) {
        return ListState::OtherFormat;
    }
    for (qsizetype i = first; i < end; ++i) {
        const QList<QByteArray> parts = lines[i].split('\t');
        bool ok = false;
        const qint64 size = parts.value(1).toLongLong(&ok);
        const QString name = QString::fromUtf8(parts.value(0));
        if (parts.size() != 3 || !ok || size < 0)
            return ListState::OtherFormat;
        // A plain name of one of the program's tables: no folder, no way
        // up, no character a name of ours never has.
        if (!isTableName(name)) {
            out->badName = name;
            return ListState::BadName;
        }
        // One table named twice: which of the two is meant cannot be told.
        if (out->files.contains(name.toLower())) {
            out->badName = findName(out->names, name);
            out->twice = name;
            return ListState::Twice;
        }
        out->files.insert(name.toLower(), {size, parts[2]});
        out->names << name;
    }
    return ListState::Read;
}

// Whether the list names every table of the program.
bool listsEveryTable(const Manifest &m)
{
    for (const auto &t : schema::dataFolderTables())
        if (!m.files.contains(t.fileName.toLower()))
            return false;
    return true;
}

// Whether the folder holds nothing but what a backup of the program writes.
bool holdsOnlyOwn(const Folder &folder)
{
    int error = 0;
    const QStringList names = folder.entries(&error);
    if (error != 0)
        return false;
    for (const QString &e : names)
        if (!ownInBackup(e) || folder.kind(e) != EntryKind::File)
            return false;
    return true;
}

// A folder among `there`, the entries of `into`, that stands in the place
// of one of `files` (in any letter case) or of the list; empty when none.
QString folderInPlace(const Folder &into, const QStringList &there, const QStringList &files)
{
    for (const QString &entry : there)
        if (into.kind(entry) == EntryKind::Folder &&
            (entry == QLatin1String(kManifestName) ||
             std::any_of(files.begin(), files.end(), [&](const QString &f) { return isCopyOf(entry, f); })))
            return entry;
    return QString();
}

// Puts the whole backup in the folder `freshName` of `into` in the place of
// the one `into` holds, beside whatever else it holds: each table of the
// new backup takes its name, what stood there of that table (in any letter
// case, its companions too) set aside in a folder of the program's own, and
// the new list comes last, in one rename over the earlier list. Stopped
// anywhere, it is done again from where it stopped: a table still in the
// fresh folder has not taken its place yet, and until the new list is in,
// the fresh folder keeps its own.
std::error_code switchInto(const Folder &into, const QString &freshName, const QStringList &files, const Tick &tick)
{
    int error = 0;
    const Folder fresh = into.folder(freshName, &error);
    if (!fresh.isOpen())
        return systemError(error);
    // What a stopped switch set aside is the only copy of those tables of
    // the earlier backup: taken on, never emptied.
    const QString asideName = QLatin1String(kEarlierFolder);
    const Folder aside = into.kind(asideName) == EntryKind::Folder ? into.folder(asideName, &error)
                                                                   : ownFolder(into, asideName, ownInBackup, &error);
    if (!aside.isOpen())
        return systemError(error);
    const QStringList there = into.entries(&error);
    if (error != 0)
        return systemError(error);
    // A folder in the place of a table (or of the list) would stop the
    // switch half way: nothing is moved then.
    if (!folderInPlace(into, there, files).isEmpty())
        return std::make_error_code(std::errc::is_a_directory);
    for (const QString &file : files) {
        if (fresh.kind(file) != EntryKind::File)
            continue; // in its place already
        for (const QString &earlier : there)
            if (isCopyOf(earlier, file) && isEntry(into.kind(earlier)) && !into.rename(earlier, aside, earlier, &error))
                return systemError(error);
        if (!fresh.rename(file, into, file, &error))
            return systemError(error);
        step(tick);
    }
    if (!fresh.rename(QLatin1String(kManifestName), into, QLatin1String(kManifestName), &error))
        return systemError(error);
    step(tick);
    if (!into.sync(&error))
        return systemError(error);
    return {};
}

// What backups stopped on the way left in `into`, a folder that takes its
// tables beside other files: a new backup whole in its folder is put in
// place (its switch done to the end), anything else of their own goes.
// `left` receives the folders that stay. A switch that fails again keeps
// the new backup's folder and what was set aside for the next try: false
// then.
bool finishInterruptedBackups(const Folder &into, QStringList *left = nullptr)
{
    bool finished = true;
    for (int n = 1; n <= kFreshFolders; ++n) {
        const QString name = QLatin1String(kFreshFolder) + (n == 1 ? QString() : QString::number(n));
        if (into.kind(name) != EntryKind::Folder)
            continue;
        Manifest m;
        if (readManifest(into.folder(name), &m) == ListState::Read && listsEveryTable(m) &&
            switchInto(into, name, m.names, {})) {
            finished = false;
            if (left)
                *left << into.filePath(name);
            continue;
        }
        if (!into.removeOwnFolder(name, ownInBackup) && left)
            *left << into.filePath(name);
    }
    if ((!finished || !into.removeOwnFolder(QLatin1String(kEarlierFolder), ownInBackup)) && left)
        *left << into.filePath(QLatin1String(kEarlierFolder));
    return finished;
}

// A backup stopped between setting an earlier one aside and putting the
// new one in its place: the earlier one goes back.
void putBackEarlier(const Folder &parent)
{
    const QString target = QLatin1String(kBackupFolderName);
    if (parent.kind(target) == EntryKind::None && parent.kind(QLatin1String(kEarlierFolder)) == EntryKind::Folder)
        parent.rename(QLatin1String(kEarlierFolder), parent, target);
    parent.removeOwnFolder(QLatin1String(kEarlierFolder), ownInBackup);
}

// Puts the fresh folder in the place of "BackubData" in `parent`: exchanged
// with an earlier backup in one step where the file system can, else the
// earlier one set aside first. The fresh folder holds the earlier backup
// (or nothing) afterwards.
std::error_code putInPlace(const Folder &parent, const QString &freshName, const Tick &tick)
{
    const QString target = QLatin1String(kBackupFolderName);
    const QString earlier = QLatin1String(kEarlierFolder);
    int error = 0;
    if (parent.kind(target) == EntryKind::None) {
        if (!parent.rename(freshName, parent, target, &error))
            return systemError(error);
        step(tick);
        return {};
    }
    if (parent.exchange(freshName, target, &error)) {
        step(tick);
        return {};
    }
    if (error != ENOSYS && error != EINVAL)
        return systemError(error);
    if (!parent.rename(target, parent, earlier, &error))
        return systemError(error);
    step(tick);
    if (!parent.rename(freshName, parent, target, &error)) {
        parent.rename(earlier, parent, target);
        return systemError(error);
    }
    step(tick);
    parent.removeOwnFolder(earlier, ownInBackup);
    return {};
}

// What a backup stopped on the way left at `backupFolder` (a "BackubData"
// set aside beside it, a new backup half put in place inside it): finished
// or undone, touching only the program's own names.
void recoverInterruptedBackup(const QString &backupFolder)
{
    QString folder = backupFolder;
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    if (QFileInfo(folder).fileName() == QLatin1String(kBackupFolderName))
        if (const Folder parent = Folder::open(QFileInfo(folder).absolutePath(), true); parent.isOpen())
            putBackEarlier(parent);
    if (const Folder into = Folder::open(folder, true); into.isOpen())
        finishInterruptedBackups(into);
}

// Why the engine could not open or read a table file of the data folder.
QString sourceWhy(sqlite3 *db, int rc, const QString &file)
{
    DbFault f = pf::db::faultOfEngineCode(rc);
    if ((rc & 0xff) == SQLITE_CANTOPEN && db) {
        const int error = sqlite3_system_errno(db);
        if (error == EACCES || error == EPERM)
            return kLiveNotRead.arg(file);
        const DbFault system = faultOf(error);
        if (system != DbFault::Other)
            f = system;
    }
    return DbError(f == DbFault::Other ? DbFault::Damaged : f, {file}, QString()).message();
}

// Why a table file of the data folder cannot be read, before the engine
// opens it; empty when it can be.
QString liveFileWhy(const QString &path, const QString &file)
{
    const PlainFile opened = pf::sys::openPlainFile(path);
    if (opened.ok()) {
        ::close(opened.fd);
        return QString();
    }
    if (opened.notPlain)
        return kNotPlainInData.arg(file);
    if (opened.error == EACCES || opened.error == EPERM)
        return kLiveNotRead.arg(file);
    return QString(); // the engine says why
}

// The folder a backup is being made in: where it stands and its name.
struct Fresh {
    Folder place;
    QString name;
    bool keep = false; // part of it may stand in its place already: it is finished later, not removed
};

BackupResult makeBackup(const QString &dataFolder, const QString &chosen, const Tick &tick, Fresh *fresh)
{
    BackupResult r;
    r.target = backupTarget(chosen);
    r.message = kBackupFailed;
    auto fail = [&](const QString &why, Outcome outcome = Outcome::Failed, const QString &first = kBackupFailed) {
        r.outcome = outcome;
        r.message = first + QLatin1Char('\n') + why;
        return r;
    };
    const QString notPlaced = kNotPlaced.arg(QLatin1String(kBackupFolderName));
    if (dataFolder.isEmpty() || !QFileInfo(dataFolder).isDir())
        return fail(DbError(DbFault::Missing, {}, QString()).message(), Outcome::Failed, kBackupDataFailed);
    if (QFileInfo(chosen).exists() && !QFileInfo(chosen).isDir())
        return fail(kNotAFolder);
    const QString parentPath = QFileInfo(r.target).absolutePath();
    // The folders the backup makes, each to be synced in the one above it.
    QStringList made;
    for (QString p = parentPath; entryKind(p) == EntryKind::None;) {
        made.prepend(p);
        const QString up = QFileInfo(p).absolutePath();
        if (up == p)
            break;
        p = up;
    }
    if (const std::error_code ec = makeFolders(parentPath)) {
        return fail(ec == std::errc::not_a_directory || ec == std::errc::file_exists
                        ? kNotAFolder
                        : backupWriteWhy(faultOf(ec.value()), notPlaced));
    }
    int error = 0;
    const Folder parent = Folder::open(parentPath, true, &error);
    if (!parent.isOpen())
        return fail(backupWriteWhy(faultOf(error), notPlaced));
    putBackEarlier(parent);

    // Where the copies go. A "BackubData" that is a link: into the folder it
    // names, beside what that folder holds, never through the link; one
    // that holds more than an earlier backup: into it likewise. Otherwise
    // the whole folder is made anew and takes its place.
    const QString targetName = QLatin1String(kBackupFolderName);
    Folder into;
    switch (parent.kind(targetName)) {
    case EntryKind::Link:
        if (targetKind(parent.filePath(targetName)) != EntryKind::Folder)
            return fail(kLinkNotFolder.arg(targetName));
        into = Folder::open(parent.filePath(targetName), true, &error);
        if (!into.isOpen())
            return fail(kLinkNotFolder.arg(targetName));
        break;
    case EntryKind::File:
    case EntryKind::Other:
        return fail(kTargetIsFile.arg(targetName));
    case EntryKind::Folder: {
        const Folder held = parent.folder(targetName, &error);
        if (held.isOpen() && !holdsOnlyOwn(held))
            into = held;
        break;
    }
    case EntryKind::None:
    case EntryKind::Unknown:
        break;
    }
    // The backup's place against the data folder, links resolved.
    const QString data = canonical(dataFolder);
    const QString target = into.isOpen() ? canonical(parent.filePath(targetName))
                                         : canonical(parentPath) + QLatin1Char('/') + targetName;
    if (samePath(target, data))
        return fail(kSameAsData, Outcome::SameFolder);
    if (liesIn(target, data))
        return fail(kIntoData, Outcome::SameFolder);
    if (liesIn(data, target))
        return fail(kHoldsData, Outcome::SameFolder);
    // What a backup stopped there on the way left is finished first; a
    // folder standing in a table's place there takes no backup.
    if (into.isOpen()) {
        // One that cannot be finished now is not mixed with a new one.
        if (QStringList left; !finishInterruptedBackups(into, &left)) {
            for (QString &l : left)
                l = QDir::toNativeSeparators(l);
            return fail(left.size() == 1 ? kLeftoverBlocks.arg(left.first()) : kLeftoversBlock.arg(joined(left)));
        }
        QStringList names;
        for (const auto &t : schema::dataFolderTables())
            names << t.fileName;
        if (const QString folder = folderInPlace(into, into.entries(), names); !folder.isEmpty())
            return fail(kFolderInBackup.arg(shown(folder)));
    }

    // The folder the backup is made in, beside its place or inside it. One
    // an earlier backup left and cannot be removed is passed over.
    const Folder &home = into.isOpen() ? into : parent;
    QStringList leftovers;
    for (int n = 1; n <= kFreshFolders && fresh->name.isEmpty(); ++n) {
        const QString candidate = QLatin1String(kFreshFolder) + (n == 1 ? QString() : QString::number(n));
        home.removeOwnFolder(candidate, ownInBackup);
        if (home.kind(candidate) != EntryKind::None) {
            leftovers << QDir::toNativeSeparators(home.filePath(candidate));
            continue;
        }
        if (!home.makeFolder(candidate, &error))
            return fail(backupWriteWhy(faultOf(error), notPlaced));
        fresh->place = home;
        fresh->name = candidate;
    }
    if (fresh->name.isEmpty())
        return fail(leftovers.size() == 1 ? kLeftoverBlocks.arg(leftovers.first()) : kLeftoversBlock.arg(joined(leftovers)));
    const Folder copies = home.folder(fresh->name, &error);
    if (!copies.isOpen())
        return fail(backupWriteWhy(faultOf(error), notPlaced));

    const auto &tables = schema::dataFolderTables();
    r.tableFiles = int(tables.size());
    const QStringList live = tableFilesOf(dataFolder);
    QString why;
    bool inData = false; // what stops the backup is in the data folder
    auto failed = [&](const QString &file, const QString &text, bool ofData) {
        r.failed << file;
        if (why.isEmpty()) {
            why = text;
            inData = ofData;
        }
    };
    // Every source is opened and read first: while these reads hold, no
    // write commits, so the copies show the data folder as of one moment.
    std::vector<std::unique_ptr<Conn>> sources;
    for (const auto &t : tables) {
        const QString name = findName(live, t.fileName);
        auto c = std::make_unique<Conn>();
        const QString path = QDir(dataFolder).filePath(name.isEmpty() ? t.fileName : name);
        const QString unreadable = liveFileWhy(path, t.fileName);
        if (!unreadable.isEmpty()) {
            failed(t.fileName, unreadable, true);
            c.reset();
        } else if (name.isEmpty()) {
            failed(t.fileName, kNotInData.arg(t.fileName), true);
            c.reset();
        } else if (!openFile(*c, path, SQLITE_OPEN_READONLY) ||
                   sqlite3_exec(c->db, "BEGIN; SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) !=
                       SQLITE_OK) {
            failed(t.fileName, sourceWhy(c->db, c->db ? sqlite3_extended_errcode(c->db) : SQLITE_CANTOPEN, t.fileName),
                   true);
            c.reset();
        }
        sources.push_back(std::move(c));
    }
    const QByteArray identity = QUuid::createUuid().toByteArray(QUuid::Id128);
    QByteArray manifest = QByteArray(kManifestHeader) + '\n' + kIdentityKey + '\t' + identity + '\n';
    QStringList files;
    for (int i = 0; i < tables.size() && r.failed.isEmpty(); ++i) {
        const QString file = tables[i].fileName;
        const int rc = backupInto(sources[i]->db, copies, file);
        if (rc != SQLITE_OK) {
            const DbFault f = pf::db::faultOfEngineCode(rc);
            const bool ofData = f == DbFault::Damaged || f == DbFault::Busy;
            failed(file, ofData ? DbError(f, {file}, QString()).message() : backupWriteWhy(f, kNotWritten.arg(file)),
                   ofData);
            break;
        }
        sources[i].reset();
        step(tick);
        // What a restore would refuse is no backup.
        const pf::db::TableCheck check = pf::db::checkTableFile(copies.filePath(file), tables[i]);
        if (!check.ok()) {
            failed(file, problemText(file, check), true);
            break;
        }
        // Summed as it stands in the folder held open: a copy the engine
        // was led to write elsewhere is not there.
        QByteArray sum;
        qint64 size = 0;
        if (copySummed(copies.openPlain(file), std::numeric_limits<qint64>::max(), identity, nullptr, &sum, &size) !=
            Copy::Done) {
            failed(file, kNotWritten.arg(file), false);
            break;
        }
        manifest += file.toUtf8() + '\t' + QByteArray::number(size) + '\t' + sum + '\n';
        files << file;
        ++r.copied;
    }
    sources.clear();
    if (r.failed.isEmpty()) {
        QString file;
        const QString orphans = rowsWithoutOwner(copies.path(), &file);
        if (!orphans.isEmpty())
            failed(file, orphans, true);
    }
    if (!r.failed.isEmpty())
        return fail(why, Outcome::Failed, inData ? kBackupDataFailed : kBackupFailed);
    // The list last, with the sum of all it says: a folder without it, or
    // with a list cut short, is no backup.
    manifest += QByteArray(kSumKey) + '\t' + sumOf(manifest) + '\n';
    NewFile list(copies, QLatin1String(kManifestName));
    list.write(manifest.constData(), manifest.size());
    if (!list.finish())
        return fail(backupWriteWhy(faultOf(list.error()), kListNotWritten));
    step(tick);
    if (!copies.sync(&error))
        return fail(backupWriteWhy(faultOf(error), kListNotWritten));
    step(tick);
    // From here the new backup is whole: one stopped beside other files is
    // finished by the next backup or restore, so its folder stays.
    fresh->keep = into.isOpen();
    const std::error_code placed =
        into.isOpen() ? switchInto(into, fresh->name, files, tick) : putInPlace(parent, fresh->name, tick);
    if (placed)
        return fail(backupWriteWhy(faultOf(placed.value()), notPlaced));
    // The new backup stands in its place now; what it replaced (exchanged
    // into the fresh folder, or set aside) is no longer to be removed as a
    // backup being made.
    fresh->keep = true;
    // The renames last through a power cut before the backup is said made,
    // and so do the folders the backup made.
    bool synced = home.sync() && (!into.isOpen() || parent.sync());
    for (const QString &folder : std::as_const(made))
        synced = synced && Folder::open(QFileInfo(folder).absolutePath(), true).sync();
    step(tick);
    r.outcome = Outcome::Done;
    r.message = kBackupDone;
    const QString replaced = into.isOpen() ? QLatin1String(kEarlierFolder) : fresh->name;
    if (!synced) {
        // Made and in place, yet a power cut may still undo the renames:
        // what it replaced stays beside it until a later backup.
        r.message += QLatin1Char('\n') + kPlacedNotSynced.arg(QLatin1String(kBackupFolderName));
        if (home.kind(replaced) == EntryKind::Folder)
            r.message += QLatin1Char('\n') + kEarlierKept.arg(QDir::toNativeSeparators(home.filePath(replaced)));
        if (into.isOpen() && !home.removeOwnFolder(fresh->name, ownInBackup))
            r.message += QLatin1Char('\n') + kMadeNotRemoved.arg(QDir::toNativeSeparators(home.filePath(fresh->name)));
        fresh->name.clear();
        return r;
    }
    // What is left of the replaced backup: the new one stands, the old one
    // is said to remain, and the next backup passes it over.
    fresh->keep = false;
    if (!home.removeOwnFolder(replaced, ownInBackup))
        r.message += QLatin1Char('\n') + kEarlierNotRemoved.arg(QDir::toNativeSeparators(home.filePath(replaced)));
    if (into.isOpen() && !home.removeOwnFolder(fresh->name, ownInBackup))
        r.message += QLatin1Char('\n') + kMadeNotRemoved.arg(QDir::toNativeSeparators(home.filePath(fresh->name)));
    home.sync();
    fresh->name.clear();
    return r;
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
    const QString chosen = chosenFolder.trimmed();
    if (chosen.isEmpty()) {
        BackupResult r;
        r.outcome = Outcome::NoPath;
        r.message = kNoBackupPath;
        return r;
    }
    Fresh fresh;
    BackupResult r;
    try {
        r = makeBackup(dataFolder, chosen, tick, &fresh);
    } catch (const std::bad_alloc &) {
        r = BackupResult();
        r.target = backupTarget(chosen);
        r.message = kBackupFailed + QLatin1Char('\n') + kNoMemory;
    }
    // Nothing of a backup being made stays beside the destination, unless
    // it is whole and on its way into its place.
    if (!fresh.name.isEmpty() && !fresh.keep)
        fresh.place.removeOwnFolder(fresh.name, ownInBackup);
    return r;
}

Recovery recoverInterruptedRestore(const QString &dataFolder)
{
    Recovery rec;
    const Folder data = Folder::open(dataFolder, true);
    if (!data.isOpen())
        return rec;
    const QString previousName = QLatin1String(kPreviousFolder);
    const QString stageName = QLatin1String(kStageFolder);
    auto relative = [](const QString &folder, const QString &name) { return folder + QLatin1Char('/') + shown(name); };
    // Only the program's own folders are walked: anything else of those
    // names (a link, a file) goes as the entry it is, never followed.
    for (const QString &name : {previousName, stageName}) {
        if (isEntry(data.kind(name)) && data.remove(name))
            rec.removed << name;
    }
    bool trusted = true;
    const Folder previous = data.kind(previousName) == EntryKind::Folder ? data.folder(previousName) : Folder();
    if (previous.isOpen()) {
        const PlainFile opened = previous.openPlain(QLatin1String(kSwapMarker));
        QFile m;
        // Only a marker that is not there says the restore got past it; one
        // that is there but cannot be read (a link, no right to it, the
        // system out of handles) is not trusted, and its folder waits.
        if (opened.notPlain || (!opened.ok() && opened.error != ENOENT)) {
            trusted = false;
        } else if (opened.ok() && !m.open(opened.fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
            ::close(opened.fd);
            trusted = false;
        } else if (opened.ok()) {
            // The marker names every file the restore was putting in place,
            // each with "1" when a live file of that name was being replaced.
            // A line of any other kind (a path, a name that is none of the
            // program's tables) is no marker of the program: then nothing
            // is done by it.
            struct Line {
                QString name;
                bool replaced;
            };
            std::vector<Line> plan;
            const QByteArray text = m.read(kMaxListBytes);
            QSet<QString> seen;
            for (const QByteArray &line : text.split('\n')) {
                if (line.isEmpty())
                    continue;
                const QList<QByteArray> parts = line.split('\t');
                const QString name = QString::fromUtf8(parts.value(0));
                if (parts.size() != 2 || (parts[1] != "0" && parts[1] != "1") || !isTableName(name) ||
                    seen.contains(name.toLower())) {
                    trusted = false;
                    break;
                }
                seen.insert(name.toLower());
                plan.push_back({name, parts[1] == "1"});
            }
            m.close();
            for (size_t i = 0; trusted && i < plan.size(); ++i) {
                const QString &name = plan[i].name;
                if (!plan[i].replaced) {
                    removeWithCompanions(data, name);
                    if (isEntry(data.kind(name)))
                        return rec; // tried again on the next start
                    continue;
                }
                if (!isEntry(previous.kind(name)))
                    continue; // not moved yet: the live file is the previous one
                for (const char *c : kCompanions)
                    if (isEntry(data.kind(name + QLatin1String(c))))
                        data.remove(name + QLatin1String(c));
                if (!previous.rename(name, data, name))
                    return rec;
                for (const char *c : kCompanions)
                    if (isEntry(previous.kind(name + QLatin1String(c))))
                        previous.rename(name + QLatin1String(c), data, name + QLatin1String(c));
            }
            if (trusted) {
                // The previous files are back for good before the marker goes.
                data.sync();
                previous.remove(QLatin1String(kSwapMarker));
                previous.sync();
                rec.putBack = true;
            }
        }
        if (!trusted)
            rec.ignored << relative(previousName, QLatin1String(kSwapMarker));
    }
    // A marker that is not the program's leaves its folder as it is.
    for (const QString &name : trusted ? QStringList{previousName, stageName} : QStringList{stageName}) {
        QStringList left;
        data.removeOwnFolder(name, name == previousName ? ownInPrevious : ownInStage, &left);
        for (const QString &entry : std::as_const(left))
            rec.ignored << relative(name, entry);
    }
    QStringList said;
    if (!rec.removed.isEmpty())
        said << kPlantedRemoved.arg(joined(rec.removed));
    if (!rec.ignored.isEmpty())
        said << kNotOurs.arg(joined(rec.ignored));
    rec.message = said.join(QLatin1Char('\n'));
    return rec;
}

namespace {

// The restore up to the swap and the swap itself; `closed` is set once the
// database is closed.
RestoreResult restoreFrom(pf::db::Database &db, const QString &source, const Tick &tick, bool *closed)
{
    RestoreResult r;
    // What a backup stopped on the way left there is finished or undone
    // first, so that the folder holds one backup whole.
    recoverInterruptedBackup(source);
    Folder src;
    // A folder that cannot be read is said to be so, not taken for one
    // without tables.
    if (targetKind(source) == EntryKind::Folder) {
        int error = 0;
        src = Folder::open(source, true, &error);
        int listing = error;
        if (src.isOpen())
            src.entries(&listing);
        if (listing != 0) {
            r.outcome = Outcome::Refused;
            r.message = kRestoreFailed + QLatin1Char('\n') +
                        (listing == EACCES && canEnter(source) ? kFolderNotListed : kFolderNotRead)
                            .arg(QDir::toNativeSeparators(source));
            return r;
        }
    }
    const QStringList files = src.isOpen() ? tableFilesOf(source) : QStringList();
    Manifest listed;
    const ListState list = src.isOpen() ? readManifest(src, &listed) : ListState::Missing;
    if (files.isEmpty() && list == ListState::Missing) {
        r.outcome = Outcome::NoTables;
        r.message = kNoRestorePath;
        return r;
    }
    r.message = kRestoreFailed;
    QString dataFolder = db.directory();
    while (dataFolder.size() > 1 && dataFolder.endsWith(QLatin1Char('/')))
        dataFolder.chop(1);
    const Folder data = dataFolder.isEmpty() ? Folder() : Folder::open(dataFolder, true);
    if (!data.isOpen()) {
        r.message += QLatin1Char('\n') + DbError(DbFault::Missing, {}, QString()).message();
        return r;
    }
    const QString stageName = QLatin1String(kStageFolder);
    const QString previousName = QLatin1String(kPreviousFolder);
    // The data folder itself, or a folder of a restore's own, which the
    // restore empties.
    const QString from = canonical(source);
    const QString stagePath = canonical(data.filePath(stageName));
    const QString previousPath = canonical(data.filePath(previousName));
    if (samePath(from, canonical(dataFolder)) || samePath(from, stagePath) || liesIn(from, stagePath) ||
        samePath(from, previousPath) || liesIn(from, previousPath)) {
        r.outcome = Outcome::SameFolder;
        r.message += QLatin1Char('\n') + kSameAsData;
        return r;
    }
    auto refuse = [&](const QString &file, const QString &why) {
        data.removeOwnFolder(stageName, ownInStage);
        r.outcome = Outcome::Refused;
        if (!file.isEmpty())
            r.damaged << file;
        r.message = kRestoreFailed + QLatin1Char('\n') + why;
        return r;
    };
    switch (list) {
    case ListState::Missing:
        return refuse(QString(), kNotWhole);
    case ListState::OtherFormat:
        return refuse(QString(), kOtherFormat);
    case ListState::NotRead:
        return refuse(QLatin1String(kManifestName), kListNotRead.arg(QLatin1String(kManifestName)));
    case ListState::NotPlain:
        return refuse(QLatin1String(kManifestName), kNotPlainInBackup.arg(QLatin1String(kManifestName)));
    case ListState::Empty:
        return refuse(QLatin1String(kManifestName), kListEmpty.arg(QLatin1String(kManifestName)));
    case ListState::BadName:
        return refuse(QString(), kListBadName.arg(shown(listed.badName)));
    case ListState::Twice:
        return refuse(listed.badName, kListedTwice.arg(shown(listed.badName), shown(listed.twice)));
    case ListState::Altered:
        return refuse(QString(), kListAltered);
    case ListState::Read:
        break;
    }
    // Every file the list names is there, once, and the list names every
    // table the program has: one without some table is cut short or
    // foreign, and making that table up empty could lose data (the surfaces
    // of every space, say). A file longer or shorter than its line says is
    // refused before a byte of it is read.
    const QStringList present = src.entries();
    QHash<QString, QString> nameIn; // table file name -> the backup's entry
    for (const QString &name : std::as_const(listed.names)) {
        const QString entry = findName(present, name);
        if (entry.isEmpty())
            return refuse(name, kNotInBackup.arg(name));
        if (const QString other = otherCase(present, entry); !other.isEmpty())
            return refuse(name, kTwoCases.arg(shown(entry), shown(other)));
        nameIn.insert(name.toLower(), entry);
    }
    const auto &tables = schema::dataFolderTables();
    for (const auto &t : tables)
        if (!listed.files.contains(t.fileName.toLower()))
            return refuse(t.fileName, kNotListed.arg(t.fileName));
    auto entryOf = [&](const pf::db::TableDef &t) { return nameIn.value(t.fileName.toLower()); };
    // Only plain files are read, never through a link: a link, pipe,
    // device, socket or folder in a table's place is refused before it is
    // opened.
    for (const auto &t : tables) {
        const EntryKind kind = src.kind(entryOf(t));
        if (kind == EntryKind::Link)
            return refuse(t.fileName, kLinkInBackup.arg(t.fileName));
        if (kind != EntryKind::File)
            return refuse(t.fileName, kNotPlainInBackup.arg(t.fileName));
    }
    for (const auto &t : tables)
        if (src.size(entryOf(t)) != listed.files.value(t.fileName.toLower()).size)
            return refuse(t.fileName, kChanged.arg(t.fileName));
    recoverInterruptedRestore(dataFolder);
    // The files a stopped restore set aside, not yet put back, are not
    // given up to a new one.
    if (data.kind(previousName) == EntryKind::Folder &&
        data.folder(previousName).kind(QLatin1String(kSwapMarker)) != EntryKind::None)
        return refuse(QString(), kPreviousWaits.arg(QDir::toNativeSeparators(data.filePath(previousName))));

    // Stage: every table copied beside the data, as the list has it, and
    // checked, before anything of the data changes.
    int error = 0;
    const Folder stage = ownFolder(data, stageName, ownInStage, &error);
    if (!stage.isOpen())
        return refuse(QString(), dataWriteWhy(faultOf(error), kNotStaged.arg(tables.first().fileName)));
    for (const auto &t : tables) {
        const Listed want = listed.files.value(t.fileName.toLower());
        NewFile out(stage, t.fileName);
        QByteArray sum;
        qint64 size = 0;
        const Copy copied = copySummed(src.openPlain(entryOf(t)), want.size, listed.salt, &out, &sum, &size);
        const bool written = out.finish();
        if (copied == Copy::NotRead)
            return refuse(t.fileName, kNotRead.arg(t.fileName));
        if (copied == Copy::Link)
            return refuse(t.fileName, kLinkInBackup.arg(t.fileName));
        if (copied == Copy::NotPlain)
            return refuse(t.fileName, kNotPlainInBackup.arg(t.fileName));
        if (copied == Copy::TooLong || (copied == Copy::Done && (size != want.size || sum != want.sum)))
            return refuse(t.fileName, kChanged.arg(t.fileName));
        if (copied == Copy::NotWritten || !written)
            return refuse(t.fileName, dataWriteWhy(faultOf(out.error()), kNotStaged.arg(t.fileName)));
        step(tick);
        const QString staged = stage.filePath(t.fileName);
        const pf::db::TableCheck check = pf::db::checkTableFile(staged, t);
        if (!check.ok())
            return refuse(t.fileName, problemText(t.fileName, check));
        // A table kept in write-ahead-log mode is put in the program's own
        // journal mode before it takes its place.
        if (const int rc = toRollbackJournal(staged); rc != SQLITE_OK)
            return refuse(t.fileName, dataWriteWhy(pf::db::faultOfEngineCode(rc), kNotStaged.arg(t.fileName)));
        step(tick);
    }
    {
        QString file;
        const QString orphans = rowsWithoutOwner(stage.path(), &file);
        if (!orphans.isEmpty())
            return refuse(file, orphans);
    }
    if (!stage.sync(&error))
        return refuse(QString(), dataWriteWhy(faultOf(error) == DbFault::Other ? DbFault::ReadOnly : faultOf(error),
                                              QString()));

    // The live names the restored files take; a folder standing in the
    // place of a table (or of its journal) is no file to be moved aside.
    const QStringList live = tableFilesOf(dataFolder);
    QStringList staged; // the staged files, in the order of `names`
    QStringList names;  // live names the restored files take
    for (const auto &t : tables) {
        const QString existing = findName(live, t.fileName);
        staged << t.fileName;
        names << (existing.isEmpty() ? t.fileName : existing);
        for (const char *c : {"", "-journal", "-wal", "-shm"})
            if (data.kind(names.last() + QLatin1String(c)) == EntryKind::Folder)
                return refuse(t.fileName, kFolderForTable.arg(shown(names.last() + QLatin1String(c))));
    }

    // Swap: the live files move aside (kept to roll back to), the staged
    // ones take their names. The live files are replaced whatever they hold;
    // only one another program holds stops the restore.
    db.close();
    *closed = true;
    QStringList plan; // the marker's lines
    for (const QString &n : std::as_const(names))
        // Whatever entry has the name (a file, a link, a pipe) is moved aside
        // and put back, as the entry it is.
        plan << n + (isEntry(data.kind(n)) ? QLatin1String("\t1") : QLatin1String("\t0"));
    std::vector<std::unique_ptr<pf::db::FileLock>> locks;
    QStringList held;
    for (const QString &n : std::as_const(names)) {
        if (data.kind(n) != EntryKind::File)
            continue;
        auto lock = std::make_unique<pf::db::FileLock>();
        switch (lock->take(data.filePath(n), db.busyTimeout())) {
        case pf::db::FileLock::Result::Held:
            held << n;
            break;
        case pf::db::FileLock::Result::Taken:
            locks.push_back(std::move(lock));
            break;
        case pf::db::FileLock::Result::NotTaken:
            break;
        }
    }
    if (!held.isEmpty())
        return refuse(QString(), DbError(DbFault::Busy, held, QString()).message());
    QString why;
    auto noted = [&](bool ok, int err, const QString &file) {
        if (!ok && why.isEmpty())
            why = DbError(faultOf(err), file.isEmpty() ? QStringList() : QStringList{file}, QString()).message();
        return ok;
    };
    const Folder previous = ownFolder(data, previousName, ownInPrevious, &error);
    bool ok = noted(previous.isOpen(), error, QString());
    if (ok) {
        NewFile marker(previous, QLatin1String(kSwapMarker));
        const QByteArray text = plan.join(QLatin1Char('\n')).toUtf8();
        marker.write(text.constData(), text.size());
        ok = marker.finish() && previous.sync() && data.sync();
        if (!ok)
            why = dataWriteWhy(faultOf(marker.error()) == DbFault::Other ? DbFault::ReadOnly : faultOf(marker.error()),
                               QString());
    }
    for (int i = 0; ok && i < staged.size(); ++i) {
        const QString &name = names[i];
        if (isEntry(data.kind(name)))
            ok = noted(data.rename(name, previous, name, &error), error, name);
        for (const char *c : kCompanions) {
            const QString companion = name + QLatin1String(c);
            if (ok && isEntry(data.kind(companion)))
                ok = noted(data.rename(companion, previous, companion, &error), error, name);
        }
        ok = ok && noted(stage.rename(staged[i], data, name, &error), error, name);
        if (ok)
            ++r.restored;
        step(tick);
    }
    // The renames last through a power cut; then the marker goes, and with
    // it the way back: the restore is whole.
    if (ok && !(data.sync() && previous.sync())) {
        ok = false;
        why = dataWriteWhy(DbFault::ReadOnly, QString());
    }
    if (ok && !previous.remove(QLatin1String(kSwapMarker))) {
        ok = false;
        why = dataWriteWhy(DbFault::ReadOnly, QString());
    }
    if (!ok) {
        recoverInterruptedRestore(dataFolder);
        locks.clear();
        data.removeOwnFolder(stageName, ownInStage);
        r.restored = 0;
        r.outcome = Outcome::SwapFailed;
        r.message = kRestoreFailed + (why.isEmpty() ? QString() : QLatin1Char('\n') + why);
        return r;
    }
    // The marker's going lasts too (were it lost, the next start would put
    // the previous data back, whole).
    previous.sync();
    locks.clear();
    data.removeOwnFolder(previousName, ownInPrevious);
    data.removeOwnFolder(stageName, ownInStage);
    data.sync();
    r.outcome = Outcome::Done;
    r.message = kRestoreDone;
    return r;
}

} // namespace

RestoreResult restoreDataFolder(pf::db::Database &db, const QString &backupFolder, const Tick &tick)
{
    const QString source = backupFolder.trimmed();
    if (source.isEmpty()) {
        RestoreResult r;
        r.outcome = Outcome::NoPath;
        return r;
    }
    bool closed = false;
    RestoreResult r;
    try {
        r = restoreFrom(db, source, tick, &closed);
    } catch (const std::bad_alloc &) {
        // Whatever had been done is undone: the previous files put back, the
        // staged ones removed.
        const QString dataFolder = db.directory();
        if (!dataFolder.isEmpty())
            recoverInterruptedRestore(dataFolder);
        r = RestoreResult();
        r.outcome = closed ? Outcome::SwapFailed : Outcome::Refused;
        r.message = kRestoreFailed + QLatin1Char('\n') + kNoMemory;
    }
    if (closed) {
        try {
            db.open();
        } catch (const DbError &) {
            // The caller opens it again and says why it cannot.
        }
    }
    return r;
}

} // namespace bv::data::backup
