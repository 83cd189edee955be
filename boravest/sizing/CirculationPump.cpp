#include "boravest/sizing/CirculationPump.h"

namespace bv::sizing {

CirculationPumpResults sizeCirculationPump(const CirculationPumpInputs &in)
{
    CirculationPumpResults res;
    res.efficiency = in.Rand_sir;
    const auto stop = [&res](const QString &message) {
        res.messages << message;
        res.stopped = true;
        return res;
    };

    if (in.Te_Sir < 1)
        return stop(QStringLiteral("تعداد پمپ سيركولاتور سيستم را مشخص كنيد"));
    if (res.efficiency < 1)
        return stop(QStringLiteral("راندمان الكتروپمپ را مشخص كنيد"));
    if (in.fittings.stopped) {
        res.messages << in.fittings.messages;
        res.stopped = true;
        return res;
    }
    // The flow divides by the temperature difference.
    if (in.EkhtDama == 0)
        return stop(QStringLiteral("اختلاف دماي آبگرم گردشي در سيستم را تصحيح كنيد"));

    res.fittingsLength = in.fittings.length;
    res.weldingFactor = (100 - in.K_B_L_Sir) / 100 + 1;
    // The pipe run counts twice (supply and return), the fittings once.
    res.head = (in.Oft_F_D_K_Sir + in.Oft_F_B_U_Sir)
               + (2 * in.TolRadiat + res.fittingsLength) * in.OfteFeshar / 100 * res.weldingFactor;

    if (in.ErtefaS < res.head) {
        res.messages << QStringLiteral("در طراحي سيستم لوله كشي تجديد نظر كنيد");
        if (!in.reportMode) {
            res.stopped = true;
            return res;
        }
    }
    res.storeHead = true;

    const double countFactor = in.Te_Sir > 1 ? 1.75 : 1.0;
    // 499.8 Btu/h per gpm and °F.
    res.flowPerPump = in.totalLoad / (in.EkhtDama * 499.8) / in.Te_Sir * countFactor;
    res.altitudeFactor = (in.Hi - 500) / 10000 + 1;
    if (res.altitudeFactor < 1)
        res.altitudeFactor = 1;
    const int powerDivisor = 3960 * res.efficiency;
    res.power = res.flowPerPump * res.head / (powerDivisor / 100.0) * res.altitudeFactor;
    return res;
}

} // namespace bv::sizing
