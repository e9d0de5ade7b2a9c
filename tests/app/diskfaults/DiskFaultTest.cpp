// What the program leaves when the disk is full, when its settings file
// cannot be read, when the database changes on disk while it is open, and
// over many steps through a game: on the program's forms, with the settings
// file and a copy of the sample database in the test's temporary folder.
#include "tests/app/mainwindow/ProgramWindow.h"

#include "app/Bookmarks.h"
#include "components/SortGrid.h"
#include "database/DatabaseFile.h"
#include "database/GameLoader.h"
#include "platform/Printer.h"
#include "platform/RichEdit.h"
#include "rules/Board.h"
#include "tests/support/FullDisk.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPrinter>

#include <fcntl.h>
#include <set>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Runs `run` while no file can grow beyond `bytes`, as on a full disk.
template <class Run>
void OnAFullDisk(rlim_t bytes, Run run)
{
    const ScopedFullDisk full(bytes);
    run();
}

// What the window shows of the game.
struct Shown {
    int ListRow, GameRow, Ply;
    QString Title, MoveList;
    bool operator==(const Shown&) const = default;
};

class DiskFaults : public ProgramWindow {
protected:
    void SetUp() override
    {
        ProgramWindow::SetUp();
        database = Copy(SamplePgn(), "games.pgn");
    }

    Shown ShownNow() const
    {
        return {GameList->Row(), CurrentGameRow, CurrentPly, form->HeadLabel->text(),
                form->Memo1->toPlainText()};
    }
    QString Path(const QString& name) const { return dir.filePath(name); }
    static QByteArray Read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
    }
    // ageSeconds: the file's time that far back (negative: ahead).
    static void Write(const QString& path, const QByteArray& bytes, int ageSeconds = 0)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.flush();
        if (ageSeconds != 0) {
            ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds),
                                         QFileDevice::FileModificationTime));
        }
    }

    // Other bytes of the same size written over the file in place, its
    // times put back as they were.
    static void RewriteKeepingTimes(const QString& path, const QByteArray& bytes)
    {
        struct stat was {};
        ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &was), 0);
        Write(path, bytes);
        const timespec times[2] = {was.st_atim, was.st_mtim};
        ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
    }

    QString database;
};

const char* const ExportTitle = "Export rtf";

} // namespace

TEST_F(DiskFaults, AFullDiskAtStartAndAtExitKeepsTheSettingsFileWhole)
{
    const QString ini = SettingsFile();
    Start(OpenAt(database));
    Close();
    const QByteArray before = Read(ini);
    ASSERT_TRUE(before.contains("[Velmora]") && before.contains("[Recent]"));
    answers.Queue(ModalAnswers::Key(Qt::Key_Return));
    OnAFullDisk(0, [&] {
        StartForms();
        EXPECT_EQ(CurrentGameRow, 1);
        Close();
    });
    EXPECT_EQ(Read(ini).toStdString(), before.toStdString());
    // Said once, at start; the save at exit fails as quietly.
    EXPECT_EQ(answers.Shown(), Texts{("Can't write the settings file\n" + ini).toStdString()});
    EXPECT_EQ(QDir(dir.path()).entryList({"velmora.ini*"}), QStringList{"velmora.ini"});
}

TEST_F(DiskFaults, ASettingsFileThatCannotBeReadIsLeftAlone)
{
    const QString ini = SettingsFile();
    Start(OpenAt(database, 2));
    Close();
    const QByteArray before = Read(ini);
    // Mode 0200. Mode bits do not stop root: then this thread's file accesses
    // are made as user nobody, who owns the file and may write beside it.
    const QByteArray file = QFile::encodeName(ini);
    const bool root = geteuid() == 0;
    if (root) {
        ASSERT_EQ(chmod(QFile::encodeName(dir.path()).constData(), 0777), 0);
        ASSERT_EQ(chown(file.constData(), 65534, 65534), 0);
        setfsuid(65534);
    }
    chmod(file.constData(), 0200);
    if (QFile(ini).open(QIODevice::ReadOnly)) {
        if (root) setfsuid(0);
        GTEST_SKIP() << "the settings file can be read all the same";
    }
    answers.Queue(ModalAnswers::Key(Qt::Key_Return));
    StartForms();
    EXPECT_EQ(DatabaseFileHandle, -1); // read as empty: nothing reopened
    Close();
    chmod(file.constData(), 0600);
    if (root) setfsuid(0);
    EXPECT_EQ(Read(ini).toStdString(), before.toStdString());
    EXPECT_EQ(answers.Shown(), Texts{("Can't read the settings file\n" + ini).toStdString()});
}

