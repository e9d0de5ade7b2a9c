// pgn-extract (Debian package pgn-extract) as the yardstick of the parse
// benchmarks: it reads a PGN file and plays and checks every move of every
// game. Run as `pgn-extract -r -s --nestedcomments FILE`: -r reports errors
// and writes no games, -s drops the per-game lines, --nestedcomments reads
// "{ {nested} }" comments as the program does; its output goes to /dev/null.
#pragma once

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <spawn.h>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace pgn_extract {

// Its path: on PATH or where Debian puts it; empty when it is not installed.
inline std::string Find()
{
    std::vector<std::string> dirs;
    if (const char* path = std::getenv("PATH")) {
        std::string_view rest(path);
        while (!rest.empty()) {
            const std::size_t colon = rest.find(':');
            dirs.emplace_back(rest.substr(0, colon));
            rest = colon == std::string_view::npos ? std::string_view{} : rest.substr(colon + 1);
        }
    }
    dirs.emplace_back("/usr/games");
    for (const std::string& dir : dirs) {
        const std::filesystem::path exe = std::filesystem::path(dir) / "pgn-extract";
        if (::access(exe.c_str(), X_OK) == 0) return exe.string();
    }
    return {};
}

// The CPU seconds (user + system) of one run on file, nullopt when it did
// not run or failed.
inline std::optional<double> CpuSeconds(const std::string& exe, const std::string& file)
{
    std::vector<std::string> args = {exe, "-r", "-s", "--nestedcomments", file};
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return std::nullopt;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

} // namespace pgn_extract
