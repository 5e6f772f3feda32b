#include "framework/core/canvas.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <type_traits>
#include <utility>
#include <vector>

#include "framework/core/line_pixels.h"
#include "framework/core/paint_backend.h"

namespace fw {

namespace {

constexpr std::uint32_t RgbMask = 0x00FFFFFF;

// The 8 x 8 hatch patterns, one byte per row, the high bit being the leftmost column.
constexpr std::uint8_t HatchPatterns[6][8] = {
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF}, // horizontal: row 7
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08}, // vertical: column 4
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01}, // forward diagonal, falling: x == y
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80}, // backward diagonal, rising: x == 7 - y
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0xFF}, // cross: row 7 and column 4
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81}, // both diagonals
};

// Solid runs are most of what a user interface paints, so the fill loop is compiled
// twice where the compiler can: once for AVX2 and once plain, picked when the program
// loads. The loop itself stays plain C++.
#if defined(__GNUC__) && defined(__x86_64__) && !defined(__clang__)
#define FW_WIDE_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define FW_WIDE_VECTOR_CLONES
#endif

// A run of pixels in one colour. Whole vector stores that straddle two cache lines cost
// nearly twice a store within one, and a row rarely starts on a line: single pixels up to
// the first 32-byte boundary, then aligned stores, then the rest.
inline void FillAligned(std::uint32_t* pixels, int count, std::uint32_t colour)
{
    constexpr std::uintptr_t Alignment = 32;
    int i = 0;
    while (i < count && (reinterpret_cast<std::uintptr_t>(pixels + i) & (Alignment - 1)) != 0) {
        pixels[i++] = colour;
    }
    // A run that ends before the boundary is done, and the place it ends is no aligned one:
    // promising the compiler alignment there would be undefined behaviour.
    if (i == count) {
        return;
    }
    auto* aligned = static_cast<std::uint32_t*>(__builtin_assume_aligned(pixels + i, Alignment));
    const int rest = count - i;
    for (int j = 0; j < rest; ++j) {
        aligned[j] = colour;
    }
}

FW_WIDE_VECTOR_CLONES void FillPixels(std::uint32_t* pixels, int count, std::uint32_t colour)
{
    FillAligned(pixels, count, colour);
}

// A block of `rows` runs of `count` pixels, `stride` pixels apart: one dispatch for a whole
// rectangle.
FW_WIDE_VECTOR_CLONES void FillBlock(std::uint32_t* first, std::size_t stride, int rows, int count,
                                     std::uint32_t colour)
{
    for (int y = 0; y < rows; ++y) {
        FillAligned(first + static_cast<std::size_t>(y) * stride, count, colour);
    }
}

template <PenMode Mode>
inline std::uint32_t Mix(std::uint32_t there, std::uint32_t ink)
{
    if constexpr (Mode == PenMode::Copy) {
        return ink;
    } else if constexpr (Mode == PenMode::Xor) {
        return there ^ ink;
    } else {
        return ~(there ^ ink) & RgbMask;
    }
}

// Runs body(std::integral_constant<PenMode, mode>) so each mode gets its own loop.
template <class Body>
void WithMode(PenMode mode, Body&& body)
{
    switch (mode) {
    case PenMode::Copy:
        body(std::integral_constant<PenMode, PenMode::Copy>{});
        break;
    case PenMode::Xor:
        body(std::integral_constant<PenMode, PenMode::Xor>{});
        break;
    case PenMode::NotXor:
        body(std::integral_constant<PenMode, PenMode::NotXor>{});
        break;
    }
}

void ApplySpan(std::uint32_t* pixels, int count, std::uint32_t ink, PenMode mode)
{
    WithMode(mode, [&](auto m) {
        if constexpr (decltype(m)::value == PenMode::Copy) {
            FillPixels(pixels, count, ink);
        } else {
            for (int i = 0; i < count; ++i) {
                pixels[i] = Mix<decltype(m)::value>(pixels[i], ink);
            }
        }
    });
}

