#include "app/Unit1.h"

#include "app/BoardView.h"
#include "app/OptionValues.h"
#include "components/SortGrid.h"
#include "components/VXSplitter/VXSplitter.h"
#include "database/DatabaseFile.h"
#include "database/GameHeaderRtf.h"
#include "database/GameLoader.h"
#include "database/MoveListRtf.h"
#include "database/RtfBuffer.h"
#include "database/RtfProlog.h"
#include "database/Unit4.h"
#include "database/Unit7.h"
#include "platform/AlignLayout.h"
#include "platform/CodePage.h"
#include "platform/Fonts.h"
#include "platform/IniFile.h"
#include "platform/PaintBox.h"
#include "platform/Printer.h"
#include "platform/RichEdit.h"
#include "platform/Sound.h"
#include "rules/Board.h"
#include "rules/GameStore.h"
#include "rules/MoveGen.h"
#include "rules/Navigation.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

TSortGrid* GameList = nullptr;
TForm1* Form1 = nullptr;

namespace {

constexpr const char* AppTitle = "Velmora Chess";

QString Local(const std::string& bytes) { return DecodeGameText(bytes); }
std::string Bytes(const QString& text) { return EncodeGameText(text); }

// File names are kept in the system's 8-bit encoding.
QString FileNameText(const std::string& name) { return QString::fromLocal8Bit(name); }
std::string FileNameBytes(const QString& name) { return name.toLocal8Bit().toStdString(); }

GameRow RowCells(int row)
{
    GameRow cells;
    for (int c = 0; c < GameListColumns; ++c) cells[c] = GameList->Cells(c, row);
    return cells;
}

// The share of a splitter pane in percent, as the settings file keeps it:
// the splitter's own per-mille share rounded, so that a share written and
// read back is the same share.
int SharePercent(const TVXSplitter& splitter)
{
    return (splitter.Promile() + 5) / 10;
}

// Detaches a move list's selection handler while the program itself changes
// the text or the selection, and attaches it again.
class SelectionHandlerDetached {
public:
    explicit SelectionHandlerDetached(TRichEdit& memo)
        : memo_(memo), handler_(std::move(memo.OnSelectionChange))
    {
        memo_.OnSelectionChange = nullptr;
    }
    ~SelectionHandlerDetached() { memo_.OnSelectionChange = std::move(handler_); }
    SelectionHandlerDetached(const SelectionHandlerDetached&) = delete;
    SelectionHandlerDetached& operator=(const SelectionHandlerDetached&) = delete;

private:
    TRichEdit& memo_;
    std::function<void()> handler_;
};

} // namespace

// ---- Move paths in the settings file ---------------------------------------

std::string MovePathToHex()
{
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    for (int p = 0; p < CurrentPly; ++p) {
        const int node = Positions[p].PlayedNode;
        if (node < 0 || node >= MoveNodeCount) break;
        const std::uint8_t code = MoveNodes[node].Code;
        hex += digits[code >> 4];
        hex += digits[code & 15];
    }
    return hex;
}

void HexToMovePath(const std::string& hex, std::uint8_t* path, int capacity)
{
    if (capacity <= 0) return;
    auto value = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    int n = 0;
    for (std::size_t k = 0; k + 1 < hex.size() && n < capacity - 1; k += 2) {
        const int hi = value(hex[k]), lo = value(hex[k + 1]);
        if (hi < 0 || lo < 0) break;
        path[n++] = static_cast<std::uint8_t>(16 * hi + lo);
    }
    path[n] = MovePathEnd;
}

// ---- Construction ------------------------------------------------------------

