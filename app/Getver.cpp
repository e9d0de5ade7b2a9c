#include "app/Getver.h"

#include <algorithm>
#include <array>

namespace Getver {

namespace {

#ifdef VELMORA_VERSION
constexpr std::string_view BuildVersion = VELMORA_VERSION;
#else
constexpr std::string_view BuildVersion = "";
#endif

} // namespace

std::string FormatVersion(const FileVersion& version)
{
    return std::to_string(version.MS >> 16) + '.' + std::to_string(version.MS & 0xFFFF) + '.' +
           std::to_string(version.LS >> 16) + '.' + std::to_string(version.LS & 0xFFFF);
}

FileVersion ParseVersion(std::string_view text)
{
    std::array<std::uint32_t, 4> parts{};
    std::size_t part = 0;
    for (const char c : text) {
        if (c == '.') {
            if (++part == parts.size()) break;
        } else if (c >= '0' && c <= '9') {
            parts[part] = std::min<std::uint32_t>(parts[part] * 10 + (c - '0'), 0xFFFF);
        } else {
            break;
        }
    }
    return {parts[0] << 16 | parts[1], parts[2] << 16 | parts[3]};
}

std::string GetV()
{
    return FormatVersion(ParseVersion(BuildVersion));
}

} // namespace Getver
