// Watching the messages of another window of the thread without subclassing it.
//
// The Windows hooks become one application-wide Qt event filter, installed when
// the first TVXMessageHook is made and removed when the last one goes; it sees
// the events of every object of the GUI thread. Each delivered Qt event that
// stands for a window message (the table MessageOfEvent) reaches the hooks as a
// TMessage:
//  - "sent" messages (OnSendMessage, OnThreadSendMessage): every translated Qt
//    event delivered to an object (resize, move, show, hide, paint ...);
//  - "posted" messages (OnGetPostedMessage, OnThreadGetPostedMessage): the
//    messages queued with PostMessage below, when they are taken from the queue.
// Every hook gets the thread-wide event first, then the per-window event for its
// HookedTo widget. While the hooks' events run, nothing that they cause reaches
// any hook (one busy flag for both streams).
//
// A handler may change the message through its reference: a posted message is
// delivered as changed; a sent Qt event cannot be rewritten, but setting Msg to
// WM_NULL withholds it from its target.
//
// HookedTo is cleared when the watched widget is destroyed; a hook is a child of
// its owner and goes with it. All hooks must live on the GUI thread.
#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

inline constexpr unsigned WM_NULL = 0x0000;
inline constexpr unsigned WM_DESTROY = 0x0002;
inline constexpr unsigned WM_MOVE = 0x0003;
inline constexpr unsigned WM_SIZE = 0x0005;
inline constexpr unsigned WM_SETFOCUS = 0x0007;
inline constexpr unsigned WM_KILLFOCUS = 0x0008;
inline constexpr unsigned WM_ENABLE = 0x000A;
inline constexpr unsigned WM_PAINT = 0x000F;
inline constexpr unsigned WM_CLOSE = 0x0010;
inline constexpr unsigned WM_ERASEBKGND = 0x0014;
inline constexpr unsigned WM_SHOWWINDOW = 0x0018;
inline constexpr unsigned WM_USER = 0x0400;

inline constexpr WPARAM SIZE_RESTORED = 0;
inline constexpr WPARAM SIZE_MINIMIZED = 1;
inline constexpr WPARAM SIZE_MAXIMIZED = 2;

// The framework's message record.
struct TMessage {
    unsigned Msg = WM_NULL;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

// Two 16-bit values in one LParam, low word first.
constexpr LPARAM MakeLParam(int lo, int hi)
{
    return static_cast<LPARAM>((static_cast<std::uint32_t>(lo) & 0xFFFFu) |
                               ((static_cast<std::uint32_t>(hi) & 0xFFFFu) << 16));
}

// A queued message (the stand-in for PostMessage's queue entry).
class TMessageEvent : public QEvent {
public:
    explicit TMessageEvent(const TMessage& message);
    static QEvent::Type EventType();
    TMessage Message;
};

// Queues a message for an object; it is delivered from the event loop.
void PostMessage(QObject* target, unsigned msg, WPARAM wParam = 0, LPARAM lParam = 0);

// The window message a Qt event delivered to target stands for, if any:
//   Resize -> WM_SIZE (SIZE_MINIMIZED/SIZE_MAXIMIZED for such windows, else
//             SIZE_RESTORED; LParam width | height << 16)
//   Move -> WM_MOVE (LParam x | y << 16)     Show/Hide -> WM_SHOWWINDOW (1/0)
//   Paint -> WM_PAINT    Close -> WM_CLOSE    FocusIn/FocusOut -> WM_SETFOCUS/WM_KILLFOCUS
//   EnabledChange -> WM_ENABLE (1/0)         TMessageEvent -> its own message
std::optional<TMessage> MessageOfEvent(const QObject* target, const QEvent* e);

class TVXMessageHook : public QObject {
public:
    using TMessageEventHandler = std::function<void(TVXMessageHook* Sender, TMessage& Message)>;
    using TThreadMessageEventHandler =
        std::function<void(TVXMessageHook* Sender, QObject* Handle, TMessage& Message)>;

    // The owner must be given; the hook is its child.
    explicit TVXMessageHook(QObject* Owner);
    ~TVXMessageHook() override;

    QWidget* HookedTo() const { return hookedTo_.data(); }
    void SetHookedTo(QWidget* control);

    TMessageEventHandler OnSendMessage;
    TMessageEventHandler OnGetPostedMessage;
    TThreadMessageEventHandler OnThreadSendMessage;
    TThreadMessageEventHandler OnThreadGetPostedMessage;

    // The live hooks, and whether the application-wide filter is installed.
    static std::size_t HookCount();
    static bool HooksInstalled();

    // Per-instance dispatch of one message delivered to target.
    void DoCallWndProc(QObject* target, TMessage& message);
    void DoGetMsgProc(QObject* target, TMessage& message);

private:
    QPointer<QWidget> hookedTo_;
};
