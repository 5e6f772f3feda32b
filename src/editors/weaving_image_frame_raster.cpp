#include "editors/weaving_image_frame_raster.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "framework/core/line_pixels.h"

namespace {

constexpr std::int64_t NoCrossing = std::numeric_limits<std::int64_t>::min();

// Division rounding towards minus infinity; the denominator is positive.
std::int64_t FloorDiv(std::int64_t numerator, std::int64_t denominator)
{
    const std::int64_t quotient = numerator / denominator;
    return (numerator % denominator != 0 && numerator < 0) ? quotient - 1 : quotient;
}

std::uint32_t Mixed(std::uint32_t pixel, std::uint32_t colour, fw::PenMode mode)
{
    switch (mode) {
    case fw::PenMode::Copy:
        return colour;
    case fw::PenMode::Xor:
        return (pixel ^ colour) & 0xFFFFFFu;
    case fw::PenMode::NotXor:
        return ~(pixel ^ colour) & 0xFFFFFFu;
    }
    return colour;
}

bool Inside(const fw::Rect& box, int x, int y)
{
    return x >= box.Left && x < box.Right && y >= box.Top && y < box.Bottom;
}

// The pixels of a line from `from` towards `to` (not `to` itself) whose major coordinate
// lies in the reach, in the order of the line: the canvas's own walk.
template <class Visit>
void Bresenham(fw::Point from, fw::Point to, const fw::Rect& reach, Visit&& visit)
{
    fw::WalkLinePixels(from, to, reach, [&visit](long long, int x, int y) { visit(x, y); });
}

} // namespace

TWeavingRaster::TWeavingRaster(fw::Bitmap& surface, const fw::Rect& clip) : surface_(surface)
{
    clip_ = fw::Rect{std::max(clip.Left, 0), std::max(clip.Top, 0), std::min(clip.Right, surface.Width()),
                     std::min(clip.Bottom, surface.Height())};
    if (clip_.IsEmpty()) {
        clip_ = fw::Rect{};
    }
}

void TWeavingRaster::Plot(int x, int y, std::uint32_t colour, fw::PenMode mode)
{
    if (Inside(clip_, x, y)) {
        std::uint32_t& pixel = surface_.ScanLine(y)[x];
        pixel = Mixed(pixel, colour, mode);
    }
}

void TWeavingRaster::FillAndOutlinePolygon(std::span<const fw::Point> points, std::uint32_t fill, std::uint32_t pen,
                                           bool convex)
{
    if (clip_.IsEmpty() || points.empty()) {
        return;
    }
    if (const ShapeStamp* stamp = StampFor(points, convex)) {
        const fw::Point origin = points[0];
        for (const StampSpan& span : stamp->Fill) {
            std::uint32_t* line = surface_.ScanLine(origin.Y + span.Y) + origin.X;
            std::fill(line + span.Left, line + span.Right, fill);
        }
        for (const fw::Point& pixel : stamp->Outline) {
            surface_.ScanLine(origin.Y + pixel.Y)[origin.X + pixel.X] = pen;
        }
        return;
    }
    FillPolygon(points, fill, convex || IsConvex(points));
    if (points.size() < 2) {
        return;
    }
    for (std::size_t i = 0; i < points.size(); ++i) {
        ThinSegment(points[i], points[(i + 1) % points.size()], pen, fw::PenMode::Copy);
    }
}

void TWeavingRaster::FillPolygon(std::span<const fw::Point> points, std::uint32_t colour, bool convex)
{
    ForEachFillSpan(points, convex, clip_, [this, colour](int y, int left, int right) {
        std::uint32_t* line = surface_.ScanLine(y);
        std::fill(line + left, line + right, colour);
    });
}

