#include "platform/db/DbInternal.h"

#include <cstring>

namespace pf::db {

using namespace detail;

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
    throw DbError(DbFault::Other, tableFiles(), QStringLiteral("Cannot modify a read-only dataset"));
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
    ++m_selectionSerial;
    releaseRows();
    m_cur = -1;
    m_bof = m_eof = true;
    m_modified = false;
    setState(DatasetState::Inactive);
    Q_EMIT dataChanged();
    // Details keep their rows: closing loads nothing. A detail opened or
    // refreshed while its master is closed is not restricted.
    for (auto &s : m_sources)
        if (s)
            Q_EMIT s->dataChanged();
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
    // lookup fields. The same columns again keep their objects, so a Field&
    // a handler holds stays good across a reopen.
    if (m_fieldsBuilt && m_dataCount == cols.size() && fieldCount() == m_dataCount + m_extraTemplates.size()) {
        bool same = true;
        for (int i = 0; i < m_dataCount && same; ++i)
            same = m_fields[i]->m_def.name == cols[i];
        if (same) {
            for (int i = 0; i < m_dataCount; ++i)
                m_fields[i]->m_def.type = typeFromDecl(declTypes.value(i), QVariant());
            return;
        }
    }
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
    if (m_dataCount == fieldCount())
        return;
    for (int i = m_dataCount; i < fieldCount(); ++i) {
        Field &f = *m_fields[i];
        if (f.m_kind != FieldKind::Lookup)
            row.v[i] = QVariant();
    }
    // Looked-up values hold while nothing was written.
    const quint64 serial = m_db ? m_db->writeSerial() : 0;
    if (serial != m_lookupSerial) {
        m_lookupCache.clear();
        m_lookupSerial = serial;
    }
    Row *saved = m_calcRow;
    m_calcRow = &row;
    // Lookup fields: the result field of the lookup dataset's record whose
    // key fields equal this record's, cut to the declared size.
    for (int i = m_dataCount; i < fieldCount(); ++i) {
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
            // The field and its key values, numbers by their bits: made
            // without turning any value into text.
            QString cacheKey;
            cacheKey.reserve(2 + 8 * keys.size());
            cacheKey += QChar(char16_t(i));
            for (const QVariant &k : std::as_const(keys)) {
                if (k.typeId() == QMetaType::Double) {
                    quint64 bits;
                    std::memcpy(&bits, k.constData(), sizeof bits);
                    cacheKey += QLatin1Char('d');
                    for (int s = 0; s < 64; s += 16)
                        cacheKey += QChar(char16_t(bits >> s));
                } else {
                    cacheKey += QLatin1Char('\x1f') + k.toString();
                }
            }
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

    QVector<Row> kept;
    kept.reserve(rows.size());
    for (Row &r : rows) {
        if (r.v.size() < fieldCount())
            r.v.resize(m_fields.size());
        computeExtras(r);
        if (m_filtered && onFilterRecord && !passesRecordFilter(r))
            continue;
        kept.push_back(std::move(r));
    }
    m_rows = std::move(kept);
    m_rowsReadAt = m_db ? m_db->writeSerial() : 0;
    ++m_selectionSerial;
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
        if (s)
            Q_EMIT s->recordChanged();
    notifyDetails();
    if (afterScroll && m_state == DatasetState::Browse)
        afterScroll(*this);
}

void Dataset::notifyDetails()
{
    for (auto &s : m_sources)
        if (s)
            s->notifyDetails();
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
    if (m_db && m_db->m_resyncing) {
        resync();
        return;
    }
    checkBrowseMode();
    reload(0);
}

void Dataset::resync()
{
    if (!active())
        return;
    if (m_state == DatasetState::Browse) {
        reload(bookmark());
        return;
    }
    // A record being edited stays as typed; the rows under it are reloaded.
    const qint64 keep = m_cur >= 0 && m_cur < m_rows.size() ? m_rows[m_cur].rowid : 0;
    selectRows();
    int pos = -1;
    for (int i = 0; i < m_rows.size() && keep != 0; ++i)
        if (m_rows[i].rowid == keep)
            pos = i;
    if (pos < 0 && !m_rows.isEmpty())
        pos = qBound(0, m_cur, int(m_rows.size()) - 1);
    m_cur = pos;
    m_eof = m_rows.isEmpty();
    Q_EMIT dataChanged();
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
        throw DbError(DbFault::Other, tableFiles(), QStringLiteral("Cannot perform this operation on a closed dataset"));
}

void Dataset::reindexFields()
{
    for (NameHit &h : m_nameHits)
        h = NameHit();
    m_fieldIndex.clear();
    m_fieldIndexExact.clear();
    for (int i = int(m_fields.size()) - 1; i >= 0; --i) {
        m_fieldIndex.insert(m_fields[i]->m_def.name.toCaseFolded(), i);
        m_fieldIndexExact.insert(m_fields[i]->m_def.name, i);
    }
}

Field *Dataset::findField(const QString &name)
{
    // Handlers ask for the same few names again and again, mostly as
    // literals or kept lists whose text stays in one place: remember where
    // (TextPlace.h; the name is not held, so the place is a hint), and check
    // the name itself before trusting it.
    NameHit &hit = m_nameHits[(quintptr(name.constData()) >> 1) % kNameHits];
    if (hit.place.holds(name) && hit.index < fieldCount() && m_fields[hit.index]->m_def.name == name)
        return m_fields[hit.index].get();
    const auto exact = m_fieldIndexExact.constFind(name);
    if (exact != m_fieldIndexExact.constEnd()) {
        hit = {pf::TextPlace(name), exact.value()};
        return m_fields[exact.value()].get();
    }
    const auto it = m_fieldIndex.constFind(name.toCaseFolded());
    return it == m_fieldIndex.constEnd() ? nullptr : m_fields[it.value()].get();
}

Field &Dataset::fieldByName(const QString &name)
{
    if (!active() && (!m_fieldsBuilt || fieldsOutdated()))
        prepareFields();
    Field *f = findField(name);
    if (!f)
        throw DbError(tableFiles().isEmpty() ? DbFault::Other : DbFault::Damaged, tableFiles(),
                      QStringLiteral("%1: Field '%2' not found").arg(describe(), name));
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
    if (fieldIndex < 0 || fieldIndex >= fieldCount())
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
    m_readRow = m_buf;
    m_readAt = m_rowsReadAt;
    m_modified = false;
    setState(DatasetState::Edit);
    Q_EMIT recordChanged();
}

void Dataset::insert()
{
    // Only tables take new records.
    checkActive();
    readOnly();
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
    const bool inserting = m_state == DatasetState::Insert;
    // A rollback may have taken the edited record back.
    if (!inserting && (m_cur < 0 || m_cur >= m_rows.size() || m_rows[m_cur].rowid != m_buf.rowid))
        throw DbError(DbFault::Changed, tableFiles(),
                      QStringLiteral("Record has been changed or deleted by another user: %1").arg(describe()));
    // What the record is checked against is what stays stored until the
    // write commits: check and write are one transaction.
    const auto write = [&] {
        if (inserting) {
            checkOwners(m_buf);
            writeInsert(m_buf);
        } else {
            checkStored(m_readRow, m_readAt, m_buf);
            writeUpdate(m_rows[m_cur], m_buf);
        }
    };
    if (m_db)
        m_db->transaction(write);
    else
        write();
    m_readRow = Row();
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
    m_readRow = Row();
    setState(DatasetState::Browse);
    Q_EMIT recordChanged();
    for (auto &s : m_sources)
        if (s) {
            Q_EMIT s->recordChanged();
            if (wasInsert)
                s->notifyDetails();
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
        throw DbError(DbFault::Other, tableFiles(), QStringLiteral("Cannot perform this operation on an empty dataset"));
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


void DataSource::setDataSet(Dataset *ds)
{
    if (m_ds)
        m_ds->m_sources.removeAll(QPointer<DataSource>(this));
    m_ds = ds;
    if (ds && !ds->m_sources.contains(QPointer<DataSource>(this)))
        ds->m_sources.push_back(this);
    Q_EMIT dataChanged();
    notifyDetails();
}

void DataSource::setAutoEdit(bool on)
{
    if (m_autoEdit == on)
        return;
    m_autoEdit = on;
    Q_EMIT stateChanged();
}

void DataSource::notifyDetails()
{
    for (auto &d : m_details)
        if (d)
            static_cast<Dataset *>(d.data())->masterChanged();
}

} // namespace pf::db
