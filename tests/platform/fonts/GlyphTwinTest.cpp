// The text fonts' character map as other programs read it: a word processor
// looks up a glyph byte at its cp1252 code point, and a PDF's text layer
// names a glyph by the lowest code point mapped to it.
#include "tests/platform/fonts/FontTestSupport.h"

#include "platform/GameText.h"

#include <QPainterPath>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

class TextFontMap : public ::testing::TestWithParam<const char*> {
protected:
    static void SetUpTestSuite() { EnsureGuiApplication(); }
};

TEST_P(TextFontMap, EveryGlyphByteDrawsAlsoAtItsCp1252CodePoint)
{
    const QRawFont raw = RawFont(GetParam());
    int twins = 0;
    for (int b = 0; b < 0x100; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        if (!IsNotationGlyphByte(byte)) continue;
        SCOPED_TRACE("byte " + std::to_string(b));
        const QPainterPath glyph = raw.pathForGlyph(GlyphOf(raw, NotationGlyphBase + byte));
        const QPainterPath twin = raw.pathForGlyph(GlyphOf(raw, Cp1252ToUnicode(byte)));
        // FreeType hints an unhinted glyph by the characters mapped to it, so
        // the two may come out a few units (of 2048) apart.
        ASSERT_FALSE(glyph.isEmpty());
        EXPECT_LE(std::abs(twin.elementCount() - glyph.elementCount()), 2);
        const QRectF a = twin.boundingRect(), g = glyph.boundingRect();
        EXPECT_LE(std::abs(a.left() - g.left()) + std::abs(a.right() - g.right()) +
                      std::abs(a.top() - g.top()) + std::abs(a.bottom() - g.bottom()),
                  48);
        ++twins;
    }
    EXPECT_EQ(twins, 32);
    // The figurines are also the chess characters (king .. pawn, solid), so
    // that a PDF's text names them.
    const char32_t pieces[] = {0x265A, 0x265B, 0x265E, 0x265D, 0x265C, 0x265F};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(GlyphOf(raw, pieces[i]), GlyphOf(raw, NotationGlyphBase + 0xA2 + i)) << i;
}

INSTANTIATE_TEST_SUITE_P(Faces, TextFontMap,
                         ::testing::Values(":/fonts/VelmoraChessSwiss.ttf",
                                           ":/fonts/VelmoraChessSwiss-Bold.ttf",
                                           ":/fonts/VelmoraChessTimes.ttf",
                                           ":/fonts/VelmoraChessTimes-Bold.ttf"));

} // namespace
