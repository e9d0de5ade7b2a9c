// The application object (TApplication): the program's title and help file,
// and the three application-wide handlers the main window installs:
// - OnException receives what an event handler throws; the event counts as
//   handled and the program goes on. Without a handler it is dropped too.
// - OnMessage sees every key press before menu short-cuts and the focused
//   control and names the action the key runs, or none to leave the key
//   alone. A key with an action is consumed (short-cut and control never see
//   it) and runs its action once, at its press. The repeats of a held key
//   are folded as they queue up while an action runs: a repeated press runs
//   its action once the input queued before it has been delivered, standing
//   for every repeat of that key queued meanwhile, and the key's release
//   drops it. So a held key's actions end with its release.
// - OnHint receives the hint of the control or menu item under the mouse
//   (its tool tip or status tip), and "" when the mouse leaves it.
// While ShowHint is false no tool tip pops up.
// When the display goes away the program ends at once with status 0, nothing
// saved; the window system would otherwise end it from inside the event loop
// and take the program's statics down under its open windows.
#pragma once

#include <QApplication>
#include <QString>

#include <exception>
#include <functional>
#include <memory>

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
    void RunHeldKey();
    void HandleException(const std::exception* e);

    std::unique_ptr<QKeyEvent> heldKey_; // the repeat waiting to run
    bool heldKeyQueued_ = false;
};

// The application object, set while one exists.
extern TApplication* Application;
