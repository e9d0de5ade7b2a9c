// Notation of one move: in RTF for the move list, as plain text for the
// move tree and the bookmarks.
#pragma once

#include "database/RtfBuffer.h"

#include <array>
#include <cstdint>

// Figurine code points of the text fonts by piece type (0 is a blank).
constexpr std::array<char, 7> FigurineChars{' ', '\xA7', '\xA4', '\xA5', '\xA6', '\xA3', '\xA2'};
// The same as RTF escapes (entry 0 is never written).
constexpr std::array<std::string_view, 7> FigurineRtf{"    ",  "\\'a7", "\\'a4", "\\'a5",
                                                      "\\'a6", "\\'a3", "\\'a2"};

// Depth of the variation being written (0 the main line) and whether a
// variation was opened and none of its moves written yet.
extern int VariationDepth;
extern std::uint8_t VariationJustOpened;

// Longest plain move text (piece, square, "x", square, promotion, "(sm)")
// plus the NUL, with room to spare.
constexpr int MoveTextBufferSize = 16;
extern char MoveTextBuffer[MoveTextBufferSize];

// Writes entry index of Positions[ply].Moves at pos; the move has been played
// and annotated, so its flags are set, and Positions[ply].Board is the board
// before it. Adds the shown characters to RtfTextPos.
RtfPos WriteMoveRtf(int ply, int index, RtfPos pos);

// The same move as plain text in MoveTextBuffer, NUL-ended; valid until the
// next call. Nothing is counted.
const char* FormatMoveText(int ply, int index);
