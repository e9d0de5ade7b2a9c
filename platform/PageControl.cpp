#include "platform/PageControl.h"

#include <QApplication>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionTab>
#include <QTabBar>
#include <QTabWidget>

namespace {

bool Vertical(QTabBar::Shape shape)
{
    return shape == QTabBar::RoundedWest || shape == QTabBar::RoundedEast ||
           shape == QTabBar::TriangularWest || shape == QTabBar::TriangularEast;
}

// The tab bar measures a side tab for a caption turned up the edge; the
// style turns the tab round again and writes the caption across it.
class AcrossTabStyle : public QProxyStyle {
public:
    explicit AcrossTabStyle(QStyle* base) : QProxyStyle(base) {}

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override
    {
        QSize s = QProxyStyle::sizeFromContents(type, option, size, widget);
        const auto* tab = qstyleoption_cast<const QStyleOptionTab*>(option);
        if (type == CT_TabBarTab && tab && Vertical(tab->shape)) s.transpose();
        return s;
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        const auto* tab = qstyleoption_cast<const QStyleOptionTab*>(option);
        if (element == CE_TabBarTabLabel && tab && Vertical(tab->shape)) {
            QStyleOptionTab across(*tab);
            across.shape = QTabBar::RoundedNorth;
            QProxyStyle::drawControl(element, &across, painter, widget);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

} // namespace

void SetTabsOnTheLeft(QTabWidget& pages)
{
    pages.setTabPosition(QTabWidget::West);
    pages.setElideMode(Qt::ElideNone);
    pages.setUsesScrollButtons(true);
    // Owned by the page control, which outlives its tab bar.
    auto* style = new AcrossTabStyle(QStyleFactory::create(QApplication::style()->name()));
    style->setParent(&pages);
    pages.tabBar()->setStyle(style);
}
