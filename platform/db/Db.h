#pragma once
// The dataset layer, whole: table files of a data folder as SQLite files
// (DbTypes.h), the connection (Database.h), fields, datasets and their
// links (Dataset.h), tables (Table.h), queries with parameters (Query.h),
// the insert statement object (UpdateSQL.h), the check of a table file
// that comes from elsewhere (TableCheck.h) and the engine's lock on a table
// file whatever it holds (FileLock.h).
#include "platform/db/Database.h"
#include "platform/db/Dataset.h"
#include "platform/db/FileLock.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/db/TableCheck.h"
#include "platform/db/UpdateSQL.h"
