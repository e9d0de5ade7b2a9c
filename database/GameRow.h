// One row of the game list: the texts of its 16 cells, as the list shows
// them (columns 14 and 15 are hidden). Every cell is text; a value that the
// file does not give is an empty cell.
#pragma once

#include <array>
#include <string>

constexpr int GameListColumns = 16;

// Columns of the game list.
constexpr int NumberColumn = 0; // "No": 1 for the first game of the file
constexpr int WhiteColumn = 1;
constexpr int WhiteEloColumn = 2;
constexpr int BlackColumn = 3;
constexpr int BlackEloColumn = 4;
constexpr int ResultColumn = 5;    // "1/2-1/2" is stored as "1/2"
constexpr int MoveCountColumn = 6; // largest move number of the main line
constexpr int EcoColumn = 7;
constexpr int EventColumn = 8;
constexpr int SiteColumn = 9;
constexpr int DateColumn = 10; // trailing ".", "?" and "*" removed
constexpr int RoundColumn = 11;
constexpr int FlagsColumn = 12; // "pvc": set-up, variations, comments
constexpr int AnnotatorColumn = 13;
constexpr int FenColumn = 14;      // FEN tag, unchanged (hidden)
constexpr int MoveTextOffset = 15; // decimal file offset of the move text (hidden)

struct GameRow {
    std::array<std::string, GameListColumns> Cells;

    std::string& operator[](int column) { return Cells[column]; }
    const std::string& operator[](int column) const { return Cells[column]; }
    bool operator==(const GameRow&) const = default;
};

// Title and width of each column, for the list's title row.
struct GameListColumnInfo {
    const char* Title;
    int Width;
};
inline constexpr std::array<GameListColumnInfo, GameListColumns> GameListColumnInfos = {{
    {"No", 44},
    {"White", 124},
    {"ELO", 38},
    {"Black", 124},
    {"ELO", 38},
    {"Res.", 40},
    {"Mvs.", 40},
    {"ECO", 43},
    {"Event", 180},
    {"Site", 126},
    {"Date", 76},
    {"Rd.", 36},
    {"pvc", 35},
    {"Annotator", 100},
    {"", 0},
    {"", 0},
}};
