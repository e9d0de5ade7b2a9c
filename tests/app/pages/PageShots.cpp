#include "PageShots.h"

#include <QDir>
#include <QPixmap>
#include <QWidget>

bool WriteShot(QWidget& widget, const QString& name)
{
    const QString dir = QStringLiteral(PAGES_SHOTS_DIR);
    return QDir().mkpath(dir) && widget.grab().save(dir + "/" + name + ".png");
}
