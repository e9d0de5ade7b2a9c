#include "FuzzEntries.h"

#include "components/GridText.h"

#include "app/OptionValues.h"
#include "database/ByteSource.h"
#include "database/EloList.h"
#include "database/GameHeaderRtf.h"
#include "database/GameIndex.h"
#include "database/GameLoader.h"
#include "database/MoveListRtf.h"
#include "database/MoveTextParser.h"
#include "database/RtfBuffer.h"
#include "database/RtfProlog.h"
#include "rules/Board.h"
#include "rules/FenSetup.h"
#include "rules/GameStore.h"
#include "rules/MoveGen.h"
#include "rules/Navigation.h"
#include "rules/Perft.h"
#include "rules/StreamCheck.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace {

void PrepareStore()
{
    static const bool ready = [] {
        InitGameStore();
        RestoreFirstRunOptions();
        return true;
    }();
    (void)ready;
    ListLoading = false;
    SetStartPosition();
    CurrentPly = 0;
    LineLength = 0;
    MoveNodeCount = 0;
}

constexpr std::size_t QuickLoads = 32;

IndexOptions SmallChunks(std::size_t chunkSize)
{
    IndexOptions options;
    options.ChunkSize = chunkSize;
    options.ReserveRows = false;
    return options;
}

// "" when both indexes agree, else the first difference.
std::string CompareIndexes(const IndexResult& expected, const IndexResult& got,
                           const std::string& how)
{
    if (expected.LimitReached != got.LimitReached) return how + ": limit flag differs";
    const std::size_t common = std::min(expected.Rows.size(), got.Rows.size());
    for (std::size_t i = 0; i < common; ++i) {
        for (int c = 0; c < GameListColumns; ++c) {
            if (expected.Rows[i][c] != got.Rows[i][c])
                return how + ": game " + std::to_string(i + 1) + " column " + std::to_string(c) +
                       " is \"" + got.Rows[i][c] + "\", one window gives \"" + expected.Rows[i][c] +
                       "\"";
        }
    }
    if (expected.Rows.size() != got.Rows.size())
        return how + ": " + std::to_string(got.Rows.size()) + " games, one window gives " +
               std::to_string(expected.Rows.size());
    return {};
}

} // namespace

std::string CheckRows(const IndexResult& index, std::size_t size)
{
    if (index.Rows.size() > static_cast<std::size_t>(MaxIndexedGames)) return "too many rows";
    for (std::size_t i = 0; i < index.Rows.size(); ++i) {
        const GameRow& row = index.Rows[i];
        const std::string game = "game " + std::to_string(i + 1) + ": ";
        if (row[NumberColumn] != std::to_string(i + 1)) return game + "wrong number";
        if (row[FlagsColumn].size() != 3) return game + "flags not three";
        const std::optional<std::uint64_t> offset = ParseMoveTextOffset(row[MoveTextOffset]);
        if (!offset || *offset >= size) return game + "move text outside the file";
    }
    return {};
}

namespace {

// The program's document of the loaded game: prolog, header and move list.
void WriteDocument(const GameRow& cells)
{
    ResetRtfBuffer();
    RtfPrologEnd = WriteRtfProlog(0);
    RtfTextPos = 0;
    const GameHeaderCells header = HeaderCellsOf([&](int column) { return cells[column]; });
    BuildMoveList(WriteGameHeaderRtf(RtfPrologEnd, header));
}

// Answers in a fixed rotation, so that every kind of answer is taken: skip,
// a correction that does not read, moves that may (resuming after the token
// or at its start) and, now and then, cancel.
class RotatingCorrections : public CorrectMoveHandler {
public:
    void RefreshBeforeAsking() override
    {
        // The stream is balanced here; checking it costs a replay, so only
        // the first questions of a game are checked.
        if (asked_ < 32 && problem_.empty() && !CheckMoveStream(&problem_))
            problem_ = "stream broken before a question: " + problem_;
    }

    CorrectMoveAnswer AskCorrection(const std::string& token, int maxAdvance) override
    {
        static constexpr std::array<const char*, 8> Moves{"e4",  "e5",   "Nf3", "d5",
                                                          "O-O", "exd5", "Qh5", "a8=Q"};
        const unsigned q = asked_++;
        const int advance = std::min(static_cast<int>(token.size()), maxAdvance);
        if (q % 16 == 15) return {CorrectMoveChoice::Cancel, {}, 0};
        const char* move = Moves[(q / 4) % Moves.size()];
        switch (q % 4) {
        case 0:
            return {CorrectMoveChoice::Skip, {}, 0};
        case 1:
            return {CorrectMoveChoice::Correct, "zz" + token, advance};
        case 2:
            return {CorrectMoveChoice::Correct, move, advance};
        default:
            return {CorrectMoveChoice::Correct, move, 0};
        }
    }

