#include "boravest/data/SpaceResults.h"

#include <QVariant>

namespace bv::data {

void clearSpaceResults(pf::db::Database &db, double shproje, const QString &spaces, const QStringList &fields)
{
    if (fields.isEmpty())
        return;
    QStringList sets;
    for (const QString &f : fields)
        sets << f + QStringLiteral(" = null");
    const QString sql = QStringLiteral("update %1 set %2 where Shproje = ? and (%3)")
                            .arg(db.attachTable(QStringLiteral("bankfz.DB")), sets.join(QStringLiteral(", ")), spaces);
    db.transaction([&] { db.exec(sql, {shproje}); });
}

} // namespace bv::data
