// The proportional splitter panel.
//
// A panel aligned to one side of its parent (Kind sets its Align, see
// platform/AlignLayout.h) that holds other controls and carries a draggable bar
// (Slider) along its inner edge. Its size is kept as a per-mille share of the
// parent area (SplitterShare) and restored from that share whenever the parent
// changes size. It collapses to the bar with the optional button on the bar or
// by a drag past the lower limit (when CanCollapse), and expands again to the
// share it had. During a drag a black rubber bar (ResizeStyle rsLine/rsPattern)
// and, with ShowPercentHint, a hint with the new percentage follow the mouse.
//
// "Window creation" (CreateWnd) happens at the first show: the parent area is
// measured, the share is calibrated and the message hook starts watching the
// parent. Parent size changes arrive through the hook and are carried out later
// through a posted WM_SPLITTERINTERNAL, so every splitter of the window,
// however deeply nested, follows.
//
// Build one in code in the property order below (MinPercent before MaxPercent
// can be refused by the guards otherwise), then add its contents with SetAlign.
#pragma once

#include "components/VXMessageHook.h"
#include "components/VXSplitter/SplitterShare.h"
#include "platform/AlignLayout.h"
#include "platform/Panel.h"

#include <QPointer>

class QLabel;
class QToolButton;

enum class TResizeStyle : std::uint8_t { rsNone, rsLine, rsUpdate, rsPattern };

inline constexpr unsigned WM_SPLITTERINTERNAL = WM_USER + 0x1C2;

class TVXSplitter : public TCustomPanel {
public:
    explicit TVXSplitter(QWidget* parent = nullptr);
    ~TVXSplitter() override;

    TVXSplitterType Kind() const { return share_.Kind; }
    void SetKind(TVXSplitterType k);
    bool AutoSelectCursor() const { return autoSelectCursor_; }
    void SetAutoSelectCursor(bool b);
    int MinPercent() const { return share_.MinPercent; }
    void SetMinPercent(int v);
    int MaxPercent() const { return share_.MaxPercent; }
    void SetMaxPercent(int v);
    bool InitialPercentEnabled() const { return share_.InitialPercentEnabled; }
    void SetInitialPercentEnabled(bool b);
    int InitialPercent() const { return share_.InitialPercent; }
    void SetInitialPercent(int v);
    int SplitterWidth() const { return share_.SplitterWidth; }
    void SetSplitterWidth(int w);
    TBevelCut SplitterBevel() const { return splitterBevel_; }
    void SetSplitterBevel(TBevelCut b);
    int SplitterBevelWidth() const { return splitterBevelWidth_; }
    void SetSplitterBevelWidth(int w);
    TResizeStyle ResizeStyle() const { return resizeStyle_; }
    void SetResizeStyle(TResizeStyle s) { resizeStyle_ = s; }
    int HintX() const { return hintX_; }
    void SetHintX(int v) { hintX_ = v; }
    int HintY() const { return hintY_; }
    void SetHintY(int v) { hintY_ = v; }
    bool ShowPercentHint() const { return showPercentHint_; }
    void SetShowPercentHint(bool b) { showPercentHint_ = b; }
    bool Collapsed() const { return share_.Collapsed; }
    void SetCollapsed(bool b);
    bool CanCollapse() const { return share_.CanCollapse; }
    void SetCanCollapse(bool b);
    bool GetCollapseButton() const { return CollapseSpeedButton != nullptr; }
    void SetCollapseButton(bool b);
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int w);
    TColor GetSliderColor() const;
    void SetSliderColor(TColor c);
    bool GetSliderParentColor() const;
    void SetSliderParentColor(bool b);

    // Takes the share from InitialPercent (when enabled) or from the current size.
    void Calibrate();
    // Measures the parent, calibrates and starts watching the parent; runs at the
    // first show by itself, and may be called earlier once parent and size are set.
    void CreateWnd();

    int Promile() const { return share_.Promile; }
    int SavedPromile() const { return share_.SavedPromile; }
    TRect ParentRect() const;
    int AvailableWidth() const { return share_.AvailableWidth; }
    int AvailableHeight() const { return share_.AvailableHeight; }
    bool BarHorizontal() const { return share_.BarHorizontal(); }
    bool Dragging() const { return dragging_; }
    TPanel* Slider() const { return slider_; }
    QToolButton* SpeedButton() const { return CollapseSpeedButton; }
    // The text of the percent hint while it is shown, else empty.
    QString HintText() const;
    // The rubber bar while it is shown, else null.
    QWidget* RubberBar() const;

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void GetParentSize();
    void ReadSize();
    void ApplySize();
    void SetButtonSize();
    void FixControl();
    void FixCursor();
    void FixAlign();
    void CheckAlign();
    void WmInternal();
    void OnOwnerSendMessage(TVXMessageHook* Sender, TMessage& Message);
    void ControlMouseDown(QObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ControlMouseMove(QObject* Sender, TShiftState Shift, int X, int Y);
    void ControlMouseUp(QObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void OnButtonClick();
    int MovingCoordinate(QPoint screen) const;
    BarStop CurrentStop() const;
    void ResizeToSplitter();
    void DrawSplitter();
    void EraseSplitter();
    void vShowHint(int X, int Y);
    void HideHint();

    SplitterShare share_;
    TPanel* slider_ = nullptr;
    QToolButton* CollapseSpeedButton = nullptr;
    bool autoSelectCursor_ = true;
    TBevelCut splitterBevel_ = TBevelCut::bvLowered;
    int splitterBevelWidth_ = 1;
    TResizeStyle resizeStyle_ = TResizeStyle::rsLine;
    int hintX_ = 5;
    int hintY_ = 5;
    bool showPercentHint_ = true;
    int buttonWidth_ = 40;
    int LastRightEdge = 0;
    int LastBottomEdge = 0;
    bool dragging_ = false;
    bool barMoved_ = false;
    TAlign LastAlign = TAlign::alNone;
    QPointer<QLabel> HintWindow;
    QPointer<QWidget> rubberBar_;
    QPoint LastMouse;
    QPoint BarPosition;
    QPointer<QWidget> HookedParent;
    TVXMessageHook* MessageHook = nullptr;
};

// Posts WM_SPLITTERINTERNAL to every splitter among the descendants of control.
void PostResizeToSplitters(QWidget* control);
