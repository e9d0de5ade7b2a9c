// Move-path enumeration of the generator and MakeMove, for tests and timing.
#pragma once

#include <cstdint>

// The number of move sequences of depth plies from Positions[CurrentPly],
// counting each successful MakeMove at the last ply. Regenerates the moves of
// every record it visits; CurrentPly is the same afterwards.
std::uint64_t Perft(int depth);
