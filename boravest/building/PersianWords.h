#pragma once
// Numbers and material layers written as Persian text for the booklets.
#include "boravest/building/UValue.h"

#include <QString>
#include <array>

namespace building {

// A count as a Persian cardinal word: 0 "همكف" (ground floor), 1..50 the
// cardinals "يك" .. "پنجاه"; any other number its decimal digits.
QString ConvertTabage(int n);

// The material layers of one wall or roof type as one line: for each of the
// 28 materials in order whose thickness text is not empty, the material's
// name, the thickness text and "اينچ," with no blanks between them. A
// thickness written "0" is listed too.
QString Masaleh(const std::array<QString, kMaterialCount> &thicknessTexts);

// A number for a right-to-left text: its absolute value in the system's
// number form, followed by "-" when it is negative ("5-", "12.5").
QString signAfter(double v);

} // namespace building
