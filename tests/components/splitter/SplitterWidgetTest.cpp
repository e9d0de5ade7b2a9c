// The splitter panel as a widget, on the offscreen platform.
#include "components/VXSplitter/VXSplitter.h"
#include "tests/support/TestShots.h"

#include <QCoreApplication>
#include <QImage>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs the queue until the posted follow-ups of every resize are done.
void Settle()
{
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents();
}

void ShowAndSettle(QWidget& w)
{
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    Settle();
}

// Presses the bar, moves it to a point of the splitter's parent, looks, releases.
void Drag(TVXSplitter* s, QPoint to, const std::function<void()>& during = {})
{
    TPanel* bar = s->Slider();
    const QPoint start(bar->width() / 2, bar->height() / 2);
    QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, start);
    const QPoint target = bar->mapFrom(s->parentWidget(), to);
    QTest::mouseMove(bar, target);
    if (during) during();
    QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, target);
    Settle();
}

// Counts the resize events of one widget.
class ResizeCounter : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Resize) ++count;
        return false;
    }
};

TPanel* Pane(QWidget* parent, TAlign align, TColor color)
{
    auto* p = new TPanel(parent);
    p->SetBevelOuter(TBevelCut::bvNone);
    p->SetColor(color);
    SetAlign(p, align);
    return p;
}

// The main window's arrangement: a tool bar on top, the list splitter at the
// bottom, and in the rest the board splitter on the left of the notation pane.
struct MainLayout {
    QWidget window;
    TPanel* toolBar = nullptr;
    TVXSplitter* list = nullptr;
    TPanel* centre = nullptr;
    TVXSplitter* board = nullptr;
    TPanel* boardPane = nullptr;
    TPanel* listPane = nullptr;
    TPanel* notation = nullptr;

    MainLayout()
    {
        window.resize(1000, 600);
        toolBar = Pane(&window, TAlign::alTop, clSilver);
        toolBar->resize(toolBar->width(), 30);

        list = new TVXSplitter(&window);
        list->SetKind(TVXSplitterType::splkBottom);
        list->SetMinPercent(10);
        list->SetMaxPercent(85);
        list->SetInitialPercentEnabled(true);
        list->SetInitialPercent(36);
        list->SetSplitterWidth(6);
        list->SetSplitterBevel(TBevelCut::bvRaised);
        list->SetShowPercentHint(false);
        list->SetCanCollapse(true);
        list->SetCollapseButton(true);
        list->SetSliderColor(clBtnFace);
        listPane = Pane(list, TAlign::alClient, RGBColor(0x40, 0x80, 0xC0));

        centre = Pane(&window, TAlign::alClient, clWhite);
        board = new TVXSplitter(centre);
        board->SetKind(TVXSplitterType::splkLeft);
        board->SetMinPercent(20);
        board->SetMaxPercent(76);
        board->SetInitialPercentEnabled(true);
        board->SetInitialPercent(44);
        board->SetSplitterWidth(6);
        board->SetSplitterBevel(TBevelCut::bvRaised);
        board->SetShowPercentHint(false);
        board->SetCanCollapse(true);
        board->SetCollapseButton(true);
        board->SetSliderColor(clBtnFace);
        boardPane = Pane(board, TAlign::alClient, RGBColor(0x30, 0xA0, 0x50));
        notation = Pane(centre, TAlign::alClient, RGBColor(0xF0, 0xE0, 0xB0));
    }
};

} // namespace

TEST(Splitter, KeepsItsShareWhenTheParentIsResized)
{
    QWidget window;
    window.resize(1000, 600);
    auto* s = new TVXSplitter(&window);
    s->SetInitialPercentEnabled(true);
    s->SetInitialPercent(44);
    auto* rest = new QWidget(&window);
    SetAlign(rest, TAlign::alClient);
    ShowAndSettle(window);

    EXPECT_EQ(s->geometry(), QRect(0, 0, 442, 600));
    EXPECT_EQ(rest->geometry(), QRect(442, 0, 558, 600));
    EXPECT_EQ(s->Slider()->geometry(), QRect(438, 0, 4, 600)) << "the bar on the inner edge";
    window.resize(500, 400);
    Settle();
    EXPECT_EQ(s->width(), 222);
    EXPECT_EQ(s->Promile(), 440);
    window.resize(1000, 600);
    Settle();
    EXPECT_EQ(s->width(), 442);
}