template <class Sink>
void TWeavingRaster::ForEachFillSpan(std::span<const fw::Point> points, bool convex, const fw::Rect& bounds,
                                     Sink&& sink)
{
    const std::size_t n = points.size();
    if (n < 3 || n > MaxPolygonPoints) {
        return;
    }
    int top = points[0].Y;
    int bottom = points[0].Y;
    for (const fw::Point& p : points) {
        top = std::min(top, p.Y);
        bottom = std::max(bottom, p.Y);
    }
    top = std::max(top, bounds.Top);
    bottom = std::min(bottom, bounds.Bottom);
    if (top >= bottom) {
        return;
    }
    // The canvas's rule: each row is sampled at its centre, an edge counts over
    // [upper end, lower end), and a column is inside from the first whose centre lies at
    // or right of a crossing of odd parity up to the next crossing. The crossing of an edge
    // with row y is ceil(((2 ux - 1) dy + (2y + 1 - 2 uy)(lx - ux)) / 2dy); the numerator
    // grows by 2 (lx - ux) a row, so each edge walks down its rows with a quotient and a
    // remainder instead of dividing on every row.
    struct Edge {
        bool Down;     // it runs down going round the shape
        int First;     // the first row it crosses
        int End;       // one past its last row
        std::int64_t Quotient;
        std::int64_t Remainder; // 0 <= Remainder < Denominator
        std::int64_t Denominator;
        std::int64_t StepQuotient;
        std::int64_t StepRemainder;
    };
    Edge edges[MaxPolygonPoints];
    std::size_t edgeCount = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const fw::Point& p = points[i];
        const fw::Point& q = points[(i + 1) % n];
        if (p.Y == q.Y) {
            continue;
        }
        const fw::Point& upper = q.Y > p.Y ? p : q;
        const fw::Point& lower = q.Y > p.Y ? q : p;
        const int first = std::max(upper.Y, top);
        const int end = std::min(lower.Y, bottom);
        if (first >= end) {
            continue;
        }
        const std::int64_t dy = static_cast<std::int64_t>(lower.Y) - upper.Y;
        const std::int64_t dx = static_cast<std::int64_t>(lower.X) - upper.X;
        const std::int64_t denominator = 2 * dy;
        const std::int64_t numerator =
            (2 * static_cast<std::int64_t>(upper.X) - 1) * dy +
            (2 * static_cast<std::int64_t>(first) + 1 - 2 * static_cast<std::int64_t>(upper.Y)) * dx;
        Edge& edge = edges[edgeCount++];
        edge.Down = q.Y > p.Y;
        edge.First = first;
        edge.End = end;
        edge.Denominator = denominator;
        if (dx == 0) {
            // Upright (both sides of every vertical cell): the crossing is its x on every row.
            edge.Quotient = upper.X - 1;
            edge.Remainder = dy;
            edge.StepQuotient = 0;
            edge.StepRemainder = 0;
            continue;
        }
        edge.Quotient = FloorDiv(numerator, denominator);
        edge.Remainder = numerator - edge.Quotient * denominator;
        edge.StepQuotient = FloorDiv(2 * dx, denominator);
        edge.StepRemainder = 2 * dx - edge.StepQuotient * denominator;
    }
    const std::size_t rows = static_cast<std::size_t>(bottom - top);
    if (convex) {
        // Going round a convex shape, the edges running down form one side and those
        // running up the other, each crossing every row once: two crossings a row, no
        // sorting.
        if (downCrossings_.size() < rows) {
            downCrossings_.resize(rows);
            upCrossings_.resize(rows);
        }
        std::fill_n(downCrossings_.begin(), rows, NoCrossing);
        std::fill_n(upCrossings_.begin(), rows, NoCrossing);
        for (std::size_t e = 0; e < edgeCount; ++e) {
            Edge edge = edges[e];
            std::int64_t* side = (edge.Down ? downCrossings_.data() : upCrossings_.data()) - top;
            for (int y = edge.First; y < edge.End; ++y) {
                side[y] = edge.Quotient + (edge.Remainder != 0 ? 1 : 0);
                edge.Quotient += edge.StepQuotient;
                edge.Remainder += edge.StepRemainder;
                if (edge.Remainder >= edge.Denominator) {
                    edge.Remainder -= edge.Denominator;
                    ++edge.Quotient;
                }
            }
        }
        for (std::size_t row = 0; row < rows; ++row) {
            const std::int64_t a = downCrossings_[row];
            const std::int64_t b = upCrossings_[row];
            if (a == NoCrossing || b == NoCrossing) {
                continue;
            }
            const std::int64_t left = std::max<std::int64_t>(std::min(a, b), bounds.Left);
            const std::int64_t right = std::min<std::int64_t>(std::max(a, b), bounds.Right);
            if (left < right) {
                sink(top + static_cast<int>(row), static_cast<int>(left), static_cast<int>(right));
            }
        }
        return;
    }
    // Any other shape: each edge writes its crossings into the rows it covers; then each
    // row is filled between its crossings taken in pairs.
    if (rowCrossings_.size() < rows * MaxPolygonPoints) {
        rowCrossings_.resize(rows * MaxPolygonPoints);
    }
    rowCounts_.assign(rows, 0);
    for (std::size_t e = 0; e < edgeCount; ++e) {
        Edge edge = edges[e];
        for (int y = edge.First; y < edge.End; ++y) {
            const std::size_t row = static_cast<std::size_t>(y - top);
            rowCrossings_[row * MaxPolygonPoints + rowCounts_[row]++] = edge.Quotient + (edge.Remainder != 0 ? 1 : 0);
            edge.Quotient += edge.StepQuotient;
            edge.Remainder += edge.StepRemainder;
            if (edge.Remainder >= edge.Denominator) {
                edge.Remainder -= edge.Denominator;
                ++edge.Quotient;
            }
        }
    }
    for (std::size_t row = 0; row < rows; ++row) {
        std::int64_t* crossings = rowCrossings_.data() + row * MaxPolygonPoints;
        const std::size_t count = rowCounts_[row];
        std::sort(crossings, crossings + count);
        for (std::size_t i = 0; i + 1 < count; i += 2) {
            const std::int64_t left = std::max<std::int64_t>(crossings[i], bounds.Left);
            const std::int64_t right = std::min<std::int64_t>(crossings[i + 1], bounds.Right);
            if (left < right) {
                sink(top + static_cast<int>(row), static_cast<int>(left), static_cast<int>(right));
            }
        }
    }
}

