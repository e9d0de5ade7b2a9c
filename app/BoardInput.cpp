#include "app/BoardInput.h"

#include "app/BoardView.h"
#include "app/OptionValues.h"
#include "rules/GameStore.h"
#include "rules/MakeMove.h"
#include "rules/MoveGen.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

int DragFrom = -1;
int DragRow = -1;
int DragPiece = 0;
int DragStartX = 0, DragStartY = 0;
int DragOffsetX = 0, DragOffsetY = 0;
int DragLastX = 0, DragLastY = 0;
TRect DragRect{};
int MarkFrom = 0, MarkTo = 0;
bool PromoteBlack = false;

namespace {

// The move list of the position shown as it was before the press
// regenerated it, put back when the entry is cancelled.
struct SavedList {
    int Count = 0;
    MoveEntry Moves[MaxMoves];
} saved;

void RestoreList()
{
    PositionRecord& record = Positions[CurrentPly];
    record.MoveCount = saved.Count;
    std::memcpy(record.Moves, saved.Moves, sizeof saved.Moves);
}

constexpr std::uint8_t Castles = MoveFlags::CastleKingSide | MoveFlags::CastleQueenSide;

// File and rank under a pixel, flipped as the board is; false outside. The
// division truncates toward zero: the strip of the margin less than a square
// left of (above) the board counts as the edge file (rank).
bool SquareUnder(int x, int y, int& file, int& rank)
{
    const int s = SquareSize;
    if (s < MinSquareSize) return false;
    file = (x - BoardMargin) / s;
    rank = 7 - (y - BoardMargin) / s;
    if (file < 0 || file > 7 || rank < 0 || rank > 7) return false;
    if (BoardFlipped) {
        file = 7 - file;
        rank = 7 - rank;
    }
    return true;
}

void Mark(int square)
{
    SquareMarks[static_cast<std::size_t>(square)] = 1;
}

TRect PressedSquareRect()
{
    return SquareRect(SquareOf(DragFrom, DragRow), SquareSize, BoardMargin, BoardFlipped != 0);
}

void DrawPiece(QPainter& painter, int x, int y)
{
    DrawKeyed(painter, x, y, PieceBitmaps[static_cast<std::size_t>(DragPiece)], PieceKeyColor);
}

} // namespace

bool BeginBoardPress(int x, int y)
{
    int file = 0, rank = 0;
    if (DragFrom != -1 || !SquareUnder(x, y, file, rank)) return false;
    PositionRecord& record = Positions[CurrentPly];
    saved.Count = record.MoveCount;
    std::memcpy(saved.Moves, record.Moves, sizeof saved.Moves);
    GenerateMoves();
    if (record.MoveCount == 0) {
        RestoreList();
        return false;
    }

    const int q = SquareOf(file, rank);
    const std::uint8_t piece = record.Board[q];
    const bool target = piece == Piece::Empty || (piece & Piece::BlackBit) != record.SideToMove;
    int n = 0;
    const MoveEntry* last = nullptr;
    for (int i = 0; i < record.MoveCount; ++i) {
        TestMoveLegal(i);
        const MoveEntry& e = record.Moves[i];
        if ((e.Flags & MoveFlags::Illegal) || (target ? e.To : e.From) != q) continue;
        ++n;
        last = &e;
    }
    if (n == 0) {
        RestoreList();
        return false;
    }

    if (n == 1 && MoveHint) {
        MarkFrom = last->From;
        MarkTo = last->To;
        Mark(MarkFrom);
        Mark(MarkTo);
    } else if (target) {
        MarkTo = q;
        Mark(q);
        if (MoveHint && (last->Flags & Castles)) Mark(MarkFrom = last->From);
    } else {
        MarkFrom = q;
        Mark(q);
        if (MoveHint && (last->Flags & Castles)) Mark(MarkTo = last->To);
    }
    DragFrom = file;
    DragRow = rank;
    DragStartX = x;
    DragStartY = y;
    DragPiece = target ? 0 : ImageIndexOf(piece);
    DragLastX = DragLastY = 0;
    return true;
}

