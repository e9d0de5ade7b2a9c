// The message hook on the application-wide event filter.
#include "components/VXMessageHook.h"

#include <QCoreApplication>
#include <QResizeEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct Seen {
    QObject* target;
    unsigned msg;
    WPARAM wParam;
};

// A widget that counts the moves it is told of.
class MoveCounter : public QWidget {
public:
    int moves = 0;

protected:
    void moveEvent(QMoveEvent*) override { ++moves; }
};

// An object that records the queued messages it receives.
class MessageSink : public QObject {
public:
    std::vector<TMessage> got;

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == TMessageEvent::EventType()) {
            got.push_back(static_cast<TMessageEvent*>(e)->Message);
            return true;
        }
        return QObject::event(e);
    }
};

class MessageHook : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(TVXMessageHook::HookCount(), 0u); }
    void TearDown() override { EXPECT_EQ(TVXMessageHook::HookCount(), 0u); }
};

} // namespace

TEST_F(MessageHook, FilterInstalledWhileAnyHookLives)
{
    QObject owner;
    auto* first = new TVXMessageHook(&owner);
    auto* second = new TVXMessageHook(&owner);
    EXPECT_TRUE(TVXMessageHook::HooksInstalled());
    delete first;
    EXPECT_TRUE(TVXMessageHook::HooksInstalled()) << "one hook is left";
    delete second;
    EXPECT_FALSE(TVXMessageHook::HooksInstalled());
    auto* third = new TVXMessageHook(&owner);
    EXPECT_TRUE(TVXMessageHook::HooksInstalled()) << "a new hook installs again";
    delete third;
    EXPECT_FALSE(TVXMessageHook::HooksInstalled());
}

TEST_F(MessageHook, SeesOnlyTheWatchedWidgetPerWindowAndAllThreadWide)
{
    QWidget window;
    auto* watched = new QWidget(&window);
    auto* other = new QWidget(&window);
    window.resize(200, 200);
    window.show();

    QObject owner;
    TVXMessageHook hook(&owner);
    hook.SetHookedTo(watched);
    std::vector<Seen> perWindow, threadWide;
    hook.OnSendMessage = [&](TVXMessageHook* s, TMessage& m) {
        EXPECT_EQ(s, &hook);
        perWindow.push_back({s->HookedTo(), m.Msg, m.WParam});
    };
    hook.OnThreadSendMessage = [&](TVXMessageHook*, QObject* h, TMessage& m) {
        threadWide.push_back({h, m.Msg, m.WParam});
    };

    other->resize(50, 60);
    ASSERT_TRUE(perWindow.empty()) << "another widget's resize is not per-window";
    ASSERT_FALSE(threadWide.empty());
    EXPECT_EQ(threadWide.back().target, other);
    EXPECT_EQ(threadWide.back().msg, WM_SIZE);

    threadWide.clear();
    watched->resize(70, 80);
    ASSERT_EQ(perWindow.size(), 1u);
    EXPECT_EQ(perWindow[0].msg, WM_SIZE);
    EXPECT_EQ(perWindow[0].wParam, SIZE_RESTORED);
    ASSERT_FALSE(threadWide.empty());
    EXPECT_EQ(threadWide[0].target, watched) << "the thread-wide event comes first";

    perWindow.clear();
    watched->hide();
    ASSERT_EQ(perWindow.size(), 1u);
    EXPECT_EQ(perWindow[0].msg, WM_SHOWWINDOW);
    EXPECT_EQ(perWindow[0].wParam, 0u);
}

TEST_F(MessageHook, UnhooksWhenEitherSideIsDestroyed)
{
    QWidget window;
    window.resize(100, 100);
    window.show();
    auto* watched = new QWidget(&window);
    watched->show();
    int seen = 0;
    {
        auto owner = std::make_unique<QObject>();
        auto* hook = new TVXMessageHook(owner.get());
        hook->SetHookedTo(watched);
        hook->OnSendMessage = [&](TVXMessageHook*, TMessage&) { ++seen; };
        watched->resize(20, 20);
        EXPECT_EQ(seen, 1);

        delete watched;
        EXPECT_EQ(hook->HookedTo(), nullptr);
        auto* again = new QWidget(&window);
        again->show();
        seen = 0;
        again->resize(30, 30);
        EXPECT_EQ(seen, 0) << "no per-window event after the watched widget went";
        EXPECT_EQ(TVXMessageHook::HookCount(), 1u);
    }
    EXPECT_EQ(TVXMessageHook::HookCount(), 0u) << "the owner took its hook along";
    EXPECT_FALSE(TVXMessageHook::HooksInstalled());
}

