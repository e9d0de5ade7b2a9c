// How the program reads the text of a PGN file (tag values, comments), which
// it keeps as the file's bytes: a text that is valid UTF-8 and holds at least
// one non-ASCII character is UTF-8, any other text is Windows-1252. The rule
// is applied to each text on its own, so a file may mix both.
//
// The notation fonts draw their figurines, the check sign, one half and the
// evaluation symbols at U+F000 + byte (the notation glyph range); the
// program's RTF reader maps those bytes there. A text character never lands
// in that range. The fonts also draw each chess glyph at the code point its
// byte has in cp1252 (its twin: U+00A4 for 0xA4, U+2019 for 0x92), where a
// word processor looks for it; a text character at a twin is shown and
// written in a plain text font (the family the notation font takes its
// letters from), never in a notation font.
//
// Qt-free: the notation writer (database core) and the display share it.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

inline constexpr char32_t NotationGlyphBase = 0xF000;
inline constexpr char32_t NotationGlyphLast = 0xF0FF;
inline constexpr char32_t ReplacementChar = 0xFFFD;

// 0x80..0xFF of Windows-1252; the five unassigned bytes (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) give the C1 control of the same value.
extern const std::array<char16_t, 128> Cp1252UpperHalf;

inline char16_t Cp1252ToUnicode(unsigned char byte)
{
    return byte < 0x80 ? char16_t(byte) : Cp1252UpperHalf[byte - 0x80];
}

// The cp1252 byte of a character; none when cp1252 cannot hold it.
std::optional<unsigned char> UnicodeToCp1252(char32_t c);

// True when bytes are valid UTF-8 (no overlong forms, no surrogates, nothing
// above U+10FFFF) and hold at least one non-ASCII character.
bool IsUtf8Text(std::string_view bytes);

// The characters of a game text in order. Characters of the notation glyph
// range become U+FFFD.
std::u32string GameTextChars(std::string_view bytes);

// The same text as UTF-8.
std::string GameTextToUtf8(std::string_view bytes);

// A character as UTF-8 bytes, appended to out.
void AppendUtf8(std::string& out, char32_t c);

// True for the bytes whose glyph in the notation fonts is a chess glyph: the
// figurines 0xA2..0xA7, the check sign "~", one half 0xBD and every byte of
// the evaluation-symbol table.
bool IsNotationGlyphByte(unsigned char byte);

// True for the twin of a glyph byte: "~", U+00A4, U+2019, U+017E, U+00DE ...
bool IsNotationGlyphTwin(char32_t c);

// The plain text fonts of the sans serif and the serif notation font.
inline constexpr char PlainSansFamily[] = "DejaVu Sans";
inline constexpr char PlainSerifFamily[] = "DejaVu Serif";
