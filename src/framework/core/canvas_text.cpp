// The canvas's text: the backend shapes the run and says how much of each pixel its glyphs
// cover; the canvas fills the background and blends the font colour over the pixels.

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "framework/core/canvas.h"
#include "framework/core/ink_coverage.h"
#include "framework/core/paint_backend.h"

namespace fw {

namespace {

// The three colour channels of a pixel in 16-bit lanes of their own, so that one multiply
// scales them all: 0x00RRGGBB becomes 0x00RR'00GG'00BB.
inline std::uint64_t Spread(std::uint32_t colour)
{
    return (colour & 0xFFu) | (static_cast<std::uint64_t>(colour & 0xFF00u) << 8) |
           (static_cast<std::uint64_t>(colour & 0xFF0000u) << 16);
}

inline std::uint32_t Gather(std::uint64_t lanes)
{
    return static_cast<std::uint32_t>((lanes & 0xFFu) | ((lanes >> 8) & 0xFF00u) | ((lanes >> 16) & 0xFF0000u));
}

// The ink over the pixel there by the level of coverage, channel by channel, rounded:
// (ink * level + there * (255 - level) + 127) / 255. The sums stay below 2^16, where
// (x + (x + 257) / 256) / 256 divides by 255 exactly, so all three lanes divide at once.
inline std::uint32_t Blend(std::uint32_t there, std::uint64_t spreadInk, unsigned level)
{
    constexpr std::uint64_t Half = 0x007F'007F'007FULL;
    constexpr std::uint64_t Ones = 0x0101'0101'0101ULL;
    constexpr std::uint64_t Low = 0x00FF'00FF'00FFULL;
    const std::uint64_t sum = spreadInk * level + Spread(there) * (255u - level) + Half;
    return Gather(((sum + (((sum + Ones) >> 8) & Low)) >> 8) & Low);
}

constexpr int CacheLinePixels = 16;

// Where the next covered pixel of the row lies, from x on (right when none): eight
// uncovered pixels are passed over at a time, as most of a run's box is blank.
inline int NextCovered(const std::uint8_t* levels, int x, int right)
{
    while (x + 8 <= right) {
        std::uint64_t eight = 0;
        std::memcpy(&eight, levels + x, sizeof eight);
        if (eight != 0) {
            break;
        }
        x += 8;
    }
    while (x < right && levels[x] == 0) {
        ++x;
    }
    return x;
}

} // namespace

void Canvas::PaintInk(const InkCoverage& ink, const Rect& within)
{
    const Rect& box = ink.Box();
    const Rect area{std::max(box.Left, within.Left), std::max(box.Top, within.Top), std::min(box.Right, within.Right),
                    std::min(box.Bottom, within.Bottom)};
    if (area.IsEmpty()) {
        return;
    }
    const std::uint32_t stored = StoredColor(font_.Color);
    // A monochrome bitmap has no shades between ink and paper: a pixel is ink when the
    // glyphs cover at least half of it.
    const bool shades = !surface_->Monochrome();
    const std::uint64_t spreadInk = Spread(stored);
    Paintable().ForEachSpanIn(area, [&](int top, int bottom, int left, int right) {
        // Blending reads the pixels under the ink, and a run's rows lie a whole surface
        // row apart: ask for all of them at once rather than wait for each in turn.
        for (int y = top; y < bottom; ++y) {
            const std::uint32_t* row = surface_->ScanLine(y);
            for (int x = left; x < right; x += CacheLinePixels) {
                __builtin_prefetch(row + x, 1);
            }
            __builtin_prefetch(row + right - 1, 1);
        }
        for (int y = top; y < bottom; ++y) {
            // i counts from the box's left edge.
            const std::uint8_t* levels = ink.Row(y);
            std::uint32_t* row = surface_->ScanLine(y);
            const int end = right - box.Left;
            for (int i = NextCovered(levels, left - box.Left, end); i < end; i = NextCovered(levels, i + 1, end)) {
                const unsigned level = levels[i];
                std::uint32_t& pixel = row[i + box.Left];
                if (level == InkCoverage::Full || (!shades && level >= InkCoverage::Half)) {
                    pixel = stored;
                } else if (shades) {
                    pixel = Blend(pixel, spreadInk, level);
                }
            }
        }
    });
}

void Canvas::TextOut(int x, int y, std::string_view text)
{
    PaintBackend& backend = RequireBackend();
    const Size extent = backend.TextExtent(font_, text);
    if (brush_.Style == BrushStyle::Solid) {
        FillSolid(Rect{x, y, x + extent.Width, y + extent.Height}, StoredColor(brush_.Color));
    }
    const InkCoverage ink = backend.TextCoverage(font_, x, y, 0, text);
    PaintInk(ink, ink.Box());
    penPos_ = Point{x + extent.Width, y};
}

void Canvas::TextRect(const Rect& rect, int x, int y, std::string_view text)
{
    PaintBackend& backend = RequireBackend();
    if (brush_.Style == BrushStyle::Solid) {
        FillSolid(rect, StoredColor(brush_.Color));
    }
    PaintInk(backend.TextCoverage(font_, x, y, 0, text), rect);
}

void Canvas::TextOutRotated(int x, int y, int escapement, std::string_view text)
{
    const InkCoverage ink = RequireBackend().TextCoverage(font_, x, y, escapement, text);
    PaintInk(ink, ink.Box());
}

Size Canvas::TextExtent(std::string_view text) const
{
    return RequireBackend().TextExtent(font_, text);
}

} // namespace fw
