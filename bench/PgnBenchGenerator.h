// Generates PGN databases of random legal games with the program's own rules:
// tags (some with "[" in their values), move numbers, comments (clock
// comments among them), evaluation symbols, nested variations, results, a
// FEN game now and then, CRLF or LF line ends. Used by the benchmarks and
// the index tests; the same seed gives the same text.
#pragma once

#include "rules/Board.h"
#include "rules/FenSetup.h"
#include "rules/GameStore.h"
#include "rules/MakeMove.h"
#include "rules/MoveGen.h"

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

struct PgnGeneratorOptions {
    int Games = 100;
    std::uint32_t Seed = 1;
    int MaxPlies = 110; // main line length, at most
    int MinPlies = 20;  // main line length, at least (unless the game ends)
    bool Variations = true;
    int VariationPercent = 8; // chance of a variation after a main-line move
    bool Comments = true;
    bool ClockComments = false; // "{ [%clk 0:03:00] }" after moves
    bool MixedLineEnds = true;  // CRLF or LF per game; LF games may have no blank lines
};

struct GeneratedGame {
    std::uint64_t MoveTextOffset = 0; // of the first character of its move text
    int MainLinePlies = 0;
    bool SetUp = false; // starts from a FEN position
    std::string Fen;    // its FEN when set up
};

struct GeneratedDatabase {
    std::string Text;
    std::vector<GeneratedGame> Games;
};

namespace pgngen {

class Writer {
public:
    explicit Writer(const PgnGeneratorOptions& options) : options_(options), random_(options.Seed)
    {
    }

    GeneratedDatabase Run()
    {
        InitGameStore();
        GeneratedDatabase db;
        for (int g = 0; g < options_.Games; ++g)
            WriteGame(db, g);
        return db;
    }

private:
    int Pick(int n) { return static_cast<int>(random_() % static_cast<std::uint32_t>(n)); }
    bool Chance(int percent) { return Pick(100) < percent; }

    // Indices of the legal moves of the record shown (moves generated first).
    std::vector<int> LegalMoves()
    {
        GenerateMoves();
        std::vector<int> legal;
        for (int i = 0; i < Positions[CurrentPly].MoveCount; ++i)
            if (TestMoveLegal(i)) legal.push_back(i);
        return legal;
    }

    static std::string SquareText(int square)
    {
        return {static_cast<char>('a' + FileOf(square)), static_cast<char>('1' + RankOf(square))};
    }

    // SAN of entry index of the record shown, before it is played (check
    // signs are added after).
    std::string San(int index, const std::vector<int>& legal)
    {
        const PositionRecord& p = Positions[CurrentPly];
        const MoveEntry& m = p.Moves[index];
        if (m.Flags & MoveFlags::CastleKingSide) return "O-O";
        if (m.Flags & MoveFlags::CastleQueenSide) return "O-O-O";
        const int type = p.Board[m.From] & Piece::TypeMask;
        const bool capture = p.Board[m.To] != 0 || (m.Flags & MoveFlags::EnPassant);
        std::string s;
        if (type == Piece::Pawn) {
            if (capture) s += static_cast<char>('a' + FileOf(m.From)), s += 'x';
            s += SquareText(m.To);
            if (m.Promotion) s += '=', s += " PNBRQK"[m.Promotion & Piece::TypeMask];
            return s;
        }
        s += " PNBRQK"[type];
        bool rival = false, sameFile = false, sameRank = false;
        for (int i : legal) {
            const MoveEntry& o = p.Moves[i];
            if (i == index || o.To != m.To || (p.Board[o.From] & Piece::TypeMask) != type) continue;
            rival = true;
            sameFile |= FileOf(o.From) == FileOf(m.From);
            sameRank |= RankOf(o.From) == RankOf(m.From);
        }
        if (rival && (!sameFile || sameRank)) s += static_cast<char>('a' + FileOf(m.From));
        if (rival && sameFile) s += static_cast<char>('1' + RankOf(m.From));
        if (capture) s += 'x';
        s += SquareText(m.To);
        return s;
    }

