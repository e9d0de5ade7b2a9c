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
    ini.WriteInteger("board", "SIZE", 72);      // case-insensitive match; the stored name stays
    ini.WriteInteger("Board", "PieceSize", 91); // appended after the section's last key
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

TEST(IniFile, LineEndsAreCrLfLfOrCrAndWhatIsWrittenReadsBackTheSame)
{
    struct Case {
        const char* name;
        std::string text;
        std::string k; // the value of [S] k
        std::string z; // the value of [S] z
    };
    const Case cases[] = {
        {"lone CR before CRLF", "[S]\r\nk=a\r\r\nz=1\r\n", "a", "1"},
        {"lone CR before LF", "; note\n[S]\nk=a\r\r\nz=1\n", "a", "1"},
        {"CR only", "[S]\rk=a\rz=1\r", "a", "1"},
        {"blank lines of every kind", "\r\n\n\r[S]\r\r\nk=a\n\n\rz=1\r\n\r\n", "a", "1"},
        {"mixed, last line without end", "[T]\r\nx=0\n[S]\rk=a\r\nz=1", "a", "1"},
        {"CR inside a line", "[S]\nk=a\rz=1\n", "a", "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TMemIniFile ini(QString{});
        ini.SetText(c.text);
        EXPECT_EQ(ini.ReadString("S", "k", "?"), c.k);
        EXPECT_EQ(ini.ReadString("S", "z", "?"), c.z);
        EXPECT_EQ(ini.Text(), c.text); // untouched, it is written as it was read

        // Changed, added in the middle and at the end, a new section: each
        // write reads back the same, line for line.
        ini.WriteString("S", "k", "b");
        ini.WriteString("S", "added", "c");
        ini.WriteString("New", "n", "d");
        for (int round = 0; round < 2; ++round) {
            TMemIniFile back(QString{});
            back.SetText(ini.Text());
            EXPECT_EQ(back.Text(), ini.Text());
            EXPECT_EQ(back.ReadString("S", "k", "?"), "b");
            EXPECT_EQ(back.ReadString("S", "z", "?"), c.z);
            EXPECT_EQ(back.ReadString("S", "added", "?"), "c");
            EXPECT_EQ(back.ReadString("New", "n", "?"), "d");
            ini.SetText(back.Text());
        }
    }
}

TEST(IniFile, AnLfFileStaysLfAcrossSaves)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("lf.ini");
    WriteAll(path, "[Game]\nFile=a\r\r\nSize=40\n");
    for (int save = 1; save <= 2; ++save) {
        TMemIniFile ini(path);
        EXPECT_EQ(ini.ReadString("Game", "File", "?"), "a");
        ini.WriteInteger("Game", "Size", 40 + save);
        ASSERT_TRUE(ini.UpdateFile());
    }
    EXPECT_EQ(ReadAll(path), "[Game]\nFile=a\r\r\nSize=42\n");
}
