// Stand-in for the Windows font services the program calls: fonts added from
// memory (AddFontMemResourceEx / RemoveFontMemResourceEx), the font-family
// test (EnumFontFamiliesExA) and fonts made from a LOGFONT (CreateFontIndirectA).
//
// The four embedded font families are built at build time (resources/fonts)
// and live in the Qt resource system under :/fonts; a program that uses them
// links the library velmora_fonts. Their families and resource ids:
//   101 "Kavdiag"             :/fonts/Kavdiag.ttf            board pieces
//   102 "VelmoraChess Swiss"  :/fonts/VelmoraChessSwiss.ttf  notation text
//   103 "VelmoraChess Times"  :/fonts/VelmoraChessTimes.ttf  notation text
//   104 "Velmora Diagram"     :/fonts/VelmoraDiagram.ttf     board diagrams
// The two text families also have a real bold face (…-Bold.ttf), added with
// the regular one, so that bold text prints as bold: a printer gets no
// synthetic bold.
// All have ascent + descent = one em and no line gap, so a LOGFONT cell
// height equals the pixel size and a text cell's baseline is top + ascent.
//
// Left out: the device context argument of the family test (Qt's font
// database is per application), lfWidth, lfEscapement, lfOrientation and the
// character-set field (Qt picks glyphs by Unicode).
#pragma once

#include "platform/Canvas.h" // the character-set values

#include <QFont>
#include <QString>

#include <array>
#include <cstddef>
#include <vector>

// One embedded font resource: the regular face and, if any, the bold face.
struct EmbeddedFontResource {
    int Id;
    const char* Family;
    const char* Path;
    const char* BoldPath = nullptr;
};

inline constexpr int KavdiagFontId = 101;
inline constexpr int SwissFontId = 102;
inline constexpr int TimesFontId = 103;
inline constexpr int DiagramFontId = 104;

// The sans serif notation font: also the text font of the game list, and of
// every view that shows names as the list does.
inline constexpr char SwissFamily[] = "VelmoraChess Swiss";

inline constexpr std::array<EmbeddedFontResource, 4> EmbeddedFontResources{{
    {KavdiagFontId, "Kavdiag", ":/fonts/Kavdiag.ttf"},
    {SwissFontId, SwissFamily, ":/fonts/VelmoraChessSwiss.ttf",
     ":/fonts/VelmoraChessSwiss-Bold.ttf"},
    {TimesFontId, "VelmoraChess Times", ":/fonts/VelmoraChessTimes.ttf",
     ":/fonts/VelmoraChessTimes-Bold.ttf"},
    {DiagramFontId, "Velmora Diagram", ":/fonts/VelmoraDiagram.ttf"},
}};

// Resource path of a font resource id; empty for an unknown id.
QString EmbeddedFontPath(int resourceId);

// The faces of one font family added to the application from memory. Null
// (IsNull) when nothing was added. Removes its faces when reset or destroyed;
// move-only.
class EmbeddedFontHandle {
public:
    EmbeddedFontHandle() = default;
    explicit EmbeddedFontHandle(int fontId) { Adopt(fontId); }
    ~EmbeddedFontHandle() { Reset(); }

    EmbeddedFontHandle(EmbeddedFontHandle&& other) noexcept : ids_(std::move(other.ids_))
    {
        other.ids_.clear();
    }
    EmbeddedFontHandle& operator=(EmbeddedFontHandle&& other) noexcept;
    EmbeddedFontHandle(const EmbeddedFontHandle&) = delete;
    EmbeddedFontHandle& operator=(const EmbeddedFontHandle&) = delete;

    bool IsNull() const { return ids_.empty(); }
    // The QFontDatabase application-font id of the first face, -1 when null.
    int Id() const { return ids_.empty() ? -1 : ids_.front(); }
    // Takes ownership of one more added face; a negative id is ignored.
    void Adopt(int fontId);
    // Removes the faces from the application (RemoveFontMemResourceEx).
    void Reset();

private:
    std::vector<int> ids_;
};

// The handles of the embedded fonts, one per resource 101 to 104 in that
// order; each null where the family was already installed or adding it failed.
// Every added font is removed when the list is destroyed or Release is called.
class EmbeddedFontHandleList {
public:
    static constexpr std::size_t Count = EmbeddedFontResources.size();

    EmbeddedFontHandle& operator[](std::size_t index) { return handles_.at(index); }
    const EmbeddedFontHandle& operator[](std::size_t index) const { return handles_.at(index); }
    // Removes every added font; the handles become null.
    void Release();

private:
    std::array<EmbeddedFontHandle, Count> handles_;
};

// The program's embedded fonts: loaded by the main window's constructor,
// released when it closes (or at the latest when the program ends).
extern EmbeddedFontHandleList EmbeddedFontHandles;

// True when a font family of that name (compared case-insensitively) is
// available to the application, installed or added.
bool FontFamilyInstalled(const QString& faceName);

// Makes the family faceName available from the embedded font resourceId.
// An installed family counts as success and adds nothing (handle stays null).
// Otherwise the resource's faces (regular and bold) are added; true only when
// every one of them worked and provides faceName, handle then owning them.
bool LoadEmbeddedFont(const QString& faceName, EmbeddedFontHandle& handle, int resourceId);

// The plain text family of a notation font (our two text fonts and the
// figurine fonts that fall back to them): the family it takes its letters
// from, which draws the characters at the font's glyph twins as text (see
// GameText.h). Empty for every other family.
QString PlainTextFamily(const QString& family);

// The font to draw text in: font itself, or the same font in its plain text
// family where font is a notation font and text holds a character at a glyph
// twin (a file's text: the program's own glyphs never sit there).
QFont FontForText(const QFont& font, QStringView text);

// LOGFONT fields and values the program uses.
inline constexpr int FW_DONTCARE = 0;
inline constexpr int FW_NORMAL = 400;
inline constexpr int FW_BOLD = 700;
inline constexpr int OUT_TT_ONLY_PRECIS = 7;
inline constexpr int NONANTIALIASED_QUALITY = 3;
inline constexpr int ANTIALIASED_QUALITY = 4;

struct LogFont {
    // > 0: cell height (ascent + descent) in pixels; < 0: character height
    // (em) in pixels; 0: the default size.
    int lfHeight = 0;
    int lfWeight = FW_DONTCARE;
    bool lfItalic = false;
    bool lfUnderline = false;
    bool lfStrikeOut = false;
    int lfCharSet = DEFAULT_CHARSET;
    int lfOutPrecision = 0;
    int lfQuality = 0;
    QString lfFaceName;
};

// The QFont a LOGFONT describes (CreateFontIndirectA). OUT_TT_ONLY_PRECIS asks
// for the face's own outlines: no glyphs merged in from other fonts and no
// hinting, so that every pixel is repeatable.
QFont CreateFontIndirect(const LogFont& logFont);

// Pixel size whose cell height (ascent + descent) is cellHeight for font's
// family; for the embedded fonts this is cellHeight itself.
int PixelSizeForCellHeight(const QFont& font, int cellHeight);
