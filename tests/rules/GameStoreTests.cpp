// Move insertion into the node stream: the shapes it makes and its limits.
#include "RulesTestSupport.h"

#include "rules/MakeMove.h"
#include "rules/Navigation.h"
#include "rules/StreamCheck.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(NextMoveSameDepth, StaysOnTheLineOfTheNode)
{
    SetStream({M(13), VS, M(11), M(7), VE, VS, M(9), VE, M(9), M(13)});
    struct Row {
        int Node;
        int Next;
    };
    const Row rows[] = {{-1, 0}, {0, 8}, {2, 3}, {3, -1}, {6, -1}, {8, 9}, {9, -1}, {1, 2}};
    for (const Row& row : rows)
        EXPECT_EQ(NextMoveSameDepth(row.Node), row.Next) << "after node " << row.Node;
}

TEST(AddMoveToTree, EmptyGameGetsOneMoveNode)
{
    ResetGame();
    ASSERT_EQ(AddMoveToTree(13), 1);
    EXPECT_EQ(StreamText(), "m13");
    EXPECT_EQ(Positions[0].PlayedNode, 0);
    EXPECT_EQ(CurrentPly, 1);
}

TEST(AddMoveToTree, ShapesOfContinuationVariationAndLineEnd)
{
    ResetGame();
    PlayLine({"e2e4", "e7e5"});
    ASSERT_EQ(StreamText(), "m13 m9");

    struct Step {
        const char* Name;
        int GoTo; // node shown before the move (-1 start)
        const char* Move;
        const char* Stream;
        int Linked;
    };
    const Step steps[] = {
        {"ContinuationIsFollowed", -1, "e2e4", "m13 m9", 0},
        {"NewMoveOpensVariation", -1, "d2d4", "m13 ( m11 ) m9", 2},
        {"SecondVariationAfterTheFirst", -1, "c2c4", "m13 ( m11 ) ( m9 ) m9", 5},
        {"VariationIsFollowed", -1, "d2d4", "m13 ( m11 ) ( m9 ) m9", 2},
        {"EndOfVariationExtendsIt", 2, "d7d5", "m13 ( m11 m7 ) ( m9 ) m9", 3},
        {"EndOfMainLineAppends", 8, "g1f3", "m13 ( m11 m7 ) ( m9 ) m9 m13", 9},
        {"VariationOfAVariationMove", 2, "g8f6", "m13 ( m11 m7 ( m18 ) ) ( m9 ) m9 m13", 5},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.Name);
        GoToNode(step.GoTo);
        const int ply = CurrentPly;
        ASSERT_TRUE(Play(step.Move));
        EXPECT_EQ(StreamText(), step.Stream);
        EXPECT_EQ(Positions[ply].PlayedNode, step.Linked);
        EXPECT_EQ(CurrentPly, ply + 1);
        EXPECT_TRUE(CheckMoveStream());
    }
}

TEST(AddMoveToTree, AtLineEndAVariationOfTheLastMoveIsNotMatched)
{
    ResetGame();
    PlayLine({"e2e4", "e7e5"});
    GoToNode(0);
    ASSERT_TRUE(Play("e7e6"));
    ASSERT_EQ(StreamText(), "m13 m9 ( m8 )");
    GoToNode(1);
    ASSERT_EQ(CurrentPly, 2);
    ASSERT_EQ(AddMoveToTree(8), 1);
    EXPECT_EQ(StreamText(), "m13 m9 ( m8 ) m8");
    EXPECT_EQ(Positions[2].PlayedNode, 5);
}

TEST(AddMoveToTree, CommentBeforeAVariationsFirstMoveDoesNotHideIt)
{
    ResetGame();
    SetStream({M(13), VS, C(0), M(11), VE, M(9)});
    CommentList = {"idea"};
    GoToNode(-1);
    ASSERT_EQ(AddMoveToTree(11), 1);
    EXPECT_EQ(StreamText(), "m13 ( c0 m11 ) m9");
    EXPECT_EQ(Positions[0].PlayedNode, 3);
}

TEST(AddMoveToTree, OnlyAVariationsFirstMoveIsFollowed)
{
    // 1. e4 (1. d4 <code 9>) e5: the variation's second move has the code of
    // c2c4 at ply 0, but it is played from another position.
    ResetGame();
    ASSERT_EQ(FindMove("c2c4"), 9);
    SetStream({M(13), VS, M(11), M(9), VE, M(9)});
    GoToNode(-1);
    ASSERT_EQ(AddMoveToTree(9), 1);
    EXPECT_EQ(StreamText(), "m13 ( m11 m9 ) ( m9 ) m9");
    EXPECT_EQ(Positions[0].PlayedNode, 6);
    EXPECT_TRUE(CheckMoveStream());
}

