#include "boravest/data/UnitHeaterStore.h"

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

} // namespace bv::data