TForm1::TForm1(QWidget* parent) : QMainWindow(parent)
{
    Form1 = this;
    setMinimumSize(320, 320);

    if (!LoadEmbeddedFont("Kavdiag", EmbeddedFontHandles[0], KavdiagFontId)) {
        Dialogs().MessageDlg("No chess font has found.\nExiting program", TMsgDlgType::mtError,
                             mbOKOnly, 0);
        std::exit(0);
    }
    ResetRtfBuffer(RtfBufferInitialSize);
    LoadFonts();

    CreatePanes();
    CreateMenus();
    CreateToolBar();
    CreateGameList();
    ShowGameList(false);

    MoveSoundWaves.Load();
    SquareMarks.fill(0);
    InitGameStore();
    CommentList.clear();
    SlideDelayMs = 0;

    Memo1->SetPopupMenu(EditMenu);
    setWindowTitle(AppTitle);
    LineLength = 0;
    LineAlternatives.assign(1, -1);
    LineAlternativeCount = 0;

    CreatePieceBitmaps();
    GenerateMoves();

    Timer2 = new QTimer(this);
    Timer2->setSingleShot(true);
    Timer2->setInterval(500);

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
}

TForm1::~TForm1()
{
    // GameList is a child widget and goes with the window.
    GameList = nullptr;
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

    Cr = new TPaintBox(BoardSplitter);
    Cr->setObjectName("Cr");
    Cr->move(6, 6);
    Cr->OnPaint = [this](QObject*) { Cr->Canvas.Draw(0, 0, BoardBitmap); };
    HeadLabel = new QLabel(BoardSplitter);
    HeadLabel->setObjectName("HeadLabel");
    HeadLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    HeadLabel->move(6, 6);

    Memo1 = new TRichEdit(ClientArea);
    Memo1->setObjectName("Memo1");
    Memo1->setToolTip("Game list in Rich Text format");
    Memo1->setFrameShape(QFrame::NoFrame);
    SetAlign(Memo1, TAlign::alClient);
    EditMenu = new QMenu(this);

    PageControl1 = new QTabWidget(ListSplitter);
    PageControl1->setObjectName("PageControl1");
    PageControl1->setTabPosition(QTabWidget::West);
    GameSheet = new QWidget;
    GameSheet->setObjectName("GameSheet");
    PageControl1->addTab(GameSheet, "Games");
    SetAlign(PageControl1, TAlign::alClient);
    connect(PageControl1, &QTabWidget::tabBarClicked, this,
            [this](int) { QTimer::singleShot(0, this, [this] { PageControl1Change(); }); });

    statusBar()->setObjectName("StatusBar1");
}

void TForm1::CreateMenus()
{
    auto add = [this](QMenu* menu, const QString& text, const QKeySequence& key,
                      const QString& hint, auto handler) {
        QAction* a = menu->addAction(text);
        if (!key.isEmpty()) a->setShortcut(key);
        a->setStatusTip(hint);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };

    QMenu* file = menuBar()->addMenu("&File");
    add(file, "&Open database...", QKeySequence("Ctrl+O"), "Opens a PGN database",
        [this] { OpenDClick(); });
    QMenu* recent = file->addMenu("&Recent files");
    for (int i = 0; i < RecentFileCount; ++i) {
        QAction* item = recent->addAction("(none)");
        item->setObjectName(QString("none%1").arg(i + 1));
        item->setShortcut(QKeySequence(QString("Ctrl+F%1").arg(i + 1)));
        connect(item, &QAction::triggered, this, [this, item] { none1Click(item); });
        RecentItems[static_cast<std::size_t>(i)] = item;
    }
    add(file, "&Close", {}, "Closes the opened database", [this] { Close1Click(); });
    file->addSeparator();
    QMenu* exportMenu = file->addMenu("&Export rtf");
    add(exportMenu, "&This game", QKeySequence("Ctrl+E"), "Exports the game as an RTF file",
        [this] { Button1Click(); });
    add(exportMenu, "&All games", {}, "Exports every game of the list into one RTF file",
        [this] { ExportAllGames(); });
    add(file, "&Print...", QKeySequence("Ctrl+P"),
        "Prints the movelist document to the selected printer (Ctrl P)",
        [this] { Print1Click(); });
    file->addSeparator();
    add(file, "E&xit", {}, "Exits the program", [this] { Exit1Click(); });

    QMenu* game = menuBar()->addMenu("&Game");
    add(game, "&New game", QKeySequence("Ctrl+N"),
        "Starts a new, blank game from the basic position (Ctrl N)", [this] { New1Click(); });
    add(game, "Ne&xt game", QKeySequence("Ctrl+PgDown"), "Loads the next game (Ctrl PgDn)",
        [this] { ToolButton5Click(); });
    add(game, "Pre&vious game", QKeySequence("Ctrl+PgUp"), "Loads the previous game (Ctrl PgUp)",
        [this] { ToolButton6Click(); });
    add(game, "&Revert game", {}, "Reloads the game, dropping the edits",
        [this] { Revertgame1Click(); });

    QMenu* view = menuBar()->addMenu("&View");
    Gameslist1 = add(view, "&Games list", QKeySequence("F3"), "Shows the list of games",
                     [this] { Gameslist1Click(); });
    Gameslist1->setCheckable(true);
    Gameslist1->setChecked(true);

    QAction* copy = EditMenu->addAction("Copy r&tf");
    copy->setStatusTip("Copies formatted move text to clipboard");
    connect(copy, &QAction::triggered, this, [this] { Copyall1Click(); });
}

