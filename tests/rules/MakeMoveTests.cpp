#include "RulesTestSupport.h"

#include "rules/MakeMove.h"
#include "rules/MoveGen.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using namespace MoveFlags;

// Plays a move with MakeMove and generates the next list (no stream).
bool MakeByText(const std::string& move)
{
    const int index = FindMove(move);
    if (index < 0 || !MakeMove(index))
        return false;
    GenerateMoves();
    return true;
}

struct CastleCase {
    const char* Name;
    const char* Fen;
    const char* Move;
    bool Legal;
};

class Castling : public testing::TestWithParam<CastleCase> {};

TEST_P(Castling, IsRefusedOutOfThroughOrIntoCheck)
{
    const CastleCase& c = GetParam();
    ResetGame(c.Fen);
    const int index = FindMove(c.Move);
    ASSERT_GE(index, 0) << "castling is generated whatever the checks";
    EXPECT_EQ(TestMoveLegal(index), c.Legal ? 1 : 0);
    EXPECT_EQ((Positions[0].Moves[index].Flags & Illegal) != 0, !c.Legal);
    EXPECT_EQ(MakeMove(index), c.Legal ? 1 : 0);
    EXPECT_EQ(CurrentPly, c.Legal ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Squares, Castling,
    testing::Values(
        CastleCase{"InCheckKingSide", "4k3/4r3/8/8/8/8/8/R3K2R w KQ -", "e1g1", false},
        CastleCase{"InCheckQueenSide", "4k3/4r3/8/8/8/8/8/R3K2R w KQ -", "e1c1", false},
        CastleCase{"AcrossAttackedF1", "4k3/5r2/8/8/8/8/8/R3K2R w KQ -", "e1g1", false},
        CastleCase{"OntoAttackedG1", "4k3/6r1/8/8/8/8/8/R3K2R w KQ -", "e1g1", false},
        CastleCase{"AcrossAttackedD1", "4k3/3r4/8/8/8/8/8/R3K2R w KQ -", "e1c1", false},
        CastleCase{"OntoAttackedC1", "4k3/2r5/8/8/8/8/8/R3K2R w KQ -", "e1c1", false},
        CastleCase{"AttackedB1IsAllowed", "4k3/1r6/8/8/8/8/8/R3K2R w KQ -", "e1c1", true},
        CastleCase{"AttackedH1IsAllowed", "4k3/7r/8/8/8/8/8/R3K2R w KQ -", "e1g1", true},
        CastleCase{"FreeKingSide", "4k3/8/8/8/8/8/8/R3K2R w KQ -", "e1g1", true},
        CastleCase{"BlackAcrossAttackedF8", "r3k2r/8/8/8/8/8/5R2/4K3 b kq -", "e8g8", false},
        CastleCase{"BlackOntoAttackedC8", "r3k2r/8/8/8/8/8/2R5/4K3 b kq -", "e8c8", false},
        CastleCase{"BlackAttackedB8IsAllowed", "r3k2r/8/8/8/8/8/1R6/4K3 b kq -", "e8c8", true},
        CastleCase{"BlackFreeQueenSide", "r3k2r/8/8/8/8/8/8/4K3 b kq -", "e8c8", true}),
    [](const testing::TestParamInfo<CastleCase>& info) { return std::string(info.param.Name); });

TEST(Castling, MovesTheRookAndTakesBothRights)
{
    struct Row {
        const char* Fen;
        const char* Move;
        int King, RookFrom, RookTo;
        std::uint8_t Rook;
        int FirstRight;
    };
    const Row rows[] = {
        {"4k3/8/8/8/8/8/8/R3K2R w KQ -", "e1g1", 0x27, 0x28, 0x26, Piece::Rook, 0},
        {"4k3/8/8/8/8/8/8/R3K2R w KQ -", "e1c1", 0x23, 0x21, 0x24, Piece::Rook, 0},
        {"r3k2r/8/8/8/8/8/8/4K3 b kq -", "e8g8", 0x97, 0x98, 0x96, 0x84, 2},
        {"r3k2r/8/8/8/8/8/8/4K3 b kq -", "e8c8", 0x93, 0x91, 0x94, 0x84, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Move);
        ResetGame(row.Fen);
        ASSERT_TRUE(MakeByText(row.Move));
        const PositionRecord& after = Positions[1];
        EXPECT_EQ(after.Board[row.RookFrom], 0);
        EXPECT_EQ(after.Board[row.RookTo], row.Rook);
        EXPECT_EQ(after.Board[row.King], row.Rook + 2);
        EXPECT_EQ(row.FirstRight == 0 ? after.WhiteKingSquare : after.BlackKingSquare, row.King);
        EXPECT_EQ(after.CastlingLost[row.FirstRight], -1);
        EXPECT_EQ(after.CastlingLost[row.FirstRight + 1], -1);
        EXPECT_EQ(after.SideToMove, Positions[0].SideToMove ^ 0x80);
    }
}

TEST(CastlingRights, FollowKingAndRookMoves)
{
    struct Row {
        const char* Name;
        const char* Fen;
        std::vector<const char*> Moves;
        std::array<int, 4> Lost;
    };
    const Row rows[] = {
        {"KingMoveLosesBoth", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq -", {"e1e2"}, {-1, -1, 0, 0}},
        {"RookA1LosesQueenSide", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq -", {"a1a2"}, {0, -1, 0, 0}},
        {"RookH8LosesKingSide", "r3k2r/8/8/8/8/8/8/R3K2R b KQkq -", {"h8h7"}, {0, 0, -1, 0}},
        {"ReturningRookDoesNotRegain", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq -",
         {"h1h2", "a8a7", "h2h1"}, {-1, 0, 0, -1}},
        {"CapturedCornerRookLosesRight", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq -", {"a1a8"},
         {0, -1, 0, -1}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        ResetGame(row.Fen);
        for (const char* move : row.Moves)
            ASSERT_TRUE(MakeByText(move)) << move;
        const PositionRecord& now = Positions[CurrentPly];
        EXPECT_EQ(std::vector<int>(now.CastlingLost, now.CastlingLost + 4),
                  std::vector<int>(row.Lost.begin(), row.Lost.end()));
    }
}

TEST(CastlingRights, AnotherRookOnTheEmptiedCornerCannotCastle)
{
    // The h1 rook is taken on its corner; a second rook walks onto h1.
    ResetGame("4k3/8/8/7R/8/8/6b1/R3K2R b KQ -");
    ASSERT_TRUE(MakeByText("g2h1"));
    ASSERT_TRUE(MakeByText("h5h2"));
    ASSERT_TRUE(MakeByText("e8d8"));
    ASSERT_TRUE(MakeByText("h2h1"));
    ASSERT_TRUE(MakeByText("d8e8"));
    EXPECT_EQ(Positions[CurrentPly].Board[0x28], Piece::Rook);
    EXPECT_EQ(FindMove("e1g1"), -1);
    EXPECT_GE(FindMove("e1c1"), 0);
}

TEST(EnPassant, OfferedOnlyRightAfterTheDoubleStep)
{
    ResetGame();
    ASSERT_TRUE(MakeByText("e2e4"));
    EXPECT_EQ(Positions[1].EnPassantSquare, 0x55);
    ASSERT_TRUE(MakeByText("a7a6"));
    EXPECT_EQ(Positions[2].EnPassantSquare, 0);
    ASSERT_TRUE(MakeByText("e4e5"));
    ASSERT_TRUE(MakeByText("d7d5"));
    EXPECT_EQ(Positions[4].EnPassantSquare, 0x64);
    const int capture = FindMove("e5d6");
    ASSERT_GE(capture, 0);
    EXPECT_EQ(Positions[4].Moves[capture].Flags, EnPassant);
    ASSERT_TRUE(MakeByText("e5d6"));
    EXPECT_EQ(Positions[5].Board[0x64], 0) << "the pawn behind the target is taken";
    EXPECT_EQ(Positions[5].Board[0x74], Piece::Pawn);
}

TEST(EnPassant, EmptyDiagonalWithoutDoubleStepIsNoMove)
{
    ResetGame("4k3/8/8/3pP3/8/8/8/4K3 w - -");
    EXPECT_EQ(FindMove("e5d6"), -1);
}

TEST(EnPassant, ChecksAfterTheCaptureAreSeen)
{
    struct Row {
        const char* Name;
        const char* Fen;
        const char* Move;
        bool Legal;
    };
    const Row rows[] = {
        {"TwoPawnsLeaveTheRank", "8/8/8/K2pP2r/8/8/8/4k3 w - d6", "e5d6", false},
        {"BlackTwoPawnsLeaveTheRank", "4K3/8/8/8/R2Pp2k/8/8/8 b - d3", "e4d3", false},
        {"DiagonalOpenedByTheTakenPawn", "8/8/8/2k5/3Pp3/8/8/6BK b - d3", "e4d3", false},
        {"CaptureTakesTheCheckingPawn", "8/8/8/2k5/3Pp3/8/8/7K b - d3", "e4d3", true},
        {"PlainCapture", "4k3/8/8/3pP3/8/8/8/4K3 w - d6", "e5d6", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        ResetGame(row.Fen);
        const int index = FindMove(row.Move);
        ASSERT_GE(index, 0);
        EXPECT_EQ(TestMoveLegal(index), row.Legal ? 1 : 0);
        EXPECT_EQ((Positions[0].Moves[index].Flags & Illegal) != 0, !row.Legal);
    }
}

TEST(Promotion, PlacesThePieceOfTheMoversColour)
{
    const char* const pieces = "qrbn";
    const std::uint8_t codes[] = {Piece::Queen, Piece::Rook, Piece::Bishop, Piece::Knight};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(pieces[i]);
        ResetGame("8/1P6/7k/8/8/8/6p1/4K3 w - -");
        ASSERT_TRUE(MakeByText(std::string("b7b8") + pieces[i]));
        EXPECT_EQ(Positions[1].Board[0x92], codes[i]);
        ASSERT_TRUE(MakeByText(std::string("g2g1") + pieces[i]));
        EXPECT_EQ(Positions[2].Board[0x27], codes[i] | Piece::BlackBit);
        EXPECT_EQ(Positions[2].Board[0x37], 0);
    }
}

TEST(MoveContract, IndicesOutsideTheListAreRefusedWithoutAMark)
{
    ResetGame();
    PositionRecord before;
    std::memcpy(&before, &Positions[0], sizeof(before));
    for (int index : {-1, 20, 198, 199, 255, 100000}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(MakeMove(index), 0);
        EXPECT_EQ(TestMoveLegal(index), 0);
        EXPECT_EQ(CurrentPly, 0);
    }
    EXPECT_EQ(std::memcmp(&before, &Positions[0], sizeof(before)), 0);
}

TEST(MoveContract, RefusedEntryFailsAtOnceAfterwards)
{
    ResetGame("4k3/8/8/8/8/8/8/r3K3 w - -");
    const int index = FindMove("e1e2");
    ASSERT_GE(index, 0);
    EXPECT_EQ(MakeMove(FindMove("e1f1")), 0);
    EXPECT_EQ(Positions[0].Moves[FindMove("e1f1")].Flags, Illegal);
    EXPECT_EQ(TestMoveLegal(FindMove("e1f1")), 0);
    EXPECT_EQ(TestMoveLegal(index), 1);
    EXPECT_EQ(Positions[0].Moves[index].Flags, 0) << "a legal test marks nothing";
}

TEST(MoveContract, TestMoveLegalLeavesTheLineAlone)
{
    ResetGame();
    ASSERT_TRUE(MakeByText("e2e4"));
    CurrentPly = 0;
    PositionRecord next;
    std::memcpy(&next, &Positions[1], sizeof(next));
    for (int i = 0; i < Positions[0].MoveCount; ++i)
        EXPECT_EQ(TestMoveLegal(i), 1);
    EXPECT_EQ(CurrentPly, 0);
    EXPECT_EQ(std::memcmp(&next, &Positions[1], sizeof(next)), 0);
}

TEST(MoveContract, NoMoveIsPlayedIntoTheScratchRecord)
{
    ResetGame();
    CurrentPly = LineRecords - 1;
    std::memcpy(Positions[CurrentPly].Board, Positions[0].Board, BoardCells);
    Positions[CurrentPly].SideToMove = 0;
    GenerateMoves();
    EXPECT_EQ(MakeMove(0), 0);
    EXPECT_EQ(CurrentPly, LineRecords - 1);
    CurrentPly = 0;
}

TEST(Attacks, EachKindOfPieceAndOnlyTheEnemy)
{
    struct Row {
        const char* Name;
        const char* Fen;
        int Square;
        std::uint8_t Side;
        bool Attacked;
    };
    const Row rows[] = {
        {"RookAlongFile", "4k3/8/8/8/8/8/8/r3K3 w - -", 0x24, 0, true},
        {"RookBlocked", "4k3/8/8/8/8/8/8/r1N1K3 w - -", 0x24, 0, false},
        {"BishopOffDiagonal", "4k3/8/8/8/8/8/2b5/4K3 w - -", 0x25, 0, false},
        {"BishopOnDiagonal", "4k3/8/8/8/8/2b5/8/4K3 w - -", 0x25, 0, true},
        {"Knight", "4k3/8/8/8/8/3n4/8/4K3 w - -", 0x25, 0, true},
        {"BlackPawnAttacksDown", "4k3/8/8/8/8/8/3p4/4K3 w - -", 0x25, 0, true},
        {"BlackPawnDoesNotAttackBehind", "4k3/8/8/8/8/8/8/3pK3 w - -", 0x25, 0, false},
        {"WhitePawnAttacksUp", "4k3/3P4/8/8/8/8/8/4K3 b - -", 0x95, 0x80, true},
        {"KingAdjacent", "8/8/8/8/8/8/3k4/4K3 w - -", 0x25, 0, true},
        {"KingTwoAway", "8/8/8/8/8/3k4/8/4K3 w - -", 0x25, 0, false},
        {"OwnRookIsNoAttacker", "4k3/8/8/8/8/8/8/R3K3 w - -", 0x24, 0, false},
        {"QueenDiagonalLongRange", "4k3/8/8/q7/8/8/8/4K3 w - -", 0x25, 0, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        ResetGame(row.Fen);
        EXPECT_EQ(IsSquareAttacked(Positions[0], row.Square, row.Side), row.Attacked ? 1 : 0);
    }
    ResetGame("4k3/8/8/8/8/8/8/r3K3 w - -");
    EXPECT_EQ(IsInCheck(Positions[0], 0), 1);
    EXPECT_EQ(IsInCheck(Positions[0], 0x80), 0);
    EXPECT_EQ(IsSquareAttacked(Positions[0], 0x40, 0), 0) << "off-board squares are never read";
}

} // namespace
