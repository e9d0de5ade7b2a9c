#include "platform/Printer.h"

#include "platform/RichEdit.h"

#include "SampleRtf.h"
#include "tests/platform/richedit/TextFonts.h"
#include "tests/support/TestApp.h"

#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

struct MarginCase {
    const char* name;
    int dpi;
    double mm;
    int pixels;
    friend void PrintTo(const MarginCase& c, std::ostream* os) { *os << c.name; }
};

class PrinterMargins : public testing::TestWithParam<MarginCase> {};

TEST_P(PrinterMargins, Pixels)
{
    EXPECT_EQ(MarginPixels(GetParam().dpi, GetParam().mm), GetParam().pixels);
}

INSTANTIATE_TEST_SUITE_P(Cases, PrinterMargins,
                         testing::Values(MarginCase{"OneInch", 600, 25.4, 600},
                                         MarginCase{"Zero", 300, 0, 0},
                                         MarginCase{"RoundsUpFromHalf", 300, 0.05, 1},
                                         MarginCase{"RoundsDownBelowHalf", 300, 0.04, 0},
                                         MarginCase{"TenMm", 100, 10, 39},
                                         MarginCase{"TwentyMm", 100, 20, 79}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PrinterPageRect, MarginsAreMeasuredFromThePaperEdge)
{
    // 100 dpi, 850 x 1100 paper, 20 x 30 pixels unprintable at each edge.
    const FakePrinterDevice printer(100, 850, 1100, 20, 30);
    EXPECT_EQ(printer.PageWidth(), 810);
    EXPECT_EQ(printer.PageHeight(), 1040);
    const QRect r = PrintPageRect(printer, 10, 10, 20, 20);
    EXPECT_EQ(r.left(), 39 - 20);
    EXPECT_EQ(r.top(), 79 - 30);
    EXPECT_EQ(r.right() + 1, 810 - 39 - 20);
    EXPECT_EQ(r.bottom() + 1, 1040 - 79 - 30);
    // All margins 0: the rectangle starts at minus the physical offset.
    const QRect zero = PrintPageRect(printer, 0, 0, 0, 0);
    EXPECT_EQ(zero.topLeft(), QPoint(-20, -30));
    EXPECT_EQ(zero.right() + 1, 790);
    EXPECT_EQ(zero.bottom() + 1, 1010);
}

// The bounding box of everything not white on a page.
QRect Ink(const QImage& page)
{
    QRect box;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if ((page.pixel(x, y) & 0xffffff) != 0xffffff) box |= QRect(x, y, 1, 1);
    return box;
}

std::string LongGame(int moves)
{
    std::string body = sample::Header;
    for (int i = 1; i <= moves; ++i)
        body += std::to_string(i) + ".e4 e5 {\\par\\pard\\qj\\li130\\cf6\\fs24\\b0 A comment on "
                                    "the move\\par\\li0\\sa80\\sb50}";
    return sample::Prolog + body + "\\li10\\sb30\\sa200 \\par\\par}";
}

class PrinterTest : public testing::Test {
protected:
    void SetUp() override { TestApp(); }
};

TEST_F(PrinterTest, PagesStayInsideThePageRectangle)
{
    FakePrinterDevice printer(100, 850, 1100, 20, 30);
    TRichEdit edit;
    edit.LoadRtf(LongGame(60));
    edit.PageRect = PrintPageRect(printer, 15, 15, 20, 20);

    const int pages = edit.Print(printer, "").Pages;
    ASSERT_GE(pages, 2);
    ASSERT_EQ(static_cast<int>(printer.Pages.size()), pages);
    EXPECT_EQ(printer.Title, "");
    for (int i = 0; i < pages; ++i) {
        const QRect ink = Ink(printer.Pages[i]);
        ASSERT_FALSE(ink.isNull()) << "page " << i + 1 << " is empty";
        EXPECT_TRUE(edit.PageRect.contains(ink)) << "page " << i + 1;
    }
    // The text starts at the top-left of the rectangle (within a glyph's bearing).
    const QRect first = Ink(printer.Pages[0]);
    EXPECT_LE(first.left() - edit.PageRect.left(), 6);
    EXPECT_LE(first.top() - edit.PageRect.top(), 20);
}

TEST_F(PrinterTest, PageCountFollowsThePageHeight)
{
    TRichEdit edit;
    edit.LoadRtf(LongGame(60));
    FakePrinterDevice tall(100, 850, 2200, 0, 0);
    FakePrinterDevice shortPage(100, 850, 1100, 0, 0);
    edit.PageRect = PrintPageRect(tall, 10, 10, 10, 10);
    const int tallPages = edit.Print(tall, "").Pages;
    edit.PageRect = PrintPageRect(shortPage, 10, 10, 10, 10);
    const int shortPages = edit.Print(shortPage, "").Pages;
    EXPECT_GE(shortPages, 2 * tallPages - 1);
    EXPECT_LE(shortPages, 2 * tallPages + 1);
}

TEST_F(PrinterTest, EmptyPageRectanglePrintsNothing)
{
    FakePrinterDevice printer(100, 850, 1100, 20, 30);
    TRichEdit edit;
    edit.LoadRtf(sample::Game());
    edit.PageRect = QRect();
    const PrintResult result = edit.Print(printer, "");
    EXPECT_EQ(result.Pages, 0);
    EXPECT_FALSE(result.Ok);
    EXPECT_TRUE(printer.Pages.empty());
}

TEST_F(PrinterTest, PdfOutputHasThePagesPrinted)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString name = dir.filePath("game.pdf");
    QPrinter qprinter(QPrinter::HighResolution);
    qprinter.setOutputFormat(QPrinter::PdfFormat);
    qprinter.setOutputFileName(name);
    qprinter.setPageSize(QPageSize(QPageSize::A4));
    qprinter.setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
    QtPrinterDevice printer(qprinter);
    // The page layout keeps margins in whole points: 5 mm within a point.
    const int point = printer.LogPixelsX() / 72 + 1;
    EXPECT_NEAR(printer.PhysicalOffsetX(), MarginPixels(printer.LogPixelsX(), 5), point);
    EXPECT_NEAR(printer.PhysicalOffsetY(), MarginPixels(printer.LogPixelsY(), 5), point);

    TRichEdit edit;
    edit.LoadRtf(LongGame(60));
    edit.PageRect = PrintPageRect(printer, 20, 20, 25, 25);
    EXPECT_EQ(edit.PageRect.left(),
              MarginPixels(printer.LogPixelsX(), 20) - printer.PhysicalOffsetX());
    const int pages = edit.Print(printer, "").Pages;
    ASSERT_GE(pages, 2);

    QFile pdf(name);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QString bytes = QString::fromLatin1(pdf.readAll());
    EXPECT_EQ(bytes.count(QRegularExpression("/Type\\s*/Page\\b(?!s)")), pages);
}

