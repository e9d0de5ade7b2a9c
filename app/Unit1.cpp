#include "app/Unit1Shared.h"

#include "platform/PageControl.h"
#include "platform/TitleLabel.h"

static_assert(SettingKeys::RecentFile.size() == RecentFileCount);

TSortGrid* GameList = nullptr;
TForm1* Form1 = nullptr;

namespace {

GameRow RowCells(int row)
{
    GameRow cells;
    for (int c = 0; c < GameListColumns; ++c)
        cells[c] = GameList->Cells(c, row);
    return cells;
}

// The share of a splitter pane in percent, as the settings file keeps it:
// the splitter's own per-mille share rounded, so that a share written and
// read back is the same share.
int SharePercent(const TVXSplitter& splitter)
{
    return (splitter.Promile() + 5) / 10;
}

// A recent-file item names its path exactly.
QString RecentPath(const QAction* item)
{
    return CaptionText(item->text());
}

void ShowRecentPath(QAction* item, const QString& path)
{
    item->setText(MenuCaption(path));
}

// The width of a game-list column: as set, or wider when the widest text of
// a fixed form (a full date, a five-digit game number) needs more in the
// list's font, with the cell's inset of 2 pixels on either side.
int GameListColumnWidth(int col)
{
    const int width = GameListColumnInfos[static_cast<std::size_t>(col)].Width;
    const char* widest = col == DateColumn ? "0000.00.00" : col == NumberColumn ? "00000" : nullptr;
    if (!widest) return width;
    GameList->Canvas.Font = GameList->Font();
    return std::max(width, GameList->Canvas.TextWidth(widest) + 4);
}

} // namespace

// ---- Construction ------------------------------------------------------------

TForm1::TForm1(QWidget* parent) : QMainWindow(parent)
{
    // What the program cannot run without; main shows the message and ends.
    if (!LoadEmbeddedFont("Kavdiag", EmbeddedFontHandles[0], KavdiagFontId))
        throw std::runtime_error("No chess font has found.\nExiting program");
    try {
        ResetRtfBuffer(RtfBufferInitialSize);
    } catch (const std::bad_alloc&) {
        EmbeddedFontHandles.Release();
        throw std::runtime_error("Not enough memory.\nExiting program");
    }
    Form1 = this;
    setMinimumSize(320, 320);
    LoadFonts();

    CreatePanes();
    CreateMenus();
    CreateToolBar();
    CreateMoveBar();
    CreateGameList();
    ShowGameList(false);
    CreateMoveGrid();
    CreateBookmarkPage();

    MoveSoundWaves.Load();
    SquareMarks.fill(0);
    InitGameStore();
    CommentList.clear();
    SlideDelayMs = 0; // the options dialog applies the stored speed

    Memo1->SetPopupMenu(EditMenu);
    setWindowTitle(AppTitle);
    LineLength = 0;
    LineAlternatives.assign(1, -1);
    LineAlternativeCount = 0;

    CreatePieceBitmaps();
    BuildBookmarkPieces();
    GenerateMoves();

    Timer1 = new QTimer(this);
    Timer1->setInterval(1400);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    Timer2 = new QTimer(this);
    Timer2->setSingleShot(true);
    Timer2->setInterval(500);
    connect(Timer2, &QTimer::timeout, this, [this] { Timer2Timer(); });
    OpenElo.Options = EloOpenDialogOptions();

    OpenFile.Options.Title = "Open pgn file";
    OpenFile.Options.Filter = "PGN files (*.pgn)|*.pgn";
    OpenFile.Options.DefaultExt = "pgn";
    OpenFile.Tag = 1;
    SaveRtf.Options.Title = "Export rtf";
    SaveRtf.Options.Filter = "Rich Text Format (*.rtf)|*.rtf";
    SaveRtf.Options.DefaultExt = "rtf";
    SaveRtf.Options.OverwritePrompt = true;

    // The options in force before the window is first shown: colour table,
    // prolog and an empty document.
    BuildRtfColorTable();
    RtfPrologEnd = WriteRtfProlog(0);
    RebuildDocument();
    FormCreate();
}

void TForm1::FormCreate()
{
    if (!Application) return;
    Application->OnException = [this](const std::exception* e) { AppException(e); };
    Application->OnHint = [this](const QString& hint) { ShowAppHint(hint); };
    Application->OnMessage = [this](const QKeyEvent& key) { return AppMessage(key); };
    Application->ShowHint = false;
}

