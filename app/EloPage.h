// The ELO page: the rating-list grid EloGrid, loading a list into it, and
// the row number shown in the name column's title.
//
// A list replaces the grid: a new hidden grid is made, filled (the window is
// kept alive every 128 rows, ListLoading keeps a second load and the
// database indexer out), then shown. A file that is no rating list leaves
// no grid. Cells keep the file's cp1250 bytes and are decoded for display.
#pragma once

#include "database/EloList.h"
#include "platform/Dialogs.h"

#include <functional>
#include <string>

class QPushButton;
class QWidget;
class TSortGrid;

// The rating-list grid; null until a list is loaded and after a refused file.
extern TSortGrid* EloGrid;
// The title of column 1 as loaded (the row number is appended to it).
extern std::string EloNameCaption;

// The open dialog OpenElo.
FileDialogOptions EloOpenDialogOptions();

// The button EloButton on the empty page (its click opens a list).
QPushButton* CreateEloButton(QWidget* sheet);

// Replaces EloGrid by a new, hidden grid on sheet, set up for a rating list
// (8 columns, one fixed row, row selection, sorting on a title click,
// Arial 15 px); its OnSelectCell calls selectCell.
void CreateEloGridOn(QWidget* sheet, std::function<void(int col, int row, bool& can)> selectCell);

// Fills grid from source: titles and widths from the header, then the
// players, the row count growing 40 rows ahead; pump runs every 128 rows.
// At the end RowCount is the title row plus the players.
EloLoadResult FillEloGrid(TSortGrid& grid, const ByteSource& source,
                          const std::function<void()>& pump = {});

// What loading needs of the main window.
struct EloPageHooks {
    QWidget* Button = nullptr;        // EloButton: hidden once a file is opened
    std::function<void()> CreateGrid; // makes the new, hidden EloGrid
    std::function<void()> Expand;     // opens the collapsed lower pane
    std::function<void()> Activate;   // makes the ELO page the active page
};

enum class EloOpenResult : std::uint8_t { Busy, CantOpen, NotEloList, Loaded };

// Loads the list at path into a new EloGrid and shows it. "Can't open ELO
// file!" leaves everything as it was; "Not an ELO database!" leaves no grid.
EloOpenResult OpenEloList(const std::string& path, const EloPageHooks& page);

// Sets the title of column 1 to EloNameCaption + " [" + row + ".]".
void ShowEloRowNumber(int row);
