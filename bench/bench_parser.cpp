// Move-text parsing speed: one long game with variations and comments, and
// a batch of 1,000 generated games. Reports SAN moves read per second.
#include "tests/database/parser/GameSetup.h"

#include "database/MoveTextParser.h"
#include "rules/Board.h"
#include "rules/GameStore.h"
#include "rules/MakeMove.h"
#include "rules/MoveGen.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

namespace {

// A random legal line of up to plies moves from the start, written as PGN
// in SAN, with a comment every 7 moves, NAGs and one-move variations.
std::string RandomGame(std::mt19937& rng, int plies, bool annotate, int* moves)
{
    ResetGame();
    GenerateMoves();
    std::string text;
    for (int ply = 0; ply < plies; ++ply) {
        std::vector<int> legal;
        for (int j = 0; j < Positions[CurrentPly].MoveCount; ++j) {
            if (TestMoveLegal(j)) legal.push_back(j);
        }
        if (legal.empty()) break;
        const int pick = legal[rng() % legal.size()];
        if (ply % 2 == 0) text.append(std::to_string(ply / 2 + 1)).append(". ");
        text.append(SanOf(pick)).append(" ");
        ++*moves;
        if (annotate && ply % 5 == 3 && legal.size() > 1) {
            const int other = legal[rng() % legal.size()];
            if (other != pick) {
                text.append("(").append(SanOf(other)).append(" {or this}) ");
                ++*moves;
            }
        }
        MakeMove(pick);
        GenerateMoves();
        if (annotate && ply % 7 == 0) text += "{a comment on the move} ";
        if (annotate && ply % 11 == 0) text += "$14 ";
    }
    return text + "1/2-1/2";
}

struct Corpus {
    std::vector<std::string> games;
    int moves = 0;
};

const Corpus& LongGame()
{
    static const Corpus corpus = [] {
        Corpus c;
        std::mt19937 rng(7);
        c.games.push_back(RandomGame(rng, 700, true, &c.moves));
        return c;
    }();
    return corpus;
}

const Corpus& Batch()
{
    static const Corpus corpus = [] {
        Corpus c;
        std::mt19937 rng(11);
        for (int i = 0; i < 1000; ++i)
            c.games.push_back(
                RandomGame(rng, 60 + static_cast<int>(rng() % 100), i % 2 == 0, &c.moves));
        return c;
    }();
    return corpus;
}

void ParseCorpus(benchmark::State& state, const Corpus& corpus)
{
    std::vector<std::string> work = corpus.games;
    // Every generated move must be read back (a check on the corpus).
    long moveNodes = 0;
    for (std::size_t i = 0; i < work.size(); ++i) {
        ResetGame();
        ParseMoveText(work[i].data(), work[i].data() + work[i].size(), nullptr);
        for (int n = 0; n < MoveNodeCount; ++n)
            moveNodes += MoveNodes[n].Kind == NodeKind::nkMove;
    }
    state.counters["unread"] = static_cast<double>(corpus.moves - moveNodes);
    int parsed = 0;
    for (auto _ : state) {
        for (std::size_t i = 0; i < work.size(); ++i) {
            work[i] = corpus.games[i]; // the parser writes into its text
            ResetGame();
            ParseMoveText(work[i].data(), work[i].data() + work[i].size(), nullptr);
            parsed += MoveNodeCount;
        }
        benchmark::DoNotOptimize(parsed);
    }
    state.counters["moves/s"] = benchmark::Counter(static_cast<double>(corpus.moves) *
                                                       static_cast<double>(state.iterations()),
                                                   benchmark::Counter::kIsRate);
}

void BM_ParseLongGame(benchmark::State& state)
{
    ParseCorpus(state, LongGame());
}
void BM_ParseThousandGames(benchmark::State& state)
{
    ParseCorpus(state, Batch());
}

} // namespace

BENCHMARK(BM_ParseLongGame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ParseThousandGames)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
