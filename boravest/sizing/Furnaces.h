#pragma once
// Warm-air furnaces (`TFormT2.Kore`): the load of every space, the warm air
// of the spaces marked for the furnace, and from the total warm air, the
// shares of return and fresh air and the project's design temperatures the
// heater capacity, corrected for the duct insulation and the efficiency, with
// the first catalogue furnace larger than a quarter of it.
//
// Screen run: the window refills the work table from furnaceWorkRows() and
// shows K, the total warm air and the capacity (display-rounded). Report
// run: the booklet stores furnaceStoreRows() with
// bv::data::storeFurnaceResults() and prints the capacity and the row.
//
// When the efficiency lies outside 30 to 95 % the run stops after the
// spaces: `stopped` is set with the message, the per-space rows are kept
// (the screen run still shows them, the report run still stores them), and
// the capacity, second flow and row stay 0.
#include "boravest/data/ExamfzStore.h"
#include "boravest/data/FurnaceStore.h"
#include "boravest/sizing/SpaceSizing.h"

#include <QStringList>
#include <vector>

namespace bv::sizing {

struct FurnaceInputs {
    double Rand_Kore = 0;  // heater efficiency, % (taken as a whole number)
    double K_A_Kore = 0;   // duct insulation quality, %
    double D_H_B_Kore = 0; // return air, %
    double D_H_T_Kore = 0; // fresh air, %
    double Ti1 = 0;        // inside design temperature of the project, F (whole number)
    double TO1 = 0;        // outside design temperature of the project, F (whole number)
    building::SiteData site;       // Ga, Tg of the project
    SizingUnits units; // every floor-and-unit row in walking order; E_Kore per space
    // The booklet prints its own text in place of the custom-build message,
    // so the report run leaves that message out.
    bool reportMode = false;
};

struct FurnaceSpaceResult {
    SpacePlace place;
    bool marked = false; // E_Kore above 0
    double load = 0;     // space load G, Btu/h (unrounded)
    int insideTemp = 0;  // Ti_ as a whole number, F
    double warmAir = 0;  // warm-air flow q, CFM; 0 for a space not marked
};

struct FurnaceResults {
    std::vector<FurnaceSpaceResult> spaces; // every space, walking order
    double totalWarmAir = 0; // Q, CFM: the warm air of the marked spaces
    double ductFactor = 0;   // K = (100 - insulation quality) / 100 + 1
    double capacity = 0;     // heater capacity, Btu/h (K1)
    double secondFlow = 0;   // capacity / (1.08 x (105 - Ti1)) x 0.3 (K2)
    int row = 0;             // FurnaceCatalogue row 1..4, 0 when none is large enough (K3)
    QStringList messages;
    bool stopped = false;
};

extern const char *const kFurnaceEfficiencyMessage;
extern const char *const kFurnaceCustomBuildMessage;
extern const char *const kFurnaceRoomTempMessage; // %1 the space name
extern const char *const kFurnaceDesignTempMessage;
extern const char *const kAirDensityMessage;

FurnaceResults sizeFurnace(const FurnaceInputs &in);

// Save's check of the return-air and fresh-air shares (%): together exactly
// 100, compared in exact decimal as the boxes show them (70.1 and 29.9 do).
bool airSharesMakeAHundred(double D_H_B_Kore, double D_H_T_Kore);

// Work-table rows: the marked spaces.
std::vector<bv::data::ExamfzRow> furnaceWorkRows(const FurnaceResults &r);
// Stored values: every space of the project.
std::vector<bv::data::FurnaceStoreRow> furnaceStoreRows(const FurnaceResults &r);

} // namespace bv::sizing