TEST(Splitter, DraggingTheBarChangesTheShareAndFiresEvents)
{
    QWidget window;
    window.resize(1000, 600);
    auto* s = new TVXSplitter(&window);
    s->SetInitialPercentEnabled(true);
    s->SetInitialPercent(44);
    int resized = 0;
    s->OnResize = [&](QObject* sender) {
        EXPECT_EQ(sender, s);
        ++resized;
    };
    ShowAndSettle(window);
    resized = 0;

    Drag(s, QPoint(300, 200), [&] {
        EXPECT_TRUE(s->Dragging());
        EXPECT_EQ(s->HintText(), "30 %"); // 300 * 100 / 996
        ASSERT_NE(s->RubberBar(), nullptr);
        EXPECT_EQ(s->RubberBar()->geometry(), QRect(300, 0, 4, 600));
        EXPECT_EQ(s->width(), 442) << "rsLine resizes only on release";
    });
    EXPECT_FALSE(s->Dragging());
    EXPECT_EQ(s->RubberBar(), nullptr);
    EXPECT_TRUE(s->HintText().isEmpty());
    EXPECT_EQ(s->width(), 304);
    EXPECT_EQ(s->Promile(), 301); // 300 * 1000 / 996
    EXPECT_GE(resized, 1);

    window.resize(500, 600);
    Settle();
    EXPECT_EQ(s->width(), 496 * 301 / 1000 + 4) << "the dragged share is kept";
}

TEST(Splitter, ClickOnTheBarWithoutMovingChangesNothing)
{
    QWidget window;
    window.resize(800, 400);
    auto* s = new TVXSplitter(&window);
    s->SetBevelOuter(TBevelCut::bvLowered);
    s->SetInitialPercentEnabled(true);
    s->SetInitialPercent(50);
    ShowAndSettle(window);
    const int width = s->width();
    QTest::mouseClick(s->Slider(), Qt::LeftButton, Qt::NoModifier, QPoint(2, 100));
    Settle();
    EXPECT_EQ(s->width(), width);
}

TEST(Splitter, BottomSplitterDragLimitsCollapseAndButton)
{
    QWidget window;
    window.resize(800, 600);
    auto* s = new TVXSplitter(&window);
    s->SetKind(TVXSplitterType::splkBottom);
    s->SetMinPercent(10);
    s->SetMaxPercent(85);
    s->SetSplitterWidth(6);
    s->SetCanCollapse(true);
    s->SetCollapseButton(true);
    s->SetInitialPercentEnabled(true);
    s->SetInitialPercent(36);
    ShowAndSettle(window);
    EXPECT_TRUE(s->BarHorizontal());
    EXPECT_EQ(s->Slider()->cursor().shape(), Qt::SplitVCursor);
    EXPECT_EQ(s->geometry(), QRect(0, 381, 800, 219)); // 594 * 360 / 1000 + 6
    EXPECT_EQ(s->SpeedButton()->geometry(), QRect(380, 0, 40, 6));

    Drag(s, QPoint(100, 300), [&] { EXPECT_EQ(s->HintText(), "50 %"); });
    EXPECT_EQ(s->height(), 300);
    EXPECT_EQ(s->Promile(), 494);

    Drag(s, QPoint(100, 40), [&] { EXPECT_EQ(s->HintText(), "Hide"); });
    EXPECT_TRUE(s->Collapsed());
    EXPECT_EQ(s->height(), 600) << "collapsed by drag, the panel fills the area";

    QTest::mouseClick(s->SpeedButton(), Qt::LeftButton);
    Settle();
    EXPECT_FALSE(s->Collapsed());
    EXPECT_EQ(s->height(), 594 * 494 / 1000 + 6) << "back to the share from before the drag";

    QTest::mouseClick(s->SpeedButton(), Qt::LeftButton);
    Settle();
    EXPECT_TRUE(s->Collapsed());
    EXPECT_EQ(s->height(), 6);
    window.resize(800, 700);
    Settle();
    EXPECT_EQ(s->height(), 6) << "stays collapsed through a resize";
    QTest::mouseClick(s->SpeedButton(), Qt::LeftButton);
    Settle();
    EXPECT_EQ(s->height(), 694 * 494 / 1000 + 6);
}

TEST(Splitter, ClampAfterADragSurvivesTheNextResize)
{
    QWidget window;
    window.resize(800, 600);
    auto* s = new TVXSplitter(&window);
    s->SetKind(TVXSplitterType::splkBottom);
    s->SetMinPercent(10);
    s->SetMaxPercent(85);
    s->SetSplitterWidth(6);
    ShowAndSettle(window);
    Drag(s, QPoint(100, 60));
    EXPECT_EQ(s->height(), 516);
    window.resize(800, 1200);
    Settle();
    EXPECT_EQ(s->height(), 1030);
}