Rect Normalised(const Rect& r)
{
    return Rect{std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
                std::max(r.Top, r.Bottom)};
}

// The coordinate one further on, held at the largest int (no surface reaches that far).
int StepPast(int coordinate)
{
    return coordinate == std::numeric_limits<int>::max() ? coordinate : coordinate + 1;
}

bool InBox(const Rect& box, int x, int y)
{
    return x >= box.Left && x < box.Right && y >= box.Top && y < box.Bottom;
}

Region RegionOfPoints(std::vector<Point> points)
{
    if (points.empty()) {
        return Region();
    }
    std::sort(points.begin(), points.end(),
              [](const Point& a, const Point& b) { return a.Y != b.Y ? a.Y < b.Y : a.X < b.X; });
    const int top = points.front().Y;
    std::vector<std::vector<Region::Span>> rows(static_cast<std::size_t>(points.back().Y - top + 1));
    for (const Point& p : points) {
        rows[static_cast<std::size_t>(p.Y - top)].push_back(Region::Span{p.X, p.X + 1});
    }
    return Region::FromRows(top, rows);
}

// Every pixel grown to a width x width square, the extra pixel of an even width going left
// and up.
Region Thicken(const Region& pixels, int width)
{
    if (width <= 1 || pixels.IsEmpty()) {
        return pixels;
    }
    const int first = -(width / 2);
    const int last = (width - 1) / 2;
    Region wide;
    for (int d = first; d <= last; ++d) {
        wide |= pixels.Offsetted(d, 0);
    }
    Region square;
    for (int d = first; d <= last; ++d) {
        square |= wide.Offsetted(0, d);
    }
    return square;
}

// The pixels of the region with an even x + y.
Region EvenPixels(const Region& pixels)
{
    const Rect bounds = pixels.Bounds();
    std::vector<std::vector<Region::Span>> rows(static_cast<std::size_t>(bounds.Height()));
    pixels.ForEachSpanIn(bounds, [&](int top, int bottom, int left, int right) {
        for (int y = top; y < bottom; ++y) {
            auto& row = rows[static_cast<std::size_t>(y - bounds.Top)];
            for (int x = left + ((left + y) & 1); x < right; x += 2) {
                row.push_back(Region::Span{x, x + 1});
            }
        }
    });
    return Region::FromRows(bounds.Top, rows);
}

// The source pixels CopyRect reads, 0 outside the source bitmap.
struct SourceView {
    const std::uint32_t* Data = nullptr;
    int Stride = 0;
    Rect Valid;   // where pixels exist, in source coordinates
    int OriginX = 0; // source coordinates of Data[0]
    int OriginY = 0;

    std::uint32_t At(int x, int y) const
    {
        return InBox(Valid, x, y) ? Data[static_cast<std::size_t>(y - OriginY) * static_cast<std::size_t>(Stride)
                                         + static_cast<std::size_t>(x - OriginX)]
                                  : 0;
    }
    const std::uint32_t* Row(int y) const
    {
        return Data + static_cast<std::size_t>(y - OriginY) * static_cast<std::size_t>(Stride);
    }
};

// How a fill paints: the brush reduced to what the fill loops need.
struct BrushInk {
    enum class Kind { None, Solid, Hatch, Tile } Kind = Kind::None;
    std::uint32_t Colour = 0;
    const std::uint8_t* Hatch = nullptr;
    const Bitmap* Tile = nullptr;
    bool MapToMonochrome = false;
};

