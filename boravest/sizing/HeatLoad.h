#pragma once
// Heating load (heat loss, Btu/h) of surfaces, spaces, units, floors and the
// whole building. All quantities are imperial; nothing is rounded inside the
// calculation except where an evaluator's particulars say so (LoadOptions).
//
// The same rules serve every evaluator:
//  - the heating-load booklet (turned plan, rounded air factor, rows whose
//    printed area is "0" dropped): bookletOptions();
//  - the building heat load of the equipment inputs page: buildingTotalOptions();
//  - the per-space sizings (collectors and risers, radiators, unit heaters,
//    warm-air furnaces): spaceSizingOptions().
#include "boravest/data/BuildingRows.h"
#include "boravest/sizing/PlanRotation.h"

#include <QString>
#include <vector>

namespace building {

struct LoadOptions {
    // Walls, windows and doors take their direction through `rotation`
    // before the orientation factor is found (booklet only).
    bool rotate = false;
    PlanRotationTable rotation = {0, 1, 2, 3, 4, 5, 6, 7};
    // The air factor Ga x 0.01805 is rounded to ten decimals before use.
    bool roundAirFactor = false;
    // In a false-ceiling roof the two areas are taken as whole numbers.
    bool roundFalseCeilingAreas = false;
    // A row whose printed area text is "0" adds nothing (booklet only).
    bool dropZeroAreaRows = false;
};

LoadOptions bookletOptions(const PlanRotationTable &rotation);
LoadOptions buildingTotalOptions();
LoadOptions spaceSizingOptions();

// Effective direction code `Dv_gJedar`: walls, windows and doors (kind
// below 3) through the rotation when the options turn the plan; roofs and
// floors keep their stored code.
int effectiveDirection(const SurfaceRow &row, const LoadOptions &opt);

// A roof (kind 3) whose effective code is 1 lies over a false ceiling.
bool isFalseCeiling(const SurfaceRow &row, int dvGJedar);

// Attic temperature between a roof and a false ceiling:
// (ti c1 + to c2) / (c1 + c2), with c1 = roof area x U, c2 = false ceiling
// area x U. With c1 + c2 = 0 there is no heat path and the attic is taken
// at the inside temperature.
double atticTemperature(double ti, double to, double c1, double c2);

// Loss of one surface row and the values the booklet prints beside it.
struct SurfaceLoss {
    int Dv_gJedar = 0;         // effective direction code
    double ZaribJ = 1.0;       // orientation factor
    bool falseCeiling = false; // roof over a false ceiling (kind 3, code 1)
    double atticTemp = 0;      // attic temperature, for a false ceiling only
    double loss = 0;           // Btu/h; 0 when dropped
    bool dropped = false;      // booklet: printed area "0", loss cell empty
};

SurfaceLoss surfaceLoss(const SurfaceRow &row, const SpaceRow &space, const SiteData &site,
                        const LoadOptions &opt);

// Air factor Ga x 0.01805, rounded to ten decimals when asked.
double airFactor(double ga, bool roundedToTenDecimals);

// Infiltration load Qi = Air_ x (Ga x 0.01805) x V_ x (Ti_ - To_) of the space.
double infiltrationLoad(const SpaceRow &space, double ga, const LoadOptions &opt);

// Load of a space from its heat loss: safety factor first, then the height
// factor, then the appliance gain is subtracted. May come out negative.
double spaceLoad(double heatLoss, double sfPercent, double zErtefaPercent, double vVarm);

struct SpaceLoad {
    std::vector<SurfaceLoss> surfaces; // in the order of SpaceRow::surfaces
    double surfacesSum = 0;            // sum of the surface losses
    double Qi = 0;                     // infiltration load
    double H = 0;                      // heat loss: surfacesSum + Qi
    double Qs = 0;                     // load with factors and appliance gain
};

SpaceLoad evaluateSpace(const SpaceRow &space, double sfPercent, double zErtefaPercent,
                        const SiteData &site, const LoadOptions &opt);

struct UnitLoad {
    int sourceIndex = 0; // index of the unit row in the list evaluated
    double Tabage = 0;
    double Shvahed = 0;
    std::vector<SpaceLoad> spaces; // in the order of UnitRow::spaces
    double load = 0;               // sum of the spaces' Qs
};

UnitLoad evaluateUnit(const UnitRow &unit, const SiteData &site, const LoadOptions &opt);

struct FloorLoad {
    double Tabage = 0;
    std::vector<UnitLoad> units; // the unit rows of this floor, in list order
    double load = 0;
};

struct BuildingLoad {
    std::vector<FloorLoad> floors; // ascending floor number
    double load = 0;               // sum over the floors; unrounded
};

// Evaluates every unit row of a project; floors are the distinct `Tabage`
// values of the rows, in ascending order.
BuildingLoad evaluateBuilding(const std::vector<UnitRow> &units, const SiteData &site,
                              const LoadOptions &opt);

// Building heat load as the equipment inputs page returns it: every unit
// row with the stored direction codes and the air factor as computed, the
// sum rounded to a whole number (ties to even), as a floating-point number.
double buildingHeatLoad(const std::vector<UnitRow> &units, const SiteData &site);

// --- How a load is shown -------------------------------------------------

// A load rounded to a whole number (ties to even), kept as a double.
double roundedLoad(double v);

// Whether a load can be printed as a whole number: finite and within the
// range of whole numbers the booklet prints.
bool printableLoad(double v);

// A load as printed: the rounded absolute value without decimals, followed
// by "-" when the rounded value is negative ("1155", "230-"). A value that
// rounds to zero prints "0"; one that is not printable prints nothing.
QString loadText(double v);

// --- What the booklet prints beside a surface row -------------------------

// An external roof over a false ceiling (kind 3, state 1, code 1) prints the
// false ceiling's area and U; every other row its `Masa1` and `Z_1`.
bool printsFalseCeilingValues(const SurfaceRow &row, int dvGJedar);
double printedArea(const SurfaceRow &row, int dvGJedar);
double printedU(const SurfaceRow &row, int dvGJedar);

// A floor on the ground prints no U-value.
bool printsU(const SurfaceRow &row);

// Temperature difference printed for a row, whole degrees: space `Ti_`
// minus the row's `To_`, both rounded; for an external roof over a false
// ceiling the row's `Ti_` minus the attic temperature, both rounded.
int printedTemperatureDifference(const SurfaceRow &row, const SpaceRow &space,
                                 const SurfaceLoss &loss);

// Air factor Ga x 0.01805 as printed: rounded to three decimals.
double printedAirFactor(double ga);

} // namespace building
