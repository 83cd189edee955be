#include "platform/db/DbInternal.h"

#include <sqlite3.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace pf::db {

using detail::quoteId;

namespace {

// Marks our table files; the low bit of user_version says the file is
// protected by the session password.
constexpr int kApplicationId = 0x42525631; // "BRV1"
constexpr int kMaxAttached = 10;

bool g_password = false;

QString quoteText(const QString &t)
{
    QString s = t;
    s.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + s + QLatin1Char('\'');
}

QString declOf(const FieldDef &f)
{
    switch (f.type) {
    case FieldType::String:
        return QStringLiteral("VARCHAR(%1)").arg(f.size > 0 ? f.size : 20);
    case FieldType::Float:
        return QStringLiteral("FLOAT");
    case FieldType::Integer:
        return QStringLiteral("INTEGER");
    case FieldType::SmallInt:
        return QStringLiteral("SMALLINT");
    case FieldType::AutoInc:
        return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    case FieldType::Boolean:
        return QStringLiteral("BOOLEAN");
    case FieldType::Blob:
        return QStringLiteral("BLOB");
    }
    return QStringLiteral("FLOAT");
}

QString engineText(sqlite3 *db)
{
    return QString::fromUtf8(sqlite3_errmsg(db));
}

void bindAll(sqlite3_stmt *st, const QVariantList &binds)
{
    for (int i = 0; i < binds.size(); ++i) {
        const QVariant &v = binds[i];
        const int n = i + 1;
        if (!v.isValid() || v.isNull()) {
            sqlite3_bind_null(st, n);
            continue;
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
}

QVariant columnValue(sqlite3_stmt *st, int c)
{
    switch (sqlite3_column_type(st, c)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(st, c)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(st, c));
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, c)),
                                          sqlite3_column_bytes(st, c)));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char *>(sqlite3_column_blob(st, c)),
                                   sqlite3_column_bytes(st, c)));
    default:
        return QVariant();
    }
}

// Statement guard: finalized on every path.
struct Stmt {
    sqlite3_stmt *st = nullptr;
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

} // namespace

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
        sqlite3_close_v2(m_db);
        m_db = nullptr;
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

void Database::open()
{
    if (m_db)
        return;
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        QString msg = db ? engineText(db) : QStringLiteral("out of memory");
        sqlite3_close_v2(db);
        throw DbError(QStringLiteral("Cannot open database %1: %2").arg(m_name, msg));
    }
    registerPersianCollation(db);
    sqlite3_busy_timeout(db, 2000);
    sqlite3_limit(db, SQLITE_LIMIT_ATTACHED, kMaxAttached);
    m_db = db;
}

void Database::ensureOpen()
{
    if (!m_db)
        open();
}

