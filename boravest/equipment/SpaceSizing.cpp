#include "boravest/equipment/SpaceSizing.h"

#include "boravest/building/HeatLoad.h"
#include "boravest/data/CalcFields.h"
#include "platform/common/Numbers.h"

namespace bv::equipment {

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

namespace perspace {

double spaceLoad(const SizingUnit &unit, const SizingSpace &space, const building::SiteData &site)
{
    return building::evaluateSpace(space.row, unit.Sf, unit.Z_ertefa, site, building::spaceSizingOptions()).Qs;
}

double roundX(double v)
{
    if (v >= 100)
        return pf::roundHalfEven(v, 0);
    if (v >= 1)
        return pf::roundHalfEven(v, 2);
    return pf::roundHalfEven(v, 3);
}

QString roundXText(double v)
{
    return pf::floatToStr(roundX(v));
}

int whole(double v)
{
    return int(pf::roundToInt(v));
}

} // namespace perspace

} // namespace bv::equipment
