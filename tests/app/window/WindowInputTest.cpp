// The main window driven by the mouse and keys: the move tree while a press
// is held, the right button on the forward button, presses in the board's
// coordinate margin, and the options command of the menu bar with typed values.
#include "tests/app/mainwindow/ProgramWindow.h"

#include "app/BoardView.h"
#include "app/OptionValues.h"
#include "app/Unit2.h"
#include "platform/PaintBox.h"
#include "platform/StringGrid.h"
#include "rules/Board.h"
#include "rules/GameStore.h"

#include <QApplication>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>

namespace {

// Closes and counts every popup menu that opens while it lives.
struct PopupWatch {
    PopupWatch()
    {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (QWidget* popup = QApplication::activePopupWidget()) ++seen, popup->close();
        });
        timer.start(20);
    }
    QTimer timer;
    int seen = 0;
};

using WindowInput = ProgramWindow;

} // namespace

TEST_F(WindowInput, MoveTreeKeepsItsCellsWhileTheButtonIsHeld)
{
    Start(OpenAt(SamplePgn()));
    Key(Qt::Key_F4);
    TStringGrid& grid = *form->MoveGrid;
    const TRect r = grid.CellRect(1, 4);
    const QPoint cell((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    const QImage before = grid.viewport()->grab().toImage();
    ASSERT_NE(before.pixel(cell) & 0xFFFFFF, 0xC1C1C1u) << "the line's cells are tinted";

    QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, cell);
    EXPECT_EQ(grid.viewport()->grab().toImage(), before) << "cells lost while the button is held";
    QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, cell);
    EXPECT_EQ(CurrentPly, 5);
    EXPECT_NE(grid.viewport()->grab().toImage(), before);
}

TEST_F(WindowInput, RightClickOnForwardTogglesAutoplayOnly)
{
    Start(OpenAt(SamplePgn()));
    // Through the window, as the window system delivers it (with its context menu event).
    QWidget* button = form->ToolBar1->widgetForAction(form->ToolButton3);
    const QPoint forward = button->mapTo(form, button->rect().center());
    PopupWatch popups;
    answers.Queue(ModalAnswers::Key(Qt::Key_Return));
    QTest::mouseClick(form->windowHandle(), Qt::RightButton, {}, forward);
    QTest::qWait(100);
    EXPECT_TRUE(form->Timer1->isActive());
    QTest::mouseClick(form->windowHandle(), Qt::RightButton, {}, forward);
    QTest::qWait(100);
    EXPECT_FALSE(form->Timer1->isActive());
    EXPECT_EQ(popups.seen, 0);
}

TEST_F(WindowInput, PressInTheMarginCountsAsTheEdgeSquare)
{
    Start();
    const int s = SquareSize, m = BoardMargin;
    auto played = [](int from, int to) {
        const PositionRecord& p = Positions[CurrentPly - 1];
        const MoveEntry& move = p.Moves[MoveNodes[p.PlayedNode].Code];
        return move.From == from && move.To == to;
    };
    // Left of a2, two pixels into the margin; released on a4.
    QTest::mousePress(form->Cr, Qt::LeftButton, {}, QPoint(m - 2, m + 6 * s + s / 2));
    QTest::mouseRelease(form->Cr, Qt::LeftButton, {}, QPoint(m + s / 2, m + 4 * s + s / 2));
    ASSERT_EQ(CurrentPly, 1);
    EXPECT_TRUE(played(0x31, 0x51));
    // Above g8, two pixels into the margin; released on f6.
    QTest::mousePress(form->Cr, Qt::LeftButton, {}, QPoint(m + 6 * s + s / 2, m - 2));
    QTest::mouseRelease(form->Cr, Qt::LeftButton, {}, QPoint(m + 5 * s + s / 2, m + 2 * s + s / 2));
    ASSERT_EQ(CurrentPly, 2);
    EXPECT_TRUE(played(0x97, 0x76));
}

TEST_F(WindowInput, OptionsOfTheMenuBarTakeTypedValues)
{
    Start();
    auto type = [](QSpinBox* spin, const char* text) {
        spin->setFocus();
        QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(spin, text);
    };
    PopupWatch popups;
    answers.Queue([&type](QWidget&) {
        type(Settings->DepthEdit, "5");
        Settings->SettingControl->setCurrentIndex(3); // "Print"
        type(Settings->LeftMarg, "25");
        QTest::keyClick(Settings->LeftMarg, Qt::Key_Return); // OK
    });
    Menu({"&Options"});
    QTest::qWait(50);
    EXPECT_EQ(popups.seen, 0);
    EXPECT_EQ(ExpandDepth, 5);
    EXPECT_EQ(LeftMarginMm, 25.0);
}
