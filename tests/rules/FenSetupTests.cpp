#include "RulesTestSupport.h"

#include "rules/FenSetup.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

namespace {

bool ReadFen(const std::string& fen)
{
    return SetupPositionFromFen(fen.data(), fen.size());
}

bool IsStartPosition()
{
    const PositionRecord& r = Positions[0];
    return std::equal(StartBoard.begin(), StartBoard.end(), r.Board) && r.SideToMove == 0 &&
           r.WhiteKingSquare == 0x25 && r.BlackKingSquare == 0x95 && r.EnPassantSquare == 0 &&
           r.CastlingLost[0] == 0 && r.CastlingLost[3] == 0 && FirstMoveNumber == 1 &&
           SetupStart == 0;
}

struct FenCase {
    const char* Name;
    const char* Fen;
    std::uint8_t Side;
    std::array<int, 4> Lost;
    int EnPassant;
    int FirstMove;
    friend void PrintTo(const FenCase& c, std::ostream* os) { *os << c.Name; }
};

class FenFields : public testing::TestWithParam<FenCase> {};

TEST_P(FenFields, AreReadIntoRecordZero)
{
    const FenCase& c = GetParam();
    ResetGame();
    ASSERT_TRUE(ReadFen(c.Fen));
    const PositionRecord& r = Positions[0];
    EXPECT_EQ(r.SideToMove, c.Side);
    EXPECT_EQ(std::vector<int>(r.CastlingLost, r.CastlingLost + 4),
              std::vector<int>(c.Lost.begin(), c.Lost.end()));
    EXPECT_EQ(r.EnPassantSquare, c.EnPassant);
    EXPECT_EQ(FirstMoveNumber, c.FirstMove);
    EXPECT_EQ(SetupStart, 1);
    EXPECT_EQ(r.PlayedNode, -1);
    EXPECT_EQ(r.AlternativesIndex, -1);
    EXPECT_EQ(r.MoveCount, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, FenFields,
    testing::Values(
        FenCase{
            "BlackToMoveAtMove23", "4k3/8/8/8/8/8/8/4K3 b - - 0 23", 0x80, {-1, -1, -1, -1}, 0, 23},
        FenCase{"RightWithoutItsRookStaysLost",
                "r3k2r/8/8/8/8/8/8/R3K3 w KQkq -",
                0,
                {-1, 0, 0, 0},
                0,
                1},
        FenCase{"QueenSideNeedsTheKingAtHome",
                "r2k3r/8/8/8/8/8/8/R3K2R w KQkq -",
                0,
                {0, 0, -1, -1},
                0,
                1},
        FenCase{"TwoDigitClock", "4k3/8/8/8/8/8/8/4K3 w - - 12 40", 0, {-1, -1, -1, -1}, 0, 40},
        FenCase{"TargetE3BlackToMove",
                "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1",
                0x80,
                {0, 0, 0, 0},
                0x55,
                1},
        FenCase{"TargetD6WhiteToMove",
                "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 3",
                0,
                {-1, -1, -1, -1},
                0x64,
                3},
        FenCase{"TargetWithoutThePawnIsDropped",
                "4k3/8/8/8/8/8/8/4K3 w - d6 0 1",
                0,
                {-1, -1, -1, -1},
                0,
                1},
        FenCase{"TargetWithBlockedOriginIsDropped",
                "4k3/3p4/8/3pP3/8/8/8/4K3 w - d6",
                0,
                {-1, -1, -1, -1},
                0,
                1},
        FenCase{"TargetOnTheWrongRankIsDropped",
                "4k3/8/8/8/3p4/8/8/4K3 w - d5",
                0,
                {-1, -1, -1, -1},
                0,
                1},
        FenCase{"OwnPieceBehindTargetIsNotTaken",
                "4k3/8/8/3NP3/8/8/8/4K3 w - d6",
                0,
                {-1, -1, -1, -1},
                0,
                1},
        FenCase{"MissingFieldsKeepDefaults", "4k3/8/8/8/8/8/8/4K3", 0, {-1, -1, -1, -1}, 0, 1},
        FenCase{
            "MoveNumberZeroKeepsOne", "4k3/8/8/8/8/8/8/4K3 w - - 0 0", 0, {-1, -1, -1, -1}, 0, 1}),
    [](const testing::TestParamInfo<FenCase>& info) { return std::string(info.param.Name); });

TEST(FenSetup, PlacesPiecesAndKings)
{
    ResetGame();
    ASSERT_TRUE(ReadFen("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -"));
    const PositionRecord& r = Positions[0];
    EXPECT_EQ(r.Board[0x91], 0x84);
    EXPECT_EQ(r.Board[0x95], 0x86);
    EXPECT_EQ(r.Board[0x85], 0x85);        // e7 black queen
    EXPECT_EQ(r.Board[0x64], Piece::Pawn); // d5
    EXPECT_EQ(r.Board[0x48], 0x81);        // h3
    EXPECT_EQ(r.Board[0x21], Piece::Rook);
    EXPECT_EQ(r.Board[0x22], 0);
    EXPECT_EQ(r.WhiteKingSquare, 0x25);
    EXPECT_EQ(r.BlackKingSquare, 0x95);
    for (int cell = 0; cell < BoardCells; ++cell) {
        if (IsRealSquare(cell)) continue;
        ASSERT_EQ(r.Board[cell], Piece::OffBoard) << cell;
    }
}

TEST(FenSetup, MoveNumbersFollowTheSetUp)
{
    ResetGame();
    ASSERT_TRUE(ReadFen("4k3/8/8/8/8/8/8/4K3 b - - 0 23"));
    EXPECT_EQ(MoveNumberOfPly(0), 23);
    EXPECT_EQ(MoveNumberOfPly(1), 24);
    EXPECT_EQ(MoveNumberOfPly(2), 24);
    SetStartPosition();
    EXPECT_EQ(MoveNumberOfPly(0), 1);
    EXPECT_EQ(MoveNumberOfPly(1), 1);
    EXPECT_EQ(MoveNumberOfPly(2), 2);
}

TEST(FenSetup, UnusableTextLeavesTheStartPosition)
{
    const std::vector<std::string> bad = {
        "",
        "8/8/8/8/8/8/8/8 w - -",
        "4k3/8/8/8/8/8/8/8 w - -",
        "4K3/8/8/8/8/8/8/8 w - -",
        "4k3/8/8/8/8/8/8/3KK3 w - -",
        "kk6/8/8/8/8/8/8/4K3 w - -",
        "this is no position at all",
    };
    for (const std::string& fen : bad) {
        SCOPED_TRACE(fen);
        ResetGame();
        ASSERT_TRUE(ReadFen("4k3/8/8/8/8/8/8/4K3 b - - 0 30"));
        EXPECT_FALSE(ReadFen(fen));
        EXPECT_TRUE(IsStartPosition());
    }
    ResetGame();
    EXPECT_FALSE(SetupPositionFromFen(nullptr, 10));
    EXPECT_TRUE(IsStartPosition());
}

TEST(FenSetup, OverlongPlacementIsReadSafely)
{
    ResetGame();
    // A king on every square past the 64th would be off the board.
    std::string fen =
        "k7/8/8/8/8/8/8/7K" + std::string(300, 'q') + std::string(200, 'K') + "/9/9/99999999 w - -";
    ASSERT_TRUE(ReadFen(fen));
    EXPECT_EQ(Positions[0].WhiteKingSquare, 0x28);
    EXPECT_EQ(Positions[0].BlackKingSquare, 0x91);
    for (int cell = 0; cell < BoardCells; ++cell) {
        if (IsRealSquare(cell)) continue;
        ASSERT_EQ(Positions[0].Board[cell], Piece::OffBoard) << cell;
    }

    // Only the given length is read: no terminator is needed.
    const char text[] = {'4', 'k', '3', '/', '8', '/', '8', '/', '8', '/', '8',
                         '/', '8', '/', '8', '/', '4', 'K', '3', ' ', 'b'};
    ASSERT_TRUE(SetupPositionFromFen(text, sizeof(text)));
    EXPECT_EQ(Positions[0].SideToMove, 0x80);
    ASSERT_TRUE(SetupPositionFromFen(text, sizeof(text) - 2));
    EXPECT_EQ(Positions[0].SideToMove, 0);
}

} // namespace
