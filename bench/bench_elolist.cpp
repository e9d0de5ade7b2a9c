// Reading a generated rating list of a million players (no grid).
#include "EloBenchGenerator.h"
#include "database/EloList.h"

#include <benchmark/benchmark.h>

namespace {

void BM_ReadEloList(benchmark::State& state)
{
    const std::string text = EloBenchList(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::size_t bytes = 0;
        EloLoadHooks hooks;
        hooks.OnRow = [&bytes](int, std::vector<std::string>& fields) {
            for (const std::string& f : fields)
                bytes += f.size();
        };
        const EloLoadResult result = LoadEloList(MemoryByteSource(text), hooks);
        benchmark::DoNotOptimize(bytes);
        state.counters["rows"] = result.RowCount;
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ReadEloList)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
