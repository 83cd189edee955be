#include "boravest/sizing/Furnaces.h"

#include "boravest/sizing/HeatLoad.h"
#include "boravest/sizing/Catalogues.h"
#include "platform/common/Numbers.h"

namespace bv::sizing {

using perspace::roundX;
using perspace::roundXText;

const char *const kFurnaceEfficiencyMessage = "راندمان هيتر را اصلاح كنيد";
const char *const kFurnaceCustomBuildMessage =
    "ظرفيت دستگاه خارج از كاتالوگ بوده لذا نسبت به ساخت سفارشي آن با دفتر فني كارخانه تماس حاصل فرماييد";
const char *const kFurnaceRoomTempMessage = "دماي داخل فضاي %1 بايد كمتر از 105 درجه فارنهايت باشد";
const char *const kFurnaceDesignTempMessage = "دماي طرح داخل پروژه بايد كمتر از 105 درجه فارنهايت باشد";
const char *const kAirDensityMessage = "ضريب چگالي هواي پروژه را مشخص كنيد";

namespace {

// Warm air leaves the furnace at 105 F.
constexpr double kSupplyAirF = 105;
// CFM of one cubic metre per second, and Btu/h per watt.
constexpr double kCfmPerCubicMetreSecond = 2118.6;
constexpr double kBtuhPerWatt = 3.412;

double celsius(double f)
{
    return (f - 32) * 5 / 9;
}

} // namespace

bool airSharesMakeAHundred(double D_H_B_Kore, double D_H_T_Kore)
{
    int64_t returnAir = 0, freshAir = 0;
    if (pf::exactBillionths(D_H_B_Kore, &returnAir) && pf::exactBillionths(D_H_T_Kore, &freshAir))
        return returnAir + freshAir == 100 * int64_t(1000000000);
    return D_H_B_Kore + D_H_T_Kore == 100;
}

FurnaceResults sizeFurnace(const FurnaceInputs &in)
{
    FurnaceResults r;
    const auto fail = [&r](const QString &message) {
        r = FurnaceResults{};
        r.messages << message;
        r.stopped = true;
        return r;
    };
    const double airFactor = building::airFactor(in.site.Ga, true);

    for (const SizingUnit &unit : in.units) {
        for (const SizingSpace &space : unit.spaces) {
            FurnaceSpaceResult s;
            s.place = placeOf(unit, space);
            s.marked = space.E_Kore > 0;
            s.load = perspace::spaceLoad(unit, space, in.site);
            s.insideTemp = perspace::whole(space.row.Ti_);
            if (s.marked) {
                // Air at or above the supply temperature, or no air factor,
                // leaves nothing to divide by (or a flow of the wrong sign).
                if (kSupplyAirF - s.insideTemp <= 0)
                    return fail(QString::fromUtf8(kFurnaceRoomTempMessage).arg(space.Faza));
                if (!(airFactor > 0))
                    return fail(QString::fromUtf8(kAirDensityMessage));
                s.warmAir = s.load / (airFactor * 60 * (kSupplyAirF - s.insideTemp));
            }
            r.totalWarmAir += s.warmAir;
            r.spaces.push_back(s);
        }
    }

    r.ductFactor = (100 - in.K_A_Kore) / 100 + 1;
    const int efficiency = perspace::whole(in.Rand_Kore);
    const double ti1 = perspace::whole(in.Ti1);
    const double to1 = perspace::whole(in.TO1);
    if (efficiency < 30 || efficiency > 95) {
        r.messages << QString::fromUtf8(kFurnaceEfficiencyMessage);
        r.stopped = true;
        return r;
    }
    if (kSupplyAirF - ti1 <= 0) {
        r.messages << QString::fromUtf8(kFurnaceDesignTempMessage);
        r.stopped = true;
        return r;
    }
    const double airM3s = r.totalWarmAir / kCfmPerCubicMetreSecond;
    r.capacity = (in.D_H_B_Kore / 100 * 1200 * airM3s * (40 - celsius(ti1))
                  + in.D_H_T_Kore / 100 * 1200 * airM3s * (40 - celsius(to1)))
                 * kBtuhPerWatt * r.ductFactor / (efficiency / 100.0);
    r.secondFlow = r.capacity / (1.08 * (kSupplyAirF - ti1)) * 0.3;
    r.row = catalogues().FurnaceCatalogue.select(r.capacity / 4);
    if (r.row == 0 && !in.reportMode)
        r.messages << QString::fromUtf8(kFurnaceCustomBuildMessage);
    return r;
}

std::vector<bv::data::ExamfzRow> furnaceWorkRows(const FurnaceResults &r)
{
    std::vector<bv::data::ExamfzRow> rows;
    for (const FurnaceSpaceResult &s : r.spaces) {
        if (!s.marked)
            continue;
        bv::data::ExamfzRow e;
        e.Shproje = QString::number(pf::roundToInt(s.place.Shproje));
        e.Shvahed = QString::number(pf::roundToInt(s.place.Shvahed));
        e.NameT = s.place.NameT;
        e.Faza = s.place.Faza;
        e.size_Rad = QString::number(s.insideTemp);
        e.hjm_Ab = roundXText(s.warmAir);
        e.Barh = roundXText(s.load);
        rows.push_back(e);
    }
    return rows;
}

std::vector<bv::data::FurnaceStoreRow> furnaceStoreRows(const FurnaceResults &r)
{
    std::vector<bv::data::FurnaceStoreRow> rows;
    for (const FurnaceSpaceResult &s : r.spaces)
        rows.push_back({s.place.No, roundX(s.warmAir), roundX(s.load)});
    return rows;
}

} // namespace bv::sizing
