#pragma once
// Domestic hot-water storage tank, its heating surface and the hot-water
// return pump, for the three tank kinds of the hot-water tank page:
//   Typ_MAM 0 double-wall tank       (`TFormT2.MAbGMDJedar`)
//   Typ_MAM 1 hot-water coil tank    (`TFormT2.KAbDagh`)
//   Typ_MAM 2 steam coil tank        (`TFormT2.MAKB`)
// One function serves all three; the kind decides the checks, the heat
// transfer coefficient, the pump allowance and the catalogue.
//
// Page mode reads the page boxes, report mode the same fields of the
// equipment record. After a run of the hot-water coil kind the caller sets
// the data module's spaces table inactive, in both modes.
#include "boravest/sizing/WaterMeter.h"

#include <QString>
#include <QStringList>

namespace bv::sizing {

enum HotWaterTankKind : int {
    DoubleWallTank = 0,
    HotWaterCoilTank = 1,
    SteamCoilTank = 2,
};

struct HotWaterTankInputs {
    int Typ_MAM = DoubleWallTank; // tank kind (page: ComboBox8 position)
    int Randeman = 0;       // exchanger efficiency, %
    int T_Manba = 0;        // number of tanks (not used by the steam kind)
    int T_Pomp = 0;         // hot-water return pumps; below 0 counts as 0
    double S_masaref = 0;   // other hot-water uses, gph
    int Z_Et = 0;           // safety margin on the tank volume, %
    double K_B_L_MAB = 0;   // quality of the pipework, %
    int Rand_E_MAB = 0;     // return pump efficiency, %
    double Fesh_KB = 0;     // steam pressure at the coil, PSI gauge (steam kind)
    int DamAbBeh = 0;       // domestic hot water, F
    int DamAbSh = 0;        // city water, F
    int DAbgarm = 0;        // circulating boiler water, F
    double OfteFeshar = 0;  // pressure drop per 100 ft
    double TolSevic = 0;    // return pipe length, ft
    int NSakh = 0;
    FixtureCounts fixtures;
    double Hi = 0;          // project altitude, ft
    bool reportMode = false; // booklet or boiler page: the no-model advice is not shown
};

struct HotWaterTankResults {
    double waterVolumeGal = 0;     // V, total water volume
    double heatingSurfaceSqFt = 0; // heating surface (coil surface)
    double pumpFlowGpm = 0;        // return pump flow
    double pumpHeadFt = 0;         // return pump head
    double pumpPowerHp = 0;        // return pump motor power
    double peakDemandGph = 0;      // G from the peak hot-water demand
    int row = 0; // DoubleWallTanks or CoilTanks row, 0 none; always 0 for steam

    double demandFactor = 0;     // shown as stored
    double storageFactor = 0;    // shown as stored
    double heatLoadBtuh = 0;     // Q, heat to supply
    double meanTempDiff = 0;     // MTD
    double pressureDropFactor = 0; // PF, 0 without pump results
    double altitudeFactor = 0;     // AF, 0 without pump results

    // Steam kind only.
    double steamUseLbh = 0;
    double condensateLbh = 0;
    double trapCapacityLbh = 0;
    double saturationTempF = 0;
    double latentHeat = 0;      // Btu/lb
    double vapourEnthalpy = 0;  // Btu/lb

    QStringList messages;
    // The run stopped at an input problem; G and V (and, for a double-wall
    // tank stopped on the number of tanks, the heating surface) are set.
    bool stopped = false;
};

HotWaterTankResults sizeHotWaterTank(const HotWaterTankInputs &in);

extern const char *const kMsgSetExchangerCount;
extern const char *const kMsgCorrectExchangerEfficiency;
extern const char *const kMsgCheckHotWaterTemperatures;
extern const char *const kMsgCheckSteamTemperatures;
extern const char *const kMsgSteamPressureRange;
extern const char *const kMsgMoreDoubleWallTanks;
extern const char *const kMsgMoreCoilTanks;
extern const char *const kMsgCorrectReturnPumpEfficiency;

} // namespace bv::sizing
