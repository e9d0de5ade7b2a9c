#include "platform/HelpWindow.h"

#include "platform/Help.h"

#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

QPointer<HelpWindow> Instance;
bool EndRegistered = false;

// Deletes the window before the application goes.
void DeleteAtEnd()
{
    delete Instance.data();
    EndRegistered = false;
}

// Moves the window under a new owner (nullptr: on its own), keeping where
// it stands and whether it is shown.
void Reparent(HelpWindow& w, QWidget* owner)
{
    const QRect where = w.geometry();
    const bool shown = w.isVisible();
    w.setParent(owner, Qt::Window);
    w.setGeometry(where);
    if (shown) w.show();
}

// Under the modal dialog that runs, if any, so that it can be used; on its
// own again once that dialog is done.
void FollowModal(HelpWindow& w)
{
    QWidget* modal = QApplication::activeModalWidget();
    if (w.parentWidget() == modal) return;
    Reparent(w, modal);
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        QObject::connect(
            dialog, &QDialog::finished, &w,
            [&w, dialog] {
                if (w.parentWidget() == dialog) Reparent(w, nullptr);
            },
            Qt::SingleShotConnection);
}

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("HelpWindow");
    // The program ends with its main window, whether help is open or not.
    setAttribute(Qt::WA_QuitOnClose, false);
    auto* contents = new QPushButton(tr("&Contents"), this);
    back_ = new QPushButton(tr("&Back"), this);
    forward_ = new QPushButton(tr("&Forward"), this);
    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(false);
    browser_->setOpenLinks(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_);

    connect(contents, &QPushButton::clicked, this, [this] { Open(HelpContentsUrl()); });
    connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::UpdateTitle);
    back_->setEnabled(false);
    forward_->setEnabled(false);
    resize(620, 680);
}

void HelpWindow::Open(const QUrl& page)
{
    if (browser_->source() == page)
        browser_->scrollToAnchor(page.fragment());
    else
        browser_->setSource(page);
    UpdateTitle();
}

void HelpWindow::UpdateTitle()
{
    const QString page = browser_->documentTitle();
    const QString program = QStringLiteral("Velmora Chess Help");
    setWindowTitle(page.isEmpty() ? program : page + QStringLiteral(" - ") + program);
}

HelpWindow& HelpWindow::ShowPage(const QUrl& page)
{
    if (!Instance) {
        Instance = new HelpWindow;
        if (!EndRegistered) {
            qAddPostRoutine(DeleteAtEnd);
            EndRegistered = true;
        }
    }
    HelpWindow& w = *Instance;
    FollowModal(w);
    w.Open(page);
    w.show();
    w.raise();
    w.activateWindow();
    return w;
}

HelpWindow* HelpWindow::Current()
{
    return Instance.data();
}
