#pragma once
// Shared inputs of the sizing tests.
#include "boravest/sizing/WaterMeter.h"

namespace sizingtest {

// An apartment building with 4 private toilets, 2 bathtubs (20 gph each)
// and 4 showers: three fixture kinds, a peak of 452 gph.
inline bv::sizing::FixtureCounts apartmentFixtures()
{
    bv::sizing::FixtureCounts f;
    f.WCKh = 4;
    f.Van = 2;
    f.Dosh = 4;
    return f;
}

inline QStringList said(const char *message) { return {QString::fromUtf8(message)}; }

} // namespace sizingtest
