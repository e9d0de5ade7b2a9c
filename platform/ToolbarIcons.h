// The tool-bar pictures: one per tool button, named after the button
// (ToolButton9, PrevGameButton, SwButton8, ...). They are drawn at build time
// (resources/pictures/make_toolbar.cpp) and embedded as
// :/toolbar/<name>.png (24 x 24) and :/toolbar/<name>@2x.png (48 x 48).
#pragma once

#include <QIcon>
#include <QString>

// The icon of a tool button, with both sizes; an empty icon when the name
// has no picture. The flip button SwButton has four pictures, SwButton8 to
// SwButton11 (8 + 2 when Black is at the bottom, + 1 when Black is to
// move); its own name gives the first.
QIcon ToolbarIcon(const QString& objectName);
