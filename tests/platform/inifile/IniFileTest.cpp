#include "platform/IniFile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

std::string ReadAll(const QString& path)
{
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteAll(const QString& path, const std::string& text)
{
    std::ofstream out(path.toStdString(), std::ios::binary);
    out << text;
}

} // namespace

TEST(IniFile, MissingFileGivesDefaultsAndWritesSectionsInOrder)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("velmora.ini");
    TMemIniFile ini(path);
    EXPECT_EQ(ini.ReadString("Game", "File", "none"), "none");
    EXPECT_EQ(ini.ReadInteger("Board", "Size", 68), 68);
    EXPECT_TRUE(ini.ReadBool("Board", "Coords", true));

    ini.WriteInteger("Board", "Size", 55);
    ini.WriteString("Game", "File", "/tmp/a.pgn");
    ini.WriteBool("Board", "Coords", false);
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(ReadAll(path), "[Board]\nSize=55\nCoords=0\n\n[Game]\nFile=/tmp/a.pgn\n");
}

TEST(IniFile, KeepsUnknownLinesOrderAndLineEnds)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("x.ini");
    const std::string original = "; kept comment\r\n[Other]\r\nfoo=bar\r\n\r\n[Board]\r\n"
                                 "Size=40\r\nUnknown=7\r\n\r\n[Tail]\r\nz=1\r\n";
    WriteAll(path, original);
    TMemIniFile ini(path);
    ini.WriteInteger("board", "SIZE", 72);    // case-insensitive match; the stored name stays
    ini.WriteInteger("Board", "PieceSize", 91);  // appended after the section's last key
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(ReadAll(path), "; kept comment\r\n[Other]\r\nfoo=bar\r\n\r\n[Board]\r\n"
                             "Size=72\r\nUnknown=7\r\nPieceSize=91\r\n\r\n[Tail]\r\nz=1\r\n");

    TMemIniFile again(path);
    EXPECT_EQ(again.ReadInteger("BOARD", "size", 0), 72);
    EXPECT_EQ(again.ReadString("other", "FOO", ""), "bar");
}

TEST(IniFile, NonNumericValuesGiveDefaults)
{
    TMemIniFile ini(QString{});
    ini.SetText("[B]\na=12\nb=abc\nc= 7 \nd=0x10\ne=99999999999\nf=-3\ng=\nh=1.5\n");
    EXPECT_EQ(ini.ReadInteger("B", "a", -1), 12);
    EXPECT_EQ(ini.ReadInteger("B", "b", -1), -1);
    EXPECT_EQ(ini.ReadInteger("B", "c", -1), 7);
    EXPECT_EQ(ini.ReadInteger("B", "d", -1), -1);
    EXPECT_EQ(ini.ReadInteger("B", "e", -1), -1);
    EXPECT_EQ(ini.ReadInteger("B", "f", 0), -3);
    EXPECT_EQ(ini.ReadInteger("B", "g", 5), 5);
    EXPECT_EQ(ini.ReadInteger("B", "h", 5), 5);
    EXPECT_FALSE(ini.ReadBool("B", "b", false));
}

TEST(IniFile, ValuesAreSingleLinesAndKeepEqualsSigns)
{
    TMemIniFile ini(QString{});
    ini.WriteString("S", "k", "a=b\nc");
    EXPECT_EQ(ini.ReadString("S", "k", ""), "a=b c");
    TMemIniFile back(QString{});
    back.SetText(ini.Text());
    EXPECT_EQ(back.ReadString("S", "k", ""), "a=b c");
}

TEST(IniFile, UnwritableFileReportsFailure)
{
    QTemporaryDir dir;
    TMemIniFile ini(dir.filePath("missing-folder/x.ini"));
    ini.WriteInteger("A", "b", 1);
    EXPECT_FALSE(ini.UpdateFile());
}
