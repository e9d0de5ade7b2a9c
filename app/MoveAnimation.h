// The slide of a move across the board and the move sounds.
//
// A slide draws sixteen frames into BoardBitmap, each time saving the patch
// under the piece in DragBitmap and putting it back after the frame has been
// shown; show() must put BoardBitmap on the screen at once. The piece is not
// drawn at the end: the caller's repaint shows the new position.
#pragma once

#include "rules/Board.h"

#include <array>
#include <functional>

// The move played from Positions[ply], or null when that record plays no
// move of its list (past the line, a node that is no move, a stale index).
const MoveEntry* PlayedMoveEntry(int ply);

// The frames of a slide from square a to square b: top-left corners.
struct SlideFrame {
    int X, Y;
};
std::array<SlideFrame, 16> SlideFrames(int from, int to, int squareSize, int margin, bool flipped);

// Slides the piece of the move played from Positions[CurrentPly], forward
// from its origin to its target or back. Nothing when SlideDelayMs is 0, the
// board is too small to draw, or the record plays no move.
void AnimateMove(bool forward, const std::function<void()>& show);

// Plays the sound of the move played from Positions[ply]: 103 for a
// capture, 102 and 200 ms later 101 for castling, else 102 from an odd ply
// and 101 from an even one. Nothing when the sound is off or no move is played.
void PlayMoveSound(int ply);
