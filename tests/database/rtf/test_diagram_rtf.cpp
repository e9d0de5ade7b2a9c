#include "RtfTestSupport.h"

#include "app/OptionValues.h"
#include "database/DiagramRtf.h"
#include "database/RtfBuffer.h"
#include "rules/Board.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Diagram(bool blackView, bool leadingBreak)
{
    RtfTextPos = 0;
    const RtfPos begin = RtfPrologEnd;
    const RtfPos end = WriteDiagramRtf(begin, blackView, leadingBreak);
    return std::string(RtfBuffer.data() + begin, end - begin);
}

std::string Rows(const std::vector<std::string>& rows)
{
    std::string text;
    for (const std::string& row : rows)
        text += row + "0\\par ";
    return text;
}

const std::string Head =
    "{\\pard\\b0\\nowidctlpar\\keep\\li0\\sa0\\sb0\\keepn\\qc\\f5\\fs48 XIIIIIIIIY\\par ";

struct DiagramCase {
    const char* name;
    bool blackView;
    bool coords;
    bool colored;
    bool leadingBreak;
    std::string expected;
    int shown;
};

TEST(DiagramRtf, StartPosition)
{
    const std::string whiteRows =
        Rows({"9rsnlwqkvlntr", "9zppzppzppzpp", "9-+-+-+-+", "9+-+-+-+-", "9-+-+-+-+", "9+-+-+-+-",
              "9PzPPzPPzPPzP", "9tRNvLQmKLsNR"});
    const std::string blackRows =
        Rows({"1RsNLmKQvLNtR", "2zPPzPPzPPzPP", "3-+-+-+-+", "4+-+-+-+-", "5-+-+-+-+", "6+-+-+-+-",
              "7pzppzppzppzp", "8trnvlkwqlsnr"});
    const std::string blackRowsPlain =
        Rows({"9RsNLmKQvLNtR", "9zPPzPPzPPzPP", "9-+-+-+-+", "9+-+-+-+-", "9-+-+-+-+", "9+-+-+-+-",
              "9pzppzppzppzp", "9trnvlkwqlsnr"});
    const std::string whiteRowsCoords =
        Rows({"8rsnlwqkvlntr", "7zppzppzppzpp", "6-+-+-+-+", "5+-+-+-+-", "4-+-+-+-+", "3+-+-+-+-",
              "2PzPPzPPzPPzP", "1tRNvLQmKLsNR"});
    const std::string breakHead =
        "{\\par \\pard\\b0\\nowidctlpar\\keep\\li0\\sa0\\sb0\\keepn\\qc\\f5\\fs48 XIIIIIIIIY\\par ";
    const std::string plainEnd = "xiiiiiiiiy\\par}\\sa0\\sb0 ";
    const DiagramCase cases[] = {
        {"white side", false, false, false, false, Head + whiteRows + plainEnd, 136},
        {"black side", true, false, false, false, Head + blackRowsPlain + plainEnd, 136},
        {"white side, coordinates", false, true, false, false,
         Head + whiteRowsCoords + "xabcdefghy\\par}\\sa0\\sb0 ", 136},
        {"black side, coordinates", true, true, false, false,
         Head + blackRows + "xhgfedcbay\\par}\\sa0\\sb0 ", 136},
        {"leading break", false, false, false, true, breakHead + whiteRows + plainEnd, 138},
    };
    for (const DiagramCase& c : cases) {
        SCOPED_TRACE(c.name);
        GameBuilder game;
        ResetDocument();
        DiagCoords = c.coords;
        ColoredPieces = c.colored;
        const std::string text = Diagram(c.blackView, c.leadingBreak);
        EXPECT_EQ(text, c.expected);
        EXPECT_EQ(RtfTextPos, c.shown);
        EXPECT_EQ(static_cast<int>(ShownText(text).size()), c.shown);
    }
}

TEST(DiagramRtf, ColouredPieces)
{
    GameBuilder game;
    ResetDocument();
    ColoredPieces = 1;
    const std::string text = Diagram(false, true);
    // Rank 8: a8 light black rook, b8 dark black knight.
    EXPECT_NE(
        text.find(
            "9{\\cf3 r}s{\\cf1 n}{\\cf2 l}w{\\cf4 q}{\\cf5 k}v{\\cf2 l}{\\cf1 n}t{\\cf3 r}0\\par "),
        std::string::npos);
    // Rank 2: a2 light white pawn "{\cf0 P}", b2 dark.
    EXPECT_NE(text.find("9{\\cf0 P}z{\\cf0 P}"), std::string::npos);
    // Rank 1: b1 white knight on a light square, g1 on a dark one.
    EXPECT_NE(text.find("s{\\cf1 N}{\\cf3 R}0\\par "), std::string::npos);
    EXPECT_EQ(RtfTextPos, 138);
    EXPECT_EQ(ShownText(text).size(), 138u);
    EXPECT_LT(text.size(), DiagramRtfMaxBytes);
}

TEST(DiagramRtf, SizesAndEmptyBoard)
{
    const struct {
        int size;
        const char* word;
    } sizes[] = {{0, "\\f5\\fs40 X"}, {1, "\\f5\\fs48 X"}, {2, "\\f5\\fs56 X"}};
    for (const auto& s : sizes) {
        SCOPED_TRACE(s.size);
        GameBuilder game;
        ResetDocument();
        MoveFontSize = s.size;
        for (int square = 0; square < BoardCells; ++square)
            if (IsRealSquare(square)) Positions[0].Board[square] = Piece::Empty;
        const std::string text = Diagram(false, false);
        EXPECT_NE(text.find(s.word), std::string::npos);
        EXPECT_EQ(RtfTextPos, 56 + 64);
    }
}

TEST(DiagramRtf, ShowsThePositionOfTheCurrentPly)
{
    GameBuilder game;
    game.Moves("e2e4 g8f6");
    ResetDocument();
    const std::string text = Diagram(false, false);
    EXPECT_NE(text.find("9rsnlwqkvl-tr0"), std::string::npos); // g8 light and empty
    EXPECT_NE(text.find("9-+-+-sn-+0"), std::string::npos);    // f6: knight on a dark square
    EXPECT_NE(text.find("9-+-+P+-+0"), std::string::npos);     // e4 light
}

TEST(DiagramRtf, LargestDiagramFitsItsRoom)
{
    GameBuilder game;
    ResetDocument();
    ColoredPieces = 1;
    DiagCoords = true;
    EXPECT_LT(Diagram(true, true).size(), DiagramRtfMaxBytes);
}

} // namespace
