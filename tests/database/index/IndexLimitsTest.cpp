// Limits and malformed input: no crash, and a sensible list.
#include "IndexTestSupport.h"

#include "database/DatabaseFile.h"
#include "database/GameLoader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Game(int n, const std::string& moves = "1. e4 e5 2. Nf3 1-0")
{
    return "[Event \"G" + std::to_string(n) + "\"]\n[White \"W\"]\n\n" + moves + "\n\n";
}

std::vector<std::string> Events(const IndexResult& result)
{
    std::vector<std::string> events;
    for (const GameRow& row : result.Rows)
        events.push_back(row[EventColumn]);
    return events;
}

void ExpectNumbered(const IndexResult& result)
{
    for (std::size_t r = 0; r < result.Rows.size(); ++r)
        ASSERT_EQ(result.Rows[r][NumberColumn], std::to_string(r + 1));
}

struct MalformedCase {
    const char* Name;
    std::string Text;
    std::vector<std::string> Events;
};

TEST(IndexLimits, MalformedInputs)
{
    std::string nul = Game(1);
    nul[3] = '\0'; // inside the first tag's name: that tag is lost, nothing else
    const std::vector<MalformedCase> cases = {
        {"empty file", "", {}},
        {"fewer than ten bytes", "[A]1. e4", {}},
        {"no bracket", "1. e4 e5 2. Nf3 Nc6 1-0\n1. d4 d5 0-1\n", {}},
        {"unmatched close",
         Game(1, "1. e4 ) e5 2. Nf3 1-0") + Game(2) + Game(3),
         {"G1", "G2", "G3"}},
        {"unclosed variation", Game(1, "1. e4 (1. d4 d5 2. c4 1-0") + Game(2), {"G1", "G2"}},
        {"no result", Game(1, "1. e4 e5 2. Nf3") + Game(2), {"G1", "G2"}},
        {"NUL byte read as a blank", nul + Game(2), {"", "G2"}},
        {"NUL between games", Game(1) + std::string(3, '\0') + Game(2), {"G1", "G2"}},
        {"truncated in the move text", Game(1) + "[Event \"G2\"]\n\n1. e4 e5 2. N", {"G1", "G2"}},
        {"truncated in the tags", Game(1) + "[Event \"G2\"]\n[Whi", {"G1"}},
        {"LF and no blank line",
         "[Event \"G1\"]\n1. e4 *\n[Event \"G2\"]\n1. d4 1-0\n[Event \"G3\"]\n1. c4 "
         "1/2-1/2\n[Event \"G4\"]\n1/2-1/2",
         {"G1", "G2", "G3", "G4"}},
        {"clock comment at a line start",
         Game(1, "1. e4 {\n[%clk 0:03:00] } e5 1-0") + Game(2),
         {"G1", "G2"}},
    };
    for (const MalformedCase& c : cases) {
        SCOPED_TRACE(c.Name);
        for (const std::size_t chunk : {std::size_t{PgnChunkSize}, std::size_t{16}}) {
            const IndexResult result = IndexText(c.Text, chunk);
            EXPECT_EQ(Events(result), c.Events) << "chunk " << chunk;
            ExpectNumbered(result);
        }
    }
}

TEST(IndexLimits, BinaryDataDoesNotCrash)
{
    std::mt19937 random(3);
    std::string bytes(3 * 1024 * 1024 + 77, '\0');
    for (char& b : bytes)
        b = static_cast<char>(random());
    const IndexResult result = IndexText(bytes);
    ExpectNumbered(result);
    for (const GameRow& row : result.Rows)
        EXPECT_LT(std::stoull(row[MoveTextOffset]), bytes.size());
    // Without any "[" nothing is listed.
    for (char& b : bytes)
        if (b == '[') b = 'x';
    EXPECT_TRUE(IndexText(bytes).Rows.empty());
}

