// The notation's glyphs as portable plain text, for the clipboard: a
// figurine as the user's piece letter, the check sign as "+", one half and
// the evaluation symbols as the Unicode signs they draw.
#pragma once

#include <array>
#include <string>

// The UTF-8 text of the glyph at byte in the notation fonts, pieceLetters
// indexed by piece type as PieceLetterChars; empty for a byte that is no
// glyph (see IsNotationGlyphByte).
std::string PlainGlyphText(unsigned char byte, const std::array<char, 7>& pieceLetters);
