// The game header of the notation document: players line, event line and
// the trailer that shows the document's fonts and colours.
#pragma once

#include "database/RtfBuffer.h"

#include <functional>
#include <string>

// The GameList cells the header reads, by column of the game list.
struct GameHeaderCells {
    static constexpr int WhiteColumn = 1;
    static constexpr int WhiteEloColumn = 2;
    static constexpr int BlackColumn = 3;
    static constexpr int BlackEloColumn = 4;
    static constexpr int EcoColumn = 7;
    static constexpr int EventColumn = 8;
    static constexpr int SiteColumn = 9;
    static constexpr int DateColumn = 10;
    static constexpr int RoundColumn = 11;
    static constexpr int AnnotatorColumn = 13;

    std::string White, WhiteElo, Black, BlackElo, Eco, Event, Site, Date, Round, Annotator;
};

// Reads the header's cells of one row: cell(column) gives the cell text.
GameHeaderCells HeaderCellsOf(const std::function<std::string(int column)>& cell);

// Writes the header of a game at pos, resetting RtfTextPos and counting the
// header's shown characters; returns the position after it (no NUL).
RtfPos WriteGameHeaderRtf(RtfPos pos, const GameHeaderCells& cells);

// The form's entry: row -1 (no game) writes nothing and leaves RtfTextPos 0;
// otherwise cell(column) supplies that row's texts, for example
//   WriteGameHeaderRtf(pos, CurrentGameRow,
//                      [&](int col) { return GameList->Cells(col, CurrentGameRow); })
RtfPos WriteGameHeaderRtf(RtfPos pos, int row, const std::function<std::string(int column)>& cell);
