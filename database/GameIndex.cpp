#include "database/GameIndex.h"

#include "database/MoveTextScan.h"
#include "database/ScanSteps.h"
#include "database/TagColumns.h"

#include <algorithm>
#include <cstring>
#include <string>

std::int32_t GameCount = 0;
bool ListLoading = false;

ListLoadingGuard::ListLoadingGuard() : acquired_(!ListLoading)
{
    ListLoading = true;
}

ListLoadingGuard::~ListLoadingGuard()
{
    if (acquired_) ListLoading = false;
}

namespace {

// Zero bytes kept after every chunk's text: the scanners look a few
// characters ahead.
constexpr std::size_t ChunkSlack = 16;
// A file of fewer bytes than this holds no game.
constexpr std::size_t MinFileBytes = 10;
constexpr std::size_t NotFound = static_cast<std::size_t>(-1);

bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= 0x20;
}
bool IsLineEnd(char c)
{
    return c == '\n' || c == '\r';
}

// What the text of a chunk continues, and so where its game loop begins.
enum class ChunkStart : std::uint8_t {
    Cut,      // the text after a cut: its first character
    MoveText, // text outside a game (the file's start) or the rest of a game that
              // filled a window: the first "[" outside comments
    TagRest,  // the rest of a tag that filled a window: the end of its line
};

// What a forward scan of a window found. Braces are tracked and tags passed
// over as the game loop reads them, so that a "[" inside a comment or a tag
// value is never taken for a game.
struct WindowScan {
    std::size_t LoopStart = NotFound; // where the game loop begins
    std::size_t LastGame = NotFound;  // the last "[" after LoopStart that starts a game
    std::size_t OpenTag = NotFound;   // a tag whose end lies beyond the window
    std::size_t SeekFrom = NotFound;  // after the last tag: the game loop seeks move text here
    std::size_t Unsettled =
        NotFound;           // a "}" that closes a comment or not, by text beyond the window
    bool InComment = false; // the window ends inside a comment
};

class Indexer {
public:
    Indexer(const ByteSource& source, const IndexOptions& options)
        : source_(source), options_(options),
          chunkSize_(std::max<std::size_t>(options.ChunkSize, 1)),
          maxWindow_(std::max(chunkSize_, options.MaxWindow)), buffer_(chunkSize_ + ChunkSlack)
    {
    }

    IndexResult Run();

private:
    std::size_t ReadInto(std::size_t at, std::size_t size, bool& atEnd);
    bool StartsGame(std::size_t i, std::size_t loopStart) const;
    WindowScan ScanWindow(bool windowEndsData);
    bool SkipPastComment(const char*& q, bool& inComment, bool windowEndsData) const;
    bool FindsMoveText(std::size_t i) const;
    std::size_t FullWindowCut(const WindowScan& scan, std::size_t n);
    bool ReadChunk();
    MoveTextStart FindMoveText(GameRow& row, char flags[3]);
    void FinishGame(GameRow& row, const char flags[3], IndexResult& result);

    const ByteSource& source_;
    const IndexOptions& options_;
    std::size_t chunkSize_;
    std::size_t maxWindow_;
    std::vector<char> buffer_;
    TagLineMemo memo_;
    std::uint64_t chunkOffset_ = 0;
    std::uint64_t nextOffset_ = 0;
    bool firstChunk_ = true;
    ChunkStart start_ = ChunkStart::MoveText;
    bool startInComment_ = false; // with MoveText: the text before ended inside a comment
    const char* p_ = nullptr;
    // A tag at the start of a chunk that runs past its end: the rest of the
    // chunk is its text.
    const char* tagFillsChunk_ = nullptr;
};

// Reads size bytes to buffer_[at], followed by a NUL; a NUL byte in the file
// is read as a blank, so that it cannot end the text early.
std::size_t Indexer::ReadInto(std::size_t at, std::size_t size, bool& atEnd)
{
    if (buffer_.size() < at + size + ChunkSlack) buffer_.resize(at + size + ChunkSlack);
    const std::int64_t got = source_.ReadAt(chunkOffset_ + at, buffer_.data() + at, size);
    const std::size_t n = got > 0 ? static_cast<std::size_t>(got) : 0;
    atEnd = n < size;
    char* const from = buffer_.data() + at;
    char* const to = from + n;
    for (char* z = from; (z = static_cast<char*>(std::memchr(z, '\0', to - z))); ++z)
        *z = ' ';
    *to = '\0';
    return n;
}

// The "[" at i, after loopStart, starts a game: the last non-blank before it
// is not a "]" (then it continues a tag section).
bool Indexer::StartsGame(std::size_t i, std::size_t loopStart) const
{
    std::size_t k = i;
    while (k > loopStart && IsBlank(buffer_[k - 1]))
        --k;
    PgnScanSteps += i - k;
    return k > loopStart && buffer_[k - 1] != ']';
}

