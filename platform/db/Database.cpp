#include "platform/db/DbInternal.h"
#include "platform/system/Files.h"

#include <sqlite3.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <atomic>
#include <cstring>

namespace pf::db {

using detail::columnValue;
using detail::fieldValue;
using detail::quoteId;

namespace {

// SQLite attaches at most ten files to one connection.
constexpr int kMaxAttached = 10;
// Engine steps between two calls of the progress handler.
constexpr int kProgressSteps = 4000;
// The connection's main database in the data folder.
const char kMainFileName[] = "~brvlink.tmp";

bool g_password = false;

QString engineText(sqlite3 *db)
{
    return QString::fromUtf8(sqlite3_errmsg(db));
}

void bindValue(sqlite3_stmt *st, int n, const QVariant &v)
{
    if (!v.isValid() || v.isNull()) {
        sqlite3_bind_null(st, n);
        return;
    }
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        sqlite3_bind_double(st, n, v.toDouble());
        break;
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Short:
        sqlite3_bind_int64(st, n, v.toLongLong());
        break;
    case QMetaType::Bool:
        sqlite3_bind_int(st, n, v.toBool() ? 1 : 0);
        break;
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        sqlite3_bind_blob(st, n, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        break;
    }
    default: {
        const QByteArray u = v.toString().toUtf8();
        sqlite3_bind_text(st, n, u.constData(), int(u.size()), SQLITE_TRANSIENT);
    }
    }
}

// Statement guard: finalized on every path.
struct Stmt {
    sqlite3_stmt *st = nullptr;
    Stmt() = default;
    Stmt(Stmt &&o) noexcept : st(o.st) { o.st = nullptr; }
    Stmt(const Stmt &) = delete;
    ~Stmt() { sqlite3_finalize(st); }
};

// A statement from the cache: reset (so it holds no read or lock) and
// handed back on every path.
struct CachedStmt {
    sqlite3_stmt *st = nullptr;
    ~CachedStmt()
    {
        if (st) {
            sqlite3_reset(st);
            sqlite3_clear_bindings(st);
        }
    }
};

DbFault faultOf(int extended) { return faultOfEngineCode(extended); }

QString fileNameOf(const QString &path) { return QFileInfo(path).fileName(); }

// Whether another program holds the table file: it cannot be taken for
// writing at once.
bool heldByAnother(const QString &path)
{
    sqlite3 *db = nullptr;
    bool held = false;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
        sqlite3_busy_timeout(db, 0);
        const int rc = sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
        held = (rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED;
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    sqlite3_close_v2(db);
    return held;
}

// What stands at the main database's name in the data folder when it is
// none of the program's (a link, a folder, a pipe): refused by name, so
// nothing is read, written or removed through it.
void refuseForeignMainFile(const QString &dir)
{
    if (dir.isEmpty())
        return;
    const QString name = QString::fromLatin1(kMainFileName);
    switch (pf::sys::entryKind(QDir(dir).filePath(name))) {
    case pf::sys::EntryKind::Link:
        throw DbError(QStringLiteral("پرونده %1 در پوشه داده ها پيوندي به جاي ديگر است و برنامه آن را به كار نمي برد؛ "
                                     "آن را برداريد و دوباره سعي كنيد")
                          .arg(name));
    case pf::sys::EntryKind::Folder:
        throw DbError(QStringLiteral("پوشه اي به نام %1 در پوشه داده ها هست و برنامه پرونده خود را در جاي آن مي خواهد؛ "
                                     "آن را برداريد و دوباره سعي كنيد")
                          .arg(name));
    case pf::sys::EntryKind::Other:
        throw DbError(QStringLiteral("پرونده %1 در پوشه داده ها يك پرونده معمولي نيست و برنامه آن را به كار نمي برد؛ "
                                     "آن را برداريد و دوباره سعي كنيد")
                          .arg(name));
    case pf::sys::EntryKind::None:
    case pf::sys::EntryKind::File:
    case pf::sys::EntryKind::Unknown:
        break;
    }
}

bool writableFolder(const QString &dir)
{
    if (dir.isEmpty() || !QFileInfo(dir).isDir())
        return false;
    // Permissions can say yes where the file system says no: try it.
    QFile probe(QDir(dir).filePath(QString::fromLatin1(kMainFileName)));
    if (probe.exists())
        return probe.open(QIODevice::ReadWrite);
    if (!probe.open(QIODevice::WriteOnly))
        return false;
    probe.close();
    return true;
}

} // namespace

// Positional and named values for the parameters of one or more statements.
struct Database::Binder {
    const QVariantList *positional = nullptr;
    const ParamValues *named = nullptr;
    int next = 0; // positional values used by earlier statements

