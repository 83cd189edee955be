#include "boravest/data/CollectorsStore.h"

#include "boravest/data/ProjectReads.h"
#include "platform/common/Numbers.h"

#include <QHash>

namespace bv::data {

namespace {

QString keyText(const QVariant &v)
{
    return v.isNull() ? QString() : pf::floatToStr(v.toDouble());
}

QString unitKey(const QVariant &shsk, const QVariant &tabage, const QVariant &shvahed)
{
    return keyText(shsk) + QLatin1Char('|') + keyText(tabage) + QLatin1Char('|') + keyText(shvahed);
}

int whole(const QVariant &v)
{
    return int(pf::roundToInt(v.toDouble()));
}

CollectorProject readFromTables(pf::db::Database &db, double project)
{
    CollectorProject p;
    const QString bank1 = db.attachTable(QStringLiteral("Bank1.DB"));
    const QString units = db.attachTable(QStringLiteral("bankvh.DB"));
    const QString spaces = db.attachTable(QStringLiteral("bankfz.DB"));
    const QString surfaces = db.attachTable(QStringLiteral("bankjd.DB"));

    const auto site = db.select(QStringLiteral("SELECT Ga, Tg FROM %1 WHERE SHPROJE = ?").arg(bank1), {project});
    if (!site.rows.isEmpty()) {
        p.site.Ga = site.rows[0][0].toDouble();
        p.site.Tg = site.rows[0][1].toDouble();
    }

    // Surfaces by space, spaces by unit.
    QHash<QString, std::vector<building::SurfaceRow>> surfacesOf;
    const auto jd = db.select(QStringLiteral("SELECT Shsk, Tabage, Shvahed, CodeFaza, Jedare, Id_jedar, Id_njedar, "
                                             "Id_gjedar, Masa1, Masa2, To_, Ti_, Z_1, Z_2 FROM %1 WHERE Shproje = ? "
                                             "ORDER BY \"No\"")
                                  .arg(surfaces),
                              {project});
    for (const auto &row : jd.rows) {
        building::SurfaceRow s;
        s.Jedare = row[4].toString();
        s.Id_jedar = row[5].toDouble();
        s.Id_njedar = whole(row[6]);
        s.Id_gjedar = whole(row[7]);
        s.Masa1 = row[8].toDouble();
        s.Masa2 = row[9].toDouble();
        s.To_ = row[10].toDouble();
        s.Ti_ = row[11].toDouble();
        s.Z_1 = row[12].toDouble();
        s.Z_2 = row[13].toDouble();
        surfacesOf[unitKey(row[0], row[1], row[2]) + QLatin1Char('|') + keyText(row[3])].push_back(s);
    }

    QHash<QString, std::vector<building::SpaceRow>> spacesOf;
    const auto fz = db.select(QStringLiteral("SELECT Shsk, Tabage, Shvahed, Codefaza, Ti_, To_, A_, V_, Air_, V_varm "
                                             "FROM %1 WHERE Shproje = ? ORDER BY \"No\"")
                                  .arg(spaces),
                              {project});
    for (const auto &row : fz.rows) {
        building::SpaceRow s;
        s.Ti_ = row[4].toDouble();
        s.To_ = row[5].toDouble();
        s.A_ = row[6].toDouble();
        s.V_ = row[7].toDouble();
        s.Air_ = row[8].toDouble();
        s.V_varm = row[9].toDouble();
        const QString key = unitKey(row[0], row[1], row[2]);
        s.surfaces = surfacesOf.value(key + QLatin1Char('|') + keyText(row[3]));
        spacesOf[key].push_back(std::move(s));
    }

    const auto vh = db.select(QStringLiteral("SELECT \"No\", Shsk, Tabage, Shvahed, Sf, Z_ertefa, T_Rz FROM %1 "
                                             "WHERE Shproje = ? ORDER BY Tabage, \"No\"")
                                  .arg(units),
                              {project});
    for (const auto &row : vh.rows) {
        CollectorUnitRow u;
        u.No = row[0].toLongLong();
        u.Shproje = project;
        u.Shsk = row[1].toDouble();
        u.unit.Tabage = row[2].toDouble();
        u.unit.Shvahed = row[3].toDouble();
        u.unit.Sf = row[4].toDouble();
        u.unit.Z_ertefa = row[5].toDouble();
        u.T_Rz = whole(row[6]);
        u.unit.spaces = spacesOf.value(unitKey(row[1], row[2], row[3]));
        p.units.push_back(std::move(u));
    }
    return p;
}

} // namespace

CollectorProject readCollectorUnits(pf::db::Database &db, double project)
{
    return cachedRead(db, "collector units", project, [&] { return readFromTables(db, project); });
}

void storeCollectorResults(pf::db::Database &db, double project, const std::vector<CollectorStoreRow> &rows)
{
    const QString units = db.attachTable(QStringLiteral("bankvh.DB"));
    const QString sql =
        QStringLiteral("UPDATE %1 SET Q_Vahed = ?, GP = ?, Col = ?, \"Row\" = ? WHERE \"No\" = ? AND Shproje = ?").arg(units);
    db.transaction([&] {
        for (const CollectorStoreRow &r : rows) {
            if (r.sized)
                db.exec(sql, {r.Q_Vahed, r.GP, double(r.Col), double(r.Row), r.No, project});
            else
                db.exec(sql, {QVariant(), QVariant(), QVariant(), QVariant(), r.No, project});
        }
    });
}

} // namespace bv::data
