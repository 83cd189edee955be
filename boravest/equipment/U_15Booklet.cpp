// The equipment booklet's builder.
#include "boravest/equipment/U_15.h"

void TFormT2::Label45Click() {}
