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

#include <cerrno>
#include <filesystem>
#include <limits>
#include <memory>
#include <new>
#include <vector>

#ifdef Q_OS_UNIX
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace bv::data::backup {

namespace {

using pf::db::DbError;
using pf::db::DbFault;
using pf::sys::EntryKind;
using pf::sys::entryKind;
using pf::sys::targetKind;

const char kStageFolder[] = "~brvrestore.new";
const char kPreviousFolder[] = "~brvrestore.old";
const char kSwapMarker[] = "~swapping"; // in the previous-data folder
// Beside the destination: the backup being made, and an earlier one while
// it is set aside.
const char kFreshFolder[] = "~BackubData.new";
const char kEarlierFolder[] = "~BackubData.old";
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
const QString kEarlierNotRemoved = QStringLiteral("پوشه پشتيبان پيشين (%1) پاك نشد؛ مي توانيد آن را خودتان پاك كنيد");
const QString kLeftoverBlocks = QStringLiteral("پوشه %1 از پشتيبان ناتمام پيشين مانده است و پاك نمي شود");
const QString kLiveNotRead = QStringLiteral("جدول %1 در پوشه داده ها خوانده نمي شود");
const QString kNotPlainInData = QStringLiteral("پرونده %1 در پوشه داده ها يك پرونده معمولي نيست و خوانده نمي شود");
const QString kNotPlainInBackup = QStringLiteral("پرونده %1 در پوشه پشتيبان يك پرونده معمولي نيست و خوانده نمي شود");
const QString kFolderNotRead = QStringLiteral("پوشه %1 خوانده نمي شود: اجازه باز كردن آن نيست");
const QString kFolderNotListed = QStringLiteral("پرونده هاي پوشه %1 فهرست نمي شوند: اجازه ديدن فهرست آن نيست");
const QString kListNotRead = QStringLiteral("فهرست پشتيبان %1 در اين پوشه خوانده نمي شود");
const QString kListEmpty = QStringLiteral("فهرست پشتيبان %1 در اين پوشه خالي است");
const QString kListBadName = QStringLiteral("فهرست پشتيبان از %1 نام مي برد كه نام جدولي از اين برنامه نيست");
const QString kNotOurs = QStringLiteral("اين موارد در پوشه داده ها ساخته اين برنامه نيست و به كار نرفت: %1");

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

// A name as a message shows it: no control character breaks the line.
QString shown(QString name)
{
    for (QChar &ch : name)
        if (ch.category() == QChar::Other_Control)
            ch = QLatin1Char('?');
    return name;
}

// Whether anything stands at the path, the entry itself (a link counts).
bool present(const QString &path) { return entryKind(path) != EntryKind::None; }
// A file, a link, a pipe: an entry renamed or removed as the entry itself.
bool isEntry(EntryKind k) { return k != EntryKind::None && k != EntryKind::Folder; }

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

// Renames over an existing target in one step; the system's error, if any.
std::error_code rename(const QString &from, const QString &to)
{
    std::error_code ec;
    std::filesystem::rename(fsPath(from), fsPath(to), ec);
    return ec;
}

bool replaceFile(const QString &from, const QString &to) { return !rename(from, to); }

// Creates the folder and those above it; the system's error, if any.
std::error_code makeFolder(const QString &path)
{
    std::error_code ec;
    std::filesystem::create_directories(fsPath(path), ec);
    return ec;
}

void removeWithCompanions(const QString &path)
{
    if (isEntry(entryKind(path)))
        pf::sys::removeEntry(path);
    for (const char *c : kCompanions)
        if (isEntry(entryKind(path + QLatin1String(c))))
            pf::sys::removeEntry(path + QLatin1String(c));
}

// Makes `path` a folder of the program's own: what an earlier run left there
// of its own goes first (a link in its place goes as a link); a folder that
// keeps entries of someone else's is used as it is, those entries left.
std::error_code ownFolder(const QString &path, pf::sys::OwnName own)
{
    pf::sys::removeOwnFolder(path, own);
    const EntryKind kind = entryKind(path);
    if (kind == EntryKind::Folder)
        return {};
    if (kind != EntryKind::None)
        return std::make_error_code(std::errc::file_exists);
    std::error_code ec;
    std::filesystem::create_directory(fsPath(path), ec);
    return ec;
}

// The system's error when the folder cannot be listed, 0 when it can.
int listingError(const QString &folder)
{
#ifdef Q_OS_UNIX
    DIR *d = ::opendir(QFile::encodeName(folder).constData());
    if (!d)
        return errno;
    ::closedir(d);
    return 0;
#else
    return QDir(folder).isReadable() ? 0 : EACCES;
#endif
}

// Whether the folder can be entered (its files reached by name).
bool canEnter(const QString &folder)
{
#ifdef Q_OS_UNIX
    return ::access(QFile::encodeName(folder).constData(), X_OK) == 0;
#else
    return QDir(folder).isReadable();
#endif
}

QString canonical(const QString &path) { return QFileInfo(path).canonicalFilePath(); }

bool samePath(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
#ifdef Q_OS_WIN
    return a.compare(b, Qt::CaseInsensitive) == 0;
#else
    return a == b;
#endif
}

// Whether canonical path `inner` lies in canonical folder `outer`, at any depth.
bool liesIn(const QString &inner, const QString &outer)
{
    if (inner.isEmpty() || outer.isEmpty())
        return false;
    const QString prefix = outer.endsWith(QLatin1Char('/')) ? outer : outer + QLatin1Char('/');
#ifdef Q_OS_WIN
    return inner.startsWith(prefix, Qt::CaseInsensitive);
#else
    return inner.startsWith(prefix);
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
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
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

// A file written piece by piece and synced at the end; the first failure
// keeps the system's error.
class SyncedFile {
public:
    explicit SyncedFile(const QString &path) : m_file(path)
    {
        if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
            m_error = errno;
    }
    bool write(const char *data, qint64 size)
    {
        if (!m_error && m_file.write(data, size) != size)
            m_error = errno ? errno : EIO;
        return !m_error;
    }
    bool finish()
    {
#ifdef Q_OS_UNIX
        if (!m_error && ::fsync(m_file.handle()) != 0)
            m_error = errno;
#endif
        m_file.close();
        return !m_error;
    }
    DbFault fault() const { return pf::db::faultOfSystemError(m_error); }

private:
    QFile m_file;
    int m_error = 0;
};

// What stopped a read or a copy of one file.
enum class Copy { Done, NotRead, NotPlain, TooLong, NotWritten };

// Reads `from` in pieces, at most `limit` bytes (a longer file stops the
// read), into the sum (after `salt`) and, unless `to` is null, into `to`.
Copy copySummed(const QString &from, qint64 limit, const QByteArray &salt, SyncedFile *to, QByteArray *sum,
                qint64 *size)
{
    const pf::sys::PlainFile opened = pf::sys::openPlainFile(from);
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

// Copies the open source into `dst` (a new file) through the online backup;
// the engine's result code.
int backupInto(sqlite3 *src, const QString &dst)
{
    removeWithCompanions(dst);
    Conn out;
    if (!openFile(out, dst, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE))
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
    return finish;
}

// Case-insensitive match of a file name among `names`.
QString findName(const QStringList &names, const QString &name)
{
    for (const QString &n : names)
        if (n.compare(name, Qt::CaseInsensitive) == 0)
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
};

enum class ListState { Read, Missing, NotRead, NotPlain, Empty, BadName, OtherFormat, Altered };

QByteArray sumOf(const QByteArray &bytes) { return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex(); }

// The list of a backup folder. Its lines end with a line feed, a carriage
// return before it being no part of the line. A list of the present format
// names its backup's identity first and ends with the sum of every line
// above: no line is taken before that sum is checked.
ListState readManifest(const QString &folder, Manifest *out)
{
    const pf::sys::PlainFile opened = pf::sys::openPlainFile(QDir(folder).filePath(QLatin1String(kManifestName)));
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
        if (parts.size() != 3 || !ok || size < 0 || out->files.contains(name.toLower()))
            return ListState::OtherFormat;
        // A plain name of one of the program's tables: no folder, no way
        // up, no character a name of ours never has.
        if (!isTableName(name)) {
            out->badName = name;
            return ListState::BadName;
        }
        out->files.insert(name.toLower(), {size, parts[2]});
        out->names << name;
    }
    return ListState::Read;
}

// Puts the fresh folder in the place of `target`: exchanged with an earlier
// backup in one step where the file system can, else the earlier one set
// aside first. `fresh` holds the earlier backup (or nothing) afterwards.
std::error_code putInPlace(const QString &fresh, const QString &target, const QString &earlier, const Tick &tick)
{
    if (!present(target)) {
        const std::error_code ec = rename(fresh, target);
        step(tick);
        return ec;
    }
#if defined(Q_OS_LINUX) && defined(RENAME_EXCHANGE)
    if (::renameat2(AT_FDCWD, QFile::encodeName(fresh).constData(), AT_FDCWD, QFile::encodeName(target).constData(),
                    RENAME_EXCHANGE) == 0) {
        step(tick);
        return {};
    }
#endif
    if (const std::error_code ec = rename(target, earlier))
        return ec;
    step(tick);
    if (const std::error_code ec = rename(fresh, target)) {
        replaceFile(earlier, target);
        return ec;
    }
    step(tick);
    pf::sys::removeOwnFolder(earlier, ownInBackup);
    return {};
}

// Puts the files of the fresh folder, made inside `into`, in `into` itself,
// beside what else it holds: the earlier list goes first (from then until
// the new list is in, the folder is no backup a restore takes), then each
// table file over its earlier copy, then the new list.
std::error_code placeInto(const QString &fresh, const QString &into, const QStringList &files, const Tick &tick)
{
    const QString list = QDir(into).filePath(QLatin1String(kManifestName));
    int error = 0;
    if (entryKind(list) == EntryKind::Folder)
        return std::make_error_code(std::errc::is_a_directory);
    if (!pf::sys::removeEntry(list, &error))
        return {error, std::system_category()};
    if (!syncPath(into))
        return std::make_error_code(std::errc::io_error);
    step(tick);
    const QStringList there = QDir(into).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &file : files) {
        // An earlier copy named in another case would be taken for this one.
        for (const QString &other : there)
            if (other != file && other.compare(file, Qt::CaseInsensitive) == 0 &&
                isEntry(entryKind(QDir(into).filePath(other))))
                pf::sys::removeEntry(QDir(into).filePath(other));
        if (const std::error_code ec = rename(QDir(fresh).filePath(file), QDir(into).filePath(file)))
            return ec;
        step(tick);
    }
    if (const std::error_code ec = rename(QDir(fresh).filePath(QLatin1String(kManifestName)), list))
        return ec;
    step(tick);
    return {};
}

// Whether the folder holds nothing but what a backup of the program writes.
bool holdsOnlyOwn(const QString &folder)
{
    const QDir dir(folder);
    for (const QString &e : dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        if (!ownInBackup(e) || entryKind(dir.filePath(e)) != EntryKind::File)
            return false;
    return true;
}

// Why the engine could not open or read a table file of the data folder.
QString sourceWhy(sqlite3 *db, int rc, const QString &file)
{
    DbFault f = pf::db::faultOfEngineCode(rc);
    if ((rc & 0xff) == SQLITE_CANTOPEN && db) {
        const int error = sqlite3_system_errno(db);
        if (error == EACCES || error == EPERM)
            return kLiveNotRead.arg(file);
        const DbFault system = pf::db::faultOfSystemError(error);
        if (system != DbFault::Other)
            f = system;
    }
    return DbError(f == DbFault::Other ? DbFault::Damaged : f, {file}, QString()).message();
}

// Why a table file of the data folder cannot be read, before the engine
// opens it; empty when it can be.
QString liveFileWhy(const QString &path, const QString &file)
{
    const pf::sys::PlainFile opened = pf::sys::openPlainFile(path);
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

BackupResult makeBackup(const QString &dataFolder, const QString &chosen, const Tick &tick, QString *fresh)
{
    BackupResult r;
    r.target = backupTarget(chosen);
    r.message = kBackupFailed;
    auto fail = [&](const QString &why, Outcome outcome = Outcome::Failed, const QString &first = kBackupFailed) {
        r.outcome = outcome;
        r.message = first + QLatin1Char('\n') + why;
        return r;
    };
    if (dataFolder.isEmpty() || !QFileInfo(dataFolder).isDir())
        return fail(DbError(DbFault::Missing, {}, QString()).message(), Outcome::Failed, kBackupDataFailed);
    if (QFileInfo(chosen).exists() && !QFileInfo(chosen).isDir())
        return fail(kNotAFolder);
    const QString parent = QFileInfo(r.target).absolutePath();
    // The folders the backup makes, each to be synced in the one above it.
    QStringList made;
    for (QString p = parent; entryKind(p) == EntryKind::None;) {
        made.prepend(p);
        const QString up = QFileInfo(p).absolutePath();
        if (up == p)
            break;
        p = up;
    }
    if (const std::error_code ec = makeFolder(parent)) {
        const DbFault f = pf::db::faultOfSystemError(ec.value());
        return fail(ec == std::errc::not_a_directory || ec == std::errc::file_exists
                        ? kNotAFolder
                        : backupWriteWhy(f, kNotPlaced.arg(QLatin1String(kBackupFolderName))));
    }
    const QString earlier = QDir(parent).filePath(QLatin1String(kEarlierFolder));
    // A backup stopped while it had set an earlier one aside puts it back.
    if (!present(r.target) && entryKind(earlier) == EntryKind::Folder)
        replaceFile(earlier, r.target);
    pf::sys::removeOwnFolder(earlier, ownInBackup);

    // Where the copies go. A "BackubData" that is a link: into the folder it
    // names, beside what that folder holds, never through the link; one
    // that holds more than an earlier backup: into it likewise. Otherwise
    // the whole folder is made anew and takes its place.
    QString into;
    switch (entryKind(r.target)) {
    case EntryKind::Link:
        if (targetKind(r.target) != EntryKind::Folder)
            return fail(kLinkNotFolder.arg(QLatin1String(kBackupFolderName)));
        into = canonical(r.target);
        break;
    case EntryKind::File:
    case EntryKind::Other:
        return fail(kTargetIsFile.arg(QLatin1String(kBackupFolderName)));
    case EntryKind::Folder:
        if (!holdsOnlyOwn(r.target))
            into = r.target;
        break;
    case EntryKind::None:
    case EntryKind::Unknown:
        break;
    }
    // The backup's place against the data folder, links resolved.
    const QString data = canonical(dataFolder);
    const QString target = into.isEmpty() ? canonical(parent) + QLatin1Char('/') + QLatin1String(kBackupFolderName)
                                          : canonical(into);
    if (samePath(target, data))
        return fail(kSameAsData, Outcome::SameFolder);
    if (liesIn(target, data))
        return fail(kIntoData, Outcome::SameFolder);
    if (liesIn(data, target))
        return fail(kHoldsData, Outcome::SameFolder);

    // The folder the backup is made in, beside its place or inside it. One
    // an earlier backup left and cannot be removed is passed over.
    const QString home = into.isEmpty() ? parent : into;
    QString leftover;
    for (int n = 1; n <= 9 && fresh->isEmpty(); ++n) {
        const QString candidate =
            QDir(home).filePath(QLatin1String(kFreshFolder) + (n == 1 ? QString() : QString::number(n)));
        pf::sys::removeOwnFolder(candidate, ownInBackup);
        if (present(candidate)) {
            if (leftover.isEmpty())
                leftover = candidate;
            continue;
        }
        if (const std::error_code ec = makeFolder(candidate))
            return fail(backupWriteWhy(pf::db::faultOfSystemError(ec.value()), kNotPlaced.arg(QLatin1String(kBackupFolderName))));
        *fresh = candidate;
    }
    if (fresh->isEmpty())
        return fail(kLeftoverBlocks.arg(QDir::toNativeSeparators(leftover)));

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
        const QString copy = QDir(*fresh).filePath(file);
        const int rc = backupInto(sources[i]->db, copy);
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
        const pf::db::TableCheck check = pf::db::checkTableFile(copy, tables[i]);
        if (!check.ok()) {
            failed(file, problemText(file, check), true);
            break;
        }
        QByteArray sum;
        qint64 size = 0;
        if (copySummed(copy, std::numeric_limits<qint64>::max(), identity, nullptr, &sum, &size) != Copy::Done) {
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
        const QString orphans = rowsWithoutOwner(*fresh, &file);
        if (!orphans.isEmpty())
            failed(file, orphans, true);
    }
    if (!r.failed.isEmpty())
        return fail(why, Outcome::Failed, inData ? kBackupDataFailed : kBackupFailed);
    // The list last, with the sum of all it says: a folder without it, or
    // with a list cut short, is no backup.
    manifest += QByteArray(kSumKey) + '\t' + sumOf(manifest) + '\n';
    SyncedFile list(QDir(*fresh).filePath(QLatin1String(kManifestName)));
    list.write(manifest.constData(), manifest.size());
    if (!list.finish())
        return fail(backupWriteWhy(list.fault(), kListNotWritten));
    step(tick);
    if (!syncPath(*fresh))
        return fail(kListNotWritten);
    step(tick);
    const std::error_code placed = into.isEmpty() ? putInPlace(*fresh, r.target, earlier, tick)
                                                  : placeInto(*fresh, into, files, tick);
    if (placed)
        return fail(backupWriteWhy(pf::db::faultOfSystemError(placed.value()), kNotPlaced.arg(QLatin1String(kBackupFolderName))));
    // The renames last through a power cut before the backup is said made,
    // and so do the folders the backup made.
    if (!syncPath(into.isEmpty() ? r.target : into) || !syncPath(parent))
        return fail(kNotPlaced.arg(QLatin1String(kBackupFolderName)));
    for (const QString &folder : std::as_const(made))
        if (!syncPath(QFileInfo(folder).absolutePath()))
            return fail(kNotPlaced.arg(QLatin1String(kBackupFolderName)));
    step(tick);
    r.outcome = Outcome::Done;
    r.message = kBackupDone;
    // What is left of the replaced backup: the new one stands, the old one
    // is said to remain, and the next backup passes it over.
    if (!pf::sys::removeOwnFolder(*fresh, ownInBackup))
        r.message += QLatin1Char('\n') + kEarlierNotRemoved.arg(QDir::toNativeSeparators(*fresh));
    if (!into.isEmpty())
        syncPath(into);
    fresh->clear();
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
    QString fresh;
    BackupResult r;
    try {
        r = makeBackup(dataFolder, chosen, tick, &fresh);
    } catch (const std::bad_alloc &) {
        r = BackupResult();
        r.target = backupTarget(chosen);
        r.message = kBackupFailed + QLatin1Char('\n') + kNoMemory;
    }
    // Nothing of a backup being made stays beside the destination.
    if (!fresh.isEmpty())
        pf::sys::removeOwnFolder(fresh, ownInBackup);
    return r;
}

Recovery recoverInterruptedRestore(const QString &dataFolder)
{
    Recovery rec;
    const QDir data(dataFolder);
    const QString previous = data.filePath(QLatin1String(kPreviousFolder));
    const QString stage = data.filePath(QLatin1String(kStageFolder));
    const QString marker = QDir(previous).filePath(QLatin1String(kSwapMarker));
    auto relative = [&](const QString &folder, const QString &name) {
        return QLatin1String(folder == previous ? kPreviousFolder : kStageFolder) + QLatin1Char('/') + shown(name);
    };
    // Only the program's own folders are walked: anything else of those
    // names (a link, a file) goes as the entry it is, never followed.
    for (const QString &folder : {previous, stage}) {
        if (isEntry(entryKind(folder))) {
            rec.ignored << QFileInfo(folder).fileName();
            pf::sys::removeEntry(folder);
        }
    }
    bool trusted = true;
    if (entryKind(previous) == EntryKind::Folder) {
        const pf::sys::PlainFile opened = pf::sys::openPlainFile(marker);
        QFile m;
        if (opened.notPlain) {
            trusted = false;
        } else if (opened.ok() && m.open(opened.fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
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
                const QString live = data.filePath(plan[i].name);
                const QString old = QDir(previous).filePath(plan[i].name);
                if (!plan[i].replaced) {
                    removeWithCompanions(live);
                    if (isEntry(entryKind(live)))
                        return rec; // tried again on the next start
                    continue;
                }
                if (!isEntry(entryKind(old)))
                    continue; // not moved yet: the live file is the previous one
                for (const char *c : kCompanions)
                    if (isEntry(entryKind(live + QLatin1String(c))))
                        pf::sys::removeEntry(live + QLatin1String(c));
                if (!replaceFile(old, live))
                    return rec;
                for (const char *c : kCompanions)
                    if (isEntry(entryKind(old + QLatin1String(c))))
                        replaceFile(old + QLatin1String(c), live + QLatin1String(c));
            }
            if (trusted) {
                // The previous files are back for good before the marker goes.
                syncPath(dataFolder);
                pf::sys::removeEntry(marker);
                syncPath(previous);
                rec.putBack = true;
            }
        }
        if (!trusted)
            rec.ignored << relative(previous, QLatin1String(kSwapMarker));
    }
    // A marker that is not the program's leaves its folder as it is.
    for (const QString &folder : trusted ? QStringList{previous, stage} : QStringList{stage}) {
        QStringList left;
        pf::sys::removeOwnFolder(folder, folder == previous ? ownInPrevious : ownInStage, &left);
        for (const QString &name : std::as_const(left))
            rec.ignored << relative(folder, name);
    }
    if (!rec.ignored.isEmpty())
        rec.message = kNotOurs.arg(rec.ignored.join(QStringLiteral("، ")));
    return rec;
}

namespace {

// The restore up to the swap and the swap itself; `closed` is set once the
// database is closed.
RestoreResult restoreFrom(pf::db::Database &db, const QString &source, const Tick &tick, bool *closed)
{
    RestoreResult r;
    const bool isFolder = targetKind(source) == EntryKind::Folder;
    // A folder that cannot be read is said to be so, not taken for one
    // without tables.
    if (isFolder) {
        const int error = listingError(source);
        if (error != 0) {
            r.outcome = Outcome::Refused;
            r.message = kRestoreFailed + QLatin1Char('\n') +
                        (error == EACCES && canEnter(source) ? kFolderNotListed : kFolderNotRead)
                            .arg(QDir::toNativeSeparators(source));
            return r;
        }
    }
    const QStringList files = isFolder ? tableFilesOf(source) : QStringList();
    Manifest listed;
    const ListState list = isFolder ? readManifest(source, &listed) : ListState::Missing;
    if (files.isEmpty() && list == ListState::Missing) {
        r.outcome = Outcome::NoTables;
        r.message = kNoRestorePath;
        return r;
    }
    r.message = kRestoreFailed;
    QString dataFolder = db.directory();
    while (dataFolder.size() > 1 && dataFolder.endsWith(QLatin1Char('/')))
        dataFolder.chop(1);
    if (dataFolder.isEmpty() || !QFileInfo(dataFolder).isDir()) {
        r.message += QLatin1Char('\n') + DbError(DbFault::Missing, {}, QString()).message();
        return r;
    }
    const QDir data(dataFolder);
    const QString stage = data.filePath(QLatin1String(kStageFolder));
    const QString previous = data.filePath(QLatin1String(kPreviousFolder));
    // The data folder itself, or a folder of a restore's own, which the
    // restore empties.
    const QString from = canonical(source);
    if (samePath(from, canonical(dataFolder)) || samePath(from, canonical(stage)) || liesIn(from, canonical(stage)) ||
        samePath(from, canonical(previous)) || liesIn(from, canonical(previous))) {
        r.outcome = Outcome::SameFolder;
        r.message += QLatin1Char('\n') + kSameAsData;
        return r;
    }
    auto refuse = [&](const QString &file, const QString &why) {
        pf::sys::removeOwnFolder(stage, ownInStage);
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
    case ListState::Altered:
        return refuse(QString(), kListAltered);
    case ListState::Read:
        break;
    }
    // Every file the list names is there, and the list names every table
    // the program has: one without some table is cut short or foreign, and
    // making that table up empty could lose data (the surfaces of every
    // space, say). A file longer or shorter than its line says is refused
    // before a byte of it is read.
    const QStringList present =
        QDir(source).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &name : std::as_const(listed.names))
        if (findName(present, name).isEmpty())
            return refuse(name, kNotInBackup.arg(name));
    const auto &tables = schema::dataFolderTables();
    for (const auto &t : tables)
        if (!listed.files.contains(t.fileName.toLower()))
            return refuse(t.fileName, kNotListed.arg(t.fileName));
    // Only plain files are read: a pipe, a device, a socket or a folder in
    // a table's place is refused before it is opened.
    for (const auto &t : tables)
        if (targetKind(QDir(source).filePath(findName(present, t.fileName))) != EntryKind::File)
            return refuse(t.fileName, kNotPlainInBackup.arg(t.fileName));
    for (const auto &t : tables)
        if (QFileInfo(QDir(source).filePath(findName(present, t.fileName))).size() !=
            listed.files.value(t.fileName.toLower()).size)
            return refuse(t.fileName, kChanged.arg(t.fileName));
    recoverInterruptedRestore(dataFolder);

    // Stage: every table copied beside the data, as the list has it, and
    // checked, before anything of the data changes.
    if (const std::error_code ec = ownFolder(stage, ownInStage))
        return refuse(QString(), dataWriteWhy(pf::db::faultOfSystemError(ec.value()), kNotStaged.arg(tables.first().fileName)));
    for (const auto &t : tables) {
        const Listed want = listed.files.value(t.fileName.toLower());
        const QString staged = QDir(stage).filePath(t.fileName);
        SyncedFile out(staged);
        QByteArray sum;
        qint64 size = 0;
        const Copy copied = copySummed(QDir(source).filePath(findName(present, t.fileName)), want.size, listed.salt,
                                       &out, &sum, &size);
        const bool written = out.finish();
        if (copied == Copy::NotRead)
            return refuse(t.fileName, kNotRead.arg(t.fileName));
        if (copied == Copy::NotPlain)
            return refuse(t.fileName, kNotPlainInBackup.arg(t.fileName));
        if (copied == Copy::TooLong || (copied == Copy::Done && (size != want.size || sum != want.sum)))
            return refuse(t.fileName, kChanged.arg(t.fileName));
        if (copied == Copy::NotWritten || !written)
            return refuse(t.fileName, dataWriteWhy(out.fault(), kNotStaged.arg(t.fileName)));
        step(tick);
        const pf::db::TableCheck check = pf::db::checkTableFile(staged, t);
        if (!check.ok())
            return refuse(t.fileName, problemText(t.fileName, check));
        step(tick);
    }
    {
        QString file;
        const QString orphans = rowsWithoutOwner(stage, &file);
        if (!orphans.isEmpty())
            return refuse(file, orphans);
    }
    if (!syncPath(stage))
        return refuse(QString(), dataWriteWhy(DbFault::ReadOnly, QString()));

    // Swap: the live files move aside (kept to roll back to), the staged
    // ones take their names. The live files are replaced whatever they hold;
    // only one another program holds stops the restore.
    db.close();
    *closed = true;
    const QStringList live = tableFilesOf(dataFolder);
    QStringList staged; // the staged files, in the order of `names`
    QStringList names;  // live names the restored files take
    QStringList plan;   // the marker's lines
    for (const auto &t : tables) {
        const QString existing = findName(live, t.fileName);
        staged << t.fileName;
        names << (existing.isEmpty() ? t.fileName : existing);
        // Whatever entry has the name (a file, a link, a pipe) is moved aside
        // and put back, as the entry it is.
        plan << names.last() + (isEntry(entryKind(data.filePath(names.last()))) ? QLatin1String("\t1") : QLatin1String("\t0"));
    }
    std::vector<std::unique_ptr<pf::db::FileLock>> locks;
    QStringList held;
    for (const QString &n : std::as_const(names)) {
        if (targetKind(data.filePath(n)) != EntryKind::File)
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
#ifdef Q_OS_WIN
    // Windows renames no file that is open.
    locks.clear();
#endif
    QString why;
    auto noted = [&](const std::error_code &ec, const QString &file) {
        if (why.isEmpty())
            why = DbError(pf::db::faultOfSystemError(ec.value()), file.isEmpty() ? QStringList() : QStringList{file},
                          QString())
                      .message();
        return !ec;
    };
    bool ok = noted(ownFolder(previous, ownInPrevious), QString());
    if (ok) {
        SyncedFile marker(QDir(previous).filePath(QLatin1String(kSwapMarker)));
        const QByteArray text = plan.join(QLatin1Char('\n')).toUtf8();
        marker.write(text.constData(), text.size());
        ok = marker.finish() && syncPath(previous) && syncPath(dataFolder);
        if (!ok)
            why = dataWriteWhy(marker.fault() == DbFault::Other ? DbFault::ReadOnly : marker.fault(), QString());
    }
    for (int i = 0; ok && i < staged.size(); ++i) {
        const QString target = data.filePath(names[i]);
        if (isEntry(entryKind(target)))
            ok = noted(rename(target, QDir(previous).filePath(names[i])), names[i]);
        for (const char *c : kCompanions)
            if (ok && isEntry(entryKind(target + QLatin1String(c))))
                ok = noted(rename(target + QLatin1String(c), QDir(previous).filePath(names[i]) + QLatin1String(c)),
                           names[i]);
        ok = ok && noted(rename(QDir(stage).filePath(staged[i]), target), names[i]);
        if (ok)
            ++r.restored;
        step(tick);
    }
    // The renames last through a power cut; then the marker goes, and with
    // it the way back: the restore is whole.
    if (ok && !(syncPath(dataFolder) && syncPath(previous))) {
        ok = false;
        why = dataWriteWhy(DbFault::ReadOnly, QString());
    }
    if (ok && !pf::sys::removeEntry(QDir(previous).filePath(QLatin1String(kSwapMarker)))) {
        ok = false;
        why = dataWriteWhy(DbFault::ReadOnly, QString());
    }
    if (!ok) {
        recoverInterruptedRestore(dataFolder);
        locks.clear();
        pf::sys::removeOwnFolder(stage, ownInStage);
        r.restored = 0;
        r.outcome = Outcome::SwapFailed;
        r.message = kRestoreFailed + (why.isEmpty() ? QString() : QLatin1Char('\n') + why);
        return r;
    }
    // The marker's going lasts too (were it lost, the next start would put
    // the previous data back, whole).
    syncPath(previous);
    locks.clear();
    pf::sys::removeOwnFolder(previous, ownInPrevious);
    pf::sys::removeOwnFolder(stage, ownInStage);
    syncPath(dataFolder);
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
        QString dataFolder = db.directory();
        if (!dataFolder.isEmpty()) {
            recoverInterruptedRestore(dataFolder);
        }
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
