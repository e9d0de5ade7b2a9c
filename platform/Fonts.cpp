#include "platform/Fonts.h"

#include "platform/GameText.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>

#include <algorithm>
#include <cmath>

EmbeddedFontHandleList EmbeddedFontHandles;

EmbeddedFontHandle& EmbeddedFontHandle::operator=(EmbeddedFontHandle&& other) noexcept
{
    if (this != &other) {
        Reset();
        ids_ = std::move(other.ids_);
        other.ids_.clear();
    }
    return *this;
}

void EmbeddedFontHandle::Adopt(int fontId)
{
    if (fontId >= 0) ids_.push_back(fontId);
}

void EmbeddedFontHandle::Reset()
{
    // Without a GUI application the font database is gone or was never there;
    // the fonts then need no removal.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        for (const int id : ids_)
            QFontDatabase::removeApplicationFont(id);
    ids_.clear();
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

namespace {

// Adds the font file at path to handle; true when it provides faceName.
bool AddFace(const QString& path, const QString& faceName, EmbeddedFontHandle& handle)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const int id = QFontDatabase::addApplicationFontFromData(file.readAll());
    handle.Adopt(id);
    // A font that loads but carries another family would pass the test and
    // still leave the program without the face it asks for.
    return id >= 0 &&
           QFontDatabase::applicationFontFamilies(id).contains(faceName, Qt::CaseInsensitive);
}

const EmbeddedFontResource* FindResource(int resourceId)
{
    for (const EmbeddedFontResource& r : EmbeddedFontResources)
        if (r.Id == resourceId) return &r;
    return nullptr;
}

} // namespace

QString EmbeddedFontPath(int resourceId)
{
    const EmbeddedFontResource* resource = FindResource(resourceId);
    return resource ? QString::fromLatin1(resource->Path) : QString();
}

bool LoadEmbeddedFont(const QString& faceName, EmbeddedFontHandle& handle, int resourceId)
{
    if (FontFamilyInstalled(faceName)) return true;
    const EmbeddedFontResource* resource = FindResource(resourceId);
    if (!resource) return false;
    EmbeddedFontHandle added; // removes whatever it took on failure
    if (!AddFace(QString::fromLatin1(resource->Path), faceName, added)) return false;
    if (resource->BoldPath && !AddFace(QString::fromLatin1(resource->BoldPath), faceName, added))
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
    if (cell <= 0) return std::max(1, cellHeight);
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

QString PlainTextFamily(const QString& family)
{
    if (!family.startsWith(QLatin1String("VelmoraChess ")) &&
        !family.startsWith(QLatin1String("FigurineCB ")))
        return {};
    const bool serif = family == QLatin1String("VelmoraChess Times") ||
                       family == QLatin1String("FigurineCB TimeSP") ||
                       family == QLatin1String("FigurineCB LetterSP");
    return QString::fromLatin1(serif ? PlainSerifFamily : PlainSansFamily);
}

QFont FontForText(const QFont& font, QStringView text)
{
    const QString plain = PlainTextFamily(font.family());
    if (plain.isEmpty() || std::none_of(text.begin(), text.end(),
                                        [](QChar c) { return IsNotationGlyphTwin(c.unicode()); }))
        return font;
    QFont shown(font);
    shown.setFamilies({plain});
    return shown;
}
