#include "boravest/data/RadiatorStore.h"

#include <QVariant>

namespace bv::data {

void storeRadiatorResults(pf::db::Database &db, double shproje, const std::vector<RadiatorStoreRow> &rows)
{
    const QString spaces = db.attachTable(QStringLiteral("bankfz.DB"));
    db.transaction([&] {
        db.exec(QStringLiteral("update %1 set Q_room = null, Radiat = null, Modelradiat = null "
                               "where Shproje = ? and E_Rad > 0")
                    .arg(spaces),
                {shproje});
        pf::db::Statement write(db, QStringLiteral("update %1 set Q_room = ?, Radiat = ?, Modelradiat = ? where No = ?")
                                        .arg(spaces));
        for (const RadiatorStoreRow &r : rows)
            write.exec({r.Q_room, r.Radiat, r.Modelradiat, r.No});
    });
}

} // namespace bv::data
