// Playing moves with the mouse, the move sounds and slide, the key table,
// the move tree and autoplay, on the real main window offscreen.
#include "app/BoardInput.h"
#include "app/BoardView.h"
#include "app/Bookmarks.h"
#include "app/KeyMap.h"
#include "app/MoveTree.h"
#include "app/OptionValues.h"
#include "app/SettingsFile.h"
#include "app/Unit1.h"
#include "app/Unit11.h"
#include "app/Unit3.h"
#include "app/Unit9.h"
#include "components/SortGrid.h"
#include "database/DatabaseFile.h"
#include "database/GameLoader.h"
#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "platform/PaintBox.h"
#include "platform/RichEdit.h"
#include "platform/Sleep.h"
#include "platform/Sound.h"
#include "rules/Board.h"
#include "rules/GameEdit.h"
#include "rules/GameStore.h"
#include "rules/Navigation.h"
#include "rules/StreamCheck.h"
#include "tests/app/ScopedSettingsFile.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString SamplePgn = QStringLiteral(VELMORA_SAMPLES "/velmora-sample.pgn");

class BoardPlay : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDialogService(&dialogs);
        SetSoundPlayer(&sounds);
        SetSleepHandler(sounds.PauseRecorder());
    }
    void TearDown() override
    {
        if (form) {
            GameModified = 0;
            form->close();
        }
        AutoplayForm = nullptr;
        PromoteForm = nullptr;
        Comments = nullptr;
        comments.reset();
        autoplay.reset();
        promote.reset();
        form.reset();
        SetSleepHandler({});
        SetSoundPlayer(nullptr);
        SetDialogService(nullptr);
    }

    // The window with game `number` of `file` shown at its start.
    void Start(const QString& file, int number)
    {
        TMemIniFile ini(SettingsFileName());
        ini.SetText("[Game]\nFile=" + file.toStdString() + "\nNumber=" + std::to_string(number) +
                    "\n");
        ASSERT_TRUE(ini.UpdateFile());
        form = std::make_unique<TForm1>();
        promote = std::make_unique<TPromoteForm>(form.get());
        PromoteForm = promote.get();
        autoplay = std::make_unique<TAutoplayForm>(form.get());
        AutoplayForm = autoplay.get();
        comments = std::make_unique<TComments>(form.get());
        Comments = comments.get();
        form->resize(1000, 760);
        form->show();
        QTest::qWait(50);
        SlideDelayMs = 0;
        sounds.Clear();
    }

    QPoint At(const char* square) const
    {
        const int q = SquareOf(square[0] - 'a', square[1] - '1');
        const TRect r = SquareRect(q, SquareSize, BoardMargin, BoardFlipped != 0);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    void Drag(const char* from, const char* to)
    {
        QTest::mousePress(form->Cr, Qt::LeftButton, {}, At(from));
        QTest::mouseMove(form->Cr, At(to));
        QTest::mouseRelease(form->Cr, Qt::LeftButton, {}, At(to));
    }
    void Click(const char* square) { QTest::mouseClick(form->Cr, Qt::LeftButton, {}, At(square)); }
    static std::string Shown()
    {
        std::string line;
        for (int p = 0; p < CurrentPly; ++p)
            line += MoveCellText(p, Positions[p].PlayedNode) + " ";
        return line;
    }
    static void ExpectValidStream()
    {
        std::string why;
        EXPECT_TRUE(CheckMoveStream(&why)) << why;
    }

    ScopedSettingsFile settingsFile;
    ScriptedDialogService dialogs;
    RecordingSoundPlayer sounds;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<TPromoteForm> promote;
    std::unique_ptr<TAutoplayForm> autoplay;
    std::unique_ptr<TComments> comments;

    // Types text into the move box and presses "Do it!"; the text left there.
    QString Type(const char* text)
    {
        form->MoveEdit->setText(QString::fromLatin1(text));
        form->Button3Click();
        return form->MoveEdit->text();
    }
};

