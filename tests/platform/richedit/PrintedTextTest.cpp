// The printed document's text as a PDF reader takes it out: every line once
// and on its own page, figurines and words as they are shown, a diagram
// whole on one page with the line after it.
#include "platform/Printer.h"
#include "platform/RichEdit.h"

#include "SampleRtf.h"
#include "tests/platform/richedit/TextFonts.h"
#include "tests/support/TestApp.h"

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Prints rtf to a PDF of paper size and gives the text of each page as a
// PDF reader takes it out, in the order drawn.
QStringList PrintedPages(const std::string& rtf, QPageSize::PageSizeId paper)
{
    QTemporaryDir dir;
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(dir.filePath("lines.pdf"));
    pdf.setPageSize(QPageSize(paper));
    QtPrinterDevice printer(pdf);
    TRichEdit edit;
    edit.LoadRtf(rtf);
    edit.PageRect = PrintPageRect(printer, 20, 20, 25, 25);
    const int pages = edit.Print(printer, "").Pages;
    QProcess text;
    text.start("pdftotext", {"-raw", "-enc", "UTF-8", pdf.outputFileName(), "-"});
    EXPECT_TRUE(text.waitForFinished(60000));
    const QStringList printed = QString::fromUtf8(text.readAllStandardOutput()).split('\f');
    EXPECT_EQ(printed.size(), pages + 1); // the last form feed ends the last page
    return printed.mid(0, pages);
}

TEST(PrintedText, EveryLineOnceOnOnePageAsShown)
{
    TestApp();
    ASSERT_TRUE(UseTextFonts());
    std::string body;
    for (int i = 1; i <= 150; ++i)
        body += std::to_string(i) + " five \\'a4f3\\par ";
    const QStringList printed = PrintedPages(sample::Prolog + body + "\\par}", QPageSize::A5);
    const int pages = static_cast<int>(printed.size());
    ASSERT_GE(pages, 3);
    int last = 0;
    for (int page = 0; page < pages; ++page) {
        const QRegularExpression line("(\\d+) five \u265Ef3");
        for (auto m = line.globalMatch(printed.value(page)); m.hasNext();) {
            const int n = m.next().captured(1).toInt();
            EXPECT_EQ(n, last + 1) << "page " << page + 1;
            last = n;
        }
    }
    EXPECT_EQ(last, 150);
}

TEST(PrintedText, DiagramsStayWholeWithTheLineAfterThem)
{
    TestApp();
    ASSERT_TRUE(UseTextFonts());
    // Two diagrams close together, moved down line by line over the first
    // page breaks: at a page's foot, on its first line, cut by it.
    for (int lines = 0; lines < 36; ++lines) {
        std::string body;
        for (int i = 1; i <= lines; ++i)
            body += std::to_string(i) + " filler\\par ";
        const QStringList pages =
            PrintedPages(sample::Prolog + body + "1.e4 " + sample::StartDiagram + "1... e5 " +
                             sample::StartDiagram + "2.Nf3 \\par\\par}",
                         QPageSize::A5);
        QStringList printed;
        for (const QString& page : pages) {
            const QStringList rows = page.split('\n', Qt::SkipEmptyParts);
            EXPECT_EQ(rows.count("XIIIIIIIIY"), rows.count("xiiiiiiiiy"))
                << lines << ": " << page.toStdString();
            EXPECT_NE(rows.value(rows.size() - 1), "xiiiiiiiiy")
                << lines << ": " << page.toStdString();
            printed << rows.filter(QRegularExpression("^[0-9]+[ .]"));
        }
        QStringList expected;
        for (int i = 1; i <= lines; ++i)
            expected << QString::number(i) + " filler";
        expected << "1.e4"
                 << "1... e5"
                 << "2.Nf3";
        EXPECT_EQ(printed, expected) << lines << " lines before the diagrams";
    }
}

} // namespace
