// The evaluation dialog: its buttons, their glyphs, and a modal run that
// edits the move's symbols in the game.
#include "app/Unit10.h"
#include "database/GameLoader.h"
#include "platform/Fonts.h"
#include "rules/Board.h"
#include "rules/GameStore.h"
#include "rules/MoveGen.h"
#include "rules/Navigation.h"
#include "tests/support/TestApp.h"
#include "tests/support/TestShots.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <set>

namespace {

// 1.e4 $14 e5 (moves as indices into their positions' lists), shown after e4.
void SetGame()
{
    InitGameStore();
    CurrentPly = LineLength = 0;
    GenerateMoves();
    const MoveNode nodes[] = {
        {0, 0, NodeKind::nkMove, 13}, {0, 0, NodeKind::nkNag, 14}, {0, 0, NodeKind::nkMove, 9}};
    MoveNodeCount = 0;
    for (const MoveNode& node : nodes)
        MoveNodes[MoveNodeCount++] = node;
    GoToNode(0);
    GameModified = 0;
}

std::string StreamText()
{
    std::string text;
    for (int i = 0; i < MoveNodeCount; ++i) {
        text += text.empty() ? "" : " ";
        text += MoveNodes[i].Kind == NodeKind::nkMove ? 'm' : 'n';
        text += std::to_string(MoveNodes[i].Code);
    }
    return text;
}

class EvalFormTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        TestApp();
        static EmbeddedFontHandle swiss;
        ASSERT_TRUE(LoadEmbeddedFont("VelmoraChess Swiss", swiss, SwissFontId));
        AtTestAppEnd([] { swiss.Reset(); });
    }

    void SetUp() override
    {
        form.OnApplied = [this] { ++applied; };
    }

    void Click(const char* name)
    {
        auto* button = form.findChild<QAbstractButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        button->click();
    }

    // Runs the form modally; clicks the named buttons, then "Close".
    int RunModal(std::vector<std::pair<const char*, std::string>> steps)
    {
        QTimer::singleShot(0, &form, [this, steps] {
            for (const auto& [name, stream] : steps) {
                Click(name);
                EXPECT_EQ(StreamText(), stream) << "after " << name;
            }
            Click("CloseButton");
        });
        // Closes the form should a step fail to.
        QTimer::singleShot(5000, &form, [this] { form.done(mrCancel); });
        return form.ShowModal();
    }

    TEvalForm form;
    int applied = 0;
};

TEST_F(EvalFormTest, SymbolButtonsShowTheirGlyphs)
{
    EXPECT_EQ(form.windowTitle(), " Evaluation symbols");
    EXPECT_EQ(form.size(), QSize(263, 135));
    const std::set<int> marks = {1, 2, 3, 4, 5, 6, 10, 14, 15, 18, 19};
    std::set<int> tags;
    std::vector<QRect> placed;
    for (const QToolButton* button : form.findChildren<QToolButton*>()) {
        const int tag = button->property("Tag").toInt();
        SCOPED_TRACE(testing::Message() << "tag " << tag);
        tags.insert(tag);
        EXPECT_TRUE(form.rect().contains(button->geometry()));
        for (const QRect& other : placed)
            EXPECT_FALSE(other.intersects(button->geometry()));
        placed.push_back(button->geometry());
        if (marks.count(tag)) continue;
        // Every character from the notation face itself, and inked.
        EXPECT_EQ(QFontInfo(button->font()).family(), "VelmoraChess Swiss");
        for (const char32_t cp : button->text().toUcs4())
            EXPECT_TRUE(QFontMetrics(button->font()).inFontUcs4(cp)) << static_cast<int>(cp);
        QImage image(button->size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(button->font());
        painter.drawText(image.rect(), Qt::AlignCenter, button->text());
        painter.end();
        int ink = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                ink += qGray(image.pixel(x, y)) < 128;
        EXPECT_GT(ink, 8);
    }
    EXPECT_EQ(tags,
              (std::set<int>{1,   2,   3,   4,   5,   6,   8,   23,  26,  27,  146, 209, 210,
                             211, 212, 213, 214, 215, 216, 217, 218, 219, 220, 221, 135, 39,
                             33,  139, 142, 140, 10,  13,  45,  14,  15,  16,  17,  18,  19}));
}

TEST_F(EvalFormTest, ModalRunEditsTheMoveAtOnce)
{
    SetGame();
    const int result = RunModal({{"Nag1", "m13 n1 n14 m9"},
                                 {"Nag16", "m13 n1 n14 n16 m9"},
                                 {"Nag146", "m13 n1 n14 n16 n146 m9"},
                                 {"Nag135", "m13 n1 n14 n16 n134 m9"},
                                 {"ClButton", "m13 m9"},
                                 {"Nag23", "m13 n22 m9"},
                                 {"UndoButton", "m13 n14 m9"}});
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(applied, 7);
    EXPECT_EQ(GameModified, 1);
    EXPECT_EQ(StreamText(), "m13 n14 m9");
    EXPECT_EQ(CurrentMoveNode(), 0);
    EXPECT_EQ(Positions[1].PlayedNode, 2) << "the next move's link follows its node";
}

// The dialog as shown: every button draws its symbol.
TEST_F(EvalFormTest, ShownDialogDrawsEveryButtonsSymbol)
{
    form.show();
    const QImage shot = form.grab().toImage();
    form.hide();
    KeepShot(shot.scaled(shot.size() * 2), QStringLiteral("eval-form.png"));
    ASSERT_EQ(shot.size(), QSize(263, 135) * form.devicePixelRatio());
    const QList<QToolButton*> buttons = form.findChildren<QToolButton*>();
    ASSERT_FALSE(buttons.isEmpty());
    for (const QToolButton* button : buttons) {
        SCOPED_TRACE(button->objectName().toStdString());
        const QRect face(button->mapTo(&form, QPoint(3, 3)), button->size() - QSize(6, 6));
        int ink = 0;
        for (int y = face.top(); y <= face.bottom(); ++y)
            for (int x = face.left(); x <= face.right(); ++x)
                ink += qGray(shot.pixel(x, y)) < 100;
        EXPECT_GT(ink, 8);
    }
}

} // namespace
