// The notation as it leaves the program, for a game with variations,
// comments, diagrams, evaluation symbols and names in cp1252 and UTF-8: the
// clipboard's plain text, the exported RTF and the printed PDF's text. With
// VELMORA_NOTATION_OUT set to a folder the outputs are kept there, for
// scripts/check-notation-output.
#include "app/SettingsFile.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "database/Unit7.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "platform/Printer.h"
#include "tests/app/ScopedSettingsFile.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QMimeData>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

class NotationOutput : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDialogService(&dialogs);
        const QByteArray keep = qgetenv("VELMORA_NOTATION_OUT");
        out = keep.isEmpty() ? temp.path() : QString::fromLocal8Bit(keep);
        QDir().mkpath(out);
    }
    void TearDown() override
    {
        settings.reset(); // a child of the window, which goes next
        form.reset();
        SetDialogService(nullptr);
    }

    // Starts the window as the program does, the options dialog applying the
    // stored options ([MoveList] lines in moveList).
    void Start(int game, const std::string& moveList = "")
    {
        TearDown();
        SetUp();
        TMemIniFile ini(SettingsFileName());
        ini.SetText("[Game]\nFile=" VELMORA_TEST_DATA "/rich-notation.pgn\nNumber=" +
                    std::to_string(game) + "\n[MoveList]\n" + moveList);
        ASSERT_TRUE(ini.UpdateFile());
        form = std::make_unique<TForm1>();
        TForm1* window = form.get();
        settings = std::make_unique<TSettings>(
            window, SettingsHooks{{}, [window] { window->RefreshAfterOptions(); }, {}});
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }

    QString Path(const QString& name) const { return out + "/" + name; }
    QByteArray Kept(const QString& name, const QByteArray& bytes) const
    {
        QFile file(Path(name));
        if (file.open(QIODevice::WriteOnly)) file.write(bytes);
        return bytes;
    }

    ScopedSettingsFile settingsFile;
    ScriptedDialogService dialogs;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<TSettings> settings;
    QTemporaryDir temp;
    QString out;
};

bool HasGlyphCodes(const QString& text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 0xF000 && c.unicode() <= 0xF0FF; });
}

TEST_F(NotationOutput, CopiedPlainTextIsPortableNotationInTheUsersLetters)
{
    const char* expected[2][3] = {
        {"2.Nf3 d6 3.d4 Bg4?! \n", "5.Qxd8+ Kxd8 6.Nxe5 \n", "12.0-0-0 +- \n12.0-0 \u21C6 Rd8"},
        {"50.a8D N\u25A1 Tf1+= \n", "52.Kc3\u22A5\u25CF Tf3+\u21D4\u27F3", "55.Kxf5BB \n1-0"}};
    for (int game : {1, 2}) {
        Start(game, game == 1 ? "" : "PieceLetters=2\n"); // English, German letters
        QAction* copy = form->findChild<QAction*>("CopyButton");
        QTest::mouseClick(form->ToolBar1->widgetForAction(copy), Qt::LeftButton);
        const QString text = QApplication::clipboard()->mimeData()->text();
        Kept(QString("game%1.txt").arg(game), text.toUtf8());
        for (const char* moves : expected[game - 1])
            EXPECT_TRUE(text.contains(QString::fromUtf8(moves))) << moves;
        EXPECT_FALSE(HasGlyphCodes(text) || text.contains(QChar(0x2011)) ||
                     text.contains("xiiiiiiiiy"));
    }
}

TEST_F(NotationOutput, ExportedAndPrintedNamesAndNotationReadAsShown)
{
    const char* rtfExpected[2] = {"O{\\f6\\'92}Kelly de Galway", "{\\f6\\'de}orhallsson"};
    const char* pdfExpected[2] = {"five fine files: O\u2019Kelly \u017E \u00DE \u00A9 ~",
                                  "\u041A\u0430\u0440\u043F\u043E\u0432"};
    for (int game : {1, 2}) {
        Start(game);
        const QString rtf = Path(QString("game%1.rtf").arg(game));
        dialogs.QueueSaveFile(rtf);
        QTest::keyClick(form.get(), Qt::Key_E, Qt::ControlModifier);
        QFile exported(rtf);
        ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
        const QByteArray bytes = exported.readAll();
        EXPECT_TRUE(bytes.contains("Velmora Diagram;}{\\f6\\fswiss\\fcharset0 DejaVu Sans;}}"));
        EXPECT_TRUE(bytes.contains(rtfExpected[game - 1]));
        EXPECT_TRUE(bytes.contains(game == 1 ? "2.\\'a4f3 d6" : "50.a8\\'a3 "));

        QPrinter& printer = SystemPrinter();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(Path(QString("game%1-print.pdf").arg(game)));
        dialogs.QueuePrint(true);
        QTest::keyClick(form.get(), Qt::Key_P, Qt::ControlModifier);
        QProcess pdftotext;
        pdftotext.start("pdftotext", {"-enc", "UTF-8", printer.outputFileName(), "-"});
        ASSERT_TRUE(pdftotext.waitForFinished(60000));
        const QString text = QString::fromUtf8(
            Kept(QString("game%1-print.txt").arg(game), pdftotext.readAllStandardOutput()));
        EXPECT_TRUE(text.contains(QString::fromUtf8(pdfExpected[game - 1])));
        EXPECT_TRUE(text.contains(game == 1 ? "2.\u265Ef3 d6" : "50.a8\u265B"));
    }
    TProgressForm progress(form.get());
    ProgressForm = &progress;
    dialogs.QueueSaveFile(Path("all.rtf"));
    form->ExportAllGames();
    ProgressForm = nullptr;
    EXPECT_EQ(progress.GamesWritten(), 2);
}

} // namespace