void FillSpan(Bitmap& surface, const BrushInk& ink, int top, int bottom, int left, int right)
{
    const int count = right - left;
    switch (ink.Kind) {
    case BrushInk::Kind::None:
        break;
    case BrushInk::Kind::Solid:
        FillBlock(surface.ScanLine(top) + left, static_cast<std::size_t>(surface.Width()), bottom - top, count,
                  ink.Colour);
        break;
    case BrushInk::Kind::Hatch:
        for (int y = top; y < bottom; ++y) {
            const unsigned bits = ink.Hatch[y & 7];
            if (bits == 0) {
                continue;
            }
            std::uint32_t* row = surface.ScanLine(y);
            if (bits == 0xFF) {
                FillPixels(row + left, count, ink.Colour);
                continue;
            }
            for (int x = left; x < right; ++x) {
                if ((bits >> (7 - (x & 7))) & 1U) {
                    row[x] = ink.Colour;
                }
            }
        }
        break;
    case BrushInk::Kind::Tile: {
        const Bitmap& tile = *ink.Tile;
        const int tw = tile.Width();
        const int th = tile.Height();
        for (int y = top; y < bottom; ++y) {
            const std::uint32_t* source = tile.ScanLine(y % th);
            std::uint32_t* row = surface.ScanLine(y);
            int sx = left % tw;
            for (int x = left; x < right; ++x) {
                row[x] = ink.MapToMonochrome ? Bitmap::MonochromeOf(source[sx]) : source[sx];
                if (++sx == tw) {
                    sx = 0;
                }
            }
        }
        break;
    }
    }
}

// What a pen paints along a path: dots, gaps, width and the clip, for one figure.
class Stroke {
public:
    struct Ink {
        Bitmap* Surface = nullptr;
        const Region* Area = nullptr; // where painting may happen
        bool AreaIsRect = true;
        Rect Box;                     // Area's bounds
        std::uint32_t Colour = 0;
        std::uint32_t GapColour = 0;
        bool PaintGaps = false;
        PenMode Mode = PenMode::Copy;
        bool Dotted = false;
        int Width = 1;
    };

    explicit Stroke(const Ink& ink) : ink_(ink) {}

    // The pixels from `from` towards `to`, without `to` itself.
    void Segment(Point from, Point to)
    {
        if (from == to) {
            return;
        }
        if (!ink_.Dotted && ink_.Width <= 1) {
            if (from.Y == to.Y) {
                const int left = from.X < to.X ? from.X : StepPast(to.X);
                const int right = from.X < to.X ? to.X : StepPast(from.X);
                ink_.Area->ForEachSpanIn(Rect{left, from.Y, right, from.Y + 1}, [&](int y, int, int l, int r) {
                    ApplySpan(ink_.Surface->ScanLine(y) + l, r - l, ink_.Colour, ink_.Mode);
                });
                return;
            }
            if (from.X == to.X) {
                const int top = from.Y < to.Y ? from.Y : StepPast(to.Y);
                const int bottom = from.Y < to.Y ? to.Y : StepPast(from.Y);
                ink_.Area->ForEachSpanIn(Rect{from.X, top, from.X + 1, bottom}, [&](int t, int b, int l, int) {
                    WithMode(ink_.Mode, [&](auto m) {
                        for (int y = t; y < b; ++y) {
                            std::uint32_t& p = ink_.Surface->ScanLine(y)[l];
                            p = Mix<decltype(m)::value>(p, ink_.Colour);
                        }
                    });
                });
                return;
            }
            if (ink_.AreaIsRect && InBox(ink_.Box, from.X, from.Y) && InBox(ink_.Box, to.X, to.Y)) {
                // The whole line lies inside: no pixel needs a test.
                WithMode(ink_.Mode, [&](auto m) {
                    WalkLinePixels(from, to, ink_.Box, [&](long long, int x, int y) {
                        std::uint32_t& p = ink_.Surface->ScanLine(y)[x];
                        p = Mix<decltype(m)::value>(p, ink_.Colour);
                    });
                });
                return;
            }
        }
        // Pixel i of the segment is "on" when i has the parity the segment started with;
        // the phase carries on into the next segment.
        const bool startOn = on_;
        const long long count = std::max(std::llabs(static_cast<long long>(to.X) - from.X),
                                         std::llabs(static_cast<long long>(to.Y) - from.Y));
        const int grow = ink_.Width > 1 ? ink_.Width : 0;
        const Rect reach{ink_.Box.Left - grow, ink_.Box.Top - grow, ink_.Box.Right + grow, ink_.Box.Bottom + grow};
        WalkLinePixels(from, to, reach, [&](long long i, int x, int y) {
            Plot(x, y, !ink_.Dotted || ((i % 2 == 0) == startOn));
        });
        if (count % 2 != 0) {
            on_ = !on_;
        }
    }

