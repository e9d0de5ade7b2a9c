// The editing side of the sortable grid: row and column operations, the
// selection of data rows by the mouse, validation of edited cells, and
// hiding and showing rows and columns with their sizes remembered.
#include "components/SortGrid.h"

#include <algorithm>

namespace {

constexpr int kRow = TOldRowColValueList::Row;
constexpr int kColumn = TOldRowColValueList::Column;

// Where index goes when the row or column at from moves to to.
int Follow(int index, int from, int to)
{
    if (index == from) return to;
    if (from < index && index <= to) return index - 1;
    if (to <= index && index < from) return index + 1;
    return index;
}

} // namespace

// ---- range check and the suspended editor option ----------------------------------

bool TSortGrid::CheckRange(int From, int To, bool IsRow) const
{
    const int n = IsRow ? RowCount() : ColCount();
    return From >= 0 && From < n && From <= To && To < n;
}

void TSortGrid::SetResetASE(bool Suspend)
{
    if (Suspend) {
        if (aseDepth_++ == 0 && Options().Contains(TGridOption::goAlwaysShowEditor)) {
            TGridOptions o = Options();
            o.Exclude(TGridOption::goAlwaysShowEditor);
            SetOptions(o);
            aseRemoved_ = true;
        }
        return;
    }
    if (aseDepth_ == 0 || --aseDepth_ > 0) return;
    if (aseRemoved_) {
        aseRemoved_ = false;
        TGridOptions o = Options();
        o.Include(TGridOption::goAlwaysShowEditor);
        SetOptions(o);
    }
}

namespace {

// Runs a structural change with the editor option suspended.
class Suspended {
public:
    explicit Suspended(TSortGrid& grid, void (TSortGrid::*set)(bool)) : grid_(grid), set_(set)
    {
        (grid_.*set_)(true);
    }
    ~Suspended() { (grid_.*set_)(false); }
    Suspended(const Suspended&) = delete;
    Suspended& operator=(const Suspended&) = delete;

private:
    TSortGrid& grid_;
    void (TSortGrid::*set_)(bool);
};

} // namespace

// ---- current cell and clearing -------------------------------------------------------

void TSortGrid::MoveTo(int ACol, int ARow)
{
    ACol = std::max(ACol, FixedCols());
    ARow = std::max(ARow, FixedRows());
    if (ACol >= ColCount() || ARow >= RowCount()) return;
    FocusCell(ACol, ARow, true);
}

void TSortGrid::ResetAfterClear()
{
    modified_ = false;
    // Through the glyph, so that it never shows a stale arrow.
    sortDirection_ = TSortDirection::sdAscending;
    SetGSortSymbol();
    sortState_ = TSortState::ssUnsorted;
}

bool TSortGrid::ClearRows(int FromRow, int ToRow)
{
    if (!CheckRange(FromRow, ToRow, true)) return false;
    for (int r = FromRow; r <= ToRow; ++r)
        CellStore().ClearRow(r);
    ResetAfterClear();
    Invalidate();
    return true;
}

void TSortGrid::Clear()
{
    ClearRows(0, RowCount() - 1);
}

void TSortGrid::ClearFrom(int FromRow)
{
    ClearRows(FromRow, RowCount() - 1);
}

bool TSortGrid::ClearCols(int FromCol, int ToCol)
{
    if (!CheckRange(FromCol, ToCol, false)) return false;
    for (int c = FromCol; c <= ToCol; ++c)
        CellStore().ClearColumn(c);
    Invalidate();
    return true;
}

// ---- moving rows and columns ------------------------------------------------------------

void TSortGrid::MoveRow(int FromIndex, int ToIndex)
{
    if (!CheckRange(std::min(FromIndex, ToIndex), std::max(FromIndex, ToIndex), true)) return;
    {
        Suspended s(*this, &TSortGrid::SetResetASE);
        TStringGrid::MoveRow(FromIndex, ToIndex);
    }
    // What belongs to a row follows it: its selection, its remembered size,
    // the anchor and the cell under validation.
    for (int& r : selectedRows_)
        r = Follow(r, FromIndex, ToIndex);
    hidden_.Move(FromIndex, ToIndex, kRow);
    anchorRow_ = Follow(anchorRow_, FromIndex, ToIndex);
    validRow_ = Follow(validRow_, FromIndex, ToIndex);
    sortState_ = TSortState::ssUnsorted;
    Invalidate();
}

void TSortGrid::MoveColumn(int FromIndex, int ToIndex)
{
    if (!CheckRange(std::min(FromIndex, ToIndex), std::max(FromIndex, ToIndex), false)) return;
    {
        Suspended s(*this, &TSortGrid::SetResetASE);
        TStringGrid::MoveColumn(FromIndex, ToIndex);
    }
    hidden_.Move(FromIndex, ToIndex, kColumn);
    validCol_ = Follow(validCol_, FromIndex, ToIndex);
    Invalidate();
}

