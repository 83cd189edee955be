#include "boravest/data/ExtractFanStore.h"

#include <QVariant>

namespace bv::data {

void storeExtractFanResults(pf::db::Database &db, const std::vector<ExtractFanStoreRow> &rows)
{
    const QString file = QStringLiteral("bankfz.DB");
    bool hasGhH = false, hasInw = false;
    for (const auto &f : db.fieldDefs(file)) {
        hasGhH = hasGhH || f.name.compare(QLatin1String("GhH_Hav"), Qt::CaseInsensitive) == 0;
        hasInw = hasInw || f.name.compare(QLatin1String("Inw_Hav"), Qt::CaseInsensitive) == 0;
    }
    QString sql = QStringLiteral("update %1 set K_Oft_F_Hav = ?, CFM_Hav = ?, Gh_Hav = ?, Coun_Hav = ?")
                      .arg(db.attachTable(file));
    if (hasGhH)
        sql += QStringLiteral(", GhH_Hav = ?");
    if (hasInw)
        sql += QStringLiteral(", Inw_Hav = ?");
    sql += QStringLiteral(" where No = ?");

    db.transaction([&] {
        pf::db::Statement write(db, sql);
        QVariantList binds;
        for (const ExtractFanStoreRow &r : rows) {
            binds = {r.K_Oft_F_Hav, r.CFM_Hav, r.Gh_Hav, r.Coun_Hav};
            if (hasGhH)
                binds << r.GhH_Hav;
            if (hasInw)
                binds << r.Inw_Hav;
            binds << r.No;
            write.exec(binds);
        }
    });
}

} // namespace bv::data
