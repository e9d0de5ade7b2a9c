// The splitter's share arithmetic, without widgets.
#include "components/VXSplitter/SplitterShare.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using K = TVXSplitterType;

// A splitter of the given kind and size on its side of the client area.
SplitterShare Make(K kind, SplitterArea client, int size, int w = 4)
{
    SplitterShare s;
    s.Kind = kind;
    s.SplitterWidth = w;
    s.Size = size;
    SplitterArea own = client;
    switch (kind) {
    case K::splkLeft:
        own.Right = client.Left + size;
        break;
    case K::splkRight:
        own.Left = client.Right - size;
        break;
    case K::splkTop:
        own.Bottom = client.Top + size;
        break;
    case K::splkBottom:
        own.Top = client.Bottom - size;
        break;
    }
    s.CalculateSize(client, own);
    return s;
}

SplitterArea Square(int n)
{
    return {0, 0, n, n};
}

const char* Name(K k)
{
    switch (k) {
    case K::splkLeft:
        return "left";
    case K::splkTop:
        return "top";
    case K::splkRight:
        return "right";
    case K::splkBottom:
        return "bottom";
    }
    return "?";
}

const std::vector<K> AllKinds{K::splkLeft, K::splkTop, K::splkRight, K::splkBottom};

} // namespace

TEST(SplitterShare, PerMilleIsKeptAcrossParentResizesOnEverySide)
{
    for (K k : AllKinds) {
        SCOPED_TRACE(Name(k));
        SplitterShare s = Make(k, Square(1000), 100);
        s.Promile = 440;
        s.SplitterResize();
        EXPECT_EQ(s.Size, 442); // 996 * 440 / 1000 + 4
        s.CalculateSize(Square(500), Square(500));
        s.SplitterResize();
        EXPECT_EQ(s.Size, 222); // 496 * 440 / 1000 + 4, truncated
        EXPECT_EQ(s.Promile, 440);
        s.CalculateSize(Square(1000), Square(1000));
        s.SplitterResize();
        EXPECT_EQ(s.Size, 442);
    }
}

TEST(SplitterShare, ShareFromSizeTruncates)
{
    for (K k : AllKinds) {
        SCOPED_TRACE(Name(k));
        SplitterShare s = Make(k, Square(500), 222);
        s.CalculatePromile();
        EXPECT_EQ(s.Promile, 439); // 218 * 1000 / 496
    }
}

TEST(SplitterShare, AreaStartsAtTheSplittersOwnEdge)
{
    SplitterShare s;
    s.Kind = K::splkLeft;
    s.CalculateSize({0, 0, 1000, 600}, {300, 0, 500, 600});
    EXPECT_EQ(s.ParentRect, (SplitterArea{300, 0, 1000, 600}));
    EXPECT_EQ(s.AvailableWidth, 700);
    s.Kind = K::splkBottom;
    s.CalculateSize({0, 0, 1000, 600}, {0, 400, 1000, 550});
    EXPECT_EQ(s.ParentRect, (SplitterArea{0, 0, 1000, 550}));
    EXPECT_EQ(s.AvailableHeight, 550);
}

// Bottom splitter, area 600 high from 0, bar 6, limits 10..85, collapsible.
class BottomDrag : public ::testing::Test {
protected:
    SplitterShare s = [] {
        SplitterShare b = Make(K::splkBottom, {0, 0, 800, 600}, 216, 6);
        b.MinPercent = 10;
        b.MaxPercent = 85;
        b.CanCollapse = true;
        b.Promile = 353;
        b.SavedPromile = 353;
        return b;
    }();
};

