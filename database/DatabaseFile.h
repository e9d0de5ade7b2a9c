// The open PGN database file and the steps of opening one that do not need
// a window: open, close, index, the recent-file list and the caption.
#pragma once

#include "database/GameIndex.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// Descriptor of the open PGN file, -1 when none.
extern int DatabaseFileHandle;
// Path of the open PGN file, "" when none.
extern std::string DatabaseFileName;

enum class OpenStatus : std::uint8_t {
    Opened,
    Busy,     // ListLoading is set: nothing changed
    CantOpen, // not a regular file, or it could not be opened: the open one stays open
};

// Opens path for reading in place of the open file; only a regular file
// opens (not a directory or a device). On success the game shown no longer
// belongs to the list (CurrentGameRow -1). On failure the database open so
// far stays open with its list (the caller shows "Can't open PGN file!").
OpenStatus OpenDatabaseFile(const std::string& path);

// Closes the open file, if any, and forgets the game's row. Refused (false)
// while ListLoading is set.
bool CloseDatabaseFile();

// Indexes the open file under ListLoading; nullopt while ListLoading is set
// already or when no file is open. The file's size and time are noted
// first, so that a change while or after it is indexed is seen.
std::optional<IndexResult> IndexOpenDatabase(const IndexOptions& options = {});

// What tells one state of a file from another: which file it is, its size,
// the time of its last write and the time of its last change. A rewrite
// whose write time was put back still moves the change time.
struct FileStamp {
    std::uint64_t Device = 0;
    std::uint64_t Inode = 0;
    std::int64_t Size = 0;
    std::int64_t Modified = 0; // nanoseconds since the epoch
    std::int64_t Changed = 0;
    bool operator==(const FileStamp&) const = default;
};

// The stamp of the file path names now; nullopt when there is none.
std::optional<FileStamp> StampOfFile(const std::string& path);

// The stamp of the open file as it was when it was indexed; nullopt when no
// file is open or it could not be read.
std::optional<FileStamp> IndexedDatabaseStamp();

// True when the open file was changed on disk since it was indexed: its
// stamp differs, or its name no longer names it (deleted or replaced).
// The offsets of the index then name other bytes: no game may be loaded.
bool DatabaseChangedSinceIndexed();
// The message for a load refused so.
inline constexpr const char* DatabaseChangedText = "The database has changed since it was opened.";

// The recent-file captions before a database is replaced: a name not in the
// list enters it at the top, the others move down and the fifth is dropped;
// a name already listed, and "", change nothing.
constexpr int RecentFileCount = 5;
void PushRecentFile(std::array<std::string, RecentFileCount>& recent, const std::string& name);

// "Velmora Chess - <file name without its directory>".
std::string DatabaseCaption(const std::string& path);
// The caption once the list is complete: ... + " [<game count>]".
std::string DatabaseCaption(const std::string& path, std::int32_t gameCount);
