// The real correction dialog on the offscreen platform, closed by each button.
#include "database/Unit4.h"
#include "tests/support/TestApp.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

class CorrectMoveDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite() { TestApp(); }
    void SetUp() override { CorrectMove = &form_; }
    void TearDown() override { CorrectMove = nullptr; }

    // Runs action once the dialog is up.
    static void WhenShown(std::function<void()> action)
    {
        QTimer::singleShot(0, [action] {
            ASSERT_TRUE(CorrectMove->isVisible());
            action();
        });
    }

    TCorrectMove form_;
};

TEST_F(CorrectMoveDialog, Controls)
{
    EXPECT_EQ(form_.windowTitle(), "Move read error");
    EXPECT_EQ(form_.Button1->text(), "Correct");
    EXPECT_EQ(form_.Button2->text(), "Skip");
    EXPECT_EQ(form_.Button3->text(), "Cancel");
    EXPECT_EQ(form_.Label1->text(), "Advance chars:");
    EXPECT_TRUE(form_.windowFlags() & Qt::Tool);
}

TEST_F(CorrectMoveDialog, Edit1ChangeSetsAchar)
{
    form_.Edit1->setText("Nbd7");
    EXPECT_EQ(form_.Achar->value(), 4);
    form_.Edit1->setText("");
    EXPECT_EQ(form_.Achar->value(), 0);
}

struct ButtonCase {
    const char* name;
    std::function<void(TCorrectMove&)> close;
    int modalResult;
    friend void PrintTo(const ButtonCase& c, std::ostream* os) { *os << c.name; }
};

class CorrectMoveButtons : public CorrectMoveDialog,
                           public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(CorrectMoveButtons, ModalResult)
{
    const auto close = GetParam().close;
    WhenShown([close] { close(*CorrectMove); });
    EXPECT_EQ(form_.ShowModal(), GetParam().modalResult);
    EXPECT_FALSE(form_.isVisible());
}

const ButtonCase Buttons[] = {
    {"correct", [](TCorrectMove& f) { f.Button1->click(); }, 1},
    {"skip", [](TCorrectMove& f) { f.Button2->click(); }, 5},
    {"cancel", [](TCorrectMove& f) { f.Button3->click(); }, 2},
    {"closed", [](TCorrectMove& f) { f.close(); }, 2},
    {"escape", [](TCorrectMove& f) { f.reject(); }, 2},
};

INSTANTIATE_TEST_SUITE_P(Dialog, CorrectMoveButtons, ::testing::ValuesIn(Buttons),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CorrectMoveDialog, HandlerCorrectWithEditedTextAndAdvance)
{
    CorrectMoveDialogHandler handler;
    int refreshed = 0;
    handler.OnRefresh = [&refreshed] { ++refreshed; };
    WhenShown([] {
        EXPECT_EQ(CorrectMove->Edit1->text(), "Nf4");
        EXPECT_EQ(CorrectMove->Achar->value(), 3);
        CorrectMove->Edit1->setText("Nxf3");
        CorrectMove->Achar->setValue(7);
        CorrectMove->Button1->click();
    });
    handler.RefreshBeforeAsking();
    const CorrectMoveAnswer a = handler.AskCorrection("Nf4", 20);
    EXPECT_EQ(refreshed, 1);
    EXPECT_EQ(a.Choice, CorrectMoveChoice::Correct);
    EXPECT_EQ(a.Text, "Nxf3");
    EXPECT_EQ(a.Advance, 7);
}

TEST_F(CorrectMoveDialog, HandlerAdvanceStaysInsideTheText)
{
    CorrectMoveDialogHandler handler;
    WhenShown([] {
        CorrectMove->Edit1->setText("Nf3 extra text");
        CorrectMove->Button1->click();
    });
    const CorrectMoveAnswer a = handler.AskCorrection("Nf4", 5);
    EXPECT_EQ(a.Advance, 5);
}

TEST_F(CorrectMoveDialog, HandlerSameTokenTwiceResetsAchar)
{
    CorrectMoveDialogHandler handler;
    WhenShown([] {
        CorrectMove->Achar->setValue(0);
        CorrectMove->Button1->click();
    });
    handler.AskCorrection("Nf4", 20);
    WhenShown([] { CorrectMove->Button1->click(); });
    const CorrectMoveAnswer a = handler.AskCorrection("Nf4", 20);
    EXPECT_EQ(a.Advance, 3);
}

TEST_F(CorrectMoveDialog, HandlerSkipAndCancel)
{
    CorrectMoveDialogHandler handler;
    WhenShown([] { CorrectMove->Button2->click(); });
    EXPECT_EQ(handler.AskCorrection("Nf4", 20).Choice, CorrectMoveChoice::Skip);
    WhenShown([] { CorrectMove->Button3->click(); });
    EXPECT_EQ(handler.AskCorrection("Nf4", 20).Choice, CorrectMoveChoice::Cancel);
}

TEST_F(CorrectMoveDialog, HandlerKeepsCp1252Bytes)
{
    CorrectMoveDialogHandler handler;
    WhenShown([] {
        EXPECT_EQ(CorrectMove->Edit1->text(), QString::fromUtf8("e4\u2013e5"));
        CorrectMove->Button1->click();
    });
    EXPECT_EQ(handler
                  .AskCorrection("e4\x96"
                                 "e5",
                                 20)
                  .Text,
              "e4\x96"
              "e5");
}

TEST_F(CorrectMoveDialog, ScriptedServiceAnswersWithoutShowing)
{
    ScriptedDialogService script;
    ScopedDialogService installed(script);
    script.QueueModal(CorrectMoveCorrect,
                      [](QDialog& d) { static_cast<TCorrectMove&>(d).Edit1->setText("Nf3"); });
    CorrectMoveDialogHandler handler;
    const CorrectMoveAnswer a = handler.AskCorrection("Nf4", 20);
    EXPECT_EQ(a.Choice, CorrectMoveChoice::Correct);
    EXPECT_EQ(a.Text, "Nf3");
    ASSERT_EQ(script.Requests().size(), 1u);
    EXPECT_EQ(script.Requests()[0].text, "Move read error");
}

} // namespace
