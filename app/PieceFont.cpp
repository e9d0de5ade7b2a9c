#include "app/PieceFont.h"

#include "platform/Fonts.h"

QFont CreatePieceFont(int cellHeight)
{
    LogFont lf;
    lf.lfHeight = cellHeight;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    lf.lfQuality = ANTIALIASED_QUALITY;
    lf.lfFaceName = QStringLiteral("Kavdiag");
    return CreateFontIndirect(lf);
}
