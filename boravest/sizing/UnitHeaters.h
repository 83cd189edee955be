#pragma once
// Hot-water unit heaters per space (`TFormT2.EUHAbDagh`): for every space
// given a number of unit heaters, the space load, the correction factor of
// the heaters' capacity for the entering-air and hot-water temperatures, the
// rated capacity one heater must have (its share of the load divided by the
// factor) and the first catalogue model of the chosen fan speed (then of the
// fast series) whose capacity exceeds it.
//
// Screen run: the window refills the work table from unitHeaterWorkRows()
// and shows `caption` on the result panel. Report run: the booklet stores
// unitHeaterStoreRows() with bv::data::storeUnitHeaterResults().
#include "boravest/data/ExamfzStore.h"
#include "boravest/data/UnitHeaterStore.h"
#include "boravest/sizing/SpaceSizing.h"

#include <QStringList>
#include <vector>

namespace bv::sizing {

struct UnitHeaterInputs {
    // Fan speed: 0-based position in the list "900", "1400" (the page's list
    // in the screen run, `D_F_PG_UH` in the report run); -1 = none chosen.
    int D_F_PG_UH = -1;
    double DAbgarm = 0;      // hot-water supply temperature, F (taken as a whole number)
    double TO1 = 0;          // outdoor design temperature of the project, F
    building::SiteData site; // Ga, Tg of the project
    SizingUnits units; // floor-and-unit rows in walking order; T_UH per space
};

struct UnitHeaterSpaceResult {
    SpacePlace place;
    double load = 0;          // space load G, Btu/h (unrounded)
    double enteringAir = 0;   // entering-air temperature, F: (Ti_ + TO1) / 2
    double factor = 0;        // correction factor F
    int heaters = 0;          // number of unit heaters N (T_UH as a whole number)
    double share = 0;         // G / (F x N) rounded to a whole number: rated Btu/h per heater
    int row = 0;              // UnitHeaterCatalogue row 1..18, 0 when none fits
    QString fanSpeed;         // "900" or "1400": the speed block searched last
    // Cells of the chosen row as printed (empty when none fits).
    QString model, airFlow, motorPower, waterFlow, leavingAir, capacity;
};

struct UnitHeaterResults {
    std::vector<UnitHeaterSpaceResult> spaces; // spaces with unit heaters, walking order
    bool someWithoutModel = false;
    // Caption 1 of the result panel: asks for more unit heaters when a space
    // got no model, else empty.
    QString caption;
    QStringList messages;
    bool stopped = false;
};

extern const char *const kMoreUnitHeatersCaption;
extern const char *const kFanSpeedMessage;         // no fan speed chosen
// A hot-water temperature of 0 or below stops with kHotWaterTempMessage.
// Entering air at 90 F or above; %1 is the space name.
extern const char *const kEnteringAirMessage;

UnitHeaterResults sizeUnitHeaters(const UnitHeaterInputs &in);

std::vector<bv::data::ExamfzRow> unitHeaterWorkRows(const UnitHeaterResults &r);
std::vector<bv::data::UnitHeaterStoreRow> unitHeaterStoreRows(const UnitHeaterResults &r);

} // namespace bv::sizing
