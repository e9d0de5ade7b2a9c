// Dialogs: the modal form base and the one injectable dialog service.
//
// Stands for the framework's ShowModal/ModalResult, MessageDlg and the
// common dialogs (open, save, colour, print, printer set-up). Everything
// modal goes through Dialogs(), so a test installs a ScriptedDialogService
// that answers from a queue and records what was asked: nothing modal ever
// blocks an offscreen test. The program runs on QtDialogService.
//
// Semantics kept from the framework:
//  - modal results are ints: mrOk 1, mrCancel 2, mrAbort 3, mrRetry 4,
//    mrIgnore 5, mrYes 6, mrNo 7, mrAll 8, mrNoToAll 9, mrYesToAll 10;
//    closing a form by its title bar or Esc gives mrCancel;
//  - a button with a modal result closes its form with that result;
//  - file filters are written "Text|pattern|Text|pattern" (for example
//    "PGN files (*.pgn)|*.pgn"), the filter index counts from 1.
// Left out: custom message-box captions, help buttons and help calls
// (the help window is platform/Help).
#pragma once

#include "platform/ScopedInstall.h"

#include <QColor>
#include <QDialog>
#include <QString>

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

class QAbstractButton;
class QPrinter;
class QWidget;

constexpr int mrNone = 0;
constexpr int mrOk = 1;
constexpr int mrCancel = 2;
constexpr int mrAbort = 3;
constexpr int mrRetry = 4;
constexpr int mrIgnore = 5;
constexpr int mrYes = 6;
constexpr int mrNo = 7;
constexpr int mrAll = 8;
constexpr int mrNoToAll = 9;
constexpr int mrYesToAll = 10;

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// One message-box button; TMsgDlgButtons is a set of them.
enum class TMsgDlgBtn : std::uint16_t {
    mbYes = 1 << 0,
    mbNo = 1 << 1,
    mbOK = 1 << 2,
    mbCancel = 1 << 3,
    mbAbort = 1 << 4,
    mbRetry = 1 << 5,
    mbIgnore = 1 << 6,
    mbAll = 1 << 7,
    mbNoToAll = 1 << 8,
    mbYesToAll = 1 << 9,
};

class TMsgDlgButtons {
public:
    constexpr TMsgDlgButtons() = default;
    constexpr TMsgDlgButtons(TMsgDlgBtn b) : bits_(static_cast<std::uint16_t>(b)) {}
    constexpr bool Contains(TMsgDlgBtn b) const
    {
        return (bits_ & static_cast<std::uint16_t>(b)) != 0;
    }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr std::uint16_t Bits() const { return bits_; }
    constexpr TMsgDlgButtons operator|(TMsgDlgButtons o) const { return FromBits(bits_ | o.bits_); }
    constexpr bool operator==(const TMsgDlgButtons&) const = default;

private:
    static constexpr TMsgDlgButtons FromBits(int bits)
    {
        TMsgDlgButtons s;
        s.bits_ = static_cast<std::uint16_t>(bits);
        return s;
    }
    std::uint16_t bits_ = 0;
};

constexpr TMsgDlgButtons operator|(TMsgDlgBtn a, TMsgDlgBtn b)
{
    return TMsgDlgButtons(a) | b;
}

inline constexpr TMsgDlgButtons mbOKOnly = TMsgDlgBtn::mbOK;
inline constexpr TMsgDlgButtons mbYesNo = TMsgDlgBtn::mbYes | TMsgDlgBtn::mbNo;
inline constexpr TMsgDlgButtons mbYesNoCancel = mbYesNo | TMsgDlgBtn::mbCancel;
inline constexpr TMsgDlgButtons mbOKCancel = TMsgDlgBtn::mbOK | TMsgDlgBtn::mbCancel;
inline constexpr TMsgDlgButtons mbAbortRetryIgnore =
    TMsgDlgBtn::mbAbort | TMsgDlgBtn::mbRetry | TMsgDlgBtn::mbIgnore;
inline constexpr TMsgDlgButtons mbAbortIgnore = TMsgDlgBtn::mbAbort | TMsgDlgBtn::mbIgnore;

// The modal result that a button gives.
int ModalResultOf(TMsgDlgBtn button);

// What an open or save dialog is shown with.
struct FileDialogOptions {
    QString Title;
    QString Filter;      // "Text|pattern|Text|pattern"
    int FilterIndex = 1; // from 1
    QString InitialDir;
    QString FileName;   // proposed name
    QString DefaultExt; // without the dot
    bool OverwritePrompt = false;
};

// The file chosen, or nothing when the dialog was cancelled.
struct FileDialogResult {
    QString FileName;
    int FilterIndex = 1;
};

// A framework filter as Qt's name filters ("PGN files (*.pgn)").
QStringList QtNameFilters(const QString& filter);
// Adds DefaultExt to a chosen name without an extension.
QString WithDefaultExt(const QString& fileName, const QString& defaultExt);

class DialogService {
public:
    virtual ~DialogService() = default;

