#include "RulesTestSupport.h"

#include "rules/MakeMove.h"
#include "rules/MoveGen.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using namespace MoveFlags;

// MakeMove of a move given by its squares, then the next list (no stream).
bool MakeByText(const std::string& move)
{
    const int index = FindMove(move);
    if (index < 0 || !MakeMove(index)) return false;
    GenerateMoves();
    return true;
}

struct LegalityCase {
    const char* Name;
    const char* Fen;
    const char* Move;
    bool Legal;
    friend void PrintTo(const LegalityCase& c, std::ostream* os) { *os << c.Name; }
};

class Legality : public testing::TestWithParam<LegalityCase> {};

TEST_P(Legality, TestAndMakeAgreeAndMarkRefusals)
{
    const LegalityCase& c = GetParam();
    ResetGame(c.Fen);
    const int index = FindMove(c.Move);
    ASSERT_GE(index, 0) << "generated whatever the checks";
    EXPECT_EQ(TestMoveLegal(index), c.Legal ? 1 : 0);
    EXPECT_EQ((Positions[0].Moves[index].Flags & Illegal) != 0, !c.Legal);
    EXPECT_EQ(MakeMove(index), c.Legal ? 1 : 0);
    EXPECT_EQ(CurrentPly, c.Legal ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    CastlingAndEnPassant, Legality,
    testing::Values(
        LegalityCase{"CastleInCheck", "4k3/4r3/8/8/8/8/8/R3K2R w KQ -", "e1c1", false},
        LegalityCase{"CastleAcrossF1", "4k3/5r2/8/8/8/8/8/R3K2R w KQ -", "e1g1", false},
        LegalityCase{"CastleOntoG1", "4k3/6r1/8/8/8/8/8/R3K2R w KQ -", "e1g1", false},
        LegalityCase{"CastleAcrossD1", "4k3/3r4/8/8/8/8/8/R3K2R w KQ -", "e1c1", false},
        LegalityCase{"CastleOntoC1", "4k3/2r5/8/8/8/8/8/R3K2R w KQ -", "e1c1", false},
        LegalityCase{"AttackedB1Allowed", "4k3/1r6/8/8/8/8/8/R3K2R w KQ -", "e1c1", true},
        LegalityCase{"BlackAcrossF8", "r3k2r/8/8/8/8/8/5R2/4K3 b kq -", "e8g8", false},
        LegalityCase{"BlackAttackedB8Allowed", "r3k2r/8/8/8/8/8/1R6/4K3 b kq -", "e8c8", true},
        LegalityCase{"EnPassantHorizontalPin", "8/8/8/K2pP2r/8/8/8/4k3 w - d6", "e5d6", false},
        LegalityCase{"BlackEnPassantPin", "4K3/8/8/8/R2Pp2k/8/8/8 b - d3", "e4d3", false},
        LegalityCase{"EnPassantOpensDiagonal", "8/8/8/2k5/3Pp3/8/8/6BK b - d3", "e4d3", false},
        LegalityCase{"EnPassantTakesChecker", "8/8/8/2k5/3Pp3/8/8/7K b - d3", "e4d3", true},
        LegalityCase{"KingStaysOnRookRank", "4k3/8/8/8/8/8/8/r3K3 w - -", "e1f1", false}),
    [](const testing::TestParamInfo<LegalityCase>& info) { return std::string(info.param.Name); });

TEST(Castling, MovesTheRookAndTakesBothRights)
{
    struct Row {
        const char *Fen, *Move;
        int King, RookFrom, RookTo, Right;
    };
    const Row rows[] = {{"4k3/8/8/8/8/8/8/R3K2R w KQ -", "e1g1", 0x27, 0x28, 0x26, 0},
                        {"4k3/8/8/8/8/8/8/R3K2R w KQ -", "e1c1", 0x23, 0x21, 0x24, 0},
                        {"r3k2r/8/8/8/8/8/8/4K3 b kq -", "e8g8", 0x97, 0x98, 0x96, 2},
                        {"r3k2r/8/8/8/8/8/8/4K3 b kq -", "e8c8", 0x93, 0x91, 0x94, 2}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Move);
        ResetGame(row.Fen);
        ASSERT_TRUE(MakeByText(row.Move));
        const PositionRecord& after = Positions[1];
        const std::uint8_t colour = Positions[0].SideToMove;
        EXPECT_EQ(after.Board[row.RookFrom], 0);
        EXPECT_EQ(after.Board[row.RookTo], Piece::Rook | colour);
        EXPECT_EQ(after.Board[row.King], Piece::King | colour);
        EXPECT_EQ(colour == 0 ? after.WhiteKingSquare : after.BlackKingSquare, row.King);
        EXPECT_EQ(after.CastlingLost[row.Right] & after.CastlingLost[row.Right + 1], -1);
        EXPECT_EQ(after.SideToMove, colour ^ Piece::BlackBit);
    }
}

