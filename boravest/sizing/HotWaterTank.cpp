#include "boravest/sizing/HotWaterTank.h"

#include "boravest/sizing/Catalogues.h"

#include <algorithm>
#include <cmath>

namespace bv::sizing {

const char *const kMsgSetExchangerCount = "تعداد مبدل را تعيين كنيد";
const char *const kMsgCorrectExchangerEfficiency = "راندمان مبدل را تصحيح كنيد";
const char *const kMsgCheckHotWaterTemperatures = "دما هاي آب گرم گردشي و بهداشتي و شهر را كنترل كنيد";
const char *const kMsgCheckSteamTemperatures = "فشار بخار ورودي و دماي آبگرم بهداشتي و آب شهر را كنترل كنيد";
const char *const kMsgSteamPressureRange = "فشار بخار ورودي به مبدل بين 5 و 150 قابل قبول است";
const char *const kMsgMoreDoubleWallTanks =
    "براي امكان انتخاب منبع  دوجداره از كاتالوگ تعداد منبع را افزايش دهيد";
const char *const kMsgMoreCoilTanks = "براي امكان انتخاب منبع  كويلي آب گرم از كاتالوگ تعداد منبع را افزايش دهيد";
const char *const kMsgCorrectReturnPumpEfficiency = "راندمان الكتروپمپ برگشت را تصحيح كنيد";

namespace {

constexpr double kLitresPerGallon = 3.78;
// Pounds of water per gallon.
constexpr double kLbPerGallon = 8.33;

struct KindRules {
    int minEfficiency;
    double U;         // Btu/h.sq.ft.F
    double allowance; // share of the surface the return pump saves
    const char *temperatureMessage;
};

KindRules rulesOf(int kind)
{
    switch (kind) {
    case DoubleWallTank: return {1, 65.0, 0.2, kMsgCheckHotWaterTemperatures};
    case HotWaterCoilTank: return {30, 85.5, 0.4, kMsgCheckHotWaterTemperatures};
    default: return {30, 125.0, 0.4, kMsgCheckSteamTemperatures};
    }
}

} // namespace

HotWaterTankResults sizeHotWaterTank(const HotWaterTankInputs &in)
{
    HotWaterTankResults r;
    const int kind = in.Typ_MAM;
    if (kind != DoubleWallTank && kind != HotWaterCoilTank && kind != SteamCoilTank) {
        r.stopped = true; // no such kind in the list: nothing to size
        return r;
    }
    const KindRules rules = rulesOf(kind);
    const Catalogues &cat = catalogues();
    const auto stop = [&](const char *message) {
        r.messages << QString::fromUtf8(message);
        r.stopped = true;
        return r;
    };

    const int pumps = std::max(in.T_Pomp, 0);
    const int demandRow = HotWaterDemandTable::rowOfBuildingType(in.NSakh);
    r.demandFactor = cat.HotWaterDemand.demandFactor(demandRow);
    r.storageFactor = cat.HotWaterDemand.storageFactor(demandRow);
    r.peakDemandGph = maxHotWaterDemand(in.NSakh, in.fixtures).peakGph;
    r.waterVolumeGal = (r.peakDemandGph * r.demandFactor * r.storageFactor + in.S_masaref) * (in.Z_Et / 100.0 + 1);

    if (kind == HotWaterCoilTank && in.T_Manba < 1)
        return stop(kMsgSetExchangerCount);
    if (in.Randeman < rules.minEfficiency || in.Randeman > 97)
        return stop(kMsgCorrectExchangerEfficiency);

    r.heatLoadBtuh = kLbPerGallon * r.waterVolumeGal * (in.DamAbBeh - in.DamAbSh) / (in.Randeman / 100.0);

    double th = in.DAbgarm;
    if (kind == SteamCoilTank) {
        // Nothing is read outside the filled rows of the steam table.
        const SteamProperties steam = cat.SteamTable.atGaugePressure(in.Fesh_KB);
        if (!steam.inRange)
            return stop(kMsgSteamPressureRange);
        r.saturationTempF = steam.saturationTemperature;
        r.latentHeat = steam.latentHeat;
        r.vapourEnthalpy = steam.vapourEnthalpy;
        th = steam.saturationTemperature;
    }

    // The heating medium must be warmer than both waters, and the hot water
    // warmer than the city water: with equal temperatures the logarithmic
    // mean is 0 / ln 1.
    if (!(th > in.DamAbBeh && th > in.DamAbSh && in.DamAbBeh > in.DamAbSh))
        return stop(rules.temperatureMessage);

    const double beh = in.DamAbBeh, sh = in.DamAbSh;
    const double amtd = th - (beh + sh) / 2;
    const double lmtd = (beh - sh) / std::log((th - sh) / (th - beh));
    r.meanTempDiff = (amtd + lmtd) / 2;
    const double surface = r.heatLoadBtuh / (rules.U * r.meanTempDiff);
    r.heatingSurfaceSqFt = pumps >= 1 ? surface - rules.allowance * surface : surface;

    if (kind == DoubleWallTank && in.T_Manba < 1)
        return stop(kMsgSetExchangerCount);

    if (kind == SteamCoilTank) {
        r.steamUseLbh = r.heatLoadBtuh / r.vapourEnthalpy;
        r.condensateLbh = r.heatLoadBtuh / r.latentHeat;
        r.trapCapacityLbh = 3 * r.condensateLbh;
    } else {
        const double litresPerTank = kLitresPerGallon * r.waterVolumeGal / in.T_Manba;
        r.row = kind == DoubleWallTank ? cat.DoubleWallTanks.select(litresPerTank)
                                       : cat.CoilTanks.select(litresPerTank);
        if (r.row == 0 && !in.reportMode)
            r.messages << QString::fromUtf8(kind == DoubleWallTank ? kMsgMoreDoubleWallTanks : kMsgMoreCoilTanks);
    }

    if (pumps >= 1) {
        if (in.Rand_E_MAB <= 0) {
            r.messages << QString::fromUtf8(kMsgCorrectReturnPumpEfficiency);
        } else {
            int load = 0;
            for (int f = 1; f <= FixtureKindCount; ++f)
                load += in.fixtures.count(f) * cat.FixtureReturnWeights.weight(f);
            const double k = pumps == 1 ? 1.0 : 1.75;
            r.pumpFlowGpm = (load + in.S_masaref) / (20.0 * pumps) * k;
            r.pressureDropFactor = (100 - in.K_B_L_MAB) / 100 + 1;
            r.pumpHeadFt = in.TolSevic * 1.5 * r.pressureDropFactor * in.OfteFeshar / 100;
            r.altitudeFactor = std::max((in.Hi - 500) / 10000 + 1, 1.0);
            r.pumpPowerHp = r.pumpFlowGpm * r.pumpHeadFt / (3960 * in.Rand_E_MAB / 100.0) * r.altitudeFactor;
        }
    }
    return r;
}

} // namespace bv::sizing
