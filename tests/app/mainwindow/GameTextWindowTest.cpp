// Names as their file means them in the main window: the game list and the
// title under the board, for a UTF-8 file and a cp1252 file. Keeps
// window_<file>.png for a look by eye (tests/support/TestShots.h).
#include "app/SettingsFile.h"
#include "app/Unit1.h"
#include "components/SortGrid.h"
#include "database/GameLoader.h"
#include "database/GameRow.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "tests/app/ScopedSettingsFile.h"
#include "tests/support/TestShots.h"

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

} // namespace
