#include "boravest/sizing/PoolExchanger.h"

#include "boravest/sizing/Catalogues.h"
#include "platform/common/Numbers.h"

#include <cmath>

namespace bv::sizing {

namespace {

constexpr double GallonsPerCubicFoot = 7.5;
constexpr double BtuPerGallonDegree = 8.33;

struct Variant {
    bool jacuzzi;
    double startUpFactor;   // applied to the heat-up energy
    double surfaceFactor;   // second factor of the surface loss
    double hotWaterU;       // Btu/h.sq.ft.F
    double steamU;
    const char *temperatureMessage;
    const char *countMessage;
};

const Variant Pool{false, 1.0, 0.9, 169, 230,
                   "دماي آب سرد ورودي وآبگرم استخر و آب گرم گردشي سيستم را كنترل نماييد",
                   "تعداد مبدل را مشخص كنيد"};
const Variant Jacuzzi{true, 0.55, 1.0, 170, 232,
                      "دماي آب سرد ورودي وآبگرم جكوزي و آب گرم گردشي سيستم را كنترل نماييد",
                      "تعداد مبدل را تعيين كنيد"};

const char *const EfficiencyMessage = "راندمان مبدل را تصحيح كنيد";

ExchangerResults stopWith(ExchangerResults res, const char *message)
{
    res.messages << QString::fromUtf8(message);
    res.stopped = true;
    return res;
}

// The jets of the jacuzzi: pump head, pipe and pump power.
void sizeJets(const ExchangerInputs &in, ExchangerResults &res)
{
    const auto &cat = catalogues();
    const int jets = in.Te_Naz;
    res.jetPumpHead = jets * 8 * 2.31;
    res.jetFlow = jets * 17.4;
    const int row = cat.PipeCapacity.rowOfFriction(in.OfteFeshar);

    // Largest flow of each jet pipe and its pipe size number.
    static const struct { double upTo; const char *name; int size; } pipes[] = {
        {17.4, "1 1/2", 5}, {37.8, "2 ", 6},  {65.5, "2 1/2", 7}, {110.5, "3 ", 8},
        {189, "4 ", 10},    {527, "6 ", 12},  {1200, "8 ", 13},   {2090, "10 ", 14},
    };
    for (const auto &p : pipes) {
        if (res.jetFlow <= p.upTo) {
            res.jetPipeSize = QString::fromUtf8(p.name);
            if (row > 0) {
                res.jetPipeCapacity = cat.PipeCapacity.capacity(row, p.size);
                res.jetPipeVelocity = cat.PipeVelocity.velocity(row, p.size);
            }
            break;
        }
    }
    double altitude = (in.Hi - 500) / 10000 + 1;
    if (altitude < 1)
        altitude = 1;
    res.jetPumpPower = res.jetPumpHead * res.jetPipeCapacity / 2970 * altitude;
}

// Mean temperature difference of a coil at `th` heating water from `tc` to
// `tp`; false when the logarithmic mean has no value (an end at or below 0,
// or both ends equal).
bool meanDifference(double th, double tc, double tp, ExchangerResults &res)
{
    const double theta1 = th - tc;
    const double theta2 = th - tp;
    if (theta1 <= 0 || theta2 <= 0 || theta1 == theta2)
        return false;
    res.lmtd = (theta1 - theta2) / std::log(theta1 / theta2);
    res.amtd = th - (tc + tp) / 2.0;
    res.mtd = (res.lmtd + res.amtd) / 2;
    return true;
}

ExchangerResults sizeExchanger(const ExchangerInputs &in, const Variant &v)
{
    ExchangerResults res;
    const double e = in.efficiency;
    if (e < 1)
        return stopWith(res, EfficiencyMessage);

    const int tp = in.waterTemperature;
    const int tc = in.DamAbSh;
    const double ta = v.jacuzzi ? double(pf::roundToInt(in.ambientTemperature)) : in.ambientTemperature;

    res.waterVolume = in.area * in.depth * GallonsPerCubicFoot;
    if (v.jacuzzi && in.heatUpTime <= 0)
        return stopWith(res, "مدت زمان گرم شدن آب جكوزي را مشخص كنيد");
    if (in.heatUpTime > 0)
        res.startUpEnergy = BtuPerGallonDegree * res.waterVolume * (tp - tc) / in.heatUpTime * v.startUpFactor;
    res.surfaceLoss = 105 * in.area * (tp - ta) * 0.1 * v.surfaceFactor;
    res.totalEnergy = (res.startUpEnergy + res.surfaceLoss) / (e / 100);

    if (v.jacuzzi)
        sizeJets(in, res);

    double u = 0;
    double th = 0;
    if (in.type == ExchangerHotWater) {
        th = in.DAbgarm;
        if (th <= tc || th <= tp)
            return stopWith(res, v.temperatureMessage);
        // Cold water at the desired temperature leaves both ends equal.
        if (!meanDifference(th, tc, tp, res))
            return stopWith(res, v.temperatureMessage);
        if (in.count < 1)
            return stopWith(res, v.countMessage);
        if (v.jacuzzi && e > 97)
            return stopWith(res, EfficiencyMessage);
        u = v.hotWaterU;
    } else if (in.type == ExchangerSteam) {
        const auto &steam = catalogues().SteamTable;
        const double pa = in.steamPressure + SaturatedSteamTable::AtmosphericPsia;
        if (pa < steam.pressure(1))
            return stopWith(res, "فشار ورودي بخار به مبدل را تصحيح كنيد");
        const SteamProperties props = steam.atAbsolutePressure(pa);
        if (!props.inRange)
            return res; // at or above the table's last pressure: no steam values
        res.saturationTemperature = props.saturationTemperature;
        res.latentHeat = props.latentHeat;
        res.vapourEnthalpy = props.vapourEnthalpy;
        res.steamUse = res.totalEnergy / res.vapourEnthalpy;
        res.condensate = res.totalEnergy / res.latentHeat;
        res.trapCapacity = 3 * res.totalEnergy / res.latentHeat;
        if (in.count < 1)
            return stopWith(res, v.countMessage);
        if (v.jacuzzi && e > 97)
            return stopWith(res, EfficiencyMessage);
        th = res.saturationTemperature;
        if (!meanDifference(th, tc, tp, res))
            return stopWith(res, v.temperatureMessage);
        u = v.steamU;
    } else {
        return res;
    }
    res.coilSurface = res.totalEnergy / (u * res.mtd) / in.count;
    return res;
}

} // namespace

ExchangerResults sizePoolExchanger(const ExchangerInputs &in) { return sizeExchanger(in, Pool); }

ExchangerResults sizeJacuzziExchanger(const ExchangerInputs &in) { return sizeExchanger(in, Jacuzzi); }

} // namespace bv::sizing
