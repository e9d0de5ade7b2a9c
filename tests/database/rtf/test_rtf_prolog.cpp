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
    "LetterSP;}{\\f5\\fswiss\\fprq2\\fcharset2 Velmora Diagram;}";
// The plain text font, last, by the move text's font 0 to 4.
constexpr std::string_view PlainFontEntries[] = {
    "{\\f6\\fswiss\\fcharset0 DejaVu Sans;}", "{\\f6\\froman\\fcharset0 DejaVu Serif;}",
    "{\\f6\\fswiss\\fcharset0 DejaVu Sans;}", "{\\f6\\froman\\fcharset0 DejaVu Serif;}",
    "{\\f6\\froman\\fcharset0 DejaVu Serif;}"};
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
            const std::string expected = std::string(FontTablePart) +
                                         std::string(PlainFontEntries[font]) + "}\r\n{\\colortbl;" +
                                         std::string(DefaultColors) +
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
    PieceLabels[0][4].Contour = 0x000000; // knight
    BuildRtfColorTable();
    ResetRtfBuffer();
    WriteRtfProlog(0);
    EXPECT_NE(std::string(RtfTextFrom(0)).find("{\\colortbl;\\red0\\green0\\blue0;\\red77"),
              std::string::npos);
    RestoreFirstRunOptions();
}

} // namespace
