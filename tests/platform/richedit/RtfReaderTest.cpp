#include "platform/RtfReader.h"

#include "tests/support/TestApp.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

// The prolog as the notation writer writes it.
const std::string Prolog =
    "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1038{\\fonttbl{\\f0\\fswiss\\fcharset0 VelmoraChess "
    "Swiss;}"
    "{\\f1\\froman\\fcharset0 VelmoraChess Times;}{\\f2\\fswiss\\fcharset0 FigurineCB AriesSP;}"
    "{\\f3\\froman\\fcharset0 FigurineCB TimeSP;}{\\f4\\froman\\fcharset0 FigurineCB LetterSP;}"
    "{\\f5\\fswiss\\fprq2\\fcharset2 Velmora Diagram;}}\r\n"
    "{\\colortbl;\\red181\\green172\\blue13;\\red77\\green112\\blue253;\\red0\\green157\\blue0;"
    "\\red175\\green0\\blue251;\\red225\\green0\\blue0;\\red80\\green40\\blue2;}\r\n"
    "\\viewkind4\\uc1\\qj\\b\\f0\\fs28 ";

std::string Doc(const std::string& body)
{
    return Prolog + body + "}";
}

// Block texts joined by "\n", every character as stored.
QString Text(const QTextDocument& doc)
{
    QStringList blocks;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        blocks << b.text();
    return blocks.join('\n');
}

QString Read(const std::string& rtf)
{
    TestApp();
    QTextDocument doc;
    ReadRtf(rtf, doc);
    return Text(doc);
}

// The character format of the character at pos.
QTextCharFormat FormatAt(QTextDocument& doc, int pos)
{
    QTextCursor c(&doc);
    c.setPosition(pos);
    c.setPosition(pos + 1, QTextCursor::KeepAnchor);
    return c.charFormat();
}

struct TextCase {
    const char* name;
    std::string body;
    QString text;
    friend void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }
};

class RtfReaderText : public testing::TestWithParam<TextCase> {};