TEST_F(BottomDrag, BarMovesBetweenItsLimits)
{
    struct Case {
        const char* name;
        int y;
        int stop;
        bool collapse;
    };
    const std::vector<Case> cases{
        {"above the lower limit collapses", 59, 0, true},
        {"at the lower limit", 60, 60, false},
        {"inside", 300, 300, false},
        {"at the upper limit", 505, 505, false},
        {"below the upper limit stops", 590, 505, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const BarStop p = s.GetPoint(c.y);
        EXPECT_EQ(p.Collapse, c.collapse);
        EXPECT_EQ(p.Coordinate, c.stop);
    }
}

TEST_F(BottomDrag, ReleasesGiveSizeShareAndHint)
{
    struct Case {
        const char* name;
        int y;
        int size;
        int promile;
        bool collapsed;
        std::string hint;
    };
    const std::vector<Case> cases{
        {"middle", 300, 300, 494, false, "50 %"},
        {"upper limit", 505, 95, 149, false, "85 %"},
        {"collapse keeps the share, fills the area", 40, 600, 353, true, "Hide"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SplitterShare t = s;
        EXPECT_EQ(t.HintText(t.GetPoint(c.y)), c.hint);
        t.ResizeToSplitter(c.y);
        EXPECT_EQ(t.Size, c.size);
        EXPECT_EQ(t.Promile, c.promile);
        EXPECT_EQ(t.Collapsed, c.collapsed);
    }
}

TEST(SplitterShare, DragLimitsOnALeftSplitter)
{
    struct Case {
        const char* name;
        int maxPercent;
        bool canCollapse;
        int x;
        int width;
        bool collapsed;
    };
    // Area 1000 wide from 0, bar 4, MinPercent 20: lower limit 996 * 20 / 100 + 1 = 200.
    const std::vector<Case> cases{
        {"below the limit collapses to the bar", 76, true, 150, 4, true},
        {"below the limit stops without collapse", 76, false, 150, 204, false},
        {"beyond MaxPercent stops at its limit", 76, false, 900, 761, false},
        {"MaxPercent 100 stops at the area's end", 100, false, 2000, 1000, false},
        {"MaxPercent 100, one past the far end", 100, false, 997, 1000, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SplitterShare s = Make(K::splkLeft, Square(1000), 300);
        s.MinPercent = 20;
        s.MaxPercent = c.maxPercent;
        s.CanCollapse = c.canCollapse;
        s.ResizeToSplitter(c.x);
        EXPECT_EQ(s.Size, c.width);
        EXPECT_EQ(s.Collapsed, c.collapsed);
    }
}

TEST(SplitterShare, AreaNotAtTheParentsEdgeNeverGivesABadSize)
{
    // A left splitter whose area starts at 300 (a control aligned before it).
    SplitterShare left = Make(K::splkLeft, Square(1000), 200);
    left.CalculateSize(Square(1000), {300, 0, 500, 1000});
    left.CanCollapse = true;
    left.MinPercent = 20;
    left.ResizeToSplitter(310);
    EXPECT_TRUE(left.Collapsed);
    EXPECT_EQ(left.Size, 4);

    left.Collapsed = false;
    left.MaxPercent = 100;
    left.ResizeToSplitter(5000);
    EXPECT_EQ(left.Size, 700); // the whole area, never more

    // A bottom splitter inside a panel whose client area starts at 4.
    SplitterShare bottom = Make(K::splkBottom, {4, 4, 596, 596}, 200, 6);
    bottom.CanCollapse = true;
    bottom.ResizeToSplitter(5);
    EXPECT_TRUE(bottom.Collapsed);
    EXPECT_EQ(bottom.Size, 592);
}

TEST(SplitterShare, NoRoomBeyondTheBarIsSafe)
{
    struct Case {
        const char* name;
        int area;
        int w;
    };
    const std::vector<Case> cases{
        {"area equals the bar", 4, 4},
        {"no area yet", 0, 4},
        {"area smaller than the bar", 2, 4},
        {"no area and no bar", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SplitterShare s = Make(K::splkLeft, Square(c.area), c.w, c.w);
        s.Promile = 440;
        s.CalculatePromile();
        EXPECT_EQ(s.Promile, 440);
        s.SplitterResize();
        EXPECT_EQ(s.Size, c.w);
        s.CheckMinMaxPercent();
        EXPECT_EQ(s.Size, c.w);
        EXPECT_EQ(s.HintText(s.GetPoint(1)), "0 %");
        s.ResizeToSplitter(1);
        EXPECT_EQ(s.Size, c.w);
    }
}

TEST(SplitterShare, ClampSurvivesTheNextResize)
{
    SplitterShare s = Make(K::splkBottom, {0, 0, 800, 600}, 216, 6);
    s.MinPercent = 10;
    s.MaxPercent = 85;
    s.ResizeToSplitter(60); // 540 px, 898 per mille: above the limit
    EXPECT_EQ(s.Size, 516); // (85 + 1) * 600 / 100
    EXPECT_EQ(s.Promile, 858);
    s.CalculateSize({0, 0, 800, 1200}, {0, 700, 800, 1200});
    s.SplitterResize();
    EXPECT_EQ(s.Size, 1030);
    EXPECT_LE(s.Size, 86 * 1200 / 100);

    SplitterShare t = Make(K::splkLeft, Square(1000), 104);
    t.CalculatePromile();
    EXPECT_EQ(t.Promile, 100);
    EXPECT_TRUE(t.SetMinPercent(30));
    EXPECT_EQ(t.Size, 300);
    EXPECT_EQ(t.Promile, 297);
    t.CalculateSize(Square(2000), Square(2000));
    t.SplitterResize();
    EXPECT_EQ(t.Size, 596);
}

TEST(SplitterShare, CollapseAndRestore)
{
    SplitterShare s = Make(K::splkLeft, Square(1000), 442);
    s.Promile = 440;
    s.CanCollapse = true;
    s.SetCollapsed(true);
    EXPECT_EQ(s.Size, 4);
    EXPECT_EQ(s.SavedPromile, 440);
    s.CalculateSize(Square(800), Square(800));
    s.SplitterResize();
    EXPECT_EQ(s.Size, 4) << "a collapsed splitter stays collapsed on resize";
    s.CalculatePromile();
    EXPECT_EQ(s.Promile, 440);
    s.SetCollapsed(false);
    EXPECT_EQ(s.Size, 796 * 440 / 1000 + 4);

    s.SetCollapsed(true);
    s.SetCanCollapse(false);
    EXPECT_FALSE(s.Collapsed);
    EXPECT_EQ(s.Size, 354) << "turning CanCollapse off expands";

    SplitterShare plain = Make(K::splkLeft, Square(1000), 442);
    plain.SetCollapsed(true);
    EXPECT_EQ(plain.Size, 4);
    plain.SetCollapsed(false);
    EXPECT_FALSE(plain.Collapsed);
    EXPECT_EQ(plain.Size, 4) << "without CanCollapse expanding only clears the flag";
}

TEST(SplitterShare, CollapseByDragRestoresTheShareFromBeforeTheDrag)
{
    SplitterShare s = Make(K::splkLeft, Square(1000), 442);
    s.Promile = 440;
    s.MinPercent = 20;
    s.CanCollapse = true;
    s.SavedPromile = s.Promile; // taken when the drag begins
    s.ResizeToSplitter(10);
    EXPECT_TRUE(s.Collapsed);
    EXPECT_EQ(s.Size, 4);
    s.SetCollapsed(false);
    EXPECT_EQ(s.Size, 442);
}

TEST(SplitterShare, PropertyGuards)
{
    struct Case {
        const char* name;
        bool (SplitterShare::*set)(int);
        int value;
        bool accepted;
    };
    const std::vector<Case> cases{
        {"min below 0", &SplitterShare::SetMinPercent, -1, false},
        {"min not below max", &SplitterShare::SetMinPercent, 95, false},
        {"min valid", &SplitterShare::SetMinPercent, 40, true},
        {"max above 100", &SplitterShare::SetMaxPercent, 101, false},
        {"max not above min", &SplitterShare::SetMaxPercent, 5, false},
        {"max 100", &SplitterShare::SetMaxPercent, 100, true},
        {"initial below min", &SplitterShare::SetInitialPercent, 4, false},
        {"initial above max", &SplitterShare::SetInitialPercent, 96, false},
        {"initial valid", &SplitterShare::SetInitialPercent, 30, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SplitterShare s;
        const SplitterShare before = s;
        EXPECT_EQ((s.*c.set)(c.value), c.accepted);
        if (!c.accepted) {
            EXPECT_EQ(s.MinPercent, before.MinPercent);
            EXPECT_EQ(s.MaxPercent, before.MaxPercent);
            EXPECT_EQ(s.InitialPercent, before.InitialPercent);
        }
    }
    SplitterShare s;
    s.MinPercent = 40;
    EXPECT_FALSE(s.SetInitialPercent(30));
    EXPECT_EQ(s.InitialPercent, 50);
}

TEST(SplitterShare, Calibrate)
{
    SplitterShare s = Make(K::splkLeft, Square(1000), 300);
    s.Calibrate();
    EXPECT_EQ(s.Promile, 296 * 1000 / 996) << "the share is read from the size";
    EXPECT_EQ(s.Size, 300);
    s.InitialPercentEnabled = true;
    s.InitialPercent = 44;
    s.Calibrate();
    EXPECT_EQ(s.Promile, 440);
    EXPECT_EQ(s.Size, 442);
}

TEST(SplitterShare, HintText)
{
    SplitterShare s = Make(K::splkLeft, Square(1000), 300);
    EXPECT_EQ(s.HintText(s.GetPoint(500)), "50 %");
    EXPECT_EQ(s.HintText({5000, false}), "100 %");
    EXPECT_EQ(s.HintText({-50, false}), "0 %");
    EXPECT_EQ(s.HintText({0, true}), "Hide");
}

TEST(SplitterShare, ButtonStandsInTheMiddleOfTheBar)
{
    EXPECT_EQ(SplitterShare::ButtonRect(K::splkLeft, 6, 40, 440, 600),
              (SplitterArea{0, 280, 6, 320}));
    EXPECT_EQ(SplitterShare::ButtonRect(K::splkBottom, 6, 40, 1000, 200),
              (SplitterArea{480, 0, 520, 6}));
}
