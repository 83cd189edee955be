#include "platform/ui/DbControls.h"

#include "platform/common/Numbers.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Keys.h"

#include <QFocusEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyleHints>
#include <QToolTip>

#include <algorithm>
#include <numeric>

namespace pf::ui {

using pf::db::DatasetState;

// ---------------------------------------------------------------- FieldLink

pf::db::Dataset *FieldLink::dataset() const
{
    return m_src ? m_src->dataSet() : nullptr;
}

pf::db::Field *FieldLink::field() const
{
    pf::db::Dataset *ds = dataset();
    if (!ds || !ds->active() || m_field.isEmpty())
        return nullptr;
    return ds->findField(m_field);
}

bool FieldLink::editing() const
{
    pf::db::Dataset *ds = dataset();
    return ds && (ds->state() == DatasetState::Edit || ds->state() == DatasetState::Insert);
}

bool FieldLink::editsAsTyped() const
{
    pf::db::Dataset *ds = dataset();
    return m_src && m_src->autoEdit() && ds && ds->active() && ds->recNo() > 0 && ds->modifiable();
}

bool FieldLink::startEditing(QWidget *control)
{
    if (editing())
        return true;
    if (!editsAsTyped())
        return false;
    try {
        dataset()->edit();
    } catch (const pf::db::DbError &e) {
        showMessage(e.message(), control);
        return false;
    }
    return editing();
}

namespace {

bool numberField(const pf::db::Field *f)
{
    switch (f->dataType()) {
    case pf::db::FieldType::Float:
    case pf::db::FieldType::Integer:
    case pf::db::FieldType::SmallInt:
        return true;
    default:
        return false;
    }
}

int stringSize(const pf::db::Field *f)
{
    if (!f || f->dataType() != pf::db::FieldType::String)
        return 32767; // QLineEdit's default: no limit of its own
    return f->size() > 0 ? f->size() : 20;
}

} // namespace

// ---------------------------------------------------------------- DBEdit

DBEdit::DBEdit(QWidget *parent) : QLineEdit(parent)
{
    setLayoutDirection(Qt::RightToLeft);
    connect(this, &QLineEdit::textEdited, this, &DBEdit::writeText);
    connect(this, &QLineEdit::editingFinished, this, &DBEdit::finishEditing);
}

void DBEdit::setDataSource(pf::db::DataSource *src)
{
    if (!m_boundOnce) {
        m_fieldReadOnly = isReadOnly();
        m_boundOnce = true;
    }
    m_src = src;
    connectSource();
    refresh();
}

void DBEdit::setDataField(const QString &name)
{
    m_field = name;
    refresh();
}

void DBEdit::setMinusAfterDigits()
{
    m_minusAfterDigits = true;
    showMinusAfterDigits(this);
    // Before the edit is bound its own read-only flag is still the designed one.
    if (m_src)
        refresh();
}

void DBEdit::setFieldReadOnly(bool on)
{
    m_fieldReadOnly = on;
    m_boundOnce = true;
    updateReadOnly();
}

void DBEdit::connectSource()
{
    disconnect(m_c1);
    disconnect(m_c2);
    disconnect(m_c3);
    if (!m_src)
        return;
    m_c1 = connect(m_src, &pf::db::DataSource::recordChanged, this, [this] {
        if (!m_writing)
            refresh();
    });
    m_c2 = connect(m_src, &pf::db::DataSource::dataChanged, this, &DBEdit::refresh);
    // The edit its own typing began keeps what was typed.
    m_c3 = connect(m_src, &pf::db::DataSource::stateChanged, this, [this] {
        if (m_writing)
            updateReadOnly();
        else
            refresh();
    });
}

void DBEdit::updateReadOnly()
{
    setReadOnly(m_fieldReadOnly || !field() || !(editing() || editsAsTyped()));
}

void DBEdit::refresh()
{
    m_badText.clear();
    m_toldBadText.clear();
    pf::db::Field *f = field();
    setMaxLength(stringSize(f));
    QString text = f ? f->displayText() : QString();
    // A number the user can type is shown as typed, never with an exponent.
    if (f && f->dataType() == pf::db::FieldType::Float && !f->isNull())
        text = pf::plainNumberText(f->asFloat());
    if (m_minusAfterDigits)
        text = pf::minusToEnd(text);
    if (text != this->text())
        setText(text);
    updateReadOnly();
}

void DBEdit::writeText(const QString &text)
{
    if (!field())
        return;
    m_writing = true;
    if (!startEditing(this)) {
        m_writing = false;
        refresh();
        return;
    }
    pf::db::Field *f = field();
    try {
        f->setAsString(numberField(f) ? numberText(this) : text);
        m_badText.clear();
        m_toldBadText.clear();
    } catch (const pf::db::DbError &) {
        // Half-typed numbers ("-", "1.") are kept on screen; the field keeps
        // its last good value until the text becomes valid.
        m_badText = text;
    }
    m_writing = false;
}

void DBEdit::focusOutEvent(QFocusEvent *e)
{
    m_leavingWindow = e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason;
    QLineEdit::focusOutEvent(e);
    if (!m_leavingWindow)
        finishEditing();
    m_leavingWindow = false;
}

void DBEdit::finishEditing()
{
    if (m_badText.isEmpty() || m_leavingWindow || m_badText == m_toldBadText)
        return;
    pf::db::Field *f = field();
    if (!f || !editing()) {
        m_badText.clear();
        return;
    }
    m_toldBadText = m_badText;
    const QString refusal = boxRefusal(this);
    showMessage(refusal.isEmpty() ? QStringLiteral(" عدد معتبر است") : refusal, this);
}

bool boxHoldsItsNumber(const QLineEdit *box)
{
    if (!box)
        return true;
    const auto *bound = qobject_cast<const DBEdit *>(box);
    const pf::db::Field *f = bound ? bound->field() : nullptr;
    // A bound edit takes a number when its field does (a date or a text
    // field keeps its text as it is); any other edit when it has a number
    // filter.
    const bool numberBound = f && numberField(f);
    if (f ? !numberBound : boxRefusal(box).isEmpty())
        return true;
    if (numberBound && bound->editing() && !bound->textReachedField())
        return false;
    const QString text = numberText(box).trimmed();
    if (text.isEmpty())
        return true;
    double v = 0;
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); }) && pf::strToFloat(text, &v);
}

