#include "framework/core/region.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace fw {

namespace {

using Span = Region::Span;

// Merges two sorted span lists by a set operation. The walk visits every edge of either
// list in order and emits a span wherever the operation turns true, so spans that would
// touch come out as one.
template <class Keep>
void CombineSpans(const Span* a, std::size_t aCount, const Span* b, std::size_t bCount, Keep keep,
                  std::vector<Span>& out)
{
    std::size_t ia = 0;
    std::size_t ib = 0;
    bool inA = false;
    bool inB = false;
    bool inside = false;
    int start = 0;
    constexpr int none = std::numeric_limits<int>::max();
    for (;;) {
        const int nextA = ia < aCount ? (inA ? a[ia].Right : a[ia].Left) : none;
        const int nextB = ib < bCount ? (inB ? b[ib].Right : b[ib].Left) : none;
        const int x = std::min(nextA, nextB);
        if (x == none) {
            break;
        }
        if (nextA == x) {
            if (inA) {
                ++ia;
            }
            inA = !inA;
        }
        if (nextB == x) {
            if (inB) {
                ++ib;
            }
            inB = !inB;
        }
        const bool now = keep(inA, inB);
        if (now != inside) {
            if (now) {
                start = x;
            } else if (x > start) {
                out.push_back(Span{start, x});
            }
            inside = now;
        }
    }
}

// Sorts spans and joins those that overlap or touch, dropping empty ones.
void NormaliseSpans(std::vector<Span>& spans)
{
    std::erase_if(spans, [](const Span& s) { return s.Right <= s.Left; });
    std::sort(spans.begin(), spans.end(), [](const Span& l, const Span& r) { return l.Left < r.Left; });
    std::size_t kept = 0;
    for (const Span& s : spans) {
        if (kept > 0 && s.Left <= spans[kept - 1].Right) {
            spans[kept - 1].Right = std::max(spans[kept - 1].Right, s.Right);
        } else {
            spans[kept++] = s;
        }
    }
    spans.resize(kept);
}

// For each of the h rows of a corner ellipse w wide, how far its span starts in from the
// rectangle's side. The rows follow Zingl's ellipse stepping from the middle row down, the
// upper half mirrored, as the platform's own rounded regions are rasterised, so corners
// come out as the platform draws them.
std::vector<int> CornerInsets(int w, int h)
{
    std::vector<int> inset(static_cast<std::size_t>(h), 0);
    const std::int64_t a = w - 1;
    const std::int64_t b = h - 1;
    const std::int64_t stepX = 8 * b * b;
    const std::int64_t stepY = 8 * a * a;
    std::int64_t dx = 4 * b * b * (1 - a);
    std::int64_t dy = 4 * a * a * (1 + b % 2);
    std::int64_t err = dx + dy + a * a * (b % 2);
    int x = 0;
    int y = h / 2;
    int lastRow = y;
    while (x <= w / 2) {
        const std::int64_t e2 = 2 * err;
        if (e2 >= dx) {
            ++x;
            dx += stepX;
            err += dx;
        }
        if (e2 <= dy) {
            ++y;
            dy += stepY;
            err += dy;
            if (y < h) {
                inset[static_cast<std::size_t>(y)] = x;
                lastRow = y;
            }
        }
    }
    // A narrow ellipse runs out of columns before it runs out of rows: the rows left over
    // are its tip, the middle one or two columns.
    for (int row = lastRow + 1; row < h; ++row) {
        inset[static_cast<std::size_t>(row)] = (w - 1) / 2;
    }
    for (int row = 0; row < h / 2; ++row) {
        inset[static_cast<std::size_t>(row)] = inset[static_cast<std::size_t>(b - row)];
    }
    return inset;
}

// ceil(n / d) for d > 0.
std::int64_t CeilDiv(std::int64_t n, std::int64_t d)
{
    const std::int64_t q = n / d;
    return (n % d != 0 && n > 0) ? q + 1 : q;
}

} // namespace

Region::Region(const Rect& rect)
{
    if (!rect.IsEmpty()) {
        const Span span{rect.Left, rect.Right};
        AppendBand(rect.Top, rect.Bottom, &span, 1);
    }
}

void Region::AppendBand(int top, int bottom, const Span* spans, std::size_t count)
{
    if (count == 0 || bottom <= top) {
        return;
    }
    if (!bands_.empty()) {
        Band& last = bands_.back();
        if (last.Bottom == top && last.SpanCount == count
            && std::equal(spans, spans + count, spans_.begin() + static_cast<std::ptrdiff_t>(last.FirstSpan))) {
            last.Bottom = bottom;
            return;
        }
    }
    bands_.push_back(Band{top, bottom, spans_.size(), count});
    spans_.insert(spans_.end(), spans, spans + count);
}

Region Region::FromRows(int top, const std::vector<std::vector<Span>>& rows)
{
    Region result;
    std::vector<Span> row;
    int y = top;
    for (const auto& given : rows) {
        row = given;
        NormaliseSpans(row);
        result.AppendBand(y, y + 1, row.data(), row.size());
        ++y;
    }
    return result;
}