    // Wide pens collect their path first, so that squares overlapping along the path
    // paint each pixel once; this paints them.
    void Finish()
    {
        if (ink_.Width <= 1) {
            return;
        }
        const Region on = Thicken(RegionOfPoints(std::move(wideOn_)), ink_.Width) & *ink_.Area;
        const Region gaps = (Thicken(RegionOfPoints(std::move(wideGaps_)), ink_.Width) - on) & *ink_.Area;
        auto paint = [&](const Region& pixels, std::uint32_t colour) {
            pixels.ForEachSpanIn(pixels.Bounds(), [&](int t, int b, int l, int r) {
                for (int y = t; y < b; ++y) {
                    ApplySpan(ink_.Surface->ScanLine(y) + l, r - l, colour, ink_.Mode);
                }
            });
        };
        paint(on, ink_.Colour);
        paint(gaps, ink_.GapColour);
    }

private:
    void Plot(int x, int y, bool on)
    {
        if (!on && !ink_.PaintGaps) {
            return;
        }
        if (ink_.Width > 1) {
            (on ? wideOn_ : wideGaps_).push_back(Point{x, y});
            return;
        }
        if (ink_.AreaIsRect ? !InBox(ink_.Box, x, y) : !ink_.Area->Contains(x, y)) {
            return;
        }
        std::uint32_t& p = ink_.Surface->ScanLine(y)[x];
        const std::uint32_t colour = on ? ink_.Colour : ink_.GapColour;
        switch (ink_.Mode) {
        case PenMode::Copy:
            p = Mix<PenMode::Copy>(p, colour);
            break;
        case PenMode::Xor:
            p = Mix<PenMode::Xor>(p, colour);
            break;
        case PenMode::NotXor:
            p = Mix<PenMode::NotXor>(p, colour);
            break;
        }
    }

    const Ink& ink_;
    bool on_ = true;
    std::vector<Point> wideOn_;
    std::vector<Point> wideGaps_;
};

} // namespace

int Font::Size() const
{
    // -Height * 72 / 96, rounded half away from zero.
    const long long scaled = -static_cast<long long>(Height) * 72;
    const long long half = ScreenPixelsPerInch / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / ScreenPixelsPerInch : -((-scaled + half) / ScreenPixelsPerInch));
}

void Font::SetSize(int points)
{
    const long long scaled = static_cast<long long>(points) * ScreenPixelsPerInch;
    const long long rounded = scaled >= 0 ? (scaled + 36) / 72 : -((-scaled + 36) / 72);
    Height = static_cast<int>(-rounded);
}

Canvas::Canvas(Bitmap& surface, PaintBackend* backend) : surface_(&surface), backend_(backend) {}

PaintBackend& Canvas::RequireBackend() const
{
    if (backend_ == nullptr) {
        throw EInvalidGraphicOperation("This canvas has no paint backend, so it cannot measure or draw text");
    }
    return *backend_;
}

// --- Clipping ------------------------------------------------------------------------

void Canvas::SetClipRegion(std::optional<Region> region)
{
    clip_ = std::move(region);
    paintableValid_ = false;
}

void Canvas::IntersectClipRect(const Rect& rect)
{
    clip_ = clip_ ? clip_->Intersected(rect) : Region(rect);
    paintableValid_ = false;
}

