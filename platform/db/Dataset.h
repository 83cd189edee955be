#pragma once
#include "platform/common/TextPlace.h"
#include "platform/db/Database.h"

namespace pf::db {

class DataSource;
class Table;

// A view of one field of a dataset's current record.
class Field {
public:
    QString fieldName() const { return m_def.name; }
    FieldType dataType() const { return m_def.type; }
    FieldKind kind() const { return m_kind; }
    int size() const { return m_def.size; }
    int index() const { return m_index; }

    bool isNull() const;
    QVariant value() const;
    QString asString() const;  // floats in the system's text form; null ""
    double asFloat() const;    // null 0; text parsed in the C locale
    int asInteger() const;     // floats rounded half to even
    bool asBoolean() const;
    QByteArray asBlob() const;
    // Text as a grid or edit shows it.
    QString displayText() const { return asString(); }

    // Writing needs the dataset in edit or insert state (calculated fields
    // may be written only from the calculation handler). Strings are cut to
    // the field's size; a text that is no number refuses with a DbError.
    void setValue(const QVariant &v);
    void setAsString(const QString &s);
    void setAsFloat(double v);
    void setAsInteger(int v);
    void setAsBoolean(bool v);
    void setAsBlob(const QByteArray &b);
    void clear();

    Dataset *dataset() const { return m_ds; }

private:
    friend class Dataset;
    friend class Table;
    friend class Query;
    const QVariant &current() const;
    Dataset *m_ds = nullptr;
    FieldDef m_def;
    FieldKind m_kind = FieldKind::Data;
    int m_index = 0;
    // lookup definition
    QStringList m_keyFields;
    QPointer<Dataset> m_lookupDataset;
    QStringList m_lookupKeyFields;
    QString m_lookupResultField;
};

enum class DatasetState { Inactive, Browse, Edit, Insert, CalcFields };

struct LocateOptions {
    bool caseInsensitive = false;
    bool partialKey = false;
};

class Dataset : public QObject {
    Q_OBJECT
public:
    explicit Dataset(QObject *parent = nullptr);
    ~Dataset() override;

    void setDatabase(Database *db);
    Database *database() const { return m_db; }

    // Lifecycle
    void open();
    void close();
    bool active() const { return m_state != DatasetState::Inactive; }
    void setActive(bool on) { on ? open() : close(); }
    DatasetState state() const { return m_state; }

    // Cursor
    void first();
    void last();
    void next();
    void prior();
    int moveBy(int distance);
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    bool isEmpty() const;
    int recordCount() const;
    int recNo() const; // 1-based, 0 when empty
    // Changes whenever the selected rows are read anew (open, refresh, a
    // master's move, a post or a delete) or dropped (close), also when they
    // come back as many as before: what showed them must show them again.
    quint64 selectionSerial() const { return m_selectionSerial; }
    void setRecNo(int n);
    qint64 bookmark() const; // the record's row id
    bool gotoBookmark(qint64 rowid);

    // Fields
    Field &fieldByName(const QString &name);
    Field *findField(const QString &name);
    int fieldCount() const { return int(m_fields.size()); }
    Field &fields(int i) { return *m_fields[i]; }
    QStringList fieldNames() const;
    // Value of a field in any selected record (0-based row), for grids.
    QVariant rowValue(int row, int fieldIndex) const;
    QString rowText(int row, int fieldIndex) const;

    // Calculated and lookup fields. Declare them before open.
    void addCalcField(const QString &name, FieldType type, int size = 0);
    void addLookupField(const QString &name, FieldType type, int size, const QString &keyFields,
                        Dataset *lookupDataset, const QString &lookupKeyFields,
                        const QString &resultField);
    std::function<void(Dataset &)> onCalcFields;
    // Restricts the fields of the dataset to these data fields (plus the
    // declared calculated and lookup ones); empty means every column.
    void setFieldList(const QStringList &names) { m_fieldList = names; }

    // Editing
    virtual void edit();
    virtual void insert();
    virtual void append();
    virtual void post();
    virtual void cancel();
    virtual void remove(); // deletes the current record
    void checkBrowseMode(); // posts a changed record, cancels an unchanged one
    bool modified() const { return m_modified; }
    // Whether its records can be edited at all (a query's cannot).
    bool modifiable() const { return canModify(); }
    void refresh();
    // Reloads the rows to show what is stored, keeping the cursor, the state
    // and a record being edited (used after a rollback).
    void resync();

    // Filters: the text is a condition on the data fields ("Shproje = 3 and
    // Tabage <> 0", strings in single quotes).
    void setFilter(const QString &text);
    QString filter() const { return m_filter; }
    void setFiltered(bool on);
    bool filtered() const { return m_filtered; }
    std::function<bool(Dataset &)> onFilterRecord;

    bool locate(const QString &keyFields, const QVariantList &values, LocateOptions opts = {});
    // The result field of the first record whose key fields equal the values,
    // searched in the stored table (not only the selection); null when none.
    virtual QVariant lookup(const QString &keyFields, const QVariantList &values,
                            const QString &resultField);

    // Controls that show the dataset are told through these.
    void disableControls() { ++m_controlsDisabled; }
    void enableControls();
    bool controlsDisabled() const { return m_controlsDisabled > 0; }