Region Region::RoundRect(const Rect& rect, int ellipseWidth, int ellipseHeight)
{
    int left = std::min(rect.Left, rect.Right);
    int right = std::max(rect.Left, rect.Right) - 1;
    int top = std::min(rect.Top, rect.Bottom);
    int bottom = std::max(rect.Top, rect.Bottom) - 1;
    const int w = std::min(right - left, std::abs(ellipseWidth));
    const int h = std::min(bottom - top, std::abs(ellipseHeight));
    if (w < 2 || h < 2) {
        return Region(Rect{left, top, right, bottom});
    }
    const std::vector<int> inset = CornerInsets(w, h);
    Region result;
    auto row = [&](int rowTop, int rowBottom, int in) {
        const Span span{left + in, right - in};
        if (span.Right > span.Left) {
            result.AppendBand(rowTop, rowBottom, &span, 1);
        }
    };
    // The upper corner rows, the straight middle (which holds the ellipse's middle row),
    // then the lower corner rows.
    for (int i = 0; i < h / 2; ++i) {
        row(top + i, top + i + 1, inset[static_cast<std::size_t>(i)]);
    }
    row(top + h / 2, bottom - h + h / 2 + 1, 0);
    for (int i = h / 2 + 1; i < h; ++i) {
        row(bottom - h + i, bottom - h + i + 1, inset[static_cast<std::size_t>(i)]);
    }
    return result;
}

Region Region::Ellipse(const Rect& rect)
{
    return RoundRect(rect, rect.Right - rect.Left, rect.Bottom - rect.Top);
}

Region Region::Polygon(std::span<const Point> vertices, PolyFillMode mode)
{
    Region result;
    if (vertices.size() < 3) {
        return result;
    }
    int top = vertices[0].Y;
    int bottom = vertices[0].Y;
    for (const Point& p : vertices) {
        top = std::min(top, p.Y);
        bottom = std::max(bottom, p.Y);
    }
    struct Crossing {
        std::int64_t X; // first pixel column whose centre lies at or right of the edge
        int Direction;
    };
    std::vector<Crossing> crossings;
    std::vector<Span> spans;
    const std::size_t n = vertices.size();
    for (int y = top; y < bottom; ++y) {
        crossings.clear();
        // The row is sampled at its centre, y + 0.5: an edge counts when the centre lies
        // in [its upper end, its lower end), so a vertex shared by two edges counts once.
        const std::int64_t centre2 = 2 * static_cast<std::int64_t>(y) + 1;
        for (std::size_t i = 0; i < n; ++i) {
            const Point& p = vertices[i];
            const Point& q = vertices[(i + 1) % n];
            if (p.Y == q.Y) {
                continue;
            }
            const bool down = q.Y > p.Y;
            const Point& upper = down ? p : q;
            const Point& lower = down ? q : p;
            if (centre2 < 2 * static_cast<std::int64_t>(upper.Y) || centre2 >= 2 * static_cast<std::int64_t>(lower.Y)) {
                continue;
            }
            // The edge's x at the centre line, minus half a pixel, rounded up: columns
            // from there on have their centres at or right of the edge.
            const std::int64_t dy = lower.Y - upper.Y;
            const std::int64_t numerator =
                (2 * static_cast<std::int64_t>(upper.X) - 1) * dy + (centre2 - 2 * upper.Y) * (lower.X - upper.X);
            crossings.push_back(Crossing{CeilDiv(numerator, 2 * dy), down ? 1 : -1});
        }
        std::sort(crossings.begin(), crossings.end(),
                  [](const Crossing& l, const Crossing& r) { return l.X < r.X; });
        spans.clear();
        int winding = 0;
        int parity = 0;
        for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
            winding += crossings[i].Direction;
            parity ^= 1;
            const bool inside = mode == PolyFillMode::Alternate ? parity != 0 : winding != 0;
            if (inside && crossings[i + 1].X > crossings[i].X) {
                spans.push_back(Span{static_cast<int>(crossings[i].X), static_cast<int>(crossings[i + 1].X)});
            }
        }
        NormaliseSpans(spans);
        result.AppendBand(y, y + 1, spans.data(), spans.size());
    }
    return result;
}

Rect Region::Bounds() const
{
    if (bands_.empty()) {
        return Rect{};
    }
    Rect bounds{std::numeric_limits<int>::max(), bands_.front().Top, std::numeric_limits<int>::min(),
                bands_.back().Bottom};
    for (const Band& band : bands_) {
        bounds.Left = std::min(bounds.Left, spans_[band.FirstSpan].Left);
        bounds.Right = std::max(bounds.Right, spans_[band.FirstSpan + band.SpanCount - 1].Right);
    }
    return bounds;
}

bool Region::Contains(int x, int y) const
{
    const auto band = std::upper_bound(bands_.begin(), bands_.end(), y,
                                       [](int value, const Band& b) { return value < b.Bottom; });
    if (band == bands_.end() || band->Top > y) {
        return false;
    }
    const auto spans = SpansOf(*band);
    const auto span = std::upper_bound(spans.begin(), spans.end(), x,
                                       [](int value, const Span& s) { return value < s.Right; });
    return span != spans.end() && span->Left <= x;
}

