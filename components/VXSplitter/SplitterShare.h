// The arithmetic of the proportional splitter panel, without any widget.
//
// A splitter sits on one side of its parent's area and keeps its size along the
// moving axis (width for splkLeft/splkRight, height for splkTop/splkBottom) as a
// share of that area in per-mille (Promile). With A the available length of the
// area, W the bar thickness and L0 the area's start (left or top edge):
//   share from size   Promile = (size - W) * 1000 / (A - W)
//   size from share   size    = (A - W) * Promile / 1000 + W, kept within W..A
// All divisions truncate toward zero. The area runs from the parent's client
// edge on the far side to the splitter's own outer edge, so controls aligned on
// the same side before the splitter are not part of it.
//
// Guards against what the plain formulas get wrong:
//  - with no room beyond the bar (A <= W) the share is kept and the size is W;
//  - a collapse by drag counts from the area's own edge L0, and the bar never
//    goes past the area's far end, so no size is negative or larger than A;
//  - a min/max clamp also sets the share, so it survives the next resize.
#pragma once

#include <cstdint>
#include <string>

enum class TVXSplitterType : std::uint8_t { splkLeft, splkTop, splkRight, splkBottom };

// A rectangle with exclusive right and bottom edges.
struct SplitterArea {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    friend constexpr bool operator==(const SplitterArea&, const SplitterArea&) = default;
};

// A bar position on the moving axis, in the parent's client coordinates, or the
// collapse mark (the bar went below the lower limit of a collapsible splitter).
struct BarStop {
    int Coordinate = 0;
    bool Collapse = false;
};

class SplitterShare {
public:
    TVXSplitterType Kind = TVXSplitterType::splkLeft;
    int SplitterWidth = 4;
    int MinPercent = 5;
    int MaxPercent = 95;
    bool InitialPercentEnabled = false;
    int InitialPercent = 50;
    bool Collapsed = false;
    bool CanCollapse = false;
    int Promile = 500;
    int SavedPromile = 500;
    SplitterArea ParentRect;
    int AvailableWidth = 0;
    int AvailableHeight = 0;
    // The splitter's own width (splkLeft/splkRight) or height (splkTop/splkBottom).
    int Size = 0;

    // True for splkTop and splkBottom: the height is what changes.
    bool BarHorizontal() const;
    // A and L0 of the moving axis.
    int Available() const;
    int AreaStart() const;

    // Takes the parent's client area and moves the splitter's side of it to the
    // splitter's outer edge (own bounds in the parent's coordinates).
    void CalculateSize(const SplitterArea& parentClient, const SplitterArea& ownBounds);
    // Share from the current size; kept while collapsed with CanCollapse.
    void CalculatePromile();
    // Size from the share; nothing while collapsed with CanCollapse.
    void SplitterResize();
    // InitialPercent takes effect when enabled, else the share is read from the size.
    void Calibrate();
    // Holds the size to MinPercent..MaxPercent after a drag or a limit change.
    void CheckMinMaxPercent();

    // Guarded setters: out-of-range values are ignored (false).
    bool SetMinPercent(int v);
    bool SetMaxPercent(int v);
    bool SetInitialPercent(int v);
    void SetCollapsed(bool b);
    void SetCanCollapse(bool b);

    // The bar position a drag to coordinate c is allowed to reach.
    BarStop GetPoint(int c) const;
    // Applies a drag released with the bar at coordinate c.
    void ResizeToSplitter(int c);
    // The number and text of the drag hint for a bar position.
    int HintPercent(const BarStop& p) const;
    std::string HintText(const BarStop& p) const;

    // The collapse button, in the coordinates of the bar it sits on.
    static SplitterArea ButtonRect(TVXSplitterType kind, int splitterWidth, int buttonWidth,
                                   int width, int height);

private:
    int Span() const; // A - W
    void ClampSize();
};