TEST(Splitter, BottomSplitterWhoseEdgeStaysIgnoresTheInternalMessage)
{
    QWidget window;
    window.resize(800, 600);
    auto* s = new TVXSplitter(&window);
    s->SetKind(TVXSplitterType::splkBottom);
    s->SetInitialPercentEnabled(true);
    ShowAndSettle(window);
    const int height = s->height();
    s->resize(s->width(), height + 50);
    AlignControls(&window);
    QCoreApplication::sendPostedEvents();
    PostMessage(s, WM_SPLITTERINTERNAL);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(s->height(), height + 50);
}

TEST(Splitter, PanelParentAreaIsInsideBorderAndBevels)
{
    QWidget window;
    window.resize(400, 300);
    auto* panel = new TPanel(&window);
    panel->SetBorderWidth(2);
    panel->SetBevelOuter(TBevelCut::bvRaised);
    panel->SetBevelInner(TBevelCut::bvLowered);
    panel->SetBevelWidth(1);
    SetAlign(panel, TAlign::alClient);
    auto* s = new TVXSplitter(panel);
    s->SetInitialPercentEnabled(true);
    ShowAndSettle(window);
    EXPECT_EQ(s->ParentRect(), Rect(4, 4, 396, 296));
    EXPECT_EQ(s->geometry(), QRect(4, 4, 198, 292)); // 388 * 500 / 1000 + 4
}

TEST(Splitter, TabPageParentAreaIsThePageInsideTheTabs)
{
    QTabWidget tabs;
    tabs.resize(500, 400);
    auto* page = new QWidget;
    tabs.addTab(page, "Page");
    auto* s = new TVXSplitter(page);
    s->SetKind(TVXSplitterType::splkTop);
    s->SetInitialPercentEnabled(true);
    ShowAndSettle(tabs);
    EXPECT_LT(page->height(), tabs.height());
    EXPECT_EQ(s->AvailableHeight(), page->height());
    EXPECT_EQ(s->height(), (page->height() - 4) * 500 / 1000 + 4);
}

TEST(Splitter, NestedSplittersKeepTheirSharesWithoutEndlessResizing)
{
    MainLayout m;
    ShowAndSettle(m.window);
    struct Size {
        const char* name;
        int w, h;
        int list, board;
    };
    const Size sizes[] = {
        {"start", 1000, 600, 594 * 360 / 1000 + 6, 994 * 440 / 1000 + 6},
        {"larger", 1200, 800, 794 * 360 / 1000 + 6, 1194 * 440 / 1000 + 6},
        {"smaller", 700, 450, 444 * 360 / 1000 + 6, 694 * 440 / 1000 + 6},
        {"back", 1000, 600, 594 * 360 / 1000 + 6, 994 * 440 / 1000 + 6},
    };
    ResizeCounter counter;
    m.window.installEventFilter(&counter);
    for (const Size& s : sizes) {
        SCOPED_TRACE(s.name);
        counter.count = 0;
        m.window.resize(s.w, s.h);
        Settle();
        EXPECT_LE(counter.count, 1) << "the window is never resized by the splitters";
        EXPECT_EQ(m.list->height(), s.list);
        EXPECT_EQ(m.list->geometry().bottom() + 1, s.h);
        EXPECT_EQ(m.centre->geometry(), QRect(0, 30, s.w, s.h - 30 - s.list));
        EXPECT_EQ(m.board->width(), s.board);
        EXPECT_EQ(m.board->height(), m.centre->height());
        EXPECT_EQ(m.notation->geometry().left(), s.board);
    }
}

TEST(Splitter, PictureOfNestedSplitters)
{
    MainLayout m;
    ShowAndSettle(m.window);
    const QImage img = m.window.grab().toImage();
    ASSERT_FALSE(img.isNull());
    KeepShot(img, QStringLiteral("nested_splitters.png"));

    const int listTop = 600 - (594 * 360 / 1000 + 6); // 381
    const int boardRight = 994 * 440 / 1000 + 6;      // 443
    auto color = [&](int x, int y) { return ColorOfPixel(img.pixel(x, y)); };
    EXPECT_EQ(color(500, 10), ColorToRGB(clSilver)) << "tool bar";
    EXPECT_EQ(color(200, 200), RGBColor(0x30, 0xA0, 0x50)) << "board pane";
    EXPECT_EQ(color(boardRight + 5, 200), RGBColor(0xF0, 0xE0, 0xB0)) << "notation pane";
    EXPECT_EQ(color(500, listTop + 50), RGBColor(0x40, 0x80, 0xC0)) << "list pane";
    EXPECT_NE(color(boardRight - 3, 100), RGBColor(0x30, 0xA0, 0x50)) << "board bar";
    EXPECT_NE(color(boardRight - 3, 100), RGBColor(0xF0, 0xE0, 0xB0)) << "board bar";
    EXPECT_NE(color(100, listTop + 3), RGBColor(0x40, 0x80, 0xC0)) << "list bar";
    EXPECT_NE(color(100, listTop + 3), RGBColor(0x30, 0xA0, 0x50)) << "list bar";
}

