// Scanning a game's move text while the database is indexed: where it
// starts, where it ends, its largest move number and how many variations,
// comments and evaluation symbols it holds.
#pragma once

#include <cstdint>

// How a game's move text starts.
enum class MoveTextStart : std::uint8_t {
    None = 0,
    Comment = 1,    // "{"
    MoveNumber = 2, // digits followed by "." or a blank
    Result = 3,     // "*", "1-0", "0-1" or "1/2-1/2"
};

// Outputs of ScanGameMoveText.
extern std::int32_t ScanMaxMoveNumber;  // largest move number at depth 0
extern std::int32_t ScanVariationCount; // "(" outside comments
extern std::int32_t ScanCommentWeight;  // 2 per comment, 1 per "$"

// Move numbers are read up to this value; longer digit runs saturate.
constexpr std::int32_t ScanMoveNumberCap = 999999;

// p is the position of a "}" in a NUL-terminated text: true when the first
// brace after it is a "{" or the text ends first, false when it is a "}" (then
// this "}" closes a brace nested inside a comment).
bool IsOutsideComment(const char* p);

// The kind of move-text start at p, None when p starts no move text.
MoveTextStart MoveTextStartAt(const char* p);

// Where to look for a move-text start next when p starts none: inside a run
// of digits every place before its last digit gives p's answer, so the run
// is passed over at once; otherwise p + 1.
const char* NextMoveTextCandidate(const char* p);

// Scans the move text at start (of the given kind) in a NUL-terminated text
// and sets the Scan* outputs. Returns the position after the game's result;
// at a "[" outside comments (the next game's tags) the position of that
// "[", and at the end of the text the position of its NUL. A text that is
// only a result ends at the first blank, "[" or "{" after it.
const char* ScanGameMoveText(const char* start, MoveTextStart kind);
