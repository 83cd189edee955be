#include "boravest/eqbook/BookletPlan.h"

#include <algorithm>

namespace bv::eqbook {

bool BookletPlan::nothingLeft() const
{
    return anyTicked && std::none_of(sections.begin() + 1, sections.end(), [](bool b) { return b; });
}

bool BookletPlan::runs(BuildStep s) const
{
    return std::any_of(steps.begin(), steps.end(), [s](const Step &x) { return x.step == s; });
}

BookletPlan planBooklet(const BookletPlanInputs &in)
{
    BookletPlan p;
    for (int i = 1; i <= SectionCount; ++i) {
        p.anyTicked = p.anyTicked || in.ticked[i];
        p.sections[i] = in.ticked[i] && in.pageReady[i];
    }
    auto step = [&p](BuildStep s) { p.steps.push_back({s, 0}); };
    auto gauge = [&p](int v) { p.steps.push_back({BuildStep::Gauge, v}); };
    SectionFlags &f = p.sections;

    if (f[1])
        step(BuildStep::ProjectData);
    gauge(25);
    if (in.Randeman < 1)
        f[3] = false;
    if (f[3])
        step(BuildStep::HotWaterTank);
    if (f[4] && !(in.Mass_Est > 0))
        f[4] = false;
    if (f[4])
        step(BuildStep::Pool);
    gauge(40);
    if (f[6] && !(in.Mass_Jak > 0))
        f[6] = false;
    if (f[6])
        step(BuildStep::Jacuzzi);
    gauge(50);
    if (f[7])
        step(BuildStep::Boilers);
    if (f[8])
        step(BuildStep::Furnaces);
    if (f[9])
        gauge(60);
    step(BuildStep::Radiators);
    if (!(in.V_B_M_E > 0))
        f[11] = false;
    // The unit-heater page prints what this step stores.
    if (f[10] || f[11])
        step(BuildStep::UnitHeaterSpaces);
    if (f[11]) {
        // The expansion tank reads the pump head that the circulation pump
        // stores: the pump is worked out first, so that the page does not
        // print the head of an earlier build.
        step(BuildStep::CirculationPump);
        step(BuildStep::ExpansionTank);
        gauge(70);
        gauge(80);
        step(BuildStep::Burner);
    }
    step(BuildStep::Chimney);
    step(BuildStep::Collectors);
    gauge(90);
    if (!f[11])
        step(BuildStep::CirculationPump);
    gauge(95);
    step(BuildStep::FittingsAndSoftener);
    step(BuildStep::ExtractFans);
    return p;
}

} // namespace bv::eqbook
