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

// The message handler sees a key once: at the short-cut check that comes
// before a press, or at the press when no check came first.
bool TApplication::FilterKey(QEvent* event)
{
    auto* key = static_cast<QKeyEvent*>(event);
    if (event->type() == QEvent::ShortcutOverride) {
        checkedKey_ = key->key();
        keyTaken_ = OnMessage && OnMessage(*key);
        if (keyTaken_) event->accept(); // no short-cut runs; the press follows
        return keyTaken_;
    }
    if (checkedKey_ != 0 && checkedKey_ == key->key()) {
        checkedKey_ = 0;
        return keyTaken_;
    }
    checkedKey_ = 0;
    return OnMessage && OnMessage(*key);
}
