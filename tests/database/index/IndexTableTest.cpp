// The game-list table that indexing gives: tags, derived columns, flags.
#include "IndexTestSupport.h"

#include "database/MoveTextScan.h"
#include "database/TagColumns.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct ExpectedRow {
    std::array<std::string, 15> Cells; // columns 0 .. 14
    std::string MoveTextStart;         // the text at the row's offset
};

const std::string LongSite(374, 'x');

const std::vector<ExpectedRow> MixedTable = {
    {{"1", "Marsh, Alan", "2315", "Quill, Bea", "2290", "1/2", "5", "C65", "Spring Open", "Harlow",
      "1997", "3", "  c", "", ""},
     "1. e4 e5 2. Nf3 Nc6 3. Bb5"},
    {{"2", "Tab Name", "", "Oddball", "", "", "3", "", "Club \"Knights\" Cup", "C:\\chess\\club",
      "", "", " vc", "Editor", ""},
     "1. d4 (1. c4"},
    {{"3", "Lind, Ola", "", "Berg, Kai", "", "1-0", "5", "", "Rapid", "", "2003.05", "", "   ", "",
      ""},
     "1. e4 c5"},
    {{"4", "Berg, Kai", "", "Lind, Ola", "", "0-1", "1", "", "Rapid", "", "", "", "   ", "", ""},
     "1. d4 Nf6 0-1"},
    {{"5", "", "", "", "", "1/2", "24", "", "Study", "", "", "", "P  ", "",
      "6k1/5p1p/6p1/8/8/8/5PPP/6K1 b - - 0 23"},
     "23... Kg7"},
    {{"6", "Long", "", "Game", "", "0-1", "3", "", "Open [A] group", LongSite, "", "", " VC", "",
      ""},
     "1. e4 {[%clk"},
    {{"7", "", "", "Only Black", "", "", "2", "", "Notes", "", "", "", "   ", "", ""},
     "{Intro comment"},
    {{"8", "", "", "", "", "", "", "", "Empty", "", "", "", "   ", "", ""}, "*"},
};

void ExpectTable(const IndexResult& result, const std::string& text)
{
    ASSERT_EQ(result.Rows.size(), MixedTable.size());
    for (std::size_t r = 0; r < MixedTable.size(); ++r) {
        SCOPED_TRACE("game " + std::to_string(r + 1));
        const GameRow& row = result.Rows[r];
        for (int c = 0; c < 15; ++c)
            EXPECT_EQ(row[c], MixedTable[r].Cells[c]) << "column " << c;
        const std::uint64_t offset = std::stoull(row[MoveTextOffset]);
        EXPECT_EQ(
            text.compare(offset, MixedTable[r].MoveTextStart.size(), MixedTable[r].MoveTextStart),
            0);
    }
}

TEST(IndexTable, MixedFileGivesTheExactTable)
{
    const std::string text = ReadTestFile("mixed.pgn");
    ASSERT_FALSE(text.empty());
    const IndexResult result = IndexText(text);
    ExpectTable(result, text);
    EXPECT_EQ(GameCount, 8);
    EXPECT_FALSE(result.LimitReached);
}

TEST(IndexTable, MixedFileGivesTheSameTableInSmallChunks)
{
    const std::string text = ReadTestFile("mixed.pgn");
    for (const std::size_t chunk : {40u, 64u, 100u, 255u, 512u, 1000u}) {
        SCOPED_TRACE("chunk " + std::to_string(chunk));
        ExpectTable(IndexText(text, chunk), text);
    }
}

// One game with the given tag lines; the row it gives.
GameRow RowOfTags(const std::string& tags)
{
    const IndexResult result = IndexText(tags + "\n\n1. e4 e5 *\n");
    EXPECT_EQ(result.Rows.size(), 1u) << tags;
    return result.Rows.empty() ? GameRow{} : result.Rows[0];
}

struct TagCase {
    const char* Name;
    std::string Tags;
    int Column;
    std::string Expected;
};

