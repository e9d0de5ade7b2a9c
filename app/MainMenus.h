// The main window's menus, tool bar and move-list pop-up menu as rows.
#pragma once

#include "platform/ActionRows.h"

#include <span>

class TForm1;

std::span<const ActionRow<TForm1>> MainMenuRows();
std::span<const ActionRow<TForm1>> ToolBarRows();
std::span<const ActionRow<TForm1>> EditMenuRows();
