// Rendering the move list of a big annotated game: 200 moves, 300
// variations, comments and evaluation symbols.
#include "app/OptionValues.h"
#include "database/GameHeaderRtf.h"
#include "database/MoveListRtf.h"
#include "database/RtfBuffer.h"
#include "database/RtfProlog.h"
#include "rules/Board.h"
#include "rules/GameStore.h"
#include "rules/MakeMove.h"
#include "rules/MoveGen.h"
#include "rules/Navigation.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

namespace {

void Append(NodeKind kind, std::uint32_t textPos, std::uint8_t code)
{
    MoveNodes[MoveNodeCount++] = MoveNode{textPos, 0, kind, code};
}

// Plays a random legal move and records it; false when there is none.
bool RandomMove(std::mt19937& rng)
{
    std::vector<int> legal;
    for (int i = 0; i < Positions[CurrentPly].MoveCount; ++i)
        if (TestMoveLegal(i)) legal.push_back(i);
    if (legal.empty() || CurrentPly + 2 >= MaxPly) return false;
    const int index = legal[std::uniform_int_distribution<std::size_t>(0, legal.size() - 1)(rng)];
    Positions[CurrentPly].PlayedNode = MoveNodeCount;
    Append(NodeKind::nkMove, 0, static_cast<std::uint8_t>(index));
    MakeMove(index);
    AnnotateLastMove();
    return true;
}

// A variation of a few moves replacing the move just played (node main).
void Variation(std::mt19937& rng, int main, int length, int nest)
{
    const int ply = CurrentPly - 1;
    Append(NodeKind::nkVariationStart, 0, 0);
    CurrentPly = ply;
    for (int k = 0; k < length; ++k) {
        if (!RandomMove(rng)) break;
        if (nest > 0 && k == 1) Variation(rng, MoveNodeCount - 1, 3, nest - 1);
    }
    Append(NodeKind::nkVariationEnd, 0, 0);
    CurrentPly = ply;
    Positions[ply].PlayedNode = main;
    MakeMove(MoveNodes[main].Code);
    AnnotateLastMove();
}

// Builds the game; returns the number of variations.
int BuildBigGame(unsigned seed)
{
    std::mt19937 rng(seed);
    InitGameStore();
    SetStartPosition();
    CurrentPly = 0;
    MoveNodeCount = 0;
    CommentList.clear();
    GameResult = 1;
    GenerateMoves();
    int variations = 0;
    for (int ply = 0; ply < 400; ++ply) {
        if (!RandomMove(rng)) return -1;
        const int main = MoveNodeCount - 1;
        if (ply % 3 == 0) Append(NodeKind::nkNag, 0, static_cast<std::uint8_t>(1 + ply % 22));
        if (ply % 8 == 0) {
            CommentList.push_back("A comment on this move with \\N and {braces} " +
                                  std::to_string(ply));
            Append(NodeKind::nkComment, static_cast<std::uint32_t>(CommentList.size() - 1), 0);
        }
        if (ply % 4 != 3 && variations < 300) {
            Variation(rng, main, 4, ply % 5 == 0 ? 1 : 0);
            variations += ply % 5 == 0 ? 2 : 1;
        }
    }
    return variations;
}

void BM_RenderBigGame(benchmark::State& state)
{
    RestoreFirstRunOptions();
    unsigned seed = 1;
    int variations = BuildBigGame(seed);
    while (variations < 0)
        variations = BuildBigGame(++seed);
    GoToNode(-1);
    const GameHeaderCells cells{"White", "2700", "Black",      "2650", "B90",
                                "Event", "Site", "2001.02.03", "4",    "Writer"};
    ResetRtfBuffer();
    RtfPrologEnd = WriteRtfProlog(0);
    RtfPos end = 0;
    for (auto _ : state) {
        end = BuildMoveList(WriteGameHeaderRtf(RtfPrologEnd, cells));
        benchmark::DoNotOptimize(RtfBuffer.data());
    }
    int moves = 0;
    for (int i = 0; i < MoveNodeCount; ++i)
        moves += MoveNodes[i].Kind == NodeKind::nkMove;
    state.counters["nodes"] = MoveNodeCount;
    state.counters["variations"] = variations;
    state.counters["moves"] = moves;
    state.counters["bytes"] = static_cast<double>(end);
    state.counters["shown"] = RtfTextPos;
}
BENCHMARK(BM_RenderBigGame)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
