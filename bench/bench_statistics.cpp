// The statistics of a 15,000-game list (the three charts' data).
#include "EloBenchGenerator.h"
#include "database/GameStatistics.h"

#include <benchmark/benchmark.h>

namespace {

void BM_GameStatistics(benchmark::State& state)
{
    const std::vector<GameRow> rows = StatisticsBenchRows(15000);
    const GameListCells cells{static_cast<int>(rows.size()),
                              [&rows](int col, int row) -> const std::string& {
                                  return rows[static_cast<std::size_t>(row)][col];
                              }};
    for (auto _ : state) {
        const GameStatistics stats = ComputeGameStatistics(cells);
        const OpeningChart opening = OpeningChartData(stats);
        benchmark::DoNotOptimize(YearChartData(stats));
        benchmark::DoNotOptimize(MovesChartData(stats));
        state.counters["bars"] = static_cast<double>(opening.Bars.size());
    }
}
BENCHMARK(BM_GameStatistics)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
