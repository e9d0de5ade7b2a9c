// Unreadable tokens through a scripted correction handler.
#include "ScriptedCorrection.h"
#include "StreamText.h"

#include "rules/Board.h"
#include "rules/GameStore.h"
#include "rules/Navigation.h"
#include "rules/StreamCheck.h"

#include <gtest/gtest.h>

namespace {

struct FlowCase {
    const char* name;
    const char* text;
    std::function<void(ScriptedCorrection&)> script;
    std::vector<std::string> tokens; // the questions, in order
    const char* stream;
    friend void PrintTo(const FlowCase& c, std::ostream* os) { *os << c.name; }
};

const FlowCase Flows[] = {
    {"correct_default_advance",
     "1. e4 e5 2. Nf4 Nc6",
     [](ScriptedCorrection& s) { s.Correct("Nf3"); },
     {"Nf4"},
     "e2e4 e7e5 g1f3 b8c6"},
    {"correct_advance_over_more_text",
     "1. e4 e5 2. Nf4 Qh4 Nc6 3. Bc4",
     [](ScriptedCorrection& s) { s.Correct("Nf3", 7); },
     {"Nf4"},
     "e2e4 e7e5 g1f3 b8c6 f1c4"},
    {"correct_advance_zero_inserts_a_move",
     "1. e4 2. Nf3",
     [](ScriptedCorrection& s) { s.Correct("e5", 0); },
     {"Nf3"},
     "e2e4 e7e5 g1f3"},
    {"correct_advance_past_end_clamped",
     "1. e4 e5 2. Nf4",
     [](ScriptedCorrection& s) { s.Correct("Nf3", 100000); },
     {"Nf4"},
     "e2e4 e7e5 g1f3"},
    {"correct_negative_advance_clamped",
     "1. e4 e5 2. Nf4 Nc6",
     [](ScriptedCorrection& s) {
         s.Correct("Nf3", -50);
         s.Skip();
     },
     {"Nf4", "Nf4"},
     "e2e4 e7e5 g1f3 b8c6"},
    {"second_correction_counts_from_token",
     "1. e4 e5 2. Nf4 Nc6",
     [](ScriptedCorrection& s) {
         s.Correct("Nf5"); // still unreadable: asked again with it
         s.Correct("Nf3", 3);
     },
     {"Nf4", "Nf5"},
     "e2e4 e7e5 g1f3 b8c6"},
    {"correct_to_no_move_adds_nothing",
     "1. e4 Ke2 e5",
     [](ScriptedCorrection& s) { s.Correct("--"); },
     {"Ke2"},
     "e2e4 e7e5"},
    {"skip",
     "1. e4 Ke2 e5 2. Nf3",
     [](ScriptedCorrection& s) { s.Skip(); },
     {"Ke2"},
     "e2e4 e7e5 g1f3"},
    {"ambiguous_asks",
     "1. d4 d5 2. Nf3 Nf6 3. Nd2 e6",
     [](ScriptedCorrection& s) { s.Correct("Nbd2"); },
     {"Nd2"},
     "d2d4 d7d5 g1f3 g8f6 b1d2 e7e6"},
    {"cancel_keeps_what_was_read",
     "1. e4 e5 2. Nf4 Nc6 3. Bc4",
     [](ScriptedCorrection& s) { s.Cancel(); },
     {"Nf4"},
     "e2e4 e7e5"},
    {"cancel_in_variation_closes_it",
     "1. e4 e5 (1... c5 2. Nf4) 2. Nf3",
     [](ScriptedCorrection& s) { s.Cancel(); },
     {"Nf4"},
     "e2e4 e7e5 ( c7c5 )"},
    {"cancel_in_empty_variation_drops_it",
     "1. e4 e5 (1... Ke2) 2. Nf3",
     [](ScriptedCorrection& s) { s.Cancel(); },
     {"Ke2"},
     "e2e4 e7e5"},
    {"correct_in_variation",
     "1. e4 e5 (1... c5 2. Nf4 d6) 2. Nf3",
     [](ScriptedCorrection& s) { s.Correct("Nf3"); },
     {"Nf4"},
     "e2e4 e7e5 ( c7c5 g1f3 d7d6 ) g1f3"},
    {"token_at_end_asked",
     "1. e4 e5 2. Nf4",
     [](ScriptedCorrection& s) { s.Correct("Nf3"); },
     {"Nf4"},
     "e2e4 e7e5 g1f3"},
    {"long_correction",
     "1. e4 Ke2 e5",
     [](ScriptedCorrection& s) { s.Correct(std::string(5000, 'x') + "e5", 6); },
     {"Ke2"},
     "e2e4 e7e5"},
};

class CorrectionFlow : public ::testing::TestWithParam<FlowCase> {};

TEST_P(CorrectionFlow, Stream)
{
    const FlowCase& c = GetParam();
    ResetGame();
    ScriptedCorrection handler;
    c.script(handler);
    Parse(c.text, &handler);
    std::string why;
    EXPECT_TRUE(CheckMoveStream(&why)) << why;
    EXPECT_EQ(handler.Tokens, c.tokens);
    EXPECT_EQ(handler.Refreshes, static_cast<int>(c.tokens.size()));
    EXPECT_EQ(StreamText(), c.stream);
}

INSTANTIATE_TEST_SUITE_P(Parser, CorrectionFlow, ::testing::ValuesIn(Flows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CorrectionFlowDetails, MaxAdvanceIsTheRestOfTheText)
{
    ResetGame();
    ScriptedCorrection handler;
    handler.Skip();
    Parse("1. e4 Ke2 e5", &handler);
    ASSERT_EQ(handler.MaxAdvances.size(), 1u);
    EXPECT_EQ(handler.MaxAdvances[0], 6);
}

TEST(CorrectionFlowDetails, NoHandlerSkips)
{
    ResetGame();
    Parse("1. e4 Ke2 e5 2. Nf3");
    EXPECT_EQ(StreamText(), "e2e4 e7e5 g1f3");
}

TEST(CorrectionFlowDetails, RefreshSeesABalancedStreamAndCannotDisturbTheParse)
{
    ResetGame();
    ScriptedCorrection handler;
    handler.Correct("Nf3");
    bool balanced = false;
    handler.OnRefresh = [&] {
        std::string why;
        balanced = CheckMoveStream(&why);
        // A refresh replays and shows other lines.
        GoToNode(-1);
        CurrentPly = 0;
    };
    Parse("1. e4 e5 (1... c5 2. Nf4 d6 (2... Nc6) 3. d4) 2. Nf3", &handler);
    EXPECT_TRUE(balanced);
    std::string why;
    EXPECT_TRUE(CheckMoveStream(&why)) << why;
    EXPECT_EQ(StreamText(), "e2e4 e7e5 ( c7c5 g1f3 d7d6 ( b8c6 ) d2d4 ) g1f3");
}

TEST(CorrectionFlowDetails, TokensPastThePlyLimitAreNotAsked)
{
    ResetGame();
    std::string text;
    for (int i = 0; i < 250; ++i)
        text += "Nf3 Nf6 Ng1 Ng8 ";
    ScriptedCorrection handler;
    Parse("1. " + text + "(Nc3) {late} $1 Nf3", &handler);
    EXPECT_TRUE(handler.Tokens.empty());
    EXPECT_EQ(MoveNodeCount, MaxPly);
    std::string why;
    EXPECT_TRUE(CheckMoveStream(&why)) << why;
}

} // namespace
