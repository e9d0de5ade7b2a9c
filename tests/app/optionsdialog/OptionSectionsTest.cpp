// The option sections without the dialog: what a hand-edited value reads as.
#include "app/OptionSections.h"
#include "app/SettingsFile.h"
#include "platform/IniFile.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

TMemIniFile IniWith(const std::string& text)
{
    TMemIniFile ini{QString()};
    ini.SetText(text);
    return ini;
}

struct ReadRow {
    const char* Text; // one hand-edited file
    std::function<long long(const StoredOptions&)> Field;
    long long Expected;
};

TEST(OptionSections, AHandEditedValueReadsAsItsDefaultWhenUnusable)
{
    using O = StoredOptions;
    const ReadRow rows[] = {
        {"[Board]\nSliding=4", [](const O& o) { return o.Sliding; }, 2},
        {"[Board]\nSliding=-1", [](const O& o) { return o.Sliding; }, 2},
        {"[board]\nsliding = 1 ", [](const O& o) { return o.Sliding; }, 1},
        {"[Board]\nLightContrast=200", [](const O& o) { return o.LightContrast; }, 90},
        {"[Board]\nLightContrast=-5", [](const O& o) { return o.LightContrast; }, 0},
        {"[Board]\nLightContrast=2.5", [](const O& o) { return o.LightContrast; }, 61},
        {"[Board]\nSize=2000000000", [](const O& o) { return o.Size; }, 68},
        {"[Board]\nSize=99999999999", [](const O& o) { return o.Size; }, 68},
        {"[Board]\nPieceSize=0", [](const O& o) { return o.PieceSize; }, 91},
        {"[Board]\nDarkSquare=16777216", [](const O& o) { return o.DarkSquare; }, 0xA4A4A4},
        {"[Board]\nDarkSquare=-1", [](const O& o) { return o.DarkSquare; }, 0xA4A4A4},
        {"[Board]\nLightPiece=0x10", [](const O& o) { return o.LightPiece; }, 0x064053},
        {"[Board]\nLightSquare=16777215", [](const O& o) { return o.LightSquare; }, 0xFFFFFF},
        {"[Board]\nCoords=off", [](const O& o) { return o.Coords; }, 1},
        {"[Board]\nShadow=2", [](const O& o) { return o.Shadow; }, 1},
        {"[MoveList]\nPieceLetters=5", [](const O& o) { return o.PieceLetters; }, 0},
        {"[MoveList]\nDefaultMove=41", [](const O& o) { return o.DefaultMove; }, 41},
        {"[MoveList]\nDefaultMove=42", [](const O& o) { return o.DefaultMove; }, 2},
        {"[MoveList]\nFontSize=9", [](const O& o) { return o.FontSize; }, 2},
        {"[MoveList]\nFontSize=-1", [](const O& o) { return o.FontSize; }, 1},
        {"[MoveList]\nFontType=3", [](const O& o) { return o.FontType; }, 3},
        {"[MoveList]\nFontType=7", [](const O& o) { return o.FontType; }, 4},
        {"[MoveList]\nFigurin=", [](const O& o) { return o.Figurin; }, 1},
        {"[Velmora]\nKnight1Inner=abc", [](const O& o) { return o.Palette[1][4].Inner; }, 0x00DDDD},
        {"[Board]\n[Velmora]\nKing0Contour=1", [](const O& o) { return o.Palette[0][0].Contour; },
         1},
        {"[Velmora]\n[Board]\nKing0Contour=1", [](const O& o) { return o.Palette[0][0].Contour; },
         0x0000E1},
        {"\x01\x02garbage\n[MoveList\nFontSize=0", [](const O& o) { return o.FontSize; }, 1},
    };
    EXPECT_EQ(DefaultStoredOptions().Palette, VelmoraDefaultColors);
    for (const ReadRow& row : rows) {
        SCOPED_TRACE(row.Text);
        EXPECT_EQ(row.Field(ReadOptionSections(IniWith(row.Text))), row.Expected);
    }
}

} // namespace
