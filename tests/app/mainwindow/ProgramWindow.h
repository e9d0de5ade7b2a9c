// The program's own forms, started as the program starts them, driven as a
// user drives them: keys, clicks, drags and menus through QTest, and real
// modal dialogs (each runs its own event loop) answered by keys from a timer
// once they are up. Every file a test makes lies in its temporary folder,
// the program's settings file too.
#pragma once

#include "app/ProgramForms.h"
#include "app/Unit1.h"
#include "platform/Sound.h"

#include <QObject>
#include <QPoint>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

class QRect;
class QTabWidget;
class QWidget;

// Texts of the modal windows shown, in their order.
using Texts = std::vector<std::string>;

// Every modal window shown takes the next answer of the queue, run from a
// timer on QApplication::activeModalWidget(); the progress window asks
// nothing and is left to run. Without an answer a window gets Esc and counts
// as unexpected; one still open a while after its answer is closed and
// counts too, so that no test waits for ever.
class ModalAnswers : public QObject {
public:
    using Answer = std::function<void(QWidget& window)>;

    ModalAnswers();
    ~ModalAnswers() override;

    void Queue(Answer answer);
    // One key pressed in the window.
    static Answer Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // A colour typed into a colour dialog's HTML field, then Enter.
    static Answer Colour(unsigned rgb);
    // A path typed into a file dialog's name field, then Enter.
    static Answer FileName(const QString& path);

    // What the modal windows shown said: a message box's text, else the title.
    const Texts& Shown() const { return shown_; }
    int Unexpected() const { return unexpected_; }
    bool Drained() const { return answers_.empty(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::deque<Answer> answers_;
    Texts shown_;
    int unexpected_ = 0;
};

// Every answer queued is used and no modal window comes unasked, or the
// test fails at its end.
class ProgramWindow : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the settings text (the intro skipped), then starts the forms.
    void Start(const std::string& settings = {});
    // Starts the forms on the settings file as it stands.
    void StartForms();
    // Closes the main window (nothing asked about the game) and ends the
    // forms, as the program ends; Start may follow.
    void Close();
    // The main window made active again when no dialog or menu is up, as a
    // window manager does when a dialog has gone.
    void Activate();
    // A key pressed on the widget that has the focus.
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // A menu command by keys: Alt and the title's letter, then the item's.
    void MenuKeys(int title, int item);
    // A menu command by mouse: the menu bar's title, then each item.
    void Menu(std::initializer_list<const char*> captions);
    // A click in a widget's middle, or at a point.
    void Click(QWidget* widget);
    void Click(QWidget* widget, QPoint at);
    // A page of a tab widget chosen by a click on its tab.
    static void ClickTab(QTabWidget& tabs, int page);
    // A piece dragged on the board, squares as "e2".
    void Drag(const char* from, const char* to);
    // Opens path with Ctrl+O, the file dialog answered by typing it.
    void OpenDatabase(const QString& path);
    // Selects row of the game list with a click and loads it with Enter.
    void LoadRow(int row);
    // Types text into the move box and presses Enter there.
    void TypeInMoveBox(const QString& text);
    // A copy of a file in the temporary folder.
    QString Copy(const QString& source, const QString& name) const;
    // The program's settings file, in the temporary folder.
    QString SettingsFile() const { return dir.filePath(QStringLiteral("velmora.ini")); }

    QTemporaryDir dir;
    ModalAnswers answers;
    RecordingSoundPlayer sounds;
    ScopedSoundPlayer soundsInstalled{sounds};
    ScopedSleepHandler noSleep{[](int) {}};
    std::unique_ptr<TProgramForms> forms;
    TForm1* form = nullptr;
};

// Settings that open game number of file at the start.
std::string OpenAt(const QString& file, int number = 1);
// The sample database and ELO list of the program.
QString SamplePgn();
QString SampleElo();
// Pixels of area that stay magenta when the widget is rendered over magenta.
int UnpaintedPixels(QWidget* widget, const QRect& area);
