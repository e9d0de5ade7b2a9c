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
    {"&File", "OpenELOlist1", "Open ELO &list...", "Ctrl+L", "Opens a fixed-width ELO rating list", &F::OpenELOlist1Click},
    {"&File", "Searchfilter1", "Search &filter...", "Ctrl+F", "Sets the criteria of the search filter", &F::Searchfilter1Click},
    {"&File", "Close1", "&Close", "", "Closes the opened database", &F::Close1Click},
    {"&File", "LoadBookmark1", "Load bookmark &1", "Ctrl+F11", "Reloads the database, game and position of bookmark 1", &F::Memo3Click, nullptr, 0, false, 1},
    {"&File", "LoadBookmark2", "Load bookmark &2", "Ctrl+F12", "Reloads the database, game and position of bookmark 2", &F::Memo3Click, nullptr, 0, false, 2},
    {"&File", "-", "", "", "", nullptr},
    {"&File|&Export rtf", "Button1", "&This game", "Ctrl+E", "Exports the game as an RTF file", &F::Button1Click},
    {"&File|&Export rtf", "Allgames1", "&All games", "", "Exports every game of the list into one RTF file", &F::ExportAllGames},
    {"&File", "Print1", "&Print...", "Ctrl+P", "Prints the movelist document to the selected printer (Ctrl P)", &F::Print1Click},
    {"&File", "-", "", "", "", nullptr},
    {"&File", "Exit1", "E&xit", "", "Exits the program", &F::Exit1Click},
    {"&Game", "New1", "&New game", "Ctrl+N", "Starts a new, blank game from the basic position (Ctrl N)", &F::New1Click},
    {"&Game", "Nextgame1", "Ne&xt game", "Ctrl+PgDown", "Loads the next game (Ctrl PgDn)", &F::ToolButton5Click},
    {"&Game", "Previousgame1", "Pre&vious game", "Ctrl+PgUp", "Loads the previous game (Ctrl PgUp)", &F::ToolButton6Click},
    {"&Game", "-", "", "", "", nullptr},
    {"&Game", "Deletemoves1", "&Delete move(s)", "Ctrl+Del", "Deletes the move and the rest of its line, or its whole variation (Ctrl Del)", &F::Deletemoves1Click},
    {"&Game", "Overridemove1", "Move &overwrite mode", "", "A move entered where the line goes on replaces the rest of the line", &F::Overridemove1Click, &F::Overridemove1, -1},
    {"&Game", "-", "", "", "", nullptr},
    {"&Game", "Bookmark11", "Mark position &1", "F11", "Keeps the position shown as bookmark 1", &F::Bookmark11Click, nullptr, 0, false, 1},
    {"&Game", "Bookmark21", "&Mark position &2", "F12", "Keeps the position shown as bookmark 2", &F::Bookmark11Click, nullptr, 0, false, 2},
    {"&Game", "Load11", "Trace line 1", "Shift+F11", "Follows the line of bookmark 1 in the game shown", &F::Load21Click, nullptr, 0, false, 1},
    {"&Game", "Load21", "Trace line 2", "Shift+F12", "Follows the line of bookmark 2 in the game shown", &F::Load21Click, nullptr, 0, false, 2},
    {"&Game", "Revertgame1", "&Revert game", "", "Reloads the game, dropping the edits", &F::Revertgame1Click},
    {"&Navigation", "FirstMove1", "&First move", "", "Jumps to the start of the game (Home)", &F::BitBtn3Click},
    {"&Navigation", "PreviousMove1", "&Previous move", "", "Takes back one move of the line (Up)", &F::BitBtn2Click},
    {"&Navigation", "NextMove1", "Nex&t move", "", "Makes the next move of the line (Down)", &F::BitBtn1Click},
    {"&Navigation", "LastMove1", "&Last move", "", "Jumps to the end of the game (End)", &F::BitBtn4Click},
    {"&Navigation", "Skip5moves1", "S&kip 5 moves", "", "Makes the next five moves of the line (PgDn)", &F::Skip5moves1Click},
    {"&Navigation", "N5moves1", "&Retract 5 moves", "", "Takes back five moves of the line (PgUp)", &F::N5moves1Click},
    {"&Navigation", "-", "", "", "", nullptr},
    {"&Navigation", "Back1", "Ba&ck", "", "Takes back the move thoughout all lines and variations (Left arrow)", &F::ToolButton1Click},
    {"&Navigation", "Forward1", "For&ward", "", "Makes the following move thoughout all lines and variations (Right arrow)", &F::ToolButton3Click},
    {"&Navigation", "NextLine1", "&Next line", "", "Jumps to the next alternative move (Tab)", &F::ToolButton15Click},
    {"&Navigation", "Prevoiusline1", "Prev&ious line", "", "Traces back moves to the last branching move of the parent variation (Shift + Tab)", &F::Prevoiusline1Click},
    {"&Navigation", "-", "", "", "", nullptr},
    {"&Navigation", "Autoplay1", "A&utoplay...", "", "Plays the notation forward by itself (Ctrl Right)", &F::Autoplay1Click, &F::Autoplay1, -1},
    {"&Comments", "CommentsAfter1", "Text &after..", "", "Writes the comment after the move", &F::CommentsAfterClick},
    {"&Comments", "Commentsbefore1", "Text &before...", "", "Writes the comment before the move", &F::Commentsbefore1Click},
    {"&Comments", "Evaluation1", "E&valuation...", "F10", "Inserting/editing evaluation symbols after the move (F10)", &F::Evaluation1Click},
    {"&Comments", "Diagramswapno1", "&Diagram/swap/no", "Ctrl+D", "A diagram after the move, from Black's side, or none (Ctrl D)", &F::Diagramswapno1Click},
    {"&View", "Blackwhite1", "&Traditional chess", "Ctrl+T", "The usual dark and light pieces (Ctrl T)", &F::Blackwhite1Click, &F::Blackwhite1, 2, true},
    {"&View", "Velmora2", "&Velmora chess", "Ctrl+R", "Velmora chess set (Ctrl R)", &F::Velmora2Click, &F::Velmora2, 2},
    {"&View", "Reversedchess1", "Re&versed chess", "", "White's pieces in the dark set, Black's in the light one", &F::Reversedchess1Click, &F::Reversedchess1, 2},
    {"&View", "Color1", "&Color chess", "", "Pieces told apart by colour only", &F::Color1Click, &F::Color1, 2},
    {"&View|Piece &style", "Modern1", "&Modern", "", "Modern piece shapes", &F::Modern1Click, nullptr, 3, true},
    {"&View|Piece &style", "Classic1", "&Classic", "", "Classic piece shapes", &F::Classic1Click, nullptr, 3},
    {"&View|Piece &style", "Blind1", "&Blindfold", "", "No pieces on the board", &F::Blind1Click, nullptr, 3},
    {"&View|&Piece size", "N1", "&Small", "", "Pieces of 80 % of the square", &F::N1Click, nullptr, 4, false, 80},
    {"&View|&Piece size", "Midi1", "&Midi", "", "Pieces of 91 % of the square", &F::N1Click, nullptr, 4, true, 91},
    {"&View|&Piece size", "Large1", "&Large", "", "Pieces of 99 % of the square", &F::N1Click, nullptr, 4, false, 99},
    {"&View", "BIOK1", "&Black view", "Ctrl+B", "Flips the board (if button is down, black is below) Ctrl B", &F::Flipboard1Click, &F::BIOK1, -1},
    {"&View", "-", "", "", "", nullptr},
    {"&View", "Gameslist1", "&Games list", "F3", "Shows the list of games", &F::Gameslist1Click, &F::Gameslist1, 1, true},
    {"&View", "Moveslist1", "&Move tree", "F4", "Shows the move tree", &F::Moveslist1Click, &F::Moveslist1, 1},
    {"&View", "ELOlist1", "&ELO list", "F5", "Shows the ELO list", &F::ELOlist1Click, &F::ELOlist1, 1},
    {"&View", "Bookmarks1", "Bookmarks", "F6", "Shows the bookmarks", &F::Bookmarks1Click, &F::Bookmarks1, 1},
    {"&View", "Statistics1", "Statistics", "F7", "Shows the statistics of the opened database", &F::Statistics1Click, &F::Statistics1, 1},
    {"", "Options1", "&Options", "", "Sets the options of board, move list and printing (F8)", &F::ToolButton16Click},
    {"&Help", "Manual1", "&Contents", "F1", "Opens the help", &F::Manual1Click},
    {"&Help", "Intro1", "&Intro...", "", "Shows the intro", &F::Intro1Click},
    {"&Help", "About1", "&About...", "", "About Velmora Chess", &F::About1Click},
};