TEST_P(RtfReaderText, ShownText)
{
    EXPECT_EQ(Read(Doc(GetParam().body)), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Delimiters, RtfReaderText,
                         testing::Values(TextCase{"BlankEndsControlWord", "\\cf1 N", "N"},
                                         TextCase{"OnlyOneBlankIsEaten", "\\b  x", " x"},
                                         TextCase{"PunctuationEndsControlWord", "\\li280!", "!"},
                                         TextCase{"NegativeNumber", "\\li-130 a", "a"},
                                         TextCase{"DigitsAfterBlankAreText", "\\fs24 12", "12"},
                                         TextCase{"ParIsABlockBreak", "a\\par b\\par", "a\nb\n"},
                                         TextCase{"ParWithoutBlank", "a\\par\\par}", "a\n\n"},
                                         TextCase{"RawLineBreaksAreNotText", "a\r\nb\n", "ab"},
                                         TextCase{"BackslashNewlineIsPar", "a\\\nb", "a\nb"},
                                         TextCase{"NulEndsTheDocument", std::string("ab\0cd", 5),
                                                  "ab"},
                                         TextCase{"CloseOfDocumentGroupEnds", "a}b", "a"},
                                         TextCase{"TabAndLine", "a\\tab b\\line c",
                                                  QString("a\tb") + QChar(0x2028) + "c"}),
                         [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Escapes, RtfReaderText,
    testing::Values(TextCase{"Backslash", "a\\\\b", "a\\b"}, TextCase{"Braces", "\\{x\\}", "{x}"},
                    TextCase{"NonBreakingHyphen", "0\\_0\\_0",
                             QString("0") + QChar(0x2011) + "0" + QChar(0x2011) + "0"},
                    TextCase{"NonBreakingSpace", "a\\~b", QString("a") + QChar(0xA0) + "b"},
                    TextCase{"HexFigurine", "\\'a4f3", QString(QChar(0xF0A4)) + "f3"},
                    TextCase{"HexUpperCase", "\\'A2", QString(QChar(0xF0A2))},
                    TextCase{"BadHexIsDropped", "a\\'zzb", "azzb"},
                    TextCase{"HexAtTheEnd", "a\\'a", "aa"},
                    TextCase{"UnicodeSkipsItsFallback", "\\u8364?x", QString(QChar(0x20AC)) + "x"},
                    TextCase{"UnicodeNegative", "\\uc0\\u-4064 x", QString(QChar(0xF020)) + "x"},
                    TextCase{"UnicodeParagraphSeparatorStaysOneCharacter", "\\uc0\\u8233 x",
                             QString(QChar(0x2028)) + "x"},
                    TextCase{"UnknownSymbolIsDropped", "a\\|b", "ab"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Charsets, RtfReaderText,
    testing::Values(TextCase{"Cp1252EnDash", "a \\'96 b", QString("a ") + QChar(0x2013) + " b"},
                    TextCase{"Cp1252RawByte", "\x96\xe9", QString(QChar(0x2013)) + QChar(0xE9)},
                    TextCase{"Cp1252Caron", "\\'8a", QString(QChar(0x160))},
                    TextCase{"SymbolFontIsByteForByte", "\\f5 \\'96\\'85X",
                             QString(QChar(0x96)) + QChar(0x85) + "X"},
                    // The program's glyph bytes in the notation fonts; text as \uN stays text.
                    TextCase{"GlyphBytesInNotationFonts", "\\'ad{\\f2 \\'ad}~\\'bd\x85",
                             QString(QChar(0xF0AD)) + QChar(0xF0AD) + QChar(0xF07E) +
                                 QChar(0xF0BD) + QChar(0xF085)},
                    TextCase{"UnicodeTextInNotationFonts", "\\u8217?\\u126?\\u162?\\u1050?",
                             QString(QChar(0x2019)) + "~" + QChar(0xA2) + QChar(0x41A)},
                    TextCase{"GlyphBytesOutsideNotationFonts", "{\\f5 ~\\'a2}",
                             QString("~") + QChar(0xA2)},
                    TextCase{"FontSwitchBackInGroup", "{\\f5 \\'96}\\'96",
                             QString(QChar(0x96)) + QChar(0x2013)}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Destinations, RtfReaderText,
    testing::Values(TextCase{"StarGroup", "a{\\*\\unknown hidden {deeper}}b", "ab"},
                    TextCase{"Stylesheet", "{\\stylesheet{\\s0 Normal;}}a", "a"},
                    TextCase{"Info", "{\\info{\\title T}{\\author A}}a", "a"},
                    TextCase{"Picture", "{\\pict\\wmetafile8 0123abcdef}a", "a"},
                    TextCase{"BinaryDataIsSkipped", "a{\\pict\\bin4 }{}}}b", "ab"},
                    TextCase{"FieldInstructionHiddenResultShown",
                             "{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt shown}}", "shown"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RtfReader, MoveGlyphBytesAreReadAtPrivateTwinsOnlyInNotationFonts)
{
    // Figurines, the "with the idea" sign, the plus-minus and 0xAD symbols.
    const std::string bytes = "\\'85\\'a2\\'a3\\'a4\\'a5\\'a6\\'a7\\'b1\\'ad";
    const QString cp1252 = QString::fromUtf16(u"\u2026\u00A2\u00A3\u00A4\u00A5\u00A6\u00A7\u00B1");
    const QString twins = QString::fromUtf16(u"\uF085\uF0A2\uF0A3\uF0A4\uF0A5\uF0A6\uF0A7\uF0B1");
    const QString shown =
        Read("{\\rtf1{\\fonttbl{\\f0\\fcharset0 VelmoraChess Times;}{\\f1\\fcharset0 "
             "FigurineCB LetterSP;}{\\f2\\fcharset0 Plain;}}" +
             bytes + "{\\f1 " + bytes + "}{\\f2 " + bytes + "}}");
    EXPECT_EQ(shown, twins + QChar(0xF0AD) + twins + QChar(0xF0AD) + cp1252 + QChar(0xAD));
    EXPECT_EQ(RtfPlainText(shown),
              cp1252 + QChar(0xAD) + cp1252 + QChar(0xAD) + cp1252 + QChar(0xAD));
}

TEST(RtfReader, PrologShowsNothing)
{
    TestApp();
    QTextDocument doc;
    EXPECT_TRUE(ReadRtf(Doc(""), doc));
    EXPECT_EQ(Text(doc), "");
    EXPECT_EQ(doc.blockCount(), 1);
}

TEST(RtfReader, CharsetPerFontTable)
{
    // A font with charset 238 reads cp1250; a font without charset the
    // document's \ansicpg, and so does a font number the table lacks.
    const std::string rtf = "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fcharset0 "
                            "A;}{\\f1\\fcharset238 B;}{\\f2 C;}}"
                            "\\'b3{\\f1 \\'b3}{\\f2 \\'b3}{\\f9 \\'b3}}";
    EXPECT_EQ(Read(rtf), QString(QChar(0xB3)) + QChar(0x142) + QChar(0x142) + QChar(0x142));
}

TEST(RtfReader, SoftHyphenStaysInOtherFonts)
{
    EXPECT_EQ(Read("{\\rtf1\\deff0{\\fonttbl{\\f0\\fcharset0 Arial;}}\\'ad}"),
              QString(QChar(0xAD)));
}

TEST(RtfReader, CharacterPropertiesAreRestoredAtGroupEnd)
{
    TestApp();
    QTextDocument doc;
    ReadRtf(Doc("\\b0 a{\\b\\i\\cf1\\f1\\fs40 b}c"), doc);
    ASSERT_EQ(Text(doc), "abc");
    const QTextCharFormat inner = FormatAt(doc, 1);
    EXPECT_EQ(inner.fontWeight(), QFont::Bold);
    EXPECT_TRUE(inner.fontItalic());
    EXPECT_EQ(inner.foreground().color(), QColor(181, 172, 13));
    EXPECT_EQ(inner.fontFamilies().toStringList().value(0), "VelmoraChess Times");
    EXPECT_DOUBLE_EQ(inner.fontPointSize(), 20.0);
    for (int pos : {0, 2}) {
        const QTextCharFormat outer = FormatAt(doc, pos);
        EXPECT_EQ(outer.fontWeight(), QFont::Normal) << pos;
        EXPECT_FALSE(outer.fontItalic()) << pos;
        EXPECT_FALSE(outer.hasProperty(QTextFormat::ForegroundBrush)) << pos;
        EXPECT_EQ(outer.fontFamilies().toStringList().value(0), "VelmoraChess Swiss") << pos;
        EXPECT_DOUBLE_EQ(outer.fontPointSize(), 14.0) << pos;
    }
}

TEST(RtfReader, ColoursComeFromTheColourTable)
{
    TestApp();
    QTextDocument doc;
    ReadRtf(Doc("{\\cf6 a}{\\cf5 b}{\\cf0 c}{\\cf99 d}"), doc);
    EXPECT_EQ(FormatAt(doc, 0).foreground().color(), QColor(80, 40, 2));
    EXPECT_EQ(FormatAt(doc, 1).foreground().color(), QColor(225, 0, 0));
    EXPECT_FALSE(FormatAt(doc, 2).hasProperty(QTextFormat::ForegroundBrush)); // automatic
    EXPECT_FALSE(FormatAt(doc, 3).hasProperty(QTextFormat::ForegroundBrush)); // no such entry
}

TEST(RtfReader, FigurineFontsFallBackToOwnFonts)
{
    EXPECT_EQ(RtfFontFamilies("FigurineCB AriesSP"),
              QStringList({"FigurineCB AriesSP", "VelmoraChess Swiss"}));
    EXPECT_EQ(RtfFontFamilies("FigurineCB TimeSP"),
              QStringList({"FigurineCB TimeSP", "VelmoraChess Times"}));
    EXPECT_EQ(RtfFontFamilies("FigurineCB LetterSP"),
              QStringList({"FigurineCB LetterSP", "VelmoraChess Times"}));
    EXPECT_EQ(RtfFontFamilies("Velmora Diagram"), QStringList({"Velmora Diagram"}));

    TestApp();
    QTextDocument doc;
    ReadRtf(Doc("\\f2 a\\f5 b"), doc);
    EXPECT_EQ(FormatAt(doc, 0).fontFamilies().toStringList(),
              RtfFontFamilies("FigurineCB AriesSP"));
    EXPECT_EQ(FormatAt(doc, 1).fontFamilies().toStringList(), QStringList({"Velmora Diagram"}));
}

TEST(RtfReader, ParagraphTakesPropertiesInEffectAtItsBreak)
{
    TestApp();
    QTextDocument doc;
    // twips at 144 dpi: 10 twips a pixel.
    ReadRtf(
        Doc("\\pard\\sa22\\sb18\\li130 a\\par {\\li280\\qc b\\par}c\\li10\\sb30\\sa200 \\par d"),
        doc, 144.0);
    ASSERT_EQ(Text(doc), "a\nb\nc\nd");
    const QTextBlockFormat a = doc.findBlockByNumber(0).blockFormat();
    EXPECT_DOUBLE_EQ(a.leftMargin(), 13.0);
    EXPECT_DOUBLE_EQ(a.topMargin(), 1.8);
    EXPECT_DOUBLE_EQ(a.bottomMargin(), 2.2);
    EXPECT_EQ(a.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    const QTextBlockFormat b = doc.findBlockByNumber(1).blockFormat();
    EXPECT_DOUBLE_EQ(b.leftMargin(), 28.0);
    EXPECT_EQ(b.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    // The group restored \li130 and left alignment; then c's own settings at its \par.
    const QTextBlockFormat c = doc.findBlockByNumber(2).blockFormat();
    EXPECT_DOUBLE_EQ(c.leftMargin(), 1.0);
    EXPECT_DOUBLE_EQ(c.topMargin(), 3.0);
    EXPECT_DOUBLE_EQ(c.bottomMargin(), 20.0);
    EXPECT_EQ(c.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    // The paragraph the document ends in keeps what is in effect there.
    EXPECT_DOUBLE_EQ(doc.findBlockByNumber(3).blockFormat().leftMargin(), 1.0);
}

TEST(RtfReader, PardResetsAndPrologJustifies)
{
    TestApp();
    QTextDocument doc;
    ReadRtf(Doc("a\\par\\li130\\keepn b\\par\\pard c"), doc);
    EXPECT_EQ(doc.findBlockByNumber(0).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignJustify);
    EXPECT_TRUE(doc.findBlockByNumber(1).blockFormat().boolProperty(RtfKeepWithNextProperty));
    const QTextBlockFormat c = doc.findBlockByNumber(2).blockFormat();
    EXPECT_DOUBLE_EQ(c.leftMargin(), 0.0);
    EXPECT_FALSE(c.boolProperty(RtfKeepWithNextProperty));
    EXPECT_EQ(c.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
}

TEST(RtfReader, PlainResetsCharacterFormat)
{
    TestApp();
    QTextDocument doc;
    ReadRtf(Doc("\\i\\fs40 a\\plain b"), doc);
    EXPECT_TRUE(FormatAt(doc, 0).fontItalic());
    EXPECT_FALSE(FormatAt(doc, 1).fontItalic());
    EXPECT_EQ(FormatAt(doc, 1).fontWeight(), QFont::Normal);
    EXPECT_DOUBLE_EQ(FormatAt(doc, 1).fontPointSize(), 12.0);
}

struct GarbageCase {
    const char* name;
    std::string rtf;
    friend void PrintTo(const GarbageCase& c, std::ostream* os) { *os << c.name; }
};

class RtfReaderGarbage : public testing::TestWithParam<GarbageCase> {};

TEST_P(RtfReaderGarbage, ReadsWithoutHarm)
{
    TestApp();
    QTextDocument doc;
    ReadRtf(GetParam().rtf, doc);
    EXPECT_GE(doc.blockCount(), 1);
}

std::string Repeat(const std::string& s, int n)
{
    std::string out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RtfReaderGarbage,
    testing::Values(
        GarbageCase{"Empty", ""}, GarbageCase{"OnlyOpenBraces", Repeat("{", 100000)},
        GarbageCase{"OnlyCloseBraces", Repeat("}", 1000)},
        GarbageCase{"HugeNumbers", "{\\rtf1\\fs99999999999999999999 a\\li-99999999999999 "
                                   "b\\f999999999 c\\cf-5 d\\uc99999 \\u99999999 e}"},
        GarbageCase{"HugeBin", "{\\rtf1\\bin999999999999 abc}"},
        GarbageCase{"LongControlWord", "{\\rtf1\\" + std::string(100000, 'a') + " x}"},
        GarbageCase{"LongNumber", "{\\rtf1\\li" + std::string(100000, '9') + " x}"},
        GarbageCase{"TrailingBackslash", "{\\rtf1 a\\"},
        GarbageCase{"UnterminatedFontTable", "{\\rtf1{\\fonttbl{\\f0\\fcharset0 Name"},
        GarbageCase{"FontTableWithoutGroups",
                    "{\\rtf1{\\fonttbl\\f0\\fcharset238 A;\\f1 B;}\\f1 \\'b3}"},
        GarbageCase{"ColourTableOverflow",
                    "{\\rtf1{\\colortbl" + Repeat("\\red300\\green-1;", 5000) + "}\\cf4000 x}"},
        GarbageCase{"DeepNestingWithText", Repeat("{\\b x", 20000) + Repeat("}", 30000) + "y"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RtfReader, NoRtfHeaderIsReported)
{
    TestApp();
    QTextDocument doc;
    EXPECT_FALSE(ReadRtf("plain words", doc));
    EXPECT_EQ(Text(doc), "plain words");
    EXPECT_FALSE(ReadRtf("", doc));
}

TEST(RtfReader, RandomBytesNeverBreakTheDocument)
{
    TestApp();
    const std::string alphabet = "{}\\\\\\'a9 bfsparli0123456789-*;\r\n\x85\xad";
    std::mt19937 random(1234);
    QTextDocument doc;
    for (int round = 0; round < 500; ++round) {
        std::string rtf = round % 2 ? "{\\rtf1 " : "";
        const int length = static_cast<int>(random() % 400);
        for (int i = 0; i < length; ++i)
            rtf += alphabet[random() % alphabet.size()];
        ReadRtf(rtf, doc);
        // Every shown character is one document character: no block breaks
        // other than those of \par.
        int breaks = 0;
        for (std::size_t at = rtf.find("\\par"); at != std::string::npos;
             at = rtf.find("\\par", at + 1))
            ++breaks;
        for (char end : {'\n', '\r'})
            for (std::size_t at = rtf.find(std::string("\\") + end); at != std::string::npos;
                 at = rtf.find(std::string("\\") + end, at + 1))
                ++breaks;
        EXPECT_LE(doc.blockCount() - 1, breaks) << rtf;
    }
}

} // namespace
