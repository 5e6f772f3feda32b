#include "controls/scroll_bar_properties.h"

#include "controls/scroll_bar.h"

TILScrollBarProperties::TILScrollBarProperties()
    : background_(std::make_unique<TILBrushBevel>()),
      buttonLeft_(std::make_unique<TILButtonCustomPropertiesRecord>()),
      buttonRight_(std::make_unique<TILButtonCustomPropertiesRecord>()),
      buttonUp_(std::make_unique<TILButtonCustomPropertiesRecord>()),
      buttonDown_(std::make_unique<TILButtonCustomPropertiesRecord>()),
      sliderUD_(std::make_unique<TILButtonCustomPropertiesRecord>()),
      sliderLR_(std::make_unique<TILButtonCustomPropertiesRecord>())
{
    background_->SetBevelOuter(TBevelCut::None);
    background_->FillBrush().SetSimple(0x00E4E4E4, fw::BrushStyle::Solid);
    HookChanges();
}

TILScrollBarProperties::~TILScrollBarProperties()
{
    background_->SetOnChange(nullptr);
    for (TILButtonCustomPropertiesRecord* record :
         {buttonLeft_.get(), buttonRight_.get(), buttonUp_.get(), buttonDown_.get(), sliderUD_.get(), sliderLR_.get()}) {
        record->SetOnChange(nullptr);
    }
}

void TILScrollBarProperties::HookChanges()
{
    // Hooked after the defaults are in place: only changes made from outside count as set.
    background_->SetOnChange([this](fw::Object*) { backgroundSet_ = true; });
    buttonLeft_->SetOnChange([this](fw::Object*) { buttonLeftSet_ = true; });
    buttonRight_->SetOnChange([this](fw::Object*) { buttonRightSet_ = true; });
    buttonUp_->SetOnChange([this](fw::Object*) { buttonUpSet_ = true; });
    buttonDown_->SetOnChange([this](fw::Object*) { buttonDownSet_ = true; });
    sliderUD_->SetOnChange([this](fw::Object*) { sliderUDSet_ = true; });
    sliderLR_->SetOnChange([this](fw::Object*) { sliderLRSet_ = true; });
}

void TILScrollBarProperties::SetBackground(const TILBrushBevel& background)
{
    background_->Assign(&background);
    backgroundSet_ = true;
}

void TILScrollBarProperties::SetButtonSize(int size)
{
    buttonSize_ = size;
    buttonSizeSet_ = true;
}

void TILScrollBarProperties::SetLargeChange(int change)
{
    largeChange_ = change;
    largeChangeSet_ = true;
}

void TILScrollBarProperties::SetSmallChange(int change)
{
    smallChange_ = change;
    smallChangeSet_ = true;
}

void TILScrollBarProperties::SetLongPause(int ms)
{
    longPause_ = ms;
    longPauseSet_ = true;
}

void TILScrollBarProperties::SetShortPause(int ms)
{
    shortPause_ = ms;
    shortPauseSet_ = true;
}

void TILScrollBarProperties::SetInvert(bool invert)
{
    invert_ = invert;
    invertSet_ = true;
}

void TILScrollBarProperties::SetButtonLeft(const TILButtonCustomPropertiesRecord& record)
{
    buttonLeft_->Assign(&record);
    buttonLeftSet_ = true;
}

void TILScrollBarProperties::SetButtonRight(const TILButtonCustomPropertiesRecord& record)
{
    buttonRight_->Assign(&record);
    buttonRightSet_ = true;
}

void TILScrollBarProperties::SetButtonUp(const TILButtonCustomPropertiesRecord& record)
{
    buttonUp_->Assign(&record);
    buttonUpSet_ = true;
}

void TILScrollBarProperties::SetButtonDown(const TILButtonCustomPropertiesRecord& record)
{
    buttonDown_->Assign(&record);
    buttonDownSet_ = true;
}

void TILScrollBarProperties::SetSliderUD(const TILButtonCustomPropertiesRecord& record)
{
    sliderUD_->Assign(&record);
    sliderUDSet_ = true;
}

void TILScrollBarProperties::SetSliderLR(const TILButtonCustomPropertiesRecord& record)
{
    sliderLR_->Assign(&record);
    sliderLRSet_ = true;
}

void TILScrollBarProperties::AssignTo(fw::Persistent* destination) const
{
    if (auto* bar = dynamic_cast<TILScrollBar*>(destination)) {
        ApplyTo(*bar);
        return;
    }
    if (auto* other = dynamic_cast<TILScrollBarProperties*>(destination)) {
        if (other != this) {
            CopyTo(*other);
        }
        return;
    }
    fw::Persistent::AssignTo(destination);
}

void TILScrollBarProperties::ApplyTo(TILScrollBar& bar) const
{
    if (backgroundSet_) {
        bar.SetBackground(*background_);
    }
    if (buttonSizeSet_) {
        bar.SetButtonSize(buttonSize_);
    }
    if (largeChangeSet_) {
        bar.SetLargeChange(largeChange_);
    }
    if (smallChangeSet_) {
        bar.SetSmallChange(smallChange_);
    }
    if (longPauseSet_) {
        bar.SetLongPause(longPause_);
    }
    if (shortPauseSet_) {
        bar.SetShortPause(shortPause_);
    }
    if (invertSet_) {
        bar.Slider().SetInvert(invert_);
    }
    if (bar.Kind() == TScrollBarKind::Vertical) {
        if (buttonUpSet_) {
            bar.LeftUp().Assign(buttonUp_.get());
        }
        if (buttonDownSet_) {
            bar.RightDown().Assign(buttonDown_.get());
        }
        if (sliderUDSet_) {
            bar.Slider().Assign(sliderUD_.get());
        }
    } else {
        if (buttonLeftSet_) {
            bar.LeftUp().Assign(buttonLeft_.get());
        }
        if (buttonRightSet_) {
            bar.RightDown().Assign(buttonRight_.get());
        }
        if (sliderLRSet_) {
            bar.Slider().Assign(sliderLR_.get());
        }
    }
}

void TILScrollBarProperties::CopyTo(TILScrollBarProperties& other) const
{
    other.background_->Assign(background_.get());
    other.buttonSize_ = buttonSize_;
    other.largeChange_ = largeChange_;
    other.smallChange_ = smallChange_;
    other.longPause_ = longPause_;
    other.shortPause_ = shortPause_;
    other.invert_ = invert_;
    other.buttonLeft_->Assign(buttonLeft_.get());
    other.buttonRight_->Assign(buttonRight_.get());
    other.buttonUp_->Assign(buttonUp_.get());
    other.buttonDown_->Assign(buttonDown_.get());
    other.sliderUD_->Assign(sliderUD_.get());
    other.sliderLR_->Assign(sliderLR_.get());
    // The copy has set exactly what this set has; the copying above marked everything.
    other.backgroundSet_ = backgroundSet_;
    other.buttonSizeSet_ = buttonSizeSet_;
    other.largeChangeSet_ = largeChangeSet_;
    other.smallChangeSet_ = smallChangeSet_;
    other.longPauseSet_ = longPauseSet_;
    other.shortPauseSet_ = shortPauseSet_;
    other.invertSet_ = invertSet_;
    other.buttonLeftSet_ = buttonLeftSet_;
    other.buttonRightSet_ = buttonRightSet_;
    other.buttonUpSet_ = buttonUpSet_;
    other.buttonDownSet_ = buttonDownSet_;
    other.sliderUDSet_ = sliderUDSet_;
    other.sliderLRSet_ = sliderLRSet_;
}
