#include "boravest/sizing/BuildingLoad.h"

#include "boravest/sizing/HeatLoad.h"
#include "boravest/data/ProjectReads.h"
#include "platform/common/Numbers.h"
#include "platform/db/Db.h"

#include <map>
#include <tuple>

namespace bv::sizing {

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

    using Chain = data::ProjectChainRows;
    const Chain chain = data::readProjectChain(db, project);

    // Surfaces by the space they belong to.
    std::map<SpaceKey, std::vector<building::SurfaceRow>> surfaces;
    for (const Row &r : chain.surfaces) {
        building::SurfaceRow s;
        s.Jedare = r.value(Chain::JJedare).toString();
        s.Id_jedar = num(r, Chain::JId_jedar);
        s.Id_njedar = whole(r, Chain::JId_njedar);
        s.Id_gjedar = whole(r, Chain::JId_gjedar);
        s.Masa1 = num(r, Chain::JMasa1);
        s.Masa2 = num(r, Chain::JMasa2);
        s.To_ = num(r, Chain::JTo_);
        s.Ti_ = num(r, Chain::JTi_);
        s.Z_1 = num(r, Chain::JZ_1);
        s.Z_2 = num(r, Chain::JZ_2);
        surfaces[{num(r, Chain::JShproje), num(r, Chain::JShsk), num(r, Chain::JTabage), num(r, Chain::JShvahed),
                  num(r, Chain::JCodeFaza)}]
            .push_back(std::move(s));
    }

    // Spaces by their floor-and-unit row, each with its surfaces.
    std::map<UnitKey, std::vector<building::SpaceRow>> spaces;
    for (const Row &r : chain.spaces) {
        building::SpaceRow s;
        s.Ti_ = num(r, Chain::FTi_);
        s.To_ = num(r, Chain::FTo_);
        s.A_ = num(r, Chain::FA_);
        s.V_ = num(r, Chain::FV_);
        s.Air_ = num(r, Chain::FAir_);
        s.V_varm = num(r, Chain::FV_varm);
        const UnitKey unit{num(r, Chain::FShproje), num(r, Chain::FShsk), num(r, Chain::FTabage), num(r, Chain::FShvahed)};
        const auto it = surfaces.find(std::tuple_cat(unit, std::tuple{num(r, Chain::FCodefaza)}));
        if (it != surfaces.end())
            s.surfaces = it->second; // a space code met twice counts its surfaces twice, as the chain does
        spaces[unit].push_back(std::move(s));
    }

    for (const Row &r : chain.units) {
        building::UnitRow u;
        u.Tabage = num(r, Chain::UTabage);
        u.Shvahed = num(r, Chain::UShvahed);
        u.Sf = num(r, Chain::USf);
        u.Z_ertefa = num(r, Chain::UZ_ertefa);
        const auto it = spaces.find({num(r, Chain::UShproje), num(r, Chain::UShsk), num(r, Chain::UTabage),
                                     num(r, Chain::UShvahed)});
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

} // namespace bv::sizing
