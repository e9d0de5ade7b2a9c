// The main window's life cycle: the last state written at close and
// restored at the next start, and the move paths of the settings file.
#include "app/Unit1.h"
#include "components/SortGrid.h"
#include "components/VXSplitter/VXSplitter.h"
#include "database/DatabaseFile.h"
#include "database/GameLoader.h"
#include "database/Unit7.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "platform/RichEdit.h"
#include "platform/Sound.h"
#include "rules/Board.h"
#include "rules/GameStore.h"
#include "rules/Navigation.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

std::vector<int> PathOf(const std::string& hex)
{
    std::uint8_t path[MovePathCapacity];
    HexToMovePath(hex, path, MovePathCapacity);
    std::vector<int> out;
    for (int i = 0; i < MovePathCapacity && path[i] != MovePathEnd; ++i) out.push_back(path[i]);
    return out;
}

const QString SamplePgn = QStringLiteral(VELMORA_SAMPLES "/velmora-sample.pgn");

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile::remove(TForm1::SettingsFileName());
        SetDialogService(&dialogs);
    }
    void TearDown() override
    {
        SetDialogService(nullptr);
        QFile::remove(TForm1::SettingsFileName());
    }

    // Starts the window as the program does and lets its first show run.
    std::unique_ptr<TForm1> Start()
    {
        auto form = std::make_unique<TForm1>();
        form->resize(1000, 760);
        form->show();
        QTest::qWait(50);
        return form;
    }

    static void WriteSettings(const std::string& text)
    {
        TMemIniFile ini(TForm1::SettingsFileName());
        ini.SetText(text);
        ASSERT_TRUE(ini.UpdateFile());
    }

    ScriptedDialogService dialogs;
};

} // namespace

TEST(MovePathHex, DecodesPairsAndStopsAtAnythingElse)
{
    EXPECT_EQ(PathOf("0A1F"), (std::vector<int>{0x0A, 0x1F}));
    EXPECT_EQ(PathOf("10000C"), (std::vector<int>{16, 0, 12}));
    EXPECT_EQ(PathOf("1000A"), (std::vector<int>{16, 0}));  // odd last digit ignored
    EXPECT_EQ(PathOf("C6"), (std::vector<int>{198}));
    EXPECT_EQ(PathOf("0a1F"), (std::vector<int>{}));        // lower case is no digit
    EXPECT_EQ(PathOf(""), (std::vector<int>{}));
    // A path of any length fills at most the buffer, end mark included.
    EXPECT_EQ(PathOf(std::string(4000, '0')).size(), std::size_t(MovePathCapacity - 1));
}

TEST_F(MainWindowTest, FirstRunWithoutSettingsWritesAnEmptyGame)
{
    {
        auto form = Start();
        EXPECT_EQ(DatabaseFileHandle, -1);
        EXPECT_EQ(form->windowTitle(), "Velmora Chess");
        for (int id : MoveSoundLoadOrder) EXPECT_TRUE(MoveSoundWaves.IsLoaded(id)) << id;
        form->close();
    }
    EXPECT_FALSE(MoveSoundWaves.IsLoaded(MoveSoundWhiteId));
    TMemIniFile ini(TForm1::SettingsFileName());
    EXPECT_EQ(ini.ReadString("Game", "File", "x"), "");
    EXPECT_EQ(ini.ReadInteger("Game", "Number", 0), 1);
    EXPECT_EQ(ini.ReadString("Game", "Node", "x"), "");
    EXPECT_EQ(ini.ReadString("Recent", "File1", ""), "(none)");
    EXPECT_EQ(ini.ReadInteger("Layout", "Board", 0), 44);
    EXPECT_EQ(ini.ReadInteger("Layout", "List", 0), 36);
    EXPECT_TRUE(dialogs.Requests().empty());
}

TEST_F(MainWindowTest, LastGamePositionAndLayoutComeBackAtTheNextStart)
{
    WriteSettings("[Game]\nFile=" + SamplePgn.toStdString() +
                  "\nNumber=1\nNode=0D09\n[Layout]\nBoard=50\nList=30\n"
                  "[Recent]\nFile1=/x/old.pgn\n[Mine]\nkept=1\n");
    {
        auto form = Start();
        ASSERT_NE(DatabaseFileHandle, -1);
        EXPECT_GT(GameList->RowCount(), 4);
        EXPECT_EQ(CurrentGameRow, 1);
        EXPECT_EQ(CurrentPly, 2);
        EXPECT_TRUE(form->windowTitle().startsWith("Velmora Chess - velmora-sample.pgn ["));
        EXPECT_EQ(form->RecentItems[0]->text(), "/x/old.pgn");
        EXPECT_GT(form->Memo1->GetTextLen(), 0);
        form->close();
    }
    TMemIniFile ini(TForm1::SettingsFileName());
    EXPECT_EQ(ini.ReadString("Game", "File", ""), SamplePgn.toStdString());
    EXPECT_EQ(ini.ReadInteger("Game", "Number", 0), 1);
    EXPECT_EQ(ini.ReadString("Game", "Node", ""), "0D09");
    EXPECT_EQ(ini.ReadInteger("Layout", "Board", 0), 50);
    EXPECT_EQ(ini.ReadInteger("Layout", "List", 0), 30);
    EXPECT_EQ(ini.ReadString("Mine", "kept", ""), "1");

    // A second round trip keeps every value: the shares do not creep.
    {
        auto form = Start();
        EXPECT_EQ(CurrentGameRow, 1);
        EXPECT_EQ(CurrentPly, 2);
        form->close();
    }
    TMemIniFile again(TForm1::SettingsFileName());
    EXPECT_EQ(again.Text(), ini.Text());
}