namespace {
QLineEdit *firstNotANumber(const QWidget *page, const QList<QLineEdit *> &boxes)
{
    for (QLineEdit *box : boxes) {
        if (!box || box->isReadOnly() || !box->isEnabled() || !box->isVisibleTo(page))
            continue;
        if (!boxHoldsItsNumber(box))
            return box;
    }
    return nullptr;
}
} // namespace

QLineEdit *firstBoxNotANumber(const QWidget *area)
{
    return area ? firstNotANumber(area, area->findChildren<QLineEdit *>()) : nullptr;
}

bool boxesHoldTheirNumbers(QWidget *area)
{
    return boxesHoldTheirNumbers(area, area ? area->findChildren<QLineEdit *>() : QList<QLineEdit *>());
}

bool boxesHoldTheirNumbers(QWidget *page, const QList<QLineEdit *> &boxes)
{
    QLineEdit *box = page ? firstNotANumber(page, boxes) : nullptr;
    if (!box)
        return true;
    const QString refusal = boxRefusal(box);
    showMessage(refusal.isEmpty() ? QStringLiteral(" عدد معتبر است") : refusal, page);
    box->setFocus();
    return false;
}

// ---------------------------------------------------------------- DBText

DBText::DBText(QWidget *parent) : QLabel(parent)
{
    setLayoutDirection(Qt::RightToLeft);
    setTextFormat(Qt::PlainText);
}

void DBText::setDataSource(pf::db::DataSource *src)
{
    disconnect(m_c1);
    disconnect(m_c2);
    disconnect(m_c3);
    m_src = src;
    if (m_src) {
        m_c1 = connect(m_src, &pf::db::DataSource::recordChanged, this, &DBText::refresh);
        m_c2 = connect(m_src, &pf::db::DataSource::dataChanged, this, &DBText::refresh);
        m_c3 = connect(m_src, &pf::db::DataSource::stateChanged, this, &DBText::refresh);
    }
    refresh();
}

void DBText::setDataField(const QString &name)
{
    m_field = name;
    refresh();
}

void DBText::refresh()
{
    pf::db::Field *f = field();
    setText(f ? f->displayText() : QString());
}

// ---------------------------------------------------------------- DBComboBox

DBComboBox::DBComboBox(QWidget *parent) : QComboBox(parent)
{
    setLayoutDirection(Qt::RightToLeft);
    connect(this, &QComboBox::textActivated, this, &DBComboBox::writeText);
    hookLineEdit();
}

