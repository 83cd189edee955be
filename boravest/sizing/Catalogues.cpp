#include "boravest/sizing/Catalogues.h"

#include "platform/common/Numbers.h"

namespace bv::sizing {

namespace {

const QString &emptyText()
{
    static const QString empty;
    return empty;
}

// Cell (row, col) of a table held 0-based, asked for 1-based; 0 outside.
template <std::size_t R, std::size_t C>
double oneBased(const std::array<std::array<double, C>, R> &t, int row, int col)
{
    if (row < 1 || row > int(R) || col < 1 || col > int(C))
        return 0.0;
    return t[std::size_t(row - 1)][std::size_t(col - 1)];
}

// Cell (row, col) of a grid addressed 0-based; 0 outside.
template <std::size_t R, std::size_t C>
double zeroBased(const std::array<std::array<double, C>, R> &t, int row, int col)
{
    if (row < 0 || row >= int(R) || col < 0 || col >= int(C))
        return 0.0;
    return t[std::size_t(row)][std::size_t(col)];
}

template <std::size_t R, std::size_t C>
void fill(std::array<std::array<double, C>, R> &to, const double (&from)[R][C])
{
    for (std::size_t r = 0; r < R; ++r)
        for (std::size_t c = 0; c < C; ++c)
            to[r][c] = from[r][c];
}

// Linear interpolation on a curve of `n` points in rising x: between the
// first point whose x exceeds `at` and the point before it. Out of range
// when the first point already exceeds `at` or no point does.
Interpolated interpolate(const double *xs, const double *ys, int n, double at)
{
    for (int i = 0; i < n; ++i) {
        if (xs[i] > at) {
            if (i == 0)
                return {};
            const double xb = xs[i - 1], yb = ys[i - 1];
            return {yb + (at - xb) * (ys[i] - yb) / (xs[i] - xb), true};
        }
    }
    return {};
}

// ---------------------------------------------------------------------------
// Table contents

// Building type rows (apartment, private house, hotel, gymnasium, hospital,
// club, factory, office, school, dormitory); columns WCKh, WCOm, Van, Dosh,
// SinkAb, SinkZar, MashZar, SinkRakh, MashRakh, LaganPa (gph), demand
// factor, storage factor.
const double kHotWaterDemand[10][12] = {
    {3, 5, 20, 100, 10, 15, 20, 25, 75, 3, 0.35, 1.25},
    {3, 0, 20, 100, 10, 15, 20, 25, 75, 3, 0.35, 1.25},
    {3, 10, 20, 100, 20, 30, 150, 35, 150, 3, 0.35, 0.8},
    {3, 10, 30, 300, 0, 0, 0, 0, 0, 12, 0.4, 1},
    {3, 8, 20, 100, 20, 20, 150, 35, 150, 3, 0.5, 0.6},
    {3, 8, 20, 200, 20, 20, 150, 35, 150, 3, 0.3, 0.9},
    {3, 15, 0, 300, 0, 20, 100, 0, 0, 12, 0.6, 1},
    {3, 8, 0, 0, 20, 20, 0, 0, 0, 0, 0.3, 2},
    {3, 15, 0, 300, 20, 20, 100, 0, 0, 0, 0.6, 1},
    {3, 10, 30, 200, 20, 20, 150, 30, 100, 12, 0.4, 1},
};

const int kFixtureReturnWeights[10] = {1, 3, 2, 3, 1, 3, 2, 3, 2, 1};

// Pressure (psia), saturation temperature (°F), latent heat (Btu/lb),
// vapour enthalpy (Btu/lb); the remaining slots stay 0.
const double kSteam[SaturatedSteamTable::FilledRowCount][4] = {
    {14.696, 212, 970.3, 1150.5},
    {15, 213.03, 969.7, 1150.9},
    {20, 227.96, 960.1, 1156.3},
    {30, 250.34, 945.3, 1164.2},
    {40, 267.25, 933.7, 1169.8},
    {50, 281.02, 924, 1174.2},
    {60, 292.72, 915.5, 1177.7},
    {70, 302.93, 907.9, 1180.7},
    {80, 312.04, 901, 1183.2},
    {90, 320.28, 894.6, 1185.3},
    {100, 327.82, 888.6, 1187.2},
    {110, 334.79, 883, 1188.9},
    {120, 341.27, 877.8, 1190.4},
    {130, 347.33, 872.8, 1191.8},
    {140, 353.04, 868, 1193},
    {150, 358.43, 863.4, 1194.2},
    {160, 363.55, 859.1, 1195.2},
    {170, 368.43, 854.8, 1196.1},
    {180, 373.08, 850.7, 1196.9},
    {190, 377.53, 846.7, 1197.7},
    {200, 381.81, 842.9, 1198.4},
    {210, 385.92, 839.1, 1199.1},
    {220, 389.88, 835.5, 1199.7},
    {230, 393.7, 831.9, 1200.2},
    {240, 397.4, 828.4, 1200.7},
    {250, 400.97, 825, 1201.2},
    {260, 404.44, 821.6, 1201.6},
    {270, 407.8, 818.4, 1202},
    {280, 411.07, 815.2, 1202.3},
    {290, 414.25, 812, 1202.6},
    {300, 417.35, 808.9, 1202.9},
    {350, 431.73, 794.2, 1204.1},
    {400, 444.6, 780.5, 1204.7},
    {450, 456.29, 767.6, 1204.9},
    {500, 467.01, 755.2, 1204.8},
    {550, 476.95, 743.4, 1204.4},
    {600, 486.21, 732.1, 1203.7},
    {650, 494.9, 721, 1202.9},
    {700, 503.09, 710.3, 1201.9},
    {750, 510.84, 699.8, 1200.7},
    {800, 518.21, 689.6, 1199.4},
    {850, 525.24, 679.6, 1197.9},
    {900, 531.96, 669.7, 1196.4},
    {950, 538.4, 660, 1194.7},
    {1000, 544.58, 650.4, 1192.9},
    {1050, 550.53, 640.9, 1191},
};

const double kPumpStartX[10] = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100};
const double kPumpStartY[10] = {6, 4.5, 4, 3.75, 3.6, 3.5, 3.4, 3.3, 3.3, 3.3};

const double kExpansionT[11] = {100, 125, 150, 175, 200, 225, 250, 275, 300, 325, 350};
const double kExpansionPct[11] = {0.6, 1.2, 1.8, 2.8, 3.5, 4.5, 5.6, 6.8, 8.3, 9.4, 11.5};

// Surface (sq.m), weight (kg), output (Btu/h), thickness (mm), water (gal).
const double kRadiatorSections[6][5] = {
    {0.23, 2.2, 393, 45, 0.246},
    {0.2, 2, 349, 45, 0.216},
    {0.13, 1.5, 238, 45, 0.156},
    {0.31, 2.7, 516, 45, 0.336},
    {0.26, 2.6, 440, 45, 0.286},
    {0.18, 2.3, 315, 45, 0.206},
};
const char *const kRadiatorSizeNames[6] = {"600*150", "500*150", "300*150", "600*200", "500*200", "300*200"};

// Row 0: room temperatures; column 0: water temperatures.
const double kRadiatorFactors[8][9] = {
    {0, 41, 50, 53.6, 59, 64.4, 68, 71.6, 77},
    {158, 1.11, 1, 0.96, 0.89, 0.83, 0.78, 0.74, 0.68},
    {167, 1.23, 1.11, 1.01, 1, 0.93, 0.89, 0.85, 0.78},
    {176, 1.34, 1.23, 1.18, 1.11, 1.04, 1, 0.96, 0.89},
    {185, 1.47, 1.34, 1.3, 1.23, 1.16, 1.11, 1.07, 1},
    {194, 1.59, 1.47, 1.42, 1.34, 1.27, 1.23, 1.18, 1.11},
    {203, 1.71, 1.59, 1.54, 1.47, 1.39, 1.34, 1.3, 1.23},
    {212, 1.84, 1.71, 1.66, 1.59, 1.51, 1.47, 1.42, 1.35},
};

// Row 0: water temperatures; column 0: entering-air temperatures.
const double kUnitHeaterFactors[9][12] = {
    {0, 150, 160, 170, 180, 190, 200, 210, 220, 230, 240, 250},
    {30, 1.05, 1.13, 1.21, 1.33, 1.4, 1.46, 1.56, 1.66, 1.74, 1.81, 1.91},
    {40, 0.96, 1.02, 1.1, 1.21, 1.28, 1.38, 1.46, 1.54, 1.62, 1.74, 1.79},
    {50, 0.86, 0.92, 1, 1.1, 1.19, 1.28, 1.32, 1.45, 1.52, 1.61, 1.71},
    {60, 0.75, 0.82, 0.9, 1, 1.09, 1.18, 1.25, 1.3, 1.44, 1.5, 1.63},
    {70, 0.68, 0.75, 0.8, 0.92, 1, 1.08, 1.16, 1.26, 1.3, 1.42, 1.5},
    {80, 0.56, 0.67, 0.74, 0.82, 0.9, 0.98, 1.08, 1.16, 1.24, 1.3, 1.41},
    {90, 0.5, 0.58, 0.65, 0.74, 0.82, 0.9, 0.98, 1.05, 1.15, 1.22, 1.29},
    {100, 0.44, 0.49, 0.57, 0.64, 0.74, 0.82, 0.89, 0.96, 1.06, 1.14, 1.2},
};

const char *const kPipeSizeNames[15] = {"1/2", "3/4", "1", "1/4 1", "1/2 1", "2", "1/2 2", "3",
                                        "1/2 3", "4", "5", "6", "8", "10", "12"};

// Friction loss (ft per 100 ft), then the gpm of sizes 1/2 .. 12.
const double kPipeCapacity[7][16] = {
    {1, 0.8, 1.8, 3.4, 7.3, 11, 21, 32, 63, 93, 130, 240, 400, 850, 1600, 2600},
    {1.5, 1.1, 2.2, 4.3, 9, 13, 27, 44, 77, 115, 165, 300, 500, 1100, 2000, 3300},
    {2, 1.2, 2.6, 5, 11, 16, 32, 52, 92, 140, 190, 360, 580, 1300, 2400, 3800},
    {2.5, 1.4, 2.9, 5.7, 12, 18, 36, 57, 105, 155, 210, 400, 670, 1400, 2700, 4400},
    {3, 1.5, 3.2, 6.3, 14, 20, 39, 64, 112, 170, 240, 440, 750, 1600, 3000, 4800},
    {3.5, 1.7, 3.6, 6.8, 15, 22, 42, 70, 125, 180, 260, 480, 800, 1700, 3300, 5500},
    {4, 1.8, 3.8, 7.3, 18, 24, 46, 75, 135, 200, 280, 520, 870, 1850, 3500, 5800},
};

// Row 1: nominal sizes (in); rows 2..8: velocity (ft/s) at the friction loss
// of PipeCapacity rows 1..7. The 0.3 of the 10 in pipe at friction 1 and
// the 8.7 of the 4 in pipe at friction 3.5 are the catalogue's own values.
const double kPipeVelocity[8][15] = {
    {0.5, 0.75, 1, 1.25, 1.5, 2, 2.5, 3, 3.5, 4, 5, 6, 8, 10, 12},
    {0.92, 1.1, 1.3, 1.5, 1.8, 2.1, 2.3, 2.8, 3, 3.3, 3.3, 4.4, 5.5, 0.3, 7.3},
    {1.2, 1.3, 1.6, 1.9, 2.2, 2.6, 2.9, 3.4, 3.8, 4.2, 4.8, 5.7, 6.7, 8.2, 9.3},
    {1.3, 1.6, 1.9, 2.3, 2.5, 3, 3.4, 4, 4.5, 4.8, 5.8, 6.7, 8.2, 9.7, 10.8},
    {1.5, 1.8, 2.1, 2.6, 2.8, 3.4, 3.8, 4.5, 5, 5.5, 6.5, 7.7, 9.2, 12, 12.5},
    {1.7, 2, 2.3, 2.8, 3.2, 3.8, 4.3, 5, 5.5, 6.2, 7.3, 8.3, 10.2, 13.4, 13.6},
    {1.9, 2.2, 2.6, 3.1, 3.4, 4.1, 4.7, 5.5, 6.1, 8.7, 7.9, 9.1, 10.9, 14.7, 15.6},
    {1.9, 2.3, 2.8, 3.4, 3.7, 4.4, 5, 5.8, 6.7, 7.3, 8.5, 9.8, 11.8, 15.6, 16.4},
};

} // namespace

