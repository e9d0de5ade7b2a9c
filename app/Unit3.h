// The promotion chooser (TPromoteForm): queen, rook, bishop and knight on a
// strip of squares; a click picks one and closes the chooser.
#pragma once

#include "platform/Dialogs.h"

class TPromoteForm : public TModalForm {
public:
    explicit TPromoteForm(QWidget* parent = nullptr);

    // The piece picked: 0 queen, 1 rook, 2 bishop, 3 knight.
    int Tag = 0;

    // Sizes the chooser for the present square size and runs it; the piece
    // picked, or -1 when it was closed without a pick.
    int Choose();

    void FormPaint();
    void FormMouseUp(int x);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// Created at start-up, owned by main.
extern TPromoteForm* PromoteForm;
