#include "app/OptionValues.h"

#include <cstddef>

namespace {

constexpr std::array<char, 7> FirstRunPieceLetters{' ', 'P', 'N', 'B', 'R', 'Q', 'K'};
constexpr std::array<char, 13> FirstRunGlyphChars{' ', 'p', 'n', 'b', 'r', 'q', 'k',
                                                  'o', 'm', 'v', 't', 'w', 'l'};

// Appends the decimal text of value (0..255, no leading zeros).
constexpr std::size_t AppendNumber(std::array<char, RtfColorTableSize>& out, std::size_t at,
                                   unsigned value)
{
    if (value >= 100) out[at++] = static_cast<char>('0' + value / 100);
    if (value >= 10) out[at++] = static_cast<char>('0' + value / 10 % 10);
    out[at++] = static_cast<char>('0' + value % 10);
    return at;
}

constexpr std::size_t AppendText(std::array<char, RtfColorTableSize>& out, std::size_t at,
                                 const char* text)
{
    while (*text)
        out[at++] = *text++;
    return at;
}

// Five piece entries (knight, bishop, rook, queen, king: colour numbers 1..5
// are piece type - 1) and the comment colour. The longest possible text is
// 5 * 26 + 21 bytes, well inside the buffer.
constexpr std::array<char, RtfColorTableSize> ColorTableText(const PiecePalette& palette)
{
    std::array<char, RtfColorTableSize> out{};
    std::size_t at = 0;
    for (int type = 2; type <= 6; ++type) {
        const std::uint32_t color = palette[0][PaletteIndexOfType(type)].Contour;
        at = AppendText(out, at, "\\red");
        at = AppendNumber(out, at, color & 0xFF);
        at = AppendText(out, at, "\\green");
        at = AppendNumber(out, at, (color >> 8) & 0xFF);
        at = AppendText(out, at, "\\blue");
        at = AppendNumber(out, at, (color >> 16) & 0xFF);
        at = AppendText(out, at, ";");
    }
    at = AppendText(out, at, "\\red80\\green40\\blue2;");
    out[at] = '\0';
    return out;
}

} // namespace

std::uint32_t BoardLightSquare = 0xC0C0C0;
std::uint32_t BoardDarkSquare = 0xA4A4A4;
std::uint32_t BoardLightPiece = 0x064053;
std::uint32_t BoardDarkPiece = 0x064053;
int SlideDelayMs = SlideDelayTable[2];
bool ShowCoords = true;
bool UseShadow = true;
bool UseGradient = true;
bool BoardSound = true;
bool MoveHint = true;
int LightContrast = 61;

PiecePalette PieceLabels = VelmoraDefaultColors;

bool LongNotation = false;
bool FigurineNotation = true;
int MoveFontType = 0;
int MoveNumberStyle = 0;
int MoveFontSize = 1;
int LoadToMove = 0;
std::array<char, 7> PieceLetterChars = FirstRunPieceLetters;
int ExpandDepth = 3;
bool DiagCoords = false;
bool DiagAtStart = false;
bool DiagBlackView = false;
bool NoDiagrams = false;

double LeftMarginMm = 19;
double RightMarginMm = 19;
double TopMarginMm = 18;
double BottomMarginMm = 18;

int SquareSize = 68;
int PieceSizePercent = 91;

std::uint8_t ColoredPieces = 0;
std::uint8_t GenericGlyphMode = 0;
std::uint8_t BoardFlipped = 0;
std::array<int, 2> PieceSet{0, 1};
std::array<char, 13> GlyphChars = FirstRunGlyphChars;

std::array<char, RtfColorTableSize> RtfColorTable = ColorTableText(VelmoraDefaultColors);

void BuildRtfColorTable()
{
    RtfColorTable = ColorTableText(PieceLabels);
}

void RestoreFirstRunOptions()
{
    BoardLightSquare = 0xC0C0C0;
    BoardDarkSquare = 0xA4A4A4;
    BoardLightPiece = 0x064053;
    BoardDarkPiece = 0x064053;
    SlideDelayMs = SlideDelayTable[2];
    ShowCoords = true;
    UseShadow = true;
    UseGradient = true;
    BoardSound = true;
    MoveHint = true;
    LightContrast = 61;
    PieceLabels = VelmoraDefaultColors;
    LongNotation = false;
    FigurineNotation = true;
    MoveFontType = 0;
    MoveNumberStyle = 0;
    MoveFontSize = 1;
    LoadToMove = 0;
    PieceLetterChars = FirstRunPieceLetters;
    ExpandDepth = 3;
    DiagCoords = false;
    DiagAtStart = false;
    DiagBlackView = false;
    NoDiagrams = false;
    LeftMarginMm = 19;
    RightMarginMm = 19;
    TopMarginMm = 18;
    BottomMarginMm = 18;
    SquareSize = 68;
    PieceSizePercent = 91;
    ColoredPieces = 0;
    GenericGlyphMode = 0;
    BoardFlipped = 0;
    PieceSet = {0, 1};
    GlyphChars = FirstRunGlyphChars;
    BuildRtfColorTable();
}
