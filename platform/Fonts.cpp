#include "platform/Fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>

#include <algorithm>
#include <cmath>

EmbeddedFontHandleList EmbeddedFontHandles;

QString EmbeddedFontPath(int resourceId)
{
    for (const EmbeddedFontResource& r : EmbeddedFontResources)
        if (r.Id == resourceId)
            return QString::fromLatin1(r.Path);
    return {};
}

EmbeddedFontHandle& EmbeddedFontHandle::operator=(EmbeddedFontHandle&& other) noexcept
{
    if (this != &other) {
        Reset();
        id_ = other.id_;
        other.id_ = -1;
    }
    return *this;
}

void EmbeddedFontHandle::Reset()
{
    if (id_ < 0)
        return;
    // Without a GUI application the font database is gone or was never there;
    // the font then needs no removal.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QFontDatabase::removeApplicationFont(id_);
    id_ = -1;
}

void EmbeddedFontHandleList::Release()
{
    for (EmbeddedFontHandle& h : handles_)
        h.Reset();
}

bool FontFamilyInstalled(const QString& faceName)
{
    return QFontDatabase::families().contains(faceName, Qt::CaseInsensitive);
}

bool LoadEmbeddedFont(const QString& faceName, EmbeddedFontHandle& handle, int resourceId)
{
    if (FontFamilyInstalled(faceName))
        return true;
    const QString path = EmbeddedFontPath(resourceId);
    if (path.isEmpty())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    EmbeddedFontHandle added(QFontDatabase::addApplicationFontFromData(file.readAll()));
    if (added.IsNull())
        return false;
    // A font that loads but carries another family would pass the test and
    // still leave the program without the face it asks for.
    if (!QFontDatabase::applicationFontFamilies(added.Id()).contains(faceName, Qt::CaseInsensitive))
        return false;
    handle = std::move(added);
    return true;
}

int PixelSizeForCellHeight(const QFont& font, int cellHeight)
{
    // Measured at a large size, where rounding of the metrics hardly counts.
    constexpr int reference = 1000;
    QFont probe(font);
    probe.setPixelSize(reference);
    const QFontMetricsF metrics(probe);
    const qreal cell = metrics.ascent() + metrics.descent();
    if (cell <= 0)
        return std::max(1, cellHeight);
    return std::max(1, static_cast<int>(std::lround(cellHeight * reference / cell)));
}

QFont CreateFontIndirect(const LogFont& logFont)
{
    QFont font(logFont.lfFaceName);
    font.setWeight(logFont.lfWeight <= 0
                       ? QFont::Normal
                       : static_cast<QFont::Weight>(std::clamp(logFont.lfWeight, 1, 1000)));
    font.setItalic(logFont.lfItalic);
    font.setUnderline(logFont.lfUnderline);
    font.setStrikeOut(logFont.lfStrikeOut);

    int strategy = QFont::PreferDefault;
    if (logFont.lfQuality == ANTIALIASED_QUALITY)
        strategy |= QFont::PreferAntialias;
    else if (logFont.lfQuality == NONANTIALIASED_QUALITY)
        strategy |= QFont::NoAntialias;
    if (logFont.lfOutPrecision == OUT_TT_ONLY_PRECIS) {
        strategy |= QFont::NoFontMerging | QFont::ForceOutline;
        font.setHintingPreference(QFont::PreferNoHinting);
    }
    font.setStyleStrategy(static_cast<QFont::StyleStrategy>(strategy));

    if (logFont.lfHeight > 0)
        font.setPixelSize(PixelSizeForCellHeight(font, logFont.lfHeight));
    else if (logFont.lfHeight < 0)
        font.setPixelSize(-logFont.lfHeight);
    return font;
}
