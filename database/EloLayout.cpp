#include "database/EloLayout.h"

#include <algorithm>

namespace {

bool IsUpper(unsigned char c)
{
    return c >= 'A' && c <= 'Z';
}
bool IsLower(unsigned char c)
{
    return c >= 'a' && c <= 'z';
}
// Control bytes, NULs of binary junk included, read as blanks.
bool IsBlank(unsigned char c)
{
    return c <= 0x20;
}

std::vector<int> ColumnStarts(std::string_view head, std::size_t lineEnd)
{
    std::vector<int> starts{0};
    for (std::size_t i = 1; i < lineEnd; ++i) {
        const auto c = static_cast<unsigned char>(head[i]);
        const auto before = static_cast<unsigned char>(head[i - 1]);
        if (IsUpper(c) && (before == ' ' || IsLower(before))) starts.push_back(static_cast<int>(i));
    }
    return starts;
}

bool WordStarts(std::string_view head, const EloColumn& column, std::string_view prefix)
{
    const auto start = static_cast<std::size_t>(column.HeaderStart);
    return head.substr(start, static_cast<std::size_t>(column.HeaderEnd) - start)
        .starts_with(prefix);
}

// The three shifts of the data ranges against the header words.
void ShiftDataRanges(std::string_view head, EloLayout& layout)
{
    auto& cols = layout.Columns;
    const std::size_t n = cols.size();
    if (n > 2 && cols[2].HeaderStart - cols[1].HeaderStart < EloNameMinWidth)
        cols[2].DataStart = cols[1].HeaderStart + EloNameMinWidth;
    if (n > 3 && WordStarts(head, cols[3], "COUN")) cols[3].DataStart += 1;
    if (n > 6 && WordStarts(head, cols[6], "BIRT")) {
        cols[6].DataStart -= 1;
        layout.BirthColumn = 6;
    }
    for (std::size_t i = 0; i + 1 < n; ++i)
        cols[i].DataEnd = cols[i + 1].DataStart;
}

} // namespace

std::optional<EloLayout> ReadEloLayout(std::string_view head)
{
    head = head.substr(0, std::min(head.size(), EloHeaderBytes));
    if (!head.starts_with("ID")) return std::nullopt;
    // A header without a line end within the bytes read would make every
    // later offset meaningless.
    const std::size_t lineEnd = head.find_first_of("\r\n");
    if (lineEnd == std::string_view::npos) return std::nullopt;
    const std::vector<int> starts = ColumnStarts(head, lineEnd);
    if (starts.size() > static_cast<std::size_t>(MaxEloColumns)) return std::nullopt;

    EloLayout layout;
    layout.RecordLength = lineEnd + (head[lineEnd] == '\r' ? 2 : 1);
    const int end = static_cast<int>(lineEnd);
    for (std::size_t i = 0; i < starts.size(); ++i) {
        EloColumn c;
        c.HeaderStart = c.DataStart = starts[i];
        c.HeaderEnd = c.DataEnd = i + 1 < starts.size() ? starts[i + 1] : end;
        layout.Columns.push_back(c);
    }
    ShiftDataRanges(head, layout);

    const std::string_view line = head.substr(0, lineEnd);
    for (std::size_t i = 0; i < layout.Columns.size(); ++i) {
        EloColumn& c = layout.Columns[i];
        c.Title = CleanEloText(line, c.HeaderStart, c.HeaderEnd, true);
        // The width follows the data, which the shifts can make wider or
        // narrower than the header word (a "NameTitl" header).
        c.Width = std::max(0, c.DataEnd - c.DataStart) * (i == 1 ? 8 : 11);
    }
    if (layout.Columns.size() > 2 && layout.Columns[2].Title == "Titl")
        layout.Columns[2].Title = "Title";
    return layout;
}

std::string CleanEloText(std::string_view line, int start, int end, bool title)
{
    start = std::max(start, 0);
    end = std::min(end, static_cast<int>(line.size()));
    std::string out;
    bool dropBlank = false;
    for (int i = start; i < end; ++i) {
        auto c = static_cast<unsigned char>(line[i]);
        if (c == '\r' || c == '\n') break;
        if (IsBlank(c)) {
            if (out.empty()) continue;
            if (i + 1 >= end || IsBlank(static_cast<unsigned char>(line[i + 1]))) break;
            if (dropBlank) {
                dropBlank = false;
                continue;
            }
            out += ' ';
            continue;
        }
        if (title && i != start && IsUpper(c)) c = static_cast<unsigned char>(c - 'A' + 'a');
        out += static_cast<char>(c);
        dropBlank = c < '0';
    }
    return out;
}

std::string EloBirthDate(std::string_view line, int start)
{
    auto at = [&](int offset) {
        const long i = static_cast<long>(start) + offset;
        if (i < 0 || i >= static_cast<long>(line.size())) return ' ';
        const char c = line[static_cast<std::size_t>(i)];
        return IsBlank(static_cast<unsigned char>(c)) ? ' ' : c;
    };
    if (static_cast<unsigned char>(at(1)) < '0') return {};
    std::string year;
    if (at(8) == ' ')
        year = {'1', '9', at(6), at(7)};
    else
        year = {at(6), at(7), at(8), at(9)};
    return year + '.' + at(3) + at(4) + '.' + at(0) + at(1);
}