void TSortGrid::SwapRows(int ARow1, int ARow2)
{
    if (!CheckRange(std::min(ARow1, ARow2), std::max(ARow1, ARow2), true) || ARow1 == ARow2) return;
    const int a = std::min(ARow1, ARow2);
    const int b = std::max(ARow1, ARow2);
    MoveRow(b, a);
    MoveRow(a + 1, b);
}

void TSortGrid::SwapColumns(int ACol1, int ACol2)
{
    if (!CheckRange(std::min(ACol1, ACol2), std::max(ACol1, ACol2), false) || ACol1 == ACol2)
        return;
    const int a = std::min(ACol1, ACol2);
    const int b = std::max(ACol1, ACol2);
    MoveColumn(b, a);
    MoveColumn(a + 1, b);
}

// ---- inserting ----------------------------------------------------------------------------

void TSortGrid::InsertRow(int ARow)
{
    if (!CheckRange(ARow, ARow, true)) return;
    {
        Suspended s(*this, &TSortGrid::SetResetASE);
        SetRowCount(RowCount() + 1);
        // The new last row comes to ARow; rows, sizes and selections after it move down.
        MoveRow(RowCount() - 1, ARow);
        CellStore().ClearRow(ARow);
    }
    SetRow(ARow);
    sortState_ = TSortState::ssUnsorted;
    if (OnRowInsert) OnRowInsert(this, ARow);
}

bool TSortGrid::InsertRows(int ARow, int Count)
{
    if (!CheckRange(ARow, ARow, true)) return false;
    if (Count <= 0) return true;
    if ((static_cast<long long>(RowCount()) + Count) * ColCount() > MaxFileCells) return false;
    for (int k = 0; k < Count; ++k)
        InsertRow(ARow);
    return true;
}

void TSortGrid::InsertColumn(int ACol)
{
    if (!CheckRange(ACol, ACol, false)) return;
    {
        Suspended s(*this, &TSortGrid::SetResetASE);
        SetColCount(ColCount() + 1);
        MoveColumn(ColCount() - 1, ACol);
        CellStore().ClearColumn(ACol);
    }
    SetCol(ACol);
    if (OnColumnInsert) OnColumnInsert(this, ACol);
}

bool TSortGrid::InsertCols(int ACol, int Count)
{
    if (!CheckRange(ACol, ACol, false)) return false;
    if (Count <= 0) return true;
    if ((static_cast<long long>(ColCount()) + Count) * RowCount() > MaxFileCells) return false;
    for (int k = 0; k < Count; ++k)
        InsertColumn(ACol);
    return true;
}

// ---- deleting -----------------------------------------------------------------------------

void TSortGrid::DeleteRow(int ARow)
{
    if (!CheckRange(ARow, ARow, true)) return;
    // The selection loses the row; the rows after it move up one.
    std::erase(selectedRows_, ARow);
    for (int& r : selectedRows_)
        if (r > ARow) --r;
    if (anchorRow_ > ARow) --anchorRow_;
    // The cell under validation is gone with its row.
    if (validRow_ == ARow)
        validRow_ = -1;
    else if (validRow_ > ARow)
        --validRow_;
    CellStore().ClearRow(ARow);
    {
        Suspended s(*this, &TSortGrid::SetResetASE);
        hidden_.RemRC(ARow, kRow);
        hidden_.MoveDown(ARow, kRow);
        TStringGrid::DeleteRow(ARow);
    }
    if (OnRowDelete) OnRowDelete(this, ARow);
    if (RowCount() - FixedRows() < FooterRows()) {
        footerRows_ = RowCount() - FixedRows();
        if (!sortFooter_) keptOut_ = footerRows_;
    }
    Invalidate();
}

bool TSortGrid::RemoveRows(int FromRow, int ToRow)
{
    if (!CheckRange(FromRow, ToRow, true)) return false;
    for (int r = ToRow; r >= FromRow; --r)
        DeleteRow(r);
    return true;
}

void TSortGrid::DeleteColumn(int ACol)
{
    if (!CheckRange(ACol, ACol, false)) return;
    if (validCol_ == ACol)
        validCol_ = -1;
    else if (validCol_ > ACol)
        --validCol_;
    CellStore().ClearColumn(ACol);
    {
        Suspended s(*this, &TSortGrid::SetResetASE);
        hidden_.RemRC(ACol, kColumn);
        hidden_.MoveDown(ACol, kColumn);
        TStringGrid::DeleteColumn(ACol);
    }
    if (OnColumnDelete) OnColumnDelete(this, ACol);
    Invalidate();
}

