#include "database/GameLoader.h"

#include "database/DatabaseFile.h"
#include "database/GameIndex.h"
#include "database/MoveTextParser.h"
#include "database/MoveTextScan.h"
#include "database/PgnTextBuffer.h"
#include "database/ScanSteps.h"
#include "platform/GameText.h"
#include "rules/Board.h"
#include "rules/FenSetup.h"
#include "rules/GameStore.h"
#include "rules/MoveGen.h"

#include <algorithm>
#include <cstring>

std::int32_t CurrentGameRow = -1;
std::uint8_t GameModified = 0;
MovePath SavedLine = {MovePathEnd};

namespace {

// The "No" cell of the game loaded, to find its row again after a sort.
std::string CurrentGameNumber;

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

void Land(int loadToMove)
{
    if (loadToMove == LoadToSavedLine)
        GoToMovePath(SavedLine.data());
    else if (loadToMove >= 0)
        CurrentPly = std::min(loadToMove, LineLength);
    else
        CurrentPly = LineLength;
}

} // namespace

std::optional<std::uint64_t> ParseMoveTextOffset(std::string_view cell)
{
    if (cell.empty() || cell.size() > 19) return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : cell) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return value;
}

std::size_t ExpectedGameTextSize(const GameRow& cells)
{
    std::size_t moves = 0;
    for (const char c : cells[MoveCountColumn]) {
        if (c < '0' || c > '9' || moves > 100000) break;
        moves = moves * 10 + static_cast<std::size_t>(c - '0');
    }
    // A main-line move with its number takes 12 to 14 bytes.
    std::size_t perMove = 14;
    const std::string& flags = cells[FlagsColumn];
    if (flags.size() > 1 && flags[1] != ' ') perMove += flags[1] == 'V' ? 14 : 6;
    if (flags.size() > 2 && flags[2] != ' ') perMove += flags[2] == 'C' ? 14 : 6;
    return std::clamp<std::size_t>(96 + perMove * moves, 256, PgnChunkSize);
}

std::size_t ReadGameText(const ByteSource& source, std::uint64_t offset, std::size_t expected)
{
    std::size_t n = 0;
    std::size_t want = std::clamp<std::size_t>(expected, 1, PgnChunkSize);
    for (;;) {
        const std::int64_t got = source.ReadAt(offset + n, PgnTextBuffer + n, want - n);
        if (got <= 0) break;
        const std::size_t start = n;
        n += static_cast<std::size_t>(got);
        for (char* z = PgnTextBuffer + start;
             (z = static_cast<char*>(std::memchr(z, '\0', PgnTextBuffer + n - z))); ++z)
            *z = ' ';
        PgnTextBuffer[n] = '\0';
        PgnScanSteps += n; // read, then searched for the next game
        if (n < want || n == PgnChunkSize || ReachesNextGame(PgnTextBuffer)) break;
        want = std::min(2 * want, PgnChunkSize);
    }
    std::memset(PgnTextBuffer + n, 0, PgnBufferSlack);
    return n;
}

std::string GameTitleText(const GameRow& cells)
{
    constexpr std::string_view Dash = " \xE2\x80\x93 "; // en dash
    const std::string white = GameTextToUtf8(cells[WhiteColumn]);
    const std::string black = GameTextToUtf8(cells[BlackColumn]);
    std::string players;
    if (white.empty() && !black.empty())
        players = "??" + std::string(Dash) + black;
    else if (black.empty())
        players = white;
    else
        players = white + std::string(Dash) + black;
    const std::string& event = cells[EventColumn].empty() ? cells[SiteColumn] : cells[EventColumn];
    const std::string year = cells[DateColumn].substr(0, 4);
    return GameTextToUtf8(cells[EcoColumn]) + " " + players + "  " +
           GameTextToUtf8(cells[ResultColumn]) + "  " + GameTextToUtf8(event) + " " +
           GameTextToUtf8(year);
}

GameLoadResult LoadGameFrom(const ByteSource& source, int row, const GameRow& cells, bool keepPath,
                            int loadToMove, const GameLoadHooks& hooks)
{
    GameLoadResult result;
    const std::optional<std::uint64_t> offset = ParseMoveTextOffset(cells[MoveTextOffset]);
    // The indexer runs with its own buffer, but the list it fills is not
    // complete yet: no load meanwhile.
    if (ListLoading || row < 1 || !offset) return result;

    if (keepPath) SavedLine = CurrentMovePath();
    const std::size_t n = ReadGameText(source, *offset, ExpectedGameTextSize(cells));
    if (n == 0) {
        result.Status = LoadStatus::NothingRead;
        return result;
    }

    CurrentGameRow = row;
    CurrentGameNumber = cells[NumberColumn];
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
    result.Title = GameTitleText(cells);
    if (hooks.ShowDocument) hooks.ShowDocument();
    Land(loadToMove);
    // The parser leaves the lists of its positions unmade; the document's
    // replay (or the saved line's) makes those of the line shown.
    if (!hooks.ShowDocument && loadToMove != LoadToSavedLine) GenerateMoves();
    if (hooks.ShowPosition) hooks.ShowPosition();
    result.Status = LoadStatus::Loaded;
    return result;
}

GameLoadResult LoadGame(int row, const GameRow& cells, bool keepPath, int loadToMove,
                        const GameLoadHooks& hooks)
{
    if (DatabaseFileHandle < 0) return {};
    if (!ListLoading && DatabaseChangedSinceIndexed()) return {LoadStatus::Changed, {}};
    return LoadGameFrom(FileByteSource(DatabaseFileHandle), row, cells, keepPath, loadToMove,
                        hooks);
}

int NextGameRow(int row, int rowCount)
{
    return row >= 1 && row < rowCount - 1 ? row + 1 : -1;
}

int PreviousGameRow(int row)
{
    return row >= 2 ? row - 1 : -1;
}

void RepointCurrentGameRow(int rowCount, const std::function<std::string(int row)>& numberCell)
{
    if (CurrentGameRow < 0 || CurrentGameNumber.empty()) return;
    CurrentGameRow = -1;
    for (int r = 1; r < rowCount; ++r) {
        if (numberCell(r) == CurrentGameNumber) {
            CurrentGameRow = r;
            return;
        }
    }
}

void ForgetCurrentGame()
{
    CurrentGameRow = -1;
    CurrentGameNumber.clear();
}
