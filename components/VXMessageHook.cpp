#include "components/VXMessageHook.h"

#include <QCoreApplication>
#include <QMoveEvent>
#include <QResizeEvent>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace {

// The application-wide filter that stands for both thread hooks.
class HookFilter : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
};

// Class-wide state, one set per process (GUI thread only).
std::vector<TVXMessageHook*>& HooksList()
{
    static std::vector<TVXMessageHook*> list;
    return list;
}
bool CallWndBusy = false;
std::unique_ptr<HookFilter> Filter;

void InstallHooks()
{
    if (Filter) return;
    Filter = std::make_unique<HookFilter>();
    if (QCoreApplication* app = QCoreApplication::instance()) app->installEventFilter(Filter.get());
}

void RemoveHooks()
{
    if (!Filter) return;
    if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(Filter.get());
    Filter.reset();
}

// Runs one message past every hook; the count is read again before each step,
// since a handler may create or destroy hooks.
template <typename Proc>
void CallHooks(Proc proc)
{
    if (CallWndBusy) return;
    CallWndBusy = true;
    auto& list = HooksList();
    for (std::size_t i = 0; i < list.size(); ++i)
        proc(list[i]);
    CallWndBusy = false;
}

bool HookFilter::eventFilter(QObject* watched, QEvent* e)
{
    if (CallWndBusy || HooksList().empty()) return false;
    std::optional<TMessage> m = MessageOfEvent(watched, e);
    if (!m) return false;
    if (e->type() == TMessageEvent::EventType()) {
        CallHooks([&](TVXMessageHook* h) { h->DoGetMsgProc(watched, *m); });
        static_cast<TMessageEvent*>(e)->Message = *m;
        return false;
    }
    const bool wasNull = m->Msg == WM_NULL;
    CallHooks([&](TVXMessageHook* h) { h->DoCallWndProc(watched, *m); });
    // A Qt event cannot be rewritten; a handler that nulls it withholds it.
    return !wasNull && m->Msg == WM_NULL;
}

// The Qt events that stand for window messages; their parameters are filled
// in by MessageOfEvent.
struct EventMessage {
    QEvent::Type Event;
    unsigned Msg;
};
constexpr std::array EventMessages{
    EventMessage{QEvent::Resize, WM_SIZE},          EventMessage{QEvent::Move, WM_MOVE},
    EventMessage{QEvent::Show, WM_SHOWWINDOW},      EventMessage{QEvent::Hide, WM_SHOWWINDOW},
    EventMessage{QEvent::Paint, WM_PAINT},          EventMessage{QEvent::Close, WM_CLOSE},
    EventMessage{QEvent::FocusIn, WM_SETFOCUS},     EventMessage{QEvent::FocusOut, WM_KILLFOCUS},
    EventMessage{QEvent::EnabledChange, WM_ENABLE},
};

WPARAM SizeKind(const QObject* target)
{
    const auto* w = qobject_cast<const QWidget*>(target);
    if (!w || !w->isWindow()) return SIZE_RESTORED;
    if (w->windowState() & Qt::WindowMinimized) return SIZE_MINIMIZED;
    if (w->windowState() & Qt::WindowMaximized) return SIZE_MAXIMIZED;
    return SIZE_RESTORED;
}

} // namespace

TMessageEvent::TMessageEvent(const TMessage& message) : QEvent(EventType()), Message(message) {}

QEvent::Type TMessageEvent::EventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void PostMessage(QObject* target, unsigned msg, WPARAM wParam, LPARAM lParam)
{
    if (!target) return;
    TMessage m;
    m.Msg = msg;
    m.WParam = wParam;
    m.LParam = lParam;
    QCoreApplication::postEvent(target, new TMessageEvent(m)); // the queue owns it
}

std::optional<TMessage> MessageOfEvent(const QObject* target, const QEvent* e)
{
    if (e->type() == TMessageEvent::EventType())
        return static_cast<const TMessageEvent*>(e)->Message;
    const auto it = std::find_if(EventMessages.begin(), EventMessages.end(),
                                 [e](const EventMessage& em) { return em.Event == e->type(); });
    if (it == EventMessages.end()) return std::nullopt;
    TMessage m;
    m.Msg = it->Msg;
    switch (e->type()) {
    case QEvent::Resize: {
        const QSize s = static_cast<const QResizeEvent*>(e)->size();
        m.WParam = SizeKind(target);
        m.LParam = MakeLParam(s.width(), s.height());
        break;
    }
    case QEvent::Move: {
        const QPoint p = static_cast<const QMoveEvent*>(e)->pos();
        m.LParam = MakeLParam(p.x(), p.y());
        break;
    }
    case QEvent::Show:
        m.WParam = 1;
        break;
    case QEvent::EnabledChange: {
        const auto* w = qobject_cast<const QWidget*>(target);
        m.WParam = w && w->isEnabled() ? 1 : 0;
        break;
    }
    default:
        break;
    }
    return m;
}

TVXMessageHook::TVXMessageHook(QObject* Owner) : QObject(Owner)
{
    auto& list = HooksList();
    if (list.empty()) InstallHooks();
    list.push_back(this);
}

TVXMessageHook::~TVXMessageHook()
{
    auto& list = HooksList();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    if (list.empty()) RemoveHooks();
}

void TVXMessageHook::SetHookedTo(QWidget* control)
{
    if (hookedTo_.data() == control) return;
    hookedTo_ = control;
}

std::size_t TVXMessageHook::HookCount()
{
    return HooksList().size();
}

bool TVXMessageHook::HooksInstalled()
{
    return Filter != nullptr;
}

void TVXMessageHook::DoCallWndProc(QObject* target, TMessage& message)
{
    if (!OnSendMessage && !OnThreadSendMessage) return;
    TMessage m = message;
    if (OnThreadSendMessage) OnThreadSendMessage(this, target, m);
    if (hookedTo_ && hookedTo_.data() == target && OnSendMessage) OnSendMessage(this, m);
    message.Msg = m.Msg;
    message.WParam = m.WParam;
    message.LParam = m.LParam;
}

void TVXMessageHook::DoGetMsgProc(QObject* target, TMessage& message)
{
    if (!OnGetPostedMessage && !OnThreadGetPostedMessage) return;
    TMessage m = message;
    if (OnThreadGetPostedMessage) OnThreadGetPostedMessage(this, target, m);
    if (hookedTo_ && hookedTo_.data() == target && OnGetPostedMessage) OnGetPostedMessage(this, m);
    message.Msg = m.Msg;
    message.WParam = m.WParam;
    message.LParam = m.LParam;
}
