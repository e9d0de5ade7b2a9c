// Frozen copy of rules/MoveGen.cpp (see FrozenParser.h).
#include "bench/frozen/FrozenParser.h"

#include "rules/Board.h"

namespace frozen {

namespace {

using namespace MoveFlags;

// Appends moves to one record's list and drops everything after the 199th.
class MoveWriter {
public:
    explicit MoveWriter(PositionRecord& record) : moves_(record.Moves) {}

    void Add(int from, int to, std::uint8_t flags = 0, std::uint8_t promotion = 0)
    {
        if (count_ < MaxMoves)
            moves_[count_++] = MoveEntry{static_cast<std::uint8_t>(from),
                                         static_cast<std::uint8_t>(to), flags, promotion};
    }

    // Queen, rook, bishop, knight of the colour given by colourBit.
    void AddPromotions(int from, int to, std::uint8_t colourBit)
    {
        for (std::uint8_t type : {Piece::Queen, Piece::Rook, Piece::Bishop, Piece::Knight})
            Add(from, to, 0, static_cast<std::uint8_t>(type | colourBit));
    }

    int Count() const { return count_; }

private:
    MoveEntry* moves_;
    int count_ = 0;
};

constexpr int KnightSteps[8] = {-33, -18, 14, 31, 33, 18, -14, -31};
constexpr int BishopSteps[4] = {15, 17, -17, -15};
constexpr int RookSteps[4] = {16, -16, 1, -1};
constexpr int QueenSteps[8] = {15, 17, -17, -15, 16, -16, 1, -1};

// A cell a White piece may move to: empty or Black (0x40 and White stop it).
inline bool WhiteTarget(std::uint8_t cell)
{
    return cell == 0 || cell >= 0x81;
}
// A cell a Black piece may move to: empty or White.
inline bool BlackTarget(std::uint8_t cell)
{
    return cell <= Piece::King;
}

template <bool White>
inline bool IsTarget(std::uint8_t cell)
{
    if constexpr (White)
        return WhiteTarget(cell);
    else
        return BlackTarget(cell);
}

template <bool White, int N>
void AddSteps(MoveWriter& out, const std::uint8_t* board, int square, const int (&steps)[N])
{
    for (int step : steps)
        if (IsTarget<White>(board[square + step])) out.Add(square, square + step);
}

template <bool White, int N>
void AddRays(MoveWriter& out, const std::uint8_t* board, int square, const int (&steps)[N])
{
    for (int step : steps) {
        for (int to = square + step;; to += step) {
            const std::uint8_t cell = board[to];
            if (!IsTarget<White>(cell)) break;
            out.Add(square, to);
            if (cell != 0) break;
        }
    }
}

void WhitePawn(MoveWriter& out, const PositionRecord& record, int s)
{
    const std::uint8_t* b = record.Board;
    if (b[s + 16] == 0) {
        if (s < 0x40) {
            out.Add(s, s + 16);
            if (b[s + 32] == 0) out.Add(s, s + 32);
        } else if (s + 16 < 0x91) {
            out.Add(s, s + 16);
        } else {
            out.AddPromotions(s, s + 16, 0);
        }
    }
    for (int to : {s + 17, s + 15}) {
        const std::uint8_t cell = b[to];
        if (cell >= 0x81) {
            if (to >= 0x91)
                out.AddPromotions(s, to, 0);
            else
                out.Add(s, to);
        } else if (cell == 0 && to - record.EnPassantSquare == 16) {
            out.Add(s, to, EnPassant);
        }
    }
}

void BlackPawn(MoveWriter& out, const PositionRecord& record, int s)
{
    const std::uint8_t* b = record.Board;
    if (b[s - 16] == 0) {
        if (s < 0x81) {
            if (s - 16 < 0x30)
                out.AddPromotions(s, s - 16, Piece::BlackBit);
            else
                out.Add(s, s - 16);
        } else {
            out.Add(s, s - 16);
            if (b[s - 32] == 0) out.Add(s, s - 32);
        }
    }
    for (int to : {s - 17, s - 15}) {
        const std::uint8_t cell = b[to];
        if (cell >= Piece::Pawn && cell <= Piece::King) {
            if (to < 0x30)
                out.AddPromotions(s, to, Piece::BlackBit);
            else
                out.Add(s, to);
        } else if (cell == 0 && record.EnPassantSquare - to == 16) {
            out.Add(s, to, EnPassant);
        }
    }
}

// Castling needs the right kept, the squares between empty and the rook on
// its corner; check and attacked squares are tested when the move is tried.
void WhiteCastling(MoveWriter& out, const PositionRecord& record, int s)
{
    const std::uint8_t* b = record.Board;
    if (record.CastlingLost[0] == 0 && b[0x26] == 0 && b[0x27] == 0 && b[0x28] == Piece::Rook)
        out.Add(s, 0x27, CastleKingSide);
    if (record.CastlingLost[1] == 0 && b[0x22] == 0 && b[0x23] == 0 && b[0x24] == 0 &&
        b[0x21] == Piece::Rook)
        out.Add(s, 0x23, CastleQueenSide);
}

void BlackCastling(MoveWriter& out, const PositionRecord& record, int s)
{
    constexpr std::uint8_t rook = Piece::Rook | Piece::BlackBit;
    const std::uint8_t* b = record.Board;
    if (record.CastlingLost[2] == 0 && b[0x96] == 0 && b[0x97] == 0 && b[0x98] == rook)
        out.Add(s, 0x97, CastleKingSide);
    if (record.CastlingLost[3] == 0 && b[0x92] == 0 && b[0x93] == 0 && b[0x94] == 0 &&
        b[0x91] == rook)
        out.Add(s, 0x93, CastleQueenSide);
}

template <bool White>
int Generate(PositionRecord& record)
{
    MoveWriter out(record);
    const std::uint8_t* b = record.Board;
    for (std::uint32_t square : SquareTable) {
        const int s = static_cast<int>(square);
        const std::uint8_t cell = b[s];
        if constexpr (White) {
            if (cell == 0 || cell > Piece::King) continue;
        } else {
            if (cell < 0x81) continue;
        }
        switch (cell & Piece::TypeMask) {
        case Piece::Pawn:
            if constexpr (White)
                WhitePawn(out, record, s);
            else
                BlackPawn(out, record, s);
            break;
        case Piece::Knight:
            AddSteps<White>(out, b, s, KnightSteps);
            break;
        case Piece::Bishop:
            AddRays<White>(out, b, s, BishopSteps);
            break;
        case Piece::Rook:
            AddRays<White>(out, b, s, RookSteps);
            break;
        case Piece::Queen:
            AddRays<White>(out, b, s, QueenSteps);
            break;
        case Piece::King:
            AddSteps<White>(out, b, s, QueenSteps);
            if constexpr (White)
                WhiteCastling(out, record, s);
            else
                BlackCastling(out, record, s);
            break;
        default:
            break;
        }
    }
    record.MoveCount = out.Count();
    return record.MoveCount;
}

} // namespace

int GenerateMovesOf(PositionRecord& record)
{
    return record.SideToMove == 0 ? Generate<true>(record) : Generate<false>(record);
}

void GenerateMoves()
{
    GenerateMovesOf(Positions[CurrentPly]);
}

} // namespace frozen
