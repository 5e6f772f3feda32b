#include "framework/gui/qt_paint_backend.h"

#include <QFontMetrics>
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

void PrepareMaskPainter(QPainter& painter)
{
    // Shapes never come from here; the glyphs' edges are shades of grey.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setPen(Qt::white);
}

} // namespace

QtPaintBackend::QtPaintBackend() = default;

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

const QtPaintBackend::CachedFont& QtPaintBackend::FontFor(const Font& font)
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
    auto made = std::make_unique<CachedFont>(CachedFont{qfont, metrics.ascent(), metrics.height()});
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
    // Glyphs may reach past their advance (italics, overhanging letters) and past the
    // cell (accents on capitals, a fallback font's tall glyphs): the mask gives them room
    // generously, as empty mask pixels cost little.
    const int side = font.height / 2 + 2;
    const int above = font.height / 4 + 2;
    shaped_.ink = QRect(-side, -above, shaped_.advance + 2 * side, font.height + 2 * above);
    shaped_.layout = std::move(layout);
    return shaped_;
}

Size QtPaintBackend::TextExtent(const Font& font, std::string_view text)
{
    const CachedFont& cached = FontFor(font);
    return Size{text.empty() ? 0 : Shaped(cached, text).advance, cached.height};
}

InkCoverage QtPaintBackend::TextCoverage(const Font& font, int x, int y, int escapement, std::string_view text)
{
    if (text.empty()) {
        return InkCoverage();
    }
    const ShapedRun& run = Shaped(FontFor(font), text);

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
