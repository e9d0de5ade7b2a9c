// The tags that the game list shows, and reading one tag pair into a row.
#pragma once

#include "database/GameRow.h"

#include <array>

struct TagColumnEntry {
    const char* Name;
    int Column;
};

// The recognised tags in the order in which they are tried.
constexpr int TagColumnCount = 12;
inline constexpr std::array<TagColumnEntry, TagColumnCount> TagColumnTable = {{
    {"Event", EventColumn},
    {"Site", SiteColumn},
    {"Date", DateColumn},
    {"Round", RoundColumn},
    {"White", WhiteColumn},
    {"Black", BlackColumn},
    {"Result", ResultColumn},
    {"WhiteElo", WhiteEloColumn},
    {"BlackElo", BlackEloColumn},
    {"ECO", EcoColumn},
    {"Annotator", AnnotatorColumn},
    {"FEN", FenColumn},
}};

// One flag per TagColumnTable entry, cleared at the start of every game: only
// the first occurrence of a tag in a game is taken.
extern std::array<bool, TagColumnCount> TagSeen;

// Characters of a tag's text (between "[" and "]") that are read; the rest
// of a longer tag is ignored.
constexpr int TagTextLimit = 380;

// Reads the tag whose "[" is at p (a NUL-terminated text) into row; a FEN tag
// also sets flags[0] to 'P'. The tag ends at its "]" (one inside the quoted
// value does not count) or, when it has none, at the end of its line.
// Returns the position after the "]", or the line end.
const char* ReadTag(const char* p, GameRow& row, char flags[3]);
