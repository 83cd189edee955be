#include "boravest/help/UnitConversion.h"

#include "platform/common/Numbers.h"

#include <QRegularExpression>

#include <cmath>

namespace unitconv {

namespace {

constexpr double kLength[] = {1, 0.01, 0.30475, 0.025398};
constexpr double kVolume[] = {1, 0.001, 0.0037854, 0.0283};
constexpr double kMass[] = {1, 1000, 0.4535, 0.06478};
constexpr double kVelocity[] = {1, 0.0167, 0.00508, 0.304799};
constexpr double kDensity[] = {1, 16.0185, 27679.898, 119.826};
constexpr double kFlow[] = {1, 3.59999, 1.69901, 0.22712};
constexpr double kPressure[] = {1, 0.02947, 0.03342, 0.0013157, 0.068048, 0.98022, 0.96783};
constexpr double kEnergy[] = {1, 3.96832, 3412.142, 2544.432, 0.9478};
constexpr double kConductance[] = {1, 0.204918, 0.17611};

constexpr int kCounts[QuantityCount] = {4, 4, 4, 4, 4, 4, 4, 7, 5, 3, 4};

// Beyond 2^52 a double holds no fraction at all.
constexpr double kNoFraction = 4503599627370496.0;

QString text(double v) { return pf::floatToStr(v); }

} // namespace

int unitCount(int quantity) { return quantity >= 0 && quantity < QuantityCount ? kCounts[quantity] : 0; }

double factor(int quantity, int unit)
{
    if (unit < 1 || unit > unitCount(quantity))
        return 0;
    const int i = unit - 1;
    switch (quantity) {
    case Length: return kLength[i];
    case Area: return kLength[i] * kLength[i];
    case Volume: return kVolume[i];
    case Mass: return kMass[i];
    case Velocity: return kVelocity[i];
    case Density: return kDensity[i];
    case VolumeFlow: return kFlow[i];
    case Pressure: return kPressure[i];
    case Energy: return kEnergy[i];
    case Conductance: return kConductance[i];
    default: return 0;
    }
}

double RoundX(double x)
{
    int decimals = 6;
    if (x >= 500)
        decimals = 0;
    else if (x >= 1)
        decimals = 1;
    else if (x >= 0.1)
        decimals = 2;
    else if (x >= 0.01)
        decimals = 3;
    else if (x >= 0.001)
        decimals = 4;
    else if (x >= 0.0001)
        decimals = 5;
    if (!std::isfinite(x) || std::fabs(x) * std::pow(10.0, decimals) >= kNoFraction)
        return x;
    return pf::roundHalfEven(x, decimals);
}

bool isPartialNumber(const QString &t)
{
    static const QRegularExpression re(
        QStringLiteral(R"(^\s*[+-]?(\.?|(\d+\.?\d*|\.\d+)[eE][+-]?)$)"));
    return re.match(t).hasMatch();
}

namespace {

void convertTemperature(int k, double t, ConversionResults &r)
{
    constexpr double five9 = 5.0 / 9.0;
    constexpr double off = 160.0 / 9.0;
    auto &c = r.captions;
    if (k == 1) {
        c[1] = text(RoundX((t + off) / five9));
        c[2] = text(RoundX(t + 273.15));
        c[3] = text(RoundX((t + 273.15) / five9));
        return;
    }
    // From F, K and R every unit is worked out from the rounded Celsius
    // value, and a value below zero is written with its sign after it.
    auto signAfter = [](double v) { return v < 0 ? text(-v) + QLatin1Char('-') : text(v); };
    double cel = 0;
    if (k == 2)
        cel = RoundX((t - 32) * five9);
    else if (k == 3)
        cel = RoundX(t - 273.15);
    else
        cel = RoundX((t - 491.67) * five9);
    c[0] = signAfter(cel);
    if (k != 2)
        c[1] = signAfter(RoundX((off + cel) / five9));
    if (k != 3)
        c[2] = signAfter(RoundX(273.15 + cel));
    if (k != 4)
        c[3] = signAfter(RoundX((273.15 + cel) / five9));
}

} // namespace

ConversionResults convert(const ConversionInputs &in)
{
    ConversionResults r;
    const int n = unitCount(in.quantity);
    const int k = in.sourceUnit;
    if (in.text.isEmpty() || k < 1 || k > n)
        return r;
    r.captions[k - 1] = in.text;
    double v = 0;
    if (!pf::strToFloat(in.text, &v)) {
        if (!isPartialNumber(in.text))
            r.error = QStringLiteral("'%1' is not a valid floating point value").arg(in.text);
        return r;
    }
    if (in.quantity == Temperature) {
        convertTemperature(k, v, r);
        return r;
    }
    double base = v;
    if (k > 1) {
        const QString b = text(RoundX(v * factor(in.quantity, k)));
        r.captions[0] = b;
        // The other units carry the rounding of the base value shown.
        pf::strToFloat(b, &base);
    }
    for (int j = 2; j <= n; ++j)
        if (j != k)
            r.captions[j - 1] = text(RoundX(base / factor(in.quantity, j)));
    return r;
}

} // namespace unitconv