void DBComboBox::hookLineEdit()
{
    if (QLineEdit *le = lineEdit())
        connect(le, &QLineEdit::textEdited, this, &DBComboBox::writeText, Qt::UniqueConnection);
}

void DBComboBox::setDataSource(pf::db::DataSource *src)
{
    disconnect(m_c1);
    disconnect(m_c2);
    disconnect(m_c3);
    m_src = src;
    hookLineEdit();
    if (m_src) {
        m_c1 = connect(m_src, &pf::db::DataSource::recordChanged, this, [this] {
            if (!m_writing)
                refresh();
        });
        m_c2 = connect(m_src, &pf::db::DataSource::dataChanged, this, &DBComboBox::refresh);
        m_c3 = connect(m_src, &pf::db::DataSource::stateChanged, this, [this] {
            if (!m_writing)
                refresh();
        });
    }
    refresh();
}

void DBComboBox::setDataField(const QString &name)
{
    m_field = name;
    refresh();
}

void DBComboBox::refresh()
{
    pf::db::Field *f = field();
    const QString text = f ? f->displayText() : QString();
    const int i = findText(text, Qt::MatchExactly);
    if (isEditable()) {
        setEditText(text);
    } else {
        setCurrentIndex(i);
    }
}

void DBComboBox::writeText(const QString &text)
{
    m_writing = true;
    pf::db::Field *f = field();
    if (!f || !startEditing(this)) {
        m_writing = false;
        refresh();
        return;
    }
    try {
        f->setAsString(text);
    } catch (const pf::db::DbError &e) {
        m_writing = false;
        showMessage(e.message(), this);
        return;
    }
    m_writing = false;
}

// ---------------------------------------------------------------- model

DatasetTableModel::DatasetTableModel(QObject *parent) : QAbstractTableModel(parent) {}

void DatasetTableModel::setDataSource(pf::db::DataSource *src)
{
    beginResetModel();
    m_src = src;
    endResetModel();
    remember();
}

pf::db::Dataset *DatasetTableModel::dataset() const
{
    return m_src ? m_src->dataSet() : nullptr;
}

void DatasetTableModel::setColumns(const QVector<DBGridColumn> &cols)
{
    beginResetModel();
    m_cols = cols;
    endResetModel();
    remember();
}

QString DatasetTableModel::columnField(int column) const
{
    if (!m_cols.isEmpty())
        return (column >= 0 && column < m_cols.size()) ? m_cols[column].fieldName : QString();
    pf::db::Dataset *ds = dataset();
    if (!ds || column < 0 || column >= ds->fieldCount())
        return QString();
    return ds->fields(column).fieldName();
}

int DatasetTableModel::fieldIndex(int column) const
{
    pf::db::Dataset *ds = dataset();
    if (!ds || !ds->active())
        return -1;
    if (m_cols.isEmpty())
        return column < ds->fieldCount() ? column : -1;
    if (column < 0 || column >= m_cols.size())
        return -1;
    pf::db::Field *f = ds->findField(m_cols[column].fieldName);
    return f ? f->index() : -1;
}

int DatasetTableModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    pf::db::Dataset *ds = dataset();
    return (ds && ds->active()) ? ds->recordCount() : 0;
}

int DatasetTableModel::columnCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    if (!m_cols.isEmpty())
        return int(m_cols.size());
    pf::db::Dataset *ds = dataset();
    return ds ? ds->fieldCount() : 0;
}

QVariant DatasetTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return QVariant();
    pf::db::Dataset *ds = dataset();
    const int fi = fieldIndex(index.column());
    if (!ds || fi < 0)
        return QVariant();
    if (role == Qt::ToolTipRole) {
        const QString whole = wholeText(index);
        return whole.isEmpty() ? QVariant() : QVariant(whole);
    }
    // The record being edited shows its new values.
    const bool isCurrent = index.row() == ds->recNo() - 1 && ds->state() == DatasetState::Edit;
    const QString text = ds->rowText(isCurrent ? -1 : index.row(), fi);
    // A field that keeps only the start of a longer text says so.
    if (m_whole && !text.isEmpty()) {
        const QString whole = m_whole(index.row(), index.column());
        if (whole.size() > text.size() && whole.startsWith(text))
            return QString(text + QChar(0x2026));
    }
    return text;
}

QString DatasetTableModel::wholeText(const QModelIndex &index) const
{
    pf::db::Dataset *ds = dataset();
    const int fi = fieldIndex(index.column());
    if (!m_whole || !ds || fi < 0)
        return QString();
    const QString text = ds->rowText(index.row(), fi);
    const QString whole = m_whole(index.row(), index.column());
    return !text.isEmpty() && whole.size() > text.size() && whole.startsWith(text) ? whole : QString();
}

