// Adding the embedded fonts from memory, the family test, removal at release,
// and LOGFONT heights.
#include "tests/platform/fonts/FontTestSupport.h"

#include "platform/Fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QRawFont>

#include <gtest/gtest.h>

namespace {

class FontRegistration : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterEmbeddedFonts(); }
};

TEST_F(FontRegistration, EveryEmbeddedFamilyIsAvailableUnderItsOwnName)
{
    for (const EmbeddedFontResource& r : EmbeddedFontResources) {
        SCOPED_TRACE(r.Family);
        EXPECT_TRUE(FontFamilyInstalled(r.Family));
        QFont font(r.Family);
        font.setStyleStrategy(QFont::NoFontMerging);
        // No substitution: the face resolved is the one asked for.
        EXPECT_EQ(QFontInfo(font).family(), QString(r.Family));
    }
}

TEST_F(FontRegistration, FamilyTestIgnoresCaseAndRejectsUnknownNames)
{
    EXPECT_TRUE(FontFamilyInstalled("kavdiag"));
    EXPECT_TRUE(FontFamilyInstalled("VELMORA DIAGRAM"));
    EXPECT_FALSE(FontFamilyInstalled("Kavdiag Bold Nonexistent"));
    EXPECT_FALSE(FontFamilyInstalled(""));
}

TEST_F(FontRegistration, InstalledFamilyCountsAsLoadedAndAddsNothing)
{
    EmbeddedFontHandle handle;
    EXPECT_TRUE(LoadEmbeddedFont("Kavdiag", handle, KavdiagFontId));
    EXPECT_TRUE(handle.IsNull());
}

TEST_F(FontRegistration, MissingResourceOrWrongFamilyFails)
{
    struct Case {
        const char* name;
        const char* family;
        int id;
    };
    const Case cases[] = {
        {"unknown resource id", "Velmora Nowhere", 999},
        {"resource of another family", "Velmora Nowhere", SwissFontId},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EmbeddedFontHandle handle;
        EXPECT_FALSE(LoadEmbeddedFont(c.family, handle, c.id));
        EXPECT_TRUE(handle.IsNull());
        EXPECT_FALSE(FontFamilyInstalled(c.family));
    }
}

TEST_F(FontRegistration, ReleasedFontIsGoneAndCanBeLoadedAgain)
{
    // The diagram font is added a second time under a handle of this test:
    // first take the process-wide one away.
    constexpr std::size_t diagram = 3;
    ASSERT_FALSE(EmbeddedFontHandles[diagram].IsNull());
    EmbeddedFontHandles[diagram].Reset();
    EXPECT_TRUE(EmbeddedFontHandles[diagram].IsNull());
    EXPECT_FALSE(FontFamilyInstalled("Velmora Diagram"));
    {
        EmbeddedFontHandleList list;
        ASSERT_TRUE(LoadEmbeddedFont("Velmora Diagram", list[diagram], DiagramFontId));
        EXPECT_FALSE(list[diagram].IsNull());
        EXPECT_TRUE(FontFamilyInstalled("Velmora Diagram"));
        EmbeddedFontHandle moved = std::move(list[diagram]);
        EXPECT_TRUE(list[diagram].IsNull());
        EXPECT_TRUE(FontFamilyInstalled("Velmora Diagram"));
        EmbeddedFontHandles[diagram] = std::move(moved);
    }
    // The list went out of scope with a null entry: the font stayed.
    EXPECT_TRUE(FontFamilyInstalled("Velmora Diagram"));
    {
        EmbeddedFontHandleList list;
        list[0] = std::move(EmbeddedFontHandles[diagram]);
    }
    EXPECT_FALSE(FontFamilyInstalled("Velmora Diagram"));
    ASSERT_TRUE(LoadEmbeddedFont("Velmora Diagram", EmbeddedFontHandles[diagram], DiagramFontId));
}

