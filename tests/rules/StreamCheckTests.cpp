#include "RulesTestSupport.h"

#include "rules/MakeMove.h"
#include "rules/Navigation.h"
#include "rules/StreamCheck.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

struct StreamCase {
    const char* Name;
    std::vector<MoveNode> Nodes;
    bool Valid;
    friend void PrintTo(const StreamCase& c, std::ostream* os) { *os << c.Name; }
};

class StreamGrammar : public testing::TestWithParam<StreamCase> {};

TEST_P(StreamGrammar, IsCheckedByReplaying)
{
    const StreamCase& c = GetParam();
    ResetGame();
    CommentList = {"first", "second"};
    MoveNodeCount = 0;
    for (const MoveNode& node : c.Nodes)
        MoveNodes[MoveNodeCount++] = node;
    std::string why;
    EXPECT_EQ(CheckMoveStream(&why), c.Valid) << why;
    EXPECT_EQ(why.empty(), c.Valid);
}

const MoveNode Unknown{0, 0, static_cast<NodeKind>(7), 0};

INSTANTIATE_TEST_SUITE_P(
    Streams, StreamGrammar,
    testing::Values(
        StreamCase{"Empty", {}, true}, StreamCase{"MainLine", {M(13), M(9), M(13), M(15)}, true},
        StreamCase{"VariationsNestedAndSiblings",
                   {M(13), VS, M(11), M(7), VS, M(18), VE, VE, VS, M(9), VE, M(9)},
                   true},
        StreamCase{"CommentsAndNagsAnywhere",
                   {C(0), M(13), N(1), N(255), C(1), VS, C(0), M(11), VE},
                   true},
        StreamCase{"VariationOfOnlyAComment", {M(13), VS, C(0), VE, M(9)}, true},
        StreamCase{"EmptyVariationAtTheEnd", {M(13), M(9), VS, VE}, true},
        StreamCase{"CheckAnswered", {M(13), M(10), M(5), M(11)}, true},
        StreamCase{"SameCodeValidAfterTheVariation", {M(13), M(9), VS, M(8), VE, M(25)}, true},
        StreamCase{"SecondVariationAfterAnEnd", {M(13), VS, M(11), VE, VS, M(9), VE}, true},
        StreamCase{"EndWithoutStart", {M(13), VE}, false},
        StreamCase{"StartNeverClosed", {M(13), VS, M(11)}, false},
        StreamCase{"VariationBeforeAnyMove", {VS, M(13), VE}, false},
        StreamCase{"VariationOpeningAVariation", {M(13), VS, VS, M(11), VE, VE}, false},
        StreamCase{"CodePastTheList", {M(13), M(20)}, false},
        StreamCase{"MoveIgnoringCheck", {M(13), M(10), M(5), M(0)}, false},
        StreamCase{"VariationMovePlayedFromTheWrongPosition", {M(13), M(9), VS, M(25), VE}, false},
        StreamCase{"NagZero", {M(13), N(0)}, false},
        StreamCase{"CommentIndexOutsideTheList", {M(13), C(2)}, false},
        StreamCase{"UnknownKind", {M(13), Unknown}, false}),
    [](const testing::TestParamInfo<StreamCase>& info) { return std::string(info.param.Name); });

TEST(StreamCheck, LeavesTheLineShownAlone)
{
    BuildStream("e2e4 ( d2d4 d7d5 ) e7e5 g1f3");
    GoToNode(1);
    const int ply = CurrentPly;
    const int length = LineLength;
    auto before = std::make_unique<PositionRecord[]>(PositionCount);
    std::memcpy(before.get(), Positions, sizeof(Positions));
    EXPECT_TRUE(CheckMoveStream());
    EXPECT_EQ(std::memcmp(before.get(), Positions, sizeof(Positions)), 0);
    EXPECT_EQ(CurrentPly, ply);
    EXPECT_EQ(LineLength, length);
}

} // namespace
