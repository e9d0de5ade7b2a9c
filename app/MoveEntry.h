// The move-entry and find box: a typed move read in the user's notation
// letters, and text found in a grid.
#pragma once

#include <optional>
#include <string>

class TStringGrid;

// Longest text the box reads; a longer one names no move.
inline constexpr std::size_t TypedTextLimit = 511;

// The index in Positions[CurrentPly].Moves of the one legal move the text
// names (the moves of the position shown are generated first); nothing when
// it names none or more than one.
std::optional<int> TypedMoveIndex(const std::string& text);

// The first place in haystack where needle occurs, letters compared without
// regard to case; haystack itself for an empty needle; null when haystack is
// empty or holds no match.
const char* StrStrNoCase(const char* haystack, const char* needle);

// The first row from `from` on whose cell in `column` starts with text, or
// -1. With column -1 every column of every data row is searched.
int FindRowStartingWith(const TStringGrid& grid, const std::string& text, int from, int column);
