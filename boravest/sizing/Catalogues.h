#pragma once
// The equipment catalogues and constant tables of the equipment window:
// hot-water demand, hot-water and pressure tanks, the saturated steam table,
// water expansion, radiator and unit-heater data with their correction
// factors, pipe capacities, velocities and size names, softeners, sand
// filters, gas-oil tanks, boilers, furnaces, expansion tanks and extract fans.
//
// Everything is built once, in memory, on the first call of catalogues(), and
// never changes afterwards; nothing is read from files.
//
// Numbering:
//  - Catalogue rows, table rows, pipe sizes, fixture kinds and cell columns
//    are numbered from 1, as the sizing operations and the booklet count
//    them. A selection returns the 1-based row it chose, 0 when no row fits.
//  - The two correction-factor grids (RadiatorFactors, UnitHeaterFactors)
//    are addressed as grids with their header row 0 and header column 0.
//  - A row or cell asked for outside a table gives an empty text or 0; no
//    reader ever reaches memory past a table.
//
// Text cells hold a number or a designation exactly as it is printed
// ("1/4 1" is one and a quarter inch, written fraction first; "60*150" is a
// single cell). number() converts a cell with the C-locale conversion at the
// moment of use.
#include <QString>
#include <QStringList>

#include <array>
#include <initializer_list>
#include <vector>

namespace bv::sizing {

// ---------------------------------------------------------------------------
// Common building blocks

// Result of a 1-D linear interpolation. inRange is false when the argument
// has no neighbouring pair of points (below the first point, or at or above
// the last one); value is then 0.
struct Interpolated {
    double value = 0.0;
    bool inRange = false;
};

// How a catalogue capacity must compare with the need.
enum class Fit {
    AtLeast,  // cell >= need (hot-water tanks, pressure tanks)
    MoreThan, // cell >  need (every other catalogue)
};

// A catalogue of text cells, rows and cells numbered from 1.
class TextCatalogue {
public:
    TextCatalogue(int cellCount, std::initializer_list<std::initializer_list<const char *>> rows);

    int rowCount() const { return int(rows_.size()); }
    int cellCount() const { return cellCount_; }
    bool hasRow(int row) const { return row >= 1 && row <= rowCount(); }

    // The text of cell `col` of row `row`; empty outside the catalogue.
    const QString &cell(int row, int col) const;
    // The cells of a row (empty list outside the catalogue).
    QStringList rowCells(int row) const;
    // The cell converted to a number; 0 outside the catalogue or when the
    // cell is not a number.
    double number(int row, int col) const;

    // First row, from `firstRow` to `lastRow` (1-based, inclusive), whose
    // cell `col` fits `need`; 0 when none does.
    int selectFirst(int col, double need, Fit fit, int firstRow, int lastRow) const;

private:
    int cellCount_;
    std::vector<QStringList> rows_;
};

// ---------------------------------------------------------------------------
// Hot-water demand per fixture and building type

// Building types, in the order of the building-type list (NSakh, 0-based).
inline constexpr int BuildingTypeCount = 10;

// Fixture kinds, in the fixed order of the fixture counts of the equipment
// record; the value is the 1-based column of HotWaterDemand and the position
// in FixtureReturnWeights.
enum FixtureKind : int {
    WCKh = 1, // private washbasin and toilet
    WCOm,     // public washbasin and toilet
    Van,      // bathtub
    Dosh,     // shower
    SinkAb,   // pantry sink
    SinkZar,  // dishwashing sink
    MashZar,  // dishwasher
    SinkRakh, // laundry sink
    MashRakh, // washing machine
    LaganPa,  // foot basin
};
inline constexpr int FixtureKindCount = 10;

// 10 rows (building type + 1) of 12 numbers: columns 1..10 the demand per
// fixture (gph), column 11 the demand factor, column 12 the storage factor.
class HotWaterDemandTable {
public:
    static constexpr int RowCount = 10;
    static constexpr int CellCount = 12;

