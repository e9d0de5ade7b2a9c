// Every character the program writes in one of its fonts has a glyph there,
// the diagram cells are one em wide with zero-width overlays, and the chess
// glyphs of the text fonts sit at U+F000 + the byte the notation uses, at
// that byte's cp1252 twin and at their own sign, never at another character
// of a text.
#include "tests/platform/fonts/FontTestSupport.h"

#include "platform/Fonts.h"
#include "platform/GameText.h"

#include <QPainterPath>
#include <QRawFont>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

constexpr int Em = 2048;

// The Unicode value a cp1252 byte decodes to; 0 for the five unassigned bytes.
char32_t Cp1252(unsigned char b)
{
    static const char32_t high[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    return (b >= 0x80 && b < 0xA0) ? high[b - 0x80] : b;
}

// Letters of code page 1250 outside cp1252, for names of the ELO list.
const char32_t Cp1250Letters[] = {
    0x0104, 0x0105, 0x0106, 0x0107, 0x010C, 0x010D, 0x010E, 0x010F, 0x0110, 0x0111, 0x0118,
    0x0119, 0x011A, 0x011B, 0x0139, 0x013A, 0x013D, 0x013E, 0x0141, 0x0142, 0x0143, 0x0144,
    0x0147, 0x0148, 0x0150, 0x0151, 0x0154, 0x0155, 0x0158, 0x0159, 0x015A, 0x015B, 0x015E,
    0x015F, 0x0162, 0x0163, 0x0164, 0x0165, 0x016E, 0x016F, 0x0170, 0x0171, 0x0179, 0x017A,
    0x017B, 0x017C, 0x02C7, 0x02D8, 0x02D9, 0x02DB, 0x02DD};

// Bytes of the figurines, the check sign, one half and every evaluation glyph.
const unsigned char ChessBytes[] = {
    0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0x7E, 0xBD, 0x80, 0x82, 0x84, 0x85, 0x89, 0x91, 0x92, 0x99,
    0x9E, 0xA0, 0xA9, 0xAC, 0xAD, 0xAE, 0xAF, 0xB1, 0xB2, 0xB3, 0xB5, 0xB7, 0xB9, 0xD7, 0xDE, 0xF7};

qreal AdvanceOf(const QRawFont& raw, quint32 glyph)
{
    return raw.advancesForGlyphIndexes(QList<quint32>{glyph}).value(0).x();
}

class TextFontCoverage : public ::testing::TestWithParam<const char*> {
protected:
    static void SetUpTestSuite() { EnsureGuiApplication(); }
};

TEST_P(TextFontCoverage, EveryCp1252ByteAndCp1250LetterHasAGlyph)
{
    const QRawFont raw = RawFont(GetParam());
    for (int b = 0x20; b <= 0xFF; ++b) {
        if (b == 0x7F) continue;
        const char32_t cp = Cp1252(static_cast<unsigned char>(b));
        if (cp != 0) {
            EXPECT_NE(GlyphOf(raw, cp), 0u) << "byte " << std::hex << b;
        }
    }
    for (char32_t cp : Cp1250Letters)
        EXPECT_NE(GlyphOf(raw, cp), 0u) << "U+" << std::hex << static_cast<unsigned>(cp);
    // "\_" of the move text (castling) becomes a non-breaking hyphen.
    EXPECT_NE(GlyphOf(raw, 0x2011), 0u);
}

TEST_P(TextFontCoverage, ChessShapesSitAtTheirCodesTwinsAndMeaningsOnly)
{
    const QRawFont raw = RawFont(GetParam());
    std::vector<QPainterPath> chess;
    for (unsigned char b : ChessBytes) {
        SCOPED_TRACE(b);
        const quint32 glyph = GlyphOf(raw, 0xF000 + b);
        ASSERT_NE(glyph, 0u);
        EXPECT_FALSE(raw.pathForGlyph(glyph).isEmpty());
        chess.push_back(raw.pathForGlyph(glyph));
    }
    // A character of a text shows a chess shape only at a twin of a glyph
    // byte (drawn in the plain text font instead) or where it is that
    // shape's own sign: "+", plus-minus, one half, times, the chess pieces,
    // arrows and the other signs the symbols are made of.
    for (char32_t cp = 0x20; cp < 0x3000; ++cp) {
        const quint32 glyph = GlyphOf(raw, cp);
        if (glyph == 0 || IsNotationGlyphTwin(cp)) continue;
        const QPainterPath path = raw.pathForGlyph(glyph);
        if (path.isEmpty() || std::find(chess.begin(), chess.end(), path) == chess.end()) continue;
        EXPECT_TRUE(cp == 0x2B || cp == 0xB1 || cp == 0xBD || cp == 0xD7 || cp >= 0x2100)
            << "U+" << std::hex << static_cast<unsigned>(cp);
    }
}

TEST_P(TextFontCoverage, PrivateUseGlyphsAreExactlyTheReadersGlyphBytes)
{
    const QRawFont raw = RawFont(GetParam());
    for (int b = 0; b < 0x100; ++b)
        EXPECT_EQ(GlyphOf(raw, 0xF000 + b) != 0, IsNotationGlyphByte(static_cast<unsigned char>(b)))
            << "byte " << std::hex << b;
}

TEST_P(TextFontCoverage, FigurinesAreSixDistinctPiecesAndTheCheckSignAPlus)
{
    const QRawFont raw = RawFont(GetParam());
    std::vector<quint32> figurines;
    for (char32_t cp = 0xF0A2; cp <= 0xF0A7; ++cp)
        figurines.push_back(GlyphOf(raw, cp));
    for (std::size_t i = 0; i < figurines.size(); ++i)
        for (std::size_t j = i + 1; j < figurines.size(); ++j)
            EXPECT_NE(figurines[i], figurines[j]);
    // Figurines stand about as tall as capitals on the baseline.
    const QRectF capital = raw.pathForGlyph(GlyphOf(raw, 'K')).boundingRect();
    for (quint32 g : figurines) {
        const QRectF box = raw.pathForGlyph(g).boundingRect();
        EXPECT_NEAR(box.height(), capital.height(), 0.15 * capital.height());
        EXPECT_NEAR(box.bottom(), capital.bottom(), 0.05 * Em);
    }
    EXPECT_EQ(GlyphOf(raw, 0xF07E), GlyphOf(raw, '+'));
    EXPECT_NE(GlyphOf(raw, '~'), GlyphOf(raw, '+'));
}

TEST_P(TextFontCoverage, GreekAndCyrillicNamesHaveTheirLetters)
{
    const QRawFont raw = RawFont(GetParam());
    for (char32_t cp : std::u32string(
             U"\u041A\u0430\u0440\u043F\u043E\u0432 \u0416\u0449\u0401 \u0391\u03B2\u03C9"))
        EXPECT_NE(GlyphOf(raw, cp), 0u) << "U+" << std::hex << static_cast<unsigned>(cp);
}

const char* const TextFaceNames[] = {"Swiss", "SwissBold", "Times", "TimesBold"};

INSTANTIATE_TEST_SUITE_P(Fonts, TextFontCoverage,
                         ::testing::Values(":/fonts/VelmoraChessSwiss.ttf",
                                           ":/fonts/VelmoraChessSwiss-Bold.ttf",
                                           ":/fonts/VelmoraChessTimes.ttf",
                                           ":/fonts/VelmoraChessTimes-Bold.ttf"),
                         [](const auto& info) { return std::string(TextFaceNames[info.index]); });

class CellFonts : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureGuiApplication(); }
};

