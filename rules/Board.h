// Board, position records and the scalars of the line shown.
//
// Square index: a board is a 16-column by 12-row mailbox of bytes. File f
// (0 = a .. 7 = h) and rank r (0 = rank 1 .. 7 = rank 8) live in cell
// 16 * (r + 2) + f + 1, so a1 = 0x21, e1 = 0x25, h1 = 0x28, a8 = 0x91,
// h8 = 0x98. Every other cell holds OffBoard (0x40) for the whole run, so
// any step of +-1, +-15, +-16, +-17 or a knight offset from a real square
// stays in the array and lands on a non-zero, non-piece cell.
//
// Piece code, one byte per cell: 0 empty; White 1 pawn .. 6 king; Black the
// same with bit 0x80 set (0x81 .. 0x86).
#pragma once

#include <array>
#include <cstdint>

namespace Piece {
constexpr std::uint8_t Empty = 0;
constexpr std::uint8_t Pawn = 1;
constexpr std::uint8_t Knight = 2;
constexpr std::uint8_t Bishop = 3;
constexpr std::uint8_t Rook = 4;
constexpr std::uint8_t Queen = 5;
constexpr std::uint8_t King = 6;
constexpr std::uint8_t BlackBit = 0x80;
constexpr std::uint8_t TypeMask = 0x07;
constexpr std::uint8_t OffBoard = 0x40;
} // namespace Piece

constexpr int BoardCells = 192;
constexpr int MaxMoves = 199;      // entries kept per generated list
constexpr int LineRecords = 800;   // records 0..799 hold the line shown
constexpr int PositionCount = 801; // plus the scratch board
constexpr int MaxPly = 798;        // no move is added from this ply on

constexpr int SquareOf(int file, int rank)
{
    return 16 * (rank + 2) + file + 1;
}
constexpr int RankOf(int square)
{
    return square / 16 - 2;
}
constexpr int FileOf(int square)
{
    return square % 16 - 1;
}
constexpr bool IsRealSquare(int square)
{
    return square >= 0x21 && square <= 0x98 && square % 16 >= 1 && square % 16 <= 8;
}

// MoveFlags: bits of MoveEntry::Flags. Generation sets only 0x02, 0x04 and
// 0x08; the others are added by the legality test and the annotation and are
// never cleared while the entry lives.
namespace MoveFlags {
constexpr std::uint8_t Illegal = 0x01;
constexpr std::uint8_t CastleKingSide = 0x02;
constexpr std::uint8_t CastleQueenSide = 0x04;
constexpr std::uint8_t EnPassant = 0x08;
constexpr std::uint8_t DisambiguateByRank = 0x10;
constexpr std::uint8_t GivesCheck = 0x20;
constexpr std::uint8_t NoLegalReply = 0x40;
constexpr std::uint8_t Ambiguous = 0x80;
} // namespace MoveFlags

// One generated move, 4 bytes. Promotion is the full piece code the pawn
// becomes (5 4 3 2, or 0x85 0x84 0x83 0x82), 0 for every other move. As one
// 32-bit value: From | To << 8 | Flags << 16 | Promotion << 24.
struct MoveEntry {
    std::uint8_t From;
    std::uint8_t To;
    std::uint8_t Flags;
    std::uint8_t Promotion;
};
static_assert(sizeof(MoveEntry) == 4);

// One position, 1024 bytes, fields in this order:
//   0 Board[192]  192 CastlingLost[4] (W king side, W queen side, B king side,
//   B queen side; 0 kept, -1 lost)  208 WhiteKingSquare  209 BlackKingSquare
//   210 SideToMove (0 White, 0x80 Black)  211 BranchCount
//   212 EnPassantSquare (square of the pawn that has just double-stepped, 0 none)
//   216 MoveCount  220 PlayedNode  224 AlternativesIndex  228 Moves[199]
struct PositionRecord {
    std::uint8_t Board[BoardCells];
    std::int32_t CastlingLost[4];
    std::uint8_t WhiteKingSquare;
    std::uint8_t BlackKingSquare;
    std::uint8_t SideToMove;
    std::uint8_t BranchCount;
    std::int32_t EnPassantSquare;
    std::int32_t MoveCount;
    std::int32_t PlayedNode;
    std::int32_t AlternativesIndex;
    MoveEntry Moves[MaxMoves];
};
static_assert(sizeof(PositionRecord) == 1024);

// Record p (0..799) is the position after p half-moves of the line shown;
// record 800 is the scratch board of the legality test.
extern PositionRecord Positions[PositionCount];
inline PositionRecord& ScratchPosition = Positions[LineRecords];

extern std::int32_t CurrentPly;      // record shown, 0..LineLength
extern std::int32_t LineLength;      // last ply of the line shown
extern std::int32_t FirstMoveNumber; // move number of ply 0 (1 unless set up)
extern std::uint8_t SetupStart;      // 1 when the game starts from a FEN position

extern const std::array<std::uint8_t, BoardCells> StartBoard;
extern const std::array<std::uint32_t, 64> SquareTable; // a1..h1, a2..h2, .., a8..h8

// Called once before anything else touches the store: start position in
// record 0, borders in every record, NumText, an empty move-node stream.
void InitGameStore();

// Record 0 becomes the standard start position (moves not generated).
void SetStartPosition();

// Move number shown for ply p.
int MoveNumberOfPly(int ply);
