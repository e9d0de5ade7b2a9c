#include "rules/MoveGen.h"

#include "rules/MoveCore.h"
#include "rules/PieceMoves.h"

namespace {

using namespace piece_moves;

// Squares in SquareTable order; only those of the side to move are visited.
template <bool White>
int Generate(PositionRecord& record)
{
    ListSink out(record.Moves);
    ForEachSquare(PiecesOf(record, White ? 0 : Piece::BlackBit),
                  [&](int s) { PieceMoves<White>(out, record, s); });
    record.MoveCount = out.Count();
    return record.MoveCount;
}

} // namespace

int GenerateMovesOf(PositionRecord& record)
{
    return record.SideToMove == 0 ? Generate<true>(record) : Generate<false>(record);
}

void GenerateMoves()
{
    GenerateMovesOf(Positions[CurrentPly]);
}
