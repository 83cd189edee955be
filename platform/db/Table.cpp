#include "platform/db/DbInternal.h"

#include <QFileInfo>

namespace pf::db {

using namespace detail;

// The rows read ahead for the records of a master: every row of the
// master's link values but the last, in index order, and for each last link
// value where its rows lie (the index order keeps them together).
struct Table::AheadRows {
    QString sql;
    quint64 serial = 0;
    QVector<double> leading; // the link values the rows were read for
    QVector<Row> rows;
    QHash<double, QPair<int, int>> byLast; // first row, past the last
    bool together = true; // false: a record's rows lay apart, read on their own
};

namespace {

bool isNumber(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return true;
    default:
        return false;
    }
}

bool numericField(FieldType t)
{
    return t == FieldType::Float || t == FieldType::Integer || t == FieldType::SmallInt || t == FieldType::AutoInc;
}

} // namespace

Table::Table(QObject *parent) : Dataset(parent) {}

Table::~Table() = default;

void Table::setReadAhead(bool on)
{
    m_readAhead = on;
    if (!on)
        m_ahead.reset();
}

void Table::releaseRows() { m_ahead.reset(); }

void Table::setTableName(const QString &name)
{
    if (active())
        close();
    m_tableName = name;
    invalidateSelect();
    m_fieldsBuilt = false;
    if (QFileInfo(name).isAbsolute()) {
        // A file reached by its full path has a database of its own.
        if (!m_ownDb)
            m_ownDb = std::make_unique<Database>();
        m_ownDb->setDirectory(QFileInfo(name).absolutePath());
        setDatabase(m_ownDb.get());
    }
}

QString Table::fileName() const
{
    const QString name = QFileInfo(m_tableName).fileName();
    return name.contains(QLatin1Char('.')) ? name : name + QStringLiteral(".DB");
}

Database *Table::db()
{
    if (!m_db)
        throw DbError(DbFault::Other, {fileName()}, QStringLiteral("%1: no database").arg(m_tableName));
    return m_db;
}

QString Table::sqlTable()
{
    if (m_ownDb) {
        const QString path = m_ownDb->findTableFile(m_tableName);
        if (path.isEmpty())
            throw DbError(DbFault::Missing, {fileName()}, QStringLiteral("Table does not exist: %1").arg(m_tableName));
        return m_ownDb->attachTableUnprotected(path);
    }
    return db()->attachTable(m_tableName);
}

void Table::prepareFields()
{
    const QString t = sqlTable();
    Q_UNUSED(t);
    QVector<FieldDef> defs = db()->fieldDefs(m_ownDb ? db()->findTableFile(m_tableName) : m_tableName);
    if (!m_fieldList.isEmpty()) {
        QVector<FieldDef> kept;
        for (const FieldDef &d : defs)
            for (const QString &n : std::as_const(m_fieldList))
                if (d.name.compare(n, Qt::CaseInsensitive) == 0)
                    kept.push_back(d);
        defs = kept;
    }
    QStringList cols, decls;
    for (const FieldDef &d : defs)
        cols << d.name, decls << QString();
    buildFields(cols, decls);
    m_autoIncCol = -1;
    for (int i = 0; i < defs.size(); ++i) {
        m_fields[i]->m_def = defs[i];
        if (defs[i].type == FieldType::AutoInc)
            m_autoIncCol = i;
    }
    reindexFields();
    invalidateSelect();
}

QStringList Table::currentIndexFields() const
{
    if (!m_indexFieldNames.isEmpty())
        return splitFields(m_indexFieldNames);
    return m_indexFields;
}

void Table::resolveIndex()
{
    m_indexFields.clear();
    if (m_indexName.isEmpty())
        return;
    const QString file = m_ownDb ? db()->findTableFile(m_tableName) : m_tableName;
    for (const IndexDef &ix : db()->indexDefs(file))
        if (ix.name.compare(m_indexName, Qt::CaseInsensitive) == 0) {
            m_indexFields = ix.fields;
            return;
        }
    throw DbError(DbFault::Damaged, {fileName()},
                  QStringLiteral("Index does not exist. Index: %1 of %2").arg(m_indexName, m_tableName));
}

