#include "database/TagColumns.h"

#include "database/ScanSteps.h"

#include <algorithm>
#include <cstring>
#include <string_view>

std::array<bool, TagColumnCount> TagSeen{};

namespace {

bool IsLineEnd(char c)
{
    return c == '\0' || c == '\n' || c == '\r';
}

bool IsAsciiAlnum(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// One step of the search for a tag's end: moves q past the character at q
// (and past an escaped one inside quotes). True at a "]" outside quotes.
bool ClosesAt(const char*& q, bool& quoted)
{
    const char c = *q++;
    if (quoted) {
        if (c == '\\' && !IsLineEnd(*q))
            ++q;
        else if (c == '"')
            quoted = false;
        return false;
    }
    if (c == '"') quoted = true;
    return c == ']';
}

std::uint8_t MarkBit(bool quoted)
{
    return quoted ? 2 : 1;
}

// The value after the first double quote of [text, end); false when the tag
// has no double quote.
bool TagValue(const char* text, const char* end, std::string& value)
{
    const char* quote = static_cast<const char*>(std::memchr(text, '"', end - text));
    if (!quote) return false;
    value.clear();
    const char* q = quote + 1;
    if (q == end || *q == '?' || *q == '*' || *q == '"') return true;
    const char* close = static_cast<const char*>(std::memchr(q, '"', end - q));
    const char* stop = close ? close : end;
    if (std::none_of(q, stop,
                     [](char c) { return c == '\\' || static_cast<unsigned char>(c) < 0x20; })) {
        value.assign(q, stop);
        return true;
    }
    for (; q < end && *q != '"'; ++q) {
        char c = *q;
        if (c == '\\') {
            if (q + 1 == end) break;
            c = *++q;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            c = ' ';
        }
        value += c;
    }
    return true;
}

void ApplyColumnRule(int column, std::string& value, char flags[3])
{
    if (column == ResultColumn && value == "1/2-1/2") {
        value = "1/2";
    } else if (column == DateColumn) {
        std::size_t keep = value.find_last_not_of(".?*");
        value.resize(keep == std::string::npos ? 0 : keep + 1);
    } else if (column == FenColumn) {
        flags[0] = 'P';
    }
}

} // namespace

void TagLineMemo::Reset()
{
    base_ = lineEnd_ = nullptr;
    marks_.clear();
}

bool TagLineMemo::KnownOpen(const char* q, bool quoted) const
{
    return lineEnd_ && q >= base_ && q < lineEnd_ && (marks_[q - base_] & MarkBit(quoted));
}

void TagLineMemo::MarkOpen(const char* text, const char* stop, const char* lineEnd)
{
    if (lineEnd != lineEnd_ || text < base_) {
        base_ = text;
        lineEnd_ = lineEnd;
        marks_.assign(static_cast<std::size_t>(lineEnd - text), 0);
    }
    bool quoted = false;
    for (const char* q = text; q < stop;) {
        marks_[q - base_] |= MarkBit(quoted);
        ClosesAt(q, quoted);
    }
}

TagTextExtent FindTagTextEnd(const char* text, TagLineMemo& memo)
{
    bool quoted = false;
    const char* q = text;
    const char* lineEnd = nullptr;
    while (!IsLineEnd(*q)) {
        if (memo.KnownOpen(q, quoted)) {
            lineEnd = memo.LineEnd();
            break;
        }
        const char* at = q;
        if (ClosesAt(q, quoted)) {
            PgnScanSteps += static_cast<std::uint64_t>(q - text);
            return {at, q, false, nullptr};
        }
    }
    PgnScanSteps += static_cast<std::uint64_t>(q - text);
    if (!lineEnd) lineEnd = q;
    memo.MarkOpen(text, q, lineEnd);
    const char* first =
        static_cast<const char*>(std::memchr(text, ']', static_cast<std::size_t>(lineEnd - text)));
    PgnScanSteps += static_cast<std::uint64_t>((first ? first : lineEnd) - text);
    if (first) return {first, first + 1, true, lineEnd};
    return {lineEnd, lineEnd, true, lineEnd};
}

const char* ReadTag(const char* p, GameRow& row, char flags[3], TagLineMemo& memo)
{
    const char* text = p + 1;
    const TagTextExtent extent = FindTagTextEnd(text, memo);
    const char* end = extent.End;
    const char* after = extent.After;
    if (end - text > TagTextLimit) end = text + TagTextLimit;

    const char* name = text;
    while (name < end && !IsAsciiAlnum(*name))
        ++name;
    const char* nameEnd = name;
    while (nameEnd < end && IsAsciiAlnum(*nameEnd))
        ++nameEnd;
    const std::string_view tagName(name, nameEnd - name);
    if (tagName.empty()) return after;

    for (int i = 0; i < TagColumnCount; ++i) {
        if (TagSeen[i] || tagName != TagColumnTable[i].Name) continue;
        std::string value;
        if (!TagValue(text, end, value)) return after;
        const int column = TagColumnTable[i].Column;
        ApplyColumnRule(column, value, flags);
        row[column] = std::move(value);
        TagSeen[i] = true;
        break;
    }
    return after;
}
