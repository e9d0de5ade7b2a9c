#include "database/GameIndex.h"

#include "database/MoveTextScan.h"
#include "database/ScanSteps.h"
#include "database/TagColumns.h"

#include <algorithm>
#include <cstring>
#include <string>

std::int32_t GameCount = 0;
bool ListLoading = false;

ListLoadingGuard::ListLoadingGuard() : acquired_(!ListLoading) {
    ListLoading = true;
}

ListLoadingGuard::~ListLoadingGuard() {
    if (acquired_) ListLoading = false;
}

namespace {

// Zero bytes kept after every chunk's text: the cut writes four blanks and a
// NUL there, and the scanners look a few characters ahead.
constexpr std::size_t ChunkSlack = 16;
// A read of fewer bytes than this holds no game.
constexpr std::size_t MinChunkBytes = 10;
constexpr std::size_t NotFound = static_cast<std::size_t>(-1);

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}
bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

class Indexer {
public:
    Indexer(const ByteSource& source, const IndexOptions& options)
        : source_(source), options_(options),
          chunkSize_(std::max<std::size_t>(options.ChunkSize, 1)),
          maxWindow_(std::max(chunkSize_, PgnChunkSize)), buffer_(maxWindow_ + ChunkSlack) {}

    IndexResult Run();

private:
    bool ReadChunk();
    std::size_t ReadInto(std::size_t at, std::size_t size, bool& atEnd);
    bool TagStartsAt(std::size_t i, std::size_t n) const;
    bool StartsLine(std::size_t i) const;
    std::size_t FirstGameStart(std::size_t n) const;
    bool FindCut(std::size_t n, bool lineStartOnly, std::size_t& cut, std::size_t& keep) const;
    void FinishGame(GameRow& row, const char flags[3], IndexResult& result);

    const ByteSource& source_;
    const IndexOptions& options_;
    std::size_t chunkSize_;
    std::size_t maxWindow_;
    std::vector<char> buffer_;
    std::uint64_t chunkOffset_ = 0;
    std::uint64_t nextOffset_ = 0;
    const char* p_ = nullptr;
};

// Reads size bytes to buffer_[at]; a NUL byte in the file is read as a blank,
// so that it cannot end the text early.
std::size_t Indexer::ReadInto(std::size_t at, std::size_t size, bool& atEnd) {
    const std::int64_t got = source_.ReadAt(chunkOffset_ + at, buffer_.data() + at, size);
    const std::size_t n = got > 0 ? static_cast<std::size_t>(got) : 0;
    atEnd = n < size;
    char* const from = buffer_.data() + at;
    char* const to = from + n;
    for (char* z = from; (z = static_cast<char*>(std::memchr(z, '\0', to - z))); ++z)
        *z = ' ';
    return n;
}

// A "[" followed by a letter (blanks between allowed): the start of a tag pair.
bool Indexer::TagStartsAt(std::size_t i, std::size_t n) const {
    if (buffer_[i] != '[') return false;
    std::size_t k = i + 1;
    while (k < n && (buffer_[k] == ' ' || buffer_[k] == '\t'))
        ++k;
    return k < n && IsAsciiLetter(buffer_[k]);
}

// Only blanks stand between i and the start of its line.
bool Indexer::StartsLine(std::size_t i) const {
    while (i > 0) {
        const char c = buffer_[i - 1];
        if (c == '\n' || c == '\r') return true;
        if (c != ' ' && c != '\t') return false;
        --i;
    }
    return true;
}

// Where the game loop of a chunk begins: its first tag that starts a line,
// else its first tag anywhere; NotFound when it holds no tag.
std::size_t Indexer::FirstGameStart(std::size_t n) const {
    std::size_t firstTag = NotFound;
    const char* base = buffer_.data();
    for (const char* q = base; (q = static_cast<const char*>(std::memchr(q, '[', n - (q - base))));
         ++q) {
        const std::size_t i = q - base;
        if (!TagStartsAt(i, n)) continue;
        if (StartsLine(i)) return i;
        if (firstTag == NotFound) firstTag = i;
    }
    return firstTag;
}

