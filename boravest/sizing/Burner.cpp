#include "boravest/sizing/Burner.h"

#include "boravest/sizing/Catalogues.h"
#include "platform/common/Numbers.h"

namespace bv::sizing {

namespace {
constexpr int GasOil = 0;
constexpr int CityGas = 1;
constexpr double LitresPerGallon = 3.78;
constexpr double LargestStoreLitres = 40000;
constexpr int DefaultHeatingValue = 950;
} // namespace

BurnerResults sizeBurner(const BurnerInputs &in)
{
    BurnerResults res;
    if (in.Rand_Mash < 30 || in.Rand_Mash > 97) {
        res.messages << QStringLiteral("راندمان مشعل را اصلاح كنيد");
        res.stopped = true;
        return res;
    }

    res.altitudeFactor = in.Hi * 0.04 / 1300 + 1;
    if (res.altitudeFactor < 1)
        res.altitudeFactor = 1;
    res.burnerPower = in.capacityPerBoiler / (in.Rand_Mash / 100.0) * res.altitudeFactor;

    if (in.TySo == GasOil) {
        res.fuelUse = res.burnerPower / 120960;
        // 20 hours a day for 35 days.
        res.fuelStore = res.fuelUse * 20 * 35 * LitresPerGallon;
        if (res.fuelStore >= LargestStoreLitres) {
            res.tankDays = int(pf::roundToInt(LargestStoreLitres / (res.fuelUse * 20 * LitresPerGallon)));
            res.messages << QStringLiteral("باتوجه به حداكثر 20 ساعت كار در شبانه روز مخزن 40000 ليتري تامين كننده")
                                + QString::number(res.tankDays)
                                + QStringLiteral(" روز انرژي مورد نياز  سيستم ميباشد");
        } else {
            res.row = catalogues().FuelTankCatalogue.select(res.fuelStore);
        }
    } else if (in.TySo == CityGas) {
        res.heatingValue = in.HU > 0 ? in.HU : DefaultHeatingValue;
        res.fuelUse = res.burnerPower / res.heatingValue;
    }
    return res;
}

QStringList burnerResultCaptions(int TySo)
{
    QStringList captions{QStringLiteral(":ضريب تصحيح قدرت"), QStringLiteral(":(Btu/h)قدرت حرارتي مشعل")};
    if (TySo == GasOil)
        captions << QStringLiteral(":(gph)ميزان مصرف گازوئيل") << QStringLiteral(":(lit)حجم سوخت منبع");
    else
        captions << QStringLiteral(":(CFH)ميزان مصرف گاز") << QStringLiteral(":(Btu/Cu.ft)ارزش حرارتي سوخت");
    return captions;
}

} // namespace bv::sizing
