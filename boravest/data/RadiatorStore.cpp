#include "boravest/data/RadiatorStore.h"

#include <QVariant>

#include <unordered_set>

namespace bv::data {

void storeRadiatorResults(pf::db::Database &db, double shproje, const std::vector<RadiatorStoreRow> &rows)
{
    const QString spaces = db.attachTable(QStringLiteral("bankfz.DB"));
    db.transaction([&] {
        // Each marked space is written once: with its row, or emptied.
        std::unordered_set<qint64> given;
        for (const RadiatorStoreRow &r : rows)
            given.insert(r.No);
        std::vector<qint64> emptied;
        db.forEachRow(QStringLiteral("select No from %1 where Shproje = ? and E_Rad > 0").arg(spaces), {shproje},
                      [&](const pf::db::RowReader &row) {
                          if (!given.count(row.whole(0)))
                              emptied.push_back(row.whole(0));
                      });
        pf::db::Statement empty(
            db, QStringLiteral("update %1 set Q_room = null, Radiat = null, Modelradiat = null where No = ?").arg(spaces));
        for (qint64 No : emptied)
            empty.exec({No});
        pf::db::Statement write(db, QStringLiteral("update %1 set Q_room = ?, Radiat = ?, Modelradiat = ? where No = ?")
                                        .arg(spaces));
        for (const RadiatorStoreRow &r : rows)
            write.exec({r.Q_room, r.Radiat, r.Modelradiat, r.No});
    });
}

} // namespace bv::data
