#pragma once
// The dataset layer: table files of a data folder, each its own SQLite file,
// reached through a named database, with cursors, edits, indexes, ranges over
// a master record, filters, key look-up and calculated and lookup fields.
//
// Storage: a table file "bankvh.DB" is an SQLite database file of that name
// (found case-insensitively in the folder) holding one table "bankvh" whose
// columns carry the declared field types ("FLOAT", "VARCHAR(15)",
// "SMALLINT", "INTEGER", "BOOLEAN", "BLOB", and an AutoInc field as
// "INTEGER PRIMARY KEY AUTOINCREMENT") and whose secondary indexes keep
// their own names. Text columns of an index compare with the PERSIAN
// collation (Persian alphabet order, case-insensitive Latin).
//
// All table files that a statement needs are attached to one connection of
// the database, so SQL texts name tables as plain names ("select * from
// bankvh") and a write that spans files commits or rolls back as a whole.
// A dataset keeps its selected rows in memory; no statement stays open
// between calls.
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace pf::db {

// Every failure of the layer: a missing, locked or damaged table file, a bad
// statement, an unknown field, a refused value. The text is meant for the user.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString &msg) : std::runtime_error(msg.toStdString()), m_msg(msg) {}
    QString message() const { return m_msg; }

private:
    QString m_msg;
};

enum class FieldType { String, Float, Integer, SmallInt, AutoInc, Boolean, Blob };
enum class FieldKind { Data, Calculated, Lookup };

struct FieldDef {
    QString name;
    FieldType type = FieldType::Float;
    int size = 0; // String: characters (0 means 20); others unused
};

struct IndexDef {
    QString name;
    QStringList fields;
    bool caseInsensitive = true;
    bool unique = false;
};

struct TableDef {
    QString fileName; // "bankvh.DB"
    QVector<FieldDef> fields;
    QVector<IndexDef> indexes;
    bool passwordProtected = true;
};

// The table name inside a table file: its base name ("Bank1" of "Bank1.DB").
QString tableNameOf(const QString &fileName);

// Session-wide password list. Protected table files refuse to open until a
// password has been registered; registering again is harmless.
class Session {
public:
    static void addPassword(const QString &password);
    static bool hasPassword();
    static void clearPasswords(); // for tests
};

class Dataset;

// Values of named statement parameters (":name" in the text), by name in
// lower case without the colon.
using ParamValues = QHash<QString, QVariant>;

// The connection to a data folder. Its main database is a small file of
// its own ("~brvlink.tmp" in the data folder, or in the temporary folder
// when the data folder cannot be written): with a main database on disk
// and rollback journals, SQLite commits a write over several table files
// as one (through its super-journal), also across a crash.
class Database : public QObject {
    Q_OBJECT
public:
    explicit Database(QObject *parent = nullptr);
    ~Database() override;

    QString databaseName() const { return m_name; }
    void setDatabaseName(const QString &name) { m_name = name; }

    // The data folder. directory() reports it with a trailing separator
    // (empty when none is set).
    void setDirectory(const QString &dir);
    QString directory() const;
    QStringList &params() { return m_params; }

    void open();
    void close(); // closes every dataset on this database first
    bool connected() const { return m_db != nullptr; }
    // The connection's main database file (empty while closed).
    QString mainFile() const { return m_mainFile; }
    // How long a statement waits for a table file another program holds.
    void setBusyTimeout(int ms);

    // Full path of an existing table file matched case-insensitively, or an
    // empty string.
    QString findTableFile(const QString &fileName) const;

    // Schema maintenance. createTable replaces nothing: it fails when the
    // file exists.
    void createTable(const TableDef &def);
    void emptyTable(const QString &fileName);
    QStringList indexNames(const QString &fileName);
    QVector<IndexDef> indexDefs(const QString &fileName);
    void deleteIndex(const QString &fileName, const QString &indexName);
    void addIndex(const QString &fileName, const IndexDef &def);
    QVector<FieldDef> fieldDefs(const QString &fileName);

    // Transactions nest: the outermost level is the transaction, each inner
    // level a savepoint. commit ends the innermost level; rollback undoes
    // exactly the innermost level. After a rollback or a failed commit every
    // open dataset is reloaded, so it shows what is stored.
    void startTransaction();
    void commit();
    void rollback();
    bool inTransaction() const { return m_txDepth > 0; }
    int transactionDepth() const { return m_txDepth; }
    // Runs fn as one level; rolls that level back and rethrows on any
    // exception. The outermost level first detaches the idle table files.
    void transaction(const std::function<void()> &fn);
    // The same, with the table files the write touches ("bankvh.DB")
    // attached before it begins: any write over up to nine files succeeds
    // whatever the open datasets have attached.
    void transaction(const QStringList &tableFiles, const std::function<void()> &fn);

