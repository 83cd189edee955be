#pragma once
// Controls bound to a field of a dataset through a data source: an edit, a
// text, a combo box and a grid. They show the current record, follow the
// cursor, and write what the user types into the record while the dataset
// is being edited or inserted. All are laid out right to left.
#include "platform/db/Db.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTableView>

#include <functional>
#include <memory>

namespace pf::ui {

// Shared plumbing: the source, the field name and the field when reachable.
class FieldLink {
public:
    pf::db::DataSource *dataSource() const { return m_src; }
    QString dataField() const { return m_field; }
    pf::db::Dataset *dataset() const;
    // The field of the current record, or nullptr when the source has no
    // open dataset or the dataset has no such field.
    pf::db::Field *field() const;
    bool editing() const; // the dataset is in edit or insert state
    // Whether typing into the control puts the current record into edit
    // (its source edits as it is typed into and there is a record that can
    // be edited), so that the control takes typing while browsing.
    bool editsAsTyped() const;

protected:
    // Puts the current record into edit for a change the user is making,
    // when the source lets typing do so; whether the field now takes it. A
    // refusal of the database is shown on `control`.
    bool startEditing(QWidget *control);

    QPointer<pf::db::DataSource> m_src;
    QString m_field;
};

class DBEdit : public QLineEdit, public FieldLink {
    Q_OBJECT
public:
    explicit DBEdit(QWidget *parent = nullptr);

    void setDataSource(pf::db::DataSource *src);
    void setDataField(const QString &name);
    void bind(pf::db::DataSource *src, const QString &name)
    {
        setDataSource(src);
        setDataField(name);
    }

    // Keeps the edit read-only whatever the dataset's state. Taken over from
    // the edit's own read-only flag when it is first bound.
    void setFieldReadOnly(bool on);
    bool fieldReadOnly() const { return m_fieldReadOnly; }

    // Shows the field's text again (drops what was typed but not stored).
    void refresh();

    // A negative number shows its minus sign after the digits ("12-"), as a
    // right-to-left input reads it (pf::ui::showMinusAfterDigits); the field
    // gets it in front.
    void setMinusAfterDigits();

    // A number field takes the text as pf::ui::numberText reads it (its sign
    // moved in front from the end). A text that is no number never reaches
    // the field: the field keeps its last value and, once the edit is left,
    // the edit's own refusal (its number filter's, else " عدد معتبر است")
    // says so, once for that text. Leaving for another window (a message
    // box) says nothing; the text stays for its page to judge.

    // False while the edit shows a text its field refused (the field still
    // holds its last good value).
    bool textReachedField() const { return m_badText.isEmpty(); }

protected:
    void focusOutEvent(QFocusEvent *e) override;

private:
    void connectSource();
    void updateReadOnly();
    void writeText(const QString &text);
    void finishEditing();

    bool m_fieldReadOnly = false;
    bool m_boundOnce = false;
    bool m_writing = false;
    bool m_minusAfterDigits = false;
    QString m_badText; // typed text the field refused
    QString m_toldBadText; // the refused text already told
    bool m_leavingWindow = false;
    QMetaObject::Connection m_c1, m_c2, m_c3;
};

class DBText : public QLabel, public FieldLink {
    Q_OBJECT
public:
    explicit DBText(QWidget *parent = nullptr);
    void setDataSource(pf::db::DataSource *src);
    void setDataField(const QString &name);
    void bind(pf::db::DataSource *src, const QString &name)
    {
        setDataSource(src);
        setDataField(name);
    }
    void refresh();

private:
    QMetaObject::Connection m_c1, m_c2, m_c3;
};

// A combo box whose text is the field's text; choosing an item or typing
// (when editable) writes the field while the dataset is being edited.
class DBComboBox : public QComboBox, public FieldLink {
    Q_OBJECT
public:
    explicit DBComboBox(QWidget *parent = nullptr);
    void setDataSource(pf::db::DataSource *src);
    void setDataField(const QString &name);
    void bind(pf::db::DataSource *src, const QString &name)
    {
        setDataSource(src);
        setDataField(name);
    }
    void refresh();

private:
    void writeText(const QString &text);
    void hookLineEdit();
    bool m_writing = false;
    QMetaObject::Connection m_c1, m_c2, m_c3;
};

// Whether a box holds the number Save stores from it: an empty box, or a
// text that is a number by itself ("." or "-" alone is none) and, in an edit
// bound to a number field, is what the field holds. A box that takes no
// number (an edit bound to a field of another type, an unbound edit without
// a number filter) always does.
bool boxHoldsItsNumber(const QLineEdit *box);
// The first box under `area`, in the order the boxes were made, that is
// shown, editable and does not hold its number; nullptr when there is none.
QLineEdit *firstBoxNotANumber(const QWidget *area);
// Save's first check: when a box of `area` does not hold its number, the
// box's own refusal (that of its number filter, else " عدد معتبر است") is
// shown, the focus goes to the box, and the answer is false.
bool boxesHoldTheirNumbers(QWidget *area);
// The same for the given boxes only (shown, editable), the message on `page`.
bool boxesHoldTheirNumbers(QWidget *page, const QList<QLineEdit *> &boxes);

struct DBGridColumn {
    QString fieldName;
    QString title; // empty: the field name
    int width = -1; // pixels; -1 keeps the default
};

// The selected rows of a dataset as a table; the current record's row shows
// the values being edited.
class DatasetTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DatasetTableModel(QObject *parent = nullptr);

