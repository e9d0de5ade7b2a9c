// Move text read into the stream: node kinds, moves, NAGs, comments, results.
#include "StreamText.h"

#include "database/MoveTextParser.h"
#include "rules/Board.h"
#include "rules/GameStore.h"
#include "rules/StreamCheck.h"

#include <gtest/gtest.h>

namespace {

struct ParseCase {
    const char* name;
    const char* fen; // nullptr: the standard start
    const char* text;
    const char* stream;
    int result;
    friend void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }
};

constexpr int None = -1;

const ParseCase Cases[] = {
    // moves and move numbers
    {"numbers_skipped", nullptr, "1. e4 e5 2. Nf3", "e2e4 e7e5 g1f3", None},
    {"numbers_without_blank", nullptr, "1.e4 e5 2.Nf3 Nc6", "e2e4 e7e5 g1f3 b8c6", None},
    {"black_move_number", nullptr, "1. e4 1... e5", "e2e4 e7e5", None},
    {"checks_are_delimiters", nullptr, "1. e4 e5 2. Qh5 Nc6 3. Bc4 Nf6 4. Qxf7#",
     "e2e4 e7e5 d1h5 b8c6 f1c4 g8f6 h5f7", None},
    {"pawn_capture_by_files", nullptr, "1. e4 d5 2. exd", "e2e4 d7d5 e4d5", None},
    {"pawn_capture_short", nullptr, "1. e4 d5 2. ed", "e2e4 d7d5 e4d5", None},
    {"lone_file_letter", nullptr, "1. e4 d5 2. e", "e2e4 d7d5 e4e5", None},
    {"ep_mark_is_skipped", nullptr, "1. e4 a6 2. e5 d5 3. exd6 e.p. Nf6",
     "e2e4 a7a6 e4e5 d7d5 e5d6 g8f6", None},
    {"long_algebraic_dash", nullptr, "1. e2-e4 e7-e5 2. Ng1-f3", "e2e4 e7e5 g1f3", None},
    {"long_algebraic_plain", nullptr, "1. e2e4 e7e5 2. g1f3", "e2e4 e7e5 g1f3", None},
    {"long_algebraic_capture", nullptr, "1. e4 d5 2. e4xd5", "e2e4 d7d5 e4d5", None},
    {"piece_with_origin", nullptr, "1. Ng1f3", "g1f3", None},
    {"disambiguate_by_file", nullptr, "1. d4 d5 2. Nf3 Nf6 3. Nbd2", "d2d4 d7d5 g1f3 g8f6 b1d2",
     None},
    {"disambiguate_by_rank", "7k/8/8/6N1/8/8/8/K5N1 w - - 0 1", "1. N1f3", "g1f3", None},
    {"disambiguate_by_rank_other", "7k/8/8/6N1/8/8/8/K5N1 w - - 0 1", "1. N5f3", "g5f3", None},
    {"promotion_default_queen", "8/4P3/8/8/8/8/k7/7K w - - 0 1", "1. e8", "e7e8q", None},
    {"promotion_letter", "8/4P3/8/8/8/8/k7/7K w - - 0 1", "1. e8N", "e7e8n", None},
    {"promotion_equals", "8/4P3/8/8/8/8/k7/7K w - - 0 1", "1. e8=R", "e7e8r", None},
    {"promotion_check_mark", "8/4P3/8/8/8/8/k7/7K w - - 0 1", "1. e8+", "e7e8q", None},
    {"castle_king_side_check", "4k3/8/8/8/8/8/8/4K2R w K - 0 1", "1. O-O+", "e1g1", None},
    {"castle_queen_side_zeros", "4k3/8/8/8/8/8/8/R3K3 w Q - 0 1", "1. 0-0-0", "e1c1", None},
    {"castle_black", "r3k3/8/8/8/8/8/8/4K3 b q - 0 1", "1... O-O-O", "e8c8", None},
    // NAGs
    {"nag_interesting", nullptr, "1. e4!? e5", "e2e4 $5 e7e5", None},
    {"nag_marks", nullptr, "1. e4!! e5?? 2. Nf3? Nc6! 3. Bc4?! Bc5",
     "e2e4 $3 e7e5 $4 g1f3 $2 b8c6 $1 f1c4 $6 f8c5", None},
    {"nag_dollar", nullptr, "1. e4 $14 e5 $255", "e2e4 $14 e7e5 $255", None},
    {"nag_dollar_zero_and_over", nullptr, "1. e4 $0 $256 $300 $99999999999 e5", "e2e4 e7e5", None},
    {"nag_whole_comment", nullptr, "1. e4 {!} e5 { ?!} {?! }", "e2e4 $1 e7e5 $6 {?! }", None},
    {"nag_whole_comment_all", nullptr, "1. e4 {?} {!!} {??} {!?}", "e2e4 $2 $3 $4 $5", None},
    // comments
    {"comment_starting_with_mark", nullptr, "1. e4 {!? good} e5", "e2e4 {!? good} e7e5", None},
    {"comment_nested_braces", nullptr, "1. e4 {a {b} c} e5", "e2e4 {a (b) c} e7e5", None},
    {"comment_leading_blanks_skipped", nullptr, "1. e4 { ;., text } e5", "e2e4 {text } e7e5", None},
    {"comment_empty_dropped", nullptr, "1. e4 {} { } {. ,} e5", "e2e4 e7e5", None},
    {"comment_lone_punctuation_dropped", nullptr, "1. e4 {-} {=} e5", "e2e4 e7e5", None},
    {"comment_lone_letter_kept", nullptr, "1. e4 {A} e5", "e2e4 {A} e7e5", None},
    {"comment_diagram_mark", nullptr, "1. e4 {#} e5 {## white}", "e2e4 {#} e7e5 {## white}", None},
    {"comment_before_first_move", nullptr, "{Intro} 1. e4", "{Intro} e2e4", None},
    {"comment_two", nullptr, "1. e4 {a} {b}", "e2e4 {a} {b}", None},
    {"comment_keeps_move_text", nullptr, "1. e4 {1. d4 (2. c4) $1} e5",
     "e2e4 {1. d4 (2. c4) $1} e7e5", None},
    {"comment_with_bracket_and_result", nullptr, "1. e4 {[%clk 0:01] 1-0 *} e5",
     "e2e4 {[%clk 0:01] 1-0 *} e7e5", None},
    {"comment_open_at_end", nullptr, "1. e4 {unfinished", "e2e4 {unfinished}", None},
    // variations
    {"variation", nullptr, "1. e4 (1. d4) e5", "e2e4 ( d2d4 ) e7e5", None},
    {"variation_empty_dropped", nullptr, "1. e4 () e5", "e2e4 e7e5", None},
    {"variation_only_comment_dropped", nullptr, "1. e4 ({c} $1) e5", "e2e4 e7e5", None},
    {"variation_nested", nullptr, "1. e4 e5 (1... c5 2. Nf3 (2. c3) d6) 2. Nf3",
     "e2e4 e7e5 ( c7c5 g1f3 ( c2c3 ) d7d6 ) g1f3", None},
    {"variation_siblings", nullptr, "1. e4 (1. d4) (1. c4) e5", "e2e4 ( d2d4 ) ( c2c4 ) e7e5",
     None},
    {"variation_after_nag_and_comment", nullptr, "1. e4 $1 {good} (1. d4 d5) e5",
     "e2e4 $1 {good} ( d2d4 d7d5 ) e7e5", None},
    {"variation_open_at_end", nullptr, "1. e4 (1. d4 d5", "e2e4 ( d2d4 d7d5 )", None},
    {"variation_open_and_empty_at_end", nullptr, "1. e4 e5 (", "e2e4 e7e5", None},
    {"variation_at_ply_zero_skipped", nullptr, "(1. d4 {x ) y} (1. c4)) 1. e4", "e2e4", None},
    {"variation_double_open_skipped", nullptr, "1. e4 ((1. d4) 1. c4) e5", "e2e4 ( c2c4 ) e7e5",
     None},
    {"unmatched_close_ends", nullptr, "1. e4 ) e5", "e2e4", None},
    // results and text ends
    {"result_white", nullptr, "1. e4 e5 1-0 2. Nf3", "e2e4 e7e5", 2},
    {"result_black", nullptr, "1. e4 e5 0-1", "e2e4 e7e5", 0},
    {"result_draw", nullptr, "1. e4 e5 1/2-1/2", "e2e4 e7e5", 1},
    {"result_draw_any_separator", nullptr, "1. e4 1/2:1/2", "e2e4", 1},
    {"result_unknown", nullptr, "1. e4 e5 * 2. Nf3", "e2e4 e7e5", None},
    {"next_game_ends", nullptr, "1. e4 e5\n\n[Event \"x\"]\n1. d4", "e2e4 e7e5", None},
    {"token_at_end_of_text", nullptr, "1. e4 e5", "e2e4 e7e5", None},
    {"token_before_result", nullptr, "1. e4 e5*", "e2e4 e7e5", None},
    {"first_token_never_a_move", nullptr, "e4 e5", "", None},
    {"empty_text", nullptr, "", "", None},
    {"null_move_ignored", nullptr, "1. e4 -- N e5", "e2e4 e7e5", None},
};

