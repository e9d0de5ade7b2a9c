#include "platform/FileDialog.h"

bool TFileDialog::Execute(QWidget* parent)
{
    FileDialogOptions options = Options;
    options.FileName = FileName;
    const auto result = kind_ == Kind::Open ? Dialogs().OpenFileDialog(parent, options)
                                            : Dialogs().SaveFileDialog(parent, options);
    if (!result) return false;
    FileName = WithDefaultExt(result->FileName, Options.DefaultExt);
    Options.FilterIndex = result->FilterIndex;
    return true;
}
