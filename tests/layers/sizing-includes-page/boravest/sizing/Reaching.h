#pragma once
// A sizing that reaches up into the equipment window.
#include "boravest/equipment/U_15.h"
