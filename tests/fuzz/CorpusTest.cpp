// Every stored input of every fuzz target (seeds and the inputs of past
// findings) through the target's entry, with the program's full-size paths
// too, in the ordinary build.
#include "FuzzEntries.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <vector>

void PrintTo(const FuzzTarget& target, std::ostream* out)
{
    *out << target.Name;
}

namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<fs::path> StoredInputs(const std::string& target)
{
    std::vector<fs::path> files;
    for (const char* folder : {"corpus", "regressions"}) {
        const fs::path dir = fs::path(VELMORA_FUZZ_DIR) / folder / target;
        if (!fs::is_directory(dir)) continue;
        for (const fs::directory_entry& e : fs::recursive_directory_iterator(dir))
            if (e.is_regular_file()) files.push_back(e.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

class StoredFuzzInputs : public testing::TestWithParam<FuzzTarget> {};

TEST_P(StoredFuzzInputs, EveryInputIsHandledSoundly)
{
    const FuzzTarget target = GetParam();
    const std::vector<fs::path> files = StoredInputs(target.Name);
    ASSERT_FALSE(files.empty()) << "no seeds for " << target.Name;
    for (const fs::path& file : files) {
        const std::string bytes = ReadBytes(file);
        EXPECT_EQ(target.Entry(bytes, FuzzDepth::Quick), "") << file;
        EXPECT_EQ(target.Entry(bytes, FuzzDepth::Full), "") << file;
    }
}

std::string TargetName(const testing::TestParamInfo<FuzzTarget>& info)
{
    return info.param.Name;
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Fuzz, StoredFuzzInputs, testing::ValuesIn(VELMORA_FUZZ_TARGETS()),
                         TargetName);
