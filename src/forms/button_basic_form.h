#pragma once

#include "forms/basic_form.h"

namespace fw {
class Button;
}

// A basic dialog with Close, Cancel and Accept buttons on its bottom panel. It opens as an
// Accept/Cancel dialog; a window that only shows information calls SetAcceptMode(false)
// to show the single Close button instead.
//
// The shown buttons line up from the right edge of the bottom panel, 5 pixels apart and 5
// pixels in from the edge - Cancel rightmost, then Accept, then Close - and stay anchored
// to that edge when the window is resized.
class TfrmTBtnBasic : public TfrmTBasic {
public:
    explicit TfrmTBtnBasic(fw::Component* owner = nullptr);
    ~TfrmTBtnBasic() override;

    std::string_view className() const override { return "TfrmTBtnBasic"; }

    // "&Close", hint "Close"; Esc while it shows; ends the dialog with OK.
    fw::Button* const btnClose;
    // "&Cancel"; Esc while it shows; ends the dialog with Cancel.
    fw::Button* const btnCancel;
    // "&Accept"; the default button (Enter); ends the dialog with OK.
    fw::Button* const btnAccept;

    // Accept and Cancel show exactly when accept is true, Close exactly when it is false.
    virtual void SetAcceptMode(bool accept);
    bool AcceptMode() const { return acceptMode_; }

protected:
    // The inherited creation (the style), then accept mode.
    void FormCreate() override;

private:
    void LineUpButtons();

    bool acceptMode_ = false;
};
