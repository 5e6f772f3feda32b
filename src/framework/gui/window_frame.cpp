#include "framework/gui/window_frame.h"

#include <algorithm>

#include "framework/core/system_colours.h"

namespace fw {

namespace {

constexpr int ButtonGap = 2;
constexpr int TextIndent = 4;

bool Inside(const Rect& rect, Point point)
{
    return point.X >= rect.Left && point.X < rect.Right && point.Y >= rect.Top && point.Y < rect.Bottom;
}

// The colour a fraction `step` / `steps` of the way from one plain colour to another.
Color Blend(Color from, Color to, int step, int steps)
{
    if (steps <= 0) {
        return from;
    }
    Color result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int a = static_cast<int>((from >> shift) & 0xFF);
        const int b = static_cast<int>((to >> shift) & 0xFF);
        result |= static_cast<Color>(a + (b - a) * step / steps) << shift;
    }
    return result;
}

void FillBox(Canvas& canvas, int left, int top, int right, int bottom)
{
    canvas.FillRect(Rect{left, top, right, bottom});
}

// The glyph inside the button's face, in the brush colour: lines two pixels thick, as
// desktop caption buttons draw them, scaled to the face.
void PaintGlyph(Canvas& canvas, const Rect& face, CaptionButton kind)
{
    const int w = face.Width();
    const int h = face.Height();
    const int size = std::max(4, std::min(w, h) - 2);
    const int left = face.Left + (w - size) / 2;
    const int top = face.Top + (h - size) / 2;
    const int right = left + size;
    const int bottom = top + size;
    switch (kind) {
    case CaptionButton::Close:
        for (int i = 0; i < size; ++i) {
            // Two pixels across, so the cross reads as clearly as a thick pen would.
            FillBox(canvas, left + i, top + i, std::min(left + i + 2, right), top + i + 1);
            FillBox(canvas, std::max(right - i - 2, left), top + i, right - i, top + i + 1);
        }
        break;
    case CaptionButton::Minimize:
        FillBox(canvas, left + 1, bottom - 2, right - 2, bottom);
        break;
    case CaptionButton::Maximize:
        FillBox(canvas, left, top, right, top + 2);
        FillBox(canvas, left, top, left + 1, bottom);
        FillBox(canvas, right - 1, top, right, bottom);
        FillBox(canvas, left, bottom - 1, right, bottom);
        break;
    case CaptionButton::Restore: {
        // A window in front of another one: the back one's top-right corner shows.
        const int inner = size * 2 / 3;
        FillBox(canvas, right - inner, top, right, top + 2);
        FillBox(canvas, right - 1, top, right, top + inner);
        FillBox(canvas, right - inner, top, right - inner + 1, top + 2);
        const int frontTop = bottom - inner;
        FillBox(canvas, left, frontTop, left + inner, frontTop + 2);
        FillBox(canvas, left, frontTop, left + 1, bottom);
        FillBox(canvas, left + inner - 1, frontTop, left + inner, bottom);
        FillBox(canvas, left, bottom - 1, left + inner, bottom);
        break;
    }
    case CaptionButton::None: break;
    }
}

} // namespace

CaptionBarLayout LayoutCaptionBar(const Rect& bar, const std::vector<CaptionButton>& buttons, Size buttonSize)
{
    CaptionBarLayout layout;
    layout.Bar = bar;
    const int count = static_cast<int>(buttons.size());
    int x = bar.Right - ButtonGap - count * buttonSize.Width - std::max(0, count - 1) * ButtonGap;
    const int top = bar.Top + (bar.Height() - buttonSize.Height) / 2;
    layout.TextArea = Rect{bar.Left, bar.Top, std::max(bar.Left, x - ButtonGap), bar.Bottom};
    for (const CaptionButton kind : buttons) {
        layout.Buttons.push_back(
            CaptionButtonPlace{kind, Rect{x, top, x + buttonSize.Width, top + buttonSize.Height}});
        x += buttonSize.Width + ButtonGap;
    }
    return layout;
}

CaptionButton CaptionButtonAt(const CaptionBarLayout& layout, Point point)
{
    for (const CaptionButtonPlace& place : layout.Buttons) {
        if (Inside(place.Bounds, point)) {
            return place.Kind;
        }
    }
    return CaptionButton::None;
}

void PaintCaptionButton(Canvas& canvas, const Rect& bounds, CaptionButton kind, bool pressed)
{
    const Brush savedBrush = canvas.Brush();
    canvas.Brush() = Brush{clBtnFace};
    canvas.FillRect(bounds);
    Rect face = canvas.DrawEdge(bounds, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    if (pressed) {
        face = Rect{face.Left + 1, face.Top + 1, face.Right + 1, face.Bottom + 1};
    }
    canvas.Brush() = Brush{clBtnText};
    PaintGlyph(canvas, face, kind);
    canvas.Brush() = savedBrush;
}

void PaintCaptionBar(Canvas& canvas, const CaptionBarLayout& layout, std::string_view caption, const Font& font,
                     bool active, bool bold, CaptionButton pressed)
{
    const Rect& bar = layout.Bar;
    const Color from = ColorToRGB(active ? clActiveCaption : clInactiveCaption);
    const Color to = ColorToRGB(active ? clGradientActiveCaption : clGradientInactiveCaption);
    const Brush savedBrush = canvas.Brush();
    const Font savedFont = canvas.Font();
    for (int x = bar.Left; x < bar.Right; ++x) {
        canvas.Brush() = Brush{Blend(from, to, x - bar.Left, bar.Width() - 1)};
        canvas.FillRect(Rect{x, bar.Top, x + 1, bar.Bottom});
    }
    if (!caption.empty() && canvas.Backend() != nullptr && layout.TextArea.Width() > TextIndent) {
        canvas.Font() = font;
        canvas.Font().Style.Bold = bold;
        canvas.Font().Color = active ? clCaptionText : clInactiveCaptionText;
        canvas.Brush().Style = BrushStyle::Clear;
        const int y = bar.Top + (bar.Height() - canvas.TextHeight(caption)) / 2;
        canvas.TextRect(layout.TextArea, layout.TextArea.Left + TextIndent, y, caption);
    }
    for (const CaptionButtonPlace& place : layout.Buttons) {
        PaintCaptionButton(canvas, place.Bounds, place.Kind, place.Kind == pressed);
    }
    canvas.Brush() = savedBrush;
    canvas.Font() = savedFont;
}

} // namespace fw
