// How much a rating list costs to read: every byte is fetched about once,
// whatever the lines look like.
#include "database/EloList.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Counts the bytes asked of the data.
class CountingSource : public ByteSource {
public:
    explicit CountingSource(const std::string& text) : memory_(text) {}
    std::int64_t ReadAt(std::uint64_t offset, char* destination, std::size_t size) const override
    {
        asked += size;
        return memory_.ReadAt(offset, destination, size);
    }
    mutable std::uint64_t asked = 0;

private:
    MemoryByteSource memory_;
};

const std::string Header = "ID      Name                           Rtg  \n";

TEST(EloReadVolume, LinesOfEveryShapeAreFetchedOnce)
{
    const std::string row = "1       Alpha, Ann                     2100\n";
    const struct {
        const char* Name;
        std::string Line;
    } shapes[] = {
        {"as long as the header", row},
        {"longer than the header", row.substr(0, 44) + std::string(250, 'x') + "\n"},
        {"shorter than the header", "7 Short\n"},
    };
    for (const auto& shape : shapes) {
        std::string text = Header;
        while (text.size() < 600000)
            text += shape.Line;
        CountingSource source(text);
        const EloListRows list = ReadEloListRows(source);
        EXPECT_EQ(list.Status, EloLoadStatus::Loaded) << shape.Name;
        EXPECT_GT(list.Rows.size(), 1000u) << shape.Name;
        // A few reads of at most 1 MiB each, not one per line.
        EXPECT_LE(source.asked, 8u << 20) << shape.Name;
    }
}

} // namespace