TEST(IndexTable, TagValues)
{
    const std::vector<TagCase> cases = {
        {"question mark value is empty", "[Round \"?\"]", RoundColumn, ""},
        {"star value is empty", "[Result \"*\"]", ResultColumn, ""},
        {"empty quotes", "[Event \"\"]", EventColumn, ""},
        {"draw stored short", "[Result \"1/2-1/2\"]", ResultColumn, "1/2"},
        {"win kept", "[Result \"1-0\"]", ResultColumn, "1-0"},
        {"date year only", "[Date \"2001.??.??\"]", DateColumn, "2001"},
        {"date unknown", "[Date \"????.??.??\"]", DateColumn, ""},
        {"date partial day", "[Date \"2001.07.1?\"]", DateColumn, "2001.07.1"},
        {"date full", "[Date \"2001.07.15\"]", DateColumn, "2001.07.15"},
        {"control character becomes blank",
         "[White \"A\x01"
         "B\"]",
         WhiteColumn, "A B"},
        {"escaped quote and backslash", "[Site \"a\\\"b\\\\c\"]", SiteColumn, "a\"b\\c"},
        {"backslash at the end of the tag", "[Event \"abc\\]", EventColumn, "abc"},
        {"tag names are case-sensitive", "[event \"x\"]", EventColumn, ""},
        {"WhiteElo is not White", "[WhiteElo \"2400\"]", WhiteColumn, ""},
        {"WhiteElo column", "[WhiteElo \"2400\"]", WhiteEloColumn, "2400"},
        {"first occurrence wins", "[White \"Ann\"]\n[White \"Bob\"]", WhiteColumn, "Ann"},
        {"tag without quote is skipped", "[White Bob]\n[White \"Ann\"]", WhiteColumn, "Ann"},
        {"blank before the name", "[ White \"Ann\"]", WhiteColumn, "Ann"},
        {"bracket inside the value", "[Event \"Open [A]\"]", EventColumn, "Open [A]"},
        {"two tags on one line", "[Event \"E\"][Site \"S\"]", SiteColumn, "S"},
        {"missing bracket ends at line end", "[Event \"Broken\"\n[Site \"S\"]", EventColumn,
         "Broken"},
        {"tag after a broken one", "[Event \"Broken\"\n[Site \"S\"]", SiteColumn, "S"},
        {"unknown tags ignored", "[PlyCount \"20\"]\n[Black \"B\"]", BlackColumn, "B"},
        {"FEN kept unchanged", "[FEN \"8/8/8/8/8/8/8/K1k5 w - - 0 1\"]", FenColumn,
         "8/8/8/8/8/8/8/K1k5 w - - 0 1"},
        {"FEN gives the set-up flag", "[FEN \"\"]", FlagsColumn, "P  "},
        {"overlong value truncated", "[Event \"" + std::string(500, 'y') + "\"]", EventColumn,
         std::string(TagTextLimit - 7, 'y')},
    };
    for (const TagCase& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(RowOfTags(c.Tags)[c.Column], c.Expected);
    }
}

TEST(IndexTable, OverlongTagKeepsTheGameWhole)
{
    const std::string text = "[Event \"" + std::string(2000, 'z') +
                             "\"]\n[White \"W\"]\n\n1. e4 *\n" + "[Event \"Next\"]\n\n1. d4 *\n";
    const IndexResult result = IndexText(text);
    ASSERT_EQ(result.Rows.size(), 2u);
    EXPECT_EQ(result.Rows[0][WhiteColumn], "W");
    EXPECT_EQ(text.compare(std::stoull(result.Rows[0][MoveTextOffset]), 7, "1. e4 *"), 0);
    EXPECT_EQ(result.Rows[1][EventColumn], "Next");
}

struct ScanCase {
    const char* Name;
    std::string Text;
    MoveTextStart Kind;
    int MaxMove, Variations, Weight;
    std::string Rest; // the text from the returned position on
};

