#include "editors/picture_image.h"

#include "framework/core/canvas.h"

TTWPictureImage::TTWPictureImage(fw::Component* owner) : fw::GraphicControl(owner) {}

void TTWPictureImage::SetPicture(const fw::Bitmap& picture)
{
    picture_ = picture;
    Invalidate();
}

void TTWPictureImage::Paint()
{
    if (!picture_.Empty()) {
        Canvas().StretchDraw(ClientRect(), picture_);
    }
}
