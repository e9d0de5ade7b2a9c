// The program's own forms, started as the program starts them, with real
// modal dialogs (each runs its own event loop) answered as a user answers
// them: by keys and clicks from a timer, on the window then modal.
#pragma once

#include "app/ProgramForms.h"
#include "platform/Sound.h"

#include <QObject>
#include <QString>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QTabWidget;
class QWidget;
class TForm1;

// Every modal window shown takes the next answer of the queue, run from a
// timer on QApplication::activeModalWidget(). Without an answer it gets Esc
// and counts as unexpected; one still open a while after its answer is
// closed and counts too, so that no test waits for ever.
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

    // What the modal windows shown said: a message box's text, else the title.
    const std::vector<std::string>& Shown() const { return shown_; }
    int Unexpected() const { return unexpected_; }
    bool Drained() const { return answers_.empty(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::deque<Answer> answers_;
    std::vector<std::string> shown_;
    int unexpected_ = 0;
};

class ProgramWindow : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program on game `number` of the sample file, without the intro.
    void Start(int number);
    TForm1& Form() { return forms->Main(); }
    // A key pressed on the main window.
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // A piece dragged on the board, squares as "e2".
    void Drag(const char* from, const char* to);
    // A page of a tab widget chosen by a click on its tab.
    static void ClickTab(QTabWidget& tabs, int page);

    ModalAnswers answers;
    RecordingSoundPlayer sounds;
    std::unique_ptr<TProgramForms> forms;
};
