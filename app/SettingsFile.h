// The settings file beside the executable: every section, key and default
// that the program reads or writes, in the order the file keeps them.
// Readers and writers name a key by its entry, so a key's spelling and its
// default are written once.
#pragma once

#include "platform/IniFile.h"

#include <QString>

#include <array>
#include <climits>
#include <cstddef>
#include <span>
#include <string>

enum class SettingType { Integer, Flag, Text };

// What a checked read does with an integer outside Low..High: take the
// default, clamp it into the range, or clamp only a value above High (as a
// radio group takes its last item) and take the default below Low.
enum class OutOfRange { UseDefault, Clamp, ClampHigh };

struct Setting {
    const char* Section;
    const char* Key;
    SettingType Type;
    const char* Default; // as the file writes it: decimal, 1/0, or the text
    // The usable values of an integer, for ReadCheckedSetting.
    int Low = INT_MIN;
    int High = INT_MAX;
    OutOfRange Beyond = OutOfRange::UseDefault;
};

// The options (written by the options dialog at every Apply and at close).
namespace OptionKeys {
inline constexpr int MaxColor = 0xFFFFFF;
using enum SettingType;

// The piece palette: for each piece King to Pawn, side 0 (Light) then 1
// (Dark), its contour colour then its inner colour.
inline constexpr std::array<Setting, 24> Palette{{
    {"Velmora", "King0Contour", Integer, "225", 0, MaxColor},
    {"Velmora", "King0Inner", Integer, "6711039", 0, MaxColor},
    {"Velmora", "King1Contour", Integer, "187", 0, MaxColor},
    {"Velmora", "King1Inner", Integer, "8947967", 0, MaxColor},
    {"Velmora", "Queen0Contour", Integer, "16449711", 0, MaxColor},
    {"Velmora", "Queen0Inner", Integer, "16744639", 0, MaxColor},
    {"Velmora", "Queen1Contour", Integer, "9764998", 0, MaxColor},
    {"Velmora", "Queen1Inner", Integer, "16751565", 0, MaxColor},
    {"Velmora", "Rook0Contour", Integer, "40192", 0, MaxColor},
    {"Velmora", "Rook0Inner", Integer, "2293538", 0, MaxColor},
    {"Velmora", "Rook1Contour", Integer, "30976", 0, MaxColor},
    {"Velmora", "Rook1Inner", Integer, "6750054", 0, MaxColor},
    {"Velmora", "Bishop0Contour", Integer, "16609357", 0, MaxColor},
    {"Velmora", "Bishop0Inner", Integer, "14145280", 0, MaxColor},
    {"Velmora", "Bishop1Contour", Integer, "9764864", 0, MaxColor},
    {"Velmora", "Bishop1Inner", Integer, "16776973", 0, MaxColor},
    {"Velmora", "Knight0Contour", Integer, "896181", 0, MaxColor},
    {"Velmora", "Knight0Inner", Integer, "917503", 0, MaxColor},
    {"Velmora", "Knight1Contour", Integer, "748917", 0, MaxColor},
    {"Velmora", "Knight1Inner", Integer, "56797", 0, MaxColor},
    {"Velmora", "Pawn0Contour", Integer, "4210752", 0, MaxColor},
    {"Velmora", "Pawn0Inner", Integer, "16777215", 0, MaxColor},
    {"Velmora", "Pawn1Contour", Integer, "0", 0, MaxColor},
    {"Velmora", "Pawn1Inner", Integer, "16777215", 0, MaxColor},
}};
// The key of palette cell [side][piece], contour or inner colour.
constexpr const Setting& PaletteKey(int side, int piece, bool inner)
{
    return Palette[static_cast<std::size_t>(piece * 4 + side * 2 + (inner ? 1 : 0))];
}

// A square size past any screen, or a piece size that would leave no glyph,
// is taken as the default; the board is fitted to its pane anyway.
inline constexpr Setting Size{"Board", "Size", Integer, "68", 0, 1000};
inline constexpr Setting PieceSize{"Board", "PieceSize", Integer, "91", 1, 200};
inline constexpr Setting DarkSquare{"Board", "DarkSquare", Integer, "10790052", 0, MaxColor};
inline constexpr Setting LightSquare{"Board", "LightSquare", Integer, "12632256", 0, MaxColor};
inline constexpr Setting DarkPiece{"Board", "DarkPiece", Integer, "409683", 0, MaxColor};
inline constexpr Setting LightPiece{"Board", "LightPiece", Integer, "409683", 0, MaxColor};
inline constexpr Setting LightContrast{"Board", "LightContrast",  Integer, "61", 0,
                                       90,      OutOfRange::Clamp};
inline constexpr Setting Sliding{"Board", "Sliding", Integer, "2", 0, 3};
inline constexpr Setting Coords{"Board", "Coords", Flag, "1"};
inline constexpr Setting Grad{"Board", "Grad", Flag, "1"};
inline constexpr Setting Shadow{"Board", "Shadow", Flag, "1"};
inline constexpr Setting Sound{"Board", "Sound", Flag, "1"};

inline constexpr Setting PieceLetters{"MoveList", "PieceLetters", Integer, "0", 0, 4};
inline constexpr Setting DefaultMove{"MoveList", "DefaultMove", Integer, "2", 0, 41};
inline constexpr Setting FontSize{"MoveList", "FontSize",           Integer, "1", 0,
                                  2,          OutOfRange::ClampHigh};
inline constexpr Setting FontType{"MoveList", "FontType",           Integer, "0", 0,
                                  4,          OutOfRange::ClampHigh};
inline constexpr Setting Figurin{"MoveList", "Figurin", Integer, "1", 0, 1, OutOfRange::ClampHigh};
inline constexpr Setting StartDiag{"MoveList", "StartDiag", Flag, "0"};
} // namespace OptionKeys

