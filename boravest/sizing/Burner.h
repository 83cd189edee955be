#pragma once
// Burner and fuel store of the equipment window (`TFormT2.EntMashal`): the
// heating power of the burner from the capacity per boiler, corrected for
// the site's altitude and the burner efficiency, and the fuel use: gas oil
// in gph with a 35-day store and its tank from FuelTankCatalogue, or city
// gas in cubic feet per hour.
#include <QStringList>

namespace bv::sizing {

struct BurnerInputs {
    // Capacity required of each boiler (Btu/h): the page's capacity box, or
    // in the report the boiler sizing's capacityPerBoiler.
    double capacityPerBoiler = 0;
    int Rand_Mash = 0; // burner efficiency, %
    int TySo = 0;      // fuel: 0 gas oil, 1 city gas
    int HU = 0;        // city-gas heating value, Btu/cu.ft
    double Hi = 0;     // site altitude of the project, ft
};

struct BurnerResults {
    double burnerPower = 0;    // P1, Btu/h
    double fuelUse = 0;        // P2: gas oil gph, city gas CFH
    double fuelStore = 0;      // P3, litres of 35 days' gas oil; 0 for gas
    double altitudeFactor = 0; // P4, at least 1
    int tankDays = 0;          // P5, days a 40000-litre tank lasts; 0 below 40000 litres
    int row = 0;               // P6, FuelTankCatalogue row 1..17, 0 none
    // Heating value the gas consumption was worked out with (Btu/cu.ft):
    // `HU`, or 950 when `HU` is 0 or below. 0 for gas oil.
    int heatingValue = 0;
    QStringList messages; // the tank-days notice is shown in report mode too
    bool stopped = false;
};

// With a fuel other than 0 or 1 only the power and the factor are worked out.
BurnerResults sizeBurner(const BurnerInputs &in);

// Captions of the four result rows for the fuel `TySo` (0 gas oil, 1 city
// gas): correction factor, burner power, fuel use, and the store in litres
// (gas oil) or the heating value used (gas).
QStringList burnerResultCaptions(int TySo);

} // namespace bv::sizing
