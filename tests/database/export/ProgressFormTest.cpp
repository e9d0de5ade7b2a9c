#include "database/Unit7.h"

#include "platform/Dialogs.h"
#include "platform/RtfReader.h"
#include "tests/support/FailingCalls.h"
#include "tests/support/FullDisk.h"
#include "tests/support/TestApp.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>

#include <gtest/gtest.h>

#include <cerrno>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

QApplication& App()
{
    return TestApp();
}

const std::string Prolog =
    "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1038{\\fonttbl{\\f0\\fswiss\\fcharset0 VelmoraChess "
    "Swiss;}}\r\n"
    "{\\colortbl;\\red181\\green172\\blue13;}\r\n\\viewkind4\\uc1\\qj\\b\\f0\\fs28 ";

std::string Game(const std::string& white)
{
    return Prolog + "{\\fs30 " + white +
           " \\'96 Black\\par\\fs28\\b0 Event\\par}\\sb60\\sa80 1.e4 e5 "
           "\\li10\\sb30\\sa200 \\par\\par}";
}

QString TextOf(const QByteArray& rtf)
{
    QTextDocument doc;
    EXPECT_TRUE(ReadRtf(std::string_view(rtf.constData(), rtf.size()), doc));
    return doc.toPlainText();
}

QString TextOf(const std::string& rtf)
{
    return TextOf(QByteArray::fromStdString(rtf));
}

