// The option values and scheme values that the board view, the piece images,
// the notation and diagram writers and printing read. Plain globals, each
// holding its first-run value until the options dialog applies the stored
// ones. Colours are 0x00BBGGRR integers. No Qt here: the options dialog's
// controls mirror these values.
#pragma once

#include <array>
#include <cstdint>

// ---- Board page --------------------------------------------------------
extern std::uint32_t BoardLightSquare; // 0xC0C0C0
extern std::uint32_t BoardDarkSquare;  // 0xA4A4A4
extern std::uint32_t BoardLightPiece;  // 0x064053
extern std::uint32_t BoardDarkPiece;   // 0x064053

// Milliseconds per animation frame by "Sliding pieces" item
// ("off", "fast", "fair", "slow"); 0 switches the animation off.
constexpr std::array<int, 4> SlideDelayTable{0, 4, 9, 30};
extern int SlideDelayMs; // 9 ("fair")

extern bool ShowCoords;   // on
extern bool UseShadow;    // on
extern bool UseGradient;  // on
extern bool BoardSound;   // on
extern bool MoveHint;     // on
extern int LightContrast; // 0..90, 61

// ---- Velmora page: the piece palette -------------------------------------
// One palette cell: a piece's contour (the label's font colour) and inner
// colour (the label's background).
struct PieceColorPair {
    std::uint32_t Contour;
    std::uint32_t Inner;
    friend bool operator==(const PieceColorPair&, const PieceColorPair&) = default;
};

constexpr int PaletteSides = 2;  // 0 Light (White's pieces), 1 Dark (Black's)
constexpr int PalettePieces = 6; // 0 King, 1 Queen, 2 Rook, 3 Bishop, 4 Knight, 5 Pawn
using PiecePalette = std::array<std::array<PieceColorPair, PalettePieces>, PaletteSides>;

// Index of a piece type (1 pawn .. 6 king) in a palette row.
constexpr int PaletteIndexOfType(int type)
{
    return 6 - type;
}

constexpr PiecePalette VelmoraDefaultColors{{
    {{{0x0000E1, 0x6666FF},   // King
      {0xFB00AF, 0xFF80BF},   // Queen
      {0x009D00, 0x22FF22},   // Rook
      {0xFD704D, 0xD7D700},   // Bishop
      {0x0DACB5, 0x0DFFFF},   // Knight
      {0x404040, 0xFFFFFF}}}, // Pawn
    {{{0x0000BB, 0x8888FF},
      {0x950086, 0xFF9BCD},
      {0x007900, 0x66FF66},
      {0x950000, 0xFFFF0D},
      {0x0B6D75, 0x00DDDD},
      {0x000000, 0xFFFFFF}}},
}};

// [side][piece]; the options dialog's twelve labels show these colours.
extern PiecePalette PieceLabels;

// ---- Movelist page -------------------------------------------------------
extern bool LongNotation;     // off (Short)
extern bool FigurineNotation; // on (Figurine)
extern int MoveFontType;      // 0..4 = RTF font number, 0
extern int MoveNumberStyle;   // 0 "1.d4", 1 "1 d4", 2 "1. d4"; 0
extern int MoveFontSize;      // 0 small, 1 normal, 2 large; 1
extern int LoadToMove;        // -2..39, 0 ("1 White")
// Piece letters by piece type 1..6; entry 0 is a blank and never written.
extern std::array<char, 7> PieceLetterChars; // " PNBRQK"
extern int ExpandDepth;                      // 2..7, 3
extern bool DiagCoords;                      // off
extern bool DiagAtStart;                     // off
extern bool DiagBlackView;                   // off
extern bool NoDiagrams;                      // off

// ---- Print page ----------------------------------------------------------
extern double LeftMarginMm;   // 19
extern double RightMarginMm;  // 19
extern double TopMarginMm;    // 18
extern double BottomMarginMm; // 18

// ---- No control ----------------------------------------------------------
extern int SquareSize;       // px, 68
extern int PieceSizePercent; // 80, 91 or 99; 91

// ---- Scheme values (View menu; never stored) -----------------------------
extern std::uint8_t ColoredPieces;    // 0
extern std::uint8_t GenericGlyphMode; // 0
extern std::uint8_t BoardFlipped;     // 0
extern std::array<int, 2> PieceSet;   // White's, Black's glyph set: {0, 1}
constexpr char DefaultGlyphChars[] = "pnbrqkomvtwl";
// Glyph letters by glyph index 1..12; entry 0 is never rewritten.
extern std::array<char, 13> GlyphChars; // " pnbrqkomvtwl"

// ---- Colour table of the notation document --------------------------------
constexpr int RtfColorTableSize = 256;
// The colour-table entries placed after "{\colortbl;": the light contours of
// knight, bishop, rook, queen and king, then the comment colour; NUL-ended.
extern std::array<char, RtfColorTableSize> RtfColorTable;

// Rebuilds RtfColorTable from PieceLabels.
void BuildRtfColorTable();

// Puts every option, scheme and palette value back to its first-run value and
// rebuilds RtfColorTable.
void RestoreFirstRunOptions();
