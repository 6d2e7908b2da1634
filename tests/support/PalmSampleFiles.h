#pragma once
#include <cstdint>

#include "tests/support/PalmBytes.h"

// Whole address files of one record (Maja Lind, nothing else filled in), the
// private flag as given, with the default schemas.
PalmBytes oneRecordOlderFile(uint32_t isPrivate);
PalmBytes oneRecordFormat4File(uint32_t isPrivate);
