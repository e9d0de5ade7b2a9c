// The framework's paint box (TPaintBox): a plain control whose owner paints
// it in OnPaint through its Canvas, and receives its mouse events. It stands
// on its parent: what OnPaint leaves unpainted shows the parent's background.
//
// Canvas is active only while OnPaint runs (on the widget); code that draws
// outside a paint event (dragging, sliding pieces) draws into an image and
// calls Invalidate or Repaint.
#pragma once

#include "platform/Canvas.h"
#include "platform/Types.h"

#include <QWidget>

#include <functional>

class TPaintBox : public QWidget {
public:
    explicit TPaintBox(QWidget* parent = nullptr);

    TCanvas Canvas;

    std::function<void(QObject*)> OnPaint;
    std::function<void(QObject*, TMouseButton, TShiftState, int, int)> OnMouseDown;
    std::function<void(QObject*, TMouseButton, TShiftState, int, int)> OnMouseUp;
    std::function<void(QObject*, TShiftState, int, int)> OnMouseMove;

    void Invalidate() { update(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
