// The main window's life cycle: the last state written at close and
// restored at the next start.
#include "app/BoardView.h"
#include "app/MainMenus.h"
#include "app/OptionValues.h"
#include "app/SettingsFile.h"
#include "app/Unit1.h"
#include "components/SortGrid.h"
#include "components/VXSplitter/VXSplitter.h"
#include "database/DatabaseFile.h"
#include "database/GameLoader.h"
#include "database/Unit7.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "platform/PaintBox.h"
#include "platform/RichEdit.h"
#include "platform/Sound.h"
#include "rules/Board.h"
#include "rules/GameStore.h"
#include "rules/Navigation.h"
#include "tests/app/ScopedSettingsFile.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <stdexcept>
#include <vector>

namespace {

const QString SamplePgn = QStringLiteral(VELMORA_SAMPLES "/velmora-sample.pgn");

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { SetDialogService(&dialogs); }
    void TearDown() override { SetDialogService(nullptr); }

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
        TMemIniFile ini(SettingsFileName());
        ini.SetText(text);
        ASSERT_TRUE(ini.UpdateFile());
    }

    ScopedSettingsFile settingsFile;
    ScriptedDialogService dialogs;
};

} // namespace

TEST_F(MainWindowTest, FirstRunWithoutSettingsWritesAnEmptyGame)
{
    {
        auto form = Start();
        EXPECT_EQ(DatabaseFileHandle, -1);
        EXPECT_EQ(form->windowTitle(), "Velmora Chess");
        for (int id : MoveSoundLoadOrder)
            EXPECT_TRUE(MoveSoundWaves.IsLoaded(id)) << id;
        form->close();
    }
    EXPECT_FALSE(MoveSoundWaves.IsLoaded(MoveSoundWhiteId));
    TMemIniFile ini(SettingsFileName());
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
    TMemIniFile ini(SettingsFileName());
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
    TMemIniFile again(SettingsFileName());
    EXPECT_EQ(again.Text(), ini.Text());
}

TEST_F(MainWindowTest, BadSettingsGiveDefaults)
{
    WriteSettings("[Game]\nFile=/no/such/file.pgn\nNumber=abc\nNode=ZZ\n"
                  "[Layout]\nBoard=80\nList=-5\n");
    dialogs.QueueMessageResult(mrOk); // "Can't open PGN file!"
    {
        auto form = Start();
        EXPECT_EQ(DatabaseFileHandle, -1);
        ASSERT_EQ(dialogs.Requests().size(), 1u);
        EXPECT_EQ(dialogs.Requests()[0].text, "Can't open PGN file!");
        EXPECT_EQ(form->BoardSplitter->InitialPercent(), 44);
        form->close();
    }
    TMemIniFile ini(SettingsFileName());
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
    TMemIniFile ini(SettingsFileName());
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
    TMemIniFile ini(SettingsFileName());
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
    const std::string number(GameList->Cells(0, 1));
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

    const QString one = dir.filePath("one"); // the default extension is added
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
    EXPECT_TRUE(bytes.contains(
        QByteArray::fromStdString(std::string(GameList->Cells(1, GameList->RowCount() - 1)))));
    EXPECT_EQ(progress.GamesWritten(), GameList->RowCount() - 1);
    EXPECT_FALSE(form->Memo1->isHidden());
    EXPECT_EQ(progress.Tag, 0);
    ProgressForm = nullptr;
    form->close();
}

TEST_F(MainWindowTest, EveryRowBuildsItsItemWithShortCutAndHint)
{
    auto form = Start();
    const struct {
        std::span<const ActionRow<TForm1>> rows;
        QWidget* container;
    } tables[] = {{MainMenuRows(), form->menuBar()},
                  {ToolBarRows(), form->ToolBar1},
                  {EditMenuRows(), form->EditMenu}};
    std::set<QString> names;
    for (const auto& table : tables) {
        for (const ActionRow<TForm1>& row : table.rows) {
            if (QString(row.Name) == "-") continue;
            SCOPED_TRACE(row.Name);
            EXPECT_TRUE(names.insert(row.Name).second) << "named twice";
            const auto* item = table.container->findChild<QAction*>(row.Name);
            ASSERT_NE(item, nullptr);
            EXPECT_EQ(item->text(), row.Caption);
            EXPECT_EQ(item->shortcut(), QKeySequence(row.ShortCut));
            EXPECT_EQ(item->statusTip(), row.Hint);
            EXPECT_NE(row.Handler.Click != nullptr, row.Handler.SenderClick != nullptr);
        }
    }
    for (QAction* recent : form->RecentItems)
        ASSERT_NE(recent, nullptr);
    EXPECT_EQ(form->RecentItems[4]->shortcut(), QKeySequence("Ctrl+F5"));
    EXPECT_TRUE(form->Gameslist1->isChecked());
    form->close();
}

TEST_F(MainWindowTest, TheRefreshChainRepaintsTheBoardOnlyWhenThePositionCanChange)
{
    WriteSettings("[Game]\nFile=" + SamplePgn.toStdString() + "\nNumber=1\nNode=0D09\n");
    auto form = Start();
    ASSERT_EQ(CurrentPly, 2);
    const QImage shown = BoardBitmap.copy();
    CurrentPly = 0; // the position changes behind the views' back

    GameModified = 0;
    form->RefreshAfterEdit(false);
    EXPECT_EQ(GameModified, 1);
    EXPECT_EQ(BoardBitmap, shown);

    form->RefreshAfterEdit(true);
    EXPECT_NE(BoardBitmap, shown);
    CurrentPly = 2;
    form->RefreshAfterNavigation();
    EXPECT_EQ(BoardBitmap, shown);
    GameModified = 0;
    form->close();
}

