// The evaluation dialog (TEvalForm): buttons that set the evaluation symbols
// of the move played into the position shown. Every press rewrites the move's
// symbols in the game at once, so "Close" only closes.
#pragma once

#include "platform/Dialogs.h"
#include "rules/EvalSymbols.h"

#include <functional>

class TEvalForm : public TModalForm {
public:
    explicit TEvalForm(QWidget* parent = nullptr);

    // Runs after each write of the symbols: the main window rebuilds its
    // document and move views (the board stays as it is).
    std::function<void()> OnApplied;

    // Loads the symbols of the move shown (nothing at the start position).
    void FormShow();
    // Writes the symbols back; GameModified and OnApplied follow a write.
    void ApplyEvalSymbols();
    // Every symbol button: its family and Tag.
    void SymbolButtonClick(EvalFamily family, int tag);
    void UndoButtonClick();
    void ClButtonClick();

protected:
    void showEvent(QShowEvent* event) override;
};

// Created at start-up, owned by main.
extern TEvalForm* EvalForm;
