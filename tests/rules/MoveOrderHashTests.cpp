// Every list generated on a walk of four plies from the perft positions,
// hashed in order: one entry out of place changes the hash, and with it the
// meaning of every stored move index. The values were recorded once and
// must not change.
#include "RulesTestSupport.h"

#include "rules/MakeMove.h"
#include "rules/MoveGen.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

struct ListHash {
    std::uint64_t Value = 0xcbf29ce484222325ULL; // FNV-1a
    std::uint64_t Lists = 0;

    void Add(std::uint8_t byte)
    {
        Value ^= byte;
        Value *= 0x100000001b3ULL;
    }
    void AddList(const PositionRecord& record)
    {
        ++Lists;
        Add(static_cast<std::uint8_t>(record.MoveCount));
        for (int i = 0; i < record.MoveCount; ++i) {
            const MoveEntry& e = record.Moves[i];
            for (std::uint8_t b : {e.From, e.To, e.Flags, e.Promotion})
                Add(b);
        }
    }
};

// Generates and hashes the list of every position up to depth - 1 plies
// from the record shown, children in list order.
void Walk(int depth, ListHash& hash)
{
    GenerateMoves();
    hash.AddList(Positions[CurrentPly]);
    if (depth <= 1) return;
    const int count = Positions[CurrentPly].MoveCount;
    for (int i = 0; i < count; ++i) {
        if (!MakeMove(i)) continue;
        Walk(depth - 1, hash);
        --CurrentPly;
    }
}

struct WalkCase {
    const char* Name;
    const char* Fen;
    std::uint64_t Lists;
    std::uint64_t Hash;
    friend void PrintTo(const WalkCase& c, std::ostream* os) { *os << c.Name; }
};

class GeneratedListsHash : public testing::TestWithParam<WalkCase> {};

TEST_P(GeneratedListsHash, FourPlyWalkGivesTheRecordedHash)
{
    ResetGame(GetParam().Fen);
    ListHash hash;
    Walk(4, hash);
    EXPECT_EQ(hash.Lists, GetParam().Lists);
    EXPECT_EQ(hash.Value, GetParam().Hash);
}

INSTANTIATE_TEST_SUITE_P(
    Recorded, GeneratedListsHash,
    testing::Values(WalkCase{"Start", "", 9323, 0xbb128a2d8208fdbbULL},
                    WalkCase{"CastlingAndPins",
                             "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -",
                             99950, 0x089b3eef1886bddaULL},
                    WalkCase{"EnPassantWithHorizontalPin", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - -",
                             3018, 0x9d83c6bf154a59fdULL},
                    WalkCase{"PromotionsAndChecks",
                             "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq -", 9738,
                             0xa6629813a9d3edfdULL},
                    WalkCase{"DiscoveredPromotions",
                             "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ -", 63910,
                             0x3549391e8da1b225ULL}),
    [](const testing::TestParamInfo<WalkCase>& info) { return std::string(info.param.Name); });

} // namespace
