#include "RtfTestSupport.h"

#include "database/RtfBuffer.h"
#include "rules/Board.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class RtfBufferTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        RtfBufferMaxSize = std::size_t{256} << 20;
        ResetRtfBuffer();
    }
};

TEST_F(RtfBufferTest, LimitKeepsSlack)
{
    ResetRtfBuffer();
    EXPECT_EQ(RtfBufferSize(), 60000u);
    EXPECT_EQ(RtfBufferLimit(), 60000u - 384u);
}

TEST_F(RtfBufferTest, ReserveGrowsInStepsAndKeepsContent)
{
    ResetRtfBuffer();
    PutRtf(0, "abc");
    EXPECT_TRUE(ReserveRtfRoom(59000, 100));
    EXPECT_EQ(RtfBufferSize(), 60000u); // 59100 is below the limit
    EXPECT_TRUE(ReserveRtfRoom(59000, 1000));
    EXPECT_EQ(RtfBufferSize(), 120000u);
    EXPECT_TRUE(ReserveRtfRoom(100, 200000));
    EXPECT_EQ(RtfBufferSize(), 240000u);
    EXPECT_GE(RtfBufferLimit(), 200100u);
    EXPECT_EQ(RtfTextFrom(0), "abc");
}

TEST_F(RtfBufferTest, RefusesPastTheMaximumAndNeverWritesPastTheEnd)
{
    ResetRtfBuffer(1000);
    RtfBufferMaxSize = 1000;
    EXPECT_FALSE(ReserveRtfRoom(600, 100));
    const std::string big(2000, 'x');
    const RtfPos end = PutRtf(10, big);
    EXPECT_EQ(end, 1000u);
    EXPECT_EQ(RtfBufferSize(), 1000u);
    EXPECT_EQ(PutRtf(end, "more"), end);
}

TEST_F(RtfBufferTest, WritesGrowWhenNeeded)
{
    ResetRtfBuffer(1000);
    const std::string big(5000, 'y');
    EXPECT_EQ(PutRtf(10, big), 5010u);
    EXPECT_GE(RtfBufferSize(), 5010u + 384u);
}

TEST_F(RtfBufferTest, NumbersCountedOrNot)
{
    struct Row {
        const char* name;
        int number;
        bool counted;
        std::string_view text;
        int shown;
    } rows[] = {
        {"zero", 0, true, "0", 1},
        {"table end", 400, true, "400", 3},
        {"past the table", 401, true, "401", 3},
        {"large", 123456, true, "123456", 6},
        {"not counted", 57, false, "57", 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        InitGameStore();
        ResetRtfBuffer();
        RtfTextPos = 0;
        const RtfPos end = PutRtfNumber(0, r.number, r.counted);
        EXPECT_EQ(std::string_view(RtfBuffer.data(), end), r.text);
        EXPECT_EQ(RtfTextPos, r.shown);
    }
}

} // namespace