TEST_F(BoardPlay, MovesByDragAndByClickWithSoundsAndSlides)
{
    Start(SamplePgn, 1);
    form->New1Click();
    SlideDelayMs = 4;
    Drag("e2", "e4"); // dragged: no slide
    Click("e5");      // a target only one pawn reaches
    Click("e7");
    Drag("g1", "f3");
    Drag("b8", "c6");
    Drag("f1", "c4");
    Drag("g8", "f6");
    // Pressing the king marks it and its castling square; releasing on it castles.
    QTest::mousePress(form->Cr, Qt::LeftButton, {}, At("e1"));
    EXPECT_TRUE(SquareMarks[SquareOf(6, 0)]);
    QTest::mouseRelease(form->Cr, Qt::LeftButton, {}, At("e1"));
    Drag("f6", "e4"); // a capture
    EXPECT_EQ(Shown(), "e4 e5 \xA4"
                       "f3 \xA4"
                       "c6 \xA5"
                       "c4 \xA4"
                       "f6 0-0 \xA4xe4 ");
    EXPECT_EQ(GameModified, 1);
    ExpectValidStream();
    using E = RecordingSoundPlayer::Event;
    using K = RecordingSoundPlayer::EventKind;
    const std::vector<E> expected{
        {K::Play, 101, true}, // e4
        {K::Pause, 4, false},
        {K::Play, 102, true}, // e5 slid (16 frames)
    };
    ASSERT_GE(sounds.Events().size(), 2u);
    EXPECT_EQ(sounds.Events()[0], expected[0]);
    // e5 was clicked: sixteen frames of the slide, then its sound.
    int pauses = 0;
    std::size_t i = 1;
    for (; i < sounds.Events().size() && sounds.Events()[i].Kind == K::Pause; ++i)
        ++pauses;
    EXPECT_EQ(pauses, 16);
    EXPECT_EQ(sounds.PlayedIds(), (std::vector<int>{101, 102, 101, 102, 101, 102, 102, 101, 103}));
    // The castling pair waits 200 ms between its two sounds.
    const auto& events = sounds.Events();
    EXPECT_EQ(events[events.size() - 3], (E{K::Pause, 200, false}));
    EXPECT_EQ(DragFrom, -1);
    EXPECT_TRUE(std::all_of(SquareMarks.begin(), SquareMarks.end(), [](auto m) { return !m; }));
}

TEST_F(BoardPlay, RefusedAndCancelledPressesChangeNothing)
{
    Start(SamplePgn, 1);
    form->New1Click();
    const std::string before = Shown();
    Drag("e2", "e5"); // no such move
    Drag("e2", "e2"); // released where pressed, two moves possible
    QTest::mousePress(form->Cr, Qt::LeftButton, {}, At("e4")); // released off the board
    QTest::mouseRelease(form->Cr, Qt::LeftButton, {}, QPoint(-50, -50));
    QTest::mousePress(form->Cr, Qt::LeftButton, {}, At("e2"));
    QTest::mouseRelease(form->Cr, Qt::LeftButton, {}, QPoint(2, 2)); // on the frame
    Drag("e7", "e5");                                                // not Black's turn
    QTest::mousePress(form->Cr, Qt::RightButton, {}, At("e2"));
    EXPECT_EQ(DragFrom, -1);
    EXPECT_EQ(Shown(), before);
    EXPECT_EQ(MoveNodeCount, 0);
    EXPECT_EQ(GameModified, 0);
    EXPECT_TRUE(sounds.Events().empty());
    // Navigation stands still while a press is held.
    Drag("e2", "e4");
    QTest::mousePress(form->Cr, Qt::LeftButton, {}, At("e7"));
    form->BitBtn3Click();
    form->ToolButton1Click();
    EXPECT_EQ(CurrentPly, 1);
    QTest::mouseRelease(form->Cr, Qt::LeftButton, {}, At("e5"));
    EXPECT_EQ(CurrentPly, 2);
    ExpectValidStream();
}