void Table::setIndexName(const QString &name)
{
    m_indexName = name;
    invalidateSelect();
    m_indexFieldNames.clear();
    m_indexResolved = false;
    if (active()) {
        checkBrowseMode();
        resolveIndex();
        m_indexResolved = true;
        reload(bookmark());
    }
}

void Table::setIndexFieldNames(const QString &fields)
{
    m_indexFieldNames = fields;
    invalidateSelect();
    m_indexName.clear();
    m_indexFields.clear();
    m_indexResolved = true;
    if (active()) {
        checkBrowseMode();
        reload(bookmark());
    }
}

QStringList Table::indexNames()
{
    return db()->indexNames(m_ownDb ? db()->findTableFile(m_tableName) : m_tableName);
}

void Table::setMasterSource(DataSource *src)
{
    if (m_master)
        m_master->m_details.removeAll(QPointer<Table>(this));
    m_master = src;
    invalidateSelect();
    if (src && !src->m_details.contains(QPointer<Table>(this)))
        src->m_details.push_back(this);
    if (active())
        masterChanged();
}

void Table::setMasterFields(const QString &fields)
{
    m_masterFields = fields;
    m_masterFieldList = splitFields(fields);
    invalidateSelect();
    if (active())
        masterChanged();
}

bool Table::masterValues(QVariantList &out)
{
    out.clear();
    Dataset *master = m_master ? m_master->dataSet() : nullptr;
    if (!master || !master->active() || m_masterFields.isEmpty())
        return false;
    for (const QString &name : std::as_const(m_masterFieldList)) {
        Field *m = master->findField(name);
        if (!m)
            // The master's table file lacks the field.
            throw DbError(master->tableFiles().isEmpty() ? DbFault::Other : DbFault::Damaged, master->tableFiles(),
                          QStringLiteral("%1: master field '%2' not found").arg(m_tableName, name));
        out << m->value();
    }
    return true;
}

void Table::selectRows()
{
    const QString t = sqlTable();
    if (!m_fieldsBuilt)
        prepareFields();
    if (!m_indexResolved) {
        resolveIndex();
        m_indexResolved = true;
    }
    QVariantList keys;
    const bool linked = masterValues(keys);
    const QString f = filterSql();
    if (m_selectSql.isEmpty() || m_selectTable != t || m_selectFilter != f || m_selectLinked != linked) {
        // The text is built once; master values are bound to it (a null
        // master value matches no row).
        QStringList cols;
        for (int i = 0; i < m_dataCount; ++i)
            cols << quoteId(m_fields[i]->m_def.name);
        m_selectColumns = QStringLiteral("rowid, ") + cols.join(QStringLiteral(", "));
        QString sql = QStringLiteral("SELECT %1 FROM %2").arg(m_selectColumns, t);
        QStringList where;
        const QStringList ixFields = currentIndexFields();
        if (linked) {
            const QStringList mf = splitFields(m_masterFields);
            for (int i = 0; i < mf.size(); ++i)
                where << QStringLiteral("%1 = ?").arg(quoteId(i < ixFields.size() ? ixFields[i] : mf[i]));
        }
        if (!f.isEmpty())
            where << QStringLiteral("(%1)").arg(f);
        if (!where.isEmpty())
            sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
        QStringList order;
        for (const QString &ixf : ixFields) {
            Field *fd = findField(ixf);
            if (!fd)
                throw DbError(DbFault::Damaged, {fileName()},
                              QStringLiteral("%1: index field '%2' not found").arg(m_tableName, ixf));
            order << quoteId(fd->m_def.name) +
                         (fd->m_def.type == FieldType::String ? QStringLiteral(" COLLATE PERSIAN") : QString());
        }
        order << QStringLiteral("rowid");
        m_selectOrder = order.join(QStringLiteral(", "));
        sql += QStringLiteral(" ORDER BY ") + m_selectOrder;
        m_selectSql = sql;
        m_selectTable = t;
        m_selectFilter = f;
        m_selectLinked = linked;
    }

    QVector<Row> rows;
    if (!(m_readAhead && linked && takeRowsAhead(t, keys, rows))) {
        const int width = fieldCount();
        QVector<FieldType> types(m_dataCount);
        for (int i = 0; i < m_dataCount; ++i)
            types[i] = m_fields[i]->m_def.type;
        db()->eachRow(m_selectSql, keys, [&](sqlite3_stmt *st) {
            Row row;
            row.rowid = sqlite3_column_int64(st, 0);
            row.v.resize(width);
            for (int i = 0; i < m_dataCount; ++i)
                row.v[i] = fieldValue(st, i + 1, types[i]);
            rows.push_back(std::move(row));
        });
    }
    m_loadedKeys = keys;
    m_loadedLinked = linked;
    m_loadedSerial = db()->writeSerial();
    setRows(std::move(rows));
}

