// The main window driven as a user drives it: keys, mouse clicks and menus
// through QTest, and the program's own modal dialogs (message boxes, file
// dialogs) answered by key events once they are up.
//
// The window is started without a settings file and never closed, so that
// nothing is written beside the test program; every file a test makes lies
// in its temporary folder.
#pragma once

#include "app/Unit1.h"
#include "database/Unit7.h"
#include "platform/Sound.h"

#include <QPoint>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <initializer_list>
#include <memory>

class QWidget;

// Answers modal dialogs in the order they come up. Each answer acts on the
// active modal widget when it is the kind of dialog it is meant for; other
// modal windows (the export's progress window) are left to run.
class DialogAnswers {
public:
    DialogAnswers();
    // A message box: the key is pressed on it (its text is kept in Asked).
    void Key(int key);
    // A file dialog: the path is typed into its name field and Enter pressed.
    void FileName(const QString& path);
    bool Done() const { return answers_.empty(); }
    QStringList Asked;

private:
    void Poll();
    std::deque<std::function<bool(QWidget*)>> answers_;
    QPointer<QWidget> answered_;
    QTimer timer_;
};

class UserSession : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Brings the main window to the front when no dialog or menu is up.
    void Activate();

    // Starts the main window as the program does, without a settings file.
    void Start();
    // Presses a key (with modifiers) on the widget that has the focus.
    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Opens path with Ctrl+O, the file dialog answered by typing it.
    void OpenDatabase(const QString& path);
    // Runs a menu command by mouse: the menu bar's title, then each item.
    void Menu(std::initializer_list<const char*> captions);
    // Clicks a widget in its middle, or at a point.
    void Click(QWidget* widget);
    void Click(QWidget* widget, QPoint at);
    // Selects row of the game list with a click and loads it with Enter.
    void LoadRow(int row);
    // Types text into the move box and presses Enter there.
    void TypeInMoveBox(const QString& text);
    // A copy of a file of the test data in the temporary folder.
    QString Copy(const QString& source, const QString& name) const;

    QTemporaryDir dir;
    DialogAnswers answers;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<TProgressForm> progress;
    std::unique_ptr<RecordingSoundPlayer> sounds;
};

// The sample database and ELO list of the program.
QString SamplePgnPath();
QString SampleEloPath();
