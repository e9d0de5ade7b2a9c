// Rows of the cell store written whole (packed into its blocks of text): what
// they read, and what every later change of a cell, a row, a column or a
// copy of the store makes of them, against the same changes on rows written
// cell by cell.
#include "platform/GridCells.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

Texts RowTexts(int r, int cols)
{
    Texts texts(static_cast<std::size_t>(cols));
    for (int c = 0; c < cols; ++c)
        if (c != 1)
            texts[c].append("r").append(std::to_string(r)).append("c").append(std::to_string(c));
    return texts;
}

// The same rows written whole, or cell by cell.
TGridCells Filled(bool packed, int cols = 4, int rows = 6)
{
    TGridCells cells(cols, rows);
    for (int r = 0; r < rows; ++r) {
        const Texts texts = RowTexts(r, cols);
        if (packed)
            cells.SetRowTexts(r, texts);
        else
            for (int c = 0; c < cols; ++c)
                cells.SetCell(c, r, texts[c]);
    }
    return cells;
}

std::vector<Texts> All(const TGridCells& cells)
{
    std::vector<Texts> all;
    for (int r = 0; r < cells.RowCount(); ++r) {
        all.emplace_back();
        for (int c = 0; c < cells.ColCount(); ++c)
            all.back().emplace_back(cells.Cell(c, r));
    }
    return all;
}

TEST(PackedCells, EveryChangeGivesWhatRowsOfStringsGive)
{
    int object = 0;
    struct Case {
        const char* name;
        std::function<void(TGridCells&)> change;
    };
    const std::vector<Case> cases = {
        {"nothing", [](TGridCells&) {}},
        {"a cell written", [](TGridCells& c) { c.SetCell(2, 3, "new"); }},
        {"an object set", [&object](TGridCells& c) { c.SetObject(3, 1, &object); }},
        {"a row cleared", [](TGridCells& c) { c.ClearRow(2); }},
        {"a row assigned",
         [](TGridCells& c) {
             c.AssignRow(4, TGridRow{{"a", "b"}, {}});
         }},
        {"rows moved", [](TGridCells& c) { c.MoveRow(0, 4); }},
        {"a row deleted", [](TGridCells& c) { c.DeleteRow(1); }},
        {"rows permuted",
         [](TGridCells& c) {
             c.PermuteRows(1, {5, 3, 1, 2, 4});
         }},
        {"a column moved", [](TGridCells& c) { c.MoveColumn(3, 0); }},
        {"a column deleted", [](TGridCells& c) { c.DeleteColumn(2); }},
        {"a column cleared", [](TGridCells& c) { c.ClearColumn(0); }},
        {"narrower, then wider",
         [](TGridCells& c) {
             c.SetSize(2, 6);
             c.SetSize(5, 6);
         }},
        {"wider", [](TGridCells& c) { c.SetSize(6, 6); }},
        {"fewer rows, then more",
         [](TGridCells& c) {
             c.SetSize(4, 2);
             c.SetSize(4, 5);
         }},
        {"a row written whole again", [](TGridCells& c) { c.SetRowTexts(2, Texts{"x"}); }},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TGridCells packed = Filled(true);
        TGridCells strings = Filled(false);
        k.change(packed);
        k.change(strings);
        ASSERT_EQ(packed.ColCount(), strings.ColCount());
        EXPECT_EQ(All(packed), All(strings));
        for (int r = 0; r < packed.RowCount(); ++r)
            for (int c = 0; c < packed.ColCount(); ++c)
                EXPECT_EQ(packed.Object(c, r), strings.Object(c, r)) << c << "," << r;
    }
}

TEST(PackedCells, CopiesGoTheirOwnWay)
{
    TGridCells original = Filled(true, 3, 4);
    TGridCells copy = original;
    // Both write more packed rows: neither may write over the other's.
    original.SetSize(3, 8);
    copy.SetSize(3, 8);
    for (int r = 4; r < 8; ++r) {
        original.SetRowTexts(r, Texts{"orig" + std::to_string(r), "o", "o"});
        copy.SetRowTexts(r, Texts{"copy" + std::to_string(r), "c"});
    }
    copy.SetCell(0, 0, "changed");
    EXPECT_EQ(original.Cell(0, 0), "r0c0");
    EXPECT_EQ(copy.Cell(0, 0), "changed");
    for (int r = 4; r < 8; ++r) {
        EXPECT_EQ(original.Cell(0, r), "orig" + std::to_string(r));
        EXPECT_EQ(original.Cell(2, r), "o");
        EXPECT_EQ(copy.Cell(0, r), "copy" + std::to_string(r));
        EXPECT_EQ(copy.Cell(2, r), "");
    }
    EXPECT_EQ(copy.Cell(2, 3), "r3c2");
    original = TGridCells(1, 1);
    EXPECT_EQ(copy.Cell(2, 3), "r3c2");
}

TEST(PackedCells, TextsOfAnySizeAndByte)
{
    const std::string big(70000, 'x');
    const std::string bytes("a\0b\xFF", 4);
    TGridCells cells(3, 3000);
    for (int r = 0; r < 3000; ++r)
        cells.SetRowTexts(r, Texts{std::to_string(r), r == 7 ? big : bytes, std::string(400, 'y')});
    EXPECT_EQ(cells.Cell(1, 7), big);
    EXPECT_EQ(cells.Cell(1, 8), bytes);
    // Rows spread over many blocks read back whole.
    for (int r : {0, 1234, 2999}) {
        EXPECT_EQ(cells.Cell(0, r), std::to_string(r));
        EXPECT_EQ(cells.Cell(2, r), std::string(400, 'y'));
    }
    EXPECT_EQ(cells.Row(8).Texts, (Texts{"8", bytes, std::string(400, 'y')}));
}

} // namespace
