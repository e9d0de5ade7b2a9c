// Board diagrams in the notation document: ten lines of text in the diagram
// font ("\f5"), one character per frame cell or square, as one RTF group.
#pragma once

#include "database/RtfBuffer.h"

// Font characters: White's pawn..king, then Black's (bishop is "L").
constexpr char DiagramPieces[] = "PNLRQKpnlrqk";
// Zero-width overlays by piece type that turn the next piece's cell dark.
constexpr char DiagramDarkMarks[] = "zsvtwm";
// Colour-table digit by piece type (pawns take the automatic colour).
constexpr char DiagramColorDigits[] = "012345";

// Most bytes one diagram can take (32 coloured pieces, overlays,
// coordinates and a leading break come to about 480).
constexpr std::size_t DiagramRtfMaxBytes = 640;

// Writes the position of Positions[CurrentPly] at pos, seen from Black's side
// when blackView is set, after a paragraph break when leadingBreak is set.
// Adds its shown characters to RtfTextPos; returns the position after it.
RtfPos WriteDiagramRtf(RtfPos pos, bool blackView, bool leadingBreak);
