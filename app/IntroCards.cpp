#include "app/IntroCards.h"

#include "app/PieceImages.h"
#include "platform/Canvas.h"
#include "platform/Fonts.h"

#include <cmath>

namespace {

// A pick from 0 .. count - 1 that is not previous and not refused; the
// previous pick is carried to the next call.
template <typename Refused>
int Pick(std::mt19937& random, int count, int& previous, Refused refused)
{
    std::uniform_int_distribution<int> pick(0, count - 1);
    int v = 0;
    do
        v = pick(random);
    while (v == previous || refused(v));
    previous = v;
    return v;
}

QFont GlyphFont(int size, int weight)
{
    LogFont lf;
    lf.lfHeight = size;
    lf.lfWeight = weight;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    lf.lfQuality = ANTIALIASED_QUALITY;
    lf.lfFaceName = QStringLiteral("Kavdiag");
    return CreateFontIndirect(lf);
}

} // namespace

std::vector<IntroGlyph> ShapesCardLayout(std::mt19937& random)
{
    std::vector<IntroGlyph> glyphs;
    int previous = -1;
    auto none = [](int) { return false; };
    int y = 12;
    for (int s = 600; s >= 240; s -= 60) {
        const auto c = static_cast<int>(std::pow(s * 0.01, 2.4));
        for (int x = 4; x < 268 - c; x += c) {
            const int v = Pick(random, 5, previous, none);
            glyphs.push_back({x, y, c, 550, IntroGlyphs[v], clBlack});
        }
        for (int x = 334; x < 600 - c; x += c) {
            const int v = Pick(random, 5, previous, none);
            glyphs.push_back({x, y, c, 400, IntroGlyphs[v], IntroColors[v]});
        }
        y += c + 22;
    }
    return glyphs;
}

std::vector<IntroGlyph> ColorsCardLayout(std::mt19937& random, const PiecePalette& palette)
{
    std::vector<IntroGlyph> glyphs;
    int previousShape = -1;
    int previousColor = -1;
    int k = 0;
    for (int row = 0; row < 8; ++row) {
        for (int col = 0; col < 9; ++col, ++k) {
            IntroGlyph g{58 + 56 * col, 16 + 50 * row, 28, 500, 'h', clBlack};
            if (k % 2 != 0) {
                // Dark-set shapes without the pawn.
                g.Glyph =
                    IntroGlyphs[Pick(random, 11, previousShape, [](int v) { return v == 5; })];
            } else {
                const int image =
                    Pick(random, 12, previousColor, [](int v) { return v % 6 == 0; }) + 1;
                const PieceLabelCell cell = PieceLabelIndex[image];
                const PieceColorPair& pair = palette[cell.Side][cell.Column];
                g.Color = image <= 6 ? pair.Inner : pair.Contour;
            }
            glyphs.push_back(g);
        }
    }
    return glyphs;
}

QImage RenderIntroCard(const std::vector<IntroGlyph>& glyphs)
{
    QImage card(IntroCardWidth, IntroCardHeight, QImage::Format_RGB32);
    card.fill(Qt::white);
    TCanvas canvas;
    canvas.Begin(&card);
    canvas.Brush.Color = clWhite;
    canvas.Brush.Style = TBrushStyle::bsSolid;
    for (const IntroGlyph& g : glyphs) {
        canvas.Font.SetQtFont(GlyphFont(g.Size, g.Weight));
        canvas.Font.Color = g.Color;
        canvas.TextOut(g.X, g.Y, QString(QChar(g.Glyph)));
    }
    canvas.End();
    return card;
}
