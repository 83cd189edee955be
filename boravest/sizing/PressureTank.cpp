#include "boravest/sizing/PressureTank.h"

#include "boravest/sizing/Catalogues.h"

#include <cmath>

namespace bv::sizing {

const char *const kMsgEnterPumpStarts = "تعداد استارت پمپ در هر ساعت را وارد كنيد";
const char *const kMsgNoStandardPressureTank =
    "با توجه به داده ها امكان انتخاب تانك تحت فشار در قالب استاندارد ميسر نيست";
const char *const kMsgStaticPressureLimit =
    ".با كم كردن فشار اوليه و مقدار ذخيره محدوده مجاز فشار استاتيكي را رعايت كنيد ";
const char *const kMsgMinPressureOffCurve = "حداقل فشار داخل تانك بايد از 10 تا كمتر از 100 پوند بر اينچ مربع باشد";
const char *const kMsgWaterHeightRange = "ارتفاع مورد نياز آب در تانك بايد بين 2 و 30 باشد";
const char *const kTextVertical = "عمودي";
const char *const kTextHorizontal = "افقي ";
const char *const kTextOutOfStandard = "حجم تانك خارج از استاندارد است";

namespace {

constexpr double kLitresPerGallon = 3.78;
// Feet of water per PSI.
constexpr double kFtPerPsi = 2.31;
// Water column (in) at which the acceptance factor vanishes.
constexpr double kWaterHeightLimit = 38.4;
constexpr double kVerticalLimitLitres = 1200;
constexpr double kHorizontalLimitLitres = 18900;
// Highest working pressure a stored tank may reach, PSI.
constexpr double kMaxStaticPressurePsi = 110;
// End of the pump start curve, PSI.
constexpr double kCurveEndPsi = 100;

} // namespace

PressureTankResults sizePressureTank(const PressureTankInputs &in)
{
    PressureTankResults r;
    if (!(in.DamAbBeh > in.DamAbMa && in.DamAbMa > in.DamAbSh)) {
        r.messages << QString::fromUtf8(kMsgCheckMixingTemperatures);
        r.stopped = true;
        return r;
    }

    const double ratio = double(in.DamAbMa - in.DamAbSh) / double(in.DamAbBeh - in.DamAbMa);
    const HotWaterDemand demand = maxHotWaterDemand(in.NSakh, in.fixtures);
    r.peakHotWaterGph = demand.peakGph;
    r.coldWaterGph = demand.peakGph / ratio;
    r.peakUseGph = demand.kinds > 1
                       ? (1.0 / std::sqrt(double(demand.kinds - 1))) * (r.peakHotWaterGph + r.coldWaterGph)
                       : 0.0;

    if (in.TSPS < 1) {
        if (!in.reportMode)
            r.messages << QString::fromUtf8(kMsgEnterPumpStarts);
        r.installation = TankInstallation::None;
        r.stopped = true;
        return r;
    }

    r.waterHeldGal = r.peakUseGph * in.MTZA / in.TSPS;
    r.minPressurePsi = in.ErtefaS / kFtPerPsi + in.FPBM + in.TolSevic * in.OfteFeshar * 3 * 0.4 / 200;

    // The pump start curve covers 10 to below 100 PSI; nothing is read
    // outside it.
    const Interpolated y = catalogues().PumpStartCurve.ratioAt(r.minPressurePsi);
    if (!y.inRange) {
        r.messages << QString::fromUtf8(kMsgMinPressureOffCurve);
        r.stopped = true;
        return r;
    }
    r.pressureRatio = y.value;
    r.maxPressurePsi = y.value * r.minPressurePsi;

    // From a water column of 38.4 in the acceptance factor is 0 or
    // negative and the volume would be infinite or negative.
    if (in.MErAT >= kWaterHeightLimit) {
        r.messages << QString::fromUtf8(kMsgWaterHeightRange);
        r.stopped = true;
        return r;
    }
    r.acceptanceFactor = (1 - in.MErAT / kWaterHeightLimit) * (1 - 1 / y.value);
    r.tankVolumeGal = r.waterHeldGal / r.acceptanceFactor;
    r.tankVolumeLitres = kLitresPerGallon * r.tankVolumeGal;

    const Catalogues &cat = catalogues();
    if (r.tankVolumeLitres <= kVerticalLimitLitres) {
        r.installation = TankInstallation::Vertical;
        r.installationText = QString::fromUtf8(kTextVertical);
        r.row = cat.PressureTanks2.select(r.tankVolumeLitres);
    } else if (r.tankVolumeLitres <= kHorizontalLimitLitres) {
        r.installation = TankInstallation::Horizontal;
        r.installationText = QString::fromUtf8(kTextHorizontal);
        r.row = cat.PressureTanks1.select(r.tankVolumeLitres);
    } else {
        r.installation = TankInstallation::OutOfRange;
        r.installationText = QString::fromUtf8(kTextOutOfStandard);
    }
    // Between the largest tank of a kind and the next limit no model fits.
    if (r.installation != TankInstallation::OutOfRange && r.row == 0 && !in.reportMode)
        r.messages << QString::fromUtf8(kMsgNoStandardPressureTank);
    return r;
}

QString pressureTankSaveRefusal(const PressureTankResults &r)
{
    if (r.maxPressurePsi > kMaxStaticPressurePsi || r.minPressurePsi >= kCurveEndPsi)
        return QString::fromUtf8(kMsgStaticPressureLimit);
    if (r.tankVolumeLitres > kHorizontalLimitLitres)
        return QString::fromUtf8(kMsgNoStandardPressureTank);
    return {};
}

} // namespace bv::sizing