bool TSortGrid::RemoveCols(int FromCol, int ToCol)
{
    if (!CheckRange(FromCol, ToCol, false)) return false;
    for (int c = ToCol; c >= FromCol; --c)
        DeleteColumn(c);
    return true;
}

// ---- hiding and showing --------------------------------------------------------------------

void TSortGrid::HideRC(int From, int To, int RowCol)
{
    const bool rows = RowCol == kRow;
    if (!CheckRange(From, To, rows)) return;
    for (int i = From; i <= To; ++i) {
        // A row or column already hidden keeps the size it had when shown.
        if (hidden_.GetValue(i, RowCol) >= 0) continue;
        hidden_.SetValue(i, rows ? RowHeights(i) : ColWidths(i), RowCol);
        if (rows)
            SetRowHeights(i, 0);
        else
            SetColWidths(i, 0);
    }
}

void TSortGrid::ShowRC(int From, int To, int RowCol)
{
    const bool rows = RowCol == kRow;
    if (!CheckRange(From, To, rows)) return;
    for (int i = From; i <= To; ++i) {
        if ((rows ? RowHeights(i) : ColWidths(i)) != 0) continue;
        const int size = hidden_.GetValue(i, RowCol);
        if (size < 0) continue;
        hidden_.RemRC(i, RowCol);
        if (rows)
            SetRowHeights(i, size);
        else
            SetColWidths(i, size);
    }
}

void TSortGrid::ShowRows(int FromRow, int ToRow)
{
    ShowRC(FromRow, ToRow, kRow);
}

void TSortGrid::HideRows(int FromRow, int ToRow)
{
    HideRC(FromRow, ToRow, kRow);
}

void TSortGrid::ShowCols(int FromCol, int ToCol)
{
    ShowRC(FromCol, ToCol, kColumn);
}

void TSortGrid::HideCols(int FromCol, int ToCol)
{
    HideRC(FromCol, ToCol, kColumn);
}

// ---- selection ---------------------------------------------------------------------------------

bool TSortGrid::Selected(int row) const
{
    return std::find(selectedRows_.begin(), selectedRows_.end(), row) != selectedRows_.end();
}

void TSortGrid::SetSelected(int row, bool value)
{
    SelectRow(row, value);
}

int TSortGrid::SelItems(int index) const
{
    return index >= 1 && index <= SelectedCount()
               ? selectedRows_[static_cast<std::size_t>(index - 1)]
               : -1;
}

void TSortGrid::InvalidateRow(int ARow)
{
    for (int c = FixedCols(); c < ColCount(); ++c)
        InvalidateCell(c, ARow);
}

void TSortGrid::ToggleRow(int ARow)
{
    if (ARow < FixedRows() || ARow >= RowCount()) return;
    const auto it = std::find(selectedRows_.begin(), selectedRows_.end(), ARow);
    if (it == selectedRows_.end())
        selectedRows_.push_back(ARow);
    else
        selectedRows_.erase(it);
    InvalidateRow(ARow);
}

void TSortGrid::SelectRow(int ARow, bool Select)
{
    if (ARow < FixedRows() || ARow >= RowCount()) return;
    const auto it = std::find(selectedRows_.begin(), selectedRows_.end(), ARow);
    if (Select && it == selectedRows_.end())
        selectedRows_.push_back(ARow);
    else if (!Select && it != selectedRows_.end())
        selectedRows_.erase(it);
    else
        return;
    InvalidateRow(ARow);
}

void TSortGrid::SelectRows(int ARow1, int ARow2, bool Select)
{
    const int from = std::max(std::min(ARow1, ARow2), FixedRows());
    const int to = std::min(std::max(ARow1, ARow2), RowCount() - 1);
    for (int r = from; r <= to; ++r)
        SelectRow(r, Select);
}

void TSortGrid::ClearSelection()
{
    selectedRows_.clear();
    if (Row() >= FixedRows() && Row() < RowCount()) selectedRows_.push_back(Row());
    Invalidate();
}

// ---- mouse selection --------------------------------------------------------------------------

int TSortGrid::DataRowAt(int Y) const
{
    // Above the data rows means the first one scrolled in, below them the
    // last one shown.
    if (RowCount() <= FixedRows()) return -1;
    int bottom = CellRect(0, TopRow()).Top;
    int last = TopRow();
    for (int r = TopRow(); r < RowCount(); ++r) {
        if (RowHeights(r) == 0) continue;
        bottom += RowHeights(r) + GridLineWidth();
        last = r;
        if (Y < bottom || bottom > viewport()->height()) break;
    }
    return last;
}

void TSortGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TStringGrid::MouseDown(Button, Shift, X, Y);
    if (!Options().Contains(TGridOption::goRangeSelect) || Button != TMouseButton::mbLeft) return;
    int col = -1;
    int row = -1;
    MouseToCell(X, Y, col, row);
    if (row < FixedRows() || col < 0) return;
    dragSelecting_ = true;
    lastDragRow_ = row;
    rememberedTopRow_ = TopRow();
    if (Shift.Contains(TShiftFlag::ssCtrl)) {
        ToggleRow(row);
        anchorRow_ = row;
    } else if (Shift.Contains(TShiftFlag::ssShift)) {
        selectedRows_.clear();
        SelectRows(anchorRow_, row, true);
        Invalidate();
    } else {
        selectedRows_.assign(1, row);
        anchorRow_ = row;
        Invalidate();
    }
}

void TSortGrid::MouseMove(TShiftState Shift, int X, int Y)
{
    TStringGrid::MouseMove(Shift, X, Y);
    if (!dragSelecting_) return;
    const int a = std::clamp(anchorRow_, FixedRows(), RowCount() - 1);
    const int l = lastDragRow_;
    const int r = DataRowAt(Y);
    if (r < 0 || r == l) return;
    if ((a <= r && r < l) || (l < r && r <= a)) {
        // Back toward the anchor: the rows beyond the mouse up to the last one go.
        if (r < l)
            SelectRows(r + 1, l, false);
        else
            SelectRows(l, r - 1, false);
    } else if (r < a && a < l) {
        SelectRows(a + 1, l, false);
        SelectRows(r, a, true);
    } else if (l < a && a < r) {
        SelectRows(l, a - 1, false);
        SelectRows(a, r, true);
    } else {
        SelectRows(a, r, true);
    }
    lastDragRow_ = r;
}

void TSortGrid::TopLeftChanged()
{
    TStringGrid::TopLeftChanged();
    if (dragSelecting_ && TopRow() > rememberedTopRow_) {
        // Scrolled down while dragging: the drag reaches the bottom visible row.
        lastDragRow_ = std::min(RowCount() - 1, TopRow() + std::max(1, VisibleRowCount()) - 1);
        SelectRows(std::clamp(anchorRow_, FixedRows(), RowCount() - 1), lastDragRow_, true);
    }
    rememberedTopRow_ = TopRow();
}

// ---- keyboard
// ------------------------------------------------------------------------------------

void TSortGrid::KeyDown(int& Key, TShiftState Shift)
{
    TStringGrid::KeyDown(Key, Shift);
    if (!ExtendedKeys || EditorMode() || Key == 0) return;
    const TShiftState ctrl{TShiftFlag::ssCtrl};
    const TShiftState ctrlShift{TShiftFlag::ssCtrl, TShiftFlag::ssShift};
    if (Shift == ctrl) {
        if (Key == Qt::Key_Insert)
            InsertRow(Row());
        else if (Key == Qt::Key_Delete && RowCount() > FixedRows() + 1)
            DeleteRow(Row());
    } else if (Shift == ctrlShift) {
        if (Key == Qt::Key_Insert)
            InsertColumn(Col());
        else if (Key == Qt::Key_Delete && ColCount() > FixedCols() + 1)
            DeleteColumn(Col());
    }
}

void TSortGrid::KeyPress(QChar& Key)
{
    if (Key == QChar(13)) ValidateCell();
    TStringGrid::KeyPress(Key);
}

// ---- validation
// ----------------------------------------------------------------------------------

void TSortGrid::InitValidate()
{
    validCol_ = Col();
    validRow_ = Row();
    validText_ = Cells(validCol_, validRow_);
    validModified_ = modified_;
}

void TSortGrid::SetEditText(int ACol, int ARow, const std::string& Value)
{
    if (Value != Cells(ACol, ARow)) modified_ = true;
    TStringGrid::SetEditText(ACol, ARow, Value);
}

void TSortGrid::ValidateCell()
{
    // A cell deleted since it was remembered has nothing to validate.
    if (!CellStore().Contains(validCol_, validRow_)) {
        InitValidate();
        return;
    }
    const std::string now(Cells(validCol_, validRow_));
    if (now == validText_) {
        InitValidate();
        return;
    }
    std::string value = now;
    bool valid = true;
    if (OnCellValidate) OnCellValidate(this, validCol_, validRow_, value, valid);
    if (valid) {
        if (value != now) SetCells(validCol_, validRow_, value);
    } else {
        SetCells(validCol_, validRow_, value != now ? value : validText_);
        modified_ = validModified_;
    }
    InitValidate();
}

void TSortGrid::Click()
{
    TStringGrid::Click();
    if (entered_) ValidateCell();
}

void TSortGrid::DoEnter()
{
    TStringGrid::DoEnter();
    entered_ = true;
    InitValidate();
}

void TSortGrid::DoExit()
{
    Click();
    TStringGrid::DoExit();
    entered_ = false;
}
