#include "boravest/data/FurnaceStore.h"

#include "boravest/data/SpaceResults.h"

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

void clearFurnaceResults(pf::db::Database &db, double shproje)
{
    clearSpaceResults(db, shproje, QStringLiteral("E_Kore > 0"), {QStringLiteral("V_Kore"), QStringLiteral("Q_room")});
}

} // namespace bv::data
