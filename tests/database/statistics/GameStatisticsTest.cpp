// Statistics of a small database, against numbers worked out by hand.
#include "database/GameStatistics.h"
#include "database/GameRow.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

namespace {

struct Game {
    const char* Date;
    const char* Result;
    const char* Moves;
    const char* Eco;
    const char* WhiteElo;
    const char* BlackElo;
};

GameStatistics Compute(const std::vector<Game>& games)
{
    std::vector<GameRow> rows(games.size() + 1); // row 0 is the title row
    for (std::size_t i = 0; i < games.size(); ++i) {
        GameRow& row = rows[i + 1];
        row[DateColumn] = games[i].Date;
        row[ResultColumn] = games[i].Result;
        row[MoveCountColumn] = games[i].Moves;
        row[EcoColumn] = games[i].Eco;
        row[WhiteEloColumn] = games[i].WhiteElo;
        row[BlackEloColumn] = games[i].BlackElo;
    }
    return ComputeGameStatistics(
        {static_cast<int>(rows.size()), [&rows](int col, int row) -> const std::string& {
             return rows[static_cast<std::size_t>(row)][col];
         }});
}

// Scores (s, weight):
//  1: 1-0 at 2400-2400: 100 + 100 / (1 + 10^0) - 50 = 100; average 2400, so
//     weight (2400 - 2072) / 120 = 2.7333 and s = 273.33. Group B1.
//  2: 1/2 unrated: 50, 1. Group 0 only (no code).
//  3: 0-1 unrated: 0, 1. "a0" is no code: group 0 only.
//  4: 1-0 at 2000-2200: 100 + 100 / (1 + 10^-0.5) - 50 = 125.97; average
//     2100, weight 1. "F1" is no code: group 0 only.
//  5: 1-0 at 2600-2500: 100 + 100 / (1 + 10^0.25) - 50 = 85.99; average
//     2550, weight 478 / 120 = 3.9833, s = 342.54. Group E9.
//  6: 0-1 with one rating: 0, 1. Group A0.
//  7: "*": no score.
const std::vector<Game> Database = {
    {"1965.03.01", "1-0", "42", "B12", "2400", "2400"},
    {"", "1/2", "", "", "", ""},
    {"2050.01.01", "0-1", "100", "a0", "", ""},
    {"2001.??.??", "1-0", "7", "F1", "2000", "2200"},
    {"1975", "1-0", "61", "E97", "2600", "2500"},
    {"1949.??.??", "0-1", "33", "A05", "2100", ""},
    {"1999.12.31", "*", "17", "C00", "2500", "2500"},
};

TEST(GameStatistics, BinsAndOpeningSums)
{
    const GameStatistics s = Compute(Database);
    const std::vector<std::pair<int, ClassCounts>> years = {
        {0, {0, 1, 0, 0}},  // no date
        {1, {0, 0, 1, 0}},  // 1949
        {3, {1, 0, 0, 0}},  // 1965
        {9, {1, 0, 0, 0}},  // 1975
        {33, {0, 0, 0, 1}}, // 1999, "*"
        {35, {1, 0, 0, 0}}, // 2001; 2050 counts nowhere
    };
    int counted = 0;
    for (const auto& [bin, counts] : years) {
        EXPECT_EQ(s.Years[bin], counts) << "year bin " << bin;
        counted += counts[0] + counts[1] + counts[2] + counts[3];
    }
    for (const ClassCounts& c : s.Years)
        counted -= c[0] + c[1] + c[2] + c[3];
    EXPECT_EQ(counted, 0);

    EXPECT_EQ(s.Lengths[0], (ClassCounts{0, 1, 0, 0}));
    EXPECT_EQ(s.Lengths[1], (ClassCounts{1, 0, 0, 0}));
    EXPECT_EQ(s.Lengths[3], (ClassCounts{0, 0, 0, 1}));
    EXPECT_EQ(s.Lengths[6], (ClassCounts{0, 0, 1, 0}));
    EXPECT_EQ(s.Lengths[8], (ClassCounts{1, 0, 0, 0}));
    EXPECT_EQ(s.Lengths[12], (ClassCounts{1, 0, 0, 0}));
    EXPECT_EQ(s.Lengths[20], (ClassCounts{0, 0, 1, 0}));

    const struct {
        int Group;
        double Score;
        double Weight;
        const char* Label;
    } groups[] = {
        {0, 791.849, 10.7167, ""},
        {1, 0, 1, "A0"},
        {12, 273.333, 2.73333, "B1"},
        {50, 342.541, 3.98333, "E9"},
    };
    float weights = 0;
    for (const auto& g : groups) {
        SCOPED_TRACE(g.Group);
        EXPECT_NEAR(s.ScoreSum[g.Group], g.Score, 1e-3);
        EXPECT_NEAR(s.WeightSum[g.Group], g.Weight, 1e-4);
        EXPECT_EQ(s.GroupLabel[g.Group], g.Label);
        weights += s.WeightSum[g.Group];
    }
    for (const float w : s.WeightSum)
        weights -= w;
    EXPECT_NEAR(weights, 0, 1e-4); // no other group holds games
}

TEST(GameStatistics, ChartData)
{
    const GameStatistics s = Compute(Database);
    const ResultBarChart years = YearChartData(s);
    // "older", then 1900- (first decided) to 2001 (last decided).
    ASSERT_EQ(years.Labels.size(), 36u);
    EXPECT_EQ(years.Labels[0], "older");
    EXPECT_EQ(years.Labels[1], "1900-");
    EXPECT_EQ(years.Labels[3], "1960-");
    EXPECT_EQ(years.Labels[4], "1970");
    EXPECT_EQ(years.Labels.back(), "2001");
    // Series 0 "1-0", series 1 "0-1", series 2 "1/2".
    EXPECT_EQ(years.Series[2][0], 1);
    EXPECT_EQ(years.Series[1][1], 1);
    EXPECT_EQ(years.Series[0][3], 1);
    EXPECT_EQ(years.Series[0][9], 1);
    EXPECT_EQ(years.Series[0][33], 0); // "*" is shown in no series

    const ResultBarChart moves = MovesChartData(s);
    ASSERT_EQ(moves.Labels.size(), 21u);
    EXPECT_EQ(moves.Labels[0], "0-");
    EXPECT_EQ(moves.Labels[20], "100-");
    EXPECT_EQ(moves.Series[1][20], 1);

    const OpeningChart opening = OpeningChartData(s);
    ASSERT_EQ(opening.Bars.size(), 4u);
    const char* labels[] = {"all", "A0", "B1", "E9"};
    const double values[] = {73.8895, 0, 100, 85.9935};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(opening.Bars[i].Label, labels[i]);
        EXPECT_NEAR(opening.Bars[i].Value, values[i], 1e-3);
    }
    // The largest distance from 50 is 50 (A0 and B1).
    EXPECT_NEAR(opening.Maximum, 101, 1e-4);
    EXPECT_NEAR(opening.Minimum, -1, 1e-4);
}