    std::string Number(int ply, bool force)
    {
        const int number = MoveNumberOfPly(ply);
        const bool white = Positions[ply].SideToMove == 0;
        if (white) return std::to_string(number) + ". ";
        return force ? std::to_string(number) + "... " : std::string();
    }

    std::string Nag()
    {
        static const char* const marks[] = {"!",  "?",   "!?",   "?!",   "!!",
                                            "??", " $1", " $14", " $18", " $140"};
        return marks[Pick(10)];
    }

    std::string Comment()
    {
        static const char* const texts[] = {
            "A solid choice.",
            "Better was to keep the bishop.",
            "The only move",
            "White has a small edge after this",
            "Played quickly",
            "{nested} idea",
            "Black wants to play ...d5 next",
            "With the threat of Qh5",
        };
        std::string comment(1, '{');
        comment += texts[Pick(8)];
        comment += '}';
        return comment;
    }

    // Plays and writes a line of moves from the record shown; returns its
    // text and leaves CurrentPly at its end. depth > 0 for variations.
    std::string Line(int plies, int depth, int& played, bool numberFirst = true)
    {
        std::string text;
        bool forceNumber = numberFirst;
        played = 0;
        std::size_t lastMoveEnd = 0;
        for (int k = 0; k < plies; ++k) {
            const std::vector<int> legal = LegalMoves();
            if (legal.empty()) {
                if (lastMoveEnd > 0 && text[lastMoveEnd - 1] == '+') text[lastMoveEnd - 1] = '#';
                break;
            }
            const int ply = CurrentPly;
            const int index = legal[Pick(static_cast<int>(legal.size()))];
            std::string move = Number(ply, forceNumber) + San(index, legal);
            forceNumber = false;
            MakeMove(index);
            ++played;
            if (IsInCheck(Positions[CurrentPly], Positions[CurrentPly].SideToMove)) move += '+';
            text += move;
            lastMoveEnd = text.size();
            if (Chance(6)) text += Nag();
            text += ' ';
            if (options_.ClockComments && depth == 0) {
                char clock[40];
                std::snprintf(clock, sizeof clock, "{ [%%clk 0:%02d:%02d] } ", Pick(60), Pick(60));
                text += clock;
                forceNumber = true;
            }
            if (options_.Comments && Chance(depth ? 3 : 7)) {
                text += Comment() + ' ';
                forceNumber = true;
            }
            if (options_.Variations && depth < 3 && k + 1 < plies &&
                Chance(depth ? 4 : options_.VariationPercent)) {
                // An alternative to the move just played, from the position before it.
                CurrentPly = ply;
                const std::vector<int> alternatives = LegalMoves();
                if (alternatives.size() > 1) {
                    int alt = alternatives[Pick(static_cast<int>(alternatives.size()))];
                    if (alt == index)
                        alt = alternatives[0] == index ? alternatives[1] : alternatives[0];
                    std::string variation = Number(ply, true) + San(alt, alternatives);
                    MakeMove(alt);
                    if (IsInCheck(Positions[CurrentPly], Positions[CurrentPly].SideToMove))
                        variation += '+';
                    int inner = 0;
                    const std::string rest = Line(1 + Pick(5), depth + 1, inner, false);
                    text += "(" + variation + (rest.empty() ? "" : " " + rest);
                    while (text.back() == ' ')
                        text.pop_back();
                    text += ") ";
                    forceNumber = true;
                }
                // Back on the main line: replay the move the variation replaced.
                CurrentPly = ply;
                GenerateMoves();
                MakeMove(index);
            }
        }
        return text;
    }

    void Wrap(std::string& moves, const std::string& eol)
    {
        std::string out;
        std::size_t column = 0;
        std::size_t start = 0;
        while (start < moves.size()) {
            std::size_t end = moves.find(' ', start);
            if (end == std::string::npos) end = moves.size();
            const std::size_t len = end - start;
            if (len == 0) {
                start = end + 1;
                continue;
            }
            if (column > 0 && column + 1 + len > 79) {
                out += eol;
                column = 0;
            } else if (column > 0) {
                out += ' ';
                ++column;
            }
            out.append(moves, start, len);
            column += len;
            start = end + 1;
        }
        moves = out;
    }

