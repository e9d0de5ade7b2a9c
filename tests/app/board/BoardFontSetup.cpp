// Font registration lives in its own file: the font and canvas headers of
// the platform layer cannot share one translation unit.
#include "platform/Fonts.h"

bool RegisterBoardFont()
{
    static EmbeddedFontHandle handle;
    static const bool loaded = LoadEmbeddedFont("Kavdiag", handle, KavdiagFontId);
    return loaded;
}
