// Move-path counts from two positions: generation, MakeMove and the king
// test on the store's own records, one thread.
#include "rules/Board.h"
#include "rules/FenSetup.h"
#include "rules/MoveGen.h"
#include "rules/Perft.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

void SetUp(const char* fen)
{
    InitGameStore();
    if (fen) SetupPositionFromFen(fen, std::strlen(fen));
    CurrentPly = 0;
    LineLength = 0;
    GenerateMoves();
}

void RunPerft(benchmark::State& state, const char* fen, int depth)
{
    SetUp(fen);
    std::uint64_t nodes = 0;
    for (auto _ : state) {
        const std::uint64_t count = Perft(depth);
        benchmark::DoNotOptimize(count);
        nodes += count;
    }
    state.counters["nodes"] =
        benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
}

void BM_PerftStart5(benchmark::State& state)
{
    RunPerft(state, nullptr, 5);
}

void BM_PerftCastlingAndPins4(benchmark::State& state)
{
    RunPerft(state, "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -", 4);
}

} // namespace

BENCHMARK(BM_PerftStart5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PerftCastlingAndPins4)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
