// Replacing a run of nodes of the move-node stream in place, with the links
// into the stream (the PlayedNode of each record of the line shown and the
// LineAlternatives entries) kept on the nodes they named.
#pragma once

#include "rules/GameStore.h"

#include <span>

// Replaces the count nodes from first by nodes: the tail of the stream moves
// by the difference, MoveNodeCount with it, and every link behind the run
// moves too. The replaced nodes themselves must not be linked. Refused
// (false, nothing changed) when the run is not inside the stream or the
// stream would pass its capacity.
bool ReplaceNodes(int first, int count, std::span<const MoveNode> nodes);
