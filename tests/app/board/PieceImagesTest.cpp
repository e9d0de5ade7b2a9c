#include "app/PieceImages.h"
#include "app/ColorHelpers.h"
#include "app/OptionValues.h"
#include "app/PieceFont.h"
#include "tests/app/board/BoardTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(PiecePlacement, OffsetsSizesAndShadow)
{
    const struct {
        const char* name;
        int s, p;
        GlyphPlacement expected;
    } cases[] = {
        {"midi at 55", 55, 91, {49, 1, 5, 1}},
        {"large at 68 starts left of the square", 68, 99, {66, -1, 4, 2}},
        {"midi at 68 shadow 2", 68, 91, {60, 1, 7, 2}},
        {"small at the smallest square", 14, 80, {10, 1, 2, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const GlyphPlacement g = GlyphPlacementFor(c.s, c.p);
        EXPECT_EQ(g.CellHeight, c.expected.CellHeight);
        EXPECT_EQ(g.X0, c.expected.X0);
        EXPECT_EQ(g.Y0, c.expected.Y0);
        EXPECT_EQ(g.ShadowOffset, c.expected.ShadowOffset);
    }
}

TEST(PieceIndex, ImageIndexOfBoardBytes)
{
    const struct {
        const char* name;
        std::uint8_t code;
        int index;
    } cases[] = {
        {"white pawn", 0x01, 1},  {"white king", 0x06, 6},     {"black pawn", 0x81, 7},
        {"black king", 0x86, 12}, {"empty", 0x00, 0},          {"border", 0x40, 0},
        {"no type 7", 0x07, 0},   {"bare black bit", 0x80, 0}, {"black 7", 0x87, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ImageIndexOf(c.code), c.index);
    }
}

std::string GlyphsOfAllImages()
{
    std::string s;
    for (int i = 1; i <= 12; ++i)
        s += GlyphCharFor(i);
    return s;
}

TEST(PieceGlyphs, ByScheme)
{
    const struct {
        const char* name;
        Scheme scheme;
        Style style;
        const char* glyphs;
    } cases[] = {
        {"traditional modern", Scheme::Traditional, Style::Modern, "pnbrqkomvtwl"},
        {"traditional classic", Scheme::Traditional, Style::Classic, "PNBRQKOMVTWL"},
        {"traditional blindfold", Scheme::Traditional, Style::Blindfold, "            "},
        {"velmora modern", Scheme::Velmora, Style::Modern, "pnbrqkomvtwl"},
        {"reversed modern", Scheme::Reversed, Style::Modern, "omvtwlpnbrqk"},
        {"reversed classic", Scheme::Reversed, Style::Classic, "OMVTWLPNBRQK"},
        {"colour chess modern", Scheme::ColorChess, Style::Modern, "giiiiihjjjjj"},
        {"colour chess ignores blindfold", Scheme::ColorChess, Style::Blindfold, "giiiiihjjjjj"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OptionsGuard guard;
        ApplyScheme(c.scheme);
        ApplyStyle(c.style);
        EXPECT_EQ(GlyphsOfAllImages(), c.glyphs);
    }
}

TEST(PieceGlyphs, UnknownSetNumberReadsAsTheDarkSet)
{
    OptionsGuard guard;
    PieceSet = {2, -1};
    EXPECT_EQ(GlyphsOfAllImages(), "omvtwlomvtwl");
}

TEST(PieceColours, BySchemeAndPalette)
{
    struct Case {
        const char* name;
        Scheme scheme;
        void (*setup)();
        int image;
        PieceColors expected;
    };
    const Case cases[] = {
        {"traditional light", Scheme::Traditional, [] {}, 1, {0x064053, 0xD6FFFF, 0x929292}},
        {"traditional dark", Scheme::Traditional, [] {}, 12, {0x064053, 0xD6FFFF, 0x909090}},
        {"near-black contour",
         Scheme::Traditional,
         [] { BoardLightPiece = 0x090909; },
         3,
         {0x090909, 0xFFFFFF, 0x929292}},
        {"grey contour",
         Scheme::Traditional,
         [] { BoardDarkPiece = 0x808080; },
         9,
         {0x808080, 0xFFFFFF, 0x909090}},
        {"velmora white king lifted", Scheme::Velmora, [] {}, 6, {0x0000E1, 0xA3A3FF, 0x3C3CFF}},
        {"velmora white king dark set",
         Scheme::Velmora,
         [] {
             PieceSet = {1, 1};
         },
         6,
         {0x0000E1, 0x6666FF, 0x3C3CFF}},
        {"velmora black king dark set", Scheme::Velmora, [] {}, 12, {0x0000BB, 0x8888FF, 0x3C3CF7}},
        {"velmora black pawn", Scheme::Velmora, [] {}, 7, {0x000000, 0xFFFFFF, 0x909090}},
        {"velmora white pawn", Scheme::Velmora, [] {}, 1, {0x404040, 0xFFFFFF, 0x969696}},
        {"colour chess white queen", Scheme::ColorChess, [] {}, 5, {0xF7F7F7, 0xFF80BF, 0xFFFFFF}},
        {"colour chess white pawn", Scheme::ColorChess, [] {}, 1, {0xF7F7F7, 0xFFFFFF, 0xE6E6E6}},
        {"colour chess black rook", Scheme::ColorChess, [] {}, 10, {0x007900, 0x66FF66, 0x33AC33}},
        {"colour chess black pawn", Scheme::ColorChess, [] {}, 7, {0x000000, 0xFFFFFF, 0x909090}},
        {"colour chess white contour ignores palette",
         Scheme::ColorChess,
         [] { PieceLabels[0][0].Contour = 0x123456; },
         6,
         {0xF7F7F7, 0x6666FF, 0xFFFFFF}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OptionsGuard guard;
        ApplyScheme(c.scheme);
        c.setup();
        const PieceColors got = PieceColorsFor(c.image);
        EXPECT_EQ(got.Contour, c.expected.Contour);
        EXPECT_EQ(got.Inner, c.expected.Inner);
        EXPECT_EQ(got.Back, c.expected.Back);
    }
}

// ---- Pixels of the built images ---------------------------------------------

class PiecePixels : public testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(EnsureBoardApp()); }
    void SetUp() override
    {
        UseGradient = false;
        UseShadow = false;
    }
    void TearDown() override { RestoreFirstRunOptions(); }

    static QImage Build(int image, int s, int p = 91)
    {
        const GlyphPlacement g = GlyphPlacementFor(s, p);
        return BuildPieceImage(image, s, CreatePieceFont(g.CellHeight), g);
    }
};

bool IsKey(const QImage& img, int x, int y)
{
    return ColorAt(img, x, y) == PieceKeyColor;
}

// Inner pixels never touch the outside: the outline encloses them.
int InnerTouchingOutside(const QImage& img, std::uint32_t inner)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            if (ColorAt(img, x, y) != inner) continue;
            const bool edge = x == 0 || y == 0 || x == img.width() - 1 || y == img.height() - 1;
            n += edge || IsKey(img, x - 1, y) || IsKey(img, x + 1, y) || IsKey(img, x, y - 1) ||
                 IsKey(img, x, y + 1);
        }
    return n;
}