TForm1::~TForm1()
{
    // The grids are child widgets and go with the window.
    GameList = nullptr;
    EloGrid = nullptr;
    if (Application) {
        Application->OnException = nullptr;
        Application->OnHint = nullptr;
        Application->OnMessage = nullptr;
    }
    if (Form1 == this) Form1 = nullptr;
}

void TForm1::LoadFonts()
{
    LoadEmbeddedFont("VelmoraChess Swiss", EmbeddedFontHandles[1], SwissFontId);
    LoadEmbeddedFont("VelmoraChess Times", EmbeddedFontHandles[2], TimesFontId);
    LoadEmbeddedFont("Velmora Diagram", EmbeddedFontHandles[3], DiagramFontId);
}

void TForm1::CreatePanes()
{
    ClientArea = new QWidget(this);
    setCentralWidget(ClientArea);

    CreateSplitters();

    Cr = new TPaintBox(BoardSplitter);
    Cr->setObjectName("Cr");
    Cr->move(6, 6);
    Cr->OnPaint = [this](QObject*) {
        if (SquareSize >= MinSquareSize) Cr->Canvas.Draw(0, 0, BoardBitmap);
    };
    Cr->OnMouseDown = [this](QObject*, TMouseButton b, TShiftState, int x, int y) {
        FormMouseDown(b, x, y);
    };
    Cr->OnMouseMove = [this](QObject*, TShiftState, int x, int y) { FormMouseMove(x, y); };
    Cr->OnMouseUp = [this](QObject*, TMouseButton b, TShiftState, int x, int y) {
        FormMouseUp(b, x, y);
    };
    HeadLabel = new TTitleLabel(BoardSplitter);
    HeadLabel->setObjectName("HeadLabel");
    HeadLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    // The game list's text font: names show as there, combining accents
    // over their letters.
    HeadLabel->setFont(QFont(QString::fromLatin1(SwissFamily)));
    HeadLabel->move(6, 6);

    Memo1 = new TRichEdit(ClientArea);
    Memo1->setObjectName("Memo1");
    Memo1->setToolTip("Game list in Rich Text format");
    Memo1->setFrameShape(QFrame::NoFrame);
    Memo1->OnSelectionChange = [this] { Memo1SelectionChange(); };
    Memo1->GlyphText = [](unsigned char byte) {
        return QString::fromStdString(PlainGlyphText(byte, PieceLetterChars));
    };
    SetAlign(Memo1, TAlign::alClient);
    EditMenu = new QMenu(this);

    CreatePages();
    statusBar()->setObjectName("StatusBar1");
}

void TForm1::CreateSplitters()
{
    ListSplitter = new TVXSplitter(ClientArea);
    ListSplitter->setObjectName("ListSplitter");
    ListSplitter->SetKind(TVXSplitterType::splkBottom);
    ListSplitter->SetMinPercent(10);
    ListSplitter->SetMaxPercent(85);
    ListSplitter->SetInitialPercentEnabled(true);
    ListSplitter->SetInitialPercent(36);
    ListSplitter->SetSplitterWidth(6);
    ListSplitter->SetSplitterBevel(TBevelCut::bvRaised);
    ListSplitter->SetShowPercentHint(false);
    ListSplitter->SetCanCollapse(true);
    ListSplitter->SetCollapseButton(true);
    SetAlign(ListSplitter, TAlign::alBottom);

    BoardSplitter = new TVXSplitter(ClientArea);
    BoardSplitter->setObjectName("BoardSplitter");
    BoardSplitter->SetKind(TVXSplitterType::splkLeft);
    BoardSplitter->SetMinPercent(20);
    BoardSplitter->SetMaxPercent(76);
    BoardSplitter->SetInitialPercentEnabled(true);
    BoardSplitter->SetInitialPercent(44);
    BoardSplitter->SetSplitterWidth(6);
    BoardSplitter->SetSplitterBevel(TBevelCut::bvRaised);
    BoardSplitter->SetHintX(4);
    BoardSplitter->SetHintY(4);
    BoardSplitter->SetShowPercentHint(false);
    BoardSplitter->SetCanCollapse(true);
    BoardSplitter->SetCollapseButton(true);
    BoardSplitter->SetBevelOuter(TBevelCut::bvLowered);
    BoardSplitter->OnResize = [this](QObject*) { Splitter1Moved(); };
    SetAlign(BoardSplitter, TAlign::alLeft);
}

