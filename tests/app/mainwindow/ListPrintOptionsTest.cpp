// The print options the program gives its two lists: the game list prints
// in landscape with date, time and page in its footer, the ELO list in
// portrait. Grids start here with another footer, so that the game list's
// is the one the program sets.
#include "app/EloPage.h"
#include "app/Unit1.h"
#include "components/SortGrid.h"
#include "database/GameIndex.h"
#include "platform/Dialogs.h"
#include "tests/app/ScopedSettingsFile.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(ListPrintOptions, GameListLandscapeWithItsFooterEloListPortrait)
{
    ScopedSettingsFile settingsFile;
    ScriptedDialogService dialogs;
    SetDialogService(&dialogs);
    TPrintOptions initial;
    initial.PageFooter = QStringLiteral("||page");
    ScopedInitialPrintOptions installed(initial);
    {
        TForm1 form;
        form.resize(1000, 760);
        form.show();
        form.activateWindow();
        QTest::qWait(50);

        dialogs.QueueOpenFile(QStringLiteral(VELMORA_SAMPLES "/velmora-sample.pgn"));
        QTest::keyClick(&form, Qt::Key_O, Qt::ControlModifier);
        ASSERT_TRUE(dialogs.Drained());
        ASSERT_GT(GameList->RowCount(), 2);
        const TPrintOptions& games = GameList->PrintOptions();
        EXPECT_EQ(games.Orientation, TPrinterOrientation::poLandscape);
        EXPECT_EQ(games.PageFooter, QStringLiteral("date|time|page"));

        dialogs.QueueOpenFile(QStringLiteral(VELMORA_SAMPLES "/velmora-elo.txt"));
        QPushButton* button = form.findChild<QPushButton*>("EloButton");
        ASSERT_NE(button, nullptr);
        form.PageControl1->setCurrentWidget(form.EloSheet);
        QTest::mouseClick(button, Qt::LeftButton);
        ASSERT_TRUE(dialogs.Drained());
        ASSERT_NE(EloGrid, nullptr);
        ASSERT_GT(EloGrid->RowCount(), 2);
        EXPECT_EQ(EloGrid->PrintOptions().Orientation, TPrinterOrientation::poPortrait);
        form.close();
    }
    SetDialogService(nullptr);
}

} // namespace
