#pragma once
// Report files and pictures made byte by byte, as the report file tests
// make them.
#include "../tests/platform/report/CraftedFiles.h"

namespace benchfiles = reporttest;
