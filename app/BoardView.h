// The board of the main window: the off-screen board image, the piece
// images, the save-under image of a dragged piece, the square marks, and the
// geometry that maps screen cells and pixels to squares.
//
// Screen column c (0 = left) and screen row r (0 = bottom) show the square
// (file, rank) = (c, r), or (7 - c, 7 - r) when the board is flipped. The
// square's rectangle is (c S + M, (7 - r) S + M) with side S, M the margin.
// A cell is dark when c + r is even, so a1 is dark in both orientations.
//
// TForm1 calls: BuildPieceBitmaps from CreatePieceBitmaps, PaintBoardBitmap
// from FormPaint (then copies BoardBitmap to the paint box), BoardMarginFor
// from ResizeBoard and FitBoardToPane from Splitter1Moved.
#pragma once

#include "app/PieceImages.h"
#include "platform/Types.h"

#include <QImage>

#include <array>
#include <cstdint>

extern int BoardMargin;                           // M
extern QImage BoardBitmap;                        // W x W, opaque
extern std::array<QImage, 13> PieceBitmaps;       // by image index, key PieceKeyColor
extern QImage DragBitmap;                         // S x S save-under image
extern TRect DragBufferRect;                      // (0, 0, S, S)
extern std::array<std::uint8_t, 192> SquareMarks; // non-zero: outline the square

// The smallest square size that is drawn; below it nothing is built or painted.
inline constexpr int MinSquareSize = 14;

// 15 with coordinates, else S / 10 + 3.
int BoardMarginFor(int squareSize);

// The board fitted to a pane of w x h pixels.
struct BoardFit {
    int SquareSize; // never negative
    int Margin;
    int HeadFontSize; // point size of the title under the board, at least 1
};
BoardFit FitBoardToPane(int width, int height);

// Rebuilds PieceBitmaps, BoardBitmap (boardWidth square), DragBitmap and
// DragBufferRect for square size S and the present options and scheme. Does
// nothing when S < MinSquareSize.
void BuildPieceBitmaps(int squareSize, int boardWidth);

// Draws frame, coordinates, squares, marks and the pieces of
// Positions[CurrentPly] into BoardBitmap, with S = SquareSize. Does nothing
// when S < MinSquareSize or BoardBitmap was never built.
void PaintBoardBitmap();

// ---- Geometry ----------------------------------------------------------------

struct ScreenCell {
    int Column; // 0 = left
    int Row;    // 0 = bottom
    friend constexpr bool operator==(const ScreenCell&, const ScreenCell&) = default;
};

// Mailbox index of the square shown at a screen cell.
int SquareAtCell(ScreenCell cell, bool flipped);
// Screen cell of a real square.
ScreenCell CellOfSquare(int square, bool flipped);
bool IsDarkCell(ScreenCell cell);
// Pixel rectangle of a screen cell.
TRect CellRect(ScreenCell cell, int squareSize, int margin);
// Pixel rectangle of a real square.
TRect SquareRect(int square, int squareSize, int margin, bool flipped);
// The square under a pixel of the board, -1 on the margin, outside the board
// or when S is not positive.
int SquareAtPoint(int x, int y, int squareSize, int margin, bool flipped);
