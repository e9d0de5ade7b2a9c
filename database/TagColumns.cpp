#include "database/TagColumns.h"

#include "database/ScanSteps.h"

#include <algorithm>
#include <cstring>
#include <string_view>

std::array<bool, TagColumnCount> TagSeen{};

namespace {

bool IsLineEnd(char c) {
    return c == '\0' || c == '\n' || c == '\r';
}

bool IsAsciiAlnum(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// The end of the tag text that starts at text: its "]" outside the quoted
// value; a tag left open to its line end takes the first "]" of the line or,
// with none, ends at the line end. closed tells whether a "]" was found.
const char* TagTextEnd(const char* text, bool& closed) {
    bool quoted = false;
    const char* q = text;
    for (; !IsLineEnd(*q); ++q) {
        if (quoted) {
            if (*q == '\\' && !IsLineEnd(q[1]))
                ++q;
            else if (*q == '"')
                quoted = false;
        } else if (*q == '"') {
            quoted = true;
        } else if (*q == ']') {
            closed = true;
            PgnScanSteps += static_cast<std::uint64_t>(q - text);
            return q;
        }
    }
    PgnScanSteps += static_cast<std::uint64_t>(q - text);
    for (const char* b = text; b < q; ++b) {
        if (*b == ']') {
            closed = true;
            return b;
        }
    }
    closed = false;
    return q;
}

// The value after the first double quote of [text, end); false when the tag
// has no double quote.
bool TagValue(const char* text, const char* end, std::string& value) {
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

void ApplyColumnRule(int column, std::string& value, char flags[3]) {
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

const char* ReadTag(const char* p, GameRow& row, char flags[3]) {
    const char* text = p + 1;
    bool closed = false;
    const char* end = TagTextEnd(text, closed);
    const char* after = closed ? end + 1 : end;
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
