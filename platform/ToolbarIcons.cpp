#include "platform/ToolbarIcons.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QPointer>

#include <algorithm>

namespace {

QIcon LoadIcon(const QString& objectName)
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

// The icons made so far, by name, as long as the application lives. Every
// new icon is a new key of the pixmap cache, so an icon made afresh at each
// change (the flip button, at every move) would fill that cache.
class IconCache : public QObject {
public:
    using QObject::QObject;
    QHash<QString, QIcon> Icons;
};

IconCache* Cache()
{
    static QPointer<IconCache> cache;
    if (!cache && QCoreApplication::instance()) cache = new IconCache(QCoreApplication::instance());
    return cache;
}

} // namespace

QIcon ToolbarIcon(const QString& objectName)
{
    IconCache* cache = Cache();
    if (!cache) return LoadIcon(objectName);
    const auto known = cache->Icons.constFind(objectName);
    if (known != cache->Icons.constEnd()) return *known;
    return cache->Icons.insert(objectName, LoadIcon(objectName)).value();
}
