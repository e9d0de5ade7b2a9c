// Loading one game of the open database into the game store: its move text
// read at the offset the index stored, its start position (the standard one
// or its FEN), the parsed move-node stream, the one-line title and the move
// the user lands on. Showing the game is left to hooks.
#pragma once

#include "database/ByteSource.h"
#include "database/GameRow.h"
#include "rules/Navigation.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// Row of the game list whose game is loaded, -1 when none.
extern std::int32_t CurrentGameRow;
// Set by every edit of the game, cleared by a load.
extern std::uint8_t GameModified;
// The line the user was on, kept across a load when asked (ended by 0xFF).
extern MovePath SavedLine;

// LoadToMove values besides a ply number.
constexpr int LoadToSavedLine = -2;
constexpr int LoadToLastMove = -1;

struct GameLoadHooks {
    // After parsing: game header and move list into the RTF buffer and on to
    // the document view (the move list replays the stream and sets the line).
    std::function<void()> ShowDocument;
    // After landing: board repaint and move views.
    std::function<void()> ShowPosition;
};

enum class LoadStatus : std::uint8_t {
    Loaded,
    Refused,     // busy, not a game row, or no valid offset: nothing changed
    NothingRead, // nothing could be read at the offset: only SavedLine changed
    Changed,     // the database changed on disk since it was indexed: nothing changed
};

struct GameLoadResult {
    LoadStatus Status = LoadStatus::Refused;
    std::string Title; // the HeadLabel text (UTF-8) when loaded
};

// Loads the game of row (cells: that row's cells) from source: keepPath
// saves the line shown in SavedLine first; loadToMove is the LoadToMove
// option (-2 saved line, -1 last move, n ply n). Refused while ListLoading
// is set, for row < 1, and when the offset cell is not a decimal number.
GameLoadResult LoadGameFrom(const ByteSource& source, int row, const GameRow& cells, bool keepPath,
                            int loadToMove, const GameLoadHooks& hooks = {});

// The same from the open database file (Refused when none is open, Changed
// when it was changed on disk since it was indexed).
GameLoadResult LoadGame(int row, const GameRow& cells, bool keepPath, int loadToMove,
                        const GameLoadHooks& hooks = {});

// The game's move text at offset, read into PgnTextBuffer and ended by a
// NUL: as far as the next game's tags, at most 1 MiB. NUL bytes of the file
// are read as blanks. The first read takes expected bytes, each further one
// doubles. Returns the count read, 0 when nothing could be read.
std::size_t ReadGameText(const ByteSource& source, std::uint64_t offset,
                         std::size_t expected = 4096);

// About the size of the move text of the game of cells (and the start of
// the next game): bytes per move of its main line, more with variations and
// comments.
std::size_t ExpectedGameTextSize(const GameRow& cells);

// The offset cell as a number; nullopt unless it is all decimal digits.
std::optional<std::uint64_t> ParseMoveTextOffset(std::string_view cell);

// The one-line title: ECO, players, result, event (or site), year; UTF-8,
// each cell read as its file means it (GameText.h).
std::string GameTitleText(const GameRow& cells);

// The row of the next and the previous game, -1 when there is none (rows
// 1 .. rowCount - 1 hold games).
int NextGameRow(int row, int rowCount);
int PreviousGameRow(int row);

// After the game list was sorted: CurrentGameRow := the row whose "No" cell
// holds the loaded game's number (numberCell(row) gives that cell), -1 when
// no row does.
void RepointCurrentGameRow(int rowCount, const std::function<std::string(int row)>& numberCell);

// CurrentGameRow := -1: the game shown belongs to no row of the list.
void ForgetCurrentGame();
