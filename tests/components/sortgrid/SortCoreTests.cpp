// The sort on the cell store: detection, stable whole-row sorts, bounds, undo.
#include "components/SortGridSort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

namespace {

TFormatSettings Fixed()
{
    TFormatSettings fs;
    fs.CollationLocale = QLocale(QLocale::English, QLocale::UnitedStates);
    return fs;
}

// Joins texts (operator+ on a literal trips a false -Wrestrict warning in GCC 12).
std::string Cat(std::initializer_list<std::string> pieces)
{
    std::string out;
    for (const std::string& p : pieces)
        out.append(p);
    return out;
}

// A store with a header row, one column of keys and a column of row tags.
TGridCells Column(const std::vector<std::string>& keys)
{
    TGridCells cells(2, static_cast<int>(keys.size()) + 1);
    cells.SetCell(0, 0, "key");
    cells.SetCell(1, 0, "tag");
    for (std::size_t i = 0; i < keys.size(); ++i) {
        cells.SetCell(0, static_cast<int>(i) + 1, keys[i]);
        cells.SetCell(1, static_cast<int>(i) + 1, Cat({"r", std::to_string(i + 1)}));
    }
    return cells;
}

std::vector<std::string> Col(const TGridCells& cells, int col, int from = 1)
{
    std::vector<std::string> out;
    for (int r = from; r < cells.RowCount(); ++r)
        out.emplace_back(cells.Cell(col, r));
    return out;
}

TSortRows Data(const TGridCells& cells)
{
    return {1, cells.RowCount() - 1};
}

using Keys = std::vector<std::string>;

TEST(SortCore, DetectsTheStyleOfAColumn)
{
    struct Case {
        const char* name;
        Keys keys;
        bool useDateTime;
        TSortStyle expected;
    };
    const std::vector<Case> cases = {
        {"numbers with blanks", {"3", "", "-1.5", "2e3"}, false, TSortStyle::ssNumeric},
        {"all empty", {"", "", ""}, true, TSortStyle::ssNumeric},
        {"dates", {"1/2/2003", "12/31/1999 10:00"}, true, TSortStyle::ssDateTime},
        {"times convert as date-times", {"9:15", "10:30"}, true, TSortStyle::ssDateTime},
        {"times without date-time use", {"9:15", "10:30"}, false, TSortStyle::ssAlphabetic},
        {"dates without date-time use",
         {"1/2/2003", "12/31/1999"},
         false,
         TSortStyle::ssAlphabetic},
        {"a blank spoils dates", {"1/2/2003", ""}, true, TSortStyle::ssAlphabetic},
        {"mixed", {"12", "abc"}, true, TSortStyle::ssAlphabetic},
        {"nan inf hex are text", {"nan", "inf", "0x10"}, false, TSortStyle::ssAlphabetic},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TGridCells cells = Column(c.keys);
        EXPECT_EQ(DetectSortStyle(cells, 0, Data(cells), c.useDateTime, Fixed()), c.expected);
    }
    const TGridCells none = Column({});
    EXPECT_EQ(DetectSortStyle(none, 0, Data(none), true, Fixed()), TSortStyle::ssNumeric);
}

TEST(SortCore, SortsStablyInBothDirections)
{
    struct Case {
        const char* name;
        Keys keys;
        TSortStyle style;
        TSortDirection direction;
        bool caseSensitive;
        Keys expectedTags;
    };
    const std::vector<Case> cases = {
        {"numeric ascending ranks blanks at -0.2",
         {"0", "abc", "-1", ""},
         TSortStyle::ssNumeric,
         TSortDirection::sdAscending,
         false,
         {"r3", "r2", "r4", "r1"}},
        {"numeric descending keeps tie order",
         {"0", "abc", "-1", ""},
         TSortStyle::ssNumeric,
         TSortDirection::sdDescending,
         false,
         {"r1", "r2", "r4", "r3"}},
        {"letters ignore case by default",
         {"b", "A", "a", "B"},
         TSortStyle::ssAlphabetic,
         TSortDirection::sdAscending,
         false,
         {"r2", "r3", "r1", "r4"}},
        {"letters descending keep tie order",
         {"b", "A", "a", "B"},
         TSortStyle::ssAlphabetic,
         TSortDirection::sdDescending,
         false,
         {"r1", "r4", "r2", "r3"}},
        {"times by value",
         {"10:30", "9:15", "23:59"},
         TSortStyle::ssTime,
         TSortDirection::sdAscending,
         false,
         {"r2", "r1", "r3"}},
        {"times as text",
         {"10:30", "9:15"},
         TSortStyle::ssAlphabetic,
         TSortDirection::sdAscending,
         false,
         {"r1", "r2"}},
        {"dates by value",
         {"1/2/2003", "12/31/1999", "6/1/2003"},
         TSortStyle::ssDateTime,
         TSortDirection::sdAscending,
         false,
         {"r2", "r1", "r3"}},
        {"custom without compare sorts by letters",
         {"pear", "apple", "fig"},
         TSortStyle::ssCustom,
         TSortDirection::sdAscending,
         false,
         {"r2", "r3", "r1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TGridCells cells = Column(c.keys);
        TSortOptions options;
        options.SortStyle = c.style;
        options.SortDirection = c.direction;
        options.SortCaseSensitive = c.caseSensitive;
        TSortedList list;
        ASSERT_TRUE(
            SortRowsByColumn(cells, 0, Data(cells), options, Fixed(), TTextCodec::Latin1(), list));
        EXPECT_EQ(Col(cells, 1), c.expectedTags);
        EXPECT_EQ(cells.Cell(0, 0), "key");
    }
}

TEST(SortCore, CaseSensitivityDecidesTheStoredKeys)
{
    for (bool sensitive : {false, true}) {
        SCOPED_TRACE(sensitive ? "case-sensitive" : "case-insensitive");
        TGridCells cells = Column({"abc", "Abd"});
        TSortOptions options;
        options.SortStyle = TSortStyle::ssCustom;
        options.SortCaseSensitive = sensitive;
        std::vector<std::string> seen;
        options.SortCompare = [&](const std::string& a, const std::string& b) {
            seen.push_back(a);
            seen.push_back(b);
            return a.compare(b);
        };
        TSortedList list;
        ASSERT_TRUE(
            SortRowsByColumn(cells, 0, Data(cells), options, Fixed(), TTextCodec::Latin1(), list));
        // Byte order puts "Abd" before "abc" only when the case is kept.
        EXPECT_EQ(Col(cells, 1), sensitive ? Keys({"r2", "r1"}) : Keys({"r1", "r2"}));
        ASSERT_FALSE(seen.empty());
        const bool upper = std::all_of(seen.begin(), seen.end(), [](const std::string& s) {
            return s == "ABC" || s == "ABD";
        });
        EXPECT_EQ(upper, !sensitive);
    }
}

TEST(SortCore, MovesWholeRowsAndLeavesOtherRowsAlone)
{
    TGridCells cells(3, 7);
    int objects[7];
    const Keys keys = {"h", "e", "c", "b", "a", "f1", "f2"};
    for (int r = 0; r < 7; ++r) {
        cells.SetCell(0, r, keys[r]);
        cells.SetCell(1, r, Cat({"x", keys[r]}));
        cells.SetObject(2, r, &objects[r]);
    }
    // Row 0 fixed, the last two rows kept out as a footer.
    TSortOptions options;
    options.SortStyle = TSortStyle::ssAlphabetic;
    TSortedList list;
    ASSERT_TRUE(SortRowsByColumn(cells, 0, {1, 4}, options, Fixed(), TTextCodec::Latin1(), list));
    EXPECT_EQ(Col(cells, 0, 0), Keys({"h", "a", "b", "c", "e", "f1", "f2"}));
    for (int r = 0; r < 7; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(cells.Cell(1, r), Cat({"x", std::string(cells.Cell(0, r))}));
        const auto it = std::find(keys.begin(), keys.end(), cells.Cell(0, r));
        EXPECT_EQ(cells.Object(2, r), &objects[it - keys.begin()]);
    }
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.GetItem(0)->RowNum, 4);
    EXPECT_EQ(list.GetItem(4), nullptr);

    ASSERT_TRUE(UnsortRows(cells, {1, 4}, list));
    EXPECT_EQ(Col(cells, 0, 0), keys);
}

TEST(SortCore, RefusesColumnsAndRowsOutsideTheStore)
{
    TGridCells cells = Column({"b", "a"});
    const TGridCells before = cells;
    TSortOptions options;
    TSortedList list;
    EXPECT_FALSE(
        SortRowsByColumn(cells, 2, Data(cells), options, Fixed(), TTextCodec::Latin1(), list));
    EXPECT_FALSE(
        SortRowsByColumn(cells, -1, Data(cells), options, Fixed(), TTextCodec::Latin1(), list));
    EXPECT_FALSE(SortRowsByColumn(cells, 0, {1, 5}, options, Fixed(), TTextCodec::Latin1(), list));
    EXPECT_EQ(Col(cells, 0), Col(before, 0));
    TSortedList wrong;
    wrong.Add({"a", 1});
    EXPECT_FALSE(UnsortRows(cells, Data(cells), wrong));
}

TEST(SortCore, AnyComparisonKeepsTheRowsAPermutation)
{
    // Dates mixed with garbage make the date comparison intransitive; a
    // custom compare that answers at random is no order at all.
    std::mt19937 rng(7);
    Keys keys;
    for (int i = 0; i < 5000; ++i)
        keys.push_back(
            i % 3 == 0 ? Cat({"junk", std::to_string(i)})
                       : Cat({std::to_string(1 + i % 12), "/1/20", std::to_string(10 + i % 80)}));
    for (int variant = 0; variant < 2; ++variant) {
        SCOPED_TRACE(variant == 0 ? "forced dates" : "random compare");
        TGridCells cells = Column(keys);
        TSortOptions options;
        options.SortStyle = variant == 0 ? TSortStyle::ssDateTime : TSortStyle::ssCustom;
        if (variant == 1)
            options.SortCompare = [&](const std::string&, const std::string&) {
                return int(rng() % 3) - 1;
            };
        TSortedList list;
        ASSERT_TRUE(
            SortRowsByColumn(cells, 0, Data(cells), options, Fixed(), TTextCodec::Latin1(), list));
        Keys after = Col(cells, 0);
        Keys sortedBefore = keys;
        std::sort(after.begin(), after.end());
        std::sort(sortedBefore.begin(), sortedBefore.end());
        EXPECT_EQ(after, sortedBefore);
    }
}

} // namespace
