#include "platform/db/TableCheck.h"

#include "platform/db/DbInternal.h"

#include <QFileInfo>
#include <QSet>

namespace pf::db {

using detail::quoteId;

namespace {

struct Conn {
    sqlite3 *db = nullptr;
    ~Conn() { sqlite3_close_v2(db); }
};

// Rows of a statement without parameters; false when it fails.
bool rowsOf(sqlite3 *db, const QString &sql, QVector<QVector<QVariant>> *rows)
{
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK) {
        sqlite3_finalize(st);
        return false;
    }
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        QVector<QVariant> row;
        for (int c = 0; c < sqlite3_column_count(st); ++c)
            row << detail::columnValue(st, c);
        rows->push_back(row);
    }
    sqlite3_finalize(st);
    return rc == SQLITE_DONE;
}

bool isNumber(FieldType t)
{
    return t == FieldType::Float || t == FieldType::Integer || t == FieldType::SmallInt || t == FieldType::Boolean ||
           t == FieldType::AutoInc;
}

// Whether a column of type `have` serves a field of type `want`.
bool serves(FieldType want, FieldType have)
{
    if (want == FieldType::AutoInc || want == FieldType::String || want == FieldType::Blob)
        return have == want;
    return isNumber(have);
}

} // namespace

TableCheck checkTableFile(const QString &path, const TableDef &def)
{
    using P = TableCheck::Problem;
    auto problem = [](P p, const QString &name = QString()) { return TableCheck{p, name}; };
    Conn c;
    if (!QFileInfo(path).isFile() ||
        sqlite3_open_v2(QFile::encodeName(path).constData(), &c.db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        return problem(P::Unreadable);
    sqlite3_busy_timeout(c.db, 2000);
    registerPersianCollation(c.db);
    QVector<QVector<QVariant>> rows;
    if (!rowsOf(c.db, QStringLiteral("PRAGMA application_id"), &rows) || rows.isEmpty())
        return problem(P::Damaged);
    if (rows[0][0].toInt() != detail::kApplicationId)
        return problem(P::Foreign);
    rows.clear();
    if (!rowsOf(c.db, QStringLiteral("PRAGMA integrity_check"), &rows) || rows.size() != 1 ||
        rows[0][0].toString() != QLatin1String("ok"))
        return problem(P::Damaged);

    rows.clear();
    if (!rowsOf(c.db, QStringLiteral("SELECT type, name, tbl_name FROM sqlite_master"), &rows))
        return problem(P::Damaged);
    auto same = [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) == 0; };
    QString table;
    for (const auto &r : std::as_const(rows))
        if (r[0].toString() == QLatin1String("table") && same(r[1].toString(), tableNameOf(def.fileName)))
            table = r[1].toString();
    if (table.isEmpty())
        return problem(P::NoTable, tableNameOf(def.fileName));
    // Nothing but the table, its indexes and the engine's counter of its
    // numbers: a trigger or a view would act on the rows the program writes.
    for (const auto &r : std::as_const(rows)) {
        const QString type = r[0].toString();
        const QString name = r[1].toString();
        if (type == QLatin1String("trigger"))
            return problem(P::Trigger, name);
        if (type == QLatin1String("view"))
            return problem(P::View, name);
        if (type == QLatin1String("table") && name != table && name != QLatin1String("sqlite_sequence"))
            return problem(P::ExtraTable, name);
        if (type == QLatin1String("index") && r[2].toString() != table)
            return problem(P::ExtraIndex, name);
        if (type != QLatin1String("table") && type != QLatin1String("index"))
            return problem(P::ExtraTable, name);
    }

    rows.clear();
    if (!rowsOf(c.db, QStringLiteral("PRAGMA table_xinfo(%1)").arg(quoteId(table)), &rows))
        return problem(P::Damaged);
    // table_xinfo: cid, name, type, notnull, dflt_value, pk, hidden
    QHash<QString, QPair<QString, FieldType>> columns; // by name in lower case
    QSet<QString> defined;
    for (const FieldDef &f : def.fields)
        defined.insert(f.name.toLower());
    for (const auto &r : std::as_const(rows)) {
        int size = 0;
        if (!defined.contains(r[1].toString().toLower()) || r[6].toInt() != 0)
            return problem(P::ExtraField, r[1].toString());
        columns.insert(r[1].toString().toLower(),
                       {r[1].toString(), detail::fieldTypeOfDecl(r[2].toString(), r[5].toInt() == 1, &size)});
    }
    for (const FieldDef &f : def.fields) {
        const auto it = columns.constFind(f.name.toLower());
        if (it == columns.constEnd())
            return problem(P::MissingField, f.name);
        if (!serves(f.type, it->second))
            return problem(P::WrongType, f.name);
    }
    // Its indexes: only those `def` names, each on its fields, whole.
    rows.clear();
    if (!rowsOf(c.db, QStringLiteral("PRAGMA index_list(%1)").arg(quoteId(table)), &rows))
        return problem(P::Damaged);
    // index_list: seq, name, unique, origin, partial
    for (const auto &r : std::as_const(rows)) {
        const QString name = r[1].toString();
        const IndexDef *ix = nullptr;
        for (const IndexDef &d : def.indexes)
            if (same(d.name, name))
                ix = &d;
        if (!ix || r[3].toString() != QLatin1String("c") || r[4].toInt() != 0 || (r[2].toInt() != 0) != ix->unique)
            return problem(P::ExtraIndex, name);
        QVector<QVector<QVariant>> keys;
        if (!rowsOf(c.db, QStringLiteral("PRAGMA index_info(%1)").arg(quoteId(name)), &keys))
            return problem(P::Damaged);
        // index_info: seqno, cid, name (null for an expression)
        if (keys.size() != ix->fields.size())
            return problem(P::ExtraIndex, name);
        for (int k = 0; k < keys.size(); ++k)
            if (keys[k][2].isNull() || !same(keys[k][2].toString(), ix->fields[k]))
                return problem(P::ExtraIndex, name);
    }

    // The indexes as the data rebuild makes them, under names of their own.
    sqlite3_exec(c.db, "BEGIN", nullptr, nullptr, nullptr);
    TableCheck result;
    int n = 0;
    for (const IndexDef &ix : def.indexes) {
        QStringList parts;
        for (const QString &fld : ix.fields) {
            const auto col = columns.value(fld.toLower());
            parts << quoteId(col.first) + (col.second == FieldType::String ? QStringLiteral(" COLLATE PERSIAN") : QString());
        }
        const QString sql = QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                                .arg(ix.unique ? QStringLiteral("UNIQUE ") : QString(),
                                     quoteId(QStringLiteral("~check%1").arg(++n)), quoteId(table),
                                     parts.join(QStringLiteral(", ")));
        if (sqlite3_exec(c.db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK) {
            result = problem(P::Index, ix.name);
            break;
        }
    }
    sqlite3_exec(c.db, "ROLLBACK", nullptr, nullptr, nullptr);
    return result;
}

} // namespace pf::db