    // Row of a building type NSakh (0-based): NSakh + 1.
    static int rowOfBuildingType(int buildingType) { return buildingType + 1; }

    double cell(int row, int col) const;                                       // 0 outside
    double demandGph(int row, int fixture) const { return cell(row, fixture); } // fixture 1..10
    double demandFactor(int row) const { return cell(row, 11); }
    double storageFactor(int row) const { return cell(row, 12); }

    std::array<std::array<double, CellCount>, RowCount> cells;
};

// Weights of the fixture counts for the hot-water return pump flow, one per
// fixture kind (1..10).
class FixtureReturnWeightsTable {
public:
    static constexpr int Count = 10;
    int weight(int fixture) const; // 0 outside 1..10
    std::array<int, Count> weights;
};

// ---------------------------------------------------------------------------
// Hot-water tanks

// 8 double-wall storage tanks of 12 text cells.
class DoubleWallTanksTable : public TextCatalogue {
public:
    using TextCatalogue::TextCatalogue;
    const QString &volume(int r) const { return cell(r, 1); } // litres
    const QString &D1(int r) const { return cell(r, 2); }     // cm
    const QString &L1(int r) const { return cell(r, 3); }     // cm
    const QString &d2d6(int r) const { return cell(r, 4); }   // in
    const QString &t1(int r) const { return cell(r, 5); }     // mm
    const QString &D2(int r) const { return cell(r, 6); }     // cm
    const QString &L2(int r) const { return cell(r, 7); }     // cm
    const QString &d3d4(int r) const { return cell(r, 8); }   // in
    const QString &d1(int r) const { return cell(r, 9); }     // in
    const QString &t2(int r) const { return cell(r, 10); }    // mm
    const QString &weight(int r) const { return cell(r, 11); } // kg
    const QString &surface(int r) const { return cell(r, 12); } // sq.m
    double volumeLitres(int r) const { return number(r, 1); }
    // First tank whose standard volume is at least the need (litres).
    int select(double needLitres) const { return selectFirst(1, needLitres, Fit::AtLeast, 1, rowCount()); }
};

// 10 coil tanks of 8 text cells.
class CoilTanksTable : public TextCatalogue {
public:
    using TextCatalogue::TextCatalogue;
    const QString &capacity(int r) const { return cell(r, 1); } // litres
    const QString &H(int r) const { return cell(r, 2); }        // cm
    const QString &L(int r) const { return cell(r, 3); }        // cm
    const QString &D(int r) const { return cell(r, 4); }        // cm
    const QString &d2d6(int r) const { return cell(r, 5); }     // in
    const QString &d8(int r) const { return cell(r, 6); }       // in
    const QString &d7(int r) const { return cell(r, 7); }       // in
    const QString &sheet(int r) const { return cell(r, 8); }    // mm
    double capacityLitres(int r) const { return number(r, 1); }
    int select(double needLitres) const { return selectFirst(1, needLitres, Fit::AtLeast, 1, rowCount()); }
};

// ---------------------------------------------------------------------------
// Saturated steam, pressure table

struct SteamProperties {
    double saturationTemperature = 0.0; // °F
    double latentHeat = 0.0;            // Btu/lb
    double vapourEnthalpy = 0.0;        // Btu/lb
    bool inRange = false;
};

// 54 slots of four numbers (pressure psia, saturation temperature °F, latent
// heat Btu/lb, vapour enthalpy Btu/lb); slots 1..46 are filled, the rest 0.
class SaturatedSteamTable {
public:
    static constexpr int SlotCount = 54;
    static constexpr int FilledRowCount = 46;
    static constexpr int CellCount = 4;
    static constexpr double AtmosphericPsia = 14.7; // added to a gauge pressure

    double cell(int row, int col) const; // 0 outside
    double pressure(int r) const { return cell(r, 1); }
    double saturationTemperature(int r) const { return cell(r, 2); }
    double latentHeat(int r) const { return cell(r, 3); }
    double vapourEnthalpy(int r) const { return cell(r, 4); }

