// The messages of the start: each one answered before the intro opens, and
// owned by the main window, so that no window of the program covers it.
#include "ProgramWindow.h"

#include "app/Unit12.h"
#include "platform/IniFile.h"

#include <QTest>

namespace {

using StartMessages = ProgramWindow;

TEST_F(StartMessages, AMissingDatabaseIsReportedAboveTheMainWindowBeforeTheIntro)
{
    // The checkout moved: the database of the last run is gone.
    TMemIniFile ini(SettingsFile());
    ini.SetText("[Game]\nFile=" + dir.filePath("gone/velmora-sample.pgn").toStdString() +
                "\nNumber=1\n[Config]\nSkipIntro=0\n");
    ASSERT_TRUE(ini.UpdateFile());
    QWidget* owner = nullptr;
    answers.Queue([&owner](QWidget& box) {
        owner = box.parentWidget();
        ModalAnswers::Key(Qt::Key_Return)(box);
    });
    bool intro = false;
    answers.Queue([&intro](QWidget& window) {
        intro = &window == Demo;
        ModalAnswers::Key(Qt::Key_Escape)(window);
    });
    StartForms();
    ASSERT_TRUE(QTest::qWaitFor([this] { return answers.Drained(); }));
    EXPECT_EQ(answers.Shown().front(), "Can't open PGN file!");
    EXPECT_EQ(owner, form);
    EXPECT_TRUE(intro);
}

} // namespace
