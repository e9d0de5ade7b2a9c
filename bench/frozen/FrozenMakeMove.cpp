// Frozen copy of rules/MakeMove.cpp (see FrozenParser.h).
#include "bench/frozen/FrozenParser.h"

#include "rules/Board.h"
#include "rules/GameStore.h"
#include <cstring>

namespace frozen {

namespace {

using namespace MoveFlags;

constexpr int RookSteps[4] = {16, -16, 1, -1};
constexpr int BishopSteps[4] = {15, 17, -17, -15};
constexpr int KnightSteps[8] = {33, 18, -14, -31, -33, -18, 14, 31};

constexpr std::uint8_t CastleFlags = CastleKingSide | CastleQueenSide;

// Corner squares and the CastlingLost word each one guards.
constexpr struct {
    int Square;
    int Right;
} Corners[4] = {{0x28, 0}, {0x21, 1}, {0x98, 2}, {0x91, 3}};

// Copies what a move carries over: the 64 real squares (border cells of
// target are never written), the rights, king squares, side and BranchCount.
inline void CopyPosition(const PositionRecord& from, PositionRecord& target)
{
    for (int row = 0; row < 8; ++row) {
        const int first = SquareOf(0, row);
        std::memcpy(target.Board + first, from.Board + first, 8);
    }
    std::memcpy(target.CastlingLost, from.CastlingLost, sizeof(from.CastlingLost));
    target.WhiteKingSquare = from.WhiteKingSquare;
    target.BlackKingSquare = from.BlackKingSquare;
    target.SideToMove = from.SideToMove;
    target.BranchCount = from.BranchCount;
}

inline bool ValidIndex(const PositionRecord& record, int index)
{
    return index >= 0 && index < record.MoveCount;
}

} // namespace

std::uint8_t IsSquareAttacked(const PositionRecord& record, int square, std::uint8_t side)
{
    // A square off the board (a corrupted king square) is attacked by
    // nothing; walking from it could leave the array.
    if (!IsRealSquare(square)) return 0;
    const std::uint8_t enemy = side == 0 ? Piece::BlackBit : 0;
    const std::uint8_t queen = Piece::Queen | enemy;
    const std::uint8_t king = Piece::King | enemy;
    const std::uint8_t* b = record.Board;

    for (int step : RookSteps) {
        int cell = square + step;
        while (b[cell] == 0)
            cell += step;
        const std::uint8_t piece = b[cell];
        if (piece == queen || piece == (Piece::Rook | enemy) ||
            (piece == king && cell == square + step))
            return 1;
    }
    for (int step : BishopSteps) {
        int cell = square + step;
        while (b[cell] == 0)
            cell += step;
        const std::uint8_t piece = b[cell];
        if (piece == queen || piece == (Piece::Bishop | enemy) ||
            (piece == king && cell == square + step))
            return 1;
    }
    const std::uint8_t knight = Piece::Knight | enemy;
    for (int step : KnightSteps)
        if (b[square + step] == knight) return 1;
    if (side == 0)
        return b[square + 17] == (Piece::Pawn | Piece::BlackBit) ||
               b[square + 15] == (Piece::Pawn | Piece::BlackBit);
    return b[square - 17] == Piece::Pawn || b[square - 15] == Piece::Pawn;
}

std::uint8_t IsInCheck(const PositionRecord& record, std::uint8_t side)
{
    return IsSquareAttacked(record, side == 0 ? record.WhiteKingSquare : record.BlackKingSquare,
                            side);
}

bool PlayMoveInto(const PositionRecord& from, MoveEntry& entry, PositionRecord& target,
                  PlayMode mode)
{
    if (entry.Flags & Illegal) return false;
    const std::uint8_t side = from.SideToMove;
    const bool castles = (entry.Flags & CastleFlags) != 0;
    if (castles && IsInCheck(from, side)) {
        entry.Flags |= Illegal;
        return false;
    }

    CopyPosition(from, target);
    if (mode == PlayMode::Make) target.EnPassantSquare = 0;

    const int fromSquare = entry.From;
    const int to = entry.To;
    const std::uint8_t piece = from.Board[fromSquare];
    std::uint8_t* b = target.Board;
    b[to] = (entry.Promotion & Piece::TypeMask) != 0 ? (entry.Promotion & 0x87) : piece;
    b[fromSquare] = 0;

    // The squares the king passes are tested in the position before the move.
    if (castles) {
        const int base = side == 0 ? 0x20 : 0x90; // one cell left of a1 / a8
        const std::uint8_t rook = Piece::Rook | side;
        const bool kingSide = (entry.Flags & CastleKingSide) != 0;
        const int first = base + (kingSide ? 6 : 4);  // f1 / d1
        const int second = base + (kingSide ? 7 : 3); // g1 / c1
        if (IsSquareAttacked(from, first, side) || IsSquareAttacked(from, second, side)) {
            entry.Flags |= Illegal;
            return false;
        }
        b[base + (kingSide ? 8 : 1)] = 0;
        b[first] = rook;
    }

    if (side == 0) {
        if (piece == Piece::King) {
            if (mode == PlayMode::Make) target.CastlingLost[0] = target.CastlingLost[1] = -1;
            target.WhiteKingSquare = static_cast<std::uint8_t>(to);
        } else if (piece == Piece::Rook) {
            if (mode == PlayMode::Make) {
                if (fromSquare == 0x21)
                    target.CastlingLost[1] = -1;
                else if (fromSquare == 0x28)
                    target.CastlingLost[0] = -1;
            }
        } else if (entry.Flags & EnPassant) {
            b[to - 16] = 0;
        } else if (piece == Piece::Pawn && fromSquare < 0x40 && to > 0x50) {
            if (mode == PlayMode::Make) target.EnPassantSquare = to;
        }
    } else {
        if (piece == (Piece::King | Piece::BlackBit)) {
            if (mode == PlayMode::Make) target.CastlingLost[2] = target.CastlingLost[3] = -1;
            target.BlackKingSquare = static_cast<std::uint8_t>(to);
        } else if (piece == (Piece::Rook | Piece::BlackBit)) {
            if (mode == PlayMode::Make) {
                if (fromSquare == 0x91)
                    target.CastlingLost[3] = -1;
                else if (fromSquare == 0x98)
                    target.CastlingLost[2] = -1;
            }
        } else if (entry.Flags & EnPassant) {
            b[to + 16] = 0;
        } else if (piece == (Piece::Pawn | Piece::BlackBit) && fromSquare > 0x80 && to < 0x70) {
            if (mode == PlayMode::Make) target.EnPassantSquare = to;
        }
    }

    // A move onto a corner takes that corner's right: a rook captured there
    // must not let another rook arriving later castle.
    if (mode == PlayMode::Make)
        for (const auto& corner : Corners)
            if (to == corner.Square) target.CastlingLost[corner.Right] = -1;

    if (IsInCheck(target, side)) {
        entry.Flags |= Illegal;
        return false;
    }
    if (mode == PlayMode::Make) target.SideToMove = side ^ Piece::BlackBit;
    return true;
}

std::uint8_t MakeMove(int index)
{
    PositionRecord& current = Positions[CurrentPly];
    // The last line record has no next record inside the line.
    if (CurrentPly < 0 || CurrentPly >= LineRecords - 1 || !ValidIndex(current, index)) return 0;
    if (!PlayMoveInto(current, current.Moves[index], Positions[CurrentPly + 1], PlayMode::Make))
        return 0;
    ++CurrentPly;
    return 1;
}

std::uint8_t TestMoveLegal(int index)
{
    PositionRecord& current = Positions[CurrentPly];
    if (!ValidIndex(current, index)) return 0;
    return PlayMoveInto(current, current.Moves[index], ScratchPosition, PlayMode::Test) ? 1 : 0;
}

void AnnotateLastMove()
{
    if (CurrentPly < 1) return;
    PositionRecord& before = Positions[CurrentPly - 1];
    PositionRecord& after = Positions[CurrentPly];
    const int node = before.PlayedNode;
    if (node < 0 || node >= MoveNodeCapacity) return;
    const int k = MoveNodes[node].Code;
    if (!ValidIndex(before, k)) return;
    MoveEntry& played = before.Moves[k];
    const std::uint8_t piece = before.Board[played.From];

    // Every rival is looked at each time, so the flags do not depend on
    // which of three like pieces was annotated first.
    if (!(played.Flags & Illegal)) {
        for (int j = 0; j < before.MoveCount; ++j) {
            MoveEntry& rival = before.Moves[j];
            if (j == k || (rival.Flags & Illegal) || rival.To != played.To ||
                before.Board[rival.From] != piece)
                continue;
            played.Flags |= Ambiguous;
            rival.Flags |= Ambiguous;
            if ((played.From - rival.From) % 16 == 0) {
                played.Flags |= DisambiguateByRank;
                rival.Flags |= DisambiguateByRank;
            }
        }
    }

    if (IsInCheck(after, after.SideToMove)) played.Flags |= GivesCheck;

    GenerateMoves();
    for (int i = 0; i < after.MoveCount; ++i)
        if (TestMoveLegal(i)) return;
    played.Flags |= NoLegalReply;
}

} // namespace frozen
