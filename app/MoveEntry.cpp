#include "app/MoveEntry.h"

#include "app/OptionValues.h"
#include "database/SanToken.h"
#include "platform/StringGrid.h"
#include "rules/MoveGen.h"

#include <QString>

#include <algorithm>
#include <cctype>
#include <functional>
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

bool IsAscii(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char b) { return (b & 0x80) == 0; });
}

// Whether a cell starts with a text, letters of either case alike: every
// letter of the cell's code page, as the grid decodes its bytes. ASCII
// bytes read the same in every code page the grids use, and ASCII letters
// fold to ASCII letters, so an ASCII cell is compared as it is, undecoded:
// a search through every column of a long list stays quick.
class PrefixMatcher {
public:
    PrefixMatcher(const TStringGrid& grid, const QString& text)
        : decode_(grid.DecodeText), folded_(text.toCaseFolded())
    {
        asciiText_ =
            std::all_of(folded_.begin(), folded_.end(), [](QChar c) { return c.unicode() < 0x80; });
        if (asciiText_) ascii_ = folded_.toLatin1().toStdString();
    }

    bool operator()(std::string_view cell) const
    {
        if (IsAscii(cell)) {
            if (!asciiText_ || cell.size() < ascii_.size()) return false;
            return std::equal(ascii_.begin(), ascii_.end(), cell.begin(), [](char t, char c) {
                return t == std::tolower(static_cast<unsigned char>(c));
            });
        }
        const std::string bytes(cell);
        const QString shown = decode_ ? decode_(bytes) : QString::fromLatin1(bytes);
        return shown.startsWith(folded_, Qt::CaseInsensitive);
    }

private:
    std::function<QString(const std::string&)> decode_;
    QString folded_;
    bool asciiText_ = false;
    std::string ascii_; // the folded text, when it is ASCII
};

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

int FindRowStartingWith(const TStringGrid& grid, const QString& text, int from, int column)
{
    const PrefixMatcher startsWith(grid, text);
    for (int r = std::max(from, 0); r < grid.RowCount(); ++r) {
        if (column >= 0) {
            if (startsWith(grid.Cells(column, r))) return r;
            continue;
        }
        for (int c = 0; c < grid.ColCount(); ++c)
            if (startsWith(grid.Cells(c, r))) return r;
    }
    return -1;
}
