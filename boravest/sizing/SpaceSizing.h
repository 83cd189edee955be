#pragma once
// What the per-space sizings (steel radiators, unit heaters, warm-air
// furnaces, extract fans) share: the project's floor-and-unit rows with their
// spaces as plain structs, the space load by the sizing rules, where a result
// row belongs, and the display rounding used inside these computations.
//
// The caller walks the project the way the data module does (floor-and-unit
// rows of the project by floor number, the spaces of each row, the surfaces
// of each space) and copies the fields into these structs; the results come
// back in the same order.
#include "boravest/data/BuildingRows.h"
#include "platform/db/Db.h"

#include <QList>
#include <QString>
#include <QtGlobal>
#include <vector>

namespace bv::sizing {

// One space (bankfz.DB) as the per-space sizings read it.
struct SizingSpace {
    qint64 No = 0;         // the row's AutoInc number: the key the stores write by
    QString Faza;          // space name
    double E_Rad = 0;      // radiator mark, greater than 0 = radiators
    double T_UH = 0;       // number of unit heaters, greater than 0 = unit heaters
    double E_Kore = 0;     // warm-air furnace mark, greater than 0 = furnace
    double Te_Hav = 0;     // number of extract fans
    double To_Mo_Hav = 0;  // equivalent duct length of the fans, ft
    building::SpaceRow row; // Ti_, To_, A_, V_, Air_, V_varm and the surfaces
};

// One floor-and-unit row (bankvh.DB) with its spaces.
struct SizingUnit {
    double Shproje = 0;  // project number
    double Tabage = 0;   // floor number
    double Shvahed = 0;  // unit number
    double Sf = 0;       // safety factor, %
    double Z_ertefa = 0; // height factor, %
    std::vector<SizingSpace> spaces;
};

// Where a per-space result belongs: the store's key and what the result grid
// and the booklet show beside the values.
struct SpacePlace {
    qint64 No = 0;      // bankfz.DB row
    double Shproje = 0; // project number
    double Tabage = 0;  // floor number
    QString NameT;      // floor name
    double Shvahed = 0; // unit number
    QString Faza;       // space name
    double Ti_ = 0;     // inside design temperature, F
};

// A project's floor-and-unit rows as the per-space sizings take them: a
// copy shares the rows (the sizings of one booklet build take the same rows
// without copying a large project four times), and a change made through
// one copy leaves the others as they were.
using SizingUnits = QList<SizingUnit>;

SpacePlace placeOf(const SizingUnit &unit, const SizingSpace &space);

// The radiators' and unit heaters' message for a hot-water temperature of 0
// or below, which leaves no correction factor to divide by.
extern const char *const kHotWaterTempMessage;

// Reads the floor-and-unit rows of a project as the per-space sizings walk
// them: by floor number (rows of one floor in the order they were made),
// each with its spaces (in the order they were made) and each space with the
// surfaces stored under its floor, unit and space code.
SizingUnits loadSizingUnits(pf::db::Database &db, double shproje);

namespace perspace {

// Load of a space (Btu/h) by the heating-load rules with the particulars of
// the per-space sizings (air factor rounded to ten decimals, false-ceiling
// areas taken as whole numbers). Keeps its sign; not rounded.
double spaceLoad(const SizingUnit &unit, const SizingSpace &space, const building::SiteData &site);

// The program's display rounding (RoundX): 100 and above to a whole number, from 1 to below 100 to
// two decimals, below 1 to three decimals; halves to the even neighbour.
double roundX(double v);

// A value as the work table holds it: display-rounded, plain decimal text.
QString roundXText(double v);

// Whether a computed value can be shown as the pages show their numbers:
// display-rounded, it is finite and less than 1E15 in size. A larger one
// would need more digits than a double holds exactly.
bool showable(double v);

// A whole number taken from a stored floating-point value (ties to even).
int whole(double v);

} // namespace perspace

} // namespace bv::sizing
