#include "platform/CodePage.h"

#include "platform/GameText.h"

#include <array>

namespace {

using UpperHalf = std::array<char16_t, 128>;

// 0x80..0xFF of Windows-1250.
constexpr UpperHalf Cp1250Upper = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160, 0x2039,
    0x015A, 0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141,
    0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB,
    0x013D, 0x02DD, 0x013E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3,
    0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB,
    0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

const UpperHalf& TableOf(CodePage page)
{
    return page == CodePage::Cp1250 ? Cp1250Upper : Cp1252UpperHalf;
}

} // namespace

char16_t CodePageToUnicode(CodePage page, unsigned char byte)
{
    return byte < 0x80 ? char16_t(byte) : TableOf(page)[byte - 0x80];
}

QString DecodeCodePage(CodePage page, std::string_view bytes)
{
    const UpperHalf& upper = TableOf(page);
    QString text;
    text.resize(static_cast<qsizetype>(bytes.size()));
    QChar* out = text.data();
    for (unsigned char b : bytes)
        *out++ = QChar(b < 0x80 ? char16_t(b) : upper[b - 0x80]);
    return text;
}

std::string EncodeCodePage(CodePage page, const QString& text)
{
    const UpperHalf& upper = TableOf(page);
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80) {
            bytes.push_back(static_cast<char>(u));
            continue;
        }
        char out = '?';
        for (int i = 0; i < 128; ++i) {
            if (upper[i] == u) {
                out = static_cast<char>(0x80 + i);
                break;
            }
        }
        bytes.push_back(out);
    }
    return bytes;
}

QString DecodeGameText(std::string_view bytes)
{
    bool ascii = true;
    for (char b : bytes)
        ascii = ascii && static_cast<unsigned char>(b) < 0x80;
    if (ascii) return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    const std::u32string chars = GameTextChars(bytes);
    return QString::fromUcs4(chars.data(), static_cast<qsizetype>(chars.size()));
}

QString DecodeNotationText(std::string_view bytes)
{
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text += IsNotationGlyphByte(b) ? QChar(static_cast<char16_t>(NotationGlyphBase + b))
                                       : QChar(Cp1252ToUnicode(b));
    }
    return text;
}

std::string EncodeGameText(const QString& text)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (QChar ch : text) {
        const std::optional<unsigned char> b = UnicodeToCp1252(ch.unicode());
        if (!b || ch.isSurrogate()) return text.toUtf8().toStdString();
        bytes.push_back(static_cast<char>(*b));
    }
    // Rare cp1252 texts ("\xC3\xA9") read as UTF-8; those are written as UTF-8.
    return IsUtf8Text(bytes) ? text.toUtf8().toStdString() : bytes;
}
