#include "boravest/sizing/Softener.h"

#include "boravest/sizing/Catalogues.h"

namespace bv::sizing {

const char *const kMsgSetSoftenerCount = "تعداد دستگاه سختي گير را تعيين كنيد";
const char *const kMsgCorrectSoftenerEfficiency = "راندمان دستگاه سختي گير را اصلاح كنيد";
const char *const kMsgMoreSofteners = "براي امكان انتخاب سختي گير از كاتالوگ تعداد دستگاه را افزايش دهيد";

namespace {

// Share of the system flow that is made up, by expansion tank kind.
double makeUpFraction(int typMe)
{
    switch (typMe) {
    case 0: return 0.1;
    case 1: return 0.05;
    case 2: return 0.07;
    default: return 0;
    }
}

// Hardness of one grain per gallon, ppm.
constexpr double kPpmPerGrainPerGallon = 17.1;

} // namespace

SoftenerResults sizeSoftener(const SoftenerInputs &in)
{
    SoftenerResults r;
    if (in.Te_SG < 1) {
        r.messages << QString::fromUtf8(kMsgSetSoftenerCount);
        r.stopped = true;
        return r;
    }
    if (in.RandeSkgir < 30 || in.RandeSkgir > 95) {
        r.messages << QString::fromUtf8(kMsgCorrectSoftenerEfficiency);
        r.stopped = true;
        return r;
    }
    r.softWaterGpm = makeUpFraction(in.Typ_ME) * in.systemFlowGpm;
    r.capacityGrain = r.softWaterGpm * 60 * in.S_Sh_SG * in.SakhAb
                      / (in.Te_SG * kPpmPerGrainPerGallon * in.RandeSkgir / 100.0);
    r.needKilograin = r.capacityGrain > 0 ? r.capacityGrain / 1000 : 0;
    r.row = catalogues().SoftenerCatalogue.select(r.needKilograin);
    if (r.row == 0)
        r.messages << QString::fromUtf8(kMsgMoreSofteners);
    return r;
}

} // namespace bv::sizing
