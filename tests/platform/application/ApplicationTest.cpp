// The application object: exceptions from handlers, the key filter ahead of
// short-cuts and controls, hints routed instead of popped up; and the rows
// builder of menus and tool bars.
#include "platform/Application.h"
#include "platform/ActionRows.h"
#include "tests/support/TestApp.h"

#include <QDialog>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TApplication& App()
{
    return static_cast<TApplication&>(TestApp());
}

// Clears the handlers a test installed.
struct Handlers {
    ~Handlers()
    {
        App().OnException = nullptr;
        App().OnMessage = nullptr;
        App().OnHint = nullptr;
        App().ShowHint = true;
    }
};

TEST(Application, AThrowingHandlerIsCaughtAndTheWindowGoesOn)
{
    Handlers restore;
    int caught = 0;
    std::string what;
    App().OnException = [&](const std::exception* e) {
        ++caught;
        what = e ? e->what() : "";
    };
    QPushButton button;
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] {
        if (++clicks == 1) throw std::runtime_error("handler failed");
    });
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(caught, 1);
    EXPECT_EQ(what, "handler failed");
    // Still working: the next click runs the handler normally.
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(caught, 1);

    // Without a handler the exception is dropped all the same.
    App().OnException = nullptr;
    QObject::connect(&button, &QPushButton::clicked, [] { throw 42; });
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks, 3);
}

TEST(Application, TheKeyFilterActsBeforeShortCutsAndTheFocusedControl)
{
    Handlers restore;
    QMainWindow window;
    auto* edit = new QLineEdit(&window);
    window.setCentralWidget(edit);
    int shortCuts = 0;
    QAction* action = window.menuBar()->addMenu("&Game")->addAction("Next");
    action->setShortcut(QKeySequence("F5"));
    QObject::connect(action, &QAction::triggered, [&] { ++shortCuts; });
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    edit->setFocus();

    std::vector<int> ran;
    App().OnMessage = [&](const QKeyEvent& key) -> TApplication::KeyAction {
        const int k = key.key();
        if (k != Qt::Key_F5 && k != Qt::Key_A) return {};
        return [&ran, k] { ran.push_back(k); };
    };
    QTest::keyClick(edit, Qt::Key_F5);
    QTest::keyClick(edit, Qt::Key_A);
    QTest::keyClick(edit, Qt::Key_B);
    EXPECT_EQ(shortCuts, 0);
    EXPECT_EQ(edit->text(), "b");
    // Each press runs its action once.
    EXPECT_EQ(ran, (std::vector<int>{Qt::Key_F5, Qt::Key_A}));

    App().OnMessage = nullptr;
    QTest::keyClick(edit, Qt::Key_F5);
    EXPECT_EQ(shortCuts, 1);
}

TEST(Application, APressRunsItsActionOnceWhateverTheActionDoes)
{
    Handlers restore;
    QWidget window;
    window.show();
    int runs = 0;
    App().OnMessage = [&](const QKeyEvent& key) -> TApplication::KeyAction {
        if (key.key() != Qt::Key_F5) return {};
        return [&] {
            ++runs;
            // A dialog with its own event loop, answered by keys of its own.
            QDialog dialog(&window);
            QTimer::singleShot(0, &dialog, [&dialog] {
                QTest::keyClick(&dialog, Qt::Key_A);
                QTest::keyClick(&dialog, Qt::Key_Escape);
            });
            dialog.exec();
        };
    };
    QTest::keyClick(&window, Qt::Key_F5);
    EXPECT_EQ(runs, 1);

    // A short-cut check whose press never comes runs nothing and leaves
    // nothing behind: the next press runs once.
    QKeyEvent check(QEvent::ShortcutOverride, Qt::Key_F5, Qt::NoModifier);
    check.ignore();
    QApplication::sendEvent(&window, &check);
    EXPECT_TRUE(check.isAccepted());
    EXPECT_EQ(runs, 1);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
    QApplication::sendEvent(&window, &press);
    EXPECT_EQ(runs, 2);
}

TEST(Application, HintsGoToTheHandlerAndToolTipsStayHidden)
{
    Handlers restore;
    std::vector<QString> hints;
    App().OnHint = [&](const QString& hint) { hints.push_back(hint); };
    App().ShowHint = false;
    QWidget parent;
    auto* control = new QWidget(&parent);
    control->setToolTip("List of games");
    parent.show();

    QEvent enter(QEvent::Enter), leave(QEvent::Leave);
    QApplication::sendEvent(control, &enter);
    QApplication::sendEvent(control, &leave);
    EXPECT_EQ(hints, (std::vector<QString>{"List of games", ""}));

    QHelpEvent tip(QEvent::ToolTip, QPoint(1, 1), control->mapToGlobal(QPoint(1, 1)));
    QApplication::sendEvent(control, &tip);
    EXPECT_FALSE(tip.isAccepted());
}

// A form with handlers for the rows builder.
class RowForm : public QMainWindow {
public:
    void Open() { ++opened; }
    void Recent(QAction* item) { recent = item->objectName(); }
    int opened = 0;
    QString recent;
    QAction* Checked = nullptr;
};

TEST(ActionRows, BuildMenusPathsGroupsAndHandlers)
{
    using Row = ActionRow<RowForm>;
    const Row rows[] = {
        {"&File", "Open1", "&Open", "Ctrl+O", "Opens", &RowForm::Open},
        {"&File|&Recent", "none1", "(none)", "Ctrl+F1", "", &RowForm::Recent},
        {"&File|&Recent", "none2", "(none)", "Ctrl+F2", "", &RowForm::Recent},
        {"&File", "-", "", "", "", nullptr},
        {"&View", "Small", "&Small", "", "Small pieces", nullptr, nullptr, 1, false},
        {"&View", "Large", "&Large", "", "Large pieces", nullptr, &RowForm::Checked, 1, true},
    };
    RowForm form;
    BuildActionRows<RowForm>(form, form.menuBar(), rows);

    ASSERT_EQ(form.menuBar()->actions().size(), 2);
    QMenu* file = form.menuBar()->actions()[0]->menu();
    ASSERT_EQ(file->actions().size(), 3); // Open, Recent, separator
    EXPECT_TRUE(file->actions()[2]->isSeparator());
    auto* open = form.findChild<QAction*>("Open1");
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(open->statusTip(), "Opens");
    open->trigger();
    EXPECT_EQ(form.opened, 1);
    form.findChild<QAction*>("none2")->trigger();
    EXPECT_EQ(form.recent, "none2");

    // One of a group is checked; the row's member holds its item.
    ASSERT_NE(form.Checked, nullptr);
    EXPECT_TRUE(form.Checked->isChecked());
    form.findChild<QAction*>("Small")->trigger();
    EXPECT_FALSE(form.Checked->isChecked());

    // A tool bar takes the same rows.
    QToolBar bar;
    const Row tools[] = {{"", "OpenButton", "Open", "", "Opens", &RowForm::Open}};
    BuildActionRows<RowForm>(form, &bar, tools);
    ASSERT_EQ(bar.actions().size(), 1);
    bar.actions()[0]->trigger();
    EXPECT_EQ(form.opened, 2);
}

} // namespace
