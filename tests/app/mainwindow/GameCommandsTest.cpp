// Commands that replace or show the game, driven by keys, clicks and menus:
// loading a bookmark, exporting every game, clicking into the move list.
#include "ProgramWindow.h"

#include "app/Bookmarks.h"
#include "components/SortGrid.h"
#include "database/DatabaseFile.h"
#include "database/GameIndex.h"
#include "database/GameLoader.h"
#include "database/Unit7.h"
#include "platform/PaintBox.h"
#include "platform/RichEdit.h"
#include "platform/StringGrid.h"
#include "rules/Board.h"
#include "rules/GameStore.h"
#include "rules/Navigation.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QToolBar>

namespace {

const QString MixedPgn = QStringLiteral(VELMORA_TEST_DATA "/mixed.pgn");
const char* const OpenTitle = "Open pgn file";

// What the window shows of the game: board, title, list row, move list,
// move tree and what Copy puts on the clipboard.
struct Shown {
    QImage Board;
    QString Title;
    int ListRow = 0;
    QString MoveList;
    QStringList Tree;
    QString Copied;
    bool operator==(const Shown&) const = default;
};

class GameCommands : public ProgramWindow {
protected:
    Shown Look()
    {
        Shown s;
        s.Board = form->Cr->grab().toImage();
        s.Title = form->HeadLabel->text();
        s.ListRow = GameList->Row();
        s.MoveList = form->Memo1->toPlainText();
        for (int r = 0; r < form->MoveGrid->RowCount(); ++r)
            for (int c = 0; c < form->MoveGrid->ColCount(); ++c)
                s.Tree << QString::fromStdString(std::string(form->MoveGrid->Cells(c, r)));
        QApplication::clipboard()->clear();
        Click(form->ToolBar1->widgetForAction(form->ToolBar1->findChild<QAction*>("CopyButton")));
        s.Copied = QApplication::clipboard()->text();
        return s;
    }
};

} // namespace

TEST_F(GameCommands, BookmarkOfADatabaseThatNoLongerOpensLoadsNothing)
{
    Start();
    const QString marked = Copy(SamplePgn(), "marked.pgn");
    OpenDatabase(marked);
    LoadRow(3);
    for (int k = 0; k < 3; ++k)
        Key(Qt::Key_Right);
    Key(Qt::Key_F11);
    ASSERT_EQ(Bookmarks[0].Game, 3);

    OpenDatabase(MixedPgn);
    LoadRow(1);
    const std::string other = DatabaseFileName;
    const QString document = form->Memo1->toPlainText();
    const int ply = CurrentPly;
    ASSERT_TRUE(QFile::remove(marked));

    answers.Queue(ModalAnswers::Key(Qt::Key_Return));
    Key(Qt::Key_F11, Qt::ControlModifier);
    EXPECT_EQ(answers.Shown(), (Texts{OpenTitle, OpenTitle, "Can't open PGN file!"}));
    // The database open stays, and so does its game: no game 3 of it.
    EXPECT_EQ(DatabaseFileName, other);
    EXPECT_EQ(CurrentGameRow, 1);
    EXPECT_EQ(CurrentPly, ply);
    EXPECT_EQ(form->Memo1->toPlainText(), document);
}

TEST_F(GameCommands, BookmarkIsNotLoadedWhileAListIsIndexed)
{
    Start();
    // Large enough that the index lets the window handle events on its way.
    QByteArray text;
    {
        QFile sample(SamplePgn());
        ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
        const QByteArray games = sample.readAll();
        for (int k = 0; k < 8; ++k)
            text += games + "\n";
    }
    const QString large = dir.filePath("large.pgn");
    {
        QFile file(large);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(text), text.size());
    }
    OpenDatabase(large);
    const int games = GameList->RowCount() - 1;
    ASSERT_GT(games, 2 * IndexPumpInterval);
    LoadRow(1);
    for (int k = 0; k < 3; ++k)
        Key(Qt::Key_Right);
    Key(Qt::Key_F11);
    ASSERT_EQ(Bookmarks[0].Game, 1);
    LoadRow(2);
    const QString document = form->Memo1->toPlainText();
    const int ply = CurrentPly;

    // The bookmark asked for while the same file is indexed again.
    bool asked = false;
    QTimer during;
    during.setInterval(0);
    QObject::connect(&during, &QTimer::timeout, [&] {
        if (!ListLoading || asked) return;
        asked = true;
        Key(Qt::Key_F11, Qt::ControlModifier);
    });
    during.start();
    OpenDatabase(large);
    during.stop();
    ASSERT_TRUE(asked);
    EXPECT_EQ(GameList->RowCount() - 1, games);
    EXPECT_EQ(form->Memo1->toPlainText(), document);
    EXPECT_EQ(CurrentPly, ply);
}

