#include "platform/PaintBox.h"

#include <QMouseEvent>
#include <QPainter>

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent) {}

void TPaintBox::paintEvent(QPaintEvent*)
{
    if (!OnPaint) return;
    QPainter painter(this);
    Canvas.Begin(&painter);
    OnPaint(this);
    Canvas.End();
}

void TPaintBox::mousePressEvent(QMouseEvent* event)
{
    if (OnMouseDown)
        OnMouseDown(this, MouseButtonOf(event->button()),
                    ShiftStateOf(event->modifiers(), event->buttons()),
                    event->position().toPoint().x(), event->position().toPoint().y());
}

void TPaintBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (OnMouseDown) {
        TShiftState shift = ShiftStateOf(event->modifiers(), event->buttons());
        shift.Include(TShiftFlag::ssDouble);
        OnMouseDown(this, MouseButtonOf(event->button()), shift, event->position().toPoint().x(),
                    event->position().toPoint().y());
    }
}

void TPaintBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (OnMouseUp)
        OnMouseUp(this, MouseButtonOf(event->button()),
                  ShiftStateOf(event->modifiers(), event->buttons()),
                  event->position().toPoint().x(), event->position().toPoint().y());
}

void TPaintBox::mouseMoveEvent(QMouseEvent* event)
{
    if (OnMouseMove)
        OnMouseMove(this, ShiftStateOf(event->modifiers(), event->buttons()),
                    event->position().toPoint().x(), event->position().toPoint().y());
}
