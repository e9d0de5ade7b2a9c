// The record-level routines behind GenerateMoves, MakeMove and TestMoveLegal.
// They work on any record, so a checker can replay a stream on its own
// records without touching the line shown.
#pragma once

#include "rules/Board.h"

// Generates the moves of record into its Moves; returns MoveCount.
int GenerateMovesOf(PositionRecord& record);

enum class PlayMode : std::uint8_t {
    Make, // full update of target: rights, en passant, side to move
    Test, // only what the king test needs (scratch board)
};

// Plays entry from record from into target. On refusal entry gets Illegal
// and false is returned; target is then partly written. notInCheck: the side
// to move is known not to be in check in from, so the king test after a
// move other than a king move, castling or en passant looks only along the
// line through the square the move leaves.
bool PlayMoveInto(const PositionRecord& from, MoveEntry& entry, PositionRecord& target,
                  PlayMode mode, bool notInCheck = false);
