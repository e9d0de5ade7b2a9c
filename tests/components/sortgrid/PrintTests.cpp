// Printing the sortable grid on a fake fixed-resolution printer and to PDF:
// the pages printed, previewed and counted agree; bad options and pages end;
// the logo, frames, fonts and texts land on the page.
#include "PrintTestGrid.h"

#include "platform/Dialogs.h"
#include "platform/FormatDateTime.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

// Letter paper at 300 dpi, a quarter inch unprintable all round.
FakePrinterDevice Letter()
{
    return FakePrinterDevice(300, 2550, 3300, 75, 75);
}

bool Uniform(const QImage& img, QRgb colour)
{
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) != (colour & 0xFFFFFF)) return false;
    return true;
}

TEST(GridPrint, PrintedPreviewedAndCountedPagesAgree)
{
    FakePrinterDevice printer = Letter();
    ScopedPrinter installed(printer);
    for (TPrinterOrientation o :
         {TPrinterOrientation::poPortrait, TPrinterOrientation::poLandscape}) {
        SCOPED_TRACE(o == TPrinterOrientation::poPortrait ? "portrait" : "landscape");
        auto g = ListGrid(300);
        g->PrintOptions().Orientation = o;
        g->PrintOptions().PageTitle = QStringLiteral("Games");
        // Every cell formatted while printing, by page.
        std::map<std::pair<int, int>, int> formatted;
        g->OnGetCellFormat = [&](QObject*, int c, int r, TGridDrawState, TFormatOptions&) {
            ++formatted[{c, r}];
        };
        const int pages = g->PageCount();
        ASSERT_TRUE(g->Print());
        EXPECT_EQ(static_cast<int>(printer.Pages.size()), pages);
        EXPECT_EQ(g->PageCounter(), pages);
        // Row 0 heads every page once: as often in every column, never as a data row.
        const int headed = formatted[std::make_pair(0, 0)];
        ASSERT_GT(headed, 0);
        for (int c = 1; c < 14; ++c)
            EXPECT_EQ(formatted[std::make_pair(c, 0)], headed) << "column " << c;
        EXPECT_EQ(pages % headed, 0);
        for (int r = 1; r <= 300; ++r)
            ASSERT_EQ(formatted[std::make_pair(3, r)], 1) << "row " << r;
        EXPECT_EQ(formatted.count({14, 1}), 0u); // hidden columns are not printed

        // The preview shows the same pages, at screen size; the one after the last is empty.
        QImage page;
        for (int p : {1, pages}) {
            g->PrintOptions().PreviewPage = p;
            g->UpdatePreview(page);
            EXPECT_FALSE(Uniform(page, ToQColor(g->Color()).rgb())) << "page " << p;
        }
        const QSize paper =
            o == TPrinterOrientation::poPortrait ? QSize(768, 1008) : QSize(1008, 768);
        EXPECT_EQ(page.size(), paper); // (2550 - 150) x (3300 - 150) at 96 / 300
        g->PrintOptions().PreviewPage = pages + 1;
        g->UpdatePreview(page);
        EXPECT_TRUE(Uniform(page, ToQColor(g->Color()).rgb()));
    }
    EXPECT_EQ(printer.Title, QString());
}

