#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "framework/core/bitmap.h"

namespace fw {

struct Point {
    int X = 0;
    int Y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int Width = 0;
    int Height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

enum class PolyFillMode { Alternate, Winding };

// A set of pixels, kept as horizontal bands: each band covers rows [Top, Bottom) and holds
// sorted, disjoint, non-touching spans [Left, Right). Bands never overlap, are ordered top
// to bottom, hold at least one span, and two bands that touch never hold the same spans
// (they are merged). So every set of pixels has exactly one form, and two regions are equal
// exactly when they hold the same pixels.
//
// Regions serve as clip areas of a canvas and as the pixel sets of shapes (round
// rectangles, ellipses, polygons). All coordinates follow the platform's rule: left and top
// inclusive, right and bottom exclusive.
class Region {
public:
    struct Span {
        int Left = 0;
        int Right = 0;
        friend bool operator==(const Span&, const Span&) = default;
    };
    struct Band {
        int Top = 0;
        int Bottom = 0;
        std::size_t FirstSpan = 0; // index into Spans()
        std::size_t SpanCount = 0;
        friend bool operator==(const Band&, const Band&) = default;
    };

    // The empty region.
    Region() = default;
    // The pixels of the rectangle; an empty rectangle gives the empty region.
    explicit Region(const Rect& rect);

    // The platform's rounded-rectangle region for (left, top, right, bottom) with corner
    // ellipses of the given width and height: like the platform, it covers only
    // [Left, Right - 1) x [Top, Bottom - 1). Corner sizes are taken as absolute values and
    // limited to the shrunk rectangle; below 2 the corners are square.
    static Region RoundRect(const Rect& rect, int ellipseWidth, int ellipseHeight);
    // The platform's elliptic region: RoundRect with the whole rectangle as the corner,
    // so it too covers only [Left, Right - 1) x [Top, Bottom - 1).
    static Region Ellipse(const Rect& rect);
    // The pixels whose centres (x + 0.5, y + 0.5) lie inside the polygon (closed from the
    // last vertex back to the first) by the fill rule: Alternate counts crossings modulo
    // two, Winding wants a non-zero winding number. A pixel centre exactly on a left edge
    // belongs to the polygon, one on a right edge does not, so two polygons sharing an
    // edge never share a pixel.
    static Region Polygon(std::span<const Point> vertices, PolyFillMode mode = PolyFillMode::Alternate);

    bool IsEmpty() const { return bands_.empty(); }
    // The smallest rectangle holding every pixel; (0, 0, 0, 0) when empty.
    Rect Bounds() const;
    bool Contains(int x, int y) const;
    bool Contains(Point point) const { return Contains(point.X, point.Y); }
    // Whether every pixel of the rectangle belongs to the region (an empty rectangle: yes).
    bool ContainsRect(const Rect& rect) const;
    // Whether the region and the rectangle share a pixel.
    bool Intersects(const Rect& rect) const;

    void Offset(int dx, int dy);
    Region Offsetted(int dx, int dy) const;

    friend Region operator|(const Region& a, const Region& b); // union
    friend Region operator&(const Region& a, const Region& b); // intersection
    friend Region operator-(const Region& a, const Region& b); // difference: in a, not in b
    friend Region operator^(const Region& a, const Region& b); // in exactly one of them
    Region& operator|=(const Region& other) { return *this = *this | other; }
    Region& operator&=(const Region& other) { return *this = *this & other; }
    Region& operator-=(const Region& other) { return *this = *this - other; }
    Region& operator^=(const Region& other) { return *this = *this ^ other; }
    // Intersection with a rectangle, without building a second region.
    Region Intersected(const Rect& rect) const;

    friend bool operator==(const Region&, const Region&) = default;

    const std::vector<Band>& Bands() const { return bands_; }
    const std::vector<Span>& Spans() const { return spans_; }
    std::span<const Span> SpansOf(const Band& band) const
    {
        return std::span<const Span>(spans_).subspan(band.FirstSpan, band.SpanCount);
    }
    // The region as rectangles, one per span of each band, top to bottom, left to right.
    std::vector<Rect> Rects() const;
    // The number of pixels.
    long long Area() const;

    // Calls visit(top, bottom, left, right) for every piece of the region inside `rect`:
    // each span of each band cut to the rectangle, top to bottom. The canvas fills through
    // this, so it is a template the compiler can inline into the fill loops.
    template <class Visit>
    void ForEachSpanIn(const Rect& rect, Visit&& visit) const;

    // Builds a region from rows given top to bottom: for each row y in [top, top +
    // rows.size()), the spans of that row, sorted and disjoint. Equal neighbouring rows are
    // merged into bands. The shape builders use this; it is public for backends that turn
    // a rasterised mask into a region.
    static Region FromRows(int top, const std::vector<std::vector<Span>>& rows);

private:
    enum class Op { Union, Intersect, Difference, Xor };
    static Region Combine(const Region& a, const Region& b, Op op);
    // Appends a band, merging it with the previous one when it continues it with the same
    // spans. The spans must be sorted and disjoint; an empty list adds nothing.
    void AppendBand(int top, int bottom, const Span* spans, std::size_t count);

    std::vector<Band> bands_;
    std::vector<Span> spans_;
};

template <class Visit>
void Region::ForEachSpanIn(const Rect& rect, Visit&& visit) const
{
    if (rect.IsEmpty()) {
        return;
    }
    for (const Band& band : bands_) {
        if (band.Bottom <= rect.Top) {
            continue;
        }
        if (band.Top >= rect.Bottom) {
            break;
        }
        const int top = band.Top > rect.Top ? band.Top : rect.Top;
        const int bottom = band.Bottom < rect.Bottom ? band.Bottom : rect.Bottom;
        const Span* span = spans_.data() + band.FirstSpan;
        const Span* end = span + band.SpanCount;
        for (; span != end; ++span) {
            if (span->Right <= rect.Left) {
                continue;
            }
            if (span->Left >= rect.Right) {
                break;
            }
            const int left = span->Left > rect.Left ? span->Left : rect.Left;
            const int right = span->Right < rect.Right ? span->Right : rect.Right;
            visit(top, bottom, left, right);
        }
    }
}

} // namespace fw
