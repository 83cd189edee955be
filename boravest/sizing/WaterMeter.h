#pragma once
// Peak domestic hot-water demand of the building (`TFormT2.MaxMAbGVBeh`)
// and the size of the main branch at the water meter (`TFormT2.SizeKontor`).
//
// Every input is a field of the project's equipment record (Tajhizat.DB);
// whole-number fields are read rounded, ties to even (Field::asInteger).
// The screen run (page mode) and the booklet run (report mode) differ only
// in which messages they show: `messages` holds exactly the ones to show in
// the mode asked for.
#include <QString>
#include <QStringList>

namespace bv::sizing {

// The ten fixture counts of the equipment record, in the fixed fixture
// order of the hot-water demand table.
struct FixtureCounts {
    int WCKh = 0;     // private washbasin and toilet
    int WCOm = 0;     // public washbasin and toilet
    int Van = 0;      // bathtub
    int Dosh = 0;     // shower
    int SinkAb = 0;   // pantry sink
    int SinkZar = 0;  // dishwashing sink
    int MashZar = 0;  // dishwasher
    int SinkRakh = 0; // laundry sink
    int MashRakh = 0; // washing machine
    int LaganPa = 0;  // foot basin

    // Count of fixture kind 1..10 (FixtureKind order); 0 outside.
    int count(int fixture) const;
    // The ten counts added as stored, negative ones included.
    int total() const;
};

// --- Peak hot-water demand (MaxMAbGVBeh) ----------------------------------

struct HotWaterDemand {
    double peakGph = 0; // sum of count x demand per fixture of the building type
    int kinds = 0;      // fixture kinds with a count above 0
};

// Counts of 0 or below take no part. A building type outside 0..9 has no
// row in the demand table and gives a demand of 0 (the kinds still count).
HotWaterDemand maxHotWaterDemand(int NSakh, const FixtureCounts &fixtures);

// --- Main branch at the water meter (SizeKontor) ---------------------------

struct WaterMeterInputs {
    int TeaSak = 0;  // occupants
    int Masa_z = 0;  // land area, sq.ft
    int Masa_Ar = 0; // plot (yard) area, sq.ft
    int Masa_Aa = 0; // built area, sq.ft
    int NSakh = 0;   // building type 0..9
    FixtureCounts fixtures;
    int DamAbSh = 0;  // city water, F
    int DamAbMa = 0;  // mixed water, F
    int DamAbBeh = 0; // domestic hot water, F
    bool reportMode = false; // booklet run: the storage-tank advice is not shown
};

struct WaterMeterResults {
    // 1 the occupants-and-areas estimate governs, 2 the fixture estimate,
    // 0 the run stopped on the temperature check.
    int governing = 0;
    double useFactor = 0; // instantaneous-use factor 1/sqrt(n-1), 2 decimals; 0 below two kinds
    QString branchSize;   // "1/2 ", "3/4", "1 ", "1/2 1", "2 "; empty above 720 l/min
    int kinds = 0;        // fixture kinds present (panel row 1)
    int fixtureTotal = 0; // the ten counts added as stored (panel row 2)
    double peakHotWaterGph = 0;
    double occupantFlow = 0; // A, l/min
    double fixtureFlow = 0;  // B, l/min
    double designFlow = 0;   // the larger of the two (B on a tie), l/min
    bool storageTankNeeded = false; // flow above the 2 in branch
    QStringList messages;
    bool stopped = false; // temperatures out of order; useFactor keeps its value
};

WaterMeterResults sizeWaterMeterBranch(const WaterMeterInputs &in);

// Branch size text for a design flow in litres per minute; empty above 720.
QString branchSizeForFlow(double litresPerMinute);

// Message texts.
extern const char *const kMsgCheckMixingTemperatures;
extern const char *const kMsgStorageTankNeeded;

} // namespace bv::sizing