    // The first filled row whose pressure is above the absolute pressure and
    // the row before it, interpolated linearly on pressure. Out of range
    // below 14.696 psia and at or above 1050 psia (all values 0).
    SteamProperties atAbsolutePressure(double psia) const;
    SteamProperties atGaugePressure(double psig) const { return atAbsolutePressure(psig + AtmosphericPsia); }

    std::array<std::array<double, CellCount>, SlotCount> rowValues;
};

// ---------------------------------------------------------------------------
// Pressure tank

// Ratio of highest to lowest tank pressure against the lowest tank pressure
// (PSI): ten points.
class PumpStartCurveTable {
public:
    static constexpr int PointCount = 10;
    double minPressure(int i) const;   // x, PSI, 1-based; 0 outside
    double pressureRatio(int i) const; // y, 1-based; 0 outside
    // Linear interpolation between the first point whose x exceeds the
    // pressure and the point before it; in range for 10 <= p < 100.
    Interpolated ratioAt(double minPressurePsi) const;

    std::array<double, PointCount> x;
    std::array<double, PointCount> y;
};

// Pressure tanks, 8 text cells; cells 1, 2, 5 and 8 are alike in both kinds.
class PressureTanksTable : public TextCatalogue {
public:
    using TextCatalogue::TextCatalogue;
    const QString &volume(int r) const { return cell(r, 1); } // litres
    const QString &D(int r) const { return cell(r, 2); }      // cm
    const QString &d6(int r) const { return cell(r, 5); }     // in
    const QString &sheet(int r) const { return cell(r, 8); }  // mm
    double volumeLitres(int r) const { return number(r, 1); }
    // First tank whose standard volume is at least the need (litres).
    int select(double needLitres) const { return selectFirst(1, needLitres, Fit::AtLeast, 1, rowCount()); }
};

// Vertical tanks: volume, D, H1, d8, d6, d7, d5, sheet.
class VerticalPressureTanksTable : public PressureTanksTable {
public:
    using PressureTanksTable::PressureTanksTable;
    const QString &H1(int r) const { return cell(r, 3); } // cm
    const QString &d8(int r) const { return cell(r, 4); } // in
    const QString &d7(int r) const { return cell(r, 6); } // in
    const QString &d5(int r) const { return cell(r, 7); } // in
};

// Horizontal tanks: volume, D, L1, d7, d6, d8, d2, sheet.
class HorizontalPressureTanksTable : public PressureTanksTable {
public:
    using PressureTanksTable::PressureTanksTable;
    const QString &L1(int r) const { return cell(r, 3); } // cm
    const QString &d7(int r) const { return cell(r, 4); } // in
    const QString &d8(int r) const { return cell(r, 6); } // in
    const QString &d2(int r) const { return cell(r, 7); } // in
};

// ---------------------------------------------------------------------------
// Expansion tank

// Volume increase of water (%) against temperature (°F): eleven points.
class WaterExpansionTable {
public:
    static constexpr int PointCount = 11;
    double temperature(int i) const;     // 1-based; 0 outside
    double increasePercent(int i) const; // 1-based; 0 outside
    // In range for 100 <= t < 350.
    Interpolated percentAt(double temperatureF) const;

