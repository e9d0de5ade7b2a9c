#include "platform/Dialogs.h"

#include "platform/Help.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

#include <algorithm>
#include <array>
#include <utility>

namespace {

DialogService* InstalledService = nullptr;

struct ButtonMap {
    TMsgDlgBtn button;
    const char* caption;
    QMessageBox::ButtonRole role;
    int modalResult;
};

// In the framework's button order, with its captions.
constexpr std::array<ButtonMap, 10> ButtonTable = {{
    {TMsgDlgBtn::mbYes, "&Yes", QMessageBox::YesRole, mrYes},
    {TMsgDlgBtn::mbNo, "&No", QMessageBox::NoRole, mrNo},
    {TMsgDlgBtn::mbOK, "OK", QMessageBox::AcceptRole, mrOk},
    {TMsgDlgBtn::mbCancel, "Cancel", QMessageBox::RejectRole, mrCancel},
    {TMsgDlgBtn::mbAbort, "&Abort", QMessageBox::RejectRole, mrAbort},
    {TMsgDlgBtn::mbRetry, "&Retry", QMessageBox::AcceptRole, mrRetry},
    {TMsgDlgBtn::mbIgnore, "&Ignore", QMessageBox::AcceptRole, mrIgnore},
    {TMsgDlgBtn::mbAll, "&All", QMessageBox::YesRole, mrAll},
    {TMsgDlgBtn::mbNoToAll, "N&o to All", QMessageBox::NoRole, mrNoToAll},
    {TMsgDlgBtn::mbYesToAll, "Yes to &All", QMessageBox::YesRole, mrYesToAll},
}};

QString CaptionOf(TMsgDlgType type)
{
    switch (type) {
    case TMsgDlgType::mtWarning:
        return QStringLiteral("Warning");
    case TMsgDlgType::mtError:
        return QStringLiteral("Error");
    case TMsgDlgType::mtInformation:
        return QStringLiteral("Information");
    case TMsgDlgType::mtConfirmation:
        return QStringLiteral("Confirmation");
    case TMsgDlgType::mtCustom:
        break;
    }
    return QCoreApplication::applicationName();
}

QMessageBox::Icon IconOf(TMsgDlgType type)
{
    switch (type) {
    case TMsgDlgType::mtWarning:
        return QMessageBox::Warning;
    case TMsgDlgType::mtError:
        return QMessageBox::Critical;
    case TMsgDlgType::mtInformation:
        return QMessageBox::Information;
    case TMsgDlgType::mtConfirmation:
        return QMessageBox::Question;
    case TMsgDlgType::mtCustom:
        break;
    }
    return QMessageBox::NoIcon;
}

void SetUpFileDialog(QFileDialog& dialog, const FileDialogOptions& options)
{
    dialog.setWindowTitle(options.Title);
    const QStringList filters = QtNameFilters(options.Filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int index = options.FilterIndex - 1;
        if (index >= 0 && index < filters.size()) dialog.selectNameFilter(filters[index]);
    }
    if (!options.InitialDir.isEmpty()) dialog.setDirectory(options.InitialDir);
    if (!options.FileName.isEmpty()) dialog.selectFile(options.FileName);
    if (!options.DefaultExt.isEmpty()) dialog.setDefaultSuffix(options.DefaultExt);
}

// The window a message box belongs to: the modal window up, else the active
// window, else the main window, which at the start a window manager may not
// have activated yet. A box without an owner is a window of its own that the
// main window can cover while the box blocks the program.
QWidget* MessageOwner()
{
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (QWidget* active = QApplication::activeWindow()) return active;
    const QWidgetList windows = QApplication::topLevelWidgets();
    const auto main = std::find_if(windows.begin(), windows.end(), [](const QWidget* w) {
        return w->isVisible() && qobject_cast<const QMainWindow*>(w);
    });
    return main == windows.end() ? nullptr : *main;
}

std::optional<FileDialogResult> RunFileDialog(QFileDialog& dialog, const FileDialogOptions& options)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    FileDialogResult result;
    result.FileName = WithDefaultExt(dialog.selectedFiles().front(), options.DefaultExt);
    const int index = QtNameFilters(options.Filter).indexOf(dialog.selectedNameFilter());
    result.FilterIndex = index < 0 ? 1 : index + 1;
    return result;
}

} // namespace

int ModalResultOf(TMsgDlgBtn button)
{
    for (const ButtonMap& m : ButtonTable) {
        if (m.button == button) return m.modalResult;
    }
    return mrNone;
}

