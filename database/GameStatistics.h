// Statistics of the open database, computed from the game list's cells:
// games by year and by length, each split by result, and White's score per
// group of opening codes corrected for the players' ratings.
//
// Result class of a game (its "Res." cell): "1-0" 0, "1/2" 1, "0-1" 2,
// anything else 3 (counted, but shown in no chart).
// Year bins (80): 0 "older" (below 1900, or no date), 1 "1900-" (1900-1949),
// 2 "1950-", 3 "1960-", then one bin a year for 1970-2045 (bin = year - 1966);
// later years are not counted.
// Length bins (21): moves / 5, at most 20.
// Opening groups (51): 0 all games, 10 x (letter - 'A') + digit + 1 for a
// code "A0".."E9"; each sums a score and a weight as 32-bit floats.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr int ResultClasses = 4;
inline constexpr int YearBins = 80;
inline constexpr int LengthBins = 21;
inline constexpr int OpeningGroups = 51;

using ClassCounts = std::array<int, ResultClasses>;

struct GameStatistics {
    std::array<ClassCounts, YearBins> Years{};
    std::array<ClassCounts, LengthBins> Lengths{};
    std::array<float, OpeningGroups> ScoreSum{};
    std::array<float, OpeningGroups> WeightSum{};
    std::array<std::string, OpeningGroups> GroupLabel{};
};

// The game list as the statistics read it: rows 1 .. RowCount - 1 and the
// text of a cell by (column, row), columns numbered as in database/GameRow.h.
struct GameListCells {
    int RowCount = 0;
    std::function<std::string_view(int col, int row)> Cell;
};

GameStatistics ComputeGameStatistics(const GameListCells& list);

// The value a chart reads from a cell: the leading integer (blanks and a sign
// allowed), 0 when there is none; clamped to the 32-bit range.
std::int32_t CellInteger(std::string_view text);

// One bar chart split by result. Series 0 holds the "1-0" counts, series 1
// the "0-1" counts and series 2 the "1/2" counts; Labels holds one category
// label per bar group.
struct ResultBarChart {
    std::vector<std::string> Labels;
    std::array<std::vector<int>, 3> Series;
};

// Bin 0 ("older") and then the bins from the first to the last year with a
// decided game (1900- to 2045 when there is none).
ResultBarChart YearChartData(const GameStatistics& stats);
// The length bins from the first to the last with a decided game ("0-" to
// "100-" when there is none).
ResultBarChart MovesChartData(const GameStatistics& stats);

struct OpeningBar {
    std::string Label; // "all" or the code's letter and digit
    double Value = 0;  // White's corrected score in percent
};

// One bar per group with games, "all" first; the left axis runs from
// Minimum to Maximum, centred on 50.
struct OpeningChart {
    std::vector<OpeningBar> Bars;
    double Minimum = 49;
    double Maximum = 51;
};
OpeningChart OpeningChartData(const GameStatistics& stats);
