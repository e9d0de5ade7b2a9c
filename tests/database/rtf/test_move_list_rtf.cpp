#include "RtfTestSupport.h"

#include "app/OptionValues.h"
#include "database/GameHeaderRtf.h"
#include "database/MoveListRtf.h"
#include "database/MoveNotation.h"
#include "database/RtfBuffer.h"
#include "rules/Board.h"
#include "rules/GameStore.h"
#include "rules/Navigation.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr std::string_view Tail = "\\li10\\sb30\\sa200 \\par\\par}";

// Renders the game built into the stream after an empty header (row -1)
// and returns the move list.
std::string Render()
{
    const RtfPos start = WriteGameHeaderRtf(RtfPrologEnd, -1, {});
    const RtfPos end = BuildMoveList(start);
    EXPECT_EQ(RtfBuffer[end], '\0');
    return std::string(RtfBuffer.data() + start, end - start);
}

struct NodeSpan {
    std::uint32_t Pos;
    std::uint16_t Length;
    bool operator==(const NodeSpan&) const = default;
};

std::vector<NodeSpan> MoveSpans()
{
    std::vector<NodeSpan> spans;
    for (int i = 0; i < MoveNodeCount; ++i)
        if (MoveNodes[i].Kind == NodeKind::nkMove)
            spans.push_back({MoveNodes[i].TextPos, MoveNodes[i].TextLength});
    return spans;
}

void PrintTo(const NodeSpan& s, std::ostream* os)
{
    *os << "(" << s.Pos << ", " << s.Length << ")";
}

TEST(MoveListRtf, WorkedExample)
{
    GameBuilder game;
    game.Moves("e2e4 e7e5")
        .Start()
        .Moves("c7c5 g1f3")
        .End()
        .Move("g1f3")
        .Nag(1)
        .Comment("Good")
        .Result(2);
    ResetDocument();
    ExpandDepth = 2;
    const GameHeaderCells cells{"Whitesid", "2650", "Blackton",   "2580", "B90",
                                "Open",     "City", "1999.10.12", "3",    "Writer"};
    const RtfPos start = WriteGameHeaderRtf(RtfPrologEnd, cells);
    const int h = RtfTextPos;
    ASSERT_EQ(h, 81);
    const RtfPos end = BuildMoveList(start);
    EXPECT_EQ(std::string(RtfBuffer.data() + start, end - start),
              "1.e4 e5 \\par \\pard\\sa22\\sb18\\li130\\b0\\fs24 {\\b 1... c5} 2.Nf3 \\par "
              "\\pard\\sa22\\sb18\\li0\\sa80\\sb50\\b\\fs28 2.Nf3! "
              "{\\par\\pard\\qj\\li130\\cf6\\fs24\\b0 "
              "Good\\par\\li0\\sa80\\sb50}1-0\\li10\\sb30\\sa200 \\par\\par}");
    EXPECT_EQ(RtfBuffer[end], '\0');
    const std::vector<NodeSpan> expected{{81u, 4}, {86u, 2}, {91u, 7}, {99u, 5}, {107u, 5}};
    EXPECT_EQ(MoveSpans(), expected);
    EXPECT_EQ(RtfTextPos, h + 41);
    // The independent count of what is shown agrees: the result and tail are
    // not counted ("1-0" 3, tail 4).
    EXPECT_EQ(static_cast<int>(ShownText(DocumentAfterProlog()).size()) - 3 - 4, RtfTextPos);
}

TEST(MoveListRtf, LeavesTheGameWhereItWas)
{
    GameBuilder game;
    game.Moves("e2e4 e7e5 g1f3").Start().Moves("f2f4 e5f4").End().Moves("b8c6 f1b5");
    GoToNode(1); // after 1...e5
    ResetDocument();
    Render();
    EXPECT_EQ(CurrentPly, 2);
    EXPECT_EQ(Positions[1].PlayedNode, 1);
    EXPECT_EQ(VariationDepth, 0);
}

struct ListCase {
    const char* name;
    std::function<void(GameBuilder&)> build;
    std::function<void()> options;
    std::string expected; // the whole move list without the tail
    int uncounted = 0;    // shown but not counted: the result and its break
};

