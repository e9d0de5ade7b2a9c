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

// MakeMove and TestMoveLegal for an entry given by value, as generation
// writes it for Positions[CurrentPly] (found without the list, see
// MoveLookup.h): the record's Moves are neither read nor marked. With
// notInCheck the caller knows the side to move is not in check, and the
// king test looks only along the line the move opens (LineChecks.h).
std::uint8_t MakeGivenMove(MoveEntry entry, bool notInCheck = false);
std::uint8_t TestGivenMove(MoveEntry entry, bool notInCheck = false);

// 1 when a piece of the colour other than side attacks square in record.
std::uint8_t IsSquareAttacked(const PositionRecord& record, int square, std::uint8_t side);

// 1 when the king of side (0 White, 0x80 Black) is attacked in record.
std::uint8_t IsInCheck(const PositionRecord& record, std::uint8_t side);

// After a move was played and linked (Positions[CurrentPly - 1].PlayedNode
// set), flags it Ambiguous/DisambiguateByRank/GivesCheck/NoLegalReply and
// leaves the moves of the new position generated.
void AnnotateLastMove();
