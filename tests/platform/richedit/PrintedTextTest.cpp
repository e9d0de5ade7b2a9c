// The printed document's text as a PDF reader takes it out: every line once
// and on its own page, figurines and words as they are shown.
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

TEST(PrintedText, EveryLineOnceOnOnePageAsShown)
{
    TestApp();
    ASSERT_TRUE(UseTextFonts());
    std::string body;
    for (int i = 1; i <= 150; ++i)
        body += std::to_string(i) + " five \\'a4f3\\par ";
    QTemporaryDir dir;
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(dir.filePath("lines.pdf"));
    pdf.setPageSize(QPageSize(QPageSize::A5));
    QtPrinterDevice printer(pdf);
    TRichEdit edit;
    edit.LoadRtf(sample::Prolog + body + "\\par}");
    edit.PageRect = PrintPageRect(printer, 20, 20, 25, 25);
    const int pages = edit.Print(printer, "").Pages;
    ASSERT_GE(pages, 3);

    QProcess text;
    text.start("pdftotext", {"-enc", "UTF-8", pdf.outputFileName(), "-"});
    ASSERT_TRUE(text.waitForFinished(60000));
    const QStringList printed = QString::fromUtf8(text.readAllStandardOutput()).split('\f');
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

} // namespace
