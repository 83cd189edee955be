#include "boravest/data/FurnaceStore.h"

#include <QVariant>

namespace bv::data {

void storeFurnaceResults(pf::db::Database &db, const std::vector<FurnaceStoreRow> &rows)
{
    const QString spaces = db.attachTable(QStringLiteral("bankfz.DB"));
    db.transaction([&] {
        pf::db::Statement write(db, QStringLiteral("update %1 set V_Kore = ?, Q_room = ? where No = ?").arg(spaces));
        for (const FurnaceStoreRow &r : rows)
            write.exec({r.V_Kore, r.Q_room, r.No});
    });
}

} // namespace bv::data
