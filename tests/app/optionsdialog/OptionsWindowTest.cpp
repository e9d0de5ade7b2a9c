// The options dialog beside a main window, wired as the program wires it:
// Apply reaches the board, the move tree and the notation document. Also the
// pictures of every page and of the window before and after, for a person to
// look at.
#include "OptionsTestSupport.h"

#include "app/BoardView.h"
#include "app/OptionValues.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "components/VXSplitter/VXSplitter.h"
#include "platform/PaintBox.h"
#include "platform/RadioGroup.h"
#include "platform/RichEdit.h"
#include "platform/StringGrid.h"
#include "tests/support/TestShots.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QTabWidget>
#include <QTest>

#include <memory>

namespace {

const QString SamplePgn = QStringLiteral(VELMORA_SAMPLES "/velmora-sample.pgn");

// What the main window does after every Apply.
void RefreshAfterOptions(TForm1& form)
{
    ApplyMoveGridFont(*form.MoveGrid);
    form.ResizeBoard();
    form.RebuildDocument();
    form.RefreshMoveViews();
}

class OptionsWindowTest : public OptionsTest {
protected:
    void SetUp() override
    {
        OptionsTest::SetUp();
        form = std::make_unique<TForm1>();
        TForm1* window = form.get();
        settings = std::make_unique<TSettings>(
            window, SettingsHooks{[window] {
                                      return window->isVisible() ? window->BoardSplitter->size()
                                                                 : QSize();
                                  },
                                  [window] { RefreshAfterOptions(*window); },
                                  {}});
        form->resize(1000, 760);
        form->show();
        QTest::qWait(50);
    }
    void TearDown() override
    {
        settings.reset();
        form->close();
        form.reset();
        OptionsTest::TearDown();
    }

    std::unique_ptr<TForm1> form;
    std::unique_ptr<TSettings> settings;
};

TEST_F(OptionsWindowTest, ApplyReachesTheBoardTheMoveTreeAndTheDocument)
{
    dialogs.QueueOpenFile(SamplePgn);
    form->OpenDClick();
    form->LoadGame(1, true);
    form->BitBtn4Click(); // the last position: the board is full of pieces
    KeepShot(form->grab().toImage(), QStringLiteral("window-before.png"));
    ASSERT_TRUE(form->Memo1->toPlainText().contains(QStringLiteral("2.")));
    EXPECT_FALSE(form->Memo1->toPlainText().contains(QStringLiteral("Sf3")));

    dialogs.QueueColor(QColor(0xE0, 0xC0, 0x80));
    settings->LiSqClick();
    settings->CoordsBox->setChecked(false);
    settings->NoteCombo->setCurrentIndex(2); // German letters
    settings->FigurGroup->SetItemIndex(0);
    settings->FontGroup->SetItemIndex(1);
    settings->SizeGroup->SetItemIndex(0);
    settings->OKButtonClick();

    EXPECT_TRUE(form->Memo1->toPlainText().contains(QStringLiteral("2.Sf3 Sc6")));
    EXPECT_EQ(form->MoveGrid->Font().Size(), 10);
    EXPECT_EQ(form->MoveGrid->DefaultRowHeight(), 15);
    // The board fitted to its pane without coordinates, a light square in the new colour.
    const QSize pane = form->BoardSplitter->size();
    EXPECT_EQ(SquareSize, FitBoardToPane(pane.width(), pane.height()).SquareSize);
    EXPECT_EQ(form->Cr->width(), 8 * SquareSize + 2 * BoardMarginFor(SquareSize));
    const TRect h1 = SquareRect(0x28, SquareSize, BoardMargin, false);
    EXPECT_EQ(ColorOfPixel(BoardBitmap.pixel(h1.Left + 2, h1.Top + 2)), 0x80C0E0u);
    KeepShot(form->grab().toImage(), QStringLiteral("window-after.png"));
}

// One picture per page, and one of the palette after a scheme is chosen.
TEST_F(OptionsWindowTest, PicturesOfEveryPage)
{
    settings->show();
    const std::array<QWidget*, 4> pages{settings->MoveList, settings->BoardControl,
                                        settings->VelmoraControl, settings->TabSheet1};
    const std::array<const char*, 4> names{"movelist", "board", "velmora", "print"};
    for (std::size_t i = 0; i < pages.size(); ++i) {
        settings->SettingControl->setCurrentWidget(pages[i]);
        QTest::qWait(10);
        const QImage shot = settings->grab().toImage();
        KeepShot(shot, QStringLiteral("options-%1.png").arg(names[i]));
        // Every control of the page lies inside the page.
        for (QWidget* child : pages[i]->findChildren<QWidget*>()) {
            if (!child->isVisible()) continue;
            const QRect r(child->mapTo(pages[i], QPoint(0, 0)), child->size());
            EXPECT_TRUE(pages[i]->rect().contains(r))
                << names[i] << " " << child->objectName().toStdString();
        }
    }
    settings->hide();
}

} // namespace
