#include "editors/card_frame_circle.h"

#include <algorithm>

TTWCircleShape::TTWCircleShape(fw::Component* owner) : fw::GraphicControl(owner)
{
    SetBounds(0, 0, 11, 11);
}

void TTWCircleShape::SetBrush(const fw::Brush& brush)
{
    if (brush == brush_) {
        return;
    }
    brush_ = brush;
    Invalidate();
}

void TTWCircleShape::SetPen(const fw::Pen& pen)
{
    if (pen == pen_) {
        return;
    }
    pen_ = pen;
    Invalidate();
}

void TTWCircleShape::ShowColour(TTWColour colour)
{
    if (colour == NoColour) {
        ShowNothing();
        return;
    }
    SetBrush(fw::Brush{colour, fw::BrushStyle::Solid, nullptr});
}

void TTWCircleShape::ShowNothing()
{
    SetBrush(fw::Brush{brush_.Color, fw::BrushStyle::Clear, nullptr});
}

fw::Rect TTWCircleShape::CircleRect() const
{
    const int size = std::min(Width(), Height());
    const int left = (Width() - size) / 2;
    const int top = (Height() - size) / 2;
    return fw::Rect{left, top, left + size, top + size};
}

void TTWCircleShape::Paint()
{
    fw::Canvas& canvas = Canvas();
    canvas.Pen() = pen_;
    canvas.Brush() = brush_;
    canvas.Ellipse(CircleRect());
}