void Canvas::IntersectClipRegion(const Region& region)
{
    clip_ = clip_ ? *clip_ & region : region;
    paintableValid_ = false;
}

void Canvas::ExcludeClipRect(const Rect& rect)
{
    clip_ = (clip_ ? *clip_ : Region(surface_->Bounds())) - Region(rect);
    paintableValid_ = false;
}

Region Canvas::PaintableRegion() const
{
    return clip_ ? clip_->Intersected(surface_->Bounds()) : Region(surface_->Bounds());
}

const Region& Canvas::Paintable()
{
    if (!paintableValid_ || paintableWidth_ != surface_->Width() || paintableHeight_ != surface_->Height()) {
        paintable_ = PaintableRegion();
        paintableBox_ = paintable_.Bounds();
        paintableIsRect_ = paintable_.Spans().size() <= 1;
        paintableWidth_ = surface_->Width();
        paintableHeight_ = surface_->Height();
        paintableValid_ = true;
    }
    return paintable_;
}

Region Canvas::CutToPaintable(const Region& shape)
{
    const Region& area = Paintable();
    return paintableIsRect_ ? shape.Intersected(paintableBox_) : shape & area;
}

Color Canvas::StoredColor(Color colour) const
{
    return surface_->Stored(ColorToRGB(colour));
}

void Canvas::PaintPixels(const Region& pixels, Color stored, PenMode mode)
{
    const Region cut = CutToPaintable(pixels);
    cut.ForEachSpanIn(cut.Bounds(), [&](int top, int bottom, int left, int right) {
        for (int y = top; y < bottom; ++y) {
            ApplySpan(surface_->ScanLine(y) + left, right - left, stored, mode);
        }
    });
}

void Canvas::FillSolid(const Rect& rect, Color stored)
{
    Paintable().ForEachSpanIn(rect, [&](int top, int bottom, int left, int right) {
        FillBlock(surface_->ScanLine(top) + left, static_cast<std::size_t>(surface_->Width()), bottom - top,
                  right - left, stored);
    });
}

// --- Fills and shapes ------------------------------------------------------------------

namespace {

BrushInk InkOf(const Brush& brush, const Bitmap& surface)
{
    BrushInk ink;
    if (brush.Bitmap != nullptr) {
        if (!brush.Bitmap->Empty()) {
            ink.Kind = BrushInk::Kind::Tile;
            ink.Tile = brush.Bitmap;
            ink.MapToMonochrome = surface.Monochrome() && !brush.Bitmap->Monochrome();
        }
        return ink;
    }
    ink.Colour = surface.Stored(ColorToRGB(brush.Color));
    switch (brush.Style) {
    case BrushStyle::Clear:
        break;
    case BrushStyle::Solid:
        ink.Kind = BrushInk::Kind::Solid;
        break;
    default:
        ink.Kind = BrushInk::Kind::Hatch;
        ink.Hatch = HatchPatterns[static_cast<int>(brush.Style) - static_cast<int>(BrushStyle::Horizontal)];
        break;
    }
    return ink;
}

} // namespace

void Canvas::FillRect(const Rect& rect)
{
    const BrushInk ink = InkOf(brush_, *surface_);
    if (ink.Kind == BrushInk::Kind::None) {
        return;
    }
    Paintable().ForEachSpanIn(rect, [&](int top, int bottom, int left, int right) {
        FillSpan(*surface_, ink, top, bottom, left, right);
    });
}

void Canvas::FillRegion(const Region& region)
{
    const BrushInk ink = InkOf(brush_, *surface_);
    if (ink.Kind == BrushInk::Kind::None) {
        return;
    }
    const Region cut = CutToPaintable(region);
    cut.ForEachSpanIn(cut.Bounds(), [&](int top, int bottom, int left, int right) {
        FillSpan(*surface_, ink, top, bottom, left, right);
    });
}

