// Shared set-up of the board tests: a GUI application with the board font,
// the four colour schemes and three piece styles, and pixel helpers.
#pragma once

#include <QImage>

#include <cstdint>
#include <ostream>
#include <string>

// Creates the application and registers "Kavdiag" once; false when the font
// could not be registered.
bool EnsureBoardApp();

enum class Scheme { Traditional, Velmora, Reversed, ColorChess };
enum class Style { Modern, Classic, Blindfold };

const char* SchemeName(Scheme scheme);
const char* StyleName(Style style);
// A scheme by its name in test output.
inline void PrintTo(Scheme scheme, std::ostream* os)
{
    *os << SchemeName(scheme);
}

// Sets the scheme values as the View menu's commands do.
void ApplyScheme(Scheme scheme);
void ApplyStyle(Style style);

// Pixel colour as 0x00BBGGRR.
std::uint32_t ColorAt(const QImage& image, int x, int y);
// Number of pixels of exactly that colour.
int CountColor(const QImage& image, std::uint32_t color);

// Restores the first-run options when a test ends.
struct OptionsGuard {
    OptionsGuard() = default;
    ~OptionsGuard();
    OptionsGuard(const OptionsGuard&) = delete;
    OptionsGuard& operator=(const OptionsGuard&) = delete;
};