    const std::string& Problem() const { return problem_; }

private:
    unsigned asked_ = 0;
    std::string problem_;
};

bool IsPieceCode(std::uint8_t cell)
{
    const int type = cell & Piece::TypeMask;
    return (cell & ~(Piece::BlackBit | Piece::TypeMask)) == 0 && type >= Piece::Pawn &&
           type <= Piece::King;
}

// What a usable set-up position guarantees; "" when it holds.
std::string CheckSetUpPosition(const PositionRecord& p)
{
    int kings[2] = {0, 0};
    for (int cell = 0; cell < BoardCells; ++cell) {
        const std::uint8_t v = p.Board[cell];
        if (!IsRealSquare(cell)) {
            if (v != Piece::OffBoard) return "border cell " + std::to_string(cell) + " changed";
            continue;
        }
        if (v != Piece::Empty && !IsPieceCode(v))
            return "square " + std::to_string(cell) + " holds " + std::to_string(v);
        if ((v & Piece::TypeMask) == Piece::King) ++kings[v >> 7];
    }
    if (kings[0] != 1 || kings[1] != 1) return "accepted without one king a side";
    if (p.Board[p.WhiteKingSquare] != Piece::King ||
        p.Board[p.BlackKingSquare] != (Piece::King | Piece::BlackBit))
        return "king squares wrong";
    if (p.SideToMove != 0 && p.SideToMove != Piece::BlackBit) return "side to move wrong";
    // A right is kept only with king and rook at home.
    constexpr std::array<std::array<int, 3>, 4> Homes{{{0x25, 0x28, 0},
                                                       {0x25, 0x21, 0},
                                                       {0x95, 0x98, Piece::BlackBit},
                                                       {0x95, 0x91, Piece::BlackBit}}};
    for (int i = 0; i < 4; ++i) {
        if (p.CastlingLost[i] != 0) continue;
        const auto [king, rook, colour] = Homes[i];
        if (p.Board[king] != (Piece::King | colour) || p.Board[rook] != (Piece::Rook | colour))
            return "castling right " + std::to_string(i) + " kept without its pieces";
    }
    return {};
}

} // namespace

std::string FuzzIndex(std::string_view bytes, FuzzDepth depth)
{
    PrepareStore();
    const MemoryByteSource source(bytes);
    // One window that holds the whole text is the reference; small chunks
    // are cut at every kind of place, and must give the same rows.
    const IndexResult whole = IndexPgn(source, SmallChunks(bytes.size() + 1));
    const bool comparable = bytes.size() < PgnChunkSize;
    for (const std::size_t chunk : {std::size_t{16}, 17 + bytes.size() % 239}) {
        const IndexResult chunked = IndexPgn(source, SmallChunks(chunk));
        if (comparable) {
            std::string problem =
                CompareIndexes(whole, chunked, "chunks of " + std::to_string(chunk));
            if (!problem.empty()) return problem;
        }
    }
    // Windows smaller than a game or tag cut them, but every row still
    // points into the text.
    IndexOptions tiny = SmallChunks(16);
    tiny.MaxWindow = 16 + bytes.size() % 113;
    std::string problem = CheckRows(IndexPgn(source, tiny), bytes.size());
    if (!problem.empty()) return "windows of " + std::to_string(tiny.MaxWindow) + ": " + problem;
    problem = CheckRows(whole, bytes.size());
    if (!problem.empty()) return problem;
    if (depth == FuzzDepth::Full) {
        const IndexResult full = IndexPgn(source);
        if (comparable) return CompareIndexes(whole, full, "the program's chunks");
    }
    return {};
}

std::string LoadGames(const ByteSource& source, const std::vector<GameRow>& rows, FuzzDepth depth)
{
    PrepareStore();
    SavedLine = {MovePathEnd};
    // A load reads up to 1 MiB of text when no game follows: the fuzzer loads
    // the first and the last games, so that its run stays linear in the file.
    const std::size_t games = rows.size();
    for (std::size_t i = 0; i < games; ++i) {
        if (depth == FuzzDepth::Quick && i == QuickLoads / 2 && games > QuickLoads)
            i = games - QuickLoads / 2;
        const GameRow& cells = rows[i];
        GameLoadHooks hooks;
        hooks.ShowDocument = [&cells] { WriteDocument(cells); };
        // Every landing: the last move, the line kept from the game before, a ply.
        const int landing = i % 3 == 0 ? LoadToLastMove : i % 3 == 1 ? LoadToSavedLine : int(i);
        const int row = static_cast<int>(i) + 1;
        const GameLoadResult result = LoadGameFrom(source, row, cells, i % 2 == 1, landing, hooks);
        const std::string game = "game " + std::to_string(row) + ": ";
        if (result.Status != LoadStatus::Loaded) return game + "not loaded";
        std::string why;
        if (!CheckMoveStream(&why)) return game + why;
        if (CurrentPly < 0 || CurrentPly > LineLength || LineLength > MaxPly)
            return game + "landed outside its line";
    }
    return {};
}

