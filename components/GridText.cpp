#include "components/GridText.h"

#include <algorithm>
#include <string>

namespace {

// Calls fn for each line of text, as a view into it.
template <typename Fn>
void ForEachLine(std::string_view data, Fn fn)
{
    std::size_t start = 0;
    const std::size_t n = data.size();
    while (start < n) {
        std::size_t end = start;
        while (end < n && data[end] != '\n' && data[end] != '\r')
            ++end;
        fn(data.substr(start, end - start));
        if (end < n && data[end] == '\r' && end + 1 < n && data[end + 1] == '\n') ++end;
        start = end + 1;
    }
}

} // namespace

std::optional<TGridCells> ReadGridText(std::string_view text, char separator, int minCols,
                                       long long maxCells)
{
    // The size first, so that nothing is built for a text that is refused.
    long long lines = 0;
    int cols = std::max(minCols, 1);
    ForEachLine(text, [&](std::string_view line) {
        ++lines;
        cols =
            std::max(cols, 1 + static_cast<int>(std::count(line.begin(), line.end(), separator)));
    });
    if (std::max(1LL, lines) * cols > maxCells) return std::nullopt;

    TGridCells cells(cols, std::max(1, static_cast<int>(lines)));
    int row = 0;
    ForEachLine(text, [&](std::string_view rest) {
        int c = 0;
        while (true) {
            const std::size_t at = rest.find(separator);
            cells.SetCell(c++, row, std::string(rest.substr(0, at)));
            if (at == std::string_view::npos) break;
            rest.remove_prefix(at + 1);
        }
        ++row;
    });
    return cells;
}