void TForm1::CreatePages()
{
    PageControl1 = new QTabWidget(ListSplitter);
    PageControl1->setObjectName("PageControl1");
    SetTabsOnTheLeft(*PageControl1);
    GameSheet = new QWidget;
    GameSheet->setObjectName("GameSheet");
    PageControl1->addTab(GameSheet, "Games");
    TreeSheet = new QWidget;
    TreeSheet->setObjectName("TreeSheet");
    PageControl1->addTab(TreeSheet, "Move tree");
    EloSheet = new QWidget;
    EloSheet->setObjectName("EloSheet");
    PageControl1->addTab(EloSheet, "ELO list");
    EloButton = CreateEloButton(EloSheet);
    connect(EloButton, &QPushButton::clicked, this, [this] { OpenELOlist1Click(); });
    BmSheet = new QWidget;
    BmSheet->setObjectName("BmSheet");
    SetHelpContext(BmSheet, 10);
    PageControl1->addTab(BmSheet, "Bookmarks");
    StatSheet = new QWidget;
    StatSheet->setObjectName("StatSheet");
    PageControl1->addTab(StatSheet, "Statistics");
    StatPage = new TStatisticsPage(StatSheet);
    StatPage->OnShow = [this] { StatSheetShow(); };
    SetAlign(PageControl1, TAlign::alClient);
    connect(PageControl1, &QTabWidget::tabBarClicked, this,
            [this](int) { QTimer::singleShot(0, this, [this] { PageControl1Change(); }); });
}

void TForm1::CreateMenus()
{
    BuildActionRows(*this, menuBar(), MainMenuRows());
    for (std::size_t i = 0; i < RecentItems.size(); ++i)
        RecentItems[i] = menuBar()->findChild<QAction*>(QString("none%1").arg(i + 1));
    BuildActionRows(*this, EditMenu, EditMenuRows());
}

void TForm1::CreateToolBar()
{
    ToolBar1 = addToolBar("Tools");
    ToolBar1->setObjectName("ToolBar1");
    ToolBar1->setMovable(false);
    ToolBar1->setIconSize(QSize(24, 24));
    BuildActionRows(*this, ToolBar1, ToolBarRows());
    OnRightPress(ToolBar1->widgetForAction(ToolButton3), [this] { Autoplay1Click(); });
    // The right button there toggles autoplay and nothing else: the window
    // offers no menu of its tool bars.
    setContextMenuPolicy(Qt::NoContextMenu);
}

// ---- Game list ----------------------------------------------------------------

void TForm1::CreateGameList()
{
    delete GameList;
    auto* grid = new TSortGrid(GameSheet);
    GameList = grid;
    grid->setObjectName("GameList");
    grid->SetTabStop(false);
    grid->SetColCount(GameListColumns);
    grid->SetDefaultColWidth(42);
    grid->SetDefaultRowHeight(19);
    grid->SetFixedCols(0);
    grid->SetRowCount(2);
    grid->SetFixedRows(1);
    grid->SetGridLineWidth(0);
    grid->SetOptions({TGridOption::goFixedVertLine, TGridOption::goFixedHorzLine,
                      TGridOption::goVertLine, TGridOption::goHorzLine, TGridOption::goColSizing,
                      TGridOption::goRowSelect, TGridOption::goThumbTracking});
    TFont font = grid->Font();
    font.SetName(QString::fromLatin1(SwissFamily));
    font.SetHeight(-13);
    font.Charset = ANSI_CHARSET;
    font.Color = clWindowText;
    grid->SetFont(font);
    grid->setToolTip("List of games in the opened database");
    grid->CaseSensitive = false;
    grid->SetAlignmentHorz(TAlignment::taLeftJustify);
    grid->SetAlignmentVert(TVertAlignment::taTopJustify);
    grid->SetProportionalScrollBars(true);
    grid->ExtendedKeys = false;
    grid->SetSortSymbol(TSortSymbol::sgArrow);
    grid->SetSortColumn(0);
    grid->SetSortOnClick(true);
    grid->SetWordWrap(false);
    grid->PrintOptions().Orientation = TPrinterOrientation::poLandscape;
    grid->PrintOptions().PageFooter = QStringLiteral("date|time|page");
    grid->DecodeText = [](const std::string& s) { return Local(s); };
    grid->EncodeText = [](const QString& s) { return Bytes(s); };
    grid->OnMouseDown = [this](QObject*, TMouseButton, TShiftState shift, int x, int y) {
        GameListMouseDown(shift, x, y);
    };
    grid->OnKeyDown = [this](QObject*, int& key, TShiftState) { GameListKeyDown(key); };
    // The loaded game keeps its row through a sort.
    grid->OnEndSort = [](QObject*, int) {
        RepointCurrentGameRow(GameList->RowCount(), [](int row) {
            return std::string(GameList->Cells(NumberColumn, row));
        });
    };
    SetAlign(grid, TAlign::alClient);
}

