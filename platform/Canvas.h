// The framework's drawing surface (TCanvas) with its persistent font, brush and
// pen, over QPainter.
//
// A canvas paints into whatever device it is begun on (a widget's viewport during
// its paint event, or a QImage), and measures text at any time: TextWidth and
// TextHeight use the canvas font's metrics and need no active painter.
// Semantics kept from the framework:
//  - rectangles are TRect with exclusive Right/Bottom;
//  - LineTo leaves out its end point; Rectangle fills [Left,Right)x[Top,Bottom)
//    with the brush and draws the pen inside that area;
//  - TextOut and TextRect take the top-left of the text, and paint the text
//    background with the brush (opaque) unless the brush is clear;
//  - Draw with a transparent colour (BrushCopy) leaves that colour's pixels out.
// FloodFill works on a QImage (4-connected), since the board drawing fills
// its own bitmaps. Font sizes: TFont keeps a pixel size; Size is in points at
// the fixed screen resolution ScreenPixelsPerInch (96).
#pragma once

#include "platform/Types.h"

#include <QFont>
#include <QImage>
#include <QString>

#include <memory>

class QPainter;
class QPaintDevice;

inline constexpr int ScreenPixelsPerInch = 96;

enum class TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;

inline constexpr int ANSI_CHARSET = 0;
inline constexpr int DEFAULT_CHARSET = 1;
inline constexpr int EASTEUROPE_CHARSET = 238;

class TFont {
public:
    TFont();

    QString Name() const { return font_.family(); }
    void SetName(const QString& name) { font_.setFamily(name); }
    // Negative: character height in pixels; positive: cell height (ascent+descent).
    int Height() const { return -font_.pixelSize(); }
    void SetHeight(int height);
    // Points at ScreenPixelsPerInch.
    int Size() const;
    void SetSize(int points);
    TFontStyles Style() const;
    void SetStyle(TFontStyles style);

    TColor Color = clWindowText;
    int Charset = DEFAULT_CHARSET;

    void Assign(const TFont& other) { *this = other; }
    const QFont& QtFont() const { return font_; }
    void SetQtFont(const QFont& f) { font_ = f; }

private:
    QFont font_;
};

enum class TBrushStyle { bsSolid, bsClear };

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = TBrushStyle::bsSolid;
};

struct TPen {
    TColor Color = clBlack;
    int Width = 1;
};

enum class TFillStyle { fsSurface, fsBorder };

class TCanvas {
public:
    TCanvas();
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // Paints on an external painter (not owned) until End.
    void Begin(QPainter* painter);
    // Opens an own painter on a device (an image, a pixmap) until End.
    void Begin(QPaintDevice* device);
    void End();
    bool Active() const { return painter_ != nullptr; }
    QPainter* Painter() const { return painter_; }

    TFont Font;
    TBrush Brush;
    TPen Pen;

    void MoveTo(int x, int y) { penPos_ = {x, y}; }
    void LineTo(int x, int y);
    TPoint PenPos() const { return penPos_; }
    void FillRect(const TRect& r);
    void Rectangle(const TRect& r);
    void Rectangle(int x1, int y1, int x2, int y2) { Rectangle(TRect{x1, y1, x2, y2}); }
    void TextOut(int x, int y, const QString& text);
    // Fills r with the brush and draws text with its top-left at (x, y), clipped to r.
    void TextRect(const TRect& r, int x, int y, const QString& text);
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;
    void Draw(int x, int y, const QImage& image);
    // Draws the area src of image at dest, leaving pixels of colour
    // transparent out (the brush shows through where dest was filled before).
    void BrushCopy(const TRect& dest, const QImage& image, const TRect& src, TColor transparent);

private:
    void ApplyPen();
    QPainter* painter_ = nullptr;
    std::unique_ptr<QPainter> own_;
    TPoint penPos_;
};

// Flood fill of an image, 4-connected from (x, y), with colour `fill`:
// fsSurface fills the area of pixels that have colour `match`, fsBorder fills up
// to pixels of colour `match`. Returns the number of pixels filled.
int FloodFill(QImage& image, int x, int y, TColor match, TColor fill, TFillStyle style);

// An image with every pixel of colour key made transparent (ARGB32).
QImage TransparentCopy(const QImage& image, TColor key);
