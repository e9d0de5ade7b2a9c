// The sortable grid's editing operations on its cells: rows and columns
// inserted, deleted, moved, swapped, cleared, hidden and shown; the row
// selection by the mouse; validation of edited cells; the extended keys.
#include "components/SortGrid.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
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

// A grid of cols x rows whose cells read "c,r", one fixed row and column.
std::unique_ptr<TSortGrid> Grid(int cols, int rows, bool shown = false)
{
    auto g = std::make_unique<TSortGrid>();
    g->SetColCount(cols);
    g->SetRowCount(rows);
    g->SetDefaultRowHeight(19);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            g->SetCells(c, r, CellName(c, r));
    if (shown) {
        g->resize(400, 300);
        g->show();
        g->activateWindow();
        QApplication::processEvents();
    }
    return g;
}

std::vector<std::string> ColumnTexts(const TSortGrid& g, int col)
{
    std::vector<std::string> out;
    for (int r = 0; r < g.RowCount(); ++r)
        out.emplace_back(g.Cells(col, r));
    return out;
}

std::vector<int> Selection(const TSortGrid& g)
{
    std::vector<int> out;
    for (int i = 1; i <= g.SelectedCount(); ++i)
        out.push_back(g.SelItems(i));
    return out;
}

TEST(SortGridEdit, OperationsOutsideTheGridChangeNothing)
{
    struct Case {
        const char* name;
        std::function<bool(TSortGrid&)> op; // the ranged ones' answer
    };
    const std::vector<Case> cases = {
        {"InsertRows at RowCount", [](TSortGrid& g) { return g.InsertRows(g.RowCount(), 1); }},
        {"InsertCols at -1", [](TSortGrid& g) { return g.InsertCols(-1, 1); }},
        {"InsertRows beyond the cell limit", [](TSortGrid& g) { return g.InsertRows(1, 1 << 30); }},
        {"RemoveRows reversed", [](TSortGrid& g) { return g.RemoveRows(3, 2); }},
        {"RemoveCols past the end", [](TSortGrid& g) { return g.RemoveCols(2, 9); }},
        {"ClearRows negative", [](TSortGrid& g) { return g.ClearRows(-1, 2); }},
        {"ClearCols past the end", [](TSortGrid& g) { return g.ClearCols(0, 4); }},
        {"InsertRow at RowCount + 3",
         [](TSortGrid& g) {
             g.InsertRow(g.RowCount() + 3);
             return false;
         }},
        {"InsertRow at -1",
         [](TSortGrid& g) {
             g.InsertRow(-1);
             return false;
         }},
        {"InsertColumn at ColCount",
         [](TSortGrid& g) {
             g.InsertColumn(g.ColCount());
             return false;
         }},
        {"DeleteRow at RowCount",
         [](TSortGrid& g) {
             g.DeleteRow(g.RowCount());
             return false;
         }},
        {"DeleteColumn at -2",
         [](TSortGrid& g) {
             g.DeleteColumn(-2);
             return false;
         }},
        {"MoveRow to 99",
         [](TSortGrid& g) {
             g.MoveRow(1, 99);
             return false;
         }},
        {"SwapColumns with -1",
         [](TSortGrid& g) {
             g.SwapColumns(-1, 2);
             return false;
         }},
        {"HideRows past the end",
         [](TSortGrid& g) {
             g.HideRows(3, 40);
             return false;
         }},
        {"HideCols reversed",
         [](TSortGrid& g) {
             g.HideCols(2, 1);
             return false;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto g = Grid(4, 5);
        const TGridCells before = g->CellStore();
        EXPECT_FALSE(c.op(*g));
        EXPECT_EQ(g->RowCount(), 5);
        EXPECT_EQ(g->ColCount(), 4);
        for (int r = 0; r < 5; ++r) {
            EXPECT_EQ(g->Rows(r).Texts, before.Row(r).Texts);
            EXPECT_EQ(g->RowHeights(r), 19);
        }
        EXPECT_EQ(g->HiddenSizes().Count(), 0);
    }
}

TEST(SortGridEdit, RowsAndColumnsMoveWhole)
{
    auto g = Grid(4, 8);
    g->SetRowHeights(5, 33);
    g->SwapRows(2, 5);
    EXPECT_EQ(ColumnTexts(*g, 1),
              std::vector<std::string>({"1,0", "1,1", "1,5", "1,3", "1,4", "1,2", "1,6", "1,7"}));
    EXPECT_EQ(g->RowHeights(2), 33);
    g->SwapColumns(3, 1);
    EXPECT_EQ(g->Rows(0).Texts, std::vector<std::string>({"0,0", "3,0", "2,0", "1,0"}));
    g->MoveRow(7, 1);
    EXPECT_EQ(g->Cells(0, 1), "0,7");
    EXPECT_EQ(g->Cells(0, 2), "0,1");
    EXPECT_EQ(g->SortState(), TSortState::ssUnsorted);

    // Inserted rows and columns arrive empty where asked, with events.
    std::vector<int> inserted;
    g->OnRowInsert = [&](QObject*, int i) { inserted.push_back(i); };
    EXPECT_TRUE(g->InsertRows(3, 2));
    EXPECT_EQ(inserted, std::vector<int>({3, 3}));
    EXPECT_EQ(g->RowCount(), 10);
    EXPECT_EQ(g->Cells(0, 3), "");
    EXPECT_EQ(g->Cells(0, 4), "");
    EXPECT_EQ(g->Cells(0, 5), "0,5");
    EXPECT_EQ(g->Row(), 3);
    EXPECT_TRUE(g->InsertRows(1, 0));
    g->InsertColumn(1);
    EXPECT_EQ(g->ColCount(), 5);
    EXPECT_EQ(g->Cells(1, 0), "");
    EXPECT_EQ(g->Cells(2, 0), "3,0");

    std::vector<int> deleted;
    g->OnColumnDelete = [&](QObject*, int i) { deleted.push_back(i); };
    EXPECT_TRUE(g->RemoveCols(1, 2));
    EXPECT_EQ(deleted, std::vector<int>({2, 1}));
    EXPECT_EQ(g->Rows(0).Texts, std::vector<std::string>({"0,0", "2,0", "1,0"}));
    EXPECT_TRUE(g->RemoveRows(3, 4));
    EXPECT_EQ(g->Cells(0, 3), "0,5");
}

TEST(SortGridEdit, ClearingReachesEveryRowAndColumnOfTheRange)
{
    auto g = Grid(6, 4);
    EXPECT_TRUE(g->ClearCols(1, 4));
    EXPECT_EQ(g->Rows(2).Texts, std::vector<std::string>({"0,2", "", "", "", "", "5,2"}));
    EXPECT_TRUE(g->ClearRows(1, 2));
    EXPECT_EQ(g->Cells(0, 1), "");
    EXPECT_EQ(g->Cells(5, 3), "5,3");
    g->ClearFrom(3);
    EXPECT_EQ(g->Cells(5, 3), "");
    EXPECT_EQ(g->Cells(5, 0), "5,0");
}

TEST(SortGridEdit, HiddenSizesFollowInsertionsDeletionsAndMoves)
{
    auto g = Grid(4, 8);
    g->SetRowHeights(3, 23);
    g->HideRows(3, 3);
    EXPECT_EQ(g->RowHeights(3), 0);
    g->HideRows(3, 3); // hiding again remembers nothing new
    EXPECT_EQ(g->HiddenSizes().Count(), 1);
    g->InsertRow(1);
    EXPECT_EQ(g->RowHeights(4), 0);
    g->ShowRows(4, 4);
    EXPECT_EQ(g->RowHeights(4), 23);
    EXPECT_EQ(g->HiddenSizes().Count(), 0);

    // A hidden row that moves can still be shown; one deleted is forgotten.
    g->HideRows(4, 5);
    g->MoveRow(4, 7);
    g->ShowRows(7, 7);
    EXPECT_EQ(g->RowHeights(7), 23);
    g->DeleteRow(4);
    EXPECT_EQ(g->HiddenSizes().Count(), 0);

    // Auto-sizing keeps a hidden row hidden and remembers its new height.
    g->SetCells(1, 2, "a\nb\nc\nd");
    g->HideRows(2, 2);
    g->AutoSizeRows(0, g->RowCount() - 1);
    EXPECT_EQ(g->RowHeights(2), 0);
    g->ShowRows(2, 2);
    EXPECT_GT(g->RowHeights(2), 19);

    g->SetColWidths(2, 71);
    g->HideCols(2, 3);
    g->InsertColumn(0);
    g->ShowCols(3, 4);
    EXPECT_EQ(g->ColWidths(3), 71);
    EXPECT_EQ(g->ColWidths(4), 64);
}

TEST(SortGridEdit, DeletingRowsKeepsSelectionAndFooterTrue)
{
    auto g = Grid(3, 10);
    g->ClearSelection();
    g->SetSelected(2, true);
    g->SetSelected(5, true);
    g->SetSelected(7, true);
    g->SetSelected(1, false);
    g->DeleteRow(2);
    EXPECT_EQ(Selection(*g), std::vector<int>({4, 6}));
    g->DeleteRow(3); // not selected: the rows after it move up too
    EXPECT_EQ(Selection(*g), std::vector<int>({3, 5}));
    g->InsertRow(1);
    EXPECT_EQ(Selection(*g), std::vector<int>({4, 6}));

    g->SetFooterRows(3);
    EXPECT_TRUE(g->RemoveRows(1, 6));
    EXPECT_EQ(g->RowCount(), 3);
    EXPECT_EQ(g->FooterRows(), 2);
    EXPECT_EQ(g->SelectedCount(), 0);
}

TEST(SortGridEdit, ValidationKeepsOrCorrectsTheEditedText)
{
    struct Case {
        const char* name;
        bool valid;
        const char* correction; // nullptr: the handler leaves Value alone
        const char* expected;
        bool modified;
    };
    const std::vector<Case> cases = {
        {"accepted", true, nullptr, "typed", true},
        {"accepted with a change", true, "TYPED", "TYPED", true},
        {"refused", false, nullptr, "1,1", false},
        {"refused with a correction", false, "fixed", "fixed", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto g = Grid(3, 4, true);
        g->SetOptions(g->Options() + TGridOptions{TGridOption::goEditing});
        g->setFocus();
        QApplication::processEvents();
        std::vector<std::string> seen;
        g->OnCellValidate = [&](QObject*, int col, int row, std::string& value, bool& valid) {
            seen.push_back(CellName(col, row).append("=").append(value));
            valid = c.valid;
            if (c.correction) value = c.correction;
        };
        g->SetEditorMode(true);
        QTest::keyClicks(QApplication::focusWidget(), "typed");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(seen, std::vector<std::string>({"1,1=typed"}));
        EXPECT_EQ(g->Cells(1, 1), c.expected);
        EXPECT_EQ(g->Modified(), c.modified);
        // Moving on validates nothing more: the cell is as remembered.
        g->SetRow(2);
        EXPECT_EQ(seen.size(), 1u);
    }
}

TEST(SortGridEdit, ValidationOfADeletedCellTouchesNoOtherCell)
{
    auto g = Grid(3, 5, true);
    g->SetOptions(g->Options() + TGridOptions{TGridOption::goEditing});
    g->setFocus();
    QApplication::processEvents();
    int calls = 0;
    g->OnCellValidate = [&](QObject*, int, int, std::string&, bool& valid) {
        ++calls;
        valid = false;
    };
    g->SetRow(4);
    g->SetEditorMode(true);
    QTest::keyClicks(QApplication::focusWidget(), "x");
    g->SetEditorMode(false);
    g->RemoveRows(3, 4);
    g->ValidateCell();
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(ColumnTexts(*g, 1), std::vector<std::string>({"1,0", "1,1", "1,2"}));
}

TEST(SortGridEdit, SortingAndUndoingIsNoEditToValidate)
{
    auto g = Grid(3, 6, true);
    g->setFocus();
    QApplication::processEvents();
    for (int r = 1; r < 6; ++r)
        g->SetCells(1, r, std::string(1, static_cast<char>('f' - r)));
    g->SetRow(2); // validation now remembers (1, 2) holding "d"
    int calls = 0;
    g->OnCellValidate = [&](QObject*, int, int, std::string&, bool& valid) {
        ++calls;
        valid = false;
    };
    g->SortByColumn(1, TSortOptions{});
    EXPECT_EQ(ColumnTexts(*g, 1), std::vector<std::string>({"1,0", "a", "b", "c", "d", "e"}));
    g->SetRow(1);
    g->UndoSort();
    g->SetRow(3);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(ColumnTexts(*g, 1), std::vector<std::string>({"1,0", "e", "d", "c", "b", "a"}));
}

TEST(SortGridEdit, ExtendedKeysInsertAndDeleteButNeverTheLastDataRow)
{
    struct Case {
        const char* name;
        bool extended;
        int rows;
        Qt::KeyboardModifiers mods;
        Qt::Key key;
        int rowsAfter;
        int colsAfter;
    };
    const std::vector<Case> cases = {
        {"ctrl+insert", true, 4, Qt::ControlModifier, Qt::Key_Insert, 5, 3},
        {"ctrl+delete", true, 4, Qt::ControlModifier, Qt::Key_Delete, 3, 3},
        {"ctrl+delete on the only data row", true, 2, Qt::ControlModifier, Qt::Key_Delete, 2, 3},
        {"ctrl+shift+insert", true, 4, Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Insert, 4,
         4},
        {"ctrl+shift+delete", true, 4, Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Delete, 4,
         2},
        {"alt+ctrl+delete", true, 4, Qt::ControlModifier | Qt::AltModifier, Qt::Key_Delete, 4, 3},
        {"keys off", false, 4, Qt::ControlModifier, Qt::Key_Delete, 4, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto g = Grid(3, c.rows, true);
        g->ExtendedKeys = c.extended;
        QTest::keyClick(g.get(), c.key, c.mods);
        EXPECT_EQ(g->RowCount(), c.rowsAfter);
        EXPECT_EQ(g->ColCount(), c.colsAfter);
    }
}

TEST(SortGridEdit, MouseSelectsRowsWithCtrlShiftAndDrags)
{
    auto g = Grid(3, 12, true);
    g->SetOptions(g->Options() + TGridOptions{TGridOption::goRangeSelect});
    auto at = [&](int row) { return ToQRect(g->CellRect(1, row)).center(); };
    auto drag = [&](int row) {
        QMouseEvent move(QEvent::MouseMove, QPointF(at(row)),
                         QPointF(g->viewport()->mapToGlobal(at(row))), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(g->viewport(), &move);
    };
    QTest::mouseClick(g->viewport(), Qt::LeftButton, Qt::NoModifier, at(3));
    EXPECT_EQ(Selection(*g), std::vector<int>({3}));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, Qt::ShiftModifier, at(6));
    EXPECT_EQ(Selection(*g), std::vector<int>({3, 4, 5, 6}));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, Qt::ControlModifier, at(5));
    EXPECT_EQ(Selection(*g), std::vector<int>({3, 4, 6}));

    // A drag down from 4 to 8, back over the anchor to 2, then into the title row.
    QTest::mousePress(g->viewport(), Qt::LeftButton, Qt::NoModifier, at(4));
    drag(8);
    EXPECT_EQ(Selection(*g), std::vector<int>({4, 5, 6, 7, 8}));
    drag(6);
    EXPECT_EQ(Selection(*g), std::vector<int>({4, 5, 6}));
    drag(2);
    EXPECT_EQ(Selection(*g), std::vector<int>({4, 2, 3}));
    drag(0);
    QTest::mouseRelease(g->viewport(), Qt::LeftButton, Qt::NoModifier, at(1));
    EXPECT_EQ(Selection(*g), std::vector<int>({4, 2, 3, 1}));
    drag(9); // released: no more selecting
    EXPECT_EQ(g->SelectedCount(), 4);
}

TEST(SortGridEdit, HiddenSizeMemory)
{
    TOldRowColValueList m;
    m.SetValue(3, 19, TOldRowColValueList::Row);
    m.SetValue(3, 40, TOldRowColValueList::Column);
    m.SetValue(3, 25, TOldRowColValueList::Row);
    EXPECT_EQ(m.GetValue(3, TOldRowColValueList::Row), 19); // the oldest
    m.RemRC(3, TOldRowColValueList::Row);                   // drops the newest
    EXPECT_EQ(m.GetValue(3, TOldRowColValueList::Row), 19);
    m.MoveUp(2, TOldRowColValueList::Row);
    EXPECT_EQ(m.GetValue(4, TOldRowColValueList::Row), 19);
    EXPECT_EQ(m.GetValue(3, TOldRowColValueList::Column), 40);
    m.MoveDown(1, TOldRowColValueList::Row);
    m.Move(3, 0, TOldRowColValueList::Row);
    EXPECT_EQ(m.GetValue(0, TOldRowColValueList::Row), 19);
    EXPECT_EQ(m.GetValue(9, TOldRowColValueList::Row), -1);
}

} // namespace