    // Event hooks of the form code.
    std::function<void(Dataset &)> onNewRecord;
    std::function<void(Dataset &)> beforePost;
    std::function<void(Dataset &)> afterPost;
    std::function<void(Dataset &)> afterScroll;
    std::function<void(Dataset &)> beforeDelete;
    std::function<void(Dataset &)> afterOpen;

    // The table files the dataset reads, by file name, for messages.
    virtual QStringList tableFiles() const { return {}; }

Q_SIGNALS:
    void recordChanged();  // current record moved or its values changed
    void dataChanged();    // the selection was reloaded
    void stateChanged();

protected:
    struct Row {
        qint64 rowid = 0;
        QVector<QVariant> v;
    };

    // Subclasses select their rows: fills m_rows with data columns in
    // m_dataCols order. Called by open and refresh.
    virtual void selectRows() = 0;
    virtual void writeInsert(Row &row) { Q_UNUSED(row); readOnly(); }
    virtual void writeUpdate(const Row &oldRow, Row &row) { Q_UNUSED(oldRow); Q_UNUSED(row); readOnly(); }
    virtual void writeDelete(const Row &row) { Q_UNUSED(row); readOnly(); }
    // Run by post in the transaction of its write, just before it; each
    // refuses with a DbError. A new record's owners (the master records it
    // hangs on) are still stored; an edited record is stored as `asRead`,
    // its copy when the edit began (read at the write serial `readAt`),
    // but for fields that already hold what the post writes.
    virtual void checkOwners(const Row &row) { Q_UNUSED(row); }
    virtual void checkStored(const Row &asRead, quint64 readAt, const Row &row)
    {
        Q_UNUSED(asRead);
        Q_UNUSED(readAt);
        Q_UNUSED(row);
    }
    [[noreturn]] void readOnly() const;
    virtual QString describe() const = 0; // for messages
    // Builds the field objects of a closed dataset, so fields can be named
    // before the first open.
    virtual void prepareFields() {}
    // Whether the field objects of a closed dataset no longer match what it
    // would select (a query whose text changed).
    virtual bool fieldsOutdated() const { return false; }
    virtual bool canModify() const { return true; }
    // Lets go of what a subclass keeps beside its rows; called on close.
    virtual void releaseRows() {}
    void checkActive() const;
    const QVector<QVariant> *activeValues() const;
    void reindexFields();

    // Builds the field objects from the column list (on first open).
    void buildFields(const QStringList &cols, const QStringList &declTypes);
    void setRows(QVector<Row> rows);
    void computeExtras(Row &row);
    void reload(qint64 keepRowid);
    void notifyScroll();
    void setState(DatasetState s);
    QString filterSql() const;
    bool passesRecordFilter(Row &row);
    virtual void masterChanged();
    void notifyDetails();

    friend class Field;
    friend class Database;
    friend class DataSource;
    friend class Table;

    QPointer<Database> m_db;
    DatasetState m_state = DatasetState::Inactive;
    std::vector<std::unique_ptr<Field>> m_fields;
    QHash<QString, int> m_fieldIndex;      // case-folded name -> position
    QHash<QString, int> m_fieldIndexExact; // name as declared -> position
    QVector<FieldDef> m_extraDefs; // declared calc and lookup fields
    QVector<Field> m_extraTemplates;
    QStringList m_fieldList;
    int m_dataCount = 0; // fields 0..m_dataCount-1 are data columns
    QVector<Row> m_rows;
    quint64 m_selectionSerial = 0;
    int m_cur = -1;
    bool m_eof = true;
    bool m_bof = true;
    Row m_buf; // record being edited or inserted
    Row m_readRow;           // the record being edited as it was read
    quint64 m_readAt = 0;    // the write serial it was read at
    quint64 m_rowsReadAt = 0; // the write serial the rows were read at
    int m_insertAt = -1;
    bool m_modified = false;
    QString m_filter;
    bool m_filtered = false;
    int m_controlsDisabled = 0;
    bool m_inCalc = false;
    Row *m_calcRow = nullptr; // record being calculated or filtered
    bool m_scrollPending = false;
    QHash<QString, QVariant> m_lookupCache;
    quint64 m_lookupSerial = 0; // write serial the cache was filled at
    bool m_fieldsBuilt = false;
    // Recent names asked of fieldByName, by where their text is stored.
    struct NameHit {
        pf::TextPlace place;
        int index = -1;
    };
    static constexpr int kNameHits = 61;
    NameHit m_nameHits[kNameHits];
    QVector<QPointer<DataSource>> m_sources;
};

// Binds controls and detail tables to a dataset.
class DataSource : public QObject {
    Q_OBJECT
public:
    explicit DataSource(QObject *parent = nullptr) : QObject(parent) {}
    void setDataSet(Dataset *ds);
    Dataset *dataSet() const { return m_ds; }

    // Whether a control bound here that the user types into puts the current
    // record into edit first (on unless set off): its boxes then take typing
    // into whichever record is current, however it became so.
    bool autoEdit() const { return m_autoEdit; }
    void setAutoEdit(bool on);

Q_SIGNALS:
    void recordChanged();
    void dataChanged();
    void stateChanged();

private:
    friend class Dataset;
    friend class Table;
    void notifyDetails();
    QPointer<Dataset> m_ds;
    bool m_autoEdit = true;
    QVector<QPointer<Table>> m_details;
};

} // namespace pf::db
