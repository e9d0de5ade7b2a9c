// The sample files that the program opens out of the box.
#include "IndexTestSupport.h"

#include "database/GameLoader.h"
#include "database/MoveTextParser.h"
#include "rules/Board.h"

#include <gtest/gtest.h>

namespace {

std::string ReadSample(const std::string& name)
{
    std::ifstream in(std::string(VELMORA_SAMPLES_DIR) + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class AskCounter : public CorrectMoveHandler {
public:
    CorrectMoveAnswer AskCorrection(const std::string&, int) override
    {
        ++Asked;
        return {CorrectMoveChoice::Cancel, "", 0};
    }
    int Asked = 0;
};

TEST(SampleDatabase, EveryGameLoadsWithoutAQuestion)
{
    const std::string text = ReadSample("velmora-sample.pgn");
    const IndexResult index = IndexText(text);
    ASSERT_GE(index.Rows.size(), 30u);
    int setUp = 0, variations = 0, comments = 0;
    for (const GameRow& row : index.Rows) {
        setUp += row[FlagsColumn][0] == 'P';
        variations += row[FlagsColumn][1] != ' ';
        comments += row[FlagsColumn][2] != ' ';
    }
    EXPECT_GE(setUp, 1);
    EXPECT_GE(variations, 10);
    EXPECT_GE(comments, 10);

    InitGameStore();
    AskCounter counter;
    CorrectMoveHandler* previous = SetCorrectMoveHandler(&counter);
    for (std::size_t r = 0; r < index.Rows.size(); ++r) {
        SCOPED_TRACE("game " + std::to_string(r + 1));
        ASSERT_EQ(LoadGameFrom(MemoryByteSource(text), static_cast<int>(r) + 1, index.Rows[r],
                               false, LoadToLastMove)
                      .Status,
                  LoadStatus::Loaded);
        EXPECT_GT(LineLength, 5);
    }
    SetCorrectMoveHandler(previous);
    EXPECT_EQ(counter.Asked, 0);
}

TEST(SampleDatabase, EloListHasItsHeaderLine)
{
    const std::string text = ReadSample("velmora-elo.txt");
    ASSERT_EQ(text.substr(0, 2), "ID");
    const std::size_t lineLength = text.find("\r\n") + 2;
    ASSERT_GT(lineLength, 2u);
    EXPECT_EQ(text.size() % lineLength, 0u); // fixed-width records
    EXPECT_EQ(text.size() / lineLength, 41u);
}

} // namespace
