#pragma once
// Number <-> text in the system's own form, always in the C locale, and the
// half-to-even rounding used wherever a value is "rounded".
#include <QString>
#include <cstdint>

namespace pf {

// The text `make` makes of `key`, kept per thread among the last ones made
// (by key and maker, 512 at most, two to a place) and handed out shared: a
// report prints the same few values again and again.
QString keptText(quint64 key, QString (*make)(quint64 key));

// Up to 15 significant digits, no trailing zeros, no exponent for ordinary
// magnitudes ("12.5", "0.403", "-3", "1E20" only for huge values).
QString floatToStr(double v);

// The same value written without an exponent whatever its magnitude, as a
// page shows its numbers: up to 15 significant digits and no trailing zeros
// ("12.5", "0.00005", "12345678901234500000" for 1.234567890123450E19).
// NAN and INF as floatToStr writes them.
QString plainNumberText(double v);

// Whether a number typed into a box can be shown again as it was typed:
// finite, and less than 1E15 in size once rounded to 15 significant digits
// (15 digits before the point at most: below 999999999999999.5), so that
// neither a box nor a page ever writes it with an exponent.
bool showsAsTyped(double v);

// Persian (U+06F0..U+06F9) and Arabic-Indic (U+0660..U+0669) digits as the
// digits 0-9, as a Persian or Arabic keyboard types them; every other
// character as it is.
QString latinDigits(const QString &text);

// Parses a decimal number written with '.' as the point; leading and
// trailing blanks are ignored. Returns false (and leaves *out alone) for
// anything else: empty text, "1.2.3", "12a", "--1", and a value no double
// holds (beyond 1.8E308, or too small to be anything but 0). Whatever
// floatToStr and plainNumberText write reads back, to their 15 digits.
bool strToFloat(const QString &text, double *out);

// Whole-number text ("12", "-3", blanks around allowed).
bool strToInt(const QString &text, int64_t *out);

// The value as a whole number of billionths, exactly as its decimal text
// (floatToStr) reads: 12.9 gives 12900000000 although the double is a little
// less. False, and *out left alone, when the text has more than nine
// decimals or an exponent, or the value is a billion or more. Sums and
// multiples of such numbers then compare as the typed texts do, where binary
// floating point may not (3 x 4.3 is not 12.9 there).
bool exactBillionths(double v, int64_t *out);

// Negative numbers as the right-to-left inputs show them: minusToEnd moves
// the first minus sign of a text to its end ("-12" -> "12-", "1-2" ->
// "12-"), minusToFront moves it to the front, where the conversions expect
// it ("12-" -> "-12"). A text without a minus sign comes back unchanged.
QString minusToEnd(const QString &text);
QString minusToFront(const QString &text);

// Rounds to the given number of decimals, a tie going to the even neighbour.
double roundHalfEven(double v, int decimals = 0);

// Nearest whole number, ties to the even neighbour (2.5 -> 2, 3.5 -> 4);
// beyond the 64-bit range the nearer end, and 0 for a value that is no number.
int64_t roundToInt(double v);

} // namespace pf