TEST_F(PiecePixels, EverySchemeAndStyle)
{
    const Scheme schemes[] = {Scheme::Traditional, Scheme::Velmora, Scheme::Reversed,
                              Scheme::ColorChess};
    const Style styles[] = {Style::Modern, Style::Classic, Style::Blindfold};
    const int s = 55;
    for (Scheme scheme : schemes) {
        for (Style style : styles) {
            RestoreFirstRunOptions();
            UseGradient = UseShadow = false;
            ApplyScheme(scheme);
            ApplyStyle(style);
            for (int i = 1; i <= 12; ++i) {
                SCOPED_TRACE(testing::Message()
                             << SchemeName(scheme) << " " << StyleName(style) << " image " << i);
                const QImage img = Build(i, s);
                ASSERT_EQ(img.width(), s);
                ASSERT_EQ(img.height(), s);
                const PieceColors c = PieceColorsFor(i);
                EXPECT_TRUE(IsKey(img, 1, 1));
                EXPECT_TRUE(IsKey(img, 0, s - 1));
                const bool blind = GlyphCharFor(i) == ' ';
                if (blind) {
                    EXPECT_EQ(CountColor(img, PieceKeyColor), s * s);
                    continue;
                }
                EXPECT_GT(CountColor(img, c.Contour), 10);
                EXPECT_EQ(CountColor(img, c.Back),
                          c.Back == c.Inner ? CountColor(img, c.Inner) : 0);
                EXPECT_EQ(InnerTouchingOutside(img, c.Inner), 0);
                const char ch = GlyphCharFor(i);
                const bool outline =
                    ch == 'g' || ch == 'i' || (GlyphIndexOf(i) <= 6 && ch != 'h' && ch != 'j');
                if (outline) {
                    EXPECT_GT(CountColor(img, c.Inner), s * s / 20);
                }
            }
        }
    }
}

