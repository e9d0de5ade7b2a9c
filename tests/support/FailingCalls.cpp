#include "tests/support/FailingCalls.h"

#include <cerrno>
#include <sys/syscall.h>
#include <unistd.h>
#include <utility>

namespace {
int NextFsyncError = 0;
int NextTruncateError = 0;
} // namespace

void FailNextFsync(int error)
{
    NextFsyncError = error;
}

void FailNextTruncate(int error)
{
    NextTruncateError = error;
}

extern "C" int fsync(int fd)
{
    if ((errno = std::exchange(NextFsyncError, 0)) != 0) return -1;
    return static_cast<int>(syscall(SYS_fsync, fd));
}

// QFile::resize calls this one.
extern "C" int ftruncate64(int fd, off64_t length) noexcept
{
    if ((errno = std::exchange(NextTruncateError, 0)) != 0) return -1;
    return static_cast<int>(syscall(SYS_ftruncate, fd, length));
}
