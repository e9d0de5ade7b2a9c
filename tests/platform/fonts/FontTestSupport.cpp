#include "tests/platform/fonts/FontTestSupport.h"

#include "platform/Fonts.h"
#include "tests/support/TestApp.h"

#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// The font handles go before the application.
[[maybe_unused]] const bool FontsReleased =
    (AtTestAppEnd([] { EmbeddedFontHandles.Release(); }), true);

} // namespace

void EnsureGuiApplication()
{
    TestApp();
}

void RegisterEmbeddedFonts()
{
    EnsureGuiApplication();
    static bool done = false;
    if (done) return;
    done = true;
    for (std::size_t i = 0; i < EmbeddedFontResources.size(); ++i) {
        const EmbeddedFontResource& r = EmbeddedFontResources[i];
        EXPECT_TRUE(LoadEmbeddedFont(r.Family, EmbeddedFontHandles[i], r.Id)) << r.Family;
    }
}

QByteArray EmbeddedFontData(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

QRawFont RawFont(const char* path)
{
    QRawFont raw(EmbeddedFontData(path), 2048, QFont::PreferNoHinting);
    EXPECT_TRUE(raw.isValid()) << path;
    return raw;
}

quint32 GlyphOf(const QRawFont& raw, char32_t cp)
{
    const QList<quint32> g = raw.glyphIndexesForString(QString::fromUcs4(&cp, 1));
    return g.size() == 1 ? g[0] : 0;
}

PieceGeometry BoardPieceGeometry(int s, int p)
{
    const int cell = p * s / 102;
    const double x0 = (100.0 - p * 5.0 / 6.0) * s / 160.0 - s / 7.0 + 1.0;
    const double y0 = (100.0 - p * 20.0 / 21.0) * s / 200.0 + s / 25.0;
    return {cell, static_cast<int>(x0), static_cast<int>(y0), cell / 30};
}

QFont BoardFont(int cellHeight, int weight)
{
    LogFont lf;
    lf.lfHeight = cellHeight;
    lf.lfWeight = weight;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    lf.lfQuality = ANTIALIASED_QUALITY;
    lf.lfFaceName = "Kavdiag";
    return CreateFontIndirect(lf);
}

void DrawGlyphCell(QImage& image, const QFont& font, QChar glyph, int x, int y, QRgb colour)
{
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(QColor::fromRgb(colour));
    painter.drawText(QPoint(x, y + QFontMetrics(font).ascent()), QString(glyph));
}

void FloodFill4(QImage& image, QPoint start, QRgb target, QRgb fill)
{
    if (SameColour(target, fill) || !image.rect().contains(start)) return;
    std::vector<QPoint> stack{start};
    while (!stack.empty()) {
        const QPoint q = stack.back();
        stack.pop_back();
        if (!image.rect().contains(q) || !SameColour(image.pixel(q), target)) continue;
        image.setPixel(q, fill);
        stack.push_back({q.x() + 1, q.y()});
        stack.push_back({q.x() - 1, q.y()});
        stack.push_back({q.x(), q.y() + 1});
        stack.push_back({q.x(), q.y() - 1});
    }
}

QImage RenderRawPiece(QChar glyph, int s, int p, const PieceColours& colours)
{
    const PieceGeometry g = BoardPieceGeometry(s, p);
    QImage image(s, s, QImage::Format_RGB32);
    image.fill(colours.back);
    DrawGlyphCell(image, BoardFont(g.cell), glyph, g.x0, g.y0, colours.contour);
    return image;
}

QImage RenderPieceImage(QChar glyph, int s, int p, const PieceColours& colours)
{
    QImage image = RenderRawPiece(glyph, s, p, colours);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (SameColour(image.pixel(x, y), colours.back)) image.setPixel(x, y, colours.inner);
    FloodFill4(image, {1, 1}, colours.inner, KeyColour);
    return image;
}

int CountColour(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += SameColour(image.pixel(x, y), colour) ? 1 : 0;
    return n;
}
