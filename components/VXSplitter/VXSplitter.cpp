#include "components/VXSplitter/VXSplitter.h"

#include <QLabel>
#include <QPainter>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>

#include <algorithm>

namespace {

// The rubber bar shown during a drag: black, or a black-and-white pattern.
class RubberBarWidget : public QWidget {
public:
    RubberBarWidget(QWidget* parent, bool pattern) : QWidget(parent), pattern_(pattern)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        if (pattern_)
            p.fillRect(rect(), QBrush(Qt::black, Qt::Dense4Pattern));
        else
            p.fillRect(rect(), Qt::black);
    }

private:
    bool pattern_;
};

TAlign AlignOfKind(TVXSplitterType k)
{
    switch (k) {
    case TVXSplitterType::splkTop:
        return TAlign::alTop;
    case TVXSplitterType::splkRight:
        return TAlign::alRight;
    case TVXSplitterType::splkBottom:
        return TAlign::alBottom;
    case TVXSplitterType::splkLeft:
        break;
    }
    return TAlign::alLeft;
}

// The slider sits on the inner edge of the splitter.
TAlign InnerEdge(TVXSplitterType k)
{
    switch (k) {
    case TVXSplitterType::splkTop:
        return TAlign::alBottom;
    case TVXSplitterType::splkRight:
        return TAlign::alLeft;
    case TVXSplitterType::splkBottom:
        return TAlign::alTop;
    case TVXSplitterType::splkLeft:
        break;
    }
    return TAlign::alRight;
}

SplitterArea AreaOf(const QRect& r)
{
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

} // namespace

TVXSplitter::TVXSplitter(QWidget* parent) : TCustomPanel(parent)
{
    SetBevelOuter(TBevelCut::bvNone);
    // The panel paints all of itself; the background is never erased first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    LastAlign = GetAlign(this);
    MessageHook = new TVXMessageHook(this);
    auto handler = [this](TVXMessageHook* s, TMessage& m) { OnOwnerSendMessage(s, m); };
    MessageHook->OnSendMessage = handler;
    MessageHook->OnGetPostedMessage = handler;

    slider_ = new TPanel(this);
    slider_->resize(share_.SplitterWidth, slider_->height());
    SetAlign(slider_, TAlign::alRight);
    slider_->SetBevelOuter(TBevelCut::bvLowered);
    slider_->SetBevelWidth(1);
    slider_->SetBevelInner(TBevelCut::bvNone);
    slider_->SetBorderWidth(0);
    slider_->OnMouseDown = [this](QObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        ControlMouseDown(s, b, sh, x, y);
    };
    slider_->OnMouseUp = [this](QObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        ControlMouseUp(s, b, sh, x, y);
    };
    slider_->OnMouseMove = [this](QObject* s, TShiftState sh, int x, int y) {
        ControlMouseMove(s, sh, x, y);
    };
    SetKind(TVXSplitterType::splkLeft);
}

TVXSplitter::~TVXSplitter()
{
    delete MessageHook;
    HideHint();
    delete rubberBar_.data();
}

void TVXSplitter::SetKind(TVXSplitterType k)
{
    share_.Kind = k;
    SetAlign(this, AlignOfKind(k));
    FixCursor();
    FixControl();
    if (HookedParent) GetParentSize();
    Calibrate();
}

void TVXSplitter::SetAutoSelectCursor(bool b)
{
    autoSelectCursor_ = b;
    FixCursor();
}

void TVXSplitter::SetMinPercent(int v)
{
    ReadSize();
    share_.SetMinPercent(v);
    ApplySize();
}

void TVXSplitter::SetMaxPercent(int v)
{
    ReadSize();
    share_.SetMaxPercent(v);
    ApplySize();
}

void TVXSplitter::SetInitialPercentEnabled(bool b)
{
    share_.InitialPercentEnabled = b;
}

void TVXSplitter::SetInitialPercent(int v)
{
    share_.SetInitialPercent(v);
}

void TVXSplitter::SetSplitterWidth(int w)
{
    share_.SplitterWidth = std::max(0, w);
    FixCursor();
    SetButtonSize();
}

void TVXSplitter::SetSplitterBevel(TBevelCut b)
{
    splitterBevel_ = b;
    slider_->SetBevelOuter(b);
}

void TVXSplitter::SetSplitterBevelWidth(int w)
{
    splitterBevelWidth_ = w;
    slider_->SetBevelWidth(w);
}

void TVXSplitter::SetCollapsed(bool b)
{
    ReadSize();
    share_.SetCollapsed(b);
    ApplySize();
}

