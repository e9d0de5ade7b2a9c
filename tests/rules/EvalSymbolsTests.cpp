// Evaluation symbols of a move: the dialog's button families and the quick
// assessment, each edit checked on the whole stream.
#include "RulesTestSupport.h"

#include "rules/EvalSymbols.h"
#include "rules/Navigation.h"
#include "rules/StreamCheck.h"

#include <gtest/gtest.h>

namespace {

using F = EvalFamily;

// Moves: e4 0, e5 1, c5 2, Nf3 3, Nc3 4, Nf3 5, Nc6 6, Nf6 7, Nc3 8, Bb5 9,
// a6 10, Ba4 11, Nf6 12.
const char* const RichGame = "e2e4 e7e5 ( c7c5 $14 g1f3 {Sicilian} ( b1c3 ) ) g1f3 $1 b8c6 "
                             "( g8f6 $146 b1c3 ) f1b5 $16 a7a6 b5a4 {pin} g8f6";

int MoveNodeOf(int ordinal)
{
    for (int i = 0; i < MoveNodeCount; ++i)
        if (MoveNodes[i].Kind == NodeKind::nkMove && ordinal-- == 0) return i;
    return -1;
}

// Shows the position after the move with that ordinal.
void ShowMove(int ordinal)
{
    const int node = MoveNodeOf(ordinal);
    ASSERT_GE(node, 0);
    GoToNode(node);
    ASSERT_EQ(CurrentMoveNode(), node);
}

// The NAG codes right behind node.
std::vector<int> RunAfter(int node)
{
    std::vector<int> run;
    for (int i = node + 1; i < MoveNodeCount && MoveNodes[i].Kind == NodeKind::nkNag; ++i)
        run.push_back(MoveNodes[i].Code);
    return run;
}

// The links of the line shown after an edit equal those of a fresh replay.
void ExpectLinksAsReplayed()
{
    auto links = [] {
        std::vector<int> all;
        for (int p = 0; p < LineLength; ++p)
            all.push_back(Positions[p].PlayedNode);
        all.push_back(-2);
        all.insert(all.end(), LineAlternatives.begin(),
                   LineAlternatives.begin() + LineAlternativeCount);
        return all;
    };
    const std::vector<int> kept = links();
    const int ply = CurrentPly;
    GoToNode(CurrentMoveNode());
    EXPECT_EQ(CurrentPly, ply);
    EXPECT_EQ(links(), kept);
}

void ExpectSoundStream()
{
    std::string why;
    EXPECT_TRUE(CheckMoveStream(&why)) << why;
    ExpectLinksAsReplayed();
}

// Loads the symbols of the move shown, presses, writes them back.
bool PressAndWrite(std::initializer_list<std::pair<F, int>> presses)
{
    EXPECT_TRUE(ShowEvalSymbols());
    for (const auto& [family, tag] : presses)
        PressEvalButton(family, tag);
    return WriteEvalSymbols();
}

struct Press {
    F Family;
    int Tag;
    std::vector<int> Run; // the move's NAGs after the press
};

struct ButtonCase {
    const char* Name;
    int Move;
    std::vector<Press> Presses;
    friend void PrintTo(const ButtonCase& c, std::ostream* os) { *os << c.Name; }
};

class EvalButtons : public testing::TestWithParam<ButtonCase> {};

TEST_P(EvalButtons, RewriteTheMovesRun)
{
    const ButtonCase& c = GetParam();
    BuildStream(RichGame);
    ShowMove(c.Move);
    ASSERT_TRUE(ShowEvalSymbols());
    const int move = CurrentMoveNode();
    for (const Press& press : c.Presses) {
        SCOPED_TRACE(testing::Message() << "tag " << press.Tag);
        PressEvalButton(press.Family, press.Tag);
        ASSERT_TRUE(WriteEvalSymbols());
        EXPECT_EQ(CurrentMoveNode(), move);
        EXPECT_EQ(RunAfter(move), press.Run);
        EXPECT_EQ(EvalCount, press.Run.size());
        ExpectSoundStream();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Families, EvalButtons,
    testing::Values(ButtonCase{"QualityGoesFirstAndIsReplaced",
                               2,
                               {{F::Assessment, 1, {1, 14}},
                                {F::Assessment, 2, {2, 14}},
                                {F::Zugzwang, 23, {23, 14}}}},
                    ButtonCase{"SideSymbolsAfterWhite",
                               9,
                               {{F::Zugzwang, 23, {22, 16}},
                                {F::OtherBySide, 135, {22, 16, 134}},
                                {F::OtherBySide, 39, {22, 16, 38}},
                                {F::Class, 45, {22, 44, 38}}}},
                    ButtonCase{"SideSymbolsAfterBlack",
                               10,
                               {{F::OtherBySide, 33, {33}}, {F::Class, 45, {33, 45}}}},
                    ButtonCase{"OthersReplaceEachOtherBesidePrefixes",
                               7,
                               {{F::Other, 209, {209}},
                                {F::Prefix, 140, {209, 140}},
                                {F::Prefix, 142, {209, 142}},
                                {F::Other, 212, {212, 142}}}},
                    ButtonCase{"WhiteClassSequence",
                               0,
                               {{F::Class, 16, {16}},
                                {F::Class, 14, {14, 16}},
                                {F::Class, 10, {10, 14}},
                                {F::Class, 13, {13}},
                                {F::Class, 18, {18}},
                                {F::Class, 16, {16, 18}},
                                {F::Class, 14, {14, 16}},
                                {F::Class, 45, {44, 14}}}},
                    ButtonCase{"BlackClassSequence",
                               1,
                               {{F::Class, 17, {17}},
                                {F::Class, 15, {15, 17}},
                                {F::Class, 19, {19, 17}},
                                {F::Class, 10, {10}}}},
                    ButtonCase{"ClassLeavesOtherSymbols",
                               5,
                               {{F::Other, 146, {1, 146}},
                                {F::Class, 14, {1, 146, 14}},
                                {F::Class, 16, {1, 146, 14, 16}},
                                {F::Class, 13, {1, 146, 13}}}},
                    ButtonCase{"ClearAllThenUndo",
                               9,
                               {{F::Assessment, 3, {3, 16}},
                                {F::ClearAll, 0, {}},
                                {F::Class, 19, {19}},
                                {F::Undo, 0, {16}}}}),
    [](const testing::TestParamInfo<ButtonCase>& info) { return std::string(info.param.Name); });

TEST(EvalSymbols, LoadPutsTheLastAssessmentFirst)
{
    BuildStream("e2e4 $146 $2 $14 $22 $140 {c} e7e5");
    ShowMove(0);
    ASSERT_TRUE(ShowEvalSymbols());
    EXPECT_EQ(EvalSymbols, (EvalSlots{22, 146, 14, 140, 0, 0, 0, 0}));
    EXPECT_EQ(EvalCount, 5u);
    ASSERT_TRUE(WriteEvalSymbols());
    EXPECT_EQ(StreamText(), "m13 n22 n146 n14 n140 c0 m9");
}

TEST(EvalSymbols, SetUpGameWithBlackFirstNamesTheSideThatMoved)
{
    ResetGame("4k3/8/8/8/8/8/4P3/4K3 b - - 0 1");
    PlayLine({"e8d7", "e2e4"});
    const std::pair<int, std::vector<int>> expected[] = {{0, {23, 135, 45}}, {1, {22, 134, 44}}};
    for (const auto& [ordinal, run] : expected) {
        ShowMove(ordinal);
        ASSERT_TRUE(PressAndWrite({{F::Zugzwang, 23}, {F::OtherBySide, 135}, {F::Class, 45}}));
        EXPECT_EQ(RunAfter(CurrentMoveNode()), run) << "move " << ordinal;
        ExpectSoundStream();
    }
}

TEST(EvalSymbols, SurplusBeyondSevenOthersIsKept)
{
    BuildStream("d2d4 $146 $209 $210 $211 $212 $213 $215 $216 $217 $2 d7d5");
    ShowMove(0);
    // Every slot is full: a class symbol finds no room and nothing is lost.
    ASSERT_TRUE(PressAndWrite({{F::Other, 221}, {F::Class, 14}}));
    EXPECT_EQ(RunAfter(0), (std::vector<int>{2, 221, 209, 210, 211, 212, 213, 215, 216, 217}));
    ExpectSoundStream();

    PressEvalButton(F::ClearAll, 0);
    ASSERT_TRUE(WriteEvalSymbols());
    EXPECT_EQ(StreamText(), "m11 m7");
    PressEvalButton(F::Undo, 0);
    ASSERT_TRUE(WriteEvalSymbols());
    EXPECT_EQ(RunAfter(0), (std::vector<int>{2, 146, 209, 210, 211, 212, 213, 215, 216, 217}));
}

TEST(EvalSymbols, NothingIsWrittenWithoutTheMoveLoaded)
{
    BuildStream("e2e4 $1 e7e5 $2");
    GoToNode(-1);
    EXPECT_FALSE(ShowEvalSymbols());
    PressEvalButton(F::Assessment, 4);
    EXPECT_FALSE(WriteEvalSymbols());
    EXPECT_FALSE(SetMoveAssessment(4));

    // The position shown changed under the dialog, then the run itself.
    ShowMove(1);
    ASSERT_TRUE(ShowEvalSymbols());
    ShowMove(0);
    EXPECT_FALSE(WriteEvalSymbols());
    ShowMove(1);
    ASSERT_TRUE(ShowEvalSymbols());
    MoveNodes[MoveNodeCount++] = N(5);
    EXPECT_FALSE(WriteEvalSymbols());
    EXPECT_EQ(StreamText(), "m13 n1 m9 n2 n5");
    for (int tag : {0, 7, 14})
        EXPECT_FALSE(SetMoveAssessment(tag)) << tag;
}

struct AssessCase {
    const char* Name;
    const char* Game;
    int Move;
    std::vector<int> Tags;
    const char* Stream;
    friend void PrintTo(const AssessCase& c, std::ostream* os) { *os << c.Name; }
};

class QuickAssessment : public testing::TestWithParam<AssessCase> {};

TEST_P(QuickAssessment, StandsDirectlyBehindTheMove)
{
    const AssessCase& c = GetParam();
    BuildStream(c.Game);
    ShowMove(c.Move);
    for (int tag : c.Tags) {
        ASSERT_TRUE(SetMoveAssessment(tag));
        ExpectSoundStream();
    }
    EXPECT_EQ(StreamText(), c.Stream);
}

INSTANTIATE_TEST_SUITE_P(
    Tags, QuickAssessment,
    testing::Values(
        AssessCase{"InsertedBeforeOtherSymbols", "e2e4 $14 e7e5", 0, {1}, "m13 n1 n14 m9"},
        AssessCase{"ThenReplaced", "e2e4 $14 e7e5", 0, {1, 2, 6}, "m13 n6 n14 m9"},
        AssessCase{"BeforeCommentAndVariation",
                   "e2e4 e7e5 {c} ( c7c5 ) g1f3",
                   1,
                   {3},
                   "m13 m9 n3 c0 ( m5 ) m13"},
        AssessCase{"InsideAVariationKeepsTheLineAfterIt",
                   RichGame,
                   3,
                   {6},
                   "m13 m9 ( m5 n14 m13 n6 c0 ( m1 ) ) m13 n1 m15 ( m26 n146 m1 ) m7 n16 "
                   "m5 m27 c1 m29"}),
    [](const testing::TestParamInfo<AssessCase>& info) { return std::string(info.param.Name); });

TEST(StreamCapacity, FullStreamRefusesEveryGrowingEdit)
{
    // e4 without symbols, e5 $1, then comments up to the capacity.
    BuildStream("e2e4 e7e5 $1 {x}");
    while (MoveNodeCount < MoveNodeCapacity)
        MoveNodes[MoveNodeCount++] = C(0);
    const std::vector<MoveNode> before(MoveNodes, MoveNodes + MoveNodeCapacity);
    ShowMove(0);
    EXPECT_FALSE(SetMoveAssessment(1));
    EXPECT_FALSE(PressAndWrite({{F::Other, 146}}));
    EXPECT_EQ(EvalSymbols, EvalSlots{}) << "slots reloaded from the stream";
    EXPECT_EQ(MoveNodeCount, MoveNodeCapacity);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), MoveNodes, [](auto& a, auto& b) {
        return a.Kind == b.Kind && a.Code == b.Code && a.TextPos == b.TextPos;
    }));

    // Edits that keep or shrink the run still work at the limit.
    ShowMove(1);
    EXPECT_TRUE(SetMoveAssessment(2));
    EXPECT_FALSE(PressAndWrite({{F::Class, 14}}));
    EXPECT_TRUE(PressAndWrite({{F::Zugzwang, 23}}));
    EXPECT_EQ(RunAfter(1), std::vector<int>{23});
    EXPECT_TRUE(PressAndWrite({{F::ClearAll, 0}}));
    EXPECT_EQ(MoveNodeCount, MoveNodeCapacity - 1);
    MoveNodeCount = 0;
}

} // namespace