const Row ToolBar[] = {
    {"", "ToolButton9", "Open", "", "Opens the selected database (Ctrl O)", &F::OpenDClick},
    {"", "ToolButton8", "New", "", "Starts a new, blank game from the basic position (Ctrl N)", &F::New1Click},
    {"", "PrevGameButton", "Previous", "", "Loads the previous game (Ctrl PgUp)", &F::ToolButton6Click},
    {"", "NextGameButton", "Next", "", "Loads the next game (Ctrl PgDn)", &F::ToolButton5Click},
    {"", "ToolButton1", "First", "", "Jumps to the start of the game (Home)", &F::BitBtn3Click},
    {"", "ToolButton2", "Back", "", "Takes back the move thoughout all lines and variations (Left arrow)", &F::ToolButton1Click},
    {"", "ToolButton3", "Forward", "", "Makes the following move thoughout all lines and variations (Right arrow)", &F::ToolButton3Click, &F::ToolButton3, -1},
    {"", "ToolButton4", "Last", "", "Jumps to the end of the game (End)", &F::BitBtn4Click},
    {"", "ToolButton15", "Next line", "", "Jumps to the next alternative move (Tab)", &F::ToolButton15Click},
    {"", "ToolButton17", "Prev line", "", "Traces back moves to the last branching move of the parent variation (Shift + Tab)", &F::Prevoiusline1Click},
    {"", "EvalButton", "Eval", "", "Inserting/editing evaluation symbols after the move (F10)", &F::Evaluation1Click},
    {"", "ToolButton13", "Traditional", "", "The usual dark and light pieces (Ctrl T)", &F::Blackwhite1Click, &F::ToolButton13, -1, true},
    {"", "ToolButton14", "Velmora", "", "Velmora chess set (Ctrl R)", &F::Velmora2Click, &F::ToolButton14, -1},
    {"", "SwButton", "Flip", "", "Flips the board (if button is down, black is below) Ctrl B", &F::Flipboard1Click, &F::SwButton, -1},
    {"", "ToolButton16", "Options...", "", "Sets the options of board, move list and printing (F8)", &F::ToolButton16Click},
    {"", "CopyButton", "Copy", "", "Copies formatted game text", &F::Copyall1Click},
    {"", "PrintButton", "Print", "", "Prints the movelist document to the selected printer (Ctrl P)", &F::Print1Click},
};

