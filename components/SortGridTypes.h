// The enumerations and records of the sortable grid's unit.
#pragma once

#include <functional>
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

// Negative, zero or positive, like strcmp.
using TSortCompare = std::function<int(const std::string&, const std::string&)>;

struct TSortOptions {
    TSortStyle SortStyle = TSortStyle::ssAutomatic;
    TSortDirection SortDirection = TSortDirection::sdAscending;
    bool SortCaseSensitive = false;
    TSortCompare SortCompare;  // used only with ssCustom
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
