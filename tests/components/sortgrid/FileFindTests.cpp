// The sortable grid's text files and searches: round trips, line ends,
// failed loads and saves that leave grid and file whole, hostile files, and
// find first / next / IsCell.
#include "components/SortGrid.h"
#include "tests/support/FullDisk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Rows = std::vector<std::vector<std::string>>;

std::unique_ptr<TSortGrid> Grid(const Rows& rows)
{
    auto g = std::make_unique<TSortGrid>();
    g->SetColCount(static_cast<int>(rows[0].size()));
    g->SetRowCount(static_cast<int>(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            g->SetCells(static_cast<int>(c), static_cast<int>(r), rows[r][c]);
    return g;
}

Rows Texts(const TSortGrid& g)
{
    Rows out;
    for (int r = 0; r < g.RowCount(); ++r) {
        out.emplace_back();
        for (int c = 0; c < g.ColCount(); ++c)
            out.back().emplace_back(g.Cells(c, r));
    }
    return out;
}

class GridFile : public ::testing::Test {
protected:
    std::string Path(const char* name) const
    {
        return dir_.filePath(QString::fromLatin1(name)).toStdString();
    }
    std::string Write(const char* name, const std::string& bytes) const
    {
        const std::string path = Path(name);
        QFile f(QString::fromStdString(path));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return path;
    }
    static std::string Read(const std::string& path)
    {
        QFile f(QString::fromStdString(path));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll().toStdString();
    }

    QTemporaryDir dir_;
};

TEST_F(GridFile, SavesLinesAndReadsThemBack)
{
    auto g = Grid({{"a", "b", "c"}, {"d", "", "f"}});
    const std::string path = Path("grid.txt");
    ASSERT_TRUE(g->SaveToFile(path, ';'));
    EXPECT_EQ(Read(path), "a;b;c\r\nd;;f\r\n");
    auto back = Grid({{"x"}});
    ASSERT_TRUE(back->LoadFromFile(path, ';'));
    EXPECT_EQ(Texts(*back), Texts(*g));
}

TEST_F(GridFile, LoadsEveryKindOfLine)
{
    struct Case {
        const char* name;
        std::string bytes;
        Rows expected;
    };
    const std::vector<Case> cases = {
        {"widest line decides",
         "a;b\r\n1;2;3;4;5\r\nx;y;z",
         {{"a", "b", "", "", ""}, {"1", "2", "3", "4", "5"}, {"x", "y", "z", "", ""}}},
        {"CR, LF and CR LF", "a\rb\nc\r\nd", {{"a", ""}, {"b", ""}, {"c", ""}, {"d", ""}}},
        {"blank lines and a trailing separator", "a;\n\nb", {{"a", ""}, {"", ""}, {"b", ""}}},
        {"empty file", "", {{"", ""}}},
        {"NUL bytes are cell bytes", std::string("a\0b;c\n", 6), {{std::string("a\0b", 3), "c"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto g = Grid({{"old", "old", "old"}, {"old", "old", "old"}}); // one fixed column
        g->SetSortDirection(TSortDirection::sdDescending);
        ASSERT_TRUE(g->LoadFromFile(Write("in.txt", c.bytes), ';'));
        EXPECT_EQ(Texts(*g), c.expected);
        EXPECT_EQ(g->SortDirection(), TSortDirection::sdAscending);
    }
}

TEST_F(GridFile, AFailedLoadLeavesTheGridAsItWas)
{
    auto g = Grid({{"keep", "me"}, {"as", "is"}});
    const Rows before = Texts(*g);
    EXPECT_FALSE(g->LoadFromFile(Path("missing.txt"), ';'));
    EXPECT_FALSE(g->FileError().isEmpty());
    EXPECT_FALSE(g->LoadFromFile(dir_.path().toStdString(), ';')); // a directory
    // Too many cells: 17 million separators on one line.
    EXPECT_FALSE(g->LoadFromFile(Write("wide.txt", std::string(17'000'000, ';')), ';'));
    EXPECT_EQ(Texts(*g), before);
}

TEST_F(GridFile, LongLinesAndAMillionLinesLoad)
{
    auto g = Grid({{"x"}});
    const std::string longLine(3'000'000, 'q');
    ASSERT_TRUE(g->LoadFromFile(Write("long.txt", longLine + "\n" + longLine + ";z"), ';'));
    EXPECT_EQ(g->RowCount(), 2);
    EXPECT_EQ(g->Cells(0, 1).size(), longLine.size());
    EXPECT_EQ(g->Cells(1, 1), "z");

    std::string many;
    for (int i = 0; i < 1'000'000; ++i)
        many += std::to_string(i % 10) + ";\n";
    ASSERT_TRUE(g->LoadFromFile(Write("many.txt", many), ';'));
    EXPECT_EQ(g->RowCount(), 1'000'000);
    EXPECT_EQ(g->ColCount(), 2);
    EXPECT_EQ(g->Cells(0, 999'999), "9");
}

TEST_F(GridFile, AFailedSaveLeavesTheOldFileWhole)
{
    // A save that fails half-way: files may not grow beyond 64 KiB.
    Rows rows(5000, std::vector<std::string>{"some text", "more text", "and more"});
    auto g = Grid(rows);
    const std::string path = Write("old.txt", "old;contents\r\n");
    bool ok = true;
    {
        const ScopedFullDisk full(64 * 1024);
        ok = g->SaveToFile(path, ';');
    }
    EXPECT_FALSE(ok);
    EXPECT_EQ(Read(path), "old;contents\r\n");
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.txt")});
    EXPECT_FALSE(g->SaveToFile(Path("no/such/dir/x.txt"), ';'));
}

TEST(GridFind, FindFirstAndNextStayInTheirRectangle)
{
    auto g = Grid({{"Name", "Event", "Site", "Note"},
                   {"Standard", "x", "stand", "STANDARD"},
                   {"and", "", "band", "AND"},
                   {"Sand", "sandbox", "", ""}});
    struct Case {
        const char* name;
        bool caseSensitive;
        int col, row, lastCol, lastRow;
        std::vector<std::pair<int, int>> hits;
    };
    const std::vector<Case> cases = {
        {"case-insensitive whole grid",
         false,
         0,
         0,
         3,
         3,
         {{0, 1}, {2, 1}, {3, 1}, {0, 2}, {2, 2}, {3, 2}, {0, 3}, {1, 3}}},
        {"case-sensitive", true, 0, 0, 3, 3, {{0, 1}, {2, 1}, {0, 2}, {2, 2}, {0, 3}, {1, 3}}},
        {"columns 2 to 3 only", false, 2, 1, 3, 2, {{2, 1}, {3, 1}, {2, 2}, {3, 2}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g->CaseSensitive = c.caseSensitive;
        int col = c.col;
        int row = c.row;
        std::vector<std::pair<int, int>> hits;
        for (bool found = g->FindFirst("and", col, row, c.lastCol, c.lastRow); found;
             found = g->FindNext(col, row))
            hits.emplace_back(col, row);
        EXPECT_EQ(hits, c.hits);
        EXPECT_FALSE(g->FindNext(col, row)); // stays ended
    }
    g->CaseSensitive = false;
    int col = 0;
    int row = 0;
    EXPECT_FALSE(g->FindFirst("", col, row, 3, 3));    // an empty text finds nothing
    EXPECT_FALSE(g->FindFirst("and", col, row, 4, 3)); // outside the grid
    col = 0;
    row = 0;
    ASSERT_TRUE(g->FindFirst("and", col, row, 3, 3));
    g->SetRowCount(2); // the grid shrinks under the search
    EXPECT_TRUE(g->FindNext(col, row));
    EXPECT_EQ(std::make_pair(col, row), std::make_pair(2, 1));
    EXPECT_TRUE(g->FindNext(col, row));
    EXPECT_FALSE(g->FindNext(col, row));
}

TEST(GridFind, IsCellLooksColumnByColumnForAWholeText)
{
    Rows rows(10, std::vector<std::string>(4, ""));
    rows[7][3] = "Target";
    rows[9][1] = "TARGET";
    rows[2][0] = "Targets";
    auto g = Grid(rows);
    int col = -1;
    int row = -1;
    ASSERT_TRUE(g->IsCell("target", col, row));
    EXPECT_EQ(std::make_pair(col, row), std::make_pair(1, 9));
    EXPECT_FALSE(g->IsCell("arg", col, row));
    EXPECT_EQ(std::make_pair(col, row), std::make_pair(1, 9)); // unchanged
}

} // namespace
