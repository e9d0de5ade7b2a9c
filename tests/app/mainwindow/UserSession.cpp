#include "tests/app/mainwindow/UserSession.h"

#include "app/OptionValues.h"
#include "app/SettingsFile.h"
#include "components/SortGrid.h"
#include "database/DatabaseFile.h"
#include "database/GameLoader.h"
#include "database/Unit7.h"
#include "platform/Dialogs.h"
#include "platform/Sound.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>

QString SamplePgnPath()
{
    return QStringLiteral(VELMORA_SAMPLES "/velmora-sample.pgn");
}

QString SampleEloPath()
{
    return QStringLiteral(VELMORA_SAMPLES "/velmora-elo.txt");
}

// ---- Modal dialogs ----------------------------------------------------------------

DialogAnswers::DialogAnswers()
{
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
}

void DialogAnswers::Key(int key)
{
    answers_.push_back([this, key](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box) return false;
        Asked << box->text();
        QTest::keyClick(box, static_cast<Qt::Key>(key));
        return true;
    });
}

void DialogAnswers::FileName(const QString& path)
{
    // Typed once; then Enter until the dialog closes, the name completer's
    // list (which opens when it likes) closed first with Esc.
    answers_.push_back([path, typed = false](QWidget* modal) mutable {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        auto* name = dialog ? dialog->findChild<QLineEdit*>("fileNameEdit") : nullptr;
        if (!name) return false;
        if (!typed) {
            // Typed into the active dialog, as a user types; an inactive one
            // would put the file it finds over the text.
            QApplication::setActiveWindow(dialog);
            name->setFocus();
            QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier); // typed over
            QTest::keyClicks(name, path);
            // A completion offered inline is selected: Delete drops it.
            if (name->hasSelectedText()) QTest::keyClick(name, Qt::Key_Delete);
            typed = true;
        }
        if (QWidget* list = QApplication::activePopupWidget())
            QTest::keyClick(list, Qt::Key_Escape);
        else
            QTest::keyClick(name, Qt::Key_Return);
        return !dialog->isVisible();
    });
}

void DialogAnswers::Poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    // A box answered by a letter clicks its button a moment later.
    if (!modal || !modal->isVisible() || modal == answered_) return;
    answered_ = modal;
    if (answers_.empty()) {
        // A dialog no answer was meant for: noted, and closed by Esc.
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            Asked << box->text();
            QTest::keyClick(box, Qt::Key_Escape);
        } else if (qobject_cast<QFileDialog*>(modal)) {
            Asked << modal->windowTitle();
            QTest::keyClick(modal, Qt::Key_Escape);
        }
        return;
    }
    // Taken off first: the answer may run another dialog's event loop.
    auto answer = std::move(answers_.front());
    answers_.pop_front();
    if (!answer(modal)) {
        answers_.push_front(std::move(answer));
        answered_ = nullptr;
    }
}

// ---- The session -----------------------------------------------------------------

void UserSession::SetUp()
{
    ASSERT_TRUE(dir.isValid());
    QFile::remove(SettingsFileName());
    SetDialogService(nullptr);
    sounds = std::make_unique<RecordingSoundPlayer>();
    SetSoundPlayer(sounds.get());
}

void UserSession::TearDown()
{
    EXPECT_TRUE(answers.Done()) << "a dialog that was to be answered never came";
    // Dropped without closing: the window writes no settings file.
    GameModified = 0;
    ProgressForm = nullptr;
    progress.reset();
    form.reset();
    CloseDatabaseFile();
    SetSoundPlayer(nullptr);
}

void UserSession::Start()
{
    form = std::make_unique<TForm1>();
    progress = std::make_unique<TProgressForm>(form.get());
    ProgressForm = progress.get();
    form->resize(1000, 760);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QApplication::setActiveWindow(form.get());
    QTest::qWait(30);
    SlideDelayMs = 0;
}

void UserSession::Activate()
{
    // As the window manager does when a dialog has gone.
    if (!QApplication::activeModalWidget() && !QApplication::activePopupWidget())
        QApplication::setActiveWindow(form.get());
}

void UserSession::Press(int key, Qt::KeyboardModifiers modifiers)
{
    Activate();
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target ? target : form.get(), static_cast<Qt::Key>(key), modifiers);
}

void UserSession::OpenDatabase(const QString& path)
{
    answers.FileName(path);
    Press(Qt::Key_O, Qt::ControlModifier);
    ASSERT_TRUE(answers.Done());
    ASSERT_EQ(QString::fromStdString(DatabaseFileName), path);
}

void UserSession::Click(QWidget* widget)
{
    Click(widget, widget->rect().center());
}

void UserSession::Click(QWidget* widget, QPoint at)
{
    if (widget->window() == form.get()) Activate();
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
}

void UserSession::Menu(std::initializer_list<const char*> captions)
{
    QWidget* menu = form->menuBar();
    for (const char* caption : captions) {
        const QList<QAction*> actions = menu->actions();
        const auto it = std::find_if(actions.begin(), actions.end(),
                                     [caption](QAction* a) { return a->text() == caption; });
        ASSERT_NE(it, actions.end()) << caption;
        const QRect place = menu == form->menuBar()
                                ? form->menuBar()->actionGeometry(*it)
                                : static_cast<QMenu*>(menu)->actionGeometry(*it);
        Click(menu, place.center());
        QMenu* sub = (*it)->menu();
        if (!sub) break;
        // A submenu opens when the pointer rests on its item, or by Right.
        if (!QTest::qWaitFor([sub] { return sub->isVisible(); }, 300))
            QTest::keyClick(menu, Qt::Key_Right);
        ASSERT_TRUE(QTest::qWaitFor([sub] { return sub->isVisible(); }, 1000)) << caption;
        menu = sub;
    }
}

void UserSession::LoadRow(int row)
{
    const TRect cell = GameList->CellRect(0, row);
    Click(GameList->viewport(), QPoint(cell.Left + 4, (cell.Top + cell.Bottom) / 2));
    ASSERT_EQ(GameList->Row(), row);
    Press(Qt::Key_Return);
}

void UserSession::TypeInMoveBox(const QString& text)
{
    Click(form->MoveEdit);
    form->MoveEdit->selectAll();
    QTest::keyClick(form->MoveEdit, Qt::Key_Delete);
    for (const QChar c : text) {
        // Letters beyond ASCII come as the keyboard sends them: with their text.
        if (c.unicode() < 0x80)
            QTest::keyClick(form->MoveEdit, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, form->MoveEdit, Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
    }
    QTest::keyClick(form->MoveEdit, Qt::Key_Return);
}

QString UserSession::Copy(const QString& source, const QString& name) const
{
    const QString target = dir.filePath(name);
    EXPECT_TRUE(QFile::copy(source, target)) << target.toStdString();
    return target;
}
