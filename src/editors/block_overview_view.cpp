#include "editors/block_overview_view.h"

#include "framework/core/canvas.h"

TBlockOverviewView::TBlockOverviewView(fw::Component* owner) : fw::CustomControl(owner) {}

void TBlockOverviewView::SetPicture(const fw::Bitmap& picture, fw::Size drawnSize)
{
    picture_ = picture;
    drawnSize_ = drawnSize;
    SetBounds(Left(), Top(), drawnSize.Width, drawnSize.Height);
    Invalidate();
}

void TBlockOverviewView::Paint()
{
    fw::Canvas& canvas = Canvas();
    canvas.Brush() = fw::Brush{Color(), fw::BrushStyle::Solid, nullptr};
    canvas.FillRect(ClientRect());
    if (!picture_.Empty()) {
        canvas.StretchDraw(fw::Rect{0, 0, drawnSize_.Width, drawnSize_.Height}, picture_);
    }
}
