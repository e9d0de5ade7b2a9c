// Reading a FEN position into record 0 (a game with a set-up position).
#pragma once

#include <cstddef>

// Sets record 0 from the FEN text fen[0 .. length): board, side to move,
// castling rights, en passant, FirstMoveNumber, SetupStart = 1. Moves are not
// generated. A right is kept only with king and rook at home; an en-passant
// target only with the enemy pawn in front of it and the squares it passed
// empty. Fields are read as far as they make sense and the rest is ignored.
// Returns false, with record 0 the standard start position, when no usable
// position results (a side without exactly one king).
bool SetupPositionFromFen(const char* fen, std::size_t length);