TEST_F(PiecePixels, GradientOnlyRightOfTheMiddle)
{
    const int s = 55;
    const int h = s / 2;
    for (int image : {6, 8}) {
        SCOPED_TRACE(image);
        UseGradient = false;
        const QImage plain = Build(image, s);
        UseGradient = true;
        const QImage shaded = Build(image, s);
        const PieceColors c = PieceColorsFor(image);
        int changed = 0;
        for (int y = 0; y < s; ++y) {
            for (int x = 0; x < s; ++x) {
                const std::uint32_t before = ColorAt(plain, x, y);
                std::uint32_t expected = before;
                if (x > h && before == c.Inner)
                    expected = AdjustColor(c.Inner, -2 * (x - h));
                else if (x > h && before == c.Contour)
                    expected = AdjustColor(c.Contour, -(x - h));
                ASSERT_EQ(ColorAt(shaded, x, y), expected) << "at " << x << "," << y;
                changed += expected != before;
            }
        }
        EXPECT_GT(changed, s);
    }
}

TEST_F(PiecePixels, ShadowIsTheSilhouetteShiftedByD)
{
    const struct {
        const char* name;
        int s, p, d;
    } cases[] = {{"S 55 midi", 55, 91, 1}, {"S 68 midi", 68, 91, 2}, {"S 100 large", 100, 99, 3}};
    for (const auto& c : cases) {
        for (int image : {6, 12, 1}) {
            SCOPED_TRACE(testing::Message() << c.name << " image " << image);
            ASSERT_EQ(GlyphPlacementFor(c.s, c.p).ShadowOffset, c.d);
            UseShadow = false;
            const QImage plain = Build(image, c.s, c.p);
            UseShadow = true;
            const QImage shadowed = Build(image, c.s, c.p);
            int lowestPlain = -1, lowestShadow = -1, changed = 0;
            for (int y = 0; y < c.s; ++y) {
                for (int x = 0; x < c.s; ++x) {
                    const bool plainInk = !IsKey(plain, x, y);
                    if (plainInk) {
                        lowestPlain = y;
                        ASSERT_EQ(ColorAt(shadowed, x, y), ColorAt(plain, x, y));
                        continue;
                    }
                    if (IsKey(shadowed, x, y)) continue;
                    lowestShadow = y;
                    ++changed;
                    const std::uint32_t px = ColorAt(shadowed, x, y);
                    const int grey = px & 0xFF;
                    EXPECT_EQ(px, static_cast<std::uint32_t>(grey * 0x010101));
                    EXPECT_GE(grey, 0x7A);
                    EXPECT_LE(grey, 0x7F);
                    ASSERT_FALSE(IsKey(plain, x - c.d, y - c.d)) << "at " << x << "," << y;
                }
            }
            EXPECT_GT(changed, 0);
            EXPECT_EQ(lowestShadow, lowestPlain + c.d);
            EXPECT_TRUE(IsKey(shadowed, 1, 1));
            EXPECT_TRUE(IsKey(shadowed, 0, c.s - 1));
        }
    }
}

TEST_F(PiecePixels, ColoursEqualToTheKeyStayVisible)
{
    const int s = 55;
    struct Case {
        const char* name;
        void (*setup)();
        int image;
    };
    const Case cases[] = {
        {"grey contour", [] { BoardLightPiece = 0x808080; }, 1},
        {"white contour on white inner", [] { BoardLightPiece = 0xFFFFFF; }, 6},
        {"velmora contour white, back saturates to it",
         [] {
             ApplyScheme(Scheme::Velmora);
             PieceLabels[0][0] = {0xFFFFFF, 0x0000FF};
         },
         6},
        {"velmora inner grey 0x808080",
         [] {
             ApplyScheme(Scheme::Velmora);
             LightContrast = 0;
             PieceLabels[0][1] = {0x000000, 0x808080};
         },
         5},
        {"gradient reaching the key",
         [] {
             ApplyScheme(Scheme::Velmora);
             PieceLabels[0][2] = {0x909090, 0xFFFFFF};
             UseGradient = true;
         },
         4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RestoreFirstRunOptions();
        UseGradient = UseShadow = false;
        c.setup();
        const QImage img = Build(c.image, s);
        const int visible = s * s - CountColor(img, PieceKeyColor);
        EXPECT_GT(visible, s * s / 6);
        EXPECT_TRUE(IsKey(img, 1, 1));
        // The enclosed inner area is still there: not everything is outline.
        const PieceColors pc = PieceColorsFor(c.image);
        const std::uint32_t inner = pc.Inner == PieceKeyColor ? 0x7F7F7F : pc.Inner;
        if (!UseGradient) {
            EXPECT_GT(CountColor(img, inner), s * s / 20);
        } else {
            // The darkened pixels keep their place: no new transparent holes.
            UseGradient = false;
            EXPECT_EQ(CountColor(img, PieceKeyColor), CountColor(Build(c.image, s), PieceKeyColor));
        }
    }
}

} // namespace
