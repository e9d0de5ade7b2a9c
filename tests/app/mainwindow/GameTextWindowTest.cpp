// Names as their file means them in the main window: the game list and the
// title under the board, for a UTF-8 file and a cp1252 file. Keeps
// window_<file>.png for a look by eye (tests/support/TestShots.h). Accents
// written as combining marks show in the title and the bookmark text.
#include "ProgramWindow.h"

#include "app/SettingsFile.h"
#include "app/Unit1.h"
#include "components/SortGrid.h"
#include "database/GameLoader.h"
#include "database/GameRow.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "tests/app/ScopedSettingsFile.h"
#include "tests/support/TestShots.h"

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

struct NamesCase {
    const char* File;
    int Number;        // the game loaded at the start
    const char* White; // UTF-8, of that game
    const char* Black;
    const char* Event;
    friend void PrintTo(const NamesCase& c, std::ostream* os) { *os << c.File; }
};

class GameTextWindow : public ::testing::TestWithParam<NamesCase> {
protected:
    void SetUp() override { SetDialogService(&dialogs); }
    void TearDown() override { SetDialogService(nullptr); }
    ScopedSettingsFile settingsFile;
    ScriptedDialogService dialogs;
};

TEST_P(GameTextWindow, ListAndTitleShowTheNames)
{
    const NamesCase& c = GetParam();
    {
        TMemIniFile ini(SettingsFileName());
        ini.SetText(std::string("[Game]\nFile=") + VELMORA_TEST_DATA + "/" + c.File +
                    "\nNumber=" + std::to_string(c.Number) + "\n");
        ASSERT_TRUE(ini.UpdateFile());
    }
    auto form = std::make_unique<TForm1>();
    form->resize(1000, 760);
    form->show();
    QTest::qWait(50);
    ASSERT_EQ(GameList->RowCount(), 3);

    ASSERT_EQ(CurrentGameRow, c.Number);
    auto shown = [](int col) {
        return GameList->DecodeText(std::string(GameList->Cells(col, CurrentGameRow)));
    };
    EXPECT_EQ(shown(WhiteColumn), QString::fromUtf8(c.White));
    EXPECT_EQ(shown(BlackColumn), QString::fromUtf8(c.Black));
    EXPECT_EQ(shown(EventColumn), QString::fromUtf8(c.Event));
    const QString title = form->HeadLabel->text();
    EXPECT_TRUE(title.contains(QString::fromUtf8(c.White) + QString::fromUtf8(" \u2013 ") +
                               QString::fromUtf8(c.Black)))
        << title.toStdString();
    EXPECT_TRUE(title.contains(QString::fromUtf8(c.Event))) << title.toStdString();

    KeepShot(form->grab().toImage(),
             QStringLiteral("window_%1.png").arg(QString::fromLatin1(c.File).section('.', 0, 0)));
    form->close();
}

INSTANTIATE_TEST_SUITE_P(
    Files, GameTextWindow,
    ::testing::Values(NamesCase{"names-utf8.pgn", 2,
                                "\u041A\u0430\u0440\u043F\u043E\u0432, "
                                "\u0410\u043D\u0430\u0442\u043E\u043B\u0438\u0439",
                                "\u00DEorhallsson, \u00DEr\u00F6stur",
                                "\u041A\u0443\u0431\u043E\u043A \u0421\u0421\u0421\u0420"},
                      NamesCase{"names-cp1252.pgn", 1, "O\u2019Kelly de Galway, Alberic",
                                "Ko\u017Eul, Zdenko", "Hoogovens \u00A9 Wijk aan Zee"}),
    [](const auto& info) { return std::string(info.index == 0 ? "Utf8" : "Cp1252"); });

// Pixels that the combining marks of text add to label: the label drawn with
// text, against the label drawn with the same text without its marks. The
// label's own text is put back.
int MarkPixels(QLabel* label, const QString& text)
{
    const QString own = label->text();
    const auto drawn = [label](const QString& shown) {
        label->setText(shown);
        return label->grab().toImage();
    };
    const QImage marked = drawn(text);
    const QImage bare = drawn(QString(text).remove(QChar(0x0301)));
    label->setText(own);
    int count = 0;
    for (int y = 0; y < marked.height(); ++y)
        for (int x = 0; x < marked.width(); ++x)
            count += marked.pixel(x, y) != bare.pixel(x, y);
    return count;
}

using CombiningMarks = ProgramWindow;

TEST_F(CombiningMarks, TitleAndBookmarkShowThemOverTheirLetters)
{
    const QString white =
        QString::fromUtf8("\u041A\u0440\u0430\u0301\u043C\u043D\u0438\u043A, "
                          "\u0412\u043B\u0430\u0434\u0438\u0301\u043C\u0438\u0440");
    QFile file(dir.filePath("accents.pgn"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[White \"" + white.toUtf8() + "\"]\n[Black \"Topalov\"]\n\n1. d4 d5 *\n");
    file.close();
    Start(OpenAt(file.fileName()));
    ASSERT_TRUE(form->HeadLabel->text().contains(white));
    EXPECT_GT(MarkPixels(form->HeadLabel, form->HeadLabel->text()), 0);

    Key(Qt::Key_F11);
    ASSERT_TRUE(form->Label1->text().contains("White: " + white + "\n"));
    EXPECT_GT(MarkPixels(form->Label1, white), 0);
}

} // namespace