    std::array<double, PointCount> temperatures;
    std::array<double, PointCount> percents;
};

// 18 open tanks of 9 text cells.
class OpenExpansionTanksTable : public TextCatalogue {
public:
    using TextCatalogue::TextCatalogue;
    const QString &capacity(int r) const { return cell(r, 1); } // litres
    const QString &L2(int r) const { return cell(r, 2); }       // cm
    const QString &L1(int r) const { return cell(r, 3); }       // cm
    const QString &H(int r) const { return cell(r, 4); }        // cm
    const QString &d4(int r) const { return cell(r, 5); }       // in
    const QString &d2(int r) const { return cell(r, 6); }       // in
    const QString &d1(int r) const { return cell(r, 7); }       // in
    const QString &T(int r) const { return cell(r, 8); }        // sheet, mm
    const QString &W(int r) const { return cell(r, 9); }        // kg
    double capacityLitres(int r) const { return number(r, 1); }
    int select(double needLitres) const { return selectFirst(1, needLitres, Fit::MoreThan, 1, rowCount()); }
};

// 5 closed diaphragm tanks of 4 text cells.
class DiaphragmExpansionTanksTable : public TextCatalogue {
public:
    using TextCatalogue::TextCatalogue;
    const QString &capacity(int r) const { return cell(r, 1); } // litres
    const QString &AxB(int r) const { return cell(r, 2); }      // mm
    const QString &D(int r) const { return cell(r, 3); }        // in
    const QString &W(int r) const { return cell(r, 4); }        // kg
    double capacityLitres(int r) const { return number(r, 1); }
    int select(double needLitres) const { return selectFirst(1, needLitres, Fit::MoreThan, 1, rowCount()); }
};

// 10 closed hydropneumatic tanks of 5 text cells.
class HydropneumaticExpansionTanksTable : public TextCatalogue {
public:
    using TextCatalogue::TextCatalogue;
    const QString &capacity(int r) const { return cell(r, 1); } // litres
    const QString &T(int r) const { return cell(r, 2); }
    const QString &LxD(int r) const { return cell(r, 3); }  // cm
    const QString &D8(int r) const { return cell(r, 4); }   // in
    const QString &d6d7(int r) const { return cell(r, 5); } // in
    double capacityLitres(int r) const { return number(r, 1); }
    int select(double needLitres) const { return selectFirst(1, needLitres, Fit::MoreThan, 1, rowCount()); }
};

// ---------------------------------------------------------------------------
// Steel radiators

// Per-section data of the six radiator sizes (1..6, in the order of the size
// list "600*150", "500*150", "300*150", "600*200", "500*200", "300*200").
class RadiatorSectionsTable {
public:
    static constexpr int RowCount = 6;
    static constexpr int CellCount = 5;
    double cell(int size, int col) const; // 0 outside
    const QString &sizeName(int size) const; // empty outside
    double surface(int size) const { return cell(size, 1); }   // sq.m
    double weight(int size) const { return cell(size, 2); }    // kg
    double output(int size) const { return cell(size, 3); }    // Btu/h
    double thickness(int size) const { return cell(size, 4); } // mm
    double water(int size) const { return cell(size, 5); }     // gal

    std::array<std::array<double, CellCount>, RowCount> cells;
    std::array<QString, RowCount> sizeNames;
};

// Output correction factors of steel radiators, an 8 x 9 grid: row 0 holds
// the room temperatures (columns 1..8), column 0 the water temperatures
// (rows 1..7), the corner is 0.
class RadiatorFactorsTable {
public:
    static constexpr int Rows = 8;
    static constexpr int Cols = 9;
    double cell(int row, int col) const; // 0-based grid, 0 outside
    double roomTemperature(int c) const { return cell(0, c); }  // c 1..8
    double waterTemperature(int w) const { return cell(w, 0); } // w 1..7

    // The factor for a room and a water temperature (°F), as the radiator
    // sizing reads the grid: a room temperature at or above 77 is taken as
    // 76 and a water temperature above 211 as 211; interpolated linearly in
    // room temperature first, then in water temperature; below the first
    // header (41 °F room, 158 °F water) the first column or row is scaled in
    // proportion to the temperature. Always defined.
    double factor(double roomTempF, double waterTempF) const;

