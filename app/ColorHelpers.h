// Colour arithmetic shared by the piece images, the bookmark boards and the
// intro. Colours are TColor values 0x00BBGGRR (red in the low byte).
#pragma once

#include <cstdint>

// The pixel of a colour as a 32-bit image row holds it: red and blue swapped,
// top byte cleared (0x00BBGGRR gives 0x00RRGGBB).
std::uint32_t ColorToPixel(std::uint32_t color);

// 0.3 R + 0.59 G + 0.11 B, truncated. The weights add up to a little less
// than one, so a grey (n, n, n) with n >= 1 gives n - 1.
int ColorLuminance(std::uint32_t color);

// Adds delta to each of the three colour bytes, clamped to 0..255; the top
// byte is kept.
std::uint32_t AdjustColor(std::uint32_t color, int delta);

// The inner colour shown inside a plain contour: white for near-black and
// for every grey, otherwise the contour lightened by 208.
std::uint32_t ContrastColor(std::uint32_t color);
