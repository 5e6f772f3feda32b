#pragma once

#include <cstdint>

#include "controls/bevel_rings.h"
#include "framework/core/bitmap.h"
#include "framework/core/region.h"

// Where a page control's tab strip lies: the first word names the side of the control,
// the second the end from which the tabs are laid out.
enum class TILPageTabPosition : std::uint8_t {
    LeftTop = 0,
    LeftBottom = 1,
    TopLeft = 2,
    TopRight = 3,
    RightTop = 4,
    RightBottom = 5,
    BottomLeft = 6,
    BottomRight = 7
};

enum class TILTabSide : std::uint8_t { Left, Top, Right, Bottom };

TILTabSide SideOf(TILPageTabPosition position);
// Tabs run along a left or right strip from top to bottom (or back), along a top or bottom
// strip from left to right (or back).
bool IsVerticalStrip(TILPageTabPosition position);
// Positions that lay their tabs out from the bottom or the right end run backwards.
bool LaysOutBackwards(TILPageTabPosition position);
// The page edge that faces the strip, where the active tab opens it.
TGapSide GapSideFacing(TILPageTabPosition position);

// A rectangle of whole pixels with Right and Bottom the last column and row inside, as the
// tab layout computes them. A tab that is not shown has all four at -1.
struct TILTabRect {
    int Left = -1;
    int Top = -1;
    int Right = -1;
    int Bottom = -1;

    int Width() const { return Right - Left + 1; }
    int Height() const { return Bottom - Top + 1; }
    bool Shown() const { return !(Left == -1 && Top == -1 && Right == -1 && Bottom == -1); }
    bool Contains(fw::Point point) const
    {
        return Shown() && point.X >= Left && point.X <= Right && point.Y >= Top && point.Y <= Bottom;
    }
    TILTabRect Offsetted(int dx, int dy) const { return TILTabRect{Left + dx, Top + dy, Right + dx, Bottom + dy}; }
    // The same pixels as a rectangle whose Right and Bottom lie one past them.
    fw::Rect Exclusive() const { return fw::Rect{Left, Top, Right + 1, Bottom + 1}; }
    // Right and Bottom as the last pixel, as the positions and bevels take rectangles.
    fw::Rect Inclusive() const { return fw::Rect{Left, Top, Right, Bottom}; }
    friend bool operator==(const TILTabRect&, const TILTabRect&) = default;
};

// The sizes the layout works with.
struct TILTabMetrics {
    int ControlWidth = 0;
    int ControlHeight = 0;
    int TabWidth = 75;
    int TabHeight = 20;
};

// The strip of a control of that size, empty (all -1) when the tabs are not shown: the
// TabWidth columns at the left or right, the TabHeight rows at the top or bottom.
TILTabRect TabStripRect(TILPageTabPosition position, const TILTabMetrics& metrics, bool showTabs);

// Where laying out starts along the strip: FirstTabSpace from the start, or from the far
// end for the positions that run backwards.
int FirstTabStart(TILPageTabPosition position, const TILTabMetrics& metrics, int firstTabSpace);
// The tab of length n whose first pixel along the strip (the last, when running backwards)
// is p.
TILTabRect TabRectAt(TILPageTabPosition position, const TILTabMetrics& metrics, int p, int n);
// p moved on past a tab of length n and the gap after it.
int NextTabStart(TILPageTabPosition position, int p, int n, int tabGap);
// Whether the tab ends inside the control, seen from the end the tabs are laid out from.
bool TabEndsInside(TILPageTabPosition position, const TILTabMetrics& metrics, const TILTabRect& tab);

// The scroll arrows: 16 x 31 across a left or right strip, 31 x 16 along a top or bottom
// strip, at the end the tabs run towards.
inline constexpr int TabArrowsLong = 31;
inline constexpr int TabArrowsShort = 16;
fw::Rect TabArrowsBounds(TILPageTabPosition position, const TILTabMetrics& metrics);