bool Table::takeRowsAhead(const QString &table, const QVariantList &keys, QVector<Row> &rows)
{
    // Each link field a number field, each link value a number: the rows of
    // a record are then exactly those read for its leading values whose
    // stored last link value is a number equal to its own, as the engine
    // compares them.
    const int n = int(keys.size());
    if (n < 2)
        return false;
    const QStringList ixFields = currentIndexFields();
    QVector<int> cols;
    QVector<double> leading;
    for (int i = 0; i < n; ++i) {
        if (!isNumber(keys[i]))
            return false;
        Field *fd = findField(i < ixFields.size() ? ixFields[i] : m_masterFieldList.value(i));
        if (!fd || fd->m_kind != FieldKind::Data || fd->m_index >= m_dataCount || !numericField(fd->m_def.type))
            return false;
        cols << fd->m_index;
        if (i < n - 1)
            leading << keys[i].toDouble() + 0.0; // -0 is 0
    }
    const double want = keys[n - 1].toDouble() + 0.0;
    const quint64 serial = db()->writeSerial();
    if (!m_ahead || m_ahead->sql != m_selectSql || m_ahead->serial != serial || m_ahead->leading != leading) {
        auto ahead = std::make_unique<AheadRows>();
        QStringList where;
        for (int i = 0; i < n - 1; ++i)
            where << QStringLiteral("%1 = ?").arg(quoteId(m_fields[cols[i]]->m_def.name));
        const QString f = filterSql();
        if (!f.isEmpty())
            where << QStringLiteral("(%1)").arg(f);
        const QString sql = QStringLiteral("SELECT %1 FROM %2 WHERE %3 ORDER BY %4")
                                .arg(m_selectColumns, table, where.join(QStringLiteral(" AND ")), m_selectOrder);
        const int width = fieldCount();
        QVector<FieldType> types(m_dataCount);
        for (int i = 0; i < m_dataCount; ++i)
            types[i] = m_fields[i]->m_def.type;
        const int lastCol = cols[n - 1] + 1;
        double last = 0;
        int runStart = -1;
        auto endRun = [&] {
            if (runStart < 0)
                return;
            if (ahead->byLast.contains(last))
                ahead->together = false;
            ahead->byLast.insert(last, {runStart, int(ahead->rows.size())});
        };
        db()->eachRow(sql, keys.mid(0, n - 1), [&](sqlite3_stmt *st) {
            // The stored link value as it is, not as the field makes it.
            const int type = sqlite3_column_type(st, lastCol);
            if (type != SQLITE_INTEGER && type != SQLITE_FLOAT)
                return; // equal to no number: no record's row
            const double key = sqlite3_column_double(st, lastCol) + 0.0;
            if (runStart < 0 || key != last) {
                endRun();
                runStart = int(ahead->rows.size());
                last = key;
            }
            Row row;
            row.rowid = sqlite3_column_int64(st, 0);
            row.v.resize(width);
            for (int i = 0; i < m_dataCount; ++i)
                row.v[i] = fieldValue(st, i + 1, types[i]);
            ahead->rows.push_back(std::move(row));
        });
        endRun();
        if (!ahead->together) {
            ahead->rows.clear();
            ahead->byLast.clear();
        }
        ahead->sql = m_selectSql;
        ahead->serial = serial;
        ahead->leading = leading;
        m_ahead = std::move(ahead);
    }
    if (!m_ahead->together)
        return false;
    const auto it = m_ahead->byLast.constFind(want);
    if (it != m_ahead->byLast.constEnd())
        rows = m_ahead->rows.mid(it->first, it->second - it->first);
    return true;
}

