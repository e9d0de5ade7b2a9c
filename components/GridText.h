// The separator-delimited text of a grid file: one line per row (CR, LF or
// CR LF ends a line), fields parted by the separator. Qt-free.
#pragma once

#include "platform/GridCells.h"

#include <optional>
#include <string_view>

// The cells of text, at least minCols columns and one row; nothing when
// they would pass maxCells (nothing is built for such a text).
std::optional<TGridCells> ReadGridText(std::string_view text, char separator, int minCols,
                                       long long maxCells);
