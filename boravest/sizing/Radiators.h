#pragma once
// Steel radiators per space (`TFormT2.ESRad`): for every space marked for
// radiators, the space load, the output correction factor for the room and
// hot-water temperatures, the number of sections of the chosen size and the
// radiator's surface, length, water content and weight; with the totals of
// water content and heating surface.
//
// Screen run: the window refills the work table from radiatorWorkRows() and
// shows the totals (display-rounded). Report run: the booklet stores
// radiatorStoreRows() with bv::data::storeRadiatorResults() and prints the
// totals. Both runs compute alike.
#include "boravest/data/ExamfzStore.h"
#include "boravest/data/RadiatorStore.h"
#include "boravest/sizing/SpaceSizing.h"

#include <QStringList>
#include <vector>

namespace bv::sizing {

struct RadiatorInputs {
    // Chosen size: 0-based position in the size list "600*150", "500*150",
    // "300*150", "600*200", "500*200", "300*200" (the page's list in the
    // screen run, `S_R_PG_R` in the report run); -1 = none chosen.
    int S_R_PG_R = -1;
    double DAbgarm = 0;        // hot-water supply temperature, F (taken as a whole number)
    building::SiteData site;   // Ga, Tg of the project
    SizingUnits units; // floor-and-unit rows in walking order
};

struct RadiatorSpaceResult {
    SpacePlace place;
    double load = 0;     // space load G, Btu/h (unrounded)
    double factor = 0;   // correction factor F
    double sections = 0; // number of sections: a whole number, even, above 0
    double surface = 0;  // heating surface, sq.m (sections x surface per section)
    double length = 0;   // radiator length, mm
    double water = 0;    // water content, gal
    double weight = 0;   // radiator weight, kg
};

struct RadiatorResults {
    int sizeNumber = 0;     // chosen size 1..6 (`SizeNumber`), 0 when none
    QString sizeName;       // "600*150" ...
    double waterTotal = 0;  // gal: the unrounded water contents summed (`WaterTotal`)
    double surfaceTotal = 0; // sq.m: the display-rounded surfaces summed (`SurfaceTotal`)
    // Marked spaces that got at least one section, in walking order.
    std::vector<RadiatorSpaceResult> spaces;
    QStringList messages;
    bool stopped = false;
};

// Message texts of the input checks.
extern const char *const kRadiatorSizeMessage;  // no size chosen
// Inside temperature of a marked space 0 or below; %1 is the space name.
extern const char *const kRoomTempMessage;

// Correction factor for a room and a hot-water temperature (F).
double radiatorFactor(double roomTempF, double waterTempF);

// Sections for a load: load / (factor x output per section), rounded to the
// nearest whole number (halves to the even neighbour), an odd count raised
// by one; held as a double, so that no load is too large to count. The
// caller ensures factor x output is not 0.
double radiatorSections(double load, double factor, double outputPerSection);

// A radiator of `sections` sections of size 1..6: its heating surface
// (sq.m), length (mm), water content (gal) and weight (kg); all 0 for
// another size.
struct RadiatorBody {
    double surface = 0, length = 0, water = 0, weight = 0;
};
RadiatorBody radiatorOfSections(int size, double sections);

RadiatorResults sizeRadiators(const RadiatorInputs &in);

// Rows of the work table for the screen run.
std::vector<bv::data::ExamfzRow> radiatorWorkRows(const RadiatorResults &r);
// Per-space values the report run stores (none for a stopped run).
std::vector<bv::data::RadiatorStoreRow> radiatorStoreRows(const RadiatorResults &r);

} // namespace bv::sizing
