// The layer under the sortable grid: colours and rectangles, the canvas, the
// cell store and the string grid's geometry, counts and events.
#include "platform/Canvas.h"
#include "platform/GridCells.h"
#include "platform/StringGrid.h"
#include "platform/Types.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// "c,r"
std::string CellName(int c, int r)
{
    std::string name = std::to_string(c);
    name.push_back(',');
    name.append(std::to_string(r));
    return name;
}

TEST(Types, ColoursAreBlueGreenRed)
{
    struct Case {
        const char* name;
        TColor colour;
        QColor qt;
    };
    for (const Case& c : std::vector<Case>{{"aqua", clAqua, QColor(0, 255, 255)},
                                           {"red", clRed, QColor(255, 0, 0)},
                                           {"navy", clNavy, QColor(0, 0, 128)},
                                           {"list-box blue", 16644814, QColor(206, 250, 253)}}) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ToQColor(c.colour), c.qt);
        EXPECT_EQ(FromQColor(c.qt), c.colour);
        EXPECT_EQ(ColorOfPixel(c.qt.rgb()), c.colour); // alpha byte dropped
    }
    EXPECT_EQ(ColorToRGB(clWindow), FromQColor(QGuiApplication::palette().color(QPalette::Base)));
}

TEST(Types, RectanglesHaveExclusiveEdges)
{
    const TRect r = Rect(10, 20, 30, 25);
    EXPECT_EQ(r.Width(), 20);
    EXPECT_EQ(ToQRect(r), QRect(10, 20, 20, 5));
    EXPECT_EQ(FromQRect(ToQRect(r)), r);
    EXPECT_TRUE(r.Contains({29, 24}));
    EXPECT_FALSE(r.Contains({30, 24}));
    EXPECT_EQ(IntersectRect(r, Rect(30, 20, 40, 25)), TRect{});
    TRect g = r;
    InflateRect(g, 2, 1);
    EXPECT_EQ(g, Rect(8, 19, 32, 26));
}

QImage Blank(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

TEST(Canvas, RectangleAndLinesStayInsideTheirEnds)
{
    QImage img = Blank(20, 20);
    {
        TCanvas c;
        c.Begin(&img);
        c.Brush.Color = clYellow;
        c.Pen.Color = clBlack;
        c.Rectangle(2, 2, 8, 6);
        c.Pen.Color = clRed;
        c.MoveTo(10, 10);
        c.LineTo(15, 10);
        c.End();
    }
    EXPECT_EQ(ColorOfPixel(img.pixel(2, 2)), clBlack);
    EXPECT_EQ(ColorOfPixel(img.pixel(7, 5)), clBlack);  // last pixel inside
    EXPECT_EQ(ColorOfPixel(img.pixel(8, 5)), clWhite);  // right edge exclusive
    EXPECT_EQ(ColorOfPixel(img.pixel(4, 3)), clYellow); // brush inside
    EXPECT_EQ(ColorOfPixel(img.pixel(14, 10)), clRed);
    EXPECT_EQ(ColorOfPixel(img.pixel(15, 10)), clWhite); // end point left out
}

TEST(Canvas, FloodFillIsFourConnected)
{
    QImage img = Blank(10, 10);
    // A diagonal wall: 4-connected filling cannot pass it.
    for (int i = 0; i < 10; ++i)
        img.setPixel(i, 9 - i, qRgb(0, 0, 0));
    EXPECT_EQ(FloodFill(img, 0, 0, clWhite, clRed, TFillStyle::fsSurface), 45);
    EXPECT_EQ(ColorOfPixel(img.pixel(9, 9)), clWhite);
    QImage ring = Blank(5, 5);
    for (int i = 0; i < 5; ++i) {
        ring.setPixel(i, 0, 0);
        ring.setPixel(i, 4, 0);
        ring.setPixel(0, i, 0);
        ring.setPixel(4, i, 0);
    }
    EXPECT_EQ(FloodFill(ring, 2, 2, clBlack, clGreen, TFillStyle::fsBorder), 9);
    EXPECT_EQ(FloodFill(ring, 99, 2, clBlack, clGreen, TFillStyle::fsBorder), 0);
}

TEST(Canvas, TransparentCopyDropsOnlyTheKey)
{
    QImage img = Blank(2, 1);
    img.setPixel(1, 0, qRgb(0, 255, 255));
    const QImage t = TransparentCopy(img, clAqua);
    EXPECT_EQ(qAlpha(t.pixel(1, 0)), 0);
    EXPECT_EQ(qAlpha(t.pixel(0, 0)), 255);
}

TEST(GridCells, RowsAndColumnsMoveWhole)
{
    TGridCells cells(3, 4);
    int obj = 0;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c)
            cells.SetCell(c, r, std::to_string(r) + std::to_string(c));
    cells.SetObject(1, 1, &obj);
    cells.MoveRow(1, 3);
    EXPECT_EQ(cells.Cell(0, 1), "20");
    EXPECT_EQ(cells.Cell(0, 3), "10");
    EXPECT_EQ(cells.Object(1, 3), &obj);
    cells.MoveColumn(0, 2);
    EXPECT_EQ(cells.Cell(2, 0), "00");
    EXPECT_EQ(cells.Cell(0, 0), "01");
    cells.DeleteColumn(0);
    EXPECT_EQ(cells.ColCount(), 2);
    cells.DeleteRow(0);
    EXPECT_EQ(cells.RowCount(), 3);
    // Outside the store: empty reads, ignored writes.
    EXPECT_EQ(cells.Cell(5, 0), "");
    cells.SetCell(-1, 0, "x");
    cells.MoveRow(0, 9);
    EXPECT_EQ(cells.RowCount(), 3);
    EXPECT_FALSE(cells.PermuteRows(0, {0, 0, 1}));
    EXPECT_FALSE(cells.PermuteRows(1, {1, 2, 3}));
    EXPECT_TRUE(cells.PermuteRows(0, {2, 0, 1}));
}

