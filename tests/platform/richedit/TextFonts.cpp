#include "tests/platform/richedit/TextFonts.h"

#include "platform/Fonts.h"
#include "tests/support/TestApp.h"

bool UseTextFonts()
{
    TestApp();
    static const bool loaded = [] {
        AtTestAppEnd([] { EmbeddedFontHandles.Release(); });
        bool ok = LoadEmbeddedFont("VelmoraChess Swiss", EmbeddedFontHandles[1], SwissFontId);
        ok = LoadEmbeddedFont("VelmoraChess Times", EmbeddedFontHandles[2], TimesFontId) && ok;
        return ok;
    }();
    return loaded;
}
