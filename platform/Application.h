// The application object (TApplication): the program's title and help file,
// and the three application-wide handlers the main window installs:
// - OnException receives what an event handler throws; the event counts as
//   handled and the program goes on. Without a handler it is dropped too.
// - OnMessage sees every key press before menu short-cuts and the focused
//   control and names the action the key runs, or none to leave the key
//   alone. A key with an action is consumed (short-cut and control never see
//   it) and runs its action once, at its press.
// - OnHint receives the hint of the control or menu item under the mouse
//   (its tool tip or status tip), and "" when the mouse leaves it.
// While ShowHint is false no tool tip pops up.
#pragma once

#include <QApplication>
#include <QString>

#include <exception>
#include <functional>

class QKeyEvent;

class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);
    ~TApplication() override;

    QString Title;
    QString HelpFile;
    bool ShowHint = true;
    std::function<void(const std::exception* e)> OnException;
    using KeyAction = std::function<void()>;
    std::function<KeyAction(const QKeyEvent& key)> OnMessage;
    std::function<void(const QString& hint)> OnHint;

    // The running executable's full path.
    static QString ExeName();

    bool notify(QObject* receiver, QEvent* event) override;

private:
    bool Dispatch(QObject* receiver, QEvent* event);
    bool FilterKey(QEvent* event);
    void HandleException(const std::exception* e);
};

// The application object, set while one exists.
extern TApplication* Application;
