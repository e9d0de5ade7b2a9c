// The main window (TForm1): its panes, menus and tool bar, its life cycle
// (start-up, last-state restore, shutdown) and the handlers that open the
// database, load games and show, copy, print and export the notation.
//
// Panes, placed by alignment inside the client area: ListSplitter at the
// bottom holds the lower pages (PageControl1); BoardSplitter at the left holds
// the board paint box Cr and the game title HeadLabel; the move list Memo1
// takes the rest.
#pragma once

#include "app/ViewSchemes.h"
#include "platform/FileDialog.h"
#include "platform/StringGrid.h"
#include "platform/Types.h"

#include <QMainWindow>

#include <array>
#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string>

class QAction;
class QComboBox;
class QLineEdit;
class QPushButton;
class QKeyEvent;
class QLabel;
class QMenu;
class QTabWidget;
class QTimer;
class QToolBar;
class TMemIniFile;
class TPaintBox;
class TRichEdit;
class TSortGrid;
class TStatisticsPage;
class TStringGrid;
class TVXSplitter;

// The game list of the open database (created and owned by the main window).
extern TSortGrid* GameList;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Controls named as the handlers know them.
    QWidget* ClientArea = nullptr;
    TVXSplitter* BoardSplitter = nullptr;
    TVXSplitter* ListSplitter = nullptr;
    TPaintBox* Cr = nullptr;
    QLabel* HeadLabel = nullptr;
    TRichEdit* Memo1 = nullptr;
    QMenu* EditMenu = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* GameSheet = nullptr;
    QWidget* TreeSheet = nullptr;
    QWidget* EloSheet = nullptr;
    QWidget* BmSheet = nullptr;
    QWidget* StatSheet = nullptr;
    QPushButton* EloButton = nullptr; // opens a list while the ELO page is empty
    TStatisticsPage* StatPage = nullptr;
    TPaintBox* PB1 = nullptr; // the bookmark boards
    TPaintBox* PB2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    TStringGrid* MoveGrid = nullptr;
    QToolBar* ToolBar1 = nullptr;
    QTimer* Timer1 = nullptr; // autoplay
    int Timer1Tag = 0;        // 1 while its own tick steps forward
    bool KeyHeld = false;     // a held key's repeat runs: its steps do not slide
    QTimer* Timer2 = nullptr;
    TFileDialog OpenFile{TFileDialog::Kind::Open};
    TFileDialog SaveRtf{TFileDialog::Kind::Save};
    TFileDialog OpenElo{TFileDialog::Kind::Open};
    std::array<QAction*, 5> RecentItems{};
    QAction* Gameslist1 = nullptr;
    QAction* Moveslist1 = nullptr;
    QAction* ELOlist1 = nullptr;
    QAction* Bookmarks1 = nullptr;
    QAction* Statistics1 = nullptr;
    QAction* Blackwhite1 = nullptr;
    QAction* Velmora2 = nullptr;
    QAction* Reversedchess1 = nullptr;
    QAction* Color1 = nullptr;
    QAction* BIOK1 = nullptr;
    QAction* ToolButton13 = nullptr; // traditional scheme
    QAction* ToolButton14 = nullptr; // coloured scheme
    QAction* SwButton = nullptr;     // flip; its data is its picture's number
    QAction* Autoplay1 = nullptr;
    QAction* ToolButton3 = nullptr; // forward; down while autoplay runs
    QAction* Overridemove1 = nullptr;
    // The move-entry and find box.
    QToolBar* MoveBar = nullptr;
    QComboBox* MvGroup = nullptr;
    QLineEdit* MoveEdit = nullptr;
    QPushButton* Button3 = nullptr;
    // The intro's "skip this intro at start", kept in the settings file.
    bool SkipIntro = false;

    // Start-up and shutdown. The constructor throws when the program cannot
    // run (no board font, no memory); main shows the message and ends.
    void FormCreate();
    void FormShow();
    bool FormCloseQuery();
    void FormClose();
    void Exit1Click();
    // Application-wide handlers: exceptions escaping an event handler are
    // dropped; hints go to the status bar.
    void AppException(const std::exception* e);
    void ShowAppHint(const QString& hint);
    // The application-wide key handler: the command a key runs, or none.
    std::function<void()> AppMessage(const QKeyEvent& key);

    // Database and games.
    void CreateGameList();
    void Open1Click();
    void OpenDClick();
    void none1Click(QAction* item);
    void Close1Click();
    void LoadGame(int row, bool keepPath);
    void GameListMouseDown(TShiftState shift, int x, int y);
    void GameListKeyDown(int& key);
    void ToolButton5Click();
    void ToolButton6Click();
    void New1Click();
    void Revertgame1Click();
    void Overridemove1Click();
    bool ConfirmSaveGame();
    void Gameslist1Click();
    void Moveslist1Click();
    void ELOlist1Click();
    void Bookmarks1Click();
    void Statistics1Click();
    void PageControl1Change();

    // The notation document.
    std::size_t WriteGameHeaderRtf(std::size_t pos, int row);
    void ShowRtfDocument(const char* text, TRichEdit* memo);

    // The refresh chain: every command ends with one of these.
    // Header, move list and display of the notation document.
    void RebuildDocument();
    // The game shown has changed: document, board where the position can
    // have changed, move views.
    void RefreshShownGame(bool positionChanged);
    // An edit of the game: as above, and the game counts as modified.
    void RefreshAfterEdit(bool positionChanged);
    // Moves were deleted: the view stays on the position before them.
    void RefreshAfterDelete();
    // View options changed: the same chain, the game unmodified.
    void RefreshAfterOptions();
    // CurrentPly moved: board and move views.
    void RefreshAfterNavigation();
    // One move passed from record CurrentPly, forward or back: slide (when
    // slide is set and no key is held), ply, board, sound, move views.
    void ShowSingleStep(bool forward, bool slide = true);
    void Button1Click();
    void ExportAllGames();
    void Copyall1Click();
    void Print1Click();

    // Moves played on the board.
    void FormMouseDown(TMouseButton button, int x, int y);
    void FormMouseMove(int x, int y);
    void FormMouseUp(TMouseButton button, int x, int y);
    void AnimateMove(bool forward);
    // Enters move index of the position shown, as typed or played on the
    // board: overwrite mode, the game store, the refresh with its slide.
    bool EnterMove(int index, bool slide);

    // Deleting moves, comments and diagram marks.
    void Deletemoves1Click();
    bool ConfirmDeleteSublines();
    void CommentsAfterClick();
    void Commentsbefore1Click();
    void Diagramswapno1Click();
    // Evaluation symbols of the current move.
    void N10Click(QAction* item);
    void Evaluation1Click();

    // The move-entry and find box.
    void MoveEditKeyDown(int key);
    void Button3Click();

    // Navigation.
    void BitBtn3Click();       // first move
    void BitBtn2Click();       // previous move
    void BitBtn1Click();       // next move
    void BitBtn4Click();       // last move
    void Skip5moves1Click();   // ten plies forward
    void N5moves1Click();      // ten plies back
    void ToolButton1Click();   // back through all lines
    void ToolButton3Click();   // forward through all lines
    void ToolButton15Click();  // next line
    void Prevoiusline1Click(); // previous line
    void Autoplay1Click();
    void Timer1Timer();
    void Memo1SelectionChange();
    void MoveGridDrawCell(int col, int row, const TRect& rect, TGridDrawState state);
    void MoveGridMouseDown();
    void MoveGridMouseUp(TMouseButton button, int x, int y);

    // View schemes, piece styles and flip.
    void Blackwhite1Click();
    void Velmora2Click();
    void Reversedchess1Click();
    void Color1Click();
    void Modern1Click();
    void Classic1Click();
    void Blind1Click();
    void N1Click(QAction* item); // the item's data is the piece size
    void Flipboard1Click();
    // Checks the View menu's piece size of percent (none for another size).
    void CheckPieceSize(int percent);

    // Bookmarks; the item's data is the slot + 1.
    void Bookmark11Click(QAction* item);
    void Memo3Click(QAction* item);
    void Load21Click(QAction* item);
    void PB1Paint(TPaintBox* board, int slot);

    // The ELO list, statistics, and the about, search-filter and intro windows.
    void CreateEloGrid();
    void OpenELOlist1Click();
    void EloGridSelectCell(int col, int row, bool& canSelect);
    void StatSheetShow();
    void ToolButton16Click(); // the options dialog
    void Manual1Click();      // help contents
    void About1Click();
    void Searchfilter1Click();
    void Intro1Click();
    void Timer2Timer();

    // Board and move views.
    void FormPaint();
    void CreatePieceBitmaps();
    void ResizeBoard();
    void Splitter1Moved();
    void RefreshMoveViews();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void CreateMenus();
    void CreatePanes();
    void CreateSplitters();
    void CreatePages();
    void CreateToolBar();
    void LoadFonts();
    void ShowGameList(bool visible);
    // Open1Click: true when the file named by OpenFile was opened and indexed.
    bool OpenDatabase();
    void CreateMoveGrid();
    void PlaceHeadLabel();
    void CreateMoveBar();
    void CreateBookmarkPage();
    void ShowPage(QWidget* page);
    void SetScheme(ColourScheme scheme, QAction* item);
    void ShowSwButtonImage();
    void LoadBookmark(int slot);
    void TraceBookmark(int slot);
    bool EditComment(const QString& caption, std::string& text);
    void FindInList(const QString& text);
    void SetAutoplay(bool on);
    void GoToLineTarget(std::optional<int> node);
    void WriteLastState();
    void ReadLastState();
    void RestoreLayout(const TMemIniFile& ini);

    bool shown_ = false;
    bool closing_ = false;
};

// The main window, set at the start of its constructor.
extern TForm1* Form1;
