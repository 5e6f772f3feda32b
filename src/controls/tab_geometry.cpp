#include "controls/tab_geometry.h"

TILTabSide SideOf(TILPageTabPosition position)
{
    switch (position) {
    case TILPageTabPosition::LeftTop:
    case TILPageTabPosition::LeftBottom: return TILTabSide::Left;
    case TILPageTabPosition::TopLeft:
    case TILPageTabPosition::TopRight: return TILTabSide::Top;
    case TILPageTabPosition::RightTop:
    case TILPageTabPosition::RightBottom: return TILTabSide::Right;
    case TILPageTabPosition::BottomLeft:
    case TILPageTabPosition::BottomRight: break;
    }
    return TILTabSide::Bottom;
}

bool IsVerticalStrip(TILPageTabPosition position)
{
    const TILTabSide side = SideOf(position);
    return side == TILTabSide::Left || side == TILTabSide::Right;
}

bool LaysOutBackwards(TILPageTabPosition position)
{
    return (static_cast<int>(position) & 1) != 0;
}

TGapSide GapSideFacing(TILPageTabPosition position)
{
    switch (SideOf(position)) {
    case TILTabSide::Left: return TGapSide::Left;
    case TILTabSide::Top: return TGapSide::Top;
    case TILTabSide::Right: return TGapSide::Right;
    case TILTabSide::Bottom: break;
    }
    return TGapSide::Bottom;
}

TILTabRect TabStripRect(TILPageTabPosition position, const TILTabMetrics& m, bool showTabs)
{
    if (!showTabs) {
        return TILTabRect{};
    }
    const int w = m.ControlWidth;
    const int h = m.ControlHeight;
    switch (SideOf(position)) {
    case TILTabSide::Left: return TILTabRect{0, 0, m.TabWidth - 1, h - 1};
    case TILTabSide::Top: return TILTabRect{0, 0, w - 1, m.TabHeight - 1};
    case TILTabSide::Right: return TILTabRect{w - m.TabWidth, 0, w - 1, h - 1};
    case TILTabSide::Bottom: break;
    }
    return TILTabRect{0, h - m.TabHeight, w - 1, h - 1};
}

int FirstTabStart(TILPageTabPosition position, const TILTabMetrics& m, int firstTabSpace)
{
    if (!LaysOutBackwards(position)) {
        return firstTabSpace;
    }
    const int extent = IsVerticalStrip(position) ? m.ControlHeight : m.ControlWidth;
    return extent - firstTabSpace - 1;
}

TILTabRect TabRectAt(TILPageTabPosition position, const TILTabMetrics& m, int p, int n)
{
    const int w = m.ControlWidth;
    const int h = m.ControlHeight;
    switch (position) {
    case TILPageTabPosition::LeftTop: return TILTabRect{0, p, m.TabWidth - 1, p + n - 1};
    case TILPageTabPosition::LeftBottom: return TILTabRect{0, p - n + 1, m.TabWidth - 1, p};
    case TILPageTabPosition::TopLeft: return TILTabRect{p, 0, p + n - 1, m.TabHeight - 1};
    case TILPageTabPosition::TopRight: return TILTabRect{p - n + 1, 0, p, m.TabHeight - 1};
    case TILPageTabPosition::RightTop: return TILTabRect{w - m.TabWidth, p, w - 1, p + n - 1};
    case TILPageTabPosition::RightBottom: return TILTabRect{w - m.TabWidth, p - n + 1, w - 1, p};
    case TILPageTabPosition::BottomLeft: return TILTabRect{p, h - m.TabHeight, p + n - 1, h - 1};
    case TILPageTabPosition::BottomRight: break;
    }
    return TILTabRect{p - n + 1, h - m.TabHeight, p, h - 1};
}

int NextTabStart(TILPageTabPosition position, int p, int n, int tabGap)
{
    return LaysOutBackwards(position) ? p - (n + tabGap) : p + (n + tabGap);
}

bool TabEndsInside(TILPageTabPosition position, const TILTabMetrics& m, const TILTabRect& tab)
{
    switch (position) {
    case TILPageTabPosition::LeftTop:
    case TILPageTabPosition::RightTop: return tab.Bottom <= m.ControlHeight;
    case TILPageTabPosition::TopLeft:
    case TILPageTabPosition::BottomLeft: return tab.Right <= m.ControlWidth;
    case TILPageTabPosition::LeftBottom:
    case TILPageTabPosition::RightBottom: return tab.Top >= 0;
    case TILPageTabPosition::TopRight:
    case TILPageTabPosition::BottomRight: break;
    }
    return tab.Left >= 0;
}

fw::Rect TabArrowsBounds(TILPageTabPosition position, const TILTabMetrics& m)
{
    const int w = m.ControlWidth;
    const int h = m.ControlHeight;
    const int across = TabArrowsShort;
    const int along = TabArrowsLong;
    fw::Point at;
    switch (position) {
    case TILPageTabPosition::LeftTop: at = fw::Point{0, h - along}; break;
    case TILPageTabPosition::LeftBottom: at = fw::Point{0, 0}; break;
    case TILPageTabPosition::TopLeft: at = fw::Point{w - along, 0}; break;
    case TILPageTabPosition::TopRight: at = fw::Point{0, 0}; break;
    case TILPageTabPosition::RightTop: at = fw::Point{w - across, h - along}; break;
    case TILPageTabPosition::RightBottom: at = fw::Point{w - across, 0}; break;
    case TILPageTabPosition::BottomLeft: at = fw::Point{w - along, h - across}; break;
    case TILPageTabPosition::BottomRight: at = fw::Point{0, h - across}; break;
    }
    if (IsVerticalStrip(position)) {
        return fw::Rect{at.X, at.Y, at.X + across, at.Y + along};
    }
    return fw::Rect{at.X, at.Y, at.X + along, at.Y + across};
}
