#include "platform/db/DbInternal.h"

#include <sqlite3.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace pf::db {

using detail::quoteId;

namespace {

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

} // namespace

void Database::createTable(const TableDef &def)
{
    if (m_dir.isEmpty())
        throw DbError(DbFault::Missing, {}, QStringLiteral("No data folder set"));
    QDir().mkpath(m_dir);
    if (!findTableFile(def.fileName).isEmpty())
        throw DbError(DbFault::Other, {def.fileName}, QStringLiteral("Table already exists: %1").arg(def.fileName));
    const QString path = QDir(m_dir).filePath(def.fileName);
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        QString msg = db ? engineText(db) : QString();
        sqlite3_close_v2(db);
        throw DbError(DbFault::ReadOnly, {def.fileName}, QStringLiteral("Cannot create table %1: %2").arg(path, msg));
    }
    registerPersianCollation(db);
    const QString table = tableNameOf(def.fileName);
    QStringList cols;
    for (const FieldDef &f : def.fields)
        cols << quoteId(f.name) + QLatin1Char(' ') + declOf(f);
    QStringList stmts;
    stmts << QStringLiteral("PRAGMA application_id=%1").arg(detail::kApplicationId);
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
        throw DbError(DbFault::ReadOnly, {def.fileName}, QStringLiteral("Cannot create table %1: %2").arg(path, failure));
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
        throw DbError(DbFault::Damaged, {QFileInfo(fileName).fileName()},
                      QStringLiteral("Index does not exist: %1 of %2").arg(indexName, fileName));
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
            throw DbError(DbFault::Damaged, {QFileInfo(fileName).fileName()},
                          QStringLiteral("Field '%1' not found in %2").arg(fld, fileName));
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
    for (const auto &r : info.rows) {
        FieldDef f;
        f.name = r[nameCol].toString();
        f.type = detail::fieldTypeOfDecl(r[typeCol].toString(), r[pkCol].toInt() == 1, &f.size);
        out.push_back(f);
    }
    return out;
}

} // namespace pf::db
