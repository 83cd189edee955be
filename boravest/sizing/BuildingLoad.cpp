#include "boravest/sizing/BuildingLoad.h"

#include "boravest/sizing/HeatLoad.h"
#include "boravest/data/ProjectReads.h"
#include "platform/common/Numbers.h"
#include "platform/db/Db.h"

#include <vector>

namespace bv::sizing {

BuildingRowsOfProject readBuildingRows(pf::db::Database &db, double project)
{
    using Chain = data::ProjectChainRows;
    BuildingRowsOfProject out;
    const auto site = db.select(QStringLiteral("SELECT Ga, Tg FROM Bank1 WHERE SHPROJE = ? ORDER BY rowid LIMIT 1"),
                                {project});
    if (!site.rows.isEmpty()) {
        out.site.Ga = site.rows[0].value(0).toDouble();
        out.site.Tg = site.rows[0].value(1).toDouble();
    }

    // The project's chain is kept for a run; these rows, made from it, are
    // made again rather than kept and copied.
    const auto rows = data::readProjectChain(db, project);
    const Chain &chain = *rows;
    const data::ChainRuns runs = data::matchChain(chain, data::KeyRule::NumbersWithProject);
    const data::DetailRuns &spacesOf = runs.spacesOf;

    // Spaces with their surfaces (a space code met twice counts its surfaces
    // twice, as the chain does).
    std::vector<building::SpaceRow> spaces;
    spaces.reserve(chain.spaces.size());
    for (size_t i = 0; i < chain.spaces.size(); ++i)
        spaces.push_back(data::spaceRowOf(chain, i, runs.surfacesOf));

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

double buildingHeatLoadOf(pf::db::Database &db, double project)
{
    return data::cachedRead(db, "building heat load", project, [&] {
        const BuildingRowsOfProject rows = readBuildingRows(db, project);
        return building::buildingHeatLoad(rows.units, rows.site);
    });
}

} // namespace bv::sizing
