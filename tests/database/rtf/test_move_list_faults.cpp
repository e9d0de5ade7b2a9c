// The move list stays well formed and its positions stay exact on streams
// and buffers that would otherwise break it.
#include "RtfTestSupport.h"

#include "app/OptionValues.h"
#include "database/GameHeaderRtf.h"
#include "database/MoveListRtf.h"
#include "database/MoveNotation.h"
#include "database/RtfBuffer.h"
#include "rules/Board.h"
#include "rules/GameStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

constexpr std::string_view Tail = "\\li10\\sb30\\sa200 \\par\\par}";

std::string Render()
{
    const RtfPos start = WriteGameHeaderRtf(RtfPrologEnd, -1, {});
    const RtfPos end = BuildMoveList(start);
    return std::string(RtfBuffer.data() + start, end - start);
}

int Counted(const std::string& list)
{
    return static_cast<int>(ShownText(list).size()) - 4;
}

TEST(TrimTrailingBlanks, KeepsBlanksThatEndControlWordsOrFollowEscapes)
{
    struct Row {
        const char* name;
        std::string_view before;
        std::string_view after;
        int uncounted; // blanks taken off RtfTextPos
    } rows[] = {
        {"after a move", "1.e4 ", "1.e4", 1},
        {"several blanks", "1.e4   ", "1.e4", 3},
        {"no blank", "1.e4", "1.e4", 0},
        {"after castling", "4.0\\_0 ", "4.0\\_0 ", 0},
        {"after a figurine promotion", "e8\\'a3 ", "e8\\'a3 ", 0},
        {"short control word", "\\fs28 ", "\\fs28 ", 0},
        {"indent of three digits", "\\li130 ", "\\li130 ", 0},
        {"deepest indent", "\\li990 ", "\\li990 ", 0},
        {"control word without a number", "\\pard ", "\\pard ", 0},
        {"long base layout", "\\li0\\sa80\\sb50\\b\\fs28 ", "\\li0\\sa80\\sb50\\b\\fs28 ", 0},
        {"escaped backslash then text", "x\\\\abcdef ", "x\\\\abcdef", 1},
        {"closing bracket", "(3.e5) ", "(3.e5)", 1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        ResetRtfBuffer();
        RtfTextPos = 100;
        const RtfPos end = PutRtf(0, r.before);
        const RtfPos trimmed = TrimTrailingBlanks(end);
        EXPECT_EQ(std::string_view(RtfBuffer.data(), trimmed), r.after);
        EXPECT_EQ(RtfTextPos, 100 - r.uncounted);
    }
    ResetRtfBuffer();
    RtfTextPos = 0;
    EXPECT_EQ(TrimTrailingBlanks(0), 0u); // nothing before it
}

TEST(MoveListFaults, GlyphAfterAnIndentDoesNotShiftPositions)
{
    GameBuilder game;
    game.Moves("e2e4 e7e5 g1f3")
        .Start()
        .Moves("f2f4 e5f4")
        .Start()
        .Move("d7d5")
        .End()
        .Nag(1)
        .Move("g1f3")
        .End()
        .Move("b8c6");
    ResetDocument();
    ExpandDepth = 3;
    const std::string list = Render();
    EXPECT_NE(list.find("\\li130 ! "), std::string::npos) << list;
    EXPECT_EQ(Counted(list), RtfTextPos);
    const std::string shown = ShownText(list);
    const MoveNode& last = MoveNodes[MoveNodeCount - 1];
    EXPECT_EQ(shown.substr(last.TextPos, last.TextLength), "2... Nc6");
}

TEST(MoveListFaults, VariationBeforeTheFirstMoveIsLeftOut)
{
    GameBuilder game;
    const int e4 = MoveIndex(0, "e2e4");
    const int d4 = MoveIndex(0, "d2d4");
    AppendNode(1, 0, 0);
    AppendNode(0, 0, static_cast<std::uint8_t>(e4));
    AppendNode(2, 0, 0);
    AppendNode(0, 0, static_cast<std::uint8_t>(d4));
    ResetDocument();
    const std::string list = Render();
    EXPECT_EQ(list, "1.d4 " + std::string(Tail));
    EXPECT_EQ(MoveNodes[1].TextLength, 0);
    EXPECT_EQ(MoveNodes[3].TextPos, 0u);
    EXPECT_EQ(MoveNodes[3].TextLength, 4);
}

// A skipped node still counts as a break before a Black move's number.
TEST(MoveListFaults, VariationEndAtTheMainLineIsIgnored)
{
    GameBuilder game;
    game.Move("e2e4");
    AppendNode(2, 0, 0);
    game.Move("e7e5");
    ResetDocument();
    EXPECT_EQ(Render(), "1.e4 1... e5 " + std::string(Tail));
    EXPECT_EQ(RtfTextPos, 13);
    EXPECT_EQ(VariationDepth, 0);
}

TEST(MoveListFaults, UnplayableMoveStopsItsLine)
{
    {
        SCOPED_TRACE("inside a variation");
        GameBuilder game;
        game.Moves("e2e4 e7e5").Start().Moves("c7c5 g1f3").End().Move("g1f3");
        MoveNodes[3].Code = 250; // c5 no longer names a move
        ResetDocument();
        const std::string list = Render();
        EXPECT_EQ(
            list,
            "1.e4 e5 \\par \\pard\\sa22\\sb18\\li130\\b0\\fs24 \\li0\\sa80\\sb50\\b\\fs28 2.Nf3 " +
                std::string(Tail));
        EXPECT_EQ(MoveNodes[3].TextLength, 0);
        EXPECT_EQ(MoveNodes[4].TextLength, 0);
        EXPECT_EQ(Counted(list), RtfTextPos);
    }
    {
        SCOPED_TRACE("in the main line");
        GameBuilder game;
        game.Moves("e2e4 e7e5 g1f3 b8c6").Comment("later");
        MoveNodes[2].Code = 250;
        ResetDocument();
        EXPECT_EQ(Render(), "1.e4 e5 " + std::string(Tail));
    }
}

TEST(MoveListFaults, CommentAsLastNodeReadsNothingBeyond)
{
    GameBuilder game;
    game.Moves("e2e4 e7e5").Start().Move("c7c5").Comment("open");
    // A stale variation end right after the stream must not count as next.
    MoveNodes[MoveNodeCount] = MoveNode{0, 0, NodeKind::nkVariationEnd, 0};
    ResetDocument();
    const std::string list = Render();
    EXPECT_NE(list.find("{\\cf6\\fs24\\b0 open }"), std::string::npos) << list;
    EXPECT_EQ(Counted(list), RtfTextPos);
}

TEST(MoveListFaults, CommentIndexOutsideTheListIsSkipped)
{
    GameBuilder game;
    game.Move("e2e4");
    AppendNode(4, 99, 0);
    game.Move("e7e5");
    ResetDocument();
    EXPECT_EQ(Render(), "1.e4 1... e5 " + std::string(Tail));
}

TEST(MoveListFaults, OpenBracketGroupClosedAtTheEnd)
{
    GameBuilder game;
    game.Moves("e2e4 e7e5").Start().Move("c7c5"); // the stream ends inside
    ResetDocument();
    ExpandDepth = 0;
    const std::string list = Render();
    EXPECT_EQ(std::count(list.begin(), list.end(), '{') - std::count(list.begin(), list.end(), '}'),
              -1)
        << "only the document group is closed by the tail";
}

TEST(MoveListFaults, BufferThatCannotGrowStopsCleanly)
{
    GameBuilder game;
    game.Move("e2e4").Comment(std::string(5000, 'c')).Move("e7e5").Result(2);
    ResetDocument();
    RtfBufferMaxSize = RtfBufferSize(); // no growth at all
    ResetRtfBuffer(RtfPrologEnd + 2000);
    RtfBufferMaxSize = RtfBufferSize();
    RtfPrologEnd = 0;
    const RtfPos end = BuildMoveList(0);
    const std::string list(RtfBuffer.data(), end);
    RtfBufferMaxSize = std::size_t{256} << 20;
    EXPECT_EQ(list, "1.e4 \\par 1-0" + std::string(Tail));
    EXPECT_LT(end, RtfBufferSize());
    EXPECT_EQ(RtfBuffer[end], '\0');
    ResetDocument();
}

} // namespace
