// A checker of the move-node stream's grammar, for tests of every writer.
#pragma once

#include <string>

// True when MoveNodes[0 .. MoveNodeCount) is a well-formed game from record 0:
// variation starts and ends balance; a variation starts only where its line
// already has a move (the one it replaces); every move's Code is a legal
// entry of its position's generated list when the stream is replayed; NAG
// codes are 1..255; comment indices lie inside CommentList; no move is
// played from ply 798 on. Comments and NAGs may stand anywhere, and a
// variation may hold no move. On failure, why (when given) says what and
// where. The replay runs on the checker's own records: the line shown,
// CurrentPly and every move list are left as they were.
bool CheckMoveStream(std::string* why = nullptr);
