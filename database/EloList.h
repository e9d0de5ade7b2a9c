// Loading a rating list (layout: database/EloLayout.h): the header, then one
// row per player line, handed to the caller as they are read.
//
// Every record is read with the header line's length and ends at its first
// LF: a shorter line gives up the bytes of the next one, a longer one is cut
// at that length and the rest of it skipped. A read of 4 bytes or fewer ends
// the data; so does a read error. Lines holding only blanks give no row.
#pragma once

#include "database/ByteSource.h"
#include "database/EloLayout.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Rows between two calls of the pump.
inline constexpr int EloPumpInterval = 128;

struct EloLoadHooks {
    // Called once the layout is known, before the first row.
    std::function<void(const EloLayout& layout)> OnLayout;
    // Row row (1 for the first player) with one field per column.
    std::function<void(int row, std::vector<std::string>& fields)> OnRow;
    // Called after the header bytes were read and then whenever the next
    // row number is a multiple of EloPumpInterval, with that number.
    std::function<void(int nextRow)> Pump;
};

enum class EloLoadStatus : std::uint8_t {
    Loaded,
    Busy,       // ListLoading was set: nothing read
    NotEloList, // the header is no rating list: no row given
};

struct EloLoadResult {
    EloLoadStatus Status = EloLoadStatus::NotEloList;
    // Rows of the grid: the title row and one per player (0 unless Loaded).
    int RowCount = 0;
};

// Reads the list in source under ListLoading.
EloLoadResult LoadEloList(const ByteSource& source, const EloLoadHooks& hooks);

// An open rating-list file, closed when the object goes.
class EloListFile {
public:
    explicit EloListFile(const std::string& path);
    ~EloListFile();
    EloListFile(const EloListFile&) = delete;
    EloListFile& operator=(const EloListFile&) = delete;

    bool IsOpen() const { return descriptor_ >= 0; }
    const ByteSource& Source() const { return source_; }

private:
    int descriptor_;
    FileByteSource source_;
};

// A whole list in memory: the layout and the players' fields.
struct EloListRows {
    EloLoadStatus Status = EloLoadStatus::NotEloList;
    EloLayout Layout;
    std::vector<std::vector<std::string>> Rows;
};
EloListRows ReadEloListRows(const ByteSource& source);
