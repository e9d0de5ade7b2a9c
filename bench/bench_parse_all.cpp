// Loading and parsing every game of a 15,000-game database, side by side
// with the frozen copy of the earlier parser (bench/frozen), in alternating
// runs of the same process. Two databases: the annotated one of bench_index
// (variations, comments, symbols) and one of plainer games (few
// variations, no comments, 75 plies on average). Prints games/s of both and
// the ratio of their times; both must read the same streams.
#include "bench/PgnBenchGenerator.h"
#include "bench/frozen/FrozenParser.h"
#include "database/ByteSource.h"
#include "database/GameIndex.h"
#include "database/GameLoader.h"
#include "database/MoveTextParser.h"
#include "rules/GameStore.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int Games = 15000;
constexpr int Rounds = 7;
constexpr std::size_t Turn = 20; // games

struct Corpus {
    const char* Name;
    const char* File;
    PgnGeneratorOptions Options;
};

Corpus Annotated()
{
    Corpus c{"annotated", "bench_index_15000.pgn", {}};
    c.Options.Games = Games;
    c.Options.Seed = 2026;
    c.Options.MaxPlies = 130;
    return c;
}

Corpus Plain()
{
    Corpus c{"plain", "bench_plain_15000.pgn", {}};
    c.Options.Games = Games;
    c.Options.Seed = 4242;
    c.Options.MinPlies = 40;
    c.Options.MaxPlies = 110;
    c.Options.VariationPercent = 1;
    c.Options.Comments = false;
    return c;
}

// The database file next to this program, generated when missing.
int OpenCorpus(const Corpus& corpus)
{
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe");
    const std::string path = (exe.parent_path() / corpus.File).string();
    if (!std::filesystem::exists(path)) {
        const GeneratedDatabase db = GeneratePgnDatabase(corpus.Options);
        std::ofstream(path, std::ios::binary) << db.Text;
    }
    return ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
}

double CpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Loads games first .. last - 1 of the index with load; returns the CPU time.
template <typename Load>
double ParseRange(const IndexResult& index, std::size_t first, std::size_t last, Load load)
{
    const double start = CpuSeconds();
    for (std::size_t r = first; r < last; ++r)
        load(static_cast<int>(r) + 1, index.Rows[r]);
    return CpuSeconds() - start;
}

// Kind and code of every node of the game loaded, and its plies.
unsigned long StreamHash(long& plies)
{
    unsigned long hash = 1469598103934665603UL;
    for (int i = 0; i < MoveNodeCount; ++i)
        hash = (hash ^ (static_cast<unsigned>(MoveNodes[i].Kind) << 8 | MoveNodes[i].Code)) *
               1099511628211UL;
    plies += LineLength;
    return hash;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void Run(const Corpus& corpus)
{
    const int fd = OpenCorpus(corpus);
    const FileByteSource source(fd);
    const IndexResult index = IndexPgn(source);
    InitGameStore();
    SetCorrectMoveHandler(nullptr);
    auto current = [&](int row, const GameRow& cells) {
        LoadGameFrom(source, row, cells, false, LoadToLastMove);
    };
    auto earlier = [&](int row, const GameRow& cells) { frozen::LoadGameFrom(source, row, cells); };

    // Both must read the same streams.
    long plies = 0, frozenPlies = 0;
    bool equal = true;
    for (std::size_t r = 0; r < index.Rows.size(); ++r) {
        current(static_cast<int>(r) + 1, index.Rows[r]);
        const unsigned long hash = StreamHash(plies);
        earlier(static_cast<int>(r) + 1, index.Rows[r]);
        equal = equal && hash == StreamHash(frozenPlies);
    }

    // Both parse the same games in turns of a few games, the first of each
    // turn alternating, so that a change in the machine's load hits both.
    std::vector<double> now, before;
    for (int round = 0; round < Rounds; ++round) {
        double a = 0, b = 0;
        for (std::size_t r = 0; r < index.Rows.size(); r += Turn) {
            const std::size_t last = std::min(r + Turn, index.Rows.size());
            if ((r / Turn + static_cast<std::size_t>(round)) % 2 == 0) {
                a += ParseRange(index, r, last, current);
                b += ParseRange(index, r, last, earlier);
            } else {
                b += ParseRange(index, r, last, earlier);
                a += ParseRange(index, r, last, current);
            }
        }
        now.push_back(a);
        before.push_back(b);
    }
    const double games = static_cast<double>(index.Rows.size());
    const double t = Median(now), f = Median(before);
    std::printf("%-10s %6zu games %8ld plies  now %8.0f games/s (%.3f us/ply)  frozen %8.0f "
                "games/s (%.3f us/ply)  time ratio %.2fx  streams %s\n",
                corpus.Name, index.Rows.size(), plies, games / t,
                1e6 * t / static_cast<double>(plies), games / f,
                1e6 * f / static_cast<double>(plies), f / t,
                equal && plies == frozenPlies ? "equal" : "DIFFER");
    ::close(fd);
}

} // namespace

int main()
{
    std::printf("Parse-all, median CPU time of %d alternating runs (frozen time / time now)\n",
                Rounds);
    Run(Annotated());
    Run(Plain());
    return 0;
}
