// The moves of one piece in the generator's fixed order, written to any sink
// (a list, a counter), and the squares of one side's pieces as a bit set.
// The generator and the move lookup share these, so that a move's index
// found by counting is the index the generated list gives it.
#pragma once

#include "rules/Board.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace piece_moves {

// Bit i of a SquareSet is SquareTable[i]: rank * 8 + file.
using SquareSet = std::uint64_t;

constexpr int SquareOfBit(int bit)
{
    return 0x21 + ((bit >> 3) << 4) + (bit & 7);
}
constexpr int BitOfSquare(int square)
{
    return (RankOf(square) << 3) | FileOf(square);
}

// The squares holding a piece of side (0 White, 0x80 Black): eight bytes per
// rank, a White piece is 1..6, a Black one has bit 7 set.
inline SquareSet PiecesOf(const PositionRecord& record, std::uint8_t side)
{
    constexpr std::uint64_t Low7 = 0x7F7F7F7F7F7F7F7FULL;
    constexpr std::uint64_t High = 0x8080808080808080ULL;
    constexpr std::uint64_t Gather = 0x0102040810204080ULL; // bit 7 of byte i to bit 56 + i
    SquareSet set = 0;
    for (int rank = 0; rank < 8; ++rank) {
        std::uint64_t cells;
        std::memcpy(&cells, record.Board + SquareOf(0, rank), 8);
        const std::uint64_t black = cells & High;
        const std::uint64_t mine =
            side == 0 ? ((cells & Low7) + Low7) & ~cells & High // non-zero, bit 7 clear
                      : black;
        set |= (((mine >> 7) * Gather) >> 56) << (rank * 8);
    }
    return set;
}

// Sinks: Add(from, to, flags, promotion) and AddPromotions(from, to, colourBit).
class CountSink {
public:
    void Add(int, int, std::uint8_t = 0, std::uint8_t = 0) { ++count_; }
    void AddPromotions(int, int, std::uint8_t) { count_ += 4; }
    int Count() const { return count_; }

private:
    int count_ = 0;
};

// Writes into a list of MaxMoves entries and drops what comes after.
class ListSink {
public:
    explicit ListSink(MoveEntry* moves) : moves_(moves) {}

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

// A cell a piece of the side may move to: empty or enemy (0x40 and own
// pieces stop it). White: 0 or at least 0x81; Black: up to 6.
template <bool White>
inline bool IsTarget(std::uint8_t cell)
{
    if constexpr (White)
        return cell == 0 || cell >= 0x81;
    else
        return cell <= Piece::King;
}

template <bool White, typename Sink, int N>
inline void AddSteps(Sink& out, const std::uint8_t* board, int square, const int (&steps)[N])
{
    for (int step : steps)
        if (IsTarget<White>(board[square + step])) out.Add(square, square + step);
}

template <bool White, typename Sink, int N>
inline void AddRays(Sink& out, const std::uint8_t* board, int square, const int (&steps)[N])
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

template <typename Sink>
inline void WhitePawn(Sink& out, const PositionRecord& record, int s)
{
    using namespace MoveFlags;
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

template <typename Sink>
inline void BlackPawn(Sink& out, const PositionRecord& record, int s)
{
    using namespace MoveFlags;
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
template <bool White, typename Sink>
inline void Castling(Sink& out, const PositionRecord& record, int s)
{
    using namespace MoveFlags;
    const std::uint8_t* b = record.Board;
    constexpr int base = White ? 0x20 : 0x90; // one cell left of a1 / a8
    constexpr std::uint8_t rook = Piece::Rook | (White ? 0 : Piece::BlackBit);
    constexpr int right = White ? 0 : 2;
    if (record.CastlingLost[right] == 0 && b[base + 6] == 0 && b[base + 7] == 0 &&
        b[base + 8] == rook)
        out.Add(s, base + 7, CastleKingSide);
    if (record.CastlingLost[right + 1] == 0 && b[base + 2] == 0 && b[base + 3] == 0 &&
        b[base + 4] == 0 && b[base + 1] == rook)
        out.Add(s, base + 3, CastleQueenSide);
}

// The moves of the piece of the side to move on square s, in order.
template <bool White, typename Sink>
inline void PieceMoves(Sink& out, const PositionRecord& record, int s)
{
    const std::uint8_t* b = record.Board;
    switch (b[s] & Piece::TypeMask) {
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
        Castling<White>(out, record, s);
        break;
    default:
        break;
    }
}

// Calls visit(square) for each square of set, in SquareTable order.
template <typename Visit>
inline void ForEachSquare(SquareSet set, Visit visit)
{
    while (set) {
        visit(SquareOfBit(std::countr_zero(set)));
        set &= set - 1;
    }
}

} // namespace piece_moves
