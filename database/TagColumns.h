// The tags that the game list shows, and reading one tag pair into a row.
#pragma once

#include "database/GameRow.h"

#include <array>
#include <cstdint>
#include <vector>

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

// Remembers, for one line of tags, the places from which the search for a
// tag's end reaches the line end without a "]" outside quotes, so that a line
// of many tags whose every "]" stands inside quotes is read in linear time.
// Valid while the text does not change: Reset it when the text is replaced.
class TagLineMemo {
public:
    void Reset();
    // A search at q (inside quotes or not) is known to reach the line end.
    bool KnownOpen(const char* q, bool quoted) const;
    const char* LineEnd() const { return lineEnd_; }
    // The search from text found no "]" outside quotes before lineEnd; stop is
    // where it stopped (the line end, or a place already known).
    void MarkOpen(const char* text, const char* stop, const char* lineEnd);

private:
    const char* base_ = nullptr;
    const char* lineEnd_ = nullptr;
    std::vector<std::uint8_t> marks_; // bit 0 outside quotes, bit 1 inside, per character
};

// Where the text of a tag ends; text follows its "[" in a NUL-terminated text.
struct TagTextExtent {
    const char* End;   // the "]" that closes it, or the line end when none does
    const char* After; // where reading goes on: after that "]", or the line end
    // No "]" outside quotes comes before the line end (then End is the line's
    // first "]" after text, if any); LineEnd is that line end.
    bool ToLineEnd;
    const char* LineEnd;
};

// The tag's text ends at its "]" outside the quoted value; a tag left open to
// its line end takes the first "]" of the line or, with none, ends at the
// line end.
TagTextExtent FindTagTextEnd(const char* text, TagLineMemo& memo);

// Reads the tag whose "[" is at p (a NUL-terminated text) into row; a FEN tag
// also sets flags[0] to 'P'. Returns where reading goes on (FindTagTextEnd).
const char* ReadTag(const char* p, GameRow& row, char flags[3], TagLineMemo& memo);