TEST_F(CellFonts, DiagramCellsAreOneEmAndOverlaysZeroWide)
{
    const QRawFont raw = RawFont(":/fonts/VelmoraDiagram.ttf");
    EXPECT_DOUBLE_EQ(raw.ascent() + raw.descent(), Em);
    EXPECT_DOUBLE_EQ(raw.leading(), 0);
    struct Group {
        const char* name;
        const char* chars;
        qreal advance;
        bool ink;
    };
    const Group groups[] = {
        {"frame", "XIY90xiy", Em, true},        {"rank numbers", "12345678", Em, true},
        {"file letters", "abcdefgh", Em, true}, {"light square", "-", Em, false},
        {"dark square", "+", Em, true},         {"White pieces", "PNLRQK", Em, true},
        {"Black pieces", "pnlrqk", Em, true},   {"overlays", "zsvtwm", 0, true},
    };
    for (const Group& g : groups) {
        for (const char* c = g.chars; *c; ++c) {
            SCOPED_TRACE(std::string(g.name) + " '" + *c + "'");
            const quint32 glyph = GlyphOf(raw, static_cast<unsigned char>(*c));
            ASSERT_NE(glyph, 0u);
            EXPECT_DOUBLE_EQ(AdvanceOf(raw, glyph), g.advance);
            EXPECT_EQ(GlyphOf(raw, 0xF000 + static_cast<unsigned char>(*c)), glyph);
            const QPainterPath path = raw.pathForGlyph(glyph);
            EXPECT_EQ(!path.isEmpty(), g.ink);
            if (g.ink) {
                // Ink stays inside its own cell, right of the origin.
                const QRectF box = path.boundingRect();
                EXPECT_GE(box.left(), -1);
                EXPECT_LE(box.right(), Em + 1);
                EXPECT_GE(box.top(), -raw.ascent() - 1);
                EXPECT_LE(box.bottom(), raw.descent() + 1);
            }
        }
    }
}

TEST_F(CellFonts, BoardLettersAreOneEmAndTheBlanksEmpty)
{
    const QRawFont raw = RawFont(":/fonts/Kavdiag.ttf");
    EXPECT_DOUBLE_EQ(raw.ascent() + raw.descent(), Em);
    for (char c : std::string("pnbrqkomvtwlPNBRQKOMVTWLghij")) {
        SCOPED_TRACE(std::string(1, c));
        const quint32 glyph = GlyphOf(raw, static_cast<unsigned char>(c));
        ASSERT_NE(glyph, 0u);
        EXPECT_DOUBLE_EQ(AdvanceOf(raw, glyph), Em);
        EXPECT_FALSE(raw.pathForGlyph(glyph).isEmpty());
    }
    for (char c : std::string(" uU")) {
        SCOPED_TRACE(std::string(1, c));
        const quint32 glyph = GlyphOf(raw, static_cast<unsigned char>(c));
        ASSERT_NE(glyph, 0u);
        EXPECT_TRUE(raw.pathForGlyph(glyph).isEmpty());
    }
}

TEST_F(CellFonts, ModernAndClassicDesignsDiffer)
{
    const QRawFont raw = RawFont(":/fonts/Kavdiag.ttf");
    for (char c : std::string("pnbrqkomvtwl")) {
        SCOPED_TRACE(std::string(1, c));
        const char upper = static_cast<char>(c - 0x20);
        EXPECT_NE(raw.pathForGlyph(GlyphOf(raw, c)).boundingRect(),
                  raw.pathForGlyph(GlyphOf(raw, upper)).boundingRect());
    }
}

} // namespace