    void bind(sqlite3_stmt *st)
    {
        const int n = sqlite3_bind_parameter_count(st);
        int used = 0;
        for (int i = 1; i <= n; ++i) {
            const char *name = sqlite3_bind_parameter_name(st, i);
            if (!name || name[0] == '?') {
                // "?" or "?NNN": in order from the positional values.
                const int at = next + i - 1;
                used = i;
                bindValue(st, i, positional && at < positional->size() ? positional->at(at) : QVariant());
                continue;
            }
            const QString key = QString::fromUtf8(name + 1).toLower();
            const auto it = named ? named->constFind(key) : ParamValues::const_iterator();
            if (!named || it == named->constEnd())
                throw DbError(DbFault::Other, {}, QStringLiteral("No value for parameter '%1'").arg(QString::fromUtf8(name + 1)));
            bindValue(st, i, it.value());
        }
        next += used;
    }
};

QString tableNameOf(const QString &fileName)
{
    return QFileInfo(fileName).completeBaseName();
}

void Session::addPassword(const QString &password)
{
    if (!password.isEmpty())
        g_password = true;
}
bool Session::hasPassword() { return g_password; }
void Session::clearPasswords() { g_password = false; }

Database::Database(QObject *parent) : QObject(parent) {}

Database::~Database()
{
    if (m_db) {
        clearStatementCache();
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        QFile::remove(m_mainFile);
    }
}

void Database::setDirectory(const QString &dir)
{
    QString d = dir;
    while (d.size() > 1 && (d.endsWith(QLatin1Char('/')) || d.endsWith(QLatin1Char('\\'))))
        d.chop(1);
    if (d != m_dir && connected()) {
        // A new folder: what is attached belongs to the old one.
        close();
        m_dir = d;
        return;
    }
    m_dir = d;
}

QString Database::directory() const
{
    if (m_dir.isEmpty())
        return QString();
    if (m_dir.endsWith(QLatin1Char('/')))
        return m_dir;
    return m_dir + QLatin1Char('/');
}

void Database::setBusyTimeout(int ms)
{
    m_busyMs = ms;
    if (m_db)
        sqlite3_busy_timeout(m_db, ms);
}

void Database::open()
{
    if (m_db)
        return;
    // The main database is a file beside the table files, so that SQLite
    // keeps a commit over several of them atomic: its super-journal goes
    // where the main database is, on the same disk, and survives a restart.
    // It is never written and may be shared by several programs. A data
    // folder that cannot be written takes no writes at all (the table files
    // need their journals beside them), so a file in the temporary folder
    // serves then.
    refuseForeignMainFile(m_dir);
    QString mainFile;
    if (writableFolder(m_dir)) {
        mainFile = QDir(m_dir).filePath(QString::fromLatin1(kMainFileName));
    } else {
        static std::atomic<int> serial{0};
        mainFile = QDir(QDir::tempPath())
                       .filePath(QStringLiteral("brvlink-%1-%2.tmp")
                                     .arg(QCoreApplication::applicationPid())
                                     .arg(++serial));
    }
    sqlite3 *db = nullptr;
    // A connection is used by one thread only: the engine need not lock
    // around each call (every column of every row read would take a lock).
    if (sqlite3_open_v2(mainFile.toUtf8().constData(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
        QString msg = db ? engineText(db) : QStringLiteral("out of memory");
        const int rc = db ? sqlite3_extended_errcode(db) : SQLITE_NOMEM;
        sqlite3_close_v2(db);
        throw DbError(faultOf(rc) == DbFault::Other ? DbFault::Missing : faultOf(rc), {},
                      QStringLiteral("Cannot open database %1: %2").arg(m_name, msg));
    }
    registerPersianCollation(db);
    sqlite3_busy_timeout(db, m_busyMs);
    sqlite3_limit(db, SQLITE_LIMIT_ATTACHED, kMaxAttached);
    sqlite3_set_authorizer(db, &Database::authorize, this);
    if (m_progress)
        sqlite3_progress_handler(db, kProgressSteps, &Database::progress, this);
    // Rollback journals (never WAL, never in memory): each file's journal
    // names the super-journal, so a crash leaves every file before or after.
    sqlite3_exec(db, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    // What the engine keeps only while a statement or a savepoint runs (the
    // pages a savepoint changed, the rows of a table copied into itself, a
    // large sort) is held in memory up to a bound, the temporary cache's
    // size (about 2 MB) or 64 KiB of a statement's journal, and goes to a
    // temporary file beyond it: a floor plan of 900,000 surfaces copied
    // holds some 5 MB of the engine's memory, where all in memory it held
    // more than 100 MB; the copy takes no longer.
    sqlite3_exec(db, "PRAGMA temp_store=FILE", nullptr, nullptr, nullptr);
    m_db = db;
    m_mainFile = mainFile;
}

void Database::ensureOpen()
{
    if (m_inProgress)
        throw DbError(DbFault::Other, {}, QStringLiteral("A statement was started while another one runs"));
    if (!m_db)
        open();
}

void Database::setProgressHandler(std::function<void()> fn)
{
    m_progress = std::move(fn);
    if (m_db)
        sqlite3_progress_handler(m_db, m_progress ? kProgressSteps : 0, m_progress ? &Database::progress : nullptr,
                                 this);
}

int Database::progress(void *self)
{
    auto *d = static_cast<Database *>(self);
    if (d->m_inProgress || !d->m_progress)
        return 0;
    d->m_inProgress = true;
    try {
        d->m_progress();
    } catch (...) {
    }
    d->m_inProgress = false;
    return 0;
}

int Database::authorize(void *self, int, const char *, const char *, const char *schema, const char *)
{
    auto *d = static_cast<Database *>(self);
    if (!d->m_collect || !schema)
        return SQLITE_OK;
    for (const Attached &a : std::as_const(d->m_attached))
        if (a.schema == QLatin1String(schema)) {
            const QString name = fileNameOf(a.fileName);
            if (!d->m_collect->contains(name))
                d->m_collect->append(name);
            break;
        }
    return SQLITE_OK;
}

int Database::prepare(const char *sql, int bytes, sqlite3_stmt **st, const char **tail, QStringList *files)
{
    QStringList seen;
    m_collect = &seen;
    const int rc = sqlite3_prepare_v2(m_db, sql, bytes, st, tail);
    m_collect = nullptr;
    if (files)
        *files = seen;
    return rc;
}

void Database::fail(int rc, const QStringList &files)
{
    const int extended = m_db ? sqlite3_extended_errcode(m_db) : rc;
    throw DbError(faultOf((extended & 0xff) == (rc & 0xff) ? extended : rc), files, m_db ? engineText(m_db) : QString());
}

DbError Database::namingHolder(const DbError &e)
{
    if (e.fault() != DbFault::Busy || m_txDepth > 0)
        return e;
    // Our own read locks would name every file we read.
    endRead();
    QStringList held;
    for (const Attached &a : std::as_const(m_attached)) {
        const QString name = fileNameOf(a.fileName);
        if ((e.tables().isEmpty() || e.tables().contains(name)) && heldByAnother(a.fileName))
            held << name;
    }
    if (held.isEmpty())
        return e;
    return DbError(DbFault::Busy, held, e.detail());
}

template <class Fn>
auto Database::outermost(Fn fn) -> decltype(fn())
{
    try {
        return fn();
    } catch (const DbError &e) {
        if (e.fault() == DbFault::Busy && m_txDepth == 0)
            throw namingHolder(e);
        throw;
    }
}

void Database::close()
{
    if (!m_db)
        return;
    Q_EMIT aboutToClose();
    endRead();
    m_closing = true;
    const auto datasets = m_datasets;
    for (Dataset *ds : datasets)
        ds->close();
    if (m_txDepth > 0) {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        m_txDepth = 0;
    }
    clearStatementCache();
    sqlite3_close_v2(m_db);
    m_closing = false;
    m_db = nullptr;
    // Nothing is ever written to it; another connection that still has it
    // open keeps working, as the super-journal goes by name.
    QFile::remove(m_mainFile);
    m_mainFile.clear();
    m_attached.clear();
    m_attachedByName.clear();
    m_multiStatement.clear();
}

QString Database::findTableFile(const QString &fileName) const
{
    QFileInfo given(fileName);
    QString dirPath = given.isAbsolute() ? given.absolutePath() : m_dir;
    QString name = given.isAbsolute() ? given.fileName() : fileName;
    if (dirPath.isEmpty())
        return QString();
    if (!name.contains(QLatin1Char('.')))
        name += QStringLiteral(".db");
    QDir dir(dirPath);
    if (!dir.exists())
        return QString();
    const QString exact = dir.filePath(name);
    if (QFileInfo(exact).isFile())
        return exact;
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &e : entries) {
        if (e.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(e);
    }
    return QString();
}

QString Database::attachPath(const QString &path, bool checkPassword)
{
    ensureOpen();
    const QString canon = QFileInfo(path).absoluteFilePath();
    for (Attached &a : m_attached) {
        if (a.fileName == canon) {
            a.lastUse = ++m_useClock;
            return a.schema + QLatin1Char('.') + quoteId(a.table);
        }
    }
    if (m_attached.size() >= kMaxAttached)
        detachLeastUsed();

    // Schema name from the base name, made unique.
    QString base = tableNameOf(canon).toLower();
    static const QRegularExpression other(QStringLiteral("[^a-z0-9_]"));
    base.replace(other, QStringLiteral("_"));
    QString schema = QStringLiteral("f_") + base;
    int n = 1;
    auto taken = [&](const QString &s) {
        for (const Attached &a : m_attached)
            if (a.schema == s)
                return true;
        return false;
    };
    while (taken(schema))
        schema = QStringLiteral("f_%1_%2").arg(base).arg(++n);

    {
        // The path is bound, never pasted; the schema name is our own.
        Stmt s;
        const QByteArray attachSql = QStringLiteral("ATTACH DATABASE ? AS %1").arg(schema).toUtf8();
        int rc = sqlite3_prepare_v2(m_db, attachSql.constData(), -1, &s.st, nullptr);
        if (rc == SQLITE_OK) {
            bindValue(s.st, 1, canon);
            rc = sqlite3_step(s.st);
        }
        if (rc != SQLITE_DONE) {
            const DbFault f = faultOf(sqlite3_extended_errcode(m_db));
            throw DbError(f == DbFault::Other ? DbFault::Damaged : f, {fileNameOf(canon)},
                          QStringLiteral("Cannot open table file %1: %2").arg(QDir::toNativeSeparators(canon), engineText(m_db)));
        }
    }
    auto fail = [&](DbFault fault, const QString &msg) {
        clearStatementCache();
        sqlite3_exec(m_db, QStringLiteral("DETACH DATABASE %1").arg(schema).toUtf8().constData(), nullptr, nullptr,
                     nullptr);
        throw DbError(fault, {fileNameOf(canon)}, msg);
    };
    // Read the header: a foreign or damaged file fails here.
    int userVersion = 0;
    QString table;
    {
        Stmt s;
        const QString q = QStringLiteral("SELECT name FROM %1.sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite_%'").arg(schema);
        int rc = sqlite3_prepare_v2(m_db, q.toUtf8().constData(), -1, &s.st, nullptr);
        if (rc == SQLITE_OK) {
            while ((rc = sqlite3_step(s.st)) == SQLITE_ROW) {
                const QString t = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s.st, 0)));
                if (table.isEmpty() || t.compare(tableNameOf(canon), Qt::CaseInsensitive) == 0)
                    table = t;
            }
        }
        if (rc != SQLITE_DONE) {
            const QString msg = engineText(m_db);
            const DbFault f = faultOf(sqlite3_extended_errcode(m_db));
            fail(f == DbFault::Other ? DbFault::Damaged : f,
                 QStringLiteral("Table file is damaged, busy or not a table: %1 (%2)").arg(QDir::toNativeSeparators(canon), msg));
        }
    }
    {
        Stmt s;
        const QString q = QStringLiteral("PRAGMA %1.user_version").arg(schema);
        if (sqlite3_prepare_v2(m_db, q.toUtf8().constData(), -1, &s.st, nullptr) == SQLITE_OK &&
            sqlite3_step(s.st) == SQLITE_ROW)
            userVersion = sqlite3_column_int(s.st, 0);
    }
    if (table.isEmpty())
        fail(DbFault::Damaged, QStringLiteral("Table file holds no table: %1").arg(QDir::toNativeSeparators(canon)));
    if (checkPassword && (userVersion & 1) && !Session::hasPassword())
        fail(DbFault::Other, QStringLiteral("Password required to open table %1").arg(QDir::toNativeSeparators(canon)));
    {
        // A file left in WAL mode would commit on its own: back to a
        // rollback journal.
        Stmt s;
        const QString q = QStringLiteral("PRAGMA %1.journal_mode").arg(schema);
        QByteArray mode;
        if (sqlite3_prepare_v2(m_db, q.toUtf8().constData(), -1, &s.st, nullptr) == SQLITE_OK &&
            sqlite3_step(s.st) == SQLITE_ROW)
            mode = QByteArray(reinterpret_cast<const char *>(sqlite3_column_text(s.st, 0))).toLower();
        if (mode == "wal") {
            sqlite3_finalize(s.st);
            s.st = nullptr;
            const QString set = QStringLiteral("PRAGMA %1.journal_mode=DELETE").arg(schema);
            if (sqlite3_exec(m_db, set.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
                fail(DbFault::Busy, QStringLiteral("Table is busy: %1 (%2)").arg(QDir::toNativeSeparators(canon), engineText(m_db)));
        }
    }

    Attached a;
    a.fileName = canon;
    a.schema = schema;
    a.table = table;
    a.lastUse = ++m_useClock;
    m_attached.push_back(a);
    return schema + QLatin1Char('.') + quoteId(table);
}

bool Database::detachAt(int i)
{
    // A file read in the read transaction cannot be detached while it runs.
    endRead();
    clearStatementCache();
    const QString sql = QStringLiteral("DETACH DATABASE %1").arg(m_attached[i].schema);
    // Inside a transaction a file the transaction has read or written
    // cannot be detached; SQLite refuses it.
    if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        return false;
    m_attached.remove(i);
    m_attachedByName.clear();
    return true;
}

void Database::detachLeastUsed()
{
    QVector<int> order;
    for (int i = 0; i < m_attached.size(); ++i)
        order << i;
    std::sort(order.begin(), order.end(),
              [&](int a, int b) { return m_attached[a].lastUse < m_attached[b].lastUse; });
    for (int i : std::as_const(order))
        if (detachAt(i))
            return;
    throw DbError(DbFault::Other, {}, QStringLiteral("Too many tables in one transaction"));
}

void Database::detachIdle(const QStringList &keep)
{
    if (!m_db)
        return;
    for (int i = int(m_attached.size()) - 1; i >= 0; --i)
        if (!keep.contains(m_attached[i].fileName))
            detachAt(i);
}

QString Database::attachTable(const QString &fileName)
{
    const auto hit = m_attachedByName.constFind(fileName.toLower());
    if (hit != m_attachedByName.constEnd() && m_db)
        return hit.value();
    const QString path = findTableFile(fileName);
    if (path.isEmpty())
        throw DbError(DbFault::Missing, {fileNameOf(fileName)},
                      QStringLiteral("Table does not exist: %1")
                          .arg(QDir::toNativeSeparators(QFileInfo(fileName).isAbsolute() ? fileName
                                                                                          : directory() + fileName)));
    const QString name = attachPath(path, true);
    m_attachedByName.insert(fileName.toLower(), name);
    return name;
}

template <class Fn>
auto Database::withRetry(Fn fn) -> decltype(fn())
{
    // A statement that names a table not yet attached: attach its file and
    // try again. Nothing of the text has run when preparing fails.
    static const QRegularExpression noTable(QStringLiteral("^no such table: (?:[A-Za-z0-9_]+\\.)?(\\S+)$"));
    for (int attempt = 0;; ++attempt) {
        try {
            return fn();
        } catch (const DbError &e) {
            const auto m = noTable.match(e.detail());
            if (!m.hasMatch() || attempt > 20)
                throw;
            const QString name = m.captured(1);
            const QString path = findTableFile(name);
            if (path.isEmpty())
                throw DbError(DbFault::Missing, {name.contains(QLatin1Char('.')) ? name : name + QStringLiteral(".DB")},
                              QStringLiteral("Table does not exist: %1").arg(QDir::toNativeSeparators(directory() + name)));
            attachPath(path, true);
        }
    }
}

sqlite3_stmt *Database::prepareCached(const QString &sql, bool *more)
{
    *more = false;
    auto it = m_stmtCache.constFind(sql);
    if (it != m_stmtCache.constEnd())
        return it.value();
    if (m_multiStatement.contains(sql)) {
        *more = true;
        return nullptr;
    }
    sqlite3_stmt *st = nullptr;
    const QByteArray u = sql.toUtf8();
    const char *tail = nullptr;
    QStringList files;
    if (const int rc = prepare(u.constData(), int(u.size()), &st, &tail, &files); rc != SQLITE_OK) {
        sqlite3_finalize(st);
        fail(rc, files);
    }
    // Anything after the first statement but blanks and comments is a
    // further statement.
    if (tail && *tail) {
        sqlite3_stmt *next = nullptr;
        const int rc = sqlite3_prepare_v2(m_db, tail, -1, &next, nullptr);
        sqlite3_finalize(next);
        if (rc != SQLITE_OK || next) {
            sqlite3_finalize(st);
            m_multiStatement.insert(sql);
            *more = true;
            return nullptr;
        }
    }
    if (!st) {
        // Blanks or comments only.
        *more = true;
        m_multiStatement.insert(sql);
        return nullptr;
    }
    if (m_stmtCache.size() >= 128)
        clearStatementCache();
    m_stmtCache.insert(sql, st);
    m_stmtFiles.insert(st, files);
    return st;
}

void Database::clearStatementCache()
{
    for (sqlite3_stmt *st : std::as_const(m_stmtCache))
        sqlite3_finalize(st);
    m_stmtCache.clear();
    m_stmtFiles.clear();
}

ReadScope::ReadScope(Database *db) : m_db(db)
{
    if (m_db)
        ++m_db->m_readScopes;
}

ReadScope::~ReadScope()
{
    if (m_db && --m_db->m_readScopes == 0)
        m_db->endRead();
}

void Database::beginRead()
{
    if (m_readScopes == 0 || m_readTx || m_txDepth > 0 || !m_db || !sqlite3_get_autocommit(m_db))
        return;
    if (sqlite3_exec(m_db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK)
        m_readTx = true;
}

void Database::endRead()
{
    if (!m_readTx)
        return;
    m_readTx = false;
    // Nothing was written in it: ending it only lets go of its locks.
    if (m_db && !sqlite3_get_autocommit(m_db) && sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}

void Database::checkWritable()
{
    // A level whose transaction the engine already ended (a full disk, an
    // I/O error): later statements must not run on their own.
    if (m_txDepth > 0 && sqlite3_get_autocommit(m_db))
        throw DbError(DbFault::ReadOnly, m_txFiles,
                      QStringLiteral("The transaction was rolled back; the change was not saved"));
}

// After a statement stepped to its end or failed: a write is counted, and
// its files are those the transaction wrote.
#define PF_STEPPED(st, files)                                                                                          \
    do {                                                                                                               \
        if (!sqlite3_stmt_readonly(st)) {                                                                              \
            ++m_writeSerial;                                                                                           \
            for (const QString &f : files)                                                                             \
                m_fileWrites.insert(f.toLower(), m_writeSerial);                                                       \
            if (m_txDepth > 0)                                                                                         \
                for (const QString &f : files)                                                                         \
                    if (!m_txFiles.contains(f))                                                                        \
                        m_txFiles << f;                                                                                \
        }                                                                                                              \
    } while (0)

Database::Result Database::selectWith(const QString &sql, Binder &b, const TypesOf *typesOf)
{
    ensureOpen();
    checkWritable();
    beginRead();
    return outermost([&] {
        return withRetry([&]() {
            Result r;
            CachedStmt s;
            bool more = false;
            s.st = prepareCached(sql, &more);
            if (more)
                throw DbError(DbFault::Other, {}, QStringLiteral("A query that returns rows holds exactly one statement"));
            const QStringList files = m_stmtFiles.value(s.st);
            b.next = 0;
            b.bind(s.st);
            const int nc = sqlite3_column_count(s.st);
            for (int c = 0; c < nc; ++c) {
                r.columns << QString::fromUtf8(sqlite3_column_name(s.st, c));
                const char *dt = sqlite3_column_decltype(s.st, c);
                r.declTypes << (dt ? QString::fromUtf8(dt) : QString());
            }
            const std::optional<RowTypes> typed = typesOf ? (*typesOf)(r.columns, r.declTypes) : std::nullopt;
            const FieldType *types = typed && typed->types.size() == nc ? typed->types.constData() : nullptr;
            const int width = types ? std::max(nc, typed->width) : nc;
            int rc;
            while ((rc = sqlite3_step(s.st)) == SQLITE_ROW) {
                ++m_rowsRead;
                QVector<QVariant> row;
                row.reserve(width);
                if (types)
                    for (int c = 0; c < nc; ++c)
                        row.append(fieldValue(s.st, c, types[c]));
                else
                    for (int c = 0; c < nc; ++c)
                        row.append(columnValue(s.st, c));
                row.resize(width);
                r.rows.push_back(std::move(row));
            }
            PF_STEPPED(s.st, files);
            if (rc != SQLITE_DONE)
                fail(rc, files);
            return r;
        });
    });
}

Database::Result Database::select(const QString &sql, const QVariantList &binds)
{
    Binder b;
    b.positional = &binds;
    return selectWith(sql, b);
}

Database::Result Database::select(const QString &sql, const ParamValues &named)
{
    Binder b;
    b.named = &named;
    return selectWith(sql, b);
}

Database::Result Database::select(const QString &sql, const ParamValues &named, const TypesOf &typesOf)
{
    Binder b;
    b.named = &named;
    return selectWith(sql, b, &typesOf);
}

void Database::eachRow(const QString &sql, const QVariantList &binds, const std::function<void(sqlite3_stmt *)> &onRow)
{
    ensureOpen();
    checkWritable();
    beginRead();
    outermost([&] {
        withRetry([&]() {
            CachedStmt s;
            bool more = false;
            s.st = prepareCached(sql, &more);
            if (more)
                throw DbError(DbFault::Other, {}, QStringLiteral("A query that returns rows holds exactly one statement"));
            Binder b;
            b.positional = &binds;
            b.bind(s.st);
            int rc;
            while ((rc = sqlite3_step(s.st)) == SQLITE_ROW) {
                ++m_rowsRead;
                onRow(s.st);
            }
            if (rc != SQLITE_DONE)
                fail(rc, m_stmtFiles.value(s.st));
        });
    });
}

void Database::forEachRow(const QString &sql, const QVariantList &binds,
                          const std::function<void(const RowReader &)> &onRow)
{
    eachRow(sql, binds, [&](sqlite3_stmt *st) { onRow(RowReader(st)); });
}

// Each column is asked of the engine once: its value, whose type and
// number are then read without another call.
bool RowReader::isNull(int column) const
{
    return sqlite3_value_type(sqlite3_column_value(m_st, column)) == SQLITE_NULL;
}

bool RowReader::isNumber(int column) const
{
    const int type = sqlite3_value_type(sqlite3_column_value(m_st, column));
    return type == SQLITE_INTEGER || type == SQLITE_FLOAT;
}

bool RowReader::storedNumber(int column, double *out) const
{
    sqlite3_value *v = sqlite3_column_value(m_st, column);
    const int type = sqlite3_value_type(v);
    if (type != SQLITE_INTEGER && type != SQLITE_FLOAT)
        return false;
    *out = sqlite3_value_double(v);
    return true;
}

bool RowReader::number(int column, double *out) const
{
    sqlite3_value *v = sqlite3_column_value(m_st, column);
    switch (sqlite3_value_type(v)) {
    case SQLITE_NULL:
        return false;
    case SQLITE_FLOAT:
    case SQLITE_INTEGER:
        *out = sqlite3_value_double(v);
        return true;
    default: {
        const QVariant value = detail::fieldValue(m_st, column, FieldType::Float);
        if (value.isNull())
            return false;
        *out = value.toDouble();
        return true;
    }
    }
}

double RowReader::number(int column) const
{
    double v = 0;
    return number(column, &v) ? v : 0;
}

QString RowReader::numberText(int column) const
{
    double v = 0;
    return number(column, &v) ? pf::floatToStr(v) : QString();
}

qint64 RowReader::whole(int column) const
{
    sqlite3_value *v = sqlite3_column_value(m_st, column);
    switch (sqlite3_value_type(v)) {
    case SQLITE_NULL:
        return 0;
    case SQLITE_INTEGER:
        return sqlite3_value_int64(v);
    case SQLITE_FLOAT:
        return pf::roundToInt(sqlite3_value_double(v));
    default:
        return detail::fieldValue(m_st, column, FieldType::Integer).toLongLong();
    }
}

QString RowReader::text(int column) const
{
    sqlite3_value *v = sqlite3_column_value(m_st, column);
    if (sqlite3_value_type(v) == SQLITE_TEXT)
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_value_text(v)), sqlite3_value_bytes(v));
    return detail::textOf(FieldType::String, detail::fieldValue(m_st, column, FieldType::String));
}

QString RowReader::text(int column, SeenTexts &seen) const
{
    sqlite3_value *v = sqlite3_column_value(m_st, column);
    if (sqlite3_value_type(v) != SQLITE_TEXT)
        return text(column);
    const char *chars = reinterpret_cast<const char *>(sqlite3_value_text(v));
    const int size = sqlite3_value_bytes(v);
    for (const SeenTexts::Seen &t : seen.m_texts)
        if (t.bytes.size() == size && !t.text.isNull() && std::memcmp(t.bytes.constData(), chars, size_t(size)) == 0)
            return t.text;
    SeenTexts::Seen &t = seen.m_texts[seen.m_next++ % SeenTexts::kKept];
    t.bytes = QByteArray(chars, size);
    t.text = QString::fromUtf8(t.bytes);
    return t.text;
}

Database::Result Database::describe(const QString &sql)
{
    ensureOpen();
    return outermost([&] {
        return withRetry([&]() {
            // Prepared only: nothing of the statement runs.
            Stmt s;
            const QByteArray u = sql.toUtf8();
            QStringList files;
            if (const int rc = prepare(u.constData(), int(u.size()), &s.st, nullptr, &files); rc != SQLITE_OK)
                fail(rc, files);
            Result r;
            const int nc = s.st ? sqlite3_column_count(s.st) : 0;
            for (int c = 0; c < nc; ++c) {
                r.columns << QString::fromUtf8(sqlite3_column_name(s.st, c));
                const char *dt = sqlite3_column_decltype(s.st, c);
                r.declTypes << (dt ? QString::fromUtf8(dt) : QString());
            }
            return r;
        });
    });
}

qint64 Database::execWith(const QString &sql, Binder &b)
{
    ensureOpen();
    checkWritable();
    bool more = false;
    qint64 changed = outermost([&] {
        return withRetry([&]() -> qint64 {
            CachedStmt s;
            s.st = prepareCached(sql, &more);
            if (more)
                return 0;
            if (sqlite3_stmt_readonly(s.st))
                beginRead();
            else
                endRead();
            const QStringList files = m_stmtFiles.value(s.st);
            b.next = 0;
            b.bind(s.st);
            int rc;
            while ((rc = sqlite3_step(s.st)) == SQLITE_ROW) {
            }
            PF_STEPPED(s.st, files);
            if (rc != SQLITE_DONE)
                fail(rc, files);
            return sqlite3_changes(m_db);
        });
    });
    if (!more)
        return changed;
    // A text of several statements: every one of them, in order, as one
    // level, so that a failing statement leaves none of them applied. All
    // are prepared before the first runs.
    transaction([&] {
        changed = withRetry([&]() -> qint64 {
            std::vector<Stmt> stmts;
            std::vector<QStringList> files;
            const QByteArray u = sql.toUtf8();
            const char *at = u.constData();
            while (at && *at) {
                Stmt s;
                const char *tail = nullptr;
                QStringList f;
                if (const int rc = prepare(at, -1, &s.st, &tail, &f); rc != SQLITE_OK)
                    fail(rc, f);
                at = tail;
                if (s.st) {
                    stmts.push_back(std::move(s));
                    files.push_back(f);
                }
            }
            b.next = 0;
            qint64 n = 0;
            for (size_t i = 0; i < stmts.size(); ++i) {
                sqlite3_stmt *st = stmts[i].st;
                b.bind(st);
                int rc;
                while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
                }
                PF_STEPPED(st, files[i]);
                if (rc != SQLITE_DONE)
                    fail(rc, files[i]);
                n = sqlite3_changes(m_db);
            }
            return n;
        });
    });
    return changed;
}

#undef PF_STEPPED

qint64 Database::exec(const QString &sql, const QVariantList &binds)
{
    Binder b;
    b.positional = &binds;
    return execWith(sql, b);
}

qint64 Database::exec(const QString &sql, const ParamValues &named)
{
    Binder b;
    b.named = &named;
    return execWith(sql, b);
}

qint64 Database::lastInsertRowId() const
{
    return m_db ? sqlite3_last_insert_rowid(m_db) : 0;
}

void Database::startTransaction()
{
    ensureOpen();
    endRead();
    if (m_txDepth > 0) {
        checkWritable();
    } else {
        m_txFiles.clear();
        m_fileWritesAtTx = m_fileWrites;
    }
    const QString sql = m_txDepth == 0 ? QStringLiteral("BEGIN") : QStringLiteral("SAVEPOINT lv%1").arg(m_txDepth + 1);
    if (const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr); rc != SQLITE_OK)
        fail(rc, {});
    ++m_txDepth;
}

void Database::endLevel(bool commitIt)
{
    if (m_txDepth <= 0)
        return;
    const int level = m_txDepth--;
    const bool engineEnded = sqlite3_get_autocommit(m_db);
    if (engineEnded) {
        // The engine rolled the whole transaction back already.
        if (m_txDepth == 0)
            resyncDatasets();
        if (commitIt)
            throw DbError(DbFault::ReadOnly, m_txFiles,
                          QStringLiteral("The transaction was rolled back; the change was not saved"));
        return;
    }
    if (level == 1) {
        if (!commitIt) {
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
            resyncDatasets();
            return;
        }
        if (const int rc = sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr); rc != SQLITE_OK) {
            const int extended = sqlite3_extended_errcode(m_db);
            const QString msg = engineText(m_db);
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
            resyncDatasets();
            throw DbError(faultOf(extended), m_txFiles, msg);
        }
        return;
    }
    const QByteArray name = "lv" + QByteArray::number(level);
    if (!commitIt) {
        sqlite3_exec(m_db, ("ROLLBACK TO " + name).constData(), nullptr, nullptr, nullptr);
        sqlite3_exec(m_db, ("RELEASE " + name).constData(), nullptr, nullptr, nullptr);
        resyncDatasets();
        return;
    }
    if (const int rc = sqlite3_exec(m_db, ("RELEASE " + name).constData(), nullptr, nullptr, nullptr); rc != SQLITE_OK)
        fail(rc, m_txFiles);
}

