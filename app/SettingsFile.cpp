#include "app/SettingsFile.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <cstdlib>
#include <vector>

std::span<const Setting> AllSettings()
{
    static const std::vector<Setting> all = [] {
        using namespace OptionKeys;
        std::vector<Setting> v(Palette.begin(), Palette.end());
        v.insert(v.end(), {Size, PieceSize, DarkSquare, LightSquare, DarkPiece, LightPiece,
                           LightContrast, Sliding, Coords, Grad, Shadow, Sound, PieceLetters,
                           DefaultMove, FontSize, FontType, Figurin, StartDiag});
        v.insert(v.end(), {SettingKeys::GameFile, SettingKeys::GameNumber, SettingKeys::GameNode,
                           SettingKeys::LayoutBoard, SettingKeys::LayoutList});
        v.insert(v.end(), SettingKeys::RecentFile.begin(), SettingKeys::RecentFile.end());
        v.push_back(SettingKeys::SkipIntro);
        return v;
    }();
    return all;
}

namespace {
QString& SettingsFileOverride()
{
    static QString name;
    return name;
}
} // namespace

void SetSettingsFileName(const QString& fileName)
{
    SettingsFileOverride() = fileName;
}

QString SettingsFileName()
{
    if (!SettingsFileOverride().isEmpty()) return SettingsFileOverride();
    const QFileInfo exe(QCoreApplication::applicationFilePath());
    return exe.absolutePath() + "/" + exe.completeBaseName() + ".ini";
}

int ReadSetting(const TMemIniFile& ini, const Setting& s, int def)
{
    return ini.ReadInteger(s.Section, s.Key, def);
}

int ReadIntSetting(const TMemIniFile& ini, const Setting& s)
{
    return ReadSetting(ini, s, std::atoi(s.Default));
}

bool ReadFlagSetting(const TMemIniFile& ini, const Setting& s)
{
    return ini.ReadBool(s.Section, s.Key, std::atoi(s.Default) != 0);
}

int ReadCheckedSetting(const TMemIniFile& ini, const Setting& s, int def)
{
    const int v = ini.ReadInteger(s.Section, s.Key, def);
    if (v >= s.Low && v <= s.High) return v;
    switch (s.Beyond) {
    case OutOfRange::Clamp:
        return std::clamp(v, s.Low, s.High);
    case OutOfRange::ClampHigh:
        return v > s.High ? s.High : def;
    case OutOfRange::UseDefault:
        break;
    }
    return def;
}

int ReadCheckedSetting(const TMemIniFile& ini, const Setting& s)
{
    return ReadCheckedSetting(ini, s, std::atoi(s.Default));
}

std::string ReadTextSetting(const TMemIniFile& ini, const Setting& s)
{
    return ini.ReadString(s.Section, s.Key, s.Default);
}

void WriteSetting(TMemIniFile& ini, const Setting& s, int value)
{
    ini.WriteInteger(s.Section, s.Key, value);
}

void WriteFlagSetting(TMemIniFile& ini, const Setting& s, bool value)
{
    ini.WriteBool(s.Section, s.Key, value);
}

void WriteTextSetting(TMemIniFile& ini, const Setting& s, const std::string& value)
{
    ini.WriteString(s.Section, s.Key, value);
}