TEST(MoveTextScan, CountsAndEnd)
{
    const auto M = MoveTextStart::MoveNumber;
    const auto C = MoveTextStart::Comment;
    const auto R = MoveTextStart::Result;
    const std::vector<ScanCase> cases = {
        {"variation moves do not count", "1. e4 (1. d4 d5 2. c4) e5 2. Nf3 Nc6 1-0\n", M, 2, 1, 0,
         "\n"},
        {"paren inside a comment", "1. e4 {(x} e5 *", M, 1, 0, 2, ""},
        {"NAG inside a variation", "1. e4 (1. d4 $1 {c}) e5 $2 *", M, 1, 1, 4, ""},
        {"brace inside a variation", "1. e4 (1. d4 {) 1-0} d5) e5 0-1", M, 1, 1, 2, ""},
        {"two comments", "1. e4 {a} e5 {b} *", M, 1, 0, 4, ""},
        {"comment and NAG", "1. e4 {a} e5 $1 *", M, 1, 0, 3, ""},
        {"four comments", "1. e4 {a} e5 {b} 2. d4 {c} d5 {d} *", M, 2, 0, 8, ""},
        {"tokens with letters give no number", "12. $12 e4 Rf1 *", M, 12, 0, 1, ""},
        {"result in a comment goes on", "1. e4 {1-0} e5 2. d4 0-1 rest", M, 2, 0, 2, " rest"},
        {"result in a variation goes on", "1. e4 (1. d4 1-0) e5 2. Nf3 * rest", M, 2, 1, 0,
         " rest"},
        {"unmatched close ignored", "1. e4 ) e5 2. Nf3 1-0 rest", M, 2, 0, 0, " rest"},
        {"next game ends an open variation", "1. e4 (1. d4\n[Event \"x\"]", M, 1, 1, 0,
         "[Event \"x\"]"},
        {"bracket in a comment goes on", "1. e4 { [%clk 0:03:00] } e5 *", M, 1, 0, 2, ""},
        {"long digit run saturates", "99999999999999999999. e4 *", M, ScanMoveNumberCap, 0, 0, ""},
        {"nested comment", "{a {b} c} 1. e4 *", C, 1, 0, 3, ""},
        {"draw stops at its last digit", "1. e4 1/2-1/2\n", M, 1, 0, 0, "2\n"},
        {"win written straight after a move", "1. e4 e5 2. Nc61-0\n{x} {y} 99. d5 *", M, 2, 0, 0,
         "\n{x} {y} 99. d5 *"},
        {"loss straight after a capture", "1. e4 d5 2. exd50-1 {x} 99. d5 *", M, 2, 0, 0,
         " {x} 99. d5 *"},
        {"draw straight after a move", "1. e4 e5 2. d41/2-1/2\n{x} 99. d5 *", M, 2, 0, 0,
         "2\n{x} 99. d5 *"},
        {"draw after a check sign", "1. e4 e5 2. Qh5+1/2-1/2 {x} 99. d5 *", M, 2, 0, 0,
         "2 {x} 99. d5 *"},
        {"no result reads to the end", "1. e4 e5", M, 1, 0, 0, ""},
        {"result only", "1-0\r\n[", R, 0, 0, 0, "\r\n["},
    };
    for (const ScanCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const char* end = ScanGameMoveText(c.Text.c_str(), c.Kind);
        EXPECT_EQ(ScanMaxMoveNumber, c.MaxMove);
        EXPECT_EQ(ScanVariationCount, c.Variations);
        EXPECT_EQ(ScanCommentWeight, c.Weight);
        EXPECT_EQ(std::string(end), c.Rest);
    }
}

TEST(MoveTextScan, StartKinds)
{
    const std::vector<std::pair<std::string, MoveTextStart>> cases = {
        {"{x}", MoveTextStart::Comment},      {"12. e4", MoveTextStart::MoveNumber},
        {"12 e4", MoveTextStart::MoveNumber}, {"12x", MoveTextStart::None},
        {"12", MoveTextStart::None},          {"1-0", MoveTextStart::Result},
        {"0-1", MoveTextStart::Result},       {"1/2-1/2", MoveTextStart::Result},
        {"*", MoveTextStart::Result},         {"1/2", MoveTextStart::None},
        {"e4", MoveTextStart::None},          {"1-", MoveTextStart::None},
    };
    for (const auto& [text, kind] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(MoveTextStartAt(text.c_str()), kind);
    }
}

TEST(MoveTextScan, IsOutsideComment)
{
    EXPECT_TRUE(IsOutsideComment("} e4 {b}"));
    EXPECT_TRUE(IsOutsideComment("} e4"));
    EXPECT_FALSE(IsOutsideComment("} c} e4"));
    EXPECT_FALSE(IsOutsideComment("}}"));
}

} // namespace
