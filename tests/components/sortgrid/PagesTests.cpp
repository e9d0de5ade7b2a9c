// Page arithmetic of grid printing: column bands, page breaks, labels and
// footer texts, on plain sizes.
#include "components/SortGridPages.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

TPageFrame Frame(int width, int height)
{
    TPageFrame f;
    f.PageWidth = width;
    f.PageHeight = height;
    f.TitleHeight = 20;
    f.FooterHeight = 10;
    return f;
}

std::vector<std::pair<int, int>> BandsOf(const std::vector<TPrintBand>& bands)
{
    std::vector<std::pair<int, int>> out;
    for (const TPrintBand& b : bands)
        out.emplace_back(b.FirstCol, b.LastCol);
    return out;
}

// Rows per page, band by band.
std::vector<int> RowsPerPage(const TPrintLayout& layout, const std::vector<int>& heights)
{
    std::vector<int> out;
    for (const TPrintPage& p : layout.Pages) {
        int n = 0;
        for (int r = p.FirstRow; r <= p.LastRow; ++r)
            n += heights[static_cast<std::size_t>(r)] > 0;
        out.push_back(n);
    }
    return out;
}

TEST(PrintPages, ColumnsFormBandsThatFitThePage)
{
    struct Case {
        const char* name;
        std::vector<int> widths;
        int marginLeft, marginRight;
        double scale;
        std::vector<std::pair<int, int>> bands;
    };
    const std::vector<Case> cases = {
        {"two bands", {100, 100, 100, 50}, 0, 0, 1.0, {{0, 1}, {2, 3}}},
        {"one band", {100, 98}, 0, 0, 1.0, {{0, 1}}},
        {"too wide for any page", {50, 500, 50}, 0, 0, 1.0, {{0, 0}, {1, 1}, {2, 2}}},
        {"hidden columns take no room", {100, 0, 0, 250, 0}, 0, 0, 1.0, {{0, 2}, {3, 4}}},
        {"margins scaled", {40, 40, 40}, 60, 60, 2.0, {{0, 0}, {1, 1}, {2, 2}}},
        {"negative margins count as none", {149, 149}, -50, -50, 1.0, {{0, 1}}},
        {"only hidden columns", {0, 0}, 0, 0, 1.0, {{0, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TPageFrame f = Frame(300, 1000);
        f.MarginLeft = c.marginLeft;
        f.MarginRight = c.marginRight;
        f.ScaleX = c.scale;
        EXPECT_EQ(BandsOf(ColumnBands(c.widths, f)), c.bands);
    }
}

TEST(PrintPages, RowsBreakWhereTheFooterBegins)
{
    struct Case {
        const char* name;
        int pageHeight;
        std::vector<int> heights; // row 0 first
        std::vector<int> perPage;
    };
    std::vector<int> even(100, 19);
    std::vector<int> tall = even;
    tall[50] = 2000;
    std::vector<int> hidden = even;
    for (int r = 1; r < 100; r += 2)
        hidden[static_cast<std::size_t>(r)] = 0;
    const std::vector<Case> cases = {
        // Rows start at 20 + 19 and must end by 1000 - (20 + 10): 49 fit exactly.
        {"even rows", 1000, even, {49, 49, 1}},
        {"a row taller than a page stands alone", 1000, tall, {49, 1, 49}},
        {"hidden rows take no room", 1000, hidden, {49}},
        {"a tiny page holds one row each", 5, std::vector<int>(6, 19), {1, 1, 1, 1, 1}},
        {"a title row alone", 1000, {19}, {0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TPrintLayout layout = PaginateRows(
            {100}, c.heights, 1, static_cast<int>(c.heights.size()) - 1, Frame(300, c.pageHeight));
        EXPECT_EQ(RowsPerPage(layout, c.heights), c.perPage);
    }
}

TEST(PrintPages, BandsRepeatThePageBreaksAndLabelThem)
{
    const std::vector<int> heights(100, 19);
    const TPrintLayout layout = PaginateRows({200, 200}, heights, 1, 99, Frame(300, 1000));
    std::vector<std::string> labels;
    for (const TPrintPage& p : layout.Pages)
        labels.push_back(PageLabel(p, static_cast<int>(layout.Bands.size())).toStdString());
    EXPECT_EQ(labels, std::vector<std::string>({"Page 1-1", "Page 2-1", "Page 3-1", "Page 1-2",
                                                "Page 2-2", "Page 3-2"}));
    const TPrintLayout single = PaginateRows({200}, heights, 1, 99, Frame(300, 1000));
    EXPECT_EQ(PageLabel(single.Pages[2], 1), QStringLiteral("Page 3"));
    EXPECT_EQ(single.HeaderTop, 20);
    EXPECT_EQ(single.RowsTop, 39);
    EXPECT_EQ(single.RowsBottom, 970);
}

TEST(PrintPages, LengthsScaleRoundedAndBounded)
{
    EXPECT_EQ(PrinterScale(19, 6.25), 119);
    EXPECT_EQ(PrinterScale(2, 0.75), 2);
    EXPECT_EQ(PrinterScale(-5, 6.25), 0);
    EXPECT_GT(PrinterScale(INT_MAX, 6.25), 0);
    EXPECT_LE(PrinterScale(INT_MAX, 6.25), 1 << 28);
}

TEST(PrintPages, FooterTemplatesFillTheirThreeParts)
{
    struct Case {
        const char* footer;
        std::vector<std::string> parts;
    };
    const std::vector<Case> cases = {
        {"date|time|page", {"9-Mar-2024", "10:30", "Page 2"}},
        {"word date||page", {"word 9-Mar-2024", "", "Page 2"}},
        {"page of date, page again|", {"Page 2 of 9-Mar-2024, page again", "", ""}},
        {"a|b|c|d", {"a", "b", "c"}},
        {"Date", {"Date", "", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.footer);
        const auto parts = FooterParts(QString::fromLatin1(c.footer), QStringLiteral("9-Mar-2024"),
                                       QStringLiteral("10:30"), QStringLiteral("Page 2"));
        EXPECT_EQ(std::vector<std::string>(
                      {parts[0].toStdString(), parts[1].toStdString(), parts[2].toStdString()}),
                  c.parts);
    }
}

} // namespace
