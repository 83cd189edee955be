#include "platform/db/DbInternal.h"

#include <algorithm>

namespace pf::db {

using namespace detail;

namespace {

// The parameter names of a text (":name"), in order of first use, outside
// quotes and comments.
QStringList paramNames(const QString &text)
{
    QStringList names;
    const int n = int(text.size());
    for (int i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('[')) {
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            for (++i; i < n && text[i] != close; ++i) {
            }
        } else if (c == QLatin1Char('-') && i + 1 < n && text[i + 1] == QLatin1Char('-')) {
            for (; i < n && text[i] != QLatin1Char('\n'); ++i) {
            }
        } else if (c == QLatin1Char('/') && i + 1 < n && text[i + 1] == QLatin1Char('*')) {
            for (i += 2; i + 1 < n && !(text[i] == QLatin1Char('*') && text[i + 1] == QLatin1Char('/')); ++i) {
            }
            ++i;
        } else if (c == QLatin1Char(':')) {
            int j = i + 1;
            while (j < n && (text[j].isLetterOrNumber() || text[j] == QLatin1Char('_')))
                ++j;
            if (j > i + 1) {
                const QString name = text.mid(i + 1, j - i - 1);
                bool seen = false;
                for (const QString &m : std::as_const(names))
                    seen = seen || m.compare(name, Qt::CaseInsensitive) == 0;
                if (!seen)
                    names << name;
            }
            i = j - 1;
        }
    }
    return names;
}

} // namespace

Query::Query(QObject *parent) : Dataset(parent) {}

void Query::setSql(const QString &text)
{
    m_sql = text.split(QLatin1Char('\n'));
}

void Query::syncParams()
{
    const QString text = sqlText();
    if (text == m_paramText)
        return;
    m_paramText = text;
    std::vector<std::unique_ptr<Param>> params;
    for (const QString &name : paramNames(text)) {
        std::unique_ptr<Param> p;
        for (auto &old : m_params)
            if (old && old->m_name.compare(name, Qt::CaseInsensitive) == 0)
                p = std::move(old);
        if (!p) {
            p = std::make_unique<Param>();
            p->m_name = name;
        }
        params.push_back(std::move(p));
    }
    m_params = std::move(params);
}

Param *Query::findParam(const QString &name)
{
    syncParams();
    for (auto &p : m_params)
        if (p->m_name.compare(name, Qt::CaseInsensitive) == 0)
            return p.get();
    return nullptr;
}

Param &Query::paramByName(const QString &name)
{
    Param *p = findParam(name);
    if (!p)
        throw DbError(DbFault::Other, {}, QStringLiteral("query: Parameter '%1' not found").arg(name));
    return *p;
}

int Query::paramCount()
{
    syncParams();
    return int(m_params.size());
}

ParamValues Query::paramValues()
{
    syncParams();
    ParamValues v;
    for (const auto &p : m_params)
        if (p->m_bound)
            v.insert(p->m_name.toLower(), p->m_value);
    return v;
}

void Query::selectRows()
{
    if (!m_db)
        throw DbError(DbFault::Other, {}, QStringLiteral("Query: no database"));
    QString sql = sqlText();
    const QString f = filterSql();
    if (!f.isEmpty())
        sql = QStringLiteral("SELECT * FROM (%1) WHERE %2").arg(sql, f);
    // The field list follows the statement, so it is rebuilt on every open.
    const bool rebuild = !active() || !m_fieldsBuilt;
    // Where every column declares its type, the fields are made before the
    // rows are read, and each value is read as its field holds it.
    bool typed = false;
    const Database::TypesOf typesOf = [&](const QStringList &columns,
                                          const QStringList &decls) -> std::optional<Database::RowTypes> {
        if (std::any_of(decls.begin(), decls.end(), [](const QString &d) { return d.isEmpty(); }))
            return std::nullopt;
        if (rebuild || m_dataCount != columns.size()) {
            m_fieldsText = sqlText();
            buildFields(columns, decls);
        }
        Database::RowTypes t;
        t.width = fieldCount();
        for (int i = 0; i < m_dataCount; ++i)
            t.types << m_fields[i]->m_def.type;
        typed = true;
        return t;
    };
    Database::Result r = m_db->select(sql, paramValues(), typesOf);
    if (!typed && (rebuild || m_dataCount != r.columns.size())) {
        m_fieldsText = sqlText();
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
    QVector<FieldType> types(m_dataCount);
    for (int i = 0; i < m_dataCount; ++i)
        types[i] = m_fields[i]->m_def.type;
    for (auto &src : r.rows) {
        // The engine's row becomes the record: its values are brought to
        // the fields' types where they differ, and the room for the
        // calculated fields is added.
        Row row;
        row.rowid = ++n;
        row.v = std::move(src);
        if (!typed) {
            row.v.resize(fieldCount());
            for (int i = 0; i < m_dataCount; ++i)
                if (!holdsType(types[i], row.v[i]))
                    row.v[i] = normalise(types[i], row.v[i]);
        }
        rows.push_back(std::move(row));
    }
    r.rows.clear();
    setRows(std::move(rows));
}

void Query::prepareFields()
{
    // Field objects of a closed query come from its prepared statement;
    // nothing of it runs.
    m_fieldsText = sqlText();
    const Database::Result r = m_db ? m_db->describe(m_fieldsText) : Database::Result();
    buildFields(r.columns, r.declTypes);
}

void Query::execSQL()
{
    if (!m_db)
        throw DbError(DbFault::Other, {}, QStringLiteral("Query: no database"));
    m_db->exec(sqlText(), paramValues());
}

} // namespace pf::db
