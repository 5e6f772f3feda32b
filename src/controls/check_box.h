#pragma once

#include <functional>
#include <string_view>

#include "controls/check_ctrl.h"

class TILCheckBox;

// Asked before a check box changes its state; false keeps the state (and fires nothing).
using TILCheckBoxCanChangeEvent = std::function<bool(TILCheckBox* sender)>;

// The two-state check box, showing the shared default check-box images until others are
// set.
class TILCheckBox : public TILToggleCheckCtrl {
public:
    explicit TILCheckBox(fw::Component* owner = nullptr);

    std::string_view className() const override { return "TILCheckBox"; }

    // The base rules, then OnCanChange (true when unassigned).
    bool CanSetState(std::int32_t state) override;

    const TILCheckBoxCanChangeEvent& OnCanChange() const { return onCanChange_; }
    void SetOnCanChange(TILCheckBoxCanChangeEvent handler) { onCanChange_ = std::move(handler); }

private:
    TILCheckBoxCanChangeEvent onCanChange_;
};
