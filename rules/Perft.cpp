#include "rules/Perft.h"

#include "rules/Board.h"
#include "rules/MakeMove.h"
#include "rules/MoveGen.h"

std::uint64_t Perft(int depth)
{
    if (depth <= 0) return 1;
    GenerateMoves();
    const int count = Positions[CurrentPly].MoveCount;
    std::uint64_t nodes = 0;
    for (int i = 0; i < count; ++i) {
        if (!MakeMove(i)) continue;
        nodes += depth == 1 ? 1 : Perft(depth - 1);
        --CurrentPly;
    }
    return nodes;
}
