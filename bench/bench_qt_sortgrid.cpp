// Sorting 15,000 rows of 16 columns on the grid, by a text and by a numeric column.
#include "components/SortGrid.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>

namespace {

constexpr int kRows = 15000;
constexpr int kCols = 16;

QApplication& App()
{
    static int argc = 1;
    static char name[] = "bench_qt_sortgrid";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

// A game-list-like store: names, ratings, dates, results and filler texts.
TGridCells MakeCells()
{
    std::mt19937 rng(12345);
    static const char* const kNames[] = {"Kovacs", "adams",  "Berg",   "Zoltan",
                                         "Novak",  "Ivanov", "Smith",  "Larsen",
                                         "Petrov", "Horvat", "Muller", "Garcia"};
    TGridCells cells(kCols, kRows + 1);
    for (int c = 0; c < kCols; ++c)
        cells.SetCell(c, 0, std::string("Col").append(std::to_string(c)));
    for (int r = 1; r <= kRows; ++r) {
        cells.SetCell(0, r, std::to_string(r));
        std::string name = kNames[rng() % 12];
        name.append(", ");
        name.push_back(static_cast<char>('A' + rng() % 26));
        name.push_back('.');
        cells.SetCell(1, r, name);
        cells.SetCell(2, r, std::to_string(1800 + rng() % 900));
        for (int c = 3; c < kCols; ++c)
            cells.SetCell(c, r, std::string(1, 't').append(std::to_string(rng() % 1000)));
    }
    return cells;
}

void SortBy(benchmark::State& state, int col)
{
    App();
    auto grid = std::make_unique<TSortGrid>();
    grid->SetColCount(kCols);
    grid->SetRowCount(kRows + 1);
    grid->SetFixedCols(0);
    const TGridCells source = MakeCells();
    for (auto _ : state) {
        state.PauseTiming();
        grid->CellStore() = source;
        state.ResumeTiming();
        grid->SortByColumn(col, TSortOptions{});
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

// Filling a shown grid cell by cell, as the game-list indexer does.
void BM_FillShownGrid(benchmark::State& state)
{
    App();
    const TGridCells source = MakeCells();
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = std::make_unique<TSortGrid>();
        grid->resize(800, 600);
        grid->show();
        grid->SetColCount(kCols);
        grid->SetFixedCols(0);
        state.ResumeTiming();
        grid->SetRowCount(kRows + 1);
        for (int r = 0; r <= kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                grid->SetCells(c, r, std::string(source.Cell(c, r)));
    }
}

void BM_SortTextColumn(benchmark::State& state)
{
    SortBy(state, 1);
}
void BM_SortNumericColumn(benchmark::State& state)
{
    SortBy(state, 2);
}

BENCHMARK(BM_FillShownGrid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortTextColumn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortNumericColumn)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
