// The streams read from whole databases, hashed: every node (kind and code)
// of every game, and every list generated on the way through each game's
// positions. A change in the generation order or in which move a token
// names changes them. The values were recorded once and must not change.
#include "bench/PgnBenchGenerator.h"
#include "database/ByteSource.h"
#include "database/GameIndex.h"
#include "database/GameLoader.h"
#include "database/MoveTextParser.h"
#include "rules/Board.h"
#include "rules/FenSetup.h"
#include "rules/GameStore.h"
#include "rules/MakeMove.h"
#include "rules/MoveGen.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Fnv {
    std::uint64_t Value = 0xcbf29ce484222325ULL;
    void Add(std::uint8_t byte)
    {
        Value ^= byte;
        Value *= 0x100000001b3ULL;
    }
};

struct StreamHashes {
    Fnv Nodes;
    Fnv Lists;
    std::uint64_t NodeCount = 0;
    std::uint64_t ListCount = 0;

    // The game just read: its nodes, then a walk through its stream that
    // generates and hashes the list of every position a move is played from.
    void AddGame()
    {
        for (int i = 0; i < MoveNodeCount; ++i) {
            Nodes.Add(static_cast<std::uint8_t>(MoveNodes[i].Kind));
            Nodes.Add(MoveNodes[i].Code);
        }
        Nodes.Add(0xFF);
        NodeCount += static_cast<std::uint64_t>(MoveNodeCount);

        struct Open {
            int Ply;
            int Code;
        };
        std::vector<Open> open;
        int lastPly = 0, lastCode = -1;
        CurrentPly = 0;
        for (int i = 0; i < MoveNodeCount; ++i) {
            const MoveNode& node = MoveNodes[i];
            if (node.Kind == NodeKind::nkMove) {
                GenerateMoves();
                AddList(Positions[CurrentPly]);
                lastPly = CurrentPly;
                lastCode = node.Code;
                ASSERT_TRUE(MakeMove(node.Code)) << "node " << i;
            } else if (node.Kind == NodeKind::nkVariationStart) {
                open.push_back({lastPly, lastCode});
                CurrentPly = lastPly;
            } else if (node.Kind == NodeKind::nkVariationEnd) {
                ASSERT_FALSE(open.empty());
                const Open back = open.back();
                open.pop_back();
                CurrentPly = back.Ply;
                GenerateMoves();
                ASSERT_TRUE(MakeMove(back.Code)) << "node " << i;
                lastPly = back.Ply;
                lastCode = back.Code;
            }
        }
    }

    void AddList(const PositionRecord& record)
    {
        ++ListCount;
        Lists.Add(static_cast<std::uint8_t>(record.MoveCount));
        for (int i = 0; i < record.MoveCount; ++i) {
            const MoveEntry& e = record.Moves[i];
            for (std::uint8_t b : {e.From, e.To, e.Flags, e.Promotion})
                Lists.Add(b);
        }
    }
};

// Parses every game of a generated database from its move text.
StreamHashes HashGenerated(const PgnGeneratorOptions& options)
{
    const GeneratedDatabase db = GeneratePgnDatabase(options);
    StreamHashes hashes;
    for (std::size_t g = 0; g < db.Games.size(); ++g) {
        const std::size_t start = db.Games[g].MoveTextOffset;
        const std::size_t end =
            g + 1 < db.Games.size() ? db.Games[g + 1].MoveTextOffset : db.Text.size();
        std::string text = db.Text.substr(start, end - start);
        SetStartPosition();
        if (db.Games[g].SetUp) SetupPositionFromFen(db.Games[g].Fen.data(), db.Games[g].Fen.size());
        CurrentPly = LineLength = MoveNodeCount = 0;
        ParseMoveText(text.data(), text.data() + text.size(), nullptr);
        hashes.AddGame();
    }
    return hashes;
}

TEST(StreamHash, GeneratedAnnotatedGames)
{
    InitGameStore();
    PgnGeneratorOptions options;
    options.Games = 300;
    options.Seed = 2026;
    options.MaxPlies = 130;
    const StreamHashes h = HashGenerated(options);
    EXPECT_EQ(h.NodeCount, 37448u);
    EXPECT_EQ(h.Nodes.Value, 0x351cc322000af1f2ULL);
    EXPECT_EQ(h.ListCount, 30182u);
    EXPECT_EQ(h.Lists.Value, 0x8813a1a2dae97ef9ULL);
}

TEST(StreamHash, GeneratedPlainGames)
{
    InitGameStore();
    PgnGeneratorOptions options;
    options.Games = 300;
    options.Seed = 77;
    options.MinPlies = 40;
    options.MaxPlies = 110;
    options.VariationPercent = 1;
    options.Comments = false;
    const StreamHashes h = HashGenerated(options);
    EXPECT_EQ(h.NodeCount, 25042u);
    EXPECT_EQ(h.Nodes.Value, 0xf1c79c4dc505ee93ULL);
    EXPECT_EQ(h.ListCount, 23149u);
    EXPECT_EQ(h.Lists.Value, 0x85cc1ec5d3ac690eULL);
}

TEST(StreamHash, SampleDatabase)
{
    std::ifstream in(std::string(VELMORA_SAMPLES_DIR) + "/velmora-sample.pgn", std::ios::binary);
    std::ostringstream read;
    read << in.rdbuf();
    const std::string text = read.str();
    const MemoryByteSource source(text);
    const IndexResult index = IndexPgn(source);
    ASSERT_GE(index.Rows.size(), 30u);
    InitGameStore();
    CorrectMoveHandler* previous = SetCorrectMoveHandler(nullptr);
    StreamHashes h;
    for (std::size_t r = 0; r < index.Rows.size(); ++r) {
        ASSERT_EQ(
            LoadGameFrom(source, static_cast<int>(r) + 1, index.Rows[r], false, LoadToLastMove)
                .Status,
            LoadStatus::Loaded);
        h.AddGame();
    }
    SetCorrectMoveHandler(previous);
    EXPECT_EQ(h.NodeCount, 4766u);
    EXPECT_EQ(h.Nodes.Value, 0xe88661ed85eade07ULL);
    EXPECT_EQ(h.ListCount, 3810u);
    EXPECT_EQ(h.Lists.Value, 0x31a73d11bb15d970ULL);
}

TEST(LoadedGame, LandsOnARecordWithItsMovesMade)
{
    std::ifstream in(std::string(VELMORA_SAMPLES_DIR) + "/velmora-sample.pgn", std::ios::binary);
    std::ostringstream read;
    read << in.rdbuf();
    const std::string text = read.str();
    const MemoryByteSource source(text);
    const IndexResult index = IndexPgn(source);
    InitGameStore();
    CorrectMoveHandler* previous = SetCorrectMoveHandler(nullptr);
    for (std::size_t r = 0; r < index.Rows.size(); ++r) {
        for (int landing : {LoadToLastMove, 3}) {
            LoadGameFrom(source, static_cast<int>(r) + 1, index.Rows[r], false, landing);
            PositionRecord& shown = Positions[CurrentPly];
            const PositionRecord loaded = shown;
            GenerateMoves();
            ASSERT_EQ(loaded.MoveCount, shown.MoveCount) << r;
            EXPECT_EQ(std::memcmp(loaded.Moves, shown.Moves, sizeof(MoveEntry) * shown.MoveCount),
                      0);
        }
    }
    SetCorrectMoveHandler(previous);
}

} // namespace