void TForm1::ShowGameList(bool visible)
{
    GameList->setVisible(visible);
}

void TForm1::Open1Click()
{
    OpenDatabase();
}

bool TForm1::OpenDatabase()
{
    if (ListLoading) return false;

    std::array<std::string, RecentFileCount> recent;
    for (std::size_t i = 0; i < recent.size(); ++i)
        recent[i] = FileNameBytes(RecentPath(RecentItems[i]));
    PushRecentFile(recent, DatabaseFileName);
    for (std::size_t i = 0; i < recent.size(); ++i)
        ShowRecentPath(RecentItems[i], FileNameText(recent[i]));

    if (OpenFile.Tag != 0) {
        OpenFile.Tag = 0;
    } else if (!OpenFile.Execute(this)) {
        return false;
    }

    const std::string path = FileNameBytes(OpenFile.FileName);
    if (OpenDatabaseFile(path) != OpenStatus::Opened) {
        Dialogs().MessageDlg("Can't open PGN file!", TMsgDlgType::mtError, mbOKOnly, 0);
        return false;
    }

    ListSplitter->SetCollapsed(false);
    setWindowTitle(FileNameText(DatabaseCaption(path)));
    GameCount = 0;
    CreateGameList();
    for (int c = 0; c < GameListColumns; ++c) {
        GameList->SetCells(c, 0, GameListColumnInfos[static_cast<std::size_t>(c)].Title);
        GameList->SetColWidths(c, GameListColumnWidth(c));
    }
    GameList->SetSortDirection(TSortDirection::sdAscending);
    WaitCursor wait;

    // Each row's texts move into the list as the index makes it: every cell
    // is made once and held once.
    std::vector<TGridRow> rows;
    IndexOptions options;
    options.Pump = [](std::int32_t) { QCoreApplication::processEvents(); };
    options.OnRow = [&rows](GameRow&& cells) {
        TGridRow& row = rows.emplace_back();
        row.Texts.assign(std::make_move_iterator(cells.Cells.begin()),
                         std::make_move_iterator(cells.Cells.end()));
    };
    const bool indexed = IndexOpenDatabase(options).has_value();
    GameList->SetRowCount(GameCount + 1);
    if (indexed) {
        TGridCells& store = GameList->CellStore();
        for (std::size_t i = 0; i < rows.size(); ++i)
            store.AssignRow(static_cast<int>(i) + 1, std::move(rows[i]));
    }
    GameList->Invalidate();
    ShowGameList(true);
    PageControl1->setCurrentWidget(GameSheet);
    GameList->setFocus();
    setWindowTitle(FileNameText(DatabaseCaption(path, GameCount)));
    return true;
}

void TForm1::OpenDClick()
{
    if (ConfirmSaveGame()) Open1Click();
}

void TForm1::none1Click(QAction* item)
{
    // An item that names no file yet opens nothing.
    const QString path = RecentPath(item);
    if (path == "(none)" || !ConfirmSaveGame()) return;
    OpenFile.FileName = path;
    OpenFile.Tag = 1;
    Open1Click();
    OpenFile.Tag = 0;
}

void TForm1::Close1Click()
{
    if (DatabaseFileHandle == -1) return;
    if (!CloseDatabaseFile()) return;
    CreateGameList();
    ShowGameList(false);
    CurrentGameRow = -1;
    DatabaseFileName.clear();
    setWindowTitle(AppTitle);
}

void TForm1::LoadGame(int row, bool keepPath)
{
    if (row < 1 || row >= GameList->RowCount()) return;
    GameLoadHooks hooks;
    hooks.ShowDocument = [this] { RebuildDocument(); };
    hooks.ShowPosition = [this] { RefreshAfterNavigation(); };
    const GameLoadResult result = ::LoadGame(row, RowCells(row), keepPath, LoadToMove, hooks);
    if (result.Status != LoadStatus::Loaded) {
        // The list's cursor goes back to the game that stays shown.
        if (CurrentGameRow > 0 && CurrentGameRow < GameList->RowCount())
            GameList->SetRow(CurrentGameRow);
        if (result.Status == LoadStatus::Changed)
            Dialogs().MessageDlg(DatabaseChangedText, TMsgDlgType::mtError, mbOKOnly, 0);
        return;
    }
    HeadLabel->setText(Local(result.Title));
    PlaceHeadLabel();
}

