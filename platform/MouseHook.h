// Runs a function when the right mouse button is pressed on a widget (the
// framework's OnMouseDown of a tool button, where the click itself is the
// left button's).
#pragma once

#include <functional>

class QWidget;

void OnRightPress(QWidget* widget, std::function<void()> handler);
