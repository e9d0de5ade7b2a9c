#include "app/ViewSchemes.h"

#include "app/OptionValues.h"
#include "rules/Board.h"

#include <algorithm>

void ApplyColourScheme(ColourScheme scheme, DialogPieceColours dialog)
{
    if (scheme == ColourScheme::Traditional || scheme == ColourScheme::Reversed) {
        BoardDarkPiece = dialog.Dark;
        BoardLightPiece = dialog.Light;
    }
    if (scheme == ColourScheme::Reversed)
        PieceSet = {1, 0};
    else if (scheme != ColourScheme::Colour)
        PieceSet = {0, 1};
    ColoredPieces = scheme == ColourScheme::Velmora || scheme == ColourScheme::Colour ? 1 : 0;
    GenericGlyphMode = scheme == ColourScheme::Colour ? 1 : 0;
}

void ApplyPieceStyle(PieceStyle style)
{
    for (int i = 1; i <= 12; ++i) {
        const char letter = DefaultGlyphChars[i - 1];
        GlyphChars[static_cast<std::size_t>(i)] = style == PieceStyle::Modern    ? letter
                                                  : style == PieceStyle::Classic ? letter - 0x20
                                                                                 : ' ';
    }
}

void SetPieceSizePercent(int percent)
{
    PieceSizePercent = std::clamp(percent, 80, 99);
}

void ToggleBoardFlipped()
{
    BoardFlipped = BoardFlipped ? 0 : 1;
}

int SwButtonImage()
{
    // The side to move of the position shown (not the ply's parity, which
    // is wrong in games that start with Black to move).
    return (BoardFlipped ? 10 : 8) + (Positions[CurrentPly].SideToMove ? 1 : 0);
}