TEST(GridCells, RowsNeverWrittenReadEmptyThroughEveryOperation)
{
    TGridCells cells(3, 2);
    cells.SetSize(3, 6); // rows 2..5 have no cells yet
    int obj = 0;
    cells.SetCell(1, 3, "b");
    cells.SetObject(2, 4, &obj);
    TGridRow taken;
    taken.Texts = {"x", "y"};
    cells.AssignRow(5, std::move(taken));
    cells.MoveColumn(0, 2);
    cells.SetSize(4, 6);
    cells.ClearColumn(3);
    const std::vector<std::vector<std::string>> texts = {{"", "", "", ""}, {"", "", "", ""},
                                                         {"", "", "", ""}, {"b", "", "", ""},
                                                         {"", "", "", ""}, {"y", "", "x", ""}};
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(cells.Cell(c, r), texts[r][c]) << c << "," << r;
    EXPECT_EQ(cells.Object(1, 4), &obj);
    EXPECT_EQ(cells.Object(1, 2), nullptr);
    cells.DeleteColumn(0);
    EXPECT_EQ(cells.Cell(1, 5), "x");
    EXPECT_EQ(cells.Cell(0, 3), "");
}

std::unique_ptr<TStringGrid> ShownGrid()
{
    auto g = std::make_unique<TStringGrid>();
    g->SetGridLineWidth(1);
    g->resize(300, 200);
    g->show();
    QApplication::processEvents();
    return g;
}

TEST(StringGrid, CountsKeepTheFixedBandValid)
{
    auto g = ShownGrid();
    EXPECT_EQ(g->ColCount(), 5);
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_EQ(g->Row(), 1);
    g->SetRowCount(0);
    EXPECT_EQ(g->RowCount(), 1);
    EXPECT_EQ(g->FixedRows(), 0);
    g->SetRowCount(3);
    g->SetFixedRows(3); // not below the count: ignored
    EXPECT_EQ(g->FixedRows(), 0);
    g->SetRow(7);
    EXPECT_LT(g->Row(), 3);
}

TEST(StringGrid, CellRectAndMouseToCellAgree)
{
    auto g = ShownGrid();
    g->SetColWidths(0, 30);
    g->SetRowHeights(0, 10);
    EXPECT_EQ(g->CellRect(0, 0), Rect(0, 0, 30, 10));
    EXPECT_EQ(g->CellRect(1, 1), Rect(31, 11, 95, 35));
    int col = -1;
    int row = -1;
    g->MouseToCell(31, 11, col, row);
    EXPECT_EQ(col, 1);
    EXPECT_EQ(row, 1);
    g->MouseToCell(5000, 5, col, row);
    EXPECT_EQ(col, -1);
    EXPECT_EQ(g->CellRect(9, 0), TRect{});
}

TEST(StringGrid, SelectCellCanRefuseAndClickFollowsMoves)
{
    auto g = ShownGrid();
    int clicks = 0;
    g->OnClick = [&](QObject*) { ++clicks; };
    g->OnSelectCell = [](QObject*, int, int row, bool& can) { can = row != 3; };
    g->SetRow(2);
    g->SetRow(3);
    EXPECT_EQ(g->Row(), 2);
    EXPECT_EQ(clicks, 1);
    QTest::mouseClick(g->viewport(), Qt::LeftButton, Qt::NoModifier,
                      ToQRect(g->CellRect(2, 4)).center());
    EXPECT_EQ(g->Row(), 4);
    EXPECT_EQ(g->Col(), 2);
    EXPECT_EQ(clicks, 2);
}

TEST(StringGrid, ClickFocusesAGridThatIsNoTabStop)
{
    auto g = ShownGrid();
    g->SetTabStop(false);
    g->activateWindow();
    QTest::mouseClick(g->viewport(), Qt::LeftButton, Qt::NoModifier,
                      ToQRect(g->CellRect(1, 1)).center());
    EXPECT_TRUE(g->Focused());
}

