// A one-line label of plain text (names and paths from files are shown as
// they are, never as markup). Text wider than the label is shown from its
// start, cut with an ellipsis at its end; text that fits keeps the label's
// alignment. text() is always the whole text. A label in a notation font
// draws a text that holds a twin of a chess glyph in that font's plain text
// family (FontForText), so that no letter turns into a figurine; so is the
// ellipsis, a twin itself.
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
