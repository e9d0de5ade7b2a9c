// libFuzzer's entry for one target; VELMORA_FUZZ_ENTRY names its function.
// With VELMORA_FUZZ_CPU_TIME set, each input's processor time is printed for
// the linear-time check (check_linear_time.py): unlike the wall time
// libFuzzer prints, it hardly grows when other work keeps the cores busy.
#include "FuzzEntries.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

long long ProcessorMicroseconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<long long>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

const bool ReportTime = std::getenv("VELMORA_FUZZ_CPU_TIME") != nullptr;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const long long start = ReportTime ? ProcessorMicroseconds() : 0;
    const std::string problem = VELMORA_FUZZ_ENTRY(bytes, FuzzDepth::Quick);
    if (ReportTime)
        std::fprintf(stderr, "velmora fuzz: %lld us of processor time\n",
                     ProcessorMicroseconds() - start);
    if (!problem.empty()) {
        std::fprintf(stderr, "velmora fuzz: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
