#include "platform/ActionRows.h"

#include "platform/ToolbarIcons.h"

#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace {

// The sub-menu of parent titled title, made when it is not there yet.
QMenu* SubMenu(QWidget* parent, const QString& title)
{
    for (QAction* a : parent->actions())
        if (a->menu() && a->text() == title) return a->menu();
    if (auto* bar = qobject_cast<QMenuBar*>(parent)) return bar->addMenu(title);
    if (auto* menu = qobject_cast<QMenu*>(parent)) return menu->addMenu(title);
    return nullptr;
}

QActionGroup* Group(QWidget* container, int group)
{
    const QString name = QStringLiteral("ActionGroup%1").arg(group);
    if (auto* found = container->findChild<QActionGroup*>(name)) return found;
    auto* made = new QActionGroup(container);
    made->setObjectName(name);
    return made;
}

} // namespace

QAction* AddRowItem(QWidget* container, const QString& menuPath, const QString& name,
                    const QString& caption, const QString& shortCut, const QString& hint, int group,
                    bool checked)
{
    QWidget* parent = container;
    if (!menuPath.isEmpty())
        for (const QString& title : menuPath.split('|'))
            if (QMenu* sub = SubMenu(parent, title)) parent = sub;

    auto* item = new QAction(caption, parent);
    if (name == "-") {
        item->setSeparator(true);
    } else {
        item->setObjectName(name);
        if (!shortCut.isEmpty()) item->setShortcut(QKeySequence(shortCut));
        item->setStatusTip(hint);
        item->setToolTip(hint.isEmpty() ? caption : hint);
        if (group != 0) {
            item->setCheckable(true);
            item->setChecked(checked);
        }
        if (group > 0) Group(container, group)->addAction(item);
        // A tool button shows its picture; the caption stays for menus and hints.
        if (qobject_cast<QToolBar*>(container)) item->setIcon(ToolbarIcon(name));
    }
    parent->addAction(item);
    return item;
}

QString MenuCaption(const QString& text)
{
    return QString(text).replace(QLatin1Char('&'), QLatin1String("&&"));
}

QString CaptionText(const QString& caption)
{
    QString text;
    text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) ++i;
        text += caption[i];
    }
    return text;
}
