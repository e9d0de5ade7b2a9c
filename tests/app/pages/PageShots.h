// Pictures of the pages and forms for a person to look at, written beside
// the test program.
#pragma once

#include <QString>

class QWidget;

// Grabs widget into <shots dir>/<name>.png; true when written.
bool WriteShot(QWidget& widget, const QString& name);
