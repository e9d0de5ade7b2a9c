#include "RtfTestSupport.h"

#include "app/OptionValues.h"
#include "database/RtfBuffer.h"
#include "database/RtfProlog.h"
#include "rules/Board.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr std::string_view FontTablePart =
    "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1038{\\fonttbl{\\f0\\fswiss\\fcharset0 VelmoraChess "
    "Swiss;}{\\f1\\froman\\fcharset0 VelmoraChess Times;}{\\f2\\fswiss\\fcharset0 FigurineCB "
    "AriesSP;}{\\f3\\froman\\fcharset0 FigurineCB TimeSP;}{\\f4\\froman\\fcharset0 FigurineCB "
    "LetterSP;}{\\f5\\fswiss\\fprq2\\fcharset2 Velmora Diagram;}}\r\n{\\colortbl;";
constexpr std::string_view DefaultColors =
    "\\red181\\green172\\blue13;\\red77\\green112\\blue253;\\red0\\green157\\blue0;"
    "\\red175\\green0\\blue251;\\red225\\green0\\blue0;\\red80\\green40\\blue2;";

TEST(RtfProlog, EveryFontAndSize)
{
    const char* sizes[] = {"24", "28", "32"};
    for (int font = 0; font <= 4; ++font) {
        for (int size = 0; size <= 2; ++size) {
            SCOPED_TRACE("font " + std::to_string(font) + " size " + std::to_string(size));
            RestoreFirstRunOptions();
            MoveFontType = font;
            MoveFontSize = size;
            ResetRtfBuffer();
            const RtfPos end = WriteRtfProlog(0);
            const std::string expected = std::string(FontTablePart) + std::string(DefaultColors) +
                                         "}\r\n\\viewkind4\\uc1\\qj\\b\\f" + std::to_string(font) +
                                         "\\fs" + sizes[size] + " ";
            EXPECT_EQ(std::string(RtfTextFrom(0)), expected);
            EXPECT_EQ(end, expected.size());
            EXPECT_EQ(RtfBuffer[end], '\0');
        }
    }
    RestoreFirstRunOptions();
}

TEST(RtfProlog, ColorTableFollowsPalette)
{
    RestoreFirstRunOptions();
    PieceLabels[0][4].Contour = 0x000000;  // knight
    BuildRtfColorTable();
    ResetRtfBuffer();
    WriteRtfProlog(0);
    EXPECT_NE(std::string(RtfTextFrom(0)).find("{\\colortbl;\\red0\\green0\\blue0;\\red77"),
              std::string::npos);
    RestoreFirstRunOptions();
}

TEST(RtfSizes, ByMoveFontSize)
{
    struct Row {
        int size;
        std::string_view base, players, variation, diagram;
    } rows[] = {{0, "24", "26", "21", "40"}, {1, "28", "30", "24", "48"}, {2, "32", "34", "27", "56"}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.size);
        const RtfSizes& s = RtfSizesFor(r.size);
        EXPECT_EQ(s.Base, r.base);
        EXPECT_EQ(s.Players, r.players);
        EXPECT_EQ(s.Variation, r.variation);
        EXPECT_EQ(s.Diagram, r.diagram);
    }
}

class RtfBufferTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        RtfBufferMaxSize = std::size_t{256} << 20;
        ResetRtfBuffer();
    }
};

TEST_F(RtfBufferTest, LimitKeepsSlack)
{
    ResetRtfBuffer();
    EXPECT_EQ(RtfBufferSize(), 60000u);
    EXPECT_EQ(RtfBufferLimit(), 60000u - 384u);
}

TEST_F(RtfBufferTest, ReserveGrowsInStepsAndKeepsContent)
{
    ResetRtfBuffer();
    PutRtf(0, "abc");
    EXPECT_TRUE(ReserveRtfRoom(59000, 100));
    EXPECT_EQ(RtfBufferSize(), 60000u);  // 59100 is below the limit
    EXPECT_TRUE(ReserveRtfRoom(59000, 1000));
    EXPECT_EQ(RtfBufferSize(), 120000u);
    EXPECT_TRUE(ReserveRtfRoom(100, 200000));
    EXPECT_EQ(RtfBufferSize(), 240000u);
    EXPECT_GE(RtfBufferLimit(), 200100u);
    EXPECT_EQ(RtfTextFrom(0), "abc");
}

TEST_F(RtfBufferTest, RefusesPastTheMaximumAndNeverWritesPastTheEnd)
{
    ResetRtfBuffer(1000);
    RtfBufferMaxSize = 1000;
    EXPECT_FALSE(ReserveRtfRoom(600, 100));
    const std::string big(2000, 'x');
    const RtfPos end = PutRtf(10, big);
    EXPECT_EQ(end, 1000u);
    EXPECT_EQ(RtfBufferSize(), 1000u);
    EXPECT_EQ(PutRtf(end, "more"), end);
}

TEST_F(RtfBufferTest, WritesGrowWhenNeeded)
{
    ResetRtfBuffer(1000);
    const std::string big(5000, 'y');
    EXPECT_EQ(PutRtf(10, big), 5010u);
    EXPECT_GE(RtfBufferSize(), 5010u + 384u);
}

TEST_F(RtfBufferTest, NumbersCountedOrNot)
{
    struct Row {
        const char* name;
        int number;
        bool counted;
        std::string_view text;
        int shown;
    } rows[] = {
        {"zero", 0, true, "0", 1},
        {"table end", 400, true, "400", 3},
        {"past the table", 401, true, "401", 3},
        {"large", 123456, true, "123456", 6},
        {"not counted", 57, false, "57", 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        InitGameStore();
        ResetRtfBuffer();
        RtfTextPos = 0;
        const RtfPos end = PutRtfNumber(0, r.number, r.counted);
        EXPECT_EQ(std::string_view(RtfBuffer.data(), end), r.text);
        EXPECT_EQ(RtfTextPos, r.shown);
    }
}

} // namespace
