#include "boravest/data/FurnaceStore.h"

#include <QVariant>

namespace bv::data {

void storeFurnaceResults(pf::db::Database &db, const std::vector<FurnaceStoreRow> &rows)
{
    const QString spaces = db.attachTable(QStringLiteral("bankfz.DB"));
    const QString write = QStringLiteral("update %1 set V_Kore = ?, Q_room = ? where No = ?").arg(spaces);
    db.transaction([&] {
        for (const FurnaceStoreRow &r : rows)
            db.exec(write, {r.V_Kore, r.Q_room, r.No});
    });
}

} // namespace bv::data
