#include "rules/FenSetup.h"

#include "rules/Board.h"

#include <algorithm>

namespace {

std::uint8_t PieceOfLetter(char letter)
{
    switch (letter) {
    case 'P':
        return Piece::Pawn;
    case 'N':
        return Piece::Knight;
    case 'B':
        return Piece::Bishop;
    case 'R':
        return Piece::Rook;
    case 'Q':
        return Piece::Queen;
    case 'K':
        return Piece::King;
    case 'p':
        return Piece::Pawn | Piece::BlackBit;
    case 'n':
        return Piece::Knight | Piece::BlackBit;
    case 'b':
        return Piece::Bishop | Piece::BlackBit;
    case 'r':
        return Piece::Rook | Piece::BlackBit;
    case 'q':
        return Piece::Queen | Piece::BlackBit;
    case 'k':
        return Piece::King | Piece::BlackBit;
    default:
        return Piece::Empty;
    }
}

// The text of the FEN, read field by field; a NUL ends it early.
class FenText {
public:
    FenText(const char* text, std::size_t length)
        : text_(text), length_(text ? std::find(text, text + length, '\0') - text : 0)
    {
    }

    char At(std::size_t i) const { return i < length_ ? text_[i] : '\0'; }
    std::size_t Length() const { return length_; }
    // The first blank at or after i (Length() when there is none).
    std::size_t NextBlank(std::size_t i) const
    {
        while (i < length_ && text_[i] != ' ')
            ++i;
        return std::min(i, length_);
    }

private:
    const char* text_;
    std::size_t length_;
};

struct KingCount {
    int White = 0;
    int Black = 0;
};

// Placement field, a8 .. h8 down to a1 .. h1. Squares past the 64th are ignored.
KingCount ReadPlacement(const FenText& fen, std::size_t end, PositionRecord& record)
{
    KingCount kings;
    int k = 0;
    for (std::size_t i = 0; i < end; ++i) {
        const char c = fen.At(i);
        if (c >= '0' && c <= '9') {
            k = std::min(k + (c - '0'), 64);
        } else if (c == '/') {
            k = std::min((k + 7) / 8 * 8, 64);
        } else if (const std::uint8_t piece = PieceOfLetter(c); piece != Piece::Empty) {
            if (k >= 64) continue;
            const int square = SquareOf(k % 8, 7 - k / 8);
            record.Board[square] = piece;
            if (piece == Piece::King) {
                record.WhiteKingSquare = static_cast<std::uint8_t>(square);
                ++kings.White;
            } else if (piece == (Piece::King | Piece::BlackBit)) {
                record.BlackKingSquare = static_cast<std::uint8_t>(square);
                ++kings.Black;
            }
            ++k;
        }
    }
    return kings;
}

void ReadCastling(const FenText& fen, std::size_t from, std::size_t end, PositionRecord& record)
{
    const std::uint8_t* b = record.Board;
    const bool whiteKingHome = b[0x25] == Piece::King;
    const bool blackKingHome = b[0x95] == (Piece::King | Piece::BlackBit);
    constexpr std::uint8_t blackRook = Piece::Rook | Piece::BlackBit;
    for (std::size_t i = from; i < end; ++i) {
        switch (fen.At(i)) {
        case 'K':
            if (whiteKingHome && b[0x28] == Piece::Rook) record.CastlingLost[0] = 0;
            break;
        case 'Q':
            if (whiteKingHome && b[0x21] == Piece::Rook) record.CastlingLost[1] = 0;
            break;
        case 'k':
            if (blackKingHome && b[0x98] == blackRook) record.CastlingLost[2] = 0;
            break;
        case 'q':
            if (blackKingHome && b[0x91] == blackRook) record.CastlingLost[3] = 0;
            break;
        default:
            break;
        }
    }
}

// The target square of the field becomes the square the pawn arrived on,
// kept only when that pawn stands there and the squares it passed are empty.
void ReadEnPassant(const FenText& fen, std::size_t from, std::size_t end, PositionRecord& record)
{
    int sum = 0;
    for (std::size_t i = from; i < end; ++i) {
        const char c = fen.At(i);
        if (c >= 'a' && c <= 'h')
            sum += c - 'a';
        else if (c >= '1' && c <= '9')
            sum += 16 * (c - '1');
        if (sum > 0xFF) return;
    }
    if (sum == 0) return;
    const bool whiteToMove = record.SideToMove == 0;
    const int target = sum + 0x21;
    const int pawnSquare = whiteToMove ? target - 16 : target + 16;
    const int originSquare = whiteToMove ? target + 16 : target - 16;
    const int pawnRank = whiteToMove ? 4 : 3;
    if (!IsRealSquare(target) || !IsRealSquare(pawnSquare) || RankOf(pawnSquare) != pawnRank)
        return;
    const std::uint8_t enemyPawn = whiteToMove ? (Piece::Pawn | Piece::BlackBit) : Piece::Pawn;
    const std::uint8_t* b = record.Board;
    if (b[pawnSquare] == enemyPawn && b[target] == 0 && b[originSquare] == 0)
        record.EnPassantSquare = pawnSquare;
}

int ReadMoveNumber(const FenText& fen, std::size_t from)
{
    int number = 0;
    for (std::size_t i = from; i < fen.Length(); ++i) {
        const char c = fen.At(i);
        if (c < '0' || c > '9') break;
        number = number * 10 + (c - '0');
        if (number > 99999999) return 0; // no real game gets there; keep the default
    }
    return number;
}

} // namespace

bool SetupPositionFromFen(const char* text, std::size_t length)
{
    const FenText fen(text, length);
    PositionRecord record = Positions[0];
    std::copy(StartBoard.begin(), StartBoard.end(), record.Board);
    for (std::uint32_t square : SquareTable)
        record.Board[square] = Piece::Empty;
    record.PlayedNode = -1;
    record.AlternativesIndex = -1;
    record.SideToMove = 0;
    std::fill(std::begin(record.CastlingLost), std::end(record.CastlingLost), -1);
    record.EnPassantSquare = 0;
    record.MoveCount = 0;

    const std::size_t placementEnd = fen.NextBlank(0);
    const KingCount kings = ReadPlacement(fen, placementEnd, record);
    if (kings.White != 1 || kings.Black != 1) {
        SetStartPosition();
        return false;
    }
    if (fen.At(placementEnd + 1) == 'b') record.SideToMove = Piece::BlackBit;

    const std::size_t castlingFrom = placementEnd + 3;
    const std::size_t castlingEnd = fen.NextBlank(castlingFrom);
    ReadCastling(fen, castlingFrom, castlingEnd, record);
    const std::size_t enPassantEnd = fen.NextBlank(castlingEnd + 1);
    ReadEnPassant(fen, castlingEnd + 1, enPassantEnd, record);
    const std::size_t clockEnd = fen.NextBlank(enPassantEnd + 1);
    const int number = ReadMoveNumber(fen, clockEnd + 1);

    Positions[0] = record;
    SetupStart = 1;
    FirstMoveNumber = number != 0 ? number : 1;
    return true;
}