void TForm1::GameListMouseDown(TShiftState shift, int x, int y)
{
    if (!shift.Contains(TShiftFlag::ssDouble) || DatabaseFileHandle == -1) return;
    if (!ConfirmSaveGame()) return;
    int col = 0, row = 0;
    GameList->MouseToCell(x, y, col, row);
    if (row > 0) LoadGame(row, true);
}

void TForm1::GameListKeyDown(int& key)
{
    if ((key != Qt::Key_Return && key != Qt::Key_Enter) || DatabaseFileHandle == -1) return;
    if (!ConfirmSaveGame()) return;
    if (GameList->Row() != 0) LoadGame(GameList->Row(), true);
}

void TForm1::ToolButton5Click()
{
    if (GameList->Row() >= GameList->RowCount() - 1 || !ConfirmSaveGame()) return;
    PageControl1->setCurrentWidget(GameSheet);
    GameList->setFocus();
    GameList->SetRow(GameList->Row() + 1);
    LoadGame(GameList->Row(), true);
}

void TForm1::ToolButton6Click()
{
    if (GameList->Row() < 2 || !ConfirmSaveGame()) return;
    PageControl1->setCurrentWidget(GameSheet);
    GameList->setFocus();
    GameList->SetRow(GameList->Row() - 1);
    LoadGame(GameList->Row(), true);
}

bool TForm1::ConfirmSaveGame()
{
    if (LineLength == 0 || !GameModified) return true;
    const int answer =
        Dialogs().MessageDlg("Save game?", TMsgDlgType::mtConfirmation, mbYesNoCancel, 0);
    if (answer == mrCancel) return false;
    // Yes keeps the game as the program can: as an RTF export of it. A
    // save given up or failed abandons the command: nothing is lost.
    if (answer == mrYes) {
        if (!SaveRtf.Execute(this)) return false;
        if (!Memo1->SaveToFile(SaveRtf.FileName)) {
            Dialogs().MessageDlg("Can't write " + SaveRtf.FileName, TMsgDlgType::mtError, mbOKOnly,
                                 0);
            return false;
        }
    }
    GameModified = 0;
    return true;
}

void TForm1::Overridemove1Click()
{
    // The item's check mark is the mode; its row makes it a check item.
}

void TForm1::New1Click()
{
    if (!ConfirmSaveGame()) return;
    GameModified = 0;
    SetStartPosition();
    LineLength = CurrentPly = MoveNodeCount = 0;
    GameResult = -1;
    CurrentGameRow = -1;
    HeadLabel->setText("");
    GenerateMoves();
    RefreshShownGame(true);
}

void TForm1::Revertgame1Click()
{
    if (!GameModified) return;
    if (Dialogs().MessageDlg("Omit changes / restore game?", TMsgDlgType::mtConfirmation, mbYesNo,
                             0) != mrYes)
        return;
    // The game that was edited comes back, wherever the list's cursor stands.
    if (DatabaseFileHandle != -1 && CurrentGameRow >= 1) LoadGame(CurrentGameRow, true);
}

void TForm1::Gameslist1Click()
{
    ShowPage(GameSheet);
}

void TForm1::Moveslist1Click()
{
    ShowPage(TreeSheet);
}

void TForm1::ELOlist1Click()
{
    ShowPage(EloSheet);
}

void TForm1::Bookmarks1Click()
{
    ShowPage(BmSheet);
}

void TForm1::Statistics1Click()
{
    ShowPage(StatSheet);
}

void TForm1::ShowPage(QWidget* page)
{
    PageControl1->setCurrentWidget(page);
    PageControl1Change();
}

void TForm1::PageControl1Change()
{
    const struct {
        QWidget* Page;
        QAction* Item;
        QWidget* Focus;
    } pages[] = {{GameSheet, Gameslist1, GameList},
                 {TreeSheet, Moveslist1, MoveGrid},
                 {EloSheet, ELOlist1, EloGrid},
                 {BmSheet, Bookmarks1, nullptr},
                 {StatSheet, Statistics1, nullptr}};
    for (const auto& p : pages) {
        if (PageControl1->currentWidget() != p.Page) continue;
        p.Item->setChecked(true);
        if (p.Focus && p.Focus->isVisible()) p.Focus->setFocus();
    }
}

