#include "app/MoveEntry.h"

#include "app/OptionValues.h"
#include "database/SanToken.h"
#include "platform/StringGrid.h"
#include "rules/MoveGen.h"

#include <cctype>
#include <string>
#include <string_view>

namespace {

bool IsDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// A file letter followed by a number that is no rank ("e9", "e0", "e10"):
// the text names a square off the board. What the reader passes over
// (blanks, "x", "-", piece letters) is passed over here too.
bool NamesSquareOffBoard(std::string_view text)
{
    std::string coordinates;
    for (const char c : text)
        if ((c >= 'a' && c <= 'h') || IsDigit(c)) coordinates += c;
    for (std::size_t i = 0; i < coordinates.size(); ++i) {
        if (IsDigit(coordinates[i])) continue;
        std::size_t end = i + 1;
        while (end < coordinates.size() && IsDigit(coordinates[end]))
            ++end;
        const std::string_view rank(coordinates.data() + i + 1, end - i - 1);
        if (rank.size() > 1 || rank == "0" || rank == "9") return true;
    }
    return false;
}

} // namespace

std::optional<int> TypedMoveIndex(const std::string& text)
{
    if (text.size() > TypedTextLimit || NamesSquareOffBoard(text)) return std::nullopt;
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
