// The piece images of the board, rendered from the board font "Kavdiag".
//
// Image index: 1..6 White's pawn, knight, bishop, rook, queen, king; 7..12
// Black's in the same order; 0 is never drawn. Each image is S x S,
// Format_RGB32, and is drawn transparently with the key PieceKeyColor: a
// single glyph drawn in the contour colour, its enclosed areas in the inner
// colour, everything outside its outline the key. Optional extras: a
// gradient over the right half and a grey drop shadow shifted by d.
#pragma once

#include <QImage>

#include <array>
#include <cstdint>

using TColor = std::uint32_t;

// Transparent key of the piece images and of the shadow image.
inline constexpr TColor PieceKeyColor = 0x808080;
inline constexpr TColor ShadowKeyColor = 0x800000;
inline constexpr TColor ShadowColor = 0x7A7A7A;

// Cell of PieceLabels for each image index: side 0 light, 1 dark; column
// 0 King .. 5 Pawn. Entry 0 is unused.
struct PieceLabelCell {
    int Side;
    int Column;
};
extern const std::array<PieceLabelCell, 13> PieceLabelIndex;

// Image index of a board byte: the code for White (1..6), code - 0x7A for
// Black (0x81..0x86); 0 for an empty square or any other byte.
int ImageIndexOf(std::uint8_t pieceCode);

// Glyph index of image index i (1..12) under PieceSet: 1..6 the light set,
// 7..12 the dark set.
int GlyphIndexOf(int imageIndex);

// The font character drawn for image index i under the scheme values.
char GlyphCharFor(int imageIndex);

// Font size and glyph offsets for square size S and piece size P (percent).
struct GlyphPlacement {
    int CellHeight; // trunc(P x S / 102)
    int X0;         // glyph cell's top-left inside the square
    int Y0;
    int ShadowOffset; // CellHeight / 30
};
GlyphPlacement GlyphPlacementFor(int squareSize, int piecePercent);

// Contour, inner and intermediate background of image index i under the
// scheme values, option colours and palette.
struct PieceColors {
    TColor Contour;
    TColor Inner;
    TColor Back;
};
PieceColors PieceColorsFor(int imageIndex);

// Builds piece image i for square size S with the given piece font (see
// CreatePieceFont) and placement, reading UseGradient and UseShadow.
QImage BuildPieceImage(int imageIndex, int squareSize, const QFont& font,
                       const GlyphPlacement& placement);

// Draws an image with every pixel of colour key left out.
class QPainter;
void DrawKeyed(QPainter& painter, int x, int y, const QImage& image, TColor key);
