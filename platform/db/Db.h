#pragma once
// The dataset layer, whole: table files of a data folder as SQLite files
// (DbTypes.h), the connection (Database.h), fields, datasets and their
// links (Dataset.h), tables (Table.h), queries with parameters (Query.h)
// and the insert statement object (UpdateSQL.h).
#include "platform/db/Database.h"
#include "platform/db/Dataset.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/db/UpdateSQL.h"
