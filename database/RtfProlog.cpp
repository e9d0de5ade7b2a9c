#include "database/RtfProlog.h"

#include "app/OptionValues.h"
#include "database/RtfText.h"
#include "platform/GameText.h"

#include <array>

namespace {

constexpr std::array<RtfSizes, 3> SizeTable{{
    {"24", "26", "21", "40"},
    {"28", "30", "24", "48"},
    {"32", "34", "27", "56"},
}};

constexpr std::string_view FontTable = "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1038{\\fonttbl"
                                       "{\\f0\\fswiss\\fcharset0 VelmoraChess Swiss;}"
                                       "{\\f1\\froman\\fcharset0 VelmoraChess Times;}"
                                       "{\\f2\\fswiss\\fcharset0 FigurineCB AriesSP;}"
                                       "{\\f3\\froman\\fcharset0 FigurineCB TimeSP;}"
                                       "{\\f4\\froman\\fcharset0 FigurineCB LetterSP;}"
                                       "{\\f5\\fswiss\\fprq2\\fcharset2 Velmora Diagram;}";
constexpr std::string_view ColorTable = "}\r\n{\\colortbl;";

} // namespace

const RtfSizes& RtfSizesFor(int moveFontSize)
{
    return SizeTable[moveFontSize >= 0 && moveFontSize <= 2 ? moveFontSize : 1];
}

RtfPos WriteRtfProlog(RtfPos pos)
{
    const int font = MoveFontType >= 0 && MoveFontType <= 4 ? MoveFontType : 0;
    pos = PutRtf(pos, FontTable);
    // The plain text font, last: the text characters the notation fonts
    // would draw as chess glyphs are written in it (see RtfText.h).
    const bool serif = font == 1 || font == 3 || font == 4;
    pos = PutRtf(pos, "{");
    pos = PutRtf(pos, RtfPlainTextFont);
    pos = PutRtf(pos, serif ? "\\froman\\fcharset0 " : "\\fswiss\\fcharset0 ");
    pos = PutRtf(pos, serif ? PlainSerifFamily : PlainSansFamily);
    pos = PutRtf(pos, ";}");
    pos = PutRtf(pos, ColorTable);
    pos = PutRtf(pos, std::string_view(RtfColorTable.data()));
    pos = PutRtf(pos, "}\r\n\\viewkind4\\uc1\\qj\\b\\f");
    pos = PutRtfByte(pos, static_cast<char>('0' + font));
    pos = PutRtf(pos, "\\fs");
    pos = PutRtf(pos, RtfSizesFor(MoveFontSize).Base);
    pos = PutRtf(pos, " ");
    PutRtfByte(pos, '\0');
    return pos;
}
