#include "boravest/equipment/U_15BookletPlant.h"

#include "boravest/eqbook/RepUnit10.h"
#include "boravest/eqbook/RepUnit9.h"
#include "boravest/equipment/U_15.h"

namespace bv::eqbook {

namespace {
// The pump of this build, printed with the fittings and the softener.
bv::sizing::CirculationPumpResults g_pump;
} // namespace

void collectorsStep(TFormT2 &w)
{
    const bv::sizing::CollectorsResults r = w.GhKlvRz(2);
    if (Report9)
        Report9->build(r);
}

void circulationPumpStep(TFormT2 &w)
{
    w.MEnBaz(2);
    g_pump = w.PmpSir(2);
}

void fittingsAndSoftenerStep(TFormT2 &w)
{
    const bv::sizing::FittingsLength fittings = w.MoTMEtvSh(3);
    const bv::sizing::SoftenerResults softener = w.SakhGir(2);
    if (Report10)
        Report10->build(g_pump, fittings, softener);
}

void extractFanStep(TFormT2 &w) { w.HavaKesh(2); }

} // namespace bv::eqbook
