// Loading a generated list of a million players into the ELO page from a
// file, as the menu command does, until the grid is shown and painted;
// and the statistics page rebuilt for 15,000 games. Memory is reported as
// counters: the file's size (MB), the process's resident memory before the
// load and its peak during the load (MiB), and that peak over the file size.
#include "EloBenchGenerator.h"
#include "app/EloPage.h"
#include "app/StatisticsPage.h"
#include "components/SortGrid.h"

#include <QApplication>
#include <QPixmap>
#include <QTemporaryDir>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

QApplication& App()
{
    static int argc = 1;
    static char name[] = "bench_qt_elolist";
    static char* argv[] = {name, nullptr};
    // Left to the end of the process: destroyed by the exit handlers it
    // would outlive what it still refers to.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// A line of /proc/self/status ("VmRSS", "VmHWM") in bytes.
double StatusBytes(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(key + ":", 0) == 0) return 1024.0 * std::stod(line.substr(key.size() + 1));
    return 0;
}

// From here on VmHWM counts the peak anew.
void ResetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

void BM_OpenEloListShown(benchmark::State& state)
{
    App();
    QTemporaryDir dir;
    const std::string path = dir.filePath("list.txt").toStdString();
    std::ofstream(path, std::ios::binary) << EloBenchList(static_cast<int>(state.range(0)));
    const double fileBytes = static_cast<double>(std::filesystem::file_size(path));
    QWidget sheet;
    sheet.resize(1000, 700);
    sheet.show();
    EloPageHooks hooks;
    hooks.CreateGrid = [&sheet] { CreateEloGridOn(&sheet, {}); };
    double before = 0, peak = 0; // the least before a load, the most during one
    for (auto _ : state) {
        // The list of the last turn goes first, as the menu command lets it go.
        state.PauseTiming();
        delete EloGrid;
        EloGrid = nullptr;
        const double now = StatusBytes("VmRSS");
        before = before == 0 ? now : std::min(before, now);
        ResetPeak();
        state.ResumeTiming();
        if (OpenEloList(path, hooks) != EloOpenResult::Loaded) state.SkipWithError("not loaded");
        benchmark::DoNotOptimize(EloGrid->grab());
        peak = std::max(peak, StatusBytes("VmHWM"));
        state.counters["rows"] = EloGrid->RowCount();
    }
    delete EloGrid;
    EloGrid = nullptr;
    constexpr double MiB = 1024.0 * 1024.0;
    state.counters["file_MB"] = fileBytes / 1e6;
    state.counters["before_MiB"] = before / MiB;
    state.counters["peak_MiB"] = peak / MiB;
    state.counters["peak_per_file"] = peak / fileBytes;
}
BENCHMARK(BM_OpenEloListShown)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_StatisticsPageRebuild(benchmark::State& state)
{
    App();
    auto grid = std::make_unique<TSortGrid>();
    const std::vector<GameRow> rows = StatisticsBenchRows(15000);
    grid->SetColCount(GameListColumns);
    grid->SetRowCount(static_cast<int>(rows.size()));
    for (std::size_t r = 1; r < rows.size(); ++r)
        for (int c = 0; c < GameListColumns; ++c)
            grid->CellStore().SetCell(c, static_cast<int>(r), rows[r][c]);
    QWidget sheet;
    sheet.resize(900, 420);
    TStatisticsPage page(&sheet);
    sheet.show();
    for (auto _ : state) {
        page.Rebuild(GameListStatistics(*grid));
        QApplication::processEvents();
    }
}
BENCHMARK(BM_StatisticsPageRebuild)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
