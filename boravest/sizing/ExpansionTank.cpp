#include "boravest/sizing/ExpansionTank.h"

#include "boravest/sizing/Catalogues.h"
#include "platform/common/Numbers.h"

#include <algorithm>
#include <cmath>

namespace bv::sizing {

const char *const kMsgPumpDischargeFirstLine = "               با توجه به نصب منبع در مسير رانش پمپ ";
const char *const kMsgPumpDischargeSecondLine = " ابتدا وضعيت پمپ سيركولاتور سيستم را مشخص كنيد";
const char *const kMsgNoDiaphragmTank =
    "با توجه به ظرفيت استاندارد انتخاب منبع انبساط ديافراگمي متناسب با طراحي نمي باشد";
const char *const kMsgNoHydropneumaticTank =
    "با توجه به ظرفيت استاندارد انتخاب منبع انبساط هيدروپنوماتيكي متناسب با طراحي نمي باشد";
const char *const kMsgNoOpenTank = "با توجه به ظرفيت استاندارد انتخاب منبع انبساط باز متناسب با طراحي نمي باشد";
const char *const kMsgCorrectCirculatingTemperature = "دماي آبگرم گردشي در سيستم را تصحيح كنيد";
const char *const kMsgExpansionNegligible =
    "با توجه به دماي آبگرم گردشي سيستم افزايش حجم آب صفر در نظر گرفته شده است";
const char *const kMsgCorrectPipeLengths = "طول لوله هاي مورد استفاده در طراحي سيستم را تصحيح كنيد";

namespace {

constexpr double kLitresPerGallon = 3.78;
constexpr double kLbPerGallon = 8.33;

// Water per foot of pipe (lb/ft) of the 19 columns: steel 1/2 .. 20 in,
// copper 1/4 .. 8 in (the copper list has 15 sizes).
constexpr double kSteelWater[PipeLengthColumns] = {0.1316, 0.2301, 0.374, 0.6471, 0.882, 1.452, 2.072,
                                                   3.2,    4.28,   5.51,  8.66,   12.51, 21.6,  34.1,
                                                   49.6,   59.8,   79.1,  100.8,  126.7};
constexpr double kCopperWater[15] = {0.036, 0.069, 0.11, 0.224, 0.379, 0.566, 0.793, 1.372,
                                     2.12,  3.02,  4.06, 5.262, 8.18,  11.75, 20.6};

} // namespace

QString pumpDischargeMessage()
{
    return QString::fromUtf8(kMsgPumpDischargeFirstLine) + QLatin1Char('\n')
           + QString::fromUtf8(kMsgPumpDischargeSecondLine);
}

PipeLengthTexts pipeLengthTextsFromList(const QString &list)
{
    PipeLengthTexts texts;
    qsizetype from = 0;
    for (int c = 0; c < PipeLengthColumns; ++c) {
        const qsizetype comma = list.indexOf(QLatin1Char(','), from);
        if (comma < 0)
            break;
        texts[std::size_t(c)] = list.mid(from, comma - from);
        from = comma + 1;
    }
    return texts;
}

double waterPerFoot(int material, int column)
{
    if (column < 1 || column > PipeLengthColumns)
        return 0;
    if (material == 0)
        return kSteelWater[column - 1];
    if (material == 1 && column <= 15)
        return kCopperWater[column - 1];
    return 0;
}

ExpansionTankResults sizeExpansionTank(const ExpansionTankInputs &in)
{
    ExpansionTankResults r;
    const auto say = [&](const QString &message) {
        if (!in.reportMode)
            r.messages << message;
    };
    const auto stop = [&](const QString &message) {
        say(message);
        r.stopped = true;
        r.expansionPercent = r.tankWaterGal = 0;
        r.row = 0;
        return r;
    };

    for (int c = 1; c <= PipeLengthColumns; ++c) {
        const QString text = in.lengths[std::size_t(c - 1)].trimmed();
        if (text.isEmpty())
            continue;
        double length = 0;
        if (!pf::strToFloat(QLatin1Char('0') + text, &length))
            return stop(QString::fromUtf8(kMsgCorrectPipeLengths));
        r.pipeWaterLb += length * waterPerFoot(in.T_L_Baz, c);
    }
    r.boilerWaterGal = in.V_B_M_E;
    r.pipeWaterGal = r.pipeWaterLb / kLbPerGallon;
    r.systemWaterGal = r.pipeWaterGal + r.boilerWaterGal;
    // The connection figure grows with the boiler load; a load below 0 adds
    // nothing to it.
    r.connectionPipeMm = std::max(15 + 1.5 * std::sqrt(std::max(in.boilerTotalLoad, 0.0) / 4000), 26.0);

    const Catalogues &cat = catalogues();
    if (in.Typ_ME == OpenExpansionTank) {
        // The expansion table runs from 100 to 350 F; nothing is read
        // outside it.
        const Interpolated pct = cat.WaterExpansion.percentAt(in.DAbgarm);
        if (!pct.inRange)
            return stop(QString::fromUtf8(kMsgCorrectCirculatingTemperature));
        r.expansionPercent = pct.value;
        r.tankWaterGal = r.systemWaterGal * pct.value / 100;
        r.row = cat.OpenExpansionTanks.select(kLitresPerGallon * r.tankWaterGal);
        if (r.row == 0)
            say(QString::fromUtf8(kMsgNoOpenTank));
        return r;
    }
    if (in.Typ_ME != DiaphragmExpansionTank && in.Typ_ME != HydropneumaticExpansionTank)
        return r;

    const double e = in.ErtefaS;
    const double h = in.hed_pmpsir;
    const bool diaphragm = in.Typ_ME == DiaphragmExpansionTank;
    double a = 0;
    if (in.Chk_nsbM) {
        if (e > h)
            a = diaphragm ? 1 - (h + e + 38) / (2.29 * e + 34) : 34 / (h + e + 38) - 34 / (2.29 * e + 34);
    } else {
        a = diaphragm ? 1 - (e + 38) / (2.29 * e + 34) : 34 / (e + 38) - 34 / (2.29 * e + 34);
    }
    r.acceptanceFactor = a;
    if (!(a > 0))
        return stop(pumpDischargeMessage());

    double expansion = 0.00041 * in.DAbgarm - 0.0466;
    // Water below about 113.7 F gives a negative ratio by this rule; it is
    // taken as no expansion so that low-temperature systems stay possible.
    if (expansion < 0) {
        expansion = 0;
        r.expansionTakenAsZero = true;
        say(QString::fromUtf8(kMsgExpansionNegligible));
    }
    r.tankWaterGal = expansion * r.systemWaterGal / a;
    r.expansionPercent = expansion * 100;
    const double litres = kLitresPerGallon * r.tankWaterGal;
    r.row = diaphragm ? cat.DiaphragmExpansionTanks.select(litres) : cat.HydropneumaticExpansionTanks.select(litres);
    if (r.row == 0)
        say(QString::fromUtf8(diaphragm ? kMsgNoDiaphragmTank : kMsgNoHydropneumaticTank));
    return r;
}

} // namespace bv::sizing
