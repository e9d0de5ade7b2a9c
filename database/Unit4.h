// The move-correction dialog: shows a move token that the parser could not
// read and lets the user correct it, skip it or stop reading the game.
#pragma once

#include "database/CorrectMoveHandler.h"
#include "platform/Dialogs.h"

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

constexpr int CorrectMoveCorrect = 1; // "Correct"
constexpr int CorrectMoveSkip = 5;    // "Skip"
constexpr int CorrectMoveCancel = 2;  // "Cancel", or the dialog closed

class TCorrectMove : public TModalForm {
public:
    explicit TCorrectMove(QWidget* parent = nullptr);

    QLineEdit* Edit1;     // the token
    QSpinBox* Achar;      // characters of the game text the correction replaces
    QLabel* Label1;       // "Advance chars:"
    QPushButton* Button1; // "Correct"
    QPushButton* Button2; // "Skip"
    QPushButton* Button3; // "Cancel"

    // Keeps Achar at the length of Edit1's text.
    void Edit1Change();
};

// Created at start-up, owned by main; not owned here.
extern TCorrectMove* CorrectMove;

// The parser's questions answered by CorrectMove, shown through the dialog
// service. OnRefresh runs before each question (board, document, move views).
class CorrectMoveDialogHandler : public CorrectMoveHandler {
public:
    std::function<void()> OnRefresh;

    void RefreshBeforeAsking() override;
    CorrectMoveAnswer AskCorrection(const std::string& token, int maxAdvance) override;
};
