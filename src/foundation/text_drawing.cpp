#include "foundation/text_drawing.h"

#include <algorithm>
#include <utility>

namespace {

// Puts the canvas's font back however the drawing ends, a missing backend included.
class FontRestorer {
public:
    explicit FontRestorer(fw::Canvas& canvas) : canvas_(canvas), saved_(canvas.Font()) {}
    ~FontRestorer() { canvas_.Font() = std::move(saved_); }
    FontRestorer(const FontRestorer&) = delete;
    FontRestorer& operator=(const FontRestorer&) = delete;

private:
    fw::Canvas& canvas_;
    fw::Font saved_;
};

TextWidthFunction WidthIn(const fw::Canvas& canvas)
{
    return [&canvas](std::string_view text) { return canvas.TextWidth(text); };
}

// An empty text may measure no height on some platforms; "X" always has the full line's.
int LineHeightOf(const fw::Canvas& canvas)
{
    return canvas.TextHeight("X");
}

fw::Rect Intersection(const fw::Rect& a, const fw::Rect& b)
{
    return fw::Rect{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                    std::min(a.Bottom, b.Bottom)};
}

} // namespace

void RotatedTextOut(fw::Canvas& canvas, int x, int y, int angle, std::string_view text)
{
    const FontRestorer restorer(canvas);
    fw::Font& font = canvas.Font();
    font.Style = fw::FontStyles{};
    canvas.TextOutRotated(x, y, angle * 10, text);
}

fw::Rect WrappedTextSize(const fw::Canvas& canvas, int width, std::string_view text, bool wrap)
{
    return WrappedTextSize(width, text, wrap, WidthIn(canvas), LineHeightOf(canvas));
}

fw::Rect DrawWrappedText(fw::Canvas& canvas, const fw::Rect& rect, const fw::Rect& clip, int xOffset, int yOffset,
                         bool wrap, TextAlignment vertical, TextAlignment horizontal, std::string_view text)
{
    const int lineHeight = LineHeightOf(canvas);
    const WrappedTextLayout layout =
        LayoutWrappedText(rect, text, wrap, vertical, horizontal, WidthIn(canvas), lineHeight);
    // TextRect paints its whole rectangle with an opaque brush; cut to the line's own cell
    // the background of one line cannot wipe out the lines drawn before it.
    const bool opaque = canvas.Brush().Style != fw::BrushStyle::Clear;
    for (const PlacedTextLine& line : layout.Lines) {
        if (line.Text.empty()) {
            continue;
        }
        const int x = line.Left + xOffset;
        const int y = line.Top + yOffset;
        canvas.TextRect(opaque ? Intersection(clip, fw::Rect{x, y, x + line.Width, y + lineHeight}) : clip, x, y,
                        line.Text);
    }
    return layout.Used;
}

fw::Rect DrawWrappedTextAt(fw::Canvas& canvas, int left, int top, int right, int bottom, int xOffset, int yOffset,
                           bool wrap, TextAlignment vertical, TextAlignment horizontal, std::string_view text)
{
    const fw::Rect box{left, top, right, bottom};
    return DrawWrappedText(canvas, box, box, xOffset, yOffset, wrap, vertical, horizontal, text);
}
