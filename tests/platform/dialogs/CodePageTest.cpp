// The own code-page tables against the C library's converter.
#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <string>

namespace {

// The character iconv gives for one byte, or 0 when the byte is undefined.
char32_t IconvChar(const char* page, unsigned char byte)
{
    iconv_t cd = iconv_open("UTF-32LE", page);
    if (cd == reinterpret_cast<iconv_t>(-1)) return 0;
    char in[1] = {static_cast<char>(byte)};
    char32_t out = 0;
    char* src = in;
    char* dst = reinterpret_cast<char*>(&out);
    std::size_t inLeft = 1, outLeft = sizeof out;
    const std::size_t r = iconv(cd, &src, &inLeft, &dst, &outLeft);
    iconv_close(cd);
    return r == static_cast<std::size_t>(-1) ? 0 : out;
}

struct PageCase {
    const char* name;
    CodePage page;
    const char* iconvName;
    friend void PrintTo(const PageCase& c, std::ostream* os) { *os << c.name; }
};

class CodePageTable : public ::testing::TestWithParam<PageCase> {};

TEST_P(CodePageTable, EveryDefinedByteMatchesTheSystemConverter)
{
    const PageCase& c = GetParam();
    int compared = 0;
    for (int b = 0; b < 256; ++b) {
        const char32_t expected = IconvChar(c.iconvName, static_cast<unsigned char>(b));
        if (expected == 0 && b != 0) continue; // undefined in the system table
        EXPECT_EQ(static_cast<char32_t>(CodePageToUnicode(c.page, static_cast<unsigned char>(b))),
                  expected)
            << "byte " << b;
        ++compared;
    }
    EXPECT_GE(compared, 250);
}

TEST_P(CodePageTable, EncodeReversesDecode)
{
    const PageCase& c = GetParam();
    std::string all;
    for (int b = 1; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const QString text = DecodeCodePage(c.page, all);
    ASSERT_EQ(text.size(), 255);
    EXPECT_EQ(EncodeCodePage(c.page, text), all);
}

INSTANTIATE_TEST_SUITE_P(Pages, CodePageTable,
                         ::testing::Values(PageCase{"cp1252", CodePage::Cp1252, "CP1252"},
                                           PageCase{"cp1250", CodePage::Cp1250, "CP1250"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct SampleCase {
    const char* name;
    CodePage page;
    const char* bytes;
    const char* utf8;
    friend void PrintTo(const SampleCase& c, std::ostream* os) { *os << c.name; }
};

const SampleCase Samples[] = {
    {"cp1252_dash_and_ellipsis", CodePage::Cp1252, "a \x96 b\x85", "a \u2013 b\u2026"},
    {"cp1252_umlaut_and_half", CodePage::Cp1252, "M\xFCller \xBD", "M\u00FCller \u00BD"},
    {"cp1250_polish_name", CodePage::Cp1250, "\xA3\xF3\x9F", "\u0141\u00F3\u017A"},
    {"cp1250_czech_name", CodePage::Cp1250,
     "\x8A"
     "a\xE8\x9D"
     "ek",
     "\u0160a\u010D\u0165ek"},
};

class CodePageSamples : public ::testing::TestWithParam<SampleCase> {};

TEST_P(CodePageSamples, Decode)
{
    const SampleCase& c = GetParam();
    EXPECT_EQ(DecodeCodePage(c.page, c.bytes), QString::fromUtf8(c.utf8));
}

INSTANTIATE_TEST_SUITE_P(Pages, CodePageSamples, ::testing::ValuesIn(Samples),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CodePageEncode, CharacterOutsideThePageBecomesQuestionMark)
{
    EXPECT_EQ(EncodeCp1252(QString::fromUtf8("e4\u2654x")), "e4?x");
    EXPECT_EQ(EncodeCodePage(CodePage::Cp1250, QString::fromUtf8("\u00FF")), "?");
}

// Edited game text gives bytes that read back as the same text.
TEST(GameTextEncode, ReadsBackAsTheSameTextPreferringCp1252)
{
    const std::pair<const char*, std::string> cases[] = {
        {"Ding Liren", "Ding Liren"},
        {"O\u2019Kelly", "O\x92Kelly"},
        {"\u00DEorhallsson \u017E\u00A9", "\xDEorhallsson \x9E\xA9"},
        {"\u041A\u0430\u0440\u043F\u043E\u0432",
         "\xD0\x9A\xD0\xB0\xD1\x80\xD0\xBF\xD0\xBE\xD0\xB2"},
        {"\u00C3\u00A9", "\xC3\x83\xC2\xA9"}, // its cp1252 bytes would read as UTF-8
        {"\U0001F600 ok", "\xF0\x9F\x98\x80 ok"},
    };
    for (const auto& [utf8, bytes] : cases) {
        const QString text = QString::fromUtf8(utf8);
        EXPECT_EQ(EncodeGameText(text), bytes) << utf8;
        EXPECT_EQ(DecodeGameText(EncodeGameText(text)), text) << utf8;
        // Upper case keys of the game list's sort stay readable.
        EXPECT_EQ(DecodeGameText(EncodeGameText(text.toUpper())), text.toUpper()) << utf8;
    }
}

} // namespace
