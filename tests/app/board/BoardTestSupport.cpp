#include "tests/app/board/BoardTestSupport.h"

#include "app/OptionValues.h"
#include "platform/Types.h"

#include <QGuiApplication>

#include <memory>

bool RegisterBoardFont();

bool EnsureBoardApp() {
    static int argc = 1;
    static char name[] = "board_tests";
    static char* argv[] = {name, nullptr};
    static const auto app =
        QGuiApplication::instance() ? nullptr : std::make_unique<QGuiApplication>(argc, argv);
    return RegisterBoardFont();
}

const char* SchemeName(Scheme scheme) {
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

const char* StyleName(Style style) {
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

void ApplyScheme(Scheme scheme) {
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

void ApplyStyle(Style style) {
    for (int g = 1; g <= 12; ++g) {
        const char modern = DefaultGlyphChars[g - 1];
        GlyphChars[g] = style == Style::Modern    ? modern
                        : style == Style::Classic ? static_cast<char>(modern - 0x20)
                                                  : ' ';
    }
}

std::uint32_t ColorAt(const QImage& image, int x, int y) {
    return ColorOfPixel(image.pixel(x, y));
}

int CountColor(const QImage& image, std::uint32_t color) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += ColorAt(image, x, y) == color;
    return n;
}

OptionsGuard::~OptionsGuard() {
    RestoreFirstRunOptions();
}
