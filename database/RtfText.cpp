#include "database/RtfText.h"

#include "platform/GameText.h"

namespace {

// "\uN?" for one UTF-16 unit; N is signed 16-bit as RTF wants it.
void AppendUnicodeEscape(std::string& out, char16_t unit)
{
    const int value = unit < 0x8000 ? int(unit) : int(unit) - 0x10000;
    out += "\\u";
    out += std::to_string(value);
    out += '?';
}

// "{\f6\'hh}": a byte of cp1252 text in the plain text font.
void AppendPlainByte(std::string& out, unsigned char byte)
{
    static constexpr char Hex[] = "0123456789abcdef";
    out += '{';
    out += RtfPlainTextFont;
    out += "\\'";
    out += Hex[byte >> 4];
    out += Hex[byte & 0xF];
    out += '}';
}

} // namespace

int AppendRtfTextChar(std::string& out, char32_t c)
{
    if (c < 0x20 || c == 0x7F) return 0;
    if (c > 0xFFFF) {
        const char32_t v = c - 0x10000;
        AppendUnicodeEscape(out, static_cast<char16_t>(0xD800 + (v >> 10)));
        AppendUnicodeEscape(out, static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
        return 2;
    }
    const std::optional<unsigned char> byte = UnicodeToCp1252(c);
    if (!byte) {
        AppendUnicodeEscape(out, static_cast<char16_t>(c));
    } else if (IsNotationGlyphByte(*byte)) {
        AppendPlainByte(out, *byte);
    } else {
        if (c == '\\' || c == '{' || c == '}') out += '\\';
        out += static_cast<char>(*byte);
    }
    return 1;
}

int AppendRtfGameText(std::string& out, std::string_view bytes)
{
    int shown = 0;
    for (char32_t c : GameTextChars(bytes))
        shown += AppendRtfTextChar(out, c);
    return shown;
}