// q is inside a comment: moves it past the "}" that closes it (a "}"
// followed by a "{" before any other "}", or by none), or to the NUL. False
// when that cannot be told yet: a "}" with no brace after it in a window that
// does not end the data (q is left at that "}").
bool Indexer::SkipPastComment(const char*& q, bool& inComment, bool windowEndsData) const
{
    for (;;) {
        const char* brace = std::strpbrk(q, "{}");
        if (!brace) {
            q += std::strlen(q);
            return true;
        }
        if (*brace == '}') {
            const char* next = std::strpbrk(brace + 1, "{}");
            if (!next && !windowEndsData) {
                q = brace;
                return false;
            }
            if (!next || *next == '{') {
                inComment = false;
                q = brace + 1;
                return true;
            }
        }
        q = brace + 1;
    }
}

// Scans the window (NUL-terminated) from where the chunk's game loop begins,
// as the game loop will read it. The scan stops where what follows depends
// on text beyond the window.
WindowScan Indexer::ScanWindow(bool windowEndsData)
{
    WindowScan scan;
    memo_.Reset();
    const char* base = buffer_.data();
    const char* q = base;
    bool inComment = false;
    switch (start_) {
    case ChunkStart::Cut:
        scan.LoopStart = scan.SeekFrom = 0;
        break;
    case ChunkStart::MoveText:
        inComment = startInComment_;
        break;
    case ChunkStart::TagRest: {
        const char* end = base;
        while (*end && !IsLineEnd(*end))
            ++end;
        PgnScanSteps += static_cast<std::uint64_t>(end - base);
        if (!*end) {
            scan.OpenTag = 0;
            return scan;
        }
        scan.LoopStart = scan.SeekFrom = end - base;
        q = end;
        break;
    }
    }

    const char* from = q;
    for (;;) {
        if (inComment && !SkipPastComment(q, inComment, windowEndsData)) {
            if (q > base) {
                scan.Unsettled = q - base;
                break;
            }
            inComment = false; // none can be looked at: read it as the game loop will
            ++q;
        }
        if (inComment) break;
        const char* mark = std::strpbrk(q, "{[");
        if (!mark) {
            q += std::strlen(q);
            break;
        }
        if (*mark == '{') {
            inComment = true;
            q = mark + 1;
            continue;
        }
        const std::size_t i = mark - base;
        if (scan.LoopStart == NotFound) {
            scan.LoopStart = i;
        } else if (i > scan.LoopStart && StartsGame(i, scan.LoopStart)) {
            scan.LastGame = i;
        }
        const TagTextExtent tag = FindTagTextEnd(mark + 1, memo_);
        if (tag.ToLineEnd && *tag.LineEnd == '\0' && !windowEndsData) {
            // A later "]" outside quotes may close it: its end is not known yet.
            scan.OpenTag = i;
            q = tag.LineEnd;
            break;
        }
        q = tag.After;
        scan.SeekFrom = q - base;
    }
    PgnScanSteps += static_cast<std::uint64_t>(q - from);
    scan.InComment = inComment;
    return scan;
}

// The game loop, seeking a game's move text from i on, finds its start
// before the end of the window.
bool Indexer::FindsMoveText(std::size_t i) const
{
    for (const char* q = buffer_.data() + i; *q != '\0' && *q != '[';) {
        if (MoveTextStartAt(q) != MoveTextStart::None) return true;
        q = NextMoveTextCandidate(q);
    }
    return false;
}

// A full window without a game start after its first: the cut that loses
// nothing, NotFound when it is used whole. Sets how the next chunk begins.
std::size_t Indexer::FullWindowCut(const WindowScan& scan, std::size_t n)
{
    if (scan.Unsettled != NotFound) {
        // The next chunk looks at that "}" again, with the text after it.
        start_ = ChunkStart::MoveText;
        startInComment_ = true;
        return scan.Unsettled;
    }
    if (scan.OpenTag != NotFound) {
        // A tag runs past the window: the next chunk begins with it, unless
        // it began the window (then only its first characters are read).
        if (scan.LoopStart != NotFound && scan.OpenTag > scan.LoopStart) {
            start_ = ChunkStart::Cut;
            return scan.OpenTag;
        }
        tagFillsChunk_ = scan.OpenTag == scan.LoopStart ? buffer_.data() + scan.OpenTag : nullptr;
        start_ = ChunkStart::TagRest;
        return NotFound;
    }
    if (scan.SeekFrom != NotFound && !FindsMoveText(scan.SeekFrom)) {
        // The game's move text is still to come: the next chunk goes on from
        // the last place that cannot be inside its start ("12." or "1-0").
        const auto inStart = [](char c) { return (c >= '0' && c <= '9') || c == '-' || c == '/'; };
        std::size_t resume = n;
        while (resume > scan.SeekFrom && inStart(buffer_[resume - 1]))
            --resume;
        start_ = ChunkStart::Cut;
        return resume > 0 ? resume : NotFound;
    }
    start_ = ChunkStart::MoveText;
    startInComment_ = scan.InComment;
    return NotFound;
}

