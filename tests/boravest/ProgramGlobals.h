#pragma once
// The design program's shared globals back to their start: every fixture of
// the boravest tests calls this first in its SetUp, so that no test depends
// on what an earlier one left behind.
#include "boravest/sizing/PlanRotation.h"
#include "boravest/data/ProgramState.h"
#include "support/TestSupport.h"

namespace testsupport {

inline void resetProgramGlobals()
{
    resetSharedState();
    ResetProgramState();
    building::PlanRotation = building::identityRotation();
}

} // namespace testsupport
