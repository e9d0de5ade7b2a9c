// Indexing a PGN database: one pass over the file, front to back, in chunks,
// giving one row per game in file order (row i holds game number i + 1).
// Game texts are not kept, only the file offset of each game's move text.
#pragma once

#include "database/ByteSource.h"
#include "database/GameRow.h"
#include "database/PgnTextBuffer.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// Games indexed so far; after indexing, the number of game rows.
extern std::int32_t GameCount;

// Busy flag shared by the database indexer and the ELO list loader: while it
// is set, neither starts again, and no game is loaded.
extern bool ListLoading;

// Sets ListLoading for its lifetime, unless it was set already (then
// Acquired() is false and the caller must give up).
class ListLoadingGuard {
public:
    ListLoadingGuard();
    ~ListLoadingGuard();
    ListLoadingGuard(const ListLoadingGuard&) = delete;
    ListLoadingGuard& operator=(const ListLoadingGuard&) = delete;
    bool Acquired() const { return acquired_; }

private:
    bool acquired_;
};

constexpr std::int32_t MaxIndexedGames = 15000;
constexpr int IndexPumpInterval = 128;

struct IndexOptions {
    // Bytes read at a time. A chunk is cut after its last complete game; one
    // that holds no complete game is read further, up to max(ChunkSize,
    // MaxWindow). The buffer grows only as far as the windows read need.
    std::size_t ChunkSize = PgnChunkSize;
    std::size_t MaxWindow = PgnChunkSize;
    // Room for MaxIndexedGames rows is reserved before the first.
    bool ReserveRows = true;
    // Called with GameCount before every 128th game (0 included), so that
    // the window can keep itself alive.
    std::function<void(std::int32_t gameCount)> Pump;
    // When set, each row is handed over as it is made instead of being kept
    // in the result, so that a caller that stores the rows elsewhere holds
    // them once.
    std::function<void(GameRow&& row)> OnRow;
};

struct IndexResult {
    std::vector<GameRow> Rows; // Rows[i] is game i + 1
    bool LimitReached = false; // a game after the first MaxIndexedGames was left out
};

// Indexes the PGN text of source (after a UTF-8 byte-order mark, if any).
// Sets GameCount as it goes. The rows do not depend on ChunkSize, except for
// a game or tag longer than the largest window.
IndexResult IndexPgn(const ByteSource& source, const IndexOptions& options = {});
