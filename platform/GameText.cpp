#include "platform/GameText.h"

#include <algorithm>

namespace {

// Length of the UTF-8 sequence at bytes[at] and its character; 0 when the
// bytes there are no valid sequence.
std::size_t Utf8Sequence(std::string_view bytes, std::size_t at, char32_t& c)
{
    const auto b0 = static_cast<unsigned char>(bytes[at]);
    if (b0 < 0x80) {
        c = b0;
        return 1;
    }
    std::size_t length = 0;
    char32_t min = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2, c = b0 & 0x1F, min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3, c = b0 & 0x0F, min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4, c = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (bytes.size() - at < length) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto b = static_cast<unsigned char>(bytes[at + k]);
        if ((b & 0xC0) != 0x80) return 0;
        c = (c << 6) | (b & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return length;
}

char32_t Shown(char32_t c)
{
    return c >= NotationGlyphBase && c <= NotationGlyphLast ? ReplacementChar : c;
}

// Bytes of the notation fonts' chess glyphs, as a 256-bit set.
constexpr std::array<bool, 256> GlyphBytes = [] {
    std::array<bool, 256> set{};
    constexpr unsigned char bytes[] = {
        0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7,                   // figurines
        0x7E, 0xBD,                                           // check sign, one half
        0x80, 0x82, 0x84, 0x85, 0x89, 0x91, 0x92, 0x99, 0x9E, // evaluation symbols
        0xA0, 0xA9, 0xAC, 0xAD, 0xAE, 0xAF, 0xB1, 0xB2, 0xB3, 0xB5, 0xB7, 0xB9, 0xD7, 0xDE, 0xF7};
    for (unsigned char b : bytes)
        set[b] = true;
    return set;
}();

} // namespace

constinit const std::array<char16_t, 128> Cp1252UpperHalf = [] {
    std::array<char16_t, 128> t{};
    constexpr char16_t c1[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    for (int i = 0; i < 32; ++i)
        t[i] = c1[i];
    for (int i = 32; i < 128; ++i)
        t[i] = static_cast<char16_t>(0x80 + i);
    return t;
}();

std::optional<unsigned char> UnicodeToCp1252(char32_t c)
{
    if (c < 0x80) return static_cast<unsigned char>(c);
    if (c >= 0xA0 && c <= 0xFF) return static_cast<unsigned char>(c);
    for (int i = 0; i < 32; ++i)
        if (Cp1252UpperHalf[i] == c) return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

bool IsUtf8Text(std::string_view bytes)
{
    bool nonAscii = false;
    char32_t c = 0;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = Utf8Sequence(bytes, at, c);
        if (length == 0) return false;
        nonAscii = nonAscii || length > 1;
        at += length;
    }
    return nonAscii;
}

std::u32string GameTextChars(std::string_view bytes)
{
    std::u32string chars;
    chars.reserve(bytes.size());
    if (IsUtf8Text(bytes)) {
        for (std::size_t at = 0; at < bytes.size();) {
            char32_t c = 0;
            at += Utf8Sequence(bytes, at, c);
            chars.push_back(Shown(c));
        }
    } else {
        for (char b : bytes)
            chars.push_back(Shown(Cp1252ToUnicode(static_cast<unsigned char>(b))));
    }
    return chars;
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string GameTextToUtf8(std::string_view bytes)
{
    // ASCII reads the same in both encodings and holds no glyph character.
    if (std::all_of(bytes.begin(), bytes.end(), [](char b) { return (b & 0x80) == 0; }))
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size());
    for (char32_t c : GameTextChars(bytes))
        AppendUtf8(out, c);
    return out;
}

bool IsNotationGlyphByte(unsigned char byte)
{
    return GlyphBytes[byte];
}

bool IsNotationGlyphTwin(char32_t c)
{
    const std::optional<unsigned char> byte = UnicodeToCp1252(c);
    return byte && IsNotationGlyphByte(*byte);
}
