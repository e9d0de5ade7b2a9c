// The framework's radio group (TRadioGroup): a titled box of radio buttons,
// one column, of which at most one is chosen.
//
// ItemIndex is the chosen item, -1 for none. Setting it keeps the
// framework's rule: an index past the last item chooses the last item; a
// negative one chooses none. Left out: columns, OnClick.
#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QVBoxLayout;

class TRadioGroup : public QGroupBox {
public:
    explicit TRadioGroup(const QString& caption, const QStringList& items = {},
                         QWidget* parent = nullptr);

    int ItemIndex() const;
    void SetItemIndex(int index);
    int Count() const;
    QString Item(int index) const;
    void AddItem(const QString& text);

private:
    QButtonGroup* buttons_;
    QVBoxLayout* layout_;
};
