// A one-line label of plain text (names and paths from files are shown as
// they are, never as markup). Text wider than the label is shown from its
// start, cut with an ellipsis at its end; text that fits keeps the label's
// alignment. text() is always the whole text.
#pragma once

#include <QLabel>

class TTitleLabel : public QLabel {
public:
    explicit TTitleLabel(QWidget* parent = nullptr);

    // The text as it is drawn at the label's present width.
    QString ShownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};
