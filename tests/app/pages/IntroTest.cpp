// The intro: its two cards, seeded, and its stages with the demonstration.
#include "tests/support/TestShots.h"

#include "app/IntroCards.h"
#include "app/PieceImages.h"
#include "app/Unit12.h"
#include "platform/Fonts.h"
#include "platform/PaintBox.h"
#include "platform/Sleep.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <set>

namespace {

bool BoardFontLoaded()
{
    static EmbeddedFontHandle handle;
    static const bool loaded = LoadEmbeddedFont("Kavdiag", handle, KavdiagFontId);
    return loaded;
}

int TypeOf(char glyph)
{
    return static_cast<int>(IntroGlyphs.find(glyph));
}

TEST(IntroCards, ShapesCard)
{
    for (unsigned seed : {1u, 2u, 3u}) {
        std::mt19937 random(seed);
        const std::vector<IntroGlyph> card = ShapesCardLayout(random);
        // Rows: cell size, top, glyphs per half.
        const struct {
            int Size, Top, Left, Right;
        } rows[] = {{73, 12, 3, 3},    {57, 107, 4, 4},   {43, 186, 6, 6}, {31, 251, 8, 8},
                    {21, 304, 12, 12}, {13, 347, 20, 20}, {8, 382, 32, 33}};
        std::size_t i = 0;
        for (const auto& row : rows) {
            for (int half = 0; half < 2; ++half) {
                const int count = half == 0 ? row.Left : row.Right;
                for (int k = 0; k < count; ++k, ++i) {
                    ASSERT_LT(i, card.size());
                    const IntroGlyph& g = card[i];
                    EXPECT_EQ(g.Size, row.Size);
                    EXPECT_EQ(g.Y, row.Top);
                    EXPECT_EQ(g.X, (half == 0 ? 4 : 334) + k * row.Size);
                    const int type = TypeOf(g.Glyph);
                    ASSERT_GE(type, 0);
                    ASSERT_LT(type, 5); // dark-set king to knight
                    EXPECT_EQ(g.Weight, half == 0 ? 550 : 400);
                    EXPECT_EQ(g.Color, half == 0 ? clBlack : IntroColors[type]);
                    if (i > 0) {
                        EXPECT_NE(g.Glyph, card[i - 1].Glyph) << "glyph " << i;
                    }
                }
            }
        }
        EXPECT_EQ(i, card.size());
    }
}

TEST(IntroCards, ColorsCard)
{
    std::mt19937 random(5);
    const std::vector<IntroGlyph> card = ColorsCardLayout(random, VelmoraDefaultColors);
    ASSERT_EQ(card.size(), 72u);
    std::set<TColor> expectedColors;
    for (int image = 1; image <= 12; ++image) {
        if (image == 1 || image == 7) continue; // pawns
        const PieceLabelCell cell = PieceLabelIndex[image];
        const PieceColorPair& pair = VelmoraDefaultColors[cell.Side][cell.Column];
        expectedColors.insert(image <= 6 ? pair.Inner : pair.Contour);
    }
    char previousShape = 0;
    TColor previousColor = clNone;
    for (std::size_t k = 0; k < card.size(); ++k) {
        const IntroGlyph& g = card[k];
        EXPECT_EQ(g.X, 58 + 56 * static_cast<int>(k % 9));
        EXPECT_EQ(g.Y, 16 + 50 * static_cast<int>(k / 9));
        EXPECT_EQ(g.Size, 28);
        EXPECT_EQ(g.Weight, 500);
        if (k % 2 == 0) {
            // The top-left cell and every other: the uniform glyph in a piece's colour.
            EXPECT_EQ(g.Glyph, 'h');
            EXPECT_TRUE(expectedColors.count(g.Color)) << "cell " << k;
            EXPECT_NE(g.Color, previousColor);
            previousColor = g.Color;
        } else {
            EXPECT_EQ(g.Color, clBlack);
            EXPECT_NE(g.Glyph, 'o'); // no pawns of either set
            EXPECT_NE(g.Glyph, 'p');
            EXPECT_NE(g.Glyph, previousShape);
            previousShape = g.Glyph;
        }
    }
}

TEST(Intro, StagesAndDemonstration)
{
    ASSERT_TRUE(BoardFontLoaded());
    ScriptedDialogService dialogs;
    ScopedDialogService installed(dialogs);
    std::vector<int> pauses;
    ScopedSleepHandler sleeping([&pauses](int ms) { pauses.push_back(ms); });

    TDemo demo(nullptr, 11u);
    std::vector<std::string> calls;
    demo.Hooks.Blackwhite1Click = [&calls] { calls.push_back("traditional"); };
    demo.Hooks.Velmora2Click = [&calls] { calls.push_back("velmora"); };
    demo.Hooks.Color1Click = [&calls] { calls.push_back("color"); };
    demo.Hooks.ShowHelp = [&calls](int context) {
        calls.push_back("help " + std::to_string(context));
    };

    // Both cards hold glyphs: black on the left, colours on the right.
    EXPECT_EQ(demo.IntroCardShapes.pixel(300, 5) & 0xFFFFFF, 0xFFFFFFu); // between the halves
    int dark = 0;
    int coloured = 0;
    for (int y = 0; y < IntroCardHeight; ++y)
        for (int x = 0; x < IntroCardWidth; ++x) {
            const QColor c = demo.IntroCardShapes.pixelColor(x, y);
            dark += x < 300 && c.value() < 60;
            coloured += x > 330 && c.saturation() > 120;
        }
    EXPECT_GT(dark, 2000);
    EXPECT_GT(coloured, 2000);

    demo.Timer1->start();
    demo.show();
    EXPECT_EQ(demo.IntroStage, 0);
    EXPECT_TRUE(demo.NextButton->isHidden());
    EXPECT_TRUE(demo.SkipIntro->isHidden());
    EXPECT_EQ(demo.Label1->text(), "Have you tested your chess acuity?");
    KeepShot(demo.grab().toImage(), QStringLiteral("intro-1.png"));

    demo.Timer1Timer();
    EXPECT_FALSE(demo.NextButton->isHidden());
    demo.NextButton->click();
    EXPECT_EQ(demo.IntroStage, 1);
    EXPECT_TRUE(demo.NextButton->isHidden());
    EXPECT_FALSE(demo.SkipIntro->isHidden());
    EXPECT_EQ(demo.Label2->text(), "count piece types, count colors... which was faster?");
    demo.Timer1Timer();
    KeepShot(demo.grab().toImage(), QStringLiteral("intro-2.png"));

    for (int i = 0; i < 3; ++i)
        dialogs.QueueMessageResult(mrOk);
    demo.NextButton->click();
    EXPECT_EQ(demo.IntroStage, 2);
    EXPECT_TRUE(demo.isHidden());
    EXPECT_FALSE(demo.Timer1->isActive());
    EXPECT_EQ(calls, (std::vector<std::string>{"traditional", "velmora", "color", "traditional",
                                               "help 23"}));
    EXPECT_EQ(pauses, (std::vector<int>{3000, 3000}));
    ASSERT_EQ(dialogs.Requests().size(), 3u);
    EXPECT_EQ(dialogs.Requests()[0].text, "Now we switch to Velmora Chess...");
    EXPECT_EQ(dialogs.Requests()[1].text, "...and here is Color Chess!");
    EXPECT_EQ(dialogs.Requests()[2].text, "Back to the traditional white/black board.");
    EXPECT_EQ(dialogs.Requests()[2].type, TMsgDlgType::mtInformation);

    // Every showing starts again at the first card.
    demo.show();
    EXPECT_EQ(demo.IntroStage, 0);
    EXPECT_TRUE(demo.SkipIntro->isHidden());
}

TEST(Intro, ClosingStopsTheTimer)
{
    TDemo demo(nullptr, 3u);
    demo.show();
    demo.Timer1->start();
    demo.reject(); // Esc
    EXPECT_FALSE(demo.Timer1->isActive());
    demo.show();
    demo.Timer1->start();
    demo.hide();
    EXPECT_FALSE(demo.Timer1->isActive());
}

} // namespace
