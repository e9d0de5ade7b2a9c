#include "app/MoveAnimation.h"

#include "app/BoardView.h"
#include "app/OptionValues.h"
#include "platform/Canvas.h"
#include "platform/Sleep.h"
#include "platform/Sound.h"
#include "rules/GameStore.h"

#include <QPainter>

const MoveEntry* PlayedMoveEntry(int ply)
{
    if (ply < 0 || ply >= LineLength) return nullptr;
    const PositionRecord& record = Positions[ply];
    const int node = record.PlayedNode;
    if (node < 0 || node >= MoveNodeCount || MoveNodes[node].Kind != NodeKind::nkMove)
        return nullptr;
    const int code = MoveNodes[node].Code;
    return code < record.MoveCount ? &record.Moves[code] : nullptr;
}

std::array<SlideFrame, 16> SlideFrames(int from, int to, int squareSize, int margin, bool flipped)
{
    const TRect a = SquareRect(from, squareSize, margin, flipped);
    const TRect b = SquareRect(to, squareSize, margin, flipped);
    const int stepX = (b.Left - a.Left) / 16;
    const int stepY = (b.Top - a.Top) / 16;
    std::array<SlideFrame, 16> frames{};
    for (int k = 0; k < 16; ++k)
        frames[k] = {a.Left + (k + 1) * stepX, a.Top + (k + 1) * stepY};
    return frames;
}

void AnimateMove(bool forward, const std::function<void()>& show)
{
    const int s = SquareSize;
    if (SlideDelayMs == 0 || s < MinSquareSize || BoardBitmap.isNull()) return;
    const MoveEntry* move = PlayedMoveEntry(CurrentPly);
    if (!move) return;
    const PositionRecord& record = Positions[CurrentPly];
    const int image = ImageIndexOf(record.Board[move->From]);
    if (image == 0) return;
    const bool flipped = BoardFlipped != 0;
    const int start = forward ? move->From : move->To;
    const int end = forward ? move->To : move->From;

    QPainter painter(&BoardBitmap);
    const ScreenCell cell = CellOfSquare(start, flipped);
    const TRect from = CellRect(cell, s, BoardMargin);
    painter.fillRect(from.Left, from.Top, s, s,
                     ToQColor(IsDarkCell(cell) ? BoardDarkSquare : BoardLightSquare));
    for (const SlideFrame& frame : SlideFrames(start, end, s, BoardMargin, flipped)) {
        DragBitmap = BoardBitmap.copy(frame.X, frame.Y, s, s);
        DrawKeyed(painter, frame.X, frame.Y, PieceBitmaps[image], PieceKeyColor);
        painter.end();
        show();
        SleepMs(SlideDelayMs);
        painter.begin(&BoardBitmap);
        painter.drawImage(frame.X, frame.Y, DragBitmap);
    }
}

void PlayMoveSound(int ply)
{
    if (!BoardSound) return;
    const MoveEntry* move = PlayedMoveEntry(ply);
    if (!move) return;
    if (Positions[ply].Board[move->To] != Piece::Empty) {
        Sounds().PlaySound(MoveSoundCaptureId, true);
    } else if (move->Flags & (MoveFlags::CastleKingSide | MoveFlags::CastleQueenSide)) {
        Sounds().PlaySound(MoveSoundBlackId, true);
        SleepMs(200);
        Sounds().PlaySound(MoveSoundWhiteId, true);
    } else {
        Sounds().PlaySound(ply % 2 ? MoveSoundBlackId : MoveSoundWhiteId, true);
    }
}
