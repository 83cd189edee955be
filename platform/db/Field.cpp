#include "platform/db/DbInternal.h"

namespace pf::db {

using namespace detail;

namespace {
const QVariant kNoValue;

// A text a number field cannot take, said to the user in Persian (the
// pages refuse such texts in their own words before they get here).
QString notANumber(const QString &text) { return QStringLiteral("«%1» عدد معتبر نيست").arg(text); }
QString notAWholeNumber(const QString &text) { return QStringLiteral("«%1» عدد صحيح معتبر نيست").arg(text); }
} // namespace

// The value of the current record, read where it is held.
const QVariant &Field::current() const
{
    const QVector<QVariant> *values = m_ds->activeValues();
    return values && m_index < values->size() ? values->at(m_index) : kNoValue;
}

bool Field::isNull() const
{
    const QVariant &v = current();
    return !v.isValid() || v.isNull();
}

QVariant Field::value() const { return current(); }

QString Field::asString() const { return textOf(m_def.type, current()); }

double Field::asFloat() const
{
    const QVariant &v = current();
    if (v.typeId() == QMetaType::Double)
        return v.toDouble();
    if (!v.isValid() || v.isNull())
        return 0;
    if (v.typeId() == QMetaType::QString) {
        double d = 0;
        const QString s = v.toString();
        if (s.trimmed().isEmpty())
            return 0;
        if (!pf::strToFloat(s, &d))
            throw DbError(notANumber(s));
        return d;
    }
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? 1 : 0;
    return v.toDouble();
}

int Field::asInteger() const
{
    const QVariant &v = current();
    if (!v.isValid() || v.isNull())
        return 0;
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        if (s.isEmpty())
            return 0;
        double d = 0;
        if (!pf::strToFloat(s, &d))
            throw DbError(notAWholeNumber(s));
        return int(pf::roundToInt(d));
    }
    if (v.typeId() == QMetaType::Double)
        return int(pf::roundToInt(v.toDouble()));
    return int(v.toLongLong());
}

bool Field::asBoolean() const
{
    const QVariant v = value();
    if (!v.isValid() || v.isNull())
        return false;
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed().toLower();
        return s == QLatin1String("true") || s == QLatin1String("t") || s == QLatin1String("1");
    }
    return v.toDouble() != 0;
}

QByteArray Field::asBlob() const
{
    const QVariant v = value();
    return v.isNull() ? QByteArray() : v.toByteArray();
}

void Field::setValue(const QVariant &v)
{
    Dataset *ds = m_ds;
    const bool calcWrite = ds->m_inCalc && m_kind != FieldKind::Data;
    if (!calcWrite) {
        if (ds->m_state != DatasetState::Edit && ds->m_state != DatasetState::Insert)
            throw DbError(DbFault::Other, ds->tableFiles(), QStringLiteral("Dataset not in edit or insert mode"));
        if (m_def.type == FieldType::AutoInc)
            throw DbError(DbFault::Other, ds->tableFiles(), QStringLiteral("Field '%1' cannot be modified").arg(m_def.name));
    }
    QVariant nv;
    if (v.isValid() && !v.isNull()) {
        switch (m_def.type) {
        case FieldType::String: {
            QString s = v.typeId() == QMetaType::Double ? pf::floatToStr(v.toDouble()) : v.toString();
            const int size = m_def.size > 0 ? m_def.size : 20;
            if (s.size() > size)
                s.truncate(size);
            nv = s;
            break;
        }
        case FieldType::Float:
            if (v.typeId() == QMetaType::QString) {
                const QString s = v.toString();
                if (s.trimmed().isEmpty()) {
                    nv = QVariant();
                    break;
                }
                double d = 0;
                if (!pf::strToFloat(s, &d))
                    throw DbError(notANumber(s));
                nv = d;
            } else {
                nv = v.toDouble();
            }
            break;
        case FieldType::Integer:
        case FieldType::SmallInt:
        case FieldType::AutoInc: {
            qlonglong n = 0;
            if (v.typeId() == QMetaType::QString) {
                const QString s = v.toString().trimmed();
                if (s.isEmpty()) {
                    nv = QVariant();
                    break;
                }
                int64_t x = 0;
                if (!pf::strToInt(s, &x))
                    throw DbError(notAWholeNumber(s));
                n = x;
            } else if (v.typeId() == QMetaType::Double) {
                n = pf::roundToInt(v.toDouble());
            } else {
                n = v.toLongLong();
            }
            if (m_def.type == FieldType::SmallInt && (n < -32768 || n > 32767))
                throw DbError(notAWholeNumber(QString::number(n)));
            nv = n;
            break;
        }
        case FieldType::Boolean:
            if (v.typeId() == QMetaType::QString) {
                const QString s = v.toString().trimmed().toLower();
                nv = (s == QLatin1String("true") || s == QLatin1String("t") || s == QLatin1String("1"));
            } else {
                nv = v.toDouble() != 0;
            }
            break;
        case FieldType::Blob:
            nv = v.toByteArray();
            break;
        }
    }
    if (calcWrite) {
        ds->m_calcRow->v[m_index] = nv;
        return;
    }
    ds->m_buf.v[m_index] = nv;
    ds->m_modified = true;
    if (m_kind == FieldKind::Data) {
        ds->computeExtras(ds->m_buf);
        Q_EMIT ds->recordChanged();
        for (auto &s : ds->m_sources)
            if (s)
                Q_EMIT s->recordChanged();
    }
}

void Field::setAsString(const QString &s) { setValue(s); }
void Field::setAsFloat(double v) { setValue(v); }
void Field::setAsInteger(int v) { setValue(qlonglong(v)); }
void Field::setAsBoolean(bool v) { setValue(v); }
void Field::setAsBlob(const QByteArray &b) { setValue(b); }
void Field::clear() { setValue(QVariant()); }

} // namespace pf::db