// The last state (read at the first show, written at close).
namespace SettingKeys {
inline constexpr Setting GameFile{"Game", "File", SettingType::Text, ""};
inline constexpr Setting GameNumber{"Game", "Number", SettingType::Integer, "0"};
inline constexpr Setting GameNode{"Game", "Node", SettingType::Text, ""};
inline constexpr Setting LayoutBoard{"Layout", "Board", SettingType::Integer, "44"};
inline constexpr Setting LayoutList{"Layout", "List", SettingType::Integer, "36"};
inline constexpr std::array<Setting, 5> RecentFile{{
    {"Recent", "File1", SettingType::Text, "(none)"},
    {"Recent", "File2", SettingType::Text, "(none)"},
    {"Recent", "File3", SettingType::Text, "(none)"},
    {"Recent", "File4", SettingType::Text, "(none)"},
    {"Recent", "File5", SettingType::Text, "(none)"},
}};
inline constexpr Setting SkipIntro{"Config", "SkipIntro", SettingType::Flag, "0"};
} // namespace SettingKeys

// Every key of the file, section by section, in the file's order.
std::span<const Setting> AllSettings();

// The executable's path with its extension replaced by ".ini", or the name
// set by SetSettingsFileName.
QString SettingsFileName();
// Puts the settings file elsewhere (tests keep it in a folder of their own);
// an empty name goes back to the one beside the executable.
void SetSettingsFileName(const QString& fileName);

// Typed access; the entry's own default unless one is given.
int ReadSetting(const TMemIniFile& ini, const Setting& s, int def);
int ReadIntSetting(const TMemIniFile& ini, const Setting& s);
bool ReadFlagSetting(const TMemIniFile& ini, const Setting& s);
// An integer kept to the entry's usable values (Low, High, Beyond); def
// stands for a missing, unreadable or unusable value.
int ReadCheckedSetting(const TMemIniFile& ini, const Setting& s, int def);
int ReadCheckedSetting(const TMemIniFile& ini, const Setting& s);
std::string ReadTextSetting(const TMemIniFile& ini, const Setting& s);
void WriteSetting(TMemIniFile& ini, const Setting& s, int value);
void WriteFlagSetting(TMemIniFile& ini, const Setting& s, bool value);
void WriteTextSetting(TMemIniFile& ini, const Setting& s, const std::string& value);