const TWeavingRaster::ShapeStamp* TWeavingRaster::StampFor(std::span<const fw::Point> points, bool convex)
{
    const std::size_t n = points.size();
    if (n < 3 || n > MaxPolygonPoints) {
        return nullptr;
    }
    // A band shows a few shapes many thousand times over, moved by whole pixels, and a
    // shape moved by whole pixels covers the same pixels moved alike (the fill samples
    // pixel centres, the lines step from their start): each shape is worked out once,
    // relative to its first corner, and then only written. Only where it lies wholly
    // inside the clip, so that no pixel of it needs a test.
    const fw::Point origin = points[0];
    const auto sameShape = [&](const ShapeStamp& stamp) {
        if (stamp.Count != n || stamp.Convex != convex) {
            return false;
        }
        for (std::size_t i = 1; i < n; ++i) {
            if (stamp.Corners[i].X != points[i].X - origin.X || stamp.Corners[i].Y != points[i].Y - origin.Y) {
                return false;
            }
        }
        return true;
    };
    const ShapeStamp* found = shapeStamps_.Find(sameShape);
    if (found == nullptr) {
        // A shape too large for a stamp to pay is drawn as it comes.
        int left = 0;
        int top = 0;
        int right = 0;
        int bottom = 0;
        for (const fw::Point& p : points) {
            left = std::min(left, p.X - origin.X);
            right = std::max(right, p.X - origin.X);
            top = std::min(top, p.Y - origin.Y);
            bottom = std::max(bottom, p.Y - origin.Y);
        }
        if (right - left > MaxStampSide || bottom - top > MaxStampSide) {
            return nullptr;
        }
        ShapeStamp& stamp = shapeStamps_.Add();
        stamp.Count = n;
        stamp.Convex = convex;
        for (std::size_t i = 0; i < n; ++i) {
            stamp.Corners[i] = fw::Point{points[i].X - origin.X, points[i].Y - origin.Y};
        }
        stamp.Fill.clear();
        stamp.Outline.clear();
        const std::span<const fw::Point> corners(stamp.Corners.data(), n);
        // Every pixel the shape can touch lies within its corners' box (lines stop short of
        // their ends, fills at the last centre inside).
        const fw::Rect all{left - 1, top - 1, right + 2, bottom + 2};
        stamp.Box = fw::Rect{right + 1, bottom + 1, left - 1, top - 1};
        const auto widen = [&stamp](int x, int y) {
            stamp.Box.Left = std::min(stamp.Box.Left, x);
            stamp.Box.Top = std::min(stamp.Box.Top, y);
            stamp.Box.Right = std::max(stamp.Box.Right, x + 1);
            stamp.Box.Bottom = std::max(stamp.Box.Bottom, y + 1);
        };
        ForEachFillSpan(corners, convex || IsConvex(corners), all, [&](int y, int l, int r) {
            stamp.Fill.push_back(StampSpan{y, l, r});
            widen(l, y);
            widen(r - 1, y);
        });
        for (std::size_t i = 0; i < n; ++i) {
            const fw::Point from = corners[i];
            const fw::Point to = corners[(i + 1) % n];
            if (from != to) {
                Bresenham(from, to, all, [&](int x, int y) {
                    stamp.Outline.push_back(fw::Point{x, y});
                    widen(x, y);
                });
            }
        }
        found = &stamp;
    }
    const fw::Rect& box = found->Box;
    if (box.Left + origin.X < clip_.Left || box.Top + origin.Y < clip_.Top || box.Right + origin.X > clip_.Right
        || box.Bottom + origin.Y > clip_.Bottom) {
        return nullptr;
    }
    return found;
}