// ---------------------------------------------------------------------------
// TextCatalogue

TextCatalogue::TextCatalogue(int cellCount, std::initializer_list<std::initializer_list<const char *>> rows)
    : cellCount_(cellCount)
{
    rows_.reserve(rows.size());
    for (const auto &row : rows) {
        QStringList cells;
        cells.reserve(cellCount);
        for (const char *text : row)
            cells.append(QString::fromUtf8(text));
        while (cells.size() < cellCount)
            cells.append(QString());
        rows_.push_back(cells);
    }
}

const QString &TextCatalogue::cell(int row, int col) const
{
    if (!hasRow(row) || col < 1 || col > cellCount_)
        return emptyText();
    const QStringList &cells = rows_[std::size_t(row - 1)];
    return col <= cells.size() ? cells[col - 1] : emptyText();
}

QStringList TextCatalogue::rowCells(int row) const
{
    return hasRow(row) ? rows_[std::size_t(row - 1)] : QStringList();
}

double TextCatalogue::number(int row, int col) const
{
    double v = 0.0;
    if (!pf::strToFloat(cell(row, col), &v))
        return 0.0;
    return v;
}

int TextCatalogue::selectFirst(int col, double need, Fit fit, int firstRow, int lastRow) const
{
    if (firstRow < 1)
        firstRow = 1;
    if (lastRow > rowCount())
        lastRow = rowCount();
    for (int r = firstRow; r <= lastRow; ++r) {
        const double capacity = number(r, col);
        if (fit == Fit::AtLeast ? capacity >= need : capacity > need)
            return r;
    }
    return 0;
}

