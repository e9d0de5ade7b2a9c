// The framework's open and save dialog components (TOpenDialog, TSaveDialog):
// their settings, the file last chosen, and the integer Tag that callers use
// as a flag. Execute shows the dialog through the dialog service.
#pragma once

#include "platform/Dialogs.h"

class TFileDialog {
public:
    enum class Kind { Open, Save };
    explicit TFileDialog(Kind kind) : kind_(kind) {}

    FileDialogOptions Options;
    QString FileName;
    int Tag = 0;

    // Shows the dialog; true and FileName set when a file was chosen.
    bool Execute(QWidget* parent);

private:
    Kind kind_;
};
