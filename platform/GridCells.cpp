#include "platform/GridCells.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

const TGridRow kEmptyRow;

// Packed rows are written into blocks of this size; a larger row, or one with
// more than 0xFFFF bytes of text, is kept as strings.
constexpr std::size_t BlockBytes = std::size_t{1} << 20;
constexpr std::size_t MaxPackedOffset = 0xFFFF;

std::uint16_t ReadU16(const char* at)
{
    std::uint16_t v = 0;
    std::memcpy(&v, at, sizeof v);
    return v;
}

void WriteU16(char* at, std::size_t v)
{
    const auto u = static_cast<std::uint16_t>(v);
    std::memcpy(at, &u, sizeof u);
}

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

struct TGridCells::Block {
    char Bytes[BlockBytes];
};

TGridCells::TGridCells(int colCount, int rowCount)
{
    SetSize(colCount, rowCount);
}

TGridCells::TGridCells(const TGridCells& other)
    : colCount_(other.colCount_), blocks_(other.blocks_), packedRows_(other.packedRows_)
{
    rows_.resize(other.rows_.size());
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const RowData& from = other.rows_[i];
        if (from.Own) rows_[i].Own = std::make_unique<TGridRow>(*from.Own);
        rows_[i].Block = from.Block;
        rows_[i].At = from.At;
    }
    // The blocks are shared: new packed rows go to a block of this copy's own.
    blockUsed_ = BlockBytes;
}

TGridCells& TGridCells::operator=(const TGridCells& other)
{
    if (this != &other) *this = TGridCells(other);
    return *this;
}

TGridCells::~TGridCells() = default;

void TGridCells::Drop(RowData& r)
{
    r.Own.reset();
    if (r.Block == 0) return;
    r.Block = 0;
    r.At = 0;
    // With no packed row left the blocks go.
    if (--packedRows_ == 0) {
        blocks_.clear();
        blockUsed_ = 0;
    }
}

void TGridCells::SetSize(int colCount, int rowCount)
{
    // New rows get their cells when written; rows that keep their width are
    // left alone, so that growing a grid stays linear in its final size.
    const int cols = std::max(0, colCount);
    const bool widthChanged = cols != colCount_;
    const auto rows = static_cast<std::size_t>(std::max(0, rowCount));
    for (std::size_t i = rows; i < rows_.size(); ++i)
        Drop(rows_[i]);
    rows_.resize(rows);
    // Packed rows hold cells up to the width they were written with: fewer
    // columns would let the dropped cells come back with more.
    if (cols < colCount_) UnpackAll();
    colCount_ = cols;
    if (widthChanged)
        for (RowData& r : rows_)
            if (r.Own) ResizeRow(*r.Own, colCount_);
}

void TGridCells::Reserve(int rowCount)
{
    rows_.reserve(static_cast<std::size_t>(std::max(0, rowCount)));
}

std::string_view TGridCells::PackedCell(const RowData& r, int col) const
{
    const char* base = blocks_[r.Block - 1]->Bytes + r.At;
    const int n = ReadU16(base);
    if (col >= n) return {};
    const std::size_t start = col == 0 ? 0 : ReadU16(base + 2 * col);
    const std::size_t end = ReadU16(base + 2 + 2 * col);
    return std::string_view(base + 2 + 2 * n + start, end - start);
}

std::string_view TGridCells::Cell(int col, int row) const
{
    if (!Contains(col, row)) return {};
    const RowData& r = rows_[row];
    if (r.Own) return r.Own->Texts.empty() ? std::string_view() : r.Own->Texts[col];
    return r.Block != 0 ? PackedCell(r, col) : std::string_view();
}

TGridRow& TGridCells::Unpack(RowData& r)
{
    if (r.Own) return *r.Own;
    auto own = std::make_unique<TGridRow>();
    if (r.Block != 0) {
        own->Texts.resize(static_cast<std::size_t>(colCount_));
        for (int c = 0; c < colCount_; ++c)
            own->Texts[c] = std::string(PackedCell(r, c));
        Drop(r);
    }
    r.Own = std::move(own);
    return *r.Own;
}

void TGridCells::UnpackAll()
{
    for (RowData& r : rows_)
        if (r.Block != 0) Unpack(r);
}

void TGridCells::SetCell(int col, int row, std::string text)
{
    if (!Contains(col, row)) return;
    RowData& r = rows_[row];
    if (!r.Own && r.Block == 0 && text.empty()) return;
    std::vector<std::string>& texts = Unpack(r).Texts;
    if (texts.empty()) {
        if (text.empty()) return;
        texts.resize(static_cast<std::size_t>(colCount_));
    }
    texts[col] = std::move(text);
}