TEST(StringGrid, EditorStoresTheTypedText)
{
    auto g = ShownGrid();
    g->SetOptions(g->Options() + TGridOptions{TGridOption::goEditing});
    std::vector<std::string> edits;
    g->OnSetEditText = [&](QObject*, int, int, const std::string& v) { edits.push_back(v); };
    g->SetEditorMode(true);
    ASSERT_TRUE(g->EditorMode());
    QTest::keyClicks(QApplication::focusWidget(), "ab");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(g->EditorMode());
    EXPECT_EQ(g->Cells(1, 1), "ab");
    EXPECT_EQ(edits.back(), "ab");
}

TEST(StringGrid, DefaultDrawingFillsTheCurrentRow)
{
    auto g = ShownGrid();
    g->SetOptions(g->Options() + TGridOptions{TGridOption::goRowSelect});
    g->SetRow(2);
    QApplication::processEvents();
    const QImage img = g->viewport()->grab().toImage();
    const TRect r = g->CellRect(3, 2);
    EXPECT_EQ(ColorOfPixel(img.pixel(r.Left + 1, r.Bottom - 2)), ColorToRGB(clHighlight));
    const TRect other = g->CellRect(3, 3);
    EXPECT_EQ(ColorOfPixel(img.pixel(other.Left + 1, other.Bottom - 2)), ColorToRGB(clWindow));
}

TEST(StringGrid, HiddenRowsAndColumnsTakeNoSpace)
{
    auto g = ShownGrid();
    g->SetRowHeights(2, 0);
    g->SetColWidths(1, 0);
    // Row 3 starts where row 2 did, column 2 where column 1 did: no grid line is left.
    EXPECT_EQ(g->CellRect(2, 3).Top, g->CellRect(2, 2).Top);
    EXPECT_EQ(g->CellRect(2, 3).Left, g->CellRect(1, 3).Left);
    int col = -1;
    int row = -1;
    const TRect r = g->CellRect(2, 3);
    for (int y = r.Top - 1; y <= r.Top + 1; ++y) {
        g->MouseToCell(r.Left, y, col, row);
        EXPECT_NE(row, 2);
        EXPECT_NE(col, 1);
    }
    // The keyboard steps over the hidden row both ways.
    g->SetRow(1);
    QTest::keyClick(g.get(), Qt::Key_Down);
    EXPECT_EQ(g->Row(), 3);
    QTest::keyClick(g.get(), Qt::Key_Up);
    EXPECT_EQ(g->Row(), 1);
}

// A grid whose cells and sizes name their row and column.
class StructuralGrid : public TStringGrid {
public:
    using TStringGrid::DeleteColumn;
    using TStringGrid::DeleteRow;
    using TStringGrid::MoveColumn;
    using TStringGrid::MoveRow;
    StructuralGrid()
    {
        for (int r = 0; r < RowCount(); ++r) {
            SetRowHeights(r, 10 + r);
            for (int c = 0; c < ColCount(); ++c)
                SetCells(c, r, CellName(c, r));
        }
        for (int c = 0; c < ColCount(); ++c)
            SetColWidths(c, 50 + c);
    }
};

TEST(StringGrid, RowsAndColumnsMoveAndGoWithTheirSizes)
{
    StructuralGrid g;
    g.SetRow(3);
    g.MoveRow(3, 1);
    EXPECT_EQ(g.Cells(0, 1), "0,3");
    EXPECT_EQ(g.RowHeights(1), 13);
    EXPECT_EQ(g.RowHeights(2), 11);
    EXPECT_EQ(g.Row(), 1); // the current cell follows its row
    g.MoveColumn(0, 4);
    EXPECT_EQ(g.Cells(4, 0), "0,0");
    EXPECT_EQ(g.ColWidths(4), 50);
    g.DeleteRow(1);
    EXPECT_EQ(g.RowCount(), 4);
    EXPECT_EQ(g.Cells(4, 1), "0,1");
    EXPECT_EQ(g.RowHeights(1), 11);
    g.DeleteColumn(4);
    EXPECT_EQ(g.ColCount(), 4);
    g.MoveRow(-1, 2);
    g.DeleteRow(4);
    g.DeleteColumn(-1);
    EXPECT_EQ(g.RowCount(), 4);
    EXPECT_EQ(g.ColCount(), 4);
    // The last row and column stay, emptied.
    while (g.RowCount() > 1)
        g.DeleteRow(0);
    EXPECT_EQ(g.FixedRows(), 0);
    g.DeleteRow(0);
    EXPECT_EQ(g.RowCount(), 1);
    EXPECT_EQ(g.Cells(1, 0), "");
}

TEST(StringGrid, AssignCellsTakesTheStoreSize)
{
    StructuralGrid g;
    g.AssignCells(TGridCells(2, 1));
    EXPECT_EQ(g.ColCount(), 2);
    EXPECT_EQ(g.RowCount(), 1);
    EXPECT_EQ(g.FixedRows(), 0);
    EXPECT_EQ(g.FixedCols(), 1);
    EXPECT_EQ(g.ColWidths(1), 51); // sizes of columns that stay are kept
    g.AssignCells(TGridCells(0, 0));
    EXPECT_EQ(g.ColCount(), 1);
    EXPECT_EQ(g.RowCount(), 1);
}

} // namespace