TEST(GridPrint, HostileSizesEndWithoutHangingOrDividingByZero)
{
    struct Case {
        const char* name;
        int dpi, width, height, offset;
        std::function<void(TSortGrid&)> set;
        int minPages;
    };
    const std::vector<Case> cases = {
        {"a row taller than a page", 300, 2550, 3300, 75,
         [](TSortGrid& g) { g.SetRowHeights(5, 5000); }, 3},
        {"negative margins", 300, 2550, 3300, 75,
         [](TSortGrid& g) {
             g.PrintOptions().MarginLeft = -500;
             g.PrintOptions().MarginTop = -500;
             g.PrintOptions().MarginBottom = -1;
         },
         1},
        {"margins larger than the page", 300, 2550, 3300, 75,
         [](TSortGrid& g) {
             g.PrintOptions().MarginTop = 2000000000;
             g.PrintOptions().PageTitleMargin = 2000000000;
             g.PrintOptions().HeaderSize = -7;
         },
         20},
        {"a tiny printer page", 600, 3, 3, 1, [](TSortGrid&) {}, 20},
        {"a printer coarser than the screen", 50, 425, 550, 0, [](TSortGrid&) {}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePrinterDevice printer(c.dpi, c.width, c.height, c.offset, c.offset);
        ScopedPrinter installed(printer);
        auto g = ListGrid(20);
        c.set(*g);
        const int pages = g->PageCount();
        EXPECT_GE(pages, c.minPages);
        EXPECT_LE(pages, 20 * 14); // a page per row and column at the very most
        EXPECT_TRUE(g->Print());
        EXPECT_EQ(static_cast<int>(printer.Pages.size()), pages);
        QImage preview;
        g->UpdatePreview(preview);
        EXPECT_FALSE(preview.isNull());
    }
}

TEST(GridPrint, AHeaderOnlyGridPrintsOnePage)
{
    FakePrinterDevice printer = Letter();
    ScopedPrinter installed(printer);
    auto g = ListGrid(0);
    EXPECT_EQ(g->PageCount(), 2); // a page for each of its two bands
    g->SetColWidths(8, 50);
    g->PrintOptions().Orientation = TPrinterOrientation::poLandscape;
    EXPECT_EQ(g->PageCount(), 1);
    EXPECT_TRUE(g->Print());
    EXPECT_EQ(printer.Pages.size(), 1u);
}

TEST(GridPrint, NoPrinterNoPrint)
{
    FakePrinterDevice printer = Letter();
    printer.SetInstalled(false);
    ScopedPrinter installed(printer);
    ScriptedDialogService dialogs;
    ScopedDialogService scripted(dialogs);
    dialogs.QueueMessageResult(mrOk);
    auto g = ListGrid(3);
    EXPECT_FALSE(g->Print());
    ASSERT_EQ(dialogs.Requests().size(), 1u);
    EXPECT_EQ(dialogs.Requests()[0].text, QStringLiteral("No Printer is installed"));
    EXPECT_EQ(dialogs.Requests()[0].type, TMsgDlgType::mtError);
    EXPECT_TRUE(printer.Pages.empty());
}

TEST(GridPrint, FramesLogoAndJobSettingsReachThePage)
{
    QTemporaryDir dir;
    QImage logo(40, 30, QImage::Format_RGB32);
    logo.fill(QColor(200, 0, 0));
    const QString logoFile = dir.filePath(QStringLiteral("logo.bmp"));
    ASSERT_TRUE(logo.save(logoFile));
    QFile junk(dir.filePath(QStringLiteral("junk.bmp")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a picture");
    junk.close();

    FakePrinterDevice printer(96, 816, 1056, 0, 0); // at screen resolution: no scaling
    ScopedPrinter installed(printer);
    auto g = ListGrid(5);
    TPrintOptions& o = g->PrintOptions();
    o.JobTitle = QStringLiteral("Game list");
    o.Copies = 3;
    o.MarginLeft = 30;
    o.MarginTop = 10;
    o.Logo = logoFile;
    o.BorderStyle = TBorderStyle::bsSingle;
    ASSERT_TRUE(g->Print());
    ASSERT_FALSE(printer.Pages.empty());
    EXPECT_EQ(printer.Title, QStringLiteral("Game list"));
    EXPECT_EQ(printer.Copies, 3);
    const QImage& page = printer.Pages[0];
    EXPECT_EQ(page.pixel(30 + 20, 10 + 15) & 0xFFFFFF, 0xC80000u); // the logo's middle
    // The first cell of row 1, framed: its left edge is black, its inside not.
    const int rowTop = 10 + 30 + 19; // title (the logo is taller than the text), row 0
    EXPECT_EQ(page.pixel(30, rowTop + 9) & 0xFFFFFF, 0u);
    EXPECT_NE(page.pixel(31, rowTop + 9) & 0xFFFFFF, 0u);

    for (const QString& bad : {dir.filePath(QStringLiteral("junk.bmp")), dir.path(),
                               dir.filePath(QStringLiteral("missing.bmp"))}) {
        SCOPED_TRACE(bad.toStdString());
        o.Logo = bad;
        o.BorderStyle = TBorderStyle::bsNone;
        ASSERT_TRUE(g->Print());
        EXPECT_NE(printer.Pages[0].pixel(30 + 20, 10 + 15) & 0xFFFFFF, 0xC80000u);
        EXPECT_NE(printer.Pages[0].pixel(30, rowTop + 9) & 0xFFFFFF, 0u);
    }
}

TEST(GridPrint, SmoothResizeIsBilinearAndStaysInsideItsSource)
{
    QImage flat(7, 3, QImage::Format_RGB32);
    flat.fill(QColor(10, 120, 230));
    for (QSize size : {QSize(1, 1), QSize(20, 9), QSize(3, 2)}) {
        QImage out(size, QImage::Format_RGB32);
        TSortGrid::SmoothResize(flat, out);
        EXPECT_TRUE(Uniform(out, qRgb(10, 120, 230)));
    }
    // Black and white columns: the middle of the scaled image is their mean.
    QImage two(2, 2, QImage::Format_RGB32);
    two.setPixel(0, 0, qRgb(0, 0, 0));
    two.setPixel(0, 1, qRgb(0, 0, 0));
    two.setPixel(1, 0, qRgb(255, 255, 255));
    two.setPixel(1, 1, qRgb(255, 255, 255));
    QImage wide(4, 2, QImage::Format_RGB32);
    TSortGrid::SmoothResize(two, wide);
    EXPECT_EQ(qRed(wide.pixel(0, 0)), 0);
    EXPECT_EQ(qRed(wide.pixel(2, 0)), 127);
    // A single pixel or column spreads; empty images change nothing.
    QImage dot(1, 1, QImage::Format_RGB32);
    dot.fill(Qt::red);
    QImage big(5, 5, QImage::Format_RGB32);
    TSortGrid::SmoothResize(dot, big);
    EXPECT_TRUE(Uniform(big, qRgb(255, 0, 0)));
    QImage column(1, 4, QImage::Format_RGB32);
    column.fill(Qt::blue);
    TSortGrid::SmoothResize(column, big);
    EXPECT_TRUE(Uniform(big, qRgb(0, 0, 255)));
    QImage none;
    TSortGrid::SmoothResize(dot, none);
    EXPECT_TRUE(none.isNull());
    TSortGrid::SmoothResize(QImage(), big);
    EXPECT_TRUE(Uniform(big, qRgb(0, 0, 255)));
}

TEST(GridPrint, DatesAndTimesTakeTheFrameworkCodes)
{
    const QDateTime when(QDate(2024, 3, 9), QTime(14, 5, 7, 42));
    TDateTimeNames names;
    names.Locale = QLocale(QLocale::English, QLocale::UnitedStates);
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"d-mmm-yyyy", "9-Mar-2024"},
        {"dd/mm/yy", "09/03/24"},
        {"h:nn", "14:05"},
        {"hh:mm:ss", "14:05:07"},
        {"h:mm am/pm", "2:05 pm"},
        {"dddd d mmmm", "Saturday 9 March"},
        {"\"day\" d 'at' h", "day 9 at 14"},
        {"zzz", "042"},
    };
    for (const auto& [format, expected] : cases) {
        SCOPED_TRACE(format);
        EXPECT_EQ(FormatDateTime(QString::fromLatin1(format), when, names),
                  QString::fromLatin1(expected));
    }
    names.DateSeparator = QLatin1Char('.');
    EXPECT_EQ(FormatDateTime(QStringLiteral("d/m/yyyy"), when, names), QStringLiteral("9.3.2024"));
}

// The text of a PDF, by poppler's pdftotext.
QString PdfText(const QString& file)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
    if (!p.waitForFinished(30000)) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

int PdfPages(const QString& file)
{
    QFile pdf(file);
    if (!pdf.open(QIODevice::ReadOnly)) return -1;
    return static_cast<int>(
        QString::fromLatin1(pdf.readAll())
            .count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b(?!s)"))));
}

// Prints grid to a PDF file in landscape A4 and answers its page count.
int PrintToPdf(TSortGrid& grid, const QString& file)
{
    QPrinter qprinter(QPrinter::HighResolution);
    qprinter.setOutputFormat(QPrinter::PdfFormat);
    qprinter.setOutputFileName(file);
    qprinter.setPageSize(QPageSize(QPageSize::A4));
    qprinter.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    QtPrinterDevice printer(qprinter);
    ScopedPrinter installed(printer);
    grid.PrintOptions().Orientation = TPrinterOrientation::poLandscape;
    EXPECT_TRUE(grid.Print());
    return grid.PageCount();
}

TEST(GridPrint, PdfHasThePagesAndTheirTexts)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("list.pdf"));
    auto g = ListGrid(120);
    g->SetColWidths(8, 600); // two bands in landscape
    g->PrintOptions().PageTitle = QStringLiteral("Tournament games");
    g->PrintOptions().PageFooter = QStringLiteral("printed|date|page");
    const int pages = PrintToPdf(*g, file);
    ASSERT_GE(pages, 4);
    EXPECT_EQ(PdfPages(file), pages);
    const QString text = PdfText(file);
    ASSERT_FALSE(text.isEmpty()) << "pdftotext (poppler-utils) is needed";
    EXPECT_EQ(text.count(QStringLiteral("Tournament games")), pages);
    EXPECT_TRUE(text.contains(QStringLiteral("Page 1-1")));
    EXPECT_TRUE(text.contains(QStringLiteral("Page 1-2")));
    EXPECT_EQ(text.count(QStringLiteral("White 120")), 1);
    // The second band's last column.
    EXPECT_EQ(text.count(QRegularExpression(QStringLiteral("Annotator 7\\b"))), 1);
    // Row 0 heads each page of the first band once.
    EXPECT_EQ(text.count(QRegularExpression(QStringLiteral("\\bWhite(?!\\s+\\d)"))), pages / 2);
}

} // namespace
