#include "database/DiagramRtf.h"

#include "app/OptionValues.h"
#include "database/RtfProlog.h"
#include "rules/Board.h"

namespace {

// Frame: top row, left and right cells with the breaks of the eight board
// rows, bottom row.
constexpr int FrameShown = 56;

RtfPos WriteSquare(RtfPos pos, std::uint8_t code, bool dark)
{
    if (code == Piece::Empty || (code & Piece::TypeMask) == 0 ||
        (code & Piece::TypeMask) > Piece::King) {
        ++RtfTextPos;
        return PutRtfByte(pos, dark ? '+' : '-');
    }
    const int type = code & Piece::TypeMask;
    const bool black = (code & Piece::BlackBit) != 0;
    if (dark) {
        pos = PutRtfByte(pos, DiagramDarkMarks[type - 1]);
        ++RtfTextPos;
    }
    const char letter = DiagramPieces[type - 1 + (black ? 6 : 0)];
    if (ColoredPieces) {
        const char group[] = {'{', '\\', 'c', 'f', DiagramColorDigits[type - 1], ' ', letter, '}'};
        pos = PutRtf(pos, std::string_view(group, sizeof group));
    } else {
        pos = PutRtfByte(pos, letter);
    }
    ++RtfTextPos;
    return pos;
}

} // namespace

RtfPos WriteDiagramRtf(RtfPos pos, bool blackView, bool leadingBreak)
{
    const std::uint8_t* board = Positions[CurrentPly].Board;
    pos = PutRtf(pos, "{");
    if (leadingBreak) {
        pos = PutRtf(pos, "\\par ");
        RtfTextPos += 2;
    }
    pos = PutRtf(pos, "\\pard\\b0\\nowidctlpar\\keep\\li0\\sa0\\sb0\\keepn\\qc\\f5\\fs");
    pos = PutRtf(pos, RtfSizesFor(MoveFontSize).Diagram);
    pos = PutRtf(pos, " XIIIIIIIIY\\par ");
    RtfTextPos += FrameShown;

    for (int row = 0; row < 8; ++row) {
        const int rank = blackView ? row : 7 - row;
        pos = PutRtfByte(pos, DiagCoords ? static_cast<char>('1' + rank) : '9');
        for (int column = 0; column < 8; ++column) {
            const int file = blackView ? 7 - column : column;
            pos = WriteSquare(pos, board[SquareOf(file, rank)], (file + rank) % 2 == 0);
        }
        pos = PutRtf(pos, "0\\par ");
    }

    if (!DiagCoords)
        pos = PutRtf(pos, "xiiiiiiiiy");
    else
        pos = PutRtf(pos, blackView ? "xhgfedcbay" : "xabcdefghy");
    return PutRtf(pos, "\\par}\\sa0\\sb0 ");
}