bool TWeavingRaster::IsConvex(std::span<const fw::Point> points)
{
    // Every turn from one edge to the next goes the same way (or none, where corners meet
    // or edges run on), and going round the outline turns from down to up only twice.
    const std::size_t n = points.size();
    int turnSign = 0;
    int firstDirection = 0;
    int direction = 0;
    int changes = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const fw::Point& a = points[i];
        const fw::Point& b = points[(i + 1) % n];
        const fw::Point& c = points[(i + 2) % n];
        const std::int64_t cross = (static_cast<std::int64_t>(b.X) - a.X) * (static_cast<std::int64_t>(c.Y) - b.Y) -
                                   (static_cast<std::int64_t>(b.Y) - a.Y) * (static_cast<std::int64_t>(c.X) - b.X);
        const int turn = cross > 0 ? 1 : cross < 0 ? -1 : 0;
        if (turn != 0) {
            if (turnSign != 0 && turn != turnSign) {
                return false;
            }
            turnSign = turn;
        }
        const int dy = b.Y > a.Y ? 1 : b.Y < a.Y ? -1 : 0;
        if (dy != 0) {
            if (direction != 0 && dy != direction) {
                ++changes;
            }
            if (firstDirection == 0) {
                firstDirection = dy;
            }
            direction = dy;
        }
    }
    if (direction != 0 && direction != firstDirection) {
        ++changes;
    }
    return changes <= 2;
}

void TWeavingRaster::Line(fw::Point from, fw::Point to, int width, std::uint32_t colour, fw::PenMode mode)
{
    if (clip_.IsEmpty() || from == to) {
        return;
    }
    if (const LineStamp* stamp = LineStampFor(from, to, width)) {
        for (const StampSpan& span : stamp->Runs) {
            std::uint32_t* line = surface_.ScanLine(from.Y + span.Y) + from.X;
            if (mode == fw::PenMode::Copy) {
                std::fill(line + span.Left, line + span.Right, colour);
            } else {
                for (int x = span.Left; x < span.Right; ++x) {
                    line[x] = Mixed(line[x], colour, mode);
                }
            }
        }
        return;
    }
    if (width <= 1) {
        ThinSegment(from, to, colour, mode);
    } else {
        WideSegment(from, to, width, colour, mode);
    }
}

const TWeavingRaster::LineStamp* TWeavingRaster::LineStampFor(fw::Point from, fw::Point to, int width)
{
    // As with shapes: the diagonals of a chart are a few lines drawn many thousand times,
    // each moved by whole pixels.
    const fw::Point delta{to.X - from.X, to.Y - from.Y};
    width = std::max(width, 1);
    const auto sameLine = [&](const LineStamp& stamp) { return stamp.Delta == delta && stamp.Width == width; };
    const LineStamp* found = lineStamps_.Find(sameLine);
    if (found == nullptr) {
        if (std::abs(delta.X) > MaxStampSide || std::abs(delta.Y) > MaxStampSide || width > MaxStampSide) {
            return nullptr;
        }
        LineStamp& stamp = lineStamps_.Add();
        stamp.Delta = delta;
        stamp.Width = width;
        stamp.Runs.clear();
        // The pixels the line covers, found by drawing it once into a scratch bitmap the size
        // of its reach: every pixel is painted exactly once by the drawing, so marking them
        // gives the set whatever the mode.
        const int reach = width + 1;
        const int left = std::min(0, delta.X) - reach;
        const int top = std::min(0, delta.Y) - reach;
        const int right = std::max(0, delta.X) + reach + 1;
        const int bottom = std::max(0, delta.Y) + reach + 1;
        fw::Bitmap scratch(right - left, bottom - top);
        scratch.FillRect(scratch.Bounds(), 0u);
        {
            TWeavingRaster marker(scratch, scratch.Bounds());
            const fw::Point start{-left, -top};
            const fw::Point end{delta.X - left, delta.Y - top};
            if (width <= 1) {
                marker.ThinSegment(start, end, 1u, fw::PenMode::Copy);
            } else {
                marker.WideSegment(start, end, width, 1u, fw::PenMode::Copy);
            }
        }
        stamp.Box = fw::Rect{0, 0, 0, 0};
        bool any = false;
        for (int y = 0; y < scratch.Height(); ++y) {
            const std::uint32_t* row = scratch.ScanLine(y);
            int x = 0;
            while (x < scratch.Width()) {
                if (row[x] == 0) {
                    ++x;
                    continue;
                }
                const int runStart = x;
                while (x < scratch.Width() && row[x] != 0) {
                    ++x;
                }
                const StampSpan span{y + top, runStart + left, x + left};
                stamp.Runs.push_back(span);
                if (!any) {
                    stamp.Box = fw::Rect{span.Left, span.Y, span.Right, span.Y + 1};
                    any = true;
                } else {
                    stamp.Box.Left = std::min(stamp.Box.Left, span.Left);
                    stamp.Box.Right = std::max(stamp.Box.Right, span.Right);
                    stamp.Box.Bottom = span.Y + 1;
                }
            }
        }
        found = &stamp;
    }
    const fw::Rect& box = found->Box;
    if (box.Left + from.X < clip_.Left || box.Top + from.Y < clip_.Top || box.Right + from.X > clip_.Right
        || box.Bottom + from.Y > clip_.Bottom) {
        return nullptr;
    }
    return found;
}

