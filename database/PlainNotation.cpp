#include "database/PlainNotation.h"

#include "database/MoveNotation.h"

#include <algorithm>
#include <string_view>

namespace {

struct GlyphSign {
    unsigned char Byte;
    std::string_view Text; // UTF-8
};

// The signs the evaluation-symbol glyphs draw.
constexpr GlyphSign Signs[] = {
    {0x7E, "+"},       {0xBD, "\u00BD"}, {0x99, "\u25A1"},       {0xF7, "\u221E"},
    {0xB1, "\u00B1"},  {0xB5, "\u2213"}, {0xB2, "\u2A72"},       {0xB3, "\u2A71"},
    {0xB7, "\u25CB"},  {0x9E, "\u25CF"}, {0x89, "\u27F3"},       {0x82, "\u2192"},
    {0x84, "\u21C6"},  {0x85, "\u2206"}, {0xD7, "\u00D7"},       {0xAC, "\u22A5"},
    {0x91, "\u21D4"},  {0x92, "\u21D7"}, {0xA0, "\u2713"},       {0x80, "\u25B2"},
    {0xA9, "=\u221E"}, {0xB9, "\u2313"}, {0xAE, "\u25A0\u25A1"}, {0xAF, "\u25A0\u25A0"}};

constexpr int PawnType = 1;
constexpr int BishopType = 3;

} // namespace

std::string PlainGlyphText(unsigned char byte, const std::array<char, 7>& pieceLetters)
{
    const auto figurine =
        std::find(FigurineChars.begin() + 1, FigurineChars.end(), static_cast<char>(byte));
    if (figurine != FigurineChars.end())
        return std::string(
            1, pieceLetters[static_cast<std::size_t>(figurine - FigurineChars.begin())]);
    // Two bishops, doubled pawns: the piece letter twice.
    if (byte == 0xAD) return std::string(2, pieceLetters[BishopType]);
    if (byte == 0xDE) return std::string(2, pieceLetters[PawnType]);
    for (const GlyphSign& sign : Signs)
        if (sign.Byte == byte) return std::string(sign.Text);
    return {};
}
