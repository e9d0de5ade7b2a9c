#include "rules/LineChecks.h"

#include "rules/MakeMove.h"

#include <array>

namespace {

// Indexed by the difference of two real squares plus 119: the step that
// leads from the lower to the higher along their shared rank, file or
// diagonal (0: none), and whether they are a knight's jump apart.
struct Relation {
    std::int8_t Step = 0;
    bool Knight = false;
};

constexpr std::array<Relation, 239> Relations = [] {
    std::array<Relation, 239> table{};
    for (int step : {1, 16, 15, 17})
        for (int k = 1; k < 8; ++k) {
            table[static_cast<std::size_t>(119 + k * step)].Step = static_cast<std::int8_t>(step);
            table[static_cast<std::size_t>(119 - k * step)].Step = static_cast<std::int8_t>(-step);
        }
    for (int jump : {33, 31, 18, 14}) {
        table[static_cast<std::size_t>(119 + jump)].Knight = true;
        table[static_cast<std::size_t>(119 - jump)].Knight = true;
    }
    return table;
}();

constexpr const Relation& Between(int from, int to)
{
    return Relations[static_cast<std::size_t>(to - from + 119)];
}

bool Diagonal(int step)
{
    return step == 15 || step == 17 || step == -15 || step == -17;
}

// A piece of type that moves along lines of step.
bool SlidesAlong(std::uint8_t type, int step)
{
    return type == Piece::Queen || type == (Diagonal(step) ? Piece::Bishop : Piece::Rook);
}

} // namespace

std::uint8_t AttackedThrough(const PositionRecord& record, int square, int vacated,
                             std::uint8_t side)
{
    if (!IsRealSquare(square) || !IsRealSquare(vacated)) return 0;
    const int step = Between(square, vacated).Step;
    if (step == 0) return 0;
    const std::uint8_t* b = record.Board;
    int at = square + step;
    while (b[at] == 0)
        at += step;
    const std::uint8_t piece = b[at];
    if (piece == Piece::OffBoard || (piece & Piece::BlackBit) == side) return 0;
    return SlidesAlong(piece & Piece::TypeMask, step) ? 1 : 0;
}

std::uint8_t PieceAttacks(const PositionRecord& record, int from, int square)
{
    if (!IsRealSquare(from) || !IsRealSquare(square) || from == square) return 0;
    const std::uint8_t* b = record.Board;
    const std::uint8_t piece = b[from];
    const Relation& relation = Between(from, square);
    switch (piece & Piece::TypeMask) {
    case Piece::Pawn: {
        const int ahead = (piece & Piece::BlackBit) ? -1 : 1;
        return square == from + ahead * 15 || square == from + ahead * 17;
    }
    case Piece::Knight:
        return relation.Knight;
    case Piece::King:
        return relation.Step != 0 && from + relation.Step == square;
    case Piece::Bishop:
    case Piece::Rook:
    case Piece::Queen: {
        if (relation.Step == 0 || !SlidesAlong(piece & Piece::TypeMask, relation.Step)) return 0;
        int at = from + relation.Step;
        while (at != square && b[at] == 0)
            at += relation.Step;
        return at == square;
    }
    default:
        return 0;
    }
}

std::uint8_t MoveGivesCheck(const PositionRecord& after, const MoveEntry& entry, std::uint8_t mover)
{
    using namespace MoveFlags;
    const std::uint8_t other = mover ^ Piece::BlackBit;
    // Castling moves a second piece, en passant empties a second square.
    if (entry.Flags & (CastleKingSide | CastleQueenSide | EnPassant))
        return IsInCheck(after, other);
    const int king = other == 0 ? after.WhiteKingSquare : after.BlackKingSquare;
    return PieceAttacks(after, entry.To, king) || AttackedThrough(after, king, entry.From, other);
}