void Canvas::Rectangle(const Rect& rect)
{
    const Rect r = Normalised(rect);
    if (r.IsEmpty()) {
        return;
    }
    if (pen_.Style == PenStyle::Clear) {
        FillRect(Rect{r.Left, r.Top, r.Right - 1, r.Bottom - 1});
        return;
    }
    FillRect(Rect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1});
    const int right = r.Right - 1;
    const int bottom = r.Bottom - 1;
    if (r.Width() == 1 || r.Height() == 1) {
        // A frame without inside: one straight run of pixels, each painted once (the
        // line runs one step past the last pixel, as lines leave out their end).
        const Point path[2] = {Point{r.Left, r.Top},
                               r.Width() == 1 ? Point{r.Left, r.Bottom} : Point{r.Right, r.Top}};
        StrokePath(path, false);
        return;
    }
    // Clockwise from the top-left corner; each side stops before the next one's start.
    const Point path[4] = {Point{r.Left, r.Top}, Point{right, r.Top}, Point{right, bottom}, Point{r.Left, bottom}};
    StrokePath(path, true);
}

void Canvas::RoundRect(const Rect& rect, int ellipseWidth, int ellipseHeight)
{
    const Rect r = Normalised(rect);
    if (pen_.Style == PenStyle::Clear) {
        FillRegion(Region::RoundRect(r, ellipseWidth, ellipseHeight));
        return;
    }
    DrawClosedShape(RoundRectPixels(r, ellipseWidth, ellipseHeight));
}

void Canvas::Ellipse(const Rect& box)
{
    const Rect r = Normalised(box);
    if (pen_.Style == PenStyle::Clear) {
        FillRegion(Region::Ellipse(r));
        return;
    }
    DrawClosedShape(backend_ != nullptr ? backend_->Ellipse(r) : EllipsePixels(r));
}

void Canvas::Arc(const Rect& box, Point start, Point end)
{
    if (pen_.Style == PenStyle::Clear) {
        return;
    }
    const Rect r = Normalised(box);
    PaintOutline(backend_ != nullptr ? backend_->Arc(r, start, end) : ArcPixels(r, start, end));
}

void Canvas::DrawClosedShape(const ShapePixels& shape)
{
    FillRegion(pen_.Width > 1 ? shape.Interior - Thicken(shape.Outline, pen_.Width) : shape.Interior);
    PaintOutline(shape.Outline);
}

void Canvas::PaintOutline(const Region& outline)
{
    const Color colour = StoredColor(pen_.Color);
    if (pen_.Style != PenStyle::Dot) {
        PaintPixels(Thicken(outline, pen_.Width), colour, pen_.Mode);
        return;
    }
    const Region on = Thicken(EvenPixels(outline), pen_.Width);
    PaintPixels(on, colour, pen_.Mode);
    if (brush_.Style == BrushStyle::Solid) {
        PaintPixels(Thicken(outline, pen_.Width) - on, StoredColor(brush_.Color), pen_.Mode);
    }
}

void Canvas::Polygon(std::span<const Point> points)
{
    FillRegion(Region::Polygon(points, PolyFillMode::Alternate));
    if (pen_.Style != PenStyle::Clear && points.size() >= 2) {
        StrokePath(points, true);
    }
}

void Canvas::Polyline(std::span<const Point> points)
{
    if (pen_.Style != PenStyle::Clear && points.size() >= 2) {
        StrokePath(points, false);
    }
}

void Canvas::StrokePath(std::span<const Point> points, bool closed)
{
    Paintable();
    Stroke::Ink ink;
    ink.Surface = surface_;
    ink.Area = &paintable_;
    ink.AreaIsRect = paintableIsRect_;
    ink.Box = paintableBox_;
    ink.Colour = StoredColor(pen_.Color);
    ink.Mode = pen_.Mode;
    ink.Dotted = pen_.Style == PenStyle::Dot;
    ink.PaintGaps = ink.Dotted && brush_.Style == BrushStyle::Solid;
    ink.GapColour = StoredColor(brush_.Color);
    ink.Width = pen_.Width;
    Stroke stroke(ink);
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        stroke.Segment(points[i], points[i + 1]);
    }
    if (closed) {
        stroke.Segment(points.back(), points.front());
    }
    stroke.Finish();
}

