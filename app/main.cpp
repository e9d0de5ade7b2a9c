// Program entry: the application object, the forms created once in their
// order, and the message loop.
#include "app/Unit1.h"
#include "app/Unit10.h"
#include "app/Unit11.h"
#include "app/Unit12.h"
#include "app/Unit2.h"
#include "app/Unit3.h"
#include "app/Unit5.h"
#include "app/Unit6.h"
#include "app/Unit9.h"
#include "components/VXSplitter/VXSplitter.h"
#include "database/MoveTextParser.h"
#include "database/Unit4.h"
#include "database/Unit7.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"

#include <QFileInfo>
#include <QScreen>

#include <exception>
#include <memory>

namespace {

// The forms in their order of creation, each global pointer set as its form
// is made and cleared before the forms go, whichever way start-up ends.
class Forms {
public:
    Forms()
    {
        main_ = std::make_unique<TForm1>();
        TForm1* form = main_.get();
        // Applies the stored options (and writes them at the first start).
        settings_ = std::make_unique<TSettings>(
            form, SettingsHooks{
                      [form] { return form->isVisible() ? form->BoardSplitter->size() : QSize(); },
                      [form] { form->RefreshAfterOptions(); },
                      [form](int percent) { form->CheckPieceSize(percent); }});
        Settings = settings_.get();
        promote_ = std::make_unique<TPromoteForm>(main_.get());
        PromoteForm = promote_.get();
        correctMove_ = std::make_unique<TCorrectMove>(main_.get());
        CorrectMove = correctMove_.get();
        about_ = std::make_unique<TAboutBox>(main_.get());
        AboutBox = about_.get();
        search_ = std::make_unique<TSearchPanel>(main_.get());
        SearchPanel = search_.get();
        progress_ = std::make_unique<TProgressForm>(main_.get());
        ProgressForm = progress_.get();
        comments_ = std::make_unique<TComments>(main_.get());
        Comments = comments_.get();
        eval_ = std::make_unique<TEvalForm>(main_.get());
        EvalForm = eval_.get();
        // The symbols are in the game already: document and move views follow.
        EvalForm->OnApplied = [] { Form1->RefreshShownGame(false); };
        autoplay_ = std::make_unique<TAutoplayForm>(main_.get());
        AutoplayForm = autoplay_.get();
        // Last: its cards use the palette as applied.
        demo_ = std::make_unique<TDemo>(main_.get());
        Demo = demo_.get();
        Demo->Hooks = {[] { Form1->Blackwhite1Click(); }, [] { Form1->Velmora2Click(); },
                       [] { Form1->Color1Click(); }, [](int context) { ShowHelpContext(context); }};

        // Unreadable moves are shown with the game read so far.
        correctHandler_.OnRefresh = [] { Form1->RefreshShownGame(true); };
        SetCorrectMoveHandler(&correctHandler_);
    }
    ~Forms()
    {
        SetCorrectMoveHandler(nullptr);
        Demo = nullptr;
        AutoplayForm = nullptr;
        EvalForm = nullptr;
        Comments = nullptr;
        ProgressForm = nullptr;
        SearchPanel = nullptr;
        AboutBox = nullptr;
        CorrectMove = nullptr;
        PromoteForm = nullptr;
        Settings = nullptr;
    }
    Forms(const Forms&) = delete;
    Forms& operator=(const Forms&) = delete;

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
        Forms forms;
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
