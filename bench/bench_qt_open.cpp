// Opening a database in the program and loading one long game, each in a
// fresh process that starts the main window offscreen with a settings file
// naming the database, as the program starts:
//  - open: time until the game list is filled and peak memory, for the
//    15,000-game database of bench_index against a one-game database; the
//    figures printed are what the larger file adds;
//  - load: one load of a 400-move annotated game, including the document,
//    the board and the move views, and the paint that follows.
#include "app/SettingsFile.h"
#include "app/Unit1.h"
#include "bench/PgnBenchGenerator.h"
#include "components/SortGrid.h"
#include "database/ByteSource.h"
#include "database/DatabaseFile.h"
#include "database/GameHeaderRtf.h"
#include "database/GameIndex.h"
#include "database/GameLoader.h"
#include "database/MoveListRtf.h"
#include "database/RtfBuffer.h"
#include "platform/Application.h"
#include "platform/IniFile.h"
#include "platform/Sound.h"
#include "rules/GameStore.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr int Rounds = 5;

std::filesystem::path ExeDir()
{
    return std::filesystem::read_symlink("/proc/self/exe").parent_path();
}

// A database next to this program, generated when missing.
std::string Database(const char* name, const PgnGeneratorOptions& options)
{
    const std::string path = (ExeDir() / name).string();
    if (!std::filesystem::exists(path))
        std::ofstream(path, std::ios::binary) << GeneratePgnDatabase(options).Text;
    return path;
}

std::string LargeDatabase()
{
    PgnGeneratorOptions options; // as bench_index
    options.Games = 15000;
    options.Seed = 2026;
    options.MaxPlies = 130;
    return Database("bench_index_15000.pgn", options);
}

std::string OneGameDatabase()
{
    PgnGeneratorOptions options;
    options.Games = 1;
    options.Seed = 2026;
    options.MaxPlies = 130;
    return Database("bench_one_game.pgn", options);
}

// One game of exactly 400 plies with variations, comments and symbols.
std::string LongGameDatabase()
{
    const std::string path = (ExeDir() / "bench_long_game.pgn").string();
    if (std::filesystem::exists(path)) return path;
    PgnGeneratorOptions options;
    options.Games = 1;
    options.MinPlies = 400;
    options.MaxPlies = 400;
    for (options.Seed = 1;; ++options.Seed) {
        const GeneratedDatabase db = GeneratePgnDatabase(options);
        if (db.Games[0].MainLinePlies == 400 && !db.Games[0].SetUp) {
            std::ofstream(path, std::ios::binary) << db.Text;
            return path;
        }
    }
}

// ---- child: one start of the window -------------------------------------------

// Milliseconds of CPU time of the process (all its threads), less sensitive
// to other programs on the machine than the time on the clock.
double CpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return 1e3 * static_cast<double>(t.tv_sec) + 1e-6 * static_cast<double>(t.tv_nsec);
}

double Ms(Clock::time_point from)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

