// The text of a PGN file (tag values, comments) in the notation document.
//
// The document's text fonts carry chess glyphs at some bytes (figurines,
// check sign, symbols; see IsNotationGlyphByte), and the program's own RTF
// keeps writing those bytes for its glyphs. A text character is written so
// that it never lands on one of them:
//   ASCII                          itself; "\", "{" and "}" escaped
//   cp1252 byte that is no glyph   that byte (the file's bytes for cp1252 text)
//   "~", glyph-byte characters     "{\f6\'hh}": the cp1252 byte in the plain
//                                  text font, the last entry of the font
//                                  table (see RtfProlog.h)
//   everything outside cp1252      "\uN?": the reader shows the character N,
//                                  an RTF reader without \u the "?"
// Control characters are left out.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The font number of the plain text font.
inline constexpr std::string_view RtfPlainTextFont = "\\f6";

// At most this many RTF bytes are written for one byte of text.
inline constexpr std::size_t RtfTextMaxBytesPerByte = 9;

// Appends the RTF of one character; returns the characters it shows (UTF-16
// units: 2 beyond U+FFFF, 0 for a control character).
int AppendRtfTextChar(std::string& out, char32_t c);

// Appends the RTF of a game text, read as GameTextChars reads it; returns
// the characters shown.
int AppendRtfGameText(std::string& out, std::string_view bytes);