    // Plain SQL on the attached files. Tables named in the text are found in
    // the data folder and attached as needed. Parameters are "?" (bound in
    // order from binds) or ":name" (bound from named).
    struct Result {
        QStringList columns;
        QStringList declTypes;
        QVector<QVector<QVariant>> rows;
    };
    // One statement that returns rows; a text of several is refused.
    Result select(const QString &sql, const QVariantList &binds = {});
    Result select(const QString &sql, const ParamValues &named);
    // The columns a statement would return, found without running it.
    Result describe(const QString &sql);
    // Runs every statement of the text in order, all or none; returns the
    // rows changed by the last one.
    qint64 exec(const QString &sql, const QVariantList &binds = {});
    qint64 exec(const QString &sql, const ParamValues &named);
    qint64 lastInsertRowId() const;

    // Rows read from the table files by this connection, for tests that
    // check what an operation loads.
    quint64 rowsRead() const { return m_rowsRead; }
    void resetRowsRead() { m_rowsRead = 0; }
    // Counts the writes through this connection; cached look-ups and
    // detail selections are kept while it stays the same.
    quint64 writeSerial() const { return m_writeSerial; }

    // Attaches the file's schema and returns the SQL name of its table
    // qualified by schema ("f_bankvh.\"bankvh\""). Checks the password.
    QString attachTable(const QString &fileName);
    // The same for a file reached by its full path and not protected by the
    // session password (the program's own marker file).
    QString attachTableUnprotected(const QString &path) { return attachPath(path, false); }

    sqlite3 *handle() const { return m_db; }

    void registerDataset(Dataset *ds);
    void unregisterDataset(Dataset *ds);
    bool isClosing() const { return m_closing; }

Q_SIGNALS:
    void aboutToClose();

private:
    friend class Dataset;
    friend class Table;
    friend class Query;
    struct Attached {
        QString fileName; // as found on disk
        QString schema;
        QString table;
        quint64 lastUse = 0;
    };
    struct Binder;
    void ensureOpen();
    void detachLeastUsed();
    bool detachAt(int i);
    void detachIdle(const QStringList &keep);
    QString attachPath(const QString &path, bool checkPassword);
    template <class Fn> auto withRetry(Fn fn) -> decltype(fn());
    // Prepared statements are kept for reuse between calls, reset so that
    // none holds a read or a lock; dropped whenever the attached set changes.
    sqlite3_stmt *prepareCached(const QString &sql, bool *more);
    void clearStatementCache();
    Result selectWith(const QString &sql, Binder &b);
    qint64 execWith(const QString &sql, Binder &b);
    // Steps a cached single statement, calling onRow for each row.
    void eachRow(const QString &sql, const QVariantList &binds, const std::function<void(sqlite3_stmt *)> &onRow);
    void checkWritable();
    void endLevel(bool commitIt);
    void resyncDatasets();
    QHash<QString, sqlite3_stmt *> m_stmtCache;
    QSet<QString> m_multiStatement; // texts known to hold several statements
    bool m_closing = false;

    QString m_name;
    QString m_dir;
    QString m_mainFile;
    bool m_mainIsTemp = false;
    int m_busyMs = 2000;
    QStringList m_params;
    sqlite3 *m_db = nullptr;
    int m_txDepth = 0;
    bool m_resyncing = false;
    quint64 m_rowsRead = 0;
    quint64 m_writeSerial = 0;
    quint64 m_useClock = 0;
    QVector<Attached> m_attached;
    QHash<QString, QString> m_attachedByName; // table file name (lower case) -> SQL name
    QVector<Dataset *> m_datasets;
};

class DataSource;

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
    [[noreturn]] void readOnly() const;
    virtual QString describe() const = 0; // for messages
    // Builds the field objects of a closed dataset, so fields can be named
    // before the first open.
    virtual void prepareFields() {}
    virtual bool canModify() const { return true; }
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
    int m_cur = -1;
    bool m_eof = true;
    bool m_bof = true;
    Row m_buf; // record being edited or inserted
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
        const QChar *data = nullptr;
        qsizetype size = -1;
        int index = -1;
    };
    static constexpr int kNameHits = 31;
    NameHit m_nameHits[kNameHits];
    QVector<QPointer<DataSource>> m_sources;
};

