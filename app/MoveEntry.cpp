#include "app/MoveEntry.h"

#include "app/OptionValues.h"
#include "database/SanToken.h"
#include "platform/StringGrid.h"
#include "rules/MoveGen.h"

#include <cctype>
#include <string_view>

std::optional<int> TypedMoveIndex(const std::string& text)
{
    if (text.size() > TypedTextLimit) return std::nullopt;
    GenerateMoves();
    const std::string_view letters(PieceLetterChars.data() + 2, 5);
    const int index = MatchSanToken(ReadSanToken(text, letters));
    if (index < 0) return std::nullopt;
    return index;
}

const char* StrStrNoCase(const char* haystack, const char* needle)
{
    if (!haystack || !needle) return nullptr;
    if (*needle == '\0') return haystack;
    for (const char* h = haystack; *h; ++h) {
        const char* a = h;
        const char* b = needle;
        while (*a && *b &&
               std::tolower(static_cast<unsigned char>(*a)) ==
                   std::tolower(static_cast<unsigned char>(*b))) {
            ++a;
            ++b;
        }
        if (*b == '\0') return h;
    }
    return nullptr;
}

int FindRowStartingWith(const TStringGrid& grid, const std::string& text, int from, int column)
{
    const auto startsWith = [&](int c, int r) {
        const std::string cell(grid.Cells(c, r));
        return StrStrNoCase(cell.c_str(), text.c_str()) == cell.c_str();
    };
    for (int r = std::max(from, 0); r < grid.RowCount(); ++r) {
        if (column >= 0) {
            if (startsWith(column, r)) return r;
            continue;
        }
        for (int c = 0; c < grid.ColCount(); ++c)
            if (startsWith(c, r)) return r;
    }
    return -1;
}