class ParseCases : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseCases, Stream)
{
    const ParseCase& c = GetParam();
    ResetGame(c.fen);
    Parse(c.text);
    std::string why;
    EXPECT_TRUE(CheckMoveStream(&why)) << why;
    EXPECT_EQ(StreamText(), c.stream);
    EXPECT_EQ(GameResult, c.result);
}

INSTANTIATE_TEST_SUITE_P(Parser, ParseCases, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ParseState, LineLengthAndPlayedNodesFollowTheLastMoveRead)
{
    ResetGame();
    Parse("1. e4 e5 (1... c5 2. Nf3) 2. Nf3 Nc6");
    EXPECT_EQ(CurrentPly, 4);
    EXPECT_EQ(LineLength, 4);
    // e4 e5 ( c5 Nf3 ) Nf3 Nc6: the main line's nodes.
    EXPECT_EQ(Positions[0].PlayedNode, 0);
    EXPECT_EQ(Positions[1].PlayedNode, 1);
    EXPECT_EQ(Positions[2].PlayedNode, 6);
    EXPECT_EQ(Positions[3].PlayedNode, 7);
}

TEST(ParseState, TextEndingInAVariationLeavesTheLineThere)
{
    ResetGame();
    Parse("1. e4 e5 (1... c5 2. Nf3");
    EXPECT_EQ(CurrentPly, 3);
    EXPECT_EQ(Positions[1].PlayedNode, 3); // c5
}

