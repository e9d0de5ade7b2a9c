#include "rules/MoveLookup.h"

#include "rules/PieceMoves.h"
#include "rules/SquareSets.h"

#include <array>
#include <bit>
#include <cstring>

namespace {

using namespace piece_moves;
using namespace square_sets;

// The lookup counts squares on every move read. Built for the baseline
// x86-64, which has no population-count instruction, it is compiled a
// second time for processors that have one and picks its copy at run time.
#if defined(__x86_64__) && !defined(__POPCNT__) && (defined(__GNUC__) || defined(__clang__))
#define VELMORA_POPCNT_COPY 1
#endif

// Everything the lookup calls is inlined into each copy, so that it is
// compiled for that copy's processor.
#define LOOKUP_INLINE [[gnu::always_inline]] inline

// Squares in set: by the instruction (Hw) or without it.
template <bool Hw>
LOOKUP_INLINE int Bits(SquareSet set)
{
    if constexpr (Hw)
        return __builtin_popcountll(set);
    else
        return Count(set);
}

// The pieces of one side by type (index 1 pawn .. 6 king), all of them, and
// every occupied square.
struct Pieces {
    std::array<SquareSet, 8> ByType{};
    SquareSet Own = 0;
    SquareSet Occupied = 0;
};

template <bool White>
Pieces PiecesOfSide(const BoardSets& sets)
{
    const SquareSet* mine = White ? sets.White : sets.Black;
    Pieces p;
    p.Own = mine[0];
    p.Occupied = sets.White[0] | sets.Black[0];
    for (int t = 1; t <= 6; ++t)
        p.ByType[static_cast<std::size_t>(t)] = mine[t];
    return p;
}

// Pushes and captures of the pawns on pawns, as WhitePawn / BlackPawn give
// them: a pawn on its first two ranks may step twice, a move onto the last
// rank counts four promotions, en passant lands behind the pawn that has
// just double-stepped.
template <bool White, bool Hw>
LOOKUP_INLINE int PawnMoveCount(const PositionRecord& record, SquareSet pawns, const Pieces& p)
{
    const SquareSet empty = ~p.Occupied;
    const SquareSet enemy = p.Occupied & ~p.Own;
    const SquareSet last = White ? Rank(7) : Rank(0);
    SquareSet single, twice, towardsH, towardsA;
    if constexpr (White) {
        single = (pawns << 8) & empty;
        twice = ((((pawns & (Rank(0) | Rank(1))) << 8) & empty) << 8) & empty;
        towardsH = (pawns & ~FileH) << 9;
        towardsA = (pawns & ~FileA) << 7;
    } else {
        single = (pawns >> 8) & empty;
        twice = ((((pawns & (Rank(6) | Rank(7))) >> 8) & empty) >> 8) & empty;
        towardsH = (pawns & ~FileH) >> 7;
        towardsA = (pawns & ~FileA) >> 9;
    }
    const SquareSet capturesH = towardsH & enemy;
    const SquareSet capturesA = towardsA & enemy;
    int n = Bits<Hw>(single) + Bits<Hw>(twice) + Bits<Hw>(capturesH) + Bits<Hw>(capturesA);
    n += 3 * (Bits<Hw>(single & last) + Bits<Hw>(capturesH & last) + Bits<Hw>(capturesA & last));
    const int behind = record.EnPassantSquare + (White ? 16 : -16);
    if (record.EnPassantSquare != 0 && IsRealSquare(behind) && record.Board[behind] == 0) {
        const SquareSet square = SquareSet{1} << BitOfSquare(behind);
        n += Bits<Hw>(towardsH & square) + Bits<Hw>(towardsA & square);
    }
    return n;
}

// How many moves generation writes for the pieces on the squares of set.
template <bool White, bool Hw>
LOOKUP_INLINE int MoveCount(const PositionRecord& record, const Pieces& p, SquareSet set)
{
    const SquareSet targets = ~p.Own;
    int n = 0;
    if (const SquareSet pawns = p.ByType[Piece::Pawn] & set)
        n += PawnMoveCount<White, Hw>(record, pawns, p);
    for (SquareSet s = p.ByType[Piece::Knight] & set; s != 0; s &= s - 1)
        n += Bits<Hw>(KnightAttacks[std::countr_zero(s)] & targets);
    for (SquareSet s = p.ByType[Piece::Bishop] & set; s != 0; s &= s - 1)
        n += Bits<Hw>(BishopAttacks(std::countr_zero(s), p.Occupied) & targets);
    for (SquareSet s = p.ByType[Piece::Rook] & set; s != 0; s &= s - 1)
        n += Bits<Hw>(RookAttacks(std::countr_zero(s), p.Occupied) & targets);
    for (SquareSet s = p.ByType[Piece::Queen] & set; s != 0; s &= s - 1) {
        const int bit = std::countr_zero(s);
        n += Bits<Hw>((RookAttacks(bit, p.Occupied) | BishopAttacks(bit, p.Occupied)) & targets);
    }
    for (SquareSet s = p.ByType[Piece::King] & set; s != 0; s &= s - 1) {
        const int bit = std::countr_zero(s);
        n += Bits<Hw>(KingAttacks[bit] & targets);
        CountSink castling;
        Castling<White>(castling, record, SquareOfBit(bit));
        n += castling.Count();
    }
    return n;
}

// The pieces of type that can reach target by their way of moving: exact
// for all but pawns (every pawn whose push or capture would land there) and
// kings (every king: castling leaves from wherever the king stands).
template <bool White>
SquareSet Aiming(const Pieces& p, int target, int type)
{
    const int bit = BitOfSquare(target);
    const SquareSet mine = p.ByType[static_cast<std::size_t>(type)];
    switch (type) {
    case Piece::Pawn: {
        const SquareSet at = SquareSet{1} << bit;
        const SquareSet from =
            White ? (at >> 8) | (at >> 16) | ((at & ~FileA) >> 9) | ((at & ~FileH) >> 7)
                  : (at << 8) | (at << 16) | ((at & ~FileH) << 9) | ((at & ~FileA) << 7);
        return mine & from;
    }
    case Piece::Knight:
        return mine & KnightAttacks[bit];
    case Piece::Bishop:
        return mine & BishopAttacks(bit, p.Occupied);
    case Piece::Rook:
        return mine & RookAttacks(bit, p.Occupied);
    case Piece::Queen:
        return mine & (RookAttacks(bit, p.Occupied) | BishopAttacks(bit, p.Occupied));
    case Piece::King:
        return mine;
    default:
        return 0;
    }
}

// Counts a piece's moves and keeps those that land on one square, with
// their place among the piece's moves.
class TargetSink {
public:
    TargetSink(int target, FoundMove* out, int capacity, int first)
        : target_(target), out_(out), capacity_(capacity), first_(first)
    {
    }
    void Add(int from, int to, std::uint8_t flags = 0, std::uint8_t promotion = 0)
    {
        if (to == target_ && first_ + count_ < MaxMoves && found_ < capacity_)
            out_[found_++] = FoundMove{MoveEntry{static_cast<std::uint8_t>(from),
                                                 static_cast<std::uint8_t>(to), flags, promotion},
                                       first_ + count_};
        ++count_;
    }
    void AddPromotions(int from, int to, std::uint8_t colourBit)
    {
        for (std::uint8_t type : {Piece::Queen, Piece::Rook, Piece::Bishop, Piece::Knight})
            Add(from, to, 0, static_cast<std::uint8_t>(type | colourBit));
    }
    int Count() const { return count_; }
    int Found() const { return found_; }

private:
    int target_;
    FoundMove* out_;
    int capacity_;
    int first_;
    int count_ = 0;
    int found_ = 0;
};

// A ray of a slider: one side (Upper or Lower) of one of its lines.
struct Ray {
    int Line;
    bool Upper;
};
// In the generator's order of steps: bishop +15 +17 -17 -15, rook +16 -16
// +1 -1; a queen has the bishop's rays, then the rook's.
constexpr Ray BishopRays[4] = {{3, true}, {2, true}, {2, false}, {3, false}};
constexpr Ray RookRays[4] = {{1, true}, {1, false}, {0, true}, {0, false}};

// The knight's jumps in the generator's order (-33 -18 +14 +31 +33 +18 -14
// -31) as (file, rank) steps, and for each square and jump the squares of
// the jumps before it.
constexpr int KnightJumps[8][2] = {{-1, -2}, {-2, -1}, {-2, 1}, {-1, 2},
                                   {1, 2},   {2, 1},   {2, -1}, {1, -2}};
constexpr std::array<std::array<SquareSet, 8>, 64> EarlierJumps = [] {
    std::array<std::array<SquareSet, 8>, 64> table{};
    for (int bit = 0; bit < 64; ++bit) {
        SquareSet before = 0;
        for (int k = 0; k < 8; ++k) {
            table[bit][k] = before;
            const int f = bit % 8 + KnightJumps[k][0], r = bit / 8 + KnightJumps[k][1];
            if (f >= 0 && f < 8 && r >= 0 && r < 8) before |= SquareSet{1} << (r * 8 + f);
        }
    }
    return table;
}();

// Where a knight or slider on bit moves to target in its list of moves
// (-1: it has no such move), and how many moves it has.
struct PieceOffset {
    int Offset = -1;
    int Count = 0;
};

template <bool Hw>
LOOKUP_INLINE PieceOffset KnightOffset(const Pieces& p, int bit, int targetBit)
{
    const SquareSet targets = ~p.Own;
    PieceOffset result{-1, Bits<Hw>(KnightAttacks[bit] & targets)};
    const SquareSet at = SquareSet{1} << targetBit;
    if (KnightAttacks[bit] & targets & at)
        for (int k = 0; k < 8; ++k) {
            const int f = bit % 8 + KnightJumps[k][0], r = bit / 8 + KnightJumps[k][1];
            if (r * 8 + f == targetBit && f >= 0 && f < 8)
                result.Offset = Bits<Hw>(EarlierJumps[bit][k] & targets);
        }
    return result;
}

template <bool Hw, int N>
LOOKUP_INLINE PieceOffset SliderOffset(const Pieces& p, int bit, int targetBit,
                                       const Ray (&rays)[N])
{
    const SquareSet targets = ~p.Own;
    const SquareSet at = SquareSet{1} << targetBit;
    // Each line once; its two rays are its two sides.
    SquareSet lines[4] = {};
    for (const Ray& ray : rays)
        if (ray.Upper) lines[ray.Line] = LineAttacks(Lines[bit][ray.Line], p.Occupied) & targets;
    PieceOffset result;
    for (const Ray& ray : rays) {
        const LineMasks& line = Lines[bit][ray.Line];
        const SquareSet moves = lines[ray.Line] & (ray.Upper ? line.Upper : line.Lower);
        if (moves & at) {
            // The squares passed on the way are those between the two.
            const LineMasks& back = Lines[targetBit][ray.Line];
            result.Offset = result.Count +
                            Bits<Hw>(ray.Upper ? line.Upper & back.Lower : line.Lower & back.Upper);
        }
        result.Count += Bits<Hw>(moves);
    }
    return result;
}

template <bool White, bool Hw>
LOOKUP_INLINE int Find(const PositionRecord& record, const BoardSets& sets, int target, int type,
                       SquareSet origins, FoundMove* out, int capacity)
{
    const Pieces p = PiecesOfSide<White>(sets);
    origins &= type == 0 ? p.Own : Aiming<White>(p, target, type);
    const int targetBit = BitOfSquare(target);
    int index = 0;
    int found = 0;
    SquareSet counted = 0; // squares up to the last origin looked at
    for (; origins != 0 && index < MaxMoves; origins &= origins - 1) {
        const int bit = std::countr_zero(origins);
        const SquareSet below = (SquareSet{1} << bit) - 1;
        index += MoveCount<White, Hw>(record, p, p.Own & below & ~counted);
        counted = below | (SquareSet{1} << bit);
        const int square = SquareOfBit(bit);
        PieceOffset piece;
        switch (record.Board[square] & Piece::TypeMask) {
        case Piece::Knight:
            piece = KnightOffset<Hw>(p, bit, targetBit);
            break;
        case Piece::Bishop:
            piece = SliderOffset<Hw>(p, bit, targetBit, BishopRays);
            break;
        case Piece::Rook:
            piece = SliderOffset<Hw>(p, bit, targetBit, RookRays);
            break;
        case Piece::Queen: {
            piece = SliderOffset<Hw>(p, bit, targetBit, BishopRays);
            const PieceOffset rook = SliderOffset<Hw>(p, bit, targetBit, RookRays);
            if (rook.Offset >= 0) piece.Offset = piece.Count + rook.Offset;
            piece.Count += rook.Count;
            break;
        }
        default: {
            // Pawns (promotions, en passant) and kings (castling) as generated.
            TargetSink sink(target, out + found, capacity - found, index);
            PieceMoves<White>(sink, record, square);
            found += sink.Found();
            index += sink.Count();
            continue;
        }
        }
        if (piece.Offset >= 0 && index + piece.Offset < MaxMoves && found < capacity)
            out[found++] = FoundMove{MoveEntry{static_cast<std::uint8_t>(square),
                                               static_cast<std::uint8_t>(target), 0, 0},
                                     index + piece.Offset};
        index += piece.Count;
    }
    return found;
}

template <bool White>
int FindPlain(const PositionRecord& record, const BoardSets& sets, int target, int type,
              SquareSet origins, FoundMove* out, int capacity)
{
    return Find<White, false>(record, sets, target, type, origins, out, capacity);
}

#ifdef VELMORA_POPCNT_COPY
template <bool White>
[[gnu::target("popcnt")]] int FindPopcnt(const PositionRecord& record, const BoardSets& sets,
                                         int target, int type, SquareSet origins, FoundMove* out,
                                         int capacity)
{
    return Find<White, true>(record, sets, target, type, origins, out, capacity);
}

bool HasPopcnt()
{
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("popcnt") != 0;
    }();
    return has;
}
#endif

} // namespace

