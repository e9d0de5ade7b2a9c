#include "rules/Board.h"

#include "rules/GameStore.h"
#include "rules/Navigation.h"
#include "rules/NumText.h"

#include <algorithm>
#include <cstring>

PositionRecord Positions[PositionCount];

std::int32_t CurrentPly = 0;
std::int32_t LineLength = 0;
std::int32_t FirstMoveNumber = 1;
std::uint8_t SetupStart = 0;

namespace {

constexpr std::array<std::uint8_t, BoardCells> MakeStartBoard()
{
    std::array<std::uint8_t, BoardCells> board{};
    for (auto& cell : board)
        cell = Piece::OffBoard;
    constexpr std::uint8_t backRank[8] = {4, 2, 3, 5, 6, 3, 2, 4};
    for (int file = 0; file < 8; ++file) {
        board[SquareOf(file, 0)] = backRank[file];
        board[SquareOf(file, 1)] = Piece::Pawn;
        for (int rank = 2; rank < 6; ++rank)
            board[SquareOf(file, rank)] = Piece::Empty;
        board[SquareOf(file, 6)] = Piece::Pawn | Piece::BlackBit;
        board[SquareOf(file, 7)] = backRank[file] | Piece::BlackBit;
    }
    return board;
}

constexpr std::array<std::uint32_t, 64> MakeSquareTable()
{
    std::array<std::uint32_t, 64> table{};
    for (int i = 0; i < 64; ++i)
        table[i] = static_cast<std::uint32_t>(SquareOf(i % 8, i / 8));
    return table;
}

} // namespace

const std::array<std::uint8_t, BoardCells> StartBoard = MakeStartBoard();
const std::array<std::uint32_t, 64> SquareTable = MakeSquareTable();

void InitGameStore()
{
    SetStartPosition();
    for (int record = 1; record < PositionCount; ++record)
        std::copy(StartBoard.begin(), StartBoard.end(), Positions[record].Board);
    BuildNumText();
    std::memset(MoveNodes, 0, sizeof(MoveNodes));
    MoveNodeCount = 0;
    LineAlternatives.clear();
    LineAlternatives.reserve(LineAlternativesCapacity);
    LineAlternatives.push_back(-1);
    LineAlternativeCount = 0;
}

void SetStartPosition()
{
    PositionRecord& start = Positions[0];
    std::copy(StartBoard.begin(), StartBoard.end(), start.Board);
    start.PlayedNode = -1;
    start.AlternativesIndex = -1;
    start.EnPassantSquare = 0;
    std::fill(std::begin(start.CastlingLost), std::end(start.CastlingLost), 0);
    start.MoveCount = 0;
    start.WhiteKingSquare = 0x25;
    start.BlackKingSquare = 0x95;
    start.SideToMove = 0;
    FirstMoveNumber = 1;
    SetupStart = 0;
}

int MoveNumberOfPly(int ply)
{
    const int counted = Positions[0].SideToMove != 0 ? ply + 1 : ply;
    return counted / 2 + FirstMoveNumber;
}
