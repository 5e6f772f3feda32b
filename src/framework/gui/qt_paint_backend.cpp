#include "framework/gui/qt_paint_backend.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <QString>
#include <QTextLayout>
#include <QTextLine>
#include <QTextOption>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace fw {

namespace {

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Characters up to U+07FF, all the glyph cache takes, as UTF-8.
void AppendUtf8(std::string& text, char32_t character)
{
    if (character < 0x80) {
        text += static_cast<char>(character);
        return;
    }
    text += static_cast<char>(0xC0 | (character >> 6));
    text += static_cast<char>(0x80 | (character & 0x3F));
}

// Qt keeps glyphs of at most this many pixels in its own cache and draws larger ones as
// outlines, which a run's mask would not show as its glyphs' masks laid side by side.
constexpr int LargestCachedPixelSize = 63;

void PrepareMaskPainter(QPainter& painter)
{
    // Shapes never come from here; the glyphs' edges are shades of grey.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setPen(Qt::white);
}

} // namespace

QtPaintBackend::QtPaintBackend(std::size_t glyphCapacity) : glyphCapacity_(glyphCapacity) {}

QtPaintBackend::~QtPaintBackend() = default;

QImage& QtPaintBackend::Scratch(int width, int height)
{
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (scratch_.width() < width || scratch_.height() < height) {
        scratch_ = QImage(std::max(width, scratch_.width()), std::max(height, scratch_.height()), QImage::Format_RGB32);
    }
    // Only the part in use is cleared: whatever lies beyond it is never read.
    for (int y = 0; y < height; ++y) {
        std::memset(scratch_.scanLine(y), 0, static_cast<std::size_t>(width) * 4);
    }
    return scratch_;
}

