#include "framework/gui/std_speed_button.h"

#include "framework/gui/image_list.h"

namespace fw {

namespace {

bool Inside(const Rect& rect, int x, int y)
{
    return x >= rect.Left && x < rect.Right && y >= rect.Top && y < rect.Bottom;
}

// The face of a down toggle: button face and highlight in a fine checker, laid from the
// canvas origin so neighbouring buttons match.
const Bitmap& DownFacePattern()
{
    static const Bitmap pattern = [] {
        Bitmap checker(2, 2);
        const Color face = ColorToRGB(clBtnFace);
        const Color light = ColorToRGB(clBtnHighlight);
        checker.SetPixel(0, 0, light);
        checker.SetPixel(1, 1, light);
        checker.SetPixel(1, 0, face);
        checker.SetPixel(0, 1, face);
        return checker;
    }();
    return pattern;
}

// Whether a glyph pixel is drawn in the embossed (disabled) picture: pixels that are not
// transparent and darker than a light grey; light pixels vanish into the face.
bool EmbossInk(const Bitmap& glyph, int x, int y)
{
    const Color pixel = glyph.Pixel(x, y);
    if (glyph.Transparent() && pixel == glyph.TransparentColor()) {
        return false;
    }
    const unsigned red = pixel & 0xFF;
    const unsigned green = (pixel >> 8) & 0xFF;
    const unsigned blue = (pixel >> 16) & 0xFF;
    return (red * 30 + green * 59 + blue * 11) / 100 < 0xC0;
}

} // namespace

SpeedButton::SpeedButton(Component* owner) : GraphicControl(owner)
{
    // The button clicks on its own terms (Down first); two quick clicks are two clicks.
    SetControlStyle(ControlStyle().Exclude(ControlStyleFlag::ClickEvents).Exclude(ControlStyleFlag::DoubleClicks));
    SetColor(clBtnFace);
    SetBounds(0, 0, 23, 22);
}

void SpeedButton::SetDown(bool down)
{
    if (groupIndex_ == 0) {
        down = false;
    }
    if (down == down_) {
        return;
    }
    // The last down button of a group that needs one down stays down.
    if (down_ && !allowAllUp_) {
        return;
    }
    down_ = down;
    if (down) {
        RaiseGroupSiblings();
    }
    Invalidate();
}

void SpeedButton::SetGroupIndex(int groupIndex)
{
    if (groupIndex == groupIndex_) {
        return;
    }
    groupIndex_ = groupIndex;
    if (groupIndex == 0 && down_) {
        down_ = false;
        Invalidate();
    } else if (down_) {
        RaiseGroupSiblings();
    }
}

void SpeedButton::SetAllowAllUp(bool allowAllUp)
{
    allowAllUp_ = allowAllUp;
    if (groupIndex_ == 0 || Parent() == nullptr) {
        return;
    }
    for (Control* sibling : Parent()->ControlList()) {
        auto* button = dynamic_cast<SpeedButton*>(sibling);
        if (button != nullptr && button != this && button->groupIndex_ == groupIndex_) {
            button->allowAllUp_ = allowAllUp;
        }
    }
}

void SpeedButton::RaiseGroupSiblings()
{
    if (groupIndex_ == 0 || Parent() == nullptr) {
        return;
    }
    for (Control* sibling : Parent()->ControlList()) {
        auto* button = dynamic_cast<SpeedButton*>(sibling);
        if (button != nullptr && button != this && button->groupIndex_ == groupIndex_ && button->down_) {
            button->down_ = false;
            button->Invalidate();
        }
    }
}

void SpeedButton::SetFlat(bool flat)
{
    if (flat != flat_) {
        flat_ = flat;
        Invalidate();
    }
}

void SpeedButton::SetGlyph(const Bitmap& glyph)
{
    glyph_ = glyph;
    if (!glyph_.Empty()) {
        glyph_.SetTransparentColor(glyph_.Pixel(0, glyph_.Height() - 1));
        glyph_.SetTransparent(true);
    }
    Invalidate();
}

void SpeedButton::SetImages(ImageList* images)
{
    if (images == images_) {
        return;
    }
    if (images_ != nullptr) {
        RemoveFreeNotification(images_);
    }
    images_ = images;
    if (images != nullptr) {
        FreeNotification(images);
    }
    Invalidate();
}

void SpeedButton::SetImageIndex(int index)
{
    if (index != imageIndex_) {
        imageIndex_ = index;
        Invalidate();
    }
}

void SpeedButton::Notification(Component* component, Operation operation)
{
    GraphicControl::Notification(component, operation);
    if (operation == Operation::Remove && component == images_) {
        images_ = nullptr;
        Invalidate();
    }
}

// --- Mouse ------------------------------------------------------------------------------------

void SpeedButton::MouseDown(MouseButton button, ShiftState shift, int x, int y)
{
    if (button == MouseButton::Left && Enabled()) {
        held_ = true;
        pointerOver_ = Inside(ClientRect(), x, y);
        Invalidate();
    }
    GraphicControl::MouseDown(button, shift, x, y);
}

void SpeedButton::MouseMove(ShiftState shift, int x, int y)
{
    if (held_) {
        const bool over = Inside(ClientRect(), x, y);
        if (over != pointerOver_) {
            pointerOver_ = over;
            Invalidate();
        }
    }
    GraphicControl::MouseMove(shift, x, y);
}

void SpeedButton::MouseUp(MouseButton button, ShiftState shift, int x, int y)
{
    WeakRef<SpeedButton> self(this);
    if (button == MouseButton::Left && held_) {
        held_ = false;
        const bool click = Inside(ClientRect(), x, y);
        if (click && groupIndex_ != 0) {
            // The state the click handler reads is the new one.
            SetDown(!down_);
        }
        Invalidate();
        if (click) {
            Click();
        }
    }
    if (self) {
        GraphicControl::MouseUp(button, shift, x, y);
    }
}

void SpeedButton::Dispatch(Message& message)
{
    switch (message.Msg) {
    case CM_MOUSEENTER:
        if (!hot_) {
            hot_ = true;
            Invalidate();
        }
        break;
    case CM_MOUSELEAVE:
        if (hot_) {
            hot_ = false;
            Invalidate();
        }
        break;
    case CM_ENABLEDCHANGED:
        if (!Enabled()) {
            held_ = false;
        }
        break;
    case WM_CAPTURECHANGED:
        // Another control took the mouse: the press is over without a click.
        if (message.LParam != 0 && held_) {
            held_ = false;
            Invalidate();
        }
        break;
    default: break;
    }
    GraphicControl::Dispatch(message);
}

// --- Painting ---------------------------------------------------------------------------------

const Bitmap* SpeedButton::CurrentGlyph() const
{
    if (images_ != nullptr) {
        if (const Bitmap* image = images_->Image(imageIndex_)) {
            return image;
        }
    }
    return glyph_.Empty() ? nullptr : &glyph_;
}

void SpeedButton::PaintGlyph(fw::Canvas& canvas, const Bitmap& glyph, int x, int y) const
{
    if (Enabled()) {
        canvas.Draw(x, y, glyph);
        return;
    }
    // Embossed: the ink's shape in the highlight colour one pixel down and right, then in
    // the shadow colour over it.
    const fw::Color highlight = ColorToRGB(clBtnHighlight);
    const fw::Color shadow = ColorToRGB(clBtnShadow);
    for (int pass = 0; pass < 2; ++pass) {
        const int offset = pass == 0 ? 1 : 0;
        for (int gy = 0; gy < glyph.Height(); ++gy) {
            for (int gx = 0; gx < glyph.Width(); ++gx) {
                if (EmbossInk(glyph, gx, gy)) {
                    canvas.SetPixel(x + gx + offset, y + gy + offset, pass == 0 ? highlight : shadow);
                }
            }
        }
    }
}

void SpeedButton::Paint()
{
    fw::Canvas& canvas = Canvas();
    const Rect client = ClientRect();
    const bool pushed = ShowsPushed();
    Rect face = client;
    if (!flat_) {
        canvas.Brush() = Brush{Color()};
        canvas.FillRect(client);
        face = canvas.DrawEdge(client, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    } else if (pushed) {
        face = canvas.DrawEdge(client, BDR_SUNKENOUTER, BF_RECT);
    } else if (hot_ && Enabled()) {
        face = canvas.DrawEdge(client, BDR_RAISEDINNER, BF_RECT);
    }
    if (down_ && !(held_ && pointerOver_)) {
        Brush checker;
        checker.Bitmap = &DownFacePattern();
        canvas.Brush() = checker;
        canvas.FillRect(face);
    }
    if (const Bitmap* glyph = CurrentGlyph()) {
        const int shift = pushed ? 1 : 0;
        const int x = (client.Width() - glyph->Width()) / 2 + shift;
        const int y = (client.Height() - glyph->Height()) / 2 + shift;
        PaintGlyph(canvas, *glyph, x, y);
    }
}

} // namespace fw
