// Replaying the line of a node, the alternatives of each ply, and move paths.
#include "RulesTestSupport.h"

#include "rules/MakeMove.h"
#include "rules/Navigation.h"
#include "rules/StreamCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

// 1.e4 (1.d4 d5 (1...Nf6 2.c4) 2.c4) (1.c4) 1...e5 (1...c5 2.Nf3) 2.Nf3 {c} $1 Nc6
//  0   1  2  3  4  5     6   7  8   9 10 11 12 13  14 15   16   17 18  19 20 21
const char* const RichGame =
    "e2e4 ( d2d4 d7d5 ( g8f6 c2c4 ) c2c4 ) ( c2c4 ) e7e5 ( c7c5 g1f3 ) g1f3 {good} $1 b8c6";

std::vector<int> PathOf(const std::string& hex)
{
    std::uint8_t path[MovePathCapacity];
    HexToMovePath(hex, path, MovePathCapacity);
    std::vector<int> out;
    for (int i = 0; i < MovePathCapacity && path[i] != MovePathEnd; ++i)
        out.push_back(path[i]);
    return out;
}

std::vector<int> Alternatives()
{
    EXPECT_LE(LineAlternativeCount, static_cast<int>(LineAlternatives.size()));
    return {LineAlternatives.begin(), LineAlternatives.begin() + LineAlternativeCount};
}

std::vector<int> AlternativesIndices()
{
    std::vector<int> indices;
    for (int p = 0; p < LineLength; ++p)
        indices.push_back(Positions[p].AlternativesIndex);
    return indices;
}

std::vector<int> BranchCounts()
{
    std::vector<int> counts;
    for (int p = 0; p < LineLength; ++p)
        counts.push_back(Positions[p].BranchCount);
    return counts;
}

TEST(GoToNode, StartShowsTheMainLineWithItsGroups)
{
    BuildStream(RichGame);
    ASSERT_EQ(MoveNodeCount, 22);
    ASSERT_TRUE(CheckMoveStream());
    GoToNode(-1);
    EXPECT_EQ(CurrentPly, 0);
    EXPECT_EQ(LineLength, 4);
    CurrentPly = LineLength;
    EXPECT_EQ(PlayedChain(), (std::vector<int>{0, 13, 18, 21}));
    EXPECT_EQ(Alternatives(), (std::vector<int>{0, 2, 11, -1, 13, 15, -1, 18, -1, 21, -1}));
    EXPECT_EQ(AlternativesIndices(), (std::vector<int>{0, 4, -1, -1}));
    EXPECT_EQ(BranchCounts(), (std::vector<int>{0, 0, 0, 0}));
}

TEST(GoToNode, NestedVariationAfterASiblingBuildsItsOwnLine)
{
    BuildStream(RichGame);
    GoToNode(6);
    EXPECT_EQ(CurrentPly, 3);
    EXPECT_EQ(LineLength, 3);
    EXPECT_EQ(PlayedChain(), (std::vector<int>{2, 5, 6}));
    EXPECT_EQ(Alternatives(), (std::vector<int>{0, 2, 11, -1, 3, 5, -1, 6, -1}));
    EXPECT_EQ(AlternativesIndices(), (std::vector<int>{0, 4, -1}));
    EXPECT_EQ(BranchCounts(), (std::vector<int>{1, 2, 2}));
}