// ---------------------------------------------------------------------------
// Numeric tables

double HotWaterDemandTable::cell(int row, int col) const { return oneBased(cells, row, col); }

int FixtureReturnWeightsTable::weight(int fixture) const
{
    return fixture >= 1 && fixture <= Count ? weights[std::size_t(fixture - 1)] : 0;
}

double SaturatedSteamTable::cell(int row, int col) const { return oneBased(rowValues, row, col); }

SteamProperties SaturatedSteamTable::atAbsolutePressure(double psia) const
{
    // Only the filled rows take part: the empty slots after them are never read.
    for (int i = 1; i <= FilledRowCount; ++i) {
        const double pr = pressure(i);
        if (pr > psia) {
            if (i == 1)
                return {};
            const double pb = pressure(i - 1);
            const auto at = [&](int col) {
                const double xb = cell(i - 1, col);
                return xb + (psia - pb) * (cell(i, col) - xb) / (pr - pb);
            };
            return {at(2), at(3), at(4), true};
        }
    }
    return {};
}

double PumpStartCurveTable::minPressure(int i) const
{
    return i >= 1 && i <= PointCount ? x[std::size_t(i - 1)] : 0.0;
}

double PumpStartCurveTable::pressureRatio(int i) const
{
    return i >= 1 && i <= PointCount ? y[std::size_t(i - 1)] : 0.0;
}

