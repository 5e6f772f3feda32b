#pragma once

#include <string_view>

#include "controls/check_ctrl.h"

// The two-state radio button, showing the shared default radio images until others are
// set. Radio buttons with the same parent form a group: checking one unchecks the others.
// A checked radio button cannot be unchecked directly (neither by a click nor by
// SetChecked(false)); only checking another one of its group unchecks it.
class TILRadioButton : public TILToggleCheckCtrl {
public:
    explicit TILRadioButton(fw::Component* owner = nullptr);

    std::string_view className() const override { return "TILRadioButton"; }

    // The base rules, and only while unchecked.
    bool CanSetState(std::int32_t state) override;
    // After an accepted change to checked: every other checked radio button of the same
    // parent becomes unchecked directly (no veto, no OnChange), repaints and fires its
    // AfterChange; then this button fires AfterChange.
    void SetState(std::int32_t state) override;

    const fw::NotifyEvent& AfterChange() const { return afterChange_; }
    void SetAfterChange(fw::NotifyEvent handler) { afterChange_ = std::move(handler); }

private:
    void FireAfterChange();

    fw::NotifyEvent afterChange_;
};
