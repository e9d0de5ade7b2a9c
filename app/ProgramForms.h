// The program's forms, made once in their order: the main window, the options
// dialog right after it (its constructor applies the stored options), then
// the other dialogs. Each global form pointer is set as its form is made and
// cleared before the forms go, whichever way start-up ends.
#pragma once

#include "database/Unit4.h"

#include <memory>

class TAboutBox;
class TAutoplayForm;
class TComments;
class TCorrectMove;
class TDemo;
class TEvalForm;
class TForm1;
class TProgressForm;
class TPromoteForm;
class TSearchPanel;
class TSettings;

class TProgramForms {
public:
    TProgramForms();
    ~TProgramForms();
    TProgramForms(const TProgramForms&) = delete;
    TProgramForms& operator=(const TProgramForms&) = delete;

    TForm1& Main() { return *main_; }

private:
    std::unique_ptr<TForm1> main_;
    std::unique_ptr<TSettings> settings_;
    std::unique_ptr<TPromoteForm> promote_;
    std::unique_ptr<TCorrectMove> correctMove_;
    std::unique_ptr<TAboutBox> about_;
    std::unique_ptr<TSearchPanel> search_;
    std::unique_ptr<TProgressForm> progress_;
    std::unique_ptr<TComments> comments_;
    std::unique_ptr<TEvalForm> eval_;
    std::unique_ptr<TAutoplayForm> autoplay_;
    std::unique_ptr<TDemo> demo_;
    CorrectMoveDialogHandler correctHandler_;
};