QVariant DatasetTableModel::headerData(int section, Qt::Orientation o, int role) const
{
    if (o != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, o, role);
    if (!m_cols.isEmpty()) {
        if (section < 0 || section >= m_cols.size())
            return QVariant();
        return m_cols[section].title.isEmpty() ? m_cols[section].fieldName : m_cols[section].title;
    }
    return columnField(section);
}

void DatasetTableModel::reload()
{
    beginResetModel();
    endResetModel();
    remember();
}

void DatasetTableModel::remember()
{
    const pf::db::Dataset *ds = dataset();
    m_knownRows = rowCount();
    m_knownDataset = ds;
    m_knownSelection = ds ? ds->selectionSerial() : 0;
}

bool DatasetTableModel::rowsOutOfDate() const
{
    const pf::db::Dataset *ds = dataset();
    return rowCount() != m_knownRows || ds != m_knownDataset || (ds && ds->selectionSerial() != m_knownSelection);
}

void DatasetTableModel::currentRowChanged()
{
    pf::db::Dataset *ds = dataset();
    if (!ds || !ds->active())
        return;
    const int row = ds->recNo() - 1;
    if (row >= 0 && row < rowCount() && columnCount() > 0)
        Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
}

// ---------------------------------------------------------------- DBGrid

DBGrid::DBGrid(QWidget *parent) : QTableView(parent), m_model(new DatasetTableModel(this))
{
    setLayoutDirection(Qt::RightToLeft);
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->hide();
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &DBGrid::onCurrentChanged);
}

void DBGrid::setDataSource(pf::db::DataSource *src)
{
    m_syncing = true;
    m_model->setDataSource(src);
    m_syncing = false;
    connectSource();
    applyWidths();
    syncToCursor();
}

void DBGrid::setColumns(const QVector<DBGridColumn> &cols)
{
    m_syncing = true;
    m_model->setColumns(cols);
    m_syncing = false;
    applyWidths();
    syncToCursor();
}

void DBGrid::applyWidths()
{
    if (m_fitted) {
        // Measuring every cell is work for a grid on screen only.
        if (isVisible())
            fitColumnsToWidth();
        else
            m_fitDue = true;
        return;
    }
    const QVector<DBGridColumn> cols = m_model->columns();
    for (int i = 0; i < cols.size(); ++i)
        if (cols[i].width >= 0)
            setColumnWidth(i, cols[i].width);
}

void DBGrid::connectSource()
{
    disconnect(m_c1);
    disconnect(m_c2);
    disconnect(m_c3);
    pf::db::DataSource *src = m_model->dataSource();
    if (!src)
        return;
    m_c1 = connect(src, &pf::db::DataSource::dataChanged, this, [this] {
        pf::db::Dataset *ds = m_model->dataset();
        if (ds && ds->controlsDisabled())
            return;
        m_syncing = true;
        m_model->reload();
        m_syncing = false;
        applyWidths();
        syncToCursor();
    });
    m_c2 = connect(src, &pf::db::DataSource::recordChanged, this, [this] {
        pf::db::Dataset *ds = m_model->dataset();
        if (ds && ds->controlsDisabled())
            return;
        // Rows read anew since the last reset (a master moved, a refresh,
        // a delete) are shown whole, also when as many as before: a reset
        // repaints every row, not only the current one.
        if (m_model->rowsOutOfDate()) {
            m_syncing = true;
            m_model->reload();
            m_syncing = false;
            applyWidths();
        } else {
            m_model->currentRowChanged();
        }
        syncToCursor();
    });
    m_c3 = connect(src, &pf::db::DataSource::stateChanged, this, [this] { m_model->currentRowChanged(); });
}

