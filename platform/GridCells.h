// The cell store of the string grid: for every cell a text (bytes, decoded only
// for display) and an attached object pointer (not owned), row by row.
// Plain C++ so that sorting and row operations can be tested without a display.
// Reads outside the grid give an empty text and a null object; writes outside
// it are ignored.
#pragma once

#include <string>
#include <vector>

// One row: a text and an object per column (the framework's Rows[r] string
// list). An empty vector stands for a row of empty texts (null objects): rows
// are given their cells when a cell is first written, so that a grid sized
// for many rows costs nothing until they are filled.
struct TGridRow {
    std::vector<std::string> Texts;
    std::vector<void*> Objects;
};

class TGridCells {
public:
    TGridCells(int colCount = 0, int rowCount = 0);

    int ColCount() const { return colCount_; }
    int RowCount() const { return static_cast<int>(rows_.size()); }
    // New cells are empty; cells beyond the new size are dropped.
    void SetSize(int colCount, int rowCount);

    bool Contains(int col, int row) const
    {
        return col >= 0 && row >= 0 && col < colCount_ && row < RowCount();
    }
    const std::string& Cell(int col, int row) const;
    void SetCell(int col, int row, std::string text);
    void* Object(int col, int row) const;
    void SetObject(int col, int row, void* object);

    const TGridRow& Row(int row) const;
    // Copies texts and objects of `source` into row `row` (the framework's
    // Rows[row]->Assign); missing cells become empty, extra ones are dropped.
    void AssignRow(int row, const TGridRow& source);
    // The same, taking source's cells instead of copying them.
    void AssignRow(int row, TGridRow&& source);
    void ClearRow(int row);
    void ClearColumn(int col);

    // Moves a row or column to another index, shifting those between.
    void MoveRow(int from, int to);
    void MoveColumn(int from, int to);
    void DeleteRow(int row);
    void DeleteColumn(int col);

    // Rearranges rows first .. first + order.size() - 1 so that the row at
    // first + i afterwards is the one that stood at order[i]. order must be a
    // permutation of those row numbers; otherwise nothing changes.
    bool PermuteRows(int first, const std::vector<int>& order);

private:
    int colCount_ = 0;
    std::vector<TGridRow> rows_;
};
