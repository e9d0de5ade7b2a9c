// The help service and window: requests recorded without a window, the one
// help window opened offscreen at a context and at the contents, usable
// while a modal dialog runs, and F1 in a modal form opening the context of
// the focused control or of the form.
#include "platform/HelpWindow.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "tests/support/TestApp.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

using Request = RecordingHelpService::Request;

class Help_ : public ::testing::Test {
protected:
    static void SetUpTestSuite() { TestApp(); }
};

using HelpService_ = Help_;
using HelpWindow_ = Help_;
using HelpKey = Help_;

} // namespace

TEST_F(HelpService_, RecordsWhatWouldOpenAndRestores)
{
    const HelpWindow* before = HelpWindow::Current();
    RecordingHelpService outer;
    {
        ScopedHelpService a(outer);
        RecordingHelpService inner;
        {
            ScopedHelpService b(inner);
            ShowHelpContext(16);
        }
        ShowHelpContents();
        ShowHelpContext(15);
        ShowHelpContext(99);
        EXPECT_EQ(inner.Requests(), (std::vector<Request>{{16, HelpPageUrl(16)}}));
    }
    EXPECT_EQ(outer.Requests(),
              (std::vector<Request>{
                  {0, HelpContentsUrl()}, {15, HelpPageUrl(15)}, {99, HelpContentsUrl()}}));
    EXPECT_EQ(SetHelpService(nullptr), nullptr) << "nothing left installed";
    EXPECT_EQ(HelpWindow::Current(), before) << "recording opens no window";
}

TEST_F(HelpWindow_, OpensAtAContextThenAtTheContentsInOneWindow)
{
    ShowHelpContext(15);
    HelpWindow* w = HelpWindow::Current();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->isWindow());
    EXPECT_EQ(w->Browser()->source(), HelpPageUrl(15));
    EXPECT_TRUE(w->Browser()->toPlainText().contains("Autoplay delay (ms)"));
    EXPECT_TRUE(w->windowTitle().startsWith("Autoplay"));

    ShowHelpContents();
    EXPECT_EQ(HelpWindow::Current(), w) << "one window";
    EXPECT_EQ(w->Browser()->source(), HelpContentsUrl());
    EXPECT_TRUE(w->Browser()->toPlainText().contains("Opening a database"));

    // A link of the contents page, followed as a click follows it; Back
    // returns.
    w->Browser()->setSource(w->Browser()->source().resolved(QUrl("bookmarks.html")));
    EXPECT_TRUE(w->Browser()->toPlainText().contains("Mark position 1"));
    ASSERT_TRUE(w->Browser()->isBackwardAvailable());
    w->Browser()->backward();
    EXPECT_EQ(w->Browser()->source(), HelpContentsUrl());

    w->close();
    ShowHelpContext(23);
    EXPECT_EQ(HelpWindow::Current(), w);
    EXPECT_TRUE(w->isVisible()) << "closing only hides it";
}

TEST_F(HelpWindow_, UsableWhileAModalDialogRuns)
{
    QDialog dialog;
    QWidget* ownerDuringDialog = nullptr;
    QTimer::singleShot(0, &dialog, [&] {
        ShowHelpContext(19);
        ownerDuringDialog = HelpWindow::Current()->parentWidget();
        dialog.done(QDialog::Rejected);
    });
    dialog.setModal(true);
    dialog.exec();
    HelpWindow* w = HelpWindow::Current();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(ownerDuringDialog, &dialog) << "a window of the dialog, so not blocked by it";
    EXPECT_EQ(w->parentWidget(), nullptr) << "on its own once the dialog is done";
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->Browser()->source(), HelpPageUrl(19));
}

TEST_F(HelpKey, F1OpensTheContextOfTheFocusedControlOrTheForm)
{
    TModalForm form;
    auto* layout = new QVBoxLayout(&form);
    auto* spin = new QSpinBox(&form);
    auto* memo = new QPlainTextEdit(&form);
    auto* edit = new QLineEdit(&form);
    auto* button = new QPushButton("OK", &form);
    auto* tabs = new QTabWidget(&form);
    auto* movelist = new QWidget;
    auto* board = new QWidget;
    auto* onBoard = new QLineEdit(board);
    tabs->addTab(movelist, "Movelist");
    tabs->addTab(board, "Board");
    SetHelpContext(movelist, 18);
    SetHelpContext(board, 19);
    SetHelpContext(edit, 21);
    for (QWidget* w : std::initializer_list<QWidget*>{spin, memo, edit, button, tabs})
        layout->addWidget(w);
    form.HelpContext = 15;
    form.show();

    struct Case {
        const char* name;
        QWidget* focus;
        int tab;
        int expected;
    };
    const Case cases[] = {
        {"spin field", spin, 0, 15},
        {"memo", memo, 0, 15},
        {"button", button, 0, 15},
        {"control with its own context", edit, 0, 21},
        {"control on a page", onBoard, 1, 19},
        {"tab bar, first page", tabs->tabBar(), 0, 18},
        {"tab bar, second page", tabs->tabBar(), 1, 19},
        {"the form itself", &form, 0, 15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingHelpService help;
        ScopedHelpService installed(help);
        tabs->setCurrentIndex(c.tab);
        c.focus->setFocus();
        QTest::keyClick(c.focus, Qt::Key_F1);
        EXPECT_EQ(help.Requests(), (std::vector<Request>{{c.expected, HelpPageUrl(c.expected)}}));
        // F1 with a modifier is not the help key.
        QTest::keyClick(c.focus, Qt::Key_F1, Qt::ControlModifier);
        EXPECT_EQ(help.Requests().size(), 1u);
    }

    // Without any context F1 gives the contents; the form stays open.
    form.HelpContext = 0;
    RecordingHelpService help;
    ScopedHelpService installed(help);
    button->setFocus();
    QTest::keyClick(button, Qt::Key_F1);
    EXPECT_EQ(help.Pages(), std::vector<QUrl>{HelpContentsUrl()});
    EXPECT_TRUE(form.isVisible());
}