    std::array<std::array<double, Cols>, Rows> grid;
};

// ---------------------------------------------------------------------------
// Hot-water unit heaters

// Capacity correction factors, a 9 x 12 grid: row 0 holds the water
// temperatures (columns 1..11), column 0 the entering-air temperatures
// (rows 1..8), the corner is 0.
class UnitHeaterFactorsTable {
public:
    static constexpr int Rows = 9;
    static constexpr int Cols = 12;
    double cell(int row, int col) const; // 0-based grid, 0 outside
    double waterTemperature(int c) const { return cell(0, c); } // c 1..11
    double airTemperature(int a) const { return cell(a, 0); }   // a 1..8

    // The factor for an entering-air and a water temperature (°F), as the
    // unit-heater sizing reads the grid: only water columns 1..8 (150..220)
    // and air rows 1..7 (30..90) take part; a water temperature of 220 or
    // more is taken as 219; interpolated linearly in water temperature
    // first, then in air temperature; below the first water header (150 °F)
    // the first column is scaled in proportion, while air below the first
    // row (30 °F) takes that row's value. An air temperature of 90 °F or more
    // is out of range.
    Interpolated factor(double enteringAirTempF, double waterTempF) const;

    std::array<std::array<double, Cols>, Rows> grid;
};

// 18 unit heaters of 6 text cells; rows 1..9 at fan speed 900 rpm, rows
// 10..18 at 1400 rpm.
class UnitHeaterCatalogueTable : public TextCatalogue {
public:
    using TextCatalogue::TextCatalogue;
    static constexpr int SlowRowsEnd = 9; // last row of the 900 rpm series

    const QString &leavingAirTemperature(int r) const { return cell(r, 1); } // °F
    const QString &waterFlow(int r) const { return cell(r, 2); }             // gpm
    const QString &motorPower(int r) const { return cell(r, 3); }            // hp
    const QString &capacity(int r) const { return cell(r, 4); }              // Btu/h
    const QString &airFlow(int r) const { return cell(r, 5); }               // CFM
    const QString &model(int r) const { return cell(r, 6); }
    double capacityBtuh(int r) const { return number(r, 4); }
    // "900" for rows up to 9, "1400" above.
    static QString fanSpeedOfRow(int r) { return r > SlowRowsEnd ? QStringLiteral("1400") : QStringLiteral("900"); }

    struct Choice {
        int row = 0;     // 1..18, 0 when none fits
        QString fanSpeed; // "900" or "1400": the block searched last
    };
    // fanSpeedChoice 1 (900): rows 1..9, then rows 10..18 when none fits;
    // 2 (1400): rows 10..18 only. Capacity must exceed the share. Any other
    // choice searches nothing (row 0, empty speed).
    Choice select(double shareBtuh, int fanSpeedChoice) const;
};

// ---------------------------------------------------------------------------
// Pipes

// The 15 nominal pipe sizes as printed, numbered 1..15.
class PipeSizeNamesTable {
public:
    static constexpr int Count = 15;
    const QString &name(int size) const; // empty outside 1..15
    std::array<QString, Count> names;
};

struct PipeChoice {
    int size = 0; // 1..15 (column of PipeCapacity less one), 0 none
    int row = 0;  // friction row of PipeCapacity 1..7, 0 none
    bool found() const { return size > 0; }
    int velocityRow() const { return row + 1; } // the PipeVelocity row
};

// 7 rows of 16 numbers: column 1 the friction loss (ft per 100 ft), columns
// 2..16 the largest flow (gpm) of pipe sizes 1..15.
class PipeCapacityTable {
public:
    static constexpr int RowCount = 7;
    static constexpr int CellCount = 16;
    double cell(int row, int col) const; // 0 outside
    double friction(int row) const { return cell(row, 1); }
    double capacity(int row, int size) const { return cell(row, size + 1); }
    // The row whose friction loss equals the value exactly; 0 when none.
    int rowOfFriction(double frictionLoss) const;
    // In the row of the friction loss, the first size whose capacity is
    // greater than the flow. Not found when no row or no size matches.
    PipeChoice choose(double frictionLoss, double flowGpm) const;

