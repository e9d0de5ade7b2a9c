#include "platform/Panel.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>

#include <algorithm>
#include <utility>

namespace {

// Draws a bevel of the given width just inside r and shrinks r by it.
void Frame3D(QPainter& p, QRect& r, const QColor& topLeft, const QColor& bottomRight, int width)
{
    for (int i = 0; i < width && r.width() > 0 && r.height() > 0; ++i) {
        p.fillRect(QRect(r.left(), r.top(), r.width(), 1), topLeft);
        p.fillRect(QRect(r.left(), r.top(), 1, r.height()), topLeft);
        p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
        p.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
        r.adjust(1, 1, -1, -1);
    }
}

void DrawBevel(QPainter& p, QRect& r, TBevelCut cut, int width)
{
    if (cut == TBevelCut::bvNone) return;
    QColor light = ToQColor(clBtnHighlight);
    QColor dark = ToQColor(clBtnShadow);
    if (cut == TBevelCut::bvLowered) std::swap(light, dark);
    if (cut == TBevelCut::bvSpace) light = dark = ToQColor(clBtnFace);
    Frame3D(p, r, light, dark, width);
}

TShiftState ShiftOf(const QMouseEvent* e, bool dbl = false)
{
    return ShiftStateOf(e->modifiers(), e->buttons(), dbl);
}

} // namespace

TCustomPanel::TCustomPanel(QWidget* parent) : QWidget(parent)
{
    UpdateInset();
}

void TCustomPanel::SetBevelOuter(TBevelCut v)
{
    bevelOuter_ = v;
    UpdateInset();
}

void TCustomPanel::SetBevelInner(TBevelCut v)
{
    bevelInner_ = v;
    UpdateInset();
}

void TCustomPanel::SetBevelWidth(int v)
{
    bevelWidth_ = std::max(1, v);
    UpdateInset();
}

void TCustomPanel::SetBorderWidth(int v)
{
    borderWidth_ = std::max(0, v);
    UpdateInset();
}

void TCustomPanel::SetColor(TColor c)
{
    color_ = c;
    parentColor_ = false;
    update();
}

void TCustomPanel::SetParentColor(bool b)
{
    parentColor_ = b;
    update();
}

// The contents margins carry the inset, so aligned children sit inside the bevels.
void TCustomPanel::UpdateInset()
{
    const int inset = ClientInset();
    setContentsMargins(inset, inset, inset, inset);
    update();
}

void TCustomPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QColor face = ToQColor(color_);
    if (parentColor_ && parentWidget())
        face = parentWidget()->palette().color(parentWidget()->backgroundRole());
    QRect r = rect();
    DrawBevel(p, r, bevelOuter_, bevelWidth_);
    p.fillRect(r, face);
    r.adjust(borderWidth_, borderWidth_, -borderWidth_, -borderWidth_);
    DrawBevel(p, r, bevelInner_, bevelWidth_);
}

void TCustomPanel::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    if (OnResize) OnResize(this);
}

void TCustomPanel::mousePressEvent(QMouseEvent* e)
{
    pressedInside_ = e->button() == Qt::LeftButton;
    if (OnMouseDown) {
        const QPoint pos = e->position().toPoint();
        OnMouseDown(this, MouseButtonOf(e->button()), ShiftOf(e), pos.x(), pos.y());
    }
}

void TCustomPanel::mouseReleaseEvent(QMouseEvent* e)
{
    const QPoint pos = e->position().toPoint();
    if (OnMouseUp) OnMouseUp(this, MouseButtonOf(e->button()), ShiftOf(e), pos.x(), pos.y());
    if (e->button() == Qt::LeftButton && pressedInside_ && rect().contains(pos) && OnClick)
        OnClick(this);
    pressedInside_ = false;
}

void TCustomPanel::mouseMoveEvent(QMouseEvent* e)
{
    if (OnMouseMove) {
        const QPoint pos = e->position().toPoint();
        OnMouseMove(this, ShiftOf(e), pos.x(), pos.y());
    }
}

void TCustomPanel::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && OnDblClick) OnDblClick(this);
}
