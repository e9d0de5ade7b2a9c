// The main window: view schemes, bookmarks, the ELO list, statistics and the other windows.
#include "app/Unit1Shared.h"

// ---- View schemes, piece styles and flip ------------------------------------------

void TForm1::Blackwhite1Click()
{
    SetScheme(ColourScheme::Traditional, Blackwhite1);
}

void TForm1::Velmora2Click()
{
    SetScheme(ColourScheme::Velmora, Velmora2);
}

void TForm1::Reversedchess1Click()
{
    SetScheme(ColourScheme::Reversed, Reversedchess1);
}

void TForm1::Color1Click()
{
    SetScheme(ColourScheme::Colour, Color1);
}

void TForm1::SetScheme(ColourScheme scheme, QAction* item)
{
    // The piece colours and glyph sets of the options dialog: it and the
    // board agree on what is in force.
    ApplyColourScheme(scheme,
                      Settings ? DialogPieceColours{Settings->OptDarkPiece, Settings->OptLightPiece}
                               : DialogPieceColours{BoardDarkPiece, BoardLightPiece});
    if (Settings) Settings->KeepPieceSets(PieceSet[0], PieceSet[1]);
    ToolButton13->setChecked(scheme == ColourScheme::Traditional);
    ToolButton14->setChecked(scheme == ColourScheme::Velmora);
    item->setChecked(true);
    RefreshAfterOptions();
}

void TForm1::Modern1Click()
{
    ApplyPieceStyle(PieceStyle::Modern);
    ResizeBoard();
}

void TForm1::Classic1Click()
{
    ApplyPieceStyle(PieceStyle::Classic);
    ResizeBoard();
}

void TForm1::Blind1Click()
{
    ApplyPieceStyle(PieceStyle::Blindfold);
    ResizeBoard();
}

void TForm1::N1Click(QAction* item)
{
    SetPieceSizePercent(item->data().toInt());
    ResizeBoard();
}

void TForm1::CheckPieceSize(int percent)
{
    for (const char* name : {"N1", "Midi1", "Large1"})
        if (QAction* item = menuBar()->findChild<QAction*>(name))
            item->setChecked(item->data().toInt() == percent);
}

void TForm1::Flipboard1Click()
{
    ToggleBoardFlipped();
    SwButton->setChecked(BoardFlipped != 0);
    BIOK1->setChecked(BoardFlipped != 0);
    ShowSwButtonImage();
    FormPaint();
    PB1->update();
    PB2->update();
}

void TForm1::ShowSwButtonImage()
{
    const int image = SwButtonImage();
    if (SwButton->data().toInt() == image) return;
    SwButton->setData(image);
    SwButton->setIcon(ToolbarIcon(QStringLiteral("SwButton%1").arg(image)));
}

// ---- Bookmarks -------------------------------------------------------------------------

void TForm1::CreateBookmarkPage()
{
    for (int k = 0; k < 2; ++k) {
        auto* board = new TPaintBox(BmSheet);
        board->setObjectName(k ? "PB2" : "PB1");
        board->setGeometry(k ? 380 : 6, 1, 198, 200);
        board->setToolTip(k ? "Bookmark 2 position" : "Bookmark 1 position");
        board->setAutoFillBackground(true);
        board->OnPaint = [this, k, board](QObject*) { PB1Paint(board, k); };
        board->OnMouseUp = [this, k](QObject*, TMouseButton, TShiftState, int, int) {
            TraceBookmark(k);
        };
        auto* heading = new QLabel(k ? "Bookmark 2" : "Bookmark 1", BmSheet);
        heading->setStyleSheet("font: bold 13px");
        heading->move(k ? 584 : 210, 4);
        auto* label = new QLabel(BmSheet);
        label->setObjectName(k ? "Label2" : "Label1");
        label->setTextFormat(Qt::PlainText); // names and paths as they are
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setFont(BookmarkTextFont());
        label->setGeometry(k ? 584 : 210, 22, 160, 158);
        auto* reload = new QPushButton("Reload", BmSheet);
        reload->setObjectName(k ? "Button2" : "Button1");
        reload->setToolTip("Reloads the bookmarked position, game, database");
        reload->move(k ? 584 : 210, 178);
        connect(reload, &QPushButton::clicked, this, [this, k] { LoadBookmark(k); });
        (k ? PB2 : PB1) = board;
        (k ? Label2 : Label1) = label;
    }
}

