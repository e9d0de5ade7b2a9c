#include "tests/app/board/BoardTestSupport.h"

#include "app/BoardView.h"
#include "app/OptionValues.h"
#include "platform/Fonts.h"
#include "platform/Types.h"
#include "tests/support/TestApp.h"

bool RegisterBoardFont();

namespace {

// The board's static images and the font handles go before the application.
[[maybe_unused]] const bool StaticsReleased = (AtTestAppEnd([] {
                                                   for (QImage& image : PieceBitmaps)
                                                       image = QImage();
                                                   BoardBitmap = QImage();
                                                   DragBitmap = QImage();
                                                   EmbeddedFontHandles.Release();
                                               }),
                                               true);

} // namespace

bool EnsureBoardApp()
{
    TestApp();
    return RegisterBoardFont();
}

const char* SchemeName(Scheme scheme)
{
    switch (scheme) {
    case Scheme::Traditional:
        return "traditional";
    case Scheme::Velmora:
        return "velmora";
    case Scheme::Reversed:
        return "reversed";
    case Scheme::ColorChess:
        return "colorchess";
    }
    return "?";
}

const char* StyleName(Style style)
{
    switch (style) {
    case Style::Modern:
        return "modern";
    case Style::Classic:
        return "classic";
    case Style::Blindfold:
        return "blindfold";
    }
    return "?";
}

void ApplyScheme(Scheme scheme)
{
    switch (scheme) {
    case Scheme::Traditional:
        PieceSet = {0, 1};
        ColoredPieces = 0;
        GenericGlyphMode = 0;
        break;
    case Scheme::Velmora:
        PieceSet = {0, 1};
        ColoredPieces = 1;
        GenericGlyphMode = 0;
        break;
    case Scheme::Reversed:
        PieceSet = {1, 0};
        ColoredPieces = 0;
        GenericGlyphMode = 0;
        break;
    case Scheme::ColorChess:
        ColoredPieces = 1;
        GenericGlyphMode = 1;
        break;
    }
}

void ApplyStyle(Style style)
{
    for (int g = 1; g <= 12; ++g) {
        const char modern = DefaultGlyphChars[g - 1];
        GlyphChars[g] = style == Style::Modern    ? modern
                        : style == Style::Classic ? static_cast<char>(modern - 0x20)
                                                  : ' ';
    }
}

std::uint32_t ColorAt(const QImage& image, int x, int y)
{
    return ColorOfPixel(image.pixel(x, y));
}

int CountColor(const QImage& image, std::uint32_t color)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += ColorAt(image, x, y) == color;
    return n;
}

OptionsGuard::~OptionsGuard()
{
    RestoreFirstRunOptions();
}
