// Check tests that look only at what one move changes: the lines through
// the square it leaves and the piece where it lands. They hold when, before
// the move, neither king was attacked except as said; a reader that plays
// move after move from a sound position knows that and saves testing every
// line of a king after each move.
#pragma once

#include "rules/Board.h"

#include <cstdint>

// 1 when, on record's board, a sliding piece of the colour other than side
// attacks square along the line from square through vacated (0 when the two
// squares share no line).
std::uint8_t AttackedThrough(const PositionRecord& record, int square, int vacated,
                             std::uint8_t side);

// 1 when the piece standing on from in record attacks square.
std::uint8_t PieceAttacks(const PositionRecord& record, int from, int square);

// 1 when entry, played by mover into after, leaves the other king attacked,
// provided that king was not attacked before the move.
std::uint8_t MoveGivesCheck(const PositionRecord& after, const MoveEntry& entry,
                            std::uint8_t mover);