// Eight cells of a rank at a time: bit 7 and "not empty" of each byte, and
// the three bits of the piece type as three planes, each gathered into one
// bit per file.
BoardSets SetsOf(const PositionRecord& record)
{
    constexpr std::uint64_t Low7 = 0x7F7F7F7F7F7F7F7FULL;
    constexpr std::uint64_t High = 0x8080808080808080ULL;
    constexpr std::uint64_t Ones = 0x0101010101010101ULL;
    constexpr std::uint64_t Gather = 0x0102040810204080ULL; // bit 0 of byte i to bit 56 + i
    auto gather = [](std::uint64_t ones) { return ((ones & Ones) * Gather) >> 56; };
    SquareSet black = 0, taken = 0, type0 = 0, type1 = 0, type2 = 0;
    for (int rank = 0; rank < 8; ++rank) {
        std::uint64_t cells;
        std::memcpy(&cells, record.Board + SquareOf(0, rank), 8);
        const int shift = rank * 8;
        black |= gather(cells >> 7) << shift;
        taken |= gather(((((cells & Low7) + Low7) | cells) & High) >> 7) << shift;
        type0 |= gather(cells) << shift;
        type1 |= gather(cells >> 1) << shift;
        type2 |= gather(cells >> 2) << shift;
    }
    const SquareSet types[7] = {taken,
                                type0 & ~type1 & ~type2,
                                ~type0 & type1 & ~type2,
                                type0 & type1 & ~type2,
                                ~type0 & ~type1 & type2,
                                type0 & ~type1 & type2,
                                ~type0 & type1 & type2};
    BoardSets sets{};
    for (int t = 0; t <= 6; ++t) {
        sets.White[t] = types[t] & taken & ~black;
        sets.Black[t] = types[t] & black;
    }
    return sets;
}

