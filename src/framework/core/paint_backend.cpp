#include "framework/core/paint_backend.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <vector>

namespace fw {

namespace {

Rect Normalised(const Rect& box)
{
    return Rect{std::min(box.Left, box.Right), std::min(box.Top, box.Bottom), std::max(box.Left, box.Right),
                std::max(box.Top, box.Bottom)};
}

// Splits a filled shape into its one-pixel boundary (pixels with a 4-neighbour outside the
// shape) and the rest. The boundary of a convex shape is an 8-connected ring one pixel thin.
ShapePixels SplitBoundary(const Region& shape)
{
    const Region inner =
        shape & shape.Offsetted(1, 0) & shape.Offsetted(-1, 0) & shape.Offsetted(0, 1) & shape.Offsetted(0, -1);
    return ShapePixels{shape - inner, inner};
}

// Angle of (x, y) about (cx, cy) in radians, counter-clockwise as seen on the screen.
double ScreenAngle(double x, double y, double cx, double cy)
{
    return std::atan2(cy - y, x - cx);
}

double Wrap(double angle)
{
    const double full = 2 * std::numbers::pi;
    angle = std::fmod(angle, full);
    return angle < 0 ? angle + full : angle;
}

// Calls visit(first byte) for each character of UTF-8 text. A lead byte takes as many
// continuation bytes as it announces and finds; a continuation byte nobody expects is a
// character of its own.
template <class Visit>
void ForEachCharacter(std::string_view text, Visit&& visit)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i++]);
        const std::size_t expected = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        for (std::size_t k = 0; k < expected && i < text.size()
                                && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
             ++k) {
            ++i;
        }
        visit(lead);
    }
}

bool IsBlank(unsigned char firstByte)
{
    return firstByte <= 0x20 || firstByte == 0x7F;
}

} // namespace

ShapePixels PaintBackend::Ellipse(const Rect& box)
{
    return EllipsePixels(box);
}

Region PaintBackend::Arc(const Rect& box, Point start, Point end)
{
    return ArcPixels(box, start, end);
}

ShapePixels RoundRectPixels(const Rect& box, int ellipseWidth, int ellipseHeight)
{
    const Rect r = Normalised(box);
    if (r.IsEmpty()) {
        return ShapePixels{};
    }
    // The shape does not depend on where the box lies, and a screen draws the same few shapes
    // again and again (the card frames' circles, at every pick): the last shapes made are kept
    // at the origin and moved to the box.
    struct Made {
        int Width = 0;
        int Height = 0;
        int EllipseWidth = 0;
        int EllipseHeight = 0;
        ShapePixels Shape;
    };
    constexpr std::size_t Kept = 8;
    thread_local std::array<Made, Kept> made;
    thread_local std::size_t next = 0;
    const int width = r.Width();
    const int height = r.Height();
    for (const Made& shape : made) {
        if (shape.Width == width && shape.Height == height && shape.EllipseWidth == ellipseWidth
            && shape.EllipseHeight == ellipseHeight) {
            return ShapePixels{shape.Shape.Outline.Offsetted(r.Left, r.Top), shape.Shape.Interior.Offsetted(r.Left, r.Top)};
        }
    }
    // The platform's region leaves out the last column and row, so it is asked for one
    // more of each: the pen's outline covers the whole box.
    Made& slot = made[next];
    next = (next + 1) % Kept;
    slot = Made{width, height, ellipseWidth, ellipseHeight,
                SplitBoundary(Region::RoundRect(Rect{0, 0, width + 1, height + 1}, ellipseWidth, ellipseHeight))};
    return ShapePixels{slot.Shape.Outline.Offsetted(r.Left, r.Top), slot.Shape.Interior.Offsetted(r.Left, r.Top)};
}

ShapePixels EllipsePixels(const Rect& box)
{
    const Rect r = Normalised(box);
    return RoundRectPixels(r, r.Width(), r.Height());
}

Region ArcPixels(const Rect& box, Point start, Point end)
{
    const Rect r = Normalised(box);
    const Region outline = EllipsePixels(r).Outline;
    // Points name pixels, so the centre of the box's pixels is half a pixel up and left
    // of the box's geometric middle.
    const double cx = (r.Left + r.Right - 1) / 2.0;
    const double cy = (r.Top + r.Bottom - 1) / 2.0;
    const double from = ScreenAngle(start.X, start.Y, cx, cy);
    const double sweep = Wrap(ScreenAngle(end.X, end.Y, cx, cy) - from);
    const bool whole = sweep == 0;
    std::vector<std::vector<Region::Span>> rows;
    const Rect bounds = outline.Bounds();
    rows.resize(static_cast<std::size_t>(bounds.Height()));
    outline.ForEachSpanIn(bounds, [&](int top, int bottom, int left, int right) {
        for (int y = top; y < bottom; ++y) {
            auto& row = rows[static_cast<std::size_t>(y - bounds.Top)];
            for (int x = left; x < right; ++x) {
                if (whole || Wrap(ScreenAngle(x, y, cx, cy) - from) <= sweep) {
                    row.push_back(Region::Span{x, x + 1});
                }
            }
        }
    });
    return Region::FromRows(bounds.Top, rows);
}

InkCoverage PaintBackend::TextCoverage(const Font& font, int x, int y, int escapement, std::string_view text)
{
    return InkCoverage::FromRegion(TextPixels(font, x, y, escapement, text));
}

int CodePointCount(std::string_view text)
{
    int count = 0;
    ForEachCharacter(text, [&](unsigned char) { ++count; });
    return count;
}

Size FakePaintBackend::TextExtent(const Font&, std::string_view text)
{
    return Size{CharWidth * CodePointCount(text), LineHeight};
}

Region FakePaintBackend::TextPixels(const Font&, int x, int y, int escapement, std::string_view text)
{
    // Which cells carry ink: a character is blank when it is a single byte at or below
    // space (or DEL); anything else, multi-byte characters included, gets a box.
    std::vector<bool> inked;
    ForEachCharacter(text, [&](unsigned char first) { inked.push_back(!IsBlank(first)); });
    if (escapement % 3600 == 0) {
        std::vector<Region::Span> row;
        for (std::size_t i = 0; i < inked.size(); ++i) {
            if (inked[i]) {
                const int left = x + CharWidth * static_cast<int>(i);
                row.push_back(Region::Span{left, left + GlyphWidth});
            }
        }
        return Region::FromRows(y + GlyphTop, std::vector<std::vector<Region::Span>>(GlyphHeight, row));
    }
    const double angle = escapement / 10.0 * std::numbers::pi / 180.0;
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    // A point (u, v) of the unturned run, u along the line and v down, lands at
    // (x + u cos + v sin, y - u sin + v cos) on the screen.
    auto place = [&](int u, int v) {
        return Point{x + static_cast<int>(std::lround(u * c + v * s)), y + static_cast<int>(std::lround(-u * s + v * c))};
    };
    Region ink;
    for (std::size_t i = 0; i < inked.size(); ++i) {
        if (!inked[i]) {
            continue;
        }
        const int u = CharWidth * static_cast<int>(i);
        const Point corners[4] = {place(u, GlyphTop), place(u + GlyphWidth, GlyphTop),
                                  place(u + GlyphWidth, GlyphTop + GlyphHeight), place(u, GlyphTop + GlyphHeight)};
        ink |= Region::Polygon(corners);
    }
    return ink;
}

} // namespace fw
