// The prolog of the notation document: font table, colour table and the base
// character formatting. It depends only on the option values. The font table
// ends with the plain text font (RtfPlainTextFont), in the style of the move
// text's font: DejaVu Serif for the serif fonts, DejaVu Sans otherwise.
#pragma once

#include "database/RtfBuffer.h"

// Writes the prolog at pos and a NUL after it; returns the position of the
// NUL (where the game header begins). The document group stays open.
RtfPos WriteRtfProlog(RtfPos pos);

// Half-point sizes of the document by MoveFontSize (0 small, 1 normal, 2 large).
struct RtfSizes {
    const char* Base;      // "24" "28" "32": document, event line, main line
    const char* Players;   // "26" "30" "34": players line of the header
    const char* Variation; // "21" "24" "27": variation paragraphs and comments
    const char* Diagram;   // "40" "48" "56": board diagrams
};
const RtfSizes& RtfSizesFor(int moveFontSize);