TEST(AddMoveToTree, IllegalMoveIsMarkedAndNothingInserted)
{
    ResetGame("4k3/8/8/8/8/8/8/r3K3 w - -");
    const int index = FindMove("e1f1");
    EXPECT_EQ(AddMoveToTree(index), 0);
    EXPECT_EQ(MoveNodeCount, 0);
    EXPECT_EQ(CurrentPly, 0);
    EXPECT_TRUE(Positions[0].Moves[index].Flags & MoveFlags::Illegal);
    EXPECT_EQ(AddMoveToTree(Positions[0].MoveCount), 0) << "index past the list";
    EXPECT_EQ(MoveNodeCount, 0);
}

TEST(AddMoveToTree, NoMoveFromPly798)
{
    ResetGame();
    const char* shuffle[] = {"g1f3", "g8f6", "f3g1", "f6g8"};
    for (int ply = 0; ply < MaxPly; ++ply) {
        ASSERT_TRUE(Play(shuffle[ply % 4])) << "ply " << ply;
        LineLength = CurrentPly;
    }
    ASSERT_EQ(CurrentPly, MaxPly);
    ASSERT_EQ(MoveNodeCount, MaxPly);
    PositionRecord last;
    std::memcpy(&last, &Positions[LineRecords - 1], sizeof(last));

    EXPECT_EQ(AddMoveToTree(FindMove("g1f3")), 0);
    EXPECT_EQ(CurrentPly, MaxPly);
    EXPECT_EQ(MoveNodeCount, MaxPly);

    GoToNode(MoveNodeCount - 1);
    EXPECT_EQ(CurrentPly, MaxPly);
    EXPECT_EQ(LineLength, MaxPly);
    EXPECT_EQ(std::memcmp(&last, &Positions[LineRecords - 1], sizeof(last)), 0);

    // The whole line as a path, with no end mark in its 800 bytes.
    const MovePath path = CurrentMovePath();
    EXPECT_EQ(path[MaxPly], MovePathEnd);
    std::vector<std::uint8_t> bare(path.begin(), path.begin() + MovePathCapacity);
    bare[MaxPly] = 0;
    bare[MaxPly + 1] = 0;
    GoToNode(-1);
    GoToMovePath(bare.data());
    EXPECT_EQ(CurrentPly, MaxPly);
}

TEST(AddMoveToTree, FullStreamRefusesBeforePlaying)
{
    ResetGame();
    SetStream({M(13), M(9)});
    while (MoveNodeCount < MoveNodeCapacity - 2)
        MoveNodes[MoveNodeCount++] = N(1);
    GoToNode(-1);
    LineLength = 2;

    EXPECT_EQ(AddMoveToTree(11), 0) << "a variation needs three nodes";
    EXPECT_EQ(CurrentPly, 0);
    EXPECT_EQ(MoveNodeCount, MoveNodeCapacity - 2);

    EXPECT_EQ(AddMoveToTree(13), 1) << "following needs none";
    GoToNode(1);
    ASSERT_EQ(CurrentPly, 2);
    ASSERT_TRUE(Play("g1f3"));
    LineLength = 3;
    EXPECT_EQ(MoveNodeCount, MoveNodeCapacity - 1);
    ASSERT_TRUE(Play("b8c6"));
    LineLength = 4;
    EXPECT_EQ(MoveNodeCount, MoveNodeCapacity);
    EXPECT_EQ(AddMoveToTree(FindMove("f1c4")), 0);
    EXPECT_EQ(CurrentPly, 4);
    EXPECT_EQ(MoveNodeCount, MoveNodeCapacity);
    EXPECT_EQ(MoveNodes[MoveNodeCapacity - 1].Kind, NodeKind::nkMove);
    MoveNodeCount = 0;
}

TEST(AddMoveToTree, StaleLineLengthDoesNotMisplaceTheMove)
{
    // The line continues after the position shown although LineLength says
    // it ends there: the move must become a variation, not an extension.
    ResetGame();
    PlayLine({"e2e4", "e7e5"});
    GoToNode(-1);
    LineLength = 0;
    ASSERT_TRUE(Play("d2d4"));
    EXPECT_EQ(StreamText(), "m13 ( m11 ) m9");
    EXPECT_TRUE(CheckMoveStream());
}

} // namespace