TEST(Splitter, KindSetsTheBarSideAndCursor)
{
    QWidget window;
    window.resize(600, 400);
    auto* s = new TVXSplitter(&window);
    s->SetInitialPercentEnabled(true);
    ShowAndSettle(window);
    struct Case {
        const char* name;
        TVXSplitterType kind;
        TAlign own;
        TAlign bar;
        Qt::CursorShape cursor;
    };
    const Case cases[] = {
        {"left", TVXSplitterType::splkLeft, TAlign::alLeft, TAlign::alRight, Qt::SplitHCursor},
        {"top", TVXSplitterType::splkTop, TAlign::alTop, TAlign::alBottom, Qt::SplitVCursor},
        {"right", TVXSplitterType::splkRight, TAlign::alRight, TAlign::alLeft, Qt::SplitHCursor},
        {"bottom", TVXSplitterType::splkBottom, TAlign::alBottom, TAlign::alTop, Qt::SplitVCursor},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        s->SetKind(c.kind);
        Settle();
        EXPECT_EQ(GetAlign(s), c.own);
        EXPECT_EQ(GetAlign(s->Slider()), c.bar);
        EXPECT_EQ(s->Slider()->cursor().shape(), c.cursor);
        const bool horizontal =
            c.kind == TVXSplitterType::splkTop || c.kind == TVXSplitterType::splkBottom;
        // Half of the room beyond the bar, plus the bar.
        EXPECT_EQ(horizontal ? s->height() : s->width(), horizontal ? 202 : 302);
    }
}

TEST(Splitter, ResizeStyles)
{
    struct Case {
        const char* name;
        TResizeStyle style;
        bool hint;
        bool rubber;
        int widthDuring;
    };
    const Case cases[] = {
        {"update resizes while dragging", TResizeStyle::rsUpdate, true, false, 304},
        {"pattern draws a rubber bar", TResizeStyle::rsPattern, true, true, 442},
        {"none draws nothing, hint off", TResizeStyle::rsNone, false, false, 442},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget window;
        window.resize(1000, 600);
        auto* s = new TVXSplitter(&window);
        s->SetInitialPercentEnabled(true);
        s->SetInitialPercent(44);
        s->SetResizeStyle(c.style);
        s->SetShowPercentHint(c.hint);
        ShowAndSettle(window);
        Drag(s, QPoint(300, 100), [&] {
            EXPECT_EQ(!s->HintText().isEmpty(), c.hint);
            EXPECT_EQ(s->RubberBar() != nullptr, c.rubber);
            EXPECT_EQ(s->width(), c.widthDuring);
        });
        EXPECT_EQ(s->width(), 304);
        EXPECT_EQ(s->Promile(), 301);
    }
}

TEST(Splitter, OwnsOneHookThatGoesWithIt)
{
    const std::size_t before = TVXMessageHook::HookCount();
    QWidget window;
    auto* s = new TVXSplitter(&window);
    EXPECT_EQ(TVXMessageHook::HookCount(), before + 1);
    delete s;
    EXPECT_EQ(TVXMessageHook::HookCount(), before);
    window.resize(300, 300);
    ShowAndSettle(window);
}

TEST(Splitter, HidingInMidDragEndsTheDragUnapplied)
{
    QWidget window;
    window.resize(1000, 600);
    auto* s = new TVXSplitter(&window);
    s->SetInitialPercentEnabled(true);
    s->SetInitialPercent(44);
    ShowAndSettle(window);
    TPanel* bar = s->Slider();
    QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, QPoint(2, 100));
    QTest::mouseMove(bar, bar->mapFrom(&window, QPoint(300, 100)));
    ASSERT_NE(s->RubberBar(), nullptr);
    s->hide();
    EXPECT_FALSE(s->Dragging());
    EXPECT_EQ(s->RubberBar(), nullptr);
    EXPECT_TRUE(s->HintText().isEmpty());
    s->show();
    Settle();
    EXPECT_EQ(s->width(), 442);
}
