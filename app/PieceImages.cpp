#include "app/PieceImages.h"

#include "app/ColorHelpers.h"
#include "app/OptionValues.h"
#include "platform/Canvas.h"

#include <QPainter>

#include <algorithm>
#include <vector>

const std::array<PieceLabelCell, 13> PieceLabelIndex{{
    {0, 0},
    {0, 5},
    {0, 4},
    {0, 3},
    {0, 2},
    {0, 1},
    {0, 0},
    {1, 5},
    {1, 4},
    {1, 3},
    {1, 2},
    {1, 1},
    {1, 0},
}};

namespace {

constexpr TColor NearKey = 0x7F7F7F;
constexpr int WhitePawnImage = 1;
constexpr int BlackPawnImage = 7;

bool IsPixel(QRgb px, TColor color)
{
    return (px & 0xFFFFFFu) == ColorToPixel(color);
}

QRgb PixelOf(TColor color)
{
    return 0xFF000000u | ColorToPixel(color);
}

// A colour that would read as the transparent key is moved one step darker,
// so that no part of a piece vanishes.
TColor AvoidKey(TColor color)
{
    return (color & 0xFFFFFFu) == PieceKeyColor ? NearKey : color & 0xFFFFFFu;
}

// The background under the glyph must differ from its ink, or the whole glyph
// would be taken for outside; it is only an intermediate colour.
TColor DistinctBack(TColor back, TColor contour)
{
    back = AvoidKey(back);
    if (back != contour) return back;
    back = AvoidKey(AdjustColor(contour, ColorLuminance(contour) > 127 ? -60 : 60));
    return back != contour ? back : 0x929292;
}

template <typename F>
void ForEachPixel(QImage& image, F&& f)
{
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            f(x, line[x]);
    }
}

void Replace(QImage& image, TColor from, TColor to)
{
    const QRgb px = PixelOf(to);
    ForEachPixel(image, [&](int, QRgb& p) {
        if (IsPixel(p, from)) p = px;
    });
}

// Fills the background connected to (1, 1) with fill, and also every pocket
// of it that reaches the image's edge: a glyph touching the edge can cut such
// a pocket off from (1, 1), and it is outside all the same.
void FillOutside(QImage& image, TColor back, TColor fill)
{
    FloodFill(image, 1, 1, back, fill, TFillStyle::fsSurface);
    const int w = image.width();
    const int h = image.height();
    auto fillFrom = [&](int x, int y) {
        if (IsPixel(image.pixel(x, y), back))
            FloodFill(image, x, y, back, fill, TFillStyle::fsSurface);
    };
    for (int x = 0; x < w; ++x) {
        fillFrom(x, 0);
        fillFrom(x, h - 1);
    }
    for (int y = 0; y < h; ++y) {
        fillFrom(0, y);
        fillFrom(w - 1, y);
    }
}

// An S x S image filled with back and one glyph drawn in ink at (x, y).
QImage GlyphImage(int size, TColor back, TColor ink, const QFont& font, int x, int y, char ch)
{
    QImage image(size, size, QImage::Format_RGB32);
    TCanvas canvas;
    canvas.Begin(&image);
    canvas.Brush.Color = back;
    canvas.Pen.Color = back;
    canvas.Rectangle(0, 0, size, size);
    canvas.Font.SetQtFont(font);
    canvas.Font.Color = ink;
    canvas.TextOut(x, y, QString(QChar::fromLatin1(ch)));
    canvas.End();
    return image;
}

// The glyph's solid grey silhouette on the shadow key.
QImage ShadowImage(int size, const QFont& font, int x, int y, char ch)
{
    QImage shadow = GlyphImage(size, PieceKeyColor, ShadowColor, font, x, y, ch);
    FillOutside(shadow, PieceKeyColor, ShadowKeyColor);
    Replace(shadow, PieceKeyColor, ShadowColor);
    return shadow;
}

// Darkens the right half: the inner twice as fast as the contour; blends stay.
void ApplyGradient(QImage& image, TColor contour, TColor inner)
{
    const int h = image.width() / 2;
    ForEachPixel(image, [&](int x, QRgb& p) {
        if (x <= h) return;
        if (IsPixel(p, inner)) p = PixelOf(AvoidKey(AdjustColor(inner, -2 * (x - h))));
        if (IsPixel(p, contour)) p = PixelOf(AvoidKey(AdjustColor(contour, -(x - h))));
    });
}

// The piece over its silhouette: piece pixels first, then the shadow's.
void MergeShadow(QImage& piece, const QImage& shadow)
{
    for (int y = 0; y < piece.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(piece.scanLine(y));
        const auto* under = reinterpret_cast<const QRgb*>(shadow.constScanLine(y));
        for (int x = 0; x < piece.width(); ++x)
            if (IsPixel(line[x], PieceKeyColor) && !IsPixel(under[x], ShadowKeyColor))
                line[x] = under[x];
    }
}

} // namespace

