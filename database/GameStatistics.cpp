#include "database/GameStatistics.h"

#include "database/GameRow.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

int ResultClass(std::string_view result)
{
    if (result == "1-0") return 0;
    if (result == "1/2") return 1;
    if (result == "0-1") return 2;
    return 3;
}

// -1 for a year after 2045.
int YearBin(std::int32_t year)
{
    if (year < 1900) return 0;
    if (year < 1950) return 1;
    if (year < 1960) return 2;
    if (year < 1970) return 3;
    return year <= 2045 ? year - 1966 : -1;
}

// A negative count in the file reads as none.
int LengthBin(std::int32_t moves)
{
    return std::min(std::max(moves, 0) / 5, LengthBins - 1);
}

// 0 for a code outside A0..E9.
int OpeningGroup(std::string_view eco)
{
    if (eco.size() < 2 || eco[0] < 'A' || eco[0] > 'E' || eco[1] < '0' || eco[1] > '9') return 0;
    return 10 * (eco[0] - 'A') + (eco[1] - '0') + 1;
}

struct Score {
    double S;
    double W;
};

// White's score in percent, above or below his expected score when both
// players are rated, weighted up when the average rating is above 2200.
// Ratings are 64-bit here so that absurd cells cannot overflow.
Score GameScore(int resultClass, std::int64_t white, std::int64_t black)
{
    Score score{resultClass == 0 ? 100.0 : resultClass == 1 ? 50.0 : 0.0, 1.0};
    if (white != 0 && black != 0) {
        score.S +=
            100.0 / (1.0 + std::pow(10.0, static_cast<double>(white - black) * 0.0025)) - 50.0;
        const std::int64_t average = (white + black) / 2;
        if (average > 2200) {
            score.W = static_cast<double>(average - 2072) / 120.0;
            score.S *= score.W;
        }
    }
    return score;
}

void AddScore(GameStatistics& stats, int group, const Score& score)
{
    stats.ScoreSum[group] = static_cast<float>(stats.ScoreSum[group] + score.S);
    stats.WeightSum[group] = static_cast<float>(stats.WeightSum[group] + score.W);
}

bool Decided(const ClassCounts& counts)
{
    return counts[0] != 0 || counts[1] != 0 || counts[2] != 0;
}

// The first and last bin of [from, to] with a decided game; [from, to] when none has.
template <std::size_t N>
std::pair<int, int> DecidedRange(const std::array<ClassCounts, N>& bins, int from, int to)
{
    int first = -1;
    int last = -1;
    for (int b = from; b <= to; ++b) {
        if (!Decided(bins[static_cast<std::size_t>(b)])) continue;
        if (first < 0) first = b;
        last = b;
    }
    return first < 0 ? std::pair{from, to} : std::pair{first, last};
}

void AddBar(ResultBarChart& chart, const ClassCounts& counts, std::string label)
{
    chart.Labels.push_back(std::move(label));
    chart.Series[0].push_back(counts[0]);
    chart.Series[1].push_back(counts[2]);
    chart.Series[2].push_back(counts[1]);
}

std::string YearLabel(int bin)
{
    switch (bin) {
    case 0:
        return "older";
    case 1:
        return "1900-";
    case 2:
        return "1950-";
    case 3:
        return "1960-";
    default:
        return std::to_string(bin + 1966);
    }
}

} // namespace

std::int32_t CellInteger(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::int64_t value = 0;
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min(value * 10 + (text[i] - '0'), limit);
    value = negative ? -value : value;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

GameStatistics ComputeGameStatistics(const GameListCells& list)
{
    GameStatistics stats;
    for (int row = 1; row < list.RowCount; ++row) {
        const std::int32_t year = CellInteger(list.Cell(DateColumn, row).substr(0, 4));
        const int resultClass = ResultClass(list.Cell(ResultColumn, row));
        const std::int32_t moves = CellInteger(list.Cell(MoveCountColumn, row));
        const std::string_view eco = list.Cell(EcoColumn, row);
        if (resultClass < 3) {
            const Score score = GameScore(resultClass, CellInteger(list.Cell(WhiteEloColumn, row)),
                                          CellInteger(list.Cell(BlackEloColumn, row)));
            AddScore(stats, 0, score);
            if (const int group = OpeningGroup(eco); group != 0) {
                AddScore(stats, group, score);
                stats.GroupLabel[group] = std::string(eco.substr(0, 2));
            }
        }
        if (const int bin = YearBin(year); bin >= 0) ++stats.Years[bin][resultClass];
        ++stats.Lengths[LengthBin(moves)][resultClass];
    }
    return stats;
}

ResultBarChart YearChartData(const GameStatistics& stats)
{
    ResultBarChart chart;
    AddBar(chart, stats.Years[0], YearLabel(0));
    const auto [first, last] = DecidedRange(stats.Years, 1, YearBins - 1);
    for (int b = first; b <= last; ++b)
        AddBar(chart, stats.Years[b], YearLabel(b));
    return chart;
}

ResultBarChart MovesChartData(const GameStatistics& stats)
{
    ResultBarChart chart;
    const auto [first, last] = DecidedRange(stats.Lengths, 0, LengthBins - 1);
    for (int b = first; b <= last; ++b)
        AddBar(chart, stats.Lengths[b], std::to_string(5 * b) + "-");
    return chart;
}

OpeningChart OpeningChartData(const GameStatistics& stats)
{
    OpeningChart chart;
    double deviation = 0;
    for (int g = 0; g < OpeningGroups; ++g) {
        if (stats.WeightSum[g] == 0) continue;
        const double value = static_cast<double>(stats.ScoreSum[g]) / stats.WeightSum[g];
        deviation = std::max(deviation, std::fabs(50 - value));
        chart.Bars.push_back({g == 0 ? "all" : stats.GroupLabel[g], value});
    }
    chart.Maximum = 51 + deviation;
    chart.Minimum = 49 - deviation;
    return chart;
}