    virtual int MessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons,
                           int helpContext = 0) = 0;
    virtual std::optional<FileDialogResult> OpenFileDialog(QWidget* parent,
                                                           const FileDialogOptions& options) = 0;
    virtual std::optional<FileDialogResult> SaveFileDialog(QWidget* parent,
                                                           const FileDialogOptions& options) = 0;
    virtual std::optional<QColor> ColorDialog(QWidget* parent, const QColor& initial,
                                              bool fullOpen) = 0;
    // true when the user confirmed; the printer then holds the choices. The
    // dialog offers one copy of all pages, or pages from 1 to 1 within 1 to
    // 9999, and printing to a file.
    virtual bool PrintDialog(QWidget* parent, QPrinter& printer) = 0;
    virtual bool PrinterSetupDialog(QWidget* parent, QPrinter& printer) = 0;
    // Shows a form modally and returns its modal result.
    virtual int ShowModal(QDialog& form) = 0;
};

// The service in use: the one installed, else the Qt service.
DialogService& Dialogs();
// Installs a service (not owned; nullptr returns to the Qt service) and
// gives back the one it replaces.
DialogService* SetDialogService(DialogService* service);

// Installs a service for the lifetime of the object.
using ScopedDialogService = ScopedInstall<DialogService*, &SetDialogService>;

// Real dialogs on Qt.
class QtDialogService : public DialogService {
public:
    int MessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons,
                   int helpContext = 0) override;
    std::optional<FileDialogResult> OpenFileDialog(QWidget* parent,
                                                   const FileDialogOptions& options) override;
    std::optional<FileDialogResult> SaveFileDialog(QWidget* parent,
                                                   const FileDialogOptions& options) override;
    std::optional<QColor> ColorDialog(QWidget* parent, const QColor& initial,
                                      bool fullOpen) override;
    bool PrintDialog(QWidget* parent, QPrinter& printer) override;
    bool PrinterSetupDialog(QWidget* parent, QPrinter& printer) override;
    int ShowModal(QDialog& form) override;
};

// Answers from a queue and records every request. An empty queue, or an
// answer of another kind than asked, gives the cancel answer (mrCancel,
// no file, no colour, false) and counts in Unexpected.
class ScriptedDialogService : public DialogService {
public:
    enum class Kind { Message, OpenFile, SaveFile, Color, Print, PrinterSetup, Modal };

    struct Request {
        Kind kind;
        QString text; // message text, dialog title or form caption
        TMsgDlgType type = TMsgDlgType::mtCustom;
        TMsgDlgButtons buttons;
        int helpContext = 0;
        FileDialogOptions file;
        QColor color;
    };

    struct Answer {
        Kind kind;
        int modalResult = mrCancel;
        std::optional<FileDialogResult> file;
        std::optional<QColor> color;
        bool accepted = false;
        // For forms: runs on the form before its result is returned, to
        // fill it as a user would.
        std::function<void(QDialog&)> fill;
    };

    void QueueMessageResult(int modalResult);
    void QueueOpenFile(std::optional<QString> fileName, int filterIndex = 1);
    void QueueSaveFile(std::optional<QString> fileName, int filterIndex = 1);
    void QueueColor(std::optional<QColor> color);
    void QueuePrint(bool accepted);
    void QueuePrinterSetup(bool accepted);
    void QueueModal(int modalResult, std::function<void(QDialog&)> fill = {});

    const std::vector<Request>& Requests() const { return requests_; }
    int Unexpected() const { return unexpected_; }
    bool Drained() const { return answers_.empty(); }

    int MessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons,
                   int helpContext = 0) override;
    std::optional<FileDialogResult> OpenFileDialog(QWidget* parent,
                                                   const FileDialogOptions& options) override;
    std::optional<FileDialogResult> SaveFileDialog(QWidget* parent,
                                                   const FileDialogOptions& options) override;
    std::optional<QColor> ColorDialog(QWidget* parent, const QColor& initial,
                                      bool fullOpen) override;
    bool PrintDialog(QWidget* parent, QPrinter& printer) override;
    bool PrinterSetupDialog(QWidget* parent, QPrinter& printer) override;
    int ShowModal(QDialog& form) override;

private:
    std::optional<Answer> Take(Kind kind);

    std::deque<Answer> answers_;
    std::vector<Request> requests_;
    int unexpected_ = 0;
};

// Base of the program's modal forms: a tool-window dialog, centred on its
// parent when shown, whose buttons close it with their modal result. F1
// opens the help page of the focused control's context, else of the form's
// HelpContext, else the help contents (platform/Help).
class TModalForm : public QDialog {
public:
    explicit TModalForm(QWidget* parent = nullptr);

    // Clicking button closes the form with modalResult.
    void SetModalResult(QAbstractButton* button, int modalResult);
    // Runs the form modally through the dialog service.
    int ShowModal();
    // Closing by the title bar or Esc gives mrCancel.
    void reject() override;
    int HelpContext = 0;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
