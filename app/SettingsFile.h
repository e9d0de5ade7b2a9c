// The settings file beside the executable: every section, key and default
// that the program reads or writes, in the order the file keeps them.
// Readers and writers name a key by its entry, so a key's spelling and its
// default are written once.
#pragma once

#include "platform/IniFile.h"

#include <QString>

#include <array>
#include <span>
#include <string>

enum class SettingType { Integer, Flag, Text };

struct Setting {
    const char* Section;
    const char* Key;
    SettingType Type;
    const char* Default; // as the file writes it: decimal, 1/0, or the text
};

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

// Every key of the file, section by section.
std::span<const Setting> AllSettings();

// The executable's path with its extension replaced by ".ini".
QString SettingsFileName();

// Typed access; the entry's own default unless one is given.
int ReadSetting(const TMemIniFile& ini, const Setting& s, int def);
int ReadIntSetting(const TMemIniFile& ini, const Setting& s);
bool ReadFlagSetting(const TMemIniFile& ini, const Setting& s);
std::string ReadTextSetting(const TMemIniFile& ini, const Setting& s);
void WriteSetting(TMemIniFile& ini, const Setting& s, int value);
void WriteFlagSetting(TMemIniFile& ini, const Setting& s, bool value);
void WriteTextSetting(TMemIniFile& ini, const Setting& s, const std::string& value);
