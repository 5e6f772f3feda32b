#include "controls/scroll_slider.h"

#include <algorithm>

#include "controls/image_button.h"
#include "controls/scroll_bar.h"

TILScrollbarSlider::TILScrollbarSlider(TILScrollBar* scrollBar) : scrollBar_(scrollBar) {}

TILScrollbarSlider::~TILScrollbarSlider() = default;

void TILScrollbarSlider::SetRange(int range)
{
    range = std::max(range, 1);
    if (scrollBar_ != nullptr) {
        range = std::max(1, std::min(range, scrollBar_->Count()));
    }
    if (range == range_) {
        return;
    }
    range_ = range;
    // Also when it becomes 1: a slider left at its proportional length would misstate
    // the visible part.
    if (scrollBar_ != nullptr) {
        scrollBar_->RecomputeSlider();
        scrollBar_->Invalidate();
    }
}

void TILScrollbarSlider::SetFixedSize(int size)
{
    if (scrollBar_ != nullptr) {
        size = std::min(size, scrollBar_->TrackLength());
    }
    size = std::max(size, minSize_);
    fixedSize_ = size;
    if (range_ == 1 && scrollBar_ != nullptr) {
        scrollBar_->RecomputeSlider();
        scrollBar_->Invalidate();
    }
}

void TILScrollbarSlider::SetMinSize(int size)
{
    minSize_ = size;
    if (fixedSize_ < size) {
        fixedSize_ = size;
    }
    if (scrollBar_ != nullptr) {
        scrollBar_->RecomputeSlider();
        scrollBar_->Invalidate();
    }
}

void TILScrollbarSlider::SetInvert(bool invert)
{
    invert_ = invert;
    if (scrollBar_ != nullptr) {
        scrollBar_->Invalidate();
    }
}

void TILScrollbarSlider::SetState(TILSliderState state)
{
    if (scrollBar_ != nullptr) {
        scrollBar_->SetSliderState(state);
    } else if (state_ != TILSliderState::Disabled) {
        state_ = state;
    }
}

void TILScrollbarSlider::Assign(const fw::Persistent* source)
{
    if (const auto* slider = dynamic_cast<const TILScrollbarSlider*>(source)) {
        if (slider == this) {
            return;
        }
        SetRange(slider->range_);
        SetMinSize(slider->minSize_);
        SetFixedSize(slider->fixedSize_);
        SetInvert(slider->invert_);
    }
    TILButtonLocalPropertiesBase::Assign(source);
}

const fw::Bitmap* TILScrollbarSlider::ImageForState(TILSliderState state) const
{
    const auto reference = [this](TILButtonState which) -> TILImageReference& {
        switch (which) {
        case TILButtonState::Active: return ImageActive();
        case TILButtonState::Down: return ImageDown();
        case TILButtonState::Disabled: return ImageDisabled();
        case TILButtonState::Repeat: return ImageRepeat();
        case TILButtonState::Inactive: break;
        }
        return ImageInactive();
    };
    const auto picture = [&](TILButtonState which) -> const fw::Bitmap* {
        const fw::Bitmap* image = reference(which).GetImage();
        return image != nullptr && !image->Empty() ? image : nullptr;
    };
    // The slider's states are the button's first four.
    const std::optional<TILButtonState> source =
        ButtonPictureFor(static_cast<TILButtonState>(state), [&](TILButtonState which) { return picture(which) != nullptr; });
    return source ? picture(*source) : nullptr;
}