void Table::masterChanged()
{
    if (!active() || (m_db && m_db->isClosing()))
        return;
    if (m_db && !m_db->m_resyncing && m_state == DatasetState::Browse) {
        // The master moved to a record with the same link values and
        // nothing was written since: the rows are already the right ones.
        QVariantList keys;
        const bool linked = masterValues(keys);
        if (linked == m_loadedLinked && m_loadedSerial == m_db->writeSerial() && keys.size() == m_loadedKeys.size()) {
            bool same = true;
            for (int i = 0; i < keys.size() && same; ++i)
                same = keys[i].isNull() == m_loadedKeys[i].isNull() && keys[i] == m_loadedKeys[i];
            if (same)
                return;
        }
    }
    Dataset::masterChanged();
}

void Table::fillMasterValues()
{
    Dataset *master = m_master ? m_master->dataSet() : nullptr;
    if (!master || !master->active() || m_masterFields.isEmpty())
        return;
    const QStringList mf = splitFields(m_masterFields);
    const QStringList ixFields = currentIndexFields();
    for (int i = 0; i < mf.size(); ++i) {
        const QString detailField = i < ixFields.size() ? ixFields[i] : mf[i];
        Field *d = findField(detailField);
        Field *m = master->findField(mf[i]);
        if (d && m && d->m_kind == FieldKind::Data && d->m_def.type != FieldType::AutoInc)
            m_buf.v[d->m_index] = normalise(d->m_def.type, m->value());
    }
}

void Table::insert()
{
    checkActive();
    checkBrowseMode();
    m_buf = Row();
    m_buf.v.resize(m_fields.size());
    m_insertAt = m_cur;
    m_modified = false;
    setState(DatasetState::Insert);
    // A new detail record belongs to the master's record.
    fillMasterValues();
    if (onNewRecord)
        onNewRecord(*this);
    computeExtras(m_buf);
    Q_EMIT recordChanged();
    for (auto &s : m_sources)
        if (s) {
            Q_EMIT s->recordChanged();
            s->notifyDetails();
        }
}

void Table::append() { insert(); }

