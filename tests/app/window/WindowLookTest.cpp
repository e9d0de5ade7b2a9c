// What the main window shows: every pixel painted, the page tabs whole,
// texts from files and paths shown exactly; and the end of the program with
// the help window open.
#include "tests/app/mainwindow/ProgramWindow.h"

#include "app/BoardView.h"
#include "app/OptionValues.h"
#include "database/DatabaseFile.h"
#include "platform/HelpWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace {

using WindowLook = ProgramWindow;

// The label's pixels are those of a plain-text label of its text.
void ExpectPlainText(QLabel* label)
{
    QLabel plain;
    plain.setTextFormat(Qt::PlainText);
    plain.setWordWrap(label->wordWrap());
    plain.setAlignment(label->alignment());
    plain.setStyleSheet(label->styleSheet());
    plain.setFont(label->font());
    plain.setText(label->text());
    plain.resize(label->size());
    auto pixels = [](QLabel* l) {
        QImage image(l->size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        l->render(&image, {}, {}, QWidget::DrawChildren);
        return image;
    };
    EXPECT_EQ(pixels(label), pixels(&plain)) << label->text().toStdString();
}

} // namespace

TEST_F(WindowLook, ExitEndsTheProgramWhileTheHelpWindowIsOpen)
{
    Start();
    Key(Qt::Key_F1);
    ASSERT_TRUE(HelpWindow::Current() && HelpWindow::Current()->isVisible());
    form->activateWindow();
    QTimer::singleShot(0, [this] { Menu({"&File", "E&xit"}); });
    QTimer::singleShot(3000, [] { QApplication::exit(1); });
    EXPECT_EQ(QApplication::exec(), 0) << "the program still runs";
    EXPECT_FALSE(form->isVisible());
}

TEST_F(WindowLook, EveryPixelIsPainted)
{
    Start(OpenAt(SamplePgn()));
    Key(Qt::Key_F11); // a bookmark, shown on its page
    QTest::qWait(20);
    EXPECT_EQ(UnpaintedPixels(form, form->rect()), 0) << "under the bookmark boards";
    form->resize(320, 320);
    QTest::qWait(50);
    ASSERT_LT(SquareSize, MinSquareSize);
    EXPECT_EQ(UnpaintedPixels(form, form->rect()), 0) << "where no board is drawn";
}

TEST_F(WindowLook, PageTabsShowTheirWholeCaptionsAndScrollWhenShort)
{
    Start(OpenAt(SamplePgn()));
    const QTabBar* tabs = form->PageControl1->tabBar();
    struct Whole : QTabBar { // the size a tab asks for its whole caption
        using QTabBar::tabSizeHint;
    };
    for (const int height : {1000, 320}) {
        form->resize(1400, height);
        QTest::qWait(20);
        for (int i = 0; i < tabs->count(); ++i) {
            const QSize whole = (tabs->*&Whole::tabSizeHint)(i);
            EXPECT_TRUE(tabs->tabRect(i).width() >= whole.width() &&
                        tabs->tabRect(i).height() >= whole.height())
                << tabs->tabText(i).toStdString() << " at " << height;
        }
        const QList<QToolButton*> arrows = tabs->findChildren<QToolButton*>();
        EXPECT_EQ(std::any_of(arrows.begin(), arrows.end(), [](auto* a) { return a->isVisible(); }),
                  height == 320);
    }
}

TEST_F(WindowLook, NamesAndPathsShowAsTheyAre)
{
    const QString folder = dir.path() + "/<i>d&x";
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString pgn = folder + "/a&b.pgn";
    QFile file(pgn);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[White \"<b>Zeta</b>\"]\n[Black \"Kessler, Una\"]\n[ECO \"C95\"]\n\n1. e4 e5 *\n");
    file.close();
    Start(OpenAt(pgn) + "[Recent]\nFile1=" + SamplePgn().toStdString() + "\n");
    ASSERT_TRUE(form->HeadLabel->text().contains("<b>Zeta</b>"));
    ExpectPlainText(form->HeadLabel);
    Key(Qt::Key_F11);
    ASSERT_TRUE(form->Label1->text().contains("<i>d&x/\n a&b.pgn"));
    ExpectPlainText(form->Label1);

    // Another database: the path is a recent file, "&" doubled in the
    // caption so that the menu shows it; the item opens the path.
    Key(Qt::Key_F1, Qt::ControlModifier);
    ASSERT_EQ(QString::fromStdString(DatabaseFileName), SamplePgn());
    EXPECT_EQ(form->RecentItems[0]->text(), QString(pgn).replace("&", "&&"));
    Key(Qt::Key_F1, Qt::ControlModifier);
    EXPECT_EQ(QString::fromStdString(DatabaseFileName), pgn);
}
