#include "platform/db/DbInternal.h"

namespace pf::db {

using namespace detail;

Query::Query(QObject *parent) : Dataset(parent) {}

void Query::setSql(const QString &text)
{
    m_sql = text.split(QLatin1Char('\n'));
}

void Query::selectRows()
{
    if (!m_db)
        throw DbError(QStringLiteral("Query: no database"));
    QString sql = sqlText();
    const QString f = filterSql();
    if (!f.isEmpty())
        sql = QStringLiteral("SELECT * FROM (%1) WHERE %2").arg(sql, f);
    const Database::Result r = m_db->select(sql);
    // The field list follows the statement, so it is rebuilt on every open.
    if (!active() || !m_fieldsBuilt || m_dataCount != r.columns.size()) {
        QStringList decls = r.declTypes;
        for (int c = 0; c < decls.size(); ++c)
            if (decls[c].isEmpty())
                for (const auto &row : r.rows)
                    if (row[c].isValid() && !row[c].isNull()) {
                        decls[c] = row[c].typeId() == QMetaType::LongLong  ? QStringLiteral("INTEGER")
                                   : row[c].typeId() == QMetaType::QString ? QStringLiteral("VARCHAR(255)")
                                                                           : QStringLiteral("FLOAT");
                        break;
                    }
        buildFields(r.columns, decls);
    }
    QVector<Row> rows;
    rows.reserve(r.rows.size());
    qint64 n = 0;
    for (const auto &src : r.rows) {
        Row row;
        row.rowid = ++n;
        row.v.resize(m_fields.size());
        for (int i = 0; i < m_dataCount; ++i)
            row.v[i] = normalise(m_fields[i]->m_def.type, src[i]);
        rows.push_back(std::move(row));
    }
    setRows(std::move(rows));
}

void Query::prepareFields()
{
    // Field objects of a closed query come from its statement.
    const Database::Result r = m_db ? m_db->select(sqlText()) : Database::Result();
    buildFields(r.columns, r.declTypes);
}

void Query::execSQL()
{
    if (!m_db)
        throw DbError(QStringLiteral("Query: no database"));
    m_db->exec(sqlText());
}

} // namespace pf::db
