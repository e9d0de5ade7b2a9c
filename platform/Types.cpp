#include "platform/Types.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

// The palette role standing for a system colour.
QColor SystemColor(TColor c)
{
    const QPalette pal = QGuiApplication::palette();
    switch (c) {
    case clWindow:
        return pal.color(QPalette::Base);
    case clWindowText:
        return pal.color(QPalette::Text);
    case clHighlight:
        return pal.color(QPalette::Highlight);
    case clHighlightText:
        return pal.color(QPalette::HighlightedText);
    case clBtnFace:
        return pal.color(QPalette::Button);
    case clBtnShadow:
        return pal.color(QPalette::Dark);
    case clGrayText:
        return pal.color(QPalette::Disabled, QPalette::Text);
    case clBtnText:
        return pal.color(QPalette::ButtonText);
    case clBtnHighlight:
        return pal.color(QPalette::Light);
    case cl3DDkShadow:
        return pal.color(QPalette::Shadow);
    case cl3DLight:
        return pal.color(QPalette::Midlight);
    case clInfoText:
        return pal.color(QPalette::ToolTipText);
    case clInfoBk:
        return pal.color(QPalette::ToolTipBase);
    default:
        return pal.color(QPalette::Window);
    }
}

} // namespace

QColor ToQColor(TColor c)
{
    if (c == clNone) return QColor(Qt::transparent);
    if (IsSystemColor(c)) return SystemColor(c);
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

TColor FromQColor(const QColor& c)
{
    return RGBColor(c.red(), c.green(), c.blue());
}

TColor ColorToRGB(TColor c)
{
    if (IsSystemColor(c)) return FromQColor(SystemColor(c));
    return c & 0x00FFFFFFu;
}