// A table file opened as a dataset, with an index order and an optional
// range over a master record.
class Table : public Dataset {
    Q_OBJECT
public:
    explicit Table(QObject *parent = nullptr);

    // The file name as the system gives it ("bankvh.DB"). A full path opens
    // the file directly without a database (used for program.db).
    void setTableName(const QString &name);
    QString tableName() const { return m_tableName; }

    // Index by name (secondary index of the file) or by field names
    // ("Shproje;Shsk"); the other is cleared. Empty both: the primary order.
    void setIndexName(const QString &name);
    QString indexName() const { return m_indexName; }
    void setIndexFieldNames(const QString &fields);
    QString indexFieldNames() const { return m_indexFieldNames; }
    QStringList currentIndexFields() const;
    QStringList indexNames();

    // Master link: the master source's fields (";"-separated) are matched in
    // order against the leading fields of the current index.
    void setMasterSource(DataSource *src);
    DataSource *masterSource() const { return m_master; }
    void setMasterFields(const QString &fields);
    QString masterFields() const { return m_masterFields; }

    // Exact key look-up on the leading fields of the current index; the
    // cursor moves to the record when found.
    bool findKey(const QVariantList &values);
    // Moves to the first record whose key is not below the values.
    void findNearest(const QVariantList &values);

    void emptyTable();
    void deleteIndex(const QString &name);
    void addIndex(const IndexDef &def);

    QVariant lookup(const QString &keyFields, const QVariantList &values,
                    const QString &resultField) override;

    void insert() override;
    void append() override;

protected:
    void selectRows() override;
    void writeInsert(Row &row) override;
    void writeUpdate(const Row &oldRow, Row &row) override;
    void writeDelete(const Row &row) override;
    QString describe() const override { return m_tableName; }
    void prepareFields() override;

    void masterChanged() override;

private:
    friend class Dataset;
    Database *db();
    void resolveIndex();
    QString sqlTable();
    void fillMasterValues();
    // The master's link values now (and whether there is an active master).
    bool masterValues(QVariantList &out);
    void invalidateSelect() { m_selectSql.clear(); }
    int compareKey(const Row &row, const QVector<int> &cols, const QVariantList &values) const;

    QString m_tableName;
    QString m_indexName;
    QString m_indexFieldNames;
    QStringList m_indexFields; // fields of the named index
    bool m_indexResolved = true;
    QPointer<DataSource> m_master;
    QString m_masterFields;
    QStringList m_masterFieldList;
    std::unique_ptr<Database> m_ownDb; // for a table opened by full path
    int m_autoIncCol = -1;
    // The select text, built once per table name, index, filter and link;
    // the master's values are bound to it.
    QString m_selectSql;
    QString m_selectTable;
    QString m_selectFilter;
    bool m_selectLinked = false;
    // What the rows were selected with.
    QVariantList m_loadedKeys;
    bool m_loadedLinked = false;
    quint64 m_loadedSerial = 0;
};

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
    bool canModify() const override { return false; }

private:
    void syncParams();
    ParamValues paramValues();

    QStringList m_sql;
    QString m_paramText; // the text m_params were read from
    std::vector<std::unique_ptr<Param>> m_params;
};

// A statement object whose insert text the caller sets whole and runs.
class UpdateSQL : public QObject {
    Q_OBJECT
public:
    explicit UpdateSQL(QObject *parent = nullptr) : QObject(parent) {}
    void setDatabase(Database *db) { m_db = db; }
    QStringList &insertSQL() { return m_insert; }
    void execInsert();

private:
    QPointer<Database> m_db;
    QStringList m_insert;
};

// Binds controls and detail tables to a dataset.
class DataSource : public QObject {
    Q_OBJECT
public:
    explicit DataSource(QObject *parent = nullptr) : QObject(parent) {}
    void setDataSet(Dataset *ds);
    Dataset *dataSet() const { return m_ds; }

Q_SIGNALS:
    void recordChanged();
    void dataChanged();
    void stateChanged();

private:
    friend class Dataset;
    friend class Table;
    void notifyDetails();
    QPointer<Dataset> m_ds;
    QVector<QPointer<Table>> m_details;
};

// Registers the PERSIAN collation on a connection.
void registerPersianCollation(sqlite3 *db);
// Orders two texts as the collation does (<0, 0, >0).
int persianCompare(const QString &a, const QString &b);

} // namespace pf::db
