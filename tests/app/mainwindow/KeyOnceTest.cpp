// One press of a key of the key table runs its command once, whatever the
// modal dialog that the command opens does with its own keys; a held key's
// steps end with its release; and the Navigation menu's autoplay item, whose
// check mark says whether autoplay runs.
#include "ProgramWindow.h"

#include "app/OptionValues.h"
#include "app/Unit2.h"
#include "database/GameLoader.h"
#include "platform/Sleep.h"
#include "rules/Board.h"

#include <QAction>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <algorithm>

namespace {

using KeyOnce = ProgramWindow;

std::vector<std::string> Times(int n, const char* text)
{
    return std::vector<std::string>(static_cast<std::size_t>(n), text);
}

TEST_F(KeyOnce, ShiftDeleteAnsweredFromTheKeyboardDeletesOnce)
{
    Start(OpenAt(SamplePgn()));
    Key(Qt::Key_F4); // the move tree, where plain keys navigate
    Key(Qt::Key_Home);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down); // 1...e5
    ASSERT_EQ(CurrentPly, 2);
    const int length = LineLength;

    answers.Queue(ModalAnswers::Key(Qt::Key_Escape));
    Key(Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(LineLength, length);
    answers.Queue(ModalAnswers::Key(Qt::Key_Return));
    Key(Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(LineLength, 1); // 1.e4 stays
    EXPECT_EQ(answers.Shown(), Times(2, "Really delete sublines, comments?"));
}

TEST_F(KeyOnce, NextAndPreviousGameAskOncePerPress)
{
    Start(OpenAt(SamplePgn(), 2));
    ASSERT_EQ(CurrentGameRow, 2);
    const auto edit = [this](const char* from, const char* to) {
        Key(Qt::Key_F4);
        Key(Qt::Key_Home);
        Drag(from, to); // a new first move
        ASSERT_EQ(GameModified, 1);
    };
    edit("d2", "d4");
    answers.Queue(ModalAnswers::Key(Qt::Key_Escape));
    Key(Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(CurrentGameRow, 2);
    // Yes goes on to the export of the game; cancelling it abandons the step.
    answers.Queue(ModalAnswers::Key(Qt::Key_Y));
    answers.Queue(ModalAnswers::Key(Qt::Key_Escape));
    Key(Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(CurrentGameRow, 2);
    answers.Queue(ModalAnswers::Key(Qt::Key_N));
    Key(Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(CurrentGameRow, 3);

    edit("g7", "h7"); // Black moves first in game 3
    answers.Queue(ModalAnswers::Key(Qt::Key_Escape));
    Key(Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(CurrentGameRow, 3);
    answers.Queue(ModalAnswers::Key(Qt::Key_N));
    Key(Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(CurrentGameRow, 2);

    const std::vector<std::string>& shown = answers.Shown();
    EXPECT_EQ(std::count(shown.begin(), shown.end(), "Save game?"), 5);
    EXPECT_EQ(shown.size(), 6u); // and one export dialog
}

TEST_F(KeyOnce, CtrlRightStartsAutoplayThroughItsDialogAndStopsIt)
{
    Start(OpenAt(SamplePgn()));
    answers.Queue(ModalAnswers::Key(Qt::Key_Return)); // "Start"
    Key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_TRUE(form->Timer1->isActive());
    EXPECT_TRUE(form->Autoplay1->isChecked());
    Key(Qt::Key_Right, Qt::ControlModifier); // running: stops without a dialog
    EXPECT_FALSE(form->Timer1->isActive());
    answers.Queue(ModalAnswers::Key(Qt::Key_Escape));
    Key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_FALSE(form->Timer1->isActive());
    EXPECT_FALSE(form->Autoplay1->isChecked());
    EXPECT_EQ(answers.Shown(), Times(2, " Autoplay"));
}

TEST_F(KeyOnce, F8OpensTheOptionsOnceWhateverIsTypedInThem)
{
    Start(OpenAt(SamplePgn()));
    answers.Queue(ModalAnswers::Key(Qt::Key_Escape));
    Key(Qt::Key_F8);
    answers.Queue([](QWidget& options) {
        QTest::keyClick(&options, Qt::Key_Tab);
        QTest::keyClick(&options, Qt::Key_F8);
        QTest::keyClick(&options, Qt::Key_Escape);
    });
    Key(Qt::Key_F8);
    // A colour dialog opened from the options and closed by its own Esc.
    answers.Queue([](QWidget& options) {
        ClickTab(*Settings->SettingControl, 1);
        QTest::mouseClick(Settings->LiSq, Qt::LeftButton);
        QTest::keyClick(&options, Qt::Key_Escape);
    });
    answers.Queue(ModalAnswers::Key(Qt::Key_Escape));
    Key(Qt::Key_F8);

    const std::vector<std::string>& shown = answers.Shown();
    EXPECT_EQ(std::count(shown.begin(), shown.end(), " Options"), 3);
    EXPECT_EQ(shown.size(), 4u);
}

// The repeats of Right as a held key queues them, each a release and a press.
void QueueRepeats(QWidget* target, int count)
{
    for (int k = 0; k < count; ++k)
        for (const QEvent::Type type : {QEvent::KeyRelease, QEvent::KeyPress})
            QCoreApplication::postEvent(target,
                                        new QKeyEvent(type, Qt::Key_Right, {}, QString(), true));
}

void Settle()
{
    for (int k = 0; k < 3; ++k)
        QCoreApplication::processEvents();
}

TEST_F(KeyOnce, AHeldStepKeyStopsAtItsReleaseAndNeverHoldsUpExit)
{
    Start(OpenAt(SamplePgn())); // its first moves have no variations
    Key(Qt::Key_Home, Qt::ShiftModifier);
    ASSERT_GT(SlideDelayMs, 0);
    QWidget* target = QApplication::focusWidget();
    int frames = 0; // of slides
    bool held = false;
    const ScopedSleepHandler recorded{[&](int ms) {
        frames += ms == SlideDelayMs;
        // Right held while its first step slides: its repeats queue up, then its release.
        if (held) return;
        held = true;
        QueueRepeats(target, 20);
        QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Right, {}));
    }};
    QTest::keyPress(target, Qt::Key_Right);
    Settle();
    EXPECT_EQ(CurrentPly, 1);
    EXPECT_EQ(frames, 16) << "the single step slides";

    // A repeat with nothing queued steps at once, without a slide.
    QTest::simulateEvent(target, true, Qt::Key_Right, {}, QString(), true);
    Settle();
    QTest::keyRelease(target, Qt::Key_Right);
    EXPECT_EQ(CurrentPly, 2);
    EXPECT_EQ(frames, 16);

    // Exit chosen while the repeats wait: no step goes first.
    QueueRepeats(target, 20);
    QMetaObject::invokeMethod(form->findChild<QAction*>("Exit1"), &QAction::trigger,
                              Qt::QueuedConnection);
    Settle();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(CurrentPly, 2);
}

TEST_F(KeyOnce, AutoplayMenuItemFollowsTheTimer)
{
    Start(OpenAt(SamplePgn()));
    const auto choose = [this] { MenuKeys(Qt::Key_N, Qt::Key_U); }; // Navigation, "A&utoplay..."
    const auto expectRunning = [this](bool running) {
        EXPECT_EQ(form->Timer1->isActive(), running);
        EXPECT_EQ(form->Autoplay1->isChecked(), running);
        EXPECT_EQ(form->ToolButton3->isChecked(), running);
    };
    answers.Queue(ModalAnswers::Key(Qt::Key_Return));
    choose();
    expectRunning(true);
    choose(); // running: stops without a dialog
    expectRunning(false);
    answers.Queue(ModalAnswers::Key(Qt::Key_Escape));
    choose();
    expectRunning(false);
    // An empty game: no dialog, and the item stays unchecked.
    Key(Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(LineLength, 0);
    choose();
    expectRunning(false);
    EXPECT_EQ(answers.Shown(), Times(2, " Autoplay"));
}

} // namespace