TEST_F(DiskFaults, AFolderInTheSettingsFilesPlaceIsSaidToBeUnreadable)
{
    ASSERT_TRUE(QDir().mkdir(SettingsFile()));
    answers.Queue(ModalAnswers::Key(Qt::Key_Return));
    StartForms();
    Close();
    EXPECT_EQ(answers.Shown(),
              Texts{("Can't read the settings file\n" + SettingsFile()).toStdString()});
}

TEST_F(DiskFaults, OnlyStaleTemporaryFilesOfTheSettingsFileGoAtStart)
{
    const QStringList stale = {"velmora.ini.velmora-tmp-AbCdEf", "velmora.ini.velmora-tmp-x1Y2z3"};
    // The user's own files, whatever their names.
    const QStringList kept = {"velmora.ini.backup", "velmora.ini.AbCdEf", "velmora.ini.bak",
                              "velmora.ini.velmora-tmp-AbCdEfG", "games.pgn.velmora-tmp-AbCdEf"};
    for (const QString& name : stale + kept)
        Write(Path(name), "[Board]\nSize=40\n", 2 * 86400);
    const QString fresh = "velmora.ini.velmora-tmp-Fresh1"; // another copy's write, maybe
    Write(Path(fresh), "[Board]\n");
    Start(OpenAt(database));
    for (const QString& name : stale)
        EXPECT_FALSE(QFile::exists(Path(name))) << name.toStdString();
    for (const QString& name : kept + QStringList{fresh})
        EXPECT_TRUE(QFile::exists(Path(name))) << name.toStdString();
}

TEST_F(DiskFaults, ASaveGameThatFailsOnAFullDiskKeepsTheGameEditedAndShown)
{
    Start(OpenAt(database));
    Key(Qt::Key_End, Qt::ShiftModifier);
    Key(Qt::Key_Delete, Qt::ShiftModifier);
    ASSERT_EQ(GameModified, 1);
    const Shown edited = ShownNow();
    const QString target = Path("game.rtf");
    Write(target, "{\\rtf1 an older export}");
    answers.Queue(ModalAnswers::Key(Qt::Key_Y)); // "Save game?"
    answers.Queue(ModalAnswers::FileName(target));
    answers.Queue(ModalAnswers::Key(Qt::Key_Y)); // replace it
    answers.Queue(ModalAnswers::Key(Qt::Key_Return));
    OnAFullDisk(100, [&] { Key(Qt::Key_PageDown, Qt::ControlModifier); }); // next game
    EXPECT_EQ(answers.Shown(), (Texts{"Save game?", ExportTitle,
                                      "game.rtf already exists.\nDo you want to replace it?",
                                      ("Can't write " + target).toStdString()}));
    EXPECT_EQ(GameModified, 1);
    EXPECT_TRUE(ShownNow() == edited);
    EXPECT_EQ(Read(target), "{\\rtf1 an older export}");
}

