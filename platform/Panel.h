// The framework's panel (TCustomPanel / TPanel): a plain container with an outer
// bevel, a border of BorderWidth pixels in the panel colour and an inner bevel,
// drawn from the outside in. Aligned children (platform/AlignLayout.h) are placed
// inside all three: the client area is inset on every side by BorderWidth, plus
// BevelWidth for each bevel that is not bvNone (PanelInset).
//
// Colours are TColor; with ParentColor the panel shows its parent's background.
// The framework-style events are called synchronously from the Qt handlers:
// OnResize after every size change, the mouse events with client coordinates.
// Left out: caption text, docking, Locked, Ctl3D.
#pragma once

#include "platform/Types.h"

#include <QWidget>

#include <functional>

enum class TBevelCut : std::uint8_t { bvNone, bvLowered, bvRaised, bvSpace };

using TMouseEvent =
    std::function<void(QObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(QObject* Sender, TShiftState Shift, int X, int Y)>;

// The inset of a panel's client area on each side.
constexpr int PanelInset(int borderWidth, TBevelCut outer, TBevelCut inner, int bevelWidth)
{
    return borderWidth + (outer != TBevelCut::bvNone ? bevelWidth : 0) +
           (inner != TBevelCut::bvNone ? bevelWidth : 0);
}

class TCustomPanel : public QWidget {
public:
    explicit TCustomPanel(QWidget* parent = nullptr);

    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut v);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut v);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int v);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int v);
    TColor Color() const { return color_; }
    void SetColor(TColor c);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool b);

    // The inset of the client area on each side (see PanelInset).
    int ClientInset() const
    {
        return PanelInset(borderWidth_, bevelOuter_, bevelInner_, bevelWidth_);
    }

    TNotifyEvent OnResize;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    void UpdateInset();

    TBevelCut bevelOuter_ = TBevelCut::bvRaised;
    TBevelCut bevelInner_ = TBevelCut::bvNone;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TColor color_ = clBtnFace;
    bool parentColor_ = false;
    bool pressedInside_ = false;
};

class TPanel : public TCustomPanel {
public:
    using TCustomPanel::TCustomPanel;
};