    void WriteGame(GeneratedDatabase& db, int g)
    {
        static const char* const names[] = {
            "Aldren, Mira", "Bosk, Tomas", "Cray, Ivo",     "Dunmore, Lea", "Eskel, Petr",
            "Farrow, Jon",  "Galt, Rina",  "Holm, Severin", "Ivers, Kaja",  "Jolin, Marc",
            "Kessler, Una", "Lorne, Adam", "Mayhew, Ota",   "Norrby, Elin", "Orsk, Vadim",
        };
        static const char* const events[] = {
            "Harbour Open",   "Club Championship",  "Spring Rapid [A]", "Northern League",
            "Winter Classic", "Team Cup [Board 2]", "Blitz Arena",      "County Final",
        };
        static const char* const results[] = {"1-0", "0-1", "1/2-1/2", "*"};
        static const char* const fens[] = {
            "8/5pk1/6p1/8/3R4/6P1/5PKP/3r4 b - - 3 41",
            "r1bqk2r/pppp1ppp/2n2n2/2b1p3/2B1P3/3P1N2/PPP2PPP/RNBQK2R w KQkq - 1 5",
            "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 30",
        };
        const bool crlf = options_.MixedLineEnds ? Chance(50) : true;
        const std::string eol = crlf ? "\r\n" : "\n";
        const bool blankLines = crlf || !options_.MixedLineEnds || Chance(50);
        const bool fenGame = Chance(4);
        const std::string result = results[Pick(4)];

        std::string& out = db.Text;
        auto tag = [&](const char* name, const std::string& value) {
            out += '[';
            out += name;
            out += " \"";
            out += value;
            out += "\"]";
            out += eol;
        };
        tag("Event", events[Pick(8)]);
        tag("Site", Chance(20) ? "?" : "Velm");
        tag("Date",
            std::to_string(1990 + Pick(35)) + (Chance(30) ? ".??.??"
                                                          : ".0" + std::to_string(1 + Pick(9)) +
                                                                ".1" + std::to_string(Pick(10))));
        tag("Round", std::to_string(1 + Pick(11)));
        tag("White", names[Pick(15)]);
        tag("Black", names[Pick(15)]);
        tag("Result", result);
        if (Chance(70)) {
            tag("WhiteElo", std::to_string(1800 + Pick(900)));
            tag("BlackElo", std::to_string(1800 + Pick(900)));
        }
        tag("ECO", std::string(1, "ABCDE"[Pick(5)]) + std::to_string(10 + Pick(90)));
        if (Chance(10)) tag("Annotator", "Velmora Team");
        CurrentPly = 0;
        LineLength = 0;
        const char* fen = nullptr;
        if (fenGame) {
            fen = fens[Pick(3)];
            tag("SetUp", "1");
            tag("FEN", fen);
            SetupPositionFromFen(fen, std::char_traits<char>::length(fen));
        } else {
            SetStartPosition();
        }
        if (blankLines) out += eol;

        int played = 0;
        std::string moves =
            Line(options_.MinPlies + Pick(options_.MaxPlies - options_.MinPlies + 1), 0, played);
        moves += result;
        Wrap(moves, eol);
        GeneratedGame game;
        game.MoveTextOffset = out.size();
        game.MainLinePlies = played;
        game.SetUp = fenGame;
        if (fen) game.Fen = fen;
        db.Games.push_back(game);
        out += moves + eol;
        if (blankLines) out += eol;
        (void)g;
    }

    PgnGeneratorOptions options_;
    std::mt19937 random_;
};

} // namespace pgngen

inline GeneratedDatabase GeneratePgnDatabase(const PgnGeneratorOptions& options)
{
    return pgngen::Writer(options).Run();
}
