// The framework's Align rule: pure placement and live widgets.
#include "platform/AlignLayout.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

using A = TAlign;

TEST(ArrangeAligned, FrameworkOrderAndSizes)
{
    struct Case {
        const char* name;
        std::vector<AlignItem> items;
        std::vector<TRect> expected;
    };
    const TRect client = Rect(0, 0, 100, 80);
    const std::vector<Case> cases{
        {"top and bottom stack from their edges",
         {{A::alTop, Bounds(5, 5, 10, 10)},
          {A::alTop, Bounds(0, 0, 1, 20)},
          {A::alBottom, Bounds(0, 0, 1, 15)}},
         {Rect(0, 0, 100, 10), Rect(0, 10, 100, 30), Rect(0, 65, 100, 80)}},
        {"left and right share what top and bottom leave",
         {{A::alLeft, Bounds(0, 0, 30, 1)},
          {A::alBottom, Bounds(0, 0, 1, 20)},
          {A::alRight, Bounds(0, 0, 25, 1)},
          {A::alClient, Bounds(0, 0, 1, 1)}},
         {Rect(0, 0, 30, 60), Rect(0, 60, 100, 80), Rect(75, 0, 100, 60), Rect(30, 0, 75, 60)}},
        {"client first in order still takes the rest",
         {{A::alClient, Bounds(0, 0, 1, 1)}, {A::alTop, Bounds(0, 0, 1, 30)}},
         {Rect(0, 30, 100, 80), Rect(0, 0, 100, 30)}},
        {"unaligned items keep their bounds",
         {{A::alNone, Bounds(7, 8, 9, 10)}},
         {Bounds(7, 8, 9, 10)}},
        {"an exhausted area gives empty, not negative, sizes",
         {{A::alLeft, Bounds(0, 0, 90, 1)},
          {A::alLeft, Bounds(0, 0, 40, 1)},
          {A::alClient, Bounds(0, 0, 1, 1)}},
         {Rect(0, 0, 90, 80), Rect(90, 0, 130, 80), Rect(130, 0, 130, 80)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ArrangeAligned(client, c.items), c.expected);
    }
}

TEST(AlignLayout, ChildrenFollowTheParentAndEachOther)
{
    QWidget parent;
    parent.resize(400, 300);
    auto* top = new QWidget(&parent);
    top->resize(10, 20);
    SetAlign(top, A::alTop);
    auto* left = new QWidget(&parent);
    left->resize(100, 10);
    SetAlign(left, A::alLeft);
    auto* client = new QWidget(&parent);
    SetAlign(client, A::alClient);
    parent.show();

    EXPECT_EQ(top->geometry(), QRect(0, 0, 400, 20));
    EXPECT_EQ(left->geometry(), QRect(0, 20, 100, 280));
    EXPECT_EQ(client->geometry(), QRect(100, 20, 300, 280));

    parent.resize(600, 500);
    EXPECT_EQ(client->geometry(), QRect(100, 20, 500, 480));

    left->resize(150, left->height());
    EXPECT_EQ(client->geometry(), QRect(150, 20, 450, 480)) << "a child's own resize realigns";

    top->hide();
    EXPECT_EQ(left->geometry(), QRect(0, 0, 150, 500)) << "a hidden child takes no room";

    delete left;
    EXPECT_EQ(client->geometry(), QRect(0, 0, 600, 500)) << "a deleted child frees its room";
    EXPECT_EQ(GetAlign(client), A::alClient);
    EXPECT_EQ(GetAlign(&parent), A::alNone);
}

TEST(AlignLayout, ContentsMarginsBoundTheArea)
{
    QWidget parent;
    parent.setContentsMargins(4, 4, 4, 4);
    parent.resize(200, 100);
    auto* client = new QWidget(&parent);
    SetAlign(client, A::alClient);
    EXPECT_EQ(client->geometry(), QRect(4, 4, 192, 92));
}

TEST(AlignLayout, ChildMovedToAnotherParentIsAlignedThere)
{
    QWidget first;
    first.resize(100, 100);
    QWidget second;
    second.resize(300, 200);
    auto* child = new QWidget(&first);
    child->resize(30, 30);
    SetAlign(child, A::alRight);
    EXPECT_EQ(child->geometry(), QRect(70, 0, 30, 100));
    child->setParent(&second);
    EXPECT_EQ(child->geometry(), QRect(270, 0, 30, 200));
}
