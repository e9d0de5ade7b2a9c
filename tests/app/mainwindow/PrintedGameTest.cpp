// A long annotated game printed to PDF by File > Print..., then again with
// diagram marks set by Ctrl+D after more and more moves: the pages hold what
// the move list holds, each word once and in order, every diagram whole on
// one page, and no page is blank, in both move fonts, at three paper sizes
// and resolutions. Keeps
// game-<case>-<marks>.pdf (tests/support/TestShots.h).
#include "ProgramWindow.h"

#include "platform/Printer.h"
#include "platform/RichEdit.h"
#include "tests/support/TestShots.h"

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>

namespace {

struct PrintCase {
    const char* Name;
    const char* MoveList; // [MoveList] settings
    QPageSize::PageSizeId Paper;
    int Dpi;
    friend void PrintTo(const PrintCase& c, std::ostream* os) { *os << c.Name; }
};

// The words of text, one a line, without a diagram's rows and the move
// numbers ("8...") that a diagram or a comment puts before a reply; with
// ascii, of each word only its ASCII characters, the figurines and check
// signs left out (they are glyphs on screen, Unicode signs in the PDF).
std::string Words(const QString& text, bool ascii = false)
{
    const QRegularExpression skipped(
        "^(XIIIIIIIIY|x[a-hi]{8}y|[1-9][-+zsvtwmPNLRQKpnlrqk]{8,16}0|[0-9]+\\.\\.\\.)$");
    QStringList words;
    for (QString word : text.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts)) {
        if (ascii) word.removeIf([](QChar c) { return c.unicode() > 0x7E || c == '+'; });
        if (!word.isEmpty() && !skipped.match(word).hasMatch()) words << word;
    }
    return words.join('\n').toStdString();
}

class PrintedGame : public ProgramWindow, public testing::WithParamInterface<PrintCase> {
protected:
    // The text of each printed page.
    QStringList Print(int marks)
    {
        QPrinter& printer = SystemPrinter();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(
            ShotPath(dir, QStringLiteral("game-%1-%2.pdf").arg(GetParam().Name).arg(marks)));
        printer.setPageSize(QPageSize(GetParam().Paper));
        printer.setResolution(GetParam().Dpi);
        answers.Queue(ModalAnswers::Key(Qt::Key_Return));
        Key(Qt::Key_P, Qt::ControlModifier);
        QProcess text;
        text.start("pdftotext", {"-raw", "-enc", "UTF-8", printer.outputFileName(), "-"});
        EXPECT_TRUE(text.waitForFinished(60000));
        QStringList pages = QString::fromUtf8(text.readAllStandardOutput()).split('\f');
        pages.removeLast(); // after the last page's form feed
        return pages;
    }
};

TEST_P(PrintedGame, PagesHoldTheMoveListOnceInOrder)
{
    Start(OpenAt(QStringLiteral(VELMORA_TEST_DATA "/annotated-75.pgn")) + "[MoveList]\n" +
          GetParam().MoveList);
    const QStringList plain = Print(0);
    ASSERT_GE(plain.size(), 3);
    const std::string expected = Words(plain.join(' '));
    EXPECT_EQ(Words(plain.join(' '), true), Words(form->Memo1->toPlainText(), true));
    EXPECT_TRUE(QString::fromStdString(expected).endsWith("75.\u265Ab6\n\u265Ae8\n\u00BD-\u00BD"));

    // Two marks close together, then more, two of them on successive moves.
    const std::vector<std::vector<int>> marks{{15}, {17}, {9, 25}, {60, 61}};
    int count = 0;
    for (const std::vector<int>& add : marks) {
        for (int ply : add) {
            Key(Qt::Key_Home, Qt::ShiftModifier);
            for (int i = 0; i < ply; ++i)
                Key(Qt::Key_Down, Qt::ShiftModifier);
            Key(Qt::Key_D, Qt::ControlModifier);
            ++count;
        }
        const QStringList pages = Print(count);
        for (int i = 0; i < pages.size(); ++i) {
            EXPECT_NE(Words(pages[i]), "") << count << " marks: page " << i + 1 << " is blank";
            EXPECT_EQ(pages[i].count("XIIIIIIIIY"), pages[i].count("xiiiiiiiiy")) << i + 1;
        }
        EXPECT_EQ(pages.join(' ').count("XIIIIIIIIY"), count);
        EXPECT_EQ(Words(pages.join(' ')), expected) << count << " marks";
    }
}

INSTANTIATE_TEST_SUITE_P(
    FontsAndPapers, PrintedGame,
    testing::Values(PrintCase{"swiss", "FontType=0\n", QPageSize::A4, 1200},
                    PrintCase{"times", "FontType=1\n", QPageSize::A4, 1200},
                    PrintCase{"swiss-large-a5", "FontType=0\nFontSize=2\n", QPageSize::A5, 300},
                    PrintCase{"times-small-letter", "FontType=1\nFontSize=0\n", QPageSize::Letter,
                              600}),
    [](const auto& info) { return QString(info.param.Name).remove('-').toStdString(); });

} // namespace
