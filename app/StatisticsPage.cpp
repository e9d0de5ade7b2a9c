#include "app/StatisticsPage.h"

#include "platform/AlignLayout.h"
#include "platform/StringGrid.h"
#include "platform/WaitCursor.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QFontMetrics>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

constexpr const char* YearHint = "Yearly distribution of the games in the opened database. "
                                 "H. axis: years; V. axis: number of games (1-0, 0-1, 1/2)";
constexpr const char* MovesHint = "Game length statistics of the opened database. "
                                  "H. axis: move length interval; V. axis: number of games "
                                  "(1-0, 0-1, 1/2)";

// The step of an axis over span with at most steps steps: 1, 2, 5, 10, 20, 50 ...
double LabelStep(double span, int steps)
{
    double base = 1;
    for (; base < 1e15; base *= 10)
        for (const double m : {1.0, 2.0, 5.0})
            if (span / (m * base) <= steps) return m * base;
    return base;
}

// How many steps a vertical axis has room for: about ten, fewer where the
// chart is too low to show every label whole (one line and its padding).
int AxisSteps(const QChart* chart, const QAbstractAxis* axis)
{
    const int line = QFontMetrics(axis->labelsFont()).height() + 8;
    const int labels = static_cast<int>(chart->plotArea().height()) / line;
    return std::clamp(labels - 1, 1, 10);
}

QBarSet* NewSet(const char* title, TColor color)
{
    auto* set = new QBarSet(title);
    set->setColor(ToQColor(color));
    set->setBorderColor(ToQColor(color).darker(160));
    return set;
}

// A chart on its own tab page, inside a holder so that it can be hidden
// without disturbing the tab widget's pages.
QChartView* AddChartTab(QTabWidget* tabs, const char* name, const char* tab, QChart* chart)
{
    auto* holder = new QWidget;
    auto* view = new QChartView(chart, holder);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    auto* layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    tabs->addTab(holder, tab);
    return view;
}

// The count axis of a result chart: whole numbers from 0 over the highest
// bar, a step of at least one game.
void FitCountAxis(QChart* chart)
{
    qreal top = 1;
    for (QAbstractSeries* series : chart->series())
        if (auto* bars = qobject_cast<QBarSeries*>(series))
            for (const QBarSet* set : bars->barSets())
                for (int i = 0; i < set->count(); ++i)
                    top = std::max(top, set->at(i));
    auto* y = qobject_cast<QValueAxis*>(chart->axes(Qt::Vertical).value(0));
    if (!y) return;
    const auto step = static_cast<int>(LabelStep(top, AxisSteps(chart, y)));
    const int ticks = std::max(1, (static_cast<int>(top) + step - 1) / step);
    y->setRange(0, ticks * step);
    y->setTickCount(ticks + 1);
}

// A chart of three result series side by side over category labels.
QChart* ResultChart(QBarSet* win, QBarSet* loss, QBarSet* draw, bool turnLabels)
{
    auto* series = new QBarSeries;
    series->append(win);
    series->append(loss);
    series->append(draw);
    series->setBarWidth(0.75);
    auto* chart = new QChart;
    chart->addSeries(series);
    auto* x = new QBarCategoryAxis;
    if (turnLabels) {
        x->setLabelsAngle(-90);
        x->setTruncateLabels(false);
    }
    chart->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);
    auto* y = new QValueAxis;
    y->setLabelFormat("%d");
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
    chart->legend()->setAlignment(Qt::AlignRight);
    QObject::connect(chart, &QChart::plotAreaChanged, chart, [chart] { FitCountAxis(chart); });
    return chart;
}

template <typename Axis>
Axis* AxisOf(QChartView* view, Qt::Orientation orientation)
{
    const QList<QAbstractAxis*> axes = view->chart()->axes(orientation);
    return axes.isEmpty() ? nullptr : qobject_cast<Axis*>(axes.first());
}

void ReplaceValues(QBarSet* set, const QList<qreal>& values)
{
    set->deselectAllBars();
    set->remove(0, set->count());
    set->append(values);
}

QList<qreal> Values(const std::vector<int>& counts)
{
    QList<qreal> values;
    values.reserve(static_cast<qsizetype>(counts.size()));
    for (const int c : counts)
        values.append(c);
    return values;
}

void FillResultChart(QChartView* view, const ResultBarChart& data,
                     const std::array<QBarSet*, 3>& sets)
{
    auto* x = AxisOf<QBarCategoryAxis>(view, Qt::Horizontal);
    x->clear();
    QStringList labels;
    for (const std::string& label : data.Labels)
        labels.append(QString::fromStdString(label));
    x->append(labels);
    for (std::size_t s = 0; s < sets.size(); ++s)
        ReplaceValues(sets[s], Values(data.Series[s]));
    FitCountAxis(view->chart());
}

