#pragma once
#include "platform/db/DbTypes.h"

#include <functional>
#include <optional>

namespace pf::db {

class Dataset;

// The last few texts read from a column (see RowReader::text).
class SeenTexts {
private:
    friend class RowReader;
    static constexpr int kKept = 8;
    struct Seen {
        QByteArray bytes; // as stored
        QString text;
    };
    Seen m_texts[kKept];
    int m_next = 0;
};

// One row of a statement being stepped, its columns read in place, each as
// a dataset's field of that type would give it.
class RowReader {
public:
    bool isNull(int column) const;
    // Whether it holds a number, as the engine compares values.
    bool isNumber(int column) const;
    // The same, and the number when it holds one.
    bool storedNumber(int column, double *out) const;
    // As a number field: null (and a text that is no number) 0.
    double number(int column) const;
    // As a number field, or false when the field would be null.
    bool number(int column, double *out) const;
    // As a number field's text: the number in the program's text form;
    // empty when the field would be null.
    QString numberText(int column) const;
    // As a whole-number field's asInteger.
    qint64 whole(int column) const;
    // As a text field: a number stored there in the program's text form;
    // null empty.
    QString text(int column) const;
    // The same, given as a text of `seen` when it holds those characters,
    // so that rows repeating a text share it; else read and kept there.
    QString text(int column, SeenTexts &seen) const;

private:
    friend class Database;
    explicit RowReader(sqlite3_stmt *st) : m_st(st) {}
    sqlite3_stmt *m_st;
};

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
    int busyTimeout() const { return m_busyMs; }
    // While set, `fn` is called every few thousand steps of the engine in a
    // long statement (so that a busy sign can move). It must not use this
    // database: a statement started from it fails.
    void setProgressHandler(std::function<void()> fn);

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
    // exception. A file the write names that is not attached is attached
    // on the way, making room by detaching a file the transaction has not
    // touched; at most ten files take part in one transaction.
    void transaction(const std::function<void()> &fn);
    // The same, with the table files the write touches ("bankvh.DB")
    // attached before it begins (every other file is detached first when
    // no statement of an open transaction holds it): any write over up to
    // nine files succeeds whatever the open datasets have attached.
    void transaction(const QStringList &tableFiles, const std::function<void()> &fn);
    // Whether the statements read inside one read transaction now (see
    // ReadScope).
    bool inReadTransaction() const { return m_readTx; }

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
    // The same, each value read as the field of its column will hold it:
    // once the statement is prepared, `typesOf` is given its columns and
    // declared types and gives the fields' types and the length of a record
    // (the values after the columns' null), or nothing, for the values as
    // stored.
    struct RowTypes {
        QVector<FieldType> types;
        int width = 0;
    };
    using TypesOf = std::function<std::optional<RowTypes>(const QStringList &columns, const QStringList &declTypes)>;
    Result select(const QString &sql, const ParamValues &named, const TypesOf &typesOf);
    // The columns a statement would return, found without running it.
    Result describe(const QString &sql);
    // Runs every statement of the text in order, all or none; returns the
    // rows changed by the last one.
    qint64 exec(const QString &sql, const QVariantList &binds = {});
    qint64 exec(const QString &sql, const ParamValues &named);
    qint64 lastInsertRowId() const;
    // One statement that returns rows, each handed to onRow as it is
    // stepped: for a reader that keeps the values in plain structures of its
    // own.
    void forEachRow(const QString &sql, const QVariantList &binds, const std::function<void(const RowReader &)> &onRow);

