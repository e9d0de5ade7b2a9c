// Helpers of the notation-document tests: an independent reading of what the
// rich-edit control shows, a builder of move-node streams, and option resets.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

// The characters the control shows for rtf, one byte per counted unit:
// "\par" gives two line feeds, "\'hh" the byte hh, "\_" a hyphen, "\{" "\}"
// "\\" the character, "\uN" and its fallback one "?"; control words, their
// ending blank, braces, raw CR/LF give nothing. Stops at a NUL.
std::string ShownText(std::string_view rtf);

// The document from RtfPrologEnd up to its NUL.
std::string_view DocumentAfterProlog();
// The whole document up to its NUL.
std::string_view WholeDocument();

// Options at their first-run values, letters instead of figurines (readable
// goldens), a fresh buffer with the prolog written.
void ResetDocument();

// Builds a game into the move-node stream from the start position (or a FEN)
// the way the parser does, replaying it on the position records.
class GameBuilder {
public:
    GameBuilder();
    explicit GameBuilder(std::string_view fen);

    // Plays a move given as "e2e4" / "e7e8q"; fails the test when it is not legal.
    GameBuilder& Move(std::string_view uci);
    // Several moves separated by blanks.
    GameBuilder& Moves(std::string_view ucis);
    GameBuilder& Start();
    GameBuilder& End();
    GameBuilder& Nag(int code);
    GameBuilder& Comment(std::string text);
    GameBuilder& Result(int result);
    // A random legal move; false when there is none.
    bool RandomMove(std::mt19937& rng);
    // Legal move indices of the current position.
    std::vector<int> LegalMoves() const;

    int Depth() const { return static_cast<int>(Stack.size()); }
    // FormatMoveText of every move node at the time it was played, by node.
    std::vector<std::string> MoveTexts;

private:
    void PlayIndex(int index);
    struct Frame {
        int Ply;
        int Node;
    };
    std::vector<Frame> Stack;
    int LastMoveNode = -1;
};

// Index of the move "e2e4" / "e7e8q" in Positions[ply].Moves, -1 if none.
int MoveIndex(int ply, std::string_view uci);

// Appends one node to the stream.
void AppendNode(std::uint8_t kind, std::uint32_t textPos, std::uint8_t code);
