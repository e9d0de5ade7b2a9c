// The board font "Kavdiag" at a given cell height, as the piece images use it.
// Kept apart from the canvas code: the font and canvas headers of the
// platform layer cannot share one translation unit.
#pragma once

#include <QFont>

// Weight 400, antialiased, the face's own unhinted outlines only.
QFont CreatePieceFont(int cellHeight);
