// Today's move-text parser, frozen: generation, playing and testing moves,
// token matching, the parser and the game text read, as they were before the
// parser stopped building a full move list after every move. The parse-all
// benchmark runs it beside the program's own to print the speed ratio. Not
// to be changed: it is the yardstick.
#pragma once

#include "database/ByteSource.h"
#include "database/CorrectMoveHandler.h"
#include "database/GameRow.h"
#include "rules/Board.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace frozen {

enum class PlayMode : std::uint8_t { Make, Test };

int GenerateMovesOf(PositionRecord& record);
void GenerateMoves();
bool PlayMoveInto(const PositionRecord& from, MoveEntry& entry, PositionRecord& target,
                  PlayMode mode);
std::uint8_t MakeMove(int index);
std::uint8_t TestMoveLegal(int index);
std::uint8_t IsSquareAttacked(const PositionRecord& record, int square, std::uint8_t side);
std::uint8_t IsInCheck(const PositionRecord& record, std::uint8_t side);

extern const std::array<std::uint8_t, 256> SanCharClass;
struct SanToken {
    int Piece = 1;
    int ToFile = -1;
    int ToRank = -1;
    int FromFile = -1;
    int FromRank = -1;
    int Promotion = 5;
};
SanToken ReadSanToken(std::string_view text);
SanToken ReadSanToken(std::string_view text, std::string_view letters);
constexpr int SanNotAMove = -1;
constexpr int SanNoMatch = -2;
constexpr int SanAmbiguous = -3;
int MatchSanToken(const SanToken& token, bool* untested = nullptr);

void ParseMoveText(char* text, const char* end, CorrectMoveHandler* handler);
void ParseGameMoveText(const char* end);

bool IsOutsideComment(const char* p);
std::size_t ReadGameText(const ByteSource& source, std::uint64_t offset);
// The game of cells read, set up and parsed as LoadGameFrom did (no hooks,
// landing on the last move); false when refused or nothing was read.
bool LoadGameFrom(const ByteSource& source, int row, const GameRow& cells);

} // namespace frozen
