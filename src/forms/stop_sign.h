#pragma once

#include "framework/core/bitmap.h"
#include "framework/gui/control.h"

// The stop sign the error dialog shows: a 32 x 32 red octagon with a white rim and a white
// cross, drawn by our own code. Transparent: the corners outside the octagon are the
// picture's transparent colour.
fw::Bitmap StopSignPicture();
inline constexpr int StopSignSize = 32;

// A windowless picture: its bitmap drawn at its top-left corner (transparent where the
// bitmap is), over whatever its parent painted.
class TStaticPicture : public fw::GraphicControl {
public:
    explicit TStaticPicture(fw::Component* owner = nullptr);

    std::string_view className() const override { return "TStaticPicture"; }

    const fw::Bitmap& Picture() const { return picture_; }
    // Copies the bitmap and repaints.
    void SetPicture(const fw::Bitmap& picture);

protected:
    void Paint() override;

private:
    fw::Bitmap picture_;
};
