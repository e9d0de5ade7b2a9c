// Reading rating lists written here: records, line ends, pumping, junk.
#include "database/EloList.h"
#include "database/GameIndex.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

namespace {

using Rows = std::vector<std::vector<std::string>>;

// ID at 0, Name at 8 (31 wide), Rtg at 39: no shifts; records of 46 bytes.
const std::string Header = "ID      Name                           Rtg  \r\n";

std::string Row(const std::string& id, const std::string& name, const std::string& rating,
                const char* end = "\r\n")
{
    std::string line = id;
    line.resize(8, ' ');
    line += name;
    line.resize(39, ' ');
    line += rating;
    line.resize(44, ' ');
    return line + end;
}

Rows Read(const std::string& text, EloLoadStatus expected = EloLoadStatus::Loaded)
{
    const EloListRows list = ReadEloListRows(MemoryByteSource(text));
    EXPECT_EQ(list.Status, expected);
    return list.Rows;
}

TEST(EloList, RecordsAndLineEnds)
{
    const std::string a = Row("1", "Alpha, Ann", "2100");
    const std::string b = Row("2", "Brown, Bo", "1950");
    const struct {
        const char* Name;
        std::string Text;
        Rows Expected;
    } cases[] = {
        {"well formed", Header + a + b, {{"1", "Alpha,Ann", "2100"}, {"2", "Brown,Bo", "1950"}}},
        {"no players", Header, {}},
        {"a short line gives nothing of the next one",
         Header + "7 Short\r\n" + b,
         {{"7 Short", "", ""}, {"2", "Brown,Bo", "1950"}}},
        {"a line longer than the header is cut and skipped",
         Header + Row("3", "Long, Line", "2000", "") + std::string(60, 'x') + "\r\n" + b,
         {{"3", "Long,Line", "2000"}, {"2", "Brown,Bo", "1950"}}},
        {"blank lines give no row",
         Header + "\r\n" + std::string(44, ' ') + "\r\n" + a,
         {{"1", "Alpha,Ann", "2100"}}},
        {"a short last line without a line end",
         Header + a + "9       Zed",
         {{"1", "Alpha,Ann", "2100"}, {"9", "Zed", ""}}},
        {"a tail of four bytes ends the data", Header + a + "9  Z", {{"1", "Alpha,Ann", "2100"}}},
        {"lines ended by LF alone",
         "ID      Name                           Rtg  \n" + Row("1", "Alpha, Ann", "2100", "\n") +
             Row("2", "Brown, Bo", "1950", "\n"),
         {{"1", "Alpha,Ann", "2100"}, {"2", "Brown,Bo", "1950"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(Read(c.Text), c.Expected);
    }
}

TEST(EloList, RefusedFiles)
{
    for (const std::string& text :
         {std::string(), std::string("IX"), std::string("ID without a line end"),
          std::string("\xFF\xD8\xFF\xE0 a picture\r\n")}) {
        SCOPED_TRACE(text);
        EXPECT_TRUE(Read(text, EloLoadStatus::NotEloList).empty());
        EXPECT_FALSE(ListLoading);
    }
}

TEST(EloList, PumpsEvery128RowsUnderListLoading)
{
    std::string text = Header;
    for (int i = 1; i <= 300; ++i)
        text += Row(std::to_string(i), "Player " + std::to_string(i), "2000");
    std::vector<int> pumps;
    std::vector<int> numbers;
    EloLoadHooks hooks;
    hooks.Pump = [&](int next) {
        EXPECT_TRUE(ListLoading);
        pumps.push_back(next);
    };
    hooks.OnRow = [&](int row, std::vector<std::string>& fields) {
        EXPECT_EQ(fields[0], std::to_string(row));
        numbers.push_back(row);
    };
    const EloLoadResult result = LoadEloList(MemoryByteSource(text), hooks);
    EXPECT_EQ(result.Status, EloLoadStatus::Loaded);
    EXPECT_EQ(result.RowCount, 301);
    EXPECT_EQ(pumps, (std::vector<int>{0, 128, 256}));
    EXPECT_EQ(numbers.size(), 300u);
    EXPECT_FALSE(ListLoading);
}

TEST(EloList, RecordsAcrossReadChunks)
{
    // Records are cut out of 1 MiB reads: 30,000 of them cross a few.
    std::string text = Header;
    for (int i = 1; i <= 30000; ++i)
        text += Row(std::to_string(i), "P", i % 1000 == 0 ? "2" : "1");
    const Rows rows = Read(text);
    ASSERT_EQ(rows.size(), 30000u);
    for (std::size_t r = 0; r < rows.size(); ++r)
        ASSERT_EQ(rows[r][0], std::to_string(r + 1));
}

TEST(EloList, BusyWhileAnotherListLoads)
{
    ListLoadingGuard busy;
    int calls = 0;
    EloLoadHooks hooks;
    hooks.Pump = [&](int) { ++calls; };
    hooks.OnLayout = [&](const EloLayout&) { ++calls; };
    const EloLoadResult result = LoadEloList(MemoryByteSource(Header + Row("1", "A", "1")), hooks);
    EXPECT_EQ(result.Status, EloLoadStatus::Busy);
    EXPECT_EQ(calls, 0);
    EXPECT_TRUE(ListLoading);
}

TEST(EloList, SampleList)
{
    const EloListFile file(VELMORA_SAMPLES_DIR "/velmora-elo.txt");
    ASSERT_TRUE(file.IsOpen());
    const EloListRows list = ReadEloListRows(file.Source());
    ASSERT_EQ(list.Status, EloLoadStatus::Loaded);
    ASSERT_EQ(list.Rows.size(), 40u);
    EXPECT_EQ(list.Rows[0], (std::vector<std::string>{"4100012", "Dvo\xF8\xE1k,Tom\xE1\x9A", "GM",
                                                      "CZE", "2598", "9", "1965.03.12"}));
    EXPECT_EQ(list.Rows[1][6], "1992.09.05"); // a two-digit year
    EXPECT_EQ(list.Rows[4][2], "");           // no title
    EXPECT_EQ(list.Rows[5][6], "");           // no birth date
    EXPECT_FALSE(EloListFile("/nonexistent/list.txt").IsOpen());
}

// Junk after a valid header, and junk headers: every row has one field per
// column, and no field holds a line end or a control byte.
TEST(EloList, JunkNeverBreaksTheReader)
{
    std::mt19937 random(1234);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 3000);
    for (int round = 0; round < 200; ++round) {
        std::string text = round % 2 == 0 ? Header : std::string("ID");
        const int n = length(random);
        for (int i = 0; i < n; ++i)
            text += static_cast<char>(byte(random));
        const EloListRows list = ReadEloListRows(MemoryByteSource(text));
        if (round % 2 == 0) {
            ASSERT_EQ(list.Status, EloLoadStatus::Loaded);
        }
        for (const auto& row : list.Rows) {
            ASSERT_EQ(row.size(), list.Layout.Columns.size());
            for (const std::string& field : row)
                for (const char c : field)
                    ASSERT_GT(static_cast<unsigned char>(c), 0x1F) << "round " << round;
        }
    }
}

} // namespace
