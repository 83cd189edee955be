#pragma once
// Whether a table file can serve as a given table, checked on the file alone
// (no database, no password): for a file that comes from elsewhere, before
// it takes the place of a table of the data folder.
#include "platform/db/DbTypes.h"

namespace pf::db {

struct TableCheck {
    enum class Problem {
        None,
        Unreadable,   // the file cannot be opened
        Damaged,      // not a database file, or it fails the integrity check
        Foreign,      // a database file, but not one of our table files
        NoTable,      // it holds no table named after the file
        MissingField, // `name`: a field of the table is not there
        WrongType,    // `name`: a field holds another kind of value
        Index,        // `name`: an index of the table cannot be built on it
        Trigger,      // `name`: the file carries a trigger, which the program never makes
        View,         // `name`: the file carries a view
        ExtraTable,   // `name`: the file holds a table besides its own
        ExtraField,   // `name`: the table has a column the program does not define
        ExtraIndex,   // `name`: the table has an index the program does not define
    };
    Problem problem = Problem::None;
    QString name;
    bool ok() const { return problem == Problem::None; }
};

// In this order: the file opens, is a database file with our mark and
// passes the integrity check; it holds the table named after `def`'s file;
// the whole of its schema is what the program makes (no trigger, view or
// other table; no column and no index `def` does not define, an index of
// `def`'s name only on `def`'s fields); every field of `def` is there (by
// name, case-insensitive) with a type that holds its values; every index of
// `def` can be built (tried in a transaction that is rolled back). The file
// is left as it was.
TableCheck checkTableFile(const QString &path, const TableDef &def);

} // namespace pf::db
