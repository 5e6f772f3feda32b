#include "controls/bevel_rings.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

// A vertical side drawn upwards from yStart to (not including) yEnd; with a gap on this
// side it breaks off so that the rows [Top + To, Top + From) stay open.
void VerticalSide(fw::Canvas& canvas, int x, int yStart, int yEnd, int top, bool gapHere, const TILBevelGap& gap)
{
    canvas.MoveTo(x, yStart);
    if (gapHere) {
        canvas.LineTo(x, top + gap.From - 1);
        canvas.MoveTo(x, top + gap.To - 1);
    }
    canvas.LineTo(x, yEnd);
}

// A horizontal side drawn rightwards from xStart to (not including) xEnd; with a gap on
// this side the columns [Left + To, Left + From) stay open.
void HorizontalSide(fw::Canvas& canvas, int y, int xStart, int xEnd, int left, bool gapHere, const TILBevelGap& gap)
{
    canvas.MoveTo(xStart, y);
    if (gapHere) {
        canvas.LineTo(left + gap.To, y);
        canvas.MoveTo(left + gap.From, y);
    }
    canvas.LineTo(xEnd, y);
}

// The platform's rectangle regions take their corners in any order.
fw::Region NormalisedRect(int x1, int y1, int x2, int y2)
{
    return fw::Region(fw::Rect{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)});
}

fw::Region GapRegion(const fw::Rect& rect, int width, const TILBevelGap& gap)
{
    switch (gap.Side) {
    case TGapSide::Left:
        return NormalisedRect(rect.Left, gap.To, rect.Left + width, gap.From);
    case TGapSide::Top:
        return NormalisedRect(gap.To, rect.Top, gap.From, rect.Top + width);
    case TGapSide::Right:
        return NormalisedRect(rect.Right, gap.To, rect.Right - width, gap.From);
    case TGapSide::Bottom:
        return NormalisedRect(gap.To, rect.Bottom, gap.From, rect.Bottom - width);
    }
    return {};
}

// The triangle (Left - 1, Bottom - 1), (Right, Top), (Right, Bottom): the lower-right
// half of the ring's box below its rising diagonal. A pixel belongs to it when its
// top-left corner lies on or below the diagonal, not its centre as for Region::Polygon:
// with centres the bottom row, whose pixels sit half a pixel under the gently sloping
// bottom edge, would come out half in each colour. So the whole bottom row and the right
// column (but for its top pixel) take the bottom-right colour, the top row and the left
// column the top-left one.
fw::Region LowerRightHalf(const fw::Rect& rect)
{
    const int left = rect.Left - 1;
    const int rise = rect.Bottom - 1 - rect.Top;
    const int run = rect.Right - left;
    if (run <= 0 || rise < 0) {
        return {};
    }
    std::vector<std::vector<fw::Region::Span>> rows;
    for (int y = rect.Top; y <= rect.Bottom - 1; ++y) {
        int start = left;
        if (rise > 0) {
            // The diagonal's x on this row, rounded up: the first corner on or right of it.
            const long long above = static_cast<long long>(rect.Bottom - 1 - y) * run;
            start = left + static_cast<int>((above + rise - 1) / rise);
        }
        rows.emplace_back();
        if (start < rect.Right) {
            rows.back().push_back(fw::Region::Span{start, rect.Right});
        }
    }
    return fw::Region::FromRows(rect.Top, rows);
}

void FillPart(fw::Canvas& canvas, const std::optional<fw::Region>& savedClip, const fw::Region& part,
              const fw::Rect& area, fw::Color colour)
{
    canvas.SetClipRegion(savedClip);
    canvas.IntersectClipRegion(part);
    canvas.Brush() = fw::Brush{colour, fw::BrushStyle::Solid, nullptr};
    canvas.FillRect(area);
}

} // namespace

void DrawBevelLines(fw::Canvas& canvas, const fw::Rect& rect, int width, TBevelEdges edges, fw::Color topLeft,
                    fw::Color bottomRight, const TILBevelGap& gap)
{
    const int left = rect.Left;
    const int top = rect.Top;
    const int w = rect.Right - rect.Left + 1;
    const int h = rect.Bottom - rect.Top + 1;
    const auto gapOn = [&gap](TGapSide side) { return gap.Present && gap.Side == side; };

    fw::Pen& pen = canvas.Pen();
    pen.Style = fw::PenStyle::Solid;
    pen.Mode = fw::PenMode::Copy;
    pen.Width = 1;
    for (int i = 0; i < width; ++i) {
        const int ringLeft = left + i;
        const int ringRight = left + w - 1 - i;
        const int ringTop = top + i;
        const int ringBottom = top + h - 1 - i;

        pen.Color = topLeft;
        if ((edges & beLeft) != 0) {
            VerticalSide(canvas, ringLeft, ringBottom, ringTop, top, gapOn(TGapSide::Left), gap);
        }
        if ((edges & beTop) != 0) {
            HorizontalSide(canvas, ringTop, ringLeft, ringRight, left, gapOn(TGapSide::Top), gap);
        }
        pen.Color = bottomRight;
        if ((edges & beBottom) != 0) {
            HorizontalSide(canvas, ringBottom, ringLeft, ringRight, left, gapOn(TGapSide::Bottom), gap);
        }
        if ((edges & beRight) != 0) {
            VerticalSide(canvas, ringRight, ringBottom, ringTop - 1, top, gapOn(TGapSide::Right), gap);
        }
    }
}

void DrawRoundedBevelRing(fw::Canvas& canvas, const fw::Rect& rect, int width, int horzRounding, int vertRounding,
                          fw::Color topLeft, fw::Color bottomRight, const TILBevelGap& gap)
{
    if (width == 0) {
        return;
    }
    const fw::Region outer =
        fw::Region::RoundRect(fw::Rect{rect.Left, rect.Top, rect.Right + 1, rect.Bottom + 1}, horzRounding, vertRounding);
    const fw::Region inner = fw::Region::RoundRect(
        fw::Rect{rect.Left + width, rect.Top + width, rect.Right - width + 1, rect.Bottom - width + 1}, horzRounding,
        vertRounding);
    const fw::Region triangle = LowerRightHalf(rect);

    const fw::Region ring = outer - inner;
    fw::Region topLeftPart = ring - triangle;
    fw::Region bottomRightPart = ring - topLeftPart;
    if (gap.Present) {
        const fw::Region opening = GapRegion(rect, width, gap);
        topLeftPart -= opening;
        bottomRightPart -= opening;
    }

    // The parts narrow whatever clipping the canvas had (a control paints inside the area
    // it was asked to repaint), and that clipping comes back afterwards.
    const std::optional<fw::Region> savedClip = canvas.ClipRegion();
    const fw::Rect area{rect.Left, rect.Top, rect.Right + 1, rect.Bottom + 1};
    FillPart(canvas, savedClip, topLeftPart, area, topLeft);
    FillPart(canvas, savedClip, bottomRightPart, area, bottomRight);
    canvas.SetClipRegion(savedClip);
}
