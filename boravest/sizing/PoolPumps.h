#pragma once
// Circulation pumps and sand filters of the indoor pool
// (`TFormT2.EstakhPmpSir`) and the jacuzzi (`TFormT2.JakoziPmpSir`): the
// filtration pumps with their pipe and filters, the chlorine demand, and for
// a hot-water exchanger the exchanger's hot-water pumps with their pipe.
//
// Water volume and heat energy come from the exchanger sizing
// (PoolExchanger.h): on the page from its two read-only boxes, in the report
// from sizePoolExchanger / sizeJacuzziExchanger of the stored record.
#include "boravest/sizing/PoolExchanger.h"

#include <QString>
#include <QStringList>

namespace bv::sizing {

struct PumpsInputs {
    // Report: the pressure-drop warnings (flow above the row's limit,
    // exchanger head above 30 ft) are not given.
    bool reportMode = false;

    double waterVolume = 0;          // V, gal
    double heatEnergy = 0;           // Q, Btu/h
    double coilDrop = 0;             // Oft_Fesh_K_Est / Oft_fesh_K_Jak, ft
    double filterDrop = 0;           // Oft_Fesh_F_Est / Oft_Fesh_F_Jak, ft
    double pipeDrop = 0;             // Oft_Fesh_Sh_Est / Oft_Fesh_Sh_Jak, ft
    int pumpEfficiency = 0;          // Rand_m1E / Rand_m1J, %
    double shellDrop = 0;            // Oft_Fesh_P_M_Est / Oft_Fesh_P_M_Jak, ft
    double boilerDrop = 0;           // Oft_Fesh_D_Est / Oft_Fesh_D_Jak, ft
    int exchangerPumps = 0;          // Te_Pmp_D_Est / Te_Pmp_D_Jak
    int exchangerPumpEfficiency = 0; // Rand_m2E / Rand_m2J, %
    int filters = 0;                 // T_filter_es / T_filter_jk
    int pumps = 0;                   // Te_Pmp_Est / Te_Pmp_Jak
    double turnoverTime = 0;         // G_Ab_Est / G_Ab_Jak, h
    int exchangerType = ExchangerHotWater; // Typ_M_Est / Typ_M_Jak (stored)
    int EkhtDama = 0;                // boiler water temperature drop, °F
    double OfteFeshar = 0;           // design pressure drop, ft per 100 ft
    double Hi = 0;                   // site altitude of the project, ft
};

// A pipe chosen from PipeCapacity, with the cells the page and the booklet
// print for it.
struct ChosenPipe {
    int size = 0;          // 1..15, index into PipeSizeNames; 0 none
    int row = 0;           // friction row of PipeCapacity 1..7; 0 none
    QString sizeName;      // PipeSizeNames of the size
    double capacity = 0;   // gpm, PipeCapacity cell
    double velocity = 0;   // ft/s, PipeVelocity cell
    bool found() const { return size > 0; }
    // The stored "row plus one" (2..8), which is also the PipeVelocity row.
    int velocityRow() const { return row > 0 ? row + 1 : 0; }
};

struct PumpsResults {
    double flowPerPump = 0;          // P1, gph
    double pumpPower = 0;            // P2, hp
    ChosenPipe pipe;                 // P3 (size) and P4 (velocityRow)
    int filterRow = 0;               // P5, SandFilters row 1..17, 0 none
    double flowPerExchangerPump = 0; // P6, gpm
    double exchangerPumpPower = 0;   // P7, hp
    ChosenPipe exchangerPipe;        // P8 and P9
    double pumpHead = 0;             // P10, ft
    double exchangerPumpHead = 0;    // P11, ft
    double circulation = 0;          // P12, gph
    double exchangerFlow = 0;        // P13, gpm
    double circulationGpm = 0;       // gpm (jacuzzi P14)
    double chlorine = 0;             // lb/h (pool P14, jacuzzi P15)
    double heatEnergy = 0;           // Btu/h, passed on (pool P15, jacuzzi P16)
    int pumpEfficiency = 0;          // %, as read (pool P16, jacuzzi P17)
    int exchangerPumpEfficiency = 0; // %, as read (pool P17, jacuzzi P18)
    double altitudeFactor = 0;       // at least 1
    QStringList messages;
    // A check stopped the run; the values worked out before it stand.
    bool stopped = false;
};

PumpsResults sizePoolPumps(const PumpsInputs &in);
PumpsResults sizeJacuzziPumps(const PumpsInputs &in);

} // namespace bv::sizing
