#include "database/MoveNotation.h"

#include "app/OptionValues.h"
#include "rules/Board.h"

#include <algorithm>
#include <string>

int VariationDepth = 0;
std::uint8_t VariationJustOpened = 0;
char MoveTextBuffer[MoveTextBufferSize];

namespace {

char FileLetter(int square)
{
    return static_cast<char>('a' + ((square - 0x21) & 7));
}
char RankDigit(int square)
{
    return static_cast<char>('1' + ((square - 0x21) >> 4));
}

// Where the notation of a move comes from, whatever the output.
struct MoveFacts {
    int From;
    int To;
    int Type;          // piece type moving
    int PromotionType; // 0 for none
    bool Castle;
    bool QueenSide;
    bool Capture; // target occupied or en passant
    bool TargetOccupied;
    bool EnPassant;
    std::uint8_t Flags;
};

MoveFacts FactsOf(int ply, int index)
{
    const PositionRecord& record = Positions[ply];
    const MoveEntry& move = record.Moves[index];
    MoveFacts f{};
    f.From = move.From;
    f.To = move.To;
    f.Type = record.Board[move.From] & Piece::TypeMask;
    f.PromotionType = move.Promotion & Piece::TypeMask;
    f.Flags = move.Flags;
    f.Castle = (move.Flags & (MoveFlags::CastleKingSide | MoveFlags::CastleQueenSide)) != 0;
    f.QueenSide = (move.Flags & MoveFlags::CastleQueenSide) != 0;
    f.TargetOccupied = record.Board[move.To] != Piece::Empty;
    f.EnPassant = (move.Flags & MoveFlags::EnPassant) != 0;
    f.Capture = f.TargetOccupied || f.EnPassant;
    return f;
}

// The squares of the notation (from-square or disambiguation, capture
// sign, to-square), the same in RTF and in plain text.
void AppendSquares(std::string& out, const MoveFacts& f)
{
    if (LongNotation) {
        out += FileLetter(f.From);
        out += RankDigit(f.From);
        out += f.Capture ? 'x' : '-';
    } else if (f.Type != Piece::Pawn) {
        if (f.Flags & MoveFlags::Ambiguous)
            out +=
                (f.Flags & MoveFlags::DisambiguateByRank) ? RankDigit(f.From) : FileLetter(f.From);
        if (f.TargetOccupied) out += 'x';
    } else if (f.Capture) {
        out += FileLetter(f.From);
        out += 'x';
    }
    out += FileLetter(f.To);
    out += RankDigit(f.To);
}

std::string_view MarkOf(std::uint8_t flags, bool tilde)
{
    switch (flags & (MoveFlags::GivesCheck | MoveFlags::NoLegalReply)) {
    case MoveFlags::GivesCheck:
        return tilde ? "~" : "+";
    case MoveFlags::GivesCheck | MoveFlags::NoLegalReply:
        return "#";
    case MoveFlags::NoLegalReply:
        return "(sm)";
    default:
        return {};
    }
}

bool ValidType(int type)
{
    return type >= Piece::Pawn && type <= Piece::King;
}

RtfPos WritePieceSign(RtfPos pos, int type)
{
    if (!ValidType(type)) type = Piece::Pawn;
    const bool colored =
        ColoredPieces && (VariationDepth == 0 || (VariationDepth == 1 && VariationJustOpened));
    if (colored) {
        const char open[] = {'{', '\\', 'c', 'f', static_cast<char>('0' + type - 1), ' '};
        pos = PutRtf(pos, std::string_view(open, sizeof open));
    }
    if (FigurineNotation)
        pos = PutRtf(pos, FigurineRtf[type]);
    else
        pos = PutRtfByte(pos, PieceLetterChars[type]);
    ++RtfTextPos;
    if (colored) pos = PutRtf(pos, "}");
    return pos;
}

char PlainPieceSign(int type)
{
    if (!ValidType(type)) type = Piece::Pawn;
    return FigurineNotation ? FigurineChars[type] : PieceLetterChars[type];
}

} // namespace

RtfPos WriteMoveRtf(int ply, int index, RtfPos pos)
{
    const MoveFacts f = FactsOf(ply, index);
    if (f.Castle) {
        pos = PutRtf(pos, f.QueenSide ? "0\\_0\\_0" : "0\\_0");
        RtfTextPos += f.QueenSide ? 5 : 3;
    } else {
        if (f.Type != Piece::Pawn) pos = WritePieceSign(pos, f.Type);
        std::string squares;
        AppendSquares(squares, f);
        pos = PutRtfText(pos, squares);
        if (f.PromotionType != 0) pos = WritePieceSign(pos, f.PromotionType);
    }
    return PutRtfText(pos, MarkOf(f.Flags, MoveFontType == 0 || MoveFontType == 1));
}

const char* FormatMoveText(int ply, int index)
{
    const MoveFacts f = FactsOf(ply, index);
    std::string text;
    if (f.Castle) {
        text = f.QueenSide ? "0-0-0" : "0-0";
    } else {
        if (f.Type != Piece::Pawn) text += PlainPieceSign(f.Type);
        AppendSquares(text, f);
        if (f.PromotionType != 0) text += PlainPieceSign(f.PromotionType);
    }
    text += MarkOf(f.Flags, FigurineNotation);
    const std::size_t length = std::min(text.size(), std::size_t{MoveTextBufferSize - 1});
    text.copy(MoveTextBuffer, length);
    MoveTextBuffer[length] = '\0';
    return MoveTextBuffer;
}
