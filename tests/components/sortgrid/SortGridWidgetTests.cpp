// The sortable grid as a widget on the offscreen platform: header clicks,
// current row, undo, footer, glyph and scroll-page drawing.
#include "components/SortGrid.h"
#include "tests/support/TestShots.h"

#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

TFormatSettings Fixed()
{
    TFormatSettings fs;
    fs.CollationLocale = QLocale(QLocale::English, QLocale::UnitedStates);
    return fs;
}

// A grid like the game list: a title row, no fixed column, rows selected whole.
std::unique_ptr<TSortGrid> MakeGrid(const std::vector<std::vector<std::string>>& rows)
{
    auto g = std::make_unique<TSortGrid>();
    g->FormatSettings = Fixed();
    g->SetColCount(static_cast<int>(rows[0].size()));
    g->SetRowCount(static_cast<int>(rows.size()));
    g->SetFixedCols(0);
    g->SetOptions({TGridOption::goFixedVertLine, TGridOption::goFixedHorzLine,
                   TGridOption::goVertLine, TGridOption::goHorzLine, TGridOption::goColSizing,
                   TGridOption::goRowSelect, TGridOption::goThumbTracking});
    g->SetTabStop(false);
    g->SetGridLineWidth(0);
    g->SetDefaultRowHeight(19);
    g->SetDefaultColWidth(80);
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            g->SetCells(static_cast<int>(c), static_cast<int>(r), rows[r][c]);
    g->resize(400, 300);
    g->show();
    QApplication::processEvents();
    return g;
}

std::vector<std::string> Column(const TSortGrid& g, int col)
{
    std::vector<std::string> out;
    for (int r = g.FixedRows(); r < g.RowCount(); ++r)
        out.emplace_back(g.Cells(col, r));
    return out;
}

QPoint CellCentre(const TSortGrid& g, int col, int row)
{
    return ToQRect(g.CellRect(col, row)).center();
}

const std::vector<std::vector<std::string>> kPlayers = {{"No", "Name", "Elo"},
                                                        {"1", "Carla", "2100"},
                                                        {"2", "alan", "1900"},
                                                        {"3", "Bert", "2300"},
                                                        {"4", "dora", "1800"}};

TEST(SortGridWidget, HeaderClicksSortOnlyThroughTheGate)
{
    struct Case {
        const char* name;
        Qt::MouseButton button;
        Qt::KeyboardModifiers mods;
        int row;
        std::vector<std::string> expected;
    };
    const std::vector<std::string> unsorted = {"1900", "2300", "2100", "1800"};
    const std::vector<Case> cases = {
        {"left click ascending",
         Qt::LeftButton,
         Qt::NoModifier,
         0,
         {"1800", "1900", "2100", "2300"}},
        {"right click descending",
         Qt::RightButton,
         Qt::NoModifier,
         0,
         {"2300", "2100", "1900", "1800"}},
        {"middle click ascending",
         Qt::MiddleButton,
         Qt::NoModifier,
         0,
         {"1800", "1900", "2100", "2300"}},
        {"shift click", Qt::LeftButton, Qt::ShiftModifier, 0, unsorted},
        {"ctrl click", Qt::LeftButton, Qt::ControlModifier, 0, unsorted},
        {"click on a data row", Qt::LeftButton, Qt::NoModifier, 2, unsorted},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto g = MakeGrid({{"No", "Name", "Elo"},
                           {"2", "alan", "1900"},
                           {"3", "Bert", "2300"},
                           {"1", "Carla", "2100"},
                           {"4", "dora", "1800"}});
        QTest::mouseClick(g->viewport(), c.button, c.mods, CellCentre(*g, 2, c.row));
        EXPECT_EQ(Column(*g, 2), c.expected);
    }
}

