#include "database/DatabaseFile.h"

#include "database/GameLoader.h"

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int DatabaseFileHandle = -1;
std::string DatabaseFileName;

namespace {

// The open file as it was when it was indexed.
std::optional<FileStamp> IndexedStamp;

std::int64_t Nanoseconds(const timespec& time)
{
    return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

FileStamp StampOf(const struct stat& info)
{
    return FileStamp{info.st_dev, info.st_ino, info.st_size, Nanoseconds(info.st_mtim),
                     Nanoseconds(info.st_ctim)};
}

void CloseHandle()
{
    if (DatabaseFileHandle >= 0) ::close(DatabaseFileHandle);
    DatabaseFileHandle = -1;
    IndexedStamp.reset();
}

// Opens path for reading when it is a regular file; -1 otherwise. A
// directory or a device (/dev/zero, read forever) is no database, and a pipe
// must not block the open.
int OpenRegularFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

} // namespace

OpenStatus OpenDatabaseFile(const std::string& path)
{
    if (ListLoading) return OpenStatus::Busy;
    // The database open so far stays open (and its list usable) unless the
    // new file opens.
    const int handle = OpenRegularFile(path);
    if (handle < 0) return OpenStatus::CantOpen;
    CloseHandle();
    DatabaseFileName = path;
    DatabaseFileHandle = handle;
    ForgetCurrentGame();
    return OpenStatus::Opened;
}

bool CloseDatabaseFile()
{
    if (ListLoading) return false;
    CloseHandle();
    DatabaseFileName.clear();
    ForgetCurrentGame();
    return true;
}

std::optional<IndexResult> IndexOpenDatabase(const IndexOptions& options)
{
    if (DatabaseFileHandle < 0) return std::nullopt;
    ListLoadingGuard guard;
    if (!guard.Acquired()) return std::nullopt;
    struct stat info {};
    IndexedStamp.reset();
    if (::fstat(DatabaseFileHandle, &info) == 0) IndexedStamp = StampOf(info);
    return IndexPgn(FileByteSource(DatabaseFileHandle), options);
}

std::optional<FileStamp> StampOfFile(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return StampOf(info);
}

std::optional<FileStamp> IndexedDatabaseStamp()
{
    return DatabaseFileHandle < 0 ? std::nullopt : IndexedStamp;
}

bool DatabaseChangedSinceIndexed()
{
    if (DatabaseFileHandle < 0 || !IndexedStamp) return false;
    // While the name names the same file, its stamp is that of the file held
    // open; a file put in its place has another one.
    return StampOfFile(DatabaseFileName) != IndexedStamp;
}

void PushRecentFile(std::array<std::string, RecentFileCount>& recent, const std::string& name)
{
    if (name.empty() || std::find(recent.begin(), recent.end(), name) != recent.end()) return;
    std::move_backward(recent.begin(), recent.end() - 1, recent.end());
    recent[0] = name;
}

std::string DatabaseCaption(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return "Velmora Chess - " + (slash == std::string::npos ? path : path.substr(slash + 1));
}

std::string DatabaseCaption(const std::string& path, std::int32_t gameCount)
{
    return DatabaseCaption(path) + " [" + std::to_string(gameCount) + "]";
}
