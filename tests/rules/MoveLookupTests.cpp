// Moves found without a list against the generated list, on every position
// of a three-ply walk: same entry at the same index, piece sets kept move by
// move equal to sets made anew, and the king tests that look only at what a
// move changes give the verdicts of the full tests.
#include "RulesTestSupport.h"

#include "rules/LineChecks.h"
#include "rules/MakeMove.h"
#include "rules/MoveCore.h"
#include "rules/MoveGen.h"
#include "rules/MoveLookup.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct Tally {
    int Moves = 0;
    int Failures = 0;
};

bool SameEntry(const MoveEntry& a, const MoveEntry& b)
{
    return a.From == b.From && a.To == b.To && a.Flags == b.Flags && a.Promotion == b.Promotion;
}

// Checks every entry of the list of the record shown.
void CheckPosition(Tally& tally)
{
    PositionRecord& record = Positions[CurrentPly];
    const BoardSets sets = SetsOf(record);
    const std::uint8_t side = record.SideToMove;
    const bool inCheck = IsInCheck(record, side);
    for (int i = 0; i < record.MoveCount; ++i) {
        const MoveEntry entry = record.Moves[i];
        ++tally.Moves;
        bool found = false;
        for (int type : {record.Board[entry.From] & Piece::TypeMask, 0}) {
            FoundMove out[8];
            const int n = FindMovesTo(record, sets, entry.To, type, SquareBit(entry.From), out, 8);
            for (int k = 0; k < n; ++k)
                found = found || (out[k].Index == i && SameEntry(out[k].Entry, entry));
        }
        if (!found) ++tally.Failures;

        MoveEntry full = entry, lineOnly = entry;
        PositionRecord after, quick;
        std::memcpy(after.Board, StartBoard.data(), BoardCells);
        std::memcpy(quick.Board, StartBoard.data(), BoardCells);
        const bool legal = PlayMoveInto(record, full, after, PlayMode::Make);
        if (!inCheck && PlayMoveInto(record, lineOnly, quick, PlayMode::Make, true) != legal)
            ++tally.Failures;
        if (!legal) continue;
        BoardSets played = sets;
        PlayOnSets(played, record, entry);
        if (!(played == SetsOf(after))) ++tally.Failures;
        if (MoveGivesCheck(after, entry, side) != IsInCheck(after, side ^ Piece::BlackBit))
            ++tally.Failures;
    }
}

void Walk(int depth, Tally& tally)
{
    GenerateMoves();
    CheckPosition(tally);
    if (depth <= 1) return;
    const int count = Positions[CurrentPly].MoveCount;
    for (int i = 0; i < count; ++i) {
        if (!MakeMove(i)) continue;
        Walk(depth - 1, tally);
        --CurrentPly;
    }
}

class MoveLookup : public testing::TestWithParam<const char*> {};

TEST_P(MoveLookup, AgreesWithTheGeneratedListOnEveryPositionOfAWalk)
{
    ResetGame(GetParam());
    Tally tally;
    Walk(3, tally);
    EXPECT_GT(tally.Moves, 0);
    EXPECT_EQ(tally.Failures, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, MoveLookup,
    testing::Values("", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -",
                    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - -",
                    "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq -",
                    "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ -",
                    // 218 moves: those past the 199th are in no list.
                    "R6R/3Q4/1Q4Q1/4Q3/2Q4Q/Q4Q2/pp1Q4/kBNN1KB1 w - -",
                    // En passant into a pin, promotions with captures, both colours.
                    "4k3/8/8/K2pP2r/8/8/1p6/R1N5 w - d6",
                    // En passant that opens a diagonal through the pawn taken.
                    "4k3/5b2/8/3pP3/8/8/K7/8 w - d6", "r3k3/1P6/8/8/3pP3/8/8/4K2R b Kq e3"));

TEST(MoveLookup, MovesPastThe199thAreNotFound)
{
    ResetGame("R6R/3Q4/1Q4Q1/4Q3/2Q4Q/Q4Q2/pp1Q4/kBNN1KB1 w - -");
    // The rooks on a8 and h8 come last: all their moves lie past the end.
    FoundMove out[8];
    EXPECT_EQ(FindMovesTo(Positions[0], SquareOf(0, 6), Piece::Rook, ~SquareSet{0}, out, 8), 0);
    // The queens on a3, b6 and d7 reach a7 inside the list.
    ASSERT_EQ(FindMovesTo(Positions[0], SquareOf(0, 6), Piece::Queen, ~SquareSet{0}, out, 8), 3);
    EXPECT_LT(out[2].Index, MaxMoves);
    EXPECT_EQ(FindMovesTo(Positions[0], SquareOf(0, 1), Piece::Bishop, ~SquareSet{0}, out, 8), 1);
    EXPECT_EQ(out[0].Index, 0);
}

} // namespace