void DBGrid::syncToCursor()
{
    pf::db::Dataset *ds = m_model->dataset();
    if (!ds || !ds->active() || ds->recNo() <= 0) {
        m_syncing = true;
        selectionModel()->clearSelection();
        m_syncing = false;
        return;
    }
    const int row = ds->recNo() - 1;
    if (row >= m_model->rowCount())
        return;
    const QModelIndex cur = currentIndex();
    const int col = cur.isValid() ? cur.column() : 0;
    if (cur.isValid() && cur.row() == row && selectionModel()->isRowSelected(row, QModelIndex()))
        return;
    m_syncing = true;
    const QModelIndex idx = m_model->index(row, qMax(0, col));
    selectionModel()->setCurrentIndex(idx, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    // Rows that moved under a press would have the click land on another
    // row than the one it chose: the row comes into view once it is let go.
    if (!m_pressed)
        scrollTo(idx);
    m_syncing = false;
}

bool DBGrid::secondClick(const QMouseEvent *e) const
{
    const QStyleHints *hints = QGuiApplication::styleHints();
    return !m_clickShift.isNull() && e->timestamp() >= m_shiftedTime
           && e->timestamp() - m_shiftedTime <= quint64(hints->mouseDoubleClickInterval())
           && (e->position().toPoint() - m_shiftedAt).manhattanLength() <= hints->mouseDoubleClickDistance();
}

std::unique_ptr<QMouseEvent> DBGrid::aimed(const QMouseEvent *e) const
{
    const QPointF d(m_pressShift);
    auto out = std::make_unique<QMouseEvent>(e->type(), e->position() + d, e->scenePosition() + d,
                                             e->globalPosition() + d, e->button(), e->buttons(), e->modifiers(),
                                             e->pointingDevice());
    out->setTimestamp(e->timestamp());
    return out;
}

void DBGrid::mousePressEvent(QMouseEvent *e)
{
    m_pressed = true;
    if (m_aiming) {
        QTableView::mousePressEvent(e);
        return;
    }
    m_pressShift = secondClick(e) ? m_clickShift : QPoint();
    if (m_pressShift.isNull())
        m_clickShift = QPoint();
    QTableView::mousePressEvent(aimed(e).get());
}

void DBGrid::mouseDoubleClickEvent(QMouseEvent *e)
{
    m_pressed = true;
    m_pressShift = secondClick(e) ? m_clickShift : QPoint();
    const auto a = aimed(e);
    m_aiming = true;
    QTableView::mouseDoubleClickEvent(a.get());
    m_aiming = false;
}

void DBGrid::mouseMoveEvent(QMouseEvent *e)
{
    QTableView::mouseMoveEvent(m_pressed ? aimed(e).get() : e);
}

void DBGrid::mouseReleaseEvent(QMouseEvent *e)
{
    QTableView::mouseReleaseEvent(aimed(e).get());
    m_pressed = false;
    const QModelIndex cur = currentIndex();
    if (!cur.isValid())
        return;
    const QRect before = visualRect(cur);
    scrollTo(cur);
    const QPoint moved = visualRect(cur).topLeft() - before.topLeft();
    if (moved.isNull())
        return;
    m_clickShift = m_pressShift + moved;
    m_shiftedAt = e->position().toPoint();
    m_shiftedTime = e->timestamp();
}

void DBGrid::focusOutEvent(QFocusEvent *e)
{
    m_pressed = false;
    QTableView::focusOutEvent(e);
}

namespace {

int longestWord(const QFontMetrics &fm, const QString &text)
{
    int w = 0;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        w = std::max(w, fm.horizontalAdvance(word));
    return w;
}

// The room a cell's text leaves on either side.
int cellMargin(const QWidget *view)
{
    return 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
}

} // namespace

int DBGrid::cellTextWidth(const QFont &font, const QFontMetrics &cells, const QString &text)
{
    if (m_measuredFont != font || m_measured.size() > 4096) {
        m_measured.clear();
        m_measuredFont = font;
    }
    auto it = m_measured.constFind(text);
    if (it == m_measured.constEnd())
        it = m_measured.insert(text, cells.horizontalAdvance(text));
    return it.value();
}

void DBGrid::showEvent(QShowEvent *e)
{
    if (m_fitDue)
        fitColumnsToWidth();
    QTableView::showEvent(e);
}

void DBGrid::fitColumnsToWidth()
{
    m_fitted = true;
    m_fitDue = false;
    const int n = m_model->columnCount();
    if (n == 0)
        return;
    QHeaderView *titles = horizontalHeader();
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    titles->setDefaultAlignment(Qt::AlignCenter | Qt::Alignment(Qt::TextWordWrap));
    const int titleMargin = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, titles) + 2;
    const int margin = cellMargin(this) + 2;
    const int rows = std::min(m_model->rowCount(), 1000);
    const QVector<DBGridColumn> cols = m_model->columns();

    QVector<int> set(n), need(n);
    for (int c = 0; c < n; ++c)
        set[c] = c < cols.size() && cols[c].width > 0 ? cols[c].width : titles->defaultSectionSize();
    // The vertical scroll bar takes its width from the columns only when the
    // rows do not fit below the titles as they come out: fitted first without
    // it, and again with it when they do not.
    const QFont startCells = font();
    const QFont startTitles = titles->font();
    int lineHeight = 0;
    for (bool scrolls : {false, true}) {
        QFont cellFont = startCells;
        QFont titleFont = startTitles;
        int room = 0, needed = 0;
        for (;;) {
            const QFontMetrics cells(cellFont), heads(titleFont);
            lineHeight = wholeLineHeight(cellFont) + 4;
            needed = 0;
            for (int c = 0; c < n; ++c) {
                int w = longestWord(heads, m_model->headerData(c, Qt::Horizontal).toString()) + titleMargin;
                for (int r = 0; r < rows; ++r)
                    w = std::max(w, cellTextWidth(cellFont, cells, m_model->index(r, c).data().toString()) + margin);
                need[c] = w;
                needed += w;
            }
            room = contentsRect().width() - (scrolls ? verticalScrollBar()->sizeHint().width() : 0);
            const bool smaller = cellFont.pointSizeF() > 6 || titleFont.pointSizeF() > 6;
            if (needed <= room || !smaller || cellFont.pointSizeF() <= 0 || titleFont.pointSizeF() <= 0)
                break;
            cellFont.setPointSizeF(std::max(6.0, cellFont.pointSizeF() - 1));
            titleFont.setPointSizeF(std::max(6.0, titleFont.pointSizeF() - 1));
        }
        setFont(cellFont);
        titles->setFont(titleFont);

        QVector<int> widths(n);
        int given = 0;
        const int setTotal = std::max(1, std::accumulate(set.begin(), set.end(), 0));
        for (int c = 0; c < n; ++c) {
            widths[c] = needed <= room ? need[c] + (room - needed) * set[c] / setTotal : room * need[c] / needed;
            given += widths[c];
        }
        widths[n - 1] += std::max(0, room - given);
        const QFontMetrics heads(titleFont);
        int titleHeight = 0;
        for (int c = 0; c < n; ++c) {
            setColumnWidth(c, widths[c]);
            const QRect r = heads.boundingRect(QRect(0, 0, std::max(1, widths[c] - titleMargin), 1000),
                                               Qt::AlignCenter | Qt::TextWordWrap,
                                               m_model->headerData(c, Qt::Horizontal).toString());
            titleHeight = std::max(titleHeight, r.height());
        }
        // The titles' lines, grown to hold the whole letters of their face.
        const int titleRow = titleHeight + std::max(0, wholeLineHeight(titleFont) - heads.height()) + titleMargin + 2;
        titles->setFixedHeight(titleRow);
        if (scrolls || rows * lineHeight <= contentsRect().height() - titleRow)
            break;
    }
    verticalHeader()->setMinimumSectionSize(lineHeight);
    verticalHeader()->setDefaultSectionSize(lineHeight);
}

