#pragma once
// The booklet's steps of the collectors and risers, the circulation pump
// with its fittings and the softener, and the extract fans: each runs its
// sizing operations in report mode and writes their results into its page.
#include "boravest/eqbook/RepUnit10.h"
#include "boravest/eqbook/RepUnit11.h"
#include "boravest/eqbook/RepUnit9.h"

class TFormT2;

namespace bv::eqbook {

// Collectors and risers (also rewrites the per-unit riser results).
void collectorsStep(TFormT2 &w);
// The expansion tank, then the circulation pump (which stores its head).
void circulationPumpStep(TFormT2 &w);
// The fittings of the stored lists and the softener; fills the pump and
// softener page with the pump of the last circulation-pump step.
void fittingsAndSoftenerStep(TFormT2 &w);
// The extract fans (stores their results per space).
void extractFanStep(TFormT2 &w);

} // namespace bv::eqbook