// The left edge of the ink of each text line on a page, top to bottom.
std::vector<int> LineLeftEdges(const QImage& page)
{
    std::vector<int> edges;
    bool inLine = false;
    for (int y = 0; y < page.height(); ++y) {
        int left = 0;
        while (left < page.width() && (page.pixel(left, y) & 0xffffff) == 0xffffff)
            ++left;
        if (left < page.width() && !inLine) edges.push_back(left);
        if (left < page.width()) edges.back() = std::min(edges.back(), left);
        inLine = left < page.width();
    }
    return edges;
}

TEST_F(PrinterTest, IndentsPrintAtTheirSizeOnPaper)
{
    // Half an inch, an inch, none: as on the screen, at every resolution.
    const std::string rtf =
        sample::Prolog + "HH\\par\\li720 HH\\par\\li1440 HH\\par\\pard HH\\par}";
    for (const int dpi : {96, 150, 300, 600}) {
        SCOPED_TRACE(dpi);
        FakePrinterDevice printer(dpi, dpi * 4, dpi * 3, 0, 0);
        TRichEdit edit;
        edit.LoadRtf(rtf);
        edit.PageRect = PrintPageRect(printer, 10, 10, 10, 10);
        ASSERT_EQ(edit.Print(printer, "").Pages, 1);
        const std::vector<int> edges = LineLeftEdges(printer.Pages[0]);
        ASSERT_EQ(edges.size(), 4u);
        const int slack = 1 + dpi / 150;
        EXPECT_NEAR(edges[1] - edges[0], dpi / 2, slack);
        EXPECT_NEAR(edges[2] - edges[0], dpi, slack);
        EXPECT_NEAR(edges[3] - edges[0], 0, slack);
    }
}

TEST_F(PrinterTest, PageRangeAndFailuresAreReported)
{
    TRichEdit edit;
    edit.LoadRtf(LongGame(60));
    FakePrinterDevice all(100, 850, 1100, 0, 0);
    edit.PageRect = PrintPageRect(all, 10, 10, 10, 10);
    const PrintResult whole = edit.Print(all, "");
    ASSERT_TRUE(whole.Ok);
    ASSERT_GE(whole.Pages, 4);

    struct Case {
        int from, to, failAt;
        PrintResult expected;
        int first; // index of the first page printed in the whole print
    };
    const Case cases[] = {{2, 3, 0, {2, true}, 1},
                          {whole.Pages - 1, 9999, 0, {2, true}, whole.Pages - 2},
                          {9000, 9999, 0, {0, true}, 0}, // nothing to print is no failure
                          {0, 0, 2, {1, false}, 0},      // the second page cannot begin
                          {2, 4, 3, {2, false}, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from);
        FakePrinterDevice printer(100, 850, 1100, 0, 0);
        printer.SetPageRange(c.from, c.to);
        printer.FailAtPage = c.failAt;
        const PrintResult result = edit.Print(printer, "");
        EXPECT_EQ(result.Ok, c.expected.Ok);
        ASSERT_EQ(result.Pages, c.expected.Pages);
        ASSERT_EQ(static_cast<int>(printer.Pages.size()), result.Pages);
        for (int i = 0; i < result.Pages; ++i)
            EXPECT_EQ(printer.Pages[i], all.Pages[c.first + i]) << "page " << i;
    }
}

TEST_F(PrinterTest, BoldPrintsWithTheBoldFaces)
{
    ASSERT_TRUE(UseTextFonts());
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString name = dir.filePath("bold.pdf");
    QPrinter qprinter(QPrinter::HighResolution);
    qprinter.setOutputFormat(QPrinter::PdfFormat);
    qprinter.setOutputFileName(name);
    QtPrinterDevice printer(qprinter);
    TRichEdit edit;
    edit.LoadRtf(sample::Prolog + "{\\b Bold} \\b0 plain \\f1 plain {\\b Bold}\\par}");
    edit.PageRect = PrintPageRect(printer, 20, 20, 20, 20);
    ASSERT_TRUE(edit.Print(printer, "").Ok);

    QFile pdf(name);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    for (const char* face : {"Swiss-Regular", "Swiss-Bold", "Times-Regular", "Times-Bold"})
        EXPECT_TRUE(bytes.contains(QByteArray("VelmoraChess-") + face)) << face;
}

} // namespace
