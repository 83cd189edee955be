#include "platform/db/Db.h"

#include "platform/common/Numbers.h"

#include <QFileInfo>
#include <QHash>

#include <cmath>

namespace pf::db {

namespace {

QString quoteId(const QString &id)
{
    QString s = id;
    s.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

QStringList splitFields(const QString &s)
{
    QStringList out;
    for (const QString &p : s.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString t = p.trimmed();
        if (!t.isEmpty())
            out << t;
    }
    return out;
}

FieldType typeFromDecl(const QString &declRaw, const QVariant &sample)
{
    const QString decl = declRaw.toUpper();
    if (decl.isEmpty()) {
        switch (sample.typeId()) {
        case QMetaType::LongLong:
            return FieldType::Integer;
        case QMetaType::QString:
            return FieldType::String;
        case QMetaType::QByteArray:
            return FieldType::Blob;
        default:
            return FieldType::Float;
        }
    }
    if (decl.startsWith(QLatin1String("VARCHAR")) || decl.startsWith(QLatin1String("CHAR")) ||
        decl.startsWith(QLatin1String("TEXT")))
        return FieldType::String;
    if (decl.startsWith(QLatin1String("SMALLINT")))
        return FieldType::SmallInt;
    if (decl.startsWith(QLatin1String("INT")))
        return FieldType::Integer;
    if (decl.startsWith(QLatin1String("BOOL")))
        return FieldType::Boolean;
    if (decl.startsWith(QLatin1String("BLOB")))
        return FieldType::Blob;
    return FieldType::Float;
}

// Brings a stored value to the field's type.
QVariant normalise(FieldType t, const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return QVariant();
    switch (t) {
    case FieldType::Float: {
        if (v.typeId() == QMetaType::QString) {
            double d = 0;
            if (pf::strToFloat(v.toString(), &d))
                return d;
            return QVariant();
        }
        return v.toDouble();
    }
    case FieldType::Integer:
    case FieldType::SmallInt:
    case FieldType::AutoInc:
        if (v.typeId() == QMetaType::Double)
            return qlonglong(pf::roundToInt(v.toDouble()));
        return v.toLongLong();
    case FieldType::Boolean:
        return v.toLongLong() != 0;
    case FieldType::String:
        if (v.typeId() == QMetaType::Double)
            return pf::floatToStr(v.toDouble());
        return v.toString();
    case FieldType::Blob:
        return v.toByteArray();
    }
    return v;
}

QString textOf(FieldType t, const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return QString();
    switch (t) {
    case FieldType::Float:
        return pf::floatToStr(v.toDouble());
    case FieldType::Boolean:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case FieldType::Blob:
        return QString::fromLatin1(v.toByteArray());
    default:
        return v.toString();
    }
}

// Order of two values as an index orders them: null first, numbers by
// value, texts by the Persian collation.
int compareValues(const QVariant &a, const QVariant &b)
{
    const bool an = !a.isValid() || a.isNull(), bn = !b.isValid() || b.isNull();
    if (an || bn)
        return an == bn ? 0 : (an ? -1 : 1);
    const bool as = a.typeId() == QMetaType::QString, bs = b.typeId() == QMetaType::QString;
    if (as && bs)
        return persianCompare(a.toString(), b.toString());
    if (as != bs) {
        // A text key against a number: compare as numbers when the text is one.
        double x = 0;
        if (as && pf::strToFloat(a.toString(), &x)) {
            const double y = b.toDouble();
            return x < y ? -1 : (x > y ? 1 : 0);
        }
        if (bs && pf::strToFloat(b.toString(), &x)) {
            const double y = a.toDouble();
            return y < x ? -1 : (y > x ? 1 : 0);
        }
        return as ? 1 : -1;
    }
    const double x = a.toDouble(), y = b.toDouble();
    return x < y ? -1 : (x > y ? 1 : 0);
}

} // namespace

// ---------------------------------------------------------------- Field


bool Field::isNull() const
{
    const QVariant v = value();
    return !v.isValid() || v.isNull();
}

QVariant Field::value() const { return m_ds->rowValue(-1, m_index); }

QString Field::asString() const { return textOf(m_def.type, value()); }

double Field::asFloat() const
{
    const QVariant v = value();
    if (!v.isValid() || v.isNull())
        return 0;
    if (v.typeId() == QMetaType::QString) {
        double d = 0;
        const QString s = v.toString();
        if (s.trimmed().isEmpty())
            return 0;
        if (!pf::strToFloat(s, &d))
            throw DbError(QStringLiteral("'%1' is not a valid floating point value").arg(s));
        return d;
    }
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? 1 : 0;
    return v.toDouble();
}

int Field::asInteger() const
{
    const QVariant v = value();
    if (!v.isValid() || v.isNull())
        return 0;
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        if (s.isEmpty())
            return 0;
        double d = 0;
        if (!pf::strToFloat(s, &d))
            throw DbError(QStringLiteral("'%1' is not a valid integer value").arg(s));
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
            throw DbError(QStringLiteral("Dataset not in edit or insert mode"));
        if (m_def.type == FieldType::AutoInc)
            throw DbError(QStringLiteral("Field '%1' cannot be modified").arg(m_def.name));
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
                    throw DbError(QStringLiteral("'%1' is not a valid floating point value for field '%2'").arg(s, m_def.name));
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
                    throw DbError(QStringLiteral("'%1' is not a valid integer value for field '%2'").arg(s, m_def.name));
                n = x;
            } else if (v.typeId() == QMetaType::Double) {
                n = pf::roundToInt(v.toDouble());
            } else {
                n = v.toLongLong();
            }
            if (m_def.type == FieldType::SmallInt && (n < -32768 || n > 32767))
                throw DbError(QStringLiteral("Value %1 out of range for field '%2'").arg(n).arg(m_def.name));
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

// ---------------------------------------------------------------- Dataset

Dataset::Dataset(QObject *parent) : QObject(parent) {}

Dataset::~Dataset()
{
    if (m_db)
        m_db->unregisterDataset(this);
}

void Dataset::setDatabase(Database *db)
{
    if (m_db == db)
        return;
    if (active())
        close();
    if (m_db)
        m_db->unregisterDataset(this);
    m_db = db;
    if (m_db)
        m_db->registerDataset(this);
}

void Dataset::readOnly() const
{
    throw DbError(QStringLiteral("Cannot modify a read-only dataset"));
}

void Dataset::open()
{
    if (active())
        return;
    selectRows();
    m_cur = m_rows.isEmpty() ? -1 : 0;
    m_bof = true;
    m_eof = m_rows.isEmpty();
    setState(DatasetState::Browse);
    if (afterOpen)
        afterOpen(*this);
    Q_EMIT dataChanged();
    notifyScroll();
}

void Dataset::close()
{
    if (!active())
        return;
    m_rows.clear();
    m_cur = -1;
    m_bof = m_eof = true;
    m_modified = false;
    setState(DatasetState::Inactive);
    Q_EMIT dataChanged();
    // Details of a closed master are no longer restricted.
    for (auto &s : m_sources)
        if (s) {
            Q_EMIT s->dataChanged();
            for (auto &d : s->m_details)
                if (d)
                    d->masterChanged();
        }
}

void Dataset::setState(DatasetState s)
{
    if (m_state == s)
        return;
    m_state = s;
    Q_EMIT stateChanged();
    for (auto &src : m_sources)
        if (src)
            Q_EMIT src->stateChanged();
}

void Dataset::buildFields(const QStringList &cols, const QStringList &declTypes)
{
    // Field objects: the data columns, then the declared calculated and
    // lookup fields.
    m_fields.clear();
    for (int i = 0; i < cols.size(); ++i) {
        auto f = std::make_unique<Field>();
        f->m_ds = this;
        f->m_def.name = cols[i];
        f->m_def.type = typeFromDecl(declTypes.value(i), QVariant());
        f->m_index = i;
        m_fields.push_back(std::move(f));
    }
    m_dataCount = int(m_fields.size());
    for (const Field &t : std::as_const(m_extraTemplates)) {
        auto f = std::make_unique<Field>(t);
        f->m_ds = this;
        f->m_index = int(m_fields.size());
        m_fields.push_back(std::move(f));
    }
    reindexFields();
    m_fieldsBuilt = true;
}

void Dataset::addCalcField(const QString &name, FieldType type, int size)
{
    Field f;
    f.m_def = {name, type, size};
    f.m_kind = FieldKind::Calculated;
    m_extraTemplates.push_back(f);
    m_fieldsBuilt = false;
}

void Dataset::addLookupField(const QString &name, FieldType type, int size, const QString &keyFields,
                             Dataset *lookupDataset, const QString &lookupKeyFields, const QString &resultField)
{
    Field f;
    f.m_def = {name, type, size};
    f.m_kind = FieldKind::Lookup;
    f.m_keyFields = splitFields(keyFields);
    f.m_lookupDataset = lookupDataset;
    f.m_lookupKeyFields = splitFields(lookupKeyFields);
    f.m_lookupResultField = resultField;
    m_extraTemplates.push_back(f);
    m_fieldsBuilt = false;
}

void Dataset::computeExtras(Row &row)
{
    if (m_dataCount == m_fields.size())
        return;
    for (int i = m_dataCount; i < m_fields.size(); ++i) {
        Field &f = *m_fields[i];
        if (f.m_kind != FieldKind::Lookup)
            row.v[i] = QVariant();
    }
    Row *saved = m_calcRow;
    m_calcRow = &row;
    // Lookup fields: the result field of the lookup dataset's record whose
    // key fields equal this record's, cut to the declared size.
    for (int i = m_dataCount; i < m_fields.size(); ++i) {
        Field &f = *m_fields[i];
        if (f.m_kind != FieldKind::Lookup || !f.m_lookupDataset)
            continue;
        QVariantList keys;
        bool anyNull = false;
        for (const QString &k : std::as_const(f.m_keyFields)) {
            Field *kf = findField(k);
            QVariant kv = kf ? row.v[kf->m_index] : QVariant();
            anyNull = anyNull || kv.isNull();
            keys << kv;
        }
        QVariant res;
        if (!anyNull) {
            QString cacheKey = QString::number(i);
            for (const QVariant &k : std::as_const(keys))
                cacheKey += QLatin1Char('\x1f') + k.toString();
            auto it = m_lookupCache.constFind(cacheKey);
            if (it != m_lookupCache.constEnd()) {
                res = it.value();
            } else {
                try {
                    res = f.m_lookupDataset->lookup(f.m_lookupKeyFields.join(QLatin1Char(';')), keys, f.m_lookupResultField);
                } catch (const DbError &) {
                    res = QVariant();
                }
                m_lookupCache.insert(cacheKey, res);
            }
        }
        res = normalise(f.m_def.type, res);
        if (f.m_def.type == FieldType::String && res.isValid()) {
            QString s = res.toString();
            const int size = f.m_def.size > 0 ? f.m_def.size : 20;
            if (s.size() > size)
                s.truncate(size);
            res = s;
        }
        row.v[i] = res;
    }
    if (onCalcFields) {
        const bool wasCalc = m_inCalc;
        m_inCalc = true;
        try {
            onCalcFields(*this);
        } catch (...) {
            m_inCalc = wasCalc;
            m_calcRow = saved;
            throw;
        }
        m_inCalc = wasCalc;
    }
    m_calcRow = saved;
}

void Dataset::setRows(QVector<Row> rows)
{
    m_lookupCache.clear();
    QVector<Row> kept;
    kept.reserve(rows.size());
    for (Row &r : rows) {
        if (r.v.size() < m_fields.size())
            r.v.resize(m_fields.size());
        computeExtras(r);
        if (m_filtered && onFilterRecord && !passesRecordFilter(r))
            continue;
        kept.push_back(std::move(r));
    }
    m_rows = std::move(kept);
}

bool Dataset::passesRecordFilter(Row &row)
{
    Row *saved = m_calcRow;
    m_calcRow = &row;
    bool ok = true;
    try {
        ok = onFilterRecord(*this);
    } catch (...) {
        m_calcRow = saved;
        throw;
    }
    m_calcRow = saved;
    return ok;
}

QString Dataset::filterSql() const
{
    if (!m_filtered || m_filter.trimmed().isEmpty())
        return QString();
    return m_filter;
}

void Dataset::reload(qint64 keepRowid)
{
    if (!active())
        return;
    const int oldCur = m_cur;
    selectRows();
    int pos = -1;
    if (keepRowid != 0) {
        for (int i = 0; i < m_rows.size(); ++i)
            if (m_rows[i].rowid == keepRowid) {
                pos = i;
                break;
            }
    }
    if (pos < 0 && keepRowid != 0 && !m_rows.isEmpty())
        pos = qBound(0, oldCur, int(m_rows.size()) - 1);
    if (pos < 0 && !m_rows.isEmpty())
        pos = 0;
    m_cur = pos;
    m_bof = (pos <= 0);
    m_eof = m_rows.isEmpty();
    Q_EMIT dataChanged();
    notifyScroll();
}

void Dataset::notifyScroll()
{
    if (m_controlsDisabled > 0) {
        m_scrollPending = true;
        return;
    }
    Q_EMIT recordChanged();
    for (auto &s : m_sources)
        if (s) {
            Q_EMIT s->recordChanged();
            for (auto &d : s->m_details)
                if (d)
                    d->masterChanged();
        }
    if (afterScroll && m_state == DatasetState::Browse)
        afterScroll(*this);
}

void Dataset::enableControls()
{
    if (m_controlsDisabled > 0 && --m_controlsDisabled == 0 && m_scrollPending) {
        m_scrollPending = false;
        Q_EMIT dataChanged();
        notifyScroll();
    }
}

void Dataset::masterChanged()
{
    if (!active() || (m_db && m_db->isClosing()))
        return;
    checkBrowseMode();
    reload(0);
}

bool Dataset::isEmpty() const { return m_rows.isEmpty(); }
int Dataset::recordCount() const { return int(m_rows.size()); }
int Dataset::recNo() const { return m_cur < 0 ? 0 : m_cur + 1; }

void Dataset::setRecNo(int n)
{
    checkBrowseMode();
    if (m_rows.isEmpty())
        return;
    m_cur = qBound(0, n - 1, int(m_rows.size()) - 1);
    m_bof = m_eof = false;
    notifyScroll();
}

qint64 Dataset::bookmark() const
{
    return (m_cur >= 0 && m_cur < m_rows.size()) ? m_rows[m_cur].rowid : 0;
}

bool Dataset::gotoBookmark(qint64 rowid)
{
    checkBrowseMode();
    for (int i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].rowid == rowid) {
            m_cur = i;
            m_bof = m_eof = false;
            notifyScroll();
            return true;
        }
    return false;
}

void Dataset::first()
{
    checkActive();
    checkBrowseMode();
    m_cur = m_rows.isEmpty() ? -1 : 0;
    m_bof = true;
    m_eof = m_rows.isEmpty();
    notifyScroll();
}

void Dataset::last()
{
    checkActive();
    checkBrowseMode();
    m_cur = int(m_rows.size()) - 1;
    m_eof = true;
    m_bof = m_rows.isEmpty();
    notifyScroll();
}

void Dataset::next()
{
    checkActive();
    checkBrowseMode();
    if (m_cur + 1 < m_rows.size()) {
        ++m_cur;
        m_bof = false;
        m_eof = false;
        notifyScroll();
    } else {
        m_eof = true;
    }
}

void Dataset::prior()
{
    checkActive();
    checkBrowseMode();
    if (m_cur > 0) {
        --m_cur;
        m_bof = false;
        m_eof = false;
        notifyScroll();
    } else {
        m_bof = true;
    }
}

int Dataset::moveBy(int distance)
{
    int moved = 0;
    while (distance > 0 && !m_eof) {
        const int before = m_cur;
        next();
        if (m_cur != before)
            ++moved;
        --distance;
    }
    while (distance < 0 && !m_bof) {
        const int before = m_cur;
        prior();
        if (m_cur != before)
            --moved;
        ++distance;
    }
    return moved;
}

void Dataset::checkActive() const
{
    if (!active())
        throw DbError(QStringLiteral("Cannot perform this operation on a closed dataset"));
}

void Dataset::reindexFields()
{
    m_fieldIndex.clear();
    m_fieldIndexExact.clear();
    for (int i = int(m_fields.size()) - 1; i >= 0; --i) {
        m_fieldIndex.insert(m_fields[i]->m_def.name.toCaseFolded(), i);
        m_fieldIndexExact.insert(m_fields[i]->m_def.name, i);
    }
}

Field *Dataset::findField(const QString &name)
{
    const auto exact = m_fieldIndexExact.constFind(name);
    if (exact != m_fieldIndexExact.constEnd())
        return m_fields[exact.value()].get();
    const auto it = m_fieldIndex.constFind(name.toCaseFolded());
    return it == m_fieldIndex.constEnd() ? nullptr : m_fields[it.value()].get();
}

Field &Dataset::fieldByName(const QString &name)
{
    if (!m_fieldsBuilt && !active())
        prepareFields();
    Field *f = findField(name);
    if (!f)
        throw DbError(QStringLiteral("%1: Field '%2' not found").arg(describe(), name));
    return *f;
}

QStringList Dataset::fieldNames() const
{
    QStringList n;
    for (const auto &f : m_fields)
        n << f->m_def.name;
    return n;
}

const QVector<QVariant> *Dataset::activeValues() const
{
    if (m_calcRow)
        return &m_calcRow->v;
    if (m_state == DatasetState::Edit || m_state == DatasetState::Insert)
        return &m_buf.v;
    if (m_cur >= 0 && m_cur < m_rows.size())
        return &m_rows[m_cur].v;
    return nullptr;
}

QVariant Dataset::rowValue(int row, int fieldIndex) const
{
    const QVector<QVariant> *vals = nullptr;
    if (row < 0)
        vals = activeValues();
    else if (row < m_rows.size())
        vals = &m_rows[row].v;
    if (!vals || fieldIndex < 0 || fieldIndex >= vals->size())
        return QVariant();
    return vals->at(fieldIndex);
}

QString Dataset::rowText(int row, int fieldIndex) const
{
    if (fieldIndex < 0 || fieldIndex >= m_fields.size())
        return QString();
    return textOf(m_fields[fieldIndex]->m_def.type, rowValue(row, fieldIndex));
}

void Dataset::edit()
{
    checkActive();
    if (m_state == DatasetState::Edit || m_state == DatasetState::Insert)
        return;
    if (!canModify())
        readOnly();
    if (m_rows.isEmpty()) {
        insert();
        return;
    }
    m_buf = m_rows[m_cur];
    m_modified = false;
    setState(DatasetState::Edit);
    Q_EMIT recordChanged();
}

void Dataset::insert()
{
    checkActive();
    if (!canModify())
        readOnly();
    checkBrowseMode();
    m_buf = Row();
    m_buf.v.resize(m_fields.size());
    m_insertAt = m_cur;
    m_modified = false;
    setState(DatasetState::Insert);
    if (onNewRecord) {
        onNewRecord(*this);
    }
    computeExtras(m_buf);
    Q_EMIT recordChanged();
    for (auto &s : m_sources)
        if (s) {
            Q_EMIT s->recordChanged();
            for (auto &d : s->m_details)
                if (d)
                    d->masterChanged();
        }
}

void Dataset::append()
{
    insert();
}

void Dataset::post()
{
    if (m_state != DatasetState::Edit && m_state != DatasetState::Insert)
        return;
    if (beforePost)
        beforePost(*this);
    if (m_state == DatasetState::Insert) {
        writeInsert(m_buf);
    } else {
        writeUpdate(m_rows[m_cur], m_buf);
    }
    const qint64 rowid = m_buf.rowid;
    m_modified = false;
    setState(DatasetState::Browse);
    reload(rowid);
    if (afterPost)
        afterPost(*this);
}

void Dataset::cancel()
{
    if (m_state != DatasetState::Edit && m_state != DatasetState::Insert)
        return;
    const bool wasInsert = m_state == DatasetState::Insert;
    m_modified = false;
    m_buf = Row();
    setState(DatasetState::Browse);
    Q_EMIT recordChanged();
    for (auto &s : m_sources)
        if (s) {
            Q_EMIT s->recordChanged();
            if (wasInsert)
                for (auto &d : s->m_details)
                    if (d)
                        d->masterChanged();
        }
}

void Dataset::remove()
{
    checkActive();
    if (m_state == DatasetState::Insert) {
        cancel();
        return;
    }
    if (m_state == DatasetState::Edit)
        cancel();
    if (m_rows.isEmpty())
        throw DbError(QStringLiteral("Cannot perform this operation on an empty dataset"));
    if (beforeDelete)
        beforeDelete(*this);
    const int pos = m_cur;
    writeDelete(m_rows[m_cur]);
    selectRows();
    m_cur = m_rows.isEmpty() ? -1 : qMin(pos, int(m_rows.size()) - 1);
    m_bof = m_cur <= 0;
    m_eof = m_rows.isEmpty();
    Q_EMIT dataChanged();
    notifyScroll();
}

void Dataset::checkBrowseMode()
{
    if (m_state == DatasetState::Edit || m_state == DatasetState::Insert) {
        if (m_modified)
            post();
        else
            cancel();
    }
}

void Dataset::refresh()
{
    checkActive();
    checkBrowseMode();
    reload(bookmark());
}

void Dataset::setFilter(const QString &text)
{
    m_filter = text;
    if (active() && m_filtered)
        refresh();
}

void Dataset::setFiltered(bool on)
{
    if (m_filtered == on)
        return;
    m_filtered = on;
    if (active())
        refresh();
}

bool Dataset::locate(const QString &keyFields, const QVariantList &values, LocateOptions opts)
{
    checkActive();
    checkBrowseMode();
    const QStringList names = splitFields(keyFields);
    QVector<int> idx;
    for (const QString &n : names)
        idx << fieldByName(n).m_index;
    for (int r = 0; r < m_rows.size(); ++r) {
        bool ok = true;
        for (int k = 0; k < idx.size() && ok; ++k) {
            const QVariant &have = m_rows[r].v[idx[k]];
            const QVariant want = values.value(k);
            if (have.typeId() == QMetaType::QString || want.typeId() == QMetaType::QString) {
                const QString a = textOf(m_fields[idx[k]]->m_def.type, have);
                const QString b = want.toString();
                const Qt::CaseSensitivity cs = opts.caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
                ok = opts.partialKey ? a.startsWith(b, cs) : a.compare(b, cs) == 0;
                if (!ok && m_fields[idx[k]]->m_def.type != FieldType::String)
                    ok = compareValues(have, want) == 0;
            } else {
                ok = compareValues(have, want) == 0;
            }
        }
        if (ok) {
            m_cur = r;
            m_bof = m_eof = false;
            notifyScroll();
            return true;
        }
    }
    return false;
}

QVariant Dataset::lookup(const QString &keyFields, const QVariantList &values, const QString &resultField)
{
    // Over the selected rows; tables look in the stored file instead.
    const QStringList names = splitFields(keyFields);
    Field *res = findField(resultField);
    if (!res)
        return QVariant();
    for (int r = 0; r < m_rows.size(); ++r) {
        bool ok = true;
        for (int k = 0; k < names.size() && ok; ++k) {
            Field *f = findField(names[k]);
            ok = f && compareValues(m_rows[r].v[f->m_index], values.value(k)) == 0;
        }
        if (ok)
            return m_rows[r].v[res->m_index];
    }
    return QVariant();
}

// ---------------------------------------------------------------- Table

Table::Table(QObject *parent) : Dataset(parent) {}

void Table::setTableName(const QString &name)
{
    if (active())
        close();
    m_tableName = name;
    m_fieldsBuilt = false;
    if (QFileInfo(name).isAbsolute()) {
        // A file reached by its full path has a database of its own.
        if (!m_ownDb)
            m_ownDb = std::make_unique<Database>();
        m_ownDb->setDirectory(QFileInfo(name).absolutePath());
        setDatabase(m_ownDb.get());
    }
}

Database *Table::db()
{
    if (!m_db)
        throw DbError(QStringLiteral("%1: no database").arg(m_tableName));
    return m_db;
}

QString Table::sqlTable()
{
    if (m_ownDb) {
        const QString path = m_ownDb->findTableFile(m_tableName);
        if (path.isEmpty())
            throw DbError(QStringLiteral("Table does not exist: %1").arg(m_tableName));
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
    throw DbError(QStringLiteral("Index does not exist. Index: %1 of %2").arg(m_indexName, m_tableName));
}

void Table::setIndexName(const QString &name)
{
    m_indexName = name;
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
    if (src && !src->m_details.contains(QPointer<Table>(this)))
        src->m_details.push_back(this);
    if (active())
        masterChanged();
}

void Table::setMasterFields(const QString &fields)
{
    m_masterFields = fields;
    if (active())
        masterChanged();
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
    QStringList cols;
    for (int i = 0; i < m_dataCount; ++i)
        cols << quoteId(m_fields[i]->m_def.name);
    QString sql = QStringLiteral("SELECT rowid, %1 FROM %2").arg(cols.join(QStringLiteral(", ")), t);
    QStringList where;
    QVariantList binds;
    const QStringList ixFields = currentIndexFields();
    Dataset *master = m_master ? m_master->dataSet() : nullptr;
    if (master && master->active() && !m_masterFields.isEmpty()) {
        const QStringList mf = splitFields(m_masterFields);
        for (int i = 0; i < mf.size(); ++i) {
            const QString detailField = i < ixFields.size() ? ixFields[i] : mf[i];
            Field *m = master->findField(mf[i]);
            if (!m)
                throw DbError(QStringLiteral("%1: master field '%2' not found").arg(m_tableName, mf[i]));
            const QVariant v = m->value();
            if (!v.isValid() || v.isNull()) {
                where << QStringLiteral("0");
                continue;
            }
            where << QStringLiteral("%1 = ?").arg(quoteId(detailField));
            binds << v;
        }
    }
    const QString f = filterSql();
    if (!f.isEmpty())
        where << QStringLiteral("(%1)").arg(f);
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    QStringList order;
    for (const QString &ixf : ixFields) {
        Field *fd = findField(ixf);
        if (!fd)
            throw DbError(QStringLiteral("%1: index field '%2' not found").arg(m_tableName, ixf));
        order << quoteId(fd->m_def.name) +
                     (fd->m_def.type == FieldType::String ? QStringLiteral(" COLLATE PERSIAN") : QString());
    }
    order << QStringLiteral("rowid");
    sql += QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", "));

