// The moves of a position that reach one square, each with the index it has
// in the list GenerateMoves writes, found without writing that list: the
// pieces before the origin are only counted. For reading move text, where a
// token names its target and the full list is not needed.
#pragma once

#include "rules/Board.h"

#include <cstdint>

// Bit i is SquareTable[i] (rank * 8 + file).
using SquareSet = std::uint64_t;

constexpr SquareSet FileSquares(int file)
{
    return 0x0101010101010101ULL << file;
}
constexpr SquareSet RankSquares(int rank)
{
    return 0xFFULL << (8 * rank);
}
constexpr SquareSet SquareBit(int square)
{
    return SquareSet{1} << (RankOf(square) * 8 + FileOf(square));
}

// The pieces of both colours as square sets: [0] all of that colour, [1]
// pawns .. [6] kings.
struct BoardSets {
    SquareSet White[7];
    SquareSet Black[7];
    bool operator==(const BoardSets&) const = default;
};

// The sets of record's board.
BoardSets SetsOf(const PositionRecord& record);

// sets (those of before) after entry is played from before as MakeMove
// plays it: a reader that plays move after move keeps them up to date for
// less than making them anew.
void PlayOnSets(BoardSets& sets, const PositionRecord& before, const MoveEntry& entry);

struct FoundMove {
    MoveEntry Entry; // as generation writes it (no flags added)
    int Index;       // in the generated list
};

// The moves of the side to move in record that land on target, in list
// order, from the squares of origins, made by a piece of type (1 pawn .. 6
// king; 0: whatever piece stands there). Moves past the 199th (not in the
// list) are left out. Writes at most capacity entries and returns how many
// it wrote. Reads nothing but the board, the rights and the en-passant square.
int FindMovesTo(const PositionRecord& record, int target, int type, SquareSet origins,
                FoundMove* out, int capacity);
// The same with the sets of record's board given.
int FindMovesTo(const PositionRecord& record, const BoardSets& sets, int target, int type,
                SquareSet origins, FoundMove* out, int capacity);
