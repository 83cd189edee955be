// Which sections an equipment booklet keeps and which steps its build runs,
// in order, for records that exercise each rule that drops a section.
#include "boravest/eqbook/BookletPlan.h"

#include <gtest/gtest.h>

using namespace bv::eqbook;

namespace {

SectionFlags flags(std::initializer_list<int> on)
{
    SectionFlags f{};
    for (int i : on)
        f[i] = true;
    return f;
}

std::vector<int> gauges(const BookletPlan &p)
{
    std::vector<int> g;
    for (const Step &s : p.steps)
        if (s.step == BuildStep::Gauge)
            g.push_back(s.gauge);
    return g;
}

std::vector<BuildStep> work(const BookletPlan &p)
{
    std::vector<BuildStep> w;
    for (const Step &s : p.steps)
        if (s.step != BuildStep::Gauge)
            w.push_back(s.step);
    return w;
}

const SectionFlags kAll = flags({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});

BookletPlanInputs present(SectionFlags ticked)
{
    BookletPlanInputs in;
    in.ticked = ticked;
    in.pageReady = kAll;
    in.Randeman = 70;
    in.Mass_Est = 400;
    in.Mass_Jak = 30;
    in.V_B_M_E = 20;
    return in;
}

} // namespace

TEST(BookletPlanTest, EverythingTickedAndPresentRunsEveryStepInOrder)
{
    const BookletPlan p = planBooklet(present(kAll));
    EXPECT_EQ(p.sections, kAll);
    using B = BuildStep;
    const std::vector<BuildStep> expected = {
        B::ProjectData,     B::HotWaterTank, B::Pool,       B::Jacuzzi,   B::Boilers,
        B::Furnaces,        B::Radiators,    B::UnitHeaterSpaces, B::CirculationPump, B::ExpansionTank,
        B::Burner,          B::Chimney,      B::Collectors, B::FittingsAndSoftener, B::ExtractFans};
    EXPECT_EQ(work(p), expected);
    EXPECT_EQ(gauges(p), (std::vector<int>{25, 40, 50, 60, 70, 80, 90, 95}));
    EXPECT_FALSE(p.nothingLeft());
}

TEST(BookletPlanTest, DropRulesAndUnreadyPages)
{
    struct Case {
        const char *what;
        BookletPlanInputs in;
        SectionFlags kept;
        std::vector<BuildStep> absent, ran;
    };
    auto with = [](auto change) {
        BookletPlanInputs in = present(kAll);
        change(in);
        return in;
    };
    using B = BuildStep;
    const Case cases[] = {
        {"efficiency 0 drops the hot-water tank", with([](auto &in) { in.Randeman = 0; }),
         flags({1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12}), {B::HotWaterTank}, {B::Pool}},
        {"no pool area", with([](auto &in) { in.Mass_Est = 0; }), flags({1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12}),
         {B::Pool}, {B::Jacuzzi}},
        {"no jacuzzi area", with([](auto &in) { in.Mass_Jak = -1; }), flags({1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 12}),
         {B::Jacuzzi}, {B::Pool}},
        {"no expansion water: the unit-heater page still refreshes its spaces, the chimney still runs",
         with([](auto &in) { in.V_B_M_E = 0; }), flags({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12}),
         {B::ExpansionTank, B::Burner}, {B::UnitHeaterSpaces, B::Chimney, B::CirculationPump}},
        {"no expansion water and no unit-heater page: no unit-heater refresh",
         with([](auto &in) {
             in.V_B_M_E = 0;
             in.ticked[10] = false;
         }),
         flags({1, 2, 3, 4, 5, 6, 7, 8, 9, 12}), {B::UnitHeaterSpaces, B::ExpansionTank}, {B::Chimney}},
        {"a page not ready is neither computed nor printed",
         with([](auto &in) { in.pageReady = flags({1, 3}); }), flags({1, 3}),
         {B::Pool, B::Jacuzzi, B::Boilers, B::Furnaces, B::UnitHeaterSpaces, B::Burner},
         {B::ProjectData, B::HotWaterTank, B::Radiators, B::Chimney, B::CirculationPump, B::ExtractFans}},
        {"only unit heaters: their spaces refreshed, the always-run steps still run", present(flags({10})),
         flags({10}), {B::ProjectData, B::HotWaterTank, B::Pool, B::Boilers, B::ExpansionTank},
         {B::UnitHeaterSpaces, B::Radiators, B::Chimney, B::Collectors, B::CirculationPump, B::FittingsAndSoftener, B::ExtractFans}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const BookletPlan p = planBooklet(c.in);
        EXPECT_EQ(p.sections, c.kept);
        for (BuildStep s : c.absent)
            EXPECT_FALSE(p.runs(s)) << int(s);
        for (BuildStep s : c.ran)
            EXPECT_TRUE(p.runs(s)) << int(s);
        EXPECT_FALSE(p.nothingLeft());
    }
    // Gauge steps outside a dropped section are still taken.
    BookletPlanInputs noPool = present(flags({4}));
    noPool.Mass_Est = 0;
    EXPECT_EQ(gauges(planBooklet(noPool)), (std::vector<int>{25, 40, 50, 90, 95}));
}

TEST(BookletPlanTest, NothingLeftOnlyWhenSomethingWasTicked)
{
    BookletPlanInputs in = present(flags({3, 4}));
    in.Randeman = 0;
    in.Mass_Est = 0;
    EXPECT_TRUE(planBooklet(in).nothingLeft());
    const BookletPlan none = planBooklet(present(SectionFlags{}));
    EXPECT_FALSE(none.anyTicked);
    EXPECT_FALSE(none.nothingLeft());
}
