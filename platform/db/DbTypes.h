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

// Why an operation on the tables failed, as the user is told.
enum class DbFault {
    Other,    // the operation could not be done (a fault of the program)
    Busy,     // the table file is in use by another program
    Damaged,  // the file is damaged, or is not the table the program needs
    Missing,  // the table file, or the data folder, is not there
    ReadOnly, // the table file cannot be written
    DiskFull, // the disk has no room left for the write
    Changed,  // the record was changed or deleted by another program
};

// Every failure of the layer: a missing, locked or damaged table file, a bad
// statement, an unknown field, a refused value. message() is for the user:
// in Persian, naming the table files concerned and the cause; the engine's
// own words are kept in detail() (and what()) for the log and never shown.
class DbError : public std::runtime_error {
public:
    // A text for the user, shown as it stands.
    explicit DbError(const QString &userText);
    DbError(DbFault fault, const QStringList &tables, const QString &detail);

    DbFault fault() const { return m_fault; }
    // The table files concerned, by file name ("bankvh.DB"); may be empty.
    const QStringList &tables() const { return m_tables; }
    QString detail() const { return m_detail; }
    QString message() const;

private:
    DbFault m_fault = DbFault::Other;
    QStringList m_tables;
    QString m_detail;
    QString m_userText;
};

// The cause the user is told for an engine result code (plain or extended).
DbFault faultOfEngineCode(int code);
// The cause for an error the system reported on a file (errno; on Windows
// the system's error code).
DbFault faultOfSystemError(int error);

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

// Values of named statement parameters (":name" in the text), by name in
// lower case without the colon.
using ParamValues = QHash<QString, QVariant>;

// Registers the PERSIAN collation on a connection.
void registerPersianCollation(sqlite3 *db);
// Orders two texts as the collation does (<0, 0, >0).
int persianCompare(const QString &a, const QString &b);

} // namespace pf::db
