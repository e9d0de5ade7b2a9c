// The dialog service: scripted answers and records, the Qt message box and
// the form base on the offscreen platform.
#include "platform/Dialogs.h"
#include "tests/support/TestApp.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

class DialogService_ : public ::testing::Test {
protected:
    static void SetUpTestSuite() { TestApp(); }
};

using ScriptedService = DialogService_;

TEST_F(ScriptedService, AnswersInOrderAndRecords)
{
    ScriptedDialogService script;
    ScopedDialogService installed(script);
    script.QueueMessageResult(mrYes);
    script.QueueSaveFile(QStringLiteral("/tmp/game"), 1);
    script.QueueColor(QColor(1, 2, 3));

    EXPECT_EQ(Dialogs().MessageDlg("Save game?", TMsgDlgType::mtConfirmation, mbYesNoCancel),
              mrYes);
    FileDialogOptions save;
    save.Title = "Export rtf";
    save.Filter = "Rich Text Format (*.rtf)|*.rtf";
    save.DefaultExt = "rtf";
    save.OverwritePrompt = true;
    const auto file = Dialogs().SaveFileDialog(nullptr, save);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->FileName, "/tmp/game.rtf");
    EXPECT_EQ(Dialogs().ColorDialog(nullptr, Qt::red, true), QColor(1, 2, 3));

    ASSERT_EQ(script.Requests().size(), 3u);
    EXPECT_EQ(script.Requests()[0].text, "Save game?");
    EXPECT_EQ(script.Requests()[0].type, TMsgDlgType::mtConfirmation);
    EXPECT_EQ(script.Requests()[0].buttons, mbYesNoCancel);
    EXPECT_TRUE(script.Requests()[1].file.OverwritePrompt);
    EXPECT_EQ(script.Requests()[1].text, "Export rtf");
    EXPECT_EQ(script.Requests()[2].color, QColor(Qt::red));
    EXPECT_TRUE(script.Drained());
    EXPECT_EQ(script.Unexpected(), 0);
}

TEST_F(ScriptedService, EmptyOrMismatchedQueueGivesCancel)
{
    ScriptedDialogService script;
    ScopedDialogService installed(script);
    QPrinter printer;
    EXPECT_EQ(Dialogs().MessageDlg("x", TMsgDlgType::mtError, mbOKOnly), mrCancel);
    script.QueuePrint(true);
    EXPECT_FALSE(Dialogs().OpenFileDialog(nullptr, {})); // a print answer is queued
    EXPECT_TRUE(Dialogs().PrintDialog(nullptr, printer));
    EXPECT_FALSE(Dialogs().PrinterSetupDialog(nullptr, printer));
    EXPECT_EQ(script.Unexpected(), 3);
}

TEST_F(ScriptedService, CancelledFileDialog)
{
    ScriptedDialogService script;
    ScopedDialogService installed(script);
    script.QueueOpenFile(std::nullopt);
    EXPECT_FALSE(Dialogs().OpenFileDialog(nullptr, {}));
    EXPECT_EQ(script.Unexpected(), 0);
}

TEST_F(ScriptedService, ScopeRestoresThePreviousService)
{
    ScriptedDialogService outer, inner;
    ScopedDialogService a(outer);
    {
        ScopedDialogService b(inner);
        EXPECT_EQ(&Dialogs(), &inner);
    }
    EXPECT_EQ(&Dialogs(), &outer);
}

TEST_F(ScriptedService, ModalFormIsFilledNotShown)
{
    ScriptedDialogService script;
    ScopedDialogService installed(script);
    TModalForm form;
    form.setWindowTitle("Form");
    bool filled = false;
    script.QueueModal(mrOk, [&filled](QDialog& d) { filled = d.windowTitle() == "Form"; });
    EXPECT_EQ(form.ShowModal(), mrOk);
    EXPECT_TRUE(filled);
    EXPECT_FALSE(form.isVisible());
}

struct FilterCase {
    const char* name;
    const char* filter;
    QStringList expected;
    friend void PrintTo(const FilterCase& c, std::ostream* os) { *os << c.name; }
};

class NameFilters : public ::testing::TestWithParam<FilterCase> {};

