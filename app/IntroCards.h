// The intro's two test cards: where each glyph of the board font "Kavdiag"
// goes, in which size, weight and colour, and the pictures drawn from that.
//
// Card 1 (shapes or colours?): seven rows of shrinking cells, 73 down to
// 8 px; the left half draws dark-set king, queen, rook, bishop and knight in
// black, the right half the same types each in its own colour. No two glyphs
// picked one after another are of the same type.
// Card 2 (colours only): eight rows of nine 28-px cells in a chequer: black
// dark-set shapes (no pawns) alternate with one uniform glyph "h" in the
// palette colour of a piece (White's inner colour, Black's contour colour).
#pragma once

#include "app/OptionValues.h"
#include "platform/Types.h"

#include <QImage>

#include <array>
#include <random>
#include <string_view>
#include <vector>

inline constexpr int IntroCardWidth = 605;
inline constexpr int IntroCardHeight = 409;

// Dark set king, queen, rook, bishop, knight, pawn; then the light set's.
inline constexpr std::string_view IntroGlyphs = "lwtvmokqrbnp";
// Card 1's colours of king, queen, rook, bishop and knight.
inline constexpr std::array<TColor, 5> IntroColors{0x0000FF, 0xD103B6, 0x009800, 0xFD704D,
                                                   0x06B5B5};

struct IntroGlyph {
    int X = 0;
    int Y = 0;
    int Size = 0; // cell height in pixels
    int Weight = 400;
    char Glyph = ' ';
    TColor Color = clBlack;
};

std::vector<IntroGlyph> ShapesCardLayout(std::mt19937& random);
std::vector<IntroGlyph> ColorsCardLayout(std::mt19937& random, const PiecePalette& palette);

// A white card of IntroCardWidth x IntroCardHeight with the glyphs drawn on it.
QImage RenderIntroCard(const std::vector<IntroGlyph>& glyphs);
