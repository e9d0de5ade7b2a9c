// libFuzzer's entry for one target; VELMORA_FUZZ_ENTRY names its function.
#include "FuzzEntries.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string problem = VELMORA_FUZZ_ENTRY(bytes, FuzzDepth::Quick);
    if (!problem.empty()) {
        std::fprintf(stderr, "velmora fuzz: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
