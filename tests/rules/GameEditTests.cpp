// Deleting moves and variations, comments after and before a move and the
// diagram mark, each checked as a node stream.
#include "RulesTestSupport.h"

#include "rules/GameEdit.h"
#include "rules/GameStore.h"
#include "rules/Navigation.h"
#include "rules/StreamCheck.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// 0 e4, 1 (, 2 d4, 3 d5, 4 (, 5 Nf6, 6 c4, 7 ), 8 c4, 9 ), 10 (, 11 c4, 12 ),
// 13 e5, 14 (, 15 c5, 16 Nf3, 17 ), 18 Nf3, 19 {good}, 20 $1, 21 Nc6
const char* const RichGame =
    "e2e4 ( d2d4 d7d5 ( g8f6 c2c4 ) c2c4 ) ( c2c4 ) e7e5 ( c7c5 g1f3 ) g1f3 {good} $1 b8c6";

std::vector<std::string> Tokens()
{
    std::istringstream in(StreamText());
    std::vector<std::string> tokens;
    for (std::string t; in >> t;)
        tokens.push_back(t);
    return tokens;
}

void ExpectValid()
{
    std::string why;
    EXPECT_TRUE(CheckMoveStream(&why)) << why;
}

TEST(Deletion, RemovesTheLineOrTheVariationOfTheCurrentMove)
{
    struct Row {
        const char* Name;
        int Shown;
        std::vector<int> Kept; // original nodes left
        int Weight;
    };
    auto range = [](int from, int to) {
        std::vector<int> v;
        for (int i = from; i < to; ++i)
            v.push_back(i);
        return v;
    };
    auto join = [](std::vector<int> a, const std::vector<int>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const Row rows[] = {
        {"MainLineRest", 13, range(0, 13), 3},
        {"LastMove", 21, range(0, 21), 0},
        {"WholeVariationWithASubline", 2, join({0}, range(10, 22)), 2},
        {"RestOfAVariation", 3, join(range(0, 3), range(9, 22)), 2},
        {"LoneMoveVariation", 11, join(range(0, 10), range(13, 22)), 0},
        {"NestedVariation", 5, join(range(0, 4), range(8, 22)), 0},
        {"MiddleOfASecondVariation", 16, join(range(0, 16), range(17, 22)), 0},
        {"AtTheStartTheWholeGame", -1, {}, 9},
        {"OneCommentAsksNothing", 18, range(0, 18), 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        BuildStream(RichGame);
        const std::vector<std::string> before = Tokens();
        GoToNode(row.Shown);
        const auto plan = PlanDeletion();
        ASSERT_TRUE(plan);
        EXPECT_EQ(DeleteWeight, row.Weight);
        RemoveNodes(plan->From, plan->Count);
        std::vector<std::string> expected;
        for (int i : row.Kept)
            expected.push_back(before[static_cast<std::size_t>(i)]);
        EXPECT_EQ(Tokens(), expected);
        ExpectValid();
    }
    BuildStream("");
    EXPECT_FALSE(PlanDeletion());
}

TEST(Comments, AfterTheSymbolsSharedWithTheNextMoveAndFollowedByTheLine)
{
    BuildStream("e2e4 $1 $14 e7e5 g1f3");
    GoToNode(3); // after e5
    const int place = CommentAfterPlace(0);
    EXPECT_EQ(place, 3);
    ASSERT_TRUE(SetCommentAt(place, "Strong"));
    const std::vector<std::string> expected{Tokens()[0], "n1",        "n14",
                                            "c0",        Tokens()[4], Tokens()[5]};
    EXPECT_EQ(Tokens(), expected);
    // The line follows the inserted node: e5 is node 4 now.
    EXPECT_EQ(Positions[1].PlayedNode, 4);
    // The same comment is e5's comment before; overwritten from either side.
    EXPECT_EQ(CommentBefore(4), "Strong");
    ASSERT_TRUE(SetCommentBefore(4, "Best"));
    EXPECT_EQ(CommentAt(3), "Best");
    // Removed from before: e5 moves down with it.
    ASSERT_TRUE(SetCommentBefore(4, ""));
    EXPECT_EQ(Positions[1].PlayedNode, 3);
    EXPECT_EQ(CommentAt(3), "");
    ExpectValid();
    // A comment before a move that has none is inserted right before it.
    ASSERT_TRUE(SetCommentBefore(3, "{braces} and \\ \r\n\xE9"));
    EXPECT_EQ(Positions[1].PlayedNode, 4);
    EXPECT_EQ(CommentBefore(4), "{braces} and \\ \r\n\xE9");
    // An empty text where there is no comment changes nothing.
    const std::string stream = StreamText();
    ASSERT_TRUE(SetCommentAt(CommentAfterPlace(5), ""));
    EXPECT_EQ(StreamText(), stream);
    ExpectValid();
}

TEST(Comments, AFullStreamRefusesAndChangesNothing)
{
    BuildStream("e2e4 e7e5");
    const int count = MoveNodeCount;
    MoveNodeCount = MoveNodeCapacity;
    EXPECT_FALSE(SetCommentAt(1, "x"));
    EXPECT_FALSE(InsertNode(1, 4, 0));
    MoveNodeCount = count;
    EXPECT_EQ(StreamText().find('c'), std::string::npos);
}

TEST(DiagramMark, CyclesNoneOneTwoNone)
{
    const std::pair<const char*, const char*> steps[] = {
        {"Good", "#Good"},
        {"#Good", "##Good"},
        {"##Good", "Good"},
        {"", "#"},
        {"#", "##"},
        {"##", ""},
        {"Threat #1", "Threat ##1"},
        {"Threat ##1", "Threat 1"},
    };
    for (const auto& [from, to] : steps)
        EXPECT_EQ(CycleDiagramMark(from), to) << from;
}

} // namespace