void Database::commit() { endLevel(true); }

quint64 Database::ownWriteBeforeTransaction(const QString &tableFile) const
{
    return (m_txDepth > 0 ? m_fileWritesAtTx : m_fileWrites).value(tableFile.toLower());
}

void Database::rollback() { endLevel(false); }

void Database::resyncDatasets()
{
    // Rows a dataset holds may be what the rollback took back.
    if (m_resyncing)
        return;
    m_resyncing = true;
    ++m_writeSerial;
    const auto datasets = m_datasets;
    for (Dataset *ds : datasets)
        if (ds->active())
            try {
                ds->resync();
            } catch (...) {
            }
    m_resyncing = false;
}

void Database::transaction(const std::function<void()> &fn)
{
    // A failure that leaves this connection without a transaction names
    // the file another program holds, now that none of its locks remain.
    outermost([&] {
        startTransaction();
        try {
            fn();
        } catch (...) {
            rollback();
            throw;
        }
        commit();
    });
}

void Database::transaction(const QStringList &tableFiles, const std::function<void()> &fn)
{
    ensureOpen();
    QStringList paths;
    for (const QString &f : tableFiles) {
        const QString path = findTableFile(f);
        if (path.isEmpty())
            throw DbError(DbFault::Missing, {f},
                          QStringLiteral("Table does not exist: %1").arg(QDir::toNativeSeparators(directory() + f)));
        paths << QFileInfo(path).absoluteFilePath();
    }
    paths.removeDuplicates();
    if (paths.size() > kMaxAttached)
        throw DbError(DbFault::Other, {}, QStringLiteral("Too many tables in one transaction"));
    // Room first: files no statement of the write names go (inside an open
    // transaction only those it has not touched can).
    detachIdle(paths);
    outermost([&] {
        for (const QString &f : tableFiles)
            attachTable(f);
    });
    transaction(fn);
}

