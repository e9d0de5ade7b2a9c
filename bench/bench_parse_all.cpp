// Loading and parsing every game of a 15,000-game database, beside
// pgn-extract reading and checking the same file (bench/PgnExtract.h) in
// alternating runs. Two databases: the annotated one of bench_index
// (variations, comments, symbols) and one of plainer games like real ones
// (few variations, no comments, 75 plies on average). Prints games/s of
// both and the ratio of the times (ours / pgn-extract's): once for parsing
// the games of a built index, once with the index built too. Without
// pgn-extract it prints its own figures only.
#include "bench/PgnBenchGenerator.h"
#include "bench/PgnExtract.h"
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
std::string CorpusPath(const Corpus& corpus)
{
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe");
    const std::string path = (exe.parent_path() / corpus.File).string();
    if (!std::filesystem::exists(path)) {
        const GeneratedDatabase db = GeneratePgnDatabase(corpus.Options);
        std::ofstream(path, std::ios::binary) << db.Text;
    }
    return path;
}

double CpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Loads every game of the index; returns the plies of their main lines.
long ParseAll(const ByteSource& source, const IndexResult& index)
{
    long plies = 0;
    for (std::size_t r = 0; r < index.Rows.size(); ++r) {
        LoadGameFrom(source, static_cast<int>(r) + 1, index.Rows[r], false, LoadToLastMove);
        plies += LineLength;
    }
    return plies;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void Run(const Corpus& corpus, const std::string& extract)
{
    const std::string path = CorpusPath(corpus);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const FileByteSource source(fd);
    InitGameStore();
    SetCorrectMoveHandler(nullptr);
    const IndexResult index = IndexPgn(source);
    const long plies = ParseAll(source, index);

    // Our runs and pgn-extract's take turns, the first of each round
    // alternating, so that a change in the machine's load hits both.
    std::vector<double> parse, whole, theirs;
    bool extractFailed = false;
    for (int round = 0; round < Rounds; ++round) {
        auto ours = [&] {
            double start = CpuSeconds();
            const IndexResult built = IndexPgn(source);
            const double indexed = CpuSeconds() - start;
            start = CpuSeconds();
            ParseAll(source, built);
            const double parsed = CpuSeconds() - start;
            parse.push_back(parsed);
            whole.push_back(indexed + parsed);
        };
        auto other = [&] {
            if (extract.empty() || extractFailed) return;
            const std::optional<double> t = pgn_extract::CpuSeconds(extract, path);
            if (t)
                theirs.push_back(*t);
            else
                extractFailed = true;
        };
        if (round % 2 == 0) {
            ours();
            other();
        } else {
            other();
            ours();
        }
    }
    const double games = static_cast<double>(index.Rows.size());
    const double p = Median(parse), w = Median(whole);
    std::printf("%-10s %6zu games %8ld plies  parse %8.0f games/s (%.3f us/ply)  index+parse "
                "%8.0f games/s\n",
                corpus.Name, index.Rows.size(), plies, games / p,
                1e6 * p / static_cast<double>(plies), games / w);
    if (extractFailed || theirs.empty()) {
        std::printf("%-10s pgn-extract %s: no comparison\n", "",
                    extract.empty() ? "is not installed" : "failed");
    } else {
        const double t = Median(theirs);
        std::printf("%-10s pgn-extract %8.0f games/s  time ratio parse %.2fx  index+parse %.2fx\n",
                    "", games / t, p / t, w / t);
    }
    ::close(fd);
}

} // namespace

int main()
{
    const std::string extract = pgn_extract::Find();
    std::printf("Parse-all, median CPU time of %d alternating runs; time ratio = ours / "
                "pgn-extract's (%s -r -s --nestedcomments FILE)\n",
                Rounds, extract.empty() ? "pgn-extract" : extract.c_str());
    Run(Annotated(), extract);
    Run(Plain(), extract);
    return 0;
}
