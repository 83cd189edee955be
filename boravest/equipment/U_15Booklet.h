#pragma once
// The equipment booklet as the equipment window builds it: the section
// flags of the last build and the composite report that joins its pages.
#include "platform/report/Report.h"

#include <array>

// Flags 1..12 of the sections whose pages the booklet holds (index 0 is
// unused): set from the booklet form's ticks at the start of every build,
// cleared for the sections that are dropped.
extern std::array<bool, 13> ReportSections;

// The booklet: the pages of the set sections, in a fixed order.
extern pf::report::CompositeReport QRCompositeReport1;

// "There is nothing to print for the chosen sections."
extern const char *const kMsgNothingToPrint;
