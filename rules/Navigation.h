// Replaying the line that leads to a node of the stream, and move paths.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

// For each ply of the line one group: the main continuation's node, the
// first-move nodes of the variations that branch there, then -1. Entries
// 0 .. LineAlternativeCount - 1 are in use; the vector is reserved to the
// capacity below and grows past it rather than overflow. It always holds at
// least one entry, so entry 0 reads -1 while no line has been replayed.
extern std::vector<std::int32_t> LineAlternatives;
extern std::int32_t LineAlternativeCount;
constexpr int LineAlternativesCapacity = 6400;

// A position inside a game: the move indices from ply 0, ended by 0xFF.
constexpr int MovePathCapacity = 800;
constexpr std::uint8_t MovePathEnd = 0xFF;
using MovePath = std::array<std::uint8_t, MovePathCapacity>;

// Goes to node (-1: the start of the game): rebuilds the line, its records
// and LineAlternatives, and sets CurrentPly to the position after the move
// that node is or belongs to.
void GoToNode(int node);

// Follows path as far as the stream allows, then GoToNode on the last node
// matched. Reads up to the first 0xFF, at most 800 bytes.
void GoToMovePath(const std::uint8_t* path);

// The path of the line shown up to CurrentPly (PlayedNode codes), ended by 0xFF.
MovePath CurrentMovePath();

#include <string>

// The move path of plies 0 .. CurrentPly - 1 as two upper-case hex digits per
// ply, and back into a path ended by 0xFF (an odd last digit is ignored; at
// most capacity - 1 moves are read; characters outside 0-9, A-F end the path).
std::string MovePathToHex();
void HexToMovePath(const std::string& hex, std::uint8_t* path, int capacity);

// ---- Where the navigation commands go ----------------------------------------
// Each returns the node to pass to GoToNode, or std::nullopt when the
// command does nothing from the position shown.

#include <optional>

// The move node played into the position shown, -1 at the start.
int CurrentMoveNode();
// Back through all lines: the node just before the current move.
std::optional<int> BackThroughLinesTarget();
// Forward through all lines: the next move node in the stream.
std::optional<int> ForwardThroughLinesTarget();
// Next line: the next alternative of the first branching ply from the
// current move on (the group wraps to its main continuation).
std::optional<int> NextLineTarget();
// Previous line: the move of the enclosing line at the branching point
// (-1, the start, from the main line).
std::optional<int> PreviousLineTarget();
// A caret in the move list: the move whose text holds or precedes it.
std::optional<int> CaretTarget(int caret);

// GoToNode after a replay of the whole stream (the move-list renderer) that
// left records 0 .. plies holding a line, each move played and annotated
// with its alternatives: when that is the line through node to its end,
// only the line's groups and counts are rebuilt, without playing a move
// again; otherwise GoToNode.
void GoToNodeAfterReplay(int node, int plies);

// As GoToNode, but replays only from the first ply where the line through
// node leaves the line shown. The line shown must be one that GoToNode or
// StepToNode built on the present stream (no edit since).
void StepToNode(int node);
