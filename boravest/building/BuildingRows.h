#pragma once
// The building-model rows live with the tables they copy.
#include "boravest/data/BuildingRows.h"
