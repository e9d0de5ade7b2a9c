// The autoplay dialog (TAutoplayForm): the delay between two moves, kept for
// the whole run, and "Start".
#pragma once

#include "platform/Dialogs.h"

class QSpinBox;

class TAutoplayForm : public TModalForm {
public:
    explicit TAutoplayForm(QWidget* parent = nullptr);

    QSpinBox* TimerEdit; // milliseconds, 200..90000 in steps of 200
};

// Created at start-up, owned by main.
extern TAutoplayForm* AutoplayForm;
