#pragma once

#include <cstdint>

#include "controls/button_properties.h"
#include "framework/core/bitmap.h"

class TILScrollBar;

// The slider's look by what the mouse does with it.
enum class TILSliderState : std::uint8_t { Inactive = 0, Active = 1, Down = 2, Disabled = 3 };

// The slider of a scroll bar: its looks (the button bundle it derives from: brush, frame,
// pictures, transparent colour) and its size rules. With Range 1 it has FixedSize pixels;
// with a larger Range it covers that many positions of the bar, in proportion, never
// shorter than MinSize. Where it lies is the bar's business: the bar keeps the
// rectangle here (inclusive: Right and Bottom are its last pixels).
class TILScrollbarSlider : public TILButtonLocalPropertiesBase {
public:
    // The owning bar may be none (a slider used as a bare value set).
    explicit TILScrollbarSlider(TILScrollBar* scrollBar = nullptr);
    ~TILScrollbarSlider() override;

    std::string_view className() const override { return "TILScrollbarSlider"; }
    fw::Object* NewInstance() const override { return new TILScrollbarSlider; }

    TILScrollBar* ScrollBar() const { return scrollBar_; }

    // Limited to 1 .. the bar's count of positions; the slider is placed anew.
    int Range() const { return range_; }
    void SetRange(int range);
    // Limited to MinSize .. the track length (MinSize wins when the track is shorter).
    int FixedSize() const { return fixedSize_; }
    void SetFixedSize(int size);
    // Raises FixedSize to it when needed.
    int MinSize() const { return minSize_; }
    void SetMinSize(int size);
    // A dragged slider draws sunken.
    bool Invert() const { return invert_; }
    void SetInvert(bool invert);

    // The length the bar gave the slider last, in pixels.
    int Length() const { return length_; }
    // Changes are ignored while the slider is disabled (the bar's enabling brings it
    // back); each accepted change redraws the slider.
    TILSliderState State() const { return state_; }
    void SetState(TILSliderState state);

    // Inclusive.
    const fw::Rect& Rect() const { return rect_; }
    int Width() const { return rect_.Right - rect_.Left + 1; }
    int Height() const { return rect_.Bottom - rect_.Top + 1; }

    // From another slider: Range, MinSize, FixedSize, Invert, then the button values;
    // from any other bundle the button values only.
    void Assign(const fw::Persistent* source) override;

    // The slider's picture for a state after the button fall-backs (active to inactive,
    // inactive to active, down to active, disabled to inactive); none when no reference
    // resolves.
    const fw::Bitmap* ImageForState(TILSliderState state) const;

private:
    friend class TILScrollBar;

    TILScrollBar* scrollBar_;
    int range_ = 1;
    int fixedSize_ = 16;
    int length_ = 16;
    int minSize_ = 8;
    TILSliderState state_ = TILSliderState::Inactive;
    bool invert_ = false;
    fw::Rect rect_{0, 0, -1, -1};
};
