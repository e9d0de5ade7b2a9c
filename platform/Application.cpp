#include "platform/Application.h"

#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QStatusTipEvent>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdlib>

TApplication* Application = nullptr;

namespace {

QtMessageHandler previousMessageHandler = nullptr;

// The X11 platform reports a broken connection to its display with a
// warning and then calls exit(), which runs the static destructors while the
// windows and the event loop are still up. The warning ends the program first.
void EndWhenDisplayLost(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (previousMessageHandler) previousMessageHandler(type, context, text);
    const auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 && x11->connection() && xcb_connection_has_error(x11->connection())) std::_Exit(0);
}

} // namespace

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    Application = this;
    if (platformName() == QLatin1String("xcb"))
        previousMessageHandler = qInstallMessageHandler(EndWhenDisplayLost);
}

TApplication::~TApplication()
{
    if (platformName() == QLatin1String("xcb")) qInstallMessageHandler(previousMessageHandler);
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
    case QEvent::KeyRelease:
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
// runs at its press. Nothing else is kept from one event to the next, so
// whatever the action does (a dialog with its own keys) cannot make one press
// run it twice, and a check whose press never comes leaves nothing behind.
// A repeated press waits instead: the repeats a busy action let queue up are
// delivered one after the other before the queued call runs, so they fold
// into the one waiting, and the release queued behind them drops it.
bool TApplication::FilterKey(QEvent* event)
{
    if (!OnMessage) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (event->type() == QEvent::KeyRelease) {
        if (heldKey_ && !key->isAutoRepeat() && key->key() == heldKey_->key()) heldKey_.reset();
        return false;
    }
    KeyAction action = OnMessage(*key);
    if (!action) return false;
    event->accept();
    if (event->type() != QEvent::KeyPress) return true;
    if (heldKey_ && heldKey_->key() != key->key()) {
        RunHeldKey(); // the other key's repeat came first
        action = OnMessage(*key);
        if (!action) return true;
    }
    if (!key->isAutoRepeat()) {
        action();
        return true;
    }
    heldKey_.reset(key->clone());
    if (!heldKeyQueued_) {
        heldKeyQueued_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                heldKeyQueued_ = false;
                RunHeldKey();
            },
            Qt::QueuedConnection);
    }
    return true;
}

// The action is asked for again: the key may have none by now (a dialog up,
// the window closed).
void TApplication::RunHeldKey()
{
    const std::unique_ptr<QKeyEvent> key = std::move(heldKey_);
    if (!key || !OnMessage) return;
    if (const KeyAction action = OnMessage(*key)) action();
}
