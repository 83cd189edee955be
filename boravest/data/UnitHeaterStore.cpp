#include "boravest/data/UnitHeaterStore.h"

#include "boravest/data/SpaceResults.h"

#include <QVariant>

namespace bv::data {

void storeUnitHeaterResults(pf::db::Database &db, const std::vector<UnitHeaterStoreRow> &rows)
{
    const QString spaces = db.attachTable(QStringLiteral("bankfz.DB"));
    db.transaction([&] {
        pf::db::Statement write(db, QStringLiteral("update %1 set Q_room = ?, Radiat = ?, Modelradiat = ? where No = ?")
                                        .arg(spaces));
        for (const UnitHeaterStoreRow &r : rows)
            write.exec({r.Q_room, r.Radiat, r.Modelradiat, r.No});
    });
}

void clearUnitHeaterResults(pf::db::Database &db, double shproje)
{
    clearSpaceResults(db, shproje, QStringLiteral("T_UH > 0"),
                      {QStringLiteral("Q_room"), QStringLiteral("Radiat"), QStringLiteral("Modelradiat")});
}

} // namespace bv::data
