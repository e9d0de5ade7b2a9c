#include "app/BoardView.h"
#include "app/OptionValues.h"
#include "rules/Board.h"
#include "tests/app/board/BoardTestSupport.h"
#include "tests/support/TestShots.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

int LightPixels(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (ColorAt(image, x, y) & 0xFF) > 0xB0;
    return n;
}

class BoardPaint : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(EnsureBoardApp());
        InitGameStore();
    }
    void SetUp() override
    {
        RestoreFirstRunOptions();
        SquareMarks.fill(0);
        CurrentPly = 0;
    }
    void TearDown() override
    {
        RestoreFirstRunOptions();
        SquareMarks.fill(0);
    }

    // What ResizeBoard and FormPaint do, without the window.
    static void BuildAndPaint(int s)
    {
        SquareSize = s;
        BoardMargin = BoardMarginFor(s);
        BuildPieceBitmaps(s, 8 * s + 2 * BoardMargin);
        PaintBoardBitmap();
    }

    static QImage Crop(const TRect& r) { return BoardBitmap.copy(ToQRect(r)); }
};

TEST_F(BoardPaint, ImagesAndBitmapsTakeTheirSizes)
{
    BuildAndPaint(42);
    EXPECT_EQ(BoardBitmap.width(), 366);
    EXPECT_EQ(BoardBitmap.height(), 366);
    EXPECT_EQ(DragBitmap.size(), QSize(42, 42));
    EXPECT_EQ(DragBufferRect, (TRect{0, 0, 42, 42}));
    for (int i = 0; i <= 12; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(PieceBitmaps[i].size(), QSize(42, 42));
    }
}

TEST_F(BoardPaint, SquareColoursInBothOrientations)
{
    for (bool flipped : {false, true}) {
        SCOPED_TRACE(flipped);
        BoardFlipped = flipped;
        BuildAndPaint(42);
        const int m = BoardMargin;
        // The bottom-left square (a1, or h8 flipped) is dark; beside it light.
        EXPECT_EQ(ColorAt(BoardBitmap, m + 1, m + 8 * 42 - 2), BoardDarkSquare);
        EXPECT_EQ(ColorAt(BoardBitmap, m + 42 + 1, m + 8 * 42 - 2), BoardLightSquare);
        // The empty centre squares show their colour all over.
        const TRect e4 = SquareRect(SquareOf(4, 3), 42, m, flipped);
        EXPECT_EQ(CountColor(Crop(e4), BoardLightSquare), 42 * 42);
        const TRect d4 = SquareRect(SquareOf(3, 3), 42, m, flipped);
        EXPECT_EQ(CountColor(Crop(d4), BoardDarkSquare), 42 * 42);
        // The frame.
        EXPECT_EQ(ColorAt(BoardBitmap, 0, 0), 0x606060u);
    }
}

TEST_F(BoardPaint, PiecesStandOnTheirSquares)
{
    for (bool flipped : {false, true}) {
        SCOPED_TRACE(flipped);
        BoardFlipped = flipped;
        BuildAndPaint(55);
        const struct {
            int square;
            int image;
        } pieces[] = {
            {SquareOf(4, 0), 6}, {SquareOf(3, 7), 11}, {SquareOf(0, 1), 1}, {SquareOf(6, 7), 8}};
        for (const auto& p : pieces) {
            SCOPED_TRACE(p.square);
            const TRect r = SquareRect(p.square, 55, BoardMargin, flipped);
            const QImage& piece = PieceBitmaps[p.image];
            const std::uint32_t square =
                IsDarkCell(CellOfSquare(p.square, flipped)) ? BoardDarkSquare : BoardLightSquare;
            for (int y = 0; y < 55; ++y)
                for (int x = 0; x < 55; ++x) {
                    const std::uint32_t px = ColorAt(piece, x, y);
                    ASSERT_EQ(ColorAt(BoardBitmap, r.Left + x, r.Top + y),
                              px == PieceKeyColor ? square : px)
                        << x << "," << y;
                }
        }
    }
}

TEST_F(BoardPaint, MarkedSquaresGetAnOutline)
{
    SquareMarks[SquareOf(4, 3)] = 1;
    BuildAndPaint(42);
    const TRect e4 = SquareRect(SquareOf(4, 3), 42, BoardMargin, false);
    EXPECT_EQ(ColorAt(BoardBitmap, e4.Left, e4.Top), 0x000080u);
    EXPECT_EQ(ColorAt(BoardBitmap, e4.Right - 1, e4.Bottom - 1), 0x000080u);
    EXPECT_EQ(ColorAt(BoardBitmap, e4.Left + 1, e4.Top + 1), BoardLightSquare);
    EXPECT_EQ(CountColor(Crop(e4), 0x000080), 4 * 42 - 4);
    const TRect e5 = SquareRect(SquareOf(4, 4), 42, BoardMargin, false);
    EXPECT_EQ(CountColor(Crop(e5), 0x000080), 0);
}