// --- Lines ---------------------------------------------------------------------------------

void Canvas::LineTo(int x, int y)
{
    const Point from = penPos_;
    penPos_ = Point{x, y};
    if (pen_.Style == PenStyle::Clear) {
        return;
    }
    const Point path[2] = {from, penPos_};
    StrokePath(path, false);
}

// --- Pixels -----------------------------------------------------------------------------------

void Canvas::SetPixel(int x, int y, Color colour)
{
    const Region& area = Paintable();
    if (paintableIsRect_ ? InBox(paintableBox_, x, y) : area.Contains(x, y)) {
        surface_->SetPixel(x, y, ColorToRGB(colour));
    }
}

// --- Pictures -------------------------------------------------------------------------------

void Canvas::CopyRect(const Rect& dest, const Bitmap& source, const Rect& sourceRect)
{
    CopyScaled(dest, source, sourceRect, false);
}

void Canvas::Draw(int x, int y, const Bitmap& graphic)
{
    CopyScaled(Rect{x, y, x + graphic.Width(), y + graphic.Height()}, graphic, graphic.Bounds(), graphic.Transparent());
}

void Canvas::StretchDraw(const Rect& dest, const Bitmap& graphic)
{
    CopyScaled(dest, graphic, graphic.Bounds(), graphic.Transparent());
}

void Canvas::CopyScaled(const Rect& dest, const Bitmap& source, const Rect& sourceRect, bool keyed)
{
    if (dest.IsEmpty() || sourceRect.IsEmpty()) {
        return;
    }
    SourceView view{source.Pixels().data(), source.Width(), source.Bounds(), 0, 0};
    // Copying within one bitmap reads from a copy of the source rectangle, so pixels
    // already written are never read again.
    std::vector<std::uint32_t> snapshot;
    if (&source == surface_) {
        const int w = sourceRect.Width();
        const int h = sourceRect.Height();
        snapshot.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                snapshot[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)] =
                    view.At(sourceRect.Left + x, sourceRect.Top + y);
            }
        }
        view = SourceView{snapshot.data(), w, sourceRect, sourceRect.Left, sourceRect.Top};
    }
    const bool mapToMonochrome = surface_->Monochrome() && !source.Monochrome();
    const std::uint32_t key = source.TransparentColor();
    const fw::CopyMode mode = keyed ? fw::CopyMode::SrcCopy : copyMode_;
    const long long dw = dest.Width();
    const long long dh = dest.Height();
    const long long sw = sourceRect.Width();
    const long long sh = sourceRect.Height();
    const bool sameWidth = dw == sw;

    Paintable().ForEachSpanIn(dest, [&](int top, int bottom, int left, int right) {
        for (int y = top; y < bottom; ++y) {
            const int sy = sourceRect.Top + static_cast<int>((y - dest.Top) * sh / dh);
            std::uint32_t* row = surface_->ScanLine(y);
            const int sxFirst = sourceRect.Left + static_cast<int>((left - dest.Left) * sw / dw);
            if (sameWidth && !keyed && !mapToMonochrome && mode == fw::CopyMode::SrcCopy
                && InBox(view.Valid, sxFirst, sy) && InBox(view.Valid, sxFirst + (right - left) - 1, sy)) {
                const std::uint32_t* from = view.Row(sy) + (sxFirst - view.OriginX);
                std::copy(from, from + (right - left), row + left);
                continue;
            }
            for (int x = left; x < right; ++x) {
                const int sx = sameWidth ? sxFirst + (x - left)
                                         : sourceRect.Left + static_cast<int>((x - dest.Left) * sw / dw);
                std::uint32_t s = view.At(sx, sy);
                if (keyed && s == key) {
                    continue;
                }
                if (mapToMonochrome) {
                    s = Bitmap::MonochromeOf(s);
                }
                switch (mode) {
                case fw::CopyMode::SrcCopy:
                    row[x] = s;
                    break;
                case fw::CopyMode::SrcAnd:
                    row[x] &= s;
                    break;
                case fw::CopyMode::SrcPaint:
                    row[x] |= s;
                    break;
                }
            }
        }
    });
}