TEST_F(FontRegistration, TextFamiliesHaveRealBoldFacesAddedAndRemovedWithThem)
{
    const std::size_t index[] = {1, 2};
    for (std::size_t i : index) {
        const EmbeddedFontResource& r = EmbeddedFontResources[i];
        SCOPED_TRACE(r.Family);
        EXPECT_EQ(QFontDatabase::weight(r.Family, "Bold"), QFont::Bold);
        QFont bold(r.Family);
        bold.setBold(true);
        EXPECT_EQ(QFontInfo(bold).styleName(), "Bold"); // not a regular face emboldened
        EmbeddedFontHandles[i].Reset();
        EXPECT_TRUE(QFontDatabase::styles(r.Family).isEmpty());
        ASSERT_TRUE(LoadEmbeddedFont(r.Family, EmbeddedFontHandles[i], r.Id));
        EXPECT_EQ(QFontDatabase::styles(r.Family), QStringList({"Regular", "Bold"}));
    }
}

TEST_F(FontRegistration, PositiveHeightIsTheCellHeight)
{
    struct Case {
        const char* family;
        int height;
    };
    const Case cases[] = {{"Kavdiag", 10},
                          {"Kavdiag", 49},
                          {"Kavdiag", 120},
                          {"Velmora Diagram", 32},
                          {"VelmoraChess Swiss", 20},
                          {"VelmoraChess Times", 37}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.family) + " " + std::to_string(c.height));
        LogFont lf;
        lf.lfHeight = c.height;
        lf.lfFaceName = c.family;
        lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
        const QFont font = CreateFontIndirect(lf);
        const QFontMetricsF m(font);
        EXPECT_NEAR(m.ascent() + m.descent(), c.height, 1.0);
    }
    // The board and diagram fonts have ascent + descent = em: the cell height
    // is the pixel size itself.
    LogFont lf;
    lf.lfHeight = 49;
    lf.lfFaceName = "Kavdiag";
    EXPECT_EQ(CreateFontIndirect(lf).pixelSize(), 49);
}

TEST_F(FontRegistration, NegativeHeightIsTheEmAndOtherFieldsMap)
{
    LogFont lf;
    lf.lfHeight = -30;
    lf.lfWeight = FW_BOLD;
    lf.lfItalic = true;
    lf.lfQuality = NONANTIALIASED_QUALITY;
    lf.lfFaceName = "VelmoraChess Swiss";
    const QFont font = CreateFontIndirect(lf);
    EXPECT_EQ(font.pixelSize(), 30);
    EXPECT_EQ(font.weight(), QFont::Bold);
    EXPECT_TRUE(font.italic());
    EXPECT_TRUE(font.styleStrategy() & QFont::NoAntialias);
    EXPECT_FALSE(font.styleStrategy() & QFont::NoFontMerging);

    LogFont board;
    board.lfHeight = 22;
    board.lfWeight = 550;
    board.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    board.lfQuality = ANTIALIASED_QUALITY;
    board.lfFaceName = "Kavdiag";
    const QFont piece = CreateFontIndirect(board);
    EXPECT_EQ(piece.weight(), 550);
    EXPECT_TRUE(piece.styleStrategy() & QFont::NoFontMerging);
    EXPECT_TRUE(piece.styleStrategy() & QFont::PreferAntialias);
    EXPECT_EQ(piece.hintingPreference(), QFont::PreferNoHinting);
}

TEST(FontResources, PathsOfTheFourResourceIds)
{
    EXPECT_EQ(EmbeddedFontPath(101), ":/fonts/Kavdiag.ttf");
    EXPECT_EQ(EmbeddedFontPath(102), ":/fonts/VelmoraChessSwiss.ttf");
    EXPECT_EQ(EmbeddedFontPath(103), ":/fonts/VelmoraChessTimes.ttf");
    EXPECT_EQ(EmbeddedFontPath(104), ":/fonts/VelmoraDiagram.ttf");
    EXPECT_TRUE(EmbeddedFontPath(105).isEmpty());
    for (const EmbeddedFontResource& r : EmbeddedFontResources)
        EXPECT_FALSE(EmbeddedFontData(r.Path).isEmpty()) << r.Path;
}

} // namespace
