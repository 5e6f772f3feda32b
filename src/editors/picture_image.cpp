#include "editors/picture_image.h"

#include "framework/core/canvas.h"

TTWPictureImage::TTWPictureImage(fw::Component* owner) : fw::GraphicControl(owner)
{
    // The picture covers the whole control: nothing beneath needs drawing first.
    SetControlStyle(ControlStyle() | fw::ControlStyleFlag::Opaque);
}

void TTWPictureImage::SetPicture(const fw::Bitmap& picture)
{
    picture_ = picture;
    Invalidate();
}

void TTWPictureImage::Paint()
{
    fw::Canvas& canvas = Canvas();
    if (picture_.Empty()) {
        canvas.Brush() = fw::Brush{Color(), fw::BrushStyle::Solid, nullptr};
        canvas.FillRect(ClientRect());
        return;
    }
    canvas.StretchDraw(ClientRect(), picture_);
}
