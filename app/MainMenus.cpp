#include "app/MainMenus.h"

#include "app/Unit1.h"

#include <array>

namespace {

using Row = ActionRow<TForm1>;
using F = TForm1;

// clang-format off
const Row MainMenu[] = {
    {"&File", "OpenD", "&Open database...", "Ctrl+O", "Opens a PGN database", &F::OpenDClick},
    {"&File|&Recent files", "none1", "(none)", "Ctrl+F1", "", &F::none1Click},
    {"&File|&Recent files", "none2", "(none)", "Ctrl+F2", "", &F::none1Click},
    {"&File|&Recent files", "none3", "(none)", "Ctrl+F3", "", &F::none1Click},
    {"&File|&Recent files", "none4", "(none)", "Ctrl+F4", "", &F::none1Click},
    {"&File|&Recent files", "none5", "(none)", "Ctrl+F5", "", &F::none1Click},
    {"&File", "Close1", "&Close", "", "Closes the opened database", &F::Close1Click},
    {"&File", "-", "", "", "", nullptr},
    {"&File|&Export rtf", "Button1", "&This game", "Ctrl+E", "Exports the game as an RTF file", &F::Button1Click},
    {"&File|&Export rtf", "Allgames1", "&All games", "", "Exports every game of the list into one RTF file", &F::ExportAllGames},
    {"&File", "Print1", "&Print...", "Ctrl+P", "Prints the movelist document to the selected printer (Ctrl P)", &F::Print1Click},
    {"&File", "-", "", "", "", nullptr},
    {"&File", "Exit1", "E&xit", "", "Exits the program", &F::Exit1Click},
    {"&Game", "New1", "&New game", "Ctrl+N", "Starts a new, blank game from the basic position (Ctrl N)", &F::New1Click},
    {"&Game", "Nextgame1", "Ne&xt game", "Ctrl+PgDown", "Loads the next game (Ctrl PgDn)", &F::ToolButton5Click},
    {"&Game", "Previousgame1", "Pre&vious game", "Ctrl+PgUp", "Loads the previous game (Ctrl PgUp)", &F::ToolButton6Click},
    {"&Game", "Revertgame1", "&Revert game", "", "Reloads the game, dropping the edits", &F::Revertgame1Click},
    {"&View", "Gameslist1", "&Games list", "F3", "Shows the list of games", &F::Gameslist1Click, &F::Gameslist1, -1, true},
};

const Row ToolBar[] = {
    {"", "ToolButton9", "Open", "", "Opens the selected database (Ctrl O)", &F::Open1Click},
    {"", "ToolButton8", "New", "", "Starts a new, blank game from the basic position (Ctrl N)", &F::New1Click},
    {"", "PrevGameButton", "Previous", "", "Loads the previous game (Ctrl PgUp)", &F::ToolButton6Click},
    {"", "NextGameButton", "Next", "", "Loads the next game (Ctrl PgDn)", &F::ToolButton5Click},
    {"", "CopyButton", "Copy", "", "Copies formatted game text", &F::Copyall1Click},
    {"", "PrintButton", "Print", "", "Prints the movelist document to the selected printer (Ctrl P)", &F::Print1Click},
};

const Row EditMenu[] = {
    {"", "Copyall1", "Copy r&tf", "", "Copies formatted move text to clipboard", &F::Copyall1Click},
};
// clang-format on

} // namespace

std::span<const ActionRow<TForm1>> MainMenuRows() { return MainMenu; }
std::span<const ActionRow<TForm1>> ToolBarRows() { return ToolBar; }
std::span<const ActionRow<TForm1>> EditMenuRows() { return EditMenu; }