Interpolated PumpStartCurveTable::ratioAt(double minPressurePsi) const
{
    return interpolate(x.data(), y.data(), PointCount, minPressurePsi);
}

double WaterExpansionTable::temperature(int i) const
{
    return i >= 1 && i <= PointCount ? temperatures[std::size_t(i - 1)] : 0.0;
}

double WaterExpansionTable::increasePercent(int i) const
{
    return i >= 1 && i <= PointCount ? percents[std::size_t(i - 1)] : 0.0;
}

Interpolated WaterExpansionTable::percentAt(double temperatureF) const
{
    return interpolate(temperatures.data(), percents.data(), PointCount, temperatureF);
}

double RadiatorSectionsTable::cell(int size, int col) const { return oneBased(cells, size, col); }

const QString &RadiatorSectionsTable::sizeName(int size) const
{
    return size >= 1 && size <= RowCount ? sizeNames[std::size_t(size - 1)] : emptyText();
}

double RadiatorFactorsTable::cell(int row, int col) const { return zeroBased(grid, row, col); }

double RadiatorFactorsTable::factor(double roomTempF, double waterTempF) const
{
    constexpr int RoomCols = Cols - 1;  // 8 room temperatures
    constexpr int WaterRows = Rows - 1; // 7 water temperatures
    double t = roomTempF;
    if (t >= roomTemperature(RoomCols))
        t = roomTemperature(RoomCols) - 1;
    double w = waterTempF;
    if (w > 211)
        w = 211;

    // The first room column above t; t is below the last one, so one exists.
    int c = 1;
    while (c < RoomCols && !(roomTemperature(c) > t))
        ++c;
    std::array<double, WaterRows + 1> value{};
    for (int row = 1; row <= WaterRows; ++row) {
        if (c == 1) {
            value[std::size_t(row)] = t / roomTemperature(1) * cell(row, 1);
        } else {
            const double rb = roomTemperature(c - 1), vb = cell(row, c - 1);
            value[std::size_t(row)] = vb + (t - rb) / (roomTemperature(c) - rb) * (cell(row, c) - vb);
        }
    }

    // The first water row above w; w is at most 211, below the last one (212).
    int r = 1;
    while (r < WaterRows && !(waterTemperature(r) > w))
        ++r;
    if (r == 1)
        return w / waterTemperature(1) * value[1];
    const double wb = waterTemperature(r - 1), vb = value[std::size_t(r - 1)];
    return vb + (w - wb) / (waterTemperature(r) - wb) * (value[std::size_t(r)] - vb);
}

double UnitHeaterFactorsTable::cell(int row, int col) const { return zeroBased(grid, row, col); }

