#pragma once

#include <string_view>

#include "framework/core/bitmap.h"
#include "framework/gui/control.h"

namespace fw {

class ImageList;

// A tool-bar button without a window: a glyph on a face, painted by our own code.
//
// Click: a left press shows it pushed while the pointer stays over it; the release over it
// clicks. With GroupIndex 0 it springs back up. With a GroupIndex the release first sets Down
// (the click handler reads the new state): an up button goes down and the other buttons of
// its group (siblings with the same GroupIndex) go up; a down button goes up only with
// AllowAllUp, else it stays down and still clicks. Setting Down or Enabled from code never
// clicks. Down is always false with GroupIndex 0, and a down button of a group without
// AllowAllUp cannot be raised from code either (another one of its group goes down instead).
//
// Looks: Flat shows no edge until the pointer is over it (a raised edge) or it is pushed or
// down (a sunken edge); otherwise a raised (pushed: sunken) button edge. A down toggle has a
// checked light face. The glyph is the Images picture at ImageIndex when both are set, else
// Glyph (its bottom-left pixel's colour is transparent); pushed or down it moves one pixel
// right and down, disabled it is drawn embossed in the highlight and shadow colours.
class SpeedButton : public GraphicControl {
public:
    // 23 x 22, as the platform's speed buttons start.
    explicit SpeedButton(Component* owner = nullptr);

    std::string_view className() const override { return "TSpeedButton"; }

    bool Down() const { return down_; }
    void SetDown(bool down);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int groupIndex);
    // Shared by a group: setting it on one button sets it on the others of its group.
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool allowAllUp);
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);

    const Bitmap& Glyph() const { return glyph_; }
    void SetGlyph(const Bitmap& glyph);
    // Not owned; forgotten when it is freed.
    ImageList* Images() const { return images_; }
    void SetImages(ImageList* images);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);

    // Whether the face shows pushed in now (held by the mouse over it, or down).
    bool ShowsPushed() const { return held_ && pointerOver_ ? true : down_; }
    // Whether the pointer is over the button (the flat button's raised edge).
    bool Hot() const { return hot_; }

    void MouseDown(MouseButton button, ShiftState shift, int x, int y) override;
    void MouseMove(ShiftState shift, int x, int y) override;
    void MouseUp(MouseButton button, ShiftState shift, int x, int y) override;
    void Dispatch(Message& message) override;

protected:
    void Paint() override;
    void Notification(Component* component, Operation operation) override;

private:
    // The other buttons of the group go up.
    void RaiseGroupSiblings();
    const Bitmap* CurrentGlyph() const;
    void PaintGlyph(fw::Canvas& canvas, const Bitmap& glyph, int x, int y) const;

    bool down_ = false;
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    bool flat_ = false;
    Bitmap glyph_;
    ImageList* images_ = nullptr;
    int imageIndex_ = -1;
    bool held_ = false;
    bool pointerOver_ = false;
    bool hot_ = false;
};

} // namespace fw
