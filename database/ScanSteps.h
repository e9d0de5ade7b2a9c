// Characters looked at by the readers of the database index (tag ends,
// move-text starts, chunk cuts), counted so that tests can check that
// indexing stays linear in the size of the text.
#pragma once

#include <cstdint>

extern std::uint64_t PgnScanSteps;
