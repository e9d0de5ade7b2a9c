#include "app/ColorHelpers.h"

#include <algorithm>

namespace {

int ByteOf(std::uint32_t color, int index)
{
    return static_cast<int>((color >> (8 * index)) & 0xFF);
}

} // namespace

std::uint32_t ColorToPixel(std::uint32_t color)
{
    return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

int ColorLuminance(std::uint32_t color)
{
    // Extended precision with the double weights, as the board colours were tuned.
    const long double l = ByteOf(color, 0) * static_cast<long double>(0.3) +
                          ByteOf(color, 1) * static_cast<long double>(0.59) +
                          ByteOf(color, 2) * static_cast<long double>(0.11);
    return static_cast<int>(l);
}

std::uint32_t AdjustColor(std::uint32_t color, int delta)
{
    std::uint32_t out = color & 0xFF000000u;
    for (int i = 0; i < 3; ++i)
        out |= static_cast<std::uint32_t>(std::clamp(ByteOf(color, i) + delta, 0, 255)) << (8 * i);
    return out;
}

std::uint32_t ContrastColor(std::uint32_t color)
{
    const int r = ByteOf(color, 0);
    const int g = ByteOf(color, 1);
    const int b = ByteOf(color, 2);
    if (r + g + b < 64 || (r == g && g == b)) return 0xFFFFFF;
    return AdjustColor(color, 208);
}
