#pragma once
// Boiler sizing of the equipment window (`TFormT2.Dig`): adds up the
// building heat load, the domestic hot-water load, the pool and the jacuzzi,
// applies the insulation, pick-up and boiler-count factors and the boiler
// efficiency, and chooses the first hot-water boiler of BoilerCatalogue that
// is large enough. The chimney and the burner take its capacity per boiler,
// the circulation pump, the expansion tank and the softener its total load.
//
// The caller gathers the four loads:
//  - page (Calculate on the boiler page): the four read-only load boxes as
//    the page opener filled them;
//  - report (booklet and every other sizing that needs the boilers): the
//    building load of building::buildingHeatLoad(), the hot-water load of
//    boilerHotWaterLoad(hotWaterToHeatForReport(...), ...), the pool and
//    jacuzzi exchangers' total energy when `Mass_Est` / `Mass_Jak` is above
//    0, else 0.
// Each load is taken as the page shows it (display rounding), so the page
// and the report give the same results from the same values.
#include <QStringList>

namespace bv::sizing {

struct BoilerInputs {
    bool reportMode = false; // report: checks the exchanger efficiency first
                             // and shows no "increase the boilers" message

    double buildingLoad = 0; // Btu/h
    double hotWaterLoad = 0; // Btu/h
    double poolLoad = 0;     // Btu/h, 0 without a pool
    double jacuzziLoad = 0;  // Btu/h, 0 without a jacuzzi
    int Randeman = 0;        // hot-water exchanger efficiency, %; report mode only

    int Rand_Dig = 0;      // boiler efficiency, %
    int Te_Dig = 0;        // number of boilers
    int K_A_Dig = 0;       // insulation quality, %
    bool Chk_Zp = false;   // with the pick-up factor
    int DAbgarm = 0;       // circulating (boiler) water temperature, °F
    int Ti1 = 0;           // inside design temperature of the project, °F
    int To1 = 0;           // outside design temperature of the project, °F
};

struct BoilerResults {
    double pickUpFactor = 0;      // P1; 0 without the pick-up factor
    double capacityPerBoiler = 0; // P2, Btu/h
    int row = 0;                  // P3, BoilerCatalogue row 1..12, 0 none
    double buildingLoad = 0;      // P4, Btu/h (as shown)
    double hotWaterLoad = 0;      // P5, Btu/h (as shown)
    double poolLoad = 0;          // P6, Btu/h (as shown)
    double jacuzziLoad = 0;       // P7, Btu/h (as shown)
    double totalLoad = 0;         // P8, Btu/h: neither efficiency nor count factor
    double insulationFactor = 0;  // (100 - K) / 100 + 1
    double countFactor = 0;       // 1, 1.6, 1.4, 1.2, 1.1, then 1
    // Row of the steam-boiler catalogue BoilerCatalogue2 chosen by the same
    // rule (capacity in kcal/h above the load per boiler / 3.92), 0 none;
    // the booklet prints it for a steam boiler.
    int steamRow = 0;
    QStringList messages;
    // A check failed: P1 to P3 and P8 stay 0, the four loads are kept.
    bool stopped = false;
};

BoilerResults sizeBoilers(const BoilerInputs &in);

// Water the hot-water service heats in the report (gal): the peak demand
// (gph) times the demand and storage factors of the building type `NSakh`
// and the safety margin `Z_Et` (%).
double hotWaterToHeatForReport(double peakDemandGph, int NSakh, double Z_Et);

// Hot-water load (Btu/h, unrounded) of `water` gallons raised from the city
// water temperature `DamAbSh` to the use temperature `DamAbBeh` through an
// exchanger of efficiency `Randeman` (%); 0 when the efficiency is not
// above 0 (the page then shows 0; the report stops in sizeBoilers).
double boilerHotWaterLoad(double water, double DamAbBeh, double DamAbSh, int Randeman);

} // namespace bv::sizing
