#include "platform/RadioGroup.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

TRadioGroup::TRadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent), buttons_(new QButtonGroup(this)), layout_(new QVBoxLayout(this))
{
    layout_->setContentsMargins(8, 2, 6, 4);
    layout_->setSpacing(1);
    layout_->setAlignment(Qt::AlignTop);
    for (const QString& item : items)
        AddItem(item);
}

int TRadioGroup::ItemIndex() const
{
    return buttons_->checkedId();
}

void TRadioGroup::SetItemIndex(int index)
{
    if (Count() == 0) return;
    if (index < 0) {
        // A button group that allows no choice lets the checked one go.
        if (QAbstractButton* checked = buttons_->checkedButton()) {
            buttons_->setExclusive(false);
            checked->setChecked(false);
            buttons_->setExclusive(true);
        }
        return;
    }
    buttons_->button(std::min(index, Count() - 1))->setChecked(true);
}

int TRadioGroup::Count() const
{
    return static_cast<int>(buttons_->buttons().size());
}

QString TRadioGroup::Item(int index) const
{
    const QAbstractButton* b = buttons_->button(index);
    return b ? b->text() : QString();
}

void TRadioGroup::AddItem(const QString& text)
{
    auto* button = new QRadioButton(text, this);
    buttons_->addButton(button, Count());
    layout_->addWidget(button);
}
