// Stepping through a long game with deep variations in the main window:
// one step forward through all lines (board, move-list selection, move tree),
// a click in the move list, and a walk through every move of the notation.
#include "app/OptionValues.h"
#include "app/Unit1.h"
#include "bench/FontBenchMain.h"
#include "platform/Application.h"
#include "platform/RichEdit.h"
#include "platform/Sound.h"
#include "rules/Board.h"
#include "rules/GameStore.h"
#include "rules/MakeMove.h"
#include "rules/MoveGen.h"
#include "rules/Navigation.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

namespace {

TApplication& App()
{
    static int argc = 1;
    static char name[] = "bench_qt_navigation";
    static char* argv[] = {name, nullptr};
    static TApplication* app = new TApplication(argc, argv);
    return *app;
}

// A random legal move of the position shown other than `avoid`, -1 when none.
int RandomLegal(std::mt19937& rng, int avoid)
{
    GenerateMoves();
    std::vector<int> legal;
    for (int i = 0; i < Positions[CurrentPly].MoveCount; ++i)
        if (i != avoid && TestMoveLegal(i)) legal.push_back(i);
    return legal.empty() ? -1 : legal[rng() % legal.size()];
}

void AddRandomMoves(std::mt19937& rng, int count)
{
    for (int k = 0; k < count && CurrentPly < MaxPly - 1; ++k) {
        const int index = RandomLegal(rng, -1);
        if (index < 0 || !AddMoveToTree(index)) return;
    }
}

// A 400-ply main line and variations branching from every depth, until the
// stream holds about 8,000 nodes.
void BuildDeepGame()
{
    std::mt19937 rng(2024);
    SetStartPosition();
    LineLength = CurrentPly = MoveNodeCount = 0;
    AddRandomMoves(rng, 400);
    GoToNode(-1);
    while (MoveNodeCount < 8000) {
        if (LineLength < 2) {
            GoToNode(-1);
            continue;
        }
        CurrentPly = static_cast<int>(rng() % static_cast<unsigned>(LineLength - 1)) + 1;
        const int played = MoveNodes[Positions[CurrentPly].PlayedNode].Code;
        const int index = RandomLegal(rng, played);
        if (index < 0 || !AddMoveToTree(index)) {
            GoToNode(-1);
            continue;
        }
        AddRandomMoves(rng, 2 + static_cast<int>(rng() % 7));
        // Half of the time the next variation branches from this one.
        GoToNode(rng() % 2 ? Positions[CurrentPly - 1].PlayedNode : -1);
    }
}

struct Window {
    Window()
    {
        App();
        SetSoundPlayer(&silent);
        form = std::make_unique<TForm1>();
        form->resize(1200, 900);
        form->show();
        SlideDelayMs = 0;
        BuildDeepGame();
        form->RebuildDocument();
        GoToNode(-1);
        form->RefreshAfterNavigation();
    }
    ~Window() { SetSoundPlayer(nullptr); }
    NullSoundPlayer silent;
    std::unique_ptr<TForm1> form;
};

// Made once and left to the end of the process.
Window& Shown()
{
    static Window* window = new Window;
    return *window;
}

void BM_StepForward(benchmark::State& state)
{
    TForm1& form = *Shown().form;
    for (auto _ : state) {
        if (!ForwardThroughLinesTarget()) {
            state.PauseTiming();
            StepToNode(-1);
            form.RefreshAfterNavigation();
            state.ResumeTiming();
        }
        form.ToolButton3Click();
    }
    state.counters["nodes"] = MoveNodeCount;
}
BENCHMARK(BM_StepForward)->Unit(benchmark::kMillisecond);

void BM_SelectMoveInText(benchmark::State& state)
{
    TForm1& form = *Shown().form;
    std::vector<int> positions;
    for (int i = 0; i < MoveNodeCount; ++i)
        if (MoveNodes[i].Kind == NodeKind::nkMove)
            positions.push_back(static_cast<int>(MoveNodes[i].TextPos));
    std::mt19937 rng(7);
    for (auto _ : state)
        form.Memo1->SetSelStart(positions[rng() % positions.size()] + 1);
}
BENCHMARK(BM_SelectMoveInText)->Unit(benchmark::kMillisecond);

void BM_WalkEveryMove(benchmark::State& state)
{
    TForm1& form = *Shown().form;
    std::int64_t moves = 0;
    for (auto _ : state) {
        StepToNode(-1);
        while (ForwardThroughLinesTarget()) {
            form.ToolButton3Click();
            ++moves;
        }
    }
    state.SetItemsProcessed(moves);
}
BENCHMARK(BM_WalkEveryMove)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same walk through the game store alone: each step replays only from
// where the line changes, against a replay of the whole line per move.
template <void (*Go)(int)>
void WalkLines(benchmark::State& state)
{
    Shown();
    std::int64_t moves = 0;
    for (auto _ : state) {
        GoToNode(-1);
        for (auto next = ForwardThroughLinesTarget(); next; next = ForwardThroughLinesTarget()) {
            Go(*next);
            ++moves;
        }
    }
    state.SetItemsProcessed(moves);
}
void BM_WalkLinesStepToNode(benchmark::State& state)
{
    WalkLines<StepToNode>(state);
}
void BM_WalkLinesGoToNode(benchmark::State& state)
{
    WalkLines<GoToNode>(state);
}
BENCHMARK(BM_WalkLinesStepToNode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WalkLinesGoToNode)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunBenchmarksReleasingFonts(argc, argv);
}
