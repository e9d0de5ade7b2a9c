// Malformed and extreme PGN files, each opened, indexed and every game
// loaded as the program does: nothing may crash, overrun or stall, and the
// work done stays proportional to the file.
#include "MalformedCorpus.h"
#include "FuzzEntries.h"

#include "database/DatabaseFile.h"
#include "database/GameLoader.h"
#include "database/ScanSteps.h"
#include "rules/Board.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <unistd.h>

namespace {

class TempFolder {
public:
    TempFolder()
    {
        char name[] = "/tmp/velmora-malformed-XXXXXX";
        if (::mkdtemp(name)) path_ = name;
    }
    ~TempFolder()
    {
        std::remove(File().c_str());
        ::rmdir(path_.c_str());
    }
    std::string File() const { return path_ + "/games.pgn"; }

private:
    std::string path_;
};

// Characters looked at per byte of the file, and per game listed, at most.
constexpr std::uint64_t StepsPerByte = 16;
constexpr std::uint64_t StepsPerGame = 4096;

// Opens, indexes and loads the file of bytes; "" when all went soundly and
// the index met the expectations of file.
std::string CheckFile(const std::string& path, const std::string& bytes, const MalformedFile& file,
                      const IndexOptions& options)
{
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) return "could not write the file";
    }
    if (OpenDatabaseFile(path) != OpenStatus::Opened) return "not opened";
    const std::optional<IndexResult> index = IndexOpenDatabase(options);
    if (!index) return "not indexed";
    const std::size_t games = index->Rows.size();
    if (file.Games >= 0 && games != static_cast<std::size_t>(file.Games))
        return std::to_string(games) + " games listed, " + std::to_string(file.Games) + " expected";
    if (file.LimitReached && index->LimitReached != *file.LimitReached) return "limit flag wrong";
    std::string problem = CheckRows(*index, bytes.size());
    if (!problem.empty()) return problem;
    if (PgnScanSteps > StepsPerByte * bytes.size() + StepsPerGame)
        return "indexing looked at " + std::to_string(PgnScanSteps) + " characters";

    PgnScanSteps = 0;
    const FileByteSource source(DatabaseFileHandle);
    problem = LoadGames(source, index->Rows, FuzzDepth::Full);
    if (!problem.empty()) return problem;
    if (PgnScanSteps > StepsPerByte * bytes.size() + StepsPerGame * (games + 1))
        return "loading looked at " + std::to_string(PgnScanSteps) + " characters";
    if (file.LastLine >= 0) {
        if (games == 0) return "no game to measure";
        LoadGame(static_cast<int>(games), index->Rows.back(), false, LoadToLastMove);
        if (LineLength != file.LastLine)
            return "last game has " + std::to_string(LineLength) + " plies";
    }
    return CloseDatabaseFile() ? "" : "not closed";
}

TEST(MalformedFiles, EachIsIndexedAndEveryGameLoadedSoundly)
{
    const TempFolder folder;
    const std::vector<MalformedFile> files = MalformedFiles();
    EXPECT_GE(files.size(), 50u);
    for (const MalformedFile& file : files)
        EXPECT_EQ(CheckFile(folder.File(), file.Make(), file, {}), "") << file.Name;
}

TEST(MalformedFiles, RichGamesCutAtEveryByte)
{
    const TempFolder folder;
    const std::string rich = RichGames();
    // Small windows, so that each cut is cheap; the rows do not depend on them.
    IndexOptions options;
    options.ChunkSize = 4096;
    options.ReserveRows = false;
    for (std::size_t size = 0; size <= rich.size(); ++size) {
        const MalformedFile file{"", {}, size == rich.size() ? 2 : -1};
        const std::string problem = CheckFile(folder.File(), rich.substr(0, size), file, options);
        ASSERT_EQ(problem, "") << "cut after " << size << " bytes";
    }
}

} // namespace
