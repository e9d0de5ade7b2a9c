// Counts of move sequences from well-known positions: every generation,
// make and king-test rule shows in them.
#include "RulesTestSupport.h"

#include "rules/Perft.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

// The sanitizer build is many times slower: it stops at smaller depths.
#ifdef NDEBUG
constexpr int DepthLimit = 5;
#else
constexpr int DepthLimit = 4;
#endif

struct PerftCase {
    const char* Name;
    const char* Fen;
    std::vector<std::uint64_t> Counts; // depth 1, 2, ...
    friend void PrintTo(const PerftCase& c, std::ostream* os) { *os << c.Name; }
};

class PerftCounts : public testing::TestWithParam<PerftCase> {};

TEST_P(PerftCounts, MatchKnownCounts)
{
    const PerftCase& c = GetParam();
    ResetGame(c.Fen);
    for (int depth = 1; depth <= static_cast<int>(c.Counts.size()) && depth <= DepthLimit;
         ++depth) {
        EXPECT_EQ(Perft(depth), c.Counts[depth - 1]) << "depth " << depth;
        EXPECT_EQ(CurrentPly, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Positions, PerftCounts,
    testing::Values(PerftCase{"Start", "", {20, 400, 8902, 197281, 4865609}},
                    PerftCase{"CastlingAndPins",
                              "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -",
                              {48, 2039, 97862}},
                    PerftCase{"EnPassantWithHorizontalPin",
                              "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - -",
                              {14, 191, 2812, 43238, 674624}},
                    PerftCase{"PromotionsAndChecks",
                              "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq -",
                              {6, 264, 9467}},
                    PerftCase{"DiscoveredPromotions",
                              "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ -",
                              {44, 1486, 62379}}),
    [](const testing::TestParamInfo<PerftCase>& info) { return std::string(info.param.Name); });

} // namespace
