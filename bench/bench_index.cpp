// Indexing a 15,000-game database and loading and parsing every game of it.
// The database is generated on first use next to this program (not kept in
// the repository).
#include "bench/PgnBenchGenerator.h"
#include "database/ByteSource.h"
#include "database/GameIndex.h"
#include "database/GameLoader.h"
#include "database/MoveTextParser.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

constexpr int BenchGames = 15000;

PgnGeneratorOptions BenchOptions()
{
    PgnGeneratorOptions options;
    options.Games = BenchGames;
    options.Seed = 2026;
    options.MaxPlies = 130;
    return options;
}

std::string BenchDatabasePath()
{
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe");
    return (exe.parent_path() / "bench_index_15000.pgn").string();
}

// The bench database, generated when missing; its descriptor stays open.
int BenchDatabase()
{
    static const int fd = [] {
        const std::string path = BenchDatabasePath();
        if (!std::filesystem::exists(path)) {
            const GeneratedDatabase db = GeneratePgnDatabase(BenchOptions());
            std::ofstream(path, std::ios::binary) << db.Text;
        }
        return ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    }();
    return fd;
}

std::uint64_t FileSize(int fd)
{
    return static_cast<std::uint64_t>(::lseek(fd, 0, SEEK_END));
}

void BM_IndexDatabase(benchmark::State& state)
{
    const int fd = BenchDatabase();
    const FileByteSource source(fd);
    std::size_t rows = 0;
    for (auto _ : state) {
        const IndexResult result = IndexPgn(source);
        rows = result.Rows.size();
        benchmark::DoNotOptimize(result.Rows.data());
    }
    const double bytes =
        static_cast<double>(FileSize(fd)) * static_cast<double>(state.iterations());
    state.counters["MB/s"] = benchmark::Counter(bytes / 1e6, benchmark::Counter::kIsRate);
    state.counters["games/s"] =
        benchmark::Counter(static_cast<double>(rows) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
    state.counters["games"] = static_cast<double>(rows);
}
BENCHMARK(BM_IndexDatabase)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_LoadAndParseAllGames(benchmark::State& state)
{
    const int fd = BenchDatabase();
    const FileByteSource source(fd);
    const IndexResult index = IndexPgn(source);
    InitGameStore();
    SetCorrectMoveHandler(nullptr);
    std::int64_t plies = 0;
    for (auto _ : state) {
        plies = 0;
        for (std::size_t r = 0; r < index.Rows.size(); ++r) {
            LoadGameFrom(source, static_cast<int>(r) + 1, index.Rows[r], false, LoadToLastMove);
            plies += LineLength;
        }
    }
    const double games =
        static_cast<double>(index.Rows.size()) * static_cast<double>(state.iterations());
    state.counters["games/s"] = benchmark::Counter(games, benchmark::Counter::kIsRate);
    state.counters["MB/s"] = benchmark::Counter(static_cast<double>(FileSize(fd)) *
                                                    static_cast<double>(state.iterations()) / 1e6,
                                                benchmark::Counter::kIsRate);
    // Plies of all main lines: the same for every run of the same database.
    state.counters["plies"] = static_cast<double>(plies);
}
BENCHMARK(BM_LoadAndParseAllGames)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
