// Program entry: the application object, the forms created once in their
// order, and the message loop.
#include "app/ProgramForms.h"
#include "app/Unit1.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"

#include <QFileInfo>
#include <QScreen>

#include <exception>

namespace {

void ShowException(const char* text)
{
    Dialogs().MessageDlg(QString::fromLocal8Bit(text), TMsgDlgType::mtError, mbOKOnly, 0);
}

} // namespace

int main(int argc, char** argv)
{
    TApplication app(argc, argv);
    app.Title = "Velmora Chess";
    QApplication::setApplicationName(app.Title);
    QApplication::setApplicationVersion(VELMORA_VERSION);
    app.HelpFile = QFileInfo(TApplication::ExeName()).absolutePath() + "/velmo.hlp";
    try {
        TProgramForms forms;
        // Maximized; without a window manager the screen's area is taken directly.
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            forms.Main().setGeometry(screen->availableGeometry());
        forms.Main().showMaximized();
        QApplication::exec();
    } catch (const std::exception& e) {
        ShowException(e.what());
    }
    return 0;
}
