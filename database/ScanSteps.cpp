#include "database/ScanSteps.h"

std::uint64_t PgnScanSteps = 0;
