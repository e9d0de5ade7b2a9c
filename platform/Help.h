// Help: the program's help pages and how they are opened.
//
// Stands for WinHelp and the help file "velmo.hlp". The pages are HTML
// written for the program (resources/help), embedded under :/help: the
// contents page index.html and one page per help context number
// (HelpTopics). Semantics kept:
//  - ShowHelpContents() opens the contents (HELP_CONTENTS);
//  - ShowHelpContext(n) opens the page of context n (HELP_CONTEXT); 0 and
//    an unknown number open the contents;
//  - F1 in a TModalForm opens the context of the focused control, else the
//    form's HelpContext, else the contents (a control's own context is set
//    with SetHelpContext; a page of a QTabWidget answers for its tab too).
// Everything goes through Help(): a test installs a RecordingHelpService,
// so no window opens. The program runs on QtHelpService, which shows the
// one help window (platform/HelpWindow).
// Left out: TApplication::HelpFile is not read; no keyword search, no
// pop-up help, no printing of pages.
#pragma once

#include "platform/ScopedInstall.h"

#include <QString>
#include <QUrl>

#include <span>
#include <vector>

class QWidget;

// A help context number and the file of its page under :/help.
struct HelpTopic {
    int Context;
    const char* File;
};

// Every context number the program uses, with its page.
std::span<const HelpTopic> HelpTopics();

// qrc:/help/index.html
QUrl HelpContentsUrl();
// The page of a context number; the contents for 0 and unknown numbers.
QUrl HelpPageUrl(int context);

class HelpService {
public:
    virtual ~HelpService() = default;
    virtual void ShowContents() = 0;
    virtual void ShowContext(int context) = 0;
};

// The service in use: the one installed, else the Qt service.
HelpService& Help();
// Installs a service (not owned; nullptr returns to the Qt service) and
// gives back the one it replaces.
HelpService* SetHelpService(HelpService* service);
using ScopedHelpService = ScopedInstall<HelpService*, &SetHelpService>;

void ShowHelpContents();
void ShowHelpContext(int context);

// A control's own context (0 removes it).
void SetHelpContext(QWidget* control, int context);
// The context for F1 with focus on control: the first own context on the
// way from control up to its window, else formContext.
int HelpContextAt(const QWidget* control, int formContext);

// Shows the pages in the help window.
class QtHelpService : public HelpService {
public:
    void ShowContents() override;
    void ShowContext(int context) override;
};

// Records what would be shown; opens nothing.
class RecordingHelpService : public HelpService {
public:
    struct Request {
        int Context = 0; // 0 for the contents command
        QUrl Page;       // the page it opens
        bool operator==(const Request&) const = default;
    };

    void ShowContents() override;
    void ShowContext(int context) override;
    const std::vector<Request>& Requests() const { return requests_; }
    std::vector<QUrl> Pages() const;

private:
    std::vector<Request> requests_;
};