void PlayOnSets(BoardSets& sets, const PositionRecord& before, const MoveEntry& entry)
{
    using namespace MoveFlags;
    // What a cell held leaves its sets; what it receives enters them.
    auto remove = [&sets](int square, std::uint8_t piece) {
        if (piece == 0 || piece == Piece::OffBoard) return;
        SquareSet* colour = (piece & Piece::BlackBit) ? sets.Black : sets.White;
        colour[0] &= ~SquareBit(square);
        colour[piece & Piece::TypeMask] &= ~SquareBit(square);
    };
    auto put = [&sets](int square, std::uint8_t piece) {
        SquareSet* colour = (piece & Piece::BlackBit) ? sets.Black : sets.White;
        colour[0] |= SquareBit(square);
        colour[piece & Piece::TypeMask] |= SquareBit(square);
    };
    const std::uint8_t* b = before.Board;
    const std::uint8_t piece = b[entry.From];
    const std::uint8_t side = before.SideToMove;
    remove(entry.From, piece);
    remove(entry.To, b[entry.To]);
    put(entry.To, (entry.Promotion & Piece::TypeMask) != 0 ? entry.Promotion & 0x87 : piece);
    if (entry.Flags & (CastleKingSide | CastleQueenSide)) {
        const int base = side == 0 ? 0x20 : 0x90;
        const bool kingSide = (entry.Flags & CastleKingSide) != 0;
        const int corner = base + (kingSide ? 8 : 1), next = base + (kingSide ? 6 : 4);
        remove(corner, b[corner]);
        remove(next, b[next]);
        put(next, Piece::Rook | side);
    } else if ((entry.Flags & EnPassant) && (piece & Piece::TypeMask) != Piece::King &&
               (piece & Piece::TypeMask) != Piece::Rook) {
        const int taken = side == 0 ? entry.To - 16 : entry.To + 16;
        remove(taken, b[taken]);
    }
}

int FindMovesTo(const PositionRecord& record, const BoardSets& sets, int target, int type,
                SquareSet origins, FoundMove* out, int capacity)
{
#ifdef VELMORA_POPCNT_COPY
    if (HasPopcnt())
        return record.SideToMove == 0
                   ? FindPopcnt<true>(record, sets, target, type, origins, out, capacity)
                   : FindPopcnt<false>(record, sets, target, type, origins, out, capacity);
#endif
    return record.SideToMove == 0
               ? FindPlain<true>(record, sets, target, type, origins, out, capacity)
               : FindPlain<false>(record, sets, target, type, origins, out, capacity);
}

int FindMovesTo(const PositionRecord& record, int target, int type, SquareSet origins,
                FoundMove* out, int capacity)
{
    return FindMovesTo(record, SetsOf(record), target, type, origins, out, capacity);
}
