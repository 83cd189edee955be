#pragma once
#include "platform/db/Dataset.h"

namespace pf::db {

// A named parameter of a query (":name" in its text).
class Param {
public:
    QString name() const { return m_name; }
    bool isBound() const { return m_bound; }
    QVariant value() const { return m_value; }
    double asFloat() const { return m_value.toDouble(); }
    int asInteger() const { return m_value.toInt(); }
    QString asString() const { return m_value.toString(); }
    void setValue(const QVariant &v)
    {
        m_value = v;
        m_bound = true;
    }
    void setAsFloat(double v) { setValue(v); }
    void setAsInteger(int v) { setValue(qlonglong(v)); }
    void setAsString(const QString &s) { setValue(s); }
    void clear() { setValue(QVariant()); } // binds null

private:
    friend class Query;
    QString m_name;
    QVariant m_value;
    bool m_bound = false;
};

// A query whose SQL text can be replaced at run time; open selects, execSQL
// runs the statements of its text in order. Its rows are read-only. Values
// reach the text through parameters, never pasted into it:
//     q.setSql("select * from bankvh where Shproje = :p");
//     q.paramByName("p").setAsFloat(12);
//     q.open();
// Nothing runs until open or execSQL: the fields of a closed query come
// from preparing its statement.
class Query : public Dataset {
    Q_OBJECT
public:
    explicit Query(QObject *parent = nullptr);
    QStringList &sql() { return m_sql; } // lines; edit while closed
    void setSql(const QString &text);
    QString sqlText() const { return m_sql.join(QLatin1Char('\n')); }
    void execSQL();

    // The parameters named in the text; their values are kept when the
    // text changes and names the same parameter again.
    Param &paramByName(const QString &name);
    Param *findParam(const QString &name);
    int paramCount();

protected:
    void selectRows() override;
    QString describe() const override { return QStringLiteral("query"); }
    void prepareFields() override;
    bool fieldsOutdated() const override { return sqlText() != m_fieldsText; }
    bool canModify() const override { return false; }

private:
    void syncParams();
    ParamValues paramValues();

    QStringList m_sql;
    QString m_paramText; // the text m_params were read from
    QString m_fieldsText; // the text the fields were built from
    std::vector<std::unique_ptr<Param>> m_params;
};

} // namespace pf::db
