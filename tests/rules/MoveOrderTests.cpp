// The generation order is what stored move indices (stream, paths, settings)
// mean, so these lists are pinned entry by entry.
#include "RulesTestSupport.h"

#include "rules/MakeMove.h"
#include "rules/MoveGen.h"
#include "rules/Navigation.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using Texts = std::vector<std::string>;

struct OrderCase {
    const char* Name;
    const char* Fen;
    Texts Expected;
    friend void PrintTo(const OrderCase& c, std::ostream* os) { *os << c.Name; }
};

class GenerationOrder : public testing::TestWithParam<OrderCase> {};

TEST_P(GenerationOrder, ListsEveryMoveInTheFixedOrder)
{
    ResetGame(GetParam().Fen);
    EXPECT_EQ(MoveTexts(), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Golden, GenerationOrder,
    testing::Values(
        OrderCase{"StartPosition", "", {"b1a3", "b1c3", "g1f3", "g1h3", "a2a3", "a2a4", "b2b3",
                                        "b2b4", "c2c3", "c2c4", "d2d3", "d2d4", "e2e3", "e2e4",
                                        "f2f3", "f2f4", "g2g3", "g2g4", "h2h3", "h2h4"}},
        OrderCase{"BlackAfterE4",
                  "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1",
                  {"a7a6", "a7a5", "b7b6", "b7b5", "c7c6", "c7c5", "d7d6", "d7d5", "e7e6", "e7e5",
                   "f7f6", "f7f5", "g7g6", "g7g5", "h7h6", "h7h5", "b8a6", "b8c6", "g8f6", "g8h6"}},
        OrderCase{"RooksKingAndCastling",
                  "4k3/8/8/8/8/8/8/R3K2R w KQ -",
                  {"a1a2", "a1a3", "a1a4", "a1a5", "a1a6", "a1a7", "a1a8", "a1b1", "a1c1",
                   "a1d1", "e1d2", "e1f2", "e1e2", "e1f1", "e1d1", "e1g1", "e1c1", "h1h2",
                   "h1h3", "h1h4", "h1h5", "h1h6", "h1h7", "h1h8", "h1g1", "h1f1"}},
        OrderCase{"WhitePromotionsPushThenRightThenLeft",
                  "3r1r2/4P3/8/8/8/8/8/k3K3 w - -",
                  {"e1d2", "e1f2", "e1e2", "e1f1", "e1d1", "e7e8q", "e7e8r", "e7e8b", "e7e8n",
                   "e7f8q", "e7f8r", "e7f8b", "e7f8n", "e7d8q", "e7d8r", "e7d8b", "e7d8n"}},
        OrderCase{"BlackPromotionsPushThenLeftThenRight",
                  "4k3/8/8/8/8/8/3p4/2R1R2K b - -",
                  {"d2d1q", "d2d1r", "d2d1b", "d2d1n", "d2c1q", "d2c1r", "d2c1b", "d2c1n", "d2e1q",
                   "d2e1r", "d2e1b", "d2e1n", "e8d7", "e8f7", "e8e7", "e8f8", "e8d8"}},
        OrderCase{"KnightOffsets",
                  "4k3/8/8/8/3N4/8/8/4K3 w - -",
                  {"e1d2", "e1f2", "e1e2", "e1f1", "e1d1", "d4c2", "d4b3", "d4b5", "d4c6", "d4e6",
                   "d4f5", "d4f3", "d4e2"}},
        OrderCase{"BlockedPawnHasNoPush",
                  "4k3/8/8/8/8/4p3/4P3/4K1N1 w - -",
                  {"e1d2", "e1f2", "e1f1", "e1d1", "g1f3", "g1h3"}},
        OrderCase{"DoubleStepNeedsBothSquares",
                  "4k3/8/8/8/p7/1p6/P1P5/4K3 w - -",
                  {"e1d2", "e1f2", "e1e2", "e1f1", "e1d1", "a2a3", "a2b3", "c2c3", "c2c4", "c2b3"}},
        OrderCase{"EnPassantAfterCapturesToTheRight",
                  "4k3/8/8/2pPp3/8/8/8/4K3 w - e6",
                  {"e1d2", "e1f2", "e1e2", "e1f1", "e1d1", "d5d6", "d5e6"}}),
    [](const testing::TestParamInfo<OrderCase>& info) { return std::string(info.param.Name); });

TEST(GenerationOrder, RegeneratingClearsEarlierFlags)
{
    ResetGame("4k3/4r3/8/8/8/8/8/R3K2R w KQ -");
    const int castle = FindMove("e1g1");
    EXPECT_EQ(TestMoveLegal(castle), 0);
    EXPECT_TRUE(Positions[0].Moves[castle].Flags & MoveFlags::Illegal);
    GenerateMoves();
    EXPECT_EQ(Positions[0].Moves[castle].Flags, MoveFlags::CastleKingSide);
}

TEST(GenerationOrder, PathOfOpeningMovesIsTheirIndices)
{
    ResetGame();
    PlayLine({"e2e4", "e7e5", "g1f3", "b8c6"});
    const MovePath path = CurrentMovePath();
    EXPECT_EQ(path[0], 0x0D);
    EXPECT_EQ(path[1], 0x09);
    EXPECT_EQ(path[2], 0x0D);
    EXPECT_EQ(path[3], 0x0F);
    EXPECT_EQ(path[4], MovePathEnd);
}

TEST(GenerationOrder, ListIsCappedAt199AndTheNextRecordIsUntouched)
{
    ResetGame("R6R/3Q4/1Q4Q1/4Q3/2Q4Q/Q4Q2/pp1Q4/kBNN1KB1 w - -");
    std::memset(&Positions[1], 0xA5, sizeof(PositionRecord));
    PositionRecord canary;
    std::memcpy(&canary, &Positions[1], sizeof(canary));
    GenerateMoves();
    EXPECT_EQ(Positions[0].MoveCount, MaxMoves);
    EXPECT_EQ(std::memcmp(&canary, &Positions[1], sizeof(canary)), 0);
    EXPECT_EQ(MoveText(Positions[0].Moves[0]), "b1a2");
    std::copy(StartBoard.begin(), StartBoard.end(), Positions[1].Board);
}

} // namespace
