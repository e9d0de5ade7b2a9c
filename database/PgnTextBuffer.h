// The text buffer shared by the database indexer and the game loader: one
// chunk of the PGN file, followed by zero bytes so that scanners may look a
// few bytes past the end of what was read.
#pragma once

#include <cstddef>

constexpr std::size_t PgnChunkSize = 1048576;
constexpr std::size_t PgnBufferSlack = 16;
extern char PgnTextBuffer[PgnChunkSize + PgnBufferSlack];
