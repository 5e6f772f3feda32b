#include "framework/gui/std_panel.h"

#include <algorithm>

#include "framework/core/paint_backend.h"

namespace fw {

Rect DrawBevelFrame(Canvas& canvas, const Rect& rect, Color topLeft, Color bottomRight, int width)
{
    const Brush saved = canvas.Brush();
    Rect ring = rect;
    for (int i = 0; i < width && ring.Width() > 0 && ring.Height() > 0; ++i) {
        canvas.Brush() = Brush{topLeft};
        canvas.FillRect(Rect{ring.Left, ring.Top, ring.Right - 1, ring.Top + 1});
        canvas.FillRect(Rect{ring.Left, ring.Top, ring.Left + 1, ring.Bottom - 1});
        canvas.Brush() = Brush{bottomRight};
        canvas.FillRect(Rect{ring.Left, ring.Bottom - 1, ring.Right, ring.Bottom});
        canvas.FillRect(Rect{ring.Right - 1, ring.Top, ring.Right, ring.Bottom});
        ring = Rect{ring.Left + 1, ring.Top + 1, ring.Right - 1, ring.Bottom - 1};
    }
    canvas.Brush() = saved;
    return ring;
}

namespace {

Rect DrawBevel(Canvas& canvas, const Rect& rect, PanelBevel bevel, int width)
{
    switch (bevel) {
    case PanelBevel::Raised: return DrawBevelFrame(canvas, rect, clBtnHighlight, clBtnShadow, width);
    case PanelBevel::Lowered: return DrawBevelFrame(canvas, rect, clBtnShadow, clBtnHighlight, width);
    case PanelBevel::None: break;
    }
    return rect;
}

} // namespace

Panel::Panel(Component* owner) : CustomControl(owner)
{
    SetControlStyle(ControlStyle().Include(ControlStyleFlag::AcceptsControls).Include(ControlStyleFlag::Opaque));
    SetColor(clBtnFace);
    SetBounds(0, 0, 185, 41);
}

void Panel::SetBevelInner(PanelBevel bevel)
{
    if (bevel != bevelInner_) {
        bevelInner_ = bevel;
        BevelsChanged();
    }
}

void Panel::SetBevelOuter(PanelBevel bevel)
{
    if (bevel != bevelOuter_) {
        bevelOuter_ = bevel;
        BevelsChanged();
    }
}

void Panel::SetBevelWidth(int width)
{
    width = std::max(1, width);
    if (width != bevelWidth_) {
        bevelWidth_ = width;
        BevelsChanged();
    }
}

void Panel::BevelsChanged()
{
    Realign();
    Invalidate();
}

void Panel::AdjustClientRect(Rect& rect)
{
    CustomControl::AdjustClientRect(rect);
    int inset = 0;
    if (bevelOuter_ != PanelBevel::None) {
        inset += bevelWidth_;
    }
    if (bevelInner_ != PanelBevel::None) {
        inset += bevelWidth_;
    }
    rect = Rect{rect.Left + inset, rect.Top + inset, std::max(rect.Left + inset, rect.Right - inset),
                std::max(rect.Top + inset, rect.Bottom - inset)};
}

void Panel::Paint()
{
    fw::Canvas& canvas = Canvas();
    canvas.Brush() = Brush{Color()};
    canvas.FillRect(ClientRect());
    Rect inside = DrawBevel(canvas, ClientRect(), bevelOuter_, bevelWidth_);
    inside = DrawBevel(canvas, inside, bevelInner_, bevelWidth_);
    if (Caption().empty() || EffectivePaintBackend() == nullptr) {
        return;
    }
    canvas.Font() = Font();
    if (!Enabled()) {
        canvas.Font().Color = clGrayText;
    }
    canvas.Brush().Style = BrushStyle::Clear;
    const Size extent = canvas.TextExtent(Caption());
    const int x = inside.Left + (inside.Width() - extent.Width) / 2;
    const int y = inside.Top + (inside.Height() - extent.Height) / 2;
    canvas.TextRect(inside, x, y, Caption());
}

} // namespace fw