int Child(const std::string& mode, const std::string& database)
{
    const Clock::time_point start = Clock::now();
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int argc = 1;
    char name[] = "bench_qt_open";
    char* argv[] = {name, nullptr};
    TApplication app(argc, argv);
    {
        TMemIniFile ini(SettingsFileName());
        ini.SetText("[Game]\nFile=" + database + "\nNumber=0\n[Config]\nSkipIntro=1\n");
        if (!ini.UpdateFile()) return 2;
    }
    NullSoundPlayer silent;
    SetSoundPlayer(&silent);
    auto form = std::make_unique<TForm1>();
    form->resize(1200, 900);
    form->show();
    // The settings open the database once the window has shown.
    while (DatabaseFileHandle == -1 || ListLoading || !form->windowTitle().contains(" ["))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const double openMs = Ms(start);

    double loadMs = 0, loadCpuMs = 0, storeCpuMs = 0;
    const double openCpuMs = CpuMs();
    if (mode == "load") {
        std::vector<double> loads, cpu;
        for (int k = 0; k < 8; ++k) {
            const Clock::time_point t = Clock::now();
            const double c = CpuMs();
            form->LoadGame(1, false);
            form->repaint();
            QCoreApplication::processEvents();
            loads.push_back(Ms(t));
            cpu.push_back(CpuMs() - c);
        }
        // The first fills caches.
        loads.erase(loads.begin());
        cpu.erase(cpu.begin());
        std::sort(loads.begin(), loads.end());
        std::sort(cpu.begin(), cpu.end());
        loadMs = loads[loads.size() / 2];
        loadCpuMs = cpu[cpu.size() / 2];
        if (MoveNodeCount == 0) return 3;
        // The game store's share: the same load with the move list written
        // but not shown, no board or views.
        const FileByteSource source(DatabaseFileHandle);
        const IndexResult index = IndexPgn(source);
        GameLoadHooks hooks;
        hooks.ShowDocument = [] { BuildMoveList(WriteGameHeaderRtf(RtfPrologEnd, -1, {})); };
        std::vector<double> store;
        for (int k = 0; k < 8; ++k) {
            const double c = CpuMs();
            LoadGameFrom(source, 1, index.Rows[0], false, LoadToLastMove, hooks);
            store.push_back(CpuMs() - c);
        }
        std::sort(store.begin(), store.end());
        storeCpuMs = store[store.size() / 2];
    }
    std::printf("%f %f %f %f %f %d\n", openMs, openCpuMs, loadMs, loadCpuMs, storeCpuMs,
                GameList->RowCount() - 1);
    std::fflush(stdout);
    std::_Exit(0); // no settings written at close, no teardown timed
}

// ---- parent ------------------------------------------------------------------

struct ChildResult {
    double OpenMs = 0;
    double OpenCpuMs = 0;
    double LoadMs = 0;
    double LoadCpuMs = 0;
    double StoreCpuMs = 0;
    int Rows = 0;
    long PeakKb = 0;
};

ChildResult RunChild(const std::string& mode, const std::string& database)
{
    const std::string exe = std::filesystem::read_symlink("/proc/self/exe").string();
    const std::string out = (ExeDir() / "bench_qt_open.out").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> args{exe, "--child", mode, database};
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    ChildResult r;
    if (posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv.data(), environ) != 0) return r;
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    r.PeakKb = usage.ru_maxrss;
    if (FILE* f = std::fopen(out.c_str(), "r")) {
        if (std::fscanf(f, "%lf %lf %lf %lf %lf %d", &r.OpenMs, &r.OpenCpuMs, &r.LoadMs,
                        &r.LoadCpuMs, &r.StoreCpuMs, &r.Rows) != 6)
            r.Rows = -1;
        std::fclose(f);
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) r.Rows = -1;
    return r;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--child") == 0) return Child(argv[2], argv[3]);

    const std::string large = LargeDatabase(), one = OneGameDatabase(),
                      longGame = LongGameDatabase();
    std::vector<double> addedMs, addedCpuMs, addedMb, loadMs, loadCpuMs, storeCpuMs;
    int rows = 0;
    for (int round = 0; round < Rounds; ++round) {
        const ChildResult a = RunChild("open", large);
        const ChildResult b = RunChild("open", one);
        const ChildResult c = RunChild("load", longGame);
        if (a.Rows <= 0 || b.Rows != 1 || c.Rows != 1) {
            std::printf("bench_qt_open: a window run failed\n");
            return 1;
        }
        rows = a.Rows;
        addedMs.push_back(a.OpenMs - b.OpenMs);
        addedCpuMs.push_back(a.OpenCpuMs - b.OpenCpuMs);
        addedMb.push_back(static_cast<double>(a.PeakKb - b.PeakKb) / 1024.0);
        loadMs.push_back(c.LoadMs);
        loadCpuMs.push_back(c.LoadCpuMs);
        storeCpuMs.push_back(c.StoreCpuMs);
    }
    std::printf("open %d games: +%.0f ms (+%.0f ms CPU) and +%.1f MB peak over one game (median "
                "of %d)\n",
                rows, Median(addedMs), Median(addedCpuMs), Median(addedMb), Rounds);
    std::printf("load a 400-move annotated game with display: %.1f ms (%.1f ms CPU), of which "
                "reading, the move list and the line shown %.2f ms CPU (medians)\n",
                Median(loadMs), Median(loadCpuMs), Median(storeCpuMs));
    return 0;
}
