#include "boravest/equipment/BuildingLoad.h"

#include "boravest/building/HeatLoad.h"
#include "boravest/data/ProjectReads.h"
#include "platform/common/Numbers.h"
#include "platform/db/Db.h"

#include <map>
#include <tuple>

namespace bv::equipment {

namespace {

using Row = QVector<QVariant>;

double num(const Row &r, int i) { return r.value(i).toDouble(); }
int whole(const Row &r, int i) { return int(pf::roundToInt(r.value(i).toDouble())); }

// Shproje, Shsk, Tabage, Shvahed: the key of a floor-and-unit row.
using UnitKey = std::tuple<double, double, double, double>;
// ... and Codefaza: the key of a space.
using SpaceKey = std::tuple<double, double, double, double, double>;

BuildingRowsOfProject readFromTables(pf::db::Database &db, double project)
{
    BuildingRowsOfProject out;
    const auto site = db.select(QStringLiteral("SELECT Ga, Tg FROM Bank1 WHERE SHPROJE = ? ORDER BY rowid LIMIT 1"),
                                {project});
    if (!site.rows.isEmpty()) {
        out.site.Ga = num(site.rows[0], 0);
        out.site.Tg = num(site.rows[0], 1);
    }

    // Surfaces by the space they belong to.
    std::map<SpaceKey, std::vector<building::SurfaceRow>> surfaces;
    const auto jd = db.select(QStringLiteral("SELECT Shproje, Shsk, Tabage, Shvahed, CodeFaza, Jedare, Id_jedar, "
                                             "Id_njedar, Id_gjedar, Masa1, Masa2, To_, Ti_, Z_1, Z_2 "
                                             "FROM bankjd WHERE Shproje = ? ORDER BY No"),
                              {project});
    for (const Row &r : jd.rows) {
        building::SurfaceRow s;
        s.Jedare = r.value(5).toString();
        s.Id_jedar = num(r, 6);
        s.Id_njedar = whole(r, 7);
        s.Id_gjedar = whole(r, 8);
        s.Masa1 = num(r, 9);
        s.Masa2 = num(r, 10);
        s.To_ = num(r, 11);
        s.Ti_ = num(r, 12);
        s.Z_1 = num(r, 13);
        s.Z_2 = num(r, 14);
        surfaces[{num(r, 0), num(r, 1), num(r, 2), num(r, 3), num(r, 4)}].push_back(std::move(s));
    }

    // Spaces by their floor-and-unit row, each with its surfaces.
    std::map<UnitKey, std::vector<building::SpaceRow>> spaces;
    const auto fz = db.select(QStringLiteral("SELECT Shproje, Shsk, Tabage, Shvahed, Codefaza, Ti_, To_, A_, V_, "
                                             "Air_, V_varm FROM bankfz WHERE Shproje = ? ORDER BY No"),
                              {project});
    for (const Row &r : fz.rows) {
        building::SpaceRow s;
        s.Ti_ = num(r, 5);
        s.To_ = num(r, 6);
        s.A_ = num(r, 7);
        s.V_ = num(r, 8);
        s.Air_ = num(r, 9);
        s.V_varm = num(r, 10);
        const auto it = surfaces.find({num(r, 0), num(r, 1), num(r, 2), num(r, 3), num(r, 4)});
        if (it != surfaces.end())
            s.surfaces = it->second; // a space code met twice counts its surfaces twice, as the chain does
        spaces[{num(r, 0), num(r, 1), num(r, 2), num(r, 3)}].push_back(std::move(s));
    }

    const auto vh = db.select(QStringLiteral("SELECT Shproje, Shsk, Tabage, Shvahed, Sf, Z_ertefa FROM bankvh "
                                             "WHERE Shproje = ? ORDER BY Tabage, No"),
                              {project});
    for (const Row &r : vh.rows) {
        building::UnitRow u;
        u.Tabage = num(r, 2);
        u.Shvahed = num(r, 3);
        u.Sf = num(r, 4);
        u.Z_ertefa = num(r, 5);
        const auto it = spaces.find({num(r, 0), num(r, 1), num(r, 2), num(r, 3)});
        if (it != spaces.end())
            u.spaces = it->second;
        out.units.push_back(std::move(u));
    }
    return out;
}

} // namespace

BuildingRowsOfProject readBuildingRows(pf::db::Database &db, double project)
{
    return data::cachedRead(db, "building rows", project, [&] { return readFromTables(db, project); });
}

double buildingHeatLoadOf(pf::db::Database &db, double project)
{
    return data::cachedRead(db, "building heat load", project, [&] {
        const BuildingRowsOfProject rows = readBuildingRows(db, project);
        return building::buildingHeatLoad(rows.units, rows.site);
    });
}

} // namespace bv::equipment