Statement::Statement(Database &db, const QString &sql) : m_db(&db)
{
    db.ensureOpen();
    const QByteArray u = sql.toUtf8();
    db.withRetry([&] {
        const char *tail = nullptr;
        if (db.prepare(u.constData(), int(u.size()), &m_st, &tail, &m_files) != SQLITE_OK) {
            sqlite3_finalize(m_st);
            m_st = nullptr;
            throw DbError(engineText(db.m_db));
        }
    });
    if (!m_st)
        throw DbError(QStringLiteral("The text holds no statement"));
}

Statement::~Statement() { sqlite3_finalize(m_st); }

qint64 Statement::run(const QVariant *values, qsizetype count)
{
    m_db->checkWritable();
    if (!sqlite3_stmt_readonly(m_st))
        m_db->endRead();
    const int n = sqlite3_bind_parameter_count(m_st);
    for (int i = 1; i <= n; ++i)
        bindValue(m_st, i, i <= count ? values[i - 1] : QVariant());
    int rc;
    while ((rc = sqlite3_step(m_st)) == SQLITE_ROW) {
    }
    if (!sqlite3_stmt_readonly(m_st)) {
        ++m_db->m_writeSerial;
        for (const QString &f : std::as_const(m_files))
            m_db->m_fileWrites.insert(f.toLower(), m_db->m_writeSerial);
    }
    if (rc != SQLITE_DONE) {
        const QString text = engineText(m_db->m_db);
        sqlite3_reset(m_st);
        sqlite3_clear_bindings(m_st);
        throw DbError(rc == SQLITE_BUSY || rc == SQLITE_LOCKED ? QStringLiteral("Table is busy: %1").arg(text) : text);
    }
    sqlite3_reset(m_st);
    sqlite3_clear_bindings(m_st);
    return sqlite3_changes(m_db->m_db);
}

void Database::registerDataset(Dataset *ds)
{
    if (!m_datasets.contains(ds))
        m_datasets.push_back(ds);
}

void Database::unregisterDataset(Dataset *ds)
{
    m_datasets.removeAll(ds);
}

} // namespace pf::db
