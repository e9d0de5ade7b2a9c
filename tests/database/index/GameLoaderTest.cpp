// Loading a game of the index: set-up positions, landings, titles, refusals,
// next/previous game and the row of the loaded game.
#include "IndexTestSupport.h"

#include "bench/PgnBenchGenerator.h"
#include "database/DatabaseFile.h"
#include "database/GameLoader.h"
#include "database/MoveTextParser.h"
#include "database/PgnTextBuffer.h"
#include "rules/Board.h"
#include "rules/GameStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

std::string Game(const std::string& moves)
{
    return "[Event \"G\"]\n\n" + moves + "\n\n";
}

// Counts the parser's questions and skips every unreadable token.
class CountingHandler : public CorrectMoveHandler {
public:
    CorrectMoveAnswer AskCorrection(const std::string&, int) override
    {
        ++Asked;
        return {CorrectMoveChoice::Skip, "", 0};
    }
    int Asked = 0;
};

class GameLoaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitGameStore();
        previous_ = SetCorrectMoveHandler(&handler_);
        ForgetCurrentGame();
        SavedLine[0] = MovePathEnd;
    }
    void TearDown() override { SetCorrectMoveHandler(previous_); }

    // Indexes text and keeps it as the database.
    void Use(const std::string& text)
    {
        text_ = text;
        rows_ = IndexText(text_).Rows;
    }
    GameLoadResult Load(int row, bool keepPath = false, int loadToMove = LoadToLastMove)
    {
        return LoadGameFrom(MemoryByteSource(text_), row, rows_.at(row - 1), keepPath, loadToMove);
    }

    std::string text_;
    std::vector<GameRow> rows_;
    CountingHandler handler_;
    CorrectMoveHandler* previous_ = nullptr;
};

TEST_F(GameLoaderTest, LoadsTheMainLineAndTitle)
{
    Use(ReadTestFile("mixed.pgn"));
    const GameLoadResult result = Load(1);
    ASSERT_EQ(result.Status, LoadStatus::Loaded);
    EXPECT_EQ(CurrentGameRow, 1);
    EXPECT_EQ(LineLength, 10);
    EXPECT_EQ(CurrentPly, 10);
    EXPECT_EQ(GameResult, 1);
    EXPECT_EQ(CommentList, (std::vector<std::string>{"Berlin", "main line"}));
    EXPECT_EQ(handler_.Asked, 0);
    EXPECT_EQ(result.Title, "C65 Marsh, Alan \u2013 Quill, Bea  1/2  Spring Open 1997");
}

