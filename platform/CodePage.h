// Code pages for display: the program keeps all text as bytes (std::string)
// and decodes it only where it is shown. PGN text is UTF-8 or Windows-1252
// (DecodeGameText), the RTF fonts with \fcharset0 Windows-1252, the ELO list
// Windows-1250.
//
// Own tables of the upper half (0x80..0xFF); the lower half is ASCII. A byte
// that the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D in 1252)
// maps to the C1 control of the same value, as the system converter does.
#pragma once

#include <QString>

#include <string>
#include <string_view>

enum class CodePage { Cp1252, Cp1250 };

// The Unicode character of one byte.
char16_t CodePageToUnicode(CodePage page, unsigned char byte);

// Bytes to text for display.
QString DecodeCodePage(CodePage page, std::string_view bytes);
inline QString DecodeCp1252(std::string_view bytes)
{
    return DecodeCodePage(CodePage::Cp1252, bytes);
}
inline QString DecodeCp1250(std::string_view bytes)
{
    return DecodeCodePage(CodePage::Cp1250, bytes);
}

// Text typed by the user back to bytes; a character the code page cannot
// hold becomes '?'.
std::string EncodeCodePage(CodePage page, const QString& text);
inline std::string EncodeCp1252(const QString& text)
{
    return EncodeCodePage(CodePage::Cp1252, text);
}

// The text of a PGN file (tag values, comments) for display: UTF-8 when the
// bytes are valid UTF-8 with a non-ASCII character, cp1252 otherwise (see
// GameText.h). Never a character of the notation fonts' glyph range.
QString DecodeGameText(std::string_view bytes);

// Text the program writes in the notation fonts (moves, symbols): the bytes
// of chess glyphs at their notation glyph code points, the rest cp1252.
QString DecodeNotationText(std::string_view bytes);

// Text back to bytes that DecodeGameText reads as the same text: cp1252 where
// that holds it, UTF-8 otherwise.
std::string EncodeGameText(const QString& text);
