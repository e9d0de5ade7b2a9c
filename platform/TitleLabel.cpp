#include "platform/TitleLabel.h"

#include <QPainter>
#include <QStyle>

TTitleLabel::TTitleLabel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

QString TTitleLabel::ShownText() const
{
    return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
}

void TTitleLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QString shown = ShownText();
    Qt::Alignment align = alignment();
    if (shown != text()) align = (align & ~Qt::AlignHorizontal_Mask) | Qt::AlignLeft;
    style()->drawItemText(&painter, contentsRect(), static_cast<int>(align), palette(), isEnabled(),
                          shown, foregroundRole());
}
