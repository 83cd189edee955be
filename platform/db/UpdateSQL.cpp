#include "platform/db/Db.h"

namespace pf::db {

void UpdateSQL::execInsert()
{
    if (!m_db)
        throw DbError(DbFault::Other, {}, QStringLiteral("No database for the statement"));
    m_db->exec(m_insert.join(QLatin1Char('\n')));
}

} // namespace pf::db
