// Program entry: the application object, the forms created once in their
// order, and the message loop.
#include "app/Unit1.h"
#include "database/MoveTextParser.h"
#include "database/Unit4.h"
#include "database/Unit7.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QScreen>

#include <exception>
#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Velmora Chess");
    QApplication::setApplicationVersion(VELMORA_VERSION);
    try {
        // Forms live until the program ends; each global pointer is set as it is made.
        auto form1 = std::make_unique<TForm1>();
        auto correctMove = std::make_unique<TCorrectMove>(form1.get());
        CorrectMove = correctMove.get();
        auto progressForm = std::make_unique<TProgressForm>(form1.get());
        ProgressForm = progressForm.get();

        // Unreadable moves are shown with the game read so far.
        CorrectMoveDialogHandler correctHandler;
        correctHandler.OnRefresh = [] {
            Form1->RebuildDocument();
            Form1->FormPaint();
            Form1->RefreshMoveViews();
        };
        SetCorrectMoveHandler(&correctHandler);

        // Maximized; without a window manager the screen's area is taken directly.
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            form1->setGeometry(screen->availableGeometry());
        form1->showMaximized();
        QApplication::exec();
        SetCorrectMoveHandler(nullptr);
        ProgressForm = nullptr;
        CorrectMove = nullptr;
    } catch (const std::exception& e) {
        // The forms are gone: nothing may reach them any more.
        SetCorrectMoveHandler(nullptr);
        ProgressForm = nullptr;
        CorrectMove = nullptr;
        Dialogs().MessageDlg(QString::fromLocal8Bit(e.what()), TMsgDlgType::mtError, mbOKOnly, 0);
    }
    return 0;
}
