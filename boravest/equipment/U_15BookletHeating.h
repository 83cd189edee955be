#pragma once
// The booklet sections of the pool, the jacuzzi, the boilers and the
// warm-air furnaces: each reads the stored record, runs its sizing
// operations in report mode and writes the results into its page.
#include "boravest/eqbook/RepUnit04.h"
#include "boravest/eqbook/RepUnit4.h"
#include "boravest/eqbook/RepUnit5.h"
#include "boravest/eqbook/RepUnitEst.h"

class TFormT2;

namespace bv::eqbook {

void poolSection(TFormT2 &w);
void jacuzziSection(TFormT2 &w);
void boilerSection(TFormT2 &w);
// Also selects the project's furnace spaces into DM1.Query6 for the rows.
void furnaceSection(TFormT2 &w);

} // namespace bv::eqbook