QtPaintBackend::CachedFont& QtPaintBackend::FontFor(const Font& font)
{
    const FontKey key{font.Name, font.Height, font.Style.Bold, font.Style.Italic, font.Style.Underline,
                      font.Style.StrikeOut};
    if (auto found = fonts_.find(key); found != fonts_.end()) {
        return *found->second;
    }
    QFont qfont(QString::fromStdString(font.Name));
    // Greyscale edges, never coloured ones: the canvas blends one coverage level per pixel,
    // and colour fringes would show on every background that is not the one they suit.
    qfont.setStyleStrategy(static_cast<QFont::StyleStrategy>(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
    // Whole-pixel advances, as the platform's fonts have: a run is as wide as its parts.
    qfont.setHintingPreference(QFont::PreferFullHinting);
    qfont.setBold(font.Style.Bold);
    qfont.setItalic(font.Style.Italic);
    qfont.setUnderline(font.Style.Underline);
    qfont.setStrikeOut(font.Style.StrikeOut);
    // Our heights are pixels at 96 per inch: a negative one is the em height (what a size
    // in points gives), a positive one the whole cell, which Qt cannot take directly, so
    // it is scaled from the cell of a large size. 0 asks for the default size.
    const int height = font.Height == 0 ? Font().Height : font.Height;
    if (height < 0) {
        qfont.setPixelSize(-height);
    } else {
        constexpr int Probe = 256;
        qfont.setPixelSize(Probe);
        const double probeCell = QFontMetricsF(qfont, &Scratch(1, 1)).height();
        qfont.setPixelSize(std::max(1, static_cast<int>(std::lround(height * Probe / probeCell))));
    }
    // Measured on the image the glyphs are drawn into, so measure and ink agree.
    const QFontMetrics metrics(qfont, &Scratch(1, 1));
    auto made = std::make_unique<CachedFont>();
    made->font = qfont;
    made->ascent = metrics.ascent();
    made->height = metrics.height();
    made->raw = QRawFont::fromFont(QFont(qfont, &scratch_));
    made->cacheable = !font.Style.Underline && !font.Style.StrikeOut && made->raw.isValid() &&
                      QFontInfo(qfont).pixelSize() <= LargestCachedPixelSize;
    return *fonts_.emplace(key, std::move(made)).first->second;
}

QFont QtPaintBackend::QtFont(const Font& font)
{
    return FontFor(font).font;
}

InkCoverage QtPaintBackend::MaskCoverage(const QRect& part, Point origin) const
{
    InkCoverage coverage(Rect{origin.X, origin.Y, origin.X + part.width(), origin.Y + part.height()});
    for (int y = 0; y < part.height(); ++y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(scratch_.constScanLine(part.top() + y)) + part.left();
        std::uint8_t* levels = coverage.Row(origin.Y + y);
        for (int x = 0; x < part.width(); ++x) {
            // White drawn on black: every channel holds the coverage. Their mean keeps a
            // rasteriser that colours the edges anyway from leaving a tint.
            const QRgb pixel = pixels[x];
            levels[x] = static_cast<std::uint8_t>((qRed(pixel) + qGreen(pixel) + qBlue(pixel) + 1) / 3);
        }
    }
    return coverage;
}

const QtPaintBackend::ShapedRun& QtPaintBackend::Shaped(const CachedFont& font, std::string_view text)
{
    if (shaped_.font == &font && shaped_.text == text) {
        return shaped_;
    }
    auto layout = std::make_unique<QTextLayout>(ToQString(text), font.font, &scratch_);
    layout->setCacheEnabled(true); // keeps the shaped glyphs for drawing
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout->setTextOption(option);
    layout->beginLayout();
    QTextLine line = layout->createLine();
    line.setLineWidth(1e6);
    layout->endLayout();

    shaped_.font = &font;
    shaped_.text = std::string(text);
    shaped_.advance = static_cast<int>(std::lround(line.horizontalAdvance()));
    // The layout puts the baseline at the line's ascent, which a fallback font may make
    // deeper than the cell's own.
    shaped_.baselineShift = font.ascent - line.ascent();
    shaped_.ink = InkRoom(font, shaped_.advance);
    shaped_.layout = std::move(layout);
    return shaped_;
}

QRect QtPaintBackend::InkRoom(const CachedFont& font, int advance)
{
    // Glyphs may reach past their advance (italics, overhanging letters) and past the
    // cell (accents on capitals, a fallback font's tall glyphs): the mask gives them room
    // generously, as empty mask pixels cost little.
    const int side = font.height / 2 + 2;
    const int above = font.height / 4 + 2;
    return QRect(-side, -above, advance + 2 * side, font.height + 2 * above);
}

const CachedGlyph& QtPaintBackend::DrawGlyph(CachedFont& font, char32_t character)
{
    std::string text;
    AppendUtf8(text, character);
    const ShapedRun& run = Shaped(font, text);
    CachedGlyph glyph;
    glyph.Advance = run.advance;
    const QList<QGlyphRun> glyphRuns = run.layout->glyphRuns();
    if (glyphRuns.size() != 1 || glyphRuns.front().glyphIndexes().size() != 1 || glyphRuns.front().rawFont() != font.raw) {
        ++glyphCount_;
        return font.glyphs.Insert(character, std::move(glyph));
    }
    glyph.Index = glyphRuns.front().glyphIndexes().front();
    const InkCoverage drawn = DrawShaped(run, 0, 0, 0);
    const Rect& room = drawn.Box();
    Rect ink{room.Right, room.Bottom, room.Left, room.Top};
    for (int y = room.Top; y < room.Bottom; ++y) {
        const std::uint8_t* levels = drawn.Row(y);
        for (int x = room.Left; x < room.Right; ++x) {
            if (levels[x - room.Left] != 0) {
                ink = Rect{std::min(ink.Left, x), std::min(ink.Top, y), std::max(ink.Right, x + 1),
                           std::max(ink.Bottom, y + 1)};
            }
        }
    }
    // Ink on the edge of the room may have been cut off, and in a run it would show.
    const bool touchesEdge = !ink.IsEmpty() && (ink.Left == room.Left || ink.Top == room.Top ||
                                                ink.Right == room.Right || ink.Bottom == room.Bottom);
    glyph.Usable = !touchesEdge;
    if (glyph.Usable && !ink.IsEmpty()) {
        glyph.Ink = ink;
        glyph.Levels.reserve(static_cast<std::size_t>(ink.Width()) * static_cast<std::size_t>(ink.Height()));
        for (int y = ink.Top; y < ink.Bottom; ++y) {
            const std::uint8_t* levels = drawn.Row(y) + (ink.Left - room.Left);
            glyph.Levels.insert(glyph.Levels.end(), levels, levels + ink.Width());
        }
    }
    ++glyphCount_;
    return font.glyphs.Insert(character, std::move(glyph));
}

int QtPaintBackend::ShapePair(CachedFont& font, char32_t first, const CachedGlyph& firstGlyph, char32_t second,
                              const CachedGlyph& secondGlyph)
{
    std::string text;
    AppendUtf8(text, first);
    AppendUtf8(text, second);
    const ShapedRun& run = Shaped(font, text);
    int advance = FontGlyphs::NotSideBySide;
    const QList<QGlyphRun> glyphRuns = run.layout->glyphRuns();
    if (glyphRuns.size() == 1 && glyphRuns.front().rawFont() == font.raw) {
        const QGlyphRun& pair = glyphRuns.front();
        const QList<quint32> indexes = pair.glyphIndexes();
        const QList<QPointF> positions = pair.positions();
        if (indexes.size() == 2 && positions.size() == 2 && indexes[0] == firstGlyph.Index &&
            indexes[1] == secondGlyph.Index && positions[0].y() == positions[1].y()) {
            // Whole pixels only: the glyphs were drawn alone at whole pixels.
            const double step = positions[1].x() - positions[0].x();
            const long whole = std::lround(step);
            if (step == static_cast<double>(whole) && whole + secondGlyph.Advance == run.advance) {
                advance = static_cast<int>(whole);
            }
        }
    }
    ++pairCount_;
    font.glyphs.InsertPair(first, second, advance);
    return advance;
}

int QtPaintBackend::LayOutFromCache(CachedFont& font, std::string_view text)
{
    if (!glyphCacheEnabled_ || !font.cacheable || text.empty()) {
        return -1;
    }
    // Full: start afresh, before any glyph of this run is handed out.
    if (glyphCount_ > glyphCapacity_ || pairCount_ > 16 * glyphCapacity_) {
        for (auto& [key, cached] : fonts_) {
            cached->glyphs.Clear();
        }
        glyphCount_ = 0;
        pairCount_ = 0;
        laidFont_ = nullptr;
    }
    // The canvas asks for a run's extent and then for its pixels: the second time the run
    // is laid out already.
    if (laidFont_ == &font && laidText_ == text) {
        return laidAdvance_;
    }
    laidFont_ = &font;
    laidText_.assign(text);
    laidAdvance_ = LayOut(font, text);
    return laidAdvance_;
}

int QtPaintBackend::LayOut(CachedFont& font, std::string_view text)
{
    placed_.clear();
    int pen = 0;
    char32_t previous = 0;
    const CachedGlyph* previousGlyph = nullptr;
    for (std::size_t at = 0; at < text.size();) {
        char32_t character = 0;
        if (!NextCacheableCharacter(text, at, character)) {
            return -1;
        }
        const CachedGlyph* glyph = font.glyphs.Find(character);
        if (glyph == nullptr) {
            glyph = &DrawGlyph(font, character);
        }
        if (!glyph->Usable) {
            return -1;
        }
        if (previousGlyph != nullptr) {
            const int* known = font.glyphs.FindPair(previous, character);
            const int step = known != nullptr ? *known : ShapePair(font, previous, *previousGlyph, character, *glyph);
            if (step == FontGlyphs::NotSideBySide) {
                return -1;
            }
            pen += step;
        }
        placed_.push_back(PlacedGlyph{glyph, pen});
        previous = character;
        previousGlyph = glyph;
    }
    return pen + previousGlyph->Advance;
}

bool QtPaintBackend::LaysFromCache(const Font& font, std::string_view text)
{
    return LayOutFromCache(FontFor(font), text) >= 0;
}

std::size_t QtPaintBackend::CachedGlyphCount(const Font& font)
{
    return FontFor(font).glyphs.GlyphCount();
}

std::size_t QtPaintBackend::CachedGlyphCount() const
{
    std::size_t count = 0;
    for (const auto& [key, cached] : fonts_) {
        count += cached->glyphs.GlyphCount();
    }
    return count;
}

Size QtPaintBackend::TextExtent(const Font& font, std::string_view text)
{
    CachedFont& cached = FontFor(font);
    if (text.empty()) {
        return Size{0, cached.height};
    }
    const int laid = LayOutFromCache(cached, text);
    return Size{laid >= 0 ? laid : Shaped(cached, text).advance, cached.height};
}

InkCoverage QtPaintBackend::TextCoverage(const Font& font, int x, int y, int escapement, std::string_view text)
{
    if (text.empty()) {
        return InkCoverage();
    }
    CachedFont& cached = FontFor(font);
    if (escapement == 0) {
        const int advance = LayOutFromCache(cached, text);
        if (advance >= 0) {
            // Only the glyphs' ink, cut to the room Qt's mask of the run would have.
            const QRect room = InkRoom(cached, advance).translated(x, y);
            Rect box{room.right() + 1, room.bottom() + 1, room.left(), room.top()};
            for (const PlacedGlyph& placed : placed_) {
                const Rect& ink = placed.glyph->Ink;
                if (!ink.IsEmpty()) {
                    box = Rect{std::min(box.Left, x + placed.x + ink.Left), std::min(box.Top, y + ink.Top),
                               std::max(box.Right, x + placed.x + ink.Right), std::max(box.Bottom, y + ink.Bottom)};
                }
            }
            InkCoverage coverage(Rect{std::max(box.Left, room.left()), std::max(box.Top, room.top()),
                                      std::min(box.Right, room.right() + 1), std::min(box.Bottom, room.bottom() + 1)});
            for (const PlacedGlyph& placed : placed_) {
                LayGlyph(coverage, *placed.glyph, x + placed.x, y);
            }
            return coverage;
        }
    }
    return DrawShaped(Shaped(cached, text), x, y, escapement);
}

InkCoverage QtPaintBackend::DrawShaped(const ShapedRun& run, int x, int y, int escapement)
{
    // Counter-clockwise on the screen is Qt's negative rotation, y pointing down.
    QTransform turn;
    turn.rotate(-escapement / 10.0);
    const QRect area = turn.mapRect(run.ink).translated(x, y);

    QImage& mask = Scratch(area.width(), area.height());
    QPainter painter(&mask);
    PrepareMaskPainter(painter);
    painter.translate(x - area.left(), y - area.top());
    painter.rotate(-escapement / 10.0);
    run.layout->draw(&painter, QPointF(0, run.baselineShift));
    painter.end();
    return MaskCoverage(QRect(0, 0, area.width(), area.height()), Point{area.left(), area.top()});
}

Region QtPaintBackend::TextPixels(const Font& font, int x, int y, int escapement, std::string_view text)
{
    return TextCoverage(font, x, y, escapement, text).Covered(InkCoverage::Half);
}

} // namespace fw