TEST(IndexLimits, FifteenThousandGamesAtMost)
{
    std::string text;
    for (int g = 1; g <= MaxIndexedGames + 1; ++g)
        text += Game(g, "1. e4 *");
    const IndexResult result = IndexText(text);
    ASSERT_EQ(result.Rows.size(), static_cast<std::size_t>(MaxIndexedGames));
    EXPECT_TRUE(result.LimitReached);
    EXPECT_EQ(GameCount, MaxIndexedGames);
    EXPECT_EQ(result.Rows.back()[EventColumn], "G15000");
    ExpectNumbered(result);
}

TEST(IndexLimits, LimitReachedOnlyWhenAGameIsLeftOut)
{
    std::string full;
    for (int g = 1; g <= MaxIndexedGames; ++g)
        full += Game(g, "1. e4 *");
    const struct {
        const char* Name;
        std::string Tail;
        bool Reached;
    } cases[] = {
        {"exactly the limit", "", false},
        {"blank lines after the last game", "\n\n\r\n", false},
        {"tags without move text after it", "[Event \"Tail\"]\n", false},
        {"one more game", Game(MaxIndexedGames + 1, "1. e4 *"), true},
        {"move text after it", "{Appendix} 1. d4 *\n", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const IndexResult result = IndexText(full + c.Tail);
        EXPECT_EQ(result.Rows.size(), static_cast<std::size_t>(MaxIndexedGames));
        EXPECT_EQ(result.LimitReached, c.Reached);
    }
}

TEST(IndexLimits, ByteOrderMarkIsSkipped)
{
    const std::string text = "\xEF\xBB\xBF" + Game(1) + Game(2);
    for (const std::size_t chunk : {std::size_t{PgnChunkSize}, std::size_t{16}}) {
        const IndexResult result = IndexText(text, chunk);
        EXPECT_EQ(Events(result), (std::vector<std::string>{"G1", "G2"})) << "chunk " << chunk;
        ASSERT_FALSE(result.Rows.empty());
        EXPECT_EQ(result.Rows[0][WhiteColumn], "W");
        EXPECT_EQ(text.compare(std::stoull(result.Rows[0][MoveTextOffset]), 5, "1. e4"), 0);
    }
}

TEST(IndexLimits, GameLargerThanOneChunk)
{
    std::string moves = "1. e4 e5 ";
    for (int n = 2; moves.size() < PgnChunkSize + 200000; ++n)
        moves += std::to_string(n) + ". Nf3 { [%clk 0:01:00] } Nf6 {\n[%clk 0:01:00] } ";
    moves += "1-0";
    const std::string text = Game(1, moves) + Game(2) + Game(3);
    const IndexResult result = IndexText(text);
    EXPECT_EQ(Events(result), (std::vector<std::string>{"G1", "G2", "G3"}));
    ASSERT_EQ(result.Rows.size(), 3u);
    EXPECT_EQ(text.compare(std::stoull(result.Rows[0][MoveTextOffset]), 5, "1. e4"), 0);
    EXPECT_EQ(result.Rows[0][FlagsColumn], "  C");
    EXPECT_EQ(text.compare(std::stoull(result.Rows[2][MoveTextOffset]), 5, "1. e4"), 0);
}

// A file in the temporary folder, removed afterwards.
class TempFile {
public:
    explicit TempFile(const std::string& text)
    {
        char name[] = "/tmp/velmora-index-XXXXXX";
        const int fd = ::mkstemp(name);
        path_ = name;
        ::close(fd);
        std::ofstream(path_, std::ios::binary) << text;
    }
    ~TempFile() { std::remove(path_.c_str()); }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

TEST(IndexLimits, PumpEvery128GamesAndNoReentry)
{
    std::string text;
    for (int g = 1; g <= 300; ++g)
        text += Game(g);
    TempFile file(text);
    ASSERT_EQ(OpenDatabaseFile(file.Path()), OpenStatus::Opened);
    std::vector<int> pumped;
    IndexOptions options;
    options.Pump = [&](std::int32_t count) {
        pumped.push_back(count);
        EXPECT_TRUE(ListLoading);
        EXPECT_EQ(OpenDatabaseFile(file.Path()), OpenStatus::Busy);
        EXPECT_FALSE(CloseDatabaseFile());
        EXPECT_FALSE(IndexOpenDatabase().has_value());
        GameRow row;
        row[MoveTextOffset] = "0";
        EXPECT_EQ(LoadGame(1, row, false, -1).Status, LoadStatus::Refused);
    };
    const std::optional<IndexResult> result = IndexOpenDatabase(options);
    ASSERT_TRUE(result.has_value());
    EXPECT_FALSE(ListLoading);
    EXPECT_EQ(pumped, (std::vector<int>{0, 128, 256}));
    EXPECT_EQ(result->Rows, IndexText(text).Rows);
    EXPECT_TRUE(CloseDatabaseFile());
    EXPECT_EQ(DatabaseFileHandle, -1);
    EXPECT_FALSE(IndexOpenDatabase().has_value());
}

TEST(IndexLimits, OpenFailureKeepsTheOpenDatabase)
{
    TempFile file(Game(1));
    ASSERT_EQ(OpenDatabaseFile(file.Path()), OpenStatus::Opened);
    const int handle = DatabaseFileHandle;
    EXPECT_EQ(OpenDatabaseFile("/nonexistent/velmora/games.pgn"), OpenStatus::CantOpen);
    EXPECT_EQ(DatabaseFileHandle, handle);
    EXPECT_EQ(DatabaseFileName, file.Path());
    ASSERT_TRUE(CloseDatabaseFile());
    EXPECT_EQ(OpenDatabaseFile("/nonexistent/velmora/games.pgn"), OpenStatus::CantOpen);
    EXPECT_EQ(DatabaseFileHandle, -1);
}

TEST(IndexLimits, OnlyARegularFileOpens)
{
    char folder[] = "/tmp/velmora-folder-XXXXXX";
    ASSERT_NE(::mkdtemp(folder), nullptr);
    const std::string fifo = std::string(folder) + "/pipe.pgn";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Held open for reading and writing, so that opening it cannot block.
    const int holder = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(holder, 0);
    for (const std::string& path : {std::string(folder), std::string("/dev/zero"), fifo}) {
        SCOPED_TRACE(path);
        ASSERT_TRUE(CloseDatabaseFile());
        EXPECT_EQ(OpenDatabaseFile(path), OpenStatus::CantOpen);
        EXPECT_EQ(DatabaseFileHandle, -1);
        EXPECT_EQ(DatabaseFileName, "");
    }
    ::close(holder);
    std::remove(fifo.c_str());
    ::rmdir(folder);
}

TEST(DatabaseOpening, RecentFilesAndCaption)
{
    std::array<std::string, RecentFileCount> recent = {"(none)", "(none)", "(none)", "(none)",
                                                       "(none)"};
    PushRecentFile(recent, "");
    EXPECT_EQ(recent[0], "(none)");
    for (const char* name : {"/a.pgn", "/b.pgn", "/c.pgn", "/d.pgn", "/e.pgn", "/f.pgn"})
        PushRecentFile(recent, name);
    EXPECT_EQ(recent, (std::array<std::string, RecentFileCount>{"/f.pgn", "/e.pgn", "/d.pgn",
                                                                "/c.pgn", "/b.pgn"}));
    PushRecentFile(recent, "/c.pgn"); // listed already: keeps its place
    EXPECT_EQ(recent[0], "/f.pgn");
    EXPECT_EQ(recent[3], "/c.pgn");

    EXPECT_EQ(DatabaseCaption("/home/u/games.pgn", 1234), "Velmora Chess - games.pgn [1234]");
    EXPECT_EQ(DatabaseCaption("games.pgn"), "Velmora Chess - games.pgn");
}

} // namespace
