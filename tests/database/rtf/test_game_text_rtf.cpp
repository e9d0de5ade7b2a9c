// A file's text in the notation document: read as UTF-8 or cp1252, and
// written so that no character of it lands on a glyph byte of the notation
// fonts: those characters go to the plain text font (read back through the
// rich edit in GameTextDocumentTest).
#include "database/MoveNotation.h"
#include "database/NagGlyphs.h"
#include "database/RtfText.h"
#include "platform/GameText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct DecodeCase {
    const char* Name;
    std::string Bytes;
    bool Utf8;
    std::u32string Chars;
};

TEST(GameText, ReadsValidUtf8AsUtf8AndEverythingElseAsCp1252)
{
    const DecodeCase cases[] = {
        {"ascii", "Ding Liren", false, U"Ding Liren"},
        {"cyrillic", "\xD0\x9A\xD0\xB0\xD1\x80\xD0\xBF\xD0\xBE\xD0\xB2", true,
         U"\u041A\u0430\u0440\u043F\u043E\u0432"},
        {"utf-8 closing quote", "O\xE2\x80\x99Kelly", true, U"O\u2019Kelly"},
        {"four-byte character", "\xF0\x9F\x98\x80", true, U"\U0001F600"},
        {"cp1252 closing quote", "O\x92Kelly", false, U"O\u2019Kelly"},
        {"cp1252 z caron", "Ko\x9Eul", false, U"Ko\u017Eul"},
        {"cp1252 thorn", "\xDEorhallsson", false, U"\u00DEorhallsson"},
        {"cp1252 copyright", "\xA9 1963", false, U"\u00A9 1963"},
        {"cp1252 figurine bytes", "\xA2\xA3\xA4\xA5\xA6\xA7\xF7", false,
         U"\u00A2\u00A3\u00A4\u00A5\u00A6\u00A7\u00F7"},
        {"overlong slash", "\xC0\xAF", false, U"\u00C0\u00AF"},
        {"surrogate", "\xED\xA0\x80", false, U"\u00ED\u00A0\u20AC"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", false, U"\u00F4\u0090\u20AC\u20AC"},
        {"cut sequence", "Caf\xC3", false, U"Caf\u00C3"},
        {"lone continuation", "a\x80", false, U"a\u20AC"},
        // The rule's one blind spot: cp1252 text that happens to be UTF-8.
        {"cp1252 that is valid utf-8", "\xC3\xA9", true, U"\u00E9"},
        // The fonts' glyph range is no text character.
        {"utf-8 of the glyph range", "\xEF\x82\xA2", true, U"\uFFFD"},
    };
    for (const DecodeCase& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(IsUtf8Text(c.Bytes), c.Utf8);
        EXPECT_EQ(GameTextChars(c.Bytes), c.Chars);
        // The UTF-8 form is read back as the same characters.
        const std::string utf8 = GameTextToUtf8(c.Bytes);
        EXPECT_EQ(GameTextChars(utf8), c.Chars);
    }
}

TEST(GameText, EveryHighByteTheProgramWritesAsAGlyphIsAGlyphByte)
{
    std::string written(FigurineChars.begin() + 1, FigurineChars.end());
    for (int nag = 1; nag <= NagGlyphCount; ++nag)
        written += NagGlyphText(nag);
    written += "~\xBD"; // check sign, one half of the result
    for (char c : written) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 || b == '~') {
            EXPECT_TRUE(IsNotationGlyphByte(b)) << static_cast<int>(b);
        }
    }
}

TEST(RtfGameText, BytesWhereTheyCarryNoGlyphPlainFontOrEscapesOtherwise)
{
    struct Case {
        const char* Name;
        std::string Text;
        std::string Rtf;
        int Shown;
    };
    const Case cases[] = {
        {"cp1252 letters stay bytes", "M\xFCller \x8A\xE9", "M\xFCller \x8A\xE9", 9},
        {"the same letters from utf-8", "M\xC3\xBCller \xC5\xA0\xC3\xA9", "M\xFCller \x8A\xE9", 9},
        {"braces and backslash", "{a}\\", "\\{a\\}\\\\", 4},
        {"control characters left out", "a\tb\x7F", "ab", 2},
        {"cyrillic", "\xD0\x9A\xD0\xB0", "\\u1050?\\u1072?", 2},
        {"above U+7FFF is negative", "\xEF\xBC\xA1", "\\u-223?", 1},
        {"beyond the BMP as a surrogate pair", "\xF0\x9F\x98\x80", "\\u-10179?\\u-8704?", 2},
        {"en dash is no glyph", "\x96", "\x96", 1},
        {"cp1252 on glyph bytes", "O\x92 ~\xA2", "O{\\f6\\'92} {\\f6\\'7e}{\\f6\\'a2}", 5},
        {"utf-8 on glyph bytes", "\xC5\xBE\xC2\xA9", "{\\f6\\'9e}{\\f6\\'a9}", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        std::string rtf;
        EXPECT_EQ(AppendRtfGameText(rtf, c.Text), c.Shown);
        EXPECT_EQ(rtf, c.Rtf);
    }
}

TEST(RtfGameText, NeverMoreThanTheBoundPerByte)
{
    // Every single byte as cp1252 text, and the longest escapes per byte of
    // UTF-8: two-byte characters, the top of the BMP, four-byte characters.
    std::vector<std::string> texts;
    for (int b = 0; b < 256; ++b)
        texts.emplace_back(1, static_cast<char>(b));
    for (char32_t c :
         {U'\u0080', U'\u07FF', U'\u0800', U'\u8000', U'\uFFFD', U'\U00010000', U'\U0010FFFF'}) {
        std::string utf8;
        AppendUtf8(utf8, c);
        texts.push_back(utf8);
    }
    for (const std::string& text : texts) {
        std::string rtf;
        AppendRtfGameText(rtf, text);
        EXPECT_LE(rtf.size(), RtfTextMaxBytesPerByte * text.size()) << rtf;
    }
}

} // namespace
