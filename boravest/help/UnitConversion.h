#pragma once
// The arithmetic of the unit conversion table: the units of its eleven
// quantities with their factors, its own rounding, and the conversion of one
// typed text into the captions of every unit of a quantity.
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace unitconv {

// Quantities in the order of the table's selector column.
enum Quantity {
    Length = 0,
    Area,
    Volume,
    Mass,
    Velocity,
    Density,
    VolumeFlow,
    Pressure,
    Energy,
    Conductance,
    Temperature,
};
constexpr int QuantityCount = 11;
constexpr int MaxUnits = 7;

// Number of units of a quantity.
int unitCount(int quantity);

// Base units in one unit (1-based unit number; unit 1 is the base, factor 1).
// Area uses the squares of the length factors. Temperature has no factors
// (0 is returned).
double factor(int quantity, int unit);

// The table's rounding of a result, finer for smaller values; negative values
// always keep 6 decimals. Values too large to hold a fraction come back as
// they are, so nothing is ever squeezed into a 64-bit whole number.
double RoundX(double x);

struct ConversionInputs {
    int quantity = Length;
    int sourceUnit = 1;   // 1-based unit the text is read in
    QString text;         // the input edit's text, as typed
};

struct ConversionResults {
    // New caption of each result panel (index = unit - 1); empty: the panel
    // keeps what it shows.
    std::array<std::optional<QString>, MaxUnits> captions;
    // A text that is no number and cannot become one by typing further; the
    // message to report. Empty otherwise.
    QString error;
};

// A text that is the start of a number still being typed: "-", ".", "-.",
// "1e", "2.5e-".
bool isPartialNumber(const QString &text);

// One change of a quantity's input edit.
ConversionResults convert(const ConversionInputs &in);

} // namespace unitconv