TEST_F(MessageHook, WhatAHandlerCausesReachesNoHook)
{
    QWidget window;
    auto* watched = new QWidget(&window);
    auto* other = new QWidget(&window);
    window.resize(200, 200);
    window.show();

    QObject owner;
    TVXMessageHook first(&owner);
    TVXMessageHook second(&owner);
    first.SetHookedTo(watched);
    second.SetHookedTo(other);
    int otherSeen = 0;
    first.OnSendMessage = [&](TVXMessageHook*, TMessage& m) {
        if (m.Msg == WM_SIZE) other->resize(other->width() + 1, 10);
    };
    second.OnSendMessage = [&](TVXMessageHook*, TMessage&) { ++otherSeen; };

    const int before = other->width();
    watched->resize(40, 40);
    EXPECT_EQ(other->width(), before + 1) << "the nested resize is still delivered";
    EXPECT_EQ(otherSeen, 0) << "but reaches no hook";
    other->resize(5, 5);
    EXPECT_EQ(otherSeen, 1);
}

TEST_F(MessageHook, HandlerCanNeutraliseASentMessage)
{
    QWidget window;
    auto* watched = new MoveCounter;
    watched->setParent(&window);
    window.resize(200, 200);
    window.show();
    QObject owner;
    TVXMessageHook hook(&owner);
    hook.SetHookedTo(watched);
    bool block = true;
    hook.OnSendMessage = [&](TVXMessageHook*, TMessage& m) {
        if (block && m.Msg == WM_MOVE) m.Msg = WM_NULL;
    };
    const int before = watched->moves;
    watched->move(10, 10);
    EXPECT_EQ(watched->moves, before) << "the widget never saw the move";
    block = false;
    watched->move(20, 20);
    EXPECT_EQ(watched->moves, before + 1);
}

TEST_F(MessageHook, PostedMessagesGoToThePostedEventsAndCanBeChanged)
{
    QWidget target;
    MessageSink sink;
    QObject owner;
    TVXMessageHook hook(&owner);
    hook.SetHookedTo(&target);
    int sentSeen = 0;
    std::vector<TMessage> posted;
    std::vector<QObject*> postedThreadWide;
    hook.OnSendMessage = [&](TVXMessageHook*, TMessage&) { ++sentSeen; };
    hook.OnGetPostedMessage = [&](TVXMessageHook*, TMessage& m) {
        posted.push_back(m);
        m.WParam = 77;
    };
    hook.OnThreadGetPostedMessage = [&](TVXMessageHook*, QObject* h, TMessage&) {
        postedThreadWide.push_back(h);
    };

    PostMessage(&target, WM_USER + 5, 1, 2);
    PostMessage(&sink, WM_USER + 6, 3, 4);
    EXPECT_TRUE(posted.empty()) << "nothing before the queue is run";
    QCoreApplication::sendPostedEvents();

    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].Msg, WM_USER + 5);
    EXPECT_EQ(posted[0].WParam, 1u);
    EXPECT_EQ(posted[0].LParam, 2);
    EXPECT_EQ(sentSeen, 0);
    EXPECT_EQ(postedThreadWide, (std::vector<QObject*>{&target, &sink}));
    ASSERT_EQ(sink.got.size(), 1u);
    EXPECT_EQ(sink.got[0].WParam, 3u) << "a message for another object is not changed";

    hook.SetHookedTo(nullptr);
    hook.OnThreadGetPostedMessage = [&](TVXMessageHook*, QObject*, TMessage& m) { m.WParam = 99; };
    PostMessage(&sink, WM_USER + 7, 3, 4);
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(sink.got.size(), 2u);
    EXPECT_EQ(sink.got[1].WParam, 99u) << "the receiver gets the changed message";
}

TEST(MessageOfEvent, Table)
{
    QWidget w;
    QResizeEvent resize(QSize(300, 200), QSize(1, 1));
    const auto m = MessageOfEvent(&w, &resize);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->Msg, WM_SIZE);
    EXPECT_EQ(m->LParam, MakeLParam(300, 200));
    QEvent show(QEvent::Show);
    EXPECT_EQ(MessageOfEvent(&w, &show)->WParam, 1u);
    QEvent other(QEvent::ToolTip);
    EXPECT_FALSE(MessageOfEvent(&w, &other)) << "events without a message are not reported";
}