Interpolated UnitHeaterFactorsTable::factor(double enteringAirTempF, double waterTempF) const
{
    constexpr int WaterCols = 8; // 150 .. 220 °F take part
    constexpr int AirRows = 7;   // 30 .. 90 °F take part
    double w = waterTempF;
    if (w >= waterTemperature(WaterCols))
        w = waterTemperature(WaterCols) - 1;
    const double ta = enteringAirTempF;

    // The first air row above ta; none at 90 °F or more.
    int a = 1;
    while (a <= AirRows && !(airTemperature(a) > ta))
        ++a;
    if (a > AirRows)
        return {};

    // The first water column above w; w is below 220, so one exists.
    int c = 1;
    while (c < WaterCols && !(waterTemperature(c) > w))
        ++c;
    const auto valueOfRow = [&](int row) {
        if (c == 1)
            return w / waterTemperature(1) * cell(row, 1);
        const double wb = waterTemperature(c - 1), vb = cell(row, c - 1);
        return vb + (w - wb) / (waterTemperature(c) - wb) * (cell(row, c) - vb);
    };

    // Air colder than the first row takes that row's value: scaling it down
    // towards 0 F would make a cold space need ever smaller heaters.
    if (a == 1)
        return {valueOfRow(1), true};
    const double ab = airTemperature(a - 1), vb = valueOfRow(a - 1);
    return {vb + (ta - ab) / (airTemperature(a) - ab) * (valueOfRow(a) - vb), true};
}

UnitHeaterCatalogueTable::Choice UnitHeaterCatalogueTable::select(double shareBtuh, int fanSpeedChoice) const
{
    Choice choice;
    if (fanSpeedChoice != 1 && fanSpeedChoice != 2)
        return choice;
    if (fanSpeedChoice == 1) {
        choice.fanSpeed = QStringLiteral("900");
        choice.row = selectFirst(4, shareBtuh, Fit::MoreThan, 1, SlowRowsEnd);
        if (choice.row > 0)
            return choice;
    }
    choice.fanSpeed = QStringLiteral("1400");
    choice.row = selectFirst(4, shareBtuh, Fit::MoreThan, SlowRowsEnd + 1, rowCount());
    return choice;
}

const QString &PipeSizeNamesTable::name(int size) const
{
    return size >= 1 && size <= Count ? names[std::size_t(size - 1)] : emptyText();
}

double PipeCapacityTable::cell(int row, int col) const { return oneBased(cells, row, col); }

int PipeCapacityTable::rowOfFriction(double frictionLoss) const
{
    for (int r = 1; r <= RowCount; ++r)
        if (friction(r) == frictionLoss)
            return r;
    return 0;
}

PipeChoice PipeCapacityTable::choose(double frictionLoss, double flowGpm) const
{
    const int row = rowOfFriction(frictionLoss);
    if (row == 0)
        return {};
    for (int size = 1; size <= CellCount - 1; ++size)
        if (capacity(row, size) > flowGpm)
            return {size, row};
    return {};
}

double PipeVelocityTable::cell(int row, int col) const { return oneBased(cells, row, col); }

// ---------------------------------------------------------------------------
// The catalogues themselves