TEST_F(GameLoaderTest, TitleParts)
{
    struct Case {
        const char* Name;
        std::string White, Black, Event, Site, Date, Expected;
    };
    const std::vector<Case> cases = {
        {"both players", "W", "B", "Ev", "Si", "2001.02.03", "A00 W \u2013 B  1-0  Ev 2001"},
        {"no white", "", "B", "Ev", "", "", "A00 ?? \u2013 B  1-0  Ev "},
        {"no black", "W", "", "Ev", "", "", "A00 W  1-0  Ev "},
        {"no players", "", "", "Ev", "", "1997", "A00   1-0  Ev 1997"},
        {"site when no event", "W", "B", "", "Si", "", "A00 W \u2013 B  1-0  Si "},
        // Cells of either encoding, and a mix of them, give one UTF-8 title.
        {"cp1252 names", "O\x92Kelly", "\xDEorhallsson", "\xA9 Open", "", "",
         "A00 O\u2019Kelly \u2013 \u00DEorhallsson  1-0  \u00A9 Open "},
        {"utf-8 names", "\u041A\u0430\u0440\u043F\u043E\u0432", "Ding Liren", "", "", "",
         "A00 \u041A\u0430\u0440\u043F\u043E\u0432 \u2013 Ding Liren  1-0   "},
        {"mixed", "\u017Dd",
         "\x9E"
         "d",
         "", "", "", "A00 \u017Dd \u2013 \u017Ed  1-0   "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        GameRow row;
        row[EcoColumn] = "A00";
        row[ResultColumn] = "1-0";
        row[WhiteColumn] = c.White;
        row[BlackColumn] = c.Black;
        row[EventColumn] = c.Event;
        row[SiteColumn] = c.Site;
        row[DateColumn] = c.Date;
        EXPECT_EQ(GameTitleText(row), c.Expected);
    }
}

struct FenCase {
    const char* Name;
    std::string Fen;
    std::string Moves;
    int Plies;         // moves read
    std::uint8_t Side; // of record 0
    int FirstMove;
    std::array<std::int32_t, 4> CastlingLost;
};

TEST_F(GameLoaderTest, SetUpPositions)
{
    const std::vector<FenCase> cases = {
        {"black to move, move 23",
         "6k1/5p1p/6p1/8/8/8/5PPP/6K1 b - - 0 23",
         "23... Kg7 24. Kf1 *",
         2,
         0x80,
         23,
         {-1, -1, -1, -1}},
        {"en passant target",
         "4k3/8/8/8/4Pp2/8/8/4K3 b - e3 0 12",
         "12... fxe3 13. Kd1 *",
         2,
         0x80,
         12,
         {-1, -1, -1, -1}},
        {"no rook on h1 loses that right",
         "r3k2r/8/8/8/8/8/8/R3K3 w KQkq - 0 1",
         "1. O-O-O O-O *",
         2,
         0,
         1,
         {-1, 0, 0, 0}},
        {"two-digit half-move clock",
         "4k3/8/8/8/8/8/8/R3K3 w Q - 17 40",
         "40. O-O-O *",
         1,
         0,
         40,
         {-1, 0, -1, -1}},
    };
    for (const FenCase& c : cases) {
        SCOPED_TRACE(c.Name);
        handler_.Asked = 0;
        Use("[Event \"F\"]\n[FEN \"" + c.Fen + "\"]\n\n" + c.Moves + "\n");
        ASSERT_EQ(rows_.size(), 1u);
        ASSERT_EQ(Load(1, false, 0).Status, LoadStatus::Loaded);
        EXPECT_EQ(SetupStart, 1);
        EXPECT_EQ(Positions[0].SideToMove, c.Side);
        EXPECT_EQ(FirstMoveNumber, c.FirstMove);
        EXPECT_EQ(
            std::vector<std::int32_t>(Positions[0].CastlingLost, Positions[0].CastlingLost + 4),
            std::vector<std::int32_t>(c.CastlingLost.begin(), c.CastlingLost.end()));
        EXPECT_EQ(LineLength, c.Plies);
        EXPECT_EQ(handler_.Asked, 0);
    }
}

TEST_F(GameLoaderTest, FenIsUsedOnlyWithTheSetUpFlag)
{
    Use(ReadTestFile("mixed.pgn"));
    GameRow row = rows_[4]; // the study, Black to move
    row[FlagsColumn] = "   ";
    ASSERT_EQ(LoadGameFrom(MemoryByteSource(text_), 5, row, false, -1).Status, LoadStatus::Loaded);
    EXPECT_EQ(SetupStart, 0);
    EXPECT_EQ(Positions[0].SideToMove, 0);
    ASSERT_EQ(Load(5).Status, LoadStatus::Loaded);
    EXPECT_EQ(SetupStart, 1);
    EXPECT_EQ(Positions[0].SideToMove, 0x80);
    EXPECT_EQ(LineLength, 3);
}

TEST_F(GameLoaderTest, OddFenCellsAreSafe)
{
    Use("[FEN \"8/8/8/8/8/8/8/8 w - - 0 1\"]\n\n1. e4 *\n");
    for (const std::string& fen :
         {std::string(300, '1'), std::string(200, 'K') + " w - - 0 1", std::string("kK"),
          std::string(
              "pppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppp/k/K b")}) {
        SCOPED_TRACE(fen.substr(0, 20));
        GameRow row = rows_[0];
        row[FenColumn] = fen;
        EXPECT_EQ(LoadGameFrom(MemoryByteSource(text_), 1, row, false, -1).Status,
                  LoadStatus::Loaded);
        EXPECT_LE(LineLength, 1);
    }
}

TEST_F(GameLoaderTest, Landings)
{
    Use(ReadTestFile("mixed.pgn"));
    const std::vector<std::pair<int, int>> cases = {
        {LoadToLastMove, 10}, {0, 0}, {4, 4}, {10, 10}, {40, 10}};
    for (const auto& [loadTo, ply] : cases) {
        SCOPED_TRACE(loadTo);
        ASSERT_EQ(Load(1, false, loadTo).Status, LoadStatus::Loaded);
        EXPECT_EQ(CurrentPly, ply);
    }
}

TEST_F(GameLoaderTest, SavedLineIsFollowedInTheNextGame)
{
    Use(Game("1. e4 c5 2. Nf3 d6 3. d4 cxd4 4. Nxd4 Nf6 *") +
        Game("1. e4 c5 2. Nf3 d6 3. d4 cxd4 4. Qxd4 *") + Game("1. d4 d5 *"));
    ASSERT_EQ(Load(1, false, 7).Status, LoadStatus::Loaded);
    ASSERT_EQ(Load(2, true, LoadToSavedLine).Status, LoadStatus::Loaded);
    EXPECT_EQ(CurrentPly, 6); // 4. Nxd4 is not in the second game
    ASSERT_EQ(Load(1, false, 7).Status, LoadStatus::Loaded);
    ASSERT_EQ(Load(3, true, LoadToSavedLine).Status, LoadStatus::Loaded);
    EXPECT_EQ(CurrentPly, 0);
    // Without keepPath the line saved earlier is used.
    ASSERT_EQ(Load(2, false, LoadToSavedLine).Status, LoadStatus::Loaded);
    EXPECT_EQ(CurrentPly, 6);
}

TEST_F(GameLoaderTest, RefusedLoadsChangeNothing)
{
    Use(ReadTestFile("mixed.pgn"));
    ASSERT_EQ(Load(3).Status, LoadStatus::Loaded);
    const int nodes = MoveNodeCount;
    struct Case {
        const char* Name;
        int Row;
        std::string Offset;
        LoadStatus Status;
    };
    const std::vector<Case> cases = {
        {"title row", 0, "10", LoadStatus::Refused},
        {"empty offset", 2, "", LoadStatus::Refused},
        {"offset with a letter", 2, "12a", LoadStatus::Refused},
        {"negative offset", 2, "-5", LoadStatus::Refused},
        {"offset past the end", 2, "99999999", LoadStatus::NothingRead},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        GameRow row = rows_[1];
        row[MoveTextOffset] = c.Offset;
        EXPECT_EQ(LoadGameFrom(MemoryByteSource(text_), c.Row, row, false, -1).Status, c.Status);
        EXPECT_EQ(CurrentGameRow, 3);
        EXPECT_EQ(MoveNodeCount, nodes);
    }
    {
        ListLoadingGuard busy;
        EXPECT_EQ(Load(2).Status, LoadStatus::Refused);
    }
    EXPECT_EQ(CurrentGameRow, 3);
    ASSERT_TRUE(CloseDatabaseFile());
    EXPECT_EQ(LoadGame(2, rows_[1], false, -1).Status, LoadStatus::Refused);
}

TEST_F(GameLoaderTest, NextAndPreviousGame)
{
    Use(ReadTestFile("mixed.pgn"));
    const int rowCount = static_cast<int>(rows_.size()) + 1;
    EXPECT_EQ(NextGameRow(1, rowCount), 2);
    EXPECT_EQ(NextGameRow(rowCount - 1, rowCount), -1);
    EXPECT_EQ(PreviousGameRow(2), 1);
    EXPECT_EQ(PreviousGameRow(1), -1);
    // Walking the list forward loads every game in turn.
    std::vector<int> plies;
    for (int row = 1; row != -1; row = NextGameRow(row, rowCount)) {
        ASSERT_EQ(Load(row).Status, LoadStatus::Loaded);
        EXPECT_EQ(CurrentGameRow, row);
        plies.push_back(LineLength);
    }
    EXPECT_EQ(plies, (std::vector<int>{10, 5, 10, 2, 3, 6, 3, 0}));
    EXPECT_EQ(handler_.Asked, 0);
}

TEST_F(GameLoaderTest, CurrentGameRowFollowsSortingAndResetsOnOpen)
{
    Use(ReadTestFile("mixed.pgn"));
    ASSERT_EQ(Load(3).Status, LoadStatus::Loaded);
    std::vector<GameRow> sorted = rows_;
    std::reverse(sorted.begin(), sorted.end());
    const int rowCount = static_cast<int>(sorted.size()) + 1;
    RepointCurrentGameRow(rowCount, [&](int row) { return sorted[row - 1][NumberColumn]; });
    EXPECT_EQ(CurrentGameRow, 6);
    EXPECT_EQ(sorted[CurrentGameRow - 1][EventColumn], "Rapid");

    const std::string path = std::string(VELMORA_INDEX_TEST_DATA) + "/mixed.pgn";
    ASSERT_EQ(OpenDatabaseFile(path), OpenStatus::Opened);
    EXPECT_EQ(CurrentGameRow, -1);
    RepointCurrentGameRow(rowCount, [&](int row) { return sorted[row - 1][NumberColumn]; });
    EXPECT_EQ(CurrentGameRow, -1);
    // Loading from the open file.
    EXPECT_EQ(LoadGame(2, rows_[1], false, -1).Status, LoadStatus::Loaded);
    EXPECT_EQ(LineLength, 5);
    EXPECT_TRUE(CloseDatabaseFile());
}

TEST_F(GameLoaderTest, ReadGameTextStopsAtTheNextGame)
{
    std::string longGame = "1. e4 e5 ";
    for (int n = 2; n < 3000; ++n)
        longGame += "{a long comment that goes on} ";
    longGame += "*";
    std::string text = Game(longGame) + Game("1. d4 *");
    text[text.find("long comment")] = '\0';
    Use(text);
    const std::size_t n =
        ReadGameText(MemoryByteSource(text_), std::stoull(rows_[0][MoveTextOffset]));
    ASSERT_GT(n, longGame.size());
    EXPECT_LT(n, PgnChunkSize);
    EXPECT_EQ(std::strlen(PgnTextBuffer), n); // the NUL of the file was read as a blank
    EXPECT_EQ(PgnTextBuffer[n], '\0');
}

TEST_F(GameLoaderTest, EveryGeneratedGameParsesWhole)
{
    PgnGeneratorOptions options;
    options.Games = 300;
    options.Seed = 11;
    options.ClockComments = true;
    const GeneratedDatabase db = GeneratePgnDatabase(options);
    Use(db.Text);
    ASSERT_EQ(rows_.size(), db.Games.size());
    InitGameStore();
    for (std::size_t g = 0; g < db.Games.size(); ++g) {
        SCOPED_TRACE("game " + std::to_string(g + 1));
        ASSERT_EQ(Load(static_cast<int>(g) + 1).Status, LoadStatus::Loaded);
        ASSERT_EQ(LineLength, db.Games[g].MainLinePlies);
    }
    EXPECT_EQ(handler_.Asked, 0);
}

} // namespace
