#include "boravest/sizing/HeatLoad.h"

#include "boravest/data/CalcFields.h"
#include "platform/common/Numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numeric>

namespace building {

namespace {

// Air at standard conditions carries 0.01805 Btu per cu.ft and F; the
// site's density ratio scales it.
constexpr double kAirHeatPerCuFt = 0.01805;
// Floor on the ground: loss per ft of exposed edge and F, and per sq.ft of
// floor and F against the ground.
constexpr double kEdgeFactor = 0.6;
constexpr double kGroundFactor = 0.05;

double whole(double v)
{
    return static_cast<double>(pf::roundToInt(v));
}

} // namespace

LoadOptions bookletOptions(const PlanRotationTable &rotation)
{
    LoadOptions o;
    o.rotate = true;
    o.rotation = rotation;
    o.roundAirFactor = true;
    o.dropZeroAreaRows = true;
    return o;
}

LoadOptions buildingTotalOptions()
{
    return LoadOptions{};
}

LoadOptions spaceSizingOptions()
{
    LoadOptions o;
    o.roundAirFactor = true;
    o.roundFalseCeilingAreas = true;
    return o;
}

int effectiveDirection(const SurfaceRow &row, const LoadOptions &opt)
{
    const int stored = calcfields::directionCode(row.Id_gjedar);
    if (opt.rotate && row.Id_jedar < KindRoof)
        return RotateDirection(stored, opt.rotation);
    return stored;
}

bool isFalseCeiling(const SurfaceRow &row, int dvGJedar)
{
    return row.Id_jedar == KindRoof && dvGJedar == 1;
}

double atticTemperature(double ti, double to, double c1, double c2)
{
    // Without a path through the false ceiling the attic stays at the
    // inside temperature; with no path at all there is nothing to divide.
    if (c2 == 0 || c1 + c2 == 0)
        return ti;
    if (c1 == 0)
        return to;
    return (ti * c1 + to * c2) / (c1 + c2);
}

SurfaceLoss surfaceLoss(const SurfaceRow &row, const SpaceRow &space, const SiteData &site,
                        const LoadOptions &opt)
{
    SurfaceLoss r;
    r.Dv_gJedar = effectiveDirection(row, opt);
    r.ZaribJ = calcfields::orientationFactor(row.Jedare, row.Id_njedar, r.Dv_gJedar);

    // Temperatures of a surface row count in whole degrees.
    const double rowTo = whole(row.To_);

    if (isFalseCeiling(row, r.Dv_gJedar)) {
        r.falseCeiling = true;
        const double ti = whole(row.Ti_);
        const double a1 = opt.roundFalseCeilingAreas ? whole(row.Masa1) : row.Masa1;
        const double a2 = opt.roundFalseCeilingAreas ? whole(row.Masa2) : row.Masa2;
        const double c1 = a1 * row.Z_1;
        const double c2 = a2 * row.Z_2;
        r.atticTemp = atticTemperature(ti, rowTo, c1, c2);
        r.loss = (c1 + c2 == 0) ? 0.0 : c1 * (ti - r.atticTemp);
    } else if (row.Id_jedar == KindRoof) {
        r.loss = row.Masa1 * row.Z_1 * (space.Ti_ - rowTo) * r.ZaribJ;
    } else if (row.Id_jedar == KindFloor && row.Id_njedar == 0) {
        // Exposed edge against the outside, the space's floor area against
        // the ground; the surface's own area and U play no part.
        r.loss = row.Masa2 * kEdgeFactor * (space.Ti_ - rowTo)
                 + space.A_ * kGroundFactor * (space.Ti_ - site.Tg);
    } else if (row.Id_jedar == KindFloor && row.Id_njedar == 1) {
        r.loss = row.Masa1 * row.Z_1 * (space.Ti_ - rowTo);
    } else {
        r.loss = row.Masa1 * row.Z_1 * (space.Ti_ - rowTo) * r.ZaribJ;
    }

    // An area that prints as "0": zero, of either sign.
    if (opt.dropZeroAreaRows && printedArea(row, r.Dv_gJedar) == 0) {
        r.dropped = true;
        r.loss = 0;
    }
    return r;
}

double airFactor(double ga, bool roundedToTenDecimals)
{
    const double f = ga * kAirHeatPerCuFt;
    return roundedToTenDecimals ? pf::roundHalfEven(f, 10) : f;
}

double infiltrationLoad(const SpaceRow &space, double ga, const LoadOptions &opt)
{
    return space.Air_ * airFactor(ga, opt.roundAirFactor) * space.V_ * (space.Ti_ - space.To_);
}

double spaceLoad(double heatLoss, double sfPercent, double zErtefaPercent, double vVarm)
{
    return (1 + sfPercent / 100) * (1 + zErtefaPercent / 100) * heatLoss - vVarm;
}

SpaceLoad evaluateSpace(const SpaceRow &space, double sfPercent, double zErtefaPercent,
                        const SiteData &site, const LoadOptions &opt)
{
    SpaceLoad s;
    s.surfaces.reserve(space.surfaces.size());
    for (const SurfaceRow &row : space.surfaces) {
        s.surfaces.push_back(surfaceLoss(row, space, site, opt));
        s.surfacesSum += s.surfaces.back().loss;
    }
    s.Qi = infiltrationLoad(space, site.Ga, opt);
    s.H = s.surfacesSum + s.Qi;
    s.Qs = spaceLoad(s.H, sfPercent, zErtefaPercent, space.V_varm);
    return s;
}

UnitLoad evaluateUnit(const UnitRow &unit, const SiteData &site, const LoadOptions &opt)
{
    UnitLoad u;
    u.Tabage = unit.Tabage;
    u.Shvahed = unit.Shvahed;
    u.spaces.reserve(unit.spaces.size());
    for (const SpaceRow &space : unit.spaces) {
        u.spaces.push_back(evaluateSpace(space, unit.Sf, unit.Z_ertefa, site, opt));
        u.load += u.spaces.back().Qs;
    }
    return u;
}

BuildingLoad evaluateBuilding(const std::vector<UnitRow> &units, const SiteData &site,
                              const LoadOptions &opt)
{
    std::vector<int> order(units.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return units[a].Tabage < units[b].Tabage; });

