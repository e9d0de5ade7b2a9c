// The View menu's choices of how the board shows the pieces: four colour
// schemes, three piece styles, three sizes and the orientation. Each sets
// the scheme values that the piece images (and, for the schemes, the
// notation writer) read; the caller rebuilds what shows them.
#pragma once

#include <cstdint>

enum class ColourScheme { Traditional, Velmora, Reversed, Colour };
enum class PieceStyle { Modern, Classic, Blindfold };

// The piece colours of the options dialog, which the traditional and
// reversed schemes show.
struct DialogPieceColours {
    std::uint32_t Dark;
    std::uint32_t Light;
};

void ApplyColourScheme(ColourScheme scheme, DialogPieceColours dialog);
void ApplyPieceStyle(PieceStyle style);
// 80, 91 or 99 percent of the square.
void SetPieceSizePercent(int percent);
void ToggleBoardFlipped();

// The picture of the flip button: 8 + the side to move (1 Black), 10 + it
// when flipped.
int SwButtonImage();
