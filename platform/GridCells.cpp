#include "platform/GridCells.h"

#include <algorithm>
#include <utility>

namespace {

const std::string kEmptyText;
const TGridRow kEmptyRow;

// A row's texts (objects) are either none, or one per column.
void ResizeRow(TGridRow& r, int cols)
{
    if (!r.Texts.empty()) r.Texts.resize(static_cast<std::size_t>(cols));
    if (!r.Objects.empty()) r.Objects.resize(static_cast<std::size_t>(cols), nullptr);
}

template <typename V>
void MoveElement(V& v, int from, int to)
{
    auto f = v.begin() + from;
    auto t = v.begin() + to;
    if (from < to)
        std::rotate(f, f + 1, t + 1);
    else
        std::rotate(t, f, f + 1);
}

} // namespace

TGridCells::TGridCells(int colCount, int rowCount)
{
    SetSize(colCount, rowCount);
}

void TGridCells::SetSize(int colCount, int rowCount)
{
    // New rows get their cells when written; rows that keep their width are
    // left alone, so that growing a grid stays linear in its final size.
    const bool widthChanged = std::max(0, colCount) != colCount_;
    colCount_ = std::max(0, colCount);
    rows_.resize(static_cast<std::size_t>(std::max(0, rowCount)));
    if (widthChanged)
        for (TGridRow& r : rows_)
            ResizeRow(r, colCount_);
}

const std::string& TGridCells::Cell(int col, int row) const
{
    if (!Contains(col, row) || rows_[row].Texts.empty()) return kEmptyText;
    return rows_[row].Texts[col];
}

void TGridCells::SetCell(int col, int row, std::string text)
{
    if (!Contains(col, row)) return;
    std::vector<std::string>& texts = rows_[row].Texts;
    if (texts.empty()) {
        if (text.empty()) return;
        texts.resize(static_cast<std::size_t>(colCount_));
    }
    texts[col] = std::move(text);
}

void* TGridCells::Object(int col, int row) const
{
    if (!Contains(col, row) || rows_[row].Objects.empty()) return nullptr;
    return rows_[row].Objects[col];
}

void TGridCells::SetObject(int col, int row, void* object)
{
    if (!Contains(col, row)) return;
    std::vector<void*>& objects = rows_[row].Objects;
    if (objects.empty()) {
        if (!object) return;
        objects.resize(static_cast<std::size_t>(colCount_), nullptr);
    }
    objects[col] = object;
}

const TGridRow& TGridCells::Row(int row) const
{
    return row >= 0 && row < RowCount() ? rows_[row] : kEmptyRow;
}

void TGridCells::AssignRow(int row, const TGridRow& source)
{
    if (row < 0 || row >= RowCount()) return;
    AssignRow(row, TGridRow(source));
}

void TGridCells::AssignRow(int row, TGridRow&& source)
{
    if (row < 0 || row >= RowCount()) return;
    ResizeRow(source, colCount_);
    rows_[row] = std::move(source);
}

void TGridCells::ClearRow(int row)
{
    if (row < 0 || row >= RowCount()) return;
    for (auto& t : rows_[row].Texts)
        t.clear();
    std::fill(rows_[row].Objects.begin(), rows_[row].Objects.end(), nullptr);
}

void TGridCells::ClearColumn(int col)
{
    if (col < 0 || col >= colCount_) return;
    for (TGridRow& r : rows_) {
        if (!r.Texts.empty()) r.Texts[col].clear();
        if (!r.Objects.empty()) r.Objects[col] = nullptr;
    }
}

void TGridCells::MoveRow(int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= RowCount() || to >= RowCount()) return;
    MoveElement(rows_, from, to);
}

void TGridCells::MoveColumn(int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= colCount_ || to >= colCount_) return;
    for (TGridRow& r : rows_) {
        if (!r.Texts.empty()) MoveElement(r.Texts, from, to);
        if (!r.Objects.empty()) MoveElement(r.Objects, from, to);
    }
}

void TGridCells::DeleteRow(int row)
{
    if (row < 0 || row >= RowCount()) return;
    rows_.erase(rows_.begin() + row);
}

void TGridCells::DeleteColumn(int col)
{
    if (col < 0 || col >= colCount_) return;
    for (TGridRow& r : rows_) {
        if (!r.Texts.empty()) r.Texts.erase(r.Texts.begin() + col);
        if (!r.Objects.empty()) r.Objects.erase(r.Objects.begin() + col);
    }
    --colCount_;
}

bool TGridCells::PermuteRows(int first, const std::vector<int>& order)
{
    const int n = static_cast<int>(order.size());
    if (first < 0 || first + n > RowCount()) return false;
    std::vector<char> used(static_cast<std::size_t>(n), 0);
    for (int src : order) {
        const int i = src - first;
        if (i < 0 || i >= n || used[i]) return false;
        used[i] = 1;
    }
    std::vector<TGridRow> moved;
    moved.reserve(static_cast<std::size_t>(n));
    for (int src : order)
        moved.push_back(std::move(rows_[src]));
    std::move(moved.begin(), moved.end(), rows_.begin() + first);
    return true;
}
