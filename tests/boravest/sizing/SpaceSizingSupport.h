#pragma once
// Spaces for the per-space sizing tests: the load leaves through one
// internal wall against 0 F, less an appliance gain.
#include "boravest/sizing/SpaceSizing.h"

namespace spacetest {

inline bv::sizing::SizingSpace space(const char *name, double ti, double area, double u = 0.4, double gain = 0)
{
    bv::sizing::SizingSpace s;
    s.Faza = QString::fromUtf8(name);
    s.row.Ti_ = ti;
    s.row.V_varm = gain;
    s.row.surfaces.push_back({QStringLiteral("ديوار"), 0, 0, 0, area, 0, 0, 0, u, 0});
    return s;
}

inline bv::sizing::SizingUnit unit(double tabage, std::vector<bv::sizing::SizingSpace> spaces)
{
    return {7, tabage, 1, 0, 0, std::move(spaces)};
}

} // namespace spacetest
