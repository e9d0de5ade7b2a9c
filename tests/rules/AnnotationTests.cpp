// Notation flags of the move just played: check, mate, stalemate, ambiguity.
#include "RulesTestSupport.h"

#include "rules/MakeMove.h"
#include "rules/Navigation.h"

#include <gtest/gtest.h>

namespace {

using namespace MoveFlags;

// Flags of the entry played from record ply on the line.
std::uint8_t PlayedFlags(int ply)
{
    const PositionRecord& record = Positions[ply];
    return record.Moves[MoveNodes[record.PlayedNode].Code].Flags;
}

std::uint8_t FlagsOf(int ply, const std::string& move)
{
    const int saved = CurrentPly;
    CurrentPly = ply;
    const int index = FindMove(move);
    CurrentPly = saved;
    EXPECT_GE(index, 0) << move;
    return index < 0 ? 0 : Positions[ply].Moves[index].Flags;
}

struct FlagCase {
    const char* Name;
    const char* Fen;
    std::vector<const char*> Moves;
    std::uint8_t Expected; // check and reply bits of the last move
    friend void PrintTo(const FlagCase& c, std::ostream* os) { *os << c.Name; }
};

// After Ra1+ Black's only legal reply, Kb3, is the last move generated.
const char* const OnlyLastReplyFen = "8/8/8/2K1B3/8/k7/8/7R w - -";

TEST(LastGeneratedReply, IsTheOnlyLegalOne)
{
    ResetGame(OnlyLastReplyFen);
    ASSERT_TRUE(Play("h1a1"));
    const PositionRecord& after = Positions[CurrentPly];
    ASSERT_GT(after.MoveCount, 1);
    for (int i = 0; i < after.MoveCount; ++i)
        EXPECT_EQ(TestMoveLegal(i), i == after.MoveCount - 1 ? 1 : 0) << MoveText(after.Moves[i]);
}

class CheckFlags : public testing::TestWithParam<FlagCase> {};

TEST_P(CheckFlags, MarkCheckMateAndStalemate)
{
    const FlagCase& c = GetParam();
    ResetGame(c.Fen);
    PlayLine(c.Moves);
    EXPECT_EQ(PlayedFlags(CurrentPly - 1) & (GivesCheck | NoLegalReply), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Moves, CheckFlags,
    testing::Values(
        FlagCase{"QuietMove", "", {"e2e4"}, 0},
        FlagCase{"PlainCheck", "", {"e2e4", "f7f6", "d1h5"}, GivesCheck},
        FlagCase{"ScholarsMate",
                 "",
                 {"e2e4", "e7e5", "f1c4", "b8c6", "d1h5", "g8f6", "h5f7"},
                 GivesCheck | NoLegalReply},
        FlagCase{"Stalemate", "k7/8/2K5/8/8/8/8/1Q6 w - -", {"b1b6"}, NoLegalReply},
        FlagCase{
            "MateByPromotion", "k7/4P3/1K6/8/8/8/8/8 w - -", {"e7e8q"}, GivesCheck | NoLegalReply},
        FlagCase{"UnderPromotionCheck", "k7/1PK5/8/8/8/8/8/8 w - -", {"b7b8r"}, GivesCheck},
        FlagCase{"CastlingGivesCheck", "5k2/8/8/8/8/8/8/4K2R w K -", {"e1g1"}, GivesCheck},
        FlagCase{"OnlyReplyIsTheLastGenerated", OnlyLastReplyFen, {"h1a1"}, GivesCheck}),
    [](const testing::TestParamInfo<FlagCase>& info) { return std::string(info.param.Name); });

struct AmbiguityCase {
    const char* Name;
    const char* Fen;
    const char* Played;
    const char* Rival;
    std::uint8_t Expected; // ambiguity bits on both entries
    friend void PrintTo(const AmbiguityCase& c, std::ostream* os) { *os << c.Name; }
};

class Ambiguity : public testing::TestWithParam<AmbiguityCase> {};

TEST_P(Ambiguity, MarksPlayedMoveAndRival)
{
    const AmbiguityCase& c = GetParam();
    ResetGame(c.Fen);
    ASSERT_TRUE(Play(c.Played));
    EXPECT_EQ(FlagsOf(0, c.Played) & (Ambiguous | DisambiguateByRank), c.Expected);
    EXPECT_EQ(FlagsOf(0, c.Rival) & (Ambiguous | DisambiguateByRank), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Pieces, Ambiguity,
    testing::Values(AmbiguityCase{"KnightsOnDifferentFiles", "4k3/8/8/8/8/5N2/8/1N2K3 w - -",
                                  "b1d2", "f3d2", Ambiguous},
                    AmbiguityCase{"RooksOnOneFile", "4k3/8/8/R7/8/8/8/R3K3 w - -", "a1a3", "a5a3",
                                  Ambiguous | DisambiguateByRank},
                    AmbiguityCase{"UntriedPinnedRivalCounts", "4k3/4r3/8/8/8/8/2N1N3/4K3 w - -",
                                  "c2d4", "e2d4", Ambiguous},
                    AmbiguityCase{"OtherPieceKindIsNoRival", "4k3/8/8/8/8/4B3/8/1N2K3 w - -",
                                  "b1d2", "e3d2", 0}),
    [](const testing::TestParamInfo<AmbiguityCase>& info) { return std::string(info.param.Name); });

TEST(Ambiguity, RefusedRivalDoesNotCount)
{
    ResetGame("4k3/4r3/8/8/8/8/2N1N3/4K3 w - -");
    EXPECT_EQ(TestMoveLegal(FindMove("e2d4")), 0);
    ASSERT_TRUE(Play("c2d4"));
    EXPECT_EQ(FlagsOf(0, "c2d4") & Ambiguous, 0);
}

TEST(Ambiguity, ThreeKnightsGiveTheSameFlagsInEitherOrder)
{
    // Knights b1, b3 and f1 all reach d2; the b1 and b3 knights share a file.
    const char* fen = "4k3/8/8/8/8/1N6/8/1N2KN2 w - -";
    ResetGame(fen);
    ASSERT_TRUE(Play("f1d2"));
    GoToNode(-1);
    ASSERT_TRUE(Play("b1d2"));
    const std::uint8_t afterOther = FlagsOf(0, "b1d2");

    ResetGame(fen);
    ASSERT_TRUE(Play("b1d2"));
    const std::uint8_t alone = FlagsOf(0, "b1d2");
    EXPECT_EQ(alone & (Ambiguous | DisambiguateByRank), Ambiguous | DisambiguateByRank);
    EXPECT_EQ(afterOther, alone);
}

} // namespace