// --- Bevels and focus ---------------------------------------------------------------------

Rect Canvas::DrawEdge(const Rect& rect, unsigned edge, unsigned flags)
{
    Rect r = rect;
    if (r.IsEmpty()) {
        return r;
    }
    struct Ring {
        unsigned Raised;
        unsigned Sunken;
        Color RaisedTopLeft, RaisedBottomRight, SunkenTopLeft, SunkenBottomRight;
    };
    const Ring rings[2] = {
        {BDR_RAISEDOUTER, BDR_SUNKENOUTER, cl3DLight, cl3DDkShadow, clBtnShadow, clBtnHighlight},
        {BDR_RAISEDINNER, BDR_SUNKENINNER, clBtnHighlight, clBtnShadow, cl3DDkShadow, cl3DLight},
    };
    for (const Ring& ring : rings) {
        if ((edge & (ring.Raised | ring.Sunken)) == 0 || r.IsEmpty()) {
            continue;
        }
        const bool raised = (edge & ring.Raised) != 0;
        const Color topLeft = StoredColor(raised ? ring.RaisedTopLeft : ring.SunkenTopLeft);
        const Color bottomRight = StoredColor(raised ? ring.RaisedBottomRight : ring.SunkenBottomRight);
        // Top and left first at full length; bottom and right then paint over the two
        // corners they share with them, so they own those corners.
        if (flags & BF_TOP) {
            FillSolid(Rect{r.Left, r.Top, r.Right, r.Top + 1}, topLeft);
        }
        if (flags & BF_LEFT) {
            FillSolid(Rect{r.Left, r.Top, r.Left + 1, r.Bottom}, topLeft);
        }
        if (flags & BF_BOTTOM) {
            FillSolid(Rect{r.Left, r.Bottom - 1, r.Right, r.Bottom}, bottomRight);
        }
        if (flags & BF_RIGHT) {
            FillSolid(Rect{r.Right - 1, r.Top, r.Right, r.Bottom}, bottomRight);
        }
        r = Rect{r.Left + ((flags & BF_LEFT) ? 1 : 0), r.Top + ((flags & BF_TOP) ? 1 : 0),
                 r.Right - ((flags & BF_RIGHT) ? 1 : 0), r.Bottom - ((flags & BF_BOTTOM) ? 1 : 0)};
    }
    if (flags & BF_MIDDLE) {
        FillSolid(r, StoredColor(clBtnFace));
    }
    return r;
}

void Canvas::DrawFocusRect(const Rect& rect)
{
    if (rect.IsEmpty()) {
        return;
    }
    const Region& area = Paintable();
    const std::uint32_t invert = RgbMask;
    auto flip = [&](int x, int y) {
        if (((x - rect.Left) + (y - rect.Top)) % 2 != 0) {
            return;
        }
        if (paintableIsRect_ ? InBox(paintableBox_, x, y) : area.Contains(x, y)) {
            surface_->ScanLine(y)[x] ^= invert;
        }
    };
    const int right = rect.Right - 1;
    const int bottom = rect.Bottom - 1;
    for (int x = rect.Left; x <= right; ++x) {
        flip(x, rect.Top);
        if (bottom != rect.Top) {
            flip(x, bottom);
        }
    }
    for (int y = rect.Top + 1; y < bottom; ++y) {
        flip(rect.Left, y);
        if (right != rect.Left) {
            flip(right, y);
        }
    }
}

} // namespace fw