Catalogues::Catalogues()
    : DoubleWallTanks(12, {
          {"200", "53", "60", "1/4 1", "2", "47", "110", "3/4", "1/2", "2.5", "60", "0.88"},
          {"300", "53", "100", "1/4 1", "2.5", "47", "170", "3/4", "1/2", "3", "105", "1.47"},
          {"400", "61", "100", "1/2 1", "2.5", "55", "170", "1", "3/4", "3", "130", "1.72"},
          {"500", "68", "100", "1/2 1", "2.5", "62", "170", "1", "3/4", "3", "145", "1.94"},
          {"600", "68", "120", "1/2 1", "2.5", "62", "185", "1", "3/4", "4", "180", "2.33"},
          {"750", "81", "150", "2", "3", "75", "215", "1/4 1", "1", "4", "290", "3.53"},
          {"1000", "88", "150", "2", "3", "80", "220", "1/2 1", "1", "4", "320", "3.76"},
          {"1500", "93", "200", "1/2 2", "4", "85", "275", "2", "1/4 1", "5", "485", "5.33"},
      })
    , CoilTanks(8, {
          {"500", "165", "150", "63", "1", "3/4", "1/2", "4"},
          {"1000", "170", "150", "90", "1/4 1", "1", "1/2", "5"},
          {"1500", "170", "150", "112", "1/2 1", "1", "1/2", "5"},
          {"2000", "220", "200", "112", "1/2 1", "1", "1/2", "6"},
          {"2500", "220", "200", "124", "1/2 1", "1/4 1", "1/2", "6"},
          {"3000", "220", "200", "142", "2", "1/2 1", "1/2", "8"},
          {"4000", "275", "250", "142", "2", "1/2 1", "1/2", "8"},
          {"5000", "330", "300", "142", "1/2 2", "2", "1/2", "8"},
          {"6000", "330", "300", "157", "1/2 2", "2", "1/2", "8"},
          {"8000", "330", "300", "182", "3", "1/2 2", "1/2", "10"},
      })
    , PressureTanks1(8, {
          {"1000", "80", "220", "1", "1/2 1", "1/2 1", "1/2", "5"},
          {"1500", "92", "230", "1", "2", "2", "1/2", "5"},
          {"2000", "115", "230", "1", "2", "2", "1/2", "6"},
          {"3000", "140", "230", "1", "2", "2", "1/2", "8"},
      })
    , PressureTanks2(8, {
          {"200", "50", "115", "1", "3/4", "3/4", "1/2", "3"},
          {"300", "50", "165", "1", "1", "1", "1/2", "3"},
          {"400", "56", "165", "1", "1", "1", "1/2", "4"},
          {"500", "65", "170", "1", "1/4 1", "1/4 1", "1/2", "4"},
          {"600", "71", "170", "1", "1/4 1", "1/4 1", "1/2", "4"},
          {"800", "71", "220", "1", "1/2 1", "1/2 1", "1/2", "5"},
      })
    , UnitHeaterCatalogue(6, {
          {"109", "3.2", "0.12", "28623", "531", "UH-20"},
          {"109", "6.8", "0.25", "67230", "1250", "UH-40"},
          {"111", "10.8", "0.33", "87900", "1600", "UH-60"},
          {"110", "13.6", "0.5", "131000", "2358", "UH-80"},
          {"114", "17.8", "0.75", "173320", "2860", "UH-100"},
          {"127", "8.9", "0.25", "90123", "1250", "UH-40"},
          {"130", "13", "0.33", "125460", "1600", "UH-60"},
          {"129", "16.2", "0.5", "176970", "2358", "UH-80"},
          {"128", "19.8", "0.75", "249870", "3440", "UH-100"},
          {"110", "5.8", "0.25", "43960", "800", "UH-20"},
          {"110", "8.2", "0.33", "98870", "1800", "UH-40"},
          {"110", "14.1", "0.5", "121230", "2200", "UH-60"},
          {"108", "17.3", "0.75", "158790", "3200", "UH-80"},
          {"110", "20.5", "0.75", "250050", "4500", "UH-100"},
          {"130", "11", "0.33", "137920", "1800", "UH-40"},
          {"130", "16.8", "0.5", "168680", "2200", "UH-60"},
          {"130", "20", "0.75", "248540", "3200", "UH-80"},
          {"125", "23", "0.75", "389960", "5600", "UH-100"},
      })
    , SoftenerCatalogue(5, {
          {"1/2", "15", "15*100", "15*40", "14"},
          {"1/2", "45", "25*130", "40*50", "42"},
          {"3/4", "60", "30*150", "45*60", "56"},
          {"3/4", "90", "40*150", "45*100", "84"},
          {"1", "150", "50*150", "65*100", "140"},
          {"1/4 1", "210", "60*150", "70*100", "196"},
          {"1/4 1", "270", "60*150", "70*100", "252"},
          {"1/2 1", "300", "65*150", "70*100", "280"},
          {"1/2 1", "360", "70*100", "75*100", "336"},
          {"2", "450", "75*150", "75*120", "420"},
          {"2", "600", "90*150", "90*120", "560"},
          {"2", "660", "90*150", "90*120", "616"},
          {"1/2 2", "750", "100*150", "90*120", "700"},
          {"1/2 2", "900", "110*150", "90*150", "840"},
          {"3", "1200", "120*170", "90*150", "1120"},
          {"4", "1500", "120*200", "110*150", "1400"},
          {"5", "2000", "150*200", "120*150", "1866"},
      })
    , SandFilters(4, {
          {"500", "13", "60*150", "4"},
          {"650", "17", "70*150", "4"},
          {"850", "22", "80*150", "5"},
          {"1100", "28", "91*150", "5"},
          {"1500", "39", "107*150", "6"},
          {"1900", "50", "122*150", "6"},
          {"2400", "63", "137*150", "8"},
          {"3000", "79", "152*150", "8"},
          {"3900", "99", "170*150", "8"},
          {"4300", "112", "180*150", "8"},
          {"5000", "132", "195*150", "8"},
          {"5900", "156", "210*150", "10"},
          {"6750", "180", "230*150", "10"},
          {"7700", "198", "240*150", "10"},
          {"8800", "233", "260*150", "10"},
          {"9700", "261", "275*150", "12"},
          {"12000", "312", "300*150", "12"},
      })
    , FuelTankCatalogue(9, {
          {"500", "3", "65", "150", "165", "1/2 1", "1/2", "1/4 1", "108"},
          {"1000", "3", "90", "150", "170", "1/2 1", "1/2", "1/4 1", "151"},
          {"1500", "3", "112", "150", "170", "1/2 1", "1/2", "1/4 1", "195"},
          {"2000", "3", "112", "200", "230", "1/2 1", "1/2", "1/2 1", "260"},
          {"3000", "3", "142", "200", "230", "2", "3/4", "1/2 1", "341"},
          {"4000", "4", "142", "250", "280", "2", "3/4", "1/2 1", "525"},
          {"5000", "4", "142", "300", "330", "2", "3/4", "1/2 1", "593"},
          {"6000", "4", "157", "300", "330", "2", "3/4", "1/2 1", "676"},
          {"8000", "4", "182", "300", "330", "2", "3/4", "1/2 1", "858"},
          {"10000", "4", "190", "350", "380", "1/2 2", "3/4", "1/2 1", "964"},
          {"12000", "5", "195", "400", "440", "1/2 2", "3/4", "1/2 1", "1343"},
          {"15000", "5", "206", "450", "490", "1/2 2", "1", "2", "1599"},
          {"20000", "5", "215", "550", "590", "1/2 2", "2", "2", "1920"},
          {"25000", "5", "230", "600", "640", "3", "2", "2", "2287"},
          {"30000", "6", "250", "600", "640", "3", "2", "2", "3197"},
          {"35000", "6", "252", "700", "740", "3", "2", "2", "3391"},
          {"40000", "6", "252", "800", "840", "4", "2", "2", "3810"},
      })
    , BoilerCatalogue(6, {
          {"HWC-12", "120000", "2", "110", "90", "75"},
          {"HWC-15", "150000", "2", "120", "90", "75"},
          {"HWC-20", "200000", "2", "120", "100", "80"},
          {"HWC-25", "250000", "2", "130", "100", "85"},
          {"HWS-300", "300000", "3", "200", "100", "120"},
          {"HWS-400", "400000", "4", "200", "110", "130"},
          {"HWS-500", "500000", "4", "230", "110", "130"},
          {"HWS-600", "600000", "4", "270", "120", "150"},
          {"HWS-800", "800000", "5", "280", "130", "150"},
          {"HWS-1000", "1000000", "5", "300", "150", "170"},
          {"HWS-1200", "1200000", "5", "320", "180", "180"},
          {"HWS-1500", "1500000", "5", "350", "180", "180"},
      })
    , BoilerCatalogue2(6, {
          {"STC 60", "65000", "100", "50", "100", "120"},
          {"STC 150", "150000", "300", "75", "135", "120"},
          {"STC 300", "300000", "500", "110", "200", "130"},
          {"STC 400", "400000", "700", "116", "210", "150"},
          {"STC 600", "600000", "1000", "120", "250", "160"},
          {"STC 900", "900000", "1500", "150", "300", "170"},
          {"STC 1250", "1250000", "2000", "150", "350", "170"},
          {"STS/B-250", "1000000", "3", "130", "85", "100"},
          {"STS/B-300", "1200000", "3", "200", "100", "120"},
          {"STS/B-400", "1600000", "4", "200", "110", "130"},
          {"STS/B-500", "2000000", "4", "230", "110", "130"},
          {"STS/B-600", "2400000", "4", "270", "120", "150"},
          {"STS/B-800", "3200000", "5", "280", "130", "150"},
          {"STS/B-1000", "4000000", "5", "300", "150", "160"},
          {"STS/B-1200", "4800000", "5", "320", "180", "170"},
          {"STS/B-1500", "6000000", "5", "350", "180", "180"},
      })
    , FurnaceCatalogue(6, {
          {"WAF_15", "150000", "2", "120", "85", "115"},
          {"WAF_20", "200000", "3", "150", "90", "125"},
          {"WAF_25", "250000", "5", "200", "100", "135"},
          {"WAF_30", "300000", "5", "220", "110", "140"},
      })
    , OpenExpansionTanks(9, {
          {"100", "40", "40", "60", "1/2 1", "1/2", "1", "2", "24"},
          {"125", "50", "50", "50", "1/2 1", "1/2", "1", "2", "27"},
          {"150", "50", "50", "60", "1/2 1", "1/2", "1", "2", "31"},
          {"200", "50", "50", "80", "1/2 1", "1/2", "1/4 1", "2", "38"},
          {"250", "50", "50", "100", "1/2 1", "1/2", "1/4 1", "2", "45"},
          {"300", "55", "55", "100", "1/2 1", "1/2", "1/4 1", "2", "49"},
          {"350", "60", "60", "100", "1/2 1", "1/2", "1/4 1", "2", "54"},
          {"400", "65", "65", "100", "1/2 1", "1/2", "1/4 1", "2", "60"},
          {"500", "72", "72", "100", "2", "3/4", "1/2 1", "2", "67"},
          {"600", "75", "80", "100", "2", "3/4", "1/2 1", "2.5", "95"},
          {"700", "80", "90", "100", "2", "3/4", "1/2 1", "2.5", "104"},
          {"800", "90", "90", "100", "2", "3/4", "1/2 1", "2.5", "112"},
          {"900", "90", "100", "100", "2", "3/4", "1/2 1", "3", "142"},
          {"1000", "100", "100", "100", "1/2 2", "1", "2", "3", "152.5"},
          {"1200", "120", "100", "100", "1/2 2", "1", "2", "3", "171"},
          {"1500", "150", "100", "100", "1/2 2", "1", "2", "3", "200"},
          {"2000", "200", "100", "100", "1/2 2", "1", "2", "3", "250"},
          {"3000", "200", "150", "100", "1/2 2", "1", "2", "3", "322"},
      })
    , DiaphragmExpansionTanks(4, {
          {"8", "310*245", "3/4", "3.8"},
          {"12", "341*286", "3/4", "5.1"},
          {"18", "333*328", "3/4", "6.4"},
          {"25", "384*358", "3/4", "7.6"},
          {"35", "412*396", "3/4", "9"},
      })
    , HydropneumaticExpansionTanks(5, {
          {"200", "3", "50*100", "3/4", "1/2"},
          {"300", "3", "50*150", "3/4", "1/2"},
          {"400", "3", "58*150", "3/4", "1/2"},
          {"500", "3", "64*150", "3/4", "1/2"},
          {"600", "4", "71*150", "3/4", "1/2"},
          {"700", "4", "76*150", "3/4", "1/2"},
          {"800", "4", "82*150", "3/4", "1/2"},
          {"1000", "4", "79*200", "1", "1/2"},
          {"1500", "5", "96*200", "1", "1/2"},
          {"2000", "5", "112*200", "1", "1/2"},
      })
    , FanCatalogue(3, {
          {"180", "1400", "32"},
          {"360", "1400", "32"},
          {"550", "1400", "46"},
          {"720", "1400", "55"},
      })
{
    fill(HotWaterDemand.cells, kHotWaterDemand);
    for (int i = 0; i < FixtureReturnWeightsTable::Count; ++i)
        FixtureReturnWeights.weights[std::size_t(i)] = kFixtureReturnWeights[i];

    for (auto &slot : SteamTable.rowValues)
        slot.fill(0.0);
    for (int r = 0; r < SaturatedSteamTable::FilledRowCount; ++r)
        for (int c = 0; c < SaturatedSteamTable::CellCount; ++c)
            SteamTable.rowValues[std::size_t(r)][std::size_t(c)] = kSteam[r][c];

    for (int i = 0; i < PumpStartCurveTable::PointCount; ++i) {
        PumpStartCurve.x[std::size_t(i)] = kPumpStartX[i];
        PumpStartCurve.y[std::size_t(i)] = kPumpStartY[i];
    }
    for (int i = 0; i < WaterExpansionTable::PointCount; ++i) {
        WaterExpansion.temperatures[std::size_t(i)] = kExpansionT[i];
        WaterExpansion.percents[std::size_t(i)] = kExpansionPct[i];
    }

    fill(RadiatorSections.cells, kRadiatorSections);
    for (int i = 0; i < RadiatorSectionsTable::RowCount; ++i)
        RadiatorSections.sizeNames[std::size_t(i)] = QString::fromLatin1(kRadiatorSizeNames[i]);
    fill(RadiatorFactors.grid, kRadiatorFactors);
    fill(UnitHeaterFactors.grid, kUnitHeaterFactors);

    for (int i = 0; i < PipeSizeNamesTable::Count; ++i)
        PipeSizeNames.names[std::size_t(i)] = QString::fromLatin1(kPipeSizeNames[i]);
    fill(PipeCapacity.cells, kPipeCapacity);
    fill(PipeVelocity.cells, kPipeVelocity);
}

const Catalogues &catalogues()
{
    static const Catalogues all;
    return all;
}

} // namespace bv::sizing