int ImageIndexOf(std::uint8_t pieceCode)
{
    if (pieceCode >= 1 && pieceCode <= 6) return pieceCode;
    if (pieceCode >= 0x81 && pieceCode <= 0x86) return pieceCode - 0x7A;
    return 0;
}

int GlyphIndexOf(int imageIndex)
{
    if (imageIndex < 1 || imageIndex > 12) return 0;
    // Any set number other than 0 means the dark set: the table has two.
    const int set = PieceSet[(imageIndex - 1) / 6] != 0 ? 1 : 0;
    return (imageIndex - 1) % 6 + 6 * set + 1;
}

char GlyphCharFor(int imageIndex)
{
    if (GenericGlyphMode && ColoredPieces) {
        if (imageIndex == WhitePawnImage) return 'g';
        if (imageIndex == BlackPawnImage) return 'h';
        return imageIndex <= 6 ? 'i' : 'j';
    }
    return GlyphChars[GlyphIndexOf(imageIndex)];
}

GlyphPlacement GlyphPlacementFor(int squareSize, int piecePercent)
{
    const double s = squareSize;
    const double p = piecePercent;
    GlyphPlacement g{};
    g.CellHeight = piecePercent * squareSize / 102;
    g.X0 = static_cast<int>((100 - p * 5 / 6) * s / 160 - s / 7 + 1);
    g.Y0 = static_cast<int>((100 - p * 20 / 21) * s / 200 + s / 25);
    g.ShadowOffset = g.CellHeight / 30;
    return g;
}

PieceColors PieceColorsFor(int imageIndex)
{
    const bool white = imageIndex <= 6;
    PieceColors c{};
    if (!ColoredPieces) {
        c.Contour = white ? BoardLightPiece : BoardDarkPiece;
        c.Inner = ContrastColor(c.Contour);
        c.Back = white ? 0x929292 : 0x909090;
        return c;
    }
    const PieceLabelCell cell = PieceLabelIndex[imageIndex];
    const PieceColorPair label = PieceLabels[cell.Side][cell.Column];
    c.Inner = label.Inner;
    if (!GenericGlyphMode) {
        c.Contour = label.Contour;
        // Light glyphs show much inner: lift it where it is close to the contour.
        if (ColorLuminance(c.Inner) - ColorLuminance(c.Contour) < 208 &&
            GlyphIndexOf(imageIndex) <= 6)
            c.Inner = AdjustColor(c.Inner, LightContrast);
        c.Back = imageIndex == BlackPawnImage   ? 0x909090
                 : imageIndex == WhitePawnImage ? 0x969696
                                                : AdjustColor(c.Contour, 60);
    } else {
        c.Contour = white ? 0xF7F7F7 : label.Contour;
        c.Back = imageIndex == BlackPawnImage   ? 0x909090
                 : imageIndex == WhitePawnImage ? 0xE6E6E6
                                                : AdjustColor(c.Contour, 51);
    }
    return c;
}

QImage BuildPieceImage(int imageIndex, int squareSize, const QFont& font,
                       const GlyphPlacement& placement)
{
    const char ch = GlyphCharFor(imageIndex);
    const PieceColors colors = PieceColorsFor(imageIndex);
    const TColor contour = AvoidKey(colors.Contour);
    const TColor inner = AvoidKey(colors.Inner);
    const TColor back = DistinctBack(colors.Back, contour);

    QImage piece = GlyphImage(squareSize, back, contour, font, placement.X0, placement.Y0, ch);
    // An edge blend that hits the key exactly would show a hole.
    Replace(piece, PieceKeyColor, NearKey);
    // Outside the outline becomes the key; what the ink encloses, the inner.
    FillOutside(piece, back, PieceKeyColor);
    Replace(piece, back, inner);

    if (UseGradient) ApplyGradient(piece, contour, inner);
    if (UseShadow) {
        const int d = placement.ShadowOffset;
        MergeShadow(piece, ShadowImage(squareSize, font, placement.X0 + d, placement.Y0 + d, ch));
    }
    return piece;
}

void DrawKeyed(QPainter& painter, int x, int y, const QImage& image, TColor key)
{
    if (image.isNull()) return;
    // The keyed copies of the images drawn lately (the pieces of a board).
    struct Keyed {
        qint64 Source;
        TColor Key;
        QImage Image;
    };
    static std::vector<Keyed> cache;
    auto hit = std::find_if(cache.begin(), cache.end(), [&](const Keyed& k) {
        return k.Source == image.cacheKey() && k.Key == key;
    });
    if (hit == cache.end()) {
        if (cache.size() >= 64) cache.erase(cache.begin());
        cache.push_back({image.cacheKey(), key, TransparentCopy(image, key)});
        hit = cache.end() - 1;
    }
    painter.drawImage(QPoint(x, y), hit->Image);
}
