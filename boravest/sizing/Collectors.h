#pragma once
// Supply and return collectors of the plant room and the risers of each
// unit (`TFormT2.GhKlvRz`): per unit the heat load, the water flow and the
// riser pipe; from all risers and the connection branches of the hot-water
// tank, the jacuzzi and the pool exchangers the collector's equivalent inlet
// diameter, its diameter and its length.
//
// Both modes compute the same; the caller stores the per-unit rows with
// bv::data::storeCollectorResults (both modes write them). Before the run
// the caller runs the jacuzzi and pool pump sizings in report mode when
// their branches take part (see the inputs) and hands in their results.
#include "boravest/data/BuildingRows.h"
#include "boravest/data/CollectorsStore.h"
#include "boravest/sizing/WaterMeter.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace bv::sizing {

// One floor-and-unit row of bankvh.DB with its spaces and surfaces, as
// bv::data::readCollectorUnits reads them (`T_Rz` 0 or below: no risers).
using CollectorUnit = bv::data::CollectorUnitRow;

struct CollectorsInputs {
    std::vector<CollectorUnit> units; // the project's unit rows, by floor (index IPT)
    building::SiteData site;          // Ga, Tg of the project
    double EkhtDama = 0;   // supply/return difference, F (whole number for the risers)
    double OfteFeshar = 0; // friction loss, ft per 100 ft: one of the PipeCapacity rows
    // Hot-water tank branch.
    int Typ_MAM = 0; // 0 double-wall, 1 hot-water coil, 2 steam coil
    int Randeman = 0;
    int DamAbBeh = 0, DamAbSh = 0;
    int Z_Et = 0;
    int NSakh = 0;
    FixtureCounts fixtures;
    // Jacuzzi branch: taken when Mass_Jak > 0, Typ_M_Jak = 0 and G_Ab_Jak > 0.
    double Mass_Jak = 0;
    int Typ_M_Jak = 0;
    double G_Ab_Jak = 0;
    double jacuzziHeatBtuh = 0;   // total heat of the jacuzzi pump sizing
    int jacuzziExchangerPipe = 0; // its exchanger pipe size 1..15, 0 none
    // Pool branch: taken when Mass_Est > 0 and Typ_M_Est = 0.
    double Mass_Est = 0;
    int Typ_M_Est = 0;
    double poolHeatBtuh = 0;   // total heat of the pool pump sizing
    int poolExchangerPipe = 0; // its exchanger pipe size 1..15, 0 none
    bool reportMode = false;   // the booklet: the advisory messages are not shown
};

// What goes back into a unit row. A unit without risers or without a pipe
// size has `sized` false; its stored results are then cleared.
struct CollectorUnitResult {
    qint64 No = 0;
    double Tabage = 0;
    double Shvahed = 0;
    int T_Rz = 0;
    double load = 0;         // unit heat load, unrounded, Btu/h
    double flowPerRiser = 0; // gpm
    bool sized = false;
    double Q_Vahed = 0; // load rounded to a whole number (ties to even)
    double GP = 0;      // unit flow, gpm, 2 decimals
    int Col = 0;        // riser pipe size 1..15 (PipeSizeNames)
    int Row = 0;        // PipeCapacity friction row + 1 (the PipeVelocity row)
};

struct CollectorsResults {
    double collectorDiameterIn = 0;   // output 1: one list size above the first larger than De
    double collectorLengthIn = 0;     // output 2: 3.6 x sum of the branch diameters
    double inletDiameterIn = 0;       // output 3: first list size above De; 0 for a steam coil tank
    QString jacuzziConnection;        // output 4
    QString poolConnection;           // output 5
    QString tankConnection;           // output 6
    double equivalentDiameterIn = 0;  // De = sqrt(sum of squares)
    double firstLargerDiameterIn = 0; // panel row 3; 0 when De is beyond the list
    bool beyondDiameterList = false;  // no collector size in the list for De
    int unsizedBranches = 0;          // risers and connections that no pipe carries
    std::vector<CollectorUnitResult> units; // one per input unit, in input order
    QStringList messages;
    bool stopped = false;
};

CollectorsResults sizeCollectors(const CollectorsInputs &in);

// The hot-water tank's connection branch: present only for a double-wall or
// hot-water coil tank (`Typ_MAM` below 2) with an exchanger efficiency above
// 0. Its pipe is the first size that carries the flow at `OfteFeshar`; none
// (empty size text) when no row or no size fits.
struct TankBranch {
    bool present = false;
    double heatBtuh = 0;
    double flowGpm = 0;
    int pipeSize = 0; // 1..15, 0 none
    QString size;     // PipeSizeNames of the size, empty for none
};
TankBranch hotWaterTankBranch(const CollectorsInputs &in);

// The per-unit rows as bv::data::storeCollectorResults writes them.
std::vector<bv::data::CollectorStoreRow> collectorStoreRows(const CollectorsResults &results);

// The collector diameters, inches.
inline constexpr int CollectorDiameterCount = 13;
extern const double kCollectorDiameters[CollectorDiameterCount];

// Floor name of a floor number (`TFormT2.convert_sk`): the data module's
// word for -5..50, the number's text otherwise.
QString convertSk(int floor);

extern const char *const kMsgCorrectTemperatureDifference;
extern const char *const kMsgSetPressureDrop;
extern const char *const kMsgNoPipeFits;
extern const char *const kMsgCollectorBeyondList;

} // namespace bv::sizing
