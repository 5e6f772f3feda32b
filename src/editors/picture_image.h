#pragma once

#include <string_view>

#include "framework/core/bitmap.h"
#include "framework/gui/control.h"

// A picture shown stretched over the whole control: a clip's picture, a block design's
// overview (one pixel per cell, each cell becoming a block of the same size).
class TTWPictureImage : public fw::GraphicControl {
public:
    explicit TTWPictureImage(fw::Component* owner = nullptr);

    std::string_view className() const override { return "TTWPictureImage"; }

    const fw::Bitmap& Picture() const { return picture_; }
    // Takes a copy and repaints.
    void SetPicture(const fw::Bitmap& picture);

protected:
    void Paint() override;

private:
    fw::Bitmap picture_;
};
