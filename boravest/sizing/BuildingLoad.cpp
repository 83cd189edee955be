#include "boravest/sizing/BuildingLoad.h"

#include "boravest/sizing/HeatLoad.h"
#include "boravest/data/ProjectReads.h"
#include "platform/common/Numbers.h"
#include "platform/db/Db.h"

#include <array>
#include <vector>

namespace bv::sizing {

namespace {

using Chain = data::ProjectChainRows;

BuildingRowsOfProject readFromTables(pf::db::Database &db, double project)
{
    BuildingRowsOfProject out;
    const auto site = db.select(QStringLiteral("SELECT Ga, Tg FROM Bank1 WHERE SHPROJE = ? ORDER BY rowid LIMIT 1"),
                                {project});
    if (!site.rows.isEmpty()) {
        out.site.Ga = site.rows[0].value(0).toDouble();
        out.site.Tg = site.rows[0].value(1).toDouble();
    }

    const auto rows = data::readProjectChain(db, project);
    const Chain &chain = *rows;

    // Shproje, Shsk, Tabage, Shvahed: the key of a floor-and-unit row; and
    // Codefaza: the key of a space (a missing value counts as 0).
    using UnitKey = std::array<double, 4>;
    using SpaceKey = std::array<double, 5>;
    std::vector<SpaceKey> spaceKeys, surfaceKeys;
    std::vector<UnitKey> unitKeys, spaceUnits;
    surfaceKeys.reserve(chain.surfaces.size());
    spaceKeys.reserve(chain.spaces.size());
    spaceUnits.reserve(chain.spaces.size());
    for (const Chain::Surface &r : chain.surfaces)
        surfaceKeys.push_back({r.Shproje.number, r.Shsk.number, r.Tabage.number, r.Shvahed.number, r.CodeFaza.number});
    for (const Chain::Space &r : chain.spaces) {
        spaceKeys.push_back({r.Shproje.number, r.Shsk.number, r.Tabage.number, r.Shvahed.number, r.Codefaza.number});
        spaceUnits.push_back({r.Shproje.number, r.Shsk.number, r.Tabage.number, r.Shvahed.number});
    }
    for (const Chain::Unit &r : chain.units)
        unitKeys.push_back({r.Shproje.number, r.Shsk.number, r.Tabage.number, r.Shvahed.number});

    // Spaces with their surfaces (a space code met twice counts its surfaces
    // twice, as the chain does).
    const data::DetailRuns<SpaceKey> surfacesOf(spaceKeys, surfaceKeys);
    std::vector<building::SpaceRow> spaces;
    spaces.reserve(chain.spaces.size());
    for (size_t i = 0; i < chain.spaces.size(); ++i)
        spaces.push_back(data::spaceRowOf(chain, i, surfacesOf));

    const data::DetailRuns<UnitKey> spacesOf(unitKeys, spaceUnits);
    // A space goes to its unit moved, copied only for a unit before the last
    // that lists it too.
    std::vector<int> uses(spaces.size(), 0);
    for (const auto &[first, last] : spacesOf.runs)
        for (int k = first; k < last; ++k)
            ++uses[size_t(spacesOf.order[size_t(k)])];
    out.units.reserve(chain.units.size());
    for (size_t i = 0; i < chain.units.size(); ++i) {
        const Chain::Unit &r = chain.units[i];
        building::UnitRow u;
        u.Tabage = r.Tabage.number;
        u.Shvahed = r.Shvahed.number;
        u.Sf = r.Sf.number;
        u.Z_ertefa = r.Z_ertefa.number;
        const auto [first, last] = spacesOf.runs[i];
        u.spaces.reserve(size_t(last - first));
        for (int k = first; k < last; ++k) {
            const size_t at = size_t(spacesOf.order[size_t(k)]);
            if (--uses[at] == 0)
                u.spaces.push_back(std::move(spaces[at]));
            else
                u.spaces.push_back(spaces[at]);
        }
        out.units.push_back(std::move(u));
    }
    return out;
}

} // namespace

BuildingRowsOfProject readBuildingRows(pf::db::Database &db, double project)
{
    // The project's chain is kept for a run; these rows, made from it, are
    // made again rather than kept and copied.
    return readFromTables(db, project);
}

double buildingHeatLoadOf(pf::db::Database &db, double project)
{
    return data::cachedRead(db, "building heat load", project, [&] {
        const BuildingRowsOfProject rows = readBuildingRows(db, project);
        return building::buildingHeatLoad(rows.units, rows.site);
    });
}

} // namespace bv::sizing
