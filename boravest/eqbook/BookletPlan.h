#pragma once
// Which pages an equipment booklet holds and which steps its build runs, in
// order, worked out from the ticks of the booklet form and the stored inputs
// that say whether an equipment exists.
//
// Sections are numbered 1 to 12 as the items of the booklet form's check
// list (item 0 is "select all"). A ticked section is dropped when its
// equipment is absent (the hot-water tank with an exchanger efficiency below
// 1, the pool or jacuzzi with no area, the expansion tank with no water in
// the boilers and exchangers) or when its page cannot be printed yet. Steps
// that keep per-space and per-record results current run on every build,
// ticked or not.
#include <array>
#include <vector>

namespace bv::eqbook {

inline constexpr int SectionCount = 12;
// Index 1..12; index 0 is unused.
using SectionFlags = std::array<bool, SectionCount + 1>;

enum class BuildStep {
    Gauge,               // the progress gauge to `gauge`
    ProjectData,         // 1: project data, main branch, pressure tank
    HotWaterTank,        // 3
    Pool,                // 4
    Jacuzzi,             // 6
    Boilers,             // 7
    Furnaces,            // 8
    Radiators,           // always (page 9)
    UnitHeaterSpaces,    // 11: refreshes the unit-heater spaces first
    ExpansionTank,       // 11
    Burner,              // 11
    Chimney,             // always (page 11)
    Collectors,          // always (page 12)
    CirculationPump,     // always (page 2): expansion tank, then pump; before
                         // section 11's expansion tank, which reads the pump's head
    FittingsAndSoftener, // always (page 2)
    ExtractFans,         // always (page 5)
};

struct Step {
    BuildStep step = BuildStep::Gauge;
    int gauge = 0; // for BuildStep::Gauge
    bool operator==(const Step &o) const = default;
};

struct BookletPlanInputs {
    SectionFlags ticked{};    // check-list items 1..12
    SectionFlags pageReady{}; // sections whose page can be printed
    int Randeman = 0;         // hot-water tank exchanger efficiency, %
    double Mass_Est = 0;      // pool area, 0 none
    double Mass_Jak = 0;      // jacuzzi area, 0 none
    double V_B_M_E = 0;       // water in the boilers and exchangers, gal
};

struct BookletPlan {
    SectionFlags sections{}; // the pages the booklet holds
    std::vector<Step> steps; // in the order the build runs them
    bool anyTicked = false;
    // Sections were ticked, but every one of them was dropped.
    bool nothingLeft() const;
    bool runs(BuildStep s) const;
};

BookletPlan planBooklet(const BookletPlanInputs &in);

// The sections in the order their pages stand in the booklet.
inline constexpr std::array<int, SectionCount> PageOrder = {1, 3, 4, 6, 7, 2, 11, 8, 9, 10, 12, 5};

} // namespace bv::eqbook
