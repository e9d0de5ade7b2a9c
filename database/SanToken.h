// Reading one move token of PGN move text and finding the move it names
// among the legal moves of the current position.
#pragma once

#include "rules/Board.h"
#include "rules/MoveLookup.h"

#include <array>
#include <cstdint>
#include <string_view>

// Character classes of move text: 1 "0".."8", 2 "a".."h", 3 "B" "K" "N" "Q" "R",
// 4 "-" "=" "O" "x"; 0 for every other byte, which is a delimiter (so "+",
// "#", "P", "9", ".", blanks, "!", "?", "$", "(", ")", "{", "}" end a token).
extern const std::array<std::uint8_t, 256> SanCharClass;

// What a token says; -1 marks a field the token leaves unset.
struct SanToken {
    int Piece = 1;   // piece type 1..6 (pawn by default)
    int ToFile = -1; // 0 = a .. 7 = h
    int ToRank = -1; // 0 = rank 1 .. 7 = rank 8
    int FromFile = -1;
    int FromRank = -1;
    int Promotion = 5; // piece type a pawn becomes (queen by default)
};

// Castling ("O-O", "0-0-0" ...) or a token read from its last character
// backward: the first digit and file letter met are the target, later ones
// the origin; a piece letter before them is the promotion, after them the
// moving piece. "x", "-", "=" and "O" are ignored.
SanToken ReadSanToken(std::string_view text);
// The same with the letters of knight, bishop, rook, queen and king given
// (a typed move in the user's notation letters); any other byte is ignored.
SanToken ReadSanToken(std::string_view text, std::string_view letters);

// Result of matching a token against Positions[CurrentPly].Moves.
constexpr int SanNotAMove = -1;  // no target file: the token is no move
constexpr int SanNoMatch = -2;   // no legal move fits
constexpr int SanAmbiguous = -3; // more than one legal move fits

// The index of the one legal move the token names, or one of the codes
// above. Candidates are taken in list order and tried with TestMoveLegal;
// the scan stops at the second that counts. When untested is given and
// only one entry fits, it is returned untried and *untested is set: the
// caller's MakeMove then decides its legality (marking it Illegal when
// refused), which saves trying the move twice.
int MatchSanToken(const SanToken& token, bool* untested = nullptr);

// The verdict MatchSanToken gives on a freshly generated list of
// Positions[CurrentPly], reached without generating it (the record's Moves
// are neither read nor written): Index is the move's index in that list or
// one of the codes above, Entry the move when Index >= 0. Only for tokens
// that name the target square (ToRank set); others give SanNotAMove.
// notInCheck: the side to move is known not to be in check (MakeMove.h).
struct SanMove {
    int Index = SanNoMatch;
    MoveEntry Entry{};
};
// sets: those of the record's board (MoveLookup.h).
SanMove FindSanMove(const SanToken& token, const BoardSets& sets, bool* untested = nullptr,
                    bool notInCheck = false);