// ---- The notation document -------------------------------------------------------

std::size_t TForm1::WriteGameHeaderRtf(std::size_t pos, int row)
{
    return ::WriteGameHeaderRtf(pos, row,
                                [row](int col) { return std::string(GameList->Cells(col, row)); });
}

void TForm1::RebuildDocument()
{
    BuildMoveList(WriteGameHeaderRtf(RtfPrologEnd, CurrentGameRow));
    ShowRtfDocument(RtfBuffer.data(), Memo1);
}

void TForm1::RefreshShownGame(bool positionChanged)
{
    RebuildDocument();
    if (positionChanged) FormPaint();
    RefreshMoveViews();
}

void TForm1::RefreshAfterEdit(bool positionChanged)
{
    GameModified = 1;
    RefreshShownGame(positionChanged);
}

void TForm1::RefreshAfterOptions()
{
    ApplyMoveGridFont(*MoveGrid);
    ResizeBoard();
    RebuildDocument();
    RefreshMoveViews();
}

void TForm1::RefreshAfterNavigation()
{
    FormPaint();
    RefreshMoveViews();
}

void TForm1::ShowRtfDocument(const char* text, TRichEdit* memo)
{
    const bool visible = !memo->isHidden();
    memo->setVisible(false);
    {
        SelectionHandlerDetached detached(*memo);
        memo->LoadRtf(std::string_view(text));
        memo->SetTextMargins(5, 6);
    }
    memo->setVisible(visible);
}

void TForm1::Button1Click()
{
    if (!SaveRtf.Execute(this)) return;
    PageControl1->setCurrentWidget(GameSheet);
    if (!Memo1->SaveToFile(SaveRtf.FileName))
        Dialogs().MessageDlg("Can't write " + SaveRtf.FileName, TMsgDlgType::mtError, mbOKOnly, 0);
    GameList->setFocus();
}

void TForm1::ExportAllGames()
{
    if (ListLoading || DatabaseFileHandle == -1 || GameList->RowCount() < 2) return;
    if (!ConfirmSaveGame() || !SaveRtf.Execute(this)) return;
    ProgressForm->Hooks.GameRowCount = [] { return GameList->RowCount(); };
    ProgressForm->Hooks.LoadGame = [this](int row) { LoadGame(row, false); };
    ProgressForm->Hooks.Document = [this] { return Memo1->SaveToStream(); };
    ProgressForm->Hooks.ShowViews = [this](bool visible) {
        Memo1->setVisible(visible);
        Cr->setVisible(visible);
        if (!visible) PageControl1->setCurrentWidget(GameSheet);
    };
    ProgressForm->Export(SaveRtf.FileName);
    // The last game exported stays loaded: the board, hidden meanwhile, and
    // the list's cursor come to it too.
    if (CurrentGameRow >= 1) GameList->SetRow(CurrentGameRow);
    RefreshAfterNavigation();
}

void TForm1::Copyall1Click()
{
    const bool visible = !Memo1->isHidden();
    Memo1->setVisible(false);
    {
        SelectionHandlerDetached detached(*Memo1);
        Memo1->SelectAll();
        Memo1->CopyToClipboard();
    }
    RefreshMoveViews();
    Memo1->setVisible(visible);
}

void TForm1::Print1Click()
{
    if (LineLength == 0) return;
    QPrinter& printer = SystemPrinter();
    if (!Dialogs().PrintDialog(this, printer)) return;
    QtPrinterDevice device(printer);
    Memo1->PageRect =
        PrintPageRect(device, LeftMarginMm, RightMarginMm, TopMarginMm, BottomMarginMm);
    QCoreApplication::processEvents();
    if (Memo1->Print(device, "").Ok) return;
    // A job printed to a file left the old file as it was.
    const QString file = printer.outputFileName();
    Dialogs().MessageDlg(file.isEmpty() ? QStringLiteral("Can't print the game!")
                                        : "Can't write " + file,
                         TMsgDlgType::mtError, mbOKOnly, 0);
}

// ---- Board and move views ---------------------------------------------------------

void TForm1::FormPaint()
{
    // A board too small to draw shows nothing, neither board nor title.
    const bool drawn = SquareSize >= MinSquareSize;
    HeadLabel->setVisible(drawn);
    if (!drawn) Cr->update();
    if (!drawn || !Cr->isVisible()) return;
    PlaceHeadLabel();
    PaintBoardBitmap();
    Cr->update();
}

