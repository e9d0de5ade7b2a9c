#include "app/MoveTree.h"

#include "database/MoveNotation.h"
#include "database/NagGlyphs.h"
#include "rules/Board.h"
#include "rules/GameStore.h"
#include "rules/Navigation.h"

#include <algorithm>

namespace {

constexpr int NumberColumnWidth = 36;

// The entry of ply r's group shown in column col (1 the main continuation),
// -1 past the group's end.
int GroupEntry(int r, int col)
{
    const int group = Positions[r].AlternativesIndex;
    if (group < 0) return col == 1 ? Positions[r].PlayedNode : -1;
    for (int k = group, c = 1; k < LineAlternativeCount && LineAlternatives[k] != -1; ++k, ++c)
        if (c == col) return LineAlternatives[k];
    return -1;
}

bool IsLineCell(int r, int col)
{
    return Positions[r].AlternativesIndex < 0 || GroupEntry(r, col) == Positions[r].PlayedNode;
}

std::string MoveNumberText(int r)
{
    const int blackFirst = Positions[0].SideToMove != 0 ? 1 : 0;
    return std::to_string((blackFirst + r) / 2 + FirstMoveNumber);
}

void ScrollToRow(TStringGrid& grid, int row)
{
    const int visible = grid.VisibleRowCount();
    if (row - visible + 1 > grid.TopRow())
        grid.SetTopRow(std::min(row - visible + 3, std::max(grid.RowCount() - visible, 0)));
    else if (row < grid.TopRow())
        grid.SetTopRow(row >= 1 ? row - 1 : 0);
}

} // namespace

std::string MoveCellText(int ply, int node)
{
    if (node < 0 || node >= MoveNodeCount || MoveNodes[node].Kind != NodeKind::nkMove) return {};
    std::string text = FormatMoveText(ply, MoveNodes[node].Code);
    for (int i = node + 1; i < MoveNodeCount && MoveNodes[i].Kind == NodeKind::nkNag; ++i) {
        const int nag = MoveNodes[i].Code;
        if (nag == 0) continue;
        const std::string_view glyph = NagGlyphText(nag);
        if (nag == 140 || nag == 142)
            text.insert(0, glyph);
        else
            text.append(glyph);
    }
    return text;
}

TColor TreeTint(int branchCount)
{
    const int n = std::max(branchCount, 0);
    return 0x90FF68 + std::min(151, (176 / (n + 1)) * n);
}

void FillMoveGrid(TStringGrid& grid)
{
    // Cells are written to the store and the grid repainted once at the end.
    TGridCells& cells = grid.CellStore();
    for (int c = 0; c < grid.ColCount(); ++c)
        cells.SetCell(c, 0, {});
    grid.SetRowCount(std::max(static_cast<int>(LineLength), 1));
    grid.SetColCount(2);
    grid.SetColWidths(0, NumberColumnWidth);
    int selected = 1;
    for (int r = 0; r < LineLength; ++r) {
        cells.SetCell(0, r, r % 2 == 0 ? MoveNumberText(r) : std::string());
        const PositionRecord& record = Positions[r];
        if (record.AlternativesIndex < 0) {
            cells.SetCell(1, r, MoveCellText(r, record.PlayedNode));
            for (int c = 2; c < grid.ColCount(); ++c)
                cells.SetCell(c, r, {});
            continue;
        }
        int col = 1;
        for (int entry = GroupEntry(r, col); entry != -1; entry = GroupEntry(r, ++col)) {
            if (grid.ColCount() <= col) {
                grid.SetColCount(col + 1);
                for (int k = 0; k < r; ++k)
                    cells.SetCell(col, k, {});
            }
            if (r == CurrentPly - 1 && entry == record.PlayedNode) selected = col;
            cells.SetCell(col, r, MoveCellText(r, entry));
        }
        for (; col < grid.ColCount(); ++col)
            cells.SetCell(col, r, {});
    }
    const int row = CurrentPly - 1;
    if (row >= 0 && row < grid.RowCount()) {
        grid.SetSelection({selected, row, selected, row});
        ScrollToRow(grid, row);
    } else {
        grid.SetTopRow(0);
    }
    grid.Invalidate();
}

void DrawMoveGridCell(TStringGrid& grid, int col, int row, const TRect& rect, TGridDrawState state)
{
    TCanvas& canvas = grid.Canvas;
    const std::string text(grid.Cells(col, row));
    if (text.empty() || row >= LineLength) {
        canvas.Brush.Color = canvas.Pen.Color = grid.Color();
        canvas.FillRect(rect);
        return;
    }
    const QString shown = grid.DecodeText ? grid.DecodeText(text) : QString::fromLatin1(text);
    const int w = canvas.TextWidth(shown);
    const int x = (col == 0 || row % 2 == 1) ? rect.Right - w - 8 : rect.Left + 3;
    canvas.Font.Color = 0x000000;
    canvas.Brush.Color = 0xFFFFFF;
    if (col == 0) {
        canvas.Brush.Color = 0xE2E2E2;
    } else if (state.Contains(TGridDrawStateFlag::gdSelected) && CurrentPly > 0) {
        canvas.Brush.Color = 0xFF0000;
        canvas.Font.Color = 0x00FFFF;
    } else if (IsLineCell(row, col)) {
        canvas.Brush.Color = TreeTint(Positions[row].BranchCount);
    }
    canvas.FillRect(rect);
    canvas.TextRect(rect, x, rect.Top - 1, shown);
}

std::optional<TreeClick> MoveGridClickTarget(const TStringGrid& grid, int col, int row)
{
    if (col < 1 || col >= grid.ColCount() || row < 0 || row >= grid.RowCount() ||
        row >= LineLength || grid.Cells(col, row).empty())
        return std::nullopt;
    if (IsLineCell(row, col)) return TreeClick{true, row + 1, -1};
    const int entry = GroupEntry(row, col);
    if (entry < 0) return std::nullopt;
    return TreeClick{false, 0, entry};
}
