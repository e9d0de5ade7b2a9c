#include "app/BoardView.h"
#include "app/OptionValues.h"
#include "rules/Board.h"
#include "tests/app/board/BoardTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(BoardFit, PaneSizes)
{
    const struct {
        const char* name;
        int w, h;
        bool coords;
        int square, margin, font, boardWidth;
    } cases[] = {
        {"tall pane with coordinates", 386, 398, true, 42, 15, 9, 366},
        {"tall pane without coordinates", 386, 398, false, 44, 7, 9, 366},
        {"wide pane with coordinates", 600, 400, true, 42, 15, 9, 366},
        {"square pane uses the width", 500, 500, true, 57, 15, 10, 486},
        {"collapsed pane gives no negative size", 6, 398, true, 0, 15, 7, 30},
        {"very flat pane: font kept positive", 2000, 0, false, 0, 3, 7, 6},
    };
    OptionsGuard guard;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ShowCoords = c.coords;
        const BoardFit fit = FitBoardToPane(c.w, c.h);
        EXPECT_EQ(fit.SquareSize, c.square);
        EXPECT_EQ(fit.Margin, c.margin);
        EXPECT_EQ(fit.HeadFontSize, c.font);
        EXPECT_EQ(8 * fit.SquareSize + 2 * fit.Margin, c.boardWidth);
    }
}

TEST(BoardGeometry, CellsShowSquaresInBothOrientations)
{
    const struct {
        const char* name;
        ScreenCell cell;
        bool flipped;
        int square;
        bool dark;
    } cases[] = {
        {"bottom left is a1", {0, 0}, false, 0x21, true},
        {"bottom left flipped is h8", {0, 0}, true, 0x98, true},
        {"top right is h8", {7, 7}, false, 0x98, true},
        {"top right flipped is a1", {7, 7}, true, 0x21, true},
        {"bottom right is h1", {7, 0}, false, 0x28, false},
        {"bottom right flipped is a8", {7, 0}, true, 0x91, false},
        {"e4", {4, 3}, false, 0x55, false},
        {"e4 seen flipped is d5", {4, 3}, true, 0x64, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SquareAtCell(c.cell, c.flipped), c.square);
        EXPECT_EQ(CellOfSquare(c.square, c.flipped), c.cell);
        EXPECT_EQ(IsDarkCell(c.cell), c.dark);
    }
}

TEST(BoardGeometry, SquareRectanglesAndPointsAgree)
{
    const int s = 42, m = 15;
    EXPECT_EQ(SquareRect(0x21, s, m, false), (TRect{15, 309, 57, 351}));
    EXPECT_EQ(SquareRect(0x21, s, m, true), (TRect{309, 15, 351, 57}));
    EXPECT_EQ(SquareRect(0x98, s, m, false), (TRect{309, 15, 351, 57}));
    for (bool flipped : {false, true}) {
        for (int rank = 0; rank < 8; ++rank) {
            for (int file = 0; file < 8; ++file) {
                const int q = SquareOf(file, rank);
                SCOPED_TRACE(testing::Message() << "square " << q << " flipped " << flipped);
                const TRect r = SquareRect(q, s, m, flipped);
                EXPECT_EQ(SquareAtPoint(r.Left, r.Top, s, m, flipped), q);
                EXPECT_EQ(SquareAtPoint(r.Right - 1, r.Bottom - 1, s, m, flipped), q);
            }
        }
    }
}

TEST(BoardGeometry, PointsOffTheSquaresGiveNoSquare)
{
    const struct {
        const char* name;
        int x, y, s, m;
    } cases[] = {
        {"left margin", 14, 100, 42, 15},        {"top margin", 100, 14, 42, 15},
        {"right margin", 351, 100, 42, 15},      {"bottom margin", 100, 351, 42, 15},
        {"negative point", -5, -5, 42, 15},      {"zero square size", 20, 20, 0, 3},
        {"negative square size", 20, 20, -4, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SquareAtPoint(c.x, c.y, c.s, c.m, false), -1);
        EXPECT_EQ(SquareAtPoint(c.x, c.y, c.s, c.m, true), -1);
    }
}

} // namespace