TEST_F(BoardPaint, CoordinatesReadFromTheViewersSide)
{
    const int s = 42;
    auto letters = [&](bool flipped) {
        BoardFlipped = flipped;
        BuildAndPaint(s);
        const int m = BoardMargin, w = BoardBitmap.width(), d = w - 2 * m;
        const int left = d / 16 + m, right = 15 * d / 16 + m;
        struct {
            QImage topLeft, bottomLeft, topRight, rankTop, rankTopRight, rankBottom;
        } out{Crop({left - 6, 1, left + 8, 14}),     Crop({left - 6, w - 13, left + 8, w}),
              Crop({right - 6, 1, right + 8, 14}),   Crop({1, left - 7, 13, left + 8}),
              Crop({w - 12, left - 7, w, left + 8}), Crop({1, right - 7, 13, right + 8})};
        return out;
    };
    const auto normal = letters(false);
    const auto flipped = letters(true);
    // Text is there, light on the frame.
    EXPECT_GT(LightPixels(normal.topLeft), 5);
    EXPECT_GT(LightPixels(normal.rankTop), 3);
    // "A" above and below the left column; "H" there when flipped.
    EXPECT_EQ(normal.topLeft, normal.bottomLeft);
    EXPECT_NE(normal.topLeft, normal.topRight);
    EXPECT_EQ(normal.topLeft, flipped.topRight);
    EXPECT_EQ(flipped.topLeft, normal.topRight);
    // "8" left and right of the top row; "1" there when flipped.
    EXPECT_EQ(normal.rankTop, normal.rankTopRight);
    EXPECT_EQ(normal.rankTop, flipped.rankBottom);
    EXPECT_EQ(flipped.rankTop, normal.rankBottom);
    EXPECT_NE(normal.rankTop, normal.rankBottom);
}

TEST_F(BoardPaint, TooSmallSquaresBuildAndPaintNothing)
{
    BuildAndPaint(42);
    const QImage board = BoardBitmap;
    const QImage king = PieceBitmaps[6];
    BoardFlipped = 1;
    BuildAndPaint(13);
    EXPECT_EQ(BoardBitmap, board);
    EXPECT_EQ(PieceBitmaps[6], king);
    EXPECT_EQ(DragBufferRect, (TRect{0, 0, 42, 42}));
    BuildAndPaint(14);
    EXPECT_EQ(PieceBitmaps[6].size(), QSize(14, 14));
    EXPECT_EQ(BoardBitmap.width(), 8 * 14 + 30);
}

TEST_F(BoardPaint, PlyOutsideTheLineShowsAnEmptyBoard)
{
    BuildAndPaint(42);
    CurrentPly = -1;
    PaintBoardBitmap();
    const TRect e1 = SquareRect(SquareOf(4, 0), 42, BoardMargin, false);
    EXPECT_EQ(CountColor(Crop(e1), BoardDarkSquare), 42 * 42);
}

// Every scheme, size, side and style paints a board of its own, at its size;
// the pictures are kept for a person to look at.
TEST_F(BoardPaint, EverySchemeSizeSideAndStyleGivesItsOwnBoard)
{
    std::vector<QImage> boards;
    auto keep = [&boards](const QString& name, int s) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(BoardBitmap.size(), QSize(8 * s + 2 * BoardMargin, 8 * s + 2 * BoardMargin));
        for (std::size_t i = 0; i < boards.size(); ++i)
            EXPECT_FALSE(BoardBitmap == boards[i]) << "the same as board " << i;
        boards.push_back(BoardBitmap);
        KeepShot(BoardBitmap, name);
    };
    for (Scheme scheme :
         {Scheme::Traditional, Scheme::Velmora, Scheme::Reversed, Scheme::ColorChess}) {
        for (int s : {42, 68}) {
            for (bool flipped : {false, true}) {
                RestoreFirstRunOptions();
                ApplyScheme(scheme);
                BoardFlipped = flipped;
                SquareMarks.fill(0);
                SquareMarks[SquareOf(4, 1)] = SquareMarks[SquareOf(4, 3)] = 1;
                BuildAndPaint(s);
                keep(QStringLiteral("board-%1-%2%3.png")
                         .arg(SchemeName(scheme))
                         .arg(s)
                         .arg(flipped ? "-flipped" : ""),
                     s);
                if (s == 42 && !flipped) {
                    // The first rank four times as large, to see the edge pixels.
                    const QImage rank =
                        BoardBitmap.copy(BoardMargin, BoardMargin + 6 * s, 4 * s, 2 * s);
                    KeepShot(rank.scaled(rank.size() * 4),
                             QStringLiteral("zoom-%1-42.png").arg(SchemeName(scheme)));
                }
            }
        }
    }
    for (Style style : {Style::Classic, Style::Blindfold}) {
        RestoreFirstRunOptions();
        ApplyStyle(style);
        ShowCoords = false;
        BuildAndPaint(55);
        keep(QStringLiteral("board-%1-55.png").arg(StyleName(style)), 55);
    }
    EXPECT_EQ(boards.size(), 18u);
}

} // namespace
