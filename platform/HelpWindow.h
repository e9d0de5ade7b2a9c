// The help window: one non-modal top-level window with a text browser on
// the pages under :/help and the buttons Contents, Back and Forward. Links
// lead from page to page; the title follows the page shown.
//
// There is at most one: ShowPage makes it when there is none, else opens
// the page in the one there is. Opened while a modal dialog runs, it
// becomes a window of that dialog, so the dialog does not block it, and
// stands on its own again when the dialog closes. It lives until it is
// closed with the program (its owner dialog, or the application's end); it
// never keeps the program running once the main window has closed.
#pragma once

#include <QUrl>
#include <QWidget>

class QPushButton;
class QTextBrowser;

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    void Open(const QUrl& page);
    QTextBrowser* Browser() const { return browser_; }

    // Opens page in the help window and brings it to the front.
    static HelpWindow& ShowPage(const QUrl& page);
    // The help window, or nullptr when there is none.
    static HelpWindow* Current();

private:
    void UpdateTitle();

    QTextBrowser* browser_;
    QPushButton* back_;
    QPushButton* forward_;
};
