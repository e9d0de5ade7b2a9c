// Whole documents: the counted positions of every move agree with an
// independent reading of the bytes, for generated games under many option
// combinations; a large document is the same whether the buffer grows or not.
#include "RtfTestSupport.h"

#include "app/OptionValues.h"
#include "database/GameHeaderRtf.h"
#include "database/MoveListRtf.h"
#include "database/RtfBuffer.h"
#include "database/RtfProlog.h"
#include "rules/Board.h"
#include "rules/GameStore.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

const GameHeaderCells Cells{"Player {One}", "2400", "Two\\Player", "",  "A00",
                            "Event",        "Site", "2001.02.03",  "4", ""};

// Random game shapes: comments with every kind of byte the writer escapes,
// drops or turns into figurines (UTF-8 and cp1252 text among them), glyphs (140/142 among them),
// diagram marks, nested variations.
class RandomGame {
public:
    RandomGame(GameBuilder& game, std::mt19937& rng) : Game(game), Rng(rng) {}

    void Line(int depth, int plies)
    {
        if (Chance(15)) Game.Comment(CommentText());
        for (int k = 0; k < plies; ++k) {
            if (!Game.RandomMove(Rng)) return;
            if (Chance(20)) Game.Nag(Chance(30) ? (Chance(50) ? 140 : 142) : Pick(1, 255));
            if (Chance(20)) Game.Comment(CommentText());
            while (depth < 8 && Chance(depth == 0 ? 25 : 18)) {
                Game.Start();
                Line(depth + 1, Pick(0, 6));
                Game.End();
                if (Chance(15)) Game.Nag(Pick(1, 22)); // a glyph that follows a closed variation
            }
        }
    }

private:
    bool Chance(int percent) { return Pick(1, 100) <= percent; }
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(Rng); }

    std::string CommentText()
    {
        static const std::vector<std::string> pieces = {"word",
                                                        " ",
                                                        "\\N",
                                                        "\\K",
                                                        "\\x",
                                                        "{",
                                                        "}",
                                                        "\n",
                                                        "\r",
                                                        "\t",
                                                        "\xE9",
                                                        "\\",
                                                        "!",
                                                        "  ",
                                                        "O\x92",
                                                        "~",
                                                        "\xD0\x9A\xD0\xB0",
                                                        "\xF0\x9F\x98\x80"};
        std::string text;
        if (Chance(25)) text = Chance(50) ? "#" : "##";
        for (int n = Pick(0, 8); n > 0; --n)
            text += pieces[Pick(0, static_cast<int>(pieces.size()) - 1)];
        return text;
    }

    GameBuilder& Game;
    std::mt19937& Rng;
};

void RandomOptions(std::mt19937& rng)
{
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(rng);
    };
    RestoreFirstRunOptions();
    ExpandDepth = pick(2, 7);
    MoveNumberStyle = pick(0, 2);
    MoveFontSize = pick(0, 2);
    MoveFontType = pick(0, 4);
    LongNotation = pick(0, 1);
    FigurineNotation = pick(0, 1);
    ColoredPieces = static_cast<std::uint8_t>(pick(0, 1));
    NoDiagrams = pick(0, 3) == 0;
    DiagCoords = pick(0, 1);
    DiagBlackView = pick(0, 1);
}

std::string WithoutCheckSign(std::string text)
{
    for (char& c : text)
        if (c == '~') c = '+';
    return text;
}

// "", or the move number with the separator of the style (and the dots of
// a Black move).
bool IsNumberPrefix(std::string_view prefix, int style)
{
    std::size_t digits = 0;
    while (digits < prefix.size() && std::isdigit(static_cast<unsigned char>(prefix[digits])))
        ++digits;
    if (prefix.empty()) return true;
    if (digits == 0) return false;
    static constexpr std::string_view separators[] = {".", " ", ". "};
    std::string_view rest = prefix.substr(digits);
    if (!rest.starts_with(separators[style])) return false;
    rest.remove_prefix(separators[style].size());
    return rest.empty() || rest == ".. ";
}

// The move text of the slice, which may carry one more disambiguation
// character after the piece sign than the text taken when the game was
// built: a pinned rival counts once no legality test has marked it.
std::size_t MoveTextLength(const std::string& slice, const std::string& move)
{
    if (slice.ends_with(move)) return move.size();
    for (std::size_t k = 1; k < slice.size(); ++k) {
        const char c = slice[k];
        if (!((c >= 'a' && c <= 'h') || (c >= '1' && c <= '8'))) continue;
        std::string without = slice;
        without.erase(k, 1);
        if (without.ends_with(move) && k == slice.size() - move.size()) return move.size() + 1;
    }
    return std::string::npos;
}

void CheckDocument(const GameBuilder& game)
{
    const std::string shown = ShownText(DocumentAfterProlog());
    ASSERT_EQ(static_cast<int>(shown.size()) - 4, RtfTextPos) << "total count";
    for (int i = 0; i < MoveNodeCount; ++i) {
        const MoveNode& node = MoveNodes[i];
        if (node.Kind != NodeKind::nkMove) continue;
        SCOPED_TRACE("node " + std::to_string(i));
        ASSERT_LE(node.TextPos + node.TextLength, shown.size());
        const std::string slice = WithoutCheckSign(shown.substr(node.TextPos, node.TextLength));
        const std::string move = WithoutCheckSign(game.MoveTexts[i]);
        const std::size_t length = MoveTextLength(slice, move);
        ASSERT_NE(length, std::string::npos)
            << "'" << slice << "' should end with '" << move << "'";
        EXPECT_TRUE(IsNumberPrefix(std::string_view(slice).substr(0, slice.size() - length),
                                   MoveNumberStyle))
            << slice;
    }
}

