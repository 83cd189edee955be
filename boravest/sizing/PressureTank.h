#pragma once
// The pressure (booster) tank of the water supply (`TFormT2.TankTF`): peak
// water use, water held between pump starts, total tank volume, lowest and
// highest working pressures, installation and catalogue model.
//
// Page mode reads the four page boxes; the booklet (report mode) and Save's
// check run read the record. Both non-screen runs show only the
// temperature and input-range messages: set `reportMode` for them.
#include "boravest/sizing/WaterMeter.h"

#include <QString>
#include <QStringList>

namespace bv::sizing {

struct PressureTankInputs {
    double FPBM = 0;  // pressure needed behind the valve of the highest consumer, PSI
    double MErAT = 0; // least water height in the tank, in
    double MTZA = 0;  // water storage time, h
    int TSPS = 0;     // pump starts per hour
    int DamAbBeh = 0; // hot water, F
    int DamAbMa = 0;  // mixed water, F
    int DamAbSh = 0;  // city water, F
    int ErtefaS = 0;  // height of the highest return riser above the plant room, ft
    int TolSevic = 0; // return pipe length, ft
    double OfteFeshar = 0; // pressure drop per 100 ft
    int NSakh = 0;
    FixtureCounts fixtures;
    bool reportMode = false; // booklet or Save's check run
};

enum class TankInstallation {
    None = 0,        // pump starts missing (or the run stopped before the choice)
    Vertical = 1,    // up to 1200 litres, PressureTanks2
    Horizontal = 2,  // above 1200 and up to 18900 litres, PressureTanks1
    OutOfRange = 3,  // above 18900 litres
};

struct PressureTankResults {
    double peakUseGph = 0;      // D: peak water use (panel row 1)
    double waterHeldGal = 0;    // output 1: water held between starts
    double tankVolumeGal = 0;   // output 2: total tank volume
    double minPressurePsi = 0;  // output 3
    double maxPressurePsi = 0;  // output 4
    double tankVolumeLitres = 0; // output 5
    TankInstallation installation = TankInstallation::None; // output 6
    int row = 0; // output 7: row of PressureTanks2 (vertical) or PressureTanks1 (horizontal), 0 none
    QString installationText;   // "عمودي", "افقي ", "حجم تانك خارج از استاندارد است" (panel row 8)
    double peakHotWaterGph = 0; // G (panel row 6)
    double coldWaterGph = 0;    // C = G / mixing ratio (panel row 7)
    double pressureRatio = 0;   // highest / lowest pressure from the pump start curve
    double acceptanceFactor = 0;
    QStringList messages;
    bool stopped = false;
};

PressureTankResults sizePressureTank(const PressureTankInputs &in);

// Save's judgement of the check run of the pressure-tank page: the message
// that refuses the page, empty when the tank may be stored. A highest
// pressure of exactly 110 PSI and a volume of exactly 18900 litres pass. A
// lowest pressure of 100 PSI or more lies past the pump start curve, yet
// its highest pressure would be at least 3.3 times that: it is refused as
// too high.
QString pressureTankSaveRefusal(const PressureTankResults &r);

extern const char *const kMsgEnterPumpStarts;
extern const char *const kMsgNoStandardPressureTank;
extern const char *const kMsgStaticPressureLimit;
extern const char *const kMsgMinPressureOffCurve;
extern const char *const kMsgWaterHeightRange;
extern const char *const kTextVertical;
extern const char *const kTextHorizontal;
extern const char *const kTextOutOfStandard;

} // namespace bv::sizing
