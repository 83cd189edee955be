#pragma once
// Heat-transfer coefficient U of a wall, roof or floor built of layers of
// up to 28 materials of given thickness (inches).
#include <QString>
#include <array>
#include <cstdint>

namespace building {

constexpr int kMaterialCount = 28;

// Surface kinds of a U-value request.
enum UValueKind {
    UKindExternalWall = 1,
    UKindInternalWall = 2,
    UKindExternalRoof = 3,
    UKindInternalCeiling = 4, // internal ceiling, false ceiling or floor on the ground
    UKindFloorOffGround = 5,
};

// Resistance per inch of material 1..28 (h.sq.ft.F/Btu per in); 0 outside.
double materialResistancePerInch(int material);

// Resistance of the two surface air films of a kind; 0 for any other kind.
double filmResistance(int kind);

// U = 1.1 / (sum of thickness x resistance over the layers thicker than 0
// + film resistance), rounded to 3 decimals (ties to even); 0 when no layer
// is thicker than 0.
double CalcZaribHedayat(const std::array<double, kMaterialCount> &thickness, int kind);

// Reads a thickness input as the number written "0" followed by its text,
// so an empty input is 0. False for a text that is no number ("1.2.3").
bool thicknessFromText(const QString &text, double *inches);

// CalcZaribHedayat over the 28 input texts; false (and *u untouched) when
// one of them does not convert.
bool CalcZaribHedayat(const std::array<QString, kMaterialCount> &texts, int kind, double *u);

// How the U-value dialog answers a page (UValueRequest.Key).
constexpr std::uint8_t kAnswerEnter = 13; // a U-value was worked out
constexpr std::uint8_t kAnswerEsc = 27;   // nothing was

// Window and door types with their preset U-values. A type's code (1 .. 13)
// is what the general data stores as its window and door choices: windows
// 1 .. 3, doors 4 .. 13.
constexpr int kFirstWindowType = 1, kLastWindowType = 3, kFirstDoorType = 4, kLastDoorType = 13;
// The preset U-value of a type as text ("1.23", "0.7") and as a number;
// empty and 0 outside 1 .. 13.
QString openingUText(int code);
double openingU(int code);

} // namespace building
