#include "platform/Application.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QStatusTipEvent>
#include <QWidget>

TApplication* Application = nullptr;

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    Application = this;
}

TApplication::~TApplication()
{
    if (Application == this) Application = nullptr;
}

QString TApplication::ExeName()
{
    return QCoreApplication::applicationFilePath();
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return Dispatch(receiver, event);
    } catch (const std::exception& e) {
        HandleException(&e);
    } catch (...) {
        HandleException(nullptr);
    }
    return true;
}

void TApplication::HandleException(const std::exception* e)
{
    if (!OnException) return;
    try {
        OnException(e);
    } catch (...) {
        // The handler of last resort must not throw out of the event loop.
    }
}

bool TApplication::Dispatch(QObject* receiver, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
        if (FilterKey(event)) return true;
        break;
    case QEvent::ToolTip:
        if (!ShowHint) {
            event->ignore();
            return true;
        }
        break;
    case QEvent::StatusTip:
        if (OnHint) {
            OnHint(static_cast<QStatusTipEvent*>(event)->tip());
            return true;
        }
        break;
    case QEvent::Enter:
    case QEvent::Leave:
        if (OnHint && receiver->isWidgetType()) {
            const auto* widget = static_cast<QWidget*>(receiver);
            if (!widget->toolTip().isEmpty())
                OnHint(event->type() == QEvent::Enter ? widget->toolTip() : QString());
        }
        break;
    default:
        break;
    }
    return QApplication::notify(receiver, event);
}

// A key with an action holds off the short-cuts at the short-cut check and
// runs at its press. Nothing is kept from one event to the next, so whatever
// the action does (a dialog with its own keys) cannot make one press run it
// twice, and a check whose press never comes leaves nothing behind.
bool TApplication::FilterKey(QEvent* event)
{
    if (!OnMessage) return false;
    const KeyAction action = OnMessage(*static_cast<QKeyEvent*>(event));
    if (!action) return false;
    event->accept();
    if (event->type() == QEvent::KeyPress) action();
    return true;
}
