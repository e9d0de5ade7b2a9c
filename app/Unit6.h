// The search-filter dialog (TSearchPanel): player lists and Elo ranges for
// White and Black, event and site names with a year range, the results and
// the game length a filter would accept, and "Default". The criteria keep
// their values between showings within a run.
#pragma once

#include "platform/Dialogs.h"

class QCheckBox;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

class TSearchPanel : public TModalForm {
public:
    explicit TSearchPanel(QWidget* parent = nullptr);

    QPlainTextEdit* WhiteList;
    QPushButton* Button1; // Clear
    QPushButton* Button2; // Delete name
    QSpinBox* EloWmin;
    QSpinBox* EloWmax;
    QCheckBox* WanyElo;

    QPlainTextEdit* BlackList;
    QPushButton* Button3;
    QPushButton* Button4;
    QSpinBox* EloBmin;
    QSpinBox* EloBmax;
    QCheckBox* BanyElo;

    QPlainTextEdit* Memo1; // event and site names
    QPushButton* Button7;
    QPushButton* Button8;
    QSpinBox* YearMin;
    QSpinBox* YearMax;
    QCheckBox* NoYear;

    QCheckBox* R10;
    QCheckBox* R12;
    QCheckBox* R01;
    QCheckBox* Rline;

    QSpinBox* MovesMin;
    QSpinBox* MovesMax;

    QPushButton* Button9; // Default

    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button7Click();
    void Button8Click();
    // Restores every number and check box; the three lists keep their lines.
    void Button9Click();
};

// Empties memo and gives it the focus.
void ClearNames(QPlainTextEdit* memo);
// Deletes the line of memo that holds the caret (nothing in an empty memo)
// and gives it the focus.
void DeleteCaretLine(QPlainTextEdit* memo);

// Created at start-up, owned by main.
extern TSearchPanel* SearchPanel;
