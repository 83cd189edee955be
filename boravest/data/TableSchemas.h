#pragma once
// The table files of the data folder and of the program folder: names,
// fields with their types and sizes, and secondary indexes.
#include "platform/db/Db.h"

#include <QString>
#include <QVector>

namespace schema {

// Every table file of the data folder.
const QVector<pf::db::TableDef> &dataFolderTables();
// One table file by its name (case-insensitive); nullptr when unknown.
const pf::db::TableDef *tableDef(const QString &fileName);
// The program folder's marker table.
const pf::db::TableDef &programTable();

// The secondary indexes the data rebuild re-creates, per table file.
QVector<pf::db::IndexDef> rebuildIndexes(const QString &fileName);

// Default appearance: the 25 colours in field order and the three fonts.
extern const char *const kColorFields[25];
int defaultColor(int entry);
extern const char *const kDefaultScreenFont;
extern const char *const kDefaultReportFont;
extern const char *const kDefaultTitleFont;

// Creates a data folder with every table empty but the one-row settings
// tables, which hold the default colours, fonts and window positions.
// Existing files are left as they are.
void createDataFolder(const QString &folder);
// Creates program.db in the program folder with one row, PRG empty, unless
// it exists.
void createProgramTable(const QString &programFolder);

} // namespace schema