void TVXSplitter::SetCanCollapse(bool b)
{
    ReadSize();
    share_.SetCanCollapse(b);
    ApplySize();
}

void TVXSplitter::SetCollapseButton(bool b)
{
    if (b == GetCollapseButton()) return;
    if (b) {
        CollapseSpeedButton = new QToolButton(slider_);
        CollapseSpeedButton->setCursor(Qt::PointingHandCursor);
        CollapseSpeedButton->setAutoRaise(true);
        CollapseSpeedButton->setFocusPolicy(Qt::NoFocus);
        QObject::connect(CollapseSpeedButton, &QToolButton::clicked, CollapseSpeedButton,
                         [this] { OnButtonClick(); });
        SetButtonSize();
        CollapseSpeedButton->show();
    } else {
        delete CollapseSpeedButton;
        CollapseSpeedButton = nullptr;
    }
}

void TVXSplitter::SetButtonWidth(int w)
{
    if (w == buttonWidth_) return;
    buttonWidth_ = w;
    SetButtonSize();
}

TColor TVXSplitter::GetSliderColor() const
{
    return slider_->Color();
}

void TVXSplitter::SetSliderColor(TColor c)
{
    slider_->SetColor(c);
}

bool TVXSplitter::GetSliderParentColor() const
{
    return slider_->ParentColor();
}

void TVXSplitter::SetSliderParentColor(bool b)
{
    slider_->SetParentColor(b);
}

void TVXSplitter::Calibrate()
{
    ReadSize();
    share_.Calibrate();
    ApplySize();
}

void TVXSplitter::CreateWnd()
{
    HookedParent = parentWidget();
    GetParentSize();
    Calibrate();
    MessageHook->SetHookedTo(HookedParent);
}

TRect TVXSplitter::ParentRect() const
{
    const SplitterArea& a = share_.ParentRect;
    return {a.Left, a.Top, a.Right, a.Bottom};
}

QString TVXSplitter::HintText() const
{
    return HintWindow ? HintWindow->text() : QString();
}

QWidget* TVXSplitter::RubberBar() const
{
    return rubberBar_ && !rubberBar_->isHidden() ? rubberBar_.data() : nullptr;
}

bool TVXSplitter::event(QEvent* e)
{
    // A splitter hidden in mid-drag never gets its release: the drag ends unapplied.
    if (e->type() == QEvent::Hide && dragging_) {
        HideHint();
        EraseSplitter();
        dragging_ = false;
        barMoved_ = false;
    }
    if (e->type() == TMessageEvent::EventType()) {
        if (static_cast<TMessageEvent*>(e)->Message.Msg == WM_SPLITTERINTERNAL) {
            WmInternal();
            return true;
        }
    }
    return TCustomPanel::event(e);
}

void TVXSplitter::paintEvent(QPaintEvent* e)
{
    CheckAlign();
    TCustomPanel::paintEvent(e);
}

void TVXSplitter::resizeEvent(QResizeEvent* e)
{
    TCustomPanel::resizeEvent(e);
    SetButtonSize();
}

void TVXSplitter::moveEvent(QMoveEvent* e)
{
    PostMessage(this, WM_SPLITTERINTERNAL);
    TCustomPanel::moveEvent(e);
}

void TVXSplitter::showEvent(QShowEvent* e)
{
    TCustomPanel::showEvent(e);
    if (!HookedParent) CreateWnd();
}

// The parent area: the page area of a tab widget, the inside of a panel's
// border and bevels, else the contents rectangle; then the splitter's own side
// is moved to its outer edge.
void TVXSplitter::GetParentSize()
{
    QWidget* p = HookedParent.data();
    if (!p) return;
    CheckAlign();
    QRect client = p->contentsRect();
    if (auto* tabs = qobject_cast<QTabWidget*>(p)) {
        if (auto* pages = tabs->findChild<QStackedWidget*>(QString(), Qt::FindDirectChildrenOnly))
            client = pages->geometry();
    } else if (auto* panel = dynamic_cast<TCustomPanel*>(p)) {
        const int inset = panel->ClientInset();
        client = p->rect().adjusted(inset, inset, -inset, -inset);
    }
    share_.CalculateSize(AreaOf(client), AreaOf(geometry()));
}

void TVXSplitter::ReadSize()
{
    share_.Size = BarHorizontal() ? height() : width();
}

void TVXSplitter::ApplySize()
{
    const int s = share_.Size;
    if (BarHorizontal() ? height() != s : width() != s) {
        if (BarHorizontal())
            resize(width(), s);
        else
            resize(s, height());
        AlignControls(parentWidget());
    }
    SetButtonSize();
}

