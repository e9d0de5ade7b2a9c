// Validation of edited cells when the focus leaves the grid during an edit
// and comes back, driven by mouse clicks and typed keys in a window that
// holds the grid and a line edit.
#include "components/SortGrid.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

class LeavingTheGrid : public ::testing::Test {
protected:
    LeavingTheGrid()
    {
        auto* layout = new QVBoxLayout(&window_);
        grid_ = new TSortGrid(&window_);
        other_ = new QLineEdit(&window_);
        layout->addWidget(grid_);
        layout->addWidget(other_);
        grid_->SetColCount(3);
        grid_->SetRowCount(4);
        grid_->SetDefaultRowHeight(19);
        grid_->SetOptions(grid_->Options() + TGridOptions{TGridOption::goEditing});
        for (int r = 1; r < 4; ++r)
            for (int c = 1; c < 3; ++c)
                grid_->SetCells(c, r, std::to_string(10 * r + c));
        // A column of digits only: anything else is put back.
        grid_->OnCellValidate = [this](QObject*, int, int, std::string& value, bool& valid) {
            ++validations_;
            valid = std::all_of(value.begin(), value.end(),
                                [](char c) { return c >= '0' && c <= '9'; });
        };
        grid_->OnEnter = [this](QObject*) { ++enters_; };
        window_.resize(400, 300);
        window_.show();
        window_.activateWindow();
        QApplication::processEvents();
    }

    void ClickCell(int col, int row)
    {
        const TRect r = grid_->CellRect(col, row);
        QTest::mouseClick(grid_->viewport(), Qt::LeftButton, {},
                          QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
        QApplication::processEvents();
    }
    void ClickOther()
    {
        QTest::mouseClick(other_, Qt::LeftButton, {}, QPoint(5, 5));
        QApplication::processEvents();
    }
    // Each key to whatever holds the focus then: the first may open the editor.
    void Type(const char* text)
    {
        for (; *text; ++text) {
            QTest::keyClick(QApplication::focusWidget(), *text);
            QApplication::processEvents();
        }
    }
    QLineEdit* Editor() const { return grid_->findChild<QLineEdit*>(); }

    QWidget window_;
    TSortGrid* grid_ = nullptr;
    QLineEdit* other_ = nullptr;
    int validations_ = 0;
    int enters_ = 0;
};

TEST_F(LeavingTheGrid, ValidationRunsOnEveryExitAndClickAndTheEditorFollows)
{
    ClickCell(1, 1);
    Type("xyz");
    ClickOther();
    EXPECT_EQ(grid_->Cells(1, 1), "11");
    // The editor stays open and shows what the cell holds.
    ASSERT_TRUE(grid_->EditorMode());
    EXPECT_EQ(Editor()->text(), QStringLiteral("11"));

    // Back by a click into the open editor: leaving validates again.
    QTest::mouseClick(Editor(), Qt::LeftButton, {}, QPoint(Editor()->width() - 2, 5));
    ASSERT_EQ(QApplication::focusWidget(), Editor());
    Type("q");
    ClickOther();
    EXPECT_EQ(grid_->Cells(1, 1), "11");

    // Back by a click on another cell: the grid is entered, and leaving it
    // and a click validate again.
    const int enters = enters_;
    ClickCell(2, 2);
    EXPECT_EQ(enters_, enters + 1);
    Type("abc");
    ClickOther();
    EXPECT_EQ(grid_->Cells(2, 2), "22");
    ClickCell(1, 3);
    Type("qr");
    ClickCell(2, 3);
    EXPECT_EQ(grid_->Cells(1, 3), "31");
    EXPECT_EQ(validations_, 4);
}

} // namespace
