#include "app/OptionSections.h"

#include "app/SettingsFile.h"
#include "platform/IniFile.h"

#include <algorithm>

namespace {

namespace K = OptionKeys;

std::uint32_t ReadColor(const TMemIniFile& ini, const Setting& s, std::uint32_t def)
{
    return static_cast<std::uint32_t>(ReadCheckedSetting(ini, s, static_cast<int>(def)));
}

void WriteColor(TMemIniFile& ini, const Setting& s, std::uint32_t color)
{
    WriteSetting(ini, s, static_cast<int>(color));
}

template <typename CellDefault>
PiecePalette ReadPalette(const TMemIniFile& ini, CellDefault cellDefault)
{
    PiecePalette palette{};
    for (int piece = 0; piece < PalettePieces; ++piece) {
        for (int side = 0; side < PaletteSides; ++side) {
            PieceColorPair& cell = palette[side][piece];
            const PieceColorPair def = cellDefault(side, piece);
            cell.Contour = ReadColor(ini, K::PaletteKey(side, piece, false), def.Contour);
            cell.Inner = ReadColor(ini, K::PaletteKey(side, piece, true), def.Inner);
        }
    }
    return palette;
}

} // namespace

StoredOptions ReadOptionSections(const TMemIniFile& ini)
{
    StoredOptions o;
    o.Palette =
        ReadPalette(ini, [](int side, int piece) { return VelmoraDefaultColors[side][piece]; });
    o.Size = ReadCheckedSetting(ini, K::Size);
    o.PieceSize = ReadCheckedSetting(ini, K::PieceSize);
    o.DarkSquare = static_cast<std::uint32_t>(ReadCheckedSetting(ini, K::DarkSquare));
    o.LightSquare = static_cast<std::uint32_t>(ReadCheckedSetting(ini, K::LightSquare));
    o.DarkPiece = static_cast<std::uint32_t>(ReadCheckedSetting(ini, K::DarkPiece));
    o.LightPiece = static_cast<std::uint32_t>(ReadCheckedSetting(ini, K::LightPiece));
    o.LightContrast = ReadCheckedSetting(ini, K::LightContrast);
    o.Sliding = ReadCheckedSetting(ini, K::Sliding);
    o.Coords = ReadFlagSetting(ini, K::Coords);
    o.Grad = ReadFlagSetting(ini, K::Grad);
    o.Shadow = ReadFlagSetting(ini, K::Shadow);
    o.Sound = ReadFlagSetting(ini, K::Sound);
    o.PieceLetters = ReadCheckedSetting(ini, K::PieceLetters);
    o.DefaultMove = ReadCheckedSetting(ini, K::DefaultMove);
    o.FontSize = ReadCheckedSetting(ini, K::FontSize);
    o.FontType = ReadCheckedSetting(ini, K::FontType);
    o.Figurin = ReadCheckedSetting(ini, K::Figurin);
    o.StartDiag = ReadFlagSetting(ini, K::StartDiag);
    return o;
}

StoredOptions DefaultStoredOptions()
{
    return ReadOptionSections(TMemIniFile(QString()));
}

void WriteOptionSections(TMemIniFile& ini, const StoredOptions& o)
{
    WritePaletteSection(ini, o.Palette);
    WriteSetting(ini, K::Size, o.Size);
    WriteSetting(ini, K::PieceSize, o.PieceSize);
    WriteColor(ini, K::DarkSquare, o.DarkSquare);
    WriteColor(ini, K::LightSquare, o.LightSquare);
    WriteColor(ini, K::DarkPiece, o.DarkPiece);
    WriteColor(ini, K::LightPiece, o.LightPiece);
    WriteSetting(ini, K::LightContrast, o.LightContrast);
    WriteSetting(ini, K::Sliding, o.Sliding);
    WriteSetting(ini, K::PieceLetters, o.PieceLetters);
    WriteSetting(ini, K::DefaultMove, o.DefaultMove);
    WriteSetting(ini, K::FontSize, o.FontSize);
    WriteSetting(ini, K::FontType, o.FontType);
    WriteSetting(ini, K::Figurin, o.Figurin);
    WriteFlagSetting(ini, K::StartDiag, o.StartDiag);
    // The board's flags land in their section, after Sliding.
    WriteFlagSetting(ini, K::Coords, o.Coords);
    WriteFlagSetting(ini, K::Grad, o.Grad);
    WriteFlagSetting(ini, K::Shadow, o.Shadow);
    WriteFlagSetting(ini, K::Sound, o.Sound);
}

void WritePaletteSection(TMemIniFile& ini, const PiecePalette& palette)
{
    for (int piece = 0; piece < PalettePieces; ++piece) {
        for (int side = 0; side < PaletteSides; ++side) {
            WriteColor(ini, K::PaletteKey(side, piece, false), palette[side][piece].Contour);
            WriteColor(ini, K::PaletteKey(side, piece, true), palette[side][piece].Inner);
        }
    }
}

std::optional<PiecePalette> ReadPaletteScheme(const TMemIniFile& ini)
{
    const bool any = std::any_of(K::Palette.begin(), K::Palette.end(), [&ini](const Setting& s) {
        return ini.ValueExists(s.Section, s.Key);
    });
    if (!any) return std::nullopt;
    return ReadPalette(ini, [](int, int) { return PieceColorPair{0x000000, 0xFFFFFF}; });
}
