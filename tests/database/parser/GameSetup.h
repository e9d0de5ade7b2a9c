// Test and benchmark helpers: a game store ready for parsing, and SAN of a
// generated move. Header-only so that bench/ can use it too.
#pragma once

#include "rules/Board.h"
#include "rules/FenSetup.h"
#include "rules/GameStore.h"
#include "rules/MakeMove.h"

#include <cstring>
#include <string>

// SAN of entry index of Positions[CurrentPly].Moves (no check marks).
inline std::string SanOf(int index)
{
    const PositionRecord& p = Positions[CurrentPly];
    const MoveEntry e = p.Moves[index];
    if (e.Flags & MoveFlags::CastleKingSide) return "O-O";
    if (e.Flags & MoveFlags::CastleQueenSide) return "O-O-O";
    const int type = p.Board[e.From] & 7;
    const bool capture = p.Board[e.To] != 0 || (e.Flags & MoveFlags::EnPassant);
    std::string san;
    if (type == Piece::Pawn) {
        if (capture) san += static_cast<char>('a' + FileOf(e.From));
    } else {
        san += " PNBRQK"[type];
        bool rival = false, sameFile = false, sameRank = false;
        for (int j = 0; j < p.MoveCount; ++j) {
            const MoveEntry& r = p.Moves[j];
            if (j == index || r.To != e.To || p.Board[r.From] != p.Board[e.From] ||
                !TestMoveLegal(j))
                continue;
            rival = true;
            sameFile = sameFile || FileOf(r.From) == FileOf(e.From);
            sameRank = sameRank || RankOf(r.From) == RankOf(e.From);
        }
        if (rival && (!sameFile || sameRank)) san += static_cast<char>('a' + FileOf(e.From));
        if (rival && sameFile) san += static_cast<char>('1' + RankOf(e.From));
    }
    if (capture) san += 'x';
    san +=
        std::string{static_cast<char>('a' + FileOf(e.To)), static_cast<char>('1' + RankOf(e.To))};
    if (e.Promotion) {
        san += '=';
        san += " PNBRQK"[e.Promotion & 7];
    }
    return san;
}

// Sets up record 0 (standard start or a FEN) and empties the game store,
// as the game loader does before parsing.
inline void ResetGame(const char* fen = nullptr)
{
    static bool initialised = false;
    if (!initialised) {
        InitGameStore();
        initialised = true;
    }
    SetStartPosition();
    if (fen) SetupPositionFromFen(fen, std::strlen(fen));
    CurrentPly = 0;
    LineLength = 0;
    MoveNodeCount = 0;
    CommentList.clear();
    GameResult = -1;
}
