// A correction handler that answers from a list and records the questions.
#pragma once

#include "database/CorrectMoveHandler.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

class ScriptedCorrection : public CorrectMoveHandler {
public:
    std::deque<CorrectMoveAnswer> Answers; // empty: Cancel
    std::vector<std::string> Tokens;       // every token asked about
    std::vector<int> MaxAdvances;
    int Refreshes = 0;
    std::function<void()> OnRefresh;

    void Correct(std::string text, int advance)
    {
        Answers.push_back({CorrectMoveChoice::Correct, std::move(text), advance});
    }
    void Correct(std::string text) { Correct(text, static_cast<int>(text.size())); }
    void Skip() { Answers.push_back({CorrectMoveChoice::Skip, {}, 0}); }
    void Cancel() { Answers.push_back({CorrectMoveChoice::Cancel, {}, 0}); }

    void RefreshBeforeAsking() override
    {
        ++Refreshes;
        if (OnRefresh) OnRefresh();
    }
    CorrectMoveAnswer AskCorrection(const std::string& token, int maxAdvance) override
    {
        Tokens.push_back(token);
        MaxAdvances.push_back(maxAdvance);
        if (Answers.empty()) return {};
        CorrectMoveAnswer a = Answers.front();
        Answers.pop_front();
        return a;
    }
};