TEST(GameStatistics, TrimmedRanges)
{
    // Dateless games: "older", then every bin from 1900- to 2045.
    const ResultBarChart dateless = YearChartData(Compute({{"", "1-0", "12", "", "", ""}}));
    ASSERT_EQ(dateless.Labels.size(), 80u);
    EXPECT_EQ(dateless.Labels.back(), "2045");

    // Lengths trimmed to the decided games; undecided ones do not widen it.
    const ResultBarChart moves = MovesChartData(Compute({{"", "1-0", "23", "", "", ""},
                                                         {"", "0-1", "31", "", "", ""},
                                                         {"", "*", "90", "", "", ""}}));
    EXPECT_EQ(moves.Labels, (std::vector<std::string>{"20-", "25-", "30-"}));

    // An empty list: the full ranges, no opening bar, the axis 49 to 51.
    const GameStatistics empty = Compute({});
    EXPECT_EQ(YearChartData(empty).Labels.size(), 80u);
    EXPECT_EQ(MovesChartData(empty).Labels.size(), 21u);
    const OpeningChart none = OpeningChartData(empty);
    EXPECT_TRUE(none.Bars.empty());
    EXPECT_EQ(none.Minimum, 49);
    EXPECT_EQ(none.Maximum, 51);
}

TEST(GameStatistics, CellIntegers)
{
    const struct {
        const char* Text;
        std::int32_t Value;
    } cases[] = {
        {"", 0},
        {"abc", 0},
        {"  42", 42},
        {"-7", -7},
        {"+3", 3},
        {"12.03", 12},
        {"2400 ", 2400},
        {"- 5", 0},
        {"99999999999", INT32_MAX},
        {"-99999999999", INT32_MIN},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CellInteger(c.Text), c.Value) << c.Text;

    // Absurd cells stay in range: no negative bin, finite sums.
    const GameStatistics s = Compute({{"-9999999999", "1-0", "-40", "A00", "99999999999", "1"}});
    EXPECT_EQ(s.Years[0][0], 1);
    EXPECT_EQ(s.Lengths[0][0], 1);
    EXPECT_TRUE(std::isfinite(s.ScoreSum[0]) && std::isfinite(s.WeightSum[0]));
}

} // namespace
