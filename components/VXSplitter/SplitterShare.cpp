#include "components/VXSplitter/SplitterShare.h"

#include <algorithm>

namespace {

// Products in 64 bits, so no plausible size can overflow.
int MulDiv(int a, int b, int c)
{
    return static_cast<int>(static_cast<long long>(a) * b / c);
}

} // namespace

bool SplitterShare::BarHorizontal() const
{
    return Kind == TVXSplitterType::splkTop || Kind == TVXSplitterType::splkBottom;
}

int SplitterShare::Available() const
{
    return BarHorizontal() ? AvailableHeight : AvailableWidth;
}

int SplitterShare::AreaStart() const
{
    return BarHorizontal() ? ParentRect.Top : ParentRect.Left;
}

int SplitterShare::Span() const
{
    return Available() - SplitterWidth;
}

void SplitterShare::ClampSize()
{
    Size = std::max(SplitterWidth, std::min(Size, Available()));
}

void SplitterShare::CalculateSize(const SplitterArea& parentClient, const SplitterArea& ownBounds)
{
    ParentRect = parentClient;
    switch (Kind) {
    case TVXSplitterType::splkTop:
        ParentRect.Top = ownBounds.Top;
        break;
    case TVXSplitterType::splkBottom:
        ParentRect.Bottom = ownBounds.Bottom;
        break;
    case TVXSplitterType::splkLeft:
        ParentRect.Left = ownBounds.Left;
        break;
    case TVXSplitterType::splkRight:
        ParentRect.Right = ownBounds.Right;
        break;
    }
    AvailableWidth = ParentRect.Right - ParentRect.Left;
    AvailableHeight = ParentRect.Bottom - ParentRect.Top;
}

void SplitterShare::CalculatePromile()
{
    if (Collapsed && CanCollapse) return;
    // Without room beyond the bar there is no share to read.
    if (Span() <= 0) return;
    Promile = std::clamp(MulDiv(Size - SplitterWidth, 1000, Span()), 0, 1000);
}

void SplitterShare::SplitterResize()
{
    if (Collapsed && CanCollapse) return;
    if (Span() <= 0) {
        Size = SplitterWidth;
        return;
    }
    Size = MulDiv(Span(), Promile, 1000) + SplitterWidth;
    ClampSize();
}

void SplitterShare::Calibrate()
{
    if (InitialPercentEnabled) {
        Promile = InitialPercent * 10;
        if (Collapsed) SavedPromile = Promile;
        SplitterResize();
    } else {
        CalculatePromile();
    }
}

void SplitterShare::CheckMinMaxPercent()
{
    // Before the area is known there is nothing to hold the size to.
    if (Span() <= 0) return;
    const int before = Size;
    const int a = Available();
    if (Promile > MaxPercent * 10 + 10) Size = MulDiv(MaxPercent + 1, a, 100);
    if (Promile < MinPercent * 10)
        Size = (Collapsed && CanCollapse) ? SplitterWidth : MulDiv(MinPercent, a, 100);
    ClampSize();
    // The share follows the clamped size, or the next resize would undo it.
    if (Size != before) CalculatePromile();
}

bool SplitterShare::SetMinPercent(int v)
{
    const bool ok = v >= 0 && v <= 100 && v < MaxPercent;
    if (ok) MinPercent = v;
    CheckMinMaxPercent();
    return ok;
}

bool SplitterShare::SetMaxPercent(int v)
{
    const bool ok = v >= 0 && v <= 100 && v > MinPercent;
    if (ok) MaxPercent = v;
    CheckMinMaxPercent();
    return ok;
}

bool SplitterShare::SetInitialPercent(int v)
{
    if (v < 0 || v > 100 || v < MinPercent || v > MaxPercent) return false;
    InitialPercent = v;
    return true;
}

void SplitterShare::SetCollapsed(bool b)
{
    if (b == Collapsed) return;
    if (b) {
        Collapsed = true;
        SavedPromile = Promile;
        Size = SplitterWidth;
    } else {
        Collapsed = false;
        if (CanCollapse) {
            Promile = SavedPromile;
            SplitterResize();
        }
    }
}

void SplitterShare::SetCanCollapse(bool b)
{
    if (b == CanCollapse) return;
    // Expand while CanCollapse still holds, or the remembered share is not restored.
    if (!b) SetCollapsed(false);
    CanCollapse = b;
}

BarStop SplitterShare::GetPoint(int c) const
{
    const int l0 = AreaStart();
    const int span = std::max(0, Span());
    const int lower = MulDiv(span, MinPercent, 100) + l0 + 1;
    if (c < lower) {
        if (CanCollapse) return {l0, true};
        c = lower;
    }
    // The bar never passes the far end of the area.
    const int farEnd = l0 + span;
    const int upper =
        MaxPercent >= 100 ? farEnd : std::min(MulDiv(span, MaxPercent, 100) + l0 + 1, farEnd);
    if (c > upper) c = upper;
    return {c, false};
}

void SplitterShare::ResizeToSplitter(int c)
{
    const BarStop p = GetPoint(c);
    Collapsed = p.Collapse;
    const int w = SplitterWidth;
    switch (Kind) {
    case TVXSplitterType::splkTop:
        Size = p.Coordinate - ParentRect.Top + w;
        break;
    case TVXSplitterType::splkBottom:
        Size = ParentRect.Bottom - p.Coordinate;
        break;
    case TVXSplitterType::splkLeft:
        Size = p.Coordinate - ParentRect.Left + w;
        break;
    case TVXSplitterType::splkRight:
        Size = ParentRect.Right - p.Coordinate;
        break;
    }
    ClampSize();
    CalculatePromile();
    CheckMinMaxPercent();
}

int SplitterShare::HintPercent(const BarStop& p) const
{
    if (p.Collapse || Span() <= 0) return 0;
    return std::clamp(MulDiv(p.Coordinate - AreaStart(), 100, Span()), 0, 100);
}

std::string SplitterShare::HintText(const BarStop& p) const
{
    if (p.Collapse) return "Hide";
    return std::to_string(HintPercent(p)) + " %";
}

SplitterArea SplitterShare::ButtonRect(TVXSplitterType kind, int splitterWidth, int buttonWidth,
                                       int width, int height)
{
    if (kind == TVXSplitterType::splkTop || kind == TVXSplitterType::splkBottom) {
        const int left = (width - buttonWidth) / 2;
        return {left, 0, left + buttonWidth, splitterWidth};
    }
    const int top = (height - buttonWidth) / 2;
    return {0, top, splitterWidth, top + buttonWidth};
}