TEST_F(MainWindowTest, AThrowingHandlerShowsNothingAndTheWindowGoesOn)
{
    auto form = Start();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QAction* failing = form->menuBar()->addAction("Fail");
    failing->setShortcut(QKeySequence("Ctrl+Shift+F12"));
    QObject::connect(failing, &QAction::triggered, [] { throw std::runtime_error("broken"); });
    QTest::keyClick(form.get(), Qt::Key_F12, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(dialogs.Requests().empty());
    EXPECT_TRUE(form->isVisible());

    // The window still answers: a new game by its short-cut.
    CurrentGameRow = 5;
    QTest::keyClick(form.get(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(CurrentGameRow, -1);
    form->close();
}

TEST_F(MainWindowTest, HintsGoToTheStatusBar)
{
    auto form = Start();
    EXPECT_FALSE(Application->ShowHint);
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(GameList, &enter);
    EXPECT_EQ(form->statusBar()->currentMessage(), "List of games in the opened database");
    form->close();
}

TEST(SettingsTable, EveryKeyReadsBackWhatWasWrittenAndItsDefaultWhenAbsent)
{
    TMemIniFile empty(QStringLiteral("/nonexistent/velmora-test.ini"));
    TMemIniFile ini(QStringLiteral("/nonexistent/velmora-test.ini"));
    std::set<std::string> keys;
    int n = 0;
    for (const Setting& s : AllSettings()) {
        SCOPED_TRACE(std::string(s.Section) + "." + s.Key);
        EXPECT_TRUE(keys.insert(std::string(s.Section) + "." + s.Key).second);
        ++n;
        switch (s.Type) {
        case SettingType::Integer:
            EXPECT_EQ(ReadIntSetting(empty, s), std::atoi(s.Default));
            WriteSetting(ini, s, 1000 + n);
            EXPECT_EQ(ReadIntSetting(ini, s), 1000 + n);
            break;
        case SettingType::Flag:
            EXPECT_EQ(ReadFlagSetting(empty, s), std::string(s.Default) == "1");
            WriteFlagSetting(ini, s, std::string(s.Default) != "1");
            EXPECT_EQ(ReadFlagSetting(ini, s), std::string(s.Default) != "1");
            break;
        case SettingType::Text:
            EXPECT_EQ(ReadTextSetting(empty, s), s.Default);
            WriteTextSetting(ini, s, "value " + std::to_string(n));
            EXPECT_EQ(ReadTextSetting(ini, s), "value " + std::to_string(n));
            break;
        }
    }
    // Sections come out in the order of the table.
    EXPECT_EQ(ini.Text().find("[Velmora]"), 0u);
    EXPECT_LT(ini.Text().find("[MoveList]"), ini.Text().find("[Game]"));
    EXPECT_LT(ini.Text().find("[Layout]"), ini.Text().find("[Recent]"));
    EXPECT_LT(ini.Text().find("[Recent]"), ini.Text().find("[Config]"));
}

TEST_F(MainWindowTest, TheTitleShowsWholeAndATinyBoardShowsNothing)
{
    auto form = Start(); // no game at the start
    dialogs.QueueOpenFile(SamplePgn);
    form->OpenDClick();
    form->LoadGame(1, true);
    ASSERT_FALSE(form->HeadLabel->text().isEmpty());
    EXPECT_GE(form->HeadLabel->height(), form->HeadLabel->sizeHint().height());
    // The board pane squeezed below the smallest square: no board, no title.
    form->BoardSplitter->resize(60, 60);
    form->Splitter1Moved();
    EXPECT_LT(SquareSize, MinSquareSize);
    EXPECT_FALSE(form->HeadLabel->isVisible());
    // The board image of the last size is not shown any more.
    const QImage shown = form->Cr->grab().toImage();
    const QPoint centre(shown.width() / 2, shown.height() / 2);
    ASSERT_TRUE(BoardBitmap.rect().contains(centre));
    EXPECT_NE(shown.pixel(centre), BoardBitmap.pixel(centre));
    form->close();
}

TEST_F(MainWindowTest, AVanishedRecentFileLeavesTheOpenListWorking)
{
    WriteSettings("[Game]\nFile=" + SamplePgn.toStdString() + "\nNumber=1\n");
    auto form = Start();
    form->RecentItems[0]->setText("/no/such/folder/gone.pgn");
    dialogs.QueueMessageResult(mrOk);
    form->none1Click(form->RecentItems[0]);
    ASSERT_FALSE(dialogs.Requests().empty());
    EXPECT_EQ(dialogs.Requests().back().text, "Can't open PGN file!");
    ASSERT_NE(DatabaseFileHandle, -1);
    form->LoadGame(2, true);
    EXPECT_EQ(CurrentGameRow, 2);
    EXPECT_GT(LineLength, 0);
    // An item that names no file yet opens nothing and asks nothing.
    const auto asked = dialogs.Requests().size();
    form->RecentItems[4]->setText("(none)");
    form->none1Click(form->RecentItems[4]);
    EXPECT_EQ(dialogs.Requests().size(), asked);
    form->close();
}