TEST_F(GameCommands, AllGamesExportAsksForAnEditedGameAndShowsOneGameAfterwards)
{
    Start();
    OpenDatabase(SamplePgn());
    LoadRow(2);
    Key(Qt::Key_Home, Qt::ShiftModifier);
    TypeInMoveBox("Na3");
    ASSERT_EQ(GameModified, 1);
    const QString edited = form->Memo1->toPlainText();
    const QString target = dir.filePath("all.rtf");

    // Cancel: the edited game stays, nothing is written.
    answers.Queue(ModalAnswers::Key(Qt::Key_Escape));
    Menu({"&File", "&Export rtf", "&All games"});
    EXPECT_EQ(answers.Shown(), (Texts{OpenTitle, "Save game?"}));
    EXPECT_EQ(GameModified, 1);
    EXPECT_EQ(form->Memo1->toPlainText(), edited);
    EXPECT_FALSE(QFile::exists(target));

    // No: the edits go, every game is exported.
    answers.Queue(ModalAnswers::Key(Qt::Key_N));
    answers.Queue(ModalAnswers::FileName(target));
    Menu({"&File", "&Export rtf", "&All games"});
    EXPECT_EQ(answers.Shown(), (Texts{OpenTitle, "Save game?", "Save game?", "Export rtf"}));
    ASSERT_TRUE(QFile::exists(target));
    EXPECT_EQ(ProgressForm->GamesWritten(), GameList->RowCount() - 1);

    // Board, title, list row, move list, tree and copy show one game: the
    // game under the list's cursor, as loading it again shows it.
    const Shown after = Look();
    EXPECT_EQ(after.ListRow, CurrentGameRow);
    EXPECT_FALSE(after.Copied.isEmpty());
    EXPECT_EQ(GameModified, 0);
    Click(GameList->viewport(), QPoint(4, (GameList->CellRect(0, GameList->Row()).Top +
                                           GameList->CellRect(0, GameList->Row()).Bottom) /
                                              2));
    Key(Qt::Key_Return);
    EXPECT_TRUE(answers.Drained());
    EXPECT_TRUE(Look() == after) << "the window showed more than one game";
}

TEST_F(GameCommands, ClickInTheMoveListKeepsTheBookmarksPage)
{
    Start();
    OpenDatabase(SamplePgn());
    LoadRow(1);
    Key(Qt::Key_F6);
    ASSERT_EQ(form->PageControl1->currentWidget(), form->BmSheet);

    // A click on the fourth move of the list makes it the current move.
    int node = -1;
    for (int i = 0, moves = 0; i < MoveNodeCount && node < 0; ++i)
        if (MoveNodes[i].Kind == NodeKind::nkMove && ++moves == 4) node = i;
    ASSERT_GE(node, 0);
    QTextCursor cursor(form->Memo1->document());
    cursor.setPosition(RichToDocPos(*form->Memo1->document(), MoveNodes[node].TextPos + 1));
    Click(form->Memo1->viewport(), form->Memo1->cursorRect(cursor).center());
    EXPECT_EQ(CurrentMoveNode(), node);
    EXPECT_EQ(form->PageControl1->currentWidget(), form->BmSheet);

    // On another page the click shows the move tree.
    Key(Qt::Key_F3);
    Click(form->Memo1->viewport(), form->Memo1->cursorRect(cursor).center());
    EXPECT_EQ(form->PageControl1->currentWidget(), form->TreeSheet);
}
