#pragma once

#include <QFont>
#include <QImage>
#include <QTextLayout>

#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "framework/core/paint_backend.h"

namespace fw {

// Glyphs as Qt rasterises them, for the canvas to paint: text through QFont at 96 pixels
// per inch, greyscale antialiased (never subpixel), and full hinting so that advances are
// whole pixels and the width of a run is the sum of its characters' widths.
//
// The backend draws into a scratch image of its own and answers coverage levels (and, for
// TextPixels, the pixels at least half covered); it never touches the canvas's bitmap, so
// clipping and colours stay the canvas's.
//
// Ellipses and arcs keep the canvas's built-in geometry. Qt's aliased ellipse does not
// keep to the platform's box: drawn in QRect(L, T, R - L - 1, B - T - 1) it strays past
// the box for some small sizes and differs in shape from the platform's for most, so it
// would be the odd one out next to the canvas's round rectangles and regions.
//
// Needs a QGuiApplication (fonts come from it) for its whole life.
class QtPaintBackend : public PaintBackend {
public:
    QtPaintBackend();
    ~QtPaintBackend() override;

    Size TextExtent(const Font& font, std::string_view text) override;
    Region TextPixels(const Font& font, int x, int y, int escapement, std::string_view text) override;
    InkCoverage TextCoverage(const Font& font, int x, int y, int escapement, std::string_view text) override;

    // The Qt font the backend uses for ours (for Qt widgets that must match the canvas).
    QFont QtFont(const Font& font);

private:
    struct CachedFont {
        QFont font;
        int ascent;
        int height; // of the cell: ascent and descent
    };
    // A run shaped once, for its width and its glyphs: the canvas asks for a run's extent
    // and then for its pixels, and shaping is the dearest part of both.
    struct ShapedRun {
        const CachedFont* font = nullptr;
        std::string text;
        std::unique_ptr<QTextLayout> layout;
        // How far the layout's baseline must move to sit on the cell's.
        double baselineShift = 0;
        int advance = 0;
        // Where the glyphs' ink can lie, relative to the cell's top-left corner.
        QRect ink;
    };
    const CachedFont& FontFor(const Font& font);
    const ShapedRun& Shaped(const CachedFont& font, std::string_view text);
    // A cleared scratch image of at least this size, drawn into with white.
    QImage& Scratch(int width, int height);
    // The coverage drawn in the part of the scratch image, placed with the part's top-left
    // corner on origin.
    InkCoverage MaskCoverage(const QRect& part, Point origin) const;

    using FontKey = std::tuple<std::string, int, bool, bool, bool, bool>;
    std::map<FontKey, std::unique_ptr<CachedFont>> fonts_;
    ShapedRun shaped_;
    QImage scratch_;
};

} // namespace fw
