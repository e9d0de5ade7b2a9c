// The statistics page's charts: values, labels, colours and axes.
#include "tests/support/TestShots.h"

#include "app/StatisticsPage.h"
#include "database/ByteSource.h"
#include "database/GameIndex.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QFile>
#include <QTabWidget>
#include <QValueAxis>

#include <gtest/gtest.h>

namespace {

GameStatistics StatisticsOf(const std::vector<GameRow>& games)
{
    std::vector<GameRow> rows(1);
    rows.insert(rows.end(), games.begin(), games.end());
    return ComputeGameStatistics(
        {static_cast<int>(rows.size()), [&rows](int col, int row) -> const std::string& {
             return rows[static_cast<std::size_t>(row)][col];
         }});
}

GameRow Game(const char* date, const char* result, const char* moves, const char* eco,
             const char* white = "", const char* black = "")
{
    GameRow row;
    row[DateColumn] = date;
    row[ResultColumn] = result;
    row[MoveCountColumn] = moves;
    row[EcoColumn] = eco;
    row[WhiteEloColumn] = white;
    row[BlackEloColumn] = black;
    return row;
}

QStringList Categories(QChartView* view)
{
    return qobject_cast<QBarCategoryAxis*>(view->chart()->axes(Qt::Horizontal).first())
        ->categories();
}

TEST(StatisticsPage, FillsTheThreeCharts)
{
    QWidget sheet;
    TStatisticsPage page(&sheet);
    // A0: one unrated draw, exactly 50. B0: a draw where White is rated one
    // point higher, just below 50. C0: a loss, 0.
    page.Rebuild(StatisticsOf({
        Game("1971.01.01", "1/2", "40", "A00"),
        Game("1972", "1/2", "12", "B01", "2001", "2000"),
        Game("1972", "0-1", "12", "C02"),
        Game("1972", "1-0", "27", ""),
    }));

    EXPECT_EQ(Categories(page.YearChart), (QStringList{"older", "1971", "1972"}));
    EXPECT_EQ(page.Series1->count(), 3);
    EXPECT_EQ(page.Series1->at(2), 1); // 1-0 in 1972
    EXPECT_EQ(page.Series3->at(2), 1); // 0-1 in 1972
    EXPECT_EQ(page.Series2->at(1), 1); // 1/2 in 1971
    EXPECT_EQ(page.Series1->color(), QColor(252, 255, 111));
    EXPECT_EQ(page.Series3->color(), QColor(122, 67, 5));
    EXPECT_EQ(page.Series2->color(), QColor(255, 143, 32));
    EXPECT_EQ(page.Series1->label(), "1-0");
    EXPECT_EQ(page.Series3->label(), "0-1");
    EXPECT_EQ(page.Series2->label(), "1/2");
    EXPECT_EQ(page.YearChart->chart()->axes(Qt::Horizontal).first()->labelsAngle(), -90);
    EXPECT_EQ(page.MovesChart->chart()->axes(Qt::Horizontal).first()->labelsAngle(), 0);

    EXPECT_EQ(Categories(page.MovesChart),
              (QStringList{"10-", "15-", "20-", "25-", "30-", "35-", "40-"}));
    EXPECT_EQ(page.BarSeries1->at(3), 1);
    EXPECT_EQ(page.BarSeries2->at(0), 1);
    EXPECT_EQ(page.BarSeries3->at(0), 1);
    EXPECT_EQ(page.BarSeries3->at(6), 1);

    // Openings: all 49.96, A0 50, B0 49.86, C0 0; below 50 in the 0-1 colour.
    EXPECT_EQ(Categories(page.OpChart), (QStringList{"all", "A0", "B0", "C0"}));
    ASSERT_EQ(page.BarSeries5->count(), 4);
    EXPECT_NEAR(page.BarSeries5->at(1), 0, 1e-9);
    EXPECT_NEAR(page.BarSeries5->at(2), 100 / (1 + std::pow(10, 0.0025)) - 50, 1e-4);
    EXPECT_NEAR(page.BarSeries5->at(3), -50, 1e-9);
    EXPECT_TRUE(page.BarSeries5->isBarSelected(0));
    EXPECT_FALSE(page.BarSeries5->isBarSelected(1));
    EXPECT_TRUE(page.BarSeries5->isBarSelected(2));
    EXPECT_TRUE(page.BarSeries5->isBarSelected(3));
    EXPECT_EQ(page.BarSeries5->color(), QColor(253, 207, 102));
    EXPECT_EQ(page.BarSeries5->selectedColor(), QColor(122, 67, 5));
    EXPECT_FALSE(page.OpChart->chart()->legend()->isVisible());
    EXPECT_NEAR(page.OpAxisMaximum(), 101, 1e-9);
    EXPECT_NEAR(page.OpAxisMinimum(), -1, 1e-9);

    // Rebuilt from nothing: every bar is replaced, none is left selected.
    page.Rebuild(StatisticsOf({}));
    EXPECT_EQ(page.Series1->count(), 80);
    EXPECT_EQ(page.BarSeries1->count(), 21);
    EXPECT_EQ(page.BarSeries5->count(), 0);
    EXPECT_NEAR(page.OpAxisMaximum(), 51, 1e-9);
    EXPECT_NEAR(page.OpAxisMinimum(), 49, 1e-9);
}

TEST(StatisticsPage, ShowingTheSheetRuns)
{
    QWidget sheet;
    TStatisticsPage page(&sheet);
    int shown = 0;
    page.OnShow = [&shown] { ++shown; };
    sheet.show();
    EXPECT_EQ(shown, 1);
    sheet.hide();
    sheet.show();
    EXPECT_EQ(shown, 2);
}

int PixelsOf(const QImage& image, TColor colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += ColorOfPixel(image.pixel(x, y)) == colour;
    return n;
}

TEST(StatisticsPage, EachTabShowsTheBarsOfTheSampleDatabase)
{
    QFile file(VELMORA_SAMPLES "/velmora-sample.pgn");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const IndexResult index =
        IndexPgn(MemoryByteSource(std::string_view(bytes.constData(), bytes.size())));
    ASSERT_FALSE(index.Rows.empty());

    QWidget sheet;
    sheet.resize(900, 420);
    TStatisticsPage page(&sheet);
    page.Rebuild(StatisticsOf(index.Rows));
    sheet.show();
    const char* names[] = {"stat-years", "stat-moves", "stat-openings"};
    for (int tab = 0; tab < 3; ++tab) {
        SCOPED_TRACE(names[tab]);
        page.PageControl2->setCurrentIndex(tab);
        const QImage shot = sheet.grab().toImage();
        KeepShot(shot, QString::fromLatin1(names[tab]) + ".png");
        // Bars, not just the legend's swatches: the results' colours on the
        // first two tabs, the openings' on the third.
        const int results = PixelsOf(shot, WinColor) + PixelsOf(shot, DrawColor);
        const int openings = PixelsOf(shot, OpeningColor);
        if (tab < 2) {
            EXPECT_GT(results, 2000);
            EXPECT_EQ(openings, 0);
        } else {
            EXPECT_EQ(results, 0);
            EXPECT_GT(openings, 2000);
        }
    }
}

} // namespace