TEST(GoToNode, EveryKindOfNodeShowsThePositionAfterTheMoveBeforeIt)
{
    BuildStream(RichGame);
    struct Row {
        const char* Name;
        int Node;
        int Ply;
        int Length;
        std::vector<int> Line;
    };
    const Row rows[] = {
        {"Start", -1, 0, 4, {0, 13, 18, 21}},
        {"FirstMove", 0, 1, 4, {0, 13, 18, 21}},
        {"FirstVariationStartIsItsMove", 1, 1, 4, {0, 13, 18, 21}},
        {"MoveInVariation", 3, 2, 3, {2, 3, 8}},
        {"VariationEnd", 7, 3, 3, {2, 5, 6}},
        {"SecondVariationStartIsLastMoveOfTheFirst", 10, 3, 3, {2, 3, 8}},
        {"LoneMoveVariation", 12, 1, 1, {11}},
        {"BlackVariation", 16, 3, 3, {0, 15, 16}},
        {"Comment", 19, 3, 4, {0, 13, 18, 21}},
        {"Nag", 20, 3, 4, {0, 13, 18, 21}},
        {"LastMove", 21, 4, 4, {0, 13, 18, 21}},
        {"PastTheStreamIsTheLastNode", 500, 4, 4, {0, 13, 18, 21}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        GoToNode(row.Node);
        EXPECT_EQ(CurrentPly, row.Ply);
        EXPECT_EQ(LineLength, row.Length);
        CurrentPly = LineLength;
        EXPECT_EQ(PlayedChain(), row.Line);
    }
}

TEST(GoToNode, AlternativesGetTheirFlags)
{
    // 1.e4 e5 2.Bc4 Nc6 3.Qh5 Nf6 4.Nf3 (4.Qxf7#)
    BuildStream("e2e4 e7e5 f1c4 b8c6 d1h5 g8f6 g1f3 ( h5f7 )");
    GoToNode(-1);
    const int mate = MoveNodes[8].Code;
    EXPECT_EQ(Positions[6].Moves[mate].Flags & 0x60, 0x60);
}

TEST(GoToNode, VariationsWithoutMovesAddNoAlternative)
{
    ResetGame();
    CommentList = {"only words"};
    SetStream({M(13), VS, C(0), VE, M(9)});
    GoToNode(-1);
    EXPECT_EQ(LineLength, 2);
    EXPECT_EQ(Alternatives(), (std::vector<int>{0, -1, 4, -1}));
    EXPECT_EQ(Positions[0].AlternativesIndex, -1);

    // A last "( )" with a valid-looking move left past the end of the stream.
    SetStream({M(13), M(9), VS, VE, M(0)});
    MoveNodeCount = 4;
    GoToNode(-1);
    EXPECT_EQ(Alternatives(), (std::vector<int>{0, -1, 1, -1}));
    EXPECT_EQ(Positions[1].AlternativesIndex, -1);
    const std::uint8_t path[] = {13, 0, MovePathEnd};
    GoToMovePath(path);
    EXPECT_EQ(CurrentPly, 1);
}

TEST(GoToNode, ManyVariationsAtOnePlyGrowTheList)
{
    ResetGame();
    SetStream({M(13)});
    constexpr int variations = 7000;
    for (int i = 0; i < variations; ++i) {
        MoveNodes[MoveNodeCount++] = VS;
        MoveNodes[MoveNodeCount++] = M(i % 20);
        MoveNodes[MoveNodeCount++] = VE;
    }
    GoToNode(-1);
    ASSERT_EQ(LineAlternativeCount, variations + 2);
    EXPECT_EQ(LineAlternatives[0], 0);
    EXPECT_EQ(LineAlternatives[1], 2);
    EXPECT_EQ(LineAlternatives[variations], 3 * variations - 1);
    EXPECT_EQ(LineAlternatives[variations + 1], -1);
    EXPECT_EQ(LineLength, 1);
}

TEST(GoToNode, RefusedMoveEndsTheLineCleanly)
{
    // 1.Ke2 Ra2+ 2.Kf2?? cannot be replayed: the line stops before it.
    ResetGame("4k3/8/8/8/8/8/8/r3K3 w - -");
    SetStream({M(2), M(0), M(6), M(0)});
    LineLength = 9;
    GoToNode(3);
    EXPECT_EQ(LineLength, 2);
    EXPECT_EQ(CurrentPly, 0);
    EXPECT_EQ(Alternatives(), (std::vector<int>{0, -1, 1, -1, 2, -1}));
    EXPECT_FALSE(CheckMoveStream());

    SetStream({M(3)}); // 1.Kf1 walks into the rook's rank
    GoToNode(-1);
    EXPECT_EQ(LineLength, 0);
    EXPECT_EQ(Alternatives(), (std::vector<int>{0, -1}));
}

TEST(GoToMovePath, FollowsThePathAsFarAsTheStreamGoes)
{
    BuildStream(RichGame);
    const std::uint8_t c4 = MoveNodes[6].Code;
    const std::uint8_t nf6 = MoveNodes[5].Code;
    struct Row {
        const char* Name;
        std::vector<std::uint8_t> Path;
        int Ply;
        std::vector<int> Line;
    };
    const Row rows[] = {
        {"Empty", {MovePathEnd}, 0, {0, 13, 18, 21}},
        {"FirstByteMatchesNothing", {0, MovePathEnd}, 0, {0, 13, 18, 21}},
        {"MainLinePrefix", {13, 9, MovePathEnd}, 2, {0, 13, 18, 21}},
        {"StopsAtFirstMismatch", {13, 9, 13, 200, 15, MovePathEnd}, 3, {0, 13, 18, 21}},
        {"EntersVariation", {11, 7, MovePathEnd}, 2, {2, 3, 8}},
        {"EntersNestedVariation", {11, nf6, c4, MovePathEnd}, 3, {2, 5, 6}},
        {"SecondVariation", {9, 9, MovePathEnd}, 1, {11}},
        {"PastTheLineEnd", {11, nf6, c4, 0, 0, MovePathEnd}, 3, {2, 5, 6}},
        {"BytesAboveAnyIndex", {13, 0xC8, MovePathEnd}, 1, {0, 13, 18, 21}},
        {"ByteFE", {0xFE, MovePathEnd}, 0, {0, 13, 18, 21}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        GoToNode(21);
        GoToMovePath(row.Path.data());
        EXPECT_EQ(CurrentPly, row.Ply);
        CurrentPly = LineLength;
        EXPECT_EQ(PlayedChain(), row.Line);
    }
}

TEST(GoToMovePath, EveryNodeRoundTripsThroughItsPath)
{
    BuildStream(RichGame);
    for (int node = -1; node < MoveNodeCount; ++node) {
        SCOPED_TRACE(node);
        GoToNode(node);
        const int ply = CurrentPly;
        const std::vector<int> chain = PlayedChain();
        const std::vector<int> alternatives = Alternatives();
        const int length = LineLength;
        const MovePath path = CurrentMovePath();
        EXPECT_EQ(path[ply], MovePathEnd);
        // The settings file's text form names the same path.
        MovePath fromText{};
        HexToMovePath(MovePathToHex(), fromText.data(), MovePathCapacity);
        EXPECT_TRUE(std::equal(path.begin(), path.begin() + ply + 1, fromText.begin()));

        GoToNode(MoveNodeCount - 1);
        GoToMovePath(path.data());
        EXPECT_EQ(CurrentPly, ply);
        EXPECT_EQ(PlayedChain(), chain);
        EXPECT_EQ(LineLength, length);
        EXPECT_EQ(Alternatives(), alternatives);
    }
}

TEST(MovePathHex, DecodesPairsAndStopsAtAnythingElse)
{
    EXPECT_EQ(PathOf("0A1F"), (std::vector<int>{0x0A, 0x1F}));
    EXPECT_EQ(PathOf("10000C"), (std::vector<int>{16, 0, 12}));
    EXPECT_EQ(PathOf("1000A"), (std::vector<int>{16, 0})); // odd last digit ignored
    EXPECT_EQ(PathOf("C6"), (std::vector<int>{198}));
    EXPECT_EQ(PathOf("0a1F"), (std::vector<int>{})); // lower case is no digit
    EXPECT_EQ(PathOf(""), (std::vector<int>{}));
    // A path of any length fills at most the buffer, end mark included.
    EXPECT_EQ(PathOf(std::string(4000, '0')).size(), std::size_t(MovePathCapacity - 1));
}

// Nested and sibling variations at several depths.
const char* const DeepGame =
    "e2e4 e7e5 ( c7c5 g1f3 ( b1c3 b8c6 ( g7g6 ) ) d7d6 ( e7e6 d2d4 ) d2d4 ) "
    "g1f3 b8c6 ( g8f6 ) f1b5 ( f1c4 f8c5 ( g8f6 d2d3 ) c2c3 ) a7a6";

TEST(LineTargets, EachCommandFindsItsNode)
{
    BuildStream(RichGame);
    for (int i = 0; i < MoveNodeCount; ++i)
        MoveNodes[i].TextPos = 10u * static_cast<unsigned>(i);
    struct Row {
        const char* Name;
        int Shown; // node shown before the command
        std::optional<int> (*Target)();
        std::optional<int> Expected;
    };
    const Row rows[] = {
        {"ForwardFromStart", -1, ForwardThroughLinesTarget, 0},
        {"ForwardIntoTheFirstVariation", 0, ForwardThroughLinesTarget, 2},
        {"ForwardOutOfAVariation", 16, ForwardThroughLinesTarget, 18},
        {"ForwardAtTheEnd", 21, ForwardThroughLinesTarget, std::nullopt},
        {"BackAtTheStart", -1, BackThroughLinesTarget, std::nullopt},
        {"BackFromAfterTwoVariations", 13, BackThroughLinesTarget, 12},
        {"NextLineFromTheStart", -1, NextLineTarget, 2},
        {"NextLineToTheSecondVariation", 2, NextLineTarget, 11},
        {"NextLineWraps", 11, NextLineTarget, 0},
        {"NextLineLaterPly", 13, NextLineTarget, 15},
        {"NextLineNothingBranches", 21, NextLineTarget, std::nullopt},
        {"PreviousLineOutOfAVariation", 3, PreviousLineTarget, 0},
        {"PreviousLineOutOfANestedVariation", 5, PreviousLineTarget, 3},
        {"PreviousLineSkipsSiblingVariations", 16, PreviousLineTarget, 13},
        {"PreviousLineOnTheMainLine", 18, PreviousLineTarget, -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        GoToNode(row.Shown);
        EXPECT_EQ(row.Target(), row.Expected);
    }
    EXPECT_EQ(CaretTarget(25), 2);  // inside d4's text (20..29)
    EXPECT_EQ(CaretTarget(-1), -1); // before the first move
    EXPECT_EQ(CaretTarget(100000), MoveNodeCount - 1);
}

// Everything GoToNode builds, to compare two ways of reaching a node.
struct LineState {
    int Ply, Length;
    std::vector<int> Alternatives;
    std::vector<std::array<int, 4>>
        Records; // PlayedNode, AlternativesIndex, BranchCount, MoveCount
    std::vector<std::vector<std::uint32_t>> Moves;
    std::vector<std::vector<std::uint8_t>> Boards;
    friend bool operator==(const LineState&, const LineState&) = default;
};

LineState Snapshot()
{
    LineState s{CurrentPly, LineLength, Alternatives(), {}, {}, {}};
    for (int p = 0; p <= LineLength; ++p) {
        const PositionRecord& r = Positions[p];
        if (p < LineLength)
            s.Records.push_back({r.PlayedNode, r.AlternativesIndex, r.BranchCount, r.MoveCount});
        std::vector<std::uint32_t> moves;
        for (int m = 0; m < r.MoveCount; ++m) {
            std::uint32_t v;
            std::memcpy(&v, &r.Moves[m], 4);
            moves.push_back(v);
        }
        s.Moves.push_back(moves);
        s.Boards.emplace_back(r.Board, r.Board + BoardCells);
    }
    return s;
}

TEST(StepToNode, BuildsWhatGoToNodeBuildsFromAnyLineShown)
{
    for (const char* game : {RichGame, DeepGame}) {
        BuildStream(game);
        for (int to = -1; to < MoveNodeCount; ++to) {
            GoToNode(to);
            const LineState expected = Snapshot();
            for (int from = -1; from < MoveNodeCount; ++from) {
                SCOPED_TRACE(std::to_string(from) + " -> " + std::to_string(to));
                GoToNode(from);
                StepToNode(to);
                ASSERT_EQ(Snapshot(), expected);
            }
        }
        // A walk of steps gives the same lines as jumps.
        GoToNode(-1);
        for (auto next = ForwardThroughLinesTarget(); next; next = ForwardThroughLinesTarget()) {
            StepToNode(*next);
            const LineState stepped = Snapshot();
            GoToNode(*next);
            ASSERT_EQ(stepped, Snapshot()) << *next;
        }
    }
}

} // namespace