TEST(CastlingRights, FollowKingAndRookMoves)
{
    struct Row {
        const char* Name;
        const char* Fen;
        std::vector<const char*> Moves;
        std::vector<int> Lost;
    };
    const char* all = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq -";
    const Row rows[] = {
        {"KingMoveLosesBoth", all, {"e1e2"}, {-1, -1, 0, 0}},
        {"RookA1LosesQueenSide", all, {"a1a2"}, {0, -1, 0, 0}},
        {"RookH8LosesKingSide", "r3k2r/8/8/8/8/8/8/R3K2R b KQkq -", {"h8h7"}, {0, 0, -1, 0}},
        {"ReturningRookDoesNotRegain", all, {"h1h2", "a8a7", "h2h1"}, {-1, 0, 0, -1}},
        {"CapturedCornerRookLosesRight", all, {"a1a8"}, {0, -1, 0, -1}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        ResetGame(row.Fen);
        for (const char* move : row.Moves)
            ASSERT_TRUE(MakeByText(move)) << move;
        const PositionRecord& now = Positions[CurrentPly];
        EXPECT_EQ(std::vector<int>(now.CastlingLost, now.CastlingLost + 4), row.Lost);
    }
}

TEST(CastlingRights, AnotherRookOnTheEmptiedCornerCannotCastle)
{
    // The h1 rook is taken on its corner; a second rook walks onto h1.
    ResetGame("4k3/8/8/7R/8/8/6b1/R3K2R b KQ -");
    for (const char* move : {"g2h1", "h5h2", "e8d8", "h2h1", "d8e8"})
        ASSERT_TRUE(MakeByText(move)) << move;
    EXPECT_EQ(Positions[CurrentPly].Board[0x28], Piece::Rook);
    EXPECT_EQ(FindMove("e1g1"), -1);
    EXPECT_GE(FindMove("e1c1"), 0);
}

TEST(EnPassant, OfferedOnlyRightAfterTheDoubleStep)
{
    ResetGame();
    ASSERT_TRUE(MakeByText("e2e4"));
    EXPECT_EQ(Positions[1].EnPassantSquare, 0x55);
    ASSERT_TRUE(MakeByText("d7d5"));
    ASSERT_TRUE(MakeByText("e4e5"));
    EXPECT_EQ(Positions[3].EnPassantSquare, 0);
    EXPECT_EQ(FindMove("e5d6"), -1) << "an empty diagonal alone is no move";
    ASSERT_TRUE(MakeByText("f7f5"));
    const int capture = FindMove("e5f6");
    ASSERT_GE(capture, 0);
    EXPECT_EQ(Positions[4].Moves[capture].Flags, EnPassant);
    ASSERT_TRUE(MakeByText("e5f6"));
    EXPECT_EQ(Positions[5].Board[0x66], 0) << "the pawn behind the target is taken";
    EXPECT_EQ(Positions[5].Board[0x76], Piece::Pawn);
}

TEST(Promotion, PlacesThePieceOfTheMoversColour)
{
    const std::uint8_t codes[] = {Piece::Queen, Piece::Rook, Piece::Bishop, Piece::Knight};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        ResetGame("8/1P6/7k/8/8/8/6p1/4K3 w - -");
        ASSERT_TRUE(MakeByText(std::string("b7b8") + "qrbn"[i]));
        EXPECT_EQ(Positions[1].Board[0x92], codes[i]);
        ASSERT_TRUE(MakeByText(std::string("g2g1") + "qrbn"[i]));
        EXPECT_EQ(Positions[2].Board[0x27], codes[i] | Piece::BlackBit);
    }
}

TEST(MoveContract, IndicesOutsideTheListAreRefusedWithoutAMark)
{
    ResetGame();
    PositionRecord before;
    std::memcpy(&before, &Positions[0], sizeof(before));
    for (int index : {-1, 20, 199, 255, 100000}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(MakeMove(index), 0);
        EXPECT_EQ(TestMoveLegal(index), 0);
        EXPECT_EQ(CurrentPly, 0);
    }
    EXPECT_EQ(std::memcmp(&before, &Positions[0], sizeof(before)), 0);
}

TEST(MoveContract, TestMoveLegalLeavesLineAndLegalEntriesAlone)
{
    ResetGame();
    ASSERT_TRUE(MakeByText("e2e4"));
    CurrentPly = 0;
    PositionRecord next;
    std::memcpy(&next, &Positions[1], sizeof(next));
    for (int i = 0; i < Positions[0].MoveCount; ++i)
        EXPECT_EQ(TestMoveLegal(i), 1);
    EXPECT_EQ(CurrentPly, 0);
    EXPECT_EQ(Positions[0].Moves[13].Flags, 0);
    EXPECT_EQ(std::memcmp(&next, &Positions[1], sizeof(next)), 0);
}

} // namespace
