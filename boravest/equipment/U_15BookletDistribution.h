#pragma once
// The booklet build's steps of the heating pages: steel radiators, unit
// heaters, and the expansion tank with the burner and the chimney. Each runs
// its sizing operations in report mode and writes the results into its page.
#include "boravest/eqbook/RepUnit6.h"
#include "boravest/eqbook/RepUnit7.h"
#include "boravest/eqbook/RepUnit8.h"

class TFormT2;

namespace bv::eqbook {

// Radiators: refreshes the stored per-space results, reads the radiator
// spaces for the rows and fills the page (every build).
void radiatorSection(TFormT2 &w);
// Unit heaters: refreshes the stored per-space results; with the
// unit-heater section kept, reads its spaces and fills the page, warning
// once when the stored data name a model beyond the catalogue.
void unitHeaterSection(TFormT2 &w);
// Pipe lengths and expansion tank.
void expansionTankSection(TFormT2 &w);
void burnerSection(TFormT2 &w);
// The chimney (every build).
void chimneySection(TFormT2 &w);

} // namespace bv::eqbook