TEST_F(DiskFaults, APrintToAFileOnAFullDiskLeavesTheOldFileOrNoneSaysSoAndTheNextOneWorks)
{
    Start(OpenAt(database));
    QPrinter& printer = SystemPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QByteArray older = "%PDF-1.4 an older print";
    for (const QString& name : QStringList{"old.pdf", "new.pdf"}) {
        const QString target = Path(name);
        printer.setOutputFileName(target);
        answers.Queue(ModalAnswers::Key(Qt::Key_Return)); // the print dialog
        if (name == "old.pdf") {
            Write(target, older);
            answers.Queue(ModalAnswers::Key(Qt::Key_Y)); // replace it
        }
        answers.Queue(ModalAnswers::Key(Qt::Key_Return));
        OnAFullDisk(2000, [&] { Key(Qt::Key_P, Qt::ControlModifier); });
        EXPECT_EQ(answers.Shown().back(), ("Can't write " + target).toStdString());
    }
    EXPECT_EQ(Read(Path("old.pdf")), older);
    EXPECT_EQ(QDir(dir.path()).entryList({"*.pdf*"}), QStringList{"old.pdf"});
    // With room again the print is written.
    answers.Queue(ModalAnswers::Key(Qt::Key_Return));
    Key(Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(Read(Path("new.pdf")).endsWith("%%EOF\n"));
}

TEST_F(DiskFaults, AllGamesExportedOntoAFillingDiskLeaveAWholeDocumentAndSaySo)
{
    Start(OpenAt(database));
    answers.Queue(ModalAnswers::FileName(Path("whole.rtf")));
    Menu({"&File", "&Export rtf", "&All games"});
    ASSERT_TRUE(answers.Drained());
    const QByteArray whole = Read(Path("whole.rtf"));
    const QString target = Path("all.rtf");
    answers.Queue(ModalAnswers::FileName(target));
    answers.Queue(ModalAnswers::Key(Qt::Key_Return));
    OnAFullDisk(static_cast<rlim_t>(whole.size() / 3), [&] {
        Menu({"&File", "&Export rtf", "&All games"});
    });
    const QByteArray part = Read(target);
    // The whole export cut after the last game that fitted, and closed.
    ASSERT_TRUE(part.endsWith('}'));
    EXPECT_TRUE(whole.startsWith(part.chopped(1)));
    const int written = static_cast<int>(part.count("\\fs30 ")); // one heading a game
    EXPECT_GT(written, 1);
    EXPECT_EQ(whole.count("\\fs30 "), GameList->RowCount() - 1);
    const QString said = QStringLiteral("Can't write %1\nGames written: %2 of %3.")
                             .arg(target)
                             .arg(written)
                             .arg(GameList->RowCount() - 1);
    EXPECT_EQ(answers.Shown(), (Texts{ExportTitle, ExportTitle, said.toStdString()}));
}

TEST_F(DiskFaults, ADatabaseChangedOnDiskLoadsNothingAndTheWindowAgrees)
{
    const QByteArray sample = Read(database);
    QByteArray other = sample; // other games of the same size
    other.replace("[White \"", "[Black \"");
    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"truncated", [&] { Write(database, sample.left(sample.size() / 3)); }},
        {"rewritten", [&] { Write(database, other, -10); }},
        {"rewritten in place, its times put back", [&] { RewriteKeepingTimes(database, other); }},
        {"grown", [&] { Write(database, sample + "\n" + sample); }},
        {"deleted", [&] { QFile::remove(database); }},
    };
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        Write(database, sample);
        Start(OpenAt(database, 2));
        const Shown before = ShownNow();
        const Texts shownBefore = answers.Shown();
        change();
        answers.Queue(ModalAnswers::Key(Qt::Key_Return));
        Key(Qt::Key_PageDown, Qt::ControlModifier); // next game
        answers.Queue(ModalAnswers::Key(Qt::Key_Return));
        Key(Qt::Key_PageUp, Qt::ControlModifier); // previous game
        const Texts said(answers.Shown().begin() + static_cast<long>(shownBefore.size()),
                         answers.Shown().end());
        ASSERT_EQ(said.size(), 2u);
        EXPECT_EQ(said.back(), DatabaseChangedText);
        EXPECT_TRUE(ShownNow() == before);
        Close();
    }
}

TEST_F(DiskFaults, NoBookmarkIsMarkedFromOrLoadedIntoADatabaseChangedOnDisk)
{
    Bookmarks = {};
    const QByteArray sample = Read(database);
    QByteArray other = sample;
    other.replace("[White \"", "[Black \"");
    const QByteArray firstGame = sample.left(sample.indexOf("[Event ", 1));
    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"a game put in front", [&] { Write(database, firstGame + sample); }},
        {"rewritten in place, its times put back", [&] { RewriteKeepingTimes(database, other); }},
    };
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        Write(database, sample);
        Start(OpenAt(database, 2));
        Key(Qt::Key_F12); // bookmark 2, of the file as it was indexed
        change();
        const Shown before = ShownNow();
        const Texts shownBefore = answers.Shown();
        answers.Queue(ModalAnswers::Key(Qt::Key_Return));
        Key(Qt::Key_F11);
        Key(Qt::Key_F11, Qt::ControlModifier); // nothing marked, nothing loaded
        answers.Queue(ModalAnswers::Key(Qt::Key_Return));
        Key(Qt::Key_F12, Qt::ControlModifier);
        const Texts said(answers.Shown().begin() + static_cast<long>(shownBefore.size()),
                         answers.Shown().end());
        EXPECT_EQ(said, (Texts{DatabaseChangedText,
                               "The database of this bookmark has changed since it was marked."}));
        EXPECT_TRUE(ShownNow() == before);
        Close();
    }
}

TEST_F(DiskFaults, StepsThroughAGameMakeEachPictureOfTheFlipButtonOnce)
{
    // A picture made afresh at every step is a new entry of the pixmap cache
    // each time it is drawn: memory would grow with every move shown.
    Start(OpenAt(database));
    std::set<qint64> icons;
    for (int i = 0; i < 100; ++i) {
        if (CurrentPly == LineLength) Key(Qt::Key_Home, Qt::ShiftModifier);
        Key(Qt::Key_Down, Qt::ShiftModifier);
        icons.insert(form->SwButton->icon().cacheKey());
    }
    EXPECT_LE(icons.size(), 4u);
}