// Reads the next chunk into the buffer and sets p_ to where its game loop
// begins; false at the end of the data. A chunk is cut before the last game
// that starts in it; one without a game start grows up to the largest window
// (FullWindowCut). A chunk where no game loop begins is passed over.
bool Indexer::ReadChunk()
{
    for (;;) {
        chunkOffset_ = nextOffset_;
        bool atEnd = false;
        std::size_t n = ReadInto(0, chunkSize_, atEnd);
        const bool tooShort = firstChunk_ && n < MinFileBytes;
        firstChunk_ = false;
        if (n == 0 || tooShort) return false;

        WindowScan scan;
        std::size_t cut = NotFound;
        tagFillsChunk_ = nullptr;
        for (;;) {
            scan = ScanWindow(atEnd);
            if (atEnd) break;
            if (scan.LastGame != NotFound) {
                cut = scan.LastGame;
                start_ = ChunkStart::Cut;
                break;
            }
            if (n >= maxWindow_) {
                cut = FullWindowCut(scan, n);
                break;
            }
            n += ReadInto(n, std::min(n, maxWindow_ - n), atEnd);
        }

        char* text = buffer_.data();
        // The text ends at the cut, so that what comes before it reads as it
        // would with the next "[" after it.
        const std::size_t end = cut != NotFound ? cut : n;
        std::memset(text + end, 0, std::min(ChunkSlack, buffer_.size() - end));
        nextOffset_ = chunkOffset_ + end;
        // The text is final now: what was learnt about the window is void.
        memo_.Reset();
        if (scan.LoopStart != NotFound) {
            p_ = text + scan.LoopStart;
            return true;
        }
    }
}

// Reads tags into row until the game's move text starts at p_; None at the
// end of the data. Tags cut off by a chunk's end go on filling the same row.
MoveTextStart Indexer::FindMoveText(GameRow& row, char flags[3])
{
    for (;;) {
        const char c = *p_;
        if (c == '\0') {
            if (!ReadChunk()) return MoveTextStart::None;
        } else if (c == '[') {
            const char* tag = p_;
            p_ = ReadTag(tag, row, flags, memo_);
            if (tag == tagFillsChunk_) p_ = tag + std::strlen(tag);
        } else {
            const MoveTextStart kind = MoveTextStartAt(p_);
            if (kind != MoveTextStart::None) return kind;
            p_ = NextMoveTextCandidate(p_);
        }
    }
}

void Indexer::FinishGame(GameRow& row, const char flags[3], IndexResult& result)
{
    row[FlagsColumn].assign(flags, 3);
    row[NumberColumn] = std::to_string(GameCount + 1);
    if (options_.OnRow)
        options_.OnRow(std::move(row));
    else
        result.Rows.push_back(std::move(row));
    ++GameCount;
}

IndexResult Indexer::Run()
{
    IndexResult result;
    // Untouched capacity costs no memory; growing a large list would copy it.
    if (options_.ReserveRows && !options_.OnRow) result.Rows.reserve(MaxIndexedGames);
    GameCount = 0;
    PgnScanSteps = 0;
    // A byte-order mark (some editors write one) is not part of the text.
    char head[3] = {};
    if (source_.ReadAt(0, head, 3) == 3 && std::memcmp(head, "\xEF\xBB\xBF", 3) == 0)
        nextOffset_ = 3;
    if (!ReadChunk()) return result;
    for (;;) {
        if (GameCount < MaxIndexedGames && GameCount % IndexPumpInterval == 0 && options_.Pump)
            options_.Pump(GameCount);

        TagSeen.fill(false);
        char flags[3] = {' ', ' ', ' '};
        GameRow row;
        const MoveTextStart kind = FindMoveText(row, flags);
        if (kind == MoveTextStart::None) return result;
        if (GameCount >= MaxIndexedGames) {
            // This game would have been listed.
            result.LimitReached = true;
            return result;
        }

        row[MoveTextOffset] = std::to_string(chunkOffset_ + (p_ - buffer_.data()));
        p_ = ScanGameMoveText(p_, kind);
        if (ScanMaxMoveNumber != 0) row[MoveCountColumn] = std::to_string(ScanMaxMoveNumber);
        if (ScanVariationCount > 0) flags[1] = ScanVariationCount <= 5 ? 'v' : 'V';
        if (ScanCommentWeight >= 3) flags[2] = ScanCommentWeight <= 6 ? 'c' : 'C';
        FinishGame(row, flags, result);

        // Past the line end after the result, but never past a "[" or "{"
        // that starts the next game (LF-only files, no blank line between).
        for (int k = 0; k < 2 && *p_ != '\0' && *p_ != '[' && *p_ != '{'; ++k)
            ++p_;
    }
}

} // namespace

IndexResult IndexPgn(const ByteSource& source, const IndexOptions& options)
{
    return Indexer(source, options).Run();
}