std::string FuzzLoad(std::string_view bytes, FuzzDepth depth)
{
    PrepareStore();
    const MemoryByteSource source(bytes);
    const IndexResult index =
        depth == FuzzDepth::Full ? IndexPgn(source) : IndexPgn(source, SmallChunks(64));
    return LoadGames(source, index.Rows, depth);
}

std::string FuzzMoveText(std::string_view bytes, FuzzDepth)
{
    PrepareStore();
    // The parser's text is NUL-ended with a few zero bytes after it, as in
    // the loader's buffer.
    std::vector<char> text(bytes.begin(), bytes.end());
    text.resize(bytes.size() + PgnBufferSlack, '\0');
    RotatingCorrections handler;
    ParseMoveText(text.data(), text.data() + bytes.size(), &handler);
    if (!handler.Problem().empty()) return handler.Problem();
    std::string why;
    if (!CheckMoveStream(&why)) return why;
    if (CurrentPly < 0 || CurrentPly > LineLength) return "current ply outside the line";
    return {};
}

std::string FuzzFen(std::string_view bytes, FuzzDepth)
{
    PrepareStore();
    const bool usable = SetupPositionFromFen(bytes.data(), bytes.size());
    const PositionRecord& p = Positions[0];
    if (!usable) {
        if (!std::equal(StartBoard.begin(), StartBoard.end(), p.Board))
            return "refused, but record 0 is not the start position";
        return {};
    }
    std::string problem = CheckSetUpPosition(p);
    if (!problem.empty()) return problem;
    // The position must stand move generation and play.
    GenerateMoves();
    Perft(2);
    if (CurrentPly != 0) return "perft moved the current ply";
    return {};
}

std::string FuzzElo(std::string_view bytes, FuzzDepth)
{
    ListLoading = false;
    const MemoryByteSource source(bytes);
    const EloListRows list = ReadEloListRows(source);
    if (list.Status != EloLoadStatus::Loaded) {
        if (!list.Rows.empty()) return "rows given for a refused list";
        return {};
    }
    for (std::size_t i = 0; i < list.Rows.size(); ++i)
        if (list.Rows[i].size() != list.Layout.Columns.size())
            return "row " + std::to_string(i + 1) + " has the wrong field count";
    if (ListLoading) return "busy flag left set";
    return {};
}

std::string FollowStoredLine(const std::string& hex)
{
    PrepareStore();
    static const std::string game =
        "1. e4 e5 (1... c5 2. Nf3 (2. c3 d5) 2... d6) 2. Nf3 Nc6 (2... Nf6 3. Nxe5 (3. d4) d6) "
        "3. Bb5 a6 4. Ba4 (4. Bxc6 dxc6 5. O-O) 4... Nf6 5. O-O *";
    std::vector<char> text(game.begin(), game.end());
    text.resize(game.size() + PgnBufferSlack, '\0');
    ParseMoveText(text.data(), text.data() + game.size(), nullptr);
    MovePath path{};
    HexToMovePath(hex, path.data(), MovePathCapacity);
    GoToMovePath(path.data());
    if (CurrentPly < 0 || CurrentPly > LineLength) return "stored line left the game";
    std::string why;
    if (!CheckMoveStream(&why)) return "stored line broke the game: " + why;
    return {};
}

std::string FuzzGrid(std::string_view bytes, FuzzDepth)
{
    const char separator = '\t';
    constexpr long long maxCells = 1 << 22;
    const std::optional<TGridCells> cells = ReadGridText(bytes, separator, 2, maxCells);
    if (!cells) return {};
    if (static_cast<long long>(cells->ColCount()) * cells->RowCount() > maxCells)
        return "more cells than allowed";
    // Each line reads back from its row: its fields joined by the separator.
    int row = 0;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = bytes.size();
        const std::string_view line = bytes.substr(start, end - start);
        const int fields = 1 + static_cast<int>(std::count(line.begin(), line.end(), separator));
        if (row >= cells->RowCount() || fields > cells->ColCount()) return "line without its row";
        std::string joined;
        for (int c = 0; c < fields; ++c) {
            if (c > 0) joined += separator;
            joined += cells->Cell(c, row);
        }
        if (joined != line) return "row " + std::to_string(row) + " differs from its line";
        if (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n') ++end;
        start = end + 1;
        ++row;
    }
    if (row != (row == 0 ? 0 : cells->RowCount())) return "rows without a line";
    return {};
}

std::span<const FuzzTarget> CoreFuzzTargets()
{
    static constexpr std::array<FuzzTarget, 6> Targets{{
        {"grid", FuzzGrid},
        {"index", FuzzIndex},
        {"load", FuzzLoad},
        {"movetext", FuzzMoveText},
        {"fen", FuzzFen},
        {"elo", FuzzElo},
    }};
    return Targets;
}