TEST_F(BoardPlay, PromotionTakesThePiecePickedOrNothing)
{
    QTemporaryDir dir;
    const QString pgn = dir.filePath("promo.pgn");
    QFile f(pgn);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[White \"A\"]\n[Black \"B\"]\n[FEN \"8/P6k/8/8/8/8/8/K7 w - - 0 1\"]\n\n1. Kb1 *\n");
    f.close();
    Start(pgn, 1);
    ASSERT_EQ(LineLength, 1);
    CurrentPly = 0;
    dialogs.QueueModal(mrCancel); // the chooser closed without a pick
    Drag("a7", "a8");
    EXPECT_EQ(MoveNodeCount, 1);
    dialogs.QueueModal(
        mrOk, [](QDialog& d) { static_cast<TPromoteForm&>(d).FormMouseUp(SquareSize + 2); });
    Drag("a7", "a8");
    ASSERT_EQ(CurrentPly, 1);
    EXPECT_EQ(Positions[1].Board[SquareOf(0, 7)], Piece::Rook);
    // A release past the four pieces takes the last of them.
    form->BitBtn3Click();
    dialogs.QueueModal(mrOk, [](QDialog& d) { static_cast<TPromoteForm&>(d).FormMouseUp(100000); });
    Drag("a7", "a8");
    EXPECT_EQ(Positions[1].Board[SquareOf(0, 7)], Piece::Knight);
    ExpectValidStream();
}

TEST(KeyMap, EachKeyRunsItsCommandOnItsPages)
{
    using F = TForm1;
    using M = KeyModifier;
    struct Row {
        M Modifier;
        int Key;
        KeyCommand OnTree, OnOther, OtherInTextBox;
    };
    const KeyCommand none = nullptr;
    const Row rows[] = {
        {M::None, Qt::Key_Home, &F::BitBtn3Click, none, none},
        {M::Shift, Qt::Key_Home, none, &F::BitBtn3Click, &F::BitBtn3Click},
        {M::None, Qt::Key_End, &F::BitBtn4Click, none, none},
        {M::Shift, Qt::Key_Up, none, &F::BitBtn2Click, &F::BitBtn2Click},
        {M::None, Qt::Key_Down, &F::BitBtn1Click, none, none},
        {M::None, Qt::Key_PageDown, &F::Skip5moves1Click, none, none},
        {M::Shift, Qt::Key_PageUp, none, &F::N5moves1Click, &F::N5moves1Click},
        {M::None, Qt::Key_Left, &F::ToolButton1Click, &F::ToolButton1Click, none},
        {M::None, Qt::Key_Right, &F::ToolButton3Click, &F::ToolButton3Click, none},
        {M::None, Qt::Key_Tab, &F::ToolButton15Click, &F::ToolButton15Click, &F::ToolButton15Click},
        {M::Shift, Qt::Key_Backtab, &F::Prevoiusline1Click, &F::Prevoiusline1Click,
         &F::Prevoiusline1Click},
        {M::Ctrl, Qt::Key_PageDown, &F::ToolButton5Click, &F::ToolButton5Click,
         &F::ToolButton5Click},
        {M::Ctrl, Qt::Key_PageUp, &F::ToolButton6Click, &F::ToolButton6Click, &F::ToolButton6Click},
        {M::Ctrl, Qt::Key_Right, &F::Autoplay1Click, &F::Autoplay1Click, &F::Autoplay1Click},
        {M::Alt, Qt::Key_Right, none, none, none},
        {M::Ctrl, Qt::Key_Home, none, none, none},
        {M::None, Qt::Key_A, none, none, none},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Key);
        EXPECT_TRUE(CommandForKey(r.Modifier, r.Key, true, false) == r.OnTree);
        EXPECT_TRUE(CommandForKey(r.Modifier, r.Key, false, false) == r.OnOther);
        EXPECT_TRUE(CommandForKey(r.Modifier, r.Key, false, true) == r.OtherInTextBox);
    }
}