TEST_F(MainWindowTest, BadSettingsGiveDefaults)
{
    WriteSettings("[Game]\nFile=/no/such/file.pgn\nNumber=abc\nNode=ZZ\n"
                  "[Layout]\nBoard=80\nList=-5\n");
    dialogs.QueueMessageResult(mrOk);  // "Can't open PGN file!"
    {
        auto form = Start();
        EXPECT_EQ(DatabaseFileHandle, -1);
        ASSERT_EQ(dialogs.Requests().size(), 1u);
        EXPECT_EQ(dialogs.Requests()[0].text, "Can't open PGN file!");
        EXPECT_EQ(form->BoardSplitter->InitialPercent(), 44);
        form->close();
    }
    TMemIniFile ini(TForm1::SettingsFileName());
    EXPECT_EQ(ini.ReadString("Game", "File", "x"), "");
    EXPECT_EQ(ini.ReadInteger("Layout", "Board", 0), 44);
}

TEST_F(MainWindowTest, NewGameWithADatabaseOpenStoresNoFile)
{
    WriteSettings("[Game]\nFile=" + SamplePgn.toStdString() + "\nNumber=2\nNode=0D\n");
    {
        auto form = Start();
        ASSERT_EQ(CurrentGameRow, 2);
        form->New1Click();
        EXPECT_EQ(CurrentGameRow, -1);
        EXPECT_EQ(LineLength, 0);
        form->close();
    }
    TMemIniFile ini(TForm1::SettingsFileName());
    EXPECT_EQ(ini.ReadString("Game", "File", "x"), "");
    EXPECT_EQ(ini.ReadInteger("Game", "Number", 0), 1);
    EXPECT_TRUE(ini.SectionExists("Layout"));
    EXPECT_TRUE(ini.SectionExists("Recent"));
    EXPECT_TRUE(ini.SectionExists("Config"));
}

TEST_F(MainWindowTest, CancelInSaveGameKeepsTheWindowAndTheFile)
{
    WriteSettings("[Game]\nFile=" + SamplePgn.toStdString() + "\nNumber=2\nNode=\n");
    auto form = Start();
    ASSERT_GT(LineLength, 0);
    GameModified = 1;
    dialogs.QueueMessageResult(mrCancel);
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    TMemIniFile ini(TForm1::SettingsFileName());
    EXPECT_EQ(ini.ReadInteger("Game", "Number", 0), 2);
    EXPECT_FALSE(ini.SectionExists("Layout"));
    GameModified = 0;
    form->close();
}

TEST_F(MainWindowTest, SortingKeepsTheLoadedGamesRow)
{
    WriteSettings("[Game]\nFile=" + SamplePgn.toStdString() + "\nNumber=1\n");
    auto form = Start();
    ASSERT_EQ(CurrentGameRow, 1);
    const std::string number = GameList->Cells(0, 1);
    // A right click on the "No" title sorts the list by it, descending.
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    const TRect title = GameList->CellRect(0, 0);
    const QPoint at((title.Left + title.Right) / 2, (title.Top + title.Bottom) / 2);
    QTest::mouseClick(GameList->viewport(), Qt::RightButton, {}, at);
    ASSERT_NE(GameList->Cells(0, 1), number);
    EXPECT_NE(CurrentGameRow, 1);
    EXPECT_EQ(GameList->Cells(0, CurrentGameRow), number);
    form->close();
}

TEST_F(MainWindowTest, ExportsThisGameAndEveryListedGame)
{
    WriteSettings("[Game]\nFile=" + SamplePgn.toStdString() + "\nNumber=1\n");
    auto form = Start();
    TProgressForm progress(form.get());
    ProgressForm = &progress;
    QTemporaryDir dir;

    const QString one = dir.filePath("one");  // the default extension is added
    dialogs.QueueSaveFile(one);
    form->Button1Click();
    QFile game(one + ".rtf");
    ASSERT_TRUE(game.open(QIODevice::ReadOnly));
    const QByteArray gameBytes = game.readAll();
    EXPECT_TRUE(gameBytes.startsWith("{\\rtf1"));
    EXPECT_TRUE(gameBytes.contains("Kessler"));

    const QString all = dir.filePath("all.rtf");
    dialogs.QueueSaveFile(all);
    form->ExportAllGames();
    QFile joined(all);
    ASSERT_TRUE(joined.open(QIODevice::ReadOnly));
    const QByteArray bytes = joined.readAll();
    EXPECT_EQ(bytes.count("{\\rtf1"), 1);
    EXPECT_FALSE(bytes.contains('\0'));
    EXPECT_TRUE(bytes.trimmed().endsWith('}'));
    // The first and the last game of the list are both in it.
    EXPECT_TRUE(bytes.contains("Kessler"));
    EXPECT_TRUE(bytes.contains(QByteArray::fromStdString(GameList->Cells(1, GameList->RowCount() - 1))));
    EXPECT_EQ(progress.GamesWritten(), GameList->RowCount() - 1);
    EXPECT_FALSE(form->Memo1->isHidden());
    EXPECT_EQ(progress.Tag, 0);
    ProgressForm = nullptr;
    form->close();
}
