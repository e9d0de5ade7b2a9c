#include "app/ColorHelpers.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

struct ColorCase {
    const char* name;
    std::uint32_t in;
    std::uint32_t out;
};

TEST(ColorHelpers, ColorToPixelSwapsRedAndBlueAndClearsTheTopByte)
{
    const ColorCase cases[] = {
        {"red", 0x0000FF, 0xFF0000},   {"blue", 0xFF0000, 0x0000FF},
        {"mixed", 0x064053, 0x534006}, {"top byte dropped", 0xFF123456, 0x563412},
        {"black", 0x000000, 0x000000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ColorToPixel(c.in), c.out);
    }
}

TEST(ColorHelpers, LuminanceTruncatesAndLosesOneOnGreys)
{
    const struct {
        const char* name;
        std::uint32_t color;
        int luminance;
    } cases[] = {
        {"white", 0xFFFFFF, 254},      {"dark grey", 0x404040, 63}, {"red 0xE1", 0x0000E1, 67},
        {"light red", 0x6666FF, 147},  {"black", 0x000000, 0},      {"grey 1", 0x010101, 0},
        {"pure green", 0x00FF00, 150}, {"pure blue", 0xFF0000, 28},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ColorLuminance(c.color), c.luminance);
    }
}

TEST(ColorHelpers, AdjustClampsEachByteAndKeepsTheTopByte)
{
    const struct {
        const char* name;
        std::uint32_t color;
        int delta;
        std::uint32_t out;
    } cases[] = {
        {"light contrast on king inner", 0x6666FF, 61, 0xA3A3FF},
        {"back of the red king", 0x0000E1, 60, 0x3C3CFF},
        {"clamp at zero", 0x102030, -0x25, 0x00000B},
        {"top byte kept", 0x7F000010, 16, 0x7F101020},
        {"no change", 0x123456, 0, 0x123456},
        {"all saturate", 0xF0F0F0, 300, 0xFFFFFF},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(AdjustColor(c.color, c.delta), c.out);
    }
}

TEST(ColorHelpers, ContrastColorGivesWhiteForDarkAndGreyContours)
{
    const ColorCase cases[] = {
        {"near black", 0x090909, 0xFFFFFF},      {"grey", 0x808080, 0xFFFFFF},
        {"default contour", 0x064053, 0xD6FFFF}, {"sum 63 not grey", 0x00201F, 0xFFFFFF},
        {"sum 64 not grey", 0x002020, 0xD0F0F0}, {"white", 0xFFFFFF, 0xFFFFFF},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ContrastColor(c.in), c.out);
    }
}

} // namespace