TEST(ParseState, BufferIsRewrittenAsRead)
{
    ResetGame();
    std::string text = "1. e4 {a {b} c} e5";
    ParseMoveText(text.data(), text.data() + text.size(), nullptr);
    EXPECT_EQ(text, std::string("1. e4 {a (b) c\0 e5", 18));
}

TEST(ParseState, CommentIndicesCountUp)
{
    ResetGame();
    Parse("{x} 1. e4 {y} e5 {z}");
    ASSERT_EQ(CommentList.size(), 3u);
    EXPECT_EQ(CommentList[2], "z");
    EXPECT_EQ(MoveNodes[4].Kind, NodeKind::nkComment);
    EXPECT_EQ(MoveNodes[4].TextPos, 2u);
}

TEST(ParseState, CommentBytesAreKept)
{
    ResetGame();
    Parse("1. e4 {Gr\xFC\xDF"
          "e \x96 \x85} e5");
    ASSERT_EQ(CommentList.size(), 1u);
    EXPECT_EQ(CommentList[0], "Gr\xFC\xDF"
                              "e \x96 \x85");
}

TEST(ParseState, SetUpPositionWithBlackToMove)
{
    ResetGame("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1");
    Parse("1... c5 2. Nf3");
    EXPECT_EQ(StreamText(), "c7c5 g1f3");
}

} // namespace
