#include "app/BoardView.h"

#include "app/OptionValues.h"
#include "app/PieceFont.h"
#include "platform/Canvas.h"
#include "rules/Board.h"

#include <QPainter>

#include <algorithm>

int BoardMargin = 0;
QImage BoardBitmap;
std::array<QImage, 13> PieceBitmaps;
QImage DragBitmap;
TRect DragBufferRect{0, 0, 0, 0};
std::array<std::uint8_t, 192> SquareMarks{};

namespace {

constexpr TColor FrameColor = 0x606060;
constexpr TColor MarkColor = 0x000080;

// The coordinates' font: small enough for the fixed offsets in a 15 px frame.
QFont CoordinateFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(10);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void DrawCoordinates(TCanvas& canvas, int width, int margin, bool flipped)
{
    const int d = width - 2 * margin;
    for (int i = 0; i < 8; ++i) {
        const int t = (2 * i + 1) * d / 16;
        const QString file(QChar(flipped ? 'H' - i : 'A' + i));
        canvas.TextOut(t + margin - 4, 1, file);
        canvas.TextOut(t + margin - 4, width - 13, file);
        const QString rank(QChar(flipped ? '1' + i : '8' - i));
        canvas.TextOut(3, t + margin - 6, rank);
        canvas.TextOut(width - 10, t + margin - 6, rank);
    }
}

} // namespace

int BoardMarginFor(int squareSize)
{
    return ShowCoords ? 15 : squareSize / 10 + 3;
}

BoardFit FitBoardToPane(int width, int height)
{
    const int v = height >= width ? width - 8 : height - 24;
    BoardFit fit{};
    fit.HeadFontSize = std::max(1, v / 128 + 7);
    // A collapsed pane would give a negative size.
    fit.SquareSize = std::max(0, ShowCoords ? (v - 36) / 8 : (5 * v - 60) / 41);
    fit.Margin = BoardMarginFor(fit.SquareSize);
    return fit;
}

void BuildPieceBitmaps(int squareSize, int boardWidth)
{
    if (squareSize < MinSquareSize) return;
    const GlyphPlacement placement = GlyphPlacementFor(squareSize, PieceSizePercent);
    const QFont font = CreatePieceFont(std::max(1, placement.CellHeight));

    DragBufferRect = {0, 0, squareSize, squareSize};
    BoardBitmap = boardWidth > 0 ? QImage(boardWidth, boardWidth, QImage::Format_RGB32) : QImage();
    if (!BoardBitmap.isNull()) BoardBitmap.fill(ToQColor(FrameColor));
    DragBitmap = QImage(squareSize, squareSize, QImage::Format_RGB32);
    DragBitmap.fill(Qt::black);

    PieceBitmaps[0] = QImage(squareSize, squareSize, QImage::Format_RGB32);
    PieceBitmaps[0].fill(ToQColor(PieceKeyColor));
    for (int i = 1; i <= 12; ++i)
        PieceBitmaps[i] = BuildPieceImage(i, squareSize, font, placement);
}

void PaintBoardBitmap()
{
    const int s = SquareSize;
    if (s < MinSquareSize || BoardBitmap.isNull()) return;
    const int w = BoardBitmap.width();
    BoardMargin = BoardMarginFor(s);
    const int m = BoardMargin;
    const bool flipped = BoardFlipped != 0;

    TCanvas canvas;
    canvas.Begin(&BoardBitmap);
    canvas.Pen.Color = FrameColor;
    canvas.Brush.Color = FrameColor;
    canvas.Rectangle(0, 0, w, w);
    canvas.Font.SetQtFont(CoordinateFont());
    canvas.Font.Color = 0xFFFFFF;
    if (ShowCoords) DrawCoordinates(canvas, w, m, flipped);

    // A ply outside the line leaves the squares empty rather than reading past it.
    const bool plyValid = CurrentPly >= 0 && CurrentPly < LineRecords;
    const std::uint8_t* board = plyValid ? Positions[CurrentPly].Board : nullptr;
    for (int c = 0; c < 8; ++c) {
        for (int r = 0; r < 8; ++r) {
            const ScreenCell cell{c, r};
            const int q = SquareAtCell(cell, flipped);
            canvas.Brush.Color = IsDarkCell(cell) ? BoardDarkSquare : BoardLightSquare;
            canvas.Pen.Color = SquareMarks[q] ? MarkColor : canvas.Brush.Color;
            const TRect rect = CellRect(cell, s, m);
            canvas.Rectangle(rect);
            const int image = board ? ImageIndexOf(board[q]) : 0;
            if (image != 0)
                DrawKeyed(*canvas.Painter(), rect.Left, rect.Top, PieceBitmaps[image],
                          PieceKeyColor);
        }
    }
    canvas.End();
}

int SquareAtCell(ScreenCell cell, bool flipped)
{
    return flipped ? SquareOf(7 - cell.Column, 7 - cell.Row) : SquareOf(cell.Column, cell.Row);
}

ScreenCell CellOfSquare(int square, bool flipped)
{
    const int file = FileOf(square);
    const int rank = RankOf(square);
    return flipped ? ScreenCell{7 - file, 7 - rank} : ScreenCell{file, rank};
}

bool IsDarkCell(ScreenCell cell)
{
    return (cell.Column + cell.Row) % 2 == 0;
}

TRect CellRect(ScreenCell cell, int squareSize, int margin)
{
    const int left = cell.Column * squareSize + margin;
    const int top = (7 - cell.Row) * squareSize + margin;
    return {left, top, left + squareSize, top + squareSize};
}

TRect SquareRect(int square, int squareSize, int margin, bool flipped)
{
    return CellRect(CellOfSquare(square, flipped), squareSize, margin);
}

int SquareAtPoint(int x, int y, int squareSize, int margin, bool flipped)
{
    if (squareSize <= 0) return -1;
    const int bx = x - margin;
    const int by = y - margin;
    const int span = 8 * squareSize;
    if (bx < 0 || by < 0 || bx >= span || by >= span) return -1;
    return SquareAtCell({bx / squareSize, 7 - by / squareSize}, flipped);
}