    BuildingLoad b;
    for (int idx : order) {
        const UnitRow &unit = units[idx];
        if (b.floors.empty() || b.floors.back().Tabage != unit.Tabage) {
            b.floors.emplace_back();
            b.floors.back().Tabage = unit.Tabage;
        }
        FloorLoad &floor = b.floors.back();
        floor.units.push_back(evaluateUnit(unit, site, opt));
        floor.units.back().sourceIndex = idx;
        floor.load += floor.units.back().load;
    }
    for (const FloorLoad &floor : b.floors)
        b.load += floor.load;
    return b;
}

double buildingHeatLoad(const std::vector<UnitRow> &units, const SiteData &site)
{
    const LoadOptions opt = buildingTotalOptions();
    double sum = 0;
    for (const UnitRow &unit : units)
        sum += evaluateUnit(unit, site, opt).load;
    return roundedLoad(sum);
}

double roundedLoad(double v)
{
    const double r = pf::roundHalfEven(v, 0);
    return r == 0 ? 0.0 : r;
}

bool printableLoad(double v)
{
    // Below 2^63 the rounding to a whole number is exact and in range.
    return std::isfinite(v) && std::fabs(v) < 9.2e18;
}

QString loadText(double v)
{
    if (!printableLoad(v))
        return QString();
    return pf::keptText(quint64(pf::roundToInt(v)), [](quint64 key) {
        const int64_t r = int64_t(key);
        QString text = QString::number(r < 0 ? -r : r);
        if (r < 0)
            text += QLatin1Char('-');
        return text;
    });
}

bool printsFalseCeilingValues(const SurfaceRow &row, int dvGJedar)
{
    return row.Id_jedar == KindRoof && row.Id_njedar == 1 && dvGJedar == 1;
}

double printedArea(const SurfaceRow &row, int dvGJedar)
{
    return printsFalseCeilingValues(row, dvGJedar) ? row.Masa2 : row.Masa1;
}

double printedU(const SurfaceRow &row, int dvGJedar)
{
    return printsFalseCeilingValues(row, dvGJedar) ? row.Z_2 : row.Z_1;
}

bool printsU(const SurfaceRow &row)
{
    return !(row.Id_jedar == KindFloor && row.Id_njedar == 0);
}

int printedTemperatureDifference(const SurfaceRow &row, const SpaceRow &space,
                                 const SurfaceLoss &loss)
{
    if (printsFalseCeilingValues(row, loss.Dv_gJedar))
        return static_cast<int>(pf::roundToInt(row.Ti_) - pf::roundToInt(loss.atticTemp));
    return static_cast<int>(pf::roundToInt(space.Ti_) - pf::roundToInt(row.To_));
}

double printedAirFactor(double ga)
{
    return pf::roundHalfEven(ga * kAirHeatPerCuFt, 3);
}

} // namespace building
