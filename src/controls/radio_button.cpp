#include "controls/radio_button.h"

#include <vector>

#include "controls/check_images.h"

TILRadioButton::TILRadioButton(fw::Component* owner) : TILToggleCheckCtrl(owner)
{
    SetStateImage(0, true, DefaultCheckImage(TILCheckImage::RadioBlank));
    SetStateImage(1, true, DefaultCheckImage(TILCheckImage::RadioChecked));
    SetStateImage(0, false, DefaultCheckImage(TILCheckImage::RadioBlankDisabled));
    SetStateImage(1, false, DefaultCheckImage(TILCheckImage::RadioCheckedDisabled));
}

bool TILRadioButton::CanSetState(std::int32_t state)
{
    return TILToggleCheckCtrl::CanSetState(state) && State() == 0;
}

void TILRadioButton::SetState(std::int32_t state)
{
    fw::WeakRef<TILRadioButton> self(this);
    TILToggleCheckCtrl::SetState(state);
    if (!self || !LastStateAccepted() || !Checked()) {
        return;
    }
    // The group is gathered first: an AfterChange handler may reshape the parent's children.
    std::vector<fw::WeakRef<TILRadioButton>> others;
    if (fw::WinControl* parent = Parent()) {
        for (fw::Control* child : parent->ControlList()) {
            auto* radio = dynamic_cast<TILRadioButton*>(child);
            if (radio != nullptr && radio != this && radio->Checked()) {
                others.emplace_back(radio);
            }
        }
    }
    for (const auto& other : others) {
        if (TILRadioButton* radio = other.Get(); radio != nullptr && radio->Checked()) {
            radio->ForceState(0);
            radio->FireAfterChange();
        }
    }
    if (self) {
        FireAfterChange();
    }
}

void TILRadioButton::FireAfterChange()
{
    if (afterChange_) {
        afterChange_(this);
    }
}
