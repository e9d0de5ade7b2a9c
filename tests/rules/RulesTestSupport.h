// Helpers shared by the rules tests: positions from FEN, moves by their
// squares, and streams written node by node.
#pragma once

#include "rules/Board.h"
#include "rules/GameStore.h"

#include <initializer_list>
#include <string>
#include <vector>

// A fresh store with record 0 set from fen (the start position when empty)
// and its moves generated; CurrentPly = LineLength = 0, empty stream.
void ResetGame(const std::string& fen = "");

// Index in Positions[CurrentPly].Moves of the move written as "e2e4" or
// "e7e8n" (promotion letter last); -1 when it is not in the list.
int FindMove(const std::string& move);

// "e2e4" style text of an entry.
std::string MoveText(const MoveEntry& entry);

// All entries of Positions[CurrentPly] as text, in list order.
std::vector<std::string> MoveTexts();

// AddMoveToTree of the move given by its squares; false when not in the list
// or refused.
bool Play(const std::string& move);

// Plays each move with AddMoveToTree, then sets LineLength to CurrentPly as
// the re-rendering would.
void PlayLine(const std::vector<const char*>& moves);

// Nodes written directly: M(code), VS, VE, N(nag), C(index).
MoveNode M(int code);
MoveNode N(int nag);
MoveNode C(int index);
extern const MoveNode VS;
extern const MoveNode VE;
void SetStream(std::initializer_list<MoveNode> nodes);

// The stream as text: "m13 ( m11 ) n1 c0".
std::string StreamText();

// Writes the stream of a game given as space-separated tokens: moves as
// "e2e4", "(" and ")", "{text}" comments (appended to CommentList), "$n"
// NAGs; each move is matched in the position it is played from, as the
// move-text reader does. Ends with GoToNode(-1).
void BuildStream(const std::string& text);

// Plays a move with AddMoveToTree and then shows its line, as the
// re-rendering after an edit does.
bool PlayShown(const std::string& move);

// PlayedNode of records 0 .. CurrentPly - 1.
std::vector<int> PlayedChain();
