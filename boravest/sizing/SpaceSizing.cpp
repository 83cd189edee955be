#include "boravest/sizing/SpaceSizing.h"

#include "boravest/data/ProgramState.h"
#include "boravest/data/ProjectReads.h"

#include "boravest/sizing/HeatLoad.h"
#include "boravest/data/CalcFields.h"
#include "platform/common/Numbers.h"

#include <QVariant>

#include <vector>

namespace bv::sizing {

const char *const kHotWaterTempMessage = "دماي آبگرم رفت را مشخص كنيد";

SpacePlace placeOf(const SizingUnit &unit, const SizingSpace &space)
{
    SpacePlace p;
    p.No = space.No;
    p.Shproje = unit.Shproje;
    p.Tabage = unit.Tabage;
    p.NameT = calcfields::floorName(unit.Tabage);
    p.Shvahed = unit.Shvahed;
    p.Faza = space.Faza;
    p.Ti_ = space.row.Ti_;
    return p;
}

namespace {

SizingUnits readSizingUnits(pf::db::Database &db, double shproje)
{
    using Chain = data::ProjectChainRows;
    const auto rows = data::readProjectChain(db, shproje);
    const Chain &chain = *rows;
    // The spaces of each unit and the surfaces of each space, in stored
    // order, found once: a large project has thousands of each.
    const data::ChainRuns runs = data::matchChain(chain, data::KeyRule::NumbersWithoutProject);
    const data::DetailRuns &spacesOf = runs.spacesOf;
    const data::DetailRuns &surfacesOf = runs.surfacesOf;

    SizingUnits out;
    out.reserve(qsizetype(chain.units.size()));
    for (size_t ui = 0; ui < chain.units.size(); ++ui) {
        const Chain::Unit &u = chain.units[ui];
        SizingUnit unit;
        unit.Shproje = shproje;
        unit.Tabage = u.Tabage.number;
        unit.Shvahed = u.Shvahed.number;
        unit.Sf = u.Sf.number;
        unit.Z_ertefa = u.Z_ertefa.number;
        unit.spaces.reserve(size_t(spacesOf.runs[ui].second - spacesOf.runs[ui].first));
        for (int k = spacesOf.runs[ui].first; k < spacesOf.runs[ui].second; ++k) {
            const int si = spacesOf.order[size_t(k)];
            const Chain::Space &s = chain.spaces[size_t(si)];
            SizingSpace space;
            space.No = s.No;
            space.Faza = s.Faza;
            space.row = data::spaceRowOf(chain, size_t(si), surfacesOf);
            space.E_Rad = s.E_Rad.number;
            space.T_UH = s.T_UH.number;
            space.E_Kore = s.E_Kore.number;
            space.Te_Hav = s.Te_Hav.number;
            space.To_Mo_Hav = s.To_Mo_Hav.number;
            unit.spaces.push_back(std::move(space));
        }
        out.push_back(std::move(unit));
    }
    return out;
}

} // namespace

SizingUnits loadSizingUnits(pf::db::Database &db, double shproje)
{
    return data::cachedRead(db, "sizing units", shproje, [&] { return readSizingUnits(db, shproje); });
}

namespace perspace {

double spaceLoad(const SizingUnit &unit, const SizingSpace &space, const building::SiteData &site)
{
    return building::evaluateSpace(space.row, unit.Sf, unit.Z_ertefa, site, building::spaceSizingOptions()).Qs;
}

double roundX(double v)
{
    return ::RoundX(v);
}

QString roundXText(double v)
{
    return pf::plainNumberText(roundX(v));
}

bool showable(double v) { return pf::showsAsTyped(roundX(v)); }

int whole(double v)
{
    return int(pf::roundToInt(v));
}

} // namespace perspace

} // namespace bv::sizing