    void setDataSource(pf::db::DataSource *src);
    pf::db::DataSource *dataSource() const { return m_src; }
    pf::db::Dataset *dataset() const;
    // Empty: every field of the dataset in field order.
    void setColumns(const QVector<DBGridColumn> &cols);
    QVector<DBGridColumn> columns() const { return m_cols; }
    QString columnField(int column) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // The whole text of a cell whose field keeps only the start of it (a
    // lookup field of a fixed size), or an empty text. Such a cell shows
    // its text followed by an ellipsis, and the whole text on hover.
    void setWholeText(std::function<QString(int row, int column)> whole) { m_whole = std::move(whole); }
    QString wholeText(const QModelIndex &index) const;
    QVariant headerData(int section, Qt::Orientation o, int role = Qt::DisplayRole) const override;

    void reload();            // rows changed
    // The dataset's rows are not the ones last shown: read anew since (a
    // master moved to another record, a refresh, a delete), even when as
    // many as before.
    bool rowsOutOfDate() const;
    void currentRowChanged(); // values of the current row changed

private:
    int fieldIndex(int column) const;

    QPointer<pf::db::DataSource> m_src;
    QVector<DBGridColumn> m_cols;
    std::function<QString(int, int)> m_whole;
    int m_knownRows = 0;
    const pf::db::Dataset *m_knownDataset = nullptr;
    quint64 m_knownSelection = 0;
    void remember();
};

// A read-only grid over a data source. Choosing a row moves the dataset's
// cursor there; moving the cursor selects its row. A click takes the row
// under the pointer, current and highlighted alike, and then brings it
// whole into view.
class DBGrid : public QTableView {
    Q_OBJECT
public:
    explicit DBGrid(QWidget *parent = nullptr);

    void setDataSource(pf::db::DataSource *src);
    pf::db::DataSource *dataSource() const { return m_model->dataSource(); }
    void setColumns(const QVector<DBGridColumn> &cols);
    DatasetTableModel *datasetModel() const { return m_model; }

    // Selects the row of the dataset's current record.
    void syncToCursor();

    // Fits every column into the grid's width, so that no column needs the
    // horizontal scroll bar: titles wrap at their blanks and the title row
    // grows to show them whole; each column gets room for its widest cell
    // and the longest word of its title, and the room left over is shared
    // in proportion to the columns' set widths. When even that does not fit,
    // the grid's and its titles' fonts are made smaller first (not below
    // 6 points). Rows are made as tall as a line of the font. Called again
    // after the rows change; a grid not on screen then fits them when it is
    // next shown.
    void fitColumnsToWidth();

    // A grid whose columns fit its width scrolls only up and down: choosing
    // a cell never moves the columns sideways.
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;

protected:
    // A cell whose text is cut short (by the column, or by its field, see
    // DatasetTableModel::setWholeText) shows it whole on hover.
    bool viewportEvent(QEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;

private:
    // The event at the place of the rows it was aimed at: a click that
    // brought its row into view moved the rows under the pointer, and the
    // second click of a double click still means that row.
    std::unique_ptr<QMouseEvent> aimed(const QMouseEvent *e) const;

    void onCurrentChanged(const QModelIndex &cur, const QModelIndex &prev);
    void applyWidths();
    void connectSource();

    // The width of a cell's text in `font` (whose metrics `cells` are), each
    // text measured once while the font stays: a grid fits its columns again
    // after every change of its rows, which mostly repeat their texts.
    int cellTextWidth(const QFont &font, const QFontMetrics &cells, const QString &text);

    DatasetTableModel *m_model;
    bool m_syncing = false;
    bool m_pressed = false;   // a button is down: the rows stay where the click found them
    QPoint m_clickShift;      // how far the last click's row moved into view
    QPoint m_shiftedAt;       // where that click was released, and when
    quint64 m_shiftedTime = 0;
    QPoint m_pressShift;      // the shift the press being handled is aimed by
    bool m_aiming = false;    // handling an event already aimed
    bool secondClick(const QMouseEvent *e) const;
    bool m_fitted = false; // the columns follow the grid's width
    bool m_fitDue = false; // the rows changed while the grid was not shown
    QFont m_measuredFont;
    QHash<QString, int> m_measured;
    QMetaObject::Connection m_c1, m_c2, m_c3;
};

} // namespace pf::ui
