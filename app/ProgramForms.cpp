#include "app/ProgramForms.h"

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
#include "database/Unit7.h"
#include "platform/Help.h"

TProgramForms::TProgramForms()
{
    main_ = std::make_unique<TForm1>();
    TForm1* form = main_.get();
    // Applies the stored options (and writes them at the first start).
    settings_ = std::make_unique<TSettings>(
        form,
        SettingsHooks{[form] { return form->isVisible() ? form->BoardSplitter->size() : QSize(); },
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

TProgramForms::~TProgramForms()
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
