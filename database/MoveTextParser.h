// The PGN move-text parser: turns the move text of one game into the
// move-node stream, CommentList and GameResult.
//
// Move tokens are read from their end and matched against the legal moves
// of the current position; "(" and ")" open and close variations; brace
// comments go to CommentList (nested braces become "(" and ")" in the text),
// whole-comment marks such as "{!?}" and "$n", "!", "?" become NAG nodes;
// "1-0", "0-1", "1/2-1/2", "*" and "[" end the text. Unreadable tokens go to
// the correction handler.
//
// Limits are never overrun: a "(" with no move before it in its line, or
// beyond 1,024 open variations, skips the parenthesised text; when the
// stream would overflow reading stops (open variations still get their
// ends); from ply 798 on the line's moves, NAGs, comments and variations
// are dropped.
#pragma once

#include "database/CorrectMoveHandler.h"

#include <cstddef>

// Preconditions: record 0 holds the start position, CurrentPly = 0,
// LineLength = 0, MoveNodeCount = 0. Reads text[0, end) and writes into it
// (closing braces become NUL or ")", inner "{" become "("). handler may be
// null: unreadable tokens are then skipped.
void ParseMoveText(char* text, const char* end, CorrectMoveHandler* handler);

// Reads PgnTextBuffer up to end with the handler installed below.
void ParseGameMoveText(const char* end);

// The handler ParseGameMoveText asks (not owned); returns the previous one.
CorrectMoveHandler* SetCorrectMoveHandler(CorrectMoveHandler* handler);
