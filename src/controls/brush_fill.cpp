#include "controls/brush_fill.h"

TILBrushFill::TILBrushFill(fw::Component* owner) : fw::Component(owner)
{
    brush_.SetOnBrushChange([this](fw::Object*) { InvalidateControl(); });
}

TILBrushFill::~TILBrushFill()
{
    brush_.SetOnBrushChange(nullptr);
}

void TILBrushFill::SetBrush(const TILBrush& brush)
{
    brush_.Assign(&brush);
    InvalidateControl();
}

void TILBrushFill::SetSize(int width, int height)
{
    width_ = width;
    height_ = height;
    InvalidateControl();
}

void TILBrushFill::Paint(fw::Canvas& canvas)
{
    brush_.PaintTo(canvas);
    canvas.FillRect(ClientRect());
    needsPaint_ = false;
}
