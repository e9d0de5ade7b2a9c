// The option sections of the settings file (Velmora, Board, MoveList) as one
// value, and the scheme file that holds the piece palette alone. Keys and
// defaults come from OptionKeys (app/SettingsFile.h); nothing here knows a
// control.
#pragma once

#include "app/OptionValues.h"

#include <cstdint>
#include <optional>

class TMemIniFile;

// What the option sections keep: the options dialog's controls, its colour
// copies and palette, and the board's square and piece sizes.
struct StoredOptions {
    PiecePalette Palette{};
    int Size = 0;      // SquareSize
    int PieceSize = 0; // PieceSizePercent
    std::uint32_t DarkSquare = 0;
    std::uint32_t LightSquare = 0;
    std::uint32_t DarkPiece = 0;
    std::uint32_t LightPiece = 0;
    int LightContrast = 0;
    int Sliding = 0; // "Sliding pieces" item
    bool Coords = false;
    bool Grad = false;
    bool Shadow = false;
    bool Sound = false;
    int PieceLetters = 0; // "Piece letters" item
    int DefaultMove = 0;  // "Loading to move" item
    int FontSize = 0;     // "Font size" item
    int FontType = 0;     // "Font" item
    int Figurin = 0;      // "Piece" item: 0 letter, 1 figurine
    bool StartDiag = false;

    friend bool operator==(const StoredOptions&, const StoredOptions&) = default;
};

// The three sections read with every key checked: a missing, unreadable or
// unusable value gives the key's default.
StoredOptions ReadOptionSections(const TMemIniFile& ini);
// The values of a file without the option sections.
StoredOptions DefaultStoredOptions();

// Writes the three sections' keys in the order the file keeps them; other
// sections and keys stay as they are.
void WriteOptionSections(TMemIniFile& ini, const StoredOptions& options);

// The scheme file: the 24 palette keys of section Velmora.
void WritePaletteSection(TMemIniFile& ini, const PiecePalette& palette);
// A scheme's missing or unusable keys give black contours and white inner
// colours; a file without any palette key gives nothing.
std::optional<PiecePalette> ReadPaletteScheme(const TMemIniFile& ini);