void DBGrid::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    const int sideways = horizontalScrollBar()->value();
    QTableView::scrollTo(index, hint);
    if (m_fitted)
        horizontalScrollBar()->setValue(sideways);
}

bool DBGrid::viewportEvent(QEvent *e)
{
    if (e->type() != QEvent::ToolTip)
        return QTableView::viewportEvent(e);
    const auto *help = static_cast<QHelpEvent *>(e);
    const QModelIndex index = indexAt(help->pos());
    const QString text = index.isValid() ? index.data().toString() : QString();
    const QString whole = index.isValid() ? m_model->wholeText(index) : QString();
    const QRect cell = visualRect(index);
    if (!whole.isEmpty())
        QToolTip::showText(help->globalPos(), whole, viewport(), cell);
    else if (!text.isEmpty() && QFontMetrics(font()).horizontalAdvance(text) > cell.width() - cellMargin(this))
        QToolTip::showText(help->globalPos(), text, viewport(), cell);
    else
        QToolTip::hideText();
    return true;
}

void DBGrid::onCurrentChanged(const QModelIndex &cur, const QModelIndex &prev)
{
    Q_UNUSED(prev);
    if (m_syncing || !cur.isValid())
        return;
    pf::db::Dataset *ds = m_model->dataset();
    if (!ds || !ds->active() || ds->recNo() == cur.row() + 1)
        return;
    try {
        ds->setRecNo(cur.row() + 1);
    } catch (const pf::db::DbError &e) {
        showMessage(e.message(), this);
        syncToCursor();
    }
}

} // namespace pf::ui
