// Square sets (bit i = SquareTable[i], rank * 8 + file) and the attack sets of
// knights, kings and sliding pieces on them, for counting moves without
// walking the board.
#pragma once

#include <array>
#include <bit>
#include <cstdint>

namespace square_sets {

using Set = std::uint64_t;

struct LineMasks {
    Set Lower; // squares of the line below the square
    Set Upper; // and above it
};

namespace detail {

constexpr bool OnBoard(int file, int rank)
{
    return file >= 0 && file < 8 && rank >= 0 && rank < 8;
}

constexpr std::array<Set, 64> StepTable(const int (&steps)[8][2])
{
    std::array<Set, 64> table{};
    for (int bit = 0; bit < 64; ++bit)
        for (const auto& step : steps) {
            const int f = bit % 8 + step[0], r = bit / 8 + step[1];
            if (OnBoard(f, r)) table[bit] |= Set{1} << (r * 8 + f);
        }
    return table;
}

constexpr int KnightDeltas[8][2] = {{1, 2},   {2, 1},   {2, -1}, {1, -2},
                                    {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}};
constexpr int KingDeltas[8][2] = {{1, 0},  {1, 1},   {0, 1},  {-1, 1},
                                  {-1, 0}, {-1, -1}, {0, -1}, {1, -1}};

// Lines: 0 rank, 1 file, 2 diagonal (a1-h8), 3 anti-diagonal (h1-a8). Their
// upward step (towards higher bits): file +1, rank +1, both +1, rank +1 file -1.
constexpr int LineSteps[4][2] = {{1, 0}, {0, 1}, {1, 1}, {-1, 1}};

constexpr std::array<std::array<LineMasks, 4>, 64> LineTable()
{
    std::array<std::array<LineMasks, 4>, 64> table{};
    for (int bit = 0; bit < 64; ++bit)
        for (int line = 0; line < 4; ++line) {
            const int df = LineSteps[line][0], dr = LineSteps[line][1];
            for (int k = 1; k < 8; ++k) {
                int f = bit % 8 + k * df, r = bit / 8 + k * dr;
                if (OnBoard(f, r)) table[bit][line].Upper |= Set{1} << (r * 8 + f);
                f = bit % 8 - k * df;
                r = bit / 8 - k * dr;
                if (OnBoard(f, r)) table[bit][line].Lower |= Set{1} << (r * 8 + f);
            }
        }
    return table;
}

} // namespace detail

inline constexpr std::array<Set, 64> KnightAttacks = detail::StepTable(detail::KnightDeltas);
inline constexpr std::array<Set, 64> KingAttacks = detail::StepTable(detail::KingDeltas);
inline constexpr std::array<std::array<LineMasks, 4>, 64> Lines = detail::LineTable();

// The squares of one line seen from a square up to and including the first
// piece of occupied on each side.
inline Set LineAttacks(const LineMasks& line, Set occupied)
{
    const Set lower = line.Lower & occupied;
    const Set upper = line.Upper & occupied;
    const Set lowestSeen = Set{0x8000000000000000ULL} >> std::countl_zero(lower | 1);
    return (line.Lower | line.Upper) & (upper ^ (upper - lowestSeen));
}

inline Set RookAttacks(int bit, Set occupied)
{
    return LineAttacks(Lines[bit][0], occupied) | LineAttacks(Lines[bit][1], occupied);
}

inline Set BishopAttacks(int bit, Set occupied)
{
    return LineAttacks(Lines[bit][2], occupied) | LineAttacks(Lines[bit][3], occupied);
}

// Squares in set. Without a population-count instruction in the target the
// library call costs more than this.
inline int Count(Set set)
{
#if defined(__POPCNT__)
    return std::popcount(set);
#else
    set -= (set >> 1) & 0x5555555555555555ULL;
    set = (set & 0x3333333333333333ULL) + ((set >> 2) & 0x3333333333333333ULL);
    set = (set + (set >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return static_cast<int>((set * 0x0101010101010101ULL) >> 56);
#endif
}

constexpr Set FileA = 0x0101010101010101ULL;
constexpr Set FileH = FileA << 7;
constexpr Set Rank(int rank)
{
    return Set{0xFF} << (8 * rank);
}

} // namespace square_sets
