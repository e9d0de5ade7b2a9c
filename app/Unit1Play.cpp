// The main window: moves played on the board and navigation.
#include "app/Unit1Shared.h"

#include <QScopedValueRollback>

// ---- Moves played on the board -----------------------------------------------------

void TForm1::FormMouseDown(TMouseButton button, int x, int y)
{
    if (button != TMouseButton::mbLeft || !BeginBoardPress(x, y)) return;
    FormPaint();
    LiftPressedPiece();
    Cr->repaint();
    Cr->setCursor(Qt::PointingHandCursor);
}

void TForm1::FormMouseMove(int x, int y)
{
    if (DragPressedPiece(x, y)) Cr->repaint();
}

void TForm1::FormMouseUp(TMouseButton button, int x, int y)
{
    Cr->unsetCursor();
    if (button != TMouseButton::mbLeft || DragFrom == -1) return;
    const PressResult result =
        FinishBoardPress(x, y, [] { return PromoteForm ? PromoteForm->Choose() : 0; });
    EndBoardPress();
    if (result.Outcome != PressOutcome::Chosen || !EnterMove(result.Index, result.Animate))
        FormPaint();
}

bool TForm1::EnterMove(int index, bool slide)
{
    const int ply = CurrentPly;
    if (Overridemove1->isChecked() && CurrentPly < LineLength) {
        // The continuation goes first (after its question); the move is
        // entered where it was played, whatever the deletion left shown.
        ++CurrentPly;
        Deletemoves1Click();
        if (CurrentPly != ply) StepToNode(ply > 0 ? Positions[ply - 1].PlayedNode : -1);
    }
    if (!AddMoveToTree(index)) {
        StepToNode(CurrentMoveNode()); // the move lists as the line has them
        return false;
    }
    GameModified = 1;
    RebuildDocument();
    --CurrentPly;
    ShowSingleStep(true, slide);
    return true;
}

void TForm1::AnimateMove(bool forward)
{
    ::AnimateMove(forward, [this] { Cr->repaint(); });
}

void TForm1::ShowSingleStep(bool forward, bool slide)
{
    // A held key steps as fast as it repeats.
    if (slide && !KeyHeld) AnimateMove(forward);
    if (forward) ++CurrentPly;
    FormPaint();
    PlayMoveSound(forward ? CurrentPly - 1 : CurrentPly);
    RefreshMoveViews();
}

// ---- Navigation ---------------------------------------------------------------------

void TForm1::BitBtn3Click()
{
    if (DragFrom != -1) return;
    CurrentPly = 0;
    RefreshAfterNavigation();
}

void TForm1::BitBtn2Click()
{
    if (DragFrom != -1 || CurrentPly <= 0) return;
    --CurrentPly;
    ShowSingleStep(false);
}

void TForm1::BitBtn1Click()
{
    if (DragFrom != -1 || CurrentPly >= LineLength) return;
    ShowSingleStep(true);
}

void TForm1::BitBtn4Click()
{
    if (DragFrom != -1) return;
    CurrentPly = LineLength;
    RefreshAfterNavigation();
}

void TForm1::Skip5moves1Click()
{
    if (DragFrom != -1) return;
    CurrentPly = std::min(CurrentPly + 10, LineLength);
    RefreshAfterNavigation();
}

void TForm1::N5moves1Click()
{
    if (DragFrom != -1) return;
    CurrentPly = std::max(CurrentPly - 10, 0);
    RefreshAfterNavigation();
}

void TForm1::ToolButton1Click()
{
    const std::optional<int> target = BackThroughLinesTarget();
    if (DragFrom != -1 || !target) return;
    const int from = CurrentMoveNode();
    StepToNode(*target);
    // The move taken back slides only when the line reached plays it.
    const bool same = CurrentPly < LineLength && Positions[CurrentPly].PlayedNode == from;
    if (same)
        ShowSingleStep(false);
    else
        RefreshAfterNavigation();
}

void TForm1::ToolButton3Click()
{
    if (DragFrom != -1) return;
    const std::optional<int> target = ForwardThroughLinesTarget();
    if (!target || Timer1Tag == 0) SetAutoplay(false);
    if (!target) return;
    StepToNode(*target);
    --CurrentPly;
    ShowSingleStep(true);
}

void TForm1::ToolButton15Click()
{
    GoToLineTarget(NextLineTarget());
}

void TForm1::Prevoiusline1Click()
{
    GoToLineTarget(PreviousLineTarget());
}

void TForm1::GoToLineTarget(std::optional<int> node)
{
    if (DragFrom != -1 || !node) return;
    StepToNode(*node);
    RefreshAfterNavigation();
}

void TForm1::Memo1SelectionChange()
{
    const std::optional<int> target = CaretTarget(Memo1->SelStart());
    if (DragFrom != -1 || !target) return;
    StepToNode(*target);
    RefreshAfterNavigation();
    if (PageControl1->currentWidget() != BmSheet) PageControl1->setCurrentWidget(TreeSheet);
}

void TForm1::Autoplay1Click()
{
    // The timer says whether autoplay runs: a menu click has flipped the
    // item's check mark already.
    bool on = Timer1->isActive();
    if (LineLength > 0 && on) {
        on = false;
    } else if (LineLength > 0 && AutoplayForm->ShowModal() == mrOk) {
        Timer1->setInterval(AutoplayForm->TimerEdit->value());
        on = true;
    }
    SetAutoplay(on);
}

void TForm1::SetAutoplay(bool on)
{
    Autoplay1->setChecked(on);
    ToolButton3->setChecked(on);
    if (!on)
        Timer1->stop();
    else if (!Timer1->isActive())
        Timer1->start();
}

void TForm1::Timer1Timer()
{
    // A press held on the board or a dialog open: the tick waits.
    if (DragFrom != -1 || QApplication::activeModalWidget()) return;
    Timer1Tag = 1;
    ToolButton3Click();
    Timer1Tag = 0;
}

std::function<void()> TForm1::AppMessage(const QKeyEvent& key)
{
    if (!isVisible() || QApplication::activeModalWidget() || QApplication::activePopupWidget() ||
        DragFrom != -1 || ListLoading || (ProgressForm && ProgressForm->Tag != 0))
        return {};
    const Qt::KeyboardModifiers m = key.modifiers();
    const KeyModifier modifier = m & Qt::ShiftModifier     ? KeyModifier::Shift
                                 : m & Qt::ControlModifier ? KeyModifier::Ctrl
                                 : m & Qt::AltModifier     ? KeyModifier::Alt
                                                           : KeyModifier::None;
    const bool textBox = qobject_cast<QLineEdit*>(QApplication::focusWidget()) != nullptr;
    const KeyCommand command =
        CommandForKey(modifier, key.key(), PageControl1->currentWidget() == TreeSheet, textBox);
    if (!command) return {};
    return [this, command, held = key.isAutoRepeat()] {
        const QScopedValueRollback keyHeld(KeyHeld, held);
        (this->*command)();
    };
}
