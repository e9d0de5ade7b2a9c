// The move list of the notation document: the whole move-node stream with
// move numbers, variations laid out by depth, evaluation glyphs, comments,
// diagrams, the result and the document's tail.
#pragma once

#include "database/RtfBuffer.h"

#include <array>
#include <string_view>

// Left indent in twips by variation depth, as three digits and the blank
// that ends the control word (depth 0 is never written).
constexpr std::array<std::string_view, 8> IndentTable{"000 ", "130 ", "280 ", "430 ",
                                                      "580 ", "730 ", "870 ", "990 "};

// Writes the move list at pos (after the game header), then the result, the
// tail and a NUL; returns the position of the NUL. Every move node gets its
// TextPos and TextLength. The game is replayed from ply 0 on the position
// records and left, through GoToNode, where it was.
RtfPos BuildMoveList(RtfPos pos);

// Steps back over the blanks before pos and drops them from the text and from
// RtfTextPos, except a blank that ends a control word or follows an escape.
RtfPos TrimTrailingBlanks(RtfPos pos);
