// Showing a game in the notation control: a few moves and one long comment,
// written by the notation writer, loaded into the rich edit and laid out at
// the main window's width. The comment is a text with blanks or one word
// without blanks, or instead of it a run of evaluation symbols; each should
// cost about the same per character whatever its length.
#include "app/OptionValues.h"
#include "bench/FontBenchMain.h"
#include "database/GameHeaderRtf.h"
#include "database/MoveListRtf.h"
#include "database/RtfBuffer.h"
#include "database/RtfProlog.h"
#include "platform/Fonts.h"
#include "platform/RichEdit.h"
#include "rules/Board.h"
#include "rules/GameStore.h"
#include "rules/MakeMove.h"
#include "rules/MoveGen.h"
#include "rules/Navigation.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <iterator>
#include <string>

namespace {

QApplication& App()
{
    static int argc = 1;
    static char name[] = "bench_qt_richedit";
    static char* argv[] = {name, nullptr};
    // Left to the end of the process: destroyed by the exit handlers it
    // would outlive what it still refers to.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

void LoadFonts()
{
    static bool loaded = false;
    if (loaded) return;
    loaded = true;
    for (std::size_t i = 0; i < EmbeddedFontResources.size(); ++i)
        LoadEmbeddedFont(QString::fromLatin1(EmbeddedFontResources[i].Family),
                         EmbeddedFontHandles[i], EmbeddedFontResources[i].Id);
}

enum class Annotation { Words, OneWord, Symbols };

std::string CommentText(Annotation kind, std::size_t length)
{
    std::string text;
    text.reserve(length);
    for (std::size_t i = 0; i < length; ++i)
        text.push_back(kind == Annotation::Words && i % 7 == 6 ? ' '
                                                               : static_cast<char>('a' + i % 26));
    return text;
}

// 1.e4 e5 2.Nf3 and a comment or a run of evaluation symbols (which the
// writer sets without blanks between them), then 2...Nc6; written as the
// program writes a game.
std::string WriteGame(Annotation kind, std::size_t length)
{
    RestoreFirstRunOptions();
    InitGameStore();
    SetStartPosition();
    CurrentPly = 0;
    MoveNodeCount = 0;
    CommentList.clear();
    GameResult = 1;
    GenerateMoves();
    auto play = [](int from, int to) {
        for (int i = 0; i < Positions[CurrentPly].MoveCount; ++i) {
            const auto& m = Positions[CurrentPly].Moves[i];
            if (m.From == from && m.To == to) {
                Positions[CurrentPly].PlayedNode = MoveNodeCount;
                MoveNodes[MoveNodeCount++] =
                    MoveNode{0, 0, NodeKind::nkMove, static_cast<std::uint8_t>(i)};
                MakeMove(i);
                AnnotateLastMove();
                return;
            }
        }
    };
    play(SquareOf(4, 1), SquareOf(4, 3));
    play(SquareOf(4, 6), SquareOf(4, 4));
    play(SquareOf(6, 0), SquareOf(5, 2));
    if (kind == Annotation::Symbols) {
        // +/=, =/+, +/-, -/+, the unclear sign.
        static constexpr std::uint8_t Nags[] = {14, 15, 16, 17, 13};
        for (std::size_t i = 0; i < length && MoveNodeCount + 2 < MoveNodeCapacity; ++i)
            MoveNodes[MoveNodeCount++] = MoveNode{0, 0, NodeKind::nkNag, Nags[i % std::size(Nags)]};
    } else {
        CommentList.push_back(CommentText(kind, length));
        MoveNodes[MoveNodeCount++] = MoveNode{0, 0, NodeKind::nkComment, 0};
    }
    play(SquareOf(1, 7), SquareOf(2, 5));
    GoToNode(-1);
    const GameHeaderCells cells{"White", "2700", "Black",      "2650", "C44",
                                "Event", "Site", "2001.02.03", "4",    ""};
    ResetRtfBuffer();
    RtfPrologEnd = WriteRtfProlog(0);
    const RtfPos end = BuildMoveList(WriteGameHeaderRtf(RtfPrologEnd, cells));
    return std::string(RtfBuffer.data(), end);
}

void ShowGame(benchmark::State& state, Annotation kind)
{
    App();
    LoadFonts();
    const auto length = static_cast<std::size_t>(state.range(0));
    const std::string rtf = WriteGame(kind, length);
    TRichEdit edit;
    edit.resize(520, 600);
    edit.show();
    for (auto _ : state) {
        edit.LoadRtf(rtf);
        // The whole document laid out, as scrolling to its end would need.
        benchmark::DoNotOptimize(edit.document()->documentLayout()->documentSize());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * length));
    // The document's height in lines of the widget's font.
    state.counters["lines"] = edit.document()->documentLayout()->documentSize().height() /
                              QFontMetricsF(edit.font()).lineSpacing();
}

void BM_ShowCommentWithBlanks(benchmark::State& state)
{
    ShowGame(state, Annotation::Words);
}
void BM_ShowOneWordComment(benchmark::State& state)
{
    ShowGame(state, Annotation::OneWord);
}
void BM_ShowSymbolRun(benchmark::State& state)
{
    ShowGame(state, Annotation::Symbols);
}

BENCHMARK(BM_ShowCommentWithBlanks)
    ->RangeMultiplier(4)
    ->Range(4 << 10, 1 << 20)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowOneWordComment)
    ->RangeMultiplier(4)
    ->Range(4 << 10, 1 << 20)
    ->Unit(benchmark::kMillisecond);
// The node stream holds at most MoveNodeCapacity evaluation symbols.
BENCHMARK(BM_ShowSymbolRun)
    ->RangeMultiplier(4)
    ->Range(4 << 10, 256 << 10)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunBenchmarksReleasingFonts(argc, argv);
}
