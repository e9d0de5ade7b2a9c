// Malformed and extreme PGN files, made when the test runs: what a user may
// open by mistake, or receive from a broken or hostile program.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

struct MalformedFile {
    std::string Name;
    std::function<std::string()> Make;               // the file's bytes
    int Games = -1;                                  // rows listed, -1 when any count will do
    std::optional<bool> LimitReached = std::nullopt; // nullopt when either will do
    int LastLine = -1; // plies of the last game's main line, -1 when any
};

std::vector<MalformedFile> MalformedFiles();

// Two rich games (names in UTF-8 and cp1252, a set-up position, comments
// with "[" at a line start and clock marks, nested variations, symbols),
// to be cut at every byte.
std::string RichGames();