RtfPos RenderDocument()
{
    ResetRtfBuffer();
    RtfPrologEnd = WriteRtfProlog(0);
    return BuildMoveList(WriteGameHeaderRtf(RtfPrologEnd, Cells));
}

TEST(RtfPositions, GeneratedGamesUnderOptionCombinations)
{
    for (unsigned seed = 1; seed <= 150; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        RandomOptions(rng);
        GameBuilder game;
        RandomGame(game, rng).Line(0, std::uniform_int_distribution<int>(1, 60)(rng));
        ASSERT_EQ(game.Depth(), 0);
        RenderDocument();
        CheckDocument(game);
        if (HasFatalFailure()) break;
    }
    RestoreFirstRunOptions();
}

TEST(RtfPositions, SetUpGamesNumberedFromBlack)
{
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed * 7919);
        RandomOptions(rng);
        DiagAtStart = true;
        GameBuilder game("r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq - 3 398");
        RandomGame(game, rng).Line(0, 30);
        RenderDocument();
        CheckDocument(game);
    }
    RestoreFirstRunOptions();
}

TEST(RtfPositions, LargeDocumentGrowsToTheSameBytes)
{
    std::mt19937 rng(2026);
    RestoreFirstRunOptions();
    ColoredPieces = 1;
    DiagCoords = true;
    GameBuilder game;
    std::string big;
    for (int n = 0; n < 200 * 1024; ++n)
        big += "ab\\N{} \n"[n % 8];
    game.Moves("e2e4 e7e5").Comment(big);
    for (int n = 0; n < 50 && game.RandomMove(rng); ++n)
        game.Comment(n % 2 ? "#" : "##deep");
    for (int depth = 0; depth < 12 && game.RandomMove(rng); ++depth)
        game.Start();
    while (game.Depth() > 0)
        game.End();
    RandomGame(game, rng).Line(0, 40);

    const RtfPos grownEnd = RenderDocument();
    const std::string grown(RtfBuffer.data(), grownEnd + 1);
    const std::size_t grownSize = RtfBufferSize();
    const int grownCount = RtfTextPos;
    std::vector<MoveNode> grownNodes(MoveNodes, MoveNodes + MoveNodeCount);
    CheckDocument(game);

    ResetRtfBuffer(std::size_t{8} << 20);
    RtfPrologEnd = WriteRtfProlog(0);
    const RtfPos end = BuildMoveList(WriteGameHeaderRtf(RtfPrologEnd, Cells));
    EXPECT_EQ(RtfBufferSize(), std::size_t{8} << 20);
    EXPECT_GT(grownSize, RtfBufferInitialSize);
    EXPECT_GT(grownEnd, std::size_t{300} * 1024);
    ASSERT_EQ(end, grownEnd);
    EXPECT_TRUE(std::string(RtfBuffer.data(), end + 1) == grown) << "bytes differ";
    EXPECT_EQ(RtfTextPos, grownCount);
    for (int i = 0; i < MoveNodeCount; ++i) {
        EXPECT_EQ(MoveNodes[i].TextPos, grownNodes[i].TextPos) << i;
        EXPECT_EQ(MoveNodes[i].TextLength, grownNodes[i].TextLength) << i;
    }
    RestoreFirstRunOptions();
    ResetRtfBuffer();
}

// A sample document, kept as velmora-sample.rtf for a look in an RTF reader
// when VELMORA_TEST_SHOTS names a folder.
TEST(RtfPositions, SampleDocument)
{
    RestoreFirstRunOptions();
    ColoredPieces = 1;
    DiagCoords = true;
    GameBuilder game;
    game.Moves("e2e4 c7c5 g1f3")
        .Comment("The open \\N move.")
        .Moves("d7d6 d2d4 c5d4 f3d4 g8f6")
        .Start()
        .Move("b8c6")
        .Nag(5)
        .Start()
        .Move("e7e5")
        .Comment("sharp")
        .End()
        .Move("b1c3")
        .End()
        .Moves("b1c3 a7a6")
        .Nag(146)
        .Comment("#")
        .Moves("c1e3 e7e5")
        .Nag(2)
        .Move("d4b3")
        .Nag(14)
        .Start()
        .Move("d4f3")
        .Start()
        .Move("d4f5")
        .Nag(140)
        .Start()
        .Move("d4e2")
        .Start()
        .Move("d4b5")
        .End()
        .End()
        .End()
        .End()
        .Moves("c8e6 f2f3")
        .Nag(18)
        .Result(1);
    GameHeaderCells cells{"Whiteplayer",  "2700", "Blackplayer", "2650", "B90",
                          "Championship", "City", "2001.02.03",  "4",    "Writer"};
    ResetRtfBuffer();
    RtfPrologEnd = WriteRtfProlog(0);
    const RtfPos end = BuildMoveList(WriteGameHeaderRtf(RtfPrologEnd, cells));
    const std::string document(RtfBuffer.data(), end);
    EXPECT_TRUE(document.starts_with("{\\rtf1"));
    EXPECT_TRUE(document.ends_with("\\par\\par}"));
    if (const char* dir = std::getenv("VELMORA_TEST_SHOTS")) {
        std::filesystem::create_directories(dir);
        std::ofstream(std::filesystem::path(dir) / "velmora-sample.rtf", std::ios::binary)
            << document;
    }
    RestoreFirstRunOptions();
}

} // namespace
