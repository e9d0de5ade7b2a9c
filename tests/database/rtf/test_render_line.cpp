// Writing the move list replays the whole game; the line it leaves shown,
// with its records, flags and groups, must be what GoToNode builds for the
// node the user was on, whether the writer takes its replay over or not.
#include "RtfTestSupport.h"

#include "bench/PgnBenchGenerator.h"
#include "database/GameHeaderRtf.h"
#include "database/MoveListRtf.h"
#include "database/MoveTextParser.h"
#include "rules/Board.h"
#include "rules/GameStore.h"
#include "rules/Navigation.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

namespace {

// The line shown: every field of its records and the entries of their lists
// (what lies past MoveCount is left from earlier lists), its groups, ply and
// length.
std::string LineState()
{
    std::string state;
    for (int p = 0; p <= LineLength; ++p) {
        const PositionRecord& record = Positions[p];
        const std::size_t used = offsetof(PositionRecord, Moves) +
                                 sizeof(MoveEntry) * static_cast<std::size_t>(record.MoveCount);
        state.append(reinterpret_cast<const char*>(&record), used);
    }
    state.append(reinterpret_cast<const char*>(LineAlternatives.data()),
                 sizeof(std::int32_t) * static_cast<std::size_t>(LineAlternativeCount));
    state += std::to_string(CurrentPly) + "/" + std::to_string(LineLength);
    return state;
}

TEST(MoveListLine, IsTheLineGoToNodeBuildsForTheNodeShown)
{
    PgnGeneratorOptions options;
    options.Games = 80;
    options.Seed = 31;
    const GeneratedDatabase db = GeneratePgnDatabase(options);
    int taken = 0;
    for (std::size_t g = 0; g < db.Games.size(); ++g) {
        SCOPED_TRACE("game " + std::to_string(g + 1));
        const std::size_t start = db.Games[g].MoveTextOffset;
        const std::size_t end =
            g + 1 < db.Games.size() ? db.Games[g + 1].MoveTextOffset : db.Text.size();
        std::string text = db.Text.substr(start, end - start);
        SetStartPosition();
        if (db.Games[g].SetUp) SetupPositionFromFen(db.Games[g].Fen.data(), db.Games[g].Fen.size());
        CurrentPly = LineLength = MoveNodeCount = 0;
        ParseMoveText(text.data(), text.data() + text.size(), nullptr);
        // Shown: the last move read, or (every third game) a move inside.
        if (g % 3 == 1 && LineLength > 4) CurrentPly = LineLength / 2;
        const int shown = CurrentPly > 0 ? Positions[CurrentPly - 1].PlayedNode : -1;
        taken += CurrentPly == LineLength;

        ResetDocument();
        BuildMoveList(WriteGameHeaderRtf(RtfPrologEnd, -1, {}));
        const std::string written = LineState();
        GoToNode(shown);
        EXPECT_TRUE(written == LineState());
    }
    EXPECT_GT(taken, 40);
}

TEST(MoveListLine, KeepsNoMarksOfAVariationNestedAtTheBranchingMove)
{
    // 3. Nbd2 is played from the main line's record of ply 4, where neither
    // knight move is an alternative of the line: its marks must not stay.
    std::string text = "1. Nf3 e5 2. d4 exd4 3. e3 (3. c3 (3. Nbd2) dxc3) d5 *";
    InitGameStore();
    SetStartPosition();
    CurrentPly = LineLength = MoveNodeCount = 0;
    ParseMoveText(text.data(), text.data() + text.size(), nullptr);
    ASSERT_EQ(LineLength, 6);
    ResetDocument();
    BuildMoveList(WriteGameHeaderRtf(RtfPrologEnd, -1, {}));
    const std::string written = LineState();
    GoToNode(Positions[5].PlayedNode);
    EXPECT_TRUE(written == LineState());
}

} // namespace
