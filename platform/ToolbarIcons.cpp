#include "platform/ToolbarIcons.h"

#include <QFile>

#include <algorithm>

QIcon ToolbarIcon(const QString& objectName)
{
    const bool plain =
        !objectName.isEmpty() && std::all_of(objectName.begin(), objectName.end(), [](QChar c) {
            return c.isLetterOrNumber() || c == QLatin1Char('_');
        });
    if (!plain) return QIcon();
    // The flip button starts with White at the bottom and White to move.
    const QString picture =
        objectName == QLatin1String("SwButton") ? QStringLiteral("SwButton8") : objectName;
    const QString base = QStringLiteral(":/toolbar/") + picture;
    if (!QFile::exists(base + ".png")) return QIcon();
    QIcon icon;
    icon.addFile(base + ".png", QSize(24, 24));
    icon.addFile(base + "@2x.png", QSize(48, 48));
    return icon;
}
