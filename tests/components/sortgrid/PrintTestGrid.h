// Grids to print in the printing and preview tests: one like the game list
// (a title row, sixteen columns, two of them hidden) with generated rows.
#pragma once

#include "components/SortGrid.h"

#include <memory>
#include <string>

inline constexpr int kListColumnWidths[16] = {44,  124, 38, 124, 38, 40,  40, 43,
                                              180, 126, 76, 36,  35, 100, 0,  0};
inline constexpr const char* kListTitles[16] = {
    "No",    "White", "ELO",  "Black", "ELO", "Res.",      "Mvs.", "ECO",
    "Event", "Site",  "Date", "Rd.",   "pvc", "Annotator", "",     ""};

// A game-list-like grid of rows data rows; cell (c, r) reads "<title> r".
inline std::unique_ptr<TSortGrid> ListGrid(int rows)
{
    auto g = std::make_unique<TSortGrid>();
    g->SetColCount(16);
    g->SetFixedCols(0);
    g->SetRowCount(rows + 1);
    g->SetDefaultRowHeight(19);
    for (int c = 0; c < 16; ++c) {
        g->SetCells(c, 0, kListTitles[c]);
        g->SetColWidths(c, kListColumnWidths[c]);
    }
    TGridCells& cells = g->CellStore();
    for (int r = 1; r <= rows; ++r)
        for (int c = 0; c < 16; ++c) {
            std::string text = c == 0 ? std::string() : std::string(kListTitles[c]).append(" ");
            cells.SetCell(c, r, text.append(std::to_string(r)));
        }
    g->PrintOptions().PageFooter = QStringLiteral("date|time|page");
    return g;
}
