// The column finder, the text cleaner and the birth dates of rating lists.
#include "database/EloLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

// The header of the sample list: Name runs into Titl, COUNTRY at column 3,
// BIRTHDAY at column 6.
const std::string SampleHeader =
    "ID_NUMBER NameTitl                            COUNTRY  Rtg   Gms  BIRTHDAY   \r\n";

std::vector<std::string> Titles(const EloLayout& layout)
{
    std::vector<std::string> titles;
    for (const EloColumn& c : layout.Columns)
        titles.push_back(c.Title);
    return titles;
}

std::vector<std::pair<int, int>> DataRanges(const EloLayout& layout)
{
    std::vector<std::pair<int, int>> ranges;
    for (const EloColumn& c : layout.Columns)
        ranges.emplace_back(c.DataStart, c.DataEnd);
    return ranges;
}

TEST(EloLayout, SampleHeaderShiftsThreeColumns)
{
    const auto layout = ReadEloLayout(SampleHeader);
    ASSERT_TRUE(layout);
    EXPECT_EQ(Titles(*layout), (std::vector<std::string>{"Id_number", "Name", "Title", "Country",
                                                         "Rtg", "Gms", "Birthday"}));
    // Name at least 31 wide (Titl's data at 10 + 31), COUNTRY one later,
    // BIRTHDAY one earlier; each range ends where the next begins.
    EXPECT_EQ(DataRanges(*layout),
              (std::vector<std::pair<int, int>>{
                  {0, 10}, {10, 41}, {41, 47}, {47, 55}, {55, 61}, {61, 65}, {65, 77}}));
    EXPECT_EQ(layout->Columns[2].HeaderStart, 14);
    EXPECT_EQ(layout->Columns[2].HeaderEnd, 46);
    EXPECT_EQ(layout->BirthColumn, 6);
    EXPECT_EQ(layout->RecordLength, SampleHeader.size());
    // Pixels: 11 a byte, 8 for the name column.
    EXPECT_EQ(layout->Columns[0].Width, 110);
    EXPECT_EQ(layout->Columns[1].Width, 31 * 8);
    EXPECT_EQ(layout->Columns[2].Width, 6 * 11);
}

TEST(EloLayout, TwentyColumnHeader)
{
    // Words of capitals stay one column; a capital after a lower-case
    // letter starts one; "ID" keeps only its first letter upper-case.
    std::string header = "ID NAME" + std::string(27, ' ') + "FedSexTit WTit OTit";
    for (int i = 0; i < 11; ++i)
        header += " R" + std::to_string(i) + "x";
    header += " COUNtry BIRThday\r\n";
    const auto layout = ReadEloLayout(header);
    ASSERT_TRUE(layout);
    const std::vector<std::string> titles = Titles(*layout);
    ASSERT_EQ(titles.size(), 20u);
    EXPECT_EQ(titles[0], "Id");
    EXPECT_EQ(titles[1], "Name");
    EXPECT_EQ(titles[2], "Fed");
    EXPECT_EQ(titles[3], "Sex");
    EXPECT_EQ(titles[4], "Tit");
    EXPECT_EQ(titles[18], "Country");
    EXPECT_EQ(titles[19], "Birthday");
    // COUN and BIRT shift only at columns 3 and 6.
    for (const EloColumn& c : layout->Columns)
        EXPECT_EQ(c.DataStart, c.HeaderStart) << c.Title;
    EXPECT_EQ(layout->BirthColumn, -1);
    EXPECT_EQ(layout->Columns.back().DataEnd, static_cast<int>(header.size()) - 2);
}

TEST(EloLayout, LineEnds)
{
    const auto crlf = ReadEloLayout("ID Name\r\n1 A\r\n");
    const auto lf = ReadEloLayout("ID Name\n1 A\n");
    ASSERT_TRUE(crlf && lf);
    EXPECT_EQ(crlf->RecordLength, 9u);
    EXPECT_EQ(lf->RecordLength, 8u);
    EXPECT_EQ(lf->Columns.back().DataEnd, 7);
}

TEST(EloLayout, RefusesWhatIsNoList)
{
    std::string manyColumns = "ID";
    for (int i = 0; i < MaxEloColumns; ++i)
        manyColumns += " C";
    const struct {
        const char* Name;
        std::string Head;
    } cases[] = {
        {"empty", ""},
        {"one byte", "I"},
        {"no ID", "Name Rtg\r\n"},
        {"lower-case id", "id Name\r\n"},
        {"no line end in the header bytes", "ID" + std::string(EloHeaderBytes, ' ') + "\r\n"},
        {"too many columns", manyColumns + "\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_FALSE(ReadEloLayout(c.Head));
    }
    EXPECT_TRUE(ReadEloLayout(manyColumns.substr(0, manyColumns.size() - 2) + "\r\n"));
}

TEST(EloLayout, CleanedTexts)
{
    const struct {
        std::string Text;
        bool Title;
        const char* Expected;
    } cases[] = {
        {"   Dvo\xF8\xE1k, Tom\xE1\x9A   ", false, "Dvo\xF8\xE1k,Tom\xE1\x9A"},
        {"GM    ", false, "GM"},
        {"de la Cruz  Jr", false, "de la Cruz"},
        {"trailing ", false, "trailing"},
        {"a.  b", false, "a."},
        {"tab\tin", false, "tab in"},
        {"nul\0in"s, false, "nul in"},
        {"cut\r\nnext", false, "cut"},
        {"NAME", true, "Name"},
        {"ID_NUMBER", true, "Id_number"},
        {"Titl                ", true, "Titl"},
        {"B-DAY", true, "B-day"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(CleanEloText(c.Text, 0, static_cast<int>(c.Text.size()), c.Title), c.Expected);
    }
    // Ranges outside the line are cut to it.
    EXPECT_EQ(CleanEloText("abc", -5, 99, false), "abc");
    EXPECT_EQ(CleanEloText("abc", 7, 3, false), "");
}

TEST(EloLayout, BirthDates)
{
    const struct {
        const char* Line;
        int Start;
        const char* Expected;
    } cases[] = {
        {"12.03.1965  ", 0, "1965.03.12"},
        {"12.03.65    ", 0, "1965.03.12"},
        {"12/03/65", 0, "1965.03.12"}, // the line ends after the year
        {"x 05-09-1992", 2, "1992.09.05"},
        {" 5.09.92  ", 0, "1992.09. 5"},
        {"            ", 0, ""},
        {"1.", 0, ""},
        {"", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Line);
        EXPECT_EQ(EloBirthDate(c.Line, c.Start), c.Expected);
    }
}

} // namespace
