#include "boravest/data/ExtractFanStore.h"

#include "boravest/data/SpaceResults.h"

#include <QStringList>
#include <QVariant>

namespace bv::data {

namespace {

// The result fields of the space file: the four every file has, then the
// two unrounded ones where the file has them.
QStringList resultFields(pf::db::Database &db)
{
    QStringList fields{QStringLiteral("K_Oft_F_Hav"), QStringLiteral("CFM_Hav"), QStringLiteral("Gh_Hav"),
                       QStringLiteral("Coun_Hav")};
    for (const char *optional : {"GhH_Hav", "Inw_Hav"})
        for (const auto &f : db.fieldDefs(QStringLiteral("bankfz.DB")))
            if (f.name.compare(QLatin1String(optional), Qt::CaseInsensitive) == 0)
                fields << QString::fromLatin1(optional);
    return fields;
}

} // namespace

void storeExtractFanResults(pf::db::Database &db, const std::vector<ExtractFanStoreRow> &rows)
{
    const QStringList fields = resultFields(db);
    const bool hasGhH = fields.contains(QStringLiteral("GhH_Hav"));
    const bool hasInw = fields.contains(QStringLiteral("Inw_Hav"));
    QStringList sets;
    for (const QString &f : fields)
        sets << f + QStringLiteral(" = ?");
    const QString sql = QStringLiteral("update %1 set %2 where No = ?")
                            .arg(db.attachTable(QStringLiteral("bankfz.DB")), sets.join(QStringLiteral(", ")));

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

void clearExtractFanResults(pf::db::Database &db, double shproje)
{
    clearSpaceResults(db, shproje, QStringLiteral("Te_Hav > 0"), resultFields(db));
}

} // namespace bv::data