    std::array<std::array<double, CellCount>, RowCount> cells;
};

// 8 rows of 15 numbers: row 1 the nominal sizes in inches, rows 2..8 the
// water velocity (ft/s) of each size at the friction loss of PipeCapacity
// rows 1..7.
class PipeVelocityTable {
public:
    static constexpr int RowCount = 8;
    static constexpr int CellCount = 15;
    double cell(int row, int col) const; // 0 outside
    double diameterInches(int size) const { return cell(1, size); }
    // Velocity of a size at the friction loss of PipeCapacity row
    // `capacityRow` (1..7), i.e. row capacityRow + 1 here.
    double velocity(int capacityRow, int size) const { return cell(capacityRow + 1, size); }

    std::array<std::array<double, CellCount>, RowCount> cells;
};

// ---------------------------------------------------------------------------
// Softeners, sand filters, fuel tanks

// 17 softeners of 5 text cells.
class SoftenerCatalogueTable : public TextCatalogue {
public:
    using TextCatalogue::TextCatalogue;
    const QString &valveSize(int r) const { return cell(r, 1); }      // in
    const QString &capacity(int r) const { return cell(r, 2); }       // kilograin
    const QString &dimensions(int r) const { return cell(r, 3); }     // cm
    const QString &brineTank(int r) const { return cell(r, 4); }      // cm
    const QString &resin(int r) const { return cell(r, 5); }          // litres
    double capacityKilograin(int r) const { return number(r, 2); }
    int select(double needKilograin) const { return selectFirst(2, needKilograin, Fit::MoreThan, 1, rowCount()); }
};

// 17 pressure sand filters of 4 text cells.
class SandFiltersTable : public TextCatalogue {
public:
    using TextCatalogue::TextCatalogue;
    const QString &silicaWeight(int r) const { return cell(r, 1); } // kg
    const QString &capacity(int r) const { return cell(r, 2); }     // gpm
    const QString &dimensions(int r) const { return cell(r, 3); }   // L*D
    const QString &sheet(int r) const { return cell(r, 4); }        // mm
    double capacityGpm(int r) const { return number(r, 2); }
    int select(double needGpm) const { return selectFirst(2, needGpm, Fit::MoreThan, 1, rowCount()); }
};

// 17 gas-oil storage tanks of 9 text cells.
class FuelTankCatalogueTable : public TextCatalogue {
public:
    using TextCatalogue::TextCatalogue;
    const QString &capacity(int r) const { return cell(r, 1); } // litres
    const QString &T(int r) const { return cell(r, 2); }        // mm
    const QString &D(int r) const { return cell(r, 3); }        // cm
    const QString &L1(int r) const { return cell(r, 4); }       // cm
    const QString &L2(int r) const { return cell(r, 5); }       // cm
    const QString &d4(int r) const { return cell(r, 6); }       // in
    const QString &d5(int r) const { return cell(r, 7); }       // in
    const QString &d3(int r) const { return cell(r, 8); }       // in
    const QString &W(int r) const { return cell(r, 9); }        // kg
    double capacityLitres(int r) const { return number(r, 1); }
    int select(double needLitres) const { return selectFirst(1, needLitres, Fit::MoreThan, 1, rowCount()); }
};

// ---------------------------------------------------------------------------
// Boilers, furnaces, fans

// Boilers of 6 text cells: model, capacity (kcal/h), flange (in; for the
// first steam boilers a plain number), L, D, H (cm).
class BoilerCatalogueTable : public TextCatalogue {
public:
    using TextCatalogue::TextCatalogue;
    const QString &model(int r) const { return cell(r, 1); }
    const QString &capacity(int r) const { return cell(r, 2); } // kcal/h
    const QString &flange(int r) const { return cell(r, 3); }   // in
    const QString &L(int r) const { return cell(r, 4); }        // cm
    const QString &D(int r) const { return cell(r, 5); }        // cm
    const QString &H(int r) const { return cell(r, 6); }        // cm
    double capacityKcalh(int r) const { return number(r, 2); }
    // The need is the load per boiler in Btu/h divided by 3.92.
    int select(double needKcalh) const { return selectFirst(2, needKcalh, Fit::MoreThan, 1, rowCount()); }
};

// 4 warm-air furnaces of 6 text cells.
class FurnaceCatalogueTable : public TextCatalogue {
public:
    using TextCatalogue::TextCatalogue;
    const QString &model(int r) const { return cell(r, 1); }
    const QString &capacity(int r) const { return cell(r, 2); } // kcal/h
    const QString &fanPower(int r) const { return cell(r, 3); } // hp
    const QString &L(int r) const { return cell(r, 4); }        // cm
    const QString &D(int r) const { return cell(r, 5); }        // cm
    const QString &H(int r) const { return cell(r, 6); }        // cm
    double capacityKcalh(int r) const { return number(r, 2); }
    // The need is the load in Btu/h divided by 4.
    int select(double needKcalh) const { return selectFirst(2, needKcalh, Fit::MoreThan, 1, rowCount()); }
};

// 4 extract fans of 3 text cells.
class FanCatalogueTable : public TextCatalogue {
public:
    using TextCatalogue::TextCatalogue;
    const QString &airFlow(int r) const { return cell(r, 1); }    // CFM
    const QString &motorSpeed(int r) const { return cell(r, 2); } // rpm
    const QString &power(int r) const { return cell(r, 3); }      // W
    double airFlowCfm(int r) const { return number(r, 1); }
    int select(double airFlowPerFanCfm) const { return selectFirst(1, airFlowPerFanCfm, Fit::MoreThan, 1, rowCount()); }
};

// ---------------------------------------------------------------------------
// All catalogues, under their own names.

struct Catalogues {
    Catalogues();
    Catalogues(const Catalogues &) = delete;
    Catalogues &operator=(const Catalogues &) = delete;