    const Database::Result r = db()->select(sql, binds);
    QVector<Row> rows;
    rows.reserve(r.rows.size());
    for (const auto &src : r.rows) {
        Row row;
        row.rowid = src[0].toLongLong();
        row.v.resize(m_fields.size());
        for (int i = 0; i < m_dataCount; ++i)
            row.v[i] = normalise(m_fields[i]->m_def.type, src[i + 1]);
        rows.push_back(std::move(row));
    }
    setRows(std::move(rows));
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
            for (auto &d : s->m_details)
                if (d)
                    d->masterChanged();
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
        throw DbError(QStringLiteral("Record has been changed or deleted by another user: %1").arg(m_tableName));
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
        throw DbError(QStringLiteral("%1: no index is active for a key search").arg(m_tableName));
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

// ---------------------------------------------------------------- Query

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

// ---------------------------------------------------------------- DataSource

void DataSource::setDataSet(Dataset *ds)
{
    if (m_ds)
        m_ds->m_sources.removeAll(QPointer<DataSource>(this));
    m_ds = ds;
    if (ds && !ds->m_sources.contains(QPointer<DataSource>(this)))
        ds->m_sources.push_back(this);
    Q_EMIT dataChanged();
    for (auto &d : m_details)
        if (d)
            d->masterChanged();
}

} // namespace pf::db
