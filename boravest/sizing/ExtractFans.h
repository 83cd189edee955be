#pragma once
// Ventilation extract fans per space (`TFormT2.HavaKesh`): for every space
// given at least one fan, the pressure drop of its duct, its exhaust air
// volume, the diameter of each fan and the first catalogue fan whose air flow
// exceeds the air volume per fan.
//
// Screen run: the window refills the work table from extractFanWorkRows()
// and stores nothing in the project. Report run: the booklet stores
// extractFanStoreRows() with bv::data::storeExtractFanResults().
//
// The diameter of each fan is that of the opening that passes the air volume
// of one fan at the outlet velocity: the one-opening diameter of the space
// divided by the square root of the number of fans, so that the fans together
// have the outlet area the space needs.
#include "boravest/data/ExamfzStore.h"
#include "boravest/data/ExtractFanStore.h"
#include "boravest/sizing/SpaceSizing.h"

#include <QStringList>
#include <vector>

namespace bv::sizing {

struct ExtractFanInputs {
    double Oft_f_kan_Hav = 0; // duct pressure drop per 100 ft, in. w.g.
    double So_Kh_H_Hav = 0;   // air outlet velocity, FPM
    // Floor-and-unit rows in walking order; per space Te_Hav and To_Mo_Hav
    // (taken as whole numbers), and V_ and Air_ of its row.
    SizingUnits units;
};

struct ExtractFanSpaceResult {
    SpacePlace place;
    int fans = 0;          // n, Te_Hav as a whole number
    int ductLength = 0;    // L, To_Mo_Hav as a whole number, ft
    double ductDrop = 0;   // total pressure drop of the duct, in. w.g. (unrounded)
    double airVolume = 0;  // exhaust air volume V_ x Air_ / 60, CFM
    double diameter = 0;   // diameter of each fan, in (unrounded)
    int wholeDiameter = 0; // in whole inches: even, at least 4
    double airPerFan = 0;  // CFM per fan
    int row = 0;           // FanCatalogue row 1..4, 0 when none fits
    QString motorSpeed;    // rpm, catalogue text; empty when none fits
    QString power;         // W, catalogue text; empty when none fits
};

struct ExtractFanResults {
    std::vector<ExtractFanSpaceResult> spaces; // spaces with fans, walking order
    QStringList messages;
    bool stopped = false;
};

extern const char *const kOutletVelocityMessage;

// Pressure drop of a duct (in. w.g.): (FPM / 4000)^2 + L x drop per 100 ft
// / 100; 0 for a duct of length 0.
double ductPressureDrop(double fpm, int ductLengthFt, double dropPer100Ft);
// Diameter of each of `fans` fans (in) passing `cfm` in all at `fpm`:
// 2 x sqrt(144 x cfm / (3.14 x fpm)) / sqrt(fans).
double fanDiameter(double cfm, double fpm, int fans);
// The nearest whole number (halves to even), taken down to an even number,
// at least 4.
int wholeFanDiameter(double diameterInches);

ExtractFanResults sizeExtractFans(const ExtractFanInputs &in);

std::vector<bv::data::ExamfzRow> extractFanWorkRows(const ExtractFanResults &r);
std::vector<bv::data::ExtractFanStoreRow> extractFanStoreRows(const ExtractFanResults &r);

} // namespace bv::sizing
