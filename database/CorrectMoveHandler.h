// How the move-text parser asks about a move token it cannot read. The
// program answers through the correction dialog (Unit4); tests script it.
#pragma once

#include <string>

enum class CorrectMoveChoice {
    Correct, // read Text as the token, resume Advance characters after the token's start
    Skip,    // store nothing, go on after the token
    Cancel,  // stop reading; keep what was read
};

struct CorrectMoveAnswer {
    CorrectMoveChoice Choice = CorrectMoveChoice::Cancel;
    std::string Text; // the corrected token, bytes as in the game text
    int Advance = 0;  // characters of the game text that the correction replaces
};

class CorrectMoveHandler {
public:
    virtual ~CorrectMoveHandler() = default;

    // Runs before each question so that the game read so far can be shown
    // (board, document, move views). The stream is balanced while it runs;
    // the parser restores the positions of its line afterwards.
    virtual void RefreshBeforeAsking() {}

    // token: the unreadable text (bytes); maxAdvance: characters from the
    // token's start to the end of the game text.
    virtual CorrectMoveAnswer AskCorrection(const std::string& token, int maxAdvance) = 0;
};
