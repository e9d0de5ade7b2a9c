#include "platform/GridCells.h"

#include <algorithm>
#include <utility>

namespace {

const std::string kEmptyText;
const TGridRow kEmptyRow;

void ResizeRow(TGridRow& r, int cols)
{
    r.Texts.resize(static_cast<std::size_t>(cols));
    r.Objects.resize(static_cast<std::size_t>(cols), nullptr);
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
    colCount_ = std::max(0, colCount);
    // Rows that keep their width are left alone, so that growing a grid a
    // few rows at a time stays linear in its final size.
    std::size_t sized = rows_.size();
    if (!rows_.empty() && static_cast<int>(rows_.front().Texts.size()) != colCount_) sized = 0;
    rows_.resize(static_cast<std::size_t>(std::max(0, rowCount)));
    for (std::size_t r = std::min(sized, rows_.size()); r < rows_.size(); ++r)
        ResizeRow(rows_[r], colCount_);
}

const std::string& TGridCells::Cell(int col, int row) const
{
    return Contains(col, row) ? rows_[row].Texts[col] : kEmptyText;
}

void TGridCells::SetCell(int col, int row, std::string text)
{
    if (Contains(col, row)) rows_[row].Texts[col] = std::move(text);
}

void* TGridCells::Object(int col, int row) const
{
    return Contains(col, row) ? rows_[row].Objects[col] : nullptr;
}

void TGridCells::SetObject(int col, int row, void* object)
{
    if (Contains(col, row)) rows_[row].Objects[col] = object;
}

const TGridRow& TGridCells::Row(int row) const
{
    return row >= 0 && row < RowCount() ? rows_[row] : kEmptyRow;
}

void TGridCells::AssignRow(int row, const TGridRow& source)
{
    if (row < 0 || row >= RowCount()) return;
    TGridRow r = source;
    ResizeRow(r, colCount_);
    rows_[row] = std::move(r);
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
        r.Texts[col].clear();
        r.Objects[col] = nullptr;
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
        MoveElement(r.Texts, from, to);
        MoveElement(r.Objects, from, to);
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
        r.Texts.erase(r.Texts.begin() + col);
        r.Objects.erase(r.Objects.begin() + col);
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
