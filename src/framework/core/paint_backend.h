#pragma once

#include <string_view>

#include "framework/core/canvas.h"
#include "framework/core/ink_coverage.h"
#include "framework/core/region.h"

namespace fw {

// The pixels of a closed shape a pen outlines and a brush fills; the two never overlap.
struct ShapePixels {
    Region Outline;
    Region Interior;
};

// What the canvas cannot work out from plain pixel rules: the shapes of glyphs and their
// metrics, and (optionally) the pixels of curved outlines. A backend never touches a
// bitmap. It answers which pixels a shape or a text run covers, as a Region, and the
// canvas paints those pixels itself with its pen, brush or font colour, its pen mode and
// its clip region. So clipping, monochrome targets, xor modes and the untouched top byte
// of every pixel are handled in one place, whichever backend measures the glyphs.
//
// Text may come with greyscale edges (TextCoverage): the canvas then blends the font colour
// over the pixels by how much of each the glyphs cover. Shapes never do: their pixels are
// exact.
//
// The program uses the Qt backend of framework/gui (fonts at 96 dpi, greyscale antialiased
// glyphs); tests use FakePaintBackend below, whose metrics are fixed so text layout is exact.
class PaintBackend {
public:
    PaintBackend() = default;
    virtual ~PaintBackend() = default;
    PaintBackend(const PaintBackend&) = delete;
    PaintBackend& operator=(const PaintBackend&) = delete;

    // Width and height of the text's cell in the font: the height is the font's line
    // height, the same for "" as for "X". Text is UTF-8 and one line (line breaks are
    // ordinary characters here).
    virtual Size TextExtent(const Font& font, std::string_view text) = 0;

    // The ink pixels of the text drawn with the top-left corner of its cell at (x, y),
    // underline and strike-out lines included. With a non-zero escapement (tenths of a
    // degree, counter-clockwise, as the platform's fonts take it) the run is turned about
    // (x, y): 900 writes upwards, -900 (or 2700) downwards. The canvas paints these pixels
    // in the font colour; the background cell it fills itself.
    virtual Region TextPixels(const Font& font, int x, int y, int escapement, std::string_view text) = 0;
    // The same run as levels of coverage, which the canvas draws text with. The default
    // covers the pixels of TextPixels wholly: a backend without antialiasing need not
    // override it. A backend that does override it answers in TextPixels the pixels at
    // least half covered, so both agree on where the glyphs are.
    virtual InkCoverage TextCoverage(const Font& font, int x, int y, int escapement, std::string_view text);

    // The outline and the inside of the ellipse in the box (right and bottom exclusive:
    // the outline's pixels lie in [Left, Right) x [Top, Bottom)). The default is the
    // built-in geometry (EllipsePixels); a backend overrides it only to match another
    // rasteriser.
    virtual ShapePixels Ellipse(const Rect& box);
    // The outline pixels of the arc of the ellipse in the box, counter-clockwise from the
    // radial through `start` to the radial through `end`. Default: ArcPixels.
    virtual Region Arc(const Rect& box, Point start, Point end);
};

// The built-in ellipse: the outline is the one-pixel boundary of the platform's elliptic
// region grown to cover the whole box (a pixel of the shape with a 4-neighbour outside
// it), the inside is the rest of the shape. A box narrower or lower than 1 pixel is
// empty.
ShapePixels EllipsePixels(const Rect& box);
// The built-in arc: the outline pixels of EllipsePixels(box) that lie in the sweep
// counter-clockwise as seen on the screen from the angle of `start` to the angle of `end`,
// all angles taken about the middle pixel ((L + R - 1) / 2, (T + B - 1) / 2); pixels on
// either bounding radial belong to the arc. Equal angles give the whole ellipse, as on
// the platform.
Region ArcPixels(const Rect& box, Point start, Point end);
// The rounded rectangle a pen draws for (box, corner width, corner height): the outline
// covers [Left, Right) x [Top, Bottom) with corners cut by ellipses of the given size,
// and the inside is what the brush fills within it.
ShapePixels RoundRectPixels(const Rect& box, int ellipseWidth, int ellipseHeight);

// A backend with fixed metrics for tests: every character (UTF-8 code point) is 6 pixels
// wide, every line 13 pixels high, whatever the font. A glyph is a filled 5 x 9 box
// whose top-left pixel is (cell left, cell top + 2), the 6th column staying blank as the
// gap; blanks (space, tab, other control characters) leave no ink. Turned text turns the
// boxes about (x, y) with the run; at multiples of 90 degrees the boxes stay exact.
class FakePaintBackend : public PaintBackend {
public:
    static constexpr int CharWidth = 6;
    static constexpr int LineHeight = 13;
    static constexpr int GlyphWidth = 5;
    static constexpr int GlyphHeight = 9;
    static constexpr int GlyphTop = 2;

    Size TextExtent(const Font& font, std::string_view text) override;
    Region TextPixels(const Font& font, int x, int y, int escapement, std::string_view text) override;
};

// The number of characters (code points) of UTF-8 text; a stray continuation byte counts
// as a character of its own, so broken text still has a width.
int CodePointCount(std::string_view text);

} // namespace fw