void TForm1::CreateToolBar()
{
    ToolBar1 = addToolBar("Tools");
    ToolBar1->setObjectName("ToolBar1");
    ToolBar1->setMovable(false);
    auto add = [this](const QString& text, const QString& hint, auto handler) {
        QAction* a = ToolBar1->addAction(text);
        a->setToolTip(hint);
        a->setStatusTip(hint);
        connect(a, &QAction::triggered, this, handler);
    };
    add("Open", "Opens the selected database (Ctrl O)", [this] { Open1Click(); });
    add("New", "Starts a new, blank game from the basic position (Ctrl N)",
        [this] { New1Click(); });
    add("Previous", "Loads the previous game (Ctrl PgUp)", [this] { ToolButton6Click(); });
    add("Next", "Loads the next game (Ctrl PgDn)", [this] { ToolButton5Click(); });
    add("Copy", "Copies formatted game text", [this] { Copyall1Click(); });
    add("Print", "Prints the movelist document to the selected printer (Ctrl P)",
        [this] { Print1Click(); });
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
                      TGridOption::goVertLine, TGridOption::goHorzLine,
                      TGridOption::goColSizing, TGridOption::goRowSelect,
                      TGridOption::goThumbTracking});
    TFont font = grid->Font();
    font.SetName("VelmoraChess Swiss");
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
    grid->DecodeText = [](const std::string& s) { return Local(s); };
    grid->EncodeText = [](const QString& s) { return Bytes(s); };
    grid->OnMouseDown = [this](QObject*, TMouseButton, TShiftState shift, int x, int y) {
        GameListMouseDown(shift, x, y);
    };
    grid->OnKeyDown = [this](QObject*, int& key, TShiftState) { GameListKeyDown(key); };
    // The loaded game keeps its row through a sort.
    grid->OnEndSort = [](QObject*, int) {
        RepointCurrentGameRow(GameList->RowCount(),
                              [](int row) { return GameList->Cells(NumberColumn, row); });
    };
    SetAlign(grid, TAlign::alClient);
}

void TForm1::ShowGameList(bool visible)
{
    GameList->setVisible(visible);
}

void TForm1::Open1Click()
{
    if (ListLoading) return;

    std::array<std::string, RecentFileCount> recent;
    for (int i = 0; i < RecentFileCount; ++i)
        recent[static_cast<std::size_t>(i)] = FileNameBytes(RecentItems[static_cast<std::size_t>(i)]->text());
    PushRecentFile(recent, DatabaseFileName);
    for (int i = 0; i < RecentFileCount; ++i)
        RecentItems[static_cast<std::size_t>(i)]->setText(FileNameText(recent[static_cast<std::size_t>(i)]));

    if (OpenFile.Tag != 0) {
        OpenFile.Tag = 0;
    } else if (!OpenFile.Execute(this)) {
        return;
    }

    const std::string path = FileNameBytes(OpenFile.FileName);
    if (OpenDatabaseFile(path) != OpenStatus::Opened) {
        Dialogs().MessageDlg("Can't open PGN file!", TMsgDlgType::mtError, mbOKOnly, 0);
        return;
    }

    ListSplitter->SetCollapsed(false);
    setWindowTitle(FileNameText(DatabaseCaption(path)));
    GameCount = 0;
    CreateGameList();
    for (int c = 0; c < GameListColumns; ++c) {
        GameList->SetCells(c, 0, GameListColumnInfos[static_cast<std::size_t>(c)].Title);
        GameList->SetColWidths(c, GameListColumnInfos[static_cast<std::size_t>(c)].Width);
    }
    GameList->SetSortDirection(TSortDirection::sdAscending);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);

    IndexOptions options;
    options.Pump = [](std::int32_t) { QCoreApplication::processEvents(); };
    const std::optional<IndexResult> result = IndexOpenDatabase(options);

    GameList->SetRowCount(GameCount + 1);
    if (result) {
        TGridCells& store = GameList->CellStore();
        for (std::size_t i = 0; i < result->Rows.size(); ++i) {
            TGridRow row;
            row.Texts.assign(result->Rows[i].Cells.begin(), result->Rows[i].Cells.end());
            store.AssignRow(static_cast<int>(i) + 1, row);
        }
    }
    GameList->Invalidate();
    ShowGameList(true);
    PageControl1->setCurrentWidget(GameSheet);
    GameList->setFocus();
    QGuiApplication::restoreOverrideCursor();
    setWindowTitle(FileNameText(DatabaseCaption(path, GameCount)));
}

