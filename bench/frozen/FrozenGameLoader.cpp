// Frozen copy of the game text read of database/GameLoader.cpp and of the
// part of its LoadGameFrom that a load without hooks runs (see FrozenParser.h).
#include "bench/frozen/FrozenParser.h"

#include "database/GameIndex.h"
#include "database/GameLoader.h"
#include "database/PgnTextBuffer.h"
#include "rules/Board.h"
#include "rules/FenSetup.h"
#include "rules/GameStore.h"

#include <cstring>

namespace frozen {

bool IsOutsideComment(const char* p)
{
    const char* brace = std::strpbrk(p + 1, "{}");
    return !brace || *brace == '{';
}

namespace {

// First read of a game's text; most games are far shorter.
constexpr std::size_t FirstGameRead = 4096;

// The text holds the start of the next game: a "[" outside comments (the
// move-text parser stops there).
bool ReachesNextGame(const char* text)
{
    bool inComment = false;
    for (const char* q = text;; ++q) {
        q = std::strpbrk(q, "{}[");
        if (!q) return false;
        if (*q == '{')
            inComment = true;
        else if (*q == '}')
            inComment = inComment && !IsOutsideComment(q);
        else if (!inComment)
            return true;
    }
}

} // namespace

std::size_t ReadGameText(const ByteSource& source, std::uint64_t offset)
{
    std::size_t n = 0;
    std::size_t want = FirstGameRead;
    for (;;) {
        const std::int64_t got = source.ReadAt(offset + n, PgnTextBuffer + n, want - n);
        if (got <= 0) break;
        const std::size_t start = n;
        n += static_cast<std::size_t>(got);
        for (char* z = PgnTextBuffer + start;
             (z = static_cast<char*>(std::memchr(z, '\0', PgnTextBuffer + n - z))); ++z)
            *z = ' ';
        PgnTextBuffer[n] = '\0';
        if (n < want || n == PgnChunkSize || ReachesNextGame(PgnTextBuffer)) break;
        want = std::min(2 * want, PgnChunkSize);
    }
    std::memset(PgnTextBuffer + n, 0, PgnBufferSlack);
    return n;
}

bool LoadGameFrom(const ByteSource& source, int row, const GameRow& cells)
{
    const std::optional<std::uint64_t> offset = ParseMoveTextOffset(cells[MoveTextOffset]);
    if (ListLoading || row < 1 || !offset) return false;
    const std::size_t n = frozen::ReadGameText(source, *offset);
    if (n == 0) return false;

    CurrentGameRow = row;
    CurrentPly = 0;
    LineLength = 0;
    MoveNodeCount = 0;
    const std::string& fen = cells[FenColumn];
    if (!cells[FlagsColumn].empty() && cells[FlagsColumn][0] == 'P' && !fen.empty())
        SetupPositionFromFen(fen.data(), fen.size());
    else
        SetStartPosition();

    GameModified = 0;
    ParseGameMoveText(PgnTextBuffer + n);
    const std::string title = GameTitleText(cells);
    CurrentPly = LineLength;
    return !title.empty();
}

} // namespace frozen
