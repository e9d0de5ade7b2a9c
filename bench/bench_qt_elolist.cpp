// Loading a generated list of a million players into the ELO page from a
// file, as the menu command does, until the grid is shown and painted;
// and the statistics page rebuilt for 15,000 games. Peak memory is
// reported as a counter (MiB).
#include "EloBenchGenerator.h"
#include "app/EloPage.h"
#include "app/StatisticsPage.h"
#include "components/SortGrid.h"

#include <QApplication>
#include <QPixmap>
#include <QTemporaryDir>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <fstream>
#include <sys/resource.h>

namespace {

QApplication& App()
{
    static int argc = 1;
    static char name[] = "bench_qt_elolist";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

double PeakMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_OpenEloListShown(benchmark::State& state)
{
    App();
    QTemporaryDir dir;
    const std::string path = dir.filePath("list.txt").toStdString();
    std::ofstream(path, std::ios::binary) << EloBenchList(static_cast<int>(state.range(0)));
    QWidget sheet;
    sheet.resize(1000, 700);
    sheet.show();
    EloPageHooks hooks;
    hooks.CreateGrid = [&sheet] { CreateEloGridOn(&sheet, {}); };
    for (auto _ : state) {
        if (OpenEloList(path, hooks) != EloOpenResult::Loaded) state.SkipWithError("not loaded");
        benchmark::DoNotOptimize(EloGrid->grab());
        state.counters["rows"] = EloGrid->RowCount();
    }
    delete EloGrid;
    EloGrid = nullptr;
    state.counters["peak_MiB"] = PeakMiB();
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
