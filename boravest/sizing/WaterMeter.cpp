#include "boravest/sizing/WaterMeter.h"

#include "boravest/sizing/Catalogues.h"
#include "platform/common/Numbers.h"

#include <cmath>

namespace bv::sizing {

const char *const kMsgCheckMixingTemperatures = "دماهاي آب شهر و آب مخلوط و آب گرم بهداشتي را كنترل كنيد";
const char *const kMsgStorageTankNeeded =
    "با توجه به بالا بودن مصرف و تعيين حد اكثر سايز انشعاب 2 اينچ استفاده از منبع ذخي.تامين آب ضروري است";

namespace {

// Square feet in a square metre.
constexpr double kSqFtPerSqM = 10.76;
// Litres in a gallon.
constexpr double kLitresPerGallon = 3.78;

} // namespace

int FixtureCounts::count(int fixture) const
{
    switch (fixture) {
    case bv::sizing::WCKh: return WCKh;
    case bv::sizing::WCOm: return WCOm;
    case bv::sizing::Van: return Van;
    case bv::sizing::Dosh: return Dosh;
    case bv::sizing::SinkAb: return SinkAb;
    case bv::sizing::SinkZar: return SinkZar;
    case bv::sizing::MashZar: return MashZar;
    case bv::sizing::SinkRakh: return SinkRakh;
    case bv::sizing::MashRakh: return MashRakh;
    case bv::sizing::LaganPa: return LaganPa;
    default: return 0;
    }
}

int FixtureCounts::total() const
{
    int sum = 0;
    for (int f = 1; f <= FixtureKindCount; ++f)
        sum += count(f);
    return sum;
}

HotWaterDemand maxHotWaterDemand(int NSakh, const FixtureCounts &fixtures)
{
    const HotWaterDemandTable &table = catalogues().HotWaterDemand;
    const int row = HotWaterDemandTable::rowOfBuildingType(NSakh);
    HotWaterDemand d;
    for (int f = 1; f <= FixtureKindCount; ++f) {
        const int n = fixtures.count(f);
        if (n > 0) {
            ++d.kinds;
            d.peakGph += n * table.demandGph(row, f);
        }
    }
    return d;
}

QString branchSizeForFlow(double q)
{
    if (q <= 20)
        return QStringLiteral("1/2 ");
    if (q <= 50)
        return QStringLiteral("3/4");
    if (q <= 90)
        return QStringLiteral("1 ");
    if (q <= 320)
        return QStringLiteral("1/2 1");
    if (q <= 720)
        return QStringLiteral("2 ");
    return {};
}

WaterMeterResults sizeWaterMeterBranch(const WaterMeterInputs &in)
{
    WaterMeterResults r;
    r.fixtureTotal = in.fixtures.total();

    // Occupants and areas; a yard of at most a tenth of the land takes the
    // larger factor.
    const double areaFactor = in.Masa_Ar <= 0.1 * in.Masa_z ? 15.0 : 7.0;
    r.occupantFlow = (0.1 * in.TeaSak + 0.0015 * in.Masa_Ar / kSqFtPerSqM + 0.005 * in.Masa_Aa / kSqFtPerSqM)
                     * areaFactor;

    const HotWaterDemand demand = maxHotWaterDemand(in.NSakh, in.fixtures);
    r.peakHotWaterGph = demand.peakGph;
    r.kinds = demand.kinds;

    if (demand.kinds > 1) {
        const double factor = 1.0 / std::sqrt(double(demand.kinds - 1));
        r.useFactor = pf::roundHalfEven(factor, 2);
        if (!(in.DamAbBeh > in.DamAbMa && in.DamAbMa > in.DamAbSh)) {
            r.messages << QString::fromUtf8(kMsgCheckMixingTemperatures);
            r.stopped = true;
            return r;
        }
        // Hot water plus the cold water mixed into it, gph to l/min.
        const double ratio = double(in.DamAbMa - in.DamAbSh) / double(in.DamAbBeh - in.DamAbMa);
        const double g = demand.peakGph;
        r.fixtureFlow = factor * (g + g / ratio) * kLitresPerGallon / 60.0;
    }

    if (r.occupantFlow > r.fixtureFlow) {
        r.designFlow = r.occupantFlow;
        r.governing = 1;
    } else {
        r.designFlow = r.fixtureFlow;
        r.governing = 2;
    }

    r.branchSize = branchSizeForFlow(r.designFlow);
    if (r.branchSize.isEmpty()) {
        r.storageTankNeeded = true;
        if (!in.reportMode)
            r.messages << QString::fromUtf8(kMsgStorageTankNeeded);
    }
    return r;
}

} // namespace bv::sizing
