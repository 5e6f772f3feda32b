#pragma once

#include <QFont>
#include <QImage>
#include <QRawFont>
#include <QTextLayout>

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "framework/core/paint_backend.h"
#include "framework/gui/glyph_cache.h"

namespace fw {

// Glyphs as Qt rasterises them, for the canvas to paint: text through QFont at 96 pixels
// per inch, greyscale antialiased (never subpixel), and full hinting so that advances are
// whole pixels and the width of a run is the sum of its characters' widths.
//
// The backend draws into a scratch image of its own and answers coverage levels (and, for
// TextPixels, the pixels at least half covered); it never touches the canvas's bitmap, so
// clipping and colours stay the canvas's.
//
// Text runs are laid from a cache of glyphs kept by font and character: each character is
// drawn by Qt once, alone, and a run is its characters' coverage laid side by side at the
// advances the shaper gives them (kerning included), overlaps covered as Qt covers them.
// The pixels are Qt's own for the run. What the cache cannot lay exactly goes to Qt whole:
// turned text, underlined or struck-out fonts, fonts too large for Qt's own glyph cache,
// and runs holding characters beyond printable Latin or pairs the shaper joins.
//
// Ellipses and arcs keep the canvas's built-in geometry. Qt's aliased ellipse does not
// keep to the platform's box: drawn in QRect(L, T, R - L - 1, B - T - 1) it strays past
// the box for some small sizes and differs in shape from the platform's for most, so it
// would be the odd one out next to the canvas's round rectangles and regions.
//
// Needs a QGuiApplication (fonts come from it) for its whole life.
class QtPaintBackend : public PaintBackend {
public:
    // Glyphs kept at most before the cache starts afresh (kerning pairs: 16 times as many).
    static constexpr std::size_t DefaultGlyphCapacity = 4096;

    explicit QtPaintBackend(std::size_t glyphCapacity = DefaultGlyphCapacity);
    ~QtPaintBackend() override;

    Size TextExtent(const Font& font, std::string_view text) override;
    Region TextPixels(const Font& font, int x, int y, int escapement, std::string_view text) override;
    InkCoverage TextCoverage(const Font& font, int x, int y, int escapement, std::string_view text) override;

    // The Qt font the backend uses for ours (for Qt widgets that must match the canvas).
    QFont QtFont(const Font& font);

    // Off, every run goes to Qt whole (what the cache is checked against); on by default.
    void SetGlyphCacheEnabled(bool enabled) { glyphCacheEnabled_ = enabled; }
    // Whether the run is laid from cached glyphs (caching those not cached yet) rather than
    // drawn by Qt whole.
    bool LaysFromCache(const Font& font, std::string_view text);
    // The glyphs cached for the font, and for all fonts.
    std::size_t CachedGlyphCount(const Font& font);
    std::size_t CachedGlyphCount() const;

private:
    struct CachedFont {
        QFont font;
        int ascent = 0;
        int height = 0; // of the cell: ascent and descent
        // The font's own glyphs, to tell a fallback font's apart.
        QRawFont raw;
        // Whether runs in this font may be laid from cached glyphs at all.
        bool cacheable = false;
        FontGlyphs glyphs;
    };
    struct PlacedGlyph {
        const CachedGlyph* glyph;
        int x; // of the glyph's cell, from the run's start
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
    CachedFont& FontFor(const Font& font);
    const ShapedRun& Shaped(const CachedFont& font, std::string_view text);
    // A cleared scratch image of at least this size, drawn into with white.
    QImage& Scratch(int width, int height);
    // Qt's coverage of the shaped run drawn with its cell's top-left corner at (x, y).
    InkCoverage DrawShaped(const ShapedRun& run, int x, int y, int escapement);
    // Lays the run out in placed_ from cached glyphs, drawing those not cached yet, and
    // answers its advance; -1 when the run must go to Qt whole.
    int LayOutFromCache(CachedFont& font, std::string_view text);
    int LayOut(CachedFont& font, std::string_view text);
    const CachedGlyph& DrawGlyph(CachedFont& font, char32_t character);
    int ShapePair(CachedFont& font, char32_t first, const CachedGlyph& firstGlyph, char32_t second,
                  const CachedGlyph& secondGlyph);
    // The box a run's mask spans, relative to its cell's top-left corner.
    static QRect InkRoom(const CachedFont& font, int advance);
    // The coverage drawn in the part of the scratch image, placed with the part's top-left
    // corner on origin.
    InkCoverage MaskCoverage(const QRect& part, Point origin) const;

    using FontKey = std::tuple<std::string, int, bool, bool, bool, bool>;
    std::map<FontKey, std::unique_ptr<CachedFont>> fonts_;
    ShapedRun shaped_;
    QImage scratch_;
    bool glyphCacheEnabled_ = true;
    std::size_t glyphCapacity_;
    std::size_t glyphCount_ = 0;
    std::size_t pairCount_ = 0;
    std::vector<PlacedGlyph> placed_;
    // The run placed_ holds, and its advance.
    const CachedFont* laidFont_ = nullptr;
    std::string laidText_;
    int laidAdvance_ = -1;
};

} // namespace fw
