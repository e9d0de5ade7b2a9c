#include "platform/TitleLabel.h"

#include "platform/Fonts.h"

#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace {

constexpr QChar Ellipsis(0x2026);

// The ellipsis of a cut text: a notation font holds a chess glyph at its
// code point, so it is drawn in the plain text family.
QFont EllipsisFont(const QFont& font)
{
    return FontForText(font, QStringView(&Ellipsis, 1));
}

} // namespace

TTitleLabel::TTitleLabel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

QString TTitleLabel::ShownText() const
{
    const QFontMetrics metrics(FontForText(font(), text()));
    const int width = contentsRect().width();
    if (metrics.horizontalAdvance(text()) <= width) return text();
    // Room for the ellipsis as it is drawn.
    const int extra = std::max(0, QFontMetrics(EllipsisFont(font())).horizontalAdvance(Ellipsis) -
                                      metrics.horizontalAdvance(Ellipsis));
    return metrics.elidedText(text(), Qt::ElideRight, width - extra);
}

void TTitleLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QFont font = FontForText(this->font(), text());
    painter.setFont(font);
    const QString shown = ShownText();
    QRect area = contentsRect();
    if (shown == text()) {
        style()->drawItemText(&painter, area, static_cast<int>(alignment()), palette(), isEnabled(),
                              shown, foregroundRole());
        return;
    }
    // Cut: shown from the start, the ellipsis after it in its own font.
    const int align = static_cast<int>((alignment() & ~Qt::AlignHorizontal_Mask) | Qt::AlignLeft);
    const QString head = shown.endsWith(Ellipsis) ? shown.chopped(1) : shown;
    style()->drawItemText(&painter, area, align, palette(), isEnabled(), head, foregroundRole());
    if (head.size() == shown.size()) return;
    area.setLeft(area.left() + QFontMetrics(font).horizontalAdvance(head));
    painter.setFont(EllipsisFont(this->font()));
    style()->drawItemText(&painter, area, align, palette(), isEnabled(), QString(Ellipsis),
                          foregroundRole());
}