void LiftPressedPiece()
{
    if (DragFrom == -1 || DragPiece == 0 || BoardBitmap.isNull()) return;
    DragRect = PressedSquareRect();
    const ScreenCell cell = CellOfSquare(SquareOf(DragFrom, DragRow), BoardFlipped != 0);
    QPainter painter(&BoardBitmap);
    painter.fillRect(DragRect.Left, DragRect.Top, SquareSize, SquareSize,
                     ToQColor(IsDarkCell(cell) ? BoardDarkSquare : BoardLightSquare));
    painter.setPen(ToQColor(0x000080));
    painter.drawRect(DragRect.Left, DragRect.Top, SquareSize - 1, SquareSize - 1);
    DragBitmap = BoardBitmap.copy(DragRect.Left, DragRect.Top, SquareSize, SquareSize);
    DrawPiece(painter, DragRect.Left, DragRect.Top);
}

bool DragPressedPiece(int x, int y)
{
    if (DragStartX == 0 || DragPiece == 0 || DragFrom == -1 || BoardBitmap.isNull()) return false;
    DragOffsetX = x - DragStartX;
    DragOffsetY = y - DragStartY;
    if (DragOffsetX == DragLastX && DragOffsetY == DragLastY) return false;
    const TRect home = PressedSquareRect();
    QPainter painter(&BoardBitmap);
    painter.drawImage(home.Left + DragLastX, home.Top + DragLastY, DragBitmap);
    DragRect = {home.Left + DragOffsetX, home.Top + DragOffsetY, home.Right + DragOffsetX,
                home.Bottom + DragOffsetY};
    DragBitmap = BoardBitmap.copy(DragRect.Left, DragRect.Top, SquareSize, SquareSize);
    DrawPiece(painter, DragRect.Left, DragRect.Top);
    DragLastX = DragOffsetX;
    DragLastY = DragOffsetY;
    return true;
}

PressResult FinishBoardPress(int x, int y, const std::function<int()>& choosePromotion)
{
    PressResult result;
    if (DragFrom == -1 || DragRow == -1) return result;
    DragStartX = DragStartY = DragOffsetX = DragOffsetY = 0;
    int file = 0, rank = 0;
    const bool onBoard = SquareUnder(x, y, file, rank);
    PositionRecord& record = Positions[CurrentPly];
    auto cancel = [&] {
        RestoreList();
        return result;
    };
    if (!onBoard) return cancel();

    const int pressed = SquareOf(DragFrom, DragRow);
    const int released = SquareOf(file, rank);
    if (released == pressed && MarkFrom != 0 && MarkTo != 0) {
        DragPiece = 0;
    } else {
        MarkFrom = pressed;
        MarkTo = released;
        if (DragPiece == 0) std::swap(MarkFrom, MarkTo);
    }
    const MoveEntry* first =
        std::find_if(record.Moves, record.Moves + record.MoveCount,
                     [](const MoveEntry& e) { return e.From == MarkFrom && e.To == MarkTo; });
    if (first == record.Moves + record.MoveCount) return cancel();
    int index = static_cast<int>(first - record.Moves);

    if (first->Promotion & Piece::TypeMask) {
        if (!TestMoveLegal(index)) return cancel();
        PromoteBlack = record.SideToMove != 0;
        const int choice = choosePromotion ? choosePromotion() : 0;
        if (choice < 0 || choice > 3 || index + choice >= record.MoveCount) return cancel();
        index += choice;
    }
    result.Outcome = PressOutcome::Chosen;
    result.Index = index;
    result.Animate = DragPiece == 0;
    return result;
}

void EndBoardPress()
{
    std::fill(SquareMarks.begin(), SquareMarks.end(), std::uint8_t{0});
    MarkFrom = MarkTo = 0;
    DragFrom = DragRow = -1;
    DragStartX = DragStartY = 0;
}