TEST_F(BoardPlay, KeysClicksAndTheTreeFollowTheNotation)
{
    Start(SamplePgn, 1);
    form->PageControl1->setCurrentWidget(form->TreeSheet);
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTest::keyClick(form.get(), Qt::Key_End);
    EXPECT_EQ(CurrentPly, LineLength);
    QTest::keyClick(form.get(), Qt::Key_Home);
    EXPECT_EQ(CurrentPly, 0);
    for (int k = 0; k < 18; ++k)
        QTest::keyClick(form.get(), Qt::Key_Right);
    ASSERT_EQ(CurrentPly, 18); // 9...Nb8
    // Tab switches to the variation 9...Na5 and shows it in the tree.
    QTest::keyClick(form.get(), Qt::Key_Tab);
    EXPECT_EQ(MoveCellText(17, Positions[17].PlayedNode), "\xA4"
                                                          "a5");
    const TStringGrid& grid = *form->MoveGrid;
    EXPECT_EQ(grid.ColCount(), 3);
    EXPECT_EQ(grid.Cells(1, 17), "\xA4"
                                 "b8!?"); // with its symbol (the file writes $5)
    EXPECT_EQ(grid.Cells(2, 17), "\xA4"
                                 "a5");
    EXPECT_EQ(grid.Selection(), (TGridRect{2, 17, 2, 17}));
    EXPECT_EQ(Positions[17].BranchCount, 1);
    EXPECT_EQ(grid.Cells(0, 16), "9");
    EXPECT_EQ(grid.Cells(0, 17), "");
    // A click on the main line's cell goes back to it.
    const auto click = MoveGridClickTarget(grid, 1, 17);
    ASSERT_TRUE(click && !click->SameLine);
    QTest::keyClick(form.get(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Shown().substr(Shown().size() - 5), "b8!? ");
    // A caret in the move list picks the move it stands in.
    const int node = Positions[4].PlayedNode;
    form->Memo1->SetSelStart(static_cast<int>(MoveNodes[node].TextPos) + 1);
    EXPECT_EQ(CurrentPly, 5);
    EXPECT_EQ(form->PageControl1->currentWidget(), form->TreeSheet);
}

TEST(MoveTree, TintDeepensWithTheVariationsEntered)
{
    EXPECT_EQ(TreeTint(0), 0x90FF68u);
    EXPECT_EQ(TreeTint(1), 0x90FFC0u);
    EXPECT_EQ(TreeTint(2), 0x90FFDCu);
    EXPECT_EQ(TreeTint(3), 0x90FFECu);
    EXPECT_EQ(TreeTint(9), 0x90FFFFu);
}

TEST_F(BoardPlay, AutoplayWalksTheNotationAndStopsAtItsEnd)
{
    Start(SamplePgn, 1);
    std::vector<int> moves;
    for (int i = 0; i < MoveNodeCount; ++i)
        if (MoveNodes[i].Kind == NodeKind::nkMove) moves.push_back(i);
    dialogs.QueueModal(mrOk,
                       [](QDialog& d) { static_cast<TAutoplayForm&>(d).TimerEdit->setValue(600); });
    form->Autoplay1Click();
    EXPECT_TRUE(form->Autoplay1->isChecked());
    EXPECT_TRUE(form->ToolButton3->isChecked());
    EXPECT_EQ(form->Timer1->interval(), 600);
    std::vector<int> walked;
    for (std::size_t k = 0; k < moves.size() + 2 && form->Timer1->isActive(); ++k) {
        form->Timer1Timer();
        if (form->Timer1->isActive() || walked.size() < moves.size())
            walked.push_back(CurrentMoveNode());
    }
    EXPECT_EQ(walked, moves);
    EXPECT_FALSE(form->Timer1->isActive());
    EXPECT_FALSE(form->Autoplay1->isChecked());
    EXPECT_FALSE(form->ToolButton3->isChecked());
    // A step by the user stops it too; the same command stops it without a dialog.
    form->BitBtn3Click();
    dialogs.QueueModal(mrOk);
    form->Autoplay1Click();
    ASSERT_TRUE(form->Timer1->isActive());
    form->ToolButton3Click();
    EXPECT_FALSE(form->Timer1->isActive());
}

TEST_F(BoardPlay, TypedMovesInEveryNotationTheReaderTakes)
{
    Start(SamplePgn, 1);
    form->New1Click();
    const struct {
        const char* Text;
        bool Played;
    } typed[] = {
        {"e4", true},  {"e7-e5", true},    {"N f3", true},  {"Nb8c6", true}, {"Bf1-b5", true},
        {"a6", true},  {"garbage", false}, {"exd5", false}, {"Bxc6", true},  {"dxc6", true},
        {"0-0", true}, {"Nf6", true},      {"", false},
    };
    for (const auto& t : typed) {
        SCOPED_TRACE(t.Text);
        const int ply = CurrentPly;
        const QString left = Type(t.Text);
        EXPECT_EQ(CurrentPly, t.Played ? ply + 1 : ply);
        EXPECT_EQ(left.isEmpty(), t.Played || !*t.Text);
    }
    EXPECT_EQ(Shown(), "e4 e5 \xA4"
                       "f3 \xA4"
                       "c6 \xA5"
                       "b5 a6 \xA5xc6 dxc6 0-0 \xA4"
                       "f6 ");
    // A letter set whose knight is "S": "Nf3" is read as the pawn move f2-f3.
    const auto letters = PieceLetterChars;
    PieceLetterChars = {' ', 'B', 'S', 'L', 'T', 'D', 'K'};
    Type("Sc3");
    Type("Nh6"); // h7-h6
    PieceLetterChars = letters;
    EXPECT_EQ(Shown().substr(Shown().size() - 7), "\xA4"
                                                  "c3 h6 ");
    // The box holds at most its limit: the move at the end never arrives.
    const int ply = CurrentPly;
    EXPECT_EQ(Type(std::string(600, 'a').append("4").c_str()).size(), 511);
    EXPECT_EQ(CurrentPly, ply);
    ExpectValidStream();
}

TEST_F(BoardPlay, OverwriteModeEntersTheMoveWhereItWasTyped)
{
    Start(SamplePgn, 1);
    for (int k = 0; k < 17; ++k)
        form->BitBtn1Click();
    form->ToolButton15Click(); // the line through 9...Na5
    ASSERT_EQ(MoveCellText(17, Positions[17].PlayedNode), "\xA4"
                                                          "a5");
    form->BitBtn2Click();
    form->Overridemove1->setChecked(true);
    // The variation goes without a question; the bishop stands at ply 17.
    EXPECT_TRUE(Type("Bb7").isEmpty());
    EXPECT_EQ(CurrentPly, 18);
    EXPECT_EQ(MoveCellText(17, Positions[17].PlayedNode), "\xA5"
                                                          "b7");
    EXPECT_EQ(Positions[18].Board[SquareOf(1, 6)], Piece::Bishop | Piece::BlackBit);
    for (int i = 0; i < MoveNodeCount; ++i) {
        if (MoveNodes[i].Kind == NodeKind::nkMove) {
            EXPECT_NE(MoveCellText(17, i), "\xA4"
                                           "a5");
        }
    }
    ExpectValidStream();
    // The main line's rest holds comments and a variation: declined, the
    // move becomes a variation.
    GoToNode(-1);
    for (int k = 0; k < 17; ++k)
        form->BitBtn1Click();
    const int nodes = MoveNodeCount;
    dialogs.QueueMessageResult(mrCancel);
    EXPECT_TRUE(Type("d5").isEmpty());
    ASSERT_FALSE(dialogs.Requests().empty());
    EXPECT_EQ(dialogs.Requests().back().text, "Really delete sublines, comments?");
    EXPECT_EQ(MoveNodeCount, nodes + 3);
    EXPECT_EQ(CurrentPly, 18);
    ExpectValidStream();
}

TEST_F(BoardPlay, CommentsRoundTripThroughTheDialogAndTheDocument)
{
    Start(SamplePgn, 1);
    form->BitBtn1Click();
    std::string text(100 * 1024, 'x');
    text.replace(0, 40, "{braces} and \xC3\xA9 line\nnext: ");
    const QString typed = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    dialogs.QueueModal(
        mrOk, [&](QDialog& d) { static_cast<TComments&>(d).TextComments->setPlainText(typed); });
    form->CommentsAfterClick();
    EXPECT_EQ(GameModified, 1);
    const int place = CommentAfterPlace(Positions[0].PlayedNode);
    EXPECT_EQ(DecodeGameText(CommentAt(place)), QString(typed).replace("\n", "\r\n") + "\r\n");
    // The document shows it, braces and all, and the move is still selected.
    EXPECT_TRUE(form->Memo1->toPlainText().contains("{braces} and \u00E9 line next: "));
    EXPECT_EQ(form->Memo1->SelLength(), MoveNodes[Positions[0].PlayedNode].TextLength);
    // Shown again, the dialog holds the same text.
    QString shown;
    dialogs.QueueModal(mrCancel, [&](QDialog& d) {
        shown = static_cast<TComments&>(d).TextComments->toPlainText();
    });
    form->CommentsAfterClick();
    EXPECT_EQ(shown, typed);
    // The diagram mark puts a board behind the move.
    form->Diagramswapno1Click();
    EXPECT_EQ(CommentAt(place).substr(0, 2), "#{");
    ExpectValidStream();
}

TEST_F(BoardPlay, ASaveThatFailsKeepsTheEditsAndTheGame)
{
    Start(SamplePgn, 1);
    form->BitBtn4Click();
    form->Deletemoves1Click();
    ASSERT_EQ(GameModified, 1);
    dialogs.QueueMessageResult(mrYes);
    dialogs.QueueSaveFile(QStringLiteral("/nonexistent/dir/game.rtf"));
    dialogs.QueueMessageResult(mrOk);
    EXPECT_FALSE(form->ConfirmSaveGame());
    EXPECT_EQ(GameModified, 1);
    EXPECT_TRUE(dialogs.Requests().back().text.startsWith("Can't write "));
    // Deleting everything from the start leaves a valid empty game.
    form->BitBtn3Click();
    dialogs.QueueMessageResult(mrOk);
    form->Deletemoves1Click();
    EXPECT_EQ(MoveNodeCount, 0);
    EXPECT_EQ(LineLength, 0);
    ExpectValidStream();
}

TEST_F(BoardPlay, SchemesStylesAndFlipSetWhatTheBoardReads)
{
    Start(SamplePgn, 1);
    form->BitBtn1Click();
    const struct {
        void (TForm1::*Command)();
        QAction* TForm1::*Item;
        int Colored, Generic;
        std::array<int, 2> Sets;
        bool Button13, Button14;
    } rows[] = {
        {&TForm1::Velmora2Click, &TForm1::Velmora2, 1, 0, {0, 1}, false, true},
        {&TForm1::Reversedchess1Click, &TForm1::Reversedchess1, 0, 0, {1, 0}, false, false},
        {&TForm1::Color1Click, &TForm1::Color1, 1, 1, {1, 0}, false, false},
        {&TForm1::Blackwhite1Click, &TForm1::Blackwhite1, 0, 0, {0, 1}, true, false},
    };
    const QByteArray traditional = form->Memo1->SaveToStream();
    for (const auto& r : rows) {
        (form.get()->*r.Command)();
        EXPECT_EQ(ColoredPieces, r.Colored);
        EXPECT_EQ(GenericGlyphMode, r.Generic);
        EXPECT_EQ(PieceSet, r.Sets);
        EXPECT_EQ(form->ToolButton13->isChecked(), r.Button13);
        EXPECT_EQ(form->ToolButton14->isChecked(), r.Button14);
        EXPECT_TRUE((form.get()->*r.Item)->isChecked());
        // The coloured schemes colour the notation: the document follows.
        EXPECT_EQ(form->Memo1->SaveToStream() == traditional, r.Colored == 0);
    }
    EXPECT_EQ(GameModified, 0);
    const QImage modern = BoardBitmap.copy();
    form->Blind1Click();
    EXPECT_EQ(GlyphChars[1], ' ');
    EXPECT_NE(BoardBitmap, modern);
    form->Modern1Click();
    EXPECT_EQ(BoardBitmap, modern);
    // The flip button's picture follows the side to move and the orientation.
    EXPECT_EQ(form->SwButton->data().toInt(), 9);
    form->Flipboard1Click();
    EXPECT_EQ(form->SwButton->data().toInt(), 11);
    EXPECT_TRUE(form->BIOK1->isChecked());
    form->BitBtn1Click();
    EXPECT_EQ(form->SwButton->data().toInt(), 10);
    form->Flipboard1Click();
    EXPECT_EQ(form->SwButton->data().toInt(), 8);
    EXPECT_FALSE(form->SwButton->isChecked());
}

TEST_F(BoardPlay, BookmarksMarkLoadAndTrace)
{
    Start(SamplePgn, 1);
    // Never marked: load and trace do nothing.
    const int ply = CurrentPly;
    QAction slot2;
    slot2.setData(2);
    form->Memo3Click(&slot2);
    form->Load21Click(&slot2);
    EXPECT_EQ(CurrentPly, ply);
    EXPECT_TRUE(dialogs.Requests().empty());

    form->BitBtn1Click();
    form->BitBtn1Click();
    QAction mark1;
    mark1.setData(1);
    form->Bookmark11Click(&mark1);
    const std::string number(GameList->Cells(0, CurrentGameRow));
    EXPECT_TRUE(form->Label1->text().endsWith(" after 1. ... e5"));
    EXPECT_TRUE(form->Label1->text().contains(" velmora-sample.pgn [" +
                                              QString::fromStdString(number) + "]"));
    EXPECT_EQ(form->PageControl1->currentWidget(), form->BmSheet);

    // Another game, then back to the bookmark: database, game and position.
    form->ToolButton5Click();
    ASSERT_NE(CurrentGameRow, 1);
    form->Memo3Click(&mark1);
    EXPECT_EQ(GameList->Cells(0, CurrentGameRow), number);
    EXPECT_EQ(CurrentPly, 2);
    // Traced in a new game: as far as its moves allow (none).
    form->New1Click();
    form->Load21Click(&mark1);
    EXPECT_EQ(CurrentPly, 0);
    // Marked with no database: one line break, and loading does nothing.
    form->Close1Click();
    QAction mark2;
    mark2.setData(2);
    form->Bookmark11Click(&mark2);
    EXPECT_EQ(form->Label2->text(), "\n");
    form->Memo3Click(&mark2);
    EXPECT_EQ(DatabaseFileHandle, -1);
}

TEST_F(BoardPlay, ABookmarkOfAChangedDatabaseIsRefused)
{
    QTemporaryDir dir;
    const QString copy = dir.filePath("games.pgn");
    ASSERT_TRUE(QFile::copy(SamplePgn, copy));
    Start(copy, 2);
    form->BitBtn1Click();
    QAction mark;
    mark.setData(1);
    form->Bookmark11Click(&mark);
    QFile file(copy);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("\n[White \"Late\"]\n[Black \"Entry\"]\n\n1. e4 *\n");
    file.close();
    form->ToolButton5Click();
    const int row = CurrentGameRow;
    dialogs.QueueMessageResult(mrOk);
    form->Memo3Click(&mark);
    ASSERT_FALSE(dialogs.Requests().empty());
    EXPECT_TRUE(dialogs.Requests().back().text.contains("changed"));
    EXPECT_EQ(CurrentGameRow, row);
}

} // namespace