void TVXSplitter::SetButtonSize()
{
    if (!CollapseSpeedButton) return;
    const SplitterArea r =
        SplitterShare::ButtonRect(Kind(), SplitterWidth(), buttonWidth_, width(), height());
    CollapseSpeedButton->setGeometry(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
    // The arrow points where a click moves the bar.
    const bool c = Collapsed();
    Qt::ArrowType arrow = Qt::LeftArrow;
    switch (Kind()) {
    case TVXSplitterType::splkLeft:
        arrow = c ? Qt::RightArrow : Qt::LeftArrow;
        break;
    case TVXSplitterType::splkRight:
        arrow = c ? Qt::LeftArrow : Qt::RightArrow;
        break;
    case TVXSplitterType::splkTop:
        arrow = c ? Qt::DownArrow : Qt::UpArrow;
        break;
    case TVXSplitterType::splkBottom:
        arrow = c ? Qt::UpArrow : Qt::DownArrow;
        break;
    }
    CollapseSpeedButton->setArrowType(arrow);
}

void TVXSplitter::FixControl()
{
    SetAlign(slider_, InnerEdge(Kind()));
}

void TVXSplitter::FixCursor()
{
    const int w = SplitterWidth();
    if (BarHorizontal())
        slider_->resize(slider_->width(), w);
    else
        slider_->resize(w, slider_->height());
    AlignControls(this);
    if (autoSelectCursor_)
        slider_->setCursor(BarHorizontal() ? Qt::SplitVCursor : Qt::SplitHCursor);
}

void TVXSplitter::FixAlign()
{
    switch (GetAlign(this)) {
    case TAlign::alTop:
        share_.Kind = TVXSplitterType::splkTop;
        break;
    case TAlign::alBottom:
        share_.Kind = TVXSplitterType::splkBottom;
        break;
    case TAlign::alRight:
        share_.Kind = TVXSplitterType::splkRight;
        break;
    case TAlign::alLeft:
        share_.Kind = TVXSplitterType::splkLeft;
        break;
    default:
        share_.Kind = TVXSplitterType::splkLeft;
        SetAlign(this, TAlign::alLeft);
        LastAlign = TAlign::alLeft;
        break;
    }
    FixCursor();
}

void TVXSplitter::CheckAlign()
{
    const TAlign a = GetAlign(this);
    if (a == LastAlign) return;
    LastAlign = a;
    FixAlign();
    FixControl();
}

// The posted follow-up of a parent resize or a move: the size from the share in
// the newly measured area. A bottom or right splitter whose far edge did not
// move has nothing to do.
void TVXSplitter::WmInternal()
{
    if (!HookedParent) return;
    const TAlign a = GetAlign(this);
    if (a == TAlign::alBottom) {
        const int edge = y() + height();
        if (edge == LastBottomEdge) return;
        LastBottomEdge = edge;
    } else if (a == TAlign::alRight) {
        const int edge = x() + width();
        if (edge == LastRightEdge) return;
        LastRightEdge = edge;
    }
    GetParentSize();
    ReadSize();
    share_.SplitterResize();
    ApplySize();
}

// Sizes of the watched parent are followed by every splitter of the window;
// the parent's own layout is redone by its align helper on the same resize.
void TVXSplitter::OnOwnerSendMessage(TVXMessageHook*, TMessage& Message)
{
    if (Message.Msg == WM_SIZE) {
        PostResizeToSplitters(window());
    } else if (Message.Msg == WM_SHOWWINDOW) {
        CheckAlign();
        PostMessage(this, WM_SPLITTERINTERNAL);
    }
}

int TVXSplitter::MovingCoordinate(QPoint screen) const
{
    return BarHorizontal() ? screen.y() : screen.x();
}

BarStop TVXSplitter::CurrentStop() const
{
    const QWidget* p = parentWidget();
    const QPoint local = p ? p->mapFromGlobal(BarPosition) : BarPosition;
    return share_.GetPoint(MovingCoordinate(local));
}

void TVXSplitter::ControlMouseDown(QObject*, TMouseButton Button, TShiftState, int X, int Y)
{
    if (Button != TMouseButton::mbLeft) return;
    GetParentSize();
    dragging_ = true;
    barMoved_ = false;
    BarPosition = slider_->mapToGlobal(QPoint(0, 0));
    LastMouse = slider_->mapToGlobal(QPoint(X, Y));
    DrawSplitter();
    vShowHint(X, Y);
    share_.SavedPromile = share_.Promile;
}

void TVXSplitter::ControlMouseMove(QObject*, TShiftState, int X, int Y)
{
    const QPoint mouse = slider_->mapToGlobal(QPoint(X, Y));
    if (dragging_ && mouse != LastMouse) {
        const bool moved = MovingCoordinate(mouse) != MovingCoordinate(LastMouse);
        HideHint();
        if (moved) EraseSplitter();
        if (BarHorizontal())
            BarPosition.setY(mouse.y());
        else
            BarPosition.setX(mouse.x());
        if (moved) {
            barMoved_ = true;
            DrawSplitter();
            if (resizeStyle_ == TResizeStyle::rsUpdate) {
                ResizeToSplitter();
                BarPosition = slider_->mapToGlobal(QPoint(0, 0));
                barMoved_ = false;
            }
        }
        vShowHint(X, Y);
    }
    LastMouse = mouse;
}

void TVXSplitter::ControlMouseUp(QObject*, TMouseButton Button, TShiftState, int, int)
{
    if (Button != TMouseButton::mbLeft || !dragging_) return;
    HideHint();
    EraseSplitter();
    // A bar that was not moved since the last resize leaves the size alone: the
    // bar sits inside the panel's border, so re-applying it would shrink the panel.
    if (barMoved_) ResizeToSplitter();
    dragging_ = false;
    barMoved_ = false;
}

void TVXSplitter::OnButtonClick()
{
    SetCollapsed(!Collapsed());
}

void TVXSplitter::ResizeToSplitter()
{
    const QWidget* p = parentWidget();
    const QPoint local = p ? p->mapFromGlobal(BarPosition) : BarPosition;
    ReadSize();
    share_.ResizeToSplitter(MovingCoordinate(local));
    ApplySize();
}

void TVXSplitter::DrawSplitter()
{
    if (resizeStyle_ != TResizeStyle::rsLine && resizeStyle_ != TResizeStyle::rsPattern) return;
    QWidget* p = parentWidget();
    if (!p) return;
    if (!rubberBar_)
        rubberBar_ = new RubberBarWidget(p, resizeStyle_ == TResizeStyle::rsPattern); // child of p
    const QPoint local = p->mapFromGlobal(BarPosition);
    const BarStop s = CurrentStop();
    const QPoint at =
        BarHorizontal() ? QPoint(local.x(), s.Coordinate) : QPoint(s.Coordinate, local.y());
    rubberBar_->setGeometry(QRect(at, slider_->size()));
    rubberBar_->show();
    rubberBar_->raise();
}

void TVXSplitter::EraseSplitter()
{
    if (rubberBar_) rubberBar_->hide();
}

void TVXSplitter::vShowHint(int X, int Y)
{
    if (!showPercentHint_) return;
    QWidget* p = parentWidget();
    if (!p) return;
    HideHint();
    const QPoint origin = p->mapToGlobal(QPoint(0, 0));
    const QPoint mouse = slider_->mapToGlobal(QPoint(X, Y));
    const SplitterArea& pr = share_.ParentRect;
    int hx = std::max(std::min(mouse.x() - origin.x() - pr.Left, share_.AvailableWidth), pr.Left);
    int hy = std::max(std::min(mouse.y() - origin.y() - pr.Top, share_.AvailableHeight), pr.Top);
    const BarStop s = CurrentStop();
    if (BarHorizontal())
        hy = s.Coordinate + SplitterWidth();
    else
        hx = s.Coordinate + SplitterWidth();
    const QString text = QString::fromStdString(share_.HintText(s));

    HintWindow = new QLabel(this, Qt::ToolTip | Qt::FramelessWindowHint); // child of the splitter
    HintWindow->setText(text);
    HintWindow->setMargin(0);
    HintWindow->setAlignment(Qt::AlignCenter);
    HintWindow->setAutoFillBackground(true);
    const QFontMetrics fm(HintWindow->font());
    const QRect r(origin.x() + hx + hintX_, origin.y() + hy + hintY_,
                  fm.horizontalAdvance(text) + 4, fm.height() + 2);
    HintWindow->setGeometry(r);
    HintWindow->show();
}

void TVXSplitter::HideHint()
{
    delete HintWindow.data();
}

void PostResizeToSplitters(QWidget* control)
{
    if (!control) return;
    for (QObject* o : control->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w) continue;
        if (dynamic_cast<TVXSplitter*>(w)) PostMessage(w, WM_SPLITTERINTERNAL);
        PostResizeToSplitters(w);
    }
}