void Table::writeInsert(Row &row)
{
    const QString t = sqlTable();
    QStringList cols, marks;
    QVariantList binds;
    for (int i = 0; i < m_dataCount; ++i) {
        if (m_fields[i]->m_def.type == FieldType::AutoInc)
            continue;
        if (row.v[i].isNull() || !row.v[i].isValid())
            continue;
        cols << quoteId(m_fields[i]->m_def.name);
        marks << QStringLiteral("?");
        binds << row.v[i];
    }
    const QString sql = cols.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(t)
                                       : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                             .arg(t, cols.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    db()->exec(sql, binds);
    row.rowid = db()->lastInsertRowId();
    if (m_autoIncCol >= 0)
        row.v[m_autoIncCol] = qlonglong(row.rowid);
}

void Table::writeUpdate(const Row &oldRow, Row &row)
{
    const QString t = sqlTable();
    QStringList sets;
    QVariantList binds;
    for (int i = 0; i < m_dataCount; ++i) {
        if (m_fields[i]->m_def.type == FieldType::AutoInc)
            continue;
        const QVariant &a = oldRow.v[i], &b = row.v[i];
        if (a.isNull() == b.isNull() && a == b)
            continue;
        sets << QStringLiteral("%1 = ?").arg(quoteId(m_fields[i]->m_def.name));
        binds << b;
    }
    row.rowid = oldRow.rowid;
    if (sets.isEmpty())
        return;
    binds << oldRow.rowid;
    const qint64 n = db()->exec(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(t, sets.join(QStringLiteral(", "))), binds);
    if (n == 0)
        throw DbError(DbFault::Changed, {fileName()},
                      QStringLiteral("Record has been changed or deleted by another user: %1").arg(m_tableName));
}

QStringList Table::linkFields() const
{
    const QStringList ixFields = currentIndexFields();
    QStringList out;
    for (int i = 0; i < m_masterFieldList.size(); ++i)
        out << (i < ixFields.size() ? ixFields[i] : m_masterFieldList[i]);
    return out;
}

Table *Table::masterTable() const
{
    Table *master = m_master ? qobject_cast<Table *>(m_master->dataSet()) : nullptr;
    if (!master || !master->active() || m_masterFieldList.isEmpty() || master->m_db != m_db)
        return nullptr;
    return master;
}

void Table::checkOwners(const Row &row)
{
    // A new record hangs on its master's record, and that on its own master
    // (a surface on its space, the space on its unit row, the row on its
    // project): each must still be stored with the link values the record
    // carries, or another program deleted it since it was shown and the
    // record would belong to nothing.
    QVariantList values;
    for (const QString &name : linkFields()) {
        const Field *f = findField(name);
        if (!f || f->m_kind != FieldKind::Data)
            return;
        values << row.v[f->m_index];
    }
    const Table *detail = this;
    for (int level = 0; level < 8; ++level) {
        Table *master = detail->masterTable();
        if (!master)
            return;
        // Read with the row: the values by which the master hangs on its own.
        const QStringList upFields = master->masterTable() ? master->linkFields() : QStringList();
        QStringList cols, where;
        for (const QString &f : upFields)
            cols << quoteId(f);
        for (const QString &f : detail->m_masterFieldList)
            where << quoteId(f) + QStringLiteral(" IS ?");
        const Database::Result r =
            db()->select(QStringLiteral("SELECT %1 FROM %2 WHERE %3 LIMIT 1")
                             .arg(cols.isEmpty() ? QStringLiteral("1") : cols.join(QStringLiteral(", ")),
                                  master->sqlTable(), where.join(QStringLiteral(" AND "))),
                         values);
        if (r.rows.isEmpty())
            throw DbError(DbFault::Changed, {fileName()},
                          QStringLiteral("The master record of a new record of %1 (%2) has been deleted by another user")
                              .arg(m_tableName, master->m_tableName));
        values = QVariantList(r.rows[0].cbegin(), r.rows[0].cend());
        detail = master;
    }
}

void Table::checkStored(const Row &asRead, quint64 readAt, const Row &row)
{
    // The record as stored now against the record as read when its edit
    // began: a field that another program has changed since, to anything
    // but what this post writes, would be lost by a write from the old
    // copy (and a field worked out from it, a space's volume, would match
    // neither). Refused then, as a record deleted meanwhile is.
    const QString t = sqlTable();
    QStringList cols;
    QVector<FieldType> types(m_dataCount);
    for (int i = 0; i < m_dataCount; ++i) {
        cols << quoteId(m_fields[i]->m_def.name);
        types[i] = m_fields[i]->m_def.type;
    }
    QVector<QVariant> stored;
    db()->eachRow(QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?").arg(cols.join(QStringLiteral(", ")), t),
                  {asRead.rowid}, [&](sqlite3_stmt *st) {
                      stored.resize(m_dataCount);
                      for (int i = 0; i < m_dataCount; ++i)
                          stored[i] = fieldValue(st, i, types[i]);
                  });
    const auto changed = [&] {
        return DbError(DbFault::Changed, {fileName()},
                       QStringLiteral("Record has been changed or deleted by another user: %1").arg(m_tableName));
    };
    if (stored.isEmpty())
        throw changed();
    // This program's own writes to the file since the record was read (a
    // store's results per row) are no other program's change.
    if (db()->ownWriteBeforeTransaction(fileName()) > readAt)
        return;
    const auto same = [](const QVariant &a, const QVariant &b) { return a.isNull() == b.isNull() && a == b; };
    for (int i = 0; i < m_dataCount && i < asRead.v.size() && i < row.v.size(); ++i)
        if (!same(stored[i], asRead.v[i]) && !same(stored[i], row.v[i]))
            throw changed();
}

void Table::writeDelete(const Row &row)
{
    const QString t = sqlTable();
    db()->exec(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(t), {row.rowid});
}

int Table::compareKey(const Row &row, const QVector<int> &cols, const QVariantList &values) const
{
    for (int k = 0; k < cols.size() && k < values.size(); ++k) {
        QVariant want = values[k];
        const Field &f = *m_fields[cols[k]];
        if (f.m_def.type != FieldType::String && want.typeId() == QMetaType::QString) {
            double d = 0;
            if (pf::strToFloat(want.toString(), &d))
                want = d;
        }
        const int c = compareValues(row.v[cols[k]], want);
        if (c != 0)
            return c;
    }
    return 0;
}

bool Table::findKey(const QVariantList &values)
{
    checkActive();
    checkBrowseMode();
    const QStringList ix = currentIndexFields();
    QVector<int> cols;
    for (const QString &n : ix)
        cols << fieldByName(n).m_index;
    if (cols.isEmpty())
        throw DbError(DbFault::Other, {fileName()},
                      QStringLiteral("%1: no index is active for a key search").arg(m_tableName));
    for (int r = 0; r < m_rows.size(); ++r)
        if (compareKey(m_rows[r], cols, values) == 0) {
            m_cur = r;
            m_bof = m_eof = false;
            notifyScroll();
            return true;
        }
    return false;
}

void Table::findNearest(const QVariantList &values)
{
    checkActive();
    checkBrowseMode();
    const QStringList ix = currentIndexFields();
    QVector<int> cols;
    for (const QString &n : ix)
        cols << fieldByName(n).m_index;
    int pos = int(m_rows.size()) - 1;
    for (int r = 0; r < m_rows.size(); ++r)
        if (compareKey(m_rows[r], cols, values) >= 0) {
            pos = r;
            break;
        }
    if (pos < 0)
        return;
    m_cur = pos;
    m_bof = m_eof = false;
    notifyScroll();
}

void Table::emptyTable()
{
    if (active())
        checkBrowseMode();
    sqlTable();
    db()->emptyTable(m_ownDb ? db()->findTableFile(m_tableName) : m_tableName);
    if (active())
        reload(0);
}

void Table::deleteIndex(const QString &name)
{
    db()->deleteIndex(m_tableName, name);
}

void Table::addIndex(const IndexDef &def)
{
    db()->addIndex(m_tableName, def);
}

QVariant Table::lookup(const QString &keyFields, const QVariantList &values, const QString &resultField)
{
    const QString t = sqlTable();
    QStringList where;
    QVariantList binds;
    const QStringList names = splitFields(keyFields);
    for (int i = 0; i < names.size(); ++i) {
        where << QStringLiteral("%1 = ?").arg(quoteId(names[i]));
        binds << values.value(i);
    }
    const Database::Result r = db()->select(
        QStringLiteral("SELECT %1 FROM %2 WHERE %3 ORDER BY rowid LIMIT 1").arg(quoteId(resultField), t, where.join(QStringLiteral(" AND "))),
        binds);
    if (r.rows.isEmpty())
        return QVariant();
    return r.rows[0][0];
}

} // namespace pf::db