// Labels of the opening chart's axis: the value each position stands for
// (position + 50), every step, between minimum and maximum.
void LabelOpeningAxis(QCategoryAxis* axis, double minimum, double maximum, int steps)
{
    const double step = LabelStep(maximum - minimum, steps);
    if (axis->min() == minimum - 50 && axis->max() == maximum - 50 &&
        axis->property("step").toDouble() == step)
        return;
    axis->setProperty("step", step);
    for (const QString& label : axis->categoriesLabels())
        axis->remove(label);
    axis->setRange(minimum - 50, maximum - 50);
    axis->setStartValue(minimum - 50);
    for (double v = std::ceil(minimum / step) * step; v <= maximum; v += step)
        axis->append(QString::number(static_cast<int>(std::lround(v))), v - 50);
}

} // namespace

TStatisticsPage::TStatisticsPage(QWidget* sheet) : QWidget(sheet)
{
    setObjectName("StatisticsPage");
    setToolTip("Statistics of the opened database");
    PageControl2 = new QTabWidget(this);
    PageControl2->setObjectName("PageControl2");
    PageControl2->setTabPosition(QTabWidget::South);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(PageControl2);

    Series1 = NewSet("1-0", WinColor);
    Series3 = NewSet("0-1", LossColor);
    Series2 = NewSet("1/2", DrawColor);
    YearChart = AddChartTab(PageControl2, "YearChart", "Years",
                            ResultChart(Series1, Series3, Series2, true));
    YearChart->setToolTip(YearHint);

    BarSeries1 = NewSet("1-0", WinColor);
    BarSeries2 = NewSet("0-1", LossColor);
    BarSeries3 = NewSet("1/2", DrawColor);
    MovesChart = AddChartTab(PageControl2, "MovesChart", "Moves",
                             ResultChart(BarSeries1, BarSeries2, BarSeries3, false));
    MovesChart->setToolTip(MovesHint);

    BarSeries5 = NewSet("Result1", OpeningColor);
    BarSeries5->setSelectedColor(ToQColor(LossColor));
    auto* series = new QBarSeries;
    series->append(BarSeries5);
    series->setBarWidth(0.8);
    auto* chart = new QChart;
    chart->addSeries(series);
    auto* x = new QBarCategoryAxis;
    chart->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);
    auto* y = new QCategoryAxis;
    y->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
    chart->legend()->hide();
    LabelOpeningAxis(y, 49, 51, 10);
    QObject::connect(chart, &QChart::plotAreaChanged, chart, [chart, y] {
        LabelOpeningAxis(y, y->min() + 50, y->max() + 50, AxisSteps(chart, y));
    });
    OpChart = AddChartTab(PageControl2, "OpChart", "Openings", chart);

    SetAlign(this, TAlign::alClient);
}

void TStatisticsPage::Rebuild(const GameStatistics& stats)
{
    WaitCursor wait;
    for (QChartView* view : {YearChart, MovesChart, OpChart})
        view->hide();

    FillResultChart(YearChart, YearChartData(stats), {Series1, Series3, Series2});
    FillResultChart(MovesChart, MovesChartData(stats), {BarSeries1, BarSeries2, BarSeries3});

    const OpeningChart opening = OpeningChartData(stats);
    QStringList labels;
    QList<qreal> values;
    QList<int> below;
    for (const OpeningBar& bar : opening.Bars) {
        if (bar.Value < 50) below.append(static_cast<int>(values.size()));
        labels.append(QString::fromStdString(bar.Label));
        values.append(bar.Value - 50);
    }
    auto* x = AxisOf<QBarCategoryAxis>(OpChart, Qt::Horizontal);
    x->clear();
    x->append(labels);
    ReplaceValues(BarSeries5, values);
    BarSeries5->selectBars(below);
    auto* y = AxisOf<QCategoryAxis>(OpChart, Qt::Vertical);
    LabelOpeningAxis(y, opening.Minimum, opening.Maximum, AxisSteps(OpChart->chart(), y));

    for (QChartView* view : {OpChart, YearChart, MovesChart})
        view->show();
}

double TStatisticsPage::OpAxisMinimum() const
{
    return AxisOf<QCategoryAxis>(OpChart, Qt::Vertical)->min() + 50;
}

double TStatisticsPage::OpAxisMaximum() const
{
    return AxisOf<QCategoryAxis>(OpChart, Qt::Vertical)->max() + 50;
}

void TStatisticsPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous() && OnShow) OnShow();
}

GameStatistics GameListStatistics(const TStringGrid& list)
{
    return ComputeGameStatistics(
        {list.RowCount(), [&list](int col, int row) { return list.Cells(col, row); }});
}
