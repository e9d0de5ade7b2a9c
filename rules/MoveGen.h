// Pseudo-legal move generation in the one fixed order that every stored move
// index (move-node stream, move paths, bookmarks, settings file) relies on.
#pragma once

// Generates the moves of Positions[CurrentPly] into its Moves and sets its
// MoveCount (at most 199; later moves are dropped).
void GenerateMoves();
