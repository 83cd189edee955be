#pragma once
// Coil heat exchangers of the indoor pool (`TFormT2.EstakhMobadel`) and the
// jacuzzi (`TFormT2.JakoziMobadel`), heated from the boiler water (hot-water
// coil) or from steam (steam coil). The jacuzzi sizing also sizes the pipe
// and the pump of the jacuzzi's jets.
//
// The pool and jacuzzi pumps take the water volume and the total energy of
// these results; the boiler sizing takes the total energy as the pool or
// jacuzzi load.
#include <QString>
#include <QStringList>

namespace bv::sizing {

// Exchanger types (`Typ_M_Est`, `Typ_M_Jak`).
inline constexpr int ExchangerHotWater = 0;
inline constexpr int ExchangerSteam = 1;

struct ExchangerInputs {
    double efficiency = 0;         // Rand_Est / Rand_Jak, %
    int count = 0;                 // Te_Est / Te_Jak, number of exchangers
    int waterTemperature = 0;      // D_Ma_Est / D_Ma_Jak, desired water, °F
    int DamAbSh = 0;               // city (cold) water, °F
    double area = 0;               // Mass_Est / Mass_Jak, sq.ft
    double depth = 0;              // Omgh_M_Est / Omgh_M_Jak, mean depth, ft
    double heatUpTime = 0;         // Mz_G_Ab_Est / Mz_G_Ab_Jak, h
    double ambientTemperature = 0; // D_Mo_Est / D_Mo_Jak, °F (jacuzzi: whole degrees)
    int type = ExchangerHotWater;  // Typ_M_Est / Typ_M_Jak: 0 hot water, 1 steam
    int DAbgarm = 0;               // boiler water, °F (hot-water type)
    double steamPressure = 0;      // Fesh_M_Est / Fesh_M_Jak, PSI gauge (steam type)

    // Jacuzzi only: the jets.
    int Te_Naz = 0;        // number of jets
    double OfteFeshar = 0; // design pressure drop, ft per 100 ft of pipe
    double Hi = 0;         // site altitude of the project, ft
};

struct ExchangerResults {
    double waterVolume = 0;   // P1, gal
    double totalEnergy = 0;   // P2, Btu/h
    double startUpEnergy = 0; // P3, Btu/h
    double surfaceLoss = 0;   // P4, Btu/h
    double coilSurface = 0;   // P5, sq.ft per exchanger
    // Steam type only.
    double steamUse = 0;              // P6, lb/h
    double condensate = 0;            // P7, lb/h
    double trapCapacity = 0;          // P8, lb/h
    double saturationTemperature = 0; // P9, °F
    double vapourEnthalpy = 0;        // P10, Btu/lb
    double latentHeat = 0;            // P11, Btu/lb
    // Mean temperature difference (°F): logarithmic, arithmetic and their mean.
    double lmtd = 0;
    double amtd = 0;
    double mtd = 0;
    // Jacuzzi only: the jets.
    double jetPumpHead = 0;     // P12, ft
    double jetPipeCapacity = 0; // P13, gpm: PipeCapacity cell of the jet pipe
    double jetPipeVelocity = 0; // P14, ft/s: PipeVelocity cell of the jet pipe
    double jetPumpPower = 0;    // P15, hp
    QString jetPipeSize;        // P16, e.g. "1 1/2", "2 "; empty when none fits
    double jetFlow = 0;         // gpm, 17.4 per jet
    QStringList messages;
    // A check stopped the run; the values worked out before it stand.
    bool stopped = false;
};

ExchangerResults sizePoolExchanger(const ExchangerInputs &in);
ExchangerResults sizeJacuzziExchanger(const ExchangerInputs &in);

} // namespace bv::sizing
