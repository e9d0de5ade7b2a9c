// Moves played with the mouse on the board: press on a piece and drag it, or
// press on a target and release on the piece that goes there, or (with the
// move hint on) click when the press leaves a single move. While a press is
// held the candidate squares are outlined and navigation stands still.
//
// The main window calls BeginBoardPress on a press, repaints the board, then
// LiftPressedPiece; DragPressedPiece on every move (it draws into BoardBitmap:
// the window repaints the paint box); FinishBoardPress on the release, which
// names the move and says whether to slide it; EndBoardPress last.
#pragma once

#include "platform/Types.h"

#include <functional>

// File and rank of the pressed square (board coordinates), -1 with no press.
extern int DragFrom;
extern int DragRow;
// Image index of the pressed own piece, 0 for a press on a target square.
extern int DragPiece;
extern int DragStartX, DragStartY;   // pointer at the press; X 0: no image moves
extern int DragOffsetX, DragOffsetY; // pointer offset from the press point
extern int DragLastX, DragLastY;     // offset at which the image was last drawn
extern TRect DragRect;               // where the dragged image stands
extern int MarkFrom, MarkTo;         // squares chosen so far, 0 none
extern bool PromoteBlack;            // the chooser shows Black's pieces

// A press at (x, y) of the board: true when it starts a move entry (the
// marks are set; the board needs a repaint).
bool BeginBoardPress(int x, int y);
// After that repaint: the pressed piece's square is saved empty under it.
void LiftPressedPiece();
// The pointer moved: true when BoardBitmap changed.
bool DragPressedPiece(int x, int y);

enum class PressOutcome { Cancelled, Chosen };
struct PressResult {
    PressOutcome Outcome = PressOutcome::Cancelled;
    int Index = -1;       // the move chosen in Positions[CurrentPly].Moves
    bool Animate = false; // clicked or entered from the target: slide it
};
// The release at (x, y): finds the move and asks choosePromotion (0 queen,
// 1 rook, 2 bishop, 3 knight; -1 gives up) for a promotion. A cancelled
// entry leaves the move list as it was.
PressResult FinishBoardPress(int x, int y, const std::function<int()>& choosePromotion);
// Clears the marks and the press state.
void EndBoardPress();
