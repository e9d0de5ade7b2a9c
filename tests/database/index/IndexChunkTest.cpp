// Chunk boundaries: indexing in chunks of any size gives the table of one
// pass over the whole text, with every game once and in order.
#include "IndexTestSupport.h"

#include "bench/PgnBenchGenerator.h"

#include <gtest/gtest.h>

namespace {

// A generated database of more than 3 MiB with clock comments (a "[" inside
// comments), "[" in tag values, variations, CRLF and LF games, some without
// blank lines.
const GeneratedDatabase& LargeDatabase() {
    static const GeneratedDatabase db = [] {
        PgnGeneratorOptions options;
        options.Games = 2600;
        options.Seed = 7;
        options.ClockComments = true;
        return GeneratePgnDatabase(options);
    }();
    return db;
}

void ExpectSameRows(const IndexResult& got, const IndexResult& reference, std::uint64_t shift) {
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

TEST(IndexChunks, ReferenceListsEveryGeneratedGame) {
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

TEST(IndexChunks, AnyChunkSizeGivesTheReferenceTable) {
    const GeneratedDatabase& db = LargeDatabase();
    const IndexResult reference = IndexTextOnePass(db.Text);
    for (const std::size_t chunk : {std::size_t{PgnChunkSize}, std::size_t{65536},
                                    std::size_t{4096}, std::size_t{777}, std::size_t{64}}) {
        SCOPED_TRACE("chunk " + std::to_string(chunk));
        ExpectSameRows(IndexText(db.Text, chunk), reference, 0);
    }
}

TEST(IndexChunks, SlidingTheBoundariesChangesNothing) {
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

TEST(IndexChunks, GameEndingExactlyAtAChunkEnd) {
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

} // namespace
