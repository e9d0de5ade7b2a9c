// The framework's Align property for Qt widgets.
//
// A child widget marked with an Align value is placed by its parent whenever the
// parent is resized, a marked child changes size, is shown or hidden, or leaves.
// The rule is the framework's: the marked children are taken in creation/z order
// (QObject::children()); alTop children stack downward from the top of the
// parent's area, alBottom children upward from its bottom, then alLeft children
// go left to right and alRight right to left in what remains, and alClient
// children take the rest. A side-aligned child keeps its own size across the
// axis it is aligned on (height for alTop/alBottom, width for alLeft/alRight) and
// is stretched along the other. The area is the parent's contentsRect(), so a
// panel with borders (platform/Panel.h) aligns inside them.
//
// Children that are hidden (QWidget::isHidden) or are windows take no space;
// alNone children are left where they are. Nothing of this feeds back into the
// parent's size hint, so a resize never loops.
//
// Usage: SetAlign(child, TAlign::alLeft) once the child has its parent; after
// that any QWidget works as the aligning parent (a main window's central widget,
// a panel, a tab page).
#pragma once

#include "platform/Types.h"

#include <cstdint>
#include <vector>

class QWidget;

enum class TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };

// One child as the placement sees it: its alignment and its current bounds.
struct AlignItem {
    TAlign Align = TAlign::alNone;
    TRect Bounds;
};

// The bounds of each item after aligning them inside the client area, in the
// items' order. alNone items keep their bounds; no size is made negative.
std::vector<TRect> ArrangeAligned(const TRect& client, const std::vector<AlignItem>& items);

// Marks a child with an alignment and places its parent's children at once.
void SetAlign(QWidget* control, TAlign align);
// The alignment of a widget (alNone when never set).
TAlign GetAlign(const QWidget* control);
// Places the aligned children of a widget now.
void AlignControls(QWidget* parent);
