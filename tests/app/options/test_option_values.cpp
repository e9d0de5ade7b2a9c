#include "app/OptionValues.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

std::string ColorTable()
{
    return std::string(RtfColorTable.data());
}

class OptionValuesTest : public ::testing::Test {
protected:
    void SetUp() override { RestoreFirstRunOptions(); }
    void TearDown() override { RestoreFirstRunOptions(); }
};

TEST_F(OptionValuesTest, FirstRunValues)
{
    EXPECT_EQ(BoardLightSquare, 0xC0C0C0u);
    EXPECT_EQ(BoardDarkSquare, 0xA4A4A4u);
    EXPECT_EQ(BoardLightPiece, 0x064053u);
    EXPECT_EQ(BoardDarkPiece, 0x064053u);
    EXPECT_EQ(SlideDelayMs, 9);
    EXPECT_TRUE(ShowCoords && UseShadow && UseGradient && BoardSound && MoveHint);
    EXPECT_EQ(LightContrast, 61);
    EXPECT_FALSE(LongNotation);
    EXPECT_TRUE(FigurineNotation);
    EXPECT_EQ(MoveFontType, 0);
    EXPECT_EQ(MoveNumberStyle, 0);
    EXPECT_EQ(MoveFontSize, 1);
    EXPECT_EQ(LoadToMove, 0);
    EXPECT_EQ(std::string(PieceLetterChars.begin(), PieceLetterChars.end()), " PNBRQK");
    EXPECT_EQ(ExpandDepth, 3);
    EXPECT_FALSE(DiagCoords || DiagAtStart || DiagBlackView || NoDiagrams);
    EXPECT_EQ(LeftMarginMm, 19);
    EXPECT_EQ(RightMarginMm, 19);
    EXPECT_EQ(TopMarginMm, 18);
    EXPECT_EQ(BottomMarginMm, 18);
    EXPECT_EQ(SquareSize, 68);
    EXPECT_EQ(PieceSizePercent, 91);
    EXPECT_EQ(ColoredPieces, 0);
    EXPECT_EQ(GenericGlyphMode, 0);
    EXPECT_EQ(BoardFlipped, 0);
    EXPECT_EQ(PieceSet[0], 0);
    EXPECT_EQ(PieceSet[1], 1);
    EXPECT_EQ(std::string(GlyphChars.begin() + 1, GlyphChars.end()), DefaultGlyphChars);
}

TEST_F(OptionValuesTest, RestoreUndoesChanges)
{
    MoveFontSize = 2;
    PieceLabels[0][4].Contour = 0x123456;
    PieceLetterChars[2] = 'H';
    BuildRtfColorTable();
    RestoreFirstRunOptions();
    EXPECT_EQ(MoveFontSize, 1);
    EXPECT_EQ(PieceLabels, VelmoraDefaultColors);
    EXPECT_EQ(PieceLetterChars[2], 'N');
    EXPECT_TRUE(ColorTable().starts_with("\\red181\\green172\\blue13;"));
}

constexpr const char* DefaultTable =
    "\\red181\\green172\\blue13;\\red77\\green112\\blue253;\\red0\\green157\\blue0;"
    "\\red175\\green0\\blue251;\\red225\\green0\\blue0;\\red80\\green40\\blue2;";

TEST_F(OptionValuesTest, ColorTableOfDefaultPalette)
{
    EXPECT_EQ(ColorTable(), DefaultTable); // static start-up value
    BuildRtfColorTable();
    EXPECT_EQ(ColorTable(), DefaultTable);
}

struct PaletteEdit {
    const char* name;
    int side;
    int piece;
    std::uint32_t contour;
    std::uint32_t inner;
    const char* expected; // nullptr: table unchanged
};

TEST_F(OptionValuesTest, ColorTableFollowsLightContoursOnly)
{
    const PaletteEdit cases[] = {
        {"pawn contour never listed", 0, 5, 0x112233, 0x445566, nullptr},
        {"dark column never listed", 1, 4, 0x010203, 0x040506, nullptr},
        {"inner colour never listed", 0, 0, 0x0000E1, 0x000000, nullptr},
        {"knight first, components red green blue", 0, 4, 0x0A0B0C, 0,
         "\\red12\\green11\\blue10;\\red77\\green112\\blue253;\\red0\\green157\\blue0;"
         "\\red175\\green0\\blue251;\\red225\\green0\\blue0;\\red80\\green40\\blue2;"},
        {"king last, zero and 255", 0, 0, 0xFF0000, 0,
         "\\red181\\green172\\blue13;\\red77\\green112\\blue253;\\red0\\green157\\blue0;"
         "\\red175\\green0\\blue251;\\red0\\green0\\blue255;\\red80\\green40\\blue2;"},
        {"white contour", 0, 2, 0xFFFFFF, 0,
         "\\red181\\green172\\blue13;\\red77\\green112\\blue253;\\red255\\green255\\blue255;"
         "\\red175\\green0\\blue251;\\red225\\green0\\blue0;\\red80\\green40\\blue2;"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RestoreFirstRunOptions();
        PieceLabels[c.side][c.piece] = {c.contour, c.inner};
        BuildRtfColorTable();
        EXPECT_EQ(ColorTable(), c.expected ? c.expected : DefaultTable);
    }
}

TEST_F(OptionValuesTest, ColorTableAlwaysSixEntriesAndFits)
{
    for (auto& row : PieceLabels)
        for (auto& cell : row)
            cell = {0xFFFFFF, 0xFFFFFF};
    BuildRtfColorTable();
    const std::string text = ColorTable();
    EXPECT_LT(text.size(), static_cast<std::size_t>(RtfColorTableSize));
    EXPECT_EQ(std::count(text.begin(), text.end(), ';'), 6);
    EXPECT_TRUE(text.ends_with("\\red80\\green40\\blue2;"));
}

} // namespace
