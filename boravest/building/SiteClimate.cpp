#include "boravest/building/SiteClimate.h"

#include <cmath>

namespace building {

namespace {

// Air density ratio by altitude in steps of 1000 ft: column A at an outdoor
// design temperature of 12 F and below, column B at 50 F and above.
constexpr double kDensityCold[10] = {1.10, 1.06, 1.07, 1.035, 0.96, 0.95, 0.91, 0.88, 0.85, 0.80};
constexpr double kDensityWarm[10] = {1.01, 0.98, 0.97, 0.93, 0.90, 0.87, 0.85, 0.80, 0.78, 0.75};
constexpr double kColdF = 12;
constexpr double kWarmF = 50;
constexpr double kMaxAltitude = 9000;

// One column at an altitude already clamped to 0..9000.
double atAltitude(const double (&column)[10], double altitude)
{
    const int below = static_cast<int>(std::floor(altitude / 1000));
    const double rest = altitude - below * 1000.0;
    if (rest == 0 || below >= 9)
        return column[below];
    return column[below] + rest / 1000.0 * (column[below + 1] - column[below]);
}

// (outdoor design temperature F, ground temperature F)
constexpr double kGroundPoints[6][2] = {{-30, 40}, {-20, 45}, {-10, 50}, {0, 55}, {10, 60}, {20, 65}};

} // namespace

double Chegali(double altitudeFt, double outdoorF)
{
    double altitude = altitudeFt;
    if (altitude > kMaxAltitude)
        altitude = kMaxAltitude;
    if (!(altitude > 0))
        altitude = 0;
    const double a = atAltitude(kDensityCold, altitude);
    const double b = atAltitude(kDensityWarm, altitude);
    if (outdoorF <= kColdF)
        return a;
    if (outdoorF >= kWarmF)
        return b;
    return a + (outdoorF - kColdF) / (kWarmF - kColdF) * (b - a);
}

double Damaz(double outdoorF)
{
    // Segment whose span holds the temperature; the first and last extend
    // beyond the table.
    int seg = 0;
    while (seg < 4 && outdoorF > kGroundPoints[seg + 1][0])
        ++seg;
    const double x0 = kGroundPoints[seg][0], y0 = kGroundPoints[seg][1];
    const double x1 = kGroundPoints[seg + 1][0], y1 = kGroundPoints[seg + 1][1];
    if (outdoorF == x0)
        return y0;
    if (outdoorF == x1)
        return y1;
    return y0 + (outdoorF - x0) / (x1 - x0) * (y1 - y0);
}

} // namespace building
