// Where the database indexer and the game loader read PGN bytes from: an
// open file or, in tests and benchmarks, text in memory. Reads are
// positional, so that the indexer and the loader never share a file
// position.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Copies up to size bytes from offset into destination; fewer only at the
    // end of the data. Returns the count, or -1 when the read failed.
    virtual std::int64_t ReadAt(std::uint64_t offset, char* destination,
                                std::size_t size) const = 0;
};

// A file descriptor that the caller keeps open.
class FileByteSource : public ByteSource {
public:
    explicit FileByteSource(int descriptor) : descriptor_(descriptor) {}
    std::int64_t ReadAt(std::uint64_t offset, char* destination, std::size_t size) const override;

private:
    int descriptor_;
};

// Bytes in memory, which must outlive the source.
class MemoryByteSource : public ByteSource {
public:
    explicit MemoryByteSource(std::string_view bytes) : bytes_(bytes) {}
    std::int64_t ReadAt(std::uint64_t offset, char* destination, std::size_t size) const override;

private:
    std::string_view bytes_;
};
