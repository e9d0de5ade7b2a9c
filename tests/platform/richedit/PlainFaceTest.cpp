// The notation fonts draw a chess glyph also at each glyph byte's cp1252 code
// point, for other programs; in the program's own views a text character
// there is drawn as text, in the plain family of its font: in the move list
// (the RTF reader) and in the grids (the canvas).
#include "platform/Canvas.h"
#include "platform/GameText.h"
#include "platform/RtfReader.h"

#include "tests/platform/richedit/TextFonts.h"
#include "tests/support/TestApp.h"

#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

// The family of the character at pos of a document read from rtf.
QString FamilyAt(const std::string& rtf, int pos)
{
    QTextDocument doc;
    ReadRtf(rtf, doc);
    QTextCursor cursor(&doc);
    cursor.setPosition(pos + 1);
    return cursor.charFormat().fontFamilies().toStringList().value(0);
}

QImage GridText(const QString& text)
{
    QImage image(60, 30, QImage::Format_RGB32);
    TCanvas canvas;
    canvas.Begin(&image);
    canvas.Font.SetName("VelmoraChess Swiss");
    canvas.Font.SetHeight(-20);
    canvas.Brush.Color = clWhite;
    canvas.TextRect(TRect{0, 0, 60, 30}, 4, 2, text);
    canvas.End();
    return image;
}

TEST(PlainFace, TextAtAGlyphTwinIsNeverDrawnAsTheGlyph)
{
    TestApp();
    ASSERT_TRUE(UseTextFonts());
    // Move list: \uN text in a notation font, next to the notation's own byte.
    const std::string rtf =
        "{\\rtf1{\\fonttbl{\\f0\\fcharset0 VelmoraChess Times;}}\\f0 \\u8217?\\'92}";
    EXPECT_EQ(FamilyAt(rtf, 0), PlainSerifFamily);
    EXPECT_EQ(FamilyAt(rtf, 1), "VelmoraChess Times");
    // Grids: a file's name in the notation font.
    for (int b = 0; b < 0x100; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        const QChar twin(Cp1252ToUnicode(byte));
        // Plus-minus, one half and times are their own symbols.
        if (IsNotationGlyphByte(byte) && !QStringView(u"\u00B1\u00BD\u00D7").contains(twin)) {
            EXPECT_NE(GridText(twin), GridText(QChar(NotationGlyphBase + byte))) << b;
        }
    }
}

} // namespace
