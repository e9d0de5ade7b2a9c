// The keys of the application-wide key handler: which command a key runs,
// by its modifier (only the first of Shift, Ctrl, Alt that is down counts),
// the page shown below the board and the focus.
#pragma once

#include <span>

class TForm1;

enum class KeyModifier { None, Shift, Ctrl, Alt };
enum class KeyPage { Any, Tree, NotTree };

struct KeyBinding {
    KeyModifier Modifier;
    int Key; // Qt::Key
    KeyPage Page;
    bool NotInTextBox; // left to a text box that has the focus
    void (TForm1::*Command)();
};

std::span<const KeyBinding> KeyBindings();

// The command of a key, or null when the key is left alone.
using KeyCommand = void (TForm1::*)();
KeyCommand CommandForKey(KeyModifier modifier, int key, bool treePage, bool textBoxFocused);
