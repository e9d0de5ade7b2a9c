// The cell store of the string grid: for every cell a text (bytes, decoded only
// for display) and an attached object pointer (not owned), row by row.
// Plain C++ so that sorting and row operations can be tested without a display.
// Reads outside the grid give an empty text and a null object; writes outside
// it are ignored.
//
// A row is stored one of two ways. Written cell by cell it holds a string per
// cell. Written whole by SetRowTexts (a list of a million lines) its texts
// stand one after another in large blocks of text shared by the store, with
// their end offsets; the row costs a few bytes beyond its text. A packed row
// becomes a row of strings when one of its cells or objects is written, and
// column operations unpack every row. Texts are read as views: a view stays
// valid until its cell (or its row or column) is next changed.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
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
    TGridCells(const TGridCells& other);
    TGridCells& operator=(const TGridCells& other);
    TGridCells(TGridCells&&) noexcept = default;
    TGridCells& operator=(TGridCells&&) noexcept = default;
    ~TGridCells();

    int ColCount() const { return colCount_; }
    int RowCount() const { return static_cast<int>(rows_.size()); }
    // New cells are empty; cells beyond the new size are dropped.
    void SetSize(int colCount, int rowCount);
    // Room for rowCount rows without growing again.
    void Reserve(int rowCount);

    bool Contains(int col, int row) const
    {
        return col >= 0 && row >= 0 && col < colCount_ && row < RowCount();
    }
    std::string_view Cell(int col, int row) const;
    void SetCell(int col, int row, std::string text);
    void* Object(int col, int row) const;
    void SetObject(int col, int row, void* object);
    // Replaces the texts of row with texts (missing cells empty, extra ones
    // dropped) and its objects with null, packed into the store's blocks.
    void SetRowTexts(int row, std::span<const std::string> texts);

    // A copy of the row's texts and objects.
    TGridRow Row(int row) const;
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
    // A row: its strings (Own), or its packed texts at Block - 1, offset At
    // (Block 0: none), or neither (all empty).
    struct RowData {
        std::unique_ptr<TGridRow> Own;
        std::uint32_t Block = 0;
        std::uint32_t At = 0;
    };
    struct Block;

    // The packed texts of a row: its cell count, end offsets and text.
    std::string_view PackedCell(const RowData& r, int col) const;
    // Turns a packed row into a row of strings one per column.
    TGridRow& Unpack(RowData& r);
    void UnpackAll();
    void Drop(RowData& r);

    int colCount_ = 0;
    std::vector<RowData> rows_;
    std::vector<std::shared_ptr<Block>> blocks_;
    std::size_t blockUsed_ = 0; // bytes written in the last block
    std::size_t packedRows_ = 0;
};
