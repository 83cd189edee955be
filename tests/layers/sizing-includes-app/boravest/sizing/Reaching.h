#pragma once
// A sizing that reaches up into the main window.
#include "boravest/app/U1.h"