    HotWaterDemandTable HotWaterDemand;
    FixtureReturnWeightsTable FixtureReturnWeights;
    DoubleWallTanksTable DoubleWallTanks;
    CoilTanksTable CoilTanks;
    SaturatedSteamTable SteamTable;
    PumpStartCurveTable PumpStartCurve;
    HorizontalPressureTanksTable PressureTanks1;
    VerticalPressureTanksTable PressureTanks2;
    WaterExpansionTable WaterExpansion;
    RadiatorSectionsTable RadiatorSections;
    RadiatorFactorsTable RadiatorFactors;
    UnitHeaterFactorsTable UnitHeaterFactors;
    UnitHeaterCatalogueTable UnitHeaterCatalogue;
    PipeSizeNamesTable PipeSizeNames;
    PipeCapacityTable PipeCapacity;
    PipeVelocityTable PipeVelocity;
    SoftenerCatalogueTable SoftenerCatalogue;
    SandFiltersTable SandFilters;
    FuelTankCatalogueTable FuelTankCatalogue;
    BoilerCatalogueTable BoilerCatalogue;  // hot-water boilers
    BoilerCatalogueTable BoilerCatalogue2; // steam boilers (booklet only)
    FurnaceCatalogueTable FurnaceCatalogue;
    OpenExpansionTanksTable OpenExpansionTanks;
    DiaphragmExpansionTanksTable DiaphragmExpansionTanks;
    HydropneumaticExpansionTanksTable HydropneumaticExpansionTanks;
    FanCatalogueTable FanCatalogue;

    // The names the booklet pages use for three of them.
    const DiaphragmExpansionTanksTable &DiaphragmTanks = DiaphragmExpansionTanks;
    const HydropneumaticExpansionTanksTable &HydropneumaticTanks = HydropneumaticExpansionTanks;
    const FuelTankCatalogueTable &BurnerCatalogue = FuelTankCatalogue;
    const RadiatorSectionsTable &RadiatorSectionData = RadiatorSections;
};

// The one set of catalogues, built on first use.
const Catalogues &catalogues();

} // namespace bv::sizing