void RunCases(const std::vector<ListCase>& cases)
{
    for (const ListCase& c : cases) {
        SCOPED_TRACE(c.name);
        GameBuilder game;
        c.build(game);
        ResetDocument();
        if (c.options) c.options();
        const std::string list = Render();
        EXPECT_EQ(list, c.expected + std::string(Tail));
        EXPECT_EQ(static_cast<int>(ShownText(list).size()) - 4 - c.uncounted, RtfTextPos)
            << "count drifted";
    }
}

TEST(MoveListRtf, EmptyGames)
{
    RunCases({
        {"no nodes, no result", [](GameBuilder&) {}, {}, ""},
        {"no moves, a result: no break before it",
         [](GameBuilder& g) { g.Result(2); },
         {},
         "1-0",
         3},
        {"draw uses the one-half byte",
         [](GameBuilder& g) { g.Move("e2e4").Result(1); },
         {},
         "1.e4 \\par \xBD-\xBD",
         5},
        {"black won", [](GameBuilder& g) { g.Move("e2e4").Result(0); }, {}, "1.e4 \\par 0-1", 5},
    });
}

TEST(MoveListRtf, MoveNumberStyles)
{
    auto build = [](GameBuilder& g) {
        g.Moves("e2e4 e7e5").Start().Move("c7c5").End().Move("g1f3");
    };
    auto style = [](int s) { return [s] { MoveNumberStyle = s; }; };
    const std::string v = "\\par \\pard\\sa22\\sb18\\li130\\b0\\fs24 ";
    const std::string back = "\\par \\pard\\sa22\\sb18\\li0\\sa80\\sb50\\b\\fs28 ";
    RunCases({
        {"dot", build, style(0), "1.e4 e5 " + v + "{\\b 1... c5} " + back + "2.Nf3 "},
        {"space", build, style(1), "1 e4 e5 " + v + "{\\b 1 .. c5} " + back + "2 Nf3 "},
        {"dot and space", build, style(2), "1. e4 e5 " + v + "{\\b 1. .. c5} " + back + "2. Nf3 "},
    });
}

TEST(MoveListRtf, BlackNumbersAfterBreaksOnly)
{
    const std::string cm = "{\\par\\pard\\qj\\li130\\cf6\\fs24\\b0 x\\par\\li0\\sa80\\sb50}";
    RunCases({
        {"after a glyph no number",
         [](GameBuilder& g) { g.Move("e2e4").Nag(1).Move("e7e5"); },
         {},
         "1.e4! e5 "},
        {"after a comment the number",
         [](GameBuilder& g) { g.Move("e2e4").Comment("x").Move("e7e5"); },
         {},
         "1.e4 " + cm + "1... e5 "},
        {"after a diagram the number",
         [](GameBuilder& g) { g.Move("e2e4").Comment("#").Move("e7e5"); },
         {},
         "1.e4 {\\par \\pard\\b0\\nowidctlpar\\keep\\li0\\sa0\\sb0\\keepn\\qc\\f5\\fs48 "
         "XIIIIIIIIY\\par "
         "9rsnlwqkvlntr0\\par 9zppzppzppzpp0\\par 9-+-+-+-+0\\par 9+-+-+-+-0\\par 9-+-+P+-+0\\par "
         "9+-+-+-+-0\\par 9PzPPzP-zPPzP0\\par 9tRNvLQmKLsNR0\\par xiiiiiiiiy\\par}\\sa0\\sb0 1... "
         "e5 "},
    });
}

} // namespace

