// The move-entry and find box: a typed move read in the user's notation
// letters, and text found in a grid.
#pragma once

#include <optional>
#include <string>

class QString;
class TStringGrid;

// Longest text the box reads; a longer one names no move.
inline constexpr std::size_t TypedTextLimit = 511;

// The index in Positions[CurrentPly].Moves of the one legal move the text
// names (the moves of the position shown are generated first); nothing when
// it names none or more than one.
std::optional<int> TypedMoveIndex(const std::string& text);

// The first row from `from` on whose cell in `column` starts with text, or
// -1. With column -1 every column of every data row is searched. Cells are
// read as the grid decodes them (DecodeText), and every letter is compared
// without regard to case.
int FindRowStartingWith(const TStringGrid& grid, const QString& text, int from, int column);
