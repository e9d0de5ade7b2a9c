// Chunk boundaries: indexing in chunks of any size gives the table of one
// pass over the whole text, with every game once and in order.
#include "IndexTestSupport.h"

#include "bench/PgnBenchGenerator.h"

#include <gtest/gtest.h>

namespace {

// A generated database of more than 3 MiB with clock comments (a "[" inside
// comments), "[" in tag values, variations, CRLF and LF games, some without
// blank lines.
const GeneratedDatabase& LargeDatabase()
{
    static const GeneratedDatabase db = [] {
        PgnGeneratorOptions options;
        options.Games = 2600;
        options.Seed = 7;
        options.ClockComments = true;
        return GeneratePgnDatabase(options);
    }();
    return db;
}

void ExpectSameRows(const IndexResult& got, const IndexResult& reference, std::uint64_t shift)
{
    ASSERT_EQ(got.Rows.size(), reference.Rows.size());
    for (std::size_t r = 0; r < got.Rows.size(); ++r) {
        GameRow expected = reference.Rows[r];
        expected[MoveTextOffset] = std::to_string(std::stoull(expected[MoveTextOffset]) + shift);
        if (got.Rows[r] != expected) {
            ADD_FAILURE() << "row " << r + 1 << " differs";
            return;
        }
    }
}

TEST(IndexChunks, ReferenceListsEveryGeneratedGame)
{
    const GeneratedDatabase& db = LargeDatabase();
    ASSERT_GT(db.Text.size(), 3u * 1024 * 1024);
    const IndexResult reference = IndexTextOnePass(db.Text);
    ASSERT_EQ(reference.Rows.size(), db.Games.size());
    for (std::size_t r = 0; r < db.Games.size(); ++r) {
        SCOPED_TRACE("game " + std::to_string(r + 1));
        const GameRow& row = reference.Rows[r];
        EXPECT_EQ(row[NumberColumn], std::to_string(r + 1));
        EXPECT_EQ(row[MoveTextOffset], std::to_string(db.Games[r].MoveTextOffset));
        EXPECT_FALSE(row[WhiteColumn].empty());
        EXPECT_FALSE(row[EventColumn].empty());
        EXPECT_EQ(row[FlagsColumn][0] == 'P', db.Games[r].SetUp);
        if (!db.Games[r].SetUp && db.Games[r].MainLinePlies > 0) {
            EXPECT_EQ(row[MoveCountColumn], std::to_string((db.Games[r].MainLinePlies + 1) / 2));
        }
        if (::testing::Test::HasFailure()) break;
    }
}

TEST(IndexChunks, AnyChunkSizeGivesTheReferenceTable)
{
    const GeneratedDatabase& db = LargeDatabase();
    const IndexResult reference = IndexTextOnePass(db.Text);
    for (const std::size_t chunk : {std::size_t{PgnChunkSize}, std::size_t{65536},
                                    std::size_t{4096}, std::size_t{777}, std::size_t{64}}) {
        SCOPED_TRACE("chunk " + std::to_string(chunk));
        ExpectSameRows(IndexText(db.Text, chunk), reference, 0);
    }
}

TEST(IndexChunks, SlidingTheBoundariesChangesNothing)
{
    const GeneratedDatabase& db = LargeDatabase();
    const IndexResult reference = IndexTextOnePass(db.Text);
    // Padding before the first game moves every boundary of the 1 MiB chunks
    // through tags, results and comments.
    for (const std::size_t pad : {1u, 13u, 333u, 1500u, 40000u, 524288u}) {
        SCOPED_TRACE("padding " + std::to_string(pad));
        const std::string text = std::string(pad, '\n') + db.Text;
        ExpectSameRows(IndexText(text), reference, pad);
        ExpectSameRows(IndexText(text, 3000), reference, pad);
    }
}

TEST(IndexChunks, GameEndingExactlyAtAChunkEnd)
{
    const GeneratedDatabase& db = LargeDatabase();
    const IndexResult reference = IndexTextOnePass(db.Text);
    // Chunks that end right after a game's last byte, and right before a game.
    for (const std::size_t game : {10u, 11u, 500u}) {
        const std::size_t end = db.Games[game + 1].MoveTextOffset;
        const std::size_t start = db.Text.rfind("[Event", end);
        for (const std::size_t cut : {start, start - 1, start + 1}) {
            SCOPED_TRACE("chunk " + std::to_string(cut));
            ExpectSameRows(IndexText(db.Text, cut), reference, 0);
        }
    }
}

// A game whose comments start lines with "[": a clock mark, a bracketed
// note and a line that looks like a tag.
std::string GameWithBracketedComments(int n)
{
    const std::string id = std::to_string(n);
    return "[Event \"G" + id + "\"]\n[White \"W" + id +
           "\"]\n\n1. e4 {a comment that wraps\n[%clk 0:01:02] and goes on} e5 2. Nf3 {\n[Note] "
           "the knight} Nc6 (2... d6 {\n[Event \"no game\"] here}) 3. Bb5 { {nested}\n[x] } a6 "
           "1-0\n\n";
}

TEST(IndexChunks, BracketsStartingCommentLinesAreNoCuts)
{
    std::string text;
    int games = 0;
    while (text.size() < PgnChunkSize + 40000)
        text += GameWithBracketedComments(++games);
    const std::size_t period = GameWithBracketedComments(games).size();
    const IndexResult reference = IndexTextOnePass(text);
    ASSERT_EQ(reference.Rows.size(), static_cast<std::size_t>(games));
    for (int g = 0; g < games; ++g) {
        const GameRow& row = reference.Rows[static_cast<std::size_t>(g)];
        ASSERT_EQ(row[EventColumn].substr(1), std::to_string(g + 1));
        ASSERT_EQ(row[MoveCountColumn], "3");
        ASSERT_EQ(row[FlagsColumn], " vC");
    }
    // Cuts of small chunks fall on every character of a game.
    const std::string head = text.substr(0, 60 * period);
    const IndexResult headReference = IndexTextOnePass(head);
    for (std::size_t chunk = 2 * period; chunk < 3 * period + 2; ++chunk) {
        SCOPED_TRACE("chunk " + std::to_string(chunk));
        ExpectSameRows(IndexText(head, chunk), headReference, 0);
        if (::testing::Test::HasFailure()) return;
    }
    // The 1 MiB cut, moved through one game by padding.
    for (std::size_t pad = 0; pad < period; pad += 3) {
        SCOPED_TRACE("padding " + std::to_string(pad));
        ExpectSameRows(IndexText(std::string(pad, '\n') + text), reference, pad);
        if (::testing::Test::HasFailure()) return;
    }
}

struct WindowCase {
    const char* Name;
    std::string Text;
    std::vector<std::string> White;    // per row
    std::vector<std::string> MoveText; // what each row's offset points at
};

// Texts in which a full 1 MiB window ends inside a tag section or a comment
// and no game starts in it after its first.
std::vector<WindowCase> FullWindowCases(std::size_t filler)
{
    const std::string next = "[Event \"Next\"]\n[White \"N\"]\n\n1. d4 d5 0-1\n\n";
    const std::string x(filler, 'x');
    return {
        {"window ends in a later tag",
         "[Event \"A\"]\n[Annotator \"" + x +
             "\"]\n[White \"W\"]\n[Black \"B\"]\n\n1. e4 e5 1-0\n\n" + next,
         {"W", "N"},
         {"1. e4", "1. d4"}},
        {"tag longer than the window, then tags",
         "[Event \"" + x + x + "\"]\n[White \"W\"]\n\n1. e4 e5 1-0\n\n" + next,
         {"W", "N"},
         {"1. e4", "1. d4"}},
        {"tag longer than the window, then the move text",
         "[White \"W\"]\n[Event \"" + x + x + "\"]\n\n1. e4 e5 1-0\n\n" + next,
         {"W", "N"},
         {"1. e4", "1. d4"}},
        {"comment longer than the window",
         "[White \"W\"]\n\n1. e4 {" + x + x + "\n[Note] y\n[Event \"z\"]} e5 1-0\n\n" + next,
         {"W", "N"},
         {"1. e4", "1. d4"}},
    };
}

TEST(IndexChunks, FullWindowEndingInTagsOrCommentsLosesNothing)
{
    // The window's end is moved through the tags and move text after the filler.
    for (std::size_t filler = PgnChunkSize - 80; filler < PgnChunkSize - 10; filler += 2) {
        for (const WindowCase& c : FullWindowCases(filler)) {
            SCOPED_TRACE(std::string(c.Name) + ", filler " + std::to_string(filler));
            const IndexResult result = IndexText(c.Text);
            ASSERT_EQ(result.Rows.size(), c.White.size());
            for (std::size_t r = 0; r < c.White.size(); ++r) {
                EXPECT_EQ(result.Rows[r][WhiteColumn], c.White[r]);
                EXPECT_EQ(c.Text.compare(std::stoull(result.Rows[r][MoveTextOffset]),
                                         c.MoveText[r].size(), c.MoveText[r]),
                          0);
            }
            if (::testing::Test::HasFailure()) return;
        }
    }
}

} // namespace