void TWeavingRaster::ThinSegment(fw::Point from, fw::Point to, std::uint32_t colour, fw::PenMode mode)
{
    if (from == to) {
        return;
    }
    if (mode == fw::PenMode::Copy && Inside(clip_, from.X, from.Y) && Inside(clip_, to.X, to.Y)) {
        // The whole line lies inside (the clip is a rectangle): no pixel needs a test.
        if (from.X == to.X) {
            const int step = to.Y > from.Y ? 1 : -1;
            for (int y = from.Y; y != to.Y; y += step) {
                surface_.ScanLine(y)[from.X] = colour;
            }
            return;
        }
        if (from.Y == to.Y) {
            std::uint32_t* row = surface_.ScanLine(from.Y);
            const int left = from.X < to.X ? from.X : to.X + 1;
            const int right = from.X < to.X ? to.X : from.X + 1;
            std::fill(row + left, row + right, colour);
            return;
        }
        Bresenham(from, to, clip_, [&](int x, int y) { surface_.ScanLine(y)[x] = colour; });
        return;
    }
    Bresenham(from, to, clip_, [&](int x, int y) { Plot(x, y, colour, mode); });
}

void TWeavingRaster::WideSegment(fw::Point from, fw::Point to, int width, std::uint32_t colour, fw::PenMode mode)
{
    // Each pixel of the thin line becomes a width x width square (the extra pixel of an even
    // width left and up); the squares' union is painted once, so an exclusive-or line
    // inverts every pixel it covers exactly once. The line steps at most one pixel across
    // at a time, so the squares that reach one row cover one unbroken run of it: each row's
    // run is found from the line's pixels alone.
    const fw::Rect reach{clip_.Left - width, clip_.Top - width, clip_.Right + width, clip_.Bottom + width};
    linePoints_.clear();
    Bresenham(from, to, reach, [&](int x, int y) { linePoints_.push_back(fw::Point{x, y}); });
    if (linePoints_.empty()) {
        return;
    }
    const int first = -(width / 2);
    const int last = (width - 1) / 2;
    int top = linePoints_[0].Y;
    int bottom = linePoints_[0].Y;
    for (const fw::Point& p : linePoints_) {
        top = std::min(top, p.Y);
        bottom = std::max(bottom, p.Y);
    }
    top += first;
    bottom += last + 1;
    const std::size_t rows = static_cast<std::size_t>(bottom - top);
    runLeft_.assign(rows, std::numeric_limits<int>::max());
    runRight_.assign(rows, std::numeric_limits<int>::min());
    for (const fw::Point& p : linePoints_) {
        for (int row = p.Y + first; row <= p.Y + last; ++row) {
            const std::size_t r = static_cast<std::size_t>(row - top);
            runLeft_[r] = std::min(runLeft_[r], p.X + first);
            runRight_[r] = std::max(runRight_[r], p.X + last + 1);
        }
    }
    const int paintTop = std::max(top, clip_.Top);
    const int paintBottom = std::min(bottom, clip_.Bottom);
    for (int y = paintTop; y < paintBottom; ++y) {
        const std::size_t r = static_cast<std::size_t>(y - top);
        const int left = std::max(runLeft_[r], clip_.Left);
        const int right = std::min(runRight_[r], clip_.Right);
        std::uint32_t* row = surface_.ScanLine(y);
        for (int x = left; x < right; ++x) {
            row[x] = Mixed(row[x], colour, mode);
        }
    }
}
