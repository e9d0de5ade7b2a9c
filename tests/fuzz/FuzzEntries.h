// One entry per reader of outside bytes, shared by the libFuzzer programs
// (fuzz_<name>, built with -DVELMORA_FUZZ=ON) and the corpus test of the
// ordinary build, which runs every stored input through the same entries.
//
// An entry returns "" when the input was handled soundly, else what went
// wrong (a broken invariant); crashes and sanitizer reports speak for
// themselves.
#pragma once

#include "database/ByteSource.h"
#include "database/GameIndex.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

enum class FuzzDepth {
    Quick, // the fuzzer's path: small index chunks, no row reservation
    Full,  // the corpus test adds the program's own full-size path
};

using FuzzEntry = std::string (*)(std::string_view bytes, FuzzDepth depth);

struct FuzzTarget {
    const char* Name; // the corpus folder and the program's name after "fuzz_"
    FuzzEntry Entry;
};

// PGN indexer over a whole file: rows equal for small chunks and one window.
std::string FuzzIndex(std::string_view bytes, FuzzDepth depth);
// Every game of the file loaded (FEN set-up, parse, document), stream checked.
std::string FuzzLoad(std::string_view bytes, FuzzDepth depth);
// The move-text parser alone, from the start position, with a correction handler.
std::string FuzzMoveText(std::string_view bytes, FuzzDepth depth);
// The FEN reader, then moves generated and played two plies deep.
std::string FuzzFen(std::string_view bytes, FuzzDepth depth);
// The ELO list loader.
std::string FuzzElo(std::string_view bytes, FuzzDepth depth);
// The grid's text-file reader: every line reads back from its row.
std::string FuzzGrid(std::string_view bytes, FuzzDepth depth);

// What every index of a file of size bytes gives: numbered rows, three
// flags, each move text inside the file. "" when it holds.
std::string CheckRows(const IndexResult& index, std::size_t size);
// Loads the games of rows from source, each with its document, and checks
// the game store after each: all of them at Full depth, the first and last
// 16 at Quick. "" when every load was sound.
std::string LoadGames(const ByteSource& source, const std::vector<GameRow>& rows, FuzzDepth depth);

// The stored line of the last state (hex move path, as the settings file
// keeps it) followed on a game with variations.
std::string FollowStoredLine(const std::string& hex);

// The Qt-free targets.
std::span<const FuzzTarget> CoreFuzzTargets();

// The RTF reader into a text document.
std::string FuzzRtf(std::string_view bytes, FuzzDepth depth);
// The settings file read from a temporary folder, written back unchanged and
// changed; its stored line followed.
std::string FuzzIni(std::string_view bytes, FuzzDepth depth);
// The JPEG decoder.
std::string FuzzJpeg(std::string_view bytes, FuzzDepth depth);

// The targets that need Qt (Core and Gui).
std::span<const FuzzTarget> QtFuzzTargets();