TEST_P(NameFilters, FromFrameworkForm)
{
    EXPECT_EQ(QtNameFilters(GetParam().filter), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, NameFilters,
    ::testing::Values(
        FilterCase{"pattern_in_text", "PGN files (*.pgn)|*.pgn", {"PGN files (*.pgn)"}},
        FilterCase{"pattern_added", "Velmora settings|*.ini", {"Velmora settings (*.ini)"}},
        FilterCase{
            "two_entries", "Bitmap Files|*.bmp|All|*.*", {"Bitmap Files (*.bmp)", "All (*.*)"}},
        FilterCase{"several_patterns", "Pictures|*.bmp;*.jpg", {"Pictures (*.bmp *.jpg)"}},
        FilterCase{"empty", "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DefaultExt, AddedOnlyWithoutExtension)
{
    EXPECT_EQ(WithDefaultExt("/a/game", "rtf"), "/a/game.rtf");
    EXPECT_EQ(WithDefaultExt("/a/game.txt", "rtf"), "/a/game.txt");
    EXPECT_EQ(WithDefaultExt("/a/game", ""), "/a/game");
}

TEST(ModalResults, FrameworkValues)
{
    EXPECT_EQ(ModalResultOf(TMsgDlgBtn::mbOK), 1);
    EXPECT_EQ(ModalResultOf(TMsgDlgBtn::mbCancel), 2);
    EXPECT_EQ(ModalResultOf(TMsgDlgBtn::mbAbort), 3);
    EXPECT_EQ(ModalResultOf(TMsgDlgBtn::mbRetry), 4);
    EXPECT_EQ(ModalResultOf(TMsgDlgBtn::mbIgnore), 5);
    EXPECT_EQ(ModalResultOf(TMsgDlgBtn::mbYes), 6);
    EXPECT_EQ(ModalResultOf(TMsgDlgBtn::mbNo), 7);
    EXPECT_EQ(ModalResultOf(TMsgDlgBtn::mbYesToAll), 10);
}

// The real message box, answered by clicking the button with a caption.
struct BoxCase {
    const char* name;
    TMsgDlgButtons buttons;
    const char* click; // nullptr: Esc
    int result;
    friend void PrintTo(const BoxCase& c, std::ostream* os) { *os << c.name; }
};

class QtMessageBox : public DialogService_, public ::testing::WithParamInterface<BoxCase> {};

TEST_P(QtMessageBox, ClickGivesModalResult)
{
    const BoxCase& c = GetParam();
    QtDialogService qt;
    QStringList captions;
    const char* click = c.click;
    QTimer::singleShot(0, [&captions, click] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        for (QAbstractButton* b : box->buttons())
            captions << b->text();
        if (!click) {
            box->reject();
            return;
        }
        for (QAbstractButton* b : box->buttons()) {
            if (b->text() == click) b->click();
        }
    });
    EXPECT_EQ(qt.MessageDlg("Question", TMsgDlgType::mtConfirmation, c.buttons), c.result);
    EXPECT_FALSE(captions.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, QtMessageBox,
    ::testing::Values(BoxCase{"yes", mbYesNoCancel, "&Yes", mrYes},
                      BoxCase{"no", mbYesNoCancel, "&No", mrNo},
                      BoxCase{"cancel", mbYesNoCancel, "Cancel", mrCancel},
                      BoxCase{"escape_is_cancel", mbYesNoCancel, nullptr, mrCancel},
                      BoxCase{"escape_without_cancel_is_no", mbYesNo, nullptr, mrNo},
                      BoxCase{"ok", mbOKOnly, "OK", mrOk},
                      BoxCase{"ok_cancel", mbOKCancel, "OK", mrOk},
                      BoxCase{"retry", mbAbortRetryIgnore, "&Retry", mrRetry}),
    [](const auto& info) { return std::string(info.param.name); });

using QtPrintDialog = DialogService_;

TEST_F(QtPrintDialog, OffersPagesOneTo9999FromOneToOneAndPrintToFile)
{
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setFromTo(4, 7);
    printer.setPrintRange(QPrinter::PageRange);
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        EXPECT_EQ(std::make_pair(dialog->minPage(), dialog->maxPage()), std::make_pair(1, 9999));
        EXPECT_EQ(std::make_pair(dialog->fromPage(), dialog->toPage()), std::make_pair(1, 1));
        EXPECT_EQ(dialog->printRange(), QAbstractPrintDialog::AllPages);
        EXPECT_TRUE(dialog->testOption(QAbstractPrintDialog::PrintToFile));
        dialog->reject();
    });
    EXPECT_FALSE(QtDialogService().PrintDialog(nullptr, printer));
}

using ModalForm = DialogService_;

TEST_F(ModalForm, ButtonClosesWithItsResultAndCloseIsCancel)
{
    TModalForm form;
    auto* button = new QPushButton("Skip", &form);
    form.SetModalResult(button, mrIgnore);
    QTimer::singleShot(0, [button] { button->click(); });
    EXPECT_EQ(form.ShowModal(), mrIgnore);
    QTimer::singleShot(0, [&form] { form.close(); });
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_TRUE(form.windowFlags() & Qt::Tool);
}

} // namespace