    // Rows read from the table files by this connection, for tests that
    // check what an operation loads.
    quint64 rowsRead() const { return m_rowsRead; }
    void resetRowsRead() { m_rowsRead = 0; }
    // Counts the writes through this connection; cached look-ups and
    // detail selections are kept while it stays the same.
    quint64 writeSerial() const { return m_writeSerial; }
    // The writeSerial of this connection's last write that named the table
    // file ("bankfz.DB"), made before the open transaction began (before now
    // when none is open); 0 when none. Rows read at a later serial differ
    // from what is stored only by what other programs wrote since, or by
    // the open transaction itself.
    quint64 ownWriteBeforeTransaction(const QString &tableFile) const;

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
    friend class Statement;
    friend class ReadScope;
    struct Attached {
        QString fileName; // as found on disk
        QString schema;
        QString table;
        quint64 lastUse = 0;
    };
    struct Binder;
    void ensureOpen();
    // Throws the failure the engine reported for code rc, naming `files`.
    [[noreturn]] void fail(int rc, const QStringList &files);
    // Prepares one statement, noting the table files it reads or writes.
    int prepare(const char *sql, int bytes, sqlite3_stmt **st, const char **tail, QStringList *files);
    // A table file another program holds names the failure: found, once
    // this connection holds no lock of its own, among the files it names
    // (every attached file when it names none).
    DbError namingHolder(const DbError &e);
    template <class Fn> auto outermost(Fn fn) -> decltype(fn());
    static int authorize(void *self, int action, const char *, const char *, const char *schema, const char *);
    static int progress(void *self);
    void detachLeastUsed();
    bool detachAt(int i);
    void detachIdle(const QStringList &keep);
    QString attachPath(const QString &path, bool checkPassword);
    template <class Fn> auto withRetry(Fn fn) -> decltype(fn());
    // Prepared statements are kept for reuse between calls, reset so that
    // none holds a read or a lock; dropped whenever the attached set changes.
    sqlite3_stmt *prepareCached(const QString &sql, bool *more);
    void clearStatementCache();
    Result selectWith(const QString &sql, Binder &b, const TypesOf *typesOf = nullptr);
    qint64 execWith(const QString &sql, Binder &b);
    // Steps a cached single statement, calling onRow for each row.
    void eachRow(const QString &sql, const QVariantList &binds, const std::function<void(sqlite3_stmt *)> &onRow);
    void checkWritable();
    // The read transaction of the scopes alive: begun before a statement
    // reads, ended before anything writes, detaches or closes.
    void beginRead();
    void endRead();
    void endLevel(bool commitIt);
    void resyncDatasets();
    QHash<QString, sqlite3_stmt *> m_stmtCache;
    QHash<sqlite3_stmt *, QStringList> m_stmtFiles; // table files of each cached statement
    QStringList *m_collect = nullptr;               // filled by the authorizer while preparing
    QStringList m_txFiles;                          // files the open transaction wrote
    QHash<QString, quint64> m_fileWrites;           // table file (lower case) -> serial of its last write
    QHash<QString, quint64> m_fileWritesAtTx;       // the same when the open transaction began
    std::function<void()> m_progress;
    bool m_inProgress = false;
    QSet<QString> m_multiStatement; // texts known to hold several statements
    bool m_closing = false;

    QString m_name;
    QString m_dir;
    QString m_mainFile;
    int m_busyMs = 2000;
    QStringList m_params;
    sqlite3 *m_db = nullptr;
    int m_txDepth = 0;
    int m_readScopes = 0;
    bool m_readTx = false;
    bool m_resyncing = false;
    quint64 m_rowsRead = 0;
    quint64 m_writeSerial = 0;
    quint64 m_useClock = 0;
    QVector<Attached> m_attached;
    QHash<QString, QString> m_attachedByName; // table file name (lower case) -> SQL name
    QVector<Dataset *> m_datasets;
};

// A walk over a master and its details (a report, a project read level by
// level): while a scope is alive, what the database's statements read they
// read inside one read transaction, so that the table files are locked for
// reading once for the whole walk rather than once per statement. A write
// through the database, a transaction, a change of the attached files or
// closing ends that read transaction first (writes work as ever); the next
// read begins another. Inside a transaction of the database the scope does
// nothing. Scopes nest.
class ReadScope {
public:
    explicit ReadScope(Database *db);
    ~ReadScope();
    ReadScope(const ReadScope &) = delete;
    ReadScope &operator=(const ReadScope &) = delete;

private:
    QPointer<Database> m_db;
};

// One statement prepared once and run for many rows with new values each
// time, as a store writes a result per space. The tables it names are
// attached when it is prepared; it is used while the connection stays open
// and attaches no other file meanwhile (a store's loop).
class Statement {
public:
    Statement(Database &db, const QString &sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    // Runs it with the values bound to its "?" in order (missing ones null);
    // returns the rows it changed.
    qint64 exec(std::initializer_list<QVariant> values) { return run(values.begin(), qsizetype(values.size())); }
    qint64 exec(const QVariantList &values) { return run(values.constData(), values.size()); }

private:
    qint64 run(const QVariant *values, qsizetype count);

    Database *m_db;
    sqlite3_stmt *m_st = nullptr;
    QStringList m_files; // the table files it names
};

} // namespace pf::db
