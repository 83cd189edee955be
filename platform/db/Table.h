#pragma once
#include "platform/db/Dataset.h"

namespace pf::db {

// A table file opened as a dataset, with an index order and an optional
// range over a master record.
class Table : public Dataset {
    Q_OBJECT
public:
    explicit Table(QObject *parent = nullptr);
    ~Table() override;

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

    // Reading ahead, for a detail whose master walks many records (a report
    // over a project): the rows of every master record that shares the
    // master's link values but the last (the spaces of a floor, the
    // surfaces of a unit) come from one ordered read, and each record takes
    // its own rows from it, in the order a read of its own would give. Used
    // where every link field is a number; the rows are kept while nothing is
    // written through the connection and let go when the table closes.
    void setReadAhead(bool on);
    bool readAhead() const { return m_readAhead; }

    void insert() override;
    void append() override;
    QStringList tableFiles() const override { return {fileName()}; }

protected:
    void selectRows() override;
    void writeInsert(Row &row) override;
    void writeUpdate(const Row &oldRow, Row &row) override;
    void writeDelete(const Row &row) override;
    void checkOwners(const Row &row) override;
    void checkStored(const Row &asRead, quint64 readAt, const Row &row) override;
    QString describe() const override { return m_tableName; }
    void prepareFields() override;

    void masterChanged() override;
    void releaseRows() override;

private:
    friend class Dataset;
    Database *db();
    // The table file's name ("bankvh.DB").
    QString fileName() const;
    void resolveIndex();
    QString sqlTable();
    void fillMasterValues();
    // The fields of this table that the master link fills, in the order of
    // the master fields.
    QStringList linkFields() const;
    // The master as a table of this database, when it is one and open.
    Table *masterTable() const;
    // The master's link values now (and whether there is an active master).
    bool masterValues(QVariantList &out);
    void invalidateSelect() { m_selectSql.clear(); }
    int compareKey(const Row &row, const QVector<int> &cols, const QVariantList &values) const;
    // The rows of the master's record taken from the rows read ahead (read
    // now when those are missing or stale); false when the link cannot be
    // read ahead and the rows must be selected on their own.
    bool takeRowsAhead(const QString &table, const QVariantList &keys, QVector<Row> &rows);

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
    QString m_selectColumns; // "rowid, <fields>" of the select
    QString m_selectOrder;   // its ORDER BY list
    QString m_selectTable;
    QString m_selectFilter;
    bool m_selectLinked = false;
    // What the rows were selected with.
    QVariantList m_loadedKeys;
    bool m_loadedLinked = false;
    quint64 m_loadedSerial = 0;
    bool m_readAhead = false;
    struct AheadRows;
    std::unique_ptr<AheadRows> m_ahead;
};

} // namespace pf::db