namespace {

const std::string VarOpen = "\\par \\pard\\sa22\\sb18\\li130\\b0\\fs24 ";
const std::string VarClose = "\\par \\pard\\sa22\\sb18\\li0\\sa80\\sb50\\b\\fs28 ";

TEST(MoveListRtf, Notation)
{
    auto letters = [] {};
    RunCases({
        {"pawn capture", [](GameBuilder& g) { g.Moves("e2e4 d7d5 e4d5"); }, letters,
         "1.e4 d5 2.exd5 "},
        {"knight by file", [](GameBuilder& g) { g.Moves("e2e4 g8f6 d2d4 d7d6 g1f3 b8d7"); },
         letters, "1.e4 Nf6 2.d4 d6 3.Nf3 Nbd7 "},
        {"long notation", [](GameBuilder& g) { g.Moves("e2e4 a7a6 e4e5 d7d5 e5d6 c7d6 g1f3"); },
         [] { LongNotation = true; }, "1.e2-e4 a7-a6 2.e4-e5 d7-d5 3.e5xd6 c7xd6 4.Ng1-f3 "},
        {"figurines", [](GameBuilder& g) { g.Moves("e2e4 e7e5 g1f3"); },
         [] { FigurineNotation = true; }, "1.e4 e5 2.\\'a4f3 "},
        {"letters chosen in the options", [](GameBuilder& g) { g.Moves("e2e4 e7e5 g1f3"); },
         [] { PieceLetterChars = {' ', 'g', 'H', 'F', 'B', 'V', 'K'}; }, "1.e4 e5 2.Hf3 "},
        {"check with the own fonts", [](GameBuilder& g) { g.Moves("e2e4 f7f6 d1h5"); }, letters,
         "1.e4 f6 2.Qh5~ "},
        {"check with another font", [](GameBuilder& g) { g.Moves("e2e4 f7f6 d1h5"); },
         [] { MoveFontType = 2; }, "1.e4 f6 2.Qh5+ "},
        {"mate", [](GameBuilder& g) { g.Moves("e2e4 e7e5 f1c4 b8c6 d1h5 g8f6 h5f7"); }, letters,
         "1.e4 e5 2.Bc4 Nc6 3.Qh5 Nf6 4.Qxf7# "},
        {"castling keeps its blank before a glyph",
         [](GameBuilder& g) { g.Moves("e2e4 e7e5 g1f3 b8c6 f1c4 f8c5 e1g1").Nag(1); }, letters,
         "1.e4 e5 2.Nf3 Nc6 3.Bc4 Bc5 4.0\\_0 ! "},
        {"glyph follows a move directly", [](GameBuilder& g) { g.Move("e2e4").Nag(3).Nag(146); },
         letters, "1.e4!!N "},
        {"glyph of several bytes", [](GameBuilder& g) { g.Move("e2e4").Nag(42); }, letters,
         "1.e4\xA9/\xB3 "},
        {"symbol without a glyph leaves a blank", [](GameBuilder& g) { g.Move("e2e4").Nag(100); },
         letters, "1.e4 "},
        {"coloured pieces in the main line", [](GameBuilder& g) { g.Moves("g1f3 g8f6"); },
         [] {
             ColoredPieces = 1;
             FigurineNotation = true;
         },
         "1.{\\cf1 \\'a4}f3 {\\cf1 \\'a4}f6 "},
        {"coloured only on the first move of a first-level variation",
         [](GameBuilder& g) { g.Moves("e2e4 e7e5 g1f3").Start().Moves("f1c4 g8f6 b1c3").End(); },
         [] { ColoredPieces = 1; },
         "1.e4 e5 2.{\\cf1 N}f3 " + VarOpen + "{\\b 2.{\\cf2 B}c4} Nf6 3.Nc3 " + VarClose},
    });
}

TEST(MoveListRtf, SetUpPositions)
{
    struct Row {
        const char* name;
        const char* fen;
        const char* moves;
        std::string expected;
    } rows[] = {
        {"black to move, numbered 20",
         "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 20", "e7e5 g1f3",
         "20... e5 21.Nf3 "},
        {"numbers past 400", "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 500",
         "e7e5 g1f3", "500... e5 501.Nf3 "},
        {"rook by rank", "k7/8/8/8/8/4R3/8/4R1K1 w - - 0 1", "e1e2", "1.R1e2 "},
        {"promotion without =", "8/4P3/8/8/8/8/k7/4K3 w - - 0 1", "e7e8q", "1.e8Q "},
        {"stalemate", "k7/8/2Q5/8/8/8/8/4K3 w - - 0 1", "c6b6", "1.Qb6(sm) "},
        {"queen-side castling", "r3k3/8/8/8/8/8/8/R3K3 w Qq - 0 1", "e1c1", "1.0\\_0\\_0 "},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        GameBuilder game(r.fen);
        game.Moves(r.moves);
        ResetDocument();
        const std::string list = Render();
        EXPECT_EQ(list, r.expected + std::string(Tail));
        EXPECT_EQ(static_cast<int>(ShownText(list).size()) - 4, RtfTextPos);
    }
}

TEST(MoveListRtf, DiagramAtTheStartOfASetUpGame)
{
    GameBuilder game("4k3/8/8/8/8/8/8/4K3 b - - 0 7");
    game.Move("e8d7");
    ResetDocument();
    DiagAtStart = true;
    DiagBlackView = true;
    const std::string list = Render();
    EXPECT_TRUE(list.starts_with("{\\pard\\b0"));           // no leading break
    EXPECT_NE(list.find("9-+-mK-+-+0"), std::string::npos); // rank 1 from Black's side: e1 light
    EXPECT_NE(list.find("xiiiiiiiiy\\par}\\sa0\\sb0 7... Kd7 "), std::string::npos);
    EXPECT_EQ(static_cast<int>(ShownText(list).size()) - 4, RtfTextPos);
}

TEST(MoveListRtf, ExpandDepthAtFourLevels)
{
    auto build = [](GameBuilder& g) {
        g.Moves("e2e4 e7e5 g1f3")
            .Start()
            .Moves("f2f4 e5f4")
            .Start()
            .Moves("d7d5 e4d5")
            .Start()
            .Move("b1c3")
            .Start()
            .Move("d2d4")
            .End()
            .End()
            .End()
            .End()
            .Move("b8c6");
    };
    RunCases({
        {"expand depth 2", build, [] { ExpandDepth = 2; },
         "1.e4 e5 2.Nf3 " + VarOpen +
             "{\\b 2.f4} exf4 \\par \\pard\\sa22\\sb18\\li280 2... d5 3.exd5 "
             "{\\b [}{\\i 3.Nc3 (3.d4)}{\\b ]} \\par \\pard\\sa22\\sb18\\li130 "
             "\\li0\\sa80\\sb50\\b\\fs28 "
             "2... Nc6 "},
        {"expand depth 4: every level its own paragraph", build, [] { ExpandDepth = 4; },
         "1.e4 e5 2.Nf3 " + VarOpen +
             "{\\b 2.f4} exf4 \\par \\pard\\sa22\\sb18\\li280 2... d5 3.exd5 "
             "\\par \\pard\\sa22\\sb18\\li430 3.Nc3 \\par \\pard\\sa22\\sb18\\li580 3.d4 "
             "\\par \\pard\\sa22\\sb18\\li430 \\li280 \\li130 \\li0\\sa80\\sb50\\b\\fs28 2... "
             "Nc6 "},
        {"expand depth 0: inline from the first level, its first move still bold", build,
         [] { ExpandDepth = 0; },
         "1.e4 e5 2.Nf3 {\\b [}{\\i {\\b 2.f4} exf4 (2... d5 3.exd5 (3.Nc3 (3.d4)))}{\\b ]} 2... "
         "Nc6 "},
    });
}

TEST(MoveListRtf, GlyphBeforeTheMove)
{
    GameBuilder game;
    game.Moves("e2e4 e7e5 g1f3").Nag(140).Start().Move("f2f4").Nag(142).End();
    ResetDocument();
    const std::string list = Render();
    EXPECT_EQ(list, "1.e4 e5 \x85"
                    "2.Nf3 " +
                        VarOpen + "\xB9{\\b 2.f4} " + VarClose + std::string(Tail));
    const std::vector<NodeSpan> expected{{0u, 4}, {5u, 2}, {9u, 5}, {18u, 4}};
    EXPECT_EQ(MoveSpans(), expected);
    EXPECT_EQ(static_cast<int>(ShownText(list).size()) - 4, RtfTextPos);
    const std::string shown = ShownText(list);
    EXPECT_EQ(shown.substr(9, 5), "2.Nf3");
    EXPECT_EQ(shown.substr(18, 4), "2.f4");
}

TEST(MoveListRtf, GlyphBeforeAnyMoveLeavesCommentsAlone)
{
    GameBuilder game;
    game.Comment("first").Nag(140).Move("e2e4");
    ResetDocument();
    const std::string list = Render();
    EXPECT_EQ(MoveNodes[0].TextPos, 0u); // still comment 0
    EXPECT_EQ(list, "{\\pard\\qj\\cf6\\fs24\\b0 first\\par\\li0\\sa80\\sb50}\x85 1.e4 " +
                        std::string(Tail));
    EXPECT_EQ(static_cast<int>(ShownText(list).size()) - 4, RtfTextPos);
}

TEST(MoveListRtf, Comments)
{
    const std::string open = "{\\par\\pard\\qj\\li130\\cf6\\fs24\\b0 ";
    const std::string close = "\\par\\li0\\sa80\\sb50}";
    RunCases({
        {"escapes, figurines, dropped bytes",
         [](GameBuilder& g) { g.Move("e2e4").Comment("a\\Nb\\xc{d}\ne\r\tf\\"); },
         {},
         "1.e4 " + open + "a\\'a4bxc\\{d\\} ef" + close},
        {"all six figurines",
         [](GameBuilder& g) { g.Move("e2e4").Comment("\\K\\Q\\R\\B\\N\\P"); },
         {},
         "1.e4 " + open + "\\'a2\\'a3\\'a6\\'a5\\'a4\\'a7" + close},
        {"empty comment still written",
         [](GameBuilder& g) { g.Move("e2e4").Comment(""); },
         {},
         "1.e4 " + open + close},
        {"in a variation before a move: a blank",
         [](GameBuilder& g) {
             g.Moves("e2e4 e7e5").Start().Move("c7c5").Comment("sharp").Move("g1f3").End();
         },
         {},
         "1.e4 e5 " + VarOpen + "{\\b 1... c5} {\\cf6\\fs24\\b0 sharp }2.Nf3 " + VarClose},
        {"in a variation before its end: a break",
         [](GameBuilder& g) { g.Moves("e2e4 e7e5").Start().Move("c7c5").Comment("sharp").End(); },
         {},
         "1.e4 e5 " + VarOpen +
             "{\\b 1... c5} {\\cf6\\fs24\\b0 sharp\\par}\\li0\\sa80\\sb50\\b\\fs28 "},
        {"inline variation turns italics off",
         [](GameBuilder& g) { g.Moves("e2e4 e7e5").Start().Move("c7c5").Comment("sharp").End(); },
         [] { ExpandDepth = 0; },
         "1.e4 e5 {\\b [}{\\i {\\b 1... c5} {\\i0\\cf6\\fs24\\b0 sharp }}{\\b ]} "},
        {"mark with a word and no diagrams",
         [](GameBuilder& g) { g.Move("e2e4").Comment("#idea"); }, [] { NoDiagrams = true; },
         "1.e4 " + open + "idea" + close},
        {"mark with one character and no diagrams",
         [](GameBuilder& g) { g.Move("e2e4").Comment("#i"); }, [] { NoDiagrams = true; }, "1.e4 "},
        {"bare mark and no diagrams", [](GameBuilder& g) { g.Move("e2e4").Comment("#"); },
         [] { NoDiagrams = true; }, "1.e4 "},
    });
}

std::string DiagramRowsOfAfterE4(bool black)
{
    return black ? "9RsNLmKQvLNtR0\\par " : "9rsnlwqkvlntr0\\par ";
}

TEST(MoveListRtf, DiagramMarks)
{
    struct Row {
        const char* name;
        const char* comment;
        bool blackView;
        bool blackSide;
        std::string after; // what follows the diagram
    } rows[] = {
        {"white side", "#", false, false, ""},
        {"black view option", "#", true, true, ""},
        {"double mark", "##", false, true, ""},
        {"diagram then text", "#Look", false, false,
         "{\\li130\\cf6\\fs24\\b0 Look\\par\\li0\\sa80\\sb50}"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        GameBuilder game;
        game.Move("e2e4").Comment(r.comment);
        ResetDocument();
        DiagBlackView = r.blackView;
        const std::string list = Render();
        EXPECT_TRUE(list.starts_with("1.e4 {\\par \\pard\\b0\\nowidctlpar")) << list;
        EXPECT_NE(list.find(DiagramRowsOfAfterE4(r.blackSide)), std::string::npos) << list;
        EXPECT_TRUE(list.ends_with("\\par}\\sa0\\sb0 " + r.after + std::string(Tail))) << list;
        EXPECT_EQ(static_cast<int>(ShownText(list).size()) - 4, RtfTextPos);
    }
}

} // namespace
