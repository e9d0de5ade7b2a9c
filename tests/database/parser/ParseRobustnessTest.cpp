// Bad input: limits, garbage and truncations never crash the parser or
// break the stream's grammar.
#include "ScriptedCorrection.h"
#include "StreamText.h"

#include "database/VariationStack.h"
#include "rules/GameStore.h"
#include "rules/StreamCheck.h"

#include <gtest/gtest.h>

#include <random>

namespace {

int CountKind(NodeKind kind)
{
    int n = 0;
    for (int i = 0; i < MoveNodeCount; ++i)
        n += MoveNodes[i].Kind == kind;
    return n;
}

std::string Repeat(const std::string& s, int times)
{
    std::string out;
    out.reserve(s.size() * times);
    for (int i = 0; i < times; ++i)
        out += s;
    return out;
}

void ExpectGrammar()
{
    std::string why;
    EXPECT_TRUE(CheckMoveStream(&why)) << why;
    EXPECT_LE(MoveNodeCount, MoveNodeCapacity);
}

struct LimitCase {
    const char* name;
    std::string text;
    int moves;      // move nodes expected
    int variations; // variation starts expected
    friend void PrintTo(const LimitCase& c, std::ostream* os) { *os << c.name; }
};

std::vector<LimitCase> LimitCases()
{
    return {
        {"deep_nesting_capped",
         "1. e4 e5 " + Repeat("(1... c5 ", 1100) + Repeat(")", 1100) + " 2. Nf3",
         3 + VariationStackCapacity, VariationStackCapacity},
        {"deep_nesting_unclosed", "1. e4 e5 " + Repeat("(1... c5 ", 1100),
         2 + VariationStackCapacity, VariationStackCapacity},
        {"stream_full_of_nags", "1. e4 " + Repeat("!$1", 300000), 1, 0},
        {"stream_full_inside_variations",
         "1. e4 e5 (1... c5 2. Nf3 (2. c3 " + Repeat("$1 ", 600000), 5, 2},
        {"stream_full_of_comments", "1. e4 " + Repeat("{c}", 600000), 1, 0},
        {"huge_token_cancelled", "1. e4 " + std::string(100000, 'a') + " e5", 1, 0},
        {"long_digit_run", "1. e4 $" + std::string(5000, '9') + " e5", 2, 0},
        {"many_empty_variations", "1. e4 " + Repeat("()", 50000) + " e5", 2, 0},
        {"many_skipped_variations", Repeat("(1. d4 {x} ((", 2000) + " 1. e4", 0, 0},
        {"only_closers", Repeat(")", 1000), 0, 0},
        {"nul_inside", std::string("1. e4 e5 \0 2. Nf3", 17), 2, 0},
        {"nul_inside_comment", std::string("1. e4 {ab\0cd} e5", 16), 1, 0},
        {"result_cut_short", "1. e4 1/2", 1, 0},
    };
}

class Limits : public ::testing::TestWithParam<LimitCase> {};

TEST_P(Limits, StreamStaysSound)
{
    const LimitCase& c = GetParam();
    ResetGame();
    ScriptedCorrection handler; // any question is cancelled
    Parse(c.text, &handler);
    ExpectGrammar();
    EXPECT_EQ(CountKind(NodeKind::nkMove), c.moves);
    EXPECT_EQ(CountKind(NodeKind::nkVariationStart), c.variations);
}

INSTANTIATE_TEST_SUITE_P(Parser, Limits, ::testing::ValuesIn(LimitCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LimitDetails, FullStreamStillClosesItsVariations)
{
    ResetGame();
    Parse("1. e4 e5 (1... c5 2. Nf3 (2. c3 " + Repeat("$1 ", 600000));
    EXPECT_EQ(MoveNodeCount, MoveNodeCapacity);
    EXPECT_EQ(MoveNodes[MoveNodeCount - 1].Kind, NodeKind::nkVariationEnd);
    EXPECT_EQ(MoveNodes[MoveNodeCount - 2].Kind, NodeKind::nkVariationEnd);
}

TEST(LimitDetails, HugeTokenIsAskedWhole)
{
    ResetGame();
    ScriptedCorrection handler;
    handler.Skip();
    Parse("1. e4 " + std::string(10000, 'a') + " e5", &handler);
    ASSERT_EQ(handler.Tokens.size(), 1u);
    EXPECT_EQ(handler.Tokens[0].size(), 10000u);
    EXPECT_EQ(StreamText(), "e2e4 e7e5");
}

TEST(LimitDetails, PlyLimitDropsTheRestOfTheLineOnly)
{
    ResetGame();
    // 796 plies, then a variation whose line crosses the limit, then more.
    std::string text = "1. " + Repeat("Nf3 Nf6 Ng1 Ng8 ", 199);
    text += "Nc3 (Nf3 Nf6 Ng1 Ng8 Nf3) Nc6 Nb1 Nb8 Nc3";
    ScriptedCorrection handler;
    Parse(text, &handler);
    ExpectGrammar();
    EXPECT_TRUE(handler.Tokens.empty());
    // Main line: 796 + Nc3 Nc6 (798); variation: Nf3 Nf6 (797, 798).
    EXPECT_EQ(CountKind(NodeKind::nkMove), 800);
}

// Random text from the characters of move text: the parser survives it and
// leaves a sound stream, with any answers to its questions.
TEST(Garbage, RandomTextWithRandomAnswers)
{
    const std::string alphabet = "abcdefgh12345678NBRQKOx-=+#!?$(){}. 0\n*[/";
    std::mt19937 rng(20261209);
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE(round);
        std::string text = "1. e4 e5 2. Nf3 ";
        const int length = std::uniform_int_distribution<int>(1, 400)(rng);
        for (int i = 0; i < length; ++i)
            text += alphabet[rng() % alphabet.size()];
        ScriptedCorrection handler;
        for (int q = 0; q < 20; ++q) {
            switch (rng() % 3) {
            case 0:
                handler.Skip();
                break;
            case 1:
                handler.Correct(std::string(1 + rng() % 4, alphabet[rng() % 16]),
                                static_cast<int>(rng() % 12) - 2);
                break;
            default:
                handler.Correct("Nc6", static_cast<int>(rng() % 6));
                break;
            }
        }
        ResetGame();
        Parse(text, &handler);
        std::string why;
        ASSERT_TRUE(CheckMoveStream(&why)) << why << "\n" << text;
    }
}

TEST(Garbage, EveryTruncationOfARichGame)
{
    const std::string game =
        "{Start} 1. e4 e5 (1... c5 {Sicilian} 2. Nf3 (2. c3 d5 $1) d6 $14) 2. Nf3 Nc6 "
        "3. Bb5 {a {nested} comment} a6!? (3... Nf6 4. O-O Nxe4 (4... Bc5)) 4. Ba4 Nf6 "
        "5. O-O Be7 6. Re1 b5 7. Bb3 d6 8. c3 O-O {!} 9. h3 $6 1-0";
    for (std::size_t n = 0; n <= game.size(); ++n) {
        SCOPED_TRACE(n);
        ResetGame();
        ScriptedCorrection handler;
        for (int q = 0; q < 3; ++q)
            handler.Skip();
        Parse(game.substr(0, n), &handler);
        std::string why;
        ASSERT_TRUE(CheckMoveStream(&why)) << why;
    }
    ResetGame();
    Parse(game);
    EXPECT_EQ(GameResult, 2);
    EXPECT_EQ(CountKind(NodeKind::nkMove), 26);
    EXPECT_EQ(CountKind(NodeKind::nkVariationStart), 4);
}

} // namespace
