#pragma once
// Values derived from a city's climate when a project is saved.

namespace building {

// Air density ratio of the site from its altitude (ft) and outdoor design
// temperature (F): read from a table by altitude (0..9000 ft, interpolated
// between the thousands, clamped outside), one column for 12 F and below,
// one for 50 F and above, interpolated in temperature between them.
// Returned unrounded.
double Chegali(double altitudeFt, double outdoorF);

// Ground temperature (F) from the outdoor design temperature (F), by linear
// interpolation through (-30, 40) .. (20, 65), the end segments extended.
double Damaz(double outdoorF);

} // namespace building
