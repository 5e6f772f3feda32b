#include "framework/gui/image_list.h"

#include <algorithm>

namespace fw {

ImageList::ImageList(Component* owner) : Component(owner) {}

ImageList::ImageList(int width, int height, Component* owner) : Component(owner)
{
    SetSize(width, height);
}

void ImageList::SetSize(int width, int height)
{
    width_ = std::max(1, width);
    height_ = std::max(1, height);
    images_.clear();
}

const Bitmap* ImageList::Image(int index) const
{
    if (index < 0 || index >= Count()) {
        return nullptr;
    }
    return &images_[static_cast<std::size_t>(index)];
}

int ImageList::Add(const Bitmap& picture)
{
    return AddCut(picture, false, clWhite);
}

int ImageList::AddMasked(const Bitmap& picture, Color maskColour)
{
    return AddCut(picture, true, maskColour);
}

int ImageList::AddCut(const Bitmap& picture, bool masked, Color maskColour)
{
    const int first = Count();
    const int pieces = std::max(1, picture.Width() / width_);
    for (int piece = 0; piece < pieces; ++piece) {
        Bitmap image(width_, height_);
        image.CopyRect(0, 0, picture, Rect{piece * width_, 0, (piece + 1) * width_, height_});
        if (masked) {
            image.SetTransparentColor(ColorToRGB(maskColour));
            image.SetTransparent(true);
        } else {
            image.SetTransparentColor(picture.TransparentColor());
            image.SetTransparent(picture.Transparent());
        }
        images_.push_back(std::move(image));
    }
    return first;
}

void ImageList::Delete(int index)
{
    if (index >= 0 && index < Count()) {
        images_.erase(images_.begin() + index);
    }
}

void ImageList::Clear()
{
    images_.clear();
}

void ImageList::Draw(Canvas& canvas, int x, int y, int index) const
{
    if (const Bitmap* image = Image(index)) {
        canvas.Draw(x, y, *image);
    }
}

void ImageList::Assign(const Persistent* source)
{
    const auto* list = dynamic_cast<const ImageList*>(source);
    if (list == nullptr) {
        Persistent::Assign(source);
        return;
    }
    if (list == this) {
        return;
    }
    width_ = list->width_;
    height_ = list->height_;
    images_ = list->images_;
}

} // namespace fw
