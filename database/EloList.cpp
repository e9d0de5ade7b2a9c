#include "database/EloList.h"

#include "database/GameIndex.h"

#include <algorithm>
#include <fcntl.h>
#include <unistd.h>

namespace {

// A list has a million lines or more: records are cut out of large reads
// rather than read one by one.
constexpr std::size_t ReadChunk = std::size_t{1} << 20;
// A read of this many bytes or fewer holds no player.
constexpr std::size_t MinRecordBytes = 4;

class RecordReader {
public:
    explicit RecordReader(const ByteSource& source) : source_(source) {}

    // Up to size bytes at offset; fewer only at the end of the data.
    std::string_view Read(std::uint64_t offset, std::size_t size)
    {
        if (offset < start_ || offset + size > start_ + buffer_.size()) {
            if (!Fill(offset, std::max(size, ReadChunk))) return {};
        }
        const auto at = static_cast<std::size_t>(offset - start_);
        return std::string_view(buffer_).substr(at, size);
    }

    // The offset just after the first LF at or after offset; the end of the
    // data when there is none. The bytes already read are searched first, so
    // that a line longer than the header costs no new read.
    std::uint64_t AfterNextLf(std::uint64_t offset)
    {
        for (;;) {
            if (offset < start_ || offset >= start_ + buffer_.size()) {
                if (!Fill(offset, ReadChunk)) return offset;
            }
            const std::string_view bytes =
                std::string_view(buffer_).substr(static_cast<std::size_t>(offset - start_));
            const std::size_t lf = bytes.find('\n');
            if (lf != std::string_view::npos) return offset + lf + 1;
            offset += bytes.size();
            if (endsData_) return offset;
        }
    }

private:
    bool Fill(std::uint64_t offset, std::size_t size)
    {
        buffer_.resize(size);
        const std::int64_t n = source_.ReadAt(offset, buffer_.data(), size);
        buffer_.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
        start_ = offset;
        endsData_ = buffer_.size() < size;
        return n > 0;
    }

    const ByteSource& source_;
    std::string buffer_;
    std::uint64_t start_ = 0;
    bool endsData_ = false; // the buffer holds the last byte of the data
};

bool AllBlank(std::string_view line)
{
    return std::all_of(line.begin(), line.end(),
                       [](char c) { return static_cast<unsigned char>(c) <= 0x20; });
}

void FillFields(std::string_view line, const EloLayout& layout, std::vector<std::string>& fields)
{
    fields.resize(layout.Columns.size());
    for (std::size_t i = 0; i < layout.Columns.size(); ++i) {
        const EloColumn& c = layout.Columns[i];
        fields[i] = static_cast<int>(i) == layout.BirthColumn
                        ? EloBirthDate(line, c.DataStart)
                        : CleanEloText(line, c.DataStart, c.DataEnd, false);
    }
}

} // namespace

EloLoadResult LoadEloList(const ByteSource& source, const EloLoadHooks& hooks)
{
    ListLoadingGuard guard;
    if (!guard.Acquired()) return {EloLoadStatus::Busy, 0};

    RecordReader reader(source);
    const std::string head(reader.Read(0, EloHeaderBytes));
    if (hooks.Pump) hooks.Pump(0);
    const std::optional<EloLayout> layout = ReadEloLayout(head);
    if (!layout) return {EloLoadStatus::NotEloList, 0};
    if (hooks.OnLayout) hooks.OnLayout(*layout);

    const std::size_t length = layout->RecordLength;
    std::uint64_t offset = length;
    std::vector<std::string> fields;
    int row = 1;
    for (;;) {
        const std::string_view record = reader.Read(offset, length);
        if (record.size() <= MinRecordBytes) break;
        const std::string_view line = record.substr(0, record.find_first_of("\r\n"));
        const bool blank = AllBlank(line);
        if (!blank) FillFields(line, *layout, fields);
        // Reading on can refill the buffer that record points into.
        const std::size_t lf = record.find('\n');
        if (lf != std::string_view::npos)
            offset += lf + 1;
        else if (record.size() < length)
            offset += record.size(); // the last line, without a line end
        else
            offset = reader.AfterNextLf(offset + length); // a line longer than the header
        if (blank) continue;
        if (hooks.OnRow) hooks.OnRow(row, fields);
        ++row;
        if (row % EloPumpInterval == 0 && hooks.Pump) hooks.Pump(row);
    }
    return {EloLoadStatus::Loaded, row};
}

EloListFile::EloListFile(const std::string& path)
    : descriptor_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)), source_(descriptor_)
{
}

EloListFile::~EloListFile()
{
    if (descriptor_ >= 0) ::close(descriptor_);
}

EloListRows ReadEloListRows(const ByteSource& source)
{
    EloListRows list;
    EloLoadHooks hooks;
    hooks.OnLayout = [&](const EloLayout& layout) { list.Layout = layout; };
    hooks.OnRow = [&](int, std::vector<std::string>& fields) { list.Rows.push_back(fields); };
    list.Status = LoadEloList(source, hooks).Status;
    return list;
}
