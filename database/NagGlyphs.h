// Glyph texts of the evaluation symbols (NAGs), as code points of the text
// and figurine fonts.
#pragma once

#include <array>
#include <string_view>

constexpr int NagGlyphCount = 255;
using NagGlyph = std::array<char, 8>; // up to 7 bytes and a NUL

// Entry n - 1 holds the glyph of NAG n; symbols without a glyph are empty.
extern const std::array<NagGlyph, NagGlyphCount> NagGlyphs;

// The glyph of NAG n (1..255); empty for 0 and for numbers without a glyph.
std::string_view NagGlyphText(int nag);
