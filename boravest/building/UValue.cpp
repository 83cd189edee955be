#include "boravest/building/UValue.h"

#include "platform/common/Numbers.h"

namespace building {

namespace {

// In the order of the thickness inputs: common brick, face brick, hollow
// brick, cement block, gypsum plaster, cement plaster, cement mortar, heavy
// concrete, light concrete, glazed tile, ceramic, light asphalt, heavy
// asphalt, hardwood, softwood, floor covering, glass wool, bitumen felt with
// membrane, roof pumice fill, brick jack-arch, dry gravel, plaster
// undercoat, natural stone, joist-and-block slab 20, corrugated asbestos
// sheet, corrugated galvanised sheet, iron, particle board.
constexpr double kResistancePerInch[kMaterialCount] = {
    0.2,  0.11, 0.24, 0.17, 0.28, 0.2,  0.2,  0.2,  0.6,   0.18,  0.18, 0.12, 0.44, 0.49,
    0.62, 0.05, 2.5,  0.05, 0.6,  0.8,  0.37, 0.22, 0.09, 2.72, 0.08, 0.002, 0.003, 0.68,
};

// U is 1.1 (not 1) divided by the total resistance.
constexpr double kUNumerator = 1.1;

} // namespace

double materialResistancePerInch(int material)
{
    if (material < 1 || material > kMaterialCount)
        return 0;
    return kResistancePerInch[material - 1];
}

double filmResistance(int kind)
{
    switch (kind) {
    case UKindExternalWall: return 0.85;
    case UKindInternalWall: return 1.36;
    case UKindExternalRoof: return 0.78;
    case UKindInternalCeiling: return 1.22;
    case UKindFloorOffGround: return 1.40;
    default: return 0;
    }
}

double CalcZaribHedayat(const std::array<double, kMaterialCount> &thickness, int kind)
{
    double s = 0;
    for (int i = 0; i < kMaterialCount; ++i) {
        if (thickness[i] > 0)
            s += thickness[i] * kResistancePerInch[i];
    }
    if (s == 0)
        return 0;
    const double r = s + filmResistance(kind);
    return pf::roundHalfEven(kUNumerator / r, 3);
}

bool thicknessFromText(const QString &text, double *inches)
{
    return pf::strToFloat(QStringLiteral("0") + text, inches);
}

bool CalcZaribHedayat(const std::array<QString, kMaterialCount> &texts, int kind, double *u)
{
    std::array<double, kMaterialCount> thickness{};
    for (int i = 0; i < kMaterialCount; ++i) {
        if (!thicknessFromText(texts[i], &thickness[i]))
            return false;
    }
    *u = CalcZaribHedayat(thickness, kind);
    return true;
}

namespace {
// Preset U-value (Btu/h.sq.ft.F) of each window and door type, by code.
const char *const kOpeningU[kLastDoorType + 1] = {"",     "1.23", "0.65", "0.36", "0.7",  "0.45", "0.75",
                                                  "0.95", "1.2",  "1.15", "1.05", "0.3",  "0.45", "0.6"};
} // namespace

QString openingUText(int code)
{
    return code >= kFirstWindowType && code <= kLastDoorType ? QString::fromLatin1(kOpeningU[code]) : QString();
}

double openingU(int code)
{
    double u = 0;
    return pf::strToFloat(openingUText(code), &u) ? u : 0;
}

} // namespace building