const Row EditMenu[] = {
    {"", "Copyall1", "Copy r&tf", "", "Copies formatted move text to clipboard", &F::Copyall1Click},
    {"", "-", "", "", "", nullptr},
    {"", "Deletemoves2", "&Delete move(s)", "", "Deletes the move and the rest of its line, or its whole variation (Ctrl Del)", &F::Deletemoves1Click},
    {"", "CommentsAfter2", "Text &after..", "", "Writes the comment after the move", &F::CommentsAfterClick},
    {"", "Commentsbefore2", "Text &before...", "", "Writes the comment before the move", &F::Commentsbefore1Click},
    {"", "Diagramswapno2", "Dia&gram/swap/no", "", "A diagram after the move, from Black's side, or none (Ctrl D)", &F::Diagramswapno1Click},
    {"", "Options2", "&Options...", "", "Sets the options of board, move list and printing (F8)", &F::ToolButton16Click},
    {"", "Evaluation2", "E&valuation...", "", "Inserting/editing evaluation symbols after the move (F10)", &F::Evaluation1Click},
    {"", "-", "", "", "", nullptr},
    {"Boo&kmark...", "Bookmark12", "Mark position &1", "", "Keeps the position shown as bookmark 1", &F::Bookmark11Click, nullptr, 0, false, 1},
    {"Boo&kmark...", "Bookmark22", "&Mark position &2", "", "Keeps the position shown as bookmark 2", &F::Bookmark11Click, nullptr, 0, false, 2},
    {"Boo&kmark...", "Memo31", "Load bookmark 1", "", "Reloads the database, game and position of bookmark 1", &F::Memo3Click, nullptr, 0, false, 1},
    {"Boo&kmark...", "Memo32", "Load bookmark 2", "", "Reloads the database, game and position of bookmark 2", &F::Memo3Click, nullptr, 0, false, 2},
    {"Boo&kmark...", "Load12", "Trace line 1", "", "Follows the line of bookmark 1 in the game shown", &F::Load21Click, nullptr, 0, false, 1},
    {"Boo&kmark...", "Load22", "Trace line 2", "", "Follows the line of bookmark 2 in the game shown", &F::Load21Click, nullptr, 0, false, 2},
    {"", "-", "", "", "", nullptr},
    {"", "N10", "!", "", "Very good move", &F::N10Click, nullptr, 0, false, 1},
    {"", "N11", "?", "", "Mistake", &F::N10Click, nullptr, 0, false, 2},
    {"", "N12", "!?", "", "Interesting move", &F::N10Click, nullptr, 0, false, 5},
    {"", "N13", "?!", "", "Dubious move", &F::N10Click, nullptr, 0, false, 6},
    {"", "N14", "!!", "", "Excellent move", &F::N10Click, nullptr, 0, false, 3},
    {"", "N15", "??", "", "Blunder", &F::N10Click, nullptr, 0, false, 4},
};
// clang-format on

} // namespace

std::span<const ActionRow<TForm1>> MainMenuRows()
{
    return MainMenu;
}
std::span<const ActionRow<TForm1>> ToolBarRows()
{
    return ToolBar;
}
std::span<const ActionRow<TForm1>> EditMenuRows()
{
    return EditMenu;
}
