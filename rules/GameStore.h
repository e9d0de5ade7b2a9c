// The move-node stream: a game with all its variations, comments and
// evaluation symbols as one flat array of nodes in PGN order.
//
// Grammar kept by every writer: a move is followed by its NAG nodes (a
// quality NAG 1..6 first), its comment after, then its variations; a
// variation ("(" line ")") after move m is an alternative to m; a comment
// directly before a move is that move's text before.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class NodeKind : std::uint8_t {
    nkMove = 0,
    nkVariationStart = 1,
    nkVariationEnd = 2,
    nkNag = 3,
    nkComment = 4,
};

// One node, 8 bytes. TextPos is the character position of a move's text in
// the rendered move list, or for a comment its index in CommentList.
// TextLength is the length of a move's rendered text. Code is a move's index
// in the Moves of the position it is played from, or a NAG's number.
struct MoveNode {
    std::uint32_t TextPos; // CommentIndex for nkComment
    std::uint16_t TextLength;
    NodeKind Kind;
    std::uint8_t Code;
};
static_assert(sizeof(MoveNode) == 8);

constexpr int MoveNodeCapacity = 524288;

extern MoveNode MoveNodes[MoveNodeCapacity];
extern std::int32_t MoveNodeCount;
extern std::vector<std::string> CommentList;
extern std::int32_t GameResult; // -1 none, 0 "0-1", 1 "1/2-1/2", 2 "1-0"

// The next move at the same depth after node (from the start of the stream
// when node is -1): the move that continues the line node is on. -1 when the
// enclosing variation or the stream ends first.
int NextMoveSameDepth(int node);

// Adds (or follows) the move index of Positions[CurrentPly].Moves, already
// tested legal: a continuation, a new variation or an extension of the line.
// 1 done, 0 refused (ply limit, illegal move, stream full).
std::uint8_t AddMoveToTree(int index);