TEST(SortGridWidget, ReleaseAfterAColumnResizeDoesNotSort)
{
    auto g = MakeGrid(kPlayers);
    const TRect head = g->CellRect(1, 0);
    const QPoint border(head.Right, (head.Top + head.Bottom) / 2);
    QTest::mousePress(g->viewport(), Qt::LeftButton, Qt::NoModifier, border);
    QMouseEvent move(QEvent::MouseMove, QPointF(border + QPoint(30, 0)),
                     QPointF(g->viewport()->mapToGlobal(border + QPoint(30, 0))), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(g->viewport(), &move);
    QTest::mouseRelease(g->viewport(), Qt::LeftButton, Qt::NoModifier, border + QPoint(30, 0));
    EXPECT_EQ(g->ColWidths(1), 110);
    EXPECT_EQ(Column(*g, 1), std::vector<std::string>({"Carla", "alan", "Bert", "dora"}));
    EXPECT_EQ(g->SortState(), TSortState::ssUnsorted);
    // The next plain click on the title sorts.
    QTest::mouseClick(g->viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(*g, 1, 0));
    EXPECT_EQ(Column(*g, 1), std::vector<std::string>({"alan", "Bert", "Carla", "dora"}));
}

TEST(SortGridWidget, ClickSortHandlerChangesTheOptions)
{
    auto g = MakeGrid(kPlayers);
    int seenCol = -1;
    g->OnClickSort = [&](QObject*, int col, int, TSortOptions& o) {
        seenCol = col;
        o.SortDirection = TSortDirection::sdDescending;
        o.SortCaseSensitive = true;
        o.SortStyle = TSortStyle::ssCustom;
        o.SortCompare = [](const std::string& a, const std::string& b) { return a.compare(b); };
    };
    QTest::mouseClick(g->viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(*g, 1, 0));
    EXPECT_EQ(seenCol, 1);
    // Byte order, reversed: lower case first.
    EXPECT_EQ(Column(*g, 1), std::vector<std::string>({"dora", "alan", "Carla", "Bert"}));
    EXPECT_EQ(g->SortDirection(), TSortDirection::sdDescending);
    EXPECT_EQ(g->SortColumn(), 1);
}

TEST(SortGridWidget, AThrowingHandlerLeavesCursorAndGridUsable)
{
    auto g = MakeGrid(kPlayers);
    bool fail = true;
    g->OnBeginSort = [&](QObject*, int, TSortOptions&) {
        if (fail) throw std::runtime_error("handler failed");
    };
    QTest::mouseClick(g->viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(*g, 1, 0));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(g->SortState(), TSortState::ssUnsorted);
    fail = false;
    QTest::mouseClick(g->viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(*g, 1, 0));
    EXPECT_EQ(Column(*g, 1), std::vector<std::string>({"alan", "Bert", "Carla", "dora"}));
}

TEST(SortGridWidget, OneDataRowIsNeverSorted)
{
    auto g = MakeGrid({{"No", "Name"}, {"1", "x"}});
    int events = 0;
    g->OnBeginSort = [&](QObject*, int, TSortOptions&) { ++events; };
    g->OnEndSort = [&](QObject*, int) { ++events; };
    g->SortByColumn(1, TSortOptions{});
    EXPECT_EQ(events, 0);
    EXPECT_EQ(g->SortState(), TSortState::ssUnsorted);
}

TEST(SortGridWidget, CurrentRowFollowsAndUndoRestores)
{
    auto g = MakeGrid(kPlayers);
    g->SetRow(3); // Bert
    int begin = 0;
    g->OnBeginSort = [&](QObject*, int col, TSortOptions& o) {
        ++begin;
        EXPECT_EQ(col, 2);
        EXPECT_EQ(o.SortStyle, TSortStyle::ssNumeric);
    };
    g->SortByColumn(2, TSortOptions{});
    EXPECT_EQ(begin, 1);
    EXPECT_EQ(Column(*g, 1), std::vector<std::string>({"dora", "alan", "Carla", "Bert"}));
    EXPECT_EQ(g->Cells(1, g->Row()), "Bert");
    ASSERT_TRUE(g->CanUndoSort());
    g->UndoSort();
    EXPECT_EQ(Column(*g, 1), std::vector<std::string>({"Carla", "alan", "Bert", "dora"}));
    EXPECT_EQ(g->Row(), 3);
    EXPECT_EQ(g->SortState(), TSortState::ssUnsorted);
    EXPECT_FALSE(g->CanUndoSort());
}

TEST(SortGridWidget, ColumnsOutsideTheGridAreIgnored)
{
    auto g = MakeGrid(kPlayers);
    g->SortByColumn(7, TSortOptions{});
    g->SortByColumn(-1, TSortOptions{});
    g->SetSortColumn(9);
    g->AutoSizeCol(12);
    g->AutoSizeRows(-5, 1000000);
    EXPECT_EQ(g->SortState(), TSortState::ssUnsorted);
    EXPECT_EQ(g->SortColumn(), 1);
    EXPECT_EQ(Column(*g, 1), std::vector<std::string>({"Carla", "alan", "Bert", "dora"}));
}

TEST(SortGridWidget, FooterRowsStayAndClearingEndsUndo)
{
    auto g = MakeGrid({{"n"}, {"c"}, {"a"}, {"b"}, {"z-total"}, {"a-sum"}});
    g->SetFooterRows(2);
    g->SetFooterRows(9); // more than the data rows: ignored
    EXPECT_EQ(g->FooterRows(), 2);
    g->SortByColumn(0, TSortOptions{});
    EXPECT_EQ(Column(*g, 0), std::vector<std::string>({"a", "b", "c", "z-total", "a-sum"}));
    EXPECT_TRUE(g->CanUndoSort());
    g->SetSortFooter(true);
    g->SortByColumn(0, TSortOptions{});
    EXPECT_EQ(Column(*g, 0), std::vector<std::string>({"a", "a-sum", "b", "c", "z-total"}));
    EXPECT_TRUE(g->ClearRows(1, 2));
    EXPECT_FALSE(g->CanUndoSort());
    EXPECT_FALSE(g->ClearRows(3, 99));
}

// Pixels of a grabbed grid: glyph beside the sorted column's title, footer colour.
int CountColour(const QImage& img, const TRect& r, TColor c)
{
    int n = 0;
    for (int y = std::max(0, r.Top); y < std::min(img.height(), r.Bottom); ++y)
        for (int x = std::max(0, r.Left); x < std::min(img.width(), r.Right); ++x)
            n += ColorOfPixel(img.pixel(x, y)) == c;
    return n;
}

TEST(SortGridWidget, GlyphStandsInTheSortedColumnTitleOnly)
{
    auto g = MakeGrid(kPlayers);
    g->SetSortSymbol(TSortSymbol::sgArrow);
    g->SortByColumn(2,
                    TSortOptions{TSortStyle::ssAutomatic, TSortDirection::sdDescending, false, {}});
    ASSERT_FALSE(g->SortGlyph().isNull());
    EXPECT_EQ(g->SortGlyph().size(), QSize(8, 7));
    const QImage img = g->viewport()->grab().toImage();
    // The glyph's grey body sits right of the title text of column 2 only.
    const TRect title2 = g->CellRect(2, 0);
    const int textEnd = title2.Left + 2 + g->Canvas.TextWidth(QStringLiteral("Elo"));
    EXPECT_GT(CountColour(img, {textEnd + 2, title2.Top, textEnd + 10, title2.Bottom}, clGray), 4);
    const TRect title1 = g->CellRect(1, 0);
    const int textEnd1 = title1.Left + 2 + g->Canvas.TextWidth(QStringLiteral("Name"));
    EXPECT_EQ(CountColour(img, {textEnd1 + 2, title1.Top, textEnd1 + 10, title1.Bottom}, clGray),
              0);
    // Its aqua background is transparent.
    EXPECT_EQ(CountColour(img, title2, clAqua), 0);
    // The downward triangle is widest at its top: more grey in its upper rows.
    const int top = title2.Top + 2;
    EXPECT_GT(CountColour(img, {textEnd + 2, top, textEnd + 10, top + 3}, clGray),
              CountColour(img, {textEnd + 2, top + 4, textEnd + 10, top + 7}, clGray));

    g->SetFixedRows(0);
    QApplication::processEvents();
    const QImage noHeader = g->viewport()->grab().toImage();
    EXPECT_EQ(CountColour(noHeader, {textEnd + 2, title2.Top, textEnd + 10, title2.Bottom}, clGray),
              0);
}

TEST(SortGridWidget, CustomGlyphUsesItsCornerAsTransparentColour)
{
    auto g = MakeGrid(kPlayers);
    QImage custom(6, 6, QImage::Format_RGB32);
    custom.fill(Qt::white);
    for (int i = 1; i < 6; ++i)
        custom.setPixel(i, i, qRgb(255, 0, 0));
    g->SetSortBitMapA(custom);
    g->SetSortSymbol(TSortSymbol::sgCustom);
    g->SetFixedColor(clNavy);
    QApplication::processEvents();
    const QImage img = g->viewport()->grab().toImage();
    const TRect title = g->CellRect(1, 0);
    EXPECT_EQ(CountColour(img, title, clRed), 5);
    const TRect glyphArea{
        title.Left + 2 + g->Canvas.TextWidth(QStringLiteral("Name")) + 2, title.Top + 2,
        title.Left + 2 + g->Canvas.TextWidth(QStringLiteral("Name")) + 8, title.Top + 8};
    EXPECT_EQ(CountColour(img, glyphArea, clWhite), 0);
    // An empty bitmap gives no glyph and draws nothing.
    g->SetSortBitMapA(QImage());
    EXPECT_TRUE(g->SortGlyph().isNull());
}

TEST(SortGridWidget, FooterRowsTakeTheFooterColourNeverTheSelection)
{
    auto g = MakeGrid({{"n", "v"}, {"a", "1"}, {"b", "2"}, {"sum", "3"}});
    g->SetOptions(g->Options() + TGridOptions{TGridOption::goRangeSelect});
    g->SetFooterRows(1);
    g->SetFooterColor(clYellow);
    g->SetSelected(3, true);
    g->SetSelected(2, true);
    QApplication::processEvents();
    const QImage img = g->viewport()->grab().toImage();
    const TRect footer = g->CellRect(1, 3);
    EXPECT_GT(CountColour(img, footer, clYellow), footer.Width() * footer.Height() / 2);
    const TColor highlight = ColorToRGB(clHighlight);
    EXPECT_EQ(CountColour(img, footer, highlight), 0);
    const TRect selected = g->CellRect(1, 2);
    EXPECT_GT(CountColour(img, selected, highlight), selected.Width() * selected.Height() / 2);
}

TEST(SortGridWidget, RightAndBottomAlignmentOffsets)
{
    auto g = MakeGrid({{"t", "u"}, {"W", "W"}});
    g->SetColWidths(1, 100);
    g->SetRowHeights(1, 40);
    g->SetAlignmentHorz(TAlignment::taRightJustify);
    g->SetAlignmentVert(TVertAlignment::taBottomJustify);
    int seenX = -1;
    int seenY = -1;
    QImage img(200, 100, QImage::Format_RGB32);
    img.fill(Qt::white);
    g->OnDrawCell = [&](QObject*, int c, int r, const TRect& rect, TGridDrawState) {
        if (c != 1 || r != 1) return;
        seenX = rect.Left;
        seenY = rect.Top;
    };
    QApplication::processEvents();
    const QImage shot = g->viewport()->grab().toImage();
    ASSERT_GE(seenX, 0);
    const TRect cell = g->CellRect(1, 1);
    const int tw = g->Canvas.TextWidth(QStringLiteral("W"));
    // No ink left of where the text starts (W - tw - 2), some right of it.
    const int start = cell.Left + cell.Width() - tw - 2;
    EXPECT_EQ(CountColour(shot, {cell.Left, cell.Top, start - 1, cell.Bottom}, clBlack), 0);
    const TColor ink = ColorToRGB(clWindowText);
    int dark = 0;
    for (int y = cell.Top; y < cell.Bottom; ++y)
        for (int x = start - 1; x < cell.Right; ++x)
            dark += ColorOfPixel(shot.pixel(x, y)) != ColorToRGB(clWindow);
    EXPECT_GT(dark, 5);
    // Bottom alignment: nothing in the top half of the 40-px cell.
    int upper = 0;
    for (int y = cell.Top; y < cell.Top + 15; ++y)
        for (int x = cell.Left; x < cell.Right; ++x)
            upper += ColorOfPixel(shot.pixel(x, y)) == ink;
    EXPECT_EQ(upper, 0);
}

TEST(SortGridWidget, ScrollPagesFollowTheVisibleShare)
{
    EXPECT_EQ(TSortGrid::ProportionalPage(11, 100, TScrollInfo{0, 99, 0, 0}), 11);
    EXPECT_EQ(TSortGrid::ProportionalPage(1, 1000, TScrollInfo{0, 999, 0, 0}), 1);
    std::vector<std::vector<std::string>> rows(100, std::vector<std::string>{"x", "y"});
    auto g = MakeGrid(rows);
    g->SetScrollBars(TScrollStyle::ssVertical);
    g->resize(300, 19 * 11 + 2);
    QApplication::processEvents();
    const int visible = g->VisibleRowCount();
    EXPECT_EQ(g->GetScrollInfo(TScrollBarKind::sbVertical).nPage,
              TSortGrid::ProportionalPage(visible + 1, 100, TScrollInfo{0, 99, 0, 0}));
    g->SetProportionalScrollBars(false);
    EXPECT_EQ(g->GetScrollInfo(TScrollBarKind::sbVertical).nPage, 0);
    // Dragging the thumb to the end shows the last row.
    g->SetProportionalScrollBars(true);
    g->verticalScrollBar()->setValue(g->verticalScrollBar()->maximum());
    EXPECT_EQ(g->TopRow() + g->VisibleRowCount() - 1, 99);
}

TEST(SortGridWidget, AutoSizeColUsesTheGridFontPlusAnX)
{
    auto g = MakeGrid({{"n"}, {"short"}, {"a much longer text"}, {"footer"}});
    TFont big = g->Font();
    big.SetHeight(-30);
    g->SetFooterFont(big);
    g->SetFooterRows(1);
    g->AutoSizeCol(0);
    TCanvas probe;
    probe.Font = g->Font();
    const int x = probe.TextWidth(QStringLiteral("x"));
    probe.Font = big;
    const int footerWidth = probe.TextWidth(QStringLiteral("footer"));
    probe.Font = g->Font();
    EXPECT_EQ(g->ColWidths(0),
              std::max(probe.TextWidth(QStringLiteral("a much longer text")), footerWidth) + x);
}

TEST(SortGridWidget, SortedGridWithFooterAndEitherSortSymbol)
{
    auto g = MakeGrid({{"No", "White", "Elo", "Result"},
                       {"1", "Kovacs", "2210", "1-0"},
                       {"2", "adams", "2450", "0-1"},
                       {"3", "Berg", "2105", "1/2-1/2"},
                       {"4", "Zoltan", "2390", "1-0"},
                       {"", "Total", "9155", ""}});
    g->SetSortSymbol(TSortSymbol::sgArrow);
    g->SetFooterRows(1);
    g->SetFooterBevelStyle(TCellBevelStyle::cbRaised);
    g->SetRow(2);
    g->SortByColumn(2,
                    TSortOptions{TSortStyle::ssAutomatic, TSortDirection::sdDescending, false, {}});
    EXPECT_EQ(Column(*g, 1),
              std::vector<std::string>({"adams", "Zoltan", "Kovacs", "Berg", "Total"}));
    QApplication::processEvents();
    const QImage arrow = g->viewport()->grab().toImage();
    KeepShot(arrow, QStringLiteral("sortgrid_sorted.png"));
    g->SetSortSymbol(TSortSymbol::sgGlyph);
    QApplication::processEvents();
    const QImage glyph = g->viewport()->grab().toImage();
    KeepShot(glyph, QStringLiteral("sortgrid_glyph.png"));
    // The two symbols differ, and only in the sorted column's title.
    ASSERT_EQ(arrow.size(), glyph.size());
    const QRect title = ToQRect(g->CellRect(2, 0));
    int inside = 0, outside = 0;
    for (int y = 0; y < arrow.height(); ++y)
        for (int x = 0; x < arrow.width(); ++x)
            if (arrow.pixel(x, y) != glyph.pixel(x, y)) ++(title.contains(x, y) ? inside : outside);
    EXPECT_GT(inside, 4);
    EXPECT_EQ(outside, 0);
}

} // namespace
