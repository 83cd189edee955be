#pragma once
// Plain copies of the building-model rows that the heating-load rules read.
// Members carry the names of the table fields they are filled from, so a
// form, a report or a sizing walk can copy a record field by field and hand
// it to the same arithmetic.
#include <QString>
#include <vector>

namespace building {

// Surface kind codes of `Id_jedar`.
constexpr int KindWall = 0;
constexpr int KindWindow = 1;
constexpr int KindDoor = 2;
constexpr int KindRoof = 3;
constexpr int KindFloor = 4;

// One row of bankjd.DB (a wall, window, door, roof or floor of a space).
struct SurfaceRow {
    QString Jedare;      // kind word as stored: "ديوار", "پنجره", "درب", "سقف", "كف"
    double Id_jedar = 0; // kind code, see KindWall .. KindFloor
    int Id_njedar = 0;   // 0 internal / 1 external; floors: 0 on the ground, 1 off it
    int Id_gjedar = 0;   // direction 0..7; roofs: 0 normal, 1 false ceiling; -1 none
    double Masa1 = 0;    // area, sq.ft
    double Masa2 = 0;    // false ceiling area; floor on the ground: exposed perimeter, ft
    double To_ = 0;      // temperature on the far side, F
    double Ti_ = 0;      // inside temperature, F (read only for a false ceiling)
    double Z_1 = 0;      // U-value, Btu/h.sq.ft.F
    double Z_2 = 0;      // U-value of the false ceiling
};

// One row of bankfz.DB with the surfaces that belong to it.
struct SpaceRow {
    double Ti_ = 0;    // inside design temperature, F
    double To_ = 0;    // outside design temperature for infiltration, F
    double A_ = 0;     // floor area, sq.ft
    double V_ = 0;     // volume, cu.ft
    double Air_ = 0;   // air changes per hour
    double V_varm = 0; // heat given off by appliances, Btu/h
    std::vector<SurfaceRow> surfaces;
};

// One floor-and-unit row of bankvh.DB with its spaces.
struct UnitRow {
    double Tabage = 0;   // floor number
    double Shvahed = 0;  // unit number
    double Sf = 0;       // safety factor, %
    double Z_ertefa = 0; // height factor, %
    std::vector<SpaceRow> spaces;
};

// The project values the rules need (Bank1.DB).
struct SiteData {
    double Ga = 0; // air density ratio
    double Tg = 0; // ground temperature, F
};

} // namespace building