QByteArray ReadFile(const QString& name)
{
    QFile file(name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

// A game list of the given documents (row 0 the header row) and a record of
// what the export asked for.
struct FakeMainWindow {
    std::vector<std::string> games;
    int loaded = -1;
    std::vector<int> loads;
    std::vector<bool> views;
    std::function<void(int)> onLoad;

    ExportHooks Hooks()
    {
        return ExportHooks{[this] { return static_cast<int>(games.size()) + 1; },
                           [this](int row) {
                               loaded = row;
                               loads.push_back(row);
                               if (onLoad) onLoad(row);
                           },
                           [this] { return QByteArray::fromStdString(games.at(loaded - 1)); },
                           [this](bool visible) { views.push_back(visible); }};
    }
};

class ProgressFormTest : public testing::Test {
protected:
    void SetUp() override
    {
        App();
        SetDialogService(&dialogs);
        ASSERT_TRUE(dir.isValid());
        target = dir.filePath("all.rtf");
    }
    void TearDown() override { SetDialogService(nullptr); }
    ScriptedDialogService dialogs;
    QTemporaryDir dir;
    QString target;
};

TEST_F(ProgressFormTest, FormAsTheUserSeesIt)
{
    TProgressForm form;
    EXPECT_EQ(form.windowTitle(), "Progress... (Stop or Esc aborts)");
    EXPECT_EQ(form.Button1->text(), "Stop");
    EXPECT_EQ(form.Timer1->interval(), 10);
    EXPECT_FALSE(form.Timer1->isActive());
    EXPECT_EQ(form.Tag, 0);
    EXPECT_EQ(form.size(), QSize(234, 54));
}

TEST_F(ProgressFormTest, ThreeGamesReadBackAsTheThreeBodiesInOrder)
{
    FakeMainWindow main;
    main.games = {Game("Anna"), Game("Bert"), Game("Cleo")};
    TProgressForm form;
    form.Hooks = main.Hooks();

    EXPECT_EQ(form.Export(target), 3);
    EXPECT_EQ(form.Tag, 0);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(main.loads, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(main.views, (std::vector<bool>{false, true}));

    const QByteArray file = ReadFile(target);
    EXPECT_EQ(file.count("{\\rtf1"), 1);
    EXPECT_FALSE(file.contains('\0'));
    EXPECT_TRUE(file.endsWith("\\par\\par}"));
    EXPECT_EQ(TextOf(file), TextOf(main.games[0]) + TextOf(main.games[1]) + TextOf(main.games[2]));
}

TEST_F(ProgressFormTest, EscDuringTheSecondGameStopsAfterIt)
{
    FakeMainWindow main;
    main.games = {Game("Anna"), Game("Bert"), Game("Cleo"), Game("Dora")};
    TProgressForm form;
    form.Hooks = main.Hooks();
    main.onLoad = [&](int row) {
        if (row == 2)
            QCoreApplication::postEvent(
                &form, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    };

    EXPECT_EQ(form.Export(target), 2);
    EXPECT_EQ(main.loads, (std::vector<int>{1, 2}));
    EXPECT_EQ(form.Tag, 0);
    EXPECT_EQ(TextOf(ReadFile(target)), TextOf(main.games[0]) + TextOf(main.games[1]));
}

TEST_F(ProgressFormTest, StopButtonEndsTheExport)
{
    FakeMainWindow main;
    main.games = {Game("Anna"), Game("Bert"), Game("Cleo")};
    TProgressForm form;
    form.Hooks = main.Hooks();
    main.onLoad = [&](int row) {
        if (row == 2) form.Button1->click();
    };
    EXPECT_EQ(form.Export(target), 2);
    EXPECT_EQ(TextOf(ReadFile(target)), TextOf(main.games[0]) + TextOf(main.games[1]));
}

TEST_F(ProgressFormTest, OneGameIsJustThatGame)
{
    FakeMainWindow main;
    main.games = {Game("Anna")};
    TProgressForm form;
    form.Hooks = main.Hooks();
    EXPECT_EQ(form.Export(target), 1);
    EXPECT_EQ(ReadFile(target).toStdString(), main.games[0]);
}

TEST_F(ProgressFormTest, NoGamesWritesNothingAndRestoresNothingHidden)
{
    FakeMainWindow main;
    TProgressForm form;
    form.Hooks = main.Hooks();
    EXPECT_EQ(form.Export(target), 0);
    EXPECT_TRUE(main.loads.empty());
    EXPECT_TRUE(main.views.empty());
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_EQ(form.Tag, 0);
}

TEST_F(ProgressFormTest, UnwritableTargetStillCleansUp)
{
    FakeMainWindow main;
    main.games = {Game("Anna"), Game("Bert")};
    TProgressForm form;
    form.Hooks = main.Hooks();
    dialogs.QueueMessageResult(mrOk);
    EXPECT_EQ(form.Export(dir.filePath("missing/dir/all.rtf")), 0);
    EXPECT_EQ(dialogs.Requests().at(0).text.section('\n', 0, 0),
              "Can't write " + dir.filePath("missing/dir/all.rtf"));
    EXPECT_EQ(main.views, (std::vector<bool>{false, true}));
    EXPECT_EQ(form.Tag, 0);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(ProgressFormTest, AFileNotCutBackOrNotSyncedAtTheEndIsSaidToBeNotWhole)
{
    // Game 3's piece is refused half-way and cutting it off fails; or every
    // game is written and the sync at the close fails.
    for (const bool cutFails : {true, false}) {
        SCOPED_TRACE(cutFails ? "cut back" : "close");
        QFile::remove(target);
        FakeMainWindow main;
        main.games = {Game("Anna"), Game("Bert"), Game("Cleo")};
        TProgressForm form;
        form.Hooks = main.Hooks();
        std::optional<ScopedFullDisk> full;
        main.onLoad = [&](int row) {
            if (row != 3) return;
            if (!cutFails) return FailNextFsync(EIO);
            full.emplace(static_cast<rlim_t>(QFileInfo(target).size() + 8));
            FailNextTruncate(EIO);
        };
        dialogs.QueueMessageResult(mrOk);
        form.Export(target);
        full.reset();
        FailNextFsync(0); // whether or not the export came to it
        FailNextTruncate(0);
        ASSERT_EQ(dialogs.Requests().size(), 1u);
        EXPECT_EQ(dialogs.Requests()[0].text,
                  QStringLiteral("Can't write %1\nGames written: %2 of 3.\n"
                                 "The file could not be closed whole.")
                      .arg(target)
                      .arg(cutFails ? 2 : 3));
        dialogs = ScriptedDialogService();
    }
}

TEST_F(ProgressFormTest, AnOlderLongerFileIsReplacedWhole)
{
    {
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(100000, 'x'));
    }
    FakeMainWindow main;
    main.games = {Game("Anna"), Game("Bert")};
    TProgressForm form;
    form.Hooks = main.Hooks();
    EXPECT_EQ(form.Export(target), 2);
    const QByteArray file = ReadFile(target);
    EXPECT_FALSE(file.contains("xxxxx"));
    EXPECT_TRUE(file.endsWith("}"));
}

TEST_F(ProgressFormTest, TimerTickWithoutARequestDoesNothing)
{
    FakeMainWindow main;
    main.games = {Game("Anna")};
    TProgressForm form;
    form.Hooks = main.Hooks();
    form.Timer1->start();
    form.Timer1Timer();
    EXPECT_FALSE(form.Timer1->isActive());
    EXPECT_TRUE(main.loads.empty());
}

} // namespace
