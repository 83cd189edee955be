#include "boravest/sizing/Boiler.h"

#include "boravest/sizing/Catalogues.h"
#include "platform/common/Numbers.h"

namespace bv::sizing {

namespace {

// Display rounding, as the page shows a load.
double roundX(double x)
{
    if (x >= 100)
        return pf::roundHalfEven(x, 0);
    if (x >= 1)
        return pf::roundHalfEven(x, 2);
    return pf::roundHalfEven(x, 3);
}

double countFactorOf(int n)
{
    switch (n) {
    case 1: return 1.0;
    case 2: return 1.6;
    case 3: return 1.4;
    case 4: return 1.2;
    case 5: return 1.1;
    default: return n > 5 ? 1.0 : 0.0;
    }
}

// Kilocalories per hour in a catalogue capacity against Btu/h of the load.
constexpr double BtuPerKcal = 3.92;

} // namespace

double hotWaterToHeatForReport(double peakDemandGph, int NSakh, double Z_Et)
{
    const auto &demand = catalogues().HotWaterDemand;
    const int r = HotWaterDemandTable::rowOfBuildingType(NSakh);
    return peakDemandGph * demand.demandFactor(r) * demand.storageFactor(r) * (1 + Z_Et / 100);
}

double boilerHotWaterLoad(double water, double DamAbBeh, double DamAbSh, int Randeman)
{
    if (Randeman <= 0)
        return 0;
    return (DamAbBeh - DamAbSh) * 8.33 * water / (Randeman / 100.0);
}

BoilerResults sizeBoilers(const BoilerInputs &in)
{
    BoilerResults res;
    // The four loads are what the plant must supply whatever the checks
    // below find; a stopped sizing still reports them (the booklet prints
    // them beside the message).
    res.buildingLoad = roundX(in.buildingLoad);
    res.hotWaterLoad = roundX(in.hotWaterLoad);
    res.poolLoad = roundX(in.poolLoad);
    res.jacuzziLoad = roundX(in.jacuzziLoad);
    const auto stop = [&res](const char *message) {
        res.messages << QString::fromUtf8(message);
        res.stopped = true;
        return res;
    };

    if (in.reportMode && in.Randeman <= 0)
        return stop("راندمان مبدل  مشخص نشده");

    if (in.Ti1 < 1)
        return stop("دماي محيط تعيين نشده است");
    // The pick-up factor divides by the difference between the boiler water
    // and the inside temperature.
    if (in.Chk_Zp && in.DAbgarm == in.Ti1)
        return stop("دماي آبگرم گردشي در سيستم را تصحيح كنيد");
    if (in.Te_Dig < 1)
        return stop("تعداد ديگ را مشخص كنيد");
    if (in.Rand_Dig < 30 || in.Rand_Dig > 90)
        return stop("راندمان ديگ را اصلاح كنيد");

    if (in.Chk_Zp) {
        const double tm = (in.Ti1 + in.To1) / 2.0;
        res.pickUpFactor = (in.DAbgarm - tm) / double(in.DAbgarm - in.Ti1);
    }
    res.insulationFactor = (100 - in.K_A_Dig) / 100.0 + 1;
    res.countFactor = countFactorOf(in.Te_Dig);

    const double s = res.buildingLoad + res.hotWaterLoad + res.poolLoad + res.jacuzziLoad;
    const double f = res.insulationFactor;
    const double c = res.countFactor;
    const double n = in.Te_Dig;
    if (res.pickUpFactor > 0) {
        res.capacityPerBoiler = s / (in.Rand_Dig / 100.0) * res.pickUpFactor * f * c / n;
        res.totalLoad = s * res.pickUpFactor * f;
    } else {
        res.capacityPerBoiler = s / (in.Rand_Dig / 100.0) * f * c / n;
        res.totalLoad = s * f;
    }

    const double need = res.capacityPerBoiler / BtuPerKcal;
    res.row = catalogues().BoilerCatalogue.select(need);
    res.steamRow = catalogues().BoilerCatalogue2.select(need);
    if (res.row == 0 && !in.reportMode)
        res.messages << QStringLiteral("براي امكان انتخاب تعداد ديگ ها را افزايش دهيد");
    return res;
}

} // namespace bv::sizing
