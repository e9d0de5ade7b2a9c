// The enumerations and records of the sortable grid's unit.
#pragma once

#include <functional>
#include <iterator>
#include <string>
#include <vector>

enum class TCellBevelStyle { cbNone, cbRaised, cbLowered };
enum class TVertAlignment { taTopJustify, taBottomJustify, taMiddle };
enum class TSortDirection { sdAscending, sdDescending };
enum class TSortStyle { ssAutomatic, ssAlphabetic, ssNumeric, ssDateTime, ssTime, ssCustom };
enum class TSortSymbol { sgNone, sgArrow, sgGlyph, sgCustom };
enum class TSortState { ssUnsorted, ssSorted };
enum class TAutoSize { asAll, asVisible, asHidden };
enum class TPrintMode { pmPrint, pmPreview, pmPageCount };
// A printed cell's frame: none or a single line.
enum class TBorderStyle { bsNone, bsSingle };

// Negative, zero or positive, like strcmp.
using TSortCompare = std::function<int(const std::string&, const std::string&)>;

struct TSortOptions {
    TSortStyle SortStyle = TSortStyle::ssAutomatic;
    TSortDirection SortDirection = TSortDirection::sdAscending;
    bool SortCaseSensitive = false;
    TSortCompare SortCompare; // used only with ssCustom
};

// One sorted row: the text of the sort column (upper-cased for a
// case-insensitive sort) and the row's index before the sort.
struct TSortedListEntry {
    std::string Str;
    int RowNum = 0;
};

// The entries of the last sort in sorted order, kept for UndoSort.
class TSortedList {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    // The entry at index, or nullptr outside the list.
    const TSortedListEntry* GetItem(int index) const
    {
        return index >= 0 && index < Count() ? &items_[static_cast<std::size_t>(index)] : nullptr;
    }
    void Add(TSortedListEntry entry) { items_.push_back(std::move(entry)); }
    void Reset() { items_.clear(); }
    std::vector<TSortedListEntry>& Items() { return items_; }
    const std::vector<TSortedListEntry>& Items() const { return items_; }

private:
    std::vector<TSortedListEntry> items_;
};

// The sizes of hidden rows and columns: a row or column counts as hidden
// while it has an entry here. Kind: 1 = row, 2 = column.
class TOldRowColValueList {
public:
    static constexpr int Row = 1;
    static constexpr int Column = 2;

    struct Entry {
        int RowCol = Row;
        int Index = 0;
        int Value = 0;
    };

    int Count() const { return static_cast<int>(items_.size()); }
    void SetValue(int index, int value, int rowCol) { items_.push_back({rowCol, index, value}); }
    // The size remembered first for that row or column, or -1.
    int GetValue(int index, int rowCol) const
    {
        for (const Entry& e : items_)
            if (e.RowCol == rowCol && e.Index == index) return e.Value;
        return -1;
    }
    // Forgets the newest entry of that row or column.
    void RemRC(int index, int rowCol)
    {
        for (auto it = items_.rbegin(); it != items_.rend(); ++it)
            if (it->RowCol == rowCol && it->Index == index) {
                items_.erase(std::next(it).base());
                return;
            }
    }
    // A row or column was inserted at index: those from index on move down one.
    void MoveUp(int index, int rowCol)
    {
        for (Entry& e : items_)
            if (e.RowCol == rowCol && e.Index >= index) ++e.Index;
    }
    // The row or column at index was deleted: those after it move up one.
    void MoveDown(int index, int rowCol)
    {
        for (Entry& e : items_)
            if (e.RowCol == rowCol && e.Index > index) --e.Index;
    }
    // The row or column at from was moved to to: the entries follow it.
    void Move(int from, int to, int rowCol)
    {
        for (Entry& e : items_) {
            if (e.RowCol != rowCol) continue;
            if (e.Index == from)
                e.Index = to;
            else if (from < e.Index && e.Index <= to)
                --e.Index;
            else if (to <= e.Index && e.Index < from)
                ++e.Index;
        }
    }
    void Reset() { items_.clear(); }

private:
    std::vector<Entry> items_;
};
