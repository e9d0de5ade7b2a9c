// The comment dialog (TComments): the text of a comment before or after the
// current move, with OK, Cancel and Clear.
#pragma once

#include "platform/Dialogs.h"

#include <string>

class QPlainTextEdit;

class TComments : public TModalForm {
public:
    explicit TComments(QWidget* parent = nullptr);

    QPlainTextEdit* TextComments;

    // The memo's text as its lines give it: every line followed by CR LF,
    // empty for an empty memo.
    QString LinesText() const;
    void SetLinesText(const QString& text);

    void Button3Click(); // Clear

protected:
    void showEvent(QShowEvent* event) override;
};

// Created at start-up, owned by main.
extern TComments* Comments;
