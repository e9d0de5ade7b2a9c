// The columns of a rating list, found from its header line alone.
//
// A rating list is fixed-width text, one player a line, after a header line
// that starts with "ID" and names the columns. A column begins at offset 0
// and at every upper-case ASCII letter after a blank or a lower-case ASCII
// letter (so "NameTitl" is two columns, "FED" one). The data of a column lies
// in the header word's byte range, shifted in three places:
//   - column 1 (the name) is at least 31 bytes wide: when column 2's header
//     begins closer, column 2's data begins 31 bytes after column 1's;
//   - a column 3 whose word begins "COUN" has its data one byte later;
//   - a column 6 whose word begins "BIRT" has its data one byte earlier and
//     holds birth dates (dd.mm.yyyy or dd.mm.yy), shown as yyyy.mm.dd.
// Ranges are contiguous: a column's data ends where the next one's begins,
// the last one's at the header's line end.
//
// Texts are the file's bytes (cp1250); nothing here decodes them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Bytes read for the header line; its line end must lie within them.
inline constexpr std::size_t EloHeaderBytes = 1024;
// A header with more column starts than this is not a rating list.
inline constexpr int MaxEloColumns = 64;
// Data width that column 1 gets at least.
inline constexpr int EloNameMinWidth = 31;

struct EloColumn {
    std::string Title; // the cleaned header word ("Id", "Name", "Title")
    int HeaderStart = 0;
    int HeaderEnd = 0;
    int DataStart = 0;
    int DataEnd = 0; // may lie at or before DataStart: then the field is empty
    int Width = 0;   // pixels in the grid
};

struct EloLayout {
    std::vector<EloColumn> Columns;
    // Length of the header line with its line end; every record is read
    // with this length.
    std::size_t RecordLength = 0;
    // The column of birth dates, -1 when none.
    int BirthColumn = -1;
};

// The layout described by the first bytes of a file; nullopt when they are no
// rating list: no "ID" at the start, no line end (CR or LF) within
// EloHeaderBytes, or more than MaxEloColumns columns. A header line may end
// with CR LF or LF alone.
std::optional<EloLayout> ReadEloLayout(std::string_view head);

// The cleaned text of bytes [start, end) of line: leading blanks skipped, two
// blanks in a row (or a blank at the end) end it, a character below '0' drops
// one blank after it; other control bytes count as blanks. With title set,
// every character but one at start is lower-cased (ASCII).
std::string CleanEloText(std::string_view line, int start, int end, bool title);

// A birth-date field starting at start as yyyy.mm.dd, a two-digit year
// (byte 8 blank) in the 1900s; empty when byte 1 is below '0'. Bytes beyond
// the line count as blanks.
std::string EloBirthDate(std::string_view line, int start);