bool Region::ContainsRect(const Rect& rect) const
{
    return (Region(rect) - *this).IsEmpty();
}

bool Region::Intersects(const Rect& rect) const
{
    bool found = false;
    ForEachSpanIn(rect, [&](int, int, int, int) { found = true; });
    return found;
}

void Region::Offset(int dx, int dy)
{
    for (Band& band : bands_) {
        band.Top += dy;
        band.Bottom += dy;
    }
    for (Span& span : spans_) {
        span.Left += dx;
        span.Right += dx;
    }
}

Region Region::Offsetted(int dx, int dy) const
{
    Region moved = *this;
    moved.Offset(dx, dy);
    return moved;
}

Region Region::Intersected(const Rect& rect) const
{
    // Mostly what is painted lies inside the clip whole: then it is its own cut.
    if (!bands_.empty() && bands_.front().Top >= rect.Top && bands_.back().Bottom <= rect.Bottom) {
        const Rect bounds = Bounds();
        if (bounds.Left >= rect.Left && bounds.Right <= rect.Right) {
            return *this;
        }
    }
    Region result;
    std::vector<Span> row;
    for (const Band& band : bands_) {
        const int top = std::max(band.Top, rect.Top);
        const int bottom = std::min(band.Bottom, rect.Bottom);
        if (bottom <= top) {
            continue;
        }
        row.clear();
        for (const Span& span : SpansOf(band)) {
            const int left = std::max(span.Left, rect.Left);
            const int right = std::min(span.Right, rect.Right);
            if (right > left) {
                row.push_back(Span{left, right});
            }
        }
        result.AppendBand(top, bottom, row.data(), row.size());
    }
    return result;
}

Region Region::Combine(const Region& a, const Region& b, Op op)
{
    Region result;
    const auto keep = [op](bool inA, bool inB) {
        switch (op) {
        case Op::Union:
            return inA || inB;
        case Op::Intersect:
            return inA && inB;
        case Op::Difference:
            return inA && !inB;
        case Op::Xor:
            return inA != inB;
        }
        return false;
    };
    std::size_t ia = 0;
    std::size_t ib = 0;
    std::vector<Span> row;
    constexpr int none = std::numeric_limits<int>::max();
    // y walks over every band edge of either region; between two edges both regions are
    // constant, so one combined band covers the stretch.
    int y = std::numeric_limits<int>::min();
    for (;;) {
        while (ia < a.bands_.size() && a.bands_[ia].Bottom <= y) {
            ++ia;
        }
        while (ib < b.bands_.size() && b.bands_[ib].Bottom <= y) {
            ++ib;
        }
        const Band* bandA = ia < a.bands_.size() ? &a.bands_[ia] : nullptr;
        const Band* bandB = ib < b.bands_.size() ? &b.bands_[ib] : nullptr;
        if (bandA == nullptr && bandB == nullptr) {
            break;
        }
        const bool inA = bandA != nullptr && bandA->Top <= y;
        const bool inB = bandB != nullptr && bandB->Top <= y;
        int next = none;
        if (bandA != nullptr) {
            next = std::min(next, inA ? bandA->Bottom : bandA->Top);
        }
        if (bandB != nullptr) {
            next = std::min(next, inB ? bandB->Bottom : bandB->Top);
        }
        if (inA || inB) {
            row.clear();
            CombineSpans(inA ? a.spans_.data() + bandA->FirstSpan : nullptr, inA ? bandA->SpanCount : 0,
                         inB ? b.spans_.data() + bandB->FirstSpan : nullptr, inB ? bandB->SpanCount : 0, keep, row);
            result.AppendBand(y, next, row.data(), row.size());
        }
        y = next;
    }
    return result;
}

Region operator|(const Region& a, const Region& b)
{
    return Region::Combine(a, b, Region::Op::Union);
}

Region operator&(const Region& a, const Region& b)
{
    return Region::Combine(a, b, Region::Op::Intersect);
}

Region operator-(const Region& a, const Region& b)
{
    return Region::Combine(a, b, Region::Op::Difference);
}

Region operator^(const Region& a, const Region& b)
{
    return Region::Combine(a, b, Region::Op::Xor);
}

std::vector<Rect> Region::Rects() const
{
    std::vector<Rect> rects;
    rects.reserve(spans_.size());
    for (const Band& band : bands_) {
        for (const Span& span : SpansOf(band)) {
            rects.push_back(Rect{span.Left, band.Top, span.Right, band.Bottom});
        }
    }
    return rects;
}

long long Region::Area() const
{
    long long area = 0;
    for (const Band& band : bands_) {
        for (const Span& span : SpansOf(band)) {
            area += static_cast<long long>(span.Right - span.Left) * (band.Bottom - band.Top);
        }
    }
    return area;
}

} // namespace fw
