// The statistics page: three bar charts on tabs at the bottom (PageControl2:
// "Years", "Moves", "Openings"), filled from database/GameStatistics.
//
// YearChart and MovesChart show the games of each bin side by side as
// "1-0", "0-1" and "1/2" bars; OpChart shows White's corrected score per
// opening group as bars that grow up or down from 50, those below 50 in the
// colour of the "0-1" bars. The page is placed over the whole of its sheet.
#pragma once

#include "database/GameStatistics.h"
#include "platform/Types.h"

#include <QWidget>

#include <functional>

class QBarSeries;
class QBarSet;
class QChartView;
class QTabWidget;
class TStringGrid;

// Colours of the series.
inline constexpr TColor WinColor = 0x6FFFFC;     // RGB 252,255,111 "1-0"
inline constexpr TColor LossColor = 0x05437A;    // RGB 122,67,5 "0-1"
inline constexpr TColor DrawColor = 0x208FFF;    // RGB 255,143,32 "1/2"
inline constexpr TColor OpeningColor = 0x66CFFD; // RGB 253,207,102

class TStatisticsPage : public QWidget {
public:
    explicit TStatisticsPage(QWidget* sheet);

    QTabWidget* PageControl2;
    QChartView* YearChart;
    QChartView* MovesChart;
    QChartView* OpChart;
    // YearChart's series "1-0", "0-1", "1/2".
    QBarSet* Series1;
    QBarSet* Series3;
    QBarSet* Series2;
    // MovesChart's series "1-0", "0-1", "1/2".
    QBarSet* BarSeries1;
    QBarSet* BarSeries2;
    QBarSet* BarSeries3;
    // OpChart's series; a bar's value is its score minus 50 (the axis is
    // labelled as if its origin were 50), bars below 50 are selected.
    QBarSet* BarSeries5;

    // Runs when the sheet is shown by the program or the user (not when the
    // window system shows it again).
    std::function<void()> OnShow;

    // Fills the three charts afresh.
    void Rebuild(const GameStatistics& stats);

    // The left axis range of OpChart.
    double OpAxisMinimum() const;
    double OpAxisMaximum() const;

protected:
    void showEvent(QShowEvent* event) override;
};

// The statistics of the game list (rows 1 .. RowCount - 1).
GameStatistics GameListStatistics(const TStringGrid& list);
