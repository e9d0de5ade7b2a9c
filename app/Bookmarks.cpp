#include "app/Bookmarks.h"

#include "app/BoardView.h"
#include "app/ColorHelpers.h"
#include "app/OptionValues.h"
#include "app/PieceFont.h"
#include "app/PieceImages.h"
#include "database/DatabaseFile.h"
#include "database/MoveNotation.h"
#include "platform/Canvas.h"
#include "platform/Fonts.h"
#include "rules/GameStore.h"

#include <QPainter>

#include <cstdlib>

std::array<BookmarkSlot, 2> Bookmarks;
QImage BookmarkBoardBitmap;
std::array<QImage, 13> BookmarkPieceBitmaps;

namespace {

constexpr int Cell = 24;
constexpr int Frame = 3;
constexpr TColor Fill = 0xA0A0A0;

QImage SmallPiece(int image, const QFont& font)
{
    const std::uint32_t contour = 0x090909; // the built-in colours the builder always sees
    const std::uint32_t inner = ContrastColor(contour);
    QImage piece(Cell, Cell, QImage::Format_RGB32);
    piece.fill(ToQColor(Fill));
    {
        QPainter p(&piece);
        p.setFont(font);
        p.setPen(ToQColor(contour));
        p.drawText(0, 2 + QFontMetrics(font).ascent(),
                   QString(QChar::fromLatin1(GlyphCharFor(image))));
    }
    for (int y = 0; y < Cell; ++y)
        for (int x = 0; x < Cell; ++x)
            if ((piece.pixel(x, y) & 0xFFFFFF) == ColorToPixel(Fill))
                piece.setPixel(x, y, 0xFF000000 | ColorToPixel(inner));
    FloodFill(piece, 1, 1, inner, PieceKeyColor, TFillStyle::fsSurface);
    for (int x = Cell / 2 + 1; x < Cell; ++x) {
        for (int y = 0; y < Cell; ++y) {
            const QRgb pixel = piece.pixel(x, y) & 0xFFFFFF;
            if (pixel == ColorToPixel(inner))
                piece.setPixel(x, y, 0xFF000000 | ColorToPixel(AdjustColor(inner, -2 * (x - 12))));
            else if (pixel == ColorToPixel(contour))
                piece.setPixel(x, y, 0xFF000000 | ColorToPixel(AdjustColor(contour, -(x - 12))));
        }
    }
    return piece;
}

std::string DirectoryPart(const std::string& path)
{
    const std::size_t cut = path.find_last_of("/\\:");
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

std::string FilePart(const std::string& path)
{
    return path.substr(DirectoryPart(path).size());
}

} // namespace

QFont BookmarkTextFont()
{
    QFont font(QString::fromLatin1(SwissFamily));
    font.setPixelSize(12);
    return font;
}

void BuildBookmarkPieces()
{
    BookmarkBoardBitmap = QImage(198, 198, QImage::Format_RGB32);
    BookmarkBoardBitmap.fill(Qt::gray);
    QFont font = CreatePieceFont(22);
    for (int i = 1; i <= 12; ++i)
        BookmarkPieceBitmaps[static_cast<std::size_t>(i)] = SmallPiece(i, font);
}

std::string MarkBookmark(int slot, const std::function<std::string(int col)>& cell)
{
    BookmarkSlot& b = Bookmarks[static_cast<std::size_t>(slot & 1)];
    b.Path = CurrentMovePath();
    std::copy(std::begin(Positions[CurrentPly].Board), std::end(Positions[CurrentPly].Board),
              b.Board.begin());
    std::string label = "\n";
    b.Database = DatabaseFileName;
    if (!b.Database.empty()) {
        const std::string number = cell ? cell(0) : std::string();
        b.Game = cell ? std::atoi(number.c_str()) : -1;
        // The game number is the list's: it holds for the file the list was
        // made from, whatever lies on disk now.
        b.Stamp = IndexedDatabaseStamp();
        label = DirectoryPart(b.Database) + "\n " + FilePart(b.Database) + " [" + number +
                "]\n\nWhite: " + (cell ? cell(1) : "") + "\nBlack: " + (cell ? cell(3) : "");
    }
    if (CurrentPly > 0) {
        const int p = CurrentPly - 1;
        const int s = Positions[0].SideToMove ? 1 : 0;
        const bool figurines = FigurineNotation;
        FigurineNotation = false;
        const int node = Positions[p].PlayedNode;
        const std::string move =
            node >= 0 && node < MoveNodeCount ? FormatMoveText(p, MoveNodes[node].Code) : "";
        FigurineNotation = figurines;
        label += "\n\n after " + std::to_string((p + s) / 2 + FirstMoveNumber) + ". " +
                 ((p + s) % 2 ? "... " : "") + move;
    }
    return label;
}

bool BookmarkDatabaseUnchanged(int slot)
{
    const BookmarkSlot& b = Bookmarks[static_cast<std::size_t>(slot & 1)];
    return b.Stamp && StampOfFile(b.Database) == b.Stamp;
}

void PaintBookmark(int slot)
{
    if (BookmarkBoardBitmap.isNull()) return;
    const BookmarkSlot& b = Bookmarks[static_cast<std::size_t>(slot & 1)];
    QPainter p(&BookmarkBoardBitmap);
    p.fillRect(BookmarkBoardBitmap.rect(), ToQColor(0x606060));
    for (int c = 0; c < 8; ++c) {
        for (int r = 0; r < 8; ++r) {
            const int q = SquareAtCell({c, r}, BoardFlipped != 0);
            const TColor square = (c + r) % 2 ? BoardLightSquare : BoardDarkSquare;
            const QRect rect(Cell * c + Frame, Cell * (7 - r) + Frame, Cell, Cell);
            p.fillRect(rect, ToQColor(square));
            if (SquareMarks[static_cast<std::size_t>(q)]) {
                p.setPen(ToQColor(0x000080));
                p.drawRect(rect.adjusted(0, 0, -1, -1));
            }
            const int image = ImageIndexOf(b.Board[static_cast<std::size_t>(q)]);
            if (image != 0)
                DrawKeyed(p, rect.left(), rect.top(),
                          BookmarkPieceBitmaps[static_cast<std::size_t>(image)], PieceKeyColor);
        }
    }
}
