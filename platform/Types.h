// Basic value types of the component framework, as the program's code uses them.
//
// TColor   a colour as 0x00BBGGRR (red in the low byte). Values with the top
//          byte set name a system colour (clBtnFace ...) and are resolved against
//          the application palette by ToQColor.
// TRect    Left/Top/Right/Bottom with Right and Bottom exclusive: a rectangle
//          (0,0,10,10) covers 10 x 10 pixels.
// TPoint   X/Y.
//
// TSet<E> a set of enum class values (the framework's "set of"), e.g. TShiftState.
// TMouseButton, TShiftState, TAlignment: the mouse and text-alignment types of
//          the framework's controls; ShiftStateOf/MouseButtonOf read them from Qt.
//
// All conversion to and from Qt's types happens here (ToQColor, FromQColor,
// ToQRect, FromQRect, ToQPoint). Pixel compares should go through
// ColorOfPixel, which drops Qt's alpha byte.
#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QRgb>

#include <Qt>

#include <cstdint>
#include <functional>
#include <initializer_list>

class QObject;

using TColor = std::uint32_t;

// Plain colours.
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clNone = 0x1FFFFFFF;

// System colours: top byte 0xFF, low byte the palette entry.
inline constexpr TColor clScrollBar = 0xFF000000;
inline constexpr TColor clBackground = 0xFF000001;
inline constexpr TColor clActiveCaption = 0xFF000002;
inline constexpr TColor clWindow = 0xFF000005;
inline constexpr TColor clWindowText = 0xFF000008;
inline constexpr TColor clHighlight = 0xFF00000D;
inline constexpr TColor clHighlightText = 0xFF00000E;
inline constexpr TColor clBtnFace = 0xFF00000F;
inline constexpr TColor clBtnShadow = 0xFF000010;
inline constexpr TColor clGrayText = 0xFF000011;
inline constexpr TColor clBtnText = 0xFF000012;
inline constexpr TColor clBtnHighlight = 0xFF000014;
inline constexpr TColor cl3DDkShadow = 0xFF000015;
inline constexpr TColor cl3DLight = 0xFF000016;
inline constexpr TColor clInfoText = 0xFF000017;
inline constexpr TColor clInfoBk = 0xFF000018;

// True for the palette-dependent colours above.
constexpr bool IsSystemColor(TColor c)
{
    return (c & 0xFF000000u) == 0xFF000000u;
}

// Builds a TColor from its components, like the RGB macro.
constexpr TColor RGBColor(int r, int g, int b)
{
    return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(TColor c)
{
    return static_cast<int>(c & 0xFF);
}
constexpr int GetGValue(TColor c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int GetBValue(TColor c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}

// System colours are looked up in the application palette; clNone is transparent.
QColor ToQColor(TColor c);
// The TColor of an opaque QColor (alpha dropped).
TColor FromQColor(const QColor& c);
// The TColor of one pixel of a QImage (QImage::pixel), alpha dropped.
constexpr TColor ColorOfPixel(QRgb px)
{
    return RGBColor(static_cast<int>((px >> 16) & 0xFF), static_cast<int>((px >> 8) & 0xFF),
                    static_cast<int>(px & 0xFF));
}
// A TColor resolved to plain RGB (system colours through the palette).
TColor ColorToRGB(TColor c);

struct TPoint {
    int X = 0;
    int Y = 0;
    friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;  // exclusive
    int Bottom = 0; // exclusive

    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr bool Contains(TPoint p) const
    {
        return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom;
    }
    friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

constexpr TRect Rect(int left, int top, int right, int bottom)
{
    return {left, top, right, bottom};
}
constexpr TRect Bounds(int left, int top, int width, int height)
{
    return {left, top, left + width, top + height};
}
constexpr TPoint Point(int x, int y)
{
    return {x, y};
}

// Grows (or, with negative values, shrinks) a rectangle on every side.
constexpr void InflateRect(TRect& r, int dx, int dy)
{
    r.Left -= dx;
    r.Top -= dy;
    r.Right += dx;
    r.Bottom += dy;
}
constexpr void OffsetRect(TRect& r, int dx, int dy)
{
    r.Left += dx;
    r.Top += dy;
    r.Right += dx;
    r.Bottom += dy;
}
// The overlap of two rectangles; empty (all zero) when they do not meet.
constexpr TRect IntersectRect(const TRect& a, const TRect& b)
{
    TRect r{a.Left > b.Left ? a.Left : b.Left, a.Top > b.Top ? a.Top : b.Top,
            a.Right < b.Right ? a.Right : b.Right, a.Bottom < b.Bottom ? a.Bottom : b.Bottom};
    return r.IsEmpty() ? TRect{} : r;
}

inline QRect ToQRect(const TRect& r)
{
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}
inline TRect FromQRect(const QRect& r)
{
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}
inline QPoint ToQPoint(TPoint p)
{
    return QPoint(p.X, p.Y);
}
inline TPoint FromQPoint(const QPoint& p)
{
    return {p.x(), p.y()};
}

// A set of values of an enum class whose values are 0..31.
template <typename E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> values)
    {
        for (E v : values)
            bits_ |= Bit(v);
    }
    constexpr bool Contains(E v) const { return (bits_ & Bit(v)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr TSet& Include(E v)
    {
        bits_ |= Bit(v);
        return *this;
    }
    constexpr TSet& Exclude(E v)
    {
        bits_ &= ~Bit(v);
        return *this;
    }
    constexpr TSet operator+(TSet o) const
    {
        TSet r;
        r.bits_ = bits_ | o.bits_;
        return r;
    }
    constexpr TSet operator-(TSet o) const
    {
        TSet r;
        r.bits_ = bits_ & ~o.bits_;
        return r;
    }
    constexpr TSet operator*(TSet o) const
    {
        TSet r;
        r.bits_ = bits_ & o.bits_;
        return r;
    }
    friend constexpr bool operator==(TSet, TSet) = default;

private:
    static constexpr std::uint32_t Bit(E v) { return std::uint32_t{1} << static_cast<unsigned>(v); }
    std::uint32_t bits_ = 0;
};

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
enum class TShiftFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftFlag>;
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

// The shift state of a Qt input event: modifier keys and the mouse buttons held.
inline TShiftState ShiftStateOf(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons = Qt::NoButton,
                                bool dbl = false)
{
    TShiftState s;
    if (mods & Qt::ShiftModifier) s.Include(TShiftFlag::ssShift);
    if (mods & Qt::AltModifier) s.Include(TShiftFlag::ssAlt);
    if (mods & Qt::ControlModifier) s.Include(TShiftFlag::ssCtrl);
    if (buttons & Qt::LeftButton) s.Include(TShiftFlag::ssLeft);
    if (buttons & Qt::RightButton) s.Include(TShiftFlag::ssRight);
    if (buttons & Qt::MiddleButton) s.Include(TShiftFlag::ssMiddle);
    if (dbl) s.Include(TShiftFlag::ssDouble);
    return s;
}
inline TMouseButton MouseButtonOf(Qt::MouseButton b)
{
    if (b == Qt::RightButton) return TMouseButton::mbRight;
    if (b == Qt::MiddleButton) return TMouseButton::mbMiddle;
    return TMouseButton::mbLeft;
}

// The framework's plain event: the control that raised it.
using TNotifyEvent = std::function<void(QObject* Sender)>;
