#include "database/ByteSource.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

std::int64_t FileByteSource::ReadAt(std::uint64_t offset, char* destination, std::size_t size) const
{
    if (descriptor_ < 0) return -1;
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pread(descriptor_, destination + done, size - done,
                                  static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR) continue;
            return done ? static_cast<std::int64_t>(done) : -1;
        }
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    return static_cast<std::int64_t>(done);
}

std::int64_t MemoryByteSource::ReadAt(std::uint64_t offset, char* destination,
                                      std::size_t size) const
{
    if (offset >= bytes_.size()) return 0;
    const std::size_t n = std::min<std::size_t>(size, bytes_.size() - offset);
    std::memcpy(destination, bytes_.data() + offset, n);
    return static_cast<std::int64_t>(n);
}
