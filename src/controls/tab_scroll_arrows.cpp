#include "controls/tab_scroll_arrows.h"

#include <array>

TILTabScrollArrows::TILTabScrollArrows(fw::Component* owner) : fw::CustomControl(owner)
{
    SetBounds(Left(), Top(), 31, 16);
    SetColor(fw::clBtnFace);
}

void TILTabScrollArrows::SetVertical(bool vertical)
{
    vertical_ = vertical;
    Invalidate();
}

void TILTabScrollArrows::SetNextForward(bool forward)
{
    nextForward_ = forward;
    Invalidate();
}

void TILTabScrollArrows::SetCanScroll(bool previous, bool next)
{
    if (previous != canPrevious_ || next != canNext_) {
        canPrevious_ = previous;
        canNext_ = next;
        Invalidate();
    }
}

fw::Rect TILTabScrollArrows::FirstButtonRect() const
{
    if (vertical_) {
        return fw::Rect{0, 0, Width(), Height() / 2};
    }
    return fw::Rect{0, 0, Width() / 2, Height()};
}

fw::Rect TILTabScrollArrows::SecondButtonRect() const
{
    if (vertical_) {
        return fw::Rect{0, Height() / 2, Width(), Height()};
    }
    return fw::Rect{Width() / 2, 0, Width(), Height()};
}

TILTabScrollArrows::Button TILTabScrollArrows::ButtonAt(fw::Point point) const
{
    const auto inside = [&point](const fw::Rect& rect) {
        return point.X >= rect.Left && point.X < rect.Right && point.Y >= rect.Top && point.Y < rect.Bottom;
    };
    // The second button points forward (right or down).
    if (inside(SecondButtonRect())) {
        return nextForward_ ? Button::Next : Button::Previous;
    }
    if (inside(FirstButtonRect())) {
        return nextForward_ ? Button::Previous : Button::Next;
    }
    return Button::None;
}

void TILTabScrollArrows::MouseDown(fw::MouseButton button, fw::ShiftState shift, int x, int y)
{
    fw::WeakRef<TILTabScrollArrows> self(this);
    fw::CustomControl::MouseDown(button, shift, x, y);
    if (!self || button != fw::MouseButton::Left) {
        return;
    }
    pressed_ = ButtonAt(fw::Point{x, y});
    Invalidate();
    // The handler may free this control (or its page control) before it returns.
    fw::NotifyEvent handler;
    if (pressed_ == Button::Next) {
        handler = onNext_;
    } else if (pressed_ == Button::Previous) {
        handler = onPrevious_;
    }
    if (handler) {
        handler(this);
    }
}

void TILTabScrollArrows::MouseUp(fw::MouseButton button, fw::ShiftState shift, int x, int y)
{
    if (pressed_ != Button::None) {
        pressed_ = Button::None;
        Invalidate();
    }
    fw::CustomControl::MouseUp(button, shift, x, y);
}

void TILTabScrollArrows::Paint()
{
    const bool secondIsNext = nextForward_;
    const Button first = secondIsNext ? Button::Previous : Button::Next;
    const Button second = secondIsNext ? Button::Next : Button::Previous;
    const auto active = [this](Button button) { return button == Button::Next ? canNext_ : canPrevious_; };
    PaintButton(FirstButtonRect(), false, pressed_ == first, active(first));
    PaintButton(SecondButtonRect(), true, pressed_ == second, active(second));
}

void TILTabScrollArrows::PaintButton(const fw::Rect& rect, bool pointsForward, bool pressed, bool active)
{
    fw::Canvas& canvas = Canvas();
    canvas.Brush() = fw::Brush{fw::clBtnFace, fw::BrushStyle::Solid, nullptr};
    canvas.FillRect(rect);
    canvas.DrawEdge(rect, pressed ? fw::EDGE_SUNKEN : fw::EDGE_RAISED, fw::BF_RECT);

    // A small solid triangle in the middle, pointing along the strip.
    const int shift = pressed ? 1 : 0;
    const int cx = (rect.Left + rect.Right) / 2 + shift;
    const int cy = (rect.Top + rect.Bottom) / 2 + shift;
    std::array<fw::Point, 3> points;
    if (vertical_) {
        const int tip = pointsForward ? cy + 2 : cy - 2;
        const int base = pointsForward ? cy - 1 : cy + 1;
        points = {fw::Point{cx - 3, base}, fw::Point{cx + 3, base}, fw::Point{cx, tip}};
    } else {
        const int tip = pointsForward ? cx + 2 : cx - 2;
        const int base = pointsForward ? cx - 1 : cx + 1;
        points = {fw::Point{base, cy - 3}, fw::Point{base, cy + 3}, fw::Point{tip, cy}};
    }
    const fw::Color ink = active ? fw::clBtnText : fw::clBtnShadow;
    canvas.Pen() = fw::Pen{ink, 1, fw::PenStyle::Solid, fw::PenMode::Copy};
    canvas.Brush() = fw::Brush{ink, fw::BrushStyle::Solid, nullptr};
    canvas.Polygon(points);
}