void TForm1::OpenDClick()
{
    if (ConfirmSaveGame()) Open1Click();
}

void TForm1::none1Click(QAction* item)
{
    if (!ConfirmSaveGame()) return;
    OpenFile.FileName = item->text();
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
    DatabaseFileName.clear();
    setWindowTitle(AppTitle);
}

void TForm1::LoadGame(int row, bool keepPath)
{
    if (row < 1 || row >= GameList->RowCount()) return;
    GameLoadHooks hooks;
    hooks.ShowDocument = [this] { RebuildDocument(); };
    hooks.ShowPosition = [this] {
        FormPaint();
        RefreshMoveViews();
    };
    const GameLoadResult result = ::LoadGame(row, RowCells(row), keepPath, LoadToMove, hooks);
    if (result.Status == LoadStatus::Loaded) HeadLabel->setText(Local(result.Title));
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
    const int answer = Dialogs().MessageDlg("Save game?", TMsgDlgType::mtConfirmation,
                                            mbYesNoCancel, 0);
    if (answer == mrCancel) return false;
    // Yes keeps the game as the program can: as an RTF export of it.
    if (answer == mrYes && !SaveRtf.Execute(this)) return false;
    if (answer == mrYes) Memo1->SaveToFile(SaveRtf.FileName);
    GameModified = 0;
    return true;
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
    FormPaint();
    RebuildDocument();
    RefreshMoveViews();
}

void TForm1::Revertgame1Click()
{
    if (!GameModified) return;
    if (Dialogs().MessageDlg("Omit changes / restore game?", TMsgDlgType::mtConfirmation, mbYesNo,
                             0) != mrYes)
        return;
    if (DatabaseFileHandle != -1) LoadGame(GameList->Row(), true);
}

void TForm1::Gameslist1Click()
{
    PageControl1->setCurrentWidget(GameSheet);
    PageControl1Change();
}

void TForm1::PageControl1Change()
{
    if (PageControl1->currentWidget() == GameSheet) {
        Gameslist1->setChecked(true);
        if (GameList->isVisible()) GameList->setFocus();
    }
}

// ---- The notation document -------------------------------------------------------

std::size_t TForm1::WriteGameHeaderRtf(std::size_t pos, int row)
{
    return ::WriteGameHeaderRtf(pos, row, [row](int col) { return GameList->Cells(col, row); });
}

void TForm1::RebuildDocument()
{
    BuildMoveList(WriteGameHeaderRtf(RtfPrologEnd, CurrentGameRow));
    ShowRtfDocument(RtfBuffer.data(), Memo1);
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
    QPrinter printer(QPrinter::HighResolution);
    if (!Dialogs().PrintDialog(this, printer)) return;
    QtPrinterDevice device(printer);
    Memo1->PageRect =
        PrintPageRect(device, LeftMarginMm, RightMarginMm, TopMarginMm, BottomMarginMm);
    QCoreApplication::processEvents();
    Memo1->Print(device, "");
}

// ---- Board and move views ---------------------------------------------------------