void Database::close()
{
    if (!m_db)
        return;
    Q_EMIT aboutToClose();
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
    m_attached.clear();
    m_attachedByName.clear();
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
    if (m_attached.size() >= kMaxAttached - 1)
        detachLeastUsed();

    // Schema name from the base name, made unique.
    QString base = tableNameOf(canon).toLower();
    base.replace(QRegularExpression(QStringLiteral("[^a-z0-9_]")), QStringLiteral("_"));
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

    const QString attachSql = QStringLiteral("ATTACH DATABASE %1 AS %2").arg(quoteText(canon), schema);
    char *err = nullptr;
    if (sqlite3_exec(m_db, attachSql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        QString msg = QString::fromUtf8(err ? err : "");
        sqlite3_free(err);
        throw DbError(QStringLiteral("Cannot open table file %1: %2").arg(QDir::toNativeSeparators(canon), msg));
    }
    auto fail = [&](const QString &msg) {
        clearStatementCache();
        sqlite3_exec(m_db, QStringLiteral("DETACH DATABASE %1").arg(schema).toUtf8().constData(), nullptr, nullptr,
                     nullptr);
        throw DbError(msg);
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
            if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
                fail(QStringLiteral("Table is busy: %1 (%2)").arg(QDir::toNativeSeparators(canon), msg));
            fail(QStringLiteral("Table file is damaged or not a table: %1 (%2)").arg(QDir::toNativeSeparators(canon), msg));
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
        fail(QStringLiteral("Table file holds no table: %1").arg(QDir::toNativeSeparators(canon)));
    if (checkPassword && (userVersion & 1) && !Session::hasPassword())
        fail(QStringLiteral("Password required to open table %1").arg(QDir::toNativeSeparators(canon)));

    Attached a;
    a.fileName = canon;
    a.schema = schema;
    a.table = table;
    a.lastUse = ++m_useClock;
    m_attached.push_back(a);
    return schema + QLatin1Char('.') + quoteId(table);
}

void Database::detachLeastUsed()
{
    if (m_txDepth > 0)
        throw DbError(QStringLiteral("Too many tables in one transaction"));
    int victim = -1;
    for (int i = 0; i < m_attached.size(); ++i)
        if (victim < 0 || m_attached[i].lastUse < m_attached[victim].lastUse)
            victim = i;
    if (victim < 0)
        return;
    clearStatementCache();
    const QString sql = QStringLiteral("DETACH DATABASE %1").arg(m_attached[victim].schema);
    sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    m_attached.remove(victim);
    m_attachedByName.clear();
}

QString Database::attachTable(const QString &fileName)
{
    const auto hit = m_attachedByName.constFind(fileName.toLower());
    if (hit != m_attachedByName.constEnd() && m_db)
        return hit.value();
    const QString path = findTableFile(fileName);
    if (path.isEmpty())
        throw DbError(QStringLiteral("Table does not exist: %1")
                          .arg(QDir::toNativeSeparators(QFileInfo(fileName).isAbsolute() ? fileName
                                                                                          : directory() + fileName)));
    const QString name = attachPath(path, true);
    m_attachedByName.insert(fileName.toLower(), name);
    return name;
}

template <class Fn>
auto Database::withRetry(const QString &sql, Fn fn) -> decltype(fn())
{
    // A statement that names a table not yet attached: attach its file and
    // try again.
    static const QRegularExpression noTable(QStringLiteral("no such table: (?:[A-Za-z0-9_]+\\.)?([^ ]+)"));
    for (int attempt = 0;; ++attempt) {
        try {
            return fn();
        } catch (const DbError &e) {
            const auto m = noTable.match(e.message());
            if (!m.hasMatch() || attempt > 20)
                throw;
            const QString name = m.captured(1);
            const QString path = findTableFile(name);
            if (path.isEmpty())
                throw DbError(QStringLiteral("Table does not exist: %1").arg(QDir::toNativeSeparators(directory() + name)));
            attachPath(path, true);
        }
    }
}

sqlite3_stmt *Database::prepareCached(const QString &sql)
{
    auto it = m_stmtCache.constFind(sql);
    if (it != m_stmtCache.constEnd())
        return it.value();
    sqlite3_stmt *st = nullptr;
    const QByteArray u = sql.toUtf8();
    if (sqlite3_prepare_v2(m_db, u.constData(), int(u.size()), &st, nullptr) != SQLITE_OK) {
        sqlite3_finalize(st);
        throw DbError(engineText(m_db));
    }
    if (m_stmtCache.size() >= 128)
        clearStatementCache();
    m_stmtCache.insert(sql, st);
    return st;
}

void Database::clearStatementCache()
{
    for (sqlite3_stmt *st : std::as_const(m_stmtCache))
        sqlite3_finalize(st);
    m_stmtCache.clear();
}

Database::Result Database::select(const QString &sql, const QVariantList &binds)
{
    ensureOpen();
    return withRetry(sql, [&]() {
        Result r;
        CachedStmt s;
        s.st = prepareCached(sql);
        bindAll(s.st, binds);
        const int nc = sqlite3_column_count(s.st);
        for (int c = 0; c < nc; ++c) {
            r.columns << QString::fromUtf8(sqlite3_column_name(s.st, c));
            const char *dt = sqlite3_column_decltype(s.st, c);
            r.declTypes << (dt ? QString::fromUtf8(dt) : QString());
        }
        int rc;
        while ((rc = sqlite3_step(s.st)) == SQLITE_ROW) {
            QVector<QVariant> row(nc);
            for (int c = 0; c < nc; ++c)
                row[c] = columnValue(s.st, c);
            r.rows.push_back(std::move(row));
        }
        if (rc != SQLITE_DONE) {
            if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
                throw DbError(QStringLiteral("Table is busy: %1").arg(engineText(m_db)));
            throw DbError(engineText(m_db));
        }
        return r;
    });
}

qint64 Database::exec(const QString &sql, const QVariantList &binds)
{
    ensureOpen();
    return withRetry(sql, [&]() -> qint64 {
        CachedStmt s;
        s.st = prepareCached(sql);
        bindAll(s.st, binds);
        int rc;
        while ((rc = sqlite3_step(s.st)) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE) {
            if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
                throw DbError(QStringLiteral("Table is busy: %1").arg(engineText(m_db)));
            throw DbError(engineText(m_db));
        }
        return sqlite3_changes(m_db);
    });
}

qint64 Database::lastInsertRowId() const
{
    return m_db ? sqlite3_last_insert_rowid(m_db) : 0;
}

void Database::startTransaction()
{
    ensureOpen();
    if (m_txDepth++ == 0) {
        char *err = nullptr;
        if (sqlite3_exec(m_db, "BEGIN", nullptr, nullptr, &err) != SQLITE_OK) {
            m_txDepth = 0;
            QString msg = QString::fromUtf8(err ? err : "");
            sqlite3_free(err);
            throw DbError(msg);
        }
    }
}

void Database::commit()
{
    if (m_txDepth <= 0)
        return;
    if (--m_txDepth == 0) {
        char *err = nullptr;
        if (sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, &err) != SQLITE_OK) {
            QString msg = QString::fromUtf8(err ? err : "");
            sqlite3_free(err);
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
            throw DbError(msg);
        }
    }
}

void Database::rollback()
{
    if (m_txDepth <= 0)
        return;
    m_txDepth = 0;
    sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}

void Database::transaction(const std::function<void()> &fn)
{
    const bool outer = m_txDepth == 0;
    startTransaction();
    try {
        fn();
    } catch (...) {
        if (outer)
            rollback();
        else
            --m_txDepth;
        // Datasets may show rows that the rollback took back.
        if (outer)
            for (Dataset *ds : std::as_const(m_datasets))
                if (ds->active() && ds->state() == DatasetState::Browse)
                    try {
                        ds->refresh();
                    } catch (...) {
                    }
        throw;
    }
    commit();
}

void Database::createTable(const TableDef &def)
{
    if (m_dir.isEmpty())
        throw DbError(QStringLiteral("No data folder set"));
    QDir().mkpath(m_dir);
    if (!findTableFile(def.fileName).isEmpty())
        throw DbError(QStringLiteral("Table already exists: %1").arg(def.fileName));
    const QString path = QDir(m_dir).filePath(def.fileName);
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        QString msg = db ? engineText(db) : QString();
        sqlite3_close_v2(db);
        throw DbError(QStringLiteral("Cannot create table %1: %2").arg(path, msg));
    }
    registerPersianCollation(db);
    const QString table = tableNameOf(def.fileName);
    QStringList cols;
    for (const FieldDef &f : def.fields)
        cols << quoteId(f.name) + QLatin1Char(' ') + declOf(f);
    QStringList stmts;
    stmts << QStringLiteral("PRAGMA application_id=%1").arg(kApplicationId);
    stmts << QStringLiteral("PRAGMA user_version=%1").arg(def.passwordProtected ? 1 : 0);
    stmts << QStringLiteral("CREATE TABLE %1 (%2)").arg(quoteId(table), cols.join(QStringLiteral(", ")));
    QHash<QString, FieldType> types;
    for (const FieldDef &f : def.fields)
        types.insert(f.name.toLower(), f.type);
    for (const IndexDef &ix : def.indexes) {
        QStringList parts;
        for (const QString &fld : ix.fields) {
            QString p = quoteId(fld);
            if (types.value(fld.toLower(), FieldType::Float) == FieldType::String)
                p += QStringLiteral(" COLLATE PERSIAN");
            parts << p;
        }
        stmts << QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                     .arg(ix.unique ? QStringLiteral("UNIQUE ") : QString(), quoteId(ix.name), quoteId(table),
                          parts.join(QStringLiteral(", ")));
    }
    QString failure;
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    for (const QString &s : std::as_const(stmts)) {
        char *err = nullptr;
        if (sqlite3_exec(db, s.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
            failure = QString::fromUtf8(err ? err : "");
            sqlite3_free(err);
            break;
        }
    }
    sqlite3_exec(db, failure.isEmpty() ? "COMMIT" : "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(db);
    if (!failure.isEmpty()) {
        QFile::remove(path);
        throw DbError(QStringLiteral("Cannot create table %1: %2").arg(path, failure));
    }
}

void Database::emptyTable(const QString &fileName)
{
    const QString t = attachTable(fileName);
    exec(QStringLiteral("DELETE FROM %1").arg(t));
}

QVector<IndexDef> Database::indexDefs(const QString &fileName)
{
    const QString t = attachTable(fileName);
    const QString schema = t.section(QLatin1Char('.'), 0, 0);
    const QString table = t.section(QLatin1Char('.'), 1);
    QHash<QString, FieldType> types;
    for (const FieldDef &f : fieldDefs(fileName))
        types.insert(f.name.toLower(), f.type);
    QVector<IndexDef> out;
    const Result list = select(QStringLiteral("PRAGMA %1.index_list(%2)").arg(schema, table));
    const int nameCol = list.columns.indexOf(QStringLiteral("name"));
    const int uniqueCol = list.columns.indexOf(QStringLiteral("unique"));
    const int originCol = list.columns.indexOf(QStringLiteral("origin"));
    for (const auto &row : list.rows) {
        if (originCol >= 0 && row[originCol].toString() != QLatin1String("c"))
            continue; // primary key and constraint indexes are not secondary indexes
        IndexDef ix;
        ix.name = row[nameCol].toString();
        ix.unique = row[uniqueCol].toInt() != 0;
        const Result info = select(QStringLiteral("PRAGMA %1.index_xinfo(%2)").arg(schema, quoteId(ix.name)));
        const int keyCol = info.columns.indexOf(QStringLiteral("key"));
        const int colName = info.columns.indexOf(QStringLiteral("name"));
        const int collCol = info.columns.indexOf(QStringLiteral("coll"));
        // A text key compared without the Persian collation compares case.
        ix.caseInsensitive = true;
        for (const auto &r : info.rows) {
            if (r[keyCol].toInt() == 0)
                continue;
            const QString name = r[colName].toString();
            ix.fields << name;
            if (types.value(name.toLower()) == FieldType::String &&
                r[collCol].toString().compare(QLatin1String("BINARY"), Qt::CaseInsensitive) == 0)
                ix.caseInsensitive = false;
        }
        out.push_back(ix);
    }
    std::sort(out.begin(), out.end(), [](const IndexDef &a, const IndexDef &b) { return a.name < b.name; });
    return out;
}

QStringList Database::indexNames(const QString &fileName)
{
    QStringList n;
    for (const IndexDef &ix : indexDefs(fileName))
        n << ix.name;
    return n;
}

void Database::deleteIndex(const QString &fileName, const QString &indexName)
{
    const QString t = attachTable(fileName);
    const QString schema = t.section(QLatin1Char('.'), 0, 0);
    QString actual;
    for (const QString &n : indexNames(fileName))
        if (n.compare(indexName, Qt::CaseInsensitive) == 0)
            actual = n;
    if (actual.isEmpty())
        throw DbError(QStringLiteral("Index does not exist: %1 of %2").arg(indexName, fileName));
    exec(QStringLiteral("DROP INDEX %1.%2").arg(schema, quoteId(actual)));
}

void Database::addIndex(const QString &fileName, const IndexDef &def)
{
    const QString t = attachTable(fileName);
    const QString schema = t.section(QLatin1Char('.'), 0, 0);
    const QString table = t.section(QLatin1Char('.'), 1);
    QHash<QString, FieldType> types;
    QHash<QString, QString> actualNames;
    for (const FieldDef &f : fieldDefs(fileName)) {
        types.insert(f.name.toLower(), f.type);
        actualNames.insert(f.name.toLower(), f.name);
    }
    QStringList parts;
    for (const QString &fld : def.fields) {
        if (!actualNames.contains(fld.toLower()))
            throw DbError(QStringLiteral("Field '%1' not found in %2").arg(fld, fileName));
        QString p = quoteId(actualNames.value(fld.toLower()));
        if (types.value(fld.toLower()) == FieldType::String)
            p += QStringLiteral(" COLLATE PERSIAN");
        parts << p;
    }
    exec(QStringLiteral("CREATE %1INDEX %2.%3 ON %4 (%5)")
             .arg(def.unique ? QStringLiteral("UNIQUE ") : QString(), schema, quoteId(def.name), table,
                  parts.join(QStringLiteral(", "))));
}

QVector<FieldDef> Database::fieldDefs(const QString &fileName)
{
    const QString t = attachTable(fileName);
    const QString schema = t.section(QLatin1Char('.'), 0, 0);
    const QString table = t.section(QLatin1Char('.'), 1);
    const Result info = select(QStringLiteral("PRAGMA %1.table_info(%2)").arg(schema, table));
    const int nameCol = info.columns.indexOf(QStringLiteral("name"));
    const int typeCol = info.columns.indexOf(QStringLiteral("type"));
    const int pkCol = info.columns.indexOf(QStringLiteral("pk"));
    QVector<FieldDef> out;
    static const QRegularExpression sized(QStringLiteral("\\((\\d+)\\)"));
    for (const auto &r : info.rows) {
        FieldDef f;
        f.name = r[nameCol].toString();
        const QString decl = r[typeCol].toString().toUpper();
        if (decl.startsWith(QLatin1String("VARCHAR")) || decl.startsWith(QLatin1String("CHAR")) ||
            decl.startsWith(QLatin1String("TEXT")) || decl.startsWith(QLatin1String("STRING"))) {
            f.type = FieldType::String;
            const auto m = sized.match(decl);
            f.size = m.hasMatch() ? m.captured(1).toInt() : 255;
        } else if (decl.startsWith(QLatin1String("SMALLINT"))) {
            f.type = FieldType::SmallInt;
        } else if (decl.startsWith(QLatin1String("INTEGER")) || decl.startsWith(QLatin1String("INT"))) {
            f.type = r[pkCol].toInt() == 1 ? FieldType::AutoInc : FieldType::Integer;
        } else if (decl.startsWith(QLatin1String("BOOL"))) {
            f.type = FieldType::Boolean;
        } else if (decl.startsWith(QLatin1String("BLOB")) || decl.startsWith(QLatin1String("GRAPHIC"))) {
            f.type = FieldType::Blob;
        } else {
            f.type = FieldType::Float;
        }
        out.push_back(f);
    }
    return out;
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
