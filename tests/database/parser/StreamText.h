// Test helpers: the move-node stream as readable text, and SAN of a move.
#pragma once

#include "GameSetup.h"

#include <string>

// Replays the stream from record 0 and writes it as "e2e4 $5 {text}
// ( d2d4 ) e7e5": moves as from and to squares (plus the promotion letter),
// NAGs as $n, comments in braces. Leaves CurrentPly at 0.
std::string StreamText();

class CorrectMoveHandler;
// Parses a private copy of text (exactly its size, so that overreads show
// in the sanitizer build).
void Parse(const std::string& text, CorrectMoveHandler* handler = nullptr);
