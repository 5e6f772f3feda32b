// The canvas's text: the backend shapes the run and says how much of each pixel its glyphs
// cover; the canvas fills the background and blends the font colour over the pixels.

#include <algorithm>
#include <cstdint>

#include "framework/core/canvas.h"
#include "framework/core/ink_coverage.h"
#include "framework/core/paint_backend.h"

namespace fw {

namespace {

// The ink over the pixel there by the level of coverage, channel by channel, rounded: a
// whole pixel is the ink itself, an untouched one stays as it was.
std::uint32_t Blend(std::uint32_t there, std::uint32_t ink, unsigned level)
{
    std::uint32_t blended = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const unsigned back = (there >> shift) & 0xFFu;
        const unsigned front = (ink >> shift) & 0xFFu;
        blended |= ((front * level + back * (255u - level) + 127u) / 255u) << shift;
    }
    return blended;
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
    Paintable().ForEachSpanIn(area, [&](int top, int bottom, int left, int right) {
        for (int y = top; y < bottom; ++y) {
            const std::uint8_t* levels = ink.Row(y);
            std::uint32_t* pixels = surface_->ScanLine(y);
            for (int x = left; x < right; ++x) {
                const unsigned level = levels[x - box.Left];
                if (level == InkCoverage::Full || (!shades && level >= InkCoverage::Half)) {
                    pixels[x] = stored;
                } else if (level != 0 && shades) {
                    pixels[x] = Blend(pixels[x], stored, level);
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