// The cut after the last complete game of the first n bytes: cut is the
// first tag of the last game that begins after the chunk's first game, keep
// the length of the text before it. A "[" inside a comment ("{[%clk 0:03]}")
// or a tag value starts no game, so a tag that starts a line is looked for
// first (lineStartOnly) and any tag only when the chunk can grow no more; a
// tag after another tag ("]" before it) belongs to the same game.
bool Indexer::FindCut(std::size_t n, bool lineStartOnly, std::size_t& cut,
                      std::size_t& keep) const {
    PgnScanSteps += n;
    const std::size_t first = FirstGameStart(n);
    if (first == NotFound) return false;
    const char* base = buffer_.data();
    {
        std::size_t end = n;
        while (end > first + 1) {
            const char* q =
                static_cast<const char*>(memrchr(base + first + 1, '[', end - first - 1));
            if (!q) break;
            const std::size_t i = q - base;
            end = i;
            if (!TagStartsAt(i, n) || (lineStartOnly && !StartsLine(i))) continue;
            std::size_t k = i;
            while (k > 0 && IsBlank(buffer_[k - 1]))
                --k;
            if (k == 0 || buffer_[k - 1] == ']') continue;
            cut = i;
            keep = k;
            return true;
        }
    }
    return false;
}

// Reads the next chunk into the buffer and sets p_ to its first game start;
// false at the end of the data. A chunk without any tag is passed over.
bool Indexer::ReadChunk() {
    for (;;) {
        chunkOffset_ = nextOffset_;
        bool atEnd = false;
        std::size_t n = ReadInto(0, chunkSize_, atEnd);
        if (n < MinChunkBytes) return false;
        std::size_t textEnd = n;
        std::size_t next = n;
        bool cutMade = false;
        while (!atEnd) {
            std::size_t cut = 0, keep = 0;
            const bool full = n >= maxWindow_;
            if (FindCut(n, true, cut, keep) || (full && FindCut(n, false, cut, keep))) {
                textEnd = keep;
                next = cut;
                cutMade = true;
                break;
            }
            if (full) break;
            n += ReadInto(n, std::min(n, maxWindow_ - n), atEnd);
            textEnd = next = n;
        }
        nextOffset_ = chunkOffset_ + next;

        char* text = buffer_.data();
        std::size_t zeroFrom = textEnd;
        if (cutMade) {
            std::memset(text + textEnd, ' ', 4);
            zeroFrom += 4;
        }
        std::memset(text + zeroFrom, 0, std::min(ChunkSlack, buffer_.size() - zeroFrom));

        const std::size_t first = FirstGameStart(textEnd);
        if (first != NotFound) {
            p_ = text + first;
            return true;
        }
    }
}

void Indexer::FinishGame(GameRow& row, const char flags[3], IndexResult& result) {
    row[FlagsColumn].assign(flags, 3);
    row[NumberColumn] = std::to_string(GameCount + 1);
    result.Rows.push_back(std::move(row));
    ++GameCount;
}

IndexResult Indexer::Run() {
    IndexResult result;
    // Untouched capacity costs no memory; growing a large list would copy it.
    result.Rows.reserve(MaxIndexedGames);
    GameCount = 0;
    PgnScanSteps = 0;
    if (!ReadChunk()) return result;
    for (;;) {
        if (GameCount >= MaxIndexedGames) {
            result.LimitReached = true;
            return result;
        }
        if (GameCount % IndexPumpInterval == 0 && options_.Pump) options_.Pump(GameCount);

        TagSeen.fill(false);
        char flags[3] = {' ', ' ', ' '};
        GameRow row;
        MoveTextStart kind = MoveTextStart::None;
        while (kind == MoveTextStart::None) {
            const char c = *p_;
            if (c == '\0') {
                // Tags cut off by the chunk end: the next chunk fills the same row.
                if (!ReadChunk()) return result;
            } else if (c == '[') {
                p_ = ReadTag(p_, row, flags);
            } else if ((kind = MoveTextStartAt(p_)) == MoveTextStart::None) {
                ++p_;
            }
        }

        row[MoveTextOffset] = std::to_string(chunkOffset_ + (p_ - buffer_.data()));
        p_ = ScanGameMoveText(p_, kind);
        if (ScanMaxMoveNumber != 0) row[MoveCountColumn] = std::to_string(ScanMaxMoveNumber);
        if (ScanVariationCount > 0) flags[1] = ScanVariationCount <= 5 ? 'v' : 'V';
        if (ScanCommentWeight >= 3) flags[2] = ScanCommentWeight <= 6 ? 'c' : 'C';
        FinishGame(row, flags, result);

        if (*p_ == '\0') {
            if (!ReadChunk()) return result;
        } else {
            // Past the line end after the result, but never past the next
            // game's "[" (LF-only files with no blank line between games).
            for (int k = 0; k < 2 && *p_ != '\0' && *p_ != '['; ++k)
                ++p_;
        }
    }
}

} // namespace

IndexResult IndexPgn(const ByteSource& source, const IndexOptions& options) {
    return Indexer(source, options).Run();
}