void TForm1::Bookmark11Click(QAction* item)
{
    const int k = item->data().toInt() - 1;
    // The list's game numbers would name other games of the file now.
    if (DatabaseChangedSinceIndexed()) {
        Dialogs().MessageDlg(DatabaseChangedText, TMsgDlgType::mtError, mbOKOnly, 0);
        return;
    }
    const bool row = DatabaseFileHandle != -1 && CurrentGameRow > 0;
    const std::string label =
        MarkBookmark(k, row ? std::function<std::string(int)>([](int col) {
                         return std::string(GameList->Cells(col, CurrentGameRow));
                     })
                            : nullptr);
    const QString text = Local(label);
    QLabel* shown = k ? Label2 : Label1;
    shown->setFont(FontForText(BookmarkTextFont(), text));
    shown->setText(text);
    PB1->update();
    PB2->update();
    PageControl1->setCurrentWidget(BmSheet);
}

void TForm1::Memo3Click(QAction* item)
{
    LoadBookmark(item->data().toInt() - 1);
}

void TForm1::LoadBookmark(int k)
{
    const BookmarkSlot& b = Bookmarks[static_cast<std::size_t>(k)];
    // While a list is indexed its rows are not there yet.
    if (ListLoading || b.Game < 0 || b.Database.empty()) return;
    // Its game number would name another game of a file changed since.
    if (QFileInfo::exists(FileNameText(b.Database)) && !BookmarkDatabaseUnchanged(k)) {
        Dialogs().MessageDlg("The database of this bookmark has changed since it was marked.",
                             TMsgDlgType::mtError, mbOKOnly, 0);
        return;
    }
    if (!ConfirmSaveGame()) return;
    OpenFile.FileName = FileNameText(b.Database);
    OpenFile.Tag = 1;
    // A file that did not open leaves the database open before it, whose
    // game of that number is another game.
    const bool opened = OpenDatabase();
    OpenFile.Tag = 0;
    if (!opened || DatabaseFileName != b.Database || b.Game >= GameList->RowCount()) return;
    GameList->SetRow(b.Game);
    if (b.Game != 0) LoadGame(b.Game, false);
    GoToMovePath(b.Path.data());
    RefreshAfterNavigation();
    PageControl1->setCurrentWidget(BmSheet);
}

void TForm1::Load21Click(QAction* item)
{
    TraceBookmark(item->data().toInt() - 1);
}

void TForm1::TraceBookmark(int k)
{
    // A slot never marked holds no line to follow.
    const BookmarkSlot& b = Bookmarks[static_cast<std::size_t>(k)];
    if (DragFrom != -1 || std::find(b.Path.begin(), b.Path.end(), MovePathEnd) == b.Path.end())
        return;
    GoToMovePath(b.Path.data());
    RefreshAfterNavigation();
}

void TForm1::PB1Paint(TPaintBox* board, int k)
{
    PaintBookmark(k);
    board->Canvas.Draw(0, 0, BookmarkBoardBitmap);
}

// ---- The ELO list, statistics, about, search filter and intro --------------------------

void TForm1::CreateEloGrid()
{
    CreateEloGridOn(EloSheet, [this](int c, int r, bool& can) { EloGridSelectCell(c, r, can); });
}

void TForm1::OpenELOlist1Click()
{
    if (ListLoading || !OpenElo.Execute(this)) return;
    OpenEloList(FileNameBytes(OpenElo.FileName),
                {EloButton, [this] { CreateEloGrid(); },
                 [this] { ListSplitter->SetCollapsed(false); },
                 [this] { PageControl1->setCurrentWidget(EloSheet); }});
}

void TForm1::EloGridSelectCell(int, int row, bool&)
{
    ShowEloRowNumber(row);
}

void TForm1::StatSheetShow()
{
    if (DatabaseFileHandle != -1) StatPage->Rebuild(GameListStatistics(*GameList));
}

void TForm1::ToolButton16Click()
{
    if (!Settings) return;
    Settings->SettingControl->setCurrentWidget(Settings->MoveList);
    Settings->ShowModal();
}

void TForm1::Manual1Click()
{
    ShowHelpContents();
}

void TForm1::About1Click()
{
    if (AboutBox) AboutBox->ShowModal();
}

void TForm1::Searchfilter1Click()
{
    if (SearchPanel) SearchPanel->ShowModal();
}

void TForm1::Intro1Click()
{
    if (!Demo) return;
    Demo->Timer1->start();
    Demo->ShowModal();
}

void TForm1::Timer2Timer()
{
    Timer2->stop();
    Intro1Click();
}
