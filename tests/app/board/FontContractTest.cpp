// The board font at every square size the board can take: the outside of each
// glyph is keyed out from (1, 1), nothing of the inner colour reaches the
// outside, and the outline glyphs keep their enclosed inner areas.
#include "app/OptionValues.h"
#include "app/PieceFont.h"
#include "app/PieceImages.h"
#include "tests/app/board/BoardTestSupport.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

struct Failure {
    std::string text;
};

bool Key(const QImage& img, int x, int y)
{
    return ColorAt(img, x, y) == PieceKeyColor;
}

// The problems of one image, empty when it is sound.
std::string Check(const QImage& img, const PieceColors& colors, bool outline, int s, int cell)
{
    std::ostringstream out;
    if (!Key(img, 1, 1)) out << " (1,1) not transparent;";
    if (!Key(img, 0, s - 1)) out << " bottom-left not transparent;";
    int innerOnEdge = 0, innerNextToOutside = 0, inner = 0;
    for (int y = 0; y < s; ++y) {
        for (int x = 0; x < s; ++x) {
            if (ColorAt(img, x, y) != colors.Inner) continue;
            ++inner;
            if (x == 0 || y == 0 || x == s - 1 || y == s - 1)
                ++innerOnEdge;
            else if (Key(img, x - 1, y) || Key(img, x + 1, y) || Key(img, x, y - 1) ||
                     Key(img, x, y + 1))
                ++innerNextToOutside;
        }
    }
    if (innerOnEdge) out << " inner colour on the edge (" << innerOnEdge << ");";
    if (innerNextToOutside)
        out << " inner colour beside the outside (" << innerNextToOutside << ");";
    // Enclosed areas are kept from a 16 px glyph cell up (the classic queen
    // closes up below it).
    if (outline && cell >= 16 && inner == 0) out << " no enclosed inner area;";
    return out.str();
}

class FontContract : public testing::TestWithParam<Scheme> {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(EnsureBoardApp()); }
    void TearDown() override { RestoreFirstRunOptions(); }
};

TEST_P(FontContract, SizesFourteenToHundredTwenty)
{
    std::vector<std::string> failures;
    int built = 0;
    for (Style style : {Style::Modern, Style::Classic}) {
        RestoreFirstRunOptions();
        UseGradient = false;
        UseShadow = true;
        ApplyScheme(GetParam());
        ApplyStyle(style);
        for (int p : {80, 91, 99}) {
            for (int s = 14; s <= 120; ++s) {
                const GlyphPlacement g = GlyphPlacementFor(s, p);
                const QFont font = CreatePieceFont(g.CellHeight);
                for (int i = 1; i <= 12; ++i) {
                    const QImage img = BuildPieceImage(i, s, font, g);
                    ++built;
                    const char ch = GlyphCharFor(i);
                    const bool outline =
                        ch == 'g' || ch == 'i' || (ch != 'h' && ch != 'j' && GlyphIndexOf(i) <= 6);
                    const std::string problem =
                        Check(img, PieceColorsFor(i), outline, s, g.CellHeight);
                    if (!problem.empty())
                        failures.push_back(std::string(StyleName(style)) + " '" + ch + "' S " +
                                           std::to_string(s) + " P " + std::to_string(p) + ":" +
                                           problem);
                }
            }
        }
        if (GetParam() == Scheme::ColorChess) break; // the style does not change colour chess
    }
    EXPECT_GT(built, 0);
    std::string shown;
    for (std::size_t k = 0; k < failures.size() && k < 25; ++k)
        shown += failures[k] + "\n";
    EXPECT_TRUE(failures.empty()) << failures.size() << " images fail:\n" << shown;
}

INSTANTIATE_TEST_SUITE_P(Schemes, FontContract,
                         testing::Values(Scheme::Traditional, Scheme::Velmora, Scheme::Reversed,
                                         Scheme::ColorChess),
                         [](const testing::TestParamInfo<Scheme>& info) {
                             return std::string(SchemeName(info.param));
                         });

} // namespace
