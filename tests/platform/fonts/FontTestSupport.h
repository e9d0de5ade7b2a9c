// Shared helpers of the font tests: the GUI application, the embedded font
// files, and the board's way of turning a glyph into a piece image.
#pragma once

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRawFont>
#include <QRgb>
#include <QString>

// The application the font database needs (tests/support/TestApp.h).
void EnsureGuiApplication();

// Adds the four embedded fonts to the application (once per process).
void RegisterEmbeddedFonts();

// The bytes of an embedded font file, e.g. ":/fonts/Kavdiag.ttf".
QByteArray EmbeddedFontData(const QString& path);

// An embedded font file at 2048 pixels (one pixel a font unit), unhinted.
QRawFont RawFont(const char* path);
// The glyph of code point cp; 0 where the font has none.
quint32 GlyphOf(const QRawFont& raw, char32_t cp);

// Placement of a piece glyph in a square of side s at piece size p percent,
// as the board computes it: cell height, cell origin, shadow offset.
struct PieceGeometry {
    int cell;
    int x0;
    int y0;
    int shadow;
};
PieceGeometry BoardPieceGeometry(int s, int p);

// The board's piece font for a cell height (LOGFONT height, weight).
QFont BoardFont(int cellHeight, int weight = 400);

// Draws one character with its text cell's top-left corner at (x, y).
void DrawGlyphCell(QImage& image, const QFont& font, QChar glyph, int x, int y, QRgb colour);

// 4-connected flood fill of the region of colour target that holds start.
void FloodFill4(QImage& image, QPoint start, QRgb target, QRgb fill);

// Pixel compare without the alpha byte.
inline bool SameColour(QRgb a, QRgb b)
{
    return (a & 0xFFFFFF) == (b & 0xFFFFFF);
}

inline constexpr QRgb KeyColour = 0xFF808080;

// Colours of one piece image.
struct PieceColours {
    QRgb contour;
    QRgb inner;
    QRgb back;
};

// The glyph alone on the back colour, before any recolouring.
QImage RenderRawPiece(QChar glyph, int s, int p, const PieceColours& colours);

// A finished piece image: glyph in the contour colour, enclosed areas in the
// inner colour, everything 4-connected to (1, 1) in the key colour.
QImage RenderPieceImage(QChar glyph, int s, int p, const PieceColours& colours);

// Number of pixels of one colour.
int CountColour(const QImage& image, QRgb colour);
