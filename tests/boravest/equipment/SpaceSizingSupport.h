#pragma once
// Small projects for the per-space sizing tests: spaces whose load comes from
// one internal wall (no orientation factor) less an appliance gain.
#include "boravest/equipment/SpaceSizing.h"

namespace spacetest {

inline bv::equipment::SizingSpace space(const char *name, double ti, double wallArea, double u = 0.4,
                                        double farSide = 0, double gain = 0)
{
    bv::equipment::SizingSpace s;
    s.Faza = QString::fromUtf8(name);
    s.row.Ti_ = ti;
    s.row.V_varm = gain;
    building::SurfaceRow wall;
    wall.Jedare = QStringLiteral("ديوار");
    wall.Id_jedar = building::KindWall;
    wall.Id_njedar = 0;
    wall.Masa1 = wallArea;
    wall.Z_1 = u;
    wall.To_ = farSide;
    s.row.surfaces.push_back(wall);
    return s;
}

inline bv::equipment::SizingUnit unit(double tabage, double shvahed, std::vector<bv::equipment::SizingSpace> spaces)
{
    bv::equipment::SizingUnit u;
    u.Shproje = 7;
    u.Tabage = tabage;
    u.Shvahed = shvahed;
    u.spaces = std::move(spaces);
    qint64 no = qint64(tabage * 100 + shvahed * 10);
    for (auto &s : u.spaces)
        s.No = ++no;
    return u;
}

} // namespace spacetest
