// The move tree (MoveGrid): the line shown one ply per row, and at each ply
// where variations branch every alternative side by side. Rebuilt from the
// game store after every change of the position or the line; its cells are
// tinted by how many variations the line has entered.
#pragma once

#include "platform/StringGrid.h"

#include <optional>
#include <string>

// The cell text of the move node played from record ply: its notation with
// the node's evaluation symbols (140 and 142 in front, the others behind).
std::string MoveCellText(int ply, int node);

// The tint of the line's cells after n variations entered: 0x90FF68 raised
// in its red byte up to 0x90FFFF.
TColor TreeTint(int branchCount);

// Rebuilds every row of the grid from the line shown, selects the current
// move's cell and scrolls it into view.
void FillMoveGrid(TStringGrid& grid);

// Draws one cell (the grid's OnDrawCell).
void DrawMoveGridCell(TStringGrid& grid, int col, int row, const TRect& rect, TGridDrawState state);

// What a click on a move cell shows: the position after that move, on the
// same line (Ply) or on the line through another alternative (Node).
struct TreeClick {
    bool SameLine;
    int Ply;  // CurrentPly for the same line
    int Node; // GoToNode target otherwise
};
std::optional<TreeClick> MoveGridClickTarget(const TStringGrid& grid, int col, int row);