QStringList QtNameFilters(const QString& filter)
{
    QStringList result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString text = parts[i].trimmed();
        QString patterns = parts[i + 1].trimmed();
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt reads the patterns from the last parenthesis of the text.
        const QString tail = QStringLiteral("(%1)").arg(patterns);
        result << (text.endsWith(tail) ? text : QStringLiteral("%1 %2").arg(text, tail));
    }
    return result;
}

QString WithDefaultExt(const QString& fileName, const QString& defaultExt)
{
    if (defaultExt.isEmpty() || fileName.isEmpty() || !QFileInfo(fileName).suffix().isEmpty())
        return fileName;
    return fileName + QLatin1Char('.') + defaultExt;
}

DialogService& Dialogs()
{
    static QtDialogService qtService;
    return InstalledService ? *InstalledService : qtService;
}

DialogService* SetDialogService(DialogService* service)
{
    return std::exchange(InstalledService, service);
}

// --- Qt ---------------------------------------------------------------------

int QtDialogService::MessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons,
                                int /*helpContext*/)
{
    if (buttons.Empty()) buttons = TMsgDlgBtn::mbOK;
    QMessageBox box(IconOf(type), CaptionOf(type), text, QMessageBox::NoButton, MessageOwner());
    box.setTextFormat(Qt::PlainText); // a file name in the text is shown as it is
    std::vector<std::pair<QAbstractButton*, int>> results;
    for (const ButtonMap& m : ButtonTable) {
        if (buttons.Contains(m.button))
            results.emplace_back(box.addButton(QString::fromLatin1(m.caption), m.role),
                                 m.modalResult);
    }
    // Esc and closing: Cancel, else No, else OK, as far as the box has them.
    int escapeResult = mrCancel;
    for (int wanted : {mrCancel, mrNo, mrOk}) {
        const auto it = std::find_if(results.begin(), results.end(),
                                     [wanted](const auto& r) { return r.second == wanted; });
        if (it != results.end()) {
            box.setEscapeButton(it->first);
            escapeResult = wanted;
            break;
        }
    }
    box.exec();
    for (const auto& [button, result] : results) {
        if (box.clickedButton() == button) return result;
    }
    return escapeResult;
}

std::optional<FileDialogResult> QtDialogService::OpenFileDialog(QWidget* parent,
                                                                const FileDialogOptions& options)
{
    QFileDialog dialog(parent);
    SetUpFileDialog(dialog, options);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return RunFileDialog(dialog, options);
}

std::optional<FileDialogResult> QtDialogService::SaveFileDialog(QWidget* parent,
                                                                const FileDialogOptions& options)
{
    QFileDialog dialog(parent);
    SetUpFileDialog(dialog, options);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.OverwritePrompt);
    return RunFileDialog(dialog, options);
}

std::optional<QColor> QtDialogService::ColorDialog(QWidget* parent, const QColor& initial,
                                                   bool /*fullOpen*/)
{
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid()) return std::nullopt;
    return chosen;
}

bool QtDialogService::PrintDialog(QWidget* parent, QPrinter& printer)
{
    // One copy, all pages, and pages 1 to 9999 to choose from (from 1, to 1).
    printer.setCopyCount(1);
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(1, 1);
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, 9999);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    return dialog.exec() == QDialog::Accepted;
}

