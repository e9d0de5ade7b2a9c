// Characters looked at by the readers of the database index (tag ends,
// move-text starts, chunk cuts) and by the game loader (the text read, the
// move-text reader), counted so that tests can check that indexing and
// loading stay linear in the size of the text. Only the indexer resets it.
#pragma once

#include <cstdint>

extern std::uint64_t PgnScanSteps;
