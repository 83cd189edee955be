#include "boravest/sizing/Chimney.h"

#include "platform/common/Numbers.h"

#include <cmath>

namespace bv::sizing {

const char *const kMsgSetChimneyCount = "تعداد دودكش را مشخص كنيد";
const char *const kMsgCorrectChimneyLength = "طول عمودي دودكش رااصلاح كنيد";
const char *const kMsgCheckBoilerCapacity = "قدرت حرارتي هر ديگ را كنترل كنيد";

bool horizontalRunTooLong(double TAmD, double TOfD)
{
    int64_t vertical = 0, horizontal = 0;
    if (pf::exactBillionths(TAmD, &vertical) && pf::exactBillionths(TOfD, &horizontal))
        return 3 * horizontal >= vertical;
    return 3 * TOfD >= TAmD;
}

ChimneyResults sizeChimney(const ChimneyInputs &in)
{
    ChimneyResults r;
    const auto stop = [&](const char *message) {
        r.messages << QString::fromUtf8(message);
        r.stopped = true;
        return r;
    };
    if (in.TeDo < 1)
        return stop(kMsgSetChimneyCount);

    const double h = 0.5 * in.TOfD + in.TAmD;
    // The draught term divides by the root of the height.
    if (h <= 0)
        return stop(kMsgCorrectChimneyLength);
    // A fractional power of a negative capacity has no value.
    if (in.capacityPerBoiler < 0)
        return stop(kMsgCheckBoilerCapacity);

    r.heightFt = h;
    const double q = in.capacityPerBoiler / 4;
    double exponent = 0;
    if (in.TySo == 0)
        exponent = 0.166;
    else if (in.TySo == 1)
        exponent = 0.25;
    if (exponent > 0)
        r.areaSqIn = 0.155 * (q + 1000) / ((2 * std::pow(q, exponent) + 25) * std::sqrt(0.3 * h));

    r.diameterIn = std::sqrt(4 * r.areaSqIn / 3.14) / in.TeDo;
    r.diameterShown = int(pf::roundToInt(r.diameterIn));
    r.squareSideIn = 1.1 * std::sqrt(r.areaSqIn) / in.TeDo;
    const QString side = QString::number(pf::roundToInt(r.squareSideIn));
    r.squareSize = side + QLatin1Char('*') + side;
    return r;
}

} // namespace bv::sizing
