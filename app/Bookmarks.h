// Two bookmarks of a position in any game: its line of moves, its board,
// the database and the game's number; shown as small boards with a text.
// Kept in memory only.
#pragma once

#include "database/DatabaseFile.h"
#include "rules/Board.h"
#include "rules/Navigation.h"

#include <QFont>
#include <QImage>

#include <array>
#include <functional>
#include <optional>
#include <string>

struct BookmarkSlot {
    MovePath Path{};                              // ended by 0xFF once marked
    std::array<std::uint8_t, BoardCells> Board{}; // empty until marked
    std::string Database;                         // empty: none was open
    int Game = -1;                                // its number in the file
    std::optional<FileStamp> Stamp;               // the database its list was made from
};
extern std::array<BookmarkSlot, 2> Bookmarks;

extern QImage BookmarkBoardBitmap;                  // 198 x 198
extern std::array<QImage, 13> BookmarkPieceBitmaps; // 24 x 24 by image index

// The font of the bookmark texts: the game list's text font at 12 px, so
// that names show as the list shows them.
QFont BookmarkTextFont();

// The small traditional pieces (built once, at start-up).
void BuildBookmarkPieces();

// Marks the position shown in slot; cell(col) reads the game list row of
// the game shown (null when no database is open or no row is loaded).
// Returns the slot's label text as bytes of the game's text.
std::string MarkBookmark(int slot, const std::function<std::string(int col)>& cell);

// True when the slot's database is still the file whose list the slot was
// marked from (its stamp unchanged), so that its game number names the same
// game.
bool BookmarkDatabaseUnchanged(int slot);

// Draws the slot's board into BookmarkBoardBitmap, oriented as the main board.
void PaintBookmark(int slot);