void TForm1::PlaceHeadLabel()
{
    // As wide as the board (a longer title is cut there), as high as its text.
    HeadLabel->move(HeadLabel->x(), Cr->y() + Cr->height() + 1);
    HeadLabel->resize(Cr->width(), HeadLabel->sizeHint().height());
}

void TForm1::CreatePieceBitmaps()
{
    BuildPieceBitmaps(SquareSize, Cr->width());
}

void TForm1::ResizeBoard()
{
    BoardMargin = BoardMarginFor(SquareSize);
    const int w = 8 * SquareSize + 2 * BoardMargin;
    Cr->resize(w, w);
    CreatePieceBitmaps();
    FormPaint();
}

void TForm1::Splitter1Moved()
{
    const BoardFit fit = FitBoardToPane(BoardSplitter->width(), BoardSplitter->height());
    QFont font = HeadLabel->font();
    font.setPointSize(fit.HeadFontSize);
    HeadLabel->setFont(font);
    SquareSize = fit.SquareSize;
    ResizeBoard();
    Memo1->viewport()->update();
}

void TForm1::RefreshMoveViews()
{
    {
        // The current move is selected in the move list, scrolled so that
        // the lines after it show too.
        SelectionHandlerDetached detached(*Memo1);
        const int node = CurrentMoveNode();
        int last = MoveNodeCount - 1;
        while (last >= 0 && MoveNodes[last].Kind != NodeKind::nkMove)
            --last;
        if (node >= 0 && node == last) {
            Memo1->SetSelStart(Memo1->GetTextLen());
        } else if (node >= 0 && CurrentPly == LineLength) {
            Memo1->SetSelStart(std::min<int>(MoveNodes[node].TextPos + 28, Memo1->GetTextLen()));
        }
        Memo1->SetSelStart(node >= 0 ? static_cast<int>(MoveNodes[node].TextPos) : 0);
        Memo1->SetSelLength(node >= 0 ? MoveNodes[node].TextLength : 0);
    }
    FillMoveGrid(*MoveGrid);
    ShowSwButtonImage();
}

void TForm1::CreateMoveGrid()
{
    MoveGrid = new TStringGrid(TreeSheet);
    MoveGrid->setObjectName("MoveGrid");
    MoveGrid->SetFixedRows(0);
    MoveGrid->SetFixedCols(0);
    MoveGrid->SetColor(0xC1C1C1);
    MoveGrid->SetDefaultColWidth(94);
    MoveGrid->SetDefaultRowHeight(17);
    MoveGrid->DefaultDrawing = false;
    MoveGrid->SetOptions({TGridOption::goVertLine, TGridOption::goHorzLine,
                          TGridOption::goDrawFocusSelected, TGridOption::goThumbTracking});
    MoveGrid->SetGridLineColor(0xDFDFDF);
    TFont font = MoveGrid->Font();
    font.SetName("VelmoraChess Swiss");
    font.SetStyle({TFontStyle::fsBold});
    MoveGrid->SetFont(font);
    MoveGrid->DecodeText = [](const std::string& s) { return DecodeNotationText(s); };
    MoveGrid->OnDrawCell = [this](QObject*, int c, int r, const TRect& rect, TGridDrawState st) {
        MoveGridDrawCell(c, r, rect, st);
    };
    MoveGrid->OnMouseDown = [this](QObject*, TMouseButton, TShiftState, int, int) {
        MoveGridMouseDown();
    };
    MoveGrid->OnMouseUp = [this](QObject*, TMouseButton b, TShiftState, int x, int y) {
        MoveGridMouseUp(b, x, y);
    };
    SetAlign(MoveGrid, TAlign::alClient);
}

void TForm1::MoveGridDrawCell(int col, int row, const TRect& rect, TGridDrawState state)
{
    DrawMoveGridCell(*MoveGrid, col, row, rect, state);
}

void TForm1::MoveGridMouseDown()
{
    // The grid's own reaction to the press repaints no cell.
    MoveGrid->OnDrawCell = nullptr;
}

void TForm1::MoveGridMouseUp(TMouseButton button, int x, int y)
{
    MoveGrid->OnDrawCell = [this](QObject*, int c, int r, const TRect& rect, TGridDrawState st) {
        MoveGridDrawCell(c, r, rect, st);
    };
    if (button != TMouseButton::mbLeft || DragFrom != -1) return;
    int col = 0, row = 0;
    MoveGrid->MouseToCell(x, y, col, row);
    const std::optional<TreeClick> click = MoveGridClickTarget(*MoveGrid, col, row);
    if (!click) {
        MoveGrid->Invalidate();
        return;
    }
    if (click->SameLine)
        CurrentPly = click->Ply;
    else
        StepToNode(click->Node);
    RefreshAfterNavigation();
}

