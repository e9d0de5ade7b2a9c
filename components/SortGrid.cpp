#include "components/SortGrid.h"

#include "platform/WaitCursor.h"

#include <algorithm>
#include <utility>

namespace {
const TPrintOptions* InitialPrintOptions = nullptr;
} // namespace

const TPrintOptions* SetInitialPrintOptions(const TPrintOptions* options)
{
    return std::exchange(InitialPrintOptions, options);
}

TSortGrid::TSortGrid(QWidget* parent) : TStringGrid(parent)
{
    if (InitialPrintOptions) printOptions_ = *InitialPrintOptions;
    footerFont_ = Font();
    printOptions_.HeaderSize = Font().Size() + 2;
    printOptions_.FooterSize = std::max(0, footerFont_.Size() - 1);
    if (RowCount() > FixedRows()) selectedRows_.push_back(FixedRows());
    anchorRow_ = lastDragRow_ = FixedRows();
    rememberedTopRow_ = TopRow();
    savedFont_ = Canvas.Font;
    savedBrush_ = Canvas.Brush;
    InitValidate();
}

TSortGrid::~TSortGrid() = default;

// ---- properties ------------------------------------------------------------------

void TSortGrid::SetAlignmentHorz(TAlignment value)
{
    alignmentHorz_ = value;
    InvalidateGrid();
}

void TSortGrid::SetAlignmentVert(TVertAlignment value)
{
    alignmentVert_ = value;
    InvalidateGrid();
}

void TSortGrid::SetBevelStyle(TCellBevelStyle value)
{
    bevelStyle_ = value;
    InvalidateGrid();
}

void TSortGrid::SetProportionalScrollBars(bool value)
{
    proportionalScrollBars_ = value;
    UpdateScrollPage();
}

void TSortGrid::SetSortSymbol(TSortSymbol value)
{
    if (value == sortSymbol_) return;
    sortSymbol_ = value;
    SetGSortSymbol();
    InvalidateHeaderRow();
}

void TSortGrid::SetSortSpacingHor(int value)
{
    if (value == sortSpacingHor_) return;
    sortSpacingHor_ = value;
    InvalidateHeaderRow();
}

void TSortGrid::SetSortSpacingVert(int value)
{
    if (value == sortSpacingVert_) return;
    sortSpacingVert_ = value;
    InvalidateHeaderRow();
}

void TSortGrid::SetSortDirection(TSortDirection value)
{
    if (value == sortDirection_) return;
    sortDirection_ = value;
    SetGSortSymbol();
    InvalidateHeaderRow();
}

void TSortGrid::SetSortBitMapA(const QImage& value)
{
    if (&value == &sortBitMapA_) return;
    sortBitMapA_ = value;
    SetGSortSymbol();
    InvalidateHeaderRow();
}

void TSortGrid::SetSortBitMapD(const QImage& value)
{
    if (&value == &sortBitMapD_) return;
    sortBitMapD_ = value;
    SetGSortSymbol();
    InvalidateHeaderRow();
}

void TSortGrid::SetSortColumn(int value)
{
    if (value == sortColumn_ || value < 0 || value >= ColCount()) return;
    sortColumn_ = value;
    InvalidateHeaderRow();
}

void TSortGrid::SetSortOnClick(bool value)
{
    if (value == sortOnClick_) return;
    sortOnClick_ = value;
    InvalidateHeaderRow();
}

void TSortGrid::SetSortFooter(bool value)
{
    sortFooter_ = value;
    keptOut_ = value ? 0 : footerRows_;
}

void TSortGrid::SetFooterRows(int value)
{
    if (value < 0 || value > RowCount() - FixedRows() || value == footerRows_) return;
    InvalidateFooter(std::max(value, footerRows_));
    footerRows_ = value;
    if (!sortFooter_) keptOut_ = footerRows_;
}

void TSortGrid::SetFooterColor(TColor value)
{
    if (value == footerColor_) return;
    footerColor_ = value;
    InvalidateFooter(footerRows_);
}

void TSortGrid::SetFooterFont(const TFont& value)
{
    if (&value == &footerFont_) return;
    footerFont_.Assign(value);
    InvalidateFooter(footerRows_);
}

void TSortGrid::SetFooterBevelStyle(TCellBevelStyle value)
{
    if (value == footerBevelStyle_) return;
    footerBevelStyle_ = value;
    InvalidateFooter(footerRows_);
}

void TSortGrid::SetWordWrap(bool value)
{
    if (value == wordWrap_) return;
    wordWrap_ = value;
    InvalidateGrid();
}

int TSortGrid::RowsKeptOut() const
{
    // FooterRows can outgrow the data rows when RowCount is lowered directly.
    return std::clamp(keptOut_, 0, std::max(0, RowCount() - FixedRows()));
}

TSortRows TSortGrid::SortedRows() const
{
    return {FixedRows(), RowCount() - 1 - RowsKeptOut()};
}

bool TSortGrid::IsFooterRow(int row) const
{
    const int band = std::clamp(footerRows_, 0, std::max(0, RowCount() - FixedRows()));
    return row > RowCount() - 1 - band;
}

