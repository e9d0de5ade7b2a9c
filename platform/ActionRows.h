// Menus and tool bars as rows of a table, read by one builder. A row names
// where its item goes (a menu path, "&File|&Recent files", or "" for the
// container itself), its object name, caption, short-cut, hint and handler
// (a member of the form, with or without the item as sender). A row named
// "-" is a separator. Group -1 makes a check item, a group above 0 a set of
// items of which one is checked.
#pragma once

#include <QAction>
#include <QObject>
#include <QString>

#include <cstddef>
#include <span>

class QWidget;

template <typename Form>
struct ActionHandler {
    constexpr ActionHandler(std::nullptr_t = nullptr) {}
    constexpr ActionHandler(void (Form::*click)()) : Click(click) {}
    constexpr ActionHandler(void (Form::*click)(QAction*)) : SenderClick(click) {}
    void (Form::*Click)() = nullptr;
    void (Form::*SenderClick)(QAction*) = nullptr;
};

template <typename Form>
struct ActionRow {
    const char* Menu;
    const char* Name;
    const char* Caption;
    const char* ShortCut;
    const char* Hint;
    ActionHandler<Form> Handler;
    QAction* Form::*Item = nullptr; // where the form keeps the item
    int Group = 0;
    bool Checked = false;
    int Tag = 0; // the item's data, for a handler shared by several items
};

// A menu caption that shows text exactly ("&" doubled, no mnemonic), and
// the text of such a caption.
QString MenuCaption(const QString& text);
QString CaptionText(const QString& caption);

// Adds one item to container (a QMenuBar, QMenu or QToolBar), creating the
// menus of the path on the way; a separator for the name "-".
QAction* AddRowItem(QWidget* container, const QString& menuPath, const QString& name,
                    const QString& caption, const QString& shortCut, const QString& hint, int group,
                    bool checked);

template <typename Form>
void BuildActionRows(Form& form, QWidget* container, std::span<const ActionRow<Form>> rows)
{
    for (const ActionRow<Form>& row : rows) {
        QAction* item = AddRowItem(container, row.Menu, row.Name, row.Caption, row.ShortCut,
                                   row.Hint, row.Group, row.Checked);
        if (row.Tag != 0) item->setData(row.Tag);
        if (row.Item) form.*row.Item = item;
        if (const auto click = row.Handler.Click)
            QObject::connect(item, &QAction::triggered, &form, [&form, click] { (form.*click)(); });
        if (const auto click = row.Handler.SenderClick)
            QObject::connect(item, &QAction::triggered, &form,
                             [&form, click, item] { (form.*click)(item); });
    }
}