// ---- Life cycle ----------------------------------------------------------------------

void TForm1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (shown_) return;
    shown_ = true;
    // After the first layout, so that the panes have their sizes.
    QTimer::singleShot(0, this, [this] { FormShow(); });
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (BoardBitmap.isNull()) return;
    Splitter1Moved();
}

void TForm1::FormShow()
{
    ReadLastState();
}

void TForm1::RestoreLayout(const TMemIniFile& ini)
{
    using namespace SettingKeys;
    BoardSplitter->SetInitialPercent(
        ReadSetting(ini, LayoutBoard, BoardSplitter->InitialPercent()));
    BoardSplitter->Calibrate();
    ListSplitter->SetInitialPercent(ReadSetting(ini, LayoutList, ListSplitter->InitialPercent()));
    ListSplitter->Calibrate();
    for (std::size_t i = 0; i < RecentItems.size(); ++i)
        ShowRecentPath(RecentItems[i], FileNameText(ReadTextSetting(ini, RecentFile[i])));
}

void TForm1::ReadLastState()
{
    using namespace SettingKeys;
    TMemIniFile ini(SettingsFileName());
    QString file = FileNameText(ReadTextSetting(ini, GameFile));
    if (!file.isEmpty() && QFileInfo(file).path() == "." && !file.contains('/'))
        file = QFileInfo(TApplication::ExeName()).absolutePath() + "/" + file;
    OpenFile.FileName = file;
    const int number = ReadIntSetting(ini, GameNumber);
    const std::string node = ReadTextSetting(ini, GameNode);
    RestoreLayout(ini);
    const bool skipIntro = ReadFlagSetting(ini, SettingKeys::SkipIntro);

    if (!file.isEmpty()) {
        Open1Click();
        if (DatabaseFileHandle != -1 && number >= 0 && number < GameList->RowCount()) {
            GameList->SetRow(number);
            if (number != 0) LoadGame(number, false);
            HexToMovePath(node, SavedLine.data(), MovePathCapacity);
            GoToMovePath(SavedLine.data());
            RefreshAfterNavigation();
        }
    }
    OpenFile.Tag = 0;
    SkipIntro = skipIntro;
    if (Demo) Demo->SkipIntro->setChecked(skipIntro);
    if (!skipIntro) Timer2->start();
}

bool TForm1::FormCloseQuery()
{
    return ConfirmSaveGame();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    if (ListLoading || (ProgressForm && ProgressForm->Tag != 0) || !FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TForm1::FormClose()
{
    if (Settings) Settings->SaveSettings();
    if (DatabaseFileHandle == -1 || LineLength == 0) DatabaseFileName.clear();
    WriteLastState();
    CloseDatabaseFile();
    MoveSoundWaves.Release();
    EmbeddedFontHandles.Release();
}

void TForm1::WriteLastState()
{
    using namespace SettingKeys;
    TMemIniFile ini(SettingsFileName());
    WriteTextSetting(ini, GameFile, DatabaseFileName);
    int number = 1;
    if (!DatabaseFileName.empty()) {
        // A game that is no row of the list (a new game) is stored as none.
        number = CurrentGameRow > 0
                     ? std::atoi(std::string(GameList->Cells(NumberColumn, CurrentGameRow)).c_str())
                     : 0;
    }
    WriteSetting(ini, GameNumber, number);
    WriteTextSetting(ini, GameNode, MovePathToHex());
    WriteSetting(ini, LayoutBoard, SharePercent(*BoardSplitter));
    WriteSetting(ini, LayoutList, SharePercent(*ListSplitter));
    for (std::size_t i = 0; i < RecentItems.size(); ++i)
        WriteTextSetting(ini, RecentFile[i], FileNameBytes(RecentPath(RecentItems[i])));
    WriteFlagSetting(ini, SettingKeys::SkipIntro, Demo ? Demo->SkipIntro->isChecked() : SkipIntro);
    if (Settings)
        Settings->UpdateSettingsFile(ini);
    else
        ini.UpdateFile();
}

void TForm1::Exit1Click()
{
    close();
}

void TForm1::AppException(const std::exception*) {}

void TForm1::ShowAppHint(const QString& hint)
{
    statusBar()->showMessage(hint);
}