bool QtDialogService::PrinterSetupDialog(QWidget* parent, QPrinter& printer)
{
    QPageSetupDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

int QtDialogService::ShowModal(QDialog& form)
{
    return form.exec();
}

// --- scripted ---------------------------------------------------------------

void ScriptedDialogService::QueueMessageResult(int modalResult)
{
    answers_.push_back({Kind::Message, modalResult, {}, {}, false, {}});
}

void ScriptedDialogService::QueueOpenFile(std::optional<QString> fileName, int filterIndex)
{
    Answer a{Kind::OpenFile, mrNone, {}, {}, false, {}};
    if (fileName) a.file = FileDialogResult{*fileName, filterIndex};
    answers_.push_back(std::move(a));
}

void ScriptedDialogService::QueueSaveFile(std::optional<QString> fileName, int filterIndex)
{
    Answer a{Kind::SaveFile, mrNone, {}, {}, false, {}};
    if (fileName) a.file = FileDialogResult{*fileName, filterIndex};
    answers_.push_back(std::move(a));
}

void ScriptedDialogService::QueueColor(std::optional<QColor> color)
{
    answers_.push_back({Kind::Color, mrNone, {}, color, false, {}});
}

void ScriptedDialogService::QueuePrint(bool accepted)
{
    answers_.push_back({Kind::Print, mrNone, {}, {}, accepted, {}});
}

void ScriptedDialogService::QueuePrinterSetup(bool accepted)
{
    answers_.push_back({Kind::PrinterSetup, mrNone, {}, {}, accepted, {}});
}

void ScriptedDialogService::QueueModal(int modalResult, std::function<void(QDialog&)> fill)
{
    answers_.push_back({Kind::Modal, modalResult, {}, {}, false, std::move(fill)});
}

std::optional<ScriptedDialogService::Answer> ScriptedDialogService::Take(Kind kind)
{
    if (answers_.empty() || answers_.front().kind != kind) {
        ++unexpected_;
        return std::nullopt;
    }
    Answer a = std::move(answers_.front());
    answers_.pop_front();
    return a;
}

int ScriptedDialogService::MessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons,
                                      int helpContext)
{
    Request r{Kind::Message, text, type, buttons, helpContext, {}, {}};
    requests_.push_back(std::move(r));
    const auto a = Take(Kind::Message);
    return a ? a->modalResult : mrCancel;
}

std::optional<FileDialogResult>
ScriptedDialogService::OpenFileDialog(QWidget* /*parent*/, const FileDialogOptions& options)
{
    requests_.push_back({Kind::OpenFile, options.Title, TMsgDlgType::mtCustom, {}, 0, options, {}});
    const auto a = Take(Kind::OpenFile);
    return a ? a->file : std::nullopt;
}

std::optional<FileDialogResult>
ScriptedDialogService::SaveFileDialog(QWidget* /*parent*/, const FileDialogOptions& options)
{
    requests_.push_back({Kind::SaveFile, options.Title, TMsgDlgType::mtCustom, {}, 0, options, {}});
    const auto a = Take(Kind::SaveFile);
    if (!a || !a->file) return std::nullopt;
    FileDialogResult result = *a->file;
    result.FileName = WithDefaultExt(result.FileName, options.DefaultExt);
    return result;
}

std::optional<QColor> ScriptedDialogService::ColorDialog(QWidget* /*parent*/, const QColor& initial,
                                                         bool /*fullOpen*/)
{
    requests_.push_back({Kind::Color, {}, TMsgDlgType::mtCustom, {}, 0, {}, initial});
    const auto a = Take(Kind::Color);
    return a ? a->color : std::nullopt;
}

bool ScriptedDialogService::PrintDialog(QWidget* /*parent*/, QPrinter& /*printer*/)
{
    requests_.push_back({Kind::Print, {}, TMsgDlgType::mtCustom, {}, 0, {}, {}});
    const auto a = Take(Kind::Print);
    return a && a->accepted;
}

bool ScriptedDialogService::PrinterSetupDialog(QWidget* /*parent*/, QPrinter& /*printer*/)
{
    requests_.push_back({Kind::PrinterSetup, {}, TMsgDlgType::mtCustom, {}, 0, {}, {}});
    const auto a = Take(Kind::PrinterSetup);
    return a && a->accepted;
}

int ScriptedDialogService::ShowModal(QDialog& form)
{
    requests_.push_back({Kind::Modal, form.windowTitle(), TMsgDlgType::mtCustom, {}, 0, {}, {}});
    const auto a = Take(Kind::Modal);
    if (!a) return mrCancel;
    if (a->fill) a->fill(form);
    return a->modalResult;
}

// --- form base --------------------------------------------------------------

TModalForm::TModalForm(QWidget* parent) : QDialog(parent)
{
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);
}

void TModalForm::SetModalResult(QAbstractButton* button, int modalResult)
{
    connect(button, &QAbstractButton::clicked, this, [this, modalResult] { done(modalResult); });
}

int TModalForm::ShowModal()
{
    return Dialogs().ShowModal(*this);
}

void TModalForm::reject()
{
    done(mrCancel);
}

void TModalForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        ShowHelpContext(HelpContextAt(focusWidget(), HelpContext));
        return;
    }
    QDialog::keyPressEvent(event);
}

void TModalForm::showEvent(QShowEvent* event)
{
    // Centred on the owner (or on the screen without one).
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    const QRect area =
        owner ? owner->frameGeometry() : (screen() ? screen()->availableGeometry() : QRect());
    if (area.isValid()) move(area.center() - rect().center());
    QDialog::showEvent(event);
}
