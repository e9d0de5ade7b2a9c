// Playing, testing and annotating generated moves. Results are 1 done/true,
// 0 refused/false; a refused move is marked Illegal in its list. An index
// outside 0 .. MoveCount - 1 is refused without marking anything.
#pragma once

#include "rules/Board.h"

#include <cstdint>

// Plays entry index of Positions[CurrentPly].Moves into the next record;
// on success the side flips and CurrentPly grows by one.
std::uint8_t MakeMove(int index);

// The verdict of MakeMove without playing (on ScratchPosition).
std::uint8_t TestMoveLegal(int index);

// 1 when a piece of the colour other than side attacks square in record.
std::uint8_t IsSquareAttacked(const PositionRecord& record, int square, std::uint8_t side);

// 1 when the king of side (0 White, 0x80 Black) is attacked in record.
std::uint8_t IsInCheck(const PositionRecord& record, std::uint8_t side);

// After a move was played and linked (Positions[CurrentPly - 1].PlayedNode
// set), flags it Ambiguous/DisambiguateByRank/GivesCheck/NoLegalReply and
// leaves the moves of the new position generated.
void AnnotateLastMove();