void TForm1::FormPaint()
{
    if (SquareSize < 14 || !Cr->isVisible()) return;
    HeadLabel->move(HeadLabel->x(), Cr->y() + Cr->height() + 1);
    HeadLabel->resize(Cr->width(), HeadLabel->sizeHint().height());
    PaintBoardBitmap();
    Cr->update();
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
    // The move just played is selected in the move list.
    SelectionHandlerDetached detached(*Memo1);
    const int node = CurrentPly > 0 ? Positions[CurrentPly - 1].PlayedNode : -1;
    if (node >= 0 && node < MoveNodeCount) {
        Memo1->SetSelStart(static_cast<int>(MoveNodes[node].TextPos));
        Memo1->SetSelLength(MoveNodes[node].TextLength);
    } else {
        Memo1->SetSelStart(0);
    }
}

// ---- Life cycle ----------------------------------------------------------------------

QString TForm1::SettingsFileName()
{
    const QFileInfo exe(QCoreApplication::applicationFilePath());
    return exe.absolutePath() + "/" + exe.completeBaseName() + ".ini";
}

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

void TForm1::ReadLastState()
{
    TMemIniFile ini(SettingsFileName());
    QString file = FileNameText(ini.ReadString("Game", "File", ""));
    if (!file.isEmpty() && QFileInfo(file).path() == "." && !file.contains('/'))
        file = QFileInfo(QCoreApplication::applicationFilePath()).absolutePath() + "/" + file;
    OpenFile.FileName = file;
    const int number = ini.ReadInteger("Game", "Number", 0);
    const std::string node = ini.ReadString("Game", "Node", "");

    BoardSplitter->SetInitialPercent(
        ini.ReadInteger("Layout", "Board", BoardSplitter->InitialPercent()));
    BoardSplitter->Calibrate();
    ListSplitter->SetInitialPercent(
        ini.ReadInteger("Layout", "List", ListSplitter->InitialPercent()));
    ListSplitter->Calibrate();
    for (int i = 1; i <= RecentFileCount; ++i)
        RecentItems[static_cast<std::size_t>(i - 1)]->setText(
            FileNameText(ini.ReadString("Recent", "File" + std::to_string(i), "(none)")));
    const bool skipIntro = ini.ReadBool("Config", "SkipIntro", false);

    if (!file.isEmpty()) {
        Open1Click();
        if (DatabaseFileHandle != -1 && number >= 0 && number < GameList->RowCount()) {
            GameList->SetRow(number);
            if (number != 0) LoadGame(number, false);
            HexToMovePath(node, SavedLine.data(), MovePathCapacity);
            GoToMovePath(SavedLine.data());
            FormPaint();
            RefreshMoveViews();
        }
    }
    OpenFile.Tag = 0;
    SkipIntro = skipIntro;
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
    if (DatabaseFileHandle == -1 || LineLength == 0) DatabaseFileName.clear();
    WriteLastState();
    CloseDatabaseFile();
    MoveSoundWaves.Release();
    EmbeddedFontHandles.Release();
}

void TForm1::WriteLastState()
{
    TMemIniFile ini(SettingsFileName());
    ini.WriteString("Game", "File", DatabaseFileName);
    int number = 1;
    if (!DatabaseFileName.empty()) {
        // A game that is no row of the list (a new game) is stored as none.
        number = CurrentGameRow > 0 ? std::atoi(GameList->Cells(NumberColumn, CurrentGameRow).c_str())
                                    : 0;
    }
    ini.WriteInteger("Game", "Number", number);
    ini.WriteString("Game", "Node", MovePathToHex());
    ini.WriteInteger("Layout", "Board", SharePercent(*BoardSplitter));
    ini.WriteInteger("Layout", "List", SharePercent(*ListSplitter));
    for (int i = 1; i <= RecentFileCount; ++i)
        ini.WriteString("Recent", "File" + std::to_string(i),
                        FileNameBytes(RecentItems[static_cast<std::size_t>(i - 1)]->text()));
    ini.WriteBool("Config", "SkipIntro", SkipIntro);
    ini.UpdateFile();
}

void TForm1::Exit1Click()
{
    close();
}
