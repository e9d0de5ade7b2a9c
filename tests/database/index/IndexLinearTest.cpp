// Indexing looks at each character of the text a bounded number of times,
// also on texts that a naive reader rescans from every position.
#include "IndexTestSupport.h"

#include "database/ScanSteps.h"

#include <gtest/gtest.h>

namespace {

std::string Repeat(const std::string& unit, std::size_t size)
{
    std::string text;
    text.reserve(size + unit.size());
    while (text.size() < size)
        text += unit;
    return text;
}

struct LinearCase {
    const char* Name;
    std::string Text;
    std::size_t Games; // rows listed
};

TEST(IndexLinear, WorkStaysProportionalToTheText)
{
    const std::size_t size = PgnChunkSize - 4096;
    const std::string tags = "[Event \"A\"]\n";
    const std::string game = "\n\n1. e4 e5 *\n";
    const std::vector<LinearCase> cases = {
        {"digit run after the tags", tags + std::string(size, '7'), 0},
        {"digit runs ended by letters", tags + Repeat(std::string(20000, '1') + "x", size) + game,
         1},
        {"tag line whose brackets are all quoted", tags + Repeat("[a\"]\"", size) + game, 1},
        {"quoted brackets between blanks", tags + Repeat("[b \"]\" ", size) + game, 1},
        {"quoted brackets and escapes", tags + Repeat("[c\"\\\"]\" \"", size) + game, 1},
    };
    for (const LinearCase& c : cases) {
        SCOPED_TRACE(c.Name);
        for (const std::size_t chunk : {std::size_t{PgnChunkSize}, std::size_t{4096}}) {
            const IndexResult result = IndexText(c.Text, chunk);
            EXPECT_EQ(result.Rows.size(), c.Games) << "chunk " << chunk;
            EXPECT_LE(PgnScanSteps, 16 * c.Text.size()) << "chunk " << chunk;
        }
    }
}

} // namespace
