#pragma once

#include <cstdint>
#include <vector>

#include "framework/core/region.h"

namespace fw {

// How much of each pixel of a box a run of glyphs covers: 0 not at all, 255 wholly, as a
// font rasteriser with greyscale antialiasing answers it. Pixels outside the box are not
// covered. The canvas blends the font colour over what is there by these levels, so glyph
// edges take the shades between ink and background.
class InkCoverage {
public:
    static constexpr std::uint8_t Full = 255;
    // Half covered or more: what counts as ink where a pixel can only be ink or not.
    static constexpr std::uint8_t Half = 128;

    // Covers nothing.
    InkCoverage() = default;
    // Nothing covered yet in the box (an empty box holds no pixels).
    explicit InkCoverage(const Rect& box);
    // The region's pixels wholly covered, the rest not at all.
    static InkCoverage FromRegion(const Region& ink);

    const Rect& Box() const { return box_; }
    // The level of (x, y); 0 outside the box.
    std::uint8_t At(int x, int y) const;
    // The levels of row y of the box, Box().Width() of them; y must lie in the box.
    std::uint8_t* Row(int y) { return levels_.data() + Offset(box_.Left, y); }
    const std::uint8_t* Row(int y) const { return levels_.data() + Offset(box_.Left, y); }
    // The pixels covered at least `level` (above 0).
    Region Covered(std::uint8_t level) const;

private:
    std::size_t Offset(int x, int y) const
    {
        return static_cast<std::size_t>(y - box_.Top) * static_cast<std::size_t>(box_.Width())
               + static_cast<std::size_t>(x - box_.Left);
    }

    Rect box_;
    std::vector<std::uint8_t> levels_;
};

} // namespace fw
