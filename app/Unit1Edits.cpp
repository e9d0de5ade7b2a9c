// The main window: deleting moves, comments, symbols and the move-entry box.
#include "app/Unit1Shared.h"

// ---- Deleting moves, comments and diagram marks --------------------------------------

void TForm1::Deletemoves1Click()
{
    const std::optional<DeletionRange> range = PlanDeletion();
    if (!range || !ConfirmDeleteSublines()) return;
    RemoveNodes(range->From, range->Count);
    RefreshAfterDelete();
}

bool TForm1::ConfirmDeleteSublines()
{
    if (DeleteWeight < 2) return true;
    return Dialogs().MessageDlg("Really delete sublines, comments?", TMsgDlgType::mtConfirmation,
                                mbOKCancel, 0) == mrOk;
}

void TForm1::RefreshAfterDelete()
{
    if (CurrentPly > 0) --CurrentPly;
    LineLength = CurrentPly;
    GameModified = 1;
    RebuildDocument();
    if (CurrentPly < LineLength) ++CurrentPly;
    FormPaint();
    RefreshMoveViews();
}

bool TForm1::EditComment(const QString& caption, std::string& text)
{
    Comments->setWindowTitle(caption);
    Comments->SetLinesText(Local(text));
    if (Comments->ShowModal() != mrOk) return false;
    text = Bytes(Comments->LinesText());
    return true;
}

void TForm1::CommentsAfterClick()
{
    const int move = CurrentMoveNode();
    if (move < 0) return;
    const int place = CommentAfterPlace(move);
    std::string text = CommentAt(place);
    if (!EditComment(" Text after move", text) || !SetCommentAt(place, text)) return;
    RefreshAfterEdit(false);
}

void TForm1::Commentsbefore1Click()
{
    const int move = CurrentMoveNode();
    if (move < 0) return;
    std::string text = CommentBefore(move);
    if (!EditComment(" Text before move", text) || !SetCommentBefore(move, text)) return;
    RefreshAfterEdit(false);
}

void TForm1::Diagramswapno1Click()
{
    const int move = CurrentMoveNode();
    if (move < 0) return;
    const int place = CommentAfterPlace(move);
    if (!SetCommentAt(place, CycleDiagramMark(CommentAt(place)))) return;
    RefreshAfterEdit(false);
}

void TForm1::N10Click(QAction* item)
{
    // At the start position, or with the stream full, nothing changes.
    if (!SetMoveAssessment(item->data().toInt())) return;
    RefreshAfterEdit(false);
}

void TForm1::Evaluation1Click()
{
    if (CurrentPly < 1 || !EvalForm) return;
    EvalForm->ShowModal();
}

// ---- The move-entry and find box ------------------------------------------------------

void TForm1::CreateMoveBar()
{
    MoveBar = addToolBar("Move entry");
    MoveBar->setObjectName("MoveBar");
    MoveBar->setMovable(false);
    MvGroup = new QComboBox(MoveBar);
    MvGroup->setObjectName("MvGroup");
    MvGroup->addItems({"Enter move", "Find in list (sorted)"});
    MvGroup->setCurrentIndex(0);
    MvGroup->setToolTip("Operation to do");
    MoveEdit = new QLineEdit(MoveBar);
    MoveEdit->setObjectName("MoveEdit");
    MoveEdit->setToolTip("Enter move or find text");
    MoveEdit->setMaxLength(static_cast<int>(TypedTextLimit));
    MoveEdit->setFixedWidth(160);
    Button3 = new QPushButton("Do it!", MoveBar);
    Button3->setObjectName("Button3");
    MoveBar->addWidget(MvGroup);
    MoveBar->addWidget(MoveEdit);
    MoveBar->addWidget(Button3);
    connect(MoveEdit, &QLineEdit::returnPressed, this, [this] { MoveEditKeyDown(Qt::Key_Return); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
}

void TForm1::MoveEditKeyDown(int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter) Button3Click();
}

void TForm1::Button3Click()
{
    if (MvGroup->currentIndex() == 0) {
        const std::string text = Bytes(MoveEdit->text());
        const std::optional<int> index = DragFrom == -1 ? TypedMoveIndex(text) : std::nullopt;
        // An unreadable, illegal or ambiguous text stays for correction.
        if (index && (CurrentPly >= MaxPly || EnterMove(*index, true))) MoveEdit->clear();
    } else if (MvGroup->currentIndex() == 1) {
        FindInList(MoveEdit->text());
        MoveEdit->clear();
    } else {
        MoveEdit->clear();
    }
    MoveEdit->setFocus();
}

void TForm1::FindInList(const QString& text)
{
    QWidget* page = PageControl1->currentWidget();
    TSortGrid* grid = page == GameSheet ? GameList : page == EloSheet ? EloGrid : nullptr;
    if (!grid || !grid->isVisible()) return;
    const int first = grid->FixedRows();
    int row = FindRowStartingWith(*grid, text, std::max(grid->Row(), first), grid->SortColumn());
    if (row < 0 && Dialogs().MessageDlg("Find in all columns?", TMsgDlgType::mtConfirmation,
                                        mbYesNo, 0) == mrYes)
        row = FindRowStartingWith(*grid, text, first, -1);
    if (row >= 0) grid->SetRow(row);
}