void TSortGrid::InvalidateHeaderRow()
{
    for (int c = FixedCols(); c < ColCount(); ++c)
        InvalidateCell(c, 0);
    // The glyph can stand in a fixed column too.
    for (int c = 0; c < FixedCols(); ++c)
        InvalidateCell(c, 0);
}

void TSortGrid::InvalidateFooter(int bandRows)
{
    for (int r = std::max(0, RowCount() - bandRows); r < RowCount(); ++r)
        for (int c = FixedCols(); c < ColCount(); ++c)
            InvalidateCell(c, r);
}

// ---- sorting ---------------------------------------------------------------------

void TSortGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    // Sorting comes first, while a column sizing that ends with this release
    // still shows in the grid state.
    if (Focused() && sortOnClick_ && GridState() == TGridState::gsNormal && FixedRows() >= 1 &&
        Shift.Empty()) {
        int col = -1;
        int row = -1;
        MouseToCell(X, Y, col, row);
        if (row >= 0 && row < FixedRows() && col >= 0) {
            TSortOptions options;
            options.SortStyle = TSortStyle::ssAutomatic;
            options.SortDirection = Button == TMouseButton::mbRight ? TSortDirection::sdDescending
                                                                    : TSortDirection::sdAscending;
            options.SortCaseSensitive = CaseSensitive;
            if (OnClickSort) OnClickSort(this, col, row, options);
            WaitCursor wait;
            // Nothing may leave a mouse handler by an exception; a failed sort
            // leaves the rows as the sort left them.
            try {
                SortByColumn(col, options);
            } catch (...) {
            }
        }
    }
    TStringGrid::MouseUp(Button, Shift, X, Y);
    dragSelecting_ = false;
}

void TSortGrid::SortByColumn(int ACol, TSortOptions SortOptions)
{
    // A column outside the grid sorts nothing; nor does a handler that
    // starts another sort while one runs.
    if (ACol < 0 || ACol >= ColCount() || sorting_) return;
    if (EditorMode() || RowCount() <= FixedRows() + 1) return;
    struct Running {
        bool& flag;
        explicit Running(bool& f) : flag(f) { flag = true; }
        ~Running() { flag = false; }
    } running(sorting_);
    if (SortOptions.SortStyle == TSortStyle::ssAutomatic)
        SortOptions.SortStyle = DetermineSortStyle(ACol);
    if (OnBeginSort) OnBeginSort(this, ACol, SortOptions);
    ListQuickSort(ACol, SortOptions);
    if (OnEndSort) OnEndSort(this, ACol);
}

TSortStyle TSortGrid::DetermineSortStyle(int ACol)
{
    return DetectSortStyle(CellStore(), ACol, SortedRows(), UseDateTime, FormatSettings);
}

void TSortGrid::ListQuickSort(int ACol, TSortOptions& SortOptions)
{
    if (ACol < 0 || ACol >= ColCount()) return;
    sortedList_.Reset();
    SetSortDirection(SortOptions.SortDirection);
    sortColumn_ = ACol;
    const int currentRow = Row();
    if (!SortRowsByColumn(CellStore(), ACol, SortedRows(), SortOptions, FormatSettings, Codec(),
                          sortedList_))
        return;
    // The cell under validation follows its row, so that a sort is never
    // taken for an edit; so does the current cell (on a footer row it stays).
    int target = -1;
    const int validRow = validRow_;
    for (int i = 0; i < sortedList_.Count(); ++i) {
        const int from = sortedList_.GetItem(i)->RowNum;
        if (from == validRow) validRow_ = FixedRows() + i;
        if (from == currentRow) target = FixedRows() + i;
    }
    if (target >= 0) MoveTo(Col(), target);
    sortState_ = TSortState::ssSorted;
    Invalidate();
}

bool TSortGrid::CanUndoSort()
{
    // Only the order of the last sort can be undone, and only while the rows
    // it sorted are all still there. After a sort that kept footer rows out,
    // the list matches the rows it moved.
    const TSortRows rows = SortedRows();
    const int expected = std::max(0, rows.Last - rows.First + 1);
    if (sortState_ == TSortState::ssSorted && sortedList_.Count() > 0 &&
        sortedList_.Count() == expected)
        return true;
    sortedList_.Reset();
    return false;
}

void TSortGrid::UndoSort()
{
    if (CanUndoSort()) {
        const int index = Row() - FixedRows();
        const TSortedListEntry* entry = sortedList_.GetItem(index);
        const int target = entry ? entry->RowNum : Row();
        const TSortedListEntry* valid = sortedList_.GetItem(validRow_ - FixedRows());
        const int validTarget = valid ? valid->RowNum : validRow_;
        if (UnsortRows(CellStore(), SortedRows(), sortedList_)) {
            validRow_ = validTarget;
            MoveTo(Col(), target);
        }
        sortedList_.Reset();
        Invalidate();
    }
    sortState_ = TSortState::ssUnsorted;
}

// ---- events ------------------------------------------------------------------------

bool TSortGrid::SelectCell(int ACol, int ARow)
{
    return TStringGrid::SelectCell(ACol, ARow);
}

void TSortGrid::MouseEnter()
{
    if (OnMouseEnter) OnMouseEnter(this);
}

void TSortGrid::MouseLeave()
{
    if (OnMouseLeave) OnMouseLeave(this);
}