void* TGridCells::Object(int col, int row) const
{
    if (!Contains(col, row)) return nullptr;
    const RowData& r = rows_[row];
    if (!r.Own || r.Own->Objects.empty()) return nullptr;
    return r.Own->Objects[col];
}

void TGridCells::SetObject(int col, int row, void* object)
{
    if (!Contains(col, row)) return;
    RowData& r = rows_[row];
    if (!r.Own && !object) return;
    std::vector<void*>& objects = Unpack(r).Objects;
    if (objects.empty()) {
        if (!object) return;
        objects.resize(static_cast<std::size_t>(colCount_), nullptr);
    }
    objects[col] = object;
}

void TGridCells::SetRowTexts(int row, std::span<const std::string> texts)
{
    if (row < 0 || row >= RowCount()) return;
    const std::size_t n = std::min(texts.size(), static_cast<std::size_t>(colCount_));
    std::size_t text = 0;
    for (std::size_t c = 0; c < n; ++c)
        text += texts[c].size();
    const std::size_t size = 2 + 2 * n + text;
    RowData& r = rows_[row];
    if (text > MaxPackedOffset || size > BlockBytes) {
        TGridRow own;
        own.Texts.assign(texts.begin(), texts.begin() + static_cast<std::ptrdiff_t>(n));
        AssignRow(row, std::move(own));
        return;
    }
    Drop(r);
    if (blocks_.empty() || blockUsed_ + size > BlockBytes) {
        blocks_.push_back(std::shared_ptr<Block>(new Block));
        blockUsed_ = 0;
    }
    char* at = blocks_.back()->Bytes + blockUsed_;
    WriteU16(at, n);
    char* data = at + 2 + 2 * n;
    std::size_t end = 0;
    for (std::size_t c = 0; c < n; ++c) {
        std::memcpy(data + end, texts[c].data(), texts[c].size());
        end += texts[c].size();
        WriteU16(at + 2 + 2 * c, end);
    }
    r.Block = static_cast<std::uint32_t>(blocks_.size());
    r.At = static_cast<std::uint32_t>(blockUsed_);
    blockUsed_ += size;
    ++packedRows_;
}

TGridRow TGridCells::Row(int row) const
{
    if (row < 0 || row >= RowCount()) return kEmptyRow;
    const RowData& r = rows_[row];
    if (r.Own) return *r.Own;
    TGridRow copy;
    if (r.Block != 0)
        for (int c = 0; c < colCount_; ++c)
            copy.Texts.emplace_back(PackedCell(r, c));
    return copy;
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
    RowData& r = rows_[row];
    Drop(r);
    r.Own = std::make_unique<TGridRow>(std::move(source));
}

void TGridCells::ClearRow(int row)
{
    if (row < 0 || row >= RowCount()) return;
    RowData& r = rows_[row];
    if (!r.Own) {
        Drop(r);
        return;
    }
    for (auto& t : r.Own->Texts)
        t.clear();
    std::fill(r.Own->Objects.begin(), r.Own->Objects.end(), nullptr);
}

void TGridCells::ClearColumn(int col)
{
    if (col < 0 || col >= colCount_) return;
    UnpackAll();
    for (RowData& r : rows_) {
        if (!r.Own) continue;
        if (!r.Own->Texts.empty()) r.Own->Texts[col].clear();
        if (!r.Own->Objects.empty()) r.Own->Objects[col] = nullptr;
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
    UnpackAll();
    for (RowData& r : rows_) {
        if (!r.Own) continue;
        if (!r.Own->Texts.empty()) MoveElement(r.Own->Texts, from, to);
        if (!r.Own->Objects.empty()) MoveElement(r.Own->Objects, from, to);
    }
}

void TGridCells::DeleteRow(int row)
{
    if (row < 0 || row >= RowCount()) return;
    Drop(rows_[row]);
    rows_.erase(rows_.begin() + row);
}

void TGridCells::DeleteColumn(int col)
{
    if (col < 0 || col >= colCount_) return;
    UnpackAll();
    for (RowData& r : rows_) {
        if (!r.Own) continue;
        if (!r.Own->Texts.empty()) r.Own->Texts.erase(r.Own->Texts.begin() + col);
        if (!r.Own->Objects.empty()) r.Own->Objects.erase(r.Own->Objects.begin() + col);
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
    std::vector<RowData> moved;
    moved.reserve(static_cast<std::size_t>(n));
    for (int src : order)
        moved.push_back(std::move(rows_[src]));
    std::move(moved.begin(), moved.end(), rows_.begin() + first);
    return true;
}
