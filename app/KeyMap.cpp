#include "app/KeyMap.h"

#include "app/Unit1.h"

#include <Qt>

namespace {

using F = TForm1;
using M = KeyModifier;
using P = KeyPage;

// clang-format off
const KeyBinding Bindings[] = {
    {M::Shift, Qt::Key_PageUp,   P::NotTree, false, &F::N5moves1Click},
    {M::Shift, Qt::Key_PageDown, P::NotTree, false, &F::Skip5moves1Click},
    {M::Shift, Qt::Key_End,      P::NotTree, false, &F::BitBtn4Click},
    {M::Shift, Qt::Key_Home,     P::NotTree, false, &F::BitBtn3Click},
    {M::Shift, Qt::Key_Up,       P::NotTree, false, &F::BitBtn2Click},
    {M::Shift, Qt::Key_Down,     P::NotTree, false, &F::BitBtn1Click},
    {M::Shift, Qt::Key_Backtab,  P::Any,     false, &F::Prevoiusline1Click},
    {M::Shift, Qt::Key_Tab,      P::Any,     false, &F::Prevoiusline1Click},
    {M::Shift, Qt::Key_Delete,   P::Any,     false, &F::Deletemoves1Click},
    {M::Ctrl,  Qt::Key_PageUp,   P::Any,     false, &F::ToolButton6Click},
    {M::Ctrl,  Qt::Key_PageDown, P::Any,     false, &F::ToolButton5Click},
    {M::Ctrl,  Qt::Key_Right,    P::Any,     false, &F::Autoplay1Click},
    {M::None,  Qt::Key_F8,       P::Any,     false, &F::ToolButton16Click},
    {M::None,  Qt::Key_Tab,      P::Any,     false, &F::ToolButton15Click},
    {M::None,  Qt::Key_Left,     P::Any,     true,  &F::ToolButton1Click},
    {M::None,  Qt::Key_Right,    P::Any,     true,  &F::ToolButton3Click},
    {M::None,  Qt::Key_PageUp,   P::Tree,    false, &F::N5moves1Click},
    {M::None,  Qt::Key_PageDown, P::Tree,    false, &F::Skip5moves1Click},
    {M::None,  Qt::Key_End,      P::Tree,    false, &F::BitBtn4Click},
    {M::None,  Qt::Key_Home,     P::Tree,    false, &F::BitBtn3Click},
    {M::None,  Qt::Key_Up,       P::Tree,    false, &F::BitBtn2Click},
    {M::None,  Qt::Key_Down,     P::Tree,    false, &F::BitBtn1Click},
};
// clang-format on

} // namespace

std::span<const KeyBinding> KeyBindings()
{
    return Bindings;
}

KeyCommand CommandForKey(KeyModifier modifier, int key, bool treePage, bool textBoxFocused)
{
    for (const KeyBinding& b : Bindings) {
        if (b.Modifier != modifier || b.Key != key) continue;
        if (b.Page == KeyPage::Tree && !treePage) continue;
        if (b.Page == KeyPage::NotTree && treePage) continue;
        if (b.NotInTextBox && textBoxFocused) continue;
        return b.Command;
    }
    return nullptr;
}
