// The 15,000-game list as a text file (saved and loaded, in bytes per
// second) and paginated for print on a 600 dpi printer in landscape.
#include "bench/PgnBenchGenerator.h"
#include "components/SortGrid.h"
#include "database/GameIndex.h"
#include "platform/Printer.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

QApplication& App()
{
    static int argc = 1;
    static char name[] = "bench_qt_gridfile";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

// A grid filled as the game list is, from generated games.
std::unique_ptr<TSortGrid> GameListGrid()
{
    App();
    PgnGeneratorOptions options;
    options.Games = MaxIndexedGames;
    options.MaxPlies = 40;
    options.Variations = false;
    const GeneratedDatabase db = GeneratePgnDatabase(options);
    const IndexResult index = IndexPgn(MemoryByteSource(db.Text));
    auto grid = std::make_unique<TSortGrid>();
    grid->SetColCount(GameListColumns);
    grid->SetFixedCols(0);
    grid->SetRowCount(static_cast<int>(index.Rows.size()) + 1);
    grid->SetDefaultRowHeight(19);
    for (int c = 0; c < GameListColumns; ++c) {
        grid->SetCells(c, 0, GameListColumnInfos[static_cast<std::size_t>(c)].Title);
        grid->SetColWidths(c, GameListColumnInfos[static_cast<std::size_t>(c)].Width);
    }
    TGridCells& store = grid->CellStore();
    for (std::size_t i = 0; i < index.Rows.size(); ++i) {
        TGridRow row;
        row.Texts.assign(index.Rows[i].Cells.begin(), index.Rows[i].Cells.end());
        store.AssignRow(static_cast<int>(i) + 1, row);
    }
    return grid;
}

std::string TempFile()
{
    return QDir::temp().filePath(QStringLiteral("bench_qt_gridfile.txt")).toStdString();
}

void BM_SaveGameListText(benchmark::State& state)
{
    auto grid = GameListGrid();
    const std::string path = TempFile();
    for (auto _ : state)
        if (!grid->SaveToFile(path, ';')) state.SkipWithError("save failed");
    state.SetBytesProcessed(state.iterations() * QFile(QString::fromStdString(path)).size());
    QFile::remove(QString::fromStdString(path));
}

void BM_LoadGameListText(benchmark::State& state)
{
    auto source = GameListGrid();
    const std::string path = TempFile();
    source->SaveToFile(path, ';');
    auto grid = std::make_unique<TSortGrid>();
    for (auto _ : state)
        if (!grid->LoadFromFile(path, ';')) state.SkipWithError("load failed");
    state.SetBytesProcessed(state.iterations() * QFile(QString::fromStdString(path)).size());
    QFile::remove(QString::fromStdString(path));
}

void BM_PaginateGameList(benchmark::State& state)
{
    auto grid = GameListGrid();
    FakePrinterDevice printer(600, 4960, 7016, 100, 100); // A4 at 600 dpi
    ScopedPrinter installed(printer);
    grid->PrintOptions().Orientation = TPrinterOrientation::poLandscape;
    int pages = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(pages = grid->PageCount());
    state.counters["pages"] = pages;
}

BENCHMARK(BM_SaveGameListText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadGameListText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaginateGameList)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
